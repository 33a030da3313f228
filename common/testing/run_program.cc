#include "run_program.h"

#include <sys/wait.h>

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

}  // namespace

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

std::string source_file(const std::string& relative_path) {
  return read_all(fs::path(LIRA_SOURCE_DIR) / relative_path);
}

RunResult run_program(const std::string& program, const Files& files,
                      const std::string& answers) {
  std::string pattern = (fs::temp_directory_path() / "lira-run-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  fs::path dir = pattern;
  fs::path io = dir.string() + ".io";
  fs::create_directory(io);
  for (const auto& [name, bytes] : files) {
    fs::create_directories((dir / name).parent_path());
    write_all(dir / name, bytes);
  }
  write_all(io / "stdin", answers);

  std::string binary = env_or("LIRA_BIN_DIR", LIRA_DEFAULT_BIN_DIR) + "/" + program +
                       "/" + program + env_or("LIRA_EXE_SUFFIX", "");
  std::string runner = env_or("LIRA_RUNNER", "");
  std::string command = "cd " + shell_quoted(dir.string()) + " && " + runner + " " +
                        shell_quoted(binary) + " <" + shell_quoted((io / "stdin").string()) + " >" +
                        shell_quoted((io / "stdout").string()) + " 2>" +
                        shell_quoted((io / "stderr").string());
  int status = std::system(command.c_str());

  RunResult result;
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  result.console = read_all(io / "stdout");
  result.errors = read_all(io / "stderr");
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) result.files[entry.path().filename().string()] = read_all(entry.path());
  }
  fs::remove_all(dir);
  fs::remove_all(io);
  return result;
}

}  // namespace testing
}  // namespace lira
