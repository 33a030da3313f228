#include "conversion_rules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace lira {
namespace {

TEST(ToSingle, RoundsAsAConversionAndOverflowsToInfinity) {
  EXPECT_EQ(to_single(0.1), 0.1f);
  EXPECT_TRUE(std::signbit(to_single(-0.0)));
  EXPECT_EQ(to_single(FLT_MAX), FLT_MAX);
  // The float after FLT_MAX would be 2^128; FLT_MAX is 2^128 - 2^104. Up to
  // halfway between them a value rounds down to FLT_MAX, from halfway on up.
  EXPECT_EQ(to_single(0x1p128 - 0x1p103 - 0x1p80), FLT_MAX);
  EXPECT_EQ(to_single(-(0x1p128 - 0x1p103 - 0x1p80)), -FLT_MAX);
  EXPECT_EQ(to_single(0x1p128 - 0x1p103), HUGE_VALF);
  EXPECT_EQ(to_single(1e39), HUGE_VALF);
  EXPECT_EQ(to_single(-1e39), -HUGE_VALF);
  EXPECT_EQ(to_single(HUGE_VAL), HUGE_VALF);
}

}  // namespace
}  // namespace lira
