// The vantrel run from the banner to the last message.
#pragma once

#include "common/console.h"

namespace vantrel {

/// Adds the loads of loadfrag.txt of the working directory to model.txt and
/// writes the result as modelnew.txt; model.txt is only read. Asks nothing,
/// waits for a key at the end, and always returns the exit code 0.
int run_vantrel(lira::Console& con);

}  // namespace vantrel
