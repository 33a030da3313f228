#include "nodes.h"

#include "common/stop.h"

namespace tarvex {

// Not built yet: the run stops here.
void read_nodes(Run&) { lira::fail("\nThis phase of tarvex is not built yet."); }
void create_layer_nodes(Run&) {}
void write_node_commands(Run&) {}

}  // namespace tarvex
