// The picture of the script's model as a scene: what to draw, in what order
// and where, in the drawing's pixels. Plates and slab layers are faces filled
// by their stiffness (material), bars lines, links dashed lines with a ring
// at their first node, supports triangles; one load step's nodal forces are
// arrows, its pressures a red shade and its line loads a red band. A model of
// many elements is drawn as its outline, so that the file stays small enough
// to open. The writer (picture_svg.h) turns the scene into a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "apdl_script.h"
#include "geometry.h"

namespace modelcheck {

/// The drawing: the view on the left, the legend on its right.
constexpr double kViewWidth = 900, kViewHeight = 700, kLegendWidth = 430, kViewMargin = 30;
/// Elements drawn one by one; beyond this the outline is drawn.
constexpr std::size_t kDetailLimit = 10000;
/// Arrows and bars drawn at most in the outline view.
constexpr std::size_t kArrowLimit = 300, kLineLimit = 5000;

/// The isometric view: X runs to the upper right, Y to the upper left, Z up.
struct Projection {
  double scale = 1, ox = 0, oy = 0;

  static double iso_x(Point p) { return (p.x - p.y) * 0.8660254037844386; }
  static double iso_y(Point p) { return -((p.x + p.y) * 0.5 + p.z); }
  double x(Point p) const { return ox + scale * iso_x(p); }
  double y(Point p) const { return oy + scale * iso_y(p); }
  /// Toward the viewer, in pixels.
  double depth(Point p) const;
};

/// One thing drawn in the view, in pixels.
struct Shape {
  enum Kind {
    kFace,      // corners, `color` its lit fill
    kPressure,  // corners of the face under pressure, `strength` the shade's opacity
    kBar,       // ends, `color` the material's
    kLink,      // ends, `color` the material's
    kLineLoad,  // ends of the bar, `strength` the band's opacity
    kSupport,   // the supported node, the triangle's point
    kEdge,      // ends of an edge of the outline
    kForce,     // ends of an arrow: its tail, then the node
    kMoment,    // the same, with two heads
  };
  Kind kind = kFace;
  int count = 0;
  double x[4] = {}, y[4] = {};
  std::string color;
  double strength = 0;
};

/// One line of the legend: its text at (x, y), after a colour square
/// 20 pixels to its left where `swatch` names a fill.
struct LegendLine {
  enum Style { kPlain, kHeading, kWarning };
  double x = 0, y = 0;
  std::string text;
  Style style = kPlain;
  std::string swatch;
};

/// What to show: the script's name and, for a load case, its load step.
struct SceneRequest {
  std::string script_name;
  const LoadStep* loads = nullptr;  // none: no load case shown
  int load_case = 0, step = 0;
  bool step_from_model = false;  // the load case found in the model's list
};

struct Scene {
  bool detailed = true;        // false: the outline view
  std::vector<Shape> shapes;   // back to front
  std::vector<LegendLine> legend;
  std::int64_t node_count = 0;
  std::size_t element_count = 0;
};

Scene build_scene(const ScriptModel& s, const SceneRequest& request);

/// The view fitted into the drawing with its margin: every defined node
/// inside, and the tails of `arrows` (node, then the tail's offset from its
/// screen point in pixels) inside too.
struct ArrowReach {
  Point node;
  double dx = 0, dy = 0;
};
Projection fit_view(const ScriptModel& s, const std::vector<ArrowReach>& arrows);

/// `text` shortened in its middle ("...") to fit `room` pixels of 13-pixel
/// text (bold when `bold`); texts that fit are kept as they are.
std::string fit_text(const std::string& text, double room, bool bold = false);

/// A number for the legend: as the script writes numbers, never "-0".
std::string legend_number(double v);

}  // namespace modelcheck
