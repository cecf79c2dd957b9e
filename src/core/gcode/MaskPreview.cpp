#include "gcode/MaskPreview.h"

#include "gcode/MoveEmitter.h"

namespace bw {

void StartFullRangeProgram(const ProgramWriter& out, const std::string& maskText, Fixed4 dirAxisStep, Fixed4 pwmMax) {
    ResetEmitter(out);
    out.settings = EmitterSettings{.maskText = maskText,
                                   .dirAxisStep = dirAxisStep,
                                   .powerMinPwm = Fixed4{},
                                   .powerMaxPwm = pwmMax,
                                   .pwmMax = pwmMax};
}

Result<ProgramLines> BuildMaskPreview(const ProgramWriter& shared, const MaskPreviewFields& fields,
                                      char decimalSeparator) {
    auto step = parseDecimal(fields.dirAxisStepText, decimalSeparator);
    if (!step) { return Error{"DIR-axis step \"" + fields.dirAxisStepText + "\" is not a number"}; }
    auto pwmMax = parseDecimal(fields.pwmMaxText, decimalSeparator);
    if (!pwmMax) { return Error{"Maximum PWM value \"" + fields.pwmMaxText + "\" is not a number"}; }

    rebuildNumberFormat(shared.numberFormat, fields.decimalsText, decimalSeparator);
    StartFullRangeProgram(shared, fields.maskText, *step, *pwmMax);

    ProgramLines lines;
    const ProgramWriter out = shared.into(lines);
    Fixed4 a = Fixed4::fromRaw(2000);  // 0.2
    auto mm = [](std::int64_t v) { return Fixed4::fromInt(v); };
    auto work = [&](int level, Point3 to, int feed) {
        LinearMove(out, a, {.motion = Motion::Work, .level = level, .to = to, .feed = feed});
    };
    LinearMove(out, a, {.motion = Motion::Rapid, .level = 0, .to = {mm(0), mm(0), mm(10)}, .feed = 10000});
    work(20, {mm(10), mm(0), mm(10)}, 5000);
    work(20, {mm(10), mm(10), mm(10)}, 4000);
    ArcMove(out, a,
            {.turn = ArcTurn::Clockwise,
             .level = 30,
             .to = {mm(20), mm(10), mm(10)},
             .i = mm(5),
             .j = mm(0),
             .radius = mm(5),
             .angle1 = mm(180),
             .angle2 = mm(0),
             .feed = 4000});
    work(255, {mm(0), mm(10), mm(20)}, 4000);
    work(255, {mm(0), mm(0), mm(20)}, 4000);
    work(255, {mm(0), mm(0), mm(20)}, 4000);
    return lines;
}

}  // namespace bw
