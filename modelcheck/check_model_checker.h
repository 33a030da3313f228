// The check of a tarvex model, in parts that share one checker: the scanner
// (check_scanner.cc), the documents (check_documents.cc), the records
// (check_records.cc) and the task (check_model.cc). The cross references
// (check_cross_references.h) read what the checker found; the mended copy is
// check_mended_copy's. Only these files include it.
#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/conversion_rules.h"
#include "common/lira_types.h"
#include "common/message.h"
#include "common/text_model.h"
#include "answer_facts.h"
#include "check_answers.h"
#include "check_cross_references.h"
#include "check_header_line.h"
#include "check_lira_words.h"
#include "check_mended_copy.h"
#include "check_model.h"
#include "check_tarvex_stop.h"
#include "exit_code.h"
#include "findings.h"
#include "geometry.h"
#include "program_messages.h"
#include "raw_lines.h"

namespace modelcheck::tarvex_check {

using lira::ElementKind;
using lira::StiffnessKind;

constexpr int kDocumentMax = 99;         // header numbers modelcheck keeps apart
constexpr char kModel[] = "modellir.txt";  // the model that tarvex reads
constexpr std::size_t kRecordMax = 256;  // tokens of one record kept
constexpr std::int64_t kNodeFlagMax = 1 << 27;
constexpr std::size_t kTypesKept = 32;      // element types summed up apart
constexpr std::size_t kHeadersKept = 1000;  // header lines kept for the order
constexpr double kMillimetre = 0.001;       // in the model's unit of length, metres
constexpr std::int32_t kSpaceBar = 5;       // LIRA's space frame bar, which tarvex does not convert
constexpr std::int32_t kBarType = 10;       // tarvex's bar: for ANSYS the same BEAM4
constexpr std::size_t kCasesKept = 1000;    // load cases of document 6 kept for document 16
constexpr char kRenumber[] =
    "give it a number of 1 to 49 that the model does not use, in document 3 and in the elements "
    "of document 1 that use it; tarvex keeps 49 stiffnesses, so a model of more must merge "
    "stiffnesses or be split";

// The supports are the engineer's to give; no mend can guess them.
constexpr char kSupports[] =
    " the supports, which only the engineer can give: a record for each supported node, its "
    "number and the directions it holds (1 to 3 displacements, 4 to 6 rotations), then \" /\"";

std::string str(long long v);

// A number written with a decimal comma: digits or none (",5" for 0.5), a
// comma, digits, perhaps an exponent and a glued slash. The comma's place, or
// npos.
std::size_t decimal_comma(std::string_view t);

// Whether `t` is a whole number as the models write them: a sign, digits
// with a point or without, an exponent.
bool is_number(std::string_view t);

std::int32_t int_of(const std::string& t);

// Whether `t` is a whole integer as tarvex converts one: decimal, "0x"
// hexadecimal or "0" octal, every character taken.
bool is_integer(std::string_view t);

double real_of(const std::string& t);

// The word `t` converted as tarvex converts a real number.
lira::RealValue real_token(const std::string& t, lira::Token& token);

// Whether the conversion of the number `t` stops at a glued slash, as
// tarvex converts it.
bool slash_glued(const std::string& t);

// Whether tarvex takes the kind token for a plate's modulus.
bool plate_modulus(const std::string& t);

// The records that follow a header on its line, one line each: a line ends
// after a word that ends with '/', and at the slash of a word that glues a
// record's slash to the number that begins the next record ("/2", "0.2/2").
std::vector<std::string_view> header_rest_lines(std::string_view rest);

// Whether `before` ends with a word that begins with ")" and one blank after
// it: after the ")" of document 3 tarvex passes over one character and looks
// for the header of document 4 from there, as if a line began.
bool one_blank_after_paren(std::string_view before);

int corners_of(std::int32_t type);

std::string section_word(const std::string& t);

// The message tarvex stops with when it does not find document `d`.
const char* missing_message(int d);

// Documents that tarvex reads record by record.
bool read_by_records(int d);

std::string effect_of_missing(int d);

std::string missing_mend(int d);

// What a stiffness kind that tarvex does not know would need in ANSYS:
// tarvex writes a bar's real constants for a rectangle (S0) only.
std::string unknown_kind_mend(const std::string& kind);

struct Tok {
  std::string text;     // as the author meant it: a decimal comma made a point
  std::string written;  // as written, when that differs
  long line = 0;
  long segment = 0;  // the part of a line that the token stands in
  std::size_t pos = 0;
  std::size_t length = 0;
};

struct Usage {
  long count = 0;
  long first_element = 0;
  long line = 0;
  std::int32_t type = 0;
};

struct Header {
  int document;
  long line;
  long seq;  // the headers before it in the file, several on a line counted apart
};

/// A header of a document that tarvex reads, written where tarvex does not
/// see it (misspelled, after blanks, on the last line with no line end). Its
/// finding waits for the end of the reading, which knows whether a header
/// that tarvex sees follows.
struct HiddenHeader {
  int document;
  long line;
  Kind kind;
  std::string what, mend;
  bool alone;    // blanks before it at most: the copy can keep it as written
  long records;  // the records read before it
  long seen = 0;  // the line of a later header of the document that tarvex sees
};

/// A header as it stands on its part of a line.
struct HeaderPlace {
  int document = 0;
  long line = 0;
  LineEnd end = LineEnd::kNone;   // of the line
  std::string_view pre, written, rest;  // before the header, the header, after it
  std::string proper;  // the header as tarvex looks for it
  bool exact = false;      // where tarvex looks for a header, as find_header tells
  bool continued = false;  // the part follows another on the line
  bool bom = false;        // a UTF-8 byte-order mark begins the line
  bool pre_blank = false;  // nothing but blanks (and the mark) before the header
  bool wanted = false;     // a document that tarvex looks for
  bool visible = false;    // where tarvex sees it
};

/// A bar of LIRA's type 5 written as tarvex reads a type 10 bar, which the
/// copy can make one with the edits `to_bar` of its segment.
struct SpaceBar {
  long element, line;
  std::int32_t stiffness;
  long segment;
  std::vector<Edit> to_bar;
};

/// Reads a model once to check the spelling, the documents and the records,
/// keeping what the cross references need (`FirstReading`) and deciding the
/// edits of the mended copy; with --fix a second reading writes the copy,
/// when all that a mend rests on is known, and checks nothing.
class ModelChecker {
 public:
  ModelChecker(const Options& options, Report& report, std::ostream* fixed)
      : options_(options), report_(report), fixed_(fixed) {}

  /// Reads the model; `copying` for the reading that writes the copy.
  void pass(RawLineReader& in, bool copying);
  /// The findings of the whole file and its cross references, after the
  /// first reading.
  void finish_reading();
  const AnswerFacts& facts() const { return facts_; }

 private:
  // Lines and segments.
  void line(const RawLine& l);
  void line_part(std::string_view text, HeaderLine h, LineEnd end, LineEnd inner, bool continued);
  void segment(std::string& text);
  void write_line(std::string_view text, LineEnd end);
  /// Writes the segment just read, as mended, and what goes after it.
  void write_segment(LineEnd end);
  /// Puts a ")" glued to the last slash of a header line's records on a
  /// line of its own, as LIRA lays a document out.
  void close_own_line(LineEnd inner);
  void header_seen(int d, long line, bool wanted, bool visible);
  void hide_header(const HeaderPlace& p, Kind kind, std::string what, std::string mend);
  void header_findings(const HeaderPlace& p);
  void write_header(const HeaderPlace& p, const std::string& before, LineEnd inner);
  /// The hidden header of document `d` on `line`, or null.
  const HiddenHeader* hidden_at(int d, long line) const;
  /// Whether the first header of document `d` is one that tarvex passes
  /// over, so that a header it sees begins the document.
  bool passed_over(int d) const;
  void hidden_header_findings();
  void begin_document(int d);
  void unconverted_document(int d);
  void end_document(bool at_close);
  // Tokens and records.
  void token(std::string_view t, std::size_t pos);
  void long_token_check(std::string_view t);
  void close_paren();
  void comma_mend(Tok& k, std::string_view t, std::size_t pos);
  bool kind_slash_check(const Tok& k);
  void record();
  void record_end_check(const char* what, const char* stop, bool glued);
  void comma_finding(const Tok& k, const char* record, long number);
  void closing_slash(std::string_view t, std::size_t pos);
  void glued_closing_slash(std::string_view t, std::size_t pos);
  void glued_support_slash(std::string_view t, std::size_t pos);
  /// The kind of the stiffness record being read, from its kind token.
  StiffnessKind record_kind() const;
  /// Whether tarvex skips the rest of the record being read to its slash.
  bool skipping_to_slash() const;
  /// Whether tarvex passes over the rest of the record being read to its
  /// slash, character by character: a record of the load-case list after its
  /// case, a load after its five numbers, an element of a type it does not
  /// convert.
  bool passing_over_to_slash() const;
  /// Whether the slash at `slash` of the word `t` ends the record being
  /// read (of documents 1, 4, 6 and 16): tarvex reads the next record from
  /// the character after it.
  bool record_ends_at(std::string_view t, std::size_t slash) const;
  void stiffness_record();
  void stiffness_commas(std::int32_t v, const std::string& kind_token);
  bool sub_record();
  /// The texts of the record being read.
  std::vector<std::string> record_words() const;
  /// Whether the record being read stands whole in the segment being read,
  /// so that the copy can rewrite it; with `commas`, also where a decimal
  /// comma of it is mended.
  bool record_in_segment(bool commas = false) const;
  /// Erases the record being read from the copy, its line with it where
  /// nothing else stands there.
  void erase_record();
  void replace_text(std::size_t from, std::size_t to, const std::string& text);
  bool lira_plate_record(std::int32_t v);
  bool continuation_record(const Tok& first);
  void lira_plate_finding(int s, const std::string& users);
  /// A plate's row with its density after the thickness ("RO 2.5"), which
  /// stops tarvex: the density goes to the answers, the row loses it.
  bool plate_density(long v);
  void stiffness_row_end(long v, StiffnessKind kind);
  void short_row_word(const Tok& k);
  void row_end_finding(StiffnessKind kind, long line, const std::string& what);
  void node_record();
  void element_record();
  ElementFound element_found(std::int32_t type, std::int32_t s) const;
  std::vector<Edit> to_bar_edits() const;
  /// Where the copy can swap the last two corners of the quadrilateral being
  /// read, should it be twisted.
  void corner_swap_site(long element);
  /// Type 5 bars whose stiffness tarvex converts for type 10 become type 10
  /// in the copy; the others stay unconverted.
  void space_bars();
  void weighing_facts();
  // The findings of the whole file, once the reading has met it all.
  void document_findings();
  void stiffness_findings();
  void section_findings();
  std::string unconverted_users(int s) const;
  void unconverted_findings();
  void rounded_findings();
  void case_count_findings();
  void value_record();
  void case_record();
  /// Keeps a load record of document 6, and the load case it uses.
  void load_record();
  /// Writes a missing document 16 into the copy from the load cases of
  /// document 6; false where it cannot.
  bool case_list_written();
  // Findings.
  void add(Kind kind, long line, std::string what, std::string effect, std::string mend,
           bool mendable = false);
  bool fixing() const { return fixed_ != nullptr; }
  StiffnessKind kind_of(std::int32_t s) const { return found_.kind_of(s); }
  std::string undefined_stop(int s, const Usage& u) const;

  const Options& options_;
  Report& report_;
  std::ostream* fixed_;
  bool copying_ = false;  // the reading that writes the copy: nothing is checked

  // Where the reading stands.
  long line_number_ = 0;
  LineEnd good_end_ = LineEnd::kNone;  // the first LF or CR LF of the file
  LineEnd inner_end_ = LineEnd::kNone;  // of the parts of the line being read split off it
  long segment_ = 0;
  std::string segment_text_;
  std::vector<Edit> edits_;  // of the segment being read
  MendedCopy copy_;
  bool keep_segment_ = true;  // the segment just read stays in the copy
  int document_ = -1;  // the document whose records are read, or -1
  int header_ = -1;    // the document whose header ends the one before
  int paren_closed_ = -1;     // the document that the last token, a ")", closed
  // A "/" where tarvex reads a node of an element: node 0 when the record goes
  // on on its line, else the record's end.
  bool node_slash_ = false;
  bool paren_blank_ = false;  // one blank between that ")" and the part of a line after it
  std::vector<Tok> record_;
  std::size_t record_size_ = 0;

  // What the reading gathers.
  FirstReading found_;  // what the cross references read
  std::vector<Header> headers_;
  std::vector<HiddenHeader> hidden_;
  long records_read_ = 0;
  long first_header_[kDocumentMax + 1] = {};
  long first_seq_[kDocumentMax + 1] = {};
  long header_seq_ = 0;
  bool closed_[kDocumentMax + 1] = {};
  long bad_line_ends_ = 0, first_bad_line_end_ = 0;
  LineEnd bad_end_kind_ = LineEnd::kNone;
  Usage usage_[lira::kStiffnessCount];
  std::map<std::int32_t, Usage> unconverted_;
  long solid_of_ = -1, plastic_of_ = -1;  // the stiffness whose sub-records follow
  long last_stiffness_ = 0;  // the stiffness whose rows a continuation row goes on
  AnswerFacts facts_;
  /// A plate's or a link's row that ended before its values: tarvex reads
  /// them, and the word that must end the row, from the words after it.
  struct ShortRow {
    int left = 0;           // values still to read
    bool end_next = false;  // the next word must end the row
    long stiffness = 0, line = 0;
    StiffnessKind kind = StiffnessKind::kUnknown;
  } short_row_;
  int plastic_stage_ = 0;
  // Coordinates that single precision rounds by more than a millimetre.
  long rounded_nodes_ = 0, rounded_first_ = 0, rounded_line_ = 0;
  double rounded_value_ = 0;
  int rounded_axis_ = 0;
  bool rounded_axes_[3] = {};
  double low_[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
  std::vector<SpaceBar> space_bars_;
  std::set<std::int32_t> used_cases_;  // by the loads of document 6
  std::int32_t last_used_case_ = 0;
  long close_of_7_ = 0;                // the segment of the ")" of document 7
  long case_records_ = 0;
  long supports_ = 0;  // records of document 5
  bool case_list_ended_ = false;
  long lost_cases_ = 0, first_lost_case_line_ = 0;
  std::int32_t first_lost_case_ = 0;
};

}  // namespace modelcheck::tarvex_check
