// modelcheck's driver: the arguments in, one task run, an exit code out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace modelcheck {

/// Runs modelcheck with `args` (without the program name); the report goes to
/// `out`, usage errors to `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace modelcheck
