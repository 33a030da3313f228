#include "number_format.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace lira {
namespace {

TEST(NumberFormat, SixSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(format_real(2500), "2500");
  EXPECT_EQ(format_real(0.2), "0.2");
  EXPECT_EQ(format_real(0.000266667), "0.000266667");
  EXPECT_EQ(format_real(2.0 * (2.0 * 0.08) / 12), "0.0266667");
  EXPECT_EQ(format_real(123456), "123456");
  EXPECT_EQ(format_real(-0.25), "-0.25");
}

TEST(NumberFormat, ExponentHasSignAndThreeDigits) {
  EXPECT_EQ(format_real(3e10), "3e+010");
  EXPECT_EQ(format_real(1e-5), "1e-005");
  EXPECT_EQ(format_real(1234567), "1.23457e+006");
  EXPECT_EQ(format_real(1e100), "1e+100");
  EXPECT_EQ(format_real(-2.5e-300), "-2.5e-300");
  EXPECT_EQ(format_real(0.0001), "0.0001");
}

TEST(NumberFormat, NegativeZeroKeepsItsSign) {
  EXPECT_EQ(format_real(0.0), "0");
  EXPECT_EQ(format_real(-0.0), "-0");
}

TEST(NumberFormat, FloatsAreWidenedBeforeFormatting) {
  EXPECT_EQ(format_real(static_cast<double>(0.1f)), "0.1");
  EXPECT_EQ(format_real(static_cast<double>(2400.0f)), "2400");
}

TEST(NumberFormat, AgreesWithPrintfButForTheExponent) {
  const double values[] = {1.5, 999999.5, 0.000123456789, 7.77e-7, 1e6, 99999.95, 1.0 / 3};
  for (double v : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.6g", v);
    std::string got = format_real(v);
    std::string e = expected;
    auto pos = e.find('e');
    if (pos != std::string::npos && e.size() - pos - 2 < 3) e.insert(pos + 2, 3 - (e.size() - pos - 2), '0');
    EXPECT_EQ(got, e) << v;
  }
}

}  // namespace
}  // namespace lira
