// Document 5: the supports of the model as D commands.
#pragma once

#include "run.h"

namespace tarvex {

void write_constraints(Run& run);

}  // namespace tarvex
