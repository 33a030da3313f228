// New records of the load table (document 6) and of the load values
// (document 7), one pair for every non-zero load of a block of the table.
#pragma once

#include <array>
#include <cstdint>

#include "common/writer.h"

namespace vantrel {

constexpr int kColumns = 9;      // nodes of one block of the table
constexpr int kLoadings = 12;    // loadings 1 to 12
constexpr int kDirections = 6;   // direction codes 1 to 6

/// Keywords of the direction codes 1 to 6, for messages.
extern const char* const kDirectionNames[kDirections];

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
