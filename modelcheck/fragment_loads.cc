#include "fragment_loads.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace modelcheck {
namespace {

constexpr int kColumns = 9, kLoadings = 12, kDirections = 6;

struct Scanner {
  const std::string& s;
  std::size_t pos = 0;

  bool at_end() const { return pos >= s.size(); }
  static bool space(char c) { return std::strchr(" \t\n\v\f\r", c) != nullptr && c != '\0'; }

  std::string_view token() {
    while (pos < s.size() && space(s[pos])) ++pos;
    std::size_t start = pos;
    while (pos < s.size() && !space(s[pos])) ++pos;
    return std::string_view(s).substr(start, pos - start);
  }
  // Characters as they stand, stopping before a line end.
  std::string_view raw(std::size_t n) {
    std::size_t start = pos;
    while (pos < s.size() && pos - start < n && s[pos] != '\n') ++pos;
    return std::string_view(s).substr(start, pos - start);
  }
};

bool is_rule(std::string_view t) { return t.substr(0, 5) == "-----"; }
bool starts_digit(std::string_view t) { return !t.empty() && std::isdigit(static_cast<unsigned char>(t[0])); }
bool starts_bar(std::string_view t) { return !t.empty() && t[0] == '|'; }
long integer_of(std::string_view t) { return std::strtol(std::string(t).c_str(), nullptr, 0); }

}  // namespace

bool read_fragment_loads(const std::string& text, FragmentTable& table, std::string& error) {
  Scanner in{text};
  auto refuse = [&](const char* why) {
    error = why;
    return false;
  };
  // The first node line: the first token that begins with a digit right
  // after a rule (and an optional bar token).
  std::string_view t;
  for (;;) {
    t = in.token();
    if (t.empty()) return refuse("the cap is incorrect: no node line after a rule");
    if (!is_rule(t)) continue;
    t = in.token();
    if (starts_bar(t)) t = in.token();
    if (starts_digit(t)) break;
  }
  std::int32_t nodes[kColumns] = {};
  int columns = 0;
  auto node_line = [&](bool count) {
    int n = 0;
    while (!t.empty()) {
      if (n < kColumns) nodes[n] = static_cast<std::int32_t>(integer_of(t));
      ++n;
      t = in.token();
      if (starts_bar(t)) t = in.token();
      if (is_rule(t)) break;
    }
    if (count) columns = n < 8 ? 8 : n;
    return n;
  };
  node_line(true);
  if (t.empty()) return refuse("the cap is incorrect: the table ends in the first node line");
  if (nodes[0] == 0) return refuse("the first node line is incorrect");
  if (columns > kColumns) return refuse("more than 9 nodes on the first node line");
  std::size_t width = columns == 9 ? 8 : 9;
  double grid[kLoadings + 1][kDirections + 1][kColumns];
  for (;;) {
    // A block.
    std::memset(grid, 0, sizeof grid);
    if (!starts_bar(in.token())) return refuse("a block does not begin with a column delimiter");
    t = in.token();
    while (!is_rule(t)) {
      if (!starts_digit(t)) return refuse("a loading number is incorrect");
      long loading = integer_of(t);
      if (loading < 1 || loading > kLoadings) return refuse("a loading number is outside 1 to 12");
      if (in.token().substr(0, 1) != "-") return refuse("a loading cell is incorrect");
      std::string_view mark = in.raw(3);
      if (mark.size() >= 3 && std::isdigit(static_cast<unsigned char>(mark[2]))) {
        return refuse("a dynamic loading, which vantrel does not take");
      }
      do t = in.token();
      while (!t.empty() && !starts_bar(t));
      if (t.empty()) return refuse("the table ends in a loading cell");
      t = in.token();
      if (is_rule(t)) break;
      // Type rows: the lead token is in hand.
      for (;;) {
        t = in.token();
        static const char* const keys[kDirections] = {"RX", "RY", "RZ", "RUX", "RUY", "RUZ"};
        int direction = 0;
        for (int d = 0; d < kDirections && direction == 0; ++d) {
          std::size_t n = std::strlen(keys[d]);
          if (t.substr(0, n) == keys[d]) direction = d + 1;
        }
        if (direction == 0) {
          if (starts_digit(t)) break;  // the next loading
          return refuse("a load type is incorrect");
        }
        in.raw(direction <= 3 ? 2 : 1);
        for (int c = 0;; ++c) {
          std::string_view cell = in.raw(width);
          if (cell.size() >= 2 && cell[1] == '|') break;
          if (c >= columns || cell.size() < width) return refuse("a row has no end mark");
          if (cell[3] != ' ') {
            grid[loading][direction][c] = std::strtod(std::string(cell).c_str(), nullptr);
          }
        }
        ++in.pos;  // the character after the end mark
        t = in.token();
        if (is_rule(t)) break;
      }
      if (is_rule(t)) break;
    }
    ++table.blocks;
    for (int c = 0; c < kColumns && nodes[c] > 0; ++c) {
      for (int l = 1; l <= kLoadings; ++l) {
        for (int d = 1; d <= kDirections; ++d) {
          if (grid[l][d][c] != 0) table.loads.push_back(FragmentLoad{nodes[c], l, d, grid[l][d][c]});
        }
      }
    }
    std::memset(nodes, 0, sizeof nodes);
    t = in.token();
    if (starts_bar(t)) t = in.token();
    if (!starts_digit(t)) return true;
    if (node_line(false) > kColumns) return refuse("more than 9 nodes on a node line");
    if (t.empty()) return refuse("the table ends in a node line");
  }
}

}  // namespace modelcheck
