#include "fragment_table.h"

#include <climits>
#include <cstdio>
#include <string>

#include "common/number_format.h"
#include "common/stop.h"
#include "load_records.h"

namespace vantrel {
namespace {

const std::string kTable = "\nTable loadfrag.txt:\n";

/// A load type keyword: its first `compared` characters are compared, and
/// `passed_over` characters after the token fill its field to 4 characters.
struct Keyword {
  const char* text;
  int compared;
  int passed_over;
};
// In the order they are tried; the index plus one is the direction code.
const Keyword kKeywords[kDirections] = {
    {"RX", 2, 2}, {"RY", 2, 2}, {"RZ", 2, 2}, {"RUX", 3, 1}, {"RUY", 3, 1}, {"RUZ", 3, 1},
};

bool is_digit(int c) { return c >= '0' && c <= '9'; }

/// The direction code of a keyword token, 0 when it is none of the six.
int direction_of(const lira::Token& token) {
  for (int d = 0; d < kDirections; ++d) {
    const Keyword& k = kKeywords[d];
    if (token.starts_with(std::string_view(k.text, static_cast<std::size_t>(k.compared)))) {
      return d + 1;
    }
  }
  return 0;
}

/// The table as the reader walks it: whitespace-delimited tokens, and raw
/// fixed-width reads that stop before a line end.
class Table {
 public:
  Table(lira::TextReader& in, lira::Writer& trace) : in_(in), trace_(trace) {}

  lira::Token token;

  void read() { lira::read_token(in_, token); }
  /// A token beginning with "|", and a bar glued to digits too.
  bool bar() const { return token.first() == '|'; }
  /// Five or more dashes.
  bool rule() const { return token.starts_with("-----"); }
  bool digit() const { return is_digit(static_cast<unsigned char>(token.first())); }
  /// True once a read has met the end of the file: the token in hand is empty
  /// or ended at the last character.
  bool at_end() { return token.empty() || in_.peek() == EOF; }

  /// Up to `n` characters as they stand, never the line end, into `out`
  /// (zero-ended); returns how many were read.
  int raw(char* out, int n) {
    int k = 0;
    while (k < n) {
      int c = in_.peek();
      if (c == EOF || c == '\n') break;
      out[k++] = static_cast<char>(in_.get());
    }
    out[k] = '\0';
    return k;
  }
  void pass_over(int n) {
    for (int i = 0; i < n; ++i) in_.get();
  }
  bool file_ended() { return in_.peek() == EOF; }

  lira::Writer& trace() { return trace_; }

 private:
  lira::TextReader& in_;
  lira::Writer& trace_;
};

/// Stores the numbers of a node line, the token in hand being its first, up to
/// the rule that closes it; a token beginning with "|" after a number is a
/// delimiter. Returns how many numbers it held. The first node line may hold
/// more than 9 (they are counted and refused when a row is read); a further
/// one may not.
int read_node_line(Table& t, BlockNodes& nodes, bool first_line) {
  int count = 0;
  while (!t.at_end()) {
    std::int32_t number = lira::to_int(t.token).value;
    if (count < kColumns) {
      nodes[count] = number;
    } else if (!first_line) {
      lira::fail(kTable + "a string of nodes' numbers holds more than 9 numbers.");
    }
    if (count < INT_MAX) ++count;
    t.trace() << number << "  ";
    t.read();
    if (t.bar()) t.read();
    if (t.rule()) break;
  }
  return count;
}

/// The value of a cell: leading white space skipped, the number read as far
/// as it goes, 0 when there is none. `number` gets the cell from the number on.
lira::RealValue cell_value(const char* cell, lira::Token& number) {
  while (*cell == ' ' || *cell == '\t' || *cell == '\r' || *cell == '\v' || *cell == '\f') ++cell;
  number.length = 0;
  while (cell[number.length] != '\0') {
    number.text[number.length] = cell[number.length];
    ++number.length;
  }
  number.text[number.length] = '\0';
  return lira::to_real(number);
}

class Reader {
 public:
  Reader(lira::TextReader& in, lira::Writer& doc6, lira::Writer& doc7, lira::Writer& trace,
         std::int64_t first_value_line)
      : t_(in, trace), doc6_(doc6), doc7_(doc7), next_value_line_(first_value_line) {}

  std::int64_t read() {
    find_first_node_line();
    t_.trace() << "\n";
    int count = read_node_line(t_, nodes_, true);
    t_.trace() << "\n";
    if (t_.at_end()) lira::fail("\nTable loadfrag.txt: the cap incorrect.");
    if (nodes_[0] == 0) {
      lira::fail(kTable + "the first string " + "of nodes' numbers incorrect.");
    }
    column_count_ = count < 8 ? 8 : count;

    for (;;) {
      read_block();
      emit_block(nodes_, grid_, doc6_, doc7_, next_value_line_);
      nodes_.fill(0);

      t_.read();
      if (t_.bar()) t_.read();
      if (!t_.digit()) return next_value_line_;

      t_.trace() << "\n";
      read_node_line(t_, nodes_, false);
      if (t_.at_end()) lira::fail(kTable + "the string " + "of nodes' numbers incorrect.");
      t_.trace() << "\n";
    }
  }

 private:
  // The cap ends where a rule is followed, perhaps after a bar, by a token
  // beginning with a digit. The tokens looked at after a rule are not looked
  // at again, so a rule right after a rule does not count as one.
  void find_first_node_line() {
    for (;;) {
      t_.read();
      if (t_.token.empty()) lira::fail("\nTable loadfrag.txt: the cap incorrect.");
      if (!t_.rule()) continue;
      t_.read();
      if (t_.bar()) t_.read();
      if (t_.digit()) return;
    }
  }

  // From the bar that opens the block to the rule that closes it.
  void read_block() {
    grid_.clear();
    t_.read();
    if (!t_.bar()) lira::fail(kTable + "incorrect column delimeter.");
    t_.read();
    if (t_.rule()) return;  // an empty block
    for (;;) {
      int loading = read_loading_cell();
      if (t_.rule()) return;
      // The token in hand is the lead of the first type row.
      for (;;) {
        t_.read();
        int direction = direction_of(t_.token);
        if (direction == 0) {
          if (t_.digit()) break;  // the next loading's number
          lira::fail("\nTable loadfrag.txt: error in load type.");
        }
        t_.pass_over(kKeywords[direction - 1].passed_over);
        read_cells(loading, direction);
        t_.pass_over(1);  // the character after the end mark
        t_.trace() << "\n";
        t_.read();
        if (t_.rule()) return;
        // Otherwise the lead token of the next row, passed over.
      }
    }
  }

  // The loading cell, the token in hand being its number: returns the
  // loading with the token after the cell's closing bar in hand.
  int read_loading_cell() {
    if (!t_.digit()) lira::fail(kTable + "error in loadings' number.");
    std::int32_t loading = lira::to_int(t_.token).value;
    if (loading < 1 || loading > kLoadings) {
      lira::fail(kTable + "loading No " + std::to_string(loading) + " is outside 1 to 12.");
    }
    t_.trace() << "loading No " << loading - 1 << "\n";

    t_.read();
    if (t_.token.first() != '-') lira::fail(kTable + "error in loadings' number format.");

    // The kind of the loading: a digit in the third place marks a dynamic one.
    char mark[4];
    int n = t_.raw(mark, 3);
    if (n == 0) {
      if (t_.file_ended()) end_of_file_in_cell(loading);
      lira::fail(kTable + "the kind of loading " + std::to_string(loading) +
                 " is missing: the line ends right after \"-\".");
    }
    if (n == 3 && is_digit(static_cast<unsigned char>(mark[2]))) {
      lira::fail(kTable + "dinamic loading not under processing.");
    }

    do {
      t_.read();
      if (t_.token.empty()) end_of_file_in_cell(loading);
    } while (!t_.bar());
    t_.read();
    return loading;
  }

  [[noreturn]] void end_of_file_in_cell(int loading) {
    lira::fail(kTable + "the file ends inside the cell of loading " + std::to_string(loading) +
               ", before its closing \"|\".");
  }

  // The value cells of a type row, up to its end mark: the cell whose second
  // character is "|".
  void read_cells(int loading, int direction) {
    if (column_count_ != 8 && column_count_ != 9) {
      lira::fail(kTable + "error: number of columns = " + std::to_string(column_count_) + " !");
    }
    const int width = column_count_ == 9 ? 8 : 9;
    char cell[10];
    for (int c = 0;; ++c) {
      int n = t_.raw(cell, width);
      if (n >= 2 && cell[1] == '|') return;
      if (c == column_count_) {
        lira::fail(kTable + "the row " + kDirectionNames[direction - 1] + " of loading " +
                   std::to_string(loading) + " does not end with \"|\" after at most " +
                   std::to_string(column_count_) + " cells of " + std::to_string(width) +
                   " characters.");
      }
      // A cell whose fourth character is blank is empty, even when a value
      // stands further right in it.
      if (n >= 4 && cell[3] != ' ') {
        lira::Token number;
        lira::RealValue value = cell_value(cell, number);
        if (lira::stops_at_decimal_comma(value)) {
          lira::refuse_decimal_comma("loadfrag.txt", number.view(),
                                     std::string("the ") + kDirectionNames[direction - 1] +
                                         " row of loading " + std::to_string(loading) +
                                         ", column " + std::to_string(c + 1) + " (node " +
                                         std::to_string(nodes_[c]) + ")");
        }
        grid_.at(loading, direction, c) = value.value;
      }
      trace_value(grid_.at(loading, direction, c));
    }
  }

  // The value as "%8.3g" writes it, without a printf call per cell.
  void trace_value(double value) {
    char shown[kTraceWidth];
    int n = static_cast<int>(lira::format_general(value, 3, 2, shown));
    for (int i = n; i < 8; ++i) t_.trace() << ' ';
    t_.trace().write(shown, static_cast<std::size_t>(n));
  }

  static constexpr int kTraceWidth = 40;
  Table t_;
  lira::Writer& doc6_;
  lira::Writer& doc7_;
  std::int64_t next_value_line_;
  BlockNodes nodes_{};
  ValueGrid grid_;
  int column_count_ = 0;
};

}  // namespace

std::int64_t read_fragment_table(lira::TextReader& table, lira::Writer& doc6, lira::Writer& doc7,
                                 lira::Writer& trace, std::int64_t first_value_line) {
  Reader reader(table, doc6, doc7, trace, first_value_line);
  return reader.read();
}

}  // namespace vantrel
