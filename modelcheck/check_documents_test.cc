// The documents: the load-case list, written or missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "check_model.h"
#include "check_model_testing.h"

namespace modelcheck {
namespace {

using check_testing::kPlate;
using check_testing::replaced;
using check_testing::report;

TEST(CheckModel, TwentyLoadCasesAtMost) {
  std::string cases;
  for (int i = 1; i <= 22; ++i) cases += std::to_string(i) + " 0 /\n";
  std::string out = report(replaced(kPlate, "1 0 /\n2 0 /\n", cases));
  EXPECT_NE(
      out.find("modellir.txt:45: [load-cases] 22 load cases in document 16, where tarvex takes "
               "20 at most; tarvex writes no load step for load case 21 and the 1 after it"),
      std::string::npos)
      << out;
}

TEST(CheckModel, MissingCaseListOfMoreThanTwentyCases) {
  std::string loads, list;
  for (int c = 21; c >= 1; --c) loads += "1 6 3 2 " + std::to_string(c) + " /\n";
  for (int c = 1; c <= 21; ++c) list += std::to_string(c) + " 0 /\n";
  std::string model =
      replaced(replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", ""), "1 6 3 2 2 /\n", loads);
  std::string fixed;
  std::string out = report(model, {}, &fixed);
  EXPECT_NE(out.find("uses: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, "
                     "21; tarvex takes the first 20 only, and writes no load step for the other 1 "
                     "(mended)\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(fixed, model + "( 16/\n" + list + ")\n");
}

}  // namespace
}  // namespace modelcheck
