// The exit codes that every task of modelcheck returns.
#pragma once

namespace modelcheck {

/// Nothing found, findings, a usage error or an unreadable file.
enum ExitCode { kClean = 0, kFindings = 1, kUsage = 2 };

}  // namespace modelcheck
