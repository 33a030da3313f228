// What the converter makes of a model's figures: the tests it applies and the
// values it computes, written once for the converter and for every check of
// it. The element and stiffness facts they rest on are in lira_types.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lira_types.h"

namespace lira {

constexpr double kStressUnit = 10000;  // moduli, stresses and load values, to the script's unit
constexpr double kCentimetre = 100;    // sections and reinforcement levels are in centimetres

/// A value kept in single precision, rounded to the nearest float as a
/// conversion rounds it; beyond the largest float it becomes an infinity
/// (which no script accepts later) rather than an undefined conversion.
float to_single(double value);

/// Whether a stiffness's kind token is a plate's modulus: `value`, the
/// token's number, is neither 0 nor an overflow, and the token holds a '.'.
bool is_plate_modulus(double value, std::string_view token);

/// The node numbers that a record of document 1 of this type gives after its
/// stiffness: 2 for bars, 1 for an elastic link, the corners of a plate or a
/// layered shell; 0 for a type that is not converted.
int element_nodes(std::int32_t type);

/// Stops the run when element `element` of document 1 has a type beyond 16
/// bits: the converter keeps a type in 16 bits, and a wider one would come
/// back as another type.
void check_element_type(std::int64_t element, std::int32_t type);

/// Stops the run: a layered shell (element `element` of type `type`) whose
/// stiffness `s` has no slab layers to build.
[[noreturn]] void refuse_layered_without_slab(std::int64_t element, std::int32_t type,
                                              std::int32_t s);

/// The script names the corners a, b, c, d of a four-node face in the order
/// a, b, d, c: the third and fourth change places.
constexpr int kScriptCorner[4] = {0, 1, 3, 2};

/// The height of the extra node of an elastic link, 1 below the bottom face.
float link_node_z(float bottom_z);

/// Stops the run with `text`, a message about stiffness `v` ("<n>" in it).
[[noreturn]] void refuse_stiffness(std::int32_t v, const char* text);

/// One row of reinforcement: its areas a and b, and its level z in
/// centimetres from the middle of the slab.
struct ReinforcementRow {
  double a = 0, b = 0, z = 0;
};
/// The rows that one stiffness may have.
constexpr int kRowMax = 64;

/// The three layers of a slab: the bottom one holds the lower reinforcement
/// level, the top one the upper level, the middle one none.
struct SlabLayers {
  double t_bottom = 0, t_middle = 0, t_top = 0;
  // Reinforcement ratios: the summed areas of a level over its layer's
  // thickness, over 100.
  double bottom_b = 0, bottom_a = 0;
  double top_b = 0, top_a = 0;
};

/// The layers of stiffness `v`, a slab `t` thick whose rows lie on exactly
/// two levels: the lower in the lower quarter of the slab, the upper in the
/// upper quarter. Each layer with a level is twice as thick as the level's
/// distance from its face. Other rows stop the run.
SlabLayers slab_layers(std::int32_t v, const ReinforcementRow* rows, int row_count, double t);

/// The heights of the three nodes under a node of a layered shell at `z`:
/// its bottom face, the top of the bottom layer, the top of the middle one.
/// Each is taken from the one stored below it, in single precision.
struct LayerHeights {
  float z[3];
};
LayerHeights layer_heights(float z, double t_bottom, double t_middle, double t_top);

/// What one record of document 6 becomes in the script.
enum class LoadEffect {
  kForce,          // load type 0: F at the node, the value's sign turned
  kOwnWeight,      // load type 16: tested against the densities, written as ACEL
  kBeamPressure,   // load type 6 on a bar: SFBEAM
  kShellPressure,  // load types 6 and 7 on a plate or layered shell: SFE
  kSkipped,        // any other pairing: no load, no message
};

/// Why the converter stops at a record, and when.
enum class LoadRefusal {
  kNone,
  kBeforeWriting,  // nothing of the record is written
  kAfterCommand,   // "SFBEAM,n" or "SFE,n" is written first
};

struct LoadRule {
  LoadEffect effect = LoadEffect::kSkipped;
  int label = 0;  // force: 0 to 5 (FX to MZ); bar: face 1 or 2; shell: face 2 or 6
  LoadRefusal refusal = LoadRefusal::kNone;
  std::string message;  // the stop's message, when refused
};

/// The rule for a record of load type `load_type` in direction `direction`
/// on an element of LIRA type `element_type` (not looked at for load types 0
/// and 16, which name no element of document 1 here).
LoadRule load_rule(std::int32_t load_type, std::int32_t direction, std::int32_t element_type);

/// The pressure on a plate or layered shell: for load type 7 the mean of the
/// first three values (triangles) or of all four, summed in double precision
/// and rounded to single; else the first value.
float shell_pressure(std::int32_t element_type, std::int32_t load_type, const float value[4]);

/// The elements that the own weight weighs: bars, plates and layered shells.
/// Elastic links weigh nothing; other types stop the weight tests.
bool has_mass(std::int32_t type);

/// A stiffness's weight intensity: its density times its section quantity
/// (a bar's area, a plate's or a slab's thickness).
float weight_intensity(double section, float density);

/// The own-weight test of a record of value `value` (times 10000) on an
/// element of weight intensity `intensity`: the deviation of the intensity
/// times 10 from the value, relative to the value, in the converter's
/// precisions. It passes at most 0.05 off, and when it is not a number.
float weight_deviation(float intensity, float value);
inline bool weight_passes(float intensity, float value) {
  return !(weight_deviation(intensity, value) > 0.05);
}

}  // namespace lira
