// The words of a model as the check takes them, worked out from how tarvex
// converts numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_model_checker.h"

namespace modelcheck::tarvex_check {
namespace {

TEST(CheckWords, DecimalCommaOnlyInAWholeNumber) {
  EXPECT_EQ(decimal_comma("3,0E6"), 1u);
  EXPECT_EQ(decimal_comma(",5"), 0u);
  EXPECT_EQ(decimal_comma("-12,25e-3/"), 3u);  // a glued slash is the record's end
  EXPECT_EQ(decimal_comma("1,2,3"), std::string_view::npos);
  EXPECT_EQ(decimal_comma("5,"), std::string_view::npos);
  EXPECT_EQ(decimal_comma("a,5"), std::string_view::npos);
}

TEST(CheckWords, NumbersAndIntegersAsTarvexConvertsThem) {
  EXPECT_TRUE(is_number("3.0E6"));
  EXPECT_TRUE(is_number("-.5"));
  EXPECT_FALSE(is_number("1.2.3"));
  EXPECT_FALSE(is_number("1e"));
  EXPECT_FALSE(is_number("."));
  EXPECT_TRUE(is_integer("0x1F"));  // strtol base 0 takes hexadecimal
  EXPECT_TRUE(is_integer("017"));
  EXPECT_FALSE(is_integer("12/"));
  EXPECT_FALSE(is_integer(""));
  EXPECT_EQ(int_of("0xa"), 10);
  EXPECT_TRUE(plate_modulus("3.0E6"));
  EXPECT_FALSE(plate_modulus("3E6"));  // no point: not a plate for tarvex
  EXPECT_TRUE(slash_glued("0.2/"));
  EXPECT_FALSE(slash_glued("0.2"));
}

TEST(CheckWords, RecordsAfterAHeaderEachOnALine) {
  std::vector<std::string_view> lines = header_rest_lines("1 0 0 /2 1 0 0.2/3 0 1 0 / )");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "1 0 0 /");
  EXPECT_EQ(lines[1], "2 1 0 0.2/");
  EXPECT_EQ(lines[2], "3 0 1 0 /");
  EXPECT_EQ(lines[3], ")");
  // After the ")" of document 3 tarvex passes over one character only.
  EXPECT_TRUE(one_blank_after_paren("1 2 3 / ) "));
  EXPECT_FALSE(one_blank_after_paren("1 2 3 / )  "));
  EXPECT_FALSE(one_blank_after_paren("1 2 3 /"));
}

}  // namespace
}  // namespace modelcheck::tarvex_check
