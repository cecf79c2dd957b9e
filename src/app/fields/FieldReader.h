#pragma once
// Reading window fields as numbers for a job. A field that does not convert
// gives an error naming the field, so the user learns which one to fix.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "common/Fixed4.h"
#include "common/Result.h"
#include "job/FieldRanges.h"

namespace bw::app {

// `caption` names the field in the message (its label).
Result<Fixed4> readDecimal(const QLineEdit* field, const QLabel* caption);
Result<std::int32_t> readInteger(const QLineEdit* field, const QLabel* caption);
// A number of a field shared by several pages, within the one range every page
// and the command line apply; outside it the message names the field and the range.
Result<Fixed4> readRanged(const QLineEdit* field, const QLabel* caption, const FieldRange& range);
// The first of several fields read that failed, in the order given, or success.
Status firstFailure(std::initializer_list<Result<Fixed4>> read);
// A whole number read into Fixed4 (the maximum PWM value of the DXF and PCB jobs).
Result<Fixed4> readIntegerAsFixed(const QLineEdit* field, const QLabel* caption);

// The whole text of a header or footer editor with CR LF line ends and the
// trailing line breaks removed.
std::string readProgramText(const QPlainTextEdit* editor);

}  // namespace bw::app
