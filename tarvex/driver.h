// The tarvex run from the first question to the last message.
#pragma once

#include "common/console.h"

namespace tarvex {

/// Asks the run parameters, converts modellir.txt of the working directory
/// into modelans.lgw and returns the exit code: 0, or -1 when the user
/// declined at the confirmation.
int run_tarvex(lira::Console& con);

}  // namespace tarvex
