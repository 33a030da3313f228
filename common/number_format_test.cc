#include "number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

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

// printf "%.Pg" of the widened value, the exponent of at least `digits` digits.
std::string printf_general(double v, int precision, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", precision, v);
  std::string e = text;
  auto pos = e.find('e');
  if (pos != std::string::npos && static_cast<int>(e.size() - pos - 2) < digits) {
    e.insert(pos + 2, digits - (e.size() - pos - 2), '0');
  }
  return e;
}

TEST(NumberFormat, ShortDigitsTakeNoRoundingAndAgreeWithPrintf) {
  // Values with few digits are written from their shortest digits; the rest,
  // halfway cases, subnormal numbers and long precisions are rounded. Either
  // way every byte is printf's.
  std::mt19937_64 random(7);
  char out[kRealTextMax];
  auto check = [&](double v) {
    ASSERT_EQ(std::string(out, format_real(v, out)), printf_general(v, 6, 3)) << v;
    for (int p : {1, 3, 9, 15, 16, 17}) {
      ASSERT_EQ(std::string(out, format_general(v, p, 2, out)), printf_general(v, p, 2)) << v;
    }
  };
  auto check_float = [&](float f) {
    ASSERT_EQ(std::string(out, format_real(f, out)), printf_general(f, 6, 3)) << f;
  };
  for (double v : {0.0, -0.0, 1e-5, 1e-4, 99999.95, 999999.5, 1e6, 123456.5, 1234565.0,
                   0.00001234565, 1e-305, 5e-324, DBL_MAX, -DBL_MIN, 0.1, 1.0 / 3}) {
    check(v);
  }
  for (float f : {0.1f, 2400.0f, 1e-40f, FLT_MIN, FLT_MAX, -7.5e-45f, 999999.5f, 0.3f}) {
    check_float(f);
  }
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    double decimal = static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) /
                     std::pow(10.0, static_cast<double>(random() % 12));
    double scaled = std::ldexp(static_cast<double>(random() >> 11),
                               static_cast<int>(random() % 400) - 230);
    for (double v : {any, decimal, scaled, std::nextafter(decimal, 1e300)}) {
      if (!std::isfinite(v)) continue;
      check(v);
      check_float(static_cast<float>(v));
    }
    std::uint32_t float_bits = static_cast<std::uint32_t>(random());
    float f;
    std::memcpy(&f, &float_bits, sizeof f);
    if (std::isfinite(f)) check_float(f);
  }
}

}  // namespace
}  // namespace lira

namespace lira {
namespace {

std::string coordinate(float v) {
  char text[kRealTextMax];
  return std::string(text, format_coordinate(v, text));
}

TEST(NumberFormat, CoordinatesTakeTheDigitsThatReadBack) {
  // Six digits where they read back: the bytes of every ordinary model stay.
  EXPECT_EQ(coordinate(5.522f), "5.522");
  EXPECT_EQ(coordinate(0.1f), "0.1");
  EXPECT_EQ(coordinate(-0.0f), "-0");
  EXPECT_EQ(coordinate(1e-5f), "1e-005");
  EXPECT_EQ(coordinate(3e10f), "3e+010");
  // Site coordinates and millimetres: one digit more at a time.
  EXPECT_EQ(coordinate(512351.2f), "512351.2");     // held as 512351.1875
  EXPECT_EQ(coordinate(1234.5678f), "1234.5677");   // 1234.568 is two steps away
  EXPECT_EQ(coordinate(100000.5f), "100000.5");     // "100000" at six, the tie to even
  // Fixed notation up to the precision's own limit, as "%.8g" writes it.
  EXPECT_EQ(coordinate(12345678.0f), "12345678");
  EXPECT_EQ(coordinate(-6200000.5f), "-6200000.5");
}

TEST(NumberFormat, EveryCoordinateReadsBack) {
  // Floats of every magnitude, spread over their bit patterns.
  for (std::uint32_t bits = 0x00800000u; bits < 0x7F000000u; bits += 0x000F4243u) {
    float v;
    std::memcpy(&v, &bits, sizeof v);
    std::string text = coordinate(v);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
  }
}

}  // namespace
}  // namespace lira
