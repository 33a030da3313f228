#include "load_records.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "common/message.h"
#include "common/stop.h"
#include "messages.h"

namespace vantrel {

namespace {

bool in_grid(int loading, int direction, int column) {
  return loading >= 1 && loading <= kLoadings && direction >= 1 && direction <= kDirections &&
         column >= 0 && column < kColumns;
}

}  // namespace

void ValueGrid::clear() {
  for (auto& loading : values_)
    for (auto& direction : loading)
      for (double& v : direction) v = 0.0;
}

double& ValueGrid::at(int loading, int direction, int column) {
  if (!in_grid(loading, direction, column)) std::abort();
  return values_[loading - 1][direction - 1][column];
}

double ValueGrid::at(int loading, int direction, int column) const {
  if (!in_grid(loading, direction, column)) std::abort();
  return values_[loading - 1][direction - 1][column];
}

std::int64_t check_block(const BlockNodes& nodes, const ValueGrid& grid,
                         std::int64_t next_value_line) {
  std::int64_t records = 0;
  for_each_load(nodes, grid, [&](std::int32_t node, int loading, int d, double v) {
    if (!std::isfinite(v)) {
      lira::fail(lira::message(msg::kTooLarge, {kDirectionNames[d - 1], std::to_string(loading),
                                                 std::to_string(node)}));
    }
    ++records;
  });
  if (records > 0 && next_value_line + records - 1 > kLastValueLine) {
    lira::fail(msg::kTooManyLoads);
  }
  return records;
}

void emit_block(const BlockNodes& nodes, const ValueGrid& grid, lira::Writer& doc6,
                lira::Writer& doc7, std::int64_t& next_value_line) {
  // Check the whole block first, so that a stop leaves no half of it behind.
  check_block(nodes, grid, next_value_line);
  for_each_load(nodes, grid, [&](std::int32_t node, int loading, int d, double v) {
    doc6 << node << " 0 " << d << ' ' << static_cast<long long>(next_value_line) << ' ' << loading
         << " /\r\n";
    doc7 << static_cast<long long>(next_value_line) << ' ' << v << " 0 /\r\n";
    ++next_value_line;
  });
}

}  // namespace vantrel
