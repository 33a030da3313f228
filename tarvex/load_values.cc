#include "load_values.h"

#include <cmath>
#include <cstring>
#include <string>

#include "common/record_file.h"
#include "common/stop.h"
#include "document_header.h"

namespace tarvex {

void encode_load(const LoadRecord& r, unsigned char* record) {
  lira::put_i32(record, r.line);
  for (int i = 0; i < 4; ++i) lira::put_f32(record + 4 + 4 * i, r.value[i]);
}

LoadRecord decode_load(const unsigned char* record) {
  LoadRecord r;
  r.line = lira::get_i32(record);
  for (int i = 0; i < 4; ++i) r.value[i] = lira::get_f32(record + 4 + 4 * i);
  return r;
}

namespace {

void read_echoed(Run& run, lira::Token& token) {
  // The end of the file gives an empty token, which the checks of document 7
  // refuse as a line number or as a fifth value.
  lira::read_token(run.model, token);
  lira::echo_token(run.console, token);
}

// Document 7: one load record per line, the lines numbered 1, 2, 3, ...
void read_values(Run& run) {
  lira::Writer& con = *run.console.out;
  if (!run.loads.create("loades.tmp", kLoadRecordSize)) {
    lira::fail("\nFile loades.tmp can't be opened.");
  }
  reopen_model(run);
  std::string header;
  if (find_one_of(run.model, {"( 7/"}, header) < 0) {
    lira::fail("\nIncorrect modellir.txt: no load values.");
  }
  con << header << "\n";
  lira::check_header_rest(run.model, "( 7/", std::string_view(header).substr(4));
  run.record_kind = "line";

  lira::Token token;
  read_echoed(run, token);
  std::int64_t expected = 1;
  while (token.first() != ')') {
    lira::IntValue number = lira::to_int(token);
    if (number.value != expected || lira::ends_with_slash(number.end)) {
      lira::fail("\nIncorrect modellir.txt: illegal line number in doc. 7.");
    }
    run.record_number = expected;
    LoadRecord record;
    record.line = number.value;
    int count = 0;
    read_echoed(run, token);
    while (token.first() != '/') {
      if (count == 4) lira::fail("\nIncorrect modellir.txt: too many values in doc. 7.");
      lira::RealValue value = real_value(run, token);
      float scaled = static_cast<float>(static_cast<float>(value.value) * 10000.0);
      // An infinite value would reach the script or pass the weight check.
      if (!std::isfinite(scaled)) {
        lira::fail("\nIncorrect modellir.txt: value " + std::string(token.view()) + " of line " +
                   std::to_string(expected) + " in doc. 7 is out of range.");
      }
      record.value[count++] = scaled;
      // A slash glued to the last value ends the line: the next token is the
      // next line's number, not a value of this one.
      if (lira::ends_with_slash(value.end)) break;
      read_echoed(run, token);
    }
    con << "\n";
    unsigned char bytes[kLoadRecordSize];
    encode_load(record, bytes);
    if (!run.loads.append(bytes)) lira::fail("\nFile loades.tmp can't be written.");
    ++expected;
    read_echoed(run, token);
  }
  con << "\n";
  if (!run.loads.close()) lira::fail("\nFile loades.tmp can't be written to the end.");
}

// Documents 12 and 16, searched on from the end of document 7.
void read_load_cases(Run& run) {
  lira::Writer& con = *run.console.out;
  std::string header;
  int found = find_one_of(run.model, {"( 16/", "( 12/"}, header);
  if (found == 1) lira::fail("\nmodellir.txt includes doc. 12 - analysis failed.");
  if (found < 0) lira::fail("\nIncorrect modellir.txt: no doc. 16.");
  con << header << "\n";
  lira::check_header_rest(run.model, "( 16/", std::string_view(header).substr(5));

  lira::Token token;
  while (run.load_case_count < kLoadCaseMax) {
    lira::next_token(run.model, token);
    lira::echo_token(run.console, token);
    if (token.first() == ')') break;
    lira::IntValue number = lira::to_int(token);
    run.load_cases[run.load_case_count++] = number.value;
    // A slash glued to the number ends the record; a skip would swallow the
    // next record, and its load case with it.
    if (!lira::ends_with_slash(number.end)) {
      lira::skip_record(run.model);
      // The skipped characters pass through the first byte of the token
      // buffer; the last of them is the slash.
      token.text[0] = '/';
    }
  }
  con << std::string_view(token.text, std::strlen(token.text)) << "\n";
  run.model.close();
}

}  // namespace

void read_load_values(Run& run) {
  run.load_cases.fill(0);
  run.load_case_count = 0;
  read_values(run);
  read_load_cases(run);
}

}  // namespace tarvex
