// The APDL script that tarvex writes, read back: the commands it uses (N, ET,
// MP/MPDATA, TB, R/RMORE, TYPE/MAT/REAL/ESYS, FLST/FITEM with E or D on the
// picked list, D, F, SFE, SFBEAM, ACEL, LSWRITE and the delete commands) with
// their effect on the model that ANSYS would build from it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/text_model.h"

namespace modelcheck {

/// Degrees of freedom and nodal load labels, in one numbering: 0..5 are
/// UX UY UZ ROTX ROTY ROTZ for supports and FX FY FZ MX MY MZ for loads.
constexpr int kDirections = 6;
extern const char* const kSupportLabels[kDirections];
extern const char* const kForceLabels[kDirections];

struct ScriptNode {
  float x = 0, y = 0, z = 0;
  bool defined = false;
};

/// An element as E created it, under the attributes in force then.
struct ScriptElement {
  int type = 0, mat = 0, real = 0, esys = 0;
  int node_count = 0;
  std::int32_t node[8] = {};
  std::int64_t line = 0;  // of its E command
};

struct ScriptSupport {
  std::int32_t node = 0;
  int dof = 0;  // 0..5
};

/// A force, a pressure on an element face or on a beam, as one load step has
/// it; `target` is the node (forces) or the element.
struct ScriptLoad {
  std::int32_t target = 0;
  int label = 0;  // force label 0..5, or the face number
  double value = 0;
};

struct LoadStep {
  int number = 0;  // of LSWRITE
  double acel[3] = {};
  std::vector<ScriptLoad> forces;
  std::vector<ScriptLoad> pressures;       // SFE, PRES
  std::vector<ScriptLoad> beam_pressures;  // SFBEAM, PRES
};

struct Material {
  double ex = 0, dens = 0, prxy = 0;
  bool has_ex = false, has_dens = false, has_prxy = false;
};

struct ScriptModel {
  std::vector<ScriptNode> nodes;             // node n at n
  std::vector<ScriptElement> elements;       // element n at n - 1
  std::map<int, std::string> element_types;  // ET number -> name
  std::map<int, Material> materials;
  std::map<int, std::vector<double>> real_sets;  // R and RMORE values, blanks 0
  std::vector<ScriptSupport> supports;
  std::vector<LoadStep> steps;
  /// Lines the reader did not understand, "line N: text", the first 20.
  std::vector<std::string> unread;
  std::int64_t unread_count = 0;
  bool finished = false;  // FINISH was read
};

/// Reads the whole script. Never stops: what it cannot read is listed.
void read_script(lira::TextReader& in, ScriptModel& script);

}  // namespace modelcheck
