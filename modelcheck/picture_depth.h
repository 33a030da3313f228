// What stands before what in the picture, worked out in the view's own
// pixels where two things overlap: the painter's order of the detailed view,
// and the hidden parts of bars and supports in the outline view, which draws
// no faces. Nothing here knows the model: only screen points and depths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace modelcheck {

/// A thing in the view: a face of 3 or 4 corners, a segment of 2 (a bar, a
/// link, a line load's band) or a point (a support, whose triangle stands
/// below its point). Screen x and y grow to the right and down; the depth
/// grows toward the viewer; all in pixels.
struct DepthItem {
  int count = 0;
  double x[4] = {}, y[4] = {}, depth[4] = {};
};

/// The support's triangle below its point, in pixels: its half width and height.
constexpr double kSupportHalfWidth = 6, kSupportHeight = 10;

/// The order to draw `items` back to front. `items` come in a rough order
/// (the depth of their centres); where two overlap on the screen the one
/// that stands before the other at the overlap is drawn after it, and
/// otherwise the rough order is kept. A support is a symbol: where no face
/// hides its point it is drawn over what its triangle overlaps (the plate
/// it stands on too); where one does, all that stands before its point
/// hides it, and `hidden_points` (where given) counts it.
std::vector<std::size_t> paint_order(const std::vector<DepthItem>& items, std::size_t* hidden_points = nullptr);

/// The items of a view by the cells of a square grid over their boxes.
struct ScreenGrid {
  double x0 = 0, y0 = 0, cell = 1;
  int nx = 1, ny = 1;
  std::vector<std::uint32_t> start, index;  // cell c: index[start[c] .. start[c + 1])

  explicit ScreenGrid(const std::vector<DepthItem>& items);
  int column(double x) const;
  int row(double y) const;
};

/// Faces that hide what lies behind them, for a view that draws no faces.
class Occluders {
 public:
  explicit Occluders(std::vector<DepthItem> faces);
  /// A face covers the point (x, y) and stands before `depth`.
  bool hidden(double x, double y, double depth) const;
  /// The parts [t0, t1] of segment `s` (t 0 at its first end, 1 at its
  /// second) that no face hides, in order along it.
  std::vector<std::pair<double, double>> visible_parts(const DepthItem& s) const;

 private:
  std::vector<DepthItem> faces_;
  ScreenGrid grid_;
  mutable std::vector<std::uint32_t> stamp_;  // the last query that met each face
  mutable std::uint32_t query_ = 0;
};

}  // namespace modelcheck
