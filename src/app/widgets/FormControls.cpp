#include "widgets/FormControls.h"

#include <QFontDatabase>
#include <QHBoxLayout>

#include "settings/FormDefaults.h"

namespace bw::app {

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* makeCheckBox(const QString& name, const QString& caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QCheckBox* makeFormCheckBox(const QString& name, const QString& caption, QWidget* parent) {
    return makeCheckBox(name, caption, FormDefaultFlag(name.toStdString()), parent);
}

QPlainTextEdit* makeProgramView(const QString& name, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return view;
}

QWidget* makeMakerLabels(const QString& pageLetter, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* maker = makeLabel("LMaker" + pageLetter, kMakerName, box);
    QFont bold = maker->font();
    bold.setBold(true);
    maker->setFont(bold);
    QLabel* web = makeLabel("LWeb" + pageLetter,
                            QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(kMakerWebAddress)), box);
    web->setOpenExternalLinks(true);
    row->addWidget(maker);
    row->addStretch(1);
    row->addWidget(web);
    return box;
}

}  // namespace bw::app
