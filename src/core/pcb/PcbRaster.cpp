#include "pcb/PcbRaster.h"

#include "pcb/BeamDisk.h"
#include "pcb/PcbGeometry.h"

namespace bw {

std::string PcbMoveWriter::FormatPcbMove(bool rapid, Fixed4 x, Fixed4 y) {
    std::string text;
    if (feedIsRapid_ && !rapid) {
        text += "G1 F" + settings_.workFeedText + "\r\n";
        feedIsRapid_ = false;
    }
    if (!feedIsRapid_ && rapid) {
        text += "G0 F" + settings_.rapidFeedText + "\r\n";
        feedIsRapid_ = true;
    }
    if (settings_.engravingCutter) {
        if (toolDown_ && rapid) {
            text += "G0 Z";
            appendFixed(text, settings_.cutterUpZ, settings_.decimals);
            text += "\r\n";
            toolDown_ = false;
        }
        if (!toolDown_ && !rapid) {
            text += "G0 Z";
            appendFixed(text, settings_.cutterDownZ, settings_.decimals);
            text += "\r\n";
            toolDown_ = true;
        }
    }
    text += rapid ? "G0 X" : "G1 X";
    appendFixed(text, x + settings_.origin.x, settings_.decimals);
    text += " Y";
    appendFixed(text, y + settings_.origin.y, settings_.decimals);
    return text;
}

namespace {

std::string fixedLine(const char* head, Fixed4 value, int decimals) {
    std::string line = head;
    appendFixed(line, value, decimals);
    return line;
}

}  // namespace

Result<PcbRasterResult> GeneratePcbRaster(const ProgramWriter& out, const JobParameters& params, PcbState& pcb,
                                          const StatusCallback& status) {
    if (!pcb.loaded()) { return Error{"No PCB bitmap is loaded"}; }
    auto radius = BeamRadiusPx(params.beamDiameter, params.pcbDpi);
    if (!radius) { return Error{radius.error()}; }
    auto work = parseFeed(params.workFeedText, "Work speed");
    if (!work) { return Error{work.error()}; }
    auto rapid = parseFeed(params.rapidFeedText, "Idle speed");
    if (!rapid) { return Error{rapid.error()}; }

    const int r = *radius;
    const int width = pcb.pcbWidth;
    const int height = pcb.pcbHeight;
    const int decimals = out.numberFormat.decimals;
    pcb.rasterClassMap = pcb.pcbClassMap;
    ClassLayer& layer = pcb.rasterClassMap;

    const Fixed4 laserZ = params.focusZ + params.materialThickness;
    PcbMoveWriter::Settings settings;
    settings.workFeedText = params.workFeedText;
    settings.rapidFeedText = params.rapidFeedText;
    settings.engravingCutter = params.engravingCutter;
    settings.cutterUpZ = laserZ + params.liftHeight;
    settings.cutterDownZ = laserZ - params.plungeDepth;
    settings.origin = out.origin;
    settings.decimals = decimals;
    PcbMoveWriter writer(settings);

    ProgramLines& lines = out.lines;
    lines.clear();
    lines.append("M17");
    lines.append("M302");
    lines.append("G92 E0");
    lines.append("G1 F" + params.rapidFeedText);
    lines.append(fixedLine("G1 Z", params.engravingCutter ? settings.cutterUpZ : laserZ, decimals));
    lines.append("G1 F" + params.workFeedText);

    PcbRasterResult result;
    result.beamRadiusPx = r;
    const BeamDisk disk(r);
    LightReach lightReach(layer, disk);
    std::vector<std::uint8_t> lightInDisk(static_cast<std::size_t>(width));
    const PixelToMachine machine(params.pcbDpi, height);
    const int lineCount = height > 2 * r ? (height - 2 * r - 1) / (2 * r - 1) + 1 : 0;
    int lineNumber = 0;

    for (int y = r; y < height - r; y += 2 * r - 1) {
        lightReach.row(y, lightInDisk.data());
        const bool rightwards = y % 2 == 0;
        const int step = rightwards ? 1 : -1;
        const int first = rightwards ? r : width - r - 1;
        const int end = rightwards ? width - r : r - 1;  // where the visit stops
        const Fixed4 machineY = machine.y(y);
        bool burning = false;
        int runStart = 0;
        int lastExposed = 0;
        // A run ends on its last exposed position: one step further the disk would touch light.
        auto endRun = [&] {
            if (lastExposed != runStart) {
                lines.append(writer.FormatPcbMove(false, machine.x(lastExposed), machineY));
            }
            burning = false;
        };
        for (int x = first; rightwards ? x < end : x > end; x += step) {
            if (!lightInDisk[static_cast<std::size_t>(x)] && disk.contains(layer, x, y, PixelClass::Dark)) {
                result.exposed.push_back({x, y});
                if (!burning) {
                    lines.append(writer.FormatPcbMove(true, machine.x(x), machineY));
                    // A zero-length burning move: switches to the work feed and, with the cutter, plunges.
                    lines.append(writer.FormatPcbMove(false, machine.x(x), machineY));
                    burning = true;
                    runStart = x;
                }
                lastExposed = x;
                MarkDisk(layer, disk, x, y, PixelClass::Exposed);
            } else if (burning) {
                endRun();
            }
        }
        if (burning) { endRun(); }
        ++lineNumber;
        if (status && (lineNumber % 64 == 0 || lineNumber == lineCount)) {
            std::string text = "PCB raster: line ";
            appendInteger(text, lineNumber);
            text += " of ";
            appendInteger(text, lineCount);
            status(text);
        }
    }

    lines.append("G1 F" + params.rapidFeedText);
    if (params.engravingCutter) { lines.append(fixedLine("G1 Z", settings.cutterUpZ, decimals)); }
    lines.append("G0 X0.0000 Y0.0000");
    lines.append("M18");
    return result;
}

}  // namespace bw
