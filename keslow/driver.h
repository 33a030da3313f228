// The keslow run from the banner to the last key.
#pragma once

#include <cstdio>

#include "common/console.h"

namespace keslow {

/// Asks the stiffness number, makes every layered plate of A#00.A in the
/// working directory a plain plate with it and writes B#00.B; the element
/// trace goes to `trace`, or to the console device when none is given (runs
/// inside another program keep it off the screen). Returns the exit code,
/// always 0.
int run_keslow(lira::Console& con, std::FILE* trace = nullptr);

}  // namespace keslow
