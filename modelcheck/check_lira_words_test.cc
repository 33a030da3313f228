#include "check_lira_words.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

std::vector<std::string> words(const std::string& row) {
  std::vector<std::string> w;
  std::size_t i = 0;
  while (i < row.size()) {
    std::size_t start = row.find_first_not_of(' ', i);
    if (start == std::string::npos) break;
    std::size_t end = row.find(' ', start);
    if (end == std::string::npos) end = row.size();
    w.push_back(row.substr(start, end - start));
    i = end;
  }
  return w;
}

TEST(LiraWords, ModulusWithAPoint) {
  EXPECT_EQ(with_point("3e+006"), "3.0e+006");
  EXPECT_EQ(with_point("30000"), "30000.0");
  EXPECT_EQ(with_point("3.31e+006"), "3.31e+006");
  EXPECT_EQ(with_point("3E6"), "3.0E6");
}

// A plate in LIRA's words, with its density or without, its slash alone or
// glued; any other shape is none.
TEST(LiraWords, PlateRows) {
  auto plate = lira_plate(words("1 GEI 3.31e+006 0.2 0.3 RO 2.5 /"));
  ASSERT_TRUE(plate);
  EXPECT_EQ(plate_row(*plate), "3.31e+006 0.2 0.3 /");
  EXPECT_EQ(plate->density, 2.5);
  plate = lira_plate(words("7 GEI 3e+006 0.15 0.2/"));
  ASSERT_TRUE(plate);
  EXPECT_EQ(plate_row(*plate), "3.0e+006 0.15 0.2 /");
  EXPECT_EQ(plate->density, -1);
  for (const char* other :
       {"1 GEI 3e6 0.2 /", "1 GEI 3e6 0.2 0.3 RO /", "1 GEI 3e6 0.2 0.3 XX 2.5 /",
        "1 GEI 0 0.2 0.3 /", "1 GEI 3e6 0.2 0.3", "1 GEI 0x10 0.2 0.3 /", "1 GEI 3e6 0.7 0.3 /",
        "1 GEI 3e6 0.2 0.3 RO 2.5 Mu 0.2 /", "1 S0 3e6 0.2 0.3 /"}) {
    EXPECT_FALSE(lira_plate(words(other))) << other;
  }
}

TEST(LiraWords, ContinuationRows) {
  Continuation c = continuation_row(words("0 RO 2.5/"));
  EXPECT_TRUE(c.certain);
  EXPECT_EQ(c.density, 2.5);
  EXPECT_EQ(c.ratio, -1);
  c = continuation_row(words("0 RO 2.5 Mu 0.2 /"));
  EXPECT_TRUE(c.certain);
  EXPECT_EQ(c.ratio_text, "0.2");
  EXPECT_EQ(continuation_row(words("0 Mu 0.2/")).ratio, 0.2);
  for (const char* other : {"0 WLKE 1 WLKG 1 PLKE 0.3 PLKG 0.3 /", "0 RO/", "0 RO 2.5 RO 2.4 /",
                            "0 RO 2.5", "0 RO -1 /", "1 RO 2.5 /"}) {
    EXPECT_FALSE(continuation_row(words(other)).certain) << other;
  }
  EXPECT_EQ(own_row_density(words("3 S0 3.31e+006 40 40 RO 2.5/")), 2.5);
  EXPECT_EQ(own_row_density(words("3 S0 3.31e+006 40 40 /")), -1);
}

}  // namespace
}  // namespace modelcheck
