#include "fuzz_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string_view>

namespace lira {
namespace testing {

namespace fs = std::filesystem;

int fuzz_run(const std::map<std::string, std::string>& files, const std::string& answers,
             int (*driver)(Console&), std::string* shown) {
  static bool moved = false;
  if (!moved) {
    std::string dir = (fs::temp_directory_path() / "lira-fuzz-XXXXXX").string();
    if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) std::abort();
    moved = true;
  }
  for (const auto& entry : fs::directory_iterator(".")) fs::remove_all(entry.path());
  for (const auto& [name, bytes] : files) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::string console;
  Writer out(shown != nullptr ? shown : &console);
  std::istringstream in(answers);
  Console con{&out, &in, false};
  int code = driver(con);
  out.flush();
  return code;
}

std::map<int, std::string> split_input(const std::uint8_t* data, std::size_t size, int count) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::map<int, std::string> parts;
  for (int i = 0; i < count; ++i) {
    std::size_t cut = i + 1 < count ? all.find("\n=====\n") : std::string_view::npos;
    parts[i] = std::string(all.substr(0, cut));
    all = cut == std::string_view::npos ? std::string_view() : all.substr(cut + 7);
  }
  return parts;
}

}  // namespace testing
}  // namespace lira
