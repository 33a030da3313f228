// modelcheck --picture: model.svg, an isometric view of the model that the
// script builds, for any browser. Plates and slab layers are filled by their
// stiffness (material), bars are lines, links dashed lines with a ring at
// their first node, supports triangles; one load case's nodal forces are
// arrows and its pressures a red shade. A model of many elements is drawn as
// its outline, so that the file stays small enough to open.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "apdl_script.h"
#include "common/lira_types.h"
#include "common/number_format.h"
#include "common/stop.h"
#include "common/text_model.h"
#include "geometry.h"
#include "svg_writer.h"
#include "tasks.h"

namespace modelcheck {
namespace {

/// Elements drawn one by one; beyond this the outline is drawn.
constexpr std::size_t kDetailLimit = 10000;
/// Supports, arrows and bars drawn at most in the outline view.
constexpr std::size_t kSymbolLimit = 1000, kArrowLimit = 300, kLineLimit = 5000;

constexpr double kWidth = 900, kHeight = 700, kLegend = 430, kMargin = 30;

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

std::string num(double v) { return lira::format_real(v); }

std::string color_of(const char* hex, double light) {
  unsigned r = 0, g = 0, b = 0;
  std::sscanf(hex + 1, "%2x%2x%2x", &r, &g, &b);
  char text[8];
  auto c = [&](unsigned v) { return static_cast<unsigned>(std::min(255.0, v * light)); };
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c(r), c(g), c(b));
  return text;
}

struct Picture {
  const ScriptModel& s;
  std::vector<int> materials;  // the materials in use, in order: their colours
  double scale = 1, ox = 0, oy = 0;

  Point node(std::int32_t n) const {
    if (n < 1 || n >= static_cast<std::int64_t>(s.nodes.size())) return Point{};
    const ScriptNode& p = s.nodes[static_cast<std::size_t>(n)];
    return Point{p.x, p.y, p.z};
  }
  bool known(std::int32_t n) const {
    return n >= 1 && n < static_cast<std::int64_t>(s.nodes.size()) &&
           s.nodes[static_cast<std::size_t>(n)].defined;
  }
  // Isometric: X runs to the upper right, Y to the upper left, Z up.
  static double iso_x(Point p) { return (p.x - p.y) * 0.8660254037844386; }
  static double iso_y(Point p) { return -((p.x + p.y) * 0.5 + p.z); }
  double sx(Point p) const { return ox + scale * iso_x(p); }
  double sy(Point p) const { return oy + scale * iso_y(p); }
  static double depth(Point p) { return dot(p, kTowardViewer); }

  const char* fill_of(int mat) const {
    auto it = std::find(materials.begin(), materials.end(), mat);
    return kPalette[(it - materials.begin()) % kPaletteSize];
  }

  void fit() {
    double lo_x = 1e300, hi_x = -1e300, lo_y = 1e300, hi_y = -1e300;
    for (const ScriptNode& n : s.nodes) {
      if (!n.defined) continue;
      Point p{n.x, n.y, n.z};
      lo_x = std::min(lo_x, iso_x(p)), hi_x = std::max(hi_x, iso_x(p));
      lo_y = std::min(lo_y, iso_y(p)), hi_y = std::max(hi_y, iso_y(p));
    }
    if (lo_x > hi_x) lo_x = hi_x = lo_y = hi_y = 0;
    double w = std::max(hi_x - lo_x, 1e-9), h = std::max(hi_y - lo_y, 1e-9);
    scale = std::min((kWidth - 2 * kMargin) / w, (kHeight - 2 * kMargin) / h);
    ox = kMargin + ((kWidth - 2 * kMargin) - scale * w) / 2 - scale * lo_x;
    oy = kMargin + ((kHeight - 2 * kMargin) - scale * h) / 2 - scale * lo_y;
  }

  void face(SvgWriter& svg, const Point* p, int count, const std::string& style) const {
    double x[8], y[8];
    for (int i = 0; i < count; ++i) x[i] = sx(p[i]), y[i] = sy(p[i]);
    svg.polygon(x, y, count, style.c_str());
  }
};

struct Primitive {
  double depth;
  std::uint32_t element;
  int face;  // -1 a line, 0 a plate, 1..6 a solid's face (index + 1)
  bool operator<(const Primitive& o) const { return depth < o.depth; }
};

// The load step of load case `load_case`: its place in document 16.
int step_of_case(const std::string& model_name, int load_case, bool& from_model) {
  from_model = false;
  lira::TextReader in(model_name);
  if (!in.open() || !lira::find_document(in, lira::kLoadCasesHeader)) return load_case;
  lira::Token t;
  for (int p = 1; p <= lira::kLoadCaseMax; ++p) {
    if (!lira::read_token(in, t) || t.first() == ')') break;
    if (lira::to_int(t).value == load_case) {
      from_model = true;
      return p;
    }
    if (!lira::skip_to_slash(in)) break;
  }
  return 0;
}

// The edges of the model's outline: edges of one face only, and edges where
// the faces that meet bend, over the plates and the outer faces of the solids.
std::vector<std::pair<std::int32_t, std::int32_t>> outline(const Picture& pic) {
  const ScriptModel& s = pic.s;
  struct Face {
    std::int32_t n[4];
  };
  std::vector<Face> faces;
  struct SolidFace {
    std::int32_t key[4];
    std::uint32_t face;
  };
  std::vector<SolidFace> solid_faces;
  std::vector<Face> all_solid;
  for (const ScriptElement& e : s.elements) {
    if (e.node_count == 4) faces.push_back(Face{{e.node[0], e.node[1], e.node[2], e.node[3]}});
    if (e.node_count != 8) continue;
    for (const auto& f : kSolidFaces) {
      Face face{{e.node[f[0]], e.node[f[1]], e.node[f[2]], e.node[f[3]]}};
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
    if (j == i + 1) faces.push_back(all_solid[solid_faces[i].face]);  // an outer face
    i = j;
  }
  std::vector<SolidFace>().swap(solid_faces);
  std::vector<Face>().swap(all_solid);

  std::vector<Point> normal(faces.size());
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const Face& f = faces[i];
    Point n = cross(minus(pic.node(f.n[2]), pic.node(f.n[0])), minus(pic.node(f.n[3]), pic.node(f.n[1])));
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
      std::uint64_t lo = static_cast<std::uint32_t>(std::min(a, b)),
                    hi = static_cast<std::uint32_t>(std::max(a, b));
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

void arrow(SvgWriter& svg, double x1, double y1, double x2, double y2, const char* color, bool twice) {
  char style[80];
  std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"2\"", color);
  svg.line(x1, y1, x2, y2, style);
  double dx = x2 - x1, dy = y2 - y1, l = std::hypot(dx, dy);
  if (l < 1e-9) return;
  dx /= l, dy /= l;
  for (int head = 0; head < (twice ? 2 : 1); ++head) {
    double hx = x2 - head * 7 * dx, hy = y2 - head * 7 * dy;
    svg.line(hx, hy, hx - 9 * dx + 4 * dy, hy - 9 * dy - 4 * dx, style);
    svg.line(hx, hy, hx - 9 * dx - 4 * dy, hy - 9 * dy + 4 * dx, style);
  }
}

}  // namespace

int draw_picture(const Options& options, std::ostream& out) {
  std::string model_name = options.file(0, "modellir.txt");
  std::string script_name = options.file(1, "modelans.lgw");
  ScriptModel s;
  {
    lira::TextReader in(script_name);
    if (!in.open()) {
      out << "modelcheck --picture: " << script_name << " cannot be opened.\n";
      return kUsage;
    }
    read_script(in, s);
  }
  Picture pic{s, {}};
  for (const ScriptElement& e : s.elements) {
    if (std::find(pic.materials.begin(), pic.materials.end(), e.mat) == pic.materials.end()) {
      pic.materials.push_back(e.mat);
    }
  }
  std::sort(pic.materials.begin(), pic.materials.end());
  pic.fit();

  // The load step to show.
  int step = 0;
  bool from_model = false;
  const LoadStep* loads = nullptr;
  if (options.load_case != 0) {
    try {
      step = step_of_case(model_name, options.load_case, from_model);
    } catch (const lira::Stop& stop) {
      // Document 16 as tarvex would refuse it: no load step to find.
      out << "modelcheck --picture: " << model_name << " cannot be read as tarvex reads it:" << stop.message
          << "\n";
      return kUsage;
    }
    for (const LoadStep& l : s.steps) {
      if (l.number == step && step != 0) loads = &l;
    }
    if (loads == nullptr) {
      out << "modelcheck --picture: load case " << options.load_case << " has no load step in " << script_name
          << ".\n";
      return kUsage;
    }
  }

  SvgWriter svg("model.svg", kWidth + kLegend, kHeight);
  if (!svg.ok()) {
    out << "modelcheck --picture: model.svg cannot be written.\n";
    return kUsage;
  }
  // Pressures are hatched, so that the fill of the stiffness still shows.
  svg.raw(
      "<defs><pattern id=\"pressure\" width=\"7\" height=\"7\" patternUnits=\"userSpaceOnUse\" "
      "patternTransform=\"rotate(45)\"><rect width=\"3\" height=\"7\" fill=\"#d62728\"/></pattern></defs>\n");
  bool detailed = s.elements.size() <= kDetailLimit;
  std::size_t lines = 0;
  for (const ScriptElement& e : s.elements) lines += e.node_count == 2;
  bool draw_lines = detailed || lines <= kLineLimit;

  // Pressures by element, for the shade.
  std::vector<std::pair<std::uint32_t, std::pair<int, double>>> shaded;
  double most_pressure = 0, least_pressure = 0, most_line = 0;
  if (loads) {
    for (const ScriptLoad& l : loads->pressures) {
      if (l.target >= 1 && l.target <= static_cast<std::int64_t>(s.elements.size())) {
        shaded.push_back({static_cast<std::uint32_t>(l.target - 1), {l.label, l.value}});
      }
      most_pressure = shaded.size() == 1 ? l.value : std::max(most_pressure, l.value);
      least_pressure = shaded.size() == 1 ? l.value : std::min(least_pressure, l.value);
    }
    for (const ScriptLoad& l : loads->beam_pressures) most_line = std::max(most_line, std::fabs(l.value));
    std::sort(shaded.begin(), shaded.end());
  }
  double pressure_scale = std::max(std::fabs(most_pressure), std::fabs(least_pressure));

  if (detailed) {
    std::vector<Primitive> prims;
    for (std::size_t k = 0; k < s.elements.size(); ++k) {
      const ScriptElement& e = s.elements[k];
      Point p[8];
      double d = 0;
      for (int i = 0; i < e.node_count; ++i) p[i] = pic.node(e.node[i]), d += Picture::depth(p[i]);
      if (e.node_count == 2) prims.push_back(Primitive{d / 2, static_cast<std::uint32_t>(k), -1});
      if (e.node_count == 4) prims.push_back(Primitive{d / 4, static_cast<std::uint32_t>(k), 0});
      if (e.node_count != 8) continue;
      // The orientation of the solid's node order: bottom face counter-clockwise
      // seen from its top face, or the other way round.
      Point a = minus(p[1], p[0]), b = minus(p[3], p[0]), c = minus(p[4], p[0]);
      double turn = dot(cross(a, b), c) >= 0 ? 1 : -1;
      for (int f = 0; f < 6; ++f) {
        const int* q = kSolidFaces[f];
        Point n = cross(minus(p[q[2]], p[q[0]]), minus(p[q[3]], p[q[1]]));
        if (turn * dot(n, kTowardViewer) < 0) continue;  // faces away from the viewer
        double fd = 0;
        for (int i = 0; i < 4; ++i) fd += Picture::depth(p[q[i]]);
        prims.push_back(Primitive{fd / 4, static_cast<std::uint32_t>(k), f + 1});
      }
    }
    std::stable_sort(prims.begin(), prims.end());
    for (const Primitive& pr : prims) {
      const ScriptElement& e = s.elements[pr.element];
      Point p[8];
      for (int i = 0; i < e.node_count; ++i) p[i] = pic.node(e.node[i]);
      const char* fill = pic.fill_of(e.mat);
      if (pr.face < 0) {
        char style[120];
        if (e.type == lira::kLink8) {
          std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"2\" stroke-dasharray=\"5,3\"",
                        fill);
          svg.line(pic.sx(p[0]), pic.sy(p[0]), pic.sx(p[1]), pic.sy(p[1]), style);
          std::snprintf(style, sizeof style, "fill=\"none\" stroke=\"%s\" stroke-width=\"1.5\"", fill);
          svg.circle(pic.sx(p[0]), pic.sy(p[0]), 3.5, style);
        } else {
          std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"3\"", fill);
          svg.line(pic.sx(p[0]), pic.sy(p[0]), pic.sx(p[1]), pic.sy(p[1]), style);
        }
        continue;
      }
      Point q[4];
      double light = 1;
      if (pr.face == 0) {
        std::copy(p, p + 4, q);
      } else {
        for (int i = 0; i < 4; ++i) q[i] = p[kSolidFaces[pr.face - 1][i]];
        Point n = cross(minus(q[2], q[0]), minus(q[3], q[1]));
        double l = norm(n);
        light = l > 0 ? 0.7 + 0.3 * std::fabs(n.z / l) : 1;
      }
      pic.face(svg, q, 4, "fill=\"" + color_of(fill, light) + "\" stroke=\"#333333\" stroke-width=\"0.5\"");
      // The pressure of the load case on this element, drawn on its face.
      auto it =
          std::lower_bound(shaded.begin(), shaded.end(), std::make_pair(pr.element, std::make_pair(-1, 0.0)));
      bool last_face = pr.face == 0 || pr.face == 2;  // plates, and the top face of a solid
      for (; last_face && it != shaded.end() && it->first == pr.element; ++it) {
        const int* f = kPressureFaces[std::min(std::max(it->second.first, 1), 6)];
        Point r[4];
        for (int i = 0; i < 4; ++i) r[i] = e.node_count == 8 ? p[f[i]] : p[i];
        char style[80];
        double shade =
            pressure_scale > 0 ? 0.25 + 0.65 * std::fabs(it->second.second) / pressure_scale : 0.25;
        std::snprintf(style, sizeof style, "fill=\"url(#pressure)\" fill-opacity=\"%.2f\" stroke=\"none\"",
                      shade);
        pic.face(svg, r, 4, style);
      }
    }
  } else {
    for (const auto& [a, b] : outline(pic)) {
      svg.line(pic.sx(pic.node(a)), pic.sy(pic.node(a)), pic.sx(pic.node(b)), pic.sy(pic.node(b)),
               "stroke=\"#333333\" stroke-width=\"1\"");
    }
    if (draw_lines) {
      for (const ScriptElement& e : s.elements) {
        if (e.node_count != 2) continue;
        char style[120];
        std::snprintf(style, sizeof style, "stroke=\"%s\" stroke-width=\"2\"%s", pic.fill_of(e.mat),
                      e.type == lira::kLink8 ? " stroke-dasharray=\"5,3\"" : "");
        Point a = pic.node(e.node[0]), b = pic.node(e.node[1]);
        svg.line(pic.sx(a), pic.sy(a), pic.sx(b), pic.sy(b), style);
      }
    }
  }

  // Line loads on bars: a wide red band over the bar.
  if (loads && draw_lines) {
    for (const ScriptLoad& l : loads->beam_pressures) {
      if (l.target < 1 || l.target > static_cast<std::int64_t>(s.elements.size())) continue;
      const ScriptElement& e = s.elements[static_cast<std::size_t>(l.target - 1)];
      if (e.node_count != 2) continue;
      Point a = pic.node(e.node[0]), b = pic.node(e.node[1]);
      char style[100];
      std::snprintf(style, sizeof style, "stroke=\"#d62728\" stroke-width=\"6\" stroke-opacity=\"%.2f\"",
                    0.2 + 0.5 * std::fabs(l.value) / std::max(most_line, 1e-300));
      svg.line(pic.sx(a), pic.sy(a), pic.sx(b), pic.sy(b), style);
    }
  }

  // Supports: a triangle under each supported node.
  std::vector<std::int32_t> supported;
  for (const ScriptSupport& p : s.supports) supported.push_back(p.node);
  std::sort(supported.begin(), supported.end());
  supported.erase(std::unique(supported.begin(), supported.end()), supported.end());
  std::size_t symbols = 0;
  for (std::int32_t n : supported) {
    if (!pic.known(n) || (!detailed && symbols == kSymbolLimit)) continue;
    ++symbols;
    double x = pic.sx(pic.node(n)), y = pic.sy(pic.node(n));
    double px[3] = {x, x - 6, x + 6}, py[3] = {y, y + 10, y + 10};
    svg.polygon(px, py, 3, "fill=\"#2ca02c\" fill-opacity=\"0.8\" stroke=\"#1b5e20\" stroke-width=\"1\"");
  }

  // Nodal forces and moments: arrows ending at the node, the largest first.
  std::size_t arrows = 0;
  double most_force = 0, least_force = 0;
  if (loads) {
    std::vector<ScriptLoad> forces = loads->forces;
    std::sort(forces.begin(), forces.end(), [](const ScriptLoad& a, const ScriptLoad& b) {
      return std::fabs(a.value) > std::fabs(b.value);
    });
    double largest = forces.empty() ? 1 : std::max(std::fabs(forces.front().value), 1e-300);
    for (std::size_t i = 0; i < forces.size(); ++i) {
      const ScriptLoad& f = forces[i];
      most_force = i == 0 ? f.value : std::max(most_force, f.value);
      least_force = i == 0 ? f.value : std::min(least_force, f.value);
      if (!pic.known(f.target) || (!detailed && arrows == kArrowLimit) || f.value == 0) continue;
      ++arrows;
      Point at = pic.node(f.target);
      Point axis{f.label % 3 == 0 ? 1.0 : 0, f.label % 3 == 1 ? 1.0 : 0, f.label % 3 == 2 ? 1.0 : 0};
      double sign = f.value > 0 ? 1 : -1;
      // Screen direction of the axis, scaled to 25..60 pixels by the value.
      double dx = Picture::iso_x(axis) * sign, dy = Picture::iso_y(axis) * sign;
      double l = std::hypot(dx, dy);
      if (l < 1e-9) dx = 0, dy = -1, l = 1;
      double size = 25 + 35 * std::fabs(f.value) / largest;
      double x2 = pic.sx(at), y2 = pic.sy(at);
      arrow(svg, x2 - dx / l * size, y2 - dy / l * size, x2, y2, f.label < 3 ? "#1f3a93" : "#8e44ad",
            f.label >= 3);
    }
  }

  // The legend.
  double x = kWidth + 10, y = 30;
  auto say = [&](const std::string& text, const char* style = "") {
    svg.text(x, y, text, style);
    y += 18;
  };
  svg.rect(kWidth, 0, kLegend, kHeight, "fill=\"#f7f7f7\" stroke=\"#cccccc\"");
  say(script_name + ": the ANSYS model", "font-weight=\"bold\"");
  std::int64_t node_count = 0;
  for (const ScriptNode& n : s.nodes) node_count += n.defined;
  say(std::to_string(node_count) + " nodes, " + std::to_string(s.elements.size()) + " elements");
  std::map<int, std::int64_t> by_type;
  for (const ScriptElement& e : s.elements) ++by_type[e.type];
  for (const auto& [type, count] : by_type) {
    auto name = s.element_types.find(type);
    say("  " + (name != s.element_types.end() ? name->second : "type " + std::to_string(type)) + ": " +
        std::to_string(count));
  }
  say("isometric view: X to the upper right, Y to the upper left, Z up");
  y += 6;
  say("Stiffnesses (materials) by fill colour:", "font-weight=\"bold\"");
  for (int mat : pic.materials) {
    if (y > kHeight - 200) {
      say("  ... and more");
      break;
    }
    svg.rect(x, y - 11, 14, 12,
             ("fill=\"" + std::string(pic.fill_of(mat)) + "\" stroke=\"#333333\"").c_str());
    std::string what = "material " + std::to_string(mat);
    for (const ScriptElement& e : s.elements) {
      if (e.mat != mat) continue;
      auto name = s.element_types.find(e.type);
      if (name != s.element_types.end()) what += " (" + name->second + ")";
      break;
    }
    auto m = s.materials.find(mat);
    if (m != s.materials.end()) {
      what += ": EX " + num(m->second.ex);
      if (m->second.has_dens) what += ", density " + num(m->second.dens);
    }
    svg.text(x + 20, y, what);
    y += 18;
  }
  say("  bars: lines; links (LINK8): dashed, a ring at the first node");
  say("  supports: green triangles (" + std::to_string(supported.size()) + " nodes" +
      (symbols < supported.size() ? ", " + std::to_string(symbols) + " drawn" : "") + ")");
  y += 6;
  if (loads) {
    say("Load case " + std::to_string(options.load_case) + " (load step " + std::to_string(step) + ")" +
            (from_model ? "" : ", taken as the load step number"),
        "font-weight=\"bold\"");
    if (!loads->forces.empty()) {
      say("  nodal loads: " + std::to_string(loads->forces.size()) + ", from " + num(least_force) + " to " +
          num(most_force));
      say("  arrows: forces blue, moments purple (double heads)");
      if (arrows < loads->forces.size()) say("  (the " + std::to_string(arrows) + " largest drawn)");
    }
    if (!loads->pressures.empty()) {
      say("  pressures: " + std::to_string(loads->pressures.size()) + " faces, from " + num(least_pressure) +
          " to " + num(most_pressure));
      if (detailed) {
        svg.rect(x, y - 11, 14, 12, "fill=\"url(#pressure)\" stroke=\"#333333\"");
        svg.text(x + 20, y, "red hatching, stronger for larger pressures");
        y += 18;
      } else {
        say("  (not shaded in the outline view)");
      }
    }
    if (!loads->beam_pressures.empty()) {
      say("  line loads on bars: " + std::to_string(loads->beam_pressures.size()) + ", up to " +
          num(most_line) + " (red band)");
    }
    if (loads->acel[2] != 0) say("  own weight: acceleration " + num(loads->acel[2]) + " in Z");
    if (loads->forces.empty() && loads->pressures.empty() && loads->beam_pressures.empty()) say("  no loads");
  } else {
    say("No load case shown (--case N shows one)");
  }
  if (!detailed) {
    y += 6;
    say("Outline only:", "font-weight=\"bold\" fill=\"#b00000\"");
    say("  " + std::to_string(s.elements.size()) + " elements are more than");
    say("  " + std::to_string(kDetailLimit) + " drawn one by one: the model's edges");
    if (!draw_lines) say("  and no bars or links (" + std::to_string(lines) + ") are drawn");
  }
  if (!svg.finish()) {
    out << "modelcheck --picture: model.svg cannot be written.\n";
    return kUsage;
  }
  out << "modelcheck --picture: model.svg written: " << node_count << " nodes, " << s.elements.size()
      << " elements" << (detailed ? "" : ", drawn as the outline") << ".\n";
  return kClean;
}

}  // namespace modelcheck
