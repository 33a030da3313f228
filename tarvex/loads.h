// Document 6: every load case as a load step.
#pragma once

#include "run.h"

namespace tarvex {

void apply_loads(Run& run);

}  // namespace tarvex
