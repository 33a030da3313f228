// The verification of tarvex's script beside its model (modelcheck --verify).
#pragma once

#include <ostream>

#include "options.h"

namespace modelcheck {

/// The task: the report to `out`; returns the exit code (exit_code.h).
int verify_script(const Options& options, std::ostream& out);

}  // namespace modelcheck
