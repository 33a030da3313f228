// Fuzz target: a whole vantrel run on a generated model.txt and loadfrag.txt,
// the two files one input cut at the line "=====".
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/testing/fuzz_run.h"
#include "driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto parts = lira::testing::split_input(data, size, 2);
  lira::testing::fuzz_run({{"model.txt", parts[0]}, {"loadfrag.txt", parts[1]}}, "",
                          vantrel::run_vantrel);
  return 0;
}
