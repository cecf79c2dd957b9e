#include "widgets/NumericEdit.h"

#include <string>

#include "fields/DecimalSeparator.h"
#include "job/NumericInput.h"
#include "settings/FormDefaults.h"

namespace bw::app {

namespace {

// The filter counts the caret in code points; QLineEdit counts UTF-16 units.
int codePointsBefore(const QString& text, int position) { return int(text.left(position).toUcs4().size()); }

}  // namespace

NumericEdit::NumericEdit(const QString& objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    const std::string id = objectName.toStdString();
    const FormField* field = FindFormField(id);
    // Every numeric field has its row; a missing one is a programming error caught by the first start.
    if (field == nullptr || field->numericTag == 0) { qFatal("no numeric form default for %s", id.c_str()); }
    setProperty("tag", field->numericTag);
    setText(QString::fromStdString(FormDefaultText(id, systemDecimalSeparator())));
    connect(this, &QLineEdit::textChanged, this, &NumericEdit::filter);
}

int NumericEdit::tag() const { return property("tag").toInt(); }

void NumericEdit::normalize() {
    setText(QString::fromStdString(NormalizeNumericField(text().toStdString(), systemDecimalSeparator())));
}

void NumericEdit::filter() {
    if (tag() <= 0) { return; }
    const QString current = text();
    FilteredInput filtered = FilterNumericInput(current.toStdString(), codePointsBefore(current, cursorPosition()),
                                                tag(), systemDecimalSeparator());
    QString result = QString::fromStdString(filtered.text);
    if (result != current) {
        setText(result);  // runs this handler once more; the text is then stable
        setCursorPosition(filtered.caret);
    }
}

}  // namespace bw::app
