#include "fragment_format.h"

#include <cstring>

#include "common/message.h"
#include "common/text_model.h"
#include "messages.h"

namespace vantrel {

const char* const kDirectionNames[kDirections] = {"RX", "RY", "RZ", "RUX", "RUY", "RUZ"};

namespace {

/// A load type keyword: its first `compared` characters are compared, and
/// `passed_over` characters after the token fill its field to 4 characters.
struct Keyword {
  const char* text;
  std::size_t compared;
  int passed_over;
};
// In the order they are tried; the index plus one is the direction code.
const Keyword kKeywords[kDirections] = {
    {"RX", 2, 2}, {"RY", 2, 2}, {"RZ", 2, 2}, {"RUX", 3, 1}, {"RUY", 3, 1}, {"RUZ", 3, 1},
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// White space that the conversion of a cell skips; a raw read holds no LF.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

int direction_of(std::string_view token) {
  for (int d = 0; d < kDirections; ++d) {
    const Keyword& k = kKeywords[d];
    if (token.substr(0, k.compared) == std::string_view(k.text, k.compared)) return d + 1;
  }
  return 0;
}

int passed_over_after(int direction) { return kKeywords[direction - 1].passed_over; }

Cell read_cell(std::string_view cell) {
  Cell r;
  std::size_t start = 0;
  while (start < cell.size() && is_space(cell[start])) ++start;
  r.number = cell.substr(start);

  // The number as strtod takes it, from a zero-ended copy (a cell is at most
  // 9 characters).
  lira::Token text;
  for (char c : r.number) {
    if (text.length == lira::kTokenMax) break;
    text.text[text.length++] = c;
  }
  text.text[text.length] = '\0';
  lira::RealValue v = lira::to_real(text);
  std::size_t stop = start + static_cast<std::size_t>(v.end - text.text);

  if (lira::stops_at_decimal_comma(v)) {
    r.kind = CellKind::kDecimalComma;
    return r;
  }
  if (stop > start && v.value == 0 && (v.end[0] == 'x' || v.end[0] == 'X') &&
      is_hex_digit(v.end[1])) {
    r.kind = CellKind::kHexadecimal;
    return r;
  }
  // A digit that the number leaves out belongs to a value that does not
  // stand whole in this cell; so does a sign or a point at the cell's end.
  bool spilled = false;
  for (std::size_t i = stop; i < cell.size(); ++i) {
    if (is_digit(cell[i])) spilled = true;
  }
  if (!cell.empty() && cell.size() - 1 >= stop) {
    char last = cell.back();
    if (last == '-' || last == '+' || last == '.') spilled = true;
  }
  if (spilled) {
    r.kind = CellKind::kSpilled;
    return r;
  }
  // The fourth character decides whether the cell is read at all.
  if (cell.size() < 4 || cell[3] == ' ') {
    r.kind = v.value != 0 ? CellKind::kDropped : CellKind::kEmpty;
    return r;
  }
  r.kind = CellKind::kValue;
  r.value = v.value;
  return r;
}

std::string cell_message(CellKind kind, const CellPlace& place, std::string_view cell) {
  std::string block = std::to_string(place.block);
  std::string loading = std::to_string(place.loading);
  std::string column = std::to_string(place.column + 1);
  std::string node = std::to_string(place.node);
  if (kind == CellKind::kHexadecimal) {
    return lira::message(msg::kCellHexadecimal, {cell, block, loading,
                                                 kDirectionNames[place.direction - 1], column,
                                                 node});
  }
  std::string nodes = std::to_string(place.first_line_numbers);
  std::string width = std::to_string(cell_width(column_count_of(place.first_line_numbers)));
  std::string text = lira::message(kind == CellKind::kDropped ? msg::kCellDropped : msg::kCellSplit,
                                   {cell, block, loading, kDirectionNames[place.direction - 1],
                                    column, node, nodes, width, width});
  // One node is named in the singular.
  if (place.first_line_numbers == 1) {
    std::size_t at = text.find("node line has 1 nodes,");
    if (at != std::string::npos) text.erase(at + std::strlen("node line has 1 node"), 1);
  }
  return text;
}

}  // namespace vantrel
