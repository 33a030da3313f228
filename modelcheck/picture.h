// modelcheck --picture: model.svg, an isometric view of the model that the
// script builds, for any browser (the scene in picture_scene.h, its writer
// in picture_svg.h).
#pragma once

#include <ostream>

#include "options.h"

namespace modelcheck {

/// Reads the script (and, for --case, the model's list of load cases),
/// writes model.svg and says so on `out`; returns the exit code.
int draw_picture(const Options& options, std::ostream& out);

}  // namespace modelcheck
