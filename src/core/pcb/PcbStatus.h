#pragma once
// Progress and warning texts of the PCB jobs go to the caller (the window's
// status bar, the command line's standard error) through the shared callback.

#include "common/StatusCallback.h"
