// The verification of vantrel's output beside its inputs (modelcheck --verify --vantrel).
#pragma once

#include <ostream>

#include "options.h"

namespace modelcheck {

/// The task: the report to `out`; returns the exit code (exit_code.h).
int verify_vantrel(const Options& options, std::ostream& out);

}  // namespace modelcheck
