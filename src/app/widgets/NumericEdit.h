#pragma once
// A one-line field that keeps itself convertible: its "tag" (dynamic property,
// bits 1 digits, 2 minus, 4 decimal separator) says what it accepts, and every
// change runs the numeric input filter with the caret.

#include <QLineEdit>

namespace bw::app {

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    // `formDefault` is written with a comma as in the form and shown with the system's separator.
    NumericEdit(const QString& objectName, int tag, const QString& formDefault, QWidget* parent = nullptr);

    int tag() const;
    // Empty becomes "0", spaces go, points and commas become the system's separator.
    void normalize();

private:
    void filter();
};

}  // namespace bw::app
