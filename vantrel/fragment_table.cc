#include "fragment_table.h"

#include <climits>
#include <cstdio>
#include <string>

#include "common/message.h"
#include "common/number_format.h"
#include "common/stop.h"
#include "fragment_format.h"
#include "messages.h"

namespace vantrel {
namespace {

/// The table as the reader walks it: whitespace-delimited tokens, and raw
/// fixed-width reads that stop before a line end.
class Table {
 public:
  Table(lira::TextReader& in, lira::Writer& trace) : in_(in), trace_(trace) {}

  lira::Token token;

  void read() { lira::read_token(in_, token); }
  bool bar() const { return is_bar(token.view()); }
  bool rule() const { return is_rule(token.view()); }
  bool digit() const { return starts_with_digit(token.view()); }
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
      lira::fail(msg::kTooManyNodes);
    }
    if (count < INT_MAX) ++count;
    t.trace() << number << "  ";
    t.read();
    if (t.bar()) t.read();
    if (t.rule()) break;
  }
  return count;
}

class Reader {
 public:
  Reader(lira::TextReader& in, BlockSink& sink, lira::Writer& trace) : t_(in, trace), sink_(sink) {}

  void read() {
    find_first_node_line();
    t_.trace() << "\n";
    int count = read_node_line(t_, nodes_, true);
    t_.trace() << "\n";
    if (t_.at_end()) lira::fail(msg::kCap);
    if (nodes_[0] == 0) {
      lira::fail(msg::kFirstNodes);
    }
    first_line_numbers_ = count;
    column_count_ = column_count_of(count);

    for (;;) {
      ++block_;
      read_block();
      sink_.block(nodes_, grid_);
      nodes_.fill(0);

      t_.read();
      if (t_.bar()) t_.read();
      if (!t_.digit()) return;

      t_.trace() << "\n";
      read_node_line(t_, nodes_, false);
      if (t_.at_end()) lira::fail(msg::kNodes);
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
      if (t_.token.empty()) lira::fail(msg::kCap);
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
    if (!t_.bar()) lira::fail(msg::kDelimiter);
    t_.read();
    if (t_.rule()) return;  // an empty block
    for (;;) {
      int loading = read_loading_cell();
      if (t_.rule()) return;
      // The token in hand is the lead of the first type row.
      for (;;) {
        t_.read();
        int direction = direction_of(t_.token.view());
        if (direction == 0) {
          if (t_.digit()) break;  // the next loading's number
          lira::fail(msg::kLoadType);
        }
        t_.pass_over(passed_over_after(direction));
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
    if (!t_.digit()) lira::fail(msg::kLoadingNumber);
    std::int32_t loading = lira::to_int(t_.token).value;
    if (loading < 1 || loading > kLoadings) {
      lira::fail(lira::message(msg::kLoadingOutside, {std::to_string(loading)}));
    }
    t_.trace() << "loading No " << loading - 1 << "\n";

    t_.read();
    if (t_.token.first() != '-') lira::fail(msg::kLoadingFormat);

    // The kind of the loading: a digit in the third place marks a dynamic one.
    char mark[4];
    int n = t_.raw(mark, 3);
    if (n == 0) {
      if (t_.file_ended()) end_of_file_in_cell(loading);
      lira::fail(lira::message(msg::kNoKind, {std::to_string(loading)}));
    }
    if (n == 3 && mark[2] >= '0' && mark[2] <= '9') {
      lira::fail(msg::kDynamic);
    }

    do {
      t_.read();
      if (t_.token.empty()) end_of_file_in_cell(loading);
    } while (!t_.bar());
    t_.read();
    return loading;
  }

  [[noreturn]] void end_of_file_in_cell(int loading) {
    lira::fail(lira::message(msg::kEndInCell, {std::to_string(loading)}));
  }

  // The value cells of a type row, up to its end mark: the cell whose second
  // character is "|".
  void read_cells(int loading, int direction) {
    if (column_count_ != 8 && column_count_ != 9) {
      lira::fail(lira::message(msg::kColumns, {std::to_string(column_count_)}));
    }
    const int width = cell_width(column_count_);
    char cell[10];
    for (int c = 0;; ++c) {
      int n = t_.raw(cell, width);
      if (n >= 2 && cell[1] == '|') return;
      if (c == column_count_) {
        lira::fail(lira::message(msg::kRowEnd, {kDirectionNames[direction - 1], std::to_string(loading),
                                                std::to_string(column_count_),
                                                std::to_string(width)}));
      }
      std::string_view text(cell, static_cast<std::size_t>(n));
      Cell read = read_cell(text);
      switch (read.kind) {
        case CellKind::kEmpty:
          break;
        case CellKind::kValue:
          grid_.at(loading, direction, c) = read.value;
          break;
        case CellKind::kDecimalComma:
          lira::refuse_decimal_comma("loadfrag.txt", read.number,
                                     std::string("the ") + kDirectionNames[direction - 1] +
                                         " row of loading " + std::to_string(loading) +
                                         ", column " + std::to_string(c + 1) + " (node " +
                                         std::to_string(nodes_[c]) + ")");
        case CellKind::kHexadecimal:
        case CellKind::kSpilled:
        case CellKind::kDropped:
          lira::fail(cell_message(read.kind,
                                  CellPlace{block_, loading, direction, c, nodes_[c],
                                            first_line_numbers_},
                                  text));
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
  BlockSink& sink_;
  BlockNodes nodes_{};
  ValueGrid grid_;
  int first_line_numbers_ = 0;
  int column_count_ = 0;
  int block_ = 0;
};

// vantrel's own sink: the records of each block into doc6 and doc7.
struct RecordSink : BlockSink {
  RecordSink(lira::Writer& d6, lira::Writer& d7, std::int64_t first_value_line)
      : doc6(d6), doc7(d7), next_value_line(first_value_line) {}
  void block(const BlockNodes& nodes, const ValueGrid& grid) override {
    emit_block(nodes, grid, doc6, doc7, next_value_line);
  }
  lira::Writer& doc6;
  lira::Writer& doc7;
  std::int64_t next_value_line;
};

}  // namespace

void read_fragment_table(lira::TextReader& table, BlockSink& sink, lira::Writer& trace) {
  Reader reader(table, sink, trace);
  reader.read();
}

std::int64_t read_fragment_table(lira::TextReader& table, lira::Writer& doc6, lira::Writer& doc7,
                                 lira::Writer& trace, std::int64_t first_value_line) {
  RecordSink sink(doc6, doc7, first_value_line);
  read_fragment_table(table, sink, trace);
  return sink.next_value_line;
}

}  // namespace vantrel
