// End-to-end runs of the real programs in a scratch working directory.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace lira {
namespace testing {

/// File name -> exact bytes.
using Files = std::map<std::string, std::string>;

struct RunResult {
  std::string console;  // every byte of standard output
  std::string errors;   // every byte of standard error
  int exit_code = -1000;
  Files files;          // every file of the working directory after the run
};

/// Lays out `files` in a new empty directory, runs `program` ("tarvex",
/// "keslow", "vantrel") there with `answers` on standard input (a file, so
/// keys are scripted), and returns what it wrote. The binaries are looked for
/// in $LIRA_BIN_DIR (default: the build's own), with $LIRA_EXE_SUFFIX appended
/// and run through $LIRA_RUNNER when set (e.g. "wine" and ".exe").
RunResult run_program(const std::string& program, const Files& files,
                      const std::string& answers);

/// True when the binaries under test are the Windows ones.
bool windows_binaries();

/// `text` with each "\n" as the tested platform's text-mode line end (CR LF
/// for the Windows binaries): the console and the script are text mode.
std::string native(std::string_view text);

/// Reads a file of the source tree (examples), relative to its top.
std::string source_file(const std::string& relative_path);

}  // namespace testing
}  // namespace lira
