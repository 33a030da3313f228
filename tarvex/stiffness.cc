#include "stiffness.h"

#include "common/stop.h"

namespace tarvex {

// Not built yet: the run stops here.
void read_stiffness_document(Run&) { lira::fail("\nThis phase of tarvex is not built yet."); }

}  // namespace tarvex
