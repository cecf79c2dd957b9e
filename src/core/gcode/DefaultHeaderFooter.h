#pragma once
// The mask, program header and footer the G-CODE Settings page starts with. The
// header switches a GRBL controller into laser mode; the footer switches the
// laser off and the mode back. Lines are joined by CR LF, as the editor holds them.

#include <string>
#include <string_view>

namespace bw {

inline constexpr std::string_view kDefaultMaskText = "[G] [x] [y] [z] [I] [J] [F] (S)[p]";

inline constexpr std::string_view kDefaultHeaderText =
    ";(Header)\r\n"
    "$32=1 ; ENABLE GRBL LASER MODE (https://github.com/gnea/grbl/wiki/Grbl-v1.1-Laser-Mode)\r\n"
    "M7 ; TURN MIST ON \r\n"
    "M4 S1 ; SET LASER MODE\r\n"
    "G0 X0 Y0\r\n"
    "G90 ; absolute positions\r\n"
    "G21 ; metric\r\n"
    ";(Header end)";

inline constexpr std::string_view kDefaultFooterText =
    ";(Footer)\r\n"
    "M5; Disable laser\r\n"
    "G21\r\n"
    "G90\r\n"
    "G0 X0 Y0\r\n"
    "G4 P0.1\r\n"
    "M9\r\n"
    "$32=0\r\n"
    ";(Footer end)";

// Header or footer text as a job takes it from an editor or a file: its lines
// (split at CR, LF or CR LF) joined by CR LF, trailing line breaks removed.
inline std::string HeaderFooterFromText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') { ++i; }
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    while (!out.empty() && (out.back() == '\r' || out.back() == '\n')) { out.pop_back(); }
    return out;
}

}  // namespace bw
