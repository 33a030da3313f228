#include "nodes.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "common/record_file.h"
#include "common/stop.h"

namespace tarvex {
namespace {

const char kCantOpen[] = "\nFile nodes.tmp can't be opened.";

// Node numbers are 32-bit in every file and command.
void count_new_nodes(Run& run, std::int32_t added) {
  if (run.node_count > INT32_MAX - added) lira::fail("\nIncorrect modellir.txt: too many nodes.");
  run.node_count += added;
}

void append_node(Run& run, const NodeRecord& node) {
  unsigned char record[kNodeRecordSize];
  lira::encode_fields(node, record);
  if (!run.nodes.append(record)) lira::fail("\nFile nodes.tmp can't be written.");
}

// A coordinate in single precision, as nodes.tmp keeps it; one beyond its
// range would become an infinity in the script.
float coordinate(Run& run, const lira::Token& token) {
  double v = real_value(run, token).value;
  if (!(std::fabs(v) <= FLT_MAX)) {
    lira::fail("\nIncorrect modellir.txt: coordinate " + std::string(token.view()) + " of node " +
               std::to_string(static_cast<long long>(run.node_count) + 1) + " is out of range.");
  }
  return to_single(v);
}

void close_nodes(Run& run) {
  if (!run.nodes.close()) lira::fail("\nFile nodes.tmp can't be written to the end.");
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
  if (!run.nodes.write(number, record)) lira::fail("\nFile nodes.tmp can't be written.");

  // Each height is taken from the one stored below it, in single precision.
  NodeRecord layer;
  layer.x = node.x;
  layer.y = node.y;
  layer.z = to_single(static_cast<double>(node.z) - ((t.t_middle[s] + t.t_bottom[s]) + t.t_top[s]));
  append_node(run, layer);
  layer.z = to_single(static_cast<double>(layer.z) + t.t_bottom[s]);
  append_node(run, layer);
  layer.z = to_single(static_cast<double>(layer.z) + t.t_middle[s]);
  append_node(run, layer);
}

}  // namespace

void check_model_node(const Run& run, std::int32_t number, std::int64_t element) {
  if (number < 1 || number > run.model_node_count) {
    lira::fail("\nIncorrect modellir.txt: node " + std::to_string(number) + " of element " +
               std::to_string(element) + " is outside 1 to " +
               std::to_string(run.model_node_count) + ".");
  }
}

NodeRecord look_up_node(Run& run, std::int32_t number, std::int64_t element) {
  check_model_node(run, number, element);
  return read_node(run, number);
}

NodeRecord read_node(Run& run, std::int32_t number) {
  unsigned char record[kNodeRecordSize];
  if (number < 1 || number > run.nodes.count() || !run.nodes.read(number, record)) {
    lira::fail("\nError in file nodes.tmp: node " + std::to_string(number) + " can't be read.");
  }
  return lira::decode_fields<NodeRecord>(record);
}

bool read_record_end(Run& run) {
  char taken[2];
  int n = 0;
  while (n < 2) {
    int c = run.model.peek();
    if (c == EOF || c == '\n') break;
    taken[n++] = static_cast<char>(run.model.get());
  }
  run.console.out->write(taken, static_cast<std::size_t>(n));
  *run.console.out << "\n";
  return n == 2 && taken[1] == '/';
}

void read_nodes(Run& run) {
  if (!run.nodes.create("nodes.tmp", kNodeRecordSize)) lira::fail(kCantOpen);
  if (!lira::find_record_document(run.model, lira::kNodesHeader)) {
    lira::fail("\nIncorrect modellir.txt: no nodes.");
  }

  const char* const bad_nodes = "\nIncorrect modellir.txt: Bad nodes.";
  lira::Token token;
  next_echoed(run, token);
  run.record_kind = "node";
  while (token.first() != ')') {
    run.record_number = static_cast<std::int64_t>(run.node_count) + 1;
    NodeRecord node;
    node.x = coordinate(run, token);
    next_echoed(run, token);
    lira::RealValue y = lira::to_real(token);
    node.y = coordinate(run, token);
    // A slash glued to a value is no record end of one character and a slash,
    // after the second value as after the third.
    if (lira::ends_with_slash(y.end)) lira::fail(bad_nodes);
    lira::next_token(run.model, token);
    if (token.is("/")) {
      // Two values and the record end: z is 0.
      *run.console.out << "/\n";
    } else {
      run.console.out->write(token.text, static_cast<std::size_t>(token.length));
      node.z = coordinate(run, token);
      if (!read_record_end(run)) lira::fail(bad_nodes);
    }
    append_node(run, node);
    count_new_nodes(run, 1);
    next_echoed(run, token);
  }
  *run.console.out << "\n";
  run.model_node_count = run.node_count;
  close_nodes(run);
  run.model.close();
}

void create_layer_nodes(Run& run) {
  if (!run.nodes.open("nodes.tmp", kNodeRecordSize, true)) lira::fail(kCantOpen);
  reopen_model(run);
  if (!lira::find_record_document(run.model, lira::kElementsHeader)) {
    lira::fail("\nIncorrect modellir.txt: no elements.");
  }

  lira::Token token;
  next_echoed(run, token);
  std::int64_t element = 0;
  while (token.first() != ')') {
    ++element;
    std::int32_t type = lira::to_int(token).value;
    if (lira::is_layered_shell(type)) {
      next_echoed(run, token);
      std::int32_t s = lira::to_int(token).value;
      std::int32_t corner[4] = {};
      for (int i = 0; i < lira::shell_corners(type); ++i) {
        next_echoed(run, token);
        corner[i] = lira::to_int(token).value;
      }
      if (!read_record_end(run)) lira::fail("\nError in document 1 (file modellir.txt).");
      int si = stiffness_index(s);
      // Only a reinforced concrete slab stiffness has layers to build.
      if (run.stiffness.bottom_attribute[si].text[0] == '\0') {
        lira::fail("\nIncorrect modellir.txt: element " + std::to_string(element) + " of type " +
                   std::to_string(type) + " has stiffness " + std::to_string(s) +
                   ", which is no reinforced concrete slab.");
      }
      for (int i = 0; i < 4 && corner[i] != 0; ++i) {
        NodeRecord node = look_up_node(run, corner[i], element);
        // A node shared with an earlier layered shell keeps its layer nodes.
        if (node.lower[0] == 0) add_layer_nodes(run, corner[i], node, si);
      }
    } else {
      lira::skip_record(run.model);
    }
    next_echoed(run, token);
  }
  *run.console.out << "\n";
  close_nodes(run);
  run.model.close();
}

void write_node_commands(Run& run) {
  if (!run.nodes.open("nodes.tmp", kNodeRecordSize, false)) lira::fail(kCantOpen);
  lira::Writer& s = run.script;
  unsigned char record[kNodeRecordSize];
  for (std::int64_t i = 1; i <= run.nodes.count(); ++i) {
    if (!run.nodes.read(i, record)) lira::fail("\nFile nodes.tmp can't be read.");
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
