#include "constraints.h"

namespace tarvex {
namespace {

const char* const kLabels[] = {",UX", ",UY", ",UZ", ",ROTX", ",ROTY", ",ROTZ"};

}  // namespace

void write_constraints(Run& run) {
  lira::SupportReader reader(run.reader);
  std::int32_t node, code;
  while (reader.next(node, code)) {
    run.script << "!*\n D," << node << kLabels[code - 1] << "\n";
    run.script.flush();
  }
  run.script << "!*\n!*\n";
  run.model.close();
}

}  // namespace tarvex
