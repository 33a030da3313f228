// The check of vantrel's inputs (modelcheck --vantrel, with --fix), on texts
// in memory as on files.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "options.h"

namespace modelcheck {

/// The task: the report to `out`; returns the exit code (exit_code.h).
int check_vantrel(const Options& options, std::ostream& out);

/// The same for vantrel's model and table (either text may be empty when
/// `table_name` is empty: the table is then not checked).
int check_vantrel_text(std::string_view model, std::string_view table, const Options& options,
                       std::ostream& out, std::string* fixed);

}  // namespace modelcheck
