// What the script of a model holds, worked out from the model by the rules of
// the conversion: every node (the layer nodes of the slabs and the extra node
// of every elastic link included), every element with its nodes and the
// attributes in force, every support, and the loads of every load step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "apdl_script.h"
#include "tarvex_reading.h"

namespace modelcheck {

/// The layers of a slab element; plain elements are kWhole.
enum class Layer { kWhole, kTop, kBottom, kMiddle };

struct ExpectedElement {
  std::int32_t record = 0;  // the element of document 1, from 1
  Layer layer = Layer::kWhole;
  int type = 0, mat = 0, real = 0, esys = 0;
  int node_count = 0;
  std::int32_t node[8] = {};
};

/// The own-weight records of a load case.
struct WeightRecord {
  std::int32_t element = 0;
  float value = 0;  // times 10000
};

struct ExpectedStep {
  std::int32_t load_case = 0;
  bool weight = false;  // the case holds the own-weight records
  std::vector<ScriptLoad> forces, pressures, beam_pressures;
  std::vector<WeightRecord> weights;
};

struct ExpectedScript {
  std::vector<ModelNode> nodes;  // node n at n - 1
  std::int32_t document_nodes = 0, layer_nodes = 0, link_nodes = 0;
  std::vector<ExpectedElement> elements;  // in the order of creation
  /// For each element of document 1, the index in `elements` of its first
  /// ANSYS element (the top layer of a slab), or -1.
  std::vector<std::int64_t> first_of_record;
  std::vector<ScriptSupport> supports;
  std::vector<ExpectedStep> steps;  // one per load case of document 16
  /// What the conversion leaves out by its rules: loads it passes over.
  std::vector<std::string> notes;
  std::int64_t note_count = 0;
};

/// Works the expected script out; a model that the converter would refuse
/// stops with lira::Stop.
void expect_script(const TarvexModel& model, ExpectedScript& expected);

const char* layer_name(Layer layer);

}  // namespace modelcheck
