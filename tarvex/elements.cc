#include "elements.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "common/message.h"
#include "common/record_file.h"
#include "common/stop.h"
#include "messages.h"
#include "nodes.h"

namespace tarvex {
namespace {

enum class Layer { kBottom, kMiddle };

std::string_view text_of(const AttributeText& a) {
  const char* end = std::find(a.text, a.text + sizeof a.text, '\0');
  return std::string_view(a.text, static_cast<std::size_t>(end - a.text));
}

/// Reading one document 1 record by record: the records, the stiffness
/// whose attribute text is current.
struct Reading {
  Reading(Run& r, lira::ElementReader::Skip skip) : run(r), records(r.reader, skip) {}

  Run& run;
  lira::ElementReader records;
  std::int32_t current_stiffness = 0;

  std::int64_t element() const { return records.element(); }
  // The stiffness token; when the stiffness changes, its attribute text goes
  // to the script before the element.
  int stiffness_header(const std::array<AttributeText, kStiffnessCount>& texts) {
    std::int32_t s = stiffness_index(records.stiffness());
    if (s != current_stiffness) {
      // A stiffness without an attribute text would leave its elements with
      // the type, material and real constants of the elements before them.
      if (s != 0 && run.stiffness.attribute[s].text[0] == '\0') {
        lira::fail(lira::message(msg::kUndefinedStiffness,
                                 {std::to_string(element()), std::to_string(s)}));
      }
      current_stiffness = s;
      run.script << "!*\n" << text_of(texts[s]) << "!*\n";
    }
    return s;
  }
  // Nodes that the script names without a lookup must be nodes of the model too.
  void check_nodes(const std::int32_t* node, int count) const {
    for (int i = 0; i < count; ++i) check_model_node(run, node[i], element());
  }
};

void fitem(lira::Writer& s, std::int32_t node) { s << "\nFITEM,2," << node; }

void two_node_element(lira::Writer& s, std::int32_t a, std::int32_t b) {
  s << "FLST,2,2,1";
  fitem(s, a);
  fitem(s, b);
  s << "\nE,P51X\n!*\n";
}

// The bottom face, then the top face, each in the corner order a, b, d, c.
void eight_node_element(lira::Writer& s, const std::int32_t bottom[4], const std::int32_t top[4]) {
  s << "FLST,2,8,1";
  for (const std::int32_t* face : {bottom, top}) {
    for (int corner : lira::kScriptCorner) fitem(s, face[corner]);
  }
  s << "\nE,P51X\n!*\n";
}

// The layer nodes of a node of a layered shell, elastic link or plastic bar;
// `purpose` completes the message for a node that has none.
NodeRecord layered_node(Reading& r, std::int32_t number, const char* missing) {
  NodeRecord node = look_up_node(r.run, number, r.element());
  if (node.lower[0] == 0) lira::fail(missing);
  return node;
}

void plastic_bar(Reading& r, int s, ElementRecord& e) {
  std::int32_t node[4];
  r.records.nodes(210, node);
  // The checks go node by node: the first node's layer nodes, the holder
  // value, then the second node's layer nodes.
  for (int i = 0; i < 2; ++i) {
    std::int32_t& n = node[i];
    NodeRecord layered = layered_node(r, n, msg::kPlasticBarNode);
    float holder = r.run.stiffness.holder[s];
    if (holder == 0) {
      lira::fail(msg::kHolderZero);
    }
    n = holder < 0 ? layered.lower[1] : layered.lower[2];
  }
  two_node_element(r.run.script, node[0], node[1]);
  e.node[0] = node[0];
  e.node[1] = node[1];
}

void elastic_link(Reading& r, ElementRecord& e) {
  std::int32_t node[4];
  r.records.nodes(51, node);
  std::int32_t a = node[0];
  std::int32_t f =
      layered_node(r, a, msg::kElasticLinkNode).lower[0];
  NodeRecord bottom = read_node(r.run, f);
  if (r.run.node_count == INT32_MAX) lira::fail(msg::kTooManyNodes);
  std::int32_t m = ++r.run.node_count;
  float zm = lira::link_node_z(bottom.z);
  lira::Writer& s = r.run.script;
  s << "N," << m << "," << lira::Coordinate{bottom.x} << "," << lira::Coordinate{bottom.y} << ","
    << zm << ",,,,\n";
  s << "FLST,2,1,1,ORDE,1";
  fitem(s, m);
  s << "\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n";
  two_node_element(s, m, f);
  e.node[0] = m;
  e.node[1] = f;
}

void plate(Reading& r, std::int32_t type, ElementRecord& e) {
  std::int32_t c[4];
  r.records.nodes(type, c);
  r.check_nodes(c, 4);
  lira::Writer& s = r.run.script;
  s << "FLST,2,4,1";
  for (int corner : lira::kScriptCorner) fitem(s, c[corner]);
  s << "\nE,P51X\n!*\n";
  for (int i = 0; i < 4; ++i) e.node[i] = c[i];
}

void top_layer(Reading& r, std::int32_t type) {
  std::int32_t c[4];
  r.records.nodes(type, c);
  std::int32_t bottom[4];
  for (int i = 0; i < 4; ++i) {
    bottom[i] = layered_node(r, c[i], msg::kSolidUpperNode).lower[2];
  }
  eight_node_element(r.run.script, bottom, c);
}

void lower_layer(Reading& r, std::int32_t type, Layer layer) {
  std::int32_t c[4];
  r.records.nodes(type, c);
  std::int32_t bottom[4], top[4];
  for (int i = 0; i < 4; ++i) {
    NodeRecord node = layered_node(r, c[i], msg::kSolidLowerNode);
    bottom[i] = layer == Layer::kBottom ? node.lower[0] : node.lower[1];
    top[i] = layer == Layer::kBottom ? node.lower[1] : node.lower[2];
  }
  eight_node_element(r.run.script, bottom, top);
}

}  // namespace

void create_first_pass_elements(Run& run) {
  Reading r(run, lira::ElementReader::Skip::kWithSlash);
  std::int32_t type;
  while (r.records.next(type)) {
    // elements.tmp keeps 16 bits of the type.
    lira::check_element_type(r.element(), type);
    ElementRecord e;
    e.type = static_cast<std::int16_t>(type);
    lira::ElementKind kind = lira::element_kind(type);
    if (kind == lira::ElementKind::kUnconverted) {
      // The record keeps the element numbers of elements.tmp in step with
      // the model's; its stiffness and nodes are 0. The script's elements
      // after it are numbered one lower.
      if (run.first_unconverted_element == 0) run.first_unconverted_element = r.element();
      r.records.skip();
    } else {
      int s = r.stiffness_header(run.stiffness.attribute);
      e.stiffness = static_cast<std::int16_t>(s);
      switch (kind) {
        case lira::ElementKind::kBar:
          r.records.nodes(type, e.node);
          r.check_nodes(e.node, 2);
          two_node_element(run.script, e.node[0], e.node[1]);
          break;
        case lira::ElementKind::kPlasticBar: plastic_bar(r, s, e); break;
        case lira::ElementKind::kElasticLink: elastic_link(r, e); break;
        case lira::ElementKind::kPlate: plate(r, type, e); break;
        case lira::ElementKind::kLayeredShell: top_layer(r, type); break;
        case lira::ElementKind::kUnconverted: break;
      }
    }
    unsigned char record[kElementRecordSize];
    lira::encode_fields(e, record);
    if (!run.elements.append(record)) lira::fail(msg::kElementsCantWrite);
  }
  run.model.close();
  if (!run.elements.close()) lira::fail(msg::kElementsCantWriteToEnd);
}

namespace {

void lower_layer_reading(Run& run, Layer layer) {
  const auto& texts = layer == Layer::kBottom ? run.stiffness.bottom_attribute
                                              : run.stiffness.middle_attribute;
  Reading r(run, lira::ElementReader::Skip::kWithSlash);
  std::int32_t type;
  while (r.records.next(type)) {
    if (lira::is_layered_shell(type)) {
      r.stiffness_header(texts);
      lower_layer(r, type, layer);
    } else {
      r.records.skip();
    }
  }
  run.model.close();
}

}  // namespace

void create_lower_layers(Run& run) {
  *run.console.out << "\n\nELEMENTS CREATION, 2 PASS\n";
  lower_layer_reading(run, Layer::kBottom);
  lower_layer_reading(run, Layer::kMiddle);
}

void create_elements(Run& run) {
  if (!run.elements.create("elements.tmp", kElementRecordSize)) {
    lira::fail(msg::kElementsCantOpen);
  }
  if (!run.nodes.open("nodes.tmp", kNodeRecordSize, false)) {
    lira::fail(msg::kNodesCantOpen);
  }
  *run.console.out << "\n\nELEMENTS CREATION, 1 PASS\n";
  create_first_pass_elements(run);
  create_lower_layers(run);
  run.nodes.close();
}

}  // namespace tarvex
