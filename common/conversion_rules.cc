#include "conversion_rules.h"

#include <cfloat>
#include <cstdint>
#include <cmath>

#include "message.h"
#include "model_messages.h"
#include "stop.h"

namespace lira {

float to_single(double value) {
  // Halfway between the largest float and the next power of two: from there
  // on, the nearest single-precision value is an infinity.
  constexpr double kOverflow = static_cast<double>(FLT_MAX) + 0x1p103;
  if (value >= kOverflow) return HUGE_VALF;
  if (value <= -kOverflow) return -HUGE_VALF;
  return static_cast<float>(value);
}

bool is_plate_modulus(double value, std::string_view token) {
  return value != 0 && value != HUGE_VAL && value != -HUGE_VAL &&
         token.find('.') != std::string_view::npos;
}

int element_nodes(std::int32_t type) {
  switch (element_kind(type)) {
    case ElementKind::kBar:
    case ElementKind::kPlasticBar: return 2;
    case ElementKind::kElasticLink: return 1;
    case ElementKind::kPlate:
    case ElementKind::kLayeredShell: return shell_corners(type);
    case ElementKind::kUnconverted: break;
  }
  return 0;
}

float link_node_z(float bottom_z) { return to_single(static_cast<double>(bottom_z) - 1.0); }

void check_element_type(std::int64_t element, std::int32_t type) {
  if (type < INT16_MIN || type > INT16_MAX) {
    fail(message(msg::kNoElementType, {std::to_string(element), std::to_string(type)}));
  }
}

void refuse_layered_without_slab(std::int64_t element, std::int32_t type, std::int32_t s) {
  fail(message(msg::kNoSlab, {std::to_string(element), std::to_string(type), std::to_string(s)}));
}

void refuse_stiffness(std::int32_t v, const char* text) {
  fail(message(text, {std::to_string(v)}));
}

namespace {

struct Level {
  double sa = 0;  // sum of the a of its rows
  double sb = 0;  // sum of the b of its rows
  double z = 0;   // in the model's length unit
};

// The rows grouped by equal level, in ascending order; only the count of the
// levels after the second one is kept.
int group_levels(const ReinforcementRow* rows, int row_count, Level (&levels)[2]) {
  bool taken[kRowMax] = {};
  int count = 0;
  for (;;) {
    int lowest = -1;
    for (int i = 0; i < row_count; ++i) {
      if (!taken[i] && (lowest < 0 || rows[i].z < rows[lowest].z)) lowest = i;
    }
    if (lowest < 0) return count;
    double z = rows[lowest].z;
    taken[lowest] = true;
    for (int i = 0; i < row_count; ++i) {
      if (i != lowest && (taken[i] || rows[i].z != z)) continue;
      taken[i] = true;
      if (count < 2) {
        levels[count].sa += rows[i].a;
        levels[count].sb += rows[i].b;
        levels[count].z = rows[i].z / kCentimetre;
      }
    }
    ++count;
  }
}

}  // namespace

SlabLayers slab_layers(std::int32_t v, const ReinforcementRow* rows, int row_count, double t) {
  if (row_count > kRowMax) {
    refuse_stiffness(v, msg::kTooManyRows);
  }
  Level levels[2];
  int level_count = group_levels(rows, row_count, levels);
  if (level_count != 2) {
    fail(message(msg::kLayerCount, {std::to_string(level_count)}));
  }
  const char* const impossible = msg::kImpossibleReinforcement;
  // A level on a face itself passes the range checks but leaves a layer of no
  // thickness, whose reinforcement ratio has no finite value.
  SlabLayers layers;
  const Level& lower = levels[0];
  if (!(-0.5 * t <= lower.z && lower.z < -0.25 * t)) fail(impossible);
  layers.t_bottom = (lower.z + 0.5 * t) * 2;
  if (layers.t_bottom == 0) {
    refuse_stiffness(v, msg::kLowerOnFace);
  }
  const Level& upper = levels[1];
  if (!(0.25 * t < upper.z && upper.z <= 0.5 * t)) fail(impossible);
  layers.t_top = (0.5 * t - upper.z) * 2;
  if (layers.t_top == 0) {
    refuse_stiffness(v, msg::kUpperOnFace);
  }
  layers.t_middle = t - layers.t_bottom - layers.t_top;
  layers.bottom_b = lower.sb / layers.t_bottom / 100;
  layers.bottom_a = lower.sa / layers.t_bottom / 100;
  layers.top_b = upper.sb / layers.t_top / 100;
  layers.top_a = upper.sa / layers.t_top / 100;
  return layers;
}

LayerHeights layer_heights(float z, double t_bottom, double t_middle, double t_top) {
  LayerHeights h;
  h.z[0] = to_single(static_cast<double>(z) - ((t_middle + t_bottom) + t_top));
  h.z[1] = to_single(static_cast<double>(h.z[0]) + t_bottom);
  h.z[2] = to_single(static_cast<double>(h.z[1]) + t_middle);
  return h;
}

namespace {

LoadRule refused(LoadEffect effect, LoadRefusal when, std::string message) {
  LoadRule rule;
  rule.effect = effect;
  rule.refusal = when;
  rule.message = std::move(message);
  return rule;
}

// The direction message: the one of the element's kind for 1 to 6, else one
// that names the direction.
std::string illegal_direction(std::int32_t direction, const char* of_kind) {
  if (direction >= 1 && direction <= 6) return of_kind;
  return message(msg::kOtherDirection, {std::to_string(direction)});
}

}  // namespace

LoadRule load_rule(std::int32_t load_type, std::int32_t direction, std::int32_t element_type) {
  LoadRule rule;
  if (load_type == 0) {
    if (direction < 1 || direction > 6) {
      return refused(LoadEffect::kForce, LoadRefusal::kBeforeWriting,
                     illegal_direction(direction, msg::kOtherDirection));
    }
    rule.effect = LoadEffect::kForce;
    rule.label = direction - 1;
    return rule;
  }
  if (load_type == 16) {
    rule.effect = LoadEffect::kOwnWeight;
    return rule;
  }
  if (is_bar(element_type) && load_type == 6) {
    if (direction != 2 && direction != 3) {
      return refused(LoadEffect::kBeamPressure, LoadRefusal::kAfterCommand,
                     illegal_direction(direction, msg::kBeamDirection));
    }
    rule.effect = LoadEffect::kBeamPressure;
    rule.label = direction == 2 ? 2 : 1;
    return rule;
  }
  if (is_shell(element_type)) {
    if (load_type != 6 && load_type != 7) {
      return refused(LoadEffect::kShellPressure, LoadRefusal::kBeforeWriting,
                     msg::kShellLoadType);
    }
    if (direction != 3) {
      return refused(LoadEffect::kShellPressure, LoadRefusal::kAfterCommand,
                     illegal_direction(direction, msg::kShellDirection));
    }
    rule.effect = LoadEffect::kShellPressure;
    rule.label = is_layered_shell(element_type) ? 6 : 2;
    return rule;
  }
  return rule;  // skipped
}

float shell_pressure(std::int32_t element_type, std::int32_t load_type, const float v[4]) {
  if (load_type != 7) return v[0];
  return is_triangle(element_type)
             ? to_single((static_cast<double>(v[1]) + v[0] + v[2]) / 3.0)
             : to_single((static_cast<double>(v[1]) + v[0] + v[2] + v[3]) * 0.25);
}

bool has_mass(std::int32_t type) { return is_bar(type) || is_shell(type); }

float weight_intensity(double section, float density) { return to_single(section * density); }

float weight_deviation(float intensity, float value) {
  // In these precisions: the difference in double rounded to single, the
  // quotient in single.
  float difference = to_single(intensity * 10.0 - value);
  return std::fabs(difference / value);
}

}  // namespace lira
