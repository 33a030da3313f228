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

namespace lira {
namespace {

TEST(LoadRule, WhatEachLoadBecomes) {
  struct Case {
    std::int32_t load_type, direction, element_type;
    LoadEffect effect;
    int label;
    LoadRefusal refusal;
  };
  const Case cases[] = {
      {0, 3, 0, LoadEffect::kForce, 2, LoadRefusal::kNone},             // FZ
      {0, 6, 0, LoadEffect::kForce, 5, LoadRefusal::kNone},             // MZ
      {16, 1, 0, LoadEffect::kOwnWeight, 0, LoadRefusal::kNone},        // tested elsewhere
      {6, 2, 10, LoadEffect::kBeamPressure, 2, LoadRefusal::kNone},     // SFBEAM face 2
      {6, 3, 210, LoadEffect::kBeamPressure, 1, LoadRefusal::kNone},    // SFBEAM face 1
      {6, 1, 10, LoadEffect::kBeamPressure, 0, LoadRefusal::kAfterCommand},
      {7, 3, 10, LoadEffect::kSkipped, 0, LoadRefusal::kNone},          // type 7 on a bar
      {6, 3, 51, LoadEffect::kSkipped, 0, LoadRefusal::kNone},          // an elastic link
      {6, 3, 4, LoadEffect::kSkipped, 0, LoadRefusal::kNone},           // a type not converted
      {7, 3, 42, LoadEffect::kShellPressure, 2, LoadRefusal::kNone},
      {6, 3, 244, LoadEffect::kShellPressure, 6, LoadRefusal::kNone},   // a slab's top face
      {5, 3, 44, LoadEffect::kShellPressure, 0, LoadRefusal::kBeforeWriting},
      {7, 2, 241, LoadEffect::kShellPressure, 0, LoadRefusal::kAfterCommand},
  };
  for (const Case& c : cases) {
    LoadRule rule = load_rule(c.load_type, c.direction, c.element_type);
    SCOPED_TRACE(std::to_string(c.load_type) + " " + std::to_string(c.direction) + " " +
                 std::to_string(c.element_type));
    EXPECT_EQ(rule.effect, c.effect);
    EXPECT_EQ(rule.refusal, c.refusal);
    if (c.refusal == LoadRefusal::kNone) {
      EXPECT_EQ(rule.label, c.label);
    }
  }
  EXPECT_EQ(load_rule(0, 7, 0).message,
            "\nDoc. 6 includes illegal load direction:\ndir. No 7 is not one of 1 to 6.");
  EXPECT_EQ(load_rule(0, 7, 0).refusal, LoadRefusal::kBeforeWriting);
  EXPECT_EQ(load_rule(6, 4, 10).message,
            "\nDoc. 6 includes illegal load direction:\ndir. No 1, 4, 5 or 6 is applied to beam.");
  EXPECT_EQ(load_rule(5, 3, 44).message,
            "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell).");
}

TEST(ShellPressure, TheMeanOfTypeSeven) {
  const float v[4] = {10000, 20000, 30000, 50000};
  EXPECT_EQ(shell_pressure(42, 7, v), 20000.0f);   // triangles: the first three
  EXPECT_EQ(shell_pressure(244, 7, v), 27500.0f);  // the others: all four
  EXPECT_EQ(shell_pressure(44, 6, v), 10000.0f);   // type 6: the first value
}

TEST(OwnWeight, TheFivePerCentTest) {
  // 0.2 x 2500 = 500 a square metre, times 10 against the record's value
  // times 10000: 4800 is 4.2 % off and passes, 5300 is 5.7 % off.
  EXPECT_EQ(weight_intensity(0.2, 2500.0f), 500.0f);
  EXPECT_TRUE(weight_passes(500, 5000));
  EXPECT_TRUE(weight_passes(500, 4800));
  EXPECT_FALSE(weight_passes(500, 5300));
  // A stiffness of no weight against a value: off by all of it. No value and
  // no weight give no number, which passes.
  EXPECT_FALSE(weight_passes(0, 5000));
  EXPECT_TRUE(weight_passes(0, 0));
  EXPECT_TRUE(has_mass(10) && has_mass(242) && !has_mass(51) && !has_mass(4));
}

TEST(LayerHeights, EachFromTheOneBelowInSinglePrecision) {
  LayerHeights h = layer_heights(0.0f, 0.05, 0.1, 0.05);
  EXPECT_EQ(h.z[0], -0.2f);
  EXPECT_EQ(h.z[1], to_single(static_cast<double>(-0.2f) + 0.05));
  EXPECT_EQ(h.z[2], to_single(static_cast<double>(h.z[1]) + 0.1));
  EXPECT_NEAR(h.z[2], -0.05, 1e-7);
  EXPECT_EQ(link_node_z(h.z[0]), to_single(static_cast<double>(-0.2f) - 1.0));
}

TEST(ElementNodes, ByType) {
  EXPECT_EQ(element_nodes(10), 2);
  EXPECT_EQ(element_nodes(210), 2);
  EXPECT_EQ(element_nodes(51), 1);
  EXPECT_EQ(element_nodes(42), 3);
  EXPECT_EQ(element_nodes(244), 4);
  EXPECT_EQ(element_nodes(4), 0);
  EXPECT_TRUE(is_plate_modulus(3e6, "3.0E6"));
  EXPECT_FALSE(is_plate_modulus(3e6, "3E6"));  // no point: no plate
  EXPECT_FALSE(is_plate_modulus(HUGE_VAL, "1.0e999"));
}

}  // namespace
}  // namespace lira
