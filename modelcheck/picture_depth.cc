#include "picture_depth.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>

namespace modelcheck {
namespace {

/// Depths closer than this (a hundredth of a pixel) are the same: faces that
/// share a plane, a bar on a face's edge, a support on a plate.
constexpr double kSameDepth = 0.01;
/// Overlaps smaller than these are touches: neighbours that share an edge.
constexpr double kLeastArea = 0.01, kLeastLength = 0.25;
/// A point this far inside a face's edges is covered by it: its edges too,
/// so that a point on the edge shared by two faces before it is hidden.
constexpr double kInside = -0.01;
/// Pairs looked at in one cell at most: a heap of coincident elements keeps its rough order.
constexpr std::size_t kCellCrowd = 1000;

struct Box {
  double x0, y0, x1, y1;
};

Box box_of(const DepthItem& a) {
  if (a.count == 1) {
    return Box{a.x[0] - kSupportHalfWidth, a.y[0], a.x[0] + kSupportHalfWidth, a.y[0] + kSupportHeight};
  }
  Box b{a.x[0], a.y[0], a.x[0], a.y[0]};
  for (int i = 1; i < a.count; ++i) {
    b.x0 = std::min(b.x0, a.x[i]), b.x1 = std::max(b.x1, a.x[i]);
    b.y0 = std::min(b.y0, a.y[i]), b.y1 = std::max(b.y1, a.y[i]);
  }
  return b;
}

/// A convex polygon in the screen, its corners counter-clockwise as the
/// screen shows them (y down), no two the same.
struct Polygon {
  int n = 0;
  double x[12], y[12];
};

double signed_area(const Polygon& p) {
  double a = 0;
  for (int i = 0; i < p.n; ++i) {
    int j = (i + 1) % p.n;
    a += p.x[i] * p.y[j] - p.x[j] * p.y[i];
  }
  return a / 2;
}

/// The item's outline in the screen: a face's corners, a support's triangle;
/// n < 3 where it covers no area (a face seen edge on).
Polygon polygon_of(const DepthItem& a) {
  Polygon p;
  if (a.count == 1) {
    double x = a.x[0], y = a.y[0];
    p.n = 3;
    p.x[0] = x, p.y[0] = y, p.x[1] = x - kSupportHalfWidth, p.y[1] = y + kSupportHeight;
    p.x[2] = x + kSupportHalfWidth, p.y[2] = y + kSupportHeight;
  } else {
    for (int i = 0; i < a.count; ++i) {
      if (p.n > 0 && std::fabs(a.x[i] - p.x[p.n - 1]) < 1e-9 && std::fabs(a.y[i] - p.y[p.n - 1]) < 1e-9) continue;
      p.x[p.n] = a.x[i], p.y[p.n] = a.y[i], ++p.n;
    }
    if (p.n > 1 && std::fabs(p.x[0] - p.x[p.n - 1]) < 1e-9 && std::fabs(p.y[0] - p.y[p.n - 1]) < 1e-9) --p.n;
  }
  double area = p.n >= 3 ? signed_area(p) : 0;
  if (std::fabs(area) < kLeastArea) p.n = 0;
  if (area > 0) {  // clockwise on the screen: turn it round
    std::reverse(p.x, p.x + p.n);
    std::reverse(p.y, p.y + p.n);
  }
  return p;
}

/// Where the point lies left of edge i (inside), in pixels.
double inside_by(const Polygon& p, int i, double x, double y) {
  int j = (i + 1) % p.n;
  double ex = p.x[j] - p.x[i], ey = p.y[j] - p.y[i];
  double l = std::hypot(ex, ey);
  return l > 0 ? (ey * (x - p.x[i]) - ex * (y - p.y[i])) / l : 0;
}

bool covers(const Polygon& p, double x, double y, double margin) {
  if (p.n < 3) return false;
  for (int i = 0; i < p.n; ++i) {
    if (inside_by(p, i, x, y) < margin) return false;
  }
  return true;
}

/// The part of `a` inside `b` (both convex).
Polygon clip(const Polygon& a, const Polygon& b) {
  Polygon out = a;
  for (int e = 0; e < b.n && out.n > 0; ++e) {
    Polygon in = out;
    out.n = 0;
    for (int i = 0; i < in.n; ++i) {
      int j = (i + 1) % in.n;
      double di = inside_by(b, e, in.x[i], in.y[i]), dj = inside_by(b, e, in.x[j], in.y[j]);
      if (di >= 0 && out.n < 12) out.x[out.n] = in.x[i], out.y[out.n] = in.y[i], ++out.n;
      if ((di >= 0) != (dj >= 0) && out.n < 12) {
        double t = di / (di - dj);
        out.x[out.n] = in.x[i] + t * (in.x[j] - in.x[i]), out.y[out.n] = in.y[i] + t * (in.y[j] - in.y[i]);
        ++out.n;
      }
    }
  }
  return out;
}

/// The depth of a face at screen point (x, y): on the triangle 0 1 2 or
/// 0 2 3, whichever holds the point better, so that a warped face is followed.
double depth_at(const DepthItem& f, double x, double y) {
  double best = -1e300, depth = f.depth[0];
  for (int t = 0; t + 2 < std::max(f.count, 3) && t < 2; ++t) {
    int i = 0, j = t + 1, k = std::min(t + 2, f.count - 1);
    double det = (f.x[j] - f.x[i]) * (f.y[k] - f.y[i]) - (f.x[k] - f.x[i]) * (f.y[j] - f.y[i]);
    if (std::fabs(det) < 1e-12) continue;
    double u = ((x - f.x[i]) * (f.y[k] - f.y[i]) - (f.x[k] - f.x[i]) * (y - f.y[i])) / det;
    double v = ((f.x[j] - f.x[i]) * (y - f.y[i]) - (x - f.x[i]) * (f.y[j] - f.y[i])) / det;
    double fit = std::min({u, v, 1 - u - v});
    if (fit <= best) continue;
    best = fit;
    depth = f.depth[i] + u * (f.depth[j] - f.depth[i]) + v * (f.depth[k] - f.depth[i]);
  }
  return depth;
}

/// The part [t0, t1] of segment s inside polygon p; t0 > t1 where none.
std::pair<double, double> clip_segment(const DepthItem& s, const Polygon& p) {
  double t0 = 0, t1 = 1;
  for (int e = 0; e < p.n && t0 <= t1; ++e) {
    double f0 = inside_by(p, e, s.x[0], s.y[0]), f1 = inside_by(p, e, s.x[1], s.y[1]);
    if (f0 < 0 && f1 < 0) return {1, 0};
    if (f0 < 0) t0 = std::max(t0, f0 / (f0 - f1));
    if (f1 < 0) t1 = std::min(t1, f0 / (f0 - f1));
  }
  return {t0, t1};
}

double segment_length(const DepthItem& s) { return std::hypot(s.x[1] - s.x[0], s.y[1] - s.y[0]); }

/// +1 where the first stands before the second at (x, y), -1 where behind, 0 the same.
int compare(double first, double second) {
  if (first > second + kSameDepth) return 1;
  if (first < second - kSameDepth) return -1;
  return 0;
}

// Each pair below answers +1 where `a` is to be drawn after `b`, -1 before, 0 either.

int face_face(const DepthItem& a, const DepthItem& b) {
  Polygon pa = polygon_of(a), pb = polygon_of(b);
  if (pa.n < 3 || pb.n < 3) return 0;
  Polygon both = clip(pa, pb);
  if (both.n < 3) return 0;
  double area = -signed_area(both);
  if (area < kLeastArea) return 0;
  double cx = 0, cy = 0;
  for (int i = 0; i < both.n; ++i) cx += both.x[i], cy += both.y[i];
  cx /= both.n, cy /= both.n;
  return compare(depth_at(a, cx, cy), depth_at(b, cx, cy));
}

int segment_face(const DepthItem& s, const DepthItem& f) {
  Polygon p = polygon_of(f);
  if (p.n < 3) return 0;
  auto [t0, t1] = clip_segment(s, p);
  if ((t1 - t0) * segment_length(s) < kLeastLength) return 0;
  double t = (t0 + t1) / 2;
  double x = s.x[0] + t * (s.x[1] - s.x[0]), y = s.y[0] + t * (s.y[1] - s.y[0]);
  return compare(s.depth[0] + t * (s.depth[1] - s.depth[0]), depth_at(f, x, y));
}

int segment_segment(const DepthItem& a, const DepthItem& b) {
  double dx = a.x[1] - a.x[0], dy = a.y[1] - a.y[0], ex = b.x[1] - b.x[0], ey = b.y[1] - b.y[0];
  double det = dx * ey - dy * ex;
  if (std::fabs(det) < 1e-9) return 0;
  double t = ((b.x[0] - a.x[0]) * ey - (b.y[0] - a.y[0]) * ex) / det;
  double u = ((b.x[0] - a.x[0]) * dy - (b.y[0] - a.y[0]) * dx) / det;
  // Segments that meet at an end (a bar and the next) do not cross.
  double ta = kLeastLength / std::max(segment_length(a), 1e-9), tb = kLeastLength / std::max(segment_length(b), 1e-9);
  if (t < ta || t > 1 - ta || u < tb || u > 1 - tb) return 0;
  return compare(a.depth[0] + t * (a.depth[1] - a.depth[0]), b.depth[0] + u * (b.depth[1] - b.depth[0]));
}

/// A support and anything else. A support whose point no face hides is a
/// symbol drawn over what its triangle overlaps, but for a bar that passes
/// before its point; a support whose point a face hides stands at its
/// node's depth, so that what hides its point hides the whole triangle.
int support_other(const DepthItem& s, bool hidden, const DepthItem& o) {
  double x = s.x[0], y = s.y[0];
  Polygon tri = polygon_of(s);
  if (o.count == 1) {
    Polygon both = clip(tri, polygon_of(o));
    return both.n >= 3 && -signed_area(both) >= kLeastArea ? compare(s.depth[0], o.depth[0]) : 0;
  }
  if (o.count == 2) {
    auto [t0, t1] = clip_segment(o, tri);
    if ((t1 - t0) * segment_length(o) < kLeastLength) return 0;
    double dx = o.x[1] - o.x[0], dy = o.y[1] - o.y[0], l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? std::clamp(((x - o.x[0]) * dx + (y - o.y[0]) * dy) / l2, 0.0, 1.0) : 0;
    if (hidden) t = (t0 + t1) / 2;
    else if (std::hypot(o.x[0] + t * dx - x, o.y[0] + t * dy - y) >= 1.5) return 1;
    return compare(o.depth[0] + t * (o.depth[1] - o.depth[0]), s.depth[0]) > 0 ? -1 : 1;
  }
  Polygon face = polygon_of(o), both = clip(tri, face);
  if (face.n < 3 || both.n < 3 || -signed_area(both) < kLeastArea) return 0;
  if (!hidden) return 1;
  double cx = 0, cy = 0;
  for (int i = 0; i < both.n; ++i) cx += both.x[i], cy += both.y[i];
  return compare(depth_at(o, cx / both.n, cy / both.n), s.depth[0]) > 0 ? -1 : 1;
}

int order_of(const DepthItem& a, bool a_hidden, const DepthItem& b, bool b_hidden) {
  if (a.count == 1) return support_other(a, a_hidden, b);
  if (b.count == 1) return -support_other(b, b_hidden, a);
  if (a.count == 2 && b.count == 2) return segment_segment(a, b);
  if (a.count == 2) return segment_face(a, b);
  if (b.count == 2) return -segment_face(b, a);
  return face_face(a, b);
}

/// A face covers the point and stands before it.
bool face_hides(const DepthItem& f, double x, double y, double depth) {
  return f.count >= 3 && covers(polygon_of(f), x, y, kInside) && compare(depth_at(f, x, y), depth) > 0;
}

/// Where two boxes overlap, the cell of the overlap's corner: the one cell
/// that looks at the pair.
bool overlap_corner(const Box& a, const Box& b, double& x, double& y) {
  x = std::max(a.x0, b.x0), y = std::max(a.y0, b.y0);
  return x <= std::min(a.x1, b.x1) && y <= std::min(a.y1, b.y1);
}

}  // namespace

ScreenGrid::ScreenGrid(const std::vector<DepthItem>& items) {
  if (items.empty()) {
    start.assign(2, 0);
    return;
  }
  Box all = box_of(items[0]);
  for (const DepthItem& a : items) {
    Box b = box_of(a);
    all.x0 = std::min(all.x0, b.x0), all.y0 = std::min(all.y0, b.y0);
    all.x1 = std::max(all.x1, b.x1), all.y1 = std::max(all.y1, b.y1);
  }
  double w = std::max(all.x1 - all.x0, 1.0), h = std::max(all.y1 - all.y0, 1.0);
  if (!std::isfinite(w) || !std::isfinite(h)) all.x0 = all.y0 = 0, w = h = 1;  // a node at no number
  // Cells of about two items each, no smaller than a pixel, and not too many.
  cell = std::max({std::sqrt(2 * w * h / static_cast<double>(items.size())), 1.0, std::sqrt(w * h / 4e6)});
  x0 = all.x0, y0 = all.y0;
  nx = static_cast<int>(w / cell) + 1, ny = static_cast<int>(h / cell) + 1;
  std::size_t cells = static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny);
  start.assign(cells + 1, 0);
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    if (pass == 1) index.resize(start.back());
    for (std::size_t i = 0; i < items.size(); ++i) {
      Box b = box_of(items[i]);
      for (int r = row(b.y0); r <= row(b.y1); ++r) {
        for (int c = column(b.x0); c <= column(b.x1); ++c) {
          std::size_t k = static_cast<std::size_t>(r) * static_cast<std::size_t>(nx) + static_cast<std::size_t>(c);
          if (pass == 0) ++start[k + 1];
          else index[next[k]++] = static_cast<std::uint32_t>(i);
        }
      }
    }
    if (pass == 0) {
      for (std::size_t k = 0; k < cells; ++k) start[k + 1] += start[k];
    }
  }
}

int ScreenGrid::column(double x) const {
  double c = std::floor((x - x0) / cell);
  return static_cast<int>(std::clamp(std::isfinite(c) ? c : 0.0, 0.0, static_cast<double>(nx - 1)));
}

int ScreenGrid::row(double y) const {
  double r = std::floor((y - y0) / cell);
  return static_cast<int>(std::clamp(std::isfinite(r) ? r : 0.0, 0.0, static_cast<double>(ny - 1)));
}

std::vector<std::size_t> paint_order(const std::vector<DepthItem>& items, std::size_t* hidden_points) {
  std::size_t n = items.size();
  ScreenGrid grid(items);
  std::vector<Box> boxes(n);
  for (std::size_t i = 0; i < n; ++i) boxes[i] = box_of(items[i]);
  // The supports whose point a face hides.
  std::vector<bool> hidden(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (items[i].count != 1) continue;
    std::size_t k = static_cast<std::size_t>(grid.row(items[i].y[0])) * static_cast<std::size_t>(grid.nx) +
                    static_cast<std::size_t>(grid.column(items[i].x[0]));
    for (std::uint32_t p = grid.start[k]; p < grid.start[k + 1] && !hidden[i]; ++p) {
      hidden[i] = face_hides(items[grid.index[p]], items[i].x[0], items[i].y[0], items[i].depth[0]);
    }
  }
  if (hidden_points != nullptr) {
    *hidden_points = static_cast<std::size_t>(std::count(hidden.begin(), hidden.end(), true));
  }
  std::vector<std::pair<std::uint32_t, std::uint32_t>> edges;  // (drawn first, drawn after)
  for (int r = 0; r < grid.ny; ++r) {
    for (int c = 0; c < grid.nx; ++c) {
      std::size_t k = static_cast<std::size_t>(r) * static_cast<std::size_t>(grid.nx) + static_cast<std::size_t>(c);
      std::uint32_t from = grid.start[k], to = std::min<std::uint32_t>(grid.start[k + 1], grid.start[k] + kCellCrowd);
      for (std::uint32_t p = from; p < to; ++p) {
        for (std::uint32_t q = p + 1; q < to; ++q) {
          std::uint32_t i = grid.index[p], j = grid.index[q];
          double x, y;
          if (!overlap_corner(boxes[i], boxes[j], x, y) || grid.column(x) != c || grid.row(y) != r) continue;
          int o = order_of(items[i], hidden[i], items[j], hidden[j]);
          if (o > 0) edges.emplace_back(j, i);
          if (o < 0) edges.emplace_back(i, j);
        }
      }
    }
  }
  std::vector<std::uint32_t> first(n + 1, 0), after(edges.size()), waiting(n, 0);
  for (const auto& [a, b] : edges) ++first[a + 1], ++waiting[b];
  for (std::size_t i = 0; i < n; ++i) first[i + 1] += first[i];
  std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
  for (const auto& [a, b] : edges) after[next[a]++] = b;

  // The rough order wherever nothing forbids it; a ring of "before" (faces
  // that overlap each other round) is broken at its first item.
  std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<std::uint32_t>> ready;
  for (std::size_t i = 0; i < n; ++i) {
    if (waiting[i] == 0) ready.push(static_cast<std::uint32_t>(i));
  }
  std::vector<bool> placed(n, false);
  std::vector<std::size_t> order;
  order.reserve(n);
  std::size_t forced = 0;
  while (order.size() < n) {
    if (ready.empty()) {
      while (placed[forced]) ++forced;
      ready.push(static_cast<std::uint32_t>(forced));
    }
    std::uint32_t i = ready.top();
    ready.pop();
    if (placed[i]) continue;
    placed[i] = true;
    order.push_back(i);
    for (std::uint32_t e = first[i]; e < first[i + 1]; ++e) {
      if (--waiting[after[e]] == 0 && !placed[after[e]]) ready.push(after[e]);
    }
  }
  return order;
}

Occluders::Occluders(std::vector<DepthItem> faces) : faces_(std::move(faces)), grid_(faces_) {
  stamp_.assign(faces_.size(), 0);
}

bool Occluders::hidden(double x, double y, double depth) const {
  if (faces_.empty()) return false;
  std::size_t k = static_cast<std::size_t>(grid_.row(y)) * static_cast<std::size_t>(grid_.nx) +
                  static_cast<std::size_t>(grid_.column(x));
  for (std::uint32_t p = grid_.start[k]; p < grid_.start[k + 1]; ++p) {
    if (face_hides(faces_[grid_.index[p]], x, y, depth)) return true;
  }
  return false;
}

std::vector<std::pair<double, double>> Occluders::visible_parts(const DepthItem& s) const {
  std::vector<std::pair<double, double>> hidden;
  double length = segment_length(s);
  if (!faces_.empty()) {
    if (++query_ == 0) std::fill(stamp_.begin(), stamp_.end(), 0), query_ = 1;
    // The cells along the segment, a half cell apart.
    int steps = static_cast<int>(std::min(length / (grid_.cell / 2), 1e6)) + 1;
    for (int i = 0; i <= steps; ++i) {
      double t = static_cast<double>(i) / steps;
      std::size_t k =
          static_cast<std::size_t>(grid_.row(s.y[0] + t * (s.y[1] - s.y[0]))) * static_cast<std::size_t>(grid_.nx) +
          static_cast<std::size_t>(grid_.column(s.x[0] + t * (s.x[1] - s.x[0])));
      for (std::uint32_t p = grid_.start[k]; p < grid_.start[k + 1]; ++p) {
        std::uint32_t f = grid_.index[p];
        if (stamp_[f] == query_) continue;
        stamp_[f] = query_;
        Polygon poly = polygon_of(faces_[f]);
        if (poly.n < 3) continue;
        // However short the part inside (a model of many faces has faces
        // smaller than a pixel), it is hidden or not.
        auto [t0, t1] = clip_segment(s, poly);
        if (t1 <= t0) continue;
        // In front of the segment by how much, at both ends of the part inside.
        auto ahead = [&](double t) {
          double x = s.x[0] + t * (s.x[1] - s.x[0]), y = s.y[0] + t * (s.y[1] - s.y[0]);
          return depth_at(faces_[f], x, y) - (s.depth[0] + t * (s.depth[1] - s.depth[0])) - kSameDepth;
        };
        double a0 = ahead(t0), a1 = ahead(t1);
        if (a0 > 0 && a1 > 0) hidden.emplace_back(t0, t1);
        else if (a0 > 0) hidden.emplace_back(t0, t0 + (t1 - t0) * a0 / (a0 - a1));
        else if (a1 > 0) hidden.emplace_back(t0 + (t1 - t0) * a0 / (a0 - a1), t1);
      }
    }
  }
  std::sort(hidden.begin(), hidden.end());
  std::vector<std::pair<double, double>> seen;
  double from = 0;
  for (const auto& [h0, h1] : hidden) {
    if (h0 > from) seen.emplace_back(from, h0);
    from = std::max(from, h1);
  }
  if (from < 1) seen.emplace_back(from, 1.0);
  // Slivers between hidden parts are no part of the drawing.
  if (!hidden.empty()) {
    seen.erase(std::remove_if(seen.begin(), seen.end(),
                              [&](const auto& p) { return (p.second - p.first) * length < kLeastLength; }),
               seen.end());
  }
  return seen;
}

}  // namespace modelcheck
