// Reinforced concrete slab stiffnesses ("GENE14/"): three layers of solids.
#pragma once

#include <cstdint>

#include "run.h"

namespace tarvex {

/// Reads the rest of a "GENE14/" stiffness numbered `v` (its kind token has
/// been read and echoed), writes its concrete and steel materials and three
/// real-constant sets, and fills its attribute texts and layer thicknesses.
void read_solid_stiffness(Run& run, std::int32_t v);

}  // namespace tarvex
