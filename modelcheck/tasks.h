// The tasks of modelcheck, one function each; the driver picks one.
#pragma once

#include <ostream>

#include "options.h"

namespace modelcheck {

/// Exit codes: nothing found, findings, a usage error or an unreadable file.
enum ExitCode { kClean = 0, kFindings = 1, kUsage = 2 };

/// Each task writes its report to `out`, one line per finding, and returns
/// its exit code.
int check_model(const Options& options, std::ostream& out);      // kCheck, kFix
int check_vantrel(const Options& options, std::ostream& out);    // kCheckVantrel, kFixVantrel
int verify_script(const Options& options, std::ostream& out);    // kVerify
int verify_vantrel(const Options& options, std::ostream& out);   // kVerifyVantrel
int draw_picture(const Options& options, std::ostream& out);     // kPicture

}  // namespace modelcheck
