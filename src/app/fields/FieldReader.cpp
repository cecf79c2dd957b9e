#include "fields/FieldReader.h"

#include "fields/DecimalSeparator.h"
#include "job/JobParameters.h"

namespace bw::app {

namespace {

Error fieldError(const QLineEdit* field, const QLabel* caption, const char* expected) {
    QString name = caption != nullptr ? caption->text() : field->objectName();
    return Error{QStringLiteral("The field \"%1\" holds \"%2\", which is not %3. Please correct it and try again.")
                     .arg(name, field->text(), QString::fromLatin1(expected))
                     .toStdString()};
}

}  // namespace

Result<Fixed4> readDecimal(const QLineEdit* field, const QLabel* caption) {
    auto value = parseDecimal(field->text().toStdString(), systemDecimalSeparator());
    if (!value) { return fieldError(field, caption, "a number"); }
    return *value;
}

Result<Fixed4> readRanged(const QLineEdit* field, const QLabel* caption, const FieldRange& range) {
    auto value = readDecimal(field, caption);
    if (!value) { return value; }
    if (!CheckRange(range, *value, systemDecimalSeparator())) {
        QString name = caption != nullptr ? caption->text() : field->objectName();
        return Error{
            QStringLiteral("The field \"%1\" holds \"%2\", which %3. Please correct it and try again.")
                .arg(name, field->text(), QString::fromStdString(OutsideRange(range, systemDecimalSeparator())))
                .toStdString()};
    }
    return value;
}

Status firstFailure(std::initializer_list<Result<Fixed4>> read) {
    for (const Result<Fixed4>& field : read) {
        if (!field) { return Error{field.error()}; }
    }
    return success();
}

Result<std::int32_t> readInteger(const QLineEdit* field, const QLabel* caption) {
    auto value = parseInteger(field->text().trimmed().toStdString());
    if (!value || *value < INT32_MIN || *value > INT32_MAX) { return fieldError(field, caption, "a whole number"); }
    return static_cast<std::int32_t>(*value);
}

Result<Fixed4> readIntegerAsFixed(const QLineEdit* field, const QLabel* caption) {
    auto value = parseInteger(field->text().trimmed().toStdString());
    // Beyond this the PWM value would overflow Fixed4 arithmetic.
    if (!value || *value < -1000000000 || *value > 1000000000) { return fieldError(field, caption, "a whole number"); }
    return Fixed4::fromInt(*value);
}

std::string readProgramText(const QPlainTextEdit* editor) {
    QString text = editor->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return withoutTrailingLineBreaks(text.toStdString());
}

}  // namespace bw::app
