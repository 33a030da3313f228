// Fuzz target: a whole keslow run on a generated A_02.A and A#00.A and a
// stiffness answer, the three one input cut at the lines "=====". The trace
// goes to the null device.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/terminal.h"
#include "common/testing/fuzz_run.h"
#include "driver.h"

namespace {

int run_quietly(lira::Console& con) {
  static std::FILE* sink = std::fopen(lira::terminal::null_device(), "w");
  return keslow::run_keslow(con, sink);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto parts = lira::testing::split_input(data, size, 3);
  lira::testing::fuzz_run({{"A_02.A", parts[0]}, {"A#00.A", parts[1]}}, parts[2], run_quietly);
  return 0;
}
