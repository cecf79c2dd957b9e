#include "fields/WindowFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>

#include "widgets/RadioGroup.h"

namespace bw::app {

namespace {

QString qtext(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Multi-line fields hold their lines joined by CR LF in the model.
std::string editorText(const QPlainTextEdit* editor) {
    QString text = editor->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

void setEditorText(QPlainTextEdit* editor, const std::string& text) {
    QString plain = qtext(text);
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    editor->setPlainText(plain);
}

}  // namespace

FieldValues collectFields(QWidget* window, const JobContext& ctx, SettingsSection section) {
    FieldValues values;
    for (const SettingsKey& key : SectionKeys(section)) {
        const std::string id(key.fieldId);
        if (id == kStartPointId) {
            values.setIndex(id, ctx.startPoint);
            continue;
        }
        if (id == kLanguageIndexId) {
            values.setIndex(id, ctx.languageIndex);
            continue;
        }
        QWidget* control = window->findChild<QWidget*>(QString::fromStdString(id));
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            values.setText(id, edit->text().toStdString());
        } else if (auto* editor = qobject_cast<QPlainTextEdit*>(control)) {
            values.setText(id, editorText(editor));
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            values.setFlag(id, box->isChecked());
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            values.setFlag(id, radio->isChecked());
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            values.setIndex(id, list->currentIndex());
        } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
            values.setIndex(id, group->itemIndex());
        } else if (auto* bar = qobject_cast<QSlider*>(control)) {
            values.setIndex(id, bar->value());
        }
    }
    return values;
}

void applyFields(QWidget* window, JobContext& ctx, const FieldValues& values,
                 const std::function<void(int)>& setStartPoint) {
    for (const auto& [id, text] : values.texts) {
        QWidget* control = window->findChild<QWidget*>(QString::fromStdString(id));
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(qtext(text));
        } else if (auto* editor = qobject_cast<QPlainTextEdit*>(control)) {
            setEditorText(editor, text);
        }
    }
    for (const auto& [id, flag] : values.flags) {
        QWidget* control = window->findChild<QWidget*>(QString::fromStdString(id));
        if (auto* button = qobject_cast<QAbstractButton*>(control)) { button->setChecked(flag); }
    }
    for (const auto& [id, index] : values.indices) {
        if (id == kStartPointId) {
            if (setStartPoint) { setStartPoint(index); }
            continue;
        }
        if (id == kLanguageIndexId) {
            ctx.languageIndex = index;
            continue;
        }
        QWidget* control = window->findChild<QWidget*>(QString::fromStdString(id));
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
        } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
            group->setItemIndex(index);
        } else if (auto* bar = qobject_cast<QSlider*>(control)) {
            bar->setValue(index);
        }
    }
}

}  // namespace bw::app
