// New records of the load table (document 6) and of the load values
// (document 7), one pair for every non-zero load of a block of the table.
#pragma once

#include <array>
#include <cstdint>

#include "common/writer.h"
#include "fragment_format.h"

namespace vantrel {

/// The node numbers of a block's columns; 0 where its node line gave none.
using BlockNodes = std::array<std::int32_t, kColumns>;

/// The loads of one block by loading (1 to 12), direction code (1 RX, 2 RY,
/// 3 RZ, 4 RUX, 5 RUY, 6 RUZ) and column (0 to 8). Indices outside these are a
/// fault of the caller, which checks what it reads first.
class ValueGrid {
 public:
  ValueGrid() { clear(); }
  void clear();
  double& at(int loading, int direction, int column);
  double at(int loading, int direction, int column) const;

 private:
  double values_[kLoadings][kDirections][kColumns];
};

/// The last value line number a record may take: the model's numbers are
/// 32-bit. Value line numbers are counted in 64 bits so that running past it
/// is seen rather than wrapped.
constexpr std::int64_t kLastValueLine = INT32_MAX;

/// Calls `load(node, loading, direction, value)` for every value of the
/// block that yields a record, in the order of the records: column by column
/// until the first column whose node number is 0 or negative, within a
/// column by loading, within a loading by direction code.
template <typename Load>
void for_each_load(const BlockNodes& nodes, const ValueGrid& grid, Load&& load) {
  for (int c = 0; c < kColumns && nodes[c] > 0; ++c) {
    for (int loading = 1; loading <= kLoadings; ++loading) {
      for (int d = 1; d <= kDirections; ++d) {
        double v = grid.at(loading, d, c);
        if (v != 0.0) load(nodes[c], loading, d, v);
      }
    }
  }
}

/// Stops the run where the block cannot be written: a value that is not
/// finite, or more records than value line numbers from `next_value_line`
/// on. Returns the count of the block's records.
std::int64_t check_block(const BlockNodes& nodes, const ValueGrid& grid,
                         std::int64_t next_value_line);

/// Writes the records of one block: column by column until the first column
/// whose node number is 0 or negative, within a column by loading, within a
/// loading by direction code; one line "node 0 direction line loading /" to
/// doc6 and one line "line value 0 /" to doc7 for every value that is not
/// zero, each line ended by CR LF. `next_value_line` is the number the first
/// record takes and is advanced past the last. A value that is not finite, or
/// a number beyond kLastValueLine, stops the run before anything of the block
/// is written.
void emit_block(const BlockNodes& nodes, const ValueGrid& grid, lira::Writer& doc6,
                lira::Writer& doc7, std::int64_t& next_value_line);

}  // namespace vantrel
