#include "calibration/GreyscalePattern.h"

namespace bw {

int GreyscaleLevel(int bar, int line) {
    return static_cast<int>(divRoundEven(Int128(8500) * (30 - line) + Int128(255000) * bar, 10000));
}

Result<ProgramLines> BuildGreyscalePattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                           char decimalSeparator) {
    auto begun = CalibrationProgram::Begin(shared, fields, decimalSeparator, CalibrationPattern::Greyscale);
    if (!begun) { return Error{begun.error()}; }
    CalibrationProgram& program = *begun;
    const Fixed4 z = program.greyZ();
    const Fixed4 height = Fixed4::fromRaw(32000);  // 8 lines of 0.4 mm
    const Fixed4 width = Fixed4::fromInt(12);      // 30 line spacings
    const Fixed4 zero;
    for (int bar = 0; bar < 10; ++bar) {
        Fixed4 y0 = Fixed4::fromInt(std::int64_t{4} * bar);
        program.rapid(zero, y0, z);
        program.work(255, zero, y0 + height, z);
        program.work(255, width, y0 + height, z);
        program.work(255, width, y0, z);
        program.work(255, zero, y0, z);
        for (int line = 0; line <= 30; ++line) {
            Fixed4 x = Fixed4::fromRaw(std::int64_t{4000} * line);
            program.rapid(x, y0, z);  // every line is burnt upwards
            program.work(GreyscaleLevel(bar, line), x, y0 + height, z);
        }
    }
    program.rapid(zero, zero, z);
    program.rapid(Fixed4::fromInt(15), Fixed4::fromInt(-15), z);  // only makes the emitter write the move before it
    return program.finish();
}

}  // namespace bw
