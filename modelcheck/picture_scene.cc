#include "picture_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "common/lira_types.h"
#include "common/number_format.h"
#include "picture_depth.h"

namespace modelcheck {
namespace {

/// Arrows keep this far inside the view's edges, in pixels.
constexpr double kArrowPad = 5;

const char* const kPalette[] = {"#4e79a7", "#f28e2b", "#59a14f", "#b07aa1", "#edc948", "#76b7b2",
                                "#ff9da7", "#9c755f", "#bab0ac", "#86bcb6", "#8cd17d", "#d4a6c8"};
constexpr int kPaletteSize = sizeof kPalette / sizeof kPalette[0];

// The solid's faces, each round in the order that makes its normal point out
// of a solid whose bottom face runs counter-clockwise seen from above.
const int kSolidFaces[6][4] = {{3, 2, 1, 0}, {4, 5, 6, 7}, {0, 1, 5, 4},
                               {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
// The nodes of an SFE face of a solid (faces 1 to 6).
const int kPressureFaces[7][4] = {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 5, 4}, {1, 2, 6, 5},
                                  {2, 3, 7, 6}, {3, 0, 4, 7}, {4, 5, 6, 7}};

const Point kTowardViewer{-1 / std::sqrt(3.0), -1 / std::sqrt(3.0), 1 / std::sqrt(3.0)};

std::string color_of(const char* hex, double light) {
  unsigned r = 0, g = 0, b = 0;
  std::sscanf(hex + 1, "%2x%2x%2x", &r, &g, &b);
  char text[8];
  auto c = [&](unsigned v) { return static_cast<unsigned>(std::min(255.0, v * light)); };
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c(r), c(g), c(b));
  return text;
}

/// The model as the view shows it: node positions, and the colour of each material in use.
struct View {
  const ScriptModel& s;
  Projection proj;
  std::vector<int> materials;  // in order: their colours

  Point node(std::int32_t n) const {
    if (n < 1 || n >= static_cast<std::int64_t>(s.nodes.size())) return Point{};
    const ScriptNode& p = s.nodes[static_cast<std::size_t>(n)];
    return Point{p.x, p.y, p.z};
  }
  bool known(std::int32_t n) const {
    return n >= 1 && n < static_cast<std::int64_t>(s.nodes.size()) && s.nodes[static_cast<std::size_t>(n)].defined;
  }
  const char* fill_of(int mat) const {
    auto it = std::find(materials.begin(), materials.end(), mat);
    return kPalette[(it - materials.begin()) % kPaletteSize];
  }
  DepthItem item(const Point* p, int count) const {
    DepthItem d;
    d.count = count;
    for (int i = 0; i < count; ++i) d.x[i] = proj.x(p[i]), d.y[i] = proj.y(p[i]), d.depth[i] = proj.depth(p[i]);
    return d;
  }
};

Shape shape_of(Shape::Kind kind, const DepthItem& d, std::string color, double strength = 0) {
  Shape s;
  s.kind = kind, s.count = d.count, s.color = std::move(color), s.strength = strength;
  std::copy(d.x, d.x + 4, s.x);
  std::copy(d.y, d.y + 4, s.y);
  return s;
}

/// The loads of the load step shown, as the view and the legend use them.
struct Loads {
  const LoadStep* step = nullptr;
  // Pressures by element (index), with their face and value, for the shade.
  std::vector<std::pair<std::uint32_t, std::pair<int, double>>> shaded;
  double most_pressure = 0, least_pressure = 0, most_line = 0, pressure_scale = 0;
  double most_force = 0, least_force = 0;
  std::size_t arrows = 0, drawable = 0;  // drawn; of a known node and not 0
};

/// What the view left out of sight, for the legend.
struct Unseen {
  std::size_t supports = 0;  // hidden by faces before them
};

Loads loads_of(const ScriptModel& s, const LoadStep* step) {
  Loads l;
  l.step = step;
  if (step == nullptr) return l;
  for (const ScriptLoad& p : step->pressures) {
    if (p.target >= 1 && p.target <= static_cast<std::int64_t>(s.elements.size())) {
      l.shaded.push_back({static_cast<std::uint32_t>(p.target - 1), {p.label, p.value}});
    }
    l.most_pressure = l.shaded.size() == 1 ? p.value : std::max(l.most_pressure, p.value);
    l.least_pressure = l.shaded.size() == 1 ? p.value : std::min(l.least_pressure, p.value);
  }
  for (const ScriptLoad& p : step->beam_pressures) l.most_line = std::max(l.most_line, std::fabs(p.value));
  std::sort(l.shaded.begin(), l.shaded.end());
  l.pressure_scale = std::max(std::fabs(l.most_pressure), std::fabs(l.least_pressure));
  for (std::size_t i = 0; i < step->forces.size(); ++i) {
    double v = step->forces[i].value;
    l.most_force = i == 0 ? v : std::max(l.most_force, v);
    l.least_force = i == 0 ? v : std::min(l.least_force, v);
  }
  return l;
}

/// A nodal force or moment to draw: an arrow ending at the node, from a tail
/// 25 to 60 pixels away along the load's axis as the view shows it.
struct Arrow {
  std::int32_t node = 0;
  double dx = 0, dy = 0;  // from the node to the tail, in pixels
  bool moment = false;
};

/// The arrows of the load step, the largest first; the outline view draws the largest only.
std::vector<Arrow> plan_arrows(const View& view, const Loads& loads, bool detailed) {
  std::vector<Arrow> arrows;
  if (loads.step == nullptr) return arrows;
  std::vector<ScriptLoad> forces = loads.step->forces;
  std::sort(forces.begin(), forces.end(),
            [](const ScriptLoad& a, const ScriptLoad& b) { return std::fabs(a.value) > std::fabs(b.value); });
  double largest = forces.empty() ? 1 : std::max(std::fabs(forces.front().value), 1e-300);
  for (const ScriptLoad& f : forces) {
    if (!view.known(f.target) || (!detailed && arrows.size() == kArrowLimit) || f.value == 0) continue;
    Point axis{f.label % 3 == 0 ? 1.0 : 0, f.label % 3 == 1 ? 1.0 : 0, f.label % 3 == 2 ? 1.0 : 0};
    double sign = f.value > 0 ? 1 : -1;
    double dx = Projection::iso_x(axis) * sign, dy = Projection::iso_y(axis) * sign;
    double l = std::hypot(dx, dy);
    if (l < 1e-9) dx = 0, dy = -1, l = 1;
    double size = 25 + 35 * std::fabs(f.value) / largest;
    arrows.push_back(Arrow{f.target, -dx / l * size, -dy / l * size, f.label >= 3});
  }
  return arrows;
}

std::vector<std::int32_t> supported_nodes(const ScriptModel& s) {
  std::vector<std::int32_t> supported;
  for (const ScriptSupport& p : s.supports) supported.push_back(p.node);
  std::sort(supported.begin(), supported.end());
  supported.erase(std::unique(supported.begin(), supported.end()), supported.end());
  return supported;
}

/// The line loads on bars: the bar's element and the band's opacity.
std::vector<std::pair<std::size_t, double>> bands_of(const ScriptModel& s, const Loads& loads) {
  std::vector<std::pair<std::size_t, double>> bands;
  if (loads.step == nullptr) return bands;
  for (const ScriptLoad& l : loads.step->beam_pressures) {
    if (l.target < 1 || l.target > static_cast<std::int64_t>(s.elements.size())) continue;
    std::size_t k = static_cast<std::size_t>(l.target - 1);
    if (s.elements[k].node_count != 2) continue;
    double opacity = 0.2 + 0.5 * std::fabs(l.value) / std::max(loads.most_line, 1e-300);
    bands.emplace_back(k, opacity);
  }
  return bands;
}

// ---------------------------------------------------------------- the detailed view

/// A thing of the detailed view before its place in the painter's order.
struct Piece {
  enum Kind { kLine, kPlate, kSolidFace, kBand, kSupport } kind;
  std::size_t element;  // or the support's node
  int face = 0;         // a solid's face 0..5
  double strength = 0;  // a band's opacity
};

/// The faces of the elements that face the viewer, their bars and links,
/// rough-ordered by the depth of their centres.
void element_pieces(const View& view, std::vector<Piece>& pieces, std::vector<DepthItem>& items) {
  struct Rough {
    double depth;
    Piece piece;
    DepthItem item;
  };
  std::vector<Rough> rough;
  const ScriptModel& s = view.s;
  for (std::size_t k = 0; k < s.elements.size(); ++k) {
    const ScriptElement& e = s.elements[k];
    Point p[8];
    double d = 0;
    for (int i = 0; i < e.node_count; ++i) p[i] = view.node(e.node[i]), d += dot(p[i], kTowardViewer);
    if (e.node_count == 2) rough.push_back(Rough{d / 2, Piece{Piece::kLine, k}, view.item(p, 2)});
    if (e.node_count == 4) rough.push_back(Rough{d / 4, Piece{Piece::kPlate, k}, view.item(p, 4)});
    if (e.node_count != 8) continue;
    // The orientation of the solid's node order: bottom face counter-clockwise
    // seen from its top face, or the other way round.
    Point a = minus(p[1], p[0]), b = minus(p[3], p[0]), c = minus(p[4], p[0]);
    double turn = dot(cross(a, b), c) >= 0 ? 1 : -1;
    for (int f = 0; f < 6; ++f) {
      const int* q = kSolidFaces[f];
      Point n = cross(minus(p[q[2]], p[q[0]]), minus(p[q[3]], p[q[1]]));
      if (turn * dot(n, kTowardViewer) < 0) continue;  // faces away from the viewer
      Point corner[4];
      double fd = 0;
      for (int i = 0; i < 4; ++i) corner[i] = p[q[i]], fd += dot(corner[i], kTowardViewer);
      rough.push_back(Rough{fd / 4, Piece{Piece::kSolidFace, k, f}, view.item(corner, 4)});
    }
  }
  std::stable_sort(rough.begin(), rough.end(), [](const Rough& a, const Rough& b) { return a.depth < b.depth; });
  for (const Rough& r : rough) pieces.push_back(r.piece), items.push_back(r.item);
}

void face_shapes(const View& view, const Loads& loads, const Piece& piece, const DepthItem& item,
                 std::vector<Shape>& out) {
  const ScriptElement& e = view.s.elements[piece.element];
  double light = 1;
  if (piece.kind == Piece::kSolidFace) {
    Point q[4];
    for (int i = 0; i < 4; ++i) q[i] = view.node(e.node[kSolidFaces[piece.face][i]]);
    Point n = cross(minus(q[2], q[0]), minus(q[3], q[1]));
    double l = norm(n);
    light = l > 0 ? 0.7 + 0.3 * std::fabs(n.z / l) : 1;
  }
  out.push_back(shape_of(Shape::kFace, item, color_of(view.fill_of(e.mat), light)));
  // The pressures of the load step on this element, drawn on its face: on a
  // plate, and on the top face of a solid.
  if (piece.kind == Piece::kSolidFace && piece.face != 1) return;
  auto it = std::lower_bound(loads.shaded.begin(), loads.shaded.end(),
                             std::make_pair(static_cast<std::uint32_t>(piece.element), std::make_pair(-1, 0.0)));
  for (; it != loads.shaded.end() && it->first == piece.element; ++it) {
    const int* f = kPressureFaces[std::min(std::max(it->second.first, 1), 6)];
    Point r[4];
    for (int i = 0; i < 4; ++i) r[i] = view.node(e.node[e.node_count == 8 ? f[i] : i]);
    double shade = loads.pressure_scale > 0 ? 0.25 + 0.65 * std::fabs(it->second.second) / loads.pressure_scale : 0.25;
    out.push_back(shape_of(Shape::kPressure, view.item(r, 4), "", shade));
  }
}

/// The shapes back to front; returns the supports hidden by faces.
std::size_t detailed_shapes(const View& view, const Loads& loads, std::vector<Shape>& out) {
  std::vector<Piece> pieces;
  std::vector<DepthItem> items;
  element_pieces(view, pieces, items);
  const ScriptModel& s = view.s;
  // Bands and supports come last in the rough order: they are drawn over
  // what they share a place with, and under what stands before them.
  for (const auto& [k, opacity] : bands_of(s, loads)) {
    Point p[2] = {view.node(s.elements[k].node[0]), view.node(s.elements[k].node[1])};
    pieces.push_back(Piece{Piece::kBand, k, 0, opacity});
    items.push_back(view.item(p, 2));
  }
  for (std::int32_t n : supported_nodes(s)) {
    if (!view.known(n)) continue;
    Point p = view.node(n);
    pieces.push_back(Piece{Piece::kSupport, static_cast<std::size_t>(n)});
    items.push_back(view.item(&p, 1));
  }
  std::size_t hidden = 0;
  for (std::size_t i : paint_order(items, &hidden)) {
    const Piece& piece = pieces[i];
    const DepthItem& item = items[i];
    if (piece.kind == Piece::kPlate || piece.kind == Piece::kSolidFace) {
      face_shapes(view, loads, piece, item, out);
    } else if (piece.kind == Piece::kLine) {
      const ScriptElement& e = s.elements[piece.element];
      out.push_back(shape_of(e.type == lira::kLink8 ? Shape::kLink : Shape::kBar, item, view.fill_of(e.mat)));
    } else if (piece.kind == Piece::kBand) {
      out.push_back(shape_of(Shape::kLineLoad, item, "", piece.strength));
    } else {
      out.push_back(shape_of(Shape::kSupport, item, ""));
    }
  }
  return hidden;
}

// ---------------------------------------------------------------- the outline view

struct FaceNodes {
  std::int32_t n[4];
};

/// The plates and the outer faces of the solids (those no other solid shares).
std::vector<FaceNodes> outer_faces(const ScriptModel& s) {
  std::vector<FaceNodes> faces;
  struct SolidFace {
    std::int32_t key[4];
    std::uint32_t face;
  };
  std::vector<SolidFace> solid_faces;
  std::vector<FaceNodes> all_solid;
  for (const ScriptElement& e : s.elements) {
    if (e.node_count == 4) faces.push_back(FaceNodes{{e.node[0], e.node[1], e.node[2], e.node[3]}});
    if (e.node_count != 8) continue;
    for (const auto& f : kSolidFaces) {
      FaceNodes face{{e.node[f[0]], e.node[f[1]], e.node[f[2]], e.node[f[3]]}};
      SolidFace sf;
      std::copy(face.n, face.n + 4, sf.key);
      std::sort(sf.key, sf.key + 4);
      sf.face = static_cast<std::uint32_t>(all_solid.size());
      all_solid.push_back(face);
      solid_faces.push_back(sf);
    }
  }
  auto key_less = [](const SolidFace& a, const SolidFace& b) {
    return std::lexicographical_compare(a.key, a.key + 4, b.key, b.key + 4);
  };
  auto key_same = [](const SolidFace& a, const SolidFace& b) { return std::equal(a.key, a.key + 4, b.key); };
  std::sort(solid_faces.begin(), solid_faces.end(), key_less);
  for (std::size_t i = 0; i < solid_faces.size();) {
    std::size_t j = i + 1;
    while (j < solid_faces.size() && key_same(solid_faces[i], solid_faces[j])) ++j;
    if (j == i + 1) faces.push_back(all_solid[solid_faces[i].face]);
    i = j;
  }
  return faces;
}

/// The edges of the model's outline: edges of one face only, and edges where
/// the faces that meet bend.
std::vector<std::pair<std::int32_t, std::int32_t>> outline_edges(const View& view,
                                                                 const std::vector<FaceNodes>& faces) {
  std::vector<Point> normal(faces.size());
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const FaceNodes& f = faces[i];
    Point n = cross(minus(view.node(f.n[2]), view.node(f.n[0])), minus(view.node(f.n[3]), view.node(f.n[1])));
    double l = norm(n);
    normal[i] = l > 0 ? Point{n.x / l, n.y / l, n.z / l} : Point{};
  }
  struct Edge {
    std::uint64_t key;
    std::uint32_t face;
  };
  std::vector<Edge> edges;
  edges.reserve(faces.size() * 4);
  for (std::size_t i = 0; i < faces.size(); ++i) {
    for (int k = 0; k < 4; ++k) {
      std::int32_t a = faces[i].n[k], b = faces[i].n[(k + 1) % 4];
      if (a == b) continue;
      std::uint64_t lo = static_cast<std::uint32_t>(std::min(a, b)), hi = static_cast<std::uint32_t>(std::max(a, b));
      edges.push_back(Edge{lo << 32 | hi, static_cast<std::uint32_t>(i)});
    }
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.key < b.key; });
  std::vector<std::pair<std::int32_t, std::int32_t>> drawn;
  for (std::size_t i = 0; i < edges.size();) {
    std::size_t j = i + 1;
    bool bend = false;
    while (j < edges.size() && edges[j].key == edges[i].key) {
      if (std::fabs(dot(normal[edges[i].face], normal[edges[j].face])) < 0.94) bend = true;
      ++j;
    }
    if (j == i + 1 || bend) {
      drawn.emplace_back(static_cast<std::int32_t>(edges[i].key >> 32),
                         static_cast<std::int32_t>(edges[i].key & 0xffffffffu));
    }
    i = j;
  }
  return drawn;
}

/// The faces that may hide a bar or a support: those whose box meets one of
/// theirs, on a coarse grid of the view, so a large model keeps few of them.
std::vector<DepthItem> occluding_faces(const View& view, const std::vector<FaceNodes>& faces,
                                       const std::vector<DepthItem>& wanted) {
  constexpr double kCell = 8;
  const int nx = static_cast<int>(kViewWidth / kCell) + 1, ny = static_cast<int>(kViewHeight / kCell) + 1;
  std::vector<bool> marked(static_cast<std::size_t>(nx * ny), false);
  auto cell = [&](double v, int n) {
    return static_cast<int>(std::clamp(std::isfinite(v) ? std::floor(v / kCell) : 0.0, 0.0, n - 1.0));
  };
  auto each_cell = [&](const DepthItem& d, auto&& f) {
    double x0 = d.x[0], x1 = d.x[0], y0 = d.y[0], y1 = d.y[0];
    for (int i = 1; i < d.count; ++i) {
      x0 = std::min(x0, d.x[i]), x1 = std::max(x1, d.x[i]), y0 = std::min(y0, d.y[i]), y1 = std::max(y1, d.y[i]);
    }
    for (int r = cell(y0, ny); r <= cell(y1, ny); ++r) {
      for (int c = cell(x0, nx); c <= cell(x1, nx); ++c) {
        if (f(static_cast<std::size_t>(r * nx + c))) return true;
      }
    }
    return false;
  };
  for (const DepthItem& w : wanted) each_cell(w, [&](std::size_t k) { return marked[k] = true, false; });
  std::vector<DepthItem> kept;
  for (const FaceNodes& f : faces) {
    Point p[4] = {view.node(f.n[0]), view.node(f.n[1]), view.node(f.n[2]), view.node(f.n[3])};
    DepthItem d = view.item(p, 4);
    if (each_cell(d, [&](std::size_t k) { return static_cast<bool>(marked[k]); })) kept.push_back(d);
  }
  return kept;
}

/// The parts of a line that no face hides, as shapes of `kind`.
void visible_line(const Occluders& faces, const DepthItem& line, Shape::Kind kind, const std::string& color,
                  double strength, std::vector<Shape>& out) {
  for (const auto& [t0, t1] : faces.visible_parts(line)) {
    DepthItem part = line;
    for (int i = 0; i < 2; ++i) {
      double t = i == 0 ? t0 : t1;
      part.x[i] = line.x[0] + t * (line.x[1] - line.x[0]);
      part.y[i] = line.y[0] + t * (line.y[1] - line.y[0]);
    }
    out.push_back(shape_of(kind, part, color, strength));
  }
}

/// The outline's edges, the parts of bars no face hides, the supports no
/// face hides; returns the supports hidden.
std::size_t outline_shapes(const View& view, const Loads& loads, bool draw_lines, std::vector<Shape>& out) {
  const ScriptModel& s = view.s;
  std::vector<FaceNodes> faces = outer_faces(s);
  for (const auto& [a, b] : outline_edges(view, faces)) {
    Point p[2] = {view.node(a), view.node(b)};
    out.push_back(shape_of(Shape::kEdge, view.item(p, 2), "#333333"));
  }
  // What the faces may hide: the bars and links, their bands, the supports.
  std::vector<std::pair<std::size_t, double>> lines;  // element, and a band's opacity (0: the bar)
  if (draw_lines) {
    for (std::size_t k = 0; k < s.elements.size(); ++k) {
      if (s.elements[k].node_count == 2) lines.emplace_back(k, 0.0);
    }
    for (const auto& band : bands_of(s, loads)) lines.push_back(band);
  }
  std::vector<DepthItem> wanted;
  for (const auto& line : lines) {
    const ScriptElement& e = s.elements[line.first];
    Point p[2] = {view.node(e.node[0]), view.node(e.node[1])};
    wanted.push_back(view.item(p, 2));
  }
  std::size_t line_count = wanted.size();
  for (std::int32_t n : supported_nodes(s)) {
    Point p = view.node(n);
    if (view.known(n)) wanted.push_back(view.item(&p, 1));
  }
  Occluders occluders(occluding_faces(view, faces, wanted));
  std::vector<FaceNodes>().swap(faces);
  for (std::size_t i = 0; i < line_count; ++i) {
    const ScriptElement& e = s.elements[lines[i].first];
    if (lines[i].second > 0) {
      visible_line(occluders, wanted[i], Shape::kLineLoad, "", lines[i].second, out);
    } else {
      visible_line(occluders, wanted[i], e.type == lira::kLink8 ? Shape::kLink : Shape::kBar, view.fill_of(e.mat),
                   0, out);
    }
  }
  std::size_t hidden = 0;
  for (std::size_t i = line_count; i < wanted.size(); ++i) {
    const DepthItem& p = wanted[i];
    if (occluders.hidden(p.x[0], p.y[0], p.depth[0])) ++hidden;
    else out.push_back(shape_of(Shape::kSupport, p, ""));
  }
  return hidden;
}

// ---------------------------------------------------------------- the legend

double text_width(const std::string& text, bool bold) {
  double em = 0;
  for (unsigned char c : text) {
    double w = 0.6;
    if (c == ' ' || c == '.' || c == ',') w = 0.318;
    else if (std::string("iljI'").find(static_cast<char>(c)) != std::string::npos) w = 0.28;
    else if (std::string(":;|/").find(static_cast<char>(c)) != std::string::npos) w = 0.337;
    else if (std::string("ft()-[]r").find(static_cast<char>(c)) != std::string::npos) w = 0.41;
    else if (std::string("mwMW%@").find(static_cast<char>(c)) != std::string::npos) w = 1.0;
    else if (c >= '0' && c <= '9') w = 0.636;
    else if (c >= 'A' && c <= 'Z') w = 0.78;
    else if (std::string("+=<>").find(static_cast<char>(c)) != std::string::npos) w = 0.838;
    else if (c >= 'a' && c <= 'z') w = 0.635;
    em += w;
  }
  return em * 13 * (bold ? 1.1 : 1.0);
}

/// The legend's lines, written down from a start: each 18 pixels below the last.
struct LegendPen {
  std::vector<LegendLine>& lines;
  double y;
  static constexpr double kLeft = kViewWidth + 10;

  static double room(double x) { return kViewWidth + kLegendWidth - 8 - x; }
  void say(const std::string& text, LegendLine::Style style = LegendLine::kPlain) {
    lines.push_back(LegendLine{kLeft, y, fit_text(text, room(kLeft), style != LegendLine::kPlain), style, ""});
    y += 18;
  }
  void swatch(const std::string& fill, const std::string& text) {
    lines.push_back(LegendLine{kLeft + 20, y, fit_text(text, room(kLeft + 20)), LegendLine::kPlain, fill});
    y += 18;
  }
  void gap() { y += 6; }
};

void legend_head(const ScriptModel& s, const std::string& script_name, std::int64_t node_count, LegendPen& pen) {
  const std::string what = ": the ANSYS model";
  pen.say(fit_text(script_name, LegendPen::room(LegendPen::kLeft) - text_width(what, true), true) + what,
          LegendLine::kHeading);
  pen.say(std::to_string(node_count) + " nodes, " + std::to_string(s.elements.size()) + " elements");
  std::map<int, std::int64_t> by_type;
  for (const ScriptElement& e : s.elements) ++by_type[e.type];
  constexpr std::size_t kTypesShown = 8;
  std::size_t shown = 0;
  for (const auto& [type, count] : by_type) {
    if (by_type.size() > kTypesShown && shown == kTypesShown - 1) {
      pen.say("  ... and " + std::to_string(by_type.size() - shown) + " more element types");
      break;
    }
    ++shown;
    auto name = s.element_types.find(type);
    std::string tail = ": " + std::to_string(count);
    std::string label = name != s.element_types.end() ? name->second : "type " + std::to_string(type);
    pen.say("  " + fit_text(label, LegendPen::room(LegendPen::kLeft) - text_width("  " + tail, false)) + tail);
  }
  pen.say("isometric view: X to the upper right, Y to the upper left, Z up");
}

void legend_materials(const View& view, double last_y, LegendPen& pen) {
  const ScriptModel& s = view.s;
  pen.say("Stiffnesses (materials) by fill colour:", LegendLine::kHeading);
  for (int mat : view.materials) {
    if (pen.y > last_y) {
      pen.say("  ... and more");
      break;
    }
    std::string what = "material " + std::to_string(mat);
    for (const ScriptElement& e : s.elements) {
      if (e.mat != mat) continue;
      auto name = s.element_types.find(e.type);
      if (name != s.element_types.end()) what += " (" + fit_text(name->second, 120) + ")";
      break;
    }
    auto m = s.materials.find(mat);
    if (m != s.materials.end()) {
      what += ": EX " + legend_number(m->second.ex);
      if (m->second.has_dens) what += ", density " + legend_number(m->second.dens);
    }
    pen.swatch(view.fill_of(mat), what);
  }
}

void legend_loads(const SceneRequest& request, const Loads& loads, bool detailed, LegendPen& pen) {
  const LoadStep* step = loads.step;
  if (step == nullptr) {
    pen.say("No load case shown (--case N shows one)");
    return;
  }
  pen.say("Load case " + std::to_string(request.load_case) + " (load step " + std::to_string(request.step) + ")" +
              (request.step_from_model ? "" : ", taken as the load step number"),
          LegendLine::kHeading);
  if (!step->forces.empty()) {
    pen.say("  nodal loads: " + std::to_string(step->forces.size()) + ", from " + legend_number(loads.least_force) +
            " to " + legend_number(loads.most_force));
    pen.say("  arrows: forces blue, moments purple (double heads)");
    if (loads.arrows < loads.drawable) pen.say("  (the " + std::to_string(loads.arrows) + " largest drawn)");
  }
  if (!step->pressures.empty()) {
    pen.say("  pressures: " + std::to_string(step->pressures.size()) + " faces, from " +
            legend_number(loads.least_pressure) + " to " + legend_number(loads.most_pressure));
    if (detailed) {
      pen.swatch("url(#pressure)", "red hatching, stronger for larger pressures");
    } else {
      pen.say("  (not shaded in the outline view)");
    }
  }
  if (!step->beam_pressures.empty()) {
    pen.say("  line loads on bars: " + std::to_string(step->beam_pressures.size()) + ", up to " +
            legend_number(loads.most_line) + " (red band)");
  }
  if (step->acel[2] != 0) pen.say("  own weight: acceleration " + legend_number(step->acel[2]) + " in Z");
  if (step->forces.empty() && step->pressures.empty() && step->beam_pressures.empty()) pen.say("  no loads");
}

/// The lines below the materials, from y 0.
void legend_tail(const View& view, const SceneRequest& request, const Loads& loads, const Unseen& unseen,
                 bool detailed, std::size_t lines, bool draw_lines, LegendPen& pen) {
  std::vector<std::int32_t> supported = supported_nodes(view.s);
  std::size_t drawn = 0;
  for (std::int32_t n : supported) drawn += view.known(n);
  pen.say("  bars: lines; links (LINK8): dashed, a ring at the first node");
  pen.say("  supports: green triangles (" + std::to_string(supported.size()) + " nodes" +
          (drawn < supported.size() ? ", " + std::to_string(drawn) + " drawn" : "") +
          (unseen.supports > 0 ? ", " + std::to_string(unseen.supports) + " behind faces" : "") + ")");
  pen.gap();
  legend_loads(request, loads, detailed, pen);
  if (!detailed) {
    pen.gap();
    pen.say("Outline only:", LegendLine::kWarning);
    pen.say("  " + std::to_string(view.s.elements.size()) + " elements are more than");
    pen.say("  " + std::to_string(kDetailLimit) + " drawn one by one: the model's edges");
    if (!draw_lines) pen.say("  and no bars or links (" + std::to_string(lines) + ") are drawn");
  }
}

void legend(const View& view, const SceneRequest& request, const Loads& loads, const Unseen& unseen, bool detailed,
            std::size_t lines, bool draw_lines, std::int64_t node_count, std::vector<LegendLine>& out) {
  std::vector<LegendLine> tail;
  LegendPen below{tail, 0};
  legend_tail(view, request, loads, unseen, detailed, lines, draw_lines, below);
  LegendPen pen{out, 30};
  legend_head(view.s, request.script_name, node_count, pen);
  pen.gap();
  // The materials stop where the lines below them would leave the legend.
  legend_materials(view, std::min(kViewHeight - 200, kViewHeight - 10 - below.y), pen);
  for (LegendLine& l : tail) l.y += pen.y, out.push_back(l);
}

}  // namespace

double Projection::depth(Point p) const { return scale * dot(p, kTowardViewer); }

Projection fit_view(const ScriptModel& s, const std::vector<ArrowReach>& arrows) {
  double lo_x = 1e300, hi_x = -1e300, lo_y = 1e300, hi_y = -1e300;
  for (const ScriptNode& n : s.nodes) {
    if (!n.defined) continue;
    Point p{n.x, n.y, n.z};
    lo_x = std::min(lo_x, Projection::iso_x(p)), hi_x = std::max(hi_x, Projection::iso_x(p));
    lo_y = std::min(lo_y, Projection::iso_y(p)), hi_y = std::max(hi_y, Projection::iso_y(p));
  }
  if (lo_x > hi_x) lo_x = hi_x = lo_y = hi_y = 0;
  double w = std::max(hi_x - lo_x, 1e-9), h = std::max(hi_y - lo_y, 1e-9);
  const double room_x = kViewWidth - 2 * kViewMargin, room_y = kViewHeight - 2 * kViewMargin;
  Projection p;
  p.scale = std::min(room_x / w, room_y / h);
  p.ox = kViewMargin + (room_x - p.scale * w) / 2 - p.scale * lo_x;
  p.oy = kViewMargin + (room_y - p.scale * h) / 2 - p.scale * lo_y;
  bool inside = true;
  for (const ArrowReach& a : arrows) {
    double x = p.x(a.node) + a.dx, y = p.y(a.node) + a.dy;
    inside = inside && x >= kArrowPad && x <= kViewWidth - kArrowPad && y >= kArrowPad && y <= kViewHeight - kArrowPad;
  }
  if (inside) return p;
  // The arrows' tails reach out of the view: the largest scale at which the
  // nodes and the tails fit between the margins. The spread of the points is
  // convex in the scale and fits at 0, so halving finds it.
  auto spread = [&](double scale, bool across, double& lo) {
    double low = scale * (across ? lo_x : lo_y), high = scale * (across ? hi_x : hi_y);
    for (const ArrowReach& a : arrows) {
      double v = scale * (across ? Projection::iso_x(a.node) : Projection::iso_y(a.node)) + (across ? a.dx : a.dy);
      low = std::min(low, v), high = std::max(high, v);
    }
    lo = low;
    return high - low;
  };
  double fits = 0, too_big = p.scale, lo = 0;
  for (int i = 0; i < 100; ++i) {
    double mid = (fits + too_big) / 2;
    if (spread(mid, true, lo) <= room_x && spread(mid, false, lo) <= room_y) fits = mid;
    else too_big = mid;
  }
  p.scale = fits;
  double wide = spread(fits, true, lo);
  p.ox = kViewMargin + (room_x - wide) / 2 - lo;
  double high = spread(fits, false, lo);
  p.oy = kViewMargin + (room_y - high) / 2 - lo;
  return p;
}

std::string fit_text(const std::string& text, double room, bool bold) {
  if (text_width(text, bold) <= room) return text;
  // As much of the start and of the end as fits round "...".
  std::size_t keep = text.size();
  while (keep > 0) {
    --keep;
    std::string cut = text.substr(0, (keep + 1) / 2) + "..." + text.substr(text.size() - keep / 2);
    if (text_width(cut, bold) <= room) return cut;
  }
  return "...";
}

std::string legend_number(double v) { return lira::format_real(v == 0 ? 0.0 : v); }

Scene build_scene(const ScriptModel& s, const SceneRequest& request) {
  Scene scene;
  View view{s, {}, {}};
  for (const ScriptElement& e : s.elements) {
    if (std::find(view.materials.begin(), view.materials.end(), e.mat) == view.materials.end()) {
      view.materials.push_back(e.mat);
    }
  }
  std::sort(view.materials.begin(), view.materials.end());
  for (const ScriptNode& n : s.nodes) scene.node_count += n.defined;
  scene.element_count = s.elements.size();
  scene.detailed = s.elements.size() <= kDetailLimit;
  std::size_t lines = 0;
  for (const ScriptElement& e : s.elements) lines += e.node_count == 2;
  bool draw_lines = scene.detailed || lines <= kLineLimit;

  Loads loads = loads_of(s, request.loads);
  std::vector<Arrow> arrows = plan_arrows(view, loads, scene.detailed);
  loads.arrows = arrows.size();
  for (std::size_t i = 0; request.loads != nullptr && i < request.loads->forces.size(); ++i) {
    const ScriptLoad& f = request.loads->forces[i];
    loads.drawable += view.known(f.target) && f.value != 0;
  }
  std::vector<ArrowReach> reach;
  for (const Arrow& a : arrows) reach.push_back(ArrowReach{view.node(a.node), a.dx, a.dy});
  view.proj = fit_view(s, reach);

  Unseen unseen;
  unseen.supports = scene.detailed ? detailed_shapes(view, loads, scene.shapes)
                                   : outline_shapes(view, loads, draw_lines, scene.shapes);
  for (const Arrow& a : arrows) {
    Shape arrow;
    arrow.kind = a.moment ? Shape::kMoment : Shape::kForce;
    arrow.count = 2;
    Point at = view.node(a.node);
    arrow.x[1] = view.proj.x(at), arrow.y[1] = view.proj.y(at);
    arrow.x[0] = arrow.x[1] + a.dx, arrow.y[0] = arrow.y[1] + a.dy;
    arrow.color = a.moment ? "#8e44ad" : "#1f3a93";
    scene.shapes.push_back(arrow);
  }
  legend(view, request, loads, unseen, scene.detailed, lines, draw_lines, scene.node_count, scene.legend);
  return scene;
}

}  // namespace modelcheck
