// The format of the fragment load table loadfrag.txt, as every reader of it
// takes it: vantrel's own reader, and modelcheck's check of a table. The
// keywords of the type rows, the width of the value cells and what a cell
// holds are decided here and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

constexpr int kColumns = 9;     // nodes of one block of the table
constexpr int kLoadings = 12;   // loadings 1 to 12
constexpr int kDirections = 6;  // direction codes 1 to 6

/// Keywords of the direction codes 1 to 6, for messages.
extern const char* const kDirectionNames[kDirections];

/// Five or more dashes: a rule of the drawing.
inline bool is_rule(std::string_view token) { return token.substr(0, 5) == "-----"; }
/// A token beginning with "|", a bar with digits glued to it too.
inline bool is_bar(std::string_view token) { return !token.empty() && token[0] == '|'; }
inline bool starts_with_digit(std::string_view token) {
  return !token.empty() && token[0] >= '0' && token[0] <= '9';
}

/// The direction code of a type row's keyword token, 0 when it is none of the
/// six. Only the keyword's first two (RX, RY, RZ) or three (RUX, RUY, RUZ)
/// characters are compared, in that order.
int direction_of(std::string_view token);
/// The characters passed over after a keyword token of `direction`: the
/// keyword and they fill a field of 4 characters.
int passed_over_after(int direction);

/// The column count that the first node line sets: its count of numbers,
/// raised to 8.
inline int column_count_of(int first_line_numbers) {
  return first_line_numbers < 8 ? 8 : first_line_numbers;
}
/// The width of the value cells for a column count: 8 characters for 9
/// columns, 9 for 8, so that the cells of a row span 72 characters; 0 for a
/// count the table cannot have.
inline int cell_width(int column_count) {
  return column_count == 9 ? 8 : column_count == 8 ? 9 : 0;
}

/// What a value cell holds, as the table reader reads it.
enum class CellKind {
  kEmpty,          // blanks, a word, or a 0 whose fourth character is blank
  kValue,          // a number (0 when the cell holds none but a word)
  kDecimalComma,   // "-2,500": would be read as far as the comma only
  kHexadecimal,    // "0x1F": would be read as its leading 0
  kSpilled,        // part of a number that the cell does not hold whole
  kDropped,        // a number other than 0 whose fourth character is blank
};

struct Cell {
  CellKind kind = CellKind::kEmpty;
  double value = 0;         // of kValue
  std::string_view number;  // the cell from its number on (blanks skipped)
};

/// Reads the characters of one value cell, as many as the raw read gave (the
/// cell width, fewer where the line ended). A cell holds a value where its
/// fourth character is not blank. Whatever it holds, a cell that holds a
/// digit the number read leaves out (a digit after it, or anywhere where no
/// number is read, as in "x1.5"), or that ends in a sign or a point that the
/// number does not take (the start of the next value, as in "-4.100  -"),
/// is spilled; a unit or a word after the number ("12.5kN", "1.5 t", "n/a")
/// is not. A cell whose fourth character is blank and whose number is not 0
/// is dropped.
Cell read_cell(std::string_view cell);

/// Where a cell stands, for the messages.
struct CellPlace {
  int block = 0;       // counted from 1 in the table, empty blocks too
  int loading = 0;
  int direction = 0;   // 1 to 6
  int column = 0;      // from 0
  long long node = 0;  // of the block's node line, 0 where it has none
  int first_line_numbers = 0;  // of the table's first node line
};

/// The message that stops a run on a cell of kind kHexadecimal, kSpilled or
/// kDropped: where the cell stands, its text, the cell width and why, and
/// the cure.
std::string cell_message(CellKind kind, const CellPlace& place, std::string_view cell);

}  // namespace vantrel
