#include "loads.h"

#include "common/stop.h"

namespace tarvex {

// Not built yet: the run stops here.
void apply_loads(Run&) { lira::fail("\nThis phase of tarvex is not built yet."); }

}  // namespace tarvex
