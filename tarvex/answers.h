// The run parameters that tarvex asks for, and the last check before it
// converts. modelcheck reads an answers file through the same questions, so a
// file that it accepts is one that tarvex accepts.
#pragma once

#include <array>
#include <cstdint>

#include "common/console.h"
#include "common/lira_types.h"

namespace tarvex {

/// The answers of one run, as the run keeps them.
struct Answers {
  double vr3 = 0;
  /// kg/m3 by stiffness number, in single precision as tarvex keeps it: every
  /// entry the common density, then the exceptions. Entry 0 can take no
  /// exception (0 ends the list), so it always holds the common density.
  std::array<float, lira::kStiffnessCount> density{};
  std::int32_t weight_load_no = 0;
};

/// Asks VR3, the common density, its exceptions and the own-weight load case;
/// a stop (lira::Stop) on an answer that is no number, or on an exception of a
/// stiffness outside 1 to 49.
void ask_run_parameters(lira::Console& con, Answers& answers);

/// The last check: true when the user declines ('e' or 'E').
bool declined_at_check(lira::Console& con);

}  // namespace tarvex
