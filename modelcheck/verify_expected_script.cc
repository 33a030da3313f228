#include "verify_expected_script.h"

#include "common/conversion_rules.h"
#include "common/stop.h"

namespace modelcheck {
namespace {

struct Attributes {
  int type = 0, mat = 0, real = 0, esys = 0;
  bool set = false;  // the stiffness has a text for this layer
};

// The attribute text of stiffness s for a layer: the element's own text, or
// the bottom or middle layer's of a slab stiffness.
Attributes attributes_of(const TarvexModel& m, std::int32_t s, Layer layer) {
  const ModelStiffness& st = m.stiffness[static_cast<std::size_t>(s)];
  Attributes a;
  if (!st.defined) return a;
  if (layer == Layer::kBottom || layer == Layer::kMiddle) {
    int real = st.real_set[layer == Layer::kBottom ? 1 : 2];
    if (real != 0) a = Attributes{lira::kSolid65, s, real, 11, true};
    return a;
  }
  switch (st.kind) {
    case lira::StiffnessKind::kElasticLink:
      return Attributes{lira::kLink8, s, 1, 0, true};
    case lira::StiffnessKind::kSolid:
      return Attributes{lira::kSolid65, s, st.real_set[0], 11, true};
    case lira::StiffnessKind::kRectangularBar:
      return Attributes{lira::kBeam4, s, st.real_set[0], 0, true};
    case lira::StiffnessKind::kPlasticBar:
      return Attributes{lira::kLink8, s, st.real_set[0], 0, true};
    case lira::StiffnessKind::kPlate:
      return Attributes{lira::kShell63, s, st.real_set[0], 0, true};
    case lira::StiffnessKind::kUnknown:
      break;
  }
  return a;
}

struct Builder {
  const TarvexModel& m;
  ExpectedScript& x;
  std::vector<std::array<std::int32_t, 3>> lower;  // layer nodes of the model's nodes
  Attributes in_force;

  const ModelNode& node(std::int32_t n, std::int32_t record) {
    if (n < 1 || n > static_cast<std::int64_t>(x.nodes.size())) {
      lira::fail("\nIncorrect modellir.txt: element " + std::to_string(record) + " names node " +
                 std::to_string(n) + ", which is not a node of the model.");
    }
    return x.nodes[static_cast<std::size_t>(n - 1)];
  }
  const std::array<std::int32_t, 3>& layers(std::int32_t n, std::int32_t record) {
    node(n, record);
    if (n > static_cast<std::int32_t>(lower.size()) || lower[static_cast<std::size_t>(n - 1)][0] == 0) {
      lira::fail("\nIncorrect modellir.txt: element " + std::to_string(record) +
                 " needs the layer nodes of node " + std::to_string(n) +
                 ", which belongs to no layered shell.");
    }
    return lower[static_cast<std::size_t>(n - 1)];
  }

  void layer_nodes() {
    lower.assign(x.nodes.size(), {0, 0, 0});
    for (std::size_t k = 0; k < m.elements.size(); ++k) {
      const ModelElement& e = m.elements[k];
      if (!lira::is_layered_shell(e.type)) continue;
      const double* t = m.stiffness[static_cast<std::size_t>(e.stiffness)].layer;
      for (int i = 0; i < e.node_count; ++i) {
        std::int32_t n = e.node[i];
        if (n == 0) break;
        ModelNode top = node(n, static_cast<std::int32_t>(k + 1));
        std::array<std::int32_t, 3>& l = lower[static_cast<std::size_t>(n - 1)];
        if (l[0] != 0) continue;
        std::int32_t c = static_cast<std::int32_t>(x.nodes.size());
        l = {c + 1, c + 2, c + 3};
        lira::LayerHeights h = lira::layer_heights(top.z, t[0], t[1], t[2]);
        for (float z : h.z) x.nodes.push_back(ModelNode{top.x, top.y, z});
        // A later element may name a layer node itself: it has none below it.
        lower.resize(x.nodes.size(), {0, 0, 0});
      }
    }
    x.layer_nodes = static_cast<std::int32_t>(x.nodes.size()) - x.document_nodes;
  }

  void header(std::int32_t s, std::int32_t& current, Layer layer) {
    if (s == current) return;
    current = s;
    Attributes a = attributes_of(m, s, layer);
    if (a.set) in_force = a;
  }

  // A face's corners a, b, c, d in the script's order; d = c for a triangle.
  static std::vector<std::int32_t> face(const std::int32_t* c) {
    std::vector<std::int32_t> f;
    for (int corner : lira::kScriptCorner) f.push_back(c[corner]);
    return f;
  }
  // The bottom face, then the top face.
  static std::vector<std::int32_t> solid(const std::int32_t* bottom, const std::int32_t* top) {
    std::vector<std::int32_t> f = face(bottom), t = face(top);
    f.insert(f.end(), t.begin(), t.end());
    return f;
  }

  void add(std::int32_t record, Layer layer, const std::vector<std::int32_t>& nodes) {
    ExpectedElement e;
    e.record = record;
    e.layer = layer;
    e.type = in_force.type;
    e.mat = in_force.mat;
    e.real = in_force.real;
    e.esys = in_force.esys;
    for (std::int32_t n : nodes) e.node[e.node_count++] = n;
    x.elements.push_back(e);
  }

  void first_pass() {
    std::int32_t current = 0;
    x.first_of_record.assign(m.elements.size(), -1);
    for (std::size_t k = 0; k < m.elements.size(); ++k) {
      const ModelElement& e = m.elements[k];
      std::int32_t r = static_cast<std::int32_t>(k + 1);
      if (lira::element_kind(e.type) == lira::ElementKind::kUnconverted) continue;
      header(e.stiffness, current, Layer::kWhole);
      x.first_of_record[k] = static_cast<std::int64_t>(x.elements.size());
      const std::int32_t* n = e.node;
      switch (lira::element_kind(e.type)) {
        case lira::ElementKind::kBar:
          node(n[0], r), node(n[1], r);
          add(r, Layer::kWhole, {n[0], n[1]});
          break;
        case lira::ElementKind::kPlasticBar: {
          float holder = m.stiffness[static_cast<std::size_t>(e.stiffness)].holder;
          std::int32_t a = layers(n[0], r)[holder < 0 ? 1 : 2];
          std::int32_t b = layers(n[1], r)[holder < 0 ? 1 : 2];
          if (holder == 0) {
            lira::fail("\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0.");
          }
          add(r, Layer::kWhole, {a, b});
          break;
        }
        case lira::ElementKind::kElasticLink: {
          std::int32_t f = layers(n[0], r)[0];
          ModelNode extra = x.nodes[static_cast<std::size_t>(f - 1)];
          extra.z = lira::link_node_z(extra.z);
          x.nodes.push_back(extra);
          std::int32_t added = static_cast<std::int32_t>(x.nodes.size());
          ++x.link_nodes;
          for (int dof = 0; dof < 3; ++dof) x.supports.push_back(ScriptSupport{added, dof});
          add(r, Layer::kWhole, {added, f});
          break;
        }
        case lira::ElementKind::kPlate:
          for (int i = 0; i < e.node_count; ++i) node(n[i], r);
          add(r, Layer::kWhole, face(n));
          break;
        case lira::ElementKind::kLayeredShell: {
          std::int32_t l[4];
          for (int i = 0; i < 4; ++i) l[i] = layers(n[i], r)[2];
          add(r, Layer::kTop, solid(l, n));
          break;
        }
        case lira::ElementKind::kUnconverted:
          break;
      }
    }
  }

  void lower_layers(Layer layer) {
    int from = layer == Layer::kBottom ? 0 : 1;
    std::int32_t current = 0;
    for (std::size_t k = 0; k < m.elements.size(); ++k) {
      const ModelElement& e = m.elements[k];
      if (!lira::is_layered_shell(e.type)) continue;
      std::int32_t r = static_cast<std::int32_t>(k + 1);
      header(e.stiffness, current, layer);
      std::int32_t b[4], t[4];
      for (int i = 0; i < 4; ++i) {
        b[i] = layers(e.node[i], r)[from];
        t[i] = layers(e.node[i], r)[from + 1];
      }
      add(r, layer, solid(b, t));
    }
  }

  void note(std::string text) {
    ++x.note_count;
    if (x.notes.size() < 20) x.notes.push_back(std::move(text));
  }

  void supports() {
    std::vector<ScriptSupport> links = std::move(x.supports);
    x.supports.clear();
    // The reader refuses codes outside 1 to 6, as tarvex does.
    for (const ModelSupport& s : m.supports) x.supports.push_back(ScriptSupport{s.node, s.code - 1});
    x.supports.insert(x.supports.end(), links.begin(), links.end());
  }

  void loads() {
    for (std::int32_t c : m.load_cases) {
      ExpectedStep step;
      step.load_case = c;
      for (const ModelLoad& l : m.loads) {
        if (l.load_case != c) continue;
        std::string what = "load case " + std::to_string(c) + ": the load on " +
                           (l.type == 0 ? "node " : "element ") + std::to_string(l.number);
        if (l.line < 1 || l.line > static_cast<std::int64_t>(m.values.size())) {
          lira::fail("\nIncorrect loades.tmp: irrelevant load type number.");
        }
        const std::array<float, 4>& v = m.values[static_cast<std::size_t>(l.line - 1)];
        if (l.type != 0 && l.type != 16 &&
            (l.number < 1 || l.number > static_cast<std::int64_t>(m.elements.size()))) {
          lira::fail("\nIncorrect modellir.txt: load case " + std::to_string(c) + " loads element " +
                     std::to_string(l.number) + ", which is not in document 1.");
        }
        std::int32_t type =
            l.type == 0 || l.type == 16 ? 0 : m.elements[static_cast<std::size_t>(l.number - 1)].type;
        lira::LoadRule rule = lira::load_rule(l.type, l.direction, type);
        if (rule.refusal != lira::LoadRefusal::kNone) lira::fail(rule.message);
        switch (rule.effect) {
          case lira::LoadEffect::kForce:
            step.forces.push_back(ScriptLoad{l.number, rule.label, -v[0]});
            break;
          case lira::LoadEffect::kOwnWeight:
            step.weight = true;
            step.weights.push_back(WeightRecord{l.number, v[0]});
            break;
          case lira::LoadEffect::kBeamPressure:
            step.beam_pressures.push_back(ScriptLoad{l.number, rule.label, v[0]});
            break;
          case lira::LoadEffect::kShellPressure:
            step.pressures.push_back(
                ScriptLoad{l.number, rule.label, lira::shell_pressure(type, l.type, v.data())});
            break;
          case lira::LoadEffect::kSkipped:
            note(what + " (load type " + std::to_string(l.type) + " on LIRA type " +
                 std::to_string(type) + ") is not converted");
            break;
        }
      }
      x.steps.push_back(std::move(step));
    }
  }
};

}  // namespace

const char* layer_name(Layer layer) {
  switch (layer) {
    case Layer::kWhole:
      return "";
    case Layer::kTop:
      return "top layer";
    case Layer::kBottom:
      return "bottom layer";
    case Layer::kMiddle:
      return "middle layer";
  }
  return "";
}

void expect_script(const TarvexModel& model, ExpectedScript& expected) {
  Builder b{model, expected, {}, {}};
  expected.nodes = model.nodes;
  expected.document_nodes = static_cast<std::int32_t>(model.nodes.size());
  b.layer_nodes();
  b.first_pass();
  b.lower_layers(Layer::kBottom);
  b.lower_layers(Layer::kMiddle);
  b.supports();
  b.loads();
}

}  // namespace modelcheck
