#include "fragment_loads.h"

#include <gtest/gtest.h>

#include "vantrel/example_table_test.h"

namespace modelcheck {
namespace {

// The table reader's example: nine columns of eight characters, two blocks;
// the value 0.000 and the empty cells give nothing, the row RUX none at all.
const std::string& kTable = vantrel_test::kExample;

std::string listed(const FragmentTable& t) {
  std::string s;
  for (const FragmentLoad& l : t.loads) {
    s += std::to_string(l.node) + " " + std::to_string(l.loading) + " " + std::to_string(l.direction) + " " +
         std::to_string(l.value) + "\n";
  }
  return s;
}

TEST(FragmentLoads, ValuesNodeByNodeLoadingByLoading) {
  FragmentTable t;
  std::string error;
  ASSERT_TRUE(read_fragment_loads(kTable, t, error)) << error;
  EXPECT_EQ(t.blocks, 2);
  EXPECT_EQ(listed(t),
            "101 1 1 1.250000\n101 1 3 -10.000000\n102 2 2 123.456000\n103 1 1 -2.500000\n"
            "109 1 3 3.000000\n110 3 6 0.000010\n111 3 6 2.000000\n");
}

TEST(FragmentLoads, TablesVantrelRefusesGiveItsStop) {
  auto refusal = [](std::string text) {
    FragmentTable t;
    std::string stop;
    EXPECT_FALSE(read_fragment_loads(text, t, stop));
    return stop;
  };
  EXPECT_EQ(refusal("no rule at all\n"), "\nTable loadfrag.txt: the cap incorrect.");
  std::string dynamic = kTable;
  dynamic.replace(dynamic.find("1 - static"), 10, "1 - 12 dyn");
  EXPECT_EQ(refusal(dynamic), "\nTable loadfrag.txt:\ndinamic loading not under processing.");
  std::string keyword = kTable;
  keyword.replace(keyword.find("RZ  "), 4, "Rz  ");
  EXPECT_EQ(refusal(keyword), "\nTable loadfrag.txt: error in load type.");
  std::string loading = kTable;
  loading.replace(loading.find("3 - static"), 10, "13 - stati");
  EXPECT_EQ(refusal(loading), "\nTable loadfrag.txt:\nloading No 13 is outside 1 to 12.");
  // A hexadecimal value is no number to vantrel: "0x1F" would have been 31
  // to strtod.
  std::string hex = kTable;
  hex.replace(hex.find("   0.000"), 8, "    0x1F");
  EXPECT_EQ(refusal(hex), "\nTable loadfrag.txt:\nthe cell \"    0x1F\" of block 1, loading 1, row "
                          "RX, column 2 (node 102) holds a hexadecimal number, which would be read "
                          "as 0.\nWrite the value as a decimal number.");
  // The second block would take value lines 2147483647 and 2147483648.
  FragmentTable t;
  std::string stop;
  EXPECT_FALSE(read_fragment_loads(kTable, t, stop, 2147483642));
  EXPECT_EQ(stop, "\nToo many new loads: load value line numbers would pass 2147483647.");
}

}  // namespace
}  // namespace modelcheck
