// modelcheck --verify: the script that tarvex wrote beside the model it came
// from, table by table, each difference named.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/number_format.h"
#include "common/stop.h"
#include "apdl_script.h"
#include "exit_code.h"
#include "geometry.h"
#include "tarvex_reading.h"
#include "verify_expected_script.h"
#include "verify_script.h"
#include "verify_table.h"

namespace modelcheck {
namespace {

// Figures agree when they differ by no more than single precision and the
// script's six digits allow, relative to the larger of them or to `scale`.
constexpr double kTolerance = 1e-5;

bool agree(double a, double b, double scale = 0) {
  double m = std::max({std::fabs(a), std::fabs(b), scale});
  return std::fabs(a - b) <= kTolerance * m + 1e-30;
}

std::string num(double v) { return lira::format_real(v); }

// A coordinate with the digits that tell it from its neighbours in single
// precision, as tarvex writes it: 512351.25, where six digits give 512351.
std::string coordinate(float v) {
  char text[lira::kRealTextMax];
  return std::string(text, lira::format_coordinate(v, text));
}

const char* ansys_name(const ScriptModel& s, int type) {
  auto it = s.element_types.find(type);
  if (it != s.element_types.end()) return it->second.c_str();
  switch (type) {
    case lira::kShell63:
      return "SHELL63";
    case lira::kBeam4:
      return "BEAM4";
    case lira::kSolid65:
      return "SOLID65";
    case lira::kLink8:
      return "LINK8";
  }
  return "?";
}

struct Verifier {
  const TarvexModel& model;
  const ExpectedScript& x;
  const ScriptModel& s;
  std::ostream& out;
  std::int64_t differences = 0;
  double size = 0;  // the model's largest extent along an axis
  TableLines notes;   // what is no difference, but worth knowing
  // The script's elements that stand for an element built otherwise than
  // the model says (see built_otherwise): their own weight is left out of
  // the totals.
  std::vector<bool> unweighed;
  const Options* answers = nullptr;  // tarvex's answers, where the engineer gave them

  Point model_point(std::int32_t n) const {
    if (n < 1 || n > static_cast<std::int64_t>(model.nodes.size())) return Point{};
    const ModelNode& p = model.nodes[static_cast<std::size_t>(n - 1)];
    return Point{p.x, p.y, p.z};
  }
  Point expected_point(std::int32_t n) const {
    if (n < 1 || n > static_cast<std::int64_t>(x.nodes.size())) return Point{};
    const ModelNode& p = x.nodes[static_cast<std::size_t>(n - 1)];
    return Point{p.x, p.y, p.z};
  }
  Point script_point(std::int32_t n) const {
    if (n < 1 || n >= static_cast<std::int64_t>(s.nodes.size())) return Point{};
    const ScriptNode& p = s.nodes[static_cast<std::size_t>(n)];
    return Point{p.x, p.y, p.z};
  }

  void close(const char* title, TableLines& f) { differences += f.close(out, title); }

  // ------------------------------------------------------------- nodes

  std::string node_name(std::size_t n) const {
    std::string name = "node " + std::to_string(n);
    if (n <= static_cast<std::size_t>(x.document_nodes)) return name + " (document 4)";
    if (n <= static_cast<std::size_t>(x.document_nodes + x.layer_nodes)) return name + " (a layer node)";
    return name + " (the extra node of an elastic link)";
  }

  // The largest extent of the model's nodes along an axis.
  double model_size() const {
    if (x.nodes.empty()) return 0;
    double lo[3], hi[3];
    for (int k = 0; k < 3; ++k) lo[k] = HUGE_VAL, hi[k] = -HUGE_VAL;
    for (const ModelNode& n : x.nodes) {
      const double c[3] = {n.x, n.y, n.z};
      for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
    }
    return std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
  }

  // Coordinates agree to a millionth of the model's size, however far from
  // the origin they lie: tarvex writes each one so that it reads back to the
  // single-precision value it holds, so a coordinate that an N command
  // rounded shows. The heights that tarvex works out itself (layer nodes,
  // the nodes under elastic links) are written to six digits, whose rounding
  // is no difference.
  bool coordinate_agrees(double model, double script, bool computed) const {
    double tolerance = 1e-6 * size;
    if (computed) tolerance += 5.1e-6 * std::fabs(model);
    return std::fabs(model - script) <= tolerance;
  }

  void nodes() {
    std::int64_t defined = 0;
    for (const ScriptNode& n : s.nodes) defined += n.defined;
    size = model_size();
    heading(out, "Nodes", "LIRA", "ANSYS");
    std::int64_t in_script[3] = {0, 0, 0};
    TableLines f;
    for (std::size_t i = 0; i < x.nodes.size(); ++i) {
      std::size_t n = i + 1;
      int group = n <= static_cast<std::size_t>(x.document_nodes)                   ? 0
                  : n <= static_cast<std::size_t>(x.document_nodes + x.layer_nodes) ? 1
                                                                                    : 2;
      if (n >= s.nodes.size() || !s.nodes[n].defined) {
        f.add(node_name(n) + ": not in the script");
        continue;
      }
      ++in_script[group];
      const ModelNode& e = x.nodes[i];
      const ScriptNode& a = s.nodes[n];
      bool computed = group > 0;  // its height is tarvex's, not the model's
      if (!coordinate_agrees(e.x, a.x, false) || !coordinate_agrees(e.y, a.y, false) ||
          !coordinate_agrees(e.z, a.z, computed)) {
        f.add(node_name(n) + ": at " + coordinate(e.x) + ", " + coordinate(e.y) + ", " + coordinate(e.z) +
              " in the model, at " + coordinate(a.x) + ", " + coordinate(a.y) + ", " + coordinate(a.z) +
              " in the script");
      }
    }
    for (std::size_t n = x.nodes.size() + 1; n < s.nodes.size(); ++n) {
      if (s.nodes[n].defined) f.add("node " + std::to_string(n) + ": in the script, not in the model");
    }
    row(out, "nodes of document 4", std::to_string(x.document_nodes), std::to_string(in_script[0]));
    row(out, "layer nodes of layered shells", std::to_string(x.layer_nodes), std::to_string(in_script[1]));
    row(out, "extra nodes of elastic links", std::to_string(x.link_nodes), std::to_string(in_script[2]));
    row(out, "all nodes", std::to_string(x.nodes.size()), std::to_string(defined),
        defined != std::int64_t(x.nodes.size()));
    close("nodes and coordinates", f);
  }

  // ---------------------------------------------------------- elements

  static bool same(const ExpectedElement& e, const ScriptElement& a) {
    if (e.type != a.type || e.mat != a.mat || e.real != a.real || e.esys != a.esys) return false;
    if (e.node_count != a.node_count) return false;
    return std::equal(e.node, e.node + e.node_count, a.node);
  }

  std::string element_name(const ExpectedElement& e) const {
    const ModelElement& m = model.elements[static_cast<std::size_t>(e.record - 1)];
    std::string name = "element " + std::to_string(e.record) + " (LIRA type " + std::to_string(m.type) +
                       ", stiffness " + std::to_string(m.stiffness);
    if (e.layer != Layer::kWhole) name += std::string(", ") + layer_name(e.layer);
    return name + ")";
  }
  static std::string nodes_of(const std::int32_t* n, int count) {
    std::string t;
    for (int i = 0; i < count; ++i) t += (i ? " " : "") + std::to_string(n[i]);
    return t;
  }
  static std::string attributes(int type, int mat, int real, int esys) {
    return "TYPE " + std::to_string(type) + " MAT " + std::to_string(mat) + " REAL " + std::to_string(real) +
           " ESYS " + std::to_string(esys);
  }

  void mismatch(TableLines& f, const ExpectedElement& e, const ScriptElement& a, std::size_t number) {
    std::string what = element_name(e) + ", ANSYS element " + std::to_string(number) + ": ";
    if (e.node_count != a.node_count || !std::equal(e.node, e.node + e.node_count, a.node)) {
      f.add(what + "nodes " + nodes_of(a.node, a.node_count) + " in the script, " +
            nodes_of(e.node, e.node_count) + " by the model");
    }
    if (e.type != a.type || e.mat != a.mat || e.real != a.real || e.esys != a.esys) {
      f.add(what + "created under " + attributes(a.type, a.mat, a.real, a.esys) +
            ", the model's stiffness gives " + attributes(e.type, e.mat, e.real, e.esys));
    }
  }

  // An element whose stiffness is of another kind than its type needs: the
  // conversion builds it with the ANSYS type of its stiffness, so the script
  // holds another element than the model (a plate as a solid of 4 nodes).
  // An element of stiffness 0, which document 3 cannot give, writes no
  // attributes and takes those written before it. Such an element of
  // document 1, or none where the element is built as the model says.
  const ModelElement* built_otherwise(std::int32_t record) const {
    if (record < 1 || record > static_cast<std::int64_t>(model.elements.size())) return nullptr;
    const ModelElement& m = model.elements[static_cast<std::size_t>(record - 1)];
    lira::ElementKind kind = lira::element_kind(m.type);
    if (kind == lira::ElementKind::kUnconverted || kind == lira::ElementKind::kLayeredShell ||
        m.stiffness < 0 || m.stiffness >= lira::kStiffnessCount) {
      return nullptr;
    }
    if (m.stiffness == 0) return &m;
    const ModelStiffness& st = model.stiffness[static_cast<std::size_t>(m.stiffness)];
    return st.defined && st.kind != lira::stiffness_kind_for(kind) ? &m : nullptr;
  }

  void other_kinds(TableLines& warnings) const {
    for (const ExpectedElement& e : x.elements) {
      const ModelElement* m = built_otherwise(e.record);
      if (m == nullptr) continue;
      lira::ElementKind kind = lira::element_kind(m->type);
      std::string built = lira::stiffness_kind_text(lira::stiffness_kind_for(kind));
      if (m->stiffness == 0) {
        built += " of stiffness 0, which document 3 cannot give, under the attributes written before it";
      } else {
        const ModelStiffness& st = model.stiffness[static_cast<std::size_t>(m->stiffness)];
        built += std::string(" whose stiffness is ") + lira::stiffness_kind_text(st.kind);
      }
      warnings.add(element_name(e) + ": " + built + ", in the script " + ansys_name(s, e.type) + " with " +
                   std::to_string(e.node_count) + (e.node_count == 1 ? " node" : " nodes"));
    }
  }

  void elements() {
    heading(out, "Elements by LIRA type", "LIRA", "ANSYS");
    std::map<std::int32_t, std::int64_t> records, expected_by_lira, agreeing_by_lira;
    for (const ModelElement& e : model.elements) ++records[e.type];
    for (const ExpectedElement& e : x.elements) {
      ++expected_by_lira[model.elements[static_cast<std::size_t>(e.record - 1)].type];
    }
    TableLines f;
    std::size_t i = 0, j = 0;
    const std::vector<ExpectedElement>& E = x.elements;
    const std::vector<ScriptElement>& S = s.elements;
    unweighed.assign(S.size(), false);
    while (i < E.size() || j < S.size()) {
      if (i < E.size() && j < S.size() && same(E[i], S[j])) {
        unweighed[j] = built_otherwise(E[i].record) != nullptr;
        ++agreeing_by_lira[model.elements[static_cast<std::size_t>(E[i].record - 1)].type];
        ++i, ++j;
        continue;
      }
      bool next_pair = i + 1 < E.size() && j + 1 < S.size() && same(E[i + 1], S[j + 1]);
      if (i < E.size() && j < S.size() && !next_pair && i + 1 < E.size() && same(E[i + 1], S[j])) {
        f.add(element_name(E[i]) + ": no ANSYS element in the script");
        ++i;
      } else if (i < E.size() && j < S.size() && !next_pair && j + 1 < S.size() && same(E[i], S[j + 1])) {
        f.add("ANSYS element " + std::to_string(j + 1) + " (line " + std::to_string(S[j].line) +
              "): in the script, not in the model");
        ++j;
      } else if (i < E.size() && j < S.size()) {
        unweighed[j] = built_otherwise(E[i].record) != nullptr;
        mismatch(f, E[i], S[j], j + 1);
        ++i, ++j;
      } else if (i < E.size()) {
        f.add(element_name(E[i]) + ": no ANSYS element in the script");
        ++i;
      } else {
        f.add("ANSYS element " + std::to_string(j + 1) + " (line " + std::to_string(S[j].line) +
              "): in the script, not in the model");
        ++j;
      }
    }
    for (const auto& [type, count] : records) {
      std::string what = std::to_string(type);
      switch (lira::element_kind(type)) {
        case lira::ElementKind::kBar:
          what += " bar";
          break;
        case lira::ElementKind::kPlasticBar:
          what += " plastic bar";
          break;
        case lira::ElementKind::kElasticLink:
          what += " elastic link";
          break;
        case lira::ElementKind::kPlate:
          what += " plate";
          break;
        case lira::ElementKind::kLayeredShell:
          what += " layered shell, 3 layers";
          break;
        case lira::ElementKind::kUnconverted:
          what += " (not converted)";
          break;
      }
      row(out, what, std::to_string(count),
          std::to_string(agreeing_by_lira[type]) + "/" + std::to_string(expected_by_lira[type]),
          agreeing_by_lira[type] != expected_by_lira[type]);
    }
    out << "  (ANSYS: elements that agree / elements the model gives)\n";
    out << padded("Elements by ANSYS type", 38) << right_aligned("model", 14) << right_aligned("script", 14)
        << "\n";
    std::map<int, std::int64_t> by_type_expected, by_type_script;
    for (const ExpectedElement& e : E) ++by_type_expected[e.type];
    for (const ScriptElement& e : S) ++by_type_script[e.type];
    std::map<int, bool> types;
    for (auto& p : by_type_expected) types[p.first] = true;
    for (auto& p : by_type_script) types[p.first] = true;
    for (auto& p : types) {
      row(out, std::to_string(p.first) + " " + ansys_name(s, p.first),
          std::to_string(by_type_expected[p.first]), std::to_string(by_type_script[p.first]),
          by_type_expected[p.first] != by_type_script[p.first]);
    }
    row(out, "all elements", std::to_string(E.size()), std::to_string(S.size()), E.size() != S.size());
    close("elements, their nodes and attributes", f);
  }

  // A face whose corners, in the order of the script, do not run round it
  // has no area: ANSYS builds a twisted element. The conversion's rules may
  // give one from a model whose corners are written in another order; it is
  // no difference, but worth a look (the check names the order that mends it).
  void twisted_faces(TableLines& warnings) const {
    for (const ExpectedElement& e : x.elements) {
      // A slab's lower layers share the corners of its top layer.
      if ((e.node_count != 4 && e.node_count != 8) || e.layer == Layer::kBottom ||
          e.layer == Layer::kMiddle) {
        continue;
      }
      Point p[8];
      for (int i = 0; i < e.node_count; ++i) p[i] = expected_point(e.node[i]);
      const Point* top = e.node_count == 8 ? p + 4 : p;
      if (modelcheck::twisted(top)) {
        warnings.add(element_name(e) + ": its face " + nodes_of(e.node + (e.node_count - 4), 4) +
                     " is twisted, its corners do not run round it in this order");
      }
    }
  }

  // --------------------------------------------------------- stiffness

  // The density of a stiffness's material against the answers, where they
  // were given: every kind but the elastic link (which tarvex gives 0) weighs
  // at its answer.
  void density(TableLines& f, int v, const ModelStiffness& st, const Material& m) {
    if (answers == nullptr || !answers->has_density) return;
    if (st.kind == lira::StiffnessKind::kElasticLink || st.kind == lira::StiffnessKind::kUnknown) {
      return;
    }
    double given = answers->density;
    for (const Options::DensityException& e : answers->density_exceptions) {
      if (e.stiffness == v) given = e.density;
    }
    double held = static_cast<float>(given);
    if (!m.has_dens || !agree(held, m.dens)) {
      f.add("stiffness " + std::to_string(v) + ": density " + num(held) + " in the answers, " +
            (m.has_dens ? num(m.dens) : std::string("none")) + " in the script");
    }
  }

  void stiffnesses() {
    TableLines f;
    for (int v = 0; v < lira::kStiffnessCount; ++v) {
      const ModelStiffness& st = model.stiffness[static_cast<std::size_t>(v)];
      if (!st.defined) continue;
      std::string name = "stiffness " + std::to_string(v);
      auto mat = s.materials.find(v);
      if (mat == s.materials.end() || !mat->second.has_ex) {
        f.add(name + ": no material " + std::to_string(v) + " in the script");
        continue;
      }
      if (!agree(st.modulus, mat->second.ex)) {
        f.add(name + ": EX " + num(st.modulus) + " in the model, " + num(mat->second.ex) + " in the script");
      }
      density(f, v, st, mat->second);
      bool has_section = st.kind == lira::StiffnessKind::kPlate ||
                         st.kind == lira::StiffnessKind::kRectangularBar ||
                         st.kind == lira::StiffnessKind::kPlasticBar;
      if (!has_section) continue;
      auto set = s.real_sets.find(st.real_set[0]);
      double section = set == s.real_sets.end() || set->second.empty() ? 0 : set->second[0];
      if (!agree(st.section, section)) {
        f.add(name + ": section " + num(st.section) + " in the model, real constant set " +
              std::to_string(st.real_set[0]) + " holds " + num(section));
      }
    }
    out << "\nStiffnesses\n";
    bool densities = answers != nullptr && answers->has_density;
    close(densities ? "moduli, sections and densities" : "moduli and sections", f);
  }

  // ---------------------------------------------------------- supports

  void supports() {
    std::vector<std::pair<std::int32_t, int>> e, a;
    for (const ScriptSupport& p : x.supports) e.emplace_back(p.node, p.dof);
    for (const ScriptSupport& p : s.supports) a.emplace_back(p.node, p.dof);
    std::sort(e.begin(), e.end());
    std::sort(a.begin(), a.end());
    TableLines f;
    std::size_t i = 0, j = 0;
    auto name = [](const std::pair<std::int32_t, int>& p) {
      return "node " + std::to_string(p.first) + " " + kSupportLabels[p.second];
    };
    while (i < e.size() || j < a.size()) {
      if (i < e.size() && j < a.size() && e[i] == a[j]) {
        ++i, ++j;
      } else if (j >= a.size() || (i < e.size() && e[i] < a[j])) {
        f.add("support " + name(e[i++]) + ": in the model, not in the script");
      } else {
        f.add("support " + name(a[j++]) + ": in the script, not in the model");
      }
    }
    heading(out, "Supports", "LIRA", "ANSYS");
    row(out, "fixed degrees of freedom", std::to_string(e.size()), std::to_string(a.size()),
        e.size() != a.size());
    close("supports", f);
  }

  // ------------------------------------------------------------- loads

  struct Key {
    std::int32_t target;
    int label;
    bool operator<(const Key& o) const { return target != o.target ? target < o.target : label < o.label; }
    bool operator==(const Key& o) const { return target == o.target && label == o.label; }
  };

  static std::vector<std::pair<Key, double>> summed(const std::vector<ScriptLoad>& loads) {
    std::vector<std::pair<Key, double>> v;
    v.reserve(loads.size());
    for (const ScriptLoad& l : loads) v.push_back({Key{l.target, l.label}, l.value});
    std::sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::size_t k = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
      if (k > 0 && v[k - 1].first == v[i].first)
        v[k - 1].second += v[i].second;
      else
        v[k++] = v[i];
    }
    v.resize(k);
    return v;
  }

  template <typename Name>
  void compare_loads(TableLines& f, const std::string& step, const std::vector<ScriptLoad>& expected,
                     const std::vector<ScriptLoad>& script, Name name) {
    auto e = summed(expected), a = summed(script);
    std::size_t i = 0, j = 0;
    while (i < e.size() || j < a.size()) {
      if (i < e.size() && j < a.size() && e[i].first == a[j].first) {
        if (!agree(e[i].second, a[j].second)) {
          f.add(step + ": " + name(e[i].first) + " is " + num(e[i].second) + " by the model, " +
                num(a[j].second) + " in the script");
        }
        ++i, ++j;
      } else if (j >= a.size() || (i < e.size() && e[i].first < a[j].first)) {
        f.add(step + ": " + name(e[i].first) + " = " + num(e[i].second) + " by the model, not in the script");
        ++i;
      } else {
        f.add(step + ": " + name(a[j].first) + " = " + num(a[j].second) + " in the script, not in the model");
        ++j;
      }
    }
  }

  // The model's measure of an element of document 1: its area or length.
  double model_measure(std::int32_t record) const {
    if (record < 1 || record > static_cast<std::int64_t>(model.elements.size())) return 0;
    const ModelElement& e = model.elements[static_cast<std::size_t>(record - 1)];
    if (lira::is_shell(e.type)) {
      return area(model_point(e.node[0]), model_point(e.node[1]), model_point(e.node[e.node_count - 1]),
                  model_point(e.node[2]));
    }
    if (lira::is_bar(e.type)) return length(model_point(e.node[0]), model_point(e.node[1]));
    return 0;
  }

  const ScriptElement* script_element(std::int32_t n) const {
    if (n < 1 || n > static_cast<std::int64_t>(s.elements.size())) return nullptr;
    return &s.elements[static_cast<std::size_t>(n - 1)];
  }

  double face_area(const ScriptElement& e, int face) const {
    Point p[8];
    for (int i = 0; i < e.node_count; ++i) p[i] = script_point(e.node[i]);
    if (e.node_count == 4) return area(p[0], p[1], p[2], p[3]);
    if (e.node_count != 8) return 0;
    static const int faces[7][4] = {{0, 0, 0, 0}, {0, 1, 2, 3}, {0, 1, 5, 4}, {1, 2, 6, 5},
                                    {2, 3, 7, 6}, {3, 0, 4, 7}, {4, 5, 6, 7}};
    const int* q = faces[face];
    return area(p[q[0]], p[q[1]], p[q[2]], p[q[3]]);
  }

  double section(const ScriptElement& e) const {
    auto set = s.real_sets.find(e.real);
    return set == s.real_sets.end() || set->second.empty() ? 0 : set->second[0];
  }

  // The weight of an element of the script under an acceleration of 1.
  double script_weight(const ScriptElement& e) const {
    auto mat = s.materials.find(e.mat);
    double dens = mat == s.materials.end() ? 0 : mat->second.dens;
    if (dens == 0) return 0;
    Point p[8];
    for (int i = 0; i < e.node_count && i < 8; ++i) p[i] = script_point(e.node[i]);
    if (e.node_count == 8) return dens * volume(p);
    if (e.node_count == 4) return dens * section(e) * area(p[0], p[1], p[2], p[3]);
    if (e.node_count == 2) return dens * section(e) * length(p[0], p[1]);
    return 0;
  }

  // tarvex takes an own-weight record whose value lies within 5 % of the
  // weight that the density gives; the script weighs by the density, so the
  // totals may differ by as much.
  static bool within_weight_test(double model, double script) {
    return std::fabs(model - script) <= 0.05 * std::fabs(model);
  }

  struct Sums {
    double value[11] = {};  // FX..MZ, plates, slab tops, bars Y, bars Z, weight
    double scale[11] = {};  // sums of magnitudes, for the tolerance
    std::int64_t items[11] = {};
    void add(int k, double v) {
      value[k] += v;
      scale[k] += std::fabs(v);
      ++items[k];
    }
  };

  void load_cases() {
    TableLines f, repeated;
    // The weight of every element of the script, once.
    double total_weight = 0;
    for (std::size_t j = 0; j < s.elements.size(); ++j) {
      if (j >= unweighed.size() || !unweighed[j]) total_weight += script_weight(s.elements[j]);
    }
    out << "\nLoad cases (values as the script holds them: the model's times 10000; forces\n"
           "along the axes, the model's nodal loads with their sign turned)\n";
    for (std::size_t p = 0; p < std::max(x.steps.size(), s.steps.size()); ++p) {
      if (p >= x.steps.size()) {
        f.add("load step " + std::to_string(p + 1) +
              ": in the script, not in the model's list of load cases");
        continue;
      }
      const ExpectedStep& e = x.steps[p];
      std::string step = "load case " + std::to_string(e.load_case);
      if (p >= s.steps.size()) {
        f.add(step + ": no load step " + std::to_string(p + 1) + " in the script");
        continue;
      }
      const LoadStep& a = s.steps[p];
      if (a.number != static_cast<int>(p + 1)) {
        f.add(step + ": written as load step " + std::to_string(a.number) + ", not " + std::to_string(p + 1));
      }
      compare_loads(f, step, e.forces, a.forces, [](Key k) {
        return std::string("force ") + kForceLabels[k.label] + " at node " + std::to_string(k.target);
      });
      compare_loads(f, step, e.pressures, a.pressures, [](Key k) {
        return "pressure on element " + std::to_string(k.target) + " face " + std::to_string(k.label);
      });
      compare_loads(f, step, e.beam_pressures, a.beam_pressures, [](Key k) {
        return "line load on bar " + std::to_string(k.target) + " face " + std::to_string(k.label);
      });
      Sums lira_sums, ansys_sums;
      for (const ScriptLoad& l : e.forces) lira_sums.add(l.label, l.value);
      for (const ScriptLoad& l : a.forces) ansys_sums.add(l.label, l.value);
      for (const ScriptLoad& l : e.pressures)
        lira_sums.add(l.label == 6 ? 7 : 6, l.value * model_measure(l.target));
      for (const ScriptLoad& l : a.pressures) {
        const ScriptElement* el = script_element(l.target);
        double measure = el ? face_area(*el, l.label) : 0;
        if (!el)
          f.add(step + ": pressure on element " + std::to_string(l.target) +
                ", which the script does not have");
        ansys_sums.add(el && el->node_count == 8 ? 7 : 6, l.value * measure);
      }
      for (const ScriptLoad& l : e.beam_pressures)
        lira_sums.add(l.label == 2 ? 8 : 9, l.value * model_measure(l.target));
      for (const ScriptLoad& l : a.beam_pressures) {
        const ScriptElement* el = script_element(l.target);
        double measure =
            el && el->node_count == 2 ? length(script_point(el->node[0]), script_point(el->node[1])) : 0;
        if (!el)
          f.add(step + ": line load on element " + std::to_string(l.target) +
                ", which the script does not have");
        ansys_sums.add(l.label == 2 ? 8 : 9, l.value * measure);
      }
      // The script weighs each element once, by the acceleration: a record
      // that weighs an element again is a load the script does not hold.
      std::vector<bool> weighed(e.weights.empty() ? 0 : model.elements.size() + 1);
      for (const WeightRecord& w : e.weights) {
        if (built_otherwise(w.element) != nullptr) continue;
        // A record of an element the model lacks weighs nothing here.
        if (w.element >= 1 && static_cast<std::size_t>(w.element) < weighed.size()) {
          if (weighed[static_cast<std::size_t>(w.element)]) {
            repeated.add(step + ": the own weight of element " + std::to_string(w.element) +
                         " stands again; the script weighs each element once");
            continue;
          }
          weighed[static_cast<std::size_t>(w.element)] = true;
        }
        lira_sums.add(10, w.value * model_measure(w.element));
      }
      bool expect_acel = e.weight;
      bool has_acel = a.acel[0] != 0 || a.acel[1] != 0 || a.acel[2] != 0;
      if (has_acel) ansys_sums.add(10, total_weight * a.acel[2]);
      if (a.acel[0] != 0 || a.acel[1] != 0 || (has_acel && a.acel[2] != 10)) {
        f.add(step + ": acceleration " + num(a.acel[0]) + ", " + num(a.acel[1]) + ", " + num(a.acel[2]) +
              " in the script; own weight is 0, 0, 10");
      }
      if (expect_acel && !has_acel)
        f.add(step + ": the model's own weight is not applied in the script (no ACEL)");
      // An acceleration on elements of density 0 weighs nothing.
      if (!expect_acel && has_acel && total_weight != 0)
        f.add(step + ": the script applies own weight, the model has no own-weight load here");
      static const char* const rows[11] = {"nodal forces FX",
                                           "nodal forces FY",
                                           "nodal forces FZ",
                                           "nodal moments MX",
                                           "nodal moments MY",
                                           "nodal moments MZ",
                                           "pressure x area, plates",
                                           "pressure x area, slab tops",
                                           "line load x length, bars, Y",
                                           "line load x length, bars, Z",
                                           "own weight"};
      out << "Load case " << e.load_case << " (load step " << p + 1 << ")" << (e.weight ? ", own weight" : "")
          << "\n";
      bool any = false;
      for (int k = 0; k < 11; ++k) {
        if (lira_sums.items[k] == 0 && ansys_sums.items[k] == 0) continue;
        any = true;
        bool differs = !agree(lira_sums.value[k], ansys_sums.value[k],
                              std::max(lira_sums.scale[k], ansys_sums.scale[k]));
        if (differs && k == 10 && within_weight_test(lira_sums.value[k], ansys_sums.value[k])) {
          differs = false;
          notes.add(step + ": own weight " + num(lira_sums.value[k]) + " by the model's records, " +
                    num(ansys_sums.value[k]) +
                    " in the script: within the 5 % that tarvex allows a record against the "
                    "density it is given");
        }
        row(out, rows[k], num(lira_sums.value[k]), num(ansys_sums.value[k]), differs);
        if (differs) {
          f.add(step + ": " + rows[k] + " total " + num(lira_sums.value[k]) + " in the model, " +
                num(ansys_sums.value[k]) + " in the script");
        }
      }
      if (!any) out << "  no loads\n";
    }
    close("loads", f);
    if (repeated.count > 0) close("repeated own weight", repeated);
  }
};

}  // namespace

int verify_script(const Options& options, std::ostream& out) {
  std::string model_name = options.file(0, "modellir.txt");
  std::string script_name = options.file(1, "modelans.lgw");
  TarvexModel model;
  ExpectedScript expected;
  ScriptModel script;
  try {
    lira::TextReader in(model_name);
    read_tarvex_model(in, model);
    expect_script(model, expected);
  } catch (const lira::Stop& stop) {
    out << "modelcheck --verify: " << model_name << " cannot be read as tarvex reads it:" << stop.message
        << "\n";
    return kUsage;
  }
  lira::TextReader in(script_name);
  if (!in.open()) {
    out << "modelcheck --verify: " << script_name << " cannot be opened.\n";
    return kUsage;
  }
  read_script(in, script);
  in.close();

  out << "modelcheck --verify: " << script_name << " beside " << model_name << "\n";
  Verifier v{model, expected, script, out, 0, 0, {}, {}};
  v.answers = &options;
  v.nodes();
  v.elements();
  v.stiffnesses();
  v.supports();
  v.load_cases();
  out << "\nScript\n";
  if (script.unread_count > 0) {
    out << "  " << script.unread_count << " lines that are no command of a conversion:\n";
    for (const std::string& l : script.unread) out << "  * " << l << "\n";
    if (script.unread_count > static_cast<std::int64_t>(script.unread.size())) {
      out << "  * ... and " << script.unread_count - static_cast<std::int64_t>(script.unread.size())
          << " more\n";
    }
    v.differences += script.unread_count;
  } else {
    out << "  every line read\n";
  }
  if (!script.finished) {
    out << "  * the script has no FINISH: the conversion did not end\n";
    ++v.differences;
  }
  TableLines twisted, other_kind;
  v.twisted_faces(twisted);
  v.other_kinds(other_kind);
  std::int64_t twisted_count = twisted.count, other_kind_count = other_kind.count;
  if (twisted_count > 0) {
    out << "\nTwisted elements (the script follows the model, but ANSYS builds them with no\n"
           "area: write their corners in order round the element):\n";
    twisted.close(out, "twisted elements", "element");
  }
  if (other_kind_count > 0) {
    out << "\nElements of another kind (the script follows the model's stiffnesses and\n"
           "builds these with the ANSYS type and attributes of their stiffness, not of\n"
           "their LIRA type; their own weight is left out of the totals above: give each\n"
           "element a stiffness of its own kind):\n";
    other_kind.close(out, "elements of another kind", "element");
  }
  if (v.notes.count > 0) {
    out << "\nNotes (no differences):\n";
    v.notes.close(out, "notes", "note");
  }
  if (expected.note_count > 0) {
    out << "\nLeft out by the conversion's rules (no difference):\n";
    for (const std::string& n : expected.notes) out << "  - " << n << "\n";
    if (expected.note_count > static_cast<std::int64_t>(expected.notes.size())) {
      out << "  - ... and " << expected.note_count - static_cast<std::int64_t>(expected.notes.size())
          << " more\n";
    }
  }
  // What the script follows but ANSYS will not build as the model means it.
  std::string but;
  auto count_of = [](std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " element is " : " elements are ");
  };
  if (twisted_count > 0) but = count_of(twisted_count) + "twisted";
  if (other_kind_count > 0) {
    but += (but.empty() ? "" : " and ") + count_of(other_kind_count) + "built as another kind";
  }
  if (v.differences == 0 && but.empty()) {
    out << "\nVerdict: the script is the model: every figure agrees within single precision.\n";
    return kClean;
  }
  if (v.differences == 0) {
    out << "\nVerdict: the script follows the model, but " << but << ".\n";
    return kFindings;
  }
  out << "\nVerdict: the script differs from the model in " << v.differences
      << (v.differences == 1 ? " place" : " places") << (but.empty() ? std::string() : ", and " + but)
      << ".\n";
  return kFindings;
}

}  // namespace modelcheck
