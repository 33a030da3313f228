// Nodes: document 4 into nodes.tmp, the layer nodes, the N commands.
#pragma once

#include <cstdint>

#include "common/record_file.h"
#include "run.h"

namespace tarvex {

/// One record of nodes.tmp: record n is node n. A node of a layered shell
/// has the three nodes stacked under it in `lower` (bottom face, top of the
/// bottom layer, top of the middle layer); every other node has zeros there.
struct NodeRecord {
  float x = 0, y = 0, z = 0;
  std::int32_t lower[3] = {};
};
constexpr int kNodeRecordSize = 24;
/// Its fields in their order in nodes.tmp.
template <class Field>
void fields(NodeRecord& node, Field field) {
  field(node.x);
  field(node.y);
  field(node.z);
  for (auto& lower : node.lower) field(lower);
}

/// Document 4 (searched on from the end of document 3) into nodes.tmp.
void read_nodes(Run& run);
/// Three nodes under every node of a layered shell of document 1.
void create_layer_nodes(Run& run);
/// One N command per record of nodes.tmp.
void write_node_commands(Run& run);

/// Stops the run unless `number`, named by element `element` of document 1,
/// is a node of document 4.
void check_model_node(const Run& run, std::int32_t number, std::int64_t element);
/// Node `number` named by element `element` of document 1: a node of
/// document 4, else the run stops.
NodeRecord look_up_node(Run& run, std::int32_t number, std::int64_t element);
/// Node `number` of nodes.tmp, layer nodes included (a number the file
/// itself gave); a number that is no record of the file stops the run.
NodeRecord read_node(Run& run, std::int32_t number);


}  // namespace tarvex
