// What a model itself says of the answers that tarvex asks for: the check
// gathers it, and the answers file is made from it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/lira_types.h"

namespace modelcheck {

struct AnswerFacts {
  /// The density the model gives stiffness s ("RO", in t/m3, as LIRA writes
  /// it), or -1 where it gives none; the line it stands on.
  std::array<double, lira::kStiffnessCount> density;
  std::array<long, lira::kStiffnessCount> density_line{};
  /// Stiffnesses that tarvex converts to a material that weighs (plate,
  /// rectangular bar, plastic bar, reinforced concrete solid): an elastic
  /// link weighs nothing whatever the answers say.
  std::array<bool, lira::kStiffnessCount> weighs{};
  /// The load cases of the own-weight records (load type 16) of document 6,
  /// each once, in the order first met; the line of the first record of each.
  std::vector<std::int32_t> weight_cases;
  std::vector<long> weight_case_lines;
  /// The density, kg/m3, that the first own-weight record of an element of
  /// stiffness s implies (its value over the stiffness's section, as tarvex
  /// checks it), or -1; the line of that record. It answers for a stiffness
  /// without RO.
  std::array<double, lira::kStiffnessCount> weight_density;
  std::array<long, lira::kStiffnessCount> weight_density_line{};
  /// Whether an element uses a reinforced concrete solid stiffness (GENE14/):
  /// only then does tarvex's VR3 reach the script.
  bool concrete_slabs = false;

  AnswerFacts() {
    density.fill(-1.0);
    weight_density.fill(-1.0);
  }

  /// Sets what the model says of stiffness `s`; numbers outside the table
  /// are not tarvex's (it stops at them) and are left out.
  void set_density(int s, double t_per_m3, long line) {
    if (s < 0 || s >= lira::kStiffnessCount) return;
    density[static_cast<std::size_t>(s)] = t_per_m3;
    density_line[static_cast<std::size_t>(s)] = line;
  }
  void set_weight_density(int s, double kg_per_m3, long line) {
    if (s < 0 || s >= lira::kStiffnessCount) return;
    std::size_t i = static_cast<std::size_t>(s);
    if (weight_density[i] >= 0 || !(kg_per_m3 >= 0)) return;
    weight_density[i] = kg_per_m3;
    weight_density_line[i] = line;
  }
  void set_weighs(int s, bool w) {
    if (s >= 0 && s < lira::kStiffnessCount) weighs[static_cast<std::size_t>(s)] = w;
  }
  void add_weight_case(std::int32_t load_case, long line) {
    for (std::int32_t c : weight_cases) {
      if (c == load_case) return;
    }
    weight_cases.push_back(load_case);
    weight_case_lines.push_back(line);
  }
};

}  // namespace modelcheck
