// Times the scan of a large A#00.A beside a plain copy of the same file.
// Usage: keslow_perftest [megabytes] (64 by default). Writes its files into a
// scratch directory and removes them.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/record_file.h"
#include "common/stop.h"
#include "plate_search.h"

namespace {

namespace fs = std::filesystem;
using keslow::Element;
using keslow::Entry;
using keslow::Pass;

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Element plate(std::int32_t number) {
  Element e;
  e.number = number;
  e.type = number % 3 == 0 ? 242 : 244;
  e.stiffness = static_cast<std::int16_t>(1 + number % 5);
  for (int i = 0; i < 4; ++i) e.nodes[i] = number * 4 + i;
  if (e.type == 242) e.nodes[3] = 0;
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  long megabytes = argc > 1 ? std::atol(argv[1]) : 64;
  const std::int32_t plates = 100000;
  std::string dir = (fs::temp_directory_path() / "keslow-perf-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  fs::path a_path = fs::path(dir) / "A#00.A";

  // Tables of small numbers, as a model's are: the forces table with every
  // plate's entry among other records, then the elements table.
  {
    std::FILE* a = std::fopen(a_path.string().c_str(), "wb");
    std::uint32_t seed = 1;
    auto filler = [&](std::size_t bytes) {
      std::vector<unsigned char> block(bytes);
      for (std::size_t i = 0; i + 4 <= bytes; i += 4) {
        seed = seed * 1664525u + 1013904223u;
        lira::put_i32(block.data() + i, static_cast<std::int32_t>(seed >> 20));
      }
      std::fwrite(block.data(), 1, block.size(), a);
    };
    std::size_t total = static_cast<std::size_t>(megabytes) << 20;
    std::size_t gap = (total / 2) / plates;
    for (Pass pass : {Pass::kForces, Pass::kElements}) {
      for (std::int32_t n = 1; n <= plates; ++n) {
        filler(gap - gap % 4);
        Entry e = keslow::table_entry(plate(n), pass);
        std::fwrite(e.bytes, 1, e.size, a);
      }
    }
    filler(4096);
    std::fclose(a);
  }
  std::uintmax_t size = fs::file_size(a_path);

  // The copy runs before and after the scan; the faster of the two counts,
  // so that neither gains by the state the other left in the page cache.
  auto copy = [&] {
    auto start = std::chrono::steady_clock::now();
    std::FILE* in = std::fopen(a_path.string().c_str(), "rb");
    std::FILE* out = std::fopen((fs::path(dir) / "copy").string().c_str(), "wb");
    std::vector<char> buffer(keslow::PlateScan::kBufferSize);
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
      std::fwrite(buffer.data(), 1, got, out);
    }
    std::fclose(in);
    std::fclose(out);
    return seconds_since(start);
  };
  double copy_time = copy();

  auto start = std::chrono::steady_clock::now();
  try {
    std::FILE* in = std::fopen(a_path.string().c_str(), "rb");
    lira::Writer out;
    out.open((fs::path(dir) / "B#00.B").string(), false);
    keslow::PlateScan scan(in, out);
    for (Pass pass : {Pass::kForces, Pass::kElements}) {
      for (std::int32_t n = 1; n <= plates; ++n) {
        Entry layered = keslow::table_entry(plate(n), pass);
        if (!scan.replace(layered, keslow::plain_entry(layered, pass, 7))) {
          std::fprintf(stderr, "entry %d of pass %d not found\n", n, static_cast<int>(pass));
          return 1;
        }
      }
    }
    scan.copy_rest();
    out.close();
    std::fclose(in);
  } catch (const lira::Stop& stop) {
    std::fprintf(stderr, "%s\n", stop.message.c_str());
    return 1;
  }
  double scan_time = seconds_since(start);
  copy_time = std::min(copy_time, copy());
  bool same_size = fs::file_size(fs::path(dir) / "B#00.B") == size;
  fs::remove_all(dir);

  std::printf("A#00.A of %.1f MB, %d plates in each table\n", size / 1e6, plates);
  std::printf("copy: %.3f s   scan and patch: %.3f s   (%.2f times the copy)%s\n", copy_time,
              scan_time, scan_time / copy_time, same_size ? "" : "  SIZE DIFFERS");
  return same_size ? 0 : 1;
}
