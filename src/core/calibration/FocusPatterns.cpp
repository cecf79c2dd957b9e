#include "calibration/FocusPatterns.h"

#include <string>

#include "calibration/OutlineDigits.h"

namespace bw {

namespace {

constexpr Fixed4 raw(std::int64_t units) { return Fixed4::fromRaw(units); }
constexpr Fixed4 mm(std::int64_t whole) { return Fixed4::fromInt(whole); }

constexpr std::int64_t kBelow = 0;
constexpr std::int64_t kAbove = 1533130;  // 15.3313 mm in outline units

constexpr CoarseBlock kBlocks[10] = {
    {10, raw(38502), raw(130019), raw(80019), 0, kBelow},
    {20, raw(138502), raw(129166), raw(79166), 1000000, kAbove},
    {30, raw(238502), raw(130053), raw(80053), 2000000, kBelow},  // the 3 is a little taller
    {40, raw(338502), raw(129166), raw(79166), 3000000, kAbove},
    {50, raw(438502), raw(130019), raw(80019), 4000000, kBelow},
    {60, raw(538502), raw(129166), raw(79166), 5000000, kAbove},
    {70, raw(638502), raw(130019), raw(80019), 6000000, kBelow},
    {80, raw(738502), raw(129166), raw(79166), 7000000, kAbove},
    {90, raw(838502), raw(130019), raw(80019), 8000000, kBelow},
    {100, raw(938502), raw(129166), raw(79166), 8741558, kAbove},
};

Fixed4 outlineToFixed4(std::int64_t units) {
    return Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(units, kOutlineUnitsPerFixed4)));
}

// Each polyline: a rapid move to its first point, working moves through the rest.
void drawLabel(CalibrationProgram& program, const CoarseBlock& block, Fixed4 z) {
    std::int64_t pen = block.labelPenX;
    for (char c : std::to_string(block.z)) {
        for (const OutlinePolyline& polyline : OutlineDigitPolylines(c - '0')) {
            bool first = true;
            for (const OutlinePoint& p : OutlinePolylinePoints(polyline)) {
                Fixed4 x = outlineToFixed4(pen + p.x);
                Fixed4 y = outlineToFixed4(block.labelBaseY + p.y);
                if (first) {
                    program.rapid(x, y, z);
                } else {
                    program.work(255, x, y, z);
                }
                first = false;
            }
        }
        pen += kOutlineDigitAdvance;
    }
}

}  // namespace

std::span<const CoarseBlock, 10> CoarseBlocks() { return kBlocks; }

Result<ProgramLines> BuildCoarseFocusPattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                             char decimalSeparator) {
    auto begun = CalibrationProgram::Begin(shared, fields, decimalSeparator, CalibrationPattern::Coarse);
    if (!begun) { return Error{begun.error()}; }
    CalibrationProgram& program = *begun;
    for (const CoarseBlock& block : kBlocks) {
        // The emitter holds one move back, so from the second block on this
        // comment lands before the last line of the previous label.
        program.comment(";" + std::to_string(block.z));
        Fixed4 z = mm(block.z);
        program.rapid(block.markX, block.markTopY, z);
        program.work(255, block.markX, block.markBottomY, z);
        drawLabel(program, block, z);
    }
    // The sweep: one line from Z 100 at the last mark down to Z 10 at the first.
    const Fixed4 sweepY = raw(104166);
    program.rapid(kBlocks[9].markX, sweepY, mm(100));
    program.comment(";linia");
    program.work(255, kBlocks[0].markX, sweepY, mm(10));
    program.rapid(mm(0), mm(0), mm(10));
    program.rapid(mm(50), mm(-50), mm(10));  // only makes the emitter write the move before it
    return program.finish();
}

Result<ProgramLines> BuildFineFocusPattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                           char decimalSeparator) {
    auto begun = CalibrationProgram::Begin(shared, fields, decimalSeparator, CalibrationPattern::Fine);
    if (!begun) { return Error{begun.error()}; }
    CalibrationProgram& program = *begun;
    const Fixed4 size = fields.squares ? raw(30000) : raw(1000);
    const Fixed4 gap = fields.squares ? raw(15000) : raw(10000);
    const Fixed4 pitch = size + gap;
    const Fixed4 step = raw(1000);  // 2 x 10 mm over 200 fields
    Fixed4 z = program.baseZ() - mm(10);
    for (int row = 0; row < 20; ++row) {
        Fixed4 y = Fixed4::fromRaw(pitch.raw * row + (row >= 10 ? gap.raw : 0));  // extra gap between the halves
        for (int column = 0; column < 10; ++column) {
            Fixed4 x = Fixed4::fromRaw(pitch.raw * column);
            program.rapid(x, y, z);
            program.work(255, x + size, y, z);
            program.work(255, x + size, y + size, z);
            program.work(255, x, y + size, z);
            program.work(255, x, y, z);
            z += step;
        }
    }
    program.rapid(mm(0), mm(0), z);
    program.rapid(mm(15), mm(-15), z);  // only makes the emitter write the move before it
    return program.finish();
}

}  // namespace bw
