#pragma once
// The program header and footer a new installation starts with: the header
// switches a GRBL controller into laser mode, the footer switches it back.
// Lines are joined by CR LF, as the window's header and footer fields hold them.

#include <string_view>

namespace bw {

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

}  // namespace bw
