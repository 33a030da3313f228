#include "tasks.h"

namespace modelcheck {

int check_vantrel(const Options&, std::ostream& out) {
  out << "modelcheck: this task is not built yet.\n";
  return kUsage;
}

}  // namespace modelcheck
