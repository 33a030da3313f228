// The loads of vantrel's fragment table loadfrag.txt, read by the table's own
// rules (rules of dashes, a node line per block, a loading cell and its rows
// of fixed-width value cells), as the values that vantrel turns into records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace modelcheck {

/// One value of a block that is not zero: the load of a node in a loading
/// (1..12) and direction (1 RX .. 6 RUZ).
struct FragmentLoad {
  std::int32_t node = 0;
  int loading = 0;
  int direction = 0;
  double value = 0;
};

struct FragmentTable {
  std::vector<FragmentLoad> loads;  // in the order vantrel writes their records
  int blocks = 0;
};

/// Reads the table from its text (line ends already LF). False, with `error`
/// set, where vantrel would refuse the table.
bool read_fragment_loads(const std::string& text, FragmentTable& table, std::string& error);

}  // namespace modelcheck
