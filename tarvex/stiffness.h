// Document 3: element types, materials, real constants and the stiffness table.
#pragma once

#include "run.h"

namespace tarvex {

/// Reads document 3 from the start of modellir.txt, writes the materials and
/// real-constant sets of every stiffness, and fills the stiffness table. Leaves
/// modellir.txt just after the ')' of document 3.
void read_stiffness_document(Run& run);

}  // namespace tarvex
