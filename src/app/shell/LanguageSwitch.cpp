#include "shell/LanguageSwitch.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "i18n/CaptionTable.h"

namespace bw::app {

namespace {

void setCaption(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    }
}

}  // namespace

void ApplyLanguage(QWidget* window, int languageIndex) {
    for (const CaptionAssignment& caption : captionsFor(languageIndex)) {
        const std::string_view id = caption.target.objectName;
        const QString name = QString::fromUtf8(id.data(), qsizetype(id.size()));
        const QString text = QString::fromUtf8(caption.text.data(), qsizetype(caption.text.size()));
        auto* control = window->findChild<QWidget*>(name);
        if (control == nullptr) { continue; }
        if (caption.target.page != CaptionTarget::kWholeControl) {
            if (auto* tabs = qobject_cast<QTabWidget*>(control)) { tabs->setTabText(caption.target.page, text); }
        } else {
            setCaption(control, text);
        }
    }
}

}  // namespace bw::app
