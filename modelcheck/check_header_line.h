// Document headers as real files write them.
#pragma once

#include <string>
#include <string_view>

namespace modelcheck {

/// A header found in a line by the tolerant rule: an opening parenthesis,
/// blanks or none, the document number, blanks or none, a slash; at the start
/// of the line, after blanks, or after the ")" that closes the document before.
struct HeaderLine {
  bool found = false;
  int document = -1;
  std::size_t start = 0;  // the '('
  std::size_t end = 0;    // just after the '/'
  /// Written as the programs see it: "( 3/" at the very start of the line.
  bool exact = false;
};

/// The header of `line`, if it holds one. A byte-order mark of UTF-8 before
/// it counts as blanks.
HeaderLine find_header(std::string_view line);

/// A further header of `line` at or after `from`, one that follows the ")"
/// closing a document on the same line ("( 0/ 1; frame/ )( 1/"); its `start`
/// is the '(' in `line`.
HeaderLine find_header_after_close(std::string_view line, std::size_t from);

/// The header as the programs need it: "( 3/".
std::string header_text(int document);

/// Whether `c` separates tokens: blank, tab, CR, LF, VT, FF.
inline bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace modelcheck
