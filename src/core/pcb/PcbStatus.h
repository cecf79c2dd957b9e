#pragma once
// Progress and warning texts of the PCB jobs go to the caller (the window's
// status bar, the command line's standard error) through this callback.

#include <functional>
#include <string_view>

#include "common/StatusCallback.h"

namespace bw {



}  // namespace bw
