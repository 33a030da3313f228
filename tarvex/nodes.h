// Nodes: document 4 into nodes.tmp, the layer nodes, the N commands.
#pragma once

#include "run.h"

namespace tarvex {

/// Document 4 (searched on from the end of document 3) into nodes.tmp.
void read_nodes(Run& run);
/// Three nodes under every node of a layered shell of document 1.
void create_layer_nodes(Run& run);
/// One N command per record of nodes.tmp.
void write_node_commands(Run& run);

}  // namespace tarvex
