#include "pcb/PcbGeometry.h"

#include <string>

namespace bw {

namespace {

// 25.4 mm in Fixed4 units.
constexpr std::int64_t kInchUnits = 254000;

Status checkDpi(std::int32_t dpi) {
    if (dpi < 1) {
        std::string message = "The PCB resolution must be at least 1 DPI (it is ";
        appendInteger(message, dpi);
        return Error{message + ")"};
    }
    return success();
}

}  // namespace

Result<int> BeamRadiusPx(Fixed4 beamDiameter, std::int32_t dpi) {
    if (Status ok = checkDpi(dpi); !ok) { return Error{ok.error()}; }
    // diameter / (25.4 / dpi) / 2 = raw x dpi / 508000
    Int128 radius = divCeil(Int128(beamDiameter.raw) * dpi, Int128(2) * kInchUnits);
    if (radius < 1) {
        return Error{
            "The beam diameter gives a beam radius of 0 pixels at this resolution; it must cover at least "
            "one pixel"};
    }
    if (radius > kMaxBeamRadiusPx) {
        std::string message = "The beam diameter gives a beam radius above ";
        appendInteger(message, kMaxBeamRadiusPx);
        return Error{message + " pixels at this resolution, which is outside the supported range"};
    }
    return static_cast<int>(radius);
}

Fixed4 PixelToMachine::scaled(std::int64_t pixels) const {
    return Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(Int128(pixels) * kInchUnits, dpi_)));
}

Result<PcbExtent> PcbExtentMm(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpi) {
    if (Status ok = checkDpi(dpi); !ok) { return Error{ok.error()}; }
    PixelToMachine scale(dpi, 0);
    return PcbExtent{scale.x(widthPx), scale.x(heightPx)};
}

}  // namespace bw
