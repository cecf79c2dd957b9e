#include "SimulationReport.h"

#include <charconv>
#include <cmath>

namespace bw {

namespace {

std::string fixed(double value, int decimals) {
    if (!std::isfinite(value)) { value = 0; }
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) { value = 0; }  // no "-0.000"
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string whole(std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string DurationText(double seconds) {
    auto total = static_cast<std::int64_t>(std::llround(std::isfinite(seconds) && seconds > 0 ? seconds : 0));
    std::int64_t minutes = total / 60 % 60, hours = total / 3600, rest = total % 60;
    return whole(hours) + ":" + (minutes < 10 ? "0" : "") + whole(minutes) + ":" + (rest < 10 ? "0" : "") + whole(rest);
}

std::string SimulationStatusText(const SimulationSummary& summary) {
    return whole(summary.lines) + " lines, burn " + fixed(summary.burnLengthMm / 1000, 2) + " m, travel " +
           fixed(summary.travelLengthMm / 1000, 2) + " m, about " + DurationText(summary.seconds);
}

std::string SimulationSummaryText(const SimulationSummary& summary) {
    std::string text = "Lines: " + whole(summary.lines) + "\nMoves: " + whole(summary.moves) +
                       "\nBurn: " + fixed(summary.burnLengthMm, 3) +
                       " mm\nTravel: " + fixed(summary.travelLengthMm, 3) + " mm\nTime: about " +
                       DurationText(summary.seconds) + " (" + fixed(summary.seconds, 1) + " s)\n";
    const PathBounds& b = summary.burnBounds;
    if (b.empty) {
        text += "Burnt: nothing\n";
    } else {
        text += "Burnt: X " + fixed(b.minX, 3) + " to " + fixed(b.maxX, 3) + ", Y " + fixed(b.minY, 3) + " to " +
                fixed(b.maxY, 3) + " mm\n";
    }
    if (summary.warningCount > 0) {
        text += "Warnings: " + whole(summary.warningCount) + "\n";
        for (const std::string& warning : summary.warnings) { text += "  " + warning + "\n"; }
        if (summary.warningCount > static_cast<std::int64_t>(summary.warnings.size())) { text += "  ...\n"; }
    }
    return text;
}

std::string SimulationJson(const SimulationSummary& summary) {
    std::string json = "{\"lines\": " + whole(summary.lines) + ", \"moves\": " + whole(summary.moves) +
                       ", \"burn_length_mm\": " + fixed(summary.burnLengthMm, 4) +
                       ", \"travel_length_mm\": " + fixed(summary.travelLengthMm, 4) +
                       ", \"time_s\": " + fixed(summary.seconds, 3) + ", \"bounds_mm\": ";
    const PathBounds& b = summary.burnBounds;
    if (b.empty) {
        json += "null";
    } else {
        json += "{\"min_x\": " + fixed(b.minX, 4) + ", \"min_y\": " + fixed(b.minY, 4) +
                ", \"max_x\": " + fixed(b.maxX, 4) + ", \"max_y\": " + fixed(b.maxY, 4) + "}";
    }
    json += ", \"warnings\": [";
    for (std::size_t i = 0; i < summary.warnings.size(); ++i) {
        if (i > 0) { json += ", "; }
        json += jsonString(summary.warnings[i]);
    }
    json += "], \"warning_count\": " + whole(summary.warningCount) + ", \"max_power\": " + fixed(summary.maxPower, 4) +
            ", \"dynamic_power\": " + (summary.dynamicPower ? "true" : "false") + "}\n";
    return json;
}

}  // namespace bw
