#include "check_header_line.h"

namespace modelcheck {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_pad(char c) { return c == ' ' || c == '\t'; }

// The header at `p` (an '('), or not found.
HeaderLine header_at(std::string_view line, std::size_t p) {
  HeaderLine h;
  std::size_t i = p + 1;
  while (i < line.size() && is_pad(line[i])) ++i;
  std::size_t digits = i;
  int number = 0;
  while (i < line.size() && is_digit(line[i]) && i - digits < 3)
    number = number * 10 + (line[i++] - '0');
  if (i == digits || (i < line.size() && is_digit(line[i]))) return h;
  std::size_t after_digits = i;
  while (i < line.size() && is_pad(line[i])) ++i;
  if (i >= line.size() || line[i] != '/') return h;
  h.found = true;
  h.document = number;
  h.start = p;
  h.end = i + 1;
  h.exact = p == 0 && digits == p + 2 && line[p + 1] == ' ' && after_digits == i;
  return h;
}

}  // namespace

HeaderLine find_header(std::string_view line) {
  std::size_t from = line.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  std::size_t p = line.find('(', from);
  if (p == std::string_view::npos) return HeaderLine{};
  // Before the '(' only blanks, or the ")" that closes the document before
  // (with its last records, if they share the line).
  std::size_t q = p;
  while (q > from && is_pad(line[q - 1])) --q;
  if (q > from) {
    if (line[q - 1] != ')') return HeaderLine{};
    // The ")" stands alone, or glued to the last record's slash: "/)".
    if (q - 1 > from && !is_blank(line[q - 2]) && line[q - 2] != '/') return HeaderLine{};
  }
  return header_at(line, p);
}

HeaderLine find_header_after_close(std::string_view line, std::size_t from) {
  for (std::size_t p = line.find('(', from); p != std::string_view::npos;
       p = line.find('(', p + 1)) {
    std::size_t q = p;
    while (q > from && is_pad(line[q - 1])) --q;
    if (q == from || line[q - 1] != ')') continue;
    if (q - 1 > from && !is_blank(line[q - 2]) && line[q - 2] != '/') continue;
    HeaderLine h = header_at(line, p);
    if (h.found) {
      h.exact = false;
      return h;
    }
  }
  return HeaderLine{};
}

std::string header_text(int document) { return "( " + std::to_string(document) + "/"; }

}  // namespace modelcheck
