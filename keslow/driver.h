// The keslow run from the banner to the last key.
#pragma once

#include "common/console.h"

namespace keslow {

/// Asks the stiffness number, makes every layered plate of A#00.A in the
/// working directory a plain plate with it and writes B#00.B; the element
/// trace goes to the console device. Returns the exit code, always 0.
int run_keslow(lira::Console& con);

}  // namespace keslow
