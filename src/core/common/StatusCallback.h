#pragma once
// How a job reports its progress texts ("Object number 12", "Print size 30x20mm"):
// the window shows them in its status bar, the command line on a terminal.

#include <functional>
#include <string_view>

namespace bw {

using StatusCallback = std::function<void(std::string_view text)>;

}  // namespace bw
