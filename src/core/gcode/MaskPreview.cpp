#include "gcode/MaskPreview.h"

#include "gcode/MoveEmitter.h"

namespace bw {

void StartFullRangeProgram(JobContext& ctx, const std::string& maskText, Fixed4 dirAxisStep, Fixed4 pwmMax) {
    ResetEmitter(ctx);
    ctx.params.maskText = maskText;
    ctx.params.dirAxisStep = dirAxisStep;
    ctx.params.pwmMax = pwmMax;
    ctx.params.powerMinPwm = Fixed4{};
    ctx.params.powerMaxPwm = pwmMax;
}

Result<ProgramLines> BuildMaskPreview(JobContext& ctx, const MaskPreviewFields& fields, char decimalSeparator) {
    auto step = parseDecimal(fields.dirAxisStepText, decimalSeparator);
    if (!step) { return Error{"DIR-axis step \"" + fields.dirAxisStepText + "\" is not a number"}; }
    auto pwmMax = parseDecimal(fields.pwmMaxText, decimalSeparator);
    if (!pwmMax) { return Error{"Maximum PWM value \"" + fields.pwmMaxText + "\" is not a number"}; }

    rebuildNumberFormat(ctx.numberFormat, fields.decimalsText, decimalSeparator);
    StartFullRangeProgram(ctx, fields.maskText, *step, *pwmMax);

    ProgramLines lines;
    Fixed4 a = Fixed4::fromRaw(2000);  // 0.2
    auto mm = [](std::int64_t v) { return Fixed4::fromInt(v); };
    LinearMove(ctx, a, true, 0, mm(0), mm(0), mm(10), 10000, lines);
    LinearMove(ctx, a, false, 20, mm(10), mm(0), mm(10), 5000, lines);
    LinearMove(ctx, a, false, 20, mm(10), mm(10), mm(10), 4000, lines);
    ArcMove(ctx, a, 1, 30, mm(20), mm(10), mm(10), mm(5), mm(0), mm(5), mm(180), mm(0), 4000, lines);
    LinearMove(ctx, a, false, 255, mm(0), mm(10), mm(20), 4000, lines);
    LinearMove(ctx, a, false, 255, mm(0), mm(0), mm(20), 4000, lines);
    LinearMove(ctx, a, false, 255, mm(0), mm(0), mm(20), 4000, lines);
    return lines;
}

}  // namespace bw
