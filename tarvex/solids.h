// Reinforced concrete slab stiffnesses ("GENE14/"): three layers of solids.
#pragma once

#include <cstdint>

#include "run.h"

namespace tarvex {

/// Reads the rest of a "GENE14/" stiffness numbered `v` (its kind token has
/// been read and echoed), writes its concrete and steel materials and three
/// real-constant sets, and fills its attribute texts and layer thicknesses.
void read_solid_stiffness(Run& run, std::int32_t v);

/// One row of reinforcement: its areas a and b, and its level z in
/// centimetres from the middle of the slab.
struct ReinforcementRow {
  double a = 0, b = 0, z = 0;
};
/// The rows that one stiffness may have.
constexpr int kRowMax = 64;

/// The three layers of a slab: the bottom one holds the lower reinforcement
/// level, the top one the upper level, the middle one none.
struct SlabLayers {
  double t_bottom = 0, t_middle = 0, t_top = 0;
  // Reinforcement ratios: the summed areas of a level over its layer's
  // thickness, over 100.
  double bottom_b = 0, bottom_a = 0;
  double top_b = 0, top_a = 0;
};

/// The layers of stiffness `v`, a slab `t` thick whose rows lie on exactly
/// two levels: the lower in the lower quarter of the slab, the upper in the
/// upper quarter. Each layer with a level is twice as thick as the level's
/// distance from its face. Other rows stop the run.
SlabLayers slab_layers(std::int32_t v, const ReinforcementRow* rows, int row_count, double t);

}  // namespace tarvex
