#include "run_program.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lira {
namespace testing {
namespace {

namespace fs = std::filesystem;

std::string env_or(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

std::string read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_all(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string shell_quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') q += "'\\''";
    else q += c;
  }
  return q + "'";
}

struct ProgramFiles {
  std::string program;
  std::vector<std::string> inputs;   // only read, never changed
  std::vector<std::string> outputs;  // outputs and temporary files
};

const std::vector<ProgramFiles>& program_files() {
  static const std::vector<ProgramFiles> table = {
      {"tarvex", {"modellir.txt"}, {"modelans.lgw", "nodes.tmp", "elements.tmp", "loades.tmp"}},
      {"keslow", {"A_02.A", "A#00.A"}, {"B#00.B"}},
      {"vantrel", {"model.txt", "loadfrag.txt"}, {"modelnew.txt", "doc6.txt", "doc7.txt"}},
      {"modelcheck",
       {"modellir.txt", "modelans.lgw", "model.txt", "loadfrag.txt", "modelnew.txt"},
       {"modellir.fixed.txt", "modellir.answers", "model.fixed.txt", "model.svg"}},
  };
  return table;
}

const ProgramFiles& files_of(const std::string& program) {
  static const ProgramFiles none;
  for (const ProgramFiles& p : program_files()) {
    if (p.program == program) return p;
  }
  return none;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

RunResult run_in_scratch(const std::string& program, const std::vector<std::string>& args,
                         const Files& files, const std::string& answers, const Links& links);

}  // namespace

const std::vector<std::string>& inputs_of(const std::string& program) {
  return files_of(program).inputs;
}

const std::vector<std::string>& outputs_of(const std::string& program) {
  return files_of(program).outputs;
}

std::vector<std::string> RunResult::unexpected_files(const std::vector<std::string>& allowed) const {
  std::vector<std::string> unexpected;
  for (const std::string& path : new_paths) {
    if (!contains(allowed, path)) unexpected.push_back(path);
  }
  return unexpected;
}

bool windows_binaries() { return !env_or("LIRA_EXE_SUFFIX", "").empty(); }

std::string native(std::string_view text) {
  if (!windows_binaries()) return std::string(text);
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string source_file(const std::string& relative_path) {
  return read_all(fs::path(LIRA_SOURCE_DIR) / relative_path);
}

RunResult run_program(const std::string& program, const Files& files, const std::string& answers,
                      const Links& links) {
  return run_in_scratch(program, {}, files, answers, links);
}

RunResult run_program_with_args(const std::string& program, const std::vector<std::string>& args,
                                const Files& files) {
  return run_in_scratch(program, args, files, "", {});
}

namespace {

RunResult run_in_scratch(const std::string& program, const std::vector<std::string>& args,
                         const Files& files, const std::string& answers, const Links& links) {
  std::string pattern = (fs::temp_directory_path() / "lira-run-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  fs::path dir = pattern;
  fs::path io = dir.string() + ".io";
  fs::create_directory(io);
  for (const auto& [name, bytes] : files) {
    fs::create_directories((dir / name).parent_path());
    write_all(dir / name, bytes);
  }
  for (const auto& [name, target] : links) {
    fs::create_directories((dir / name).parent_path());
    fs::create_symlink(target, dir / name);
  }
  // Every path laid out, parent directories included: the rest is the run's.
  std::vector<std::string> laid_out;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    laid_out.push_back(fs::relative(entry.path(), dir).generic_string());
  }
  write_all(io / "stdin", answers);

  std::string binary = env_or("LIRA_BIN_DIR", LIRA_DEFAULT_BIN_DIR) + "/" + program +
                       "/" + program + env_or("LIRA_EXE_SUFFIX", "");
  std::string runner = env_or("LIRA_RUNNER", "");
  std::string arguments;
  for (const std::string& arg : args) arguments += " " + shell_quoted(arg);
  std::string command = "cd " + shell_quoted(dir.string()) + " && " + runner + " " +
                        shell_quoted(binary) + arguments + " <" + shell_quoted((io / "stdin").string()) + " >" +
                        shell_quoted((io / "stdout").string()) + " 2>" +
                        shell_quoted((io / "stderr").string());
  // Wine now and then fails to start a program on a busy machine: the run
  // leaves no byte on either stream and no file. Every program of ours shows
  // something first, so such a start is tried again, at most twice.
  int status = 0;
  for (int attempt = 1;; ++attempt) {
    status = std::system(command.c_str());
    if (runner.empty() || attempt == 3) break;
    std::size_t paths = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      (void)entry;
      ++paths;
    }
    bool nothing = fs::file_size(io / "stdout") == 0 && fs::file_size(io / "stderr") == 0 &&
                   paths == laid_out.size();
    if (!nothing) break;
  }

  RunResult result;
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  result.console = read_all(io / "stdout");
  result.errors = read_all(io / "stderr");
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    if (entry.is_symlink()) result.links[name] = fs::read_symlink(entry.path()).string();
    else if (entry.is_regular_file()) result.files[name] = read_all(entry.path());
  }
  for (const auto& [name, bytes] : files) {
    if (!contains(inputs_of(program), name)) continue;
    fs::path path = dir / name;
    if (fs::is_symlink(path) || !fs::is_regular_file(path) || read_all(path) != bytes) {
      result.changed_inputs.push_back(name);
    }
  }
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    std::string path = fs::relative(entry.path(), dir).generic_string();
    if (!contains(laid_out, path)) result.new_paths.push_back(path);
  }
  std::sort(result.new_paths.begin(), result.new_paths.end());
  fs::remove_all(dir);
  fs::remove_all(io);

  // What no run of the program may do, whatever the test expects of it.
  for (const std::string& name : result.changed_inputs) {
    ADD_FAILURE() << program << " changed or removed its input file " << name;
  }
  for (const std::string& path : result.unexpected_files(outputs_of(program))) {
    ADD_FAILURE() << program << " left " << path << ", which is none of its output files";
  }
  return result;
}

}  // namespace

}  // namespace testing
}  // namespace lira
