// End-to-end runs of the real programs in a scratch working directory.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lira {
namespace testing {

/// File name -> exact bytes.
using Files = std::map<std::string, std::string>;
/// Symbolic link name -> its target ("/dev/full" for a file that takes no byte).
using Links = std::map<std::string, std::string>;

struct RunResult {
  std::string console;  // every byte of standard output
  std::string errors;   // every byte of standard error
  int exit_code = -1000;
  Files files;          // every regular file of the working directory after the run
  Links links;          // every symbolic link of the working directory after the run

  /// The program's own input files, of those laid out, that the run changed
  /// or removed.
  std::vector<std::string> changed_inputs;
  /// Everything the run left in the working directory that was not laid out
  /// (files, directories, links; paths relative to the directory).
  std::vector<std::string> new_paths;

  bool inputs_unchanged() const { return changed_inputs.empty(); }
  /// The new paths that are not named in `allowed`.
  std::vector<std::string> unexpected_files(const std::vector<std::string>& allowed) const;
};

/// Lays out `files` and `links` in a new empty directory, runs `program`
/// ("tarvex", "keslow", "vantrel") there with `answers` on standard input (a
/// file, so keys are scripted), and returns what it wrote. The binaries are
/// looked for in $LIRA_BIN_DIR (default: the build's own), with
/// $LIRA_EXE_SUFFIX appended and run through $LIRA_RUNNER when set (e.g.
/// "wine" and ".exe").
///
/// Every run is also checked, as a test failure, against what any run of the
/// program may do: its input files (modellir.txt; A_02.A and A#00.A;
/// model.txt and loadfrag.txt) keep every byte, and it writes no file but its
/// outputs and temporary files.
RunResult run_program(const std::string& program, const Files& files, const std::string& answers,
                      const Links& links = {});
/// The same with command-line arguments, for the programs that take them
/// (modelcheck); standard input is empty.
RunResult run_program_with_args(const std::string& program, const std::vector<std::string>& args,
                                const Files& files);

/// The files `program` reads, and the only files it may create or write.
const std::vector<std::string>& inputs_of(const std::string& program);
const std::vector<std::string>& outputs_of(const std::string& program);

/// True when the binaries under test are the Windows ones.
bool windows_binaries();

/// `text` with each "\n" as the tested platform's text-mode line end (CR LF
/// for the Windows binaries): the console and the script are text mode.
std::string native(std::string_view text);

/// `text` with the first `from` replaced by `to`; a test failure when `from`
/// is not there.
std::string replaced(std::string text, const std::string& from, const std::string& to);

/// Reads a file of the source tree (examples), relative to its top.
std::string source_file(const std::string& relative_path);

}  // namespace testing
}  // namespace lira
