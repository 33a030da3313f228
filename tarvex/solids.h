// Reinforced concrete slab stiffnesses ("GENE14/"): three layers of solids.
#pragma once

#include <cstdint>

#include "common/conversion_rules.h"
#include "common/model_reader.h"
#include "run.h"

namespace tarvex {

using lira::kRowMax;
using lira::ReinforcementRow;
using lira::slab_layers;
using lira::SlabLayers;

/// Writes the concrete and steel materials and the three real-constant sets
/// of a "GENE14/" stiffness as read, and fills its attribute texts and layer
/// thicknesses.
void write_solid_stiffness(Run& run, const lira::StiffnessRecord& r);

}  // namespace tarvex
