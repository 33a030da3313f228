#include "nodes.h"

#include <string>

#include "common/message.h"
#include "common/record_file.h"
#include "common/stop.h"
#include "messages.h"

namespace tarvex {
namespace {

// Node numbers are 32-bit in every file and command.
void count_new_nodes(Run& run, std::int32_t added) {
  if (run.node_count > INT32_MAX - added) lira::fail(msg::kTooManyNodes);
  run.node_count += added;
}

void append_node(Run& run, const NodeRecord& node) {
  unsigned char record[kNodeRecordSize];
  lira::encode_fields(node, record);
  if (!run.nodes.append(record)) lira::fail(msg::kNodesCantWrite);
}

void close_nodes(Run& run) {
  if (!run.nodes.close()) lira::fail(msg::kNodesCantWriteToEnd);
}

// Puts three nodes under `node` (number `number`) for a slab of stiffness s:
// its bottom face, the top of the bottom layer and the top of the middle one.
void add_layer_nodes(Run& run, std::int32_t number, NodeRecord node, int s) {
  const StiffnessTable& t = run.stiffness;
  std::int32_t c = run.node_count;
  count_new_nodes(run, 3);
  node.lower[0] = c + 1;
  node.lower[1] = c + 2;
  node.lower[2] = c + 3;
  unsigned char record[kNodeRecordSize];
  lira::encode_fields(node, record);
  if (!run.nodes.write(number, record)) lira::fail(msg::kNodesCantWrite);

  lira::LayerHeights heights = lira::layer_heights(node.z, t.t_bottom[s], t.t_middle[s], t.t_top[s]);
  NodeRecord layer;
  layer.x = node.x;
  layer.y = node.y;
  for (float z : heights.z) {
    layer.z = z;
    append_node(run, layer);
  }
}

}  // namespace

void check_model_node(const Run& run, std::int32_t number, std::int64_t element) {
  if (number < 1 || number > run.model_node_count) {
    lira::fail(lira::message(msg::kNodeOutside, {std::to_string(number), std::to_string(element),
                                                 std::to_string(run.model_node_count)}));
  }
}

NodeRecord look_up_node(Run& run, std::int32_t number, std::int64_t element) {
  check_model_node(run, number, element);
  return read_node(run, number);
}

NodeRecord read_node(Run& run, std::int32_t number) {
  unsigned char record[kNodeRecordSize];
  if (number < 1 || number > run.nodes.count() || !run.nodes.read(number, record)) {
    lira::fail(lira::message(msg::kNodeCantRead, {std::to_string(number)}));
  }
  return lira::decode_fields<NodeRecord>(record);
}

void read_nodes(Run& run) {
  if (!run.nodes.create("nodes.tmp", kNodeRecordSize)) lira::fail(msg::kNodesCantOpen);
  lira::NodeReader reader(run.reader);
  lira::NodeCoordinates read;
  while (reader.next(read)) {
    NodeRecord node;
    node.x = read.x;
    node.y = read.y;
    node.z = read.z;
    append_node(run, node);
    count_new_nodes(run, 1);
  }
  run.model_node_count = run.node_count;
  close_nodes(run);
  run.model.close();
}

void create_layer_nodes(Run& run) {
  if (!run.nodes.open("nodes.tmp", kNodeRecordSize, true)) lira::fail(msg::kNodesCantOpen);
  lira::ElementReader reader(run.reader, lira::ElementReader::Skip::kSilently);
  std::int32_t type;
  while (reader.next(type)) {
    if (!lira::is_layered_shell(type)) {
      reader.skip();
      continue;
    }
    std::int32_t s = reader.stiffness();
    std::int32_t corner[4];
    reader.nodes(type, corner);
    int si = stiffness_index(s);
    // Only a reinforced concrete slab stiffness has layers to build.
    if (run.stiffness.bottom_attribute[si].text[0] == '\0') {
      lira::refuse_layered_without_slab(reader.element(), type, s);
    }
    for (int i = 0; i < 4 && corner[i] != 0; ++i) {
      NodeRecord node = look_up_node(run, corner[i], reader.element());
      // A node shared with an earlier layered shell keeps its layer nodes.
      if (node.lower[0] == 0) add_layer_nodes(run, corner[i], node, si);
    }
  }
  *run.console.out << "\n";
  close_nodes(run);
  run.model.close();
}

void write_node_commands(Run& run) {
  if (!run.nodes.open("nodes.tmp", kNodeRecordSize, false)) lira::fail(msg::kNodesCantOpen);
  lira::Writer& s = run.script;
  unsigned char record[kNodeRecordSize];
  for (std::int64_t i = 1; i <= run.nodes.count(); ++i) {
    if (!run.nodes.read(i, record)) lira::fail(msg::kNodesCantRead);
    NodeRecord node = lira::decode_fields<NodeRecord>(record);
    s << "N," << static_cast<long long>(i) << "," << lira::Coordinate{node.x} << ","
      << lira::Coordinate{node.y} << ",";
    // A height read from document 4 is held exactly; one computed for a
    // layer node keeps six digits, so its rounding noise never shows.
    if (i <= run.model_node_count) {
      s << lira::Coordinate{node.z};
    } else {
      s << node.z;
    }
    s << ",,,,\n";
  }
  close_nodes(run);
}

}  // namespace tarvex
