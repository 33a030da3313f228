// Document 7 into loades.tmp; the load-case list of document 16.
#pragma once

#include "run.h"

namespace tarvex {

/// Document 7 into loades.tmp, then documents 12 and 16: the load-case list.
void read_load_values(Run& run);

}  // namespace tarvex
