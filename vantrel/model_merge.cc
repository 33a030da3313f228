#include "model_merge.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/line_reader.h"
#include "common/lira_types.h"
#include "common/message.h"
#include "common/stop.h"
#include "messages.h"

namespace vantrel {
namespace {

using lira::Line;

void copy(const Line& line, lira::Writer& out) {
  out.write(line.data, static_cast<std::size_t>(line.length));
  out << "\r\n";
}

void copy_all(lira::TextReader& in, lira::Writer& out) {
  lira::LineReader lines(in);
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


}  // namespace

std::int64_t first_free_value_line(lira::TextReader& model, lira::Writer& trace) {
  lira::LineReader lines(model);
  Line line;
  for (;;) {
    if (!lines.read(line)) lira::fail(msg::kNoLoads);
    if (line.starts_with(lira::kLoadValuesHeader)) break;
  }
  if (!line.has_end) lira::fail(msg::kNoLoads);
  lira::check_header_line(model, lira::kLoadValuesHeader, line.view());

  std::int32_t previous = 0;
  bool after_empty = false;
  for (;;) {
    if (!lines.read(line)) lira::fail(msg::kNoEnd7);
    if (line.empty()) {
      after_empty = true;
      continue;
    }
    if (line.starts_with(" )")) break;
    std::int32_t number = leading_number(line);
    if (number == 0 || number <= previous) lira::fail(msg::kBadLoads);
    // New values are inserted at the first empty line: records after it
    // would end up behind the new ones, out of order.
    if (after_empty) {
      lira::fail(msg::kEmptyAmong7);
    }
    // The new values are numbered on from the leading number of the last
    // line, which a further record on a line would pass.
    if (goes_on_after_its_record(line)) {
      lira::fail(lira::message(msg::kTwoRecords,
                             {std::to_string(lines.number()), std::to_string(number)}));
    }
    previous = number;
  }
  // Without the empty line the new values would go in wherever the next
  // empty line of the file stands.
  if (!after_empty) {
    lira::fail(msg::kNoEmptyLine7);
  }

  std::int64_t first = static_cast<std::int64_t>(previous) + 1;
  trace << "\nStarting number of load string  " << static_cast<long long>(first) << "\n";
  return first;
}

void merge_model(lira::TextReader& model, lira::TextReader& doc6, lira::TextReader& doc7,
                 lira::Writer& out) {
  lira::LineReader lines(model);
  Line line;
  for (;;) {
    if (!lines.read(line)) lira::fail(msg::kNoDocument6);
    copy(line, out);
    if (line.starts_with(lira::kLoadTableHeader)) break;
  }
  if (!line.has_end) lira::fail(msg::kNoDocument6);

  // The records of document 6, up to the empty line that closes them. The
  // header of document 7 before it means that line is missing.
  for (;;) {
    if (!lines.read(line)) lira::fail(msg::kNoEnd6);
    if (line.empty()) break;
    if (line.starts_with(lira::kLoadValuesHeader)) lira::fail(msg::kNoEnd6);
    copy(line, out);
  }
  copy_all(doc6, out);
  out << "\r\n";

  // The end line of document 6, the header of document 7 and its records, up
  // to the empty line that closes them.
  bool in_document_7 = false;
  for (;;) {
    if (!lines.read(line)) lira::fail(msg::kNoEnd7);
    if (line.empty()) {
      if (in_document_7) break;
      lira::fail(msg::kEmptyBetween);
    }
    if (line.starts_with(lira::kLoadValuesHeader)) in_document_7 = true;
    else if (in_document_7 && line.starts_with(" )")) lira::fail(msg::kNoEnd7);
    copy(line, out);
  }
  copy_all(doc7, out);
  out << "\r\n";

  while (lines.read(line)) copy(line, out);
}

}  // namespace vantrel
