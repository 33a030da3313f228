#include "model_merge.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/stop.h"

namespace vantrel {
namespace {

/// One line of a model, its line end removed. Lines are limited to 149
/// characters, as the header search and the records of the model are.
struct Line {
  /// The characters: in the reader's buffer while the line lies whole in it
  /// (valid until the next line is read), else in `text`.
  const char* data = text;
  char text[lira::kTokenMax + 1] = {};
  int length = 0;
  bool has_end = false;  // false for a last line without a line end

  Line() = default;
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  bool empty() const { return length == 0; }
  std::string_view view() const { return std::string_view(data, static_cast<std::size_t>(length)); }
  bool starts_with(std::string_view s) const { return view().substr(0, s.size()) == s; }
  /// The line ended by a zero, in `text`.
  const char* c_str() {
    if (data != text) {
      std::memcpy(text, data, static_cast<std::size_t>(length));
      data = text;
    }
    text[length] = '\0';
    return text;
  }
};

/// Reads the lines of one file, counting them for messages.
class Lines {
 public:
  explicit Lines(lira::TextReader& in) : in_(in) {}

  /// The next line; false at the end of the file, when no character is left.
  bool read(Line& line) {
    line.length = 0;
    line.has_end = false;
    std::string_view ahead = in_.buffered();
    if (ahead.empty()) return false;
    ++number_;
    // Nearly every line lies whole in the read-ahead buffer and is used there.
    const char* end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
    if (end != nullptr && end - ahead.data() <= lira::kTokenMax) {
      line.data = ahead.data();
      line.length = static_cast<int>(end - ahead.data());
      line.has_end = true;
      in_.skip(static_cast<std::size_t>(line.length) + 1);
      return true;
    }
    line.data = line.text;
    // The line in spans of the read-ahead buffer, each up to a line end.
    for (;;) {
      const char* end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
      std::size_t n = end != nullptr ? static_cast<std::size_t>(end - ahead.data()) : ahead.size();
      if (n > static_cast<std::size_t>(lira::kTokenMax - line.length)) {
        lira::fail("\nIncorrect " + in_.name() + ": line " + std::to_string(number_) +
                   " is longer than 149 characters.");
      }
      std::memcpy(line.text + line.length, ahead.data(), n);
      line.length += static_cast<int>(n);
      if (end != nullptr) {
        in_.skip(n + 1);
        line.has_end = true;
        break;
      }
      in_.skip(n);
      ahead = in_.buffered();
      if (ahead.empty()) break;
    }
    line.text[line.length] = '\0';
    return true;
  }
  /// The number of the last line read, from 1.
  long long number() const { return number_; }

 private:
  lira::TextReader& in_;
  long long number_ = 0;
};

void copy(const Line& line, lira::Writer& out) {
  out.write(line.data, static_cast<std::size_t>(line.length));
  out << "\r\n";
}

void copy_all(lira::TextReader& in, lira::Writer& out) {
  Lines lines(in);
  Line line;
  while (lines.read(line)) copy(line, out);
}

// The leading integer of a record line, as strtol reads it with base 0,
// clamped to 32 bits.
std::int32_t leading_number(Line& line) { return lira::to_int(line.c_str()).value; }

// True when something other than white space follows the first "/" of a
// record line: a second record, of which only the first number is read.
bool goes_on_after_its_record(const Line& line) {
  std::string_view text = line.view();
  std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return false;
  return text.find_first_not_of(" \t\r\v\f", slash + 1) != std::string_view::npos;
}

const char kModelNoLoads[] = "\nIncorrect <model>.txt: no loads.";
const char kModelBadLoads[] = "\nIncorrect <model>.txt: Bad loads.";
const char kNoEnd6[] = "\nCan't find an end of document 6.";
const char kNoEnd7[] = "\nCan't find an end of document 7.";

}  // namespace

std::int64_t first_free_value_line(lira::TextReader& model, lira::Writer& trace) {
  Lines lines(model);
  Line line;
  for (;;) {
    if (!lines.read(line)) lira::fail(kModelNoLoads);
    if (line.starts_with("( 7/")) break;
  }
  if (!line.has_end) lira::fail(kModelNoLoads);
  lira::check_header_rest(model, "( 7/", line.view().substr(4));

  std::int32_t previous = 0;
  bool after_empty = false;
  for (;;) {
    if (!lines.read(line)) lira::fail(kNoEnd7);
    if (line.empty()) {
      after_empty = true;
      continue;
    }
    if (line.starts_with(" )")) break;
    std::int32_t number = leading_number(line);
    if (number == 0 || number <= previous) lira::fail(kModelBadLoads);
    // New values are inserted at the first empty line: records after it
    // would end up behind the new ones, out of order.
    if (after_empty) {
      lira::fail("\nIncorrect " + model.name() +
                 ": an empty line stands among the records of document 7.");
    }
    // The new values are numbered on from the leading number of the last
    // line, which a further record on a line would pass.
    if (goes_on_after_its_record(line)) {
      lira::fail("\nIncorrect " + model.name() + ": line " + std::to_string(lines.number()) +
                 " holds record " + std::to_string(number) +
                 " of document 7 and more after its \"/\": put each record of document 7 on "
                 "a line of its own.");
    }
    previous = number;
  }
  // Without the empty line the new values would go in wherever the next
  // empty line of the file stands.
  if (!after_empty) {
    lira::fail("\nIncorrect " + model.name() + ": no empty line closes the records of document 7.");
  }

  std::int64_t first = static_cast<std::int64_t>(previous) + 1;
  trace << "\nStarting number of load string  " << static_cast<long long>(first) << "\n";
  return first;
}

void merge_model(lira::TextReader& model, lira::TextReader& doc6, lira::TextReader& doc7,
                 lira::Writer& out) {
  Lines lines(model);
  Line line;
  for (;;) {
    if (!lines.read(line)) lira::fail("\nIncorrect <model>.txt: no document 6.");
    copy(line, out);
    if (line.starts_with("( 6/")) break;
  }
  if (!line.has_end) lira::fail("\nIncorrect <model>.txt: no document 6.");

  // The records of document 6, up to the empty line that closes them. The
  // header of document 7 before it means that line is missing.
  for (;;) {
    if (!lines.read(line)) lira::fail(kNoEnd6);
    if (line.empty()) break;
    if (line.starts_with("( 7/")) lira::fail(kNoEnd6);
    copy(line, out);
  }
  copy_all(doc6, out);
  out << "\r\n";

  // The end line of document 6, the header of document 7 and its records, up
  // to the empty line that closes them.
  bool in_document_7 = false;
  for (;;) {
    if (!lines.read(line)) lira::fail(kNoEnd7);
    if (line.empty()) {
      if (in_document_7) break;
      lira::fail("\nIncorrect " + model.name() +
                 ": an empty line stands between the records of documents 6 and 7.");
    }
    if (line.starts_with("( 7/")) in_document_7 = true;
    else if (in_document_7 && line.starts_with(" )")) lira::fail(kNoEnd7);
    copy(line, out);
  }
  copy_all(doc7, out);
  out << "\r\n";

  while (lines.read(line)) copy(line, out);
}

}  // namespace vantrel
