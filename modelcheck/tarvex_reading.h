// modellir.txt read by tarvex's own reader of its records, in tarvex's order
// of documents, into plain tables that the checks of a converted model
// compare with its script. Unlike the converter, this holds the model in
// memory: modelcheck looks at every part of it at once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/lira_types.h"
#include "common/text_model.h"

namespace modelcheck {

/// One stiffness of document 3, with what the script needs of it.
struct ModelStiffness {
  bool defined = false;
  lira::StiffnessKind kind = lira::StiffnessKind::kUnknown;
  double modulus = 0;    // times 10000, as the script holds it
  double poisson = 0;    // plates and slabs
  double section = 0;    // plate thickness, bar area, slab thickness
  float holder = 0;      // plastic bars: its sign picks the layer nodes
  double layer[3] = {};  // slab layers: bottom, middle, top thickness
  int real_set[3] = {};  // real-constant sets: [0] the element's (top layer),
                         // [1] bottom layer, [2] middle layer of a slab
};

struct ModelNode {
  float x = 0, y = 0, z = 0;
};

/// A record of document 1; `node` holds its node numbers as written.
struct ModelElement {
  std::int32_t type = 0;
  std::int32_t stiffness = 0;
  std::int32_t node[4] = {};
  int node_count = 0;
};

struct ModelSupport {
  std::int32_t node = 0;
  std::int32_t code = 0;  // 1..6: UX UY UZ ROTX ROTY ROTZ
};

/// A record of document 6.
struct ModelLoad {
  std::int32_t number = 0;  // element, or node for a nodal load
  std::int32_t type = 0;
  std::int32_t direction = 0;
  std::int32_t line = 0;  // value line of document 7
  std::int32_t load_case = 0;
};

struct TarvexModel {
  std::array<ModelStiffness, lira::kStiffnessCount> stiffness;
  std::vector<ModelNode> nodes;              // document 4, node n at n - 1
  std::vector<ModelElement> elements;        // document 1, element k at k - 1
  std::vector<ModelSupport> supports;        // document 5
  std::vector<std::array<float, 4>> values;  // document 7 times 10000, line n at n - 1
  std::vector<std::int32_t> load_cases;      // document 16, at most 20, up to the first 0
  std::vector<ModelLoad> loads;              // document 6
};

/// Reads the model; an error stops with lira::Stop and a message that begins
/// with "\n", as the converter would stop on it.
void read_tarvex_model(lira::TextReader& in, TarvexModel& model);

/// Reads the model as `read_tarvex_model` does, keeping none of its tables:
/// only whether and where the converter's reading stops.
void read_tarvex_records(lira::TextReader& in);

}  // namespace modelcheck
