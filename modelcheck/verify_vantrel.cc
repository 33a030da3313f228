#include "tasks.h"

namespace modelcheck {

int verify_vantrel(const Options&, std::ostream& out) {
  out << "modelcheck: this task is not built yet.\n";
  return kUsage;
}

}  // namespace modelcheck
