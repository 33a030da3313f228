#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/text_model.h"
#include "vantrel/fragment_format.h"
#include "check_header_line.h"
#include "check_model.h"
#include "check_vantrel.h"
#include "exit_code.h"
#include "findings.h"
#include "fragment_loads.h"
#include "program_messages.h"
#include "raw_lines.h"

namespace modelcheck {
namespace {

std::string str(long long v) { return std::to_string(v); }

Finding finding(Kind kind, long line, std::string what, std::string effect, std::string mend,
                bool mended = false) {
  return make_finding("vantrel", kind, line, std::move(what), std::move(effect), std::move(mend),
                      mended);
}

bool blank_line(std::string_view t) { return t.find_first_not_of(" \t") == std::string_view::npos; }

std::vector<std::string_view> tokens_of(std::string_view t) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < t.size()) {
    while (i < t.size() && is_blank(t[i])) ++i;
    std::size_t start = i;
    while (i < t.size() && !is_blank(t[i])) ++i;
    if (i > start) out.push_back(t.substr(start, i - start));
  }
  return out;
}

/// vantrel's model.txt: the documents 6 and 7 as its merge needs them, read
/// line by line; the mended copy is written as the lines go.
class VantrelModelChecker {
 public:
  VantrelModelChecker(Report& report, std::ostream* fixed) : report_(report), fixed_(fixed) {}
  void line(const RawLine& l);
  void header_line(const RawLine& l, HeaderLine h);
  void finish();
  /// The last value line number of document 7, 0 before any.
  std::int64_t last_value_line() const { return previous_; }

 private:
  enum State { kBefore6, kIn6, kBetween, kIn7, kAfter7 };
  void write(std::string_view text, LineEnd end);
  void add(Kind kind, long line, std::string what, std::string effect, std::string mend,
           bool mendable = false) {
    report_.add(finding(kind, line, std::move(what), std::move(effect), std::move(mend),
                        mendable && fixed_ != nullptr));
  }
  void records_end(const RawLine& l, int document);
  void end_line(const RawLine& l);
  void record_line(const RawLine& l);
  void document_line(const RawLine& l);
  void value_line(const RawLine& l);

  Report& report_;
  std::ostream* fixed_;
  State state_ = kBefore6;
  LineEnd good_end_ = LineEnd::kNone;
  long bad_ends_ = 0, first_bad_end_ = 0;
  // Blank lines held back until it is known whether they close the records.
  long pending_blank_ = 0, first_blank_ = 0;
  bool pending_spaces_ = false;
  LineEnd pending_end_ = LineEnd::kLf;
  bool records_ = false;
  long header6_ = 0, header7_ = 0;
  std::int64_t previous_ = 0;
};

void VantrelModelChecker::write(std::string_view text, LineEnd end) {
  if (fixed_ == nullptr) return;
  write_line(*fixed_, text, end, good_end_);
}

// The end line of document 6 or 7 has come: one empty line must stand
// right before it, and none among the records.
void VantrelModelChecker::records_end(const RawLine& l, int document) {
  long line = l.number;
  bool mend = true;
  if (pending_blank_ == 0) pending_end_ = l.end == LineEnd::kNone ? LineEnd::kLf : l.end;
  if (pending_blank_ == 0) {
    add(Kind::kClosingEmptyLine, line,
        "no empty line closes the records of document " + str(document),
        "vantrel stops with " + quoted(document == 6 ? msg::kNoEnd6 : msg::kNoEmptyLine7),
        "put one empty line right after the last record of document " + str(document), true);
  } else if (pending_spaces_) {
    // A line of blanks is no empty line: vantrel copies it as a record of
    // document 6, and reads it as a value line numbered 0 in document 7.
    add(Kind::kClosingEmptyLine, first_blank_,
        "the line that closes the records of document " + str(document) +
            " holds blanks, so it is not empty",
        "vantrel stops with " + quoted(document == 6 ? msg::kNoEnd6 : msg::kBadLoads),
        "leave exactly one empty line, without blanks, after the last record", true);
  } else if (pending_blank_ > 1 && document == 6) {
    add(Kind::kClosingEmptyLine, first_blank_,
        str(pending_blank_) +
            " empty lines close the records of document 6, where vantrel needs one",
        "vantrel stops with " + quoted(msg::kEmptyBetween),
        "leave exactly one empty line after the last record", true);
  } else {
    mend = false;
  }
  // Empty lines that are right stay as they are.
  for (long i = 0; i < (mend ? 1 : pending_blank_); ++i) write("", pending_end_);
  pending_blank_ = 0;
  pending_spaces_ = false;
}

// The end line of document 6 or 7 (its first character other than a blank
// is ")").
void VantrelModelChecker::end_line(const RawLine& l) {
  std::string_view t = l.text;
  std::size_t first = t.find_first_not_of(" \t");
  int document = state_ == kIn6 ? 6 : 7;
  records_end(l, document);
  if (document == 7 && t.substr(0, 2) != " )") {
    add(Kind::kEndLine, l.number, "the end line of document 7 is \"" + std::string(t) + "\"",
        "vantrel needs \" )\" at the start of the line: it " + std::string("stops with ") +
            quoted(msg::kBadLoads),
        "write \" )\"", true);
    write(" " + std::string(t.substr(first)), l.end);
  } else {
    write(t, l.end);
  }
  state_ = state_ == kIn6 ? kBetween : kAfter7;
}

void VantrelModelChecker::value_line(const RawLine& l) {
  std::string_view t = l.text;
  // Records on the line, each ended by its '/'.
  std::vector<std::string> records;
  std::string current;
  for (std::string_view k : tokens_of(t)) {
    if (!current.empty()) current += ' ';
    current.append(k.data(), k.size());
    if (k.back() == '/') {
      records.push_back(current);
      current.clear();
    }
  }
  if (!current.empty()) records.push_back(current);
  if (records.size() > 1) {
    add(Kind::kRecordsPerLine, l.number,
        str(static_cast<long long>(records.size())) + " records of document 7 share a line",
        stop_message(msg::kTwoRecords,
                     {str(l.number), str(lira::to_int(records[0].c_str()).value)}),
        "write one record a line", true);
  }
  for (const std::string& r : records) {
    std::int32_t number = lira::to_int(r.c_str()).value;
    if (number <= 0 || number <= previous_) {
      add(Kind::kValueLines, l.number,
          "value line " + str(number) + " of document 7 does not follow line " + str(previous_),
          "vantrel stops with " + quoted(msg::kBadLoads),
          "number the lines of document 7 upwards from 1");
    }
    if (number > previous_) previous_ = number;
  }
  if (records.size() > 1) {
    for (const std::string& r : records) write(r, l.end == LineEnd::kNone ? LineEnd::kLf : l.end);
  } else {
    write(t, l.end);
  }
}

void VantrelModelChecker::line(const RawLine& l) {
  if (l.cut > 0) report_.mark_cut();
  if (good_end_ == LineEnd::kNone && (l.end == LineEnd::kLf || l.end == LineEnd::kCrLf)) {
    good_end_ = l.end;
  }
  if ((l.end == LineEnd::kLfCr || l.end == LineEnd::kCr) && bad_ends_++ == 0) {
    first_bad_end_ = l.number;
  }
  if (l.text.size() > static_cast<std::size_t>(lira::kTokenMax)) {
    add(Kind::kLongLine, l.number,
        "the line has " + str(static_cast<long long>(l.text.size())) + " characters",
        "vantrel " + stop_message(msg::kFileLongLine, {"model.txt", str(l.number)}),
        "break the line: at most 149 characters");
  }
  std::string_view t = l.text;
  if (state_ == kBetween && t.empty()) {
    // vantrel copies the lines after the records of document 6 up to the
    // next empty line, which must close the records of document 7.
    add(Kind::kClosingEmptyLine, l.number,
        "an empty line stands between the end of document 6 and the header of document 7",
        "vantrel stops with " + quoted(msg::kEmptyBetween), "delete the empty line", true);
    return;
  }
  bool inside = state_ == kIn6 || state_ == kIn7;
  if (inside && blank_line(t)) {
    if (pending_blank_++ == 0) {
      first_blank_ = l.number;
      pending_end_ = l.end;
    }
    if (!t.empty()) pending_spaces_ = true;
    return;
  }
  HeaderLine h = find_header(t);
  if (h.found && (h.document == 6 || h.document == 7) &&
      ((h.document == 6 && header6_ == 0) || (h.document == 7 && header7_ == 0))) {
    header_line(l, h);
    return;
  }
  if (inside) {
    document_line(l);
    return;
  }
  write(t, l.end);
}

// The header of document 6 or 7, where it stands and what stands with it
// on its line.
void VantrelModelChecker::header_line(const RawLine& l, HeaderLine h) {
  std::string_view t = l.text;
  std::string proper = header_text(h.document);
  // What stands before the header (the ")" of the document before) keeps
  // a line of its own.
  std::string_view pre = t.substr(0, h.start);
  bool before = pre.find_first_not_of(" \t\xEF\xBB\xBF") != std::string_view::npos;
  if (h.document == 7 && state_ == kIn6) {
    // Document 6 ends here: on this line (" )( 7/", "2 0 3 2 1 / )( 7/"),
    // or nowhere.
    if (before) {
      RawLine part = l;
      part.text = pre;
      if (part.end == LineEnd::kNone) part.end = LineEnd::kLf;
      document_line(part);
      before = false;
    }
    if (state_ == kIn6) records_end(l, 6);
    state_ = kBetween;
  }
  if (!h.exact) {
    std::string written(t.substr(h.start, h.end - h.start));
    add(written == proper ? Kind::kHeaderPosition : Kind::kHeaderSpelling, l.number,
        "\"" + written + "\" is not the header \"" + proper + "\" at the start of a line",
        "vantrel stops with " + quoted(h.document == 6 ? msg::kNoDocument6 : msg::kNoLoads),
        "write \"" + proper + "\" at the start of the line", true);
    if (before) write(pre, l.end == LineEnd::kNone ? LineEnd::kLf : l.end);
  }
  if (h.document == 6) {
    header6_ = l.number;
    state_ = kIn6;
  } else {
    header7_ = l.number;
    if (header6_ == 0) {
      add(Kind::kDocumentOrder, l.number, "document 7 stands before document 6",
          "vantrel stops with " + quoted(msg::kNoEnd7), "move document 7 after document 6");
    }
    state_ = kIn7;
  }
  pending_blank_ = 0;
  previous_ = 0;
  records_ = false;
  std::string_view rest = t.substr(h.end);
  if (h.document == 7 && lira::holds_record(rest)) {
    std::size_t lead = rest.find_first_not_of(" \t");
    std::size_t last = rest.find_last_not_of(" \t");
    add(Kind::kRecordOnHeaderLine, l.number,
        "a record follows the header of document 7 on its line",
        stop_message(msg::kFileHeaderRecord,
                     {"model.txt", "7", std::string(rest.substr(lead, last + 1 - lead))}),
        "move the record to a line of its own", true);
    write(proper, l.end == LineEnd::kNone ? LineEnd::kLf : l.end);
    RawLine record = l;
    std::string moved(rest.substr(lead));
    record.text = moved;
    value_line(record);
    records_ = true;
    return;
  }
  write(h.exact ? std::string(t) : proper + std::string(rest), l.end);
}

// A line of document 6 or 7 that is neither empty nor a header: records, or
// the document's end line, or both.
void VantrelModelChecker::document_line(const RawLine& l) {
  std::string_view t = l.text;
  std::size_t first = t.find_first_not_of(" \t");
  if (first != std::string_view::npos && t[first] == ')') {
    end_line(l);
    return;
  }
  // A record with the end of the document after its "/" on the same line:
  // the record, then the end line, each on a line of its own.
  std::size_t slash = t.rfind('/');
  std::size_t after =
      slash == std::string_view::npos ? slash : t.find_first_not_of(" \t", slash + 1);
  if (after != std::string_view::npos && t[after] == ')') {
    RawLine record = l, end = l;
    record.text = t.substr(0, slash + 1);
    if (record.end == LineEnd::kNone) record.end = LineEnd::kLf;
    if (state_ == kIn7) {
      add(Kind::kRecordsPerLine, l.number,
          "the end of document 7 follows a record on its line",
          stop_message(msg::kTwoRecords,
                       {str(l.number), str(lira::to_int(std::string(record.text).c_str()).value)}),
          "write the end line \" )\" on a line of its own", true);
    }
    record_line(record);
    std::string rest = " " + std::string(t.substr(after));
    end.text = rest;
    end_line(end);
    return;
  }
  record_line(l);
}


// A line of records of document 6 or 7.
void VantrelModelChecker::record_line(const RawLine& l) {
  if (pending_blank_ > 0) {
    add(Kind::kClosingEmptyLine, first_blank_,
        "an empty line stands among the records of document " + str(state_ == kIn6 ? 6 : 7),
        state_ == kIn6 ? "vantrel stops with " + quoted(msg::kEmptyBetween)
                       : "vantrel stops with " + quoted(msg::kEmptyAmong7),
        "delete the empty lines among the records", true);
    pending_blank_ = 0;
    pending_spaces_ = false;
  }
  records_ = true;
  if (state_ == kIn7) {
    value_line(l);
  } else {
    write(l.text, l.end);
  }
}

void VantrelModelChecker::finish() {
  if (bad_ends_ > 0) {
    add(Kind::kLineEnds, first_bad_end_,
        str(bad_ends_) + " lines end with LF CR or a lone CR, from this line on",
        "vantrel reads text mode, where only LF and CR LF end a line",
        "end every line with CR LF or LF", true);
  }
  if (header6_ == 0) {
    add(Kind::kMissingDocument, 0, "there is no document 6",
        "vantrel stops with " + quoted(msg::kNoDocument6),
        "add document 6: its header, one empty line and \" )\"");
  }
  if (header7_ == 0) {
    add(Kind::kMissingDocument, 0, "there is no document 7",
        "vantrel stops with " + quoted(msg::kNoLoads),
        "add document 7: its header, one empty line and \" )\"");
  }
  if (state_ == kIn6 || state_ == kIn7) {
    add(Kind::kEndLine, 0, "document " + str(state_ == kIn6 ? 6 : 7) + " has no end line",
        "vantrel stops with " + quoted(state_ == kIn6 ? msg::kNoEnd6 : msg::kNoEnd7),
        "end it with an empty line and \" )\"");
    for (long i = 0; i < pending_blank_; ++i) write("", pending_end_);
  }
}

/// The fragment table, line by line, as vantrel's reader walks it.
class TableChecker {
 public:
  explicit TableChecker(Report& report) : report_(report) {}
  void line(const RawLine& l);
  void finish();

 private:
  enum State { kCap, kAfterRule, kNodeLine, kBlock, kAfterBlock, kDone };
  void add(Kind kind, long line, std::string what, std::string effect, std::string mend) {
    report_.add(finding(kind, line, std::move(what), std::move(effect), std::move(mend)));
  }
  void node_line(const RawLine& l, const std::vector<std::string_view>& t, std::size_t from);
  void loading(const RawLine& l, const std::vector<std::string_view>& t, std::size_t at);
  void type_row(const RawLine& l, std::string_view keyword);
  void check_cells(const RawLine& l, int direction, std::size_t start, int cells);

  Report& report_;
  State state_ = kCap;
  int first_line_numbers_ = 0;       // of the first node line
  int columns_ = 0;                  // the column count it sets
  int block_ = 0;                    // counted as vantrel counts them
  int block_nodes_ = 0;              // of the block's node line
  std::vector<std::int32_t> nodes_;  // its numbers
  int loading_ = 0;
};

using vantrel::is_rule;
bool starts_digit(std::string_view t) { return vantrel::starts_with_digit(t); }

void TableChecker::node_line(const RawLine& l, const std::vector<std::string_view>& t,
                             std::size_t from) {
  int count = 0;
  nodes_.clear();
  for (std::size_t i = from; i < t.size(); ++i) {
    if (t[i][0] == '|') continue;
    ++count;
    nodes_.push_back(lira::to_int(std::string(t[i]).c_str()).value);
  }
  ++block_;
  if (columns_ == 0) {
    first_line_numbers_ = count;
    columns_ = vantrel::column_count_of(count);
    if (count > 9) {
      add(Kind::kTableColumns, l.number,
          "the first line of node numbers holds " + str(count) +
              " numbers, where vantrel takes 9 at most",
          "vantrel " + stop_message(msg::kColumns, {str(count)}),
          "split the nodes into groups of at most 9");
    }
  } else if (count > columns_) {
    add(Kind::kTableColumns, l.number,
        "a line of node numbers holds " + str(count) + " numbers, more than the " + str(columns_) +
            " columns of the first one",
        "the values of the nodes past column " + str(columns_) +
            " are lost (vantrel stops at more than 9)",
        "keep every group of nodes within the columns of the first");
  }
  block_nodes_ = count;
  state_ = kNodeLine;
}

void TableChecker::loading(const RawLine& l, const std::vector<std::string_view>& t, std::size_t at) {
  std::int32_t number = lira::to_int(std::string(t[at]).c_str()).value;
  loading_ = number;
  if (number < 1 || number > 12) {
    add(Kind::kTableLoading, l.number, "loading number " + str(number) + " is outside 1 to 12",
        "vantrel stops with " + quoted(std::string("\nTable loadfrag.txt:\nloading No ") +
                                       str(number) + " is outside 1 to 12."),
        "number the loadings 1 to 12");
  }
  if (at + 1 >= t.size() || t[at + 1][0] != '-') {
    add(Kind::kTableLoading, l.number, "loading " + str(number) + " is not followed by \"-\"",
        "vantrel stops with " + quoted(msg::kLoadingFormat), "write the loading as \"1 - static\"");
    return;
  }
  std::string_view text = l.text;
  std::size_t after = static_cast<std::size_t>(t[at + 1].data() - text.data()) + t[at + 1].size();
  std::string_view mark = text.substr(after, 3);
  if (mark.size() == 3 && mark[2] >= '0' && mark[2] <= '9') {
    add(Kind::kTableLoading, l.number,
        "loading " + str(number) + " is marked dynamic (\"" + std::string(text.substr(after)) +
            "\")",
        "vantrel stops with " + quoted(msg::kDynamic),
        "give vantrel static loadings only (\"1 - static\")");
  }
}

void TableChecker::type_row(const RawLine& l, std::string_view keyword) {
  int direction = vantrel::direction_of(keyword);
  if (direction == 0) {
    add(Kind::kTableKeyword, l.number,
        "\"" + std::string(keyword) + "\" is none of RX, RY, RZ, RUX, RUY, RUZ",
        "vantrel stops with " + quoted(msg::kLoadType),
        "write the load type in capitals: RX ... RUZ");
    return;
  }
  std::string key = vantrel::kDirectionNames[direction - 1];
  if (keyword.size() != key.size()) {
    add(Kind::kTableKeyword, l.number, "the load type is written \"" + std::string(keyword) + "\"",
        "vantrel takes it for " + key + " and reads the row's cells " +
            str(static_cast<long long>(keyword.size() - key.size())) + " characters late",
        "write " + key + " alone");
    return;
  }
  // More than 9 columns: the first node line's finding says what vantrel does.
  const std::size_t width = static_cast<std::size_t>(vantrel::cell_width(columns_));
  if (width == 0) return;
  std::string_view text = l.text;
  std::size_t start = static_cast<std::size_t>(keyword.data() - text.data()) + keyword.size() +
                      static_cast<std::size_t>(vantrel::passed_over_after(direction));
  int end_cell = -1;
  for (int c = 0; c <= columns_; ++c) {
    std::size_t p = start + static_cast<std::size_t>(c) * width;
    if (p + 1 < text.size() && text[p + 1] == '|') {
      end_cell = c;
      break;
    }
  }
  // vantrel reads the cells before it finds that the row has no end mark.
  check_cells(l, direction, start, end_cell < 0 ? columns_ : end_cell);
  if (end_cell < 0) {
    add(Kind::kTableRowEnd, l.number,
        "the row " + key + " of loading " + str(loading_) + " has no \"|\" where a cell of " +
            str(static_cast<long long>(width)) + " characters ends",
        stop_message(msg::kRowEnd,
                     {key, str(loading_), str(columns_), str(static_cast<long long>(width))}),
        "align the row's closing \"|\" with the cells of the node line");
  }
}

// The value cells of a type row, read by vantrel's cell rules.
void TableChecker::check_cells(const RawLine& l, int direction, std::size_t start, int cells) {
  std::string_view text = l.text;
  const std::size_t width = static_cast<std::size_t>(vantrel::cell_width(columns_));
  std::string key = vantrel::kDirectionNames[direction - 1];
  for (int c = 0; c < cells; ++c) {
    std::size_t p = start + static_cast<std::size_t>(c) * width;
    std::string_view cell = p < text.size() ? text.substr(p, width) : std::string_view();
    vantrel::Cell read = vantrel::read_cell(cell);
    std::int32_t node = c < static_cast<int>(nodes_.size()) ? nodes_[c] : 0;
    std::string where = "the " + key + " cell " + str(c + 1) + " of loading " + str(loading_);
    std::string shown = "\"" + std::string(cell) + "\"";
    switch (read.kind) {
      case vantrel::CellKind::kEmpty:
        break;
      case vantrel::CellKind::kValue:
        if (c >= block_nodes_ && read.value != 0) {
          add(Kind::kTableCell, l.number, where + " has no node number above it",
              "vantrel writes nothing for it: the value is lost",
              "add the node to the node line, or delete the value");
        }
        break;
      case vantrel::CellKind::kDecimalComma: {
        std::string number(read.number.substr(0, read.number.find_first_of(" \t|")));
        std::string mended = number;
        mended[mended.find(',')] = '.';
        add(Kind::kDecimalComma, l.number,
            where + " holds \"" + number + "\", written with a decimal comma",
            stop_message(msg::kFileComma,
                         {"loadfrag.txt", number,
                          "the " + key + " row of loading " + str(loading_) + ", column " +
                              str(c + 1) + " (node " + str(node) + ")",
                          mended}),
            "write the value with a point");
        break;
      }
      case vantrel::CellKind::kHexadecimal:
      case vantrel::CellKind::kSpilled:
      case vantrel::CellKind::kDropped: {
        std::string stop = vantrel::cell_message(
            read.kind, vantrel::CellPlace{block_, loading_, direction, c, node, first_line_numbers_},
            cell);
        const char* what = read.kind == vantrel::CellKind::kHexadecimal
                               ? " holds a hexadecimal number"
                           : read.kind == vantrel::CellKind::kSpilled
                               ? " holds part of a number that does not stand whole in it"
                               : " holds a value with a blank as its fourth character";
        const char* mend = read.kind == vantrel::CellKind::kHexadecimal
                               ? "write the value in decimal"
                           : read.kind == vantrel::CellKind::kSpilled
                               ? "draw the cells as wide as the node line makes them, one value "
                                 "in each"
                               : "move the value left, into the cell's fourth character";
        add(Kind::kTableCell, l.number, where + " " + shown + what,
            "vantrel stops with " + quoted(stop), mend);
        break;
      }
    }
  }
}

void TableChecker::line(const RawLine& l) {
  if (state_ == kDone) return;
  std::vector<std::string_view> t = tokens_of(l.text);
  if (t.empty()) return;
  bool rule = is_rule(t[0]);
  std::size_t lead = t[0][0] == '|' && t[0].size() == 1 ? 1 : 0;
  switch (state_) {
    case kCap:
      if (rule) state_ = kAfterRule;
      return;
    case kAfterRule:
      if (rule) return;
      if (lead < t.size() && starts_digit(t[lead])) {
        node_line(l, t, lead);
        if (lira::to_int(std::string(t[lead]).c_str()).value == 0) {
          add(Kind::kTableStart, l.number, "the first node number is 0",
              "vantrel stops with " + quoted(msg::kFirstNodes),
              "give the node numbers of the model");
        }
      } else {
        state_ = kCap;
      }
      return;
    case kNodeLine:
      if (rule) state_ = kBlock;
      return;
    case kBlock:
      if (rule) {
        state_ = kAfterBlock;
        return;
      }
      if (lead >= t.size()) return;
      if (starts_digit(t[lead]))
        loading(l, t, lead);
      else
        type_row(l, t[lead]);
      return;
    case kAfterBlock:
      if (lead < t.size() && starts_digit(t[lead])) {
        if (lead + 1 < t.size() && t[lead + 1][0] == '-') {
          add(Kind::kTableRule, l.number,
              "loading " + std::string(t[lead]) + " follows a rule, inside its group of nodes",
              "a rule ends the group: vantrel reads this line as a line of node numbers, and the "
              "loads that follow go to the wrong nodes or stop the run",
              "delete the rule between the loadings of one group of nodes");
          state_ = kBlock;
          ++block_;
          loading(l, t, lead);
          return;
        }
        node_line(l, t, lead);
        return;
      }
      state_ = kDone;
      return;
    case kDone:
      return;
  }
}

void TableChecker::finish() {
  if (columns_ == 0) {
    add(Kind::kTableStart, 0, "no line of node numbers follows a rule",
        "vantrel stops with " + quoted(msg::kCap),
        "draw the table: a rule, the node numbers, a rule, the loadings");
  }
}

int finish_report(Report& report, std::ostream& out, const std::string& name, bool clean_text) {
  report.print(out);
  if (report.count() == 0 && clean_text)
    out << name << ": no findings.\n";
  else if (report.count() > 0)
    out << name << ": " << report.count() << " finding" << (report.count() > 1 ? "s" : "") << ".\n";
  return report.count() == 0 ? kClean : kFindings;
}

// True when a finding of `report` quotes `stop`.
bool quotes(const Report& report, const std::string& stop) {
  std::string q = quoted(stop);
  for (const Finding& f : report.kept()) {
    if (f.effect.find(q) != std::string::npos) return true;
  }
  return false;
}

template <typename OpenModel, typename OpenTable, typename ReadTable>
int check_both(OpenModel open_model, OpenTable open_table, ReadTable read_table, bool table,
               const std::string& model_name, const std::string& table_name, std::ostream& out,
               std::ostream* fixed, const std::string& fixed_name) {
  Report model(model_name);
  std::int64_t last_value_line = 0;
  {
    VantrelModelChecker checker(model, fixed);
    RawLineReader in = open_model();
    RawLine l;
    while (in.next(l)) checker.line(l);
    checker.finish();
    last_value_line = checker.last_value_line();
  }
  Report fragment(table_name);
  if (table) {
    TableChecker checker(fragment);
    RawLineReader in = open_table();
    RawLine l;
    while (in.next(l)) checker.line(l);
    checker.finish();
    // Whatever the lines show, vantrel's own reader has the last word.
    lira::TextReader reader = read_table();
    std::string stop = table_stop(reader, last_value_line + 1);
    if (!stop.empty() && !quotes(fragment, stop)) {
      fragment.add(finding(Kind::kTableStop, 0, "vantrel's table reader stops on the table",
                           "vantrel stops with " + quoted(stop),
                           "mend the table as the message says"));
    }
  }
  int a = finish_report(model, out, model_name, true);
  int b = table ? finish_report(fragment, out, table_name, true) : kClean;
  if (fixed != nullptr && model.cut()) {
    out << "modelcheck: " << model_name << " has a line too long to mend; no " << fixed_name
        << " written.\n";
    return kUsage;
  }
  if (fixed != nullptr) {
    out << fixed_name << " written";
    if (model.count() > model.mended())
      out << "; " << model.count() - model.mended() << " left to mend by hand";
    out << ".\n";
    return model.count() > model.mended() || b != kClean ? kFindings : kClean;
  }
  return a != kClean || b != kClean ? kFindings : kClean;
}

}  // namespace

int check_vantrel_text(std::string_view model, std::string_view table, const Options& options,
                       std::ostream& out, std::string* fixed) {
  (void)options;
  std::ostringstream copy;
  int code = check_both([&] { return RawLineReader::from_text(model); },
                        [&] { return RawLineReader::from_text(table); },
                        [&] { return lira::TextReader::from_text("loadfrag.txt", table); }, true,
                        "model.txt", "loadfrag.txt", out,
                        fixed ? static_cast<std::ostream*>(&copy) : nullptr, "model.fixed.txt");
  if (fixed != nullptr) *fixed = copy.str();
  return code;
}

int check_vantrel(const Options& options, std::ostream& out) {
  std::string model = options.file(0, "model.txt");
  std::string table = options.file(1, "loadfrag.txt");
  if (!readable(model, out) || !readable(table, out)) return kUsage;
  bool fixing = options.mode == Mode::kFixVantrel;
  std::string fixed_name = fixed_name_of(model);
  std::ofstream file;
  if (!open_mended_copy(fixing, fixed_name, file, out)) return kUsage;
  auto read_table = [&] {
    lira::TextReader in(table);
    in.open();
    return in;
  };
  int code = check_both([&] { return RawLineReader(model); }, [&] { return RawLineReader(table); },
                        read_table, true, model, table, out,
                        fixing ? static_cast<std::ostream*>(&file) : nullptr, fixed_name);
  if (fixing && !file.flush()) {
    out << "modelcheck: " << fixed_name << " cannot be written.\n";
    return kUsage;
  }
  if (fixing && code == kUsage) {
    file.close();
    std::remove(fixed_name.c_str());
  }
  return code;
}

}  // namespace modelcheck
