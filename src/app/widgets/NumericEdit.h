#pragma once
// A one-line field that keeps itself convertible: its "tag" (dynamic property,
// bits 1 digits, 2 minus, 4 decimal separator) says what it accepts, and every
// change runs the numeric input filter with the caret.

#include <QLineEdit>

namespace bw::app {

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    // The initial text and the accepted characters come from the form defaults table,
    // the text shown with the system's separator.
    explicit NumericEdit(const QString& objectName, QWidget* parent = nullptr);

    int tag() const;
    // Empty becomes "0", spaces go, points and commas become the system's separator.
    void normalize();

private:
    void filter();
};

}  // namespace bw::app
