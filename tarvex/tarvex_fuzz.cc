// Fuzz target: a whole tarvex run on a generated modellir.txt, fixed answers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/testing/fuzz_run.h"
#include "driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string model(reinterpret_cast<const char*>(data), size);
  lira::testing::fuzz_run({{"modellir.txt", model}}, "0.005\n2500\ny\n4\n7850\n0\n1\nc\n",
                          tarvex::run_tarvex);
  return 0;
}
