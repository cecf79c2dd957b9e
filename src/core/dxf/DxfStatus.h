#pragma once

#include "common/StatusCallback.h"
// Progress and status texts of the DXF jobs ("Opening the file. Please wait.",
// "Object number: 12"). The window shows them in its status bar; the command
// line may show them on a terminal. An empty callback ignores them.

#include <functional>
#include <string_view>

namespace bw {

using DxfStatusCallback = StatusCallback;

}  // namespace bw
