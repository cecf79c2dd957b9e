#include "widgets/NumericEdit.h"

#include "fields/DecimalSeparator.h"
#include "job/NumericInput.h"

namespace bw::app {

namespace {

// The filter counts the caret in code points; QLineEdit counts UTF-16 units.
int codePointsBefore(const QString& text, int position) { return int(text.left(position).toUcs4().size()); }

}  // namespace

NumericEdit::NumericEdit(const QString& objectName, int tag, const QString& formDefault, QWidget* parent)
    : QLineEdit(parent) {
    setObjectName(objectName);
    setProperty("tag", tag);
    setText(QString::fromStdString(NormalizeNumericField(formDefault.toStdString(), systemDecimalSeparator())));
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
