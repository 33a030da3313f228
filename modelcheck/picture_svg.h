// The picture's scene written as an SVG drawing that any browser opens.
#pragma once

#include <string>

#include "picture_scene.h"

namespace modelcheck {

/// Writes `scene` to `path`; false when the file cannot be written.
bool write_scene_svg(const Scene& scene, const std::string& path);

}  // namespace modelcheck
