// The loads of vantrel's fragment table loadfrag.txt, read by vantrel's own
// table reader, as the values that vantrel turns into records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/text_model.h"

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

/// Reads the table from its text, the first new record taking value line
/// `first_value_line`. False, with `stop` set to vantrel's message, where
/// vantrel would stop on the table.
bool read_fragment_loads(std::string_view text, FragmentTable& table, std::string& stop,
                         std::int64_t first_value_line = 1);

/// vantrel's message where it would stop on the table, empty where it reads
/// the table through. Streams: nothing of the table is kept.
std::string table_stop(lira::TextReader& table, std::int64_t first_value_line);

}  // namespace modelcheck
