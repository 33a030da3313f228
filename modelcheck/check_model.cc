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
#include "check_lira_words.h"
#include "check_mended_copy.h"
#include "check_tarvex_stop.h"
#include "findings.h"
#include "geometry.h"
#include "header_line.h"
#include "line_reader.h"
#include "model_check.h"
#include "program_messages.h"
#include "tasks.h"

namespace modelcheck {

std::string stop_message(const char* message, std::initializer_list<std::string_view> values) {
  return "stops with " + quoted(lira::message(message, values));
}

namespace {

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

std::string str(long long v) { return std::to_string(v); }

// The message tarvex stops with when it does not find document `d`.
const char* missing_message(int d) {
  switch (d) {
    case 3:
      return msg::kNoStiffness;
    case 4:
      return msg::kNoNodes;
    case 1:
      return msg::kNoElements;
    case 5:
      return msg::kNoLinks;
    case 7:
      return msg::kNoLoadValues;
    case 16:
      return msg::kNoDoc16;
    case 6:
      return msg::kNoLoadTable;
    default:
      return nullptr;
  }
}

// Documents that tarvex reads record by record.
bool read_by_records(int d) { return missing_message(d) != nullptr; }

std::string effect_of_missing(int d) {
  const char* m = missing_message(d);
  if (m != nullptr) return "tarvex does not see document " + str(d) + " and " + stop_message(m);
  if (d == 12) return "tarvex does not see document 12 (the sign that LIRA's analysis failed)";
  return "tarvex does not read document " + str(d) + ", so nothing is lost";
}

// The supports are the engineer's to give; no mend can guess them.
constexpr char kSupports[] =
    " the supports, which only the engineer can give: a record for each supported node, its "
    "number and the directions it holds (1 to 3 displacements, 4 to 6 rotations), then \" /\"";

std::string missing_mend(int d) {
  if (d == 5) return std::string("add document 5 with") + kSupports;
  return "add document " + str(d) + " (at least its header and \" )\")";
}

// What a stiffness kind that tarvex does not know would need in ANSYS:
// tarvex writes a bar's real constants for a rectangle (S0) only.
std::string unknown_kind_mend(const std::string& kind) {
  const char* rectangles =
      "tarvex converts bar sections that are rectangles (S0) only; ANSYS needs for this bar a "
      "BEAM4 real-constant set of ";
  const char* instead =
      ": give the bar the S0 rectangle of the same area and stiffness, or write its real "
      "constants into the script after the conversion";
  bool parametric = kind.size() >= 2 && kind[0] == 'S' && kind[1] >= '1' && kind[1] <= '8' &&
                    (kind.size() == 2 || !std::isdigit(static_cast<unsigned char>(kind[2])));
  if (parametric) {
    return std::string(rectangles) + "the section's area, moments of inertia Izz and Iyy and "
           "heights" + instead;
  }
  char* end = nullptr;
  std::strtod(kind.c_str(), &end);
  if (!kind.empty() && end != kind.c_str() && (*end == '\0' || *end == '/')) {
    return "write the plate's modulus with a point (3.0E6, not 3E6): tarvex takes a number "
           "without one for no kind";
  }
  if (kind.rfind("EF", 0) == 0 || kind.rfind("EI", 0) == 0) {
    return std::string(rectangles) + "area EF/E and moments of inertia EIz/E and EIy/E, with "
           "the modulus E" + instead;
  }
  return std::string(rectangles) + "a catalogue profile's area, moments of inertia and heights" +
         instead +
         "; the other kinds that tarvex knows are a plate (its modulus with a point: 3.0E6), a "
         "plastic bar (S100), an elastic link (3) and a reinforced concrete slab (GENE14/)";
}

// A number written with a decimal comma: digits or none (",5" for 0.5), a
// comma, digits, perhaps an exponent and a glued slash. The comma's place, or
// npos.
std::size_t decimal_comma(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  if (i >= t.size() || t[i] != ',') return std::string_view::npos;
  std::size_t comma = i++;
  std::size_t fraction = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  if (i == fraction) return std::string_view::npos;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  }
  if (i < t.size() && t[i] == '/') ++i;
  return i == t.size() ? comma : std::string_view::npos;
}

// Whether `t` is a whole number as the models write them: a sign, digits
// with a point or without, an exponent.
bool is_number(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) {
    if (t[i] != '.') ++digits;
    ++i;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    std::size_t exponent = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == exponent) return false;
  }
  return i == t.size() && std::count(t.begin(), t.end(), '.') <= 1;
}

std::int32_t int_of(const std::string& t) { return lira::to_int(t.c_str()).value; }

// Whether `t` is a whole integer as tarvex converts one: decimal, "0x"
// hexadecimal or "0" octal, every character taken.
bool is_integer(std::string_view t) {
  std::string text(t);
  return !text.empty() && *lira::to_int(text.c_str()).end == '\0';
}
double real_of(const std::string& t) { return std::strtod(t.c_str(), nullptr); }

// The word `t` converted as tarvex converts a real number.
lira::RealValue real_token(const std::string& t, lira::Token& token) {
  std::size_t n = std::min<std::size_t>(t.size(), lira::kTokenMax);
  t.copy(token.text, n);
  token.text[n] = '\0';
  token.length = static_cast<int>(n);
  return lira::to_real(token);
}

// Whether the conversion of the number `t` stops at a glued slash, as
// tarvex converts it.
bool slash_glued(const std::string& t) {
  lira::Token token;
  return lira::ends_with_slash(real_token(t, token).end);
}

// Whether tarvex takes the kind token for a plate's modulus.
bool plate_modulus(const std::string& t) {
  lira::Token token;
  return lira::is_plate_modulus(real_token(t, token).value, t);
}

const char* kind_text(StiffnessKind k) {
  switch (k) {
    case StiffnessKind::kElasticLink:
      return "an elastic link";
    case StiffnessKind::kSolid:
      return "a reinforced concrete slab";
    case StiffnessKind::kRectangularBar:
      return "a rectangular bar";
    case StiffnessKind::kPlasticBar:
      return "a plastic bar";
    case StiffnessKind::kPlate:
      return "a plate";
    case StiffnessKind::kUnknown:
      return "of a kind tarvex does not know";
  }
  return "";
}

// The stiffness kind that an element type needs.
StiffnessKind kind_for(ElementKind e) {
  switch (e) {
    case ElementKind::kBar:
      return StiffnessKind::kRectangularBar;
    case ElementKind::kPlasticBar:
      return StiffnessKind::kPlasticBar;
    case ElementKind::kElasticLink:
      return StiffnessKind::kElasticLink;
    case ElementKind::kPlate:
      return StiffnessKind::kPlate;
    case ElementKind::kLayeredShell:
      return StiffnessKind::kSolid;
    case ElementKind::kUnconverted:
      break;
  }
  return StiffnessKind::kUnknown;
}

// The records that follow a header on its line, one line each: a line ends
// after a word that ends with '/', and at the slash of a word that glues a
// record's slash to the number that begins the next record ("/2", "0.2/2").
std::vector<std::string_view> header_rest_lines(std::string_view rest) {
  std::vector<std::string_view> lines;
  std::size_t from = 0, i = 0;
  auto starts_number = [](char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
  };
  while (i < rest.size()) {
    while (i < rest.size() && is_blank(rest[i])) ++i;
    std::size_t word = i;
    while (i < rest.size() && !is_blank(rest[i])) ++i;
    if (i == word) break;
    std::string_view w = rest.substr(word, i - word);
    std::size_t end = std::string_view::npos;  // just after the slash that ends the record
    if (w.back() == '/') {
      end = i;
    } else {
      std::size_t slash = w.find('/');
      std::string_view number = w.substr(0, slash);
      if (slash != std::string_view::npos && starts_number(w[slash + 1]) &&
          (number.empty() || is_number(number) || is_integer(number))) {
        end = word + slash + 1;
      }
    }
    if (end == std::string_view::npos) continue;
    lines.push_back(rest.substr(from, end - from));
    from = end;
    while (from < rest.size() && is_blank(rest[from])) ++from;
    i = std::max(i, from);
  }
  if (from < rest.size()) {
    std::string_view last = rest.substr(from);
    if (last.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos || lines.empty()) {
      lines.push_back(last);
    }
  }
  return lines;
}

// Whether `before` ends with a word that begins with ")" and one blank after
// it: after the ")" of document 3 tarvex passes over one character and looks
// for the header of document 4 from there, as if a line began.
bool one_blank_after_paren(std::string_view before) {
  std::size_t n = before.size();
  if (n < 2 || !is_blank(before[n - 1]) || is_blank(before[n - 2])) return false;
  std::size_t word = n - 2;
  while (word > 0 && !is_blank(before[word - 1])) --word;
  return before[word] == ')';
}

int corners_of(std::int32_t type) { return lira::element_nodes(type); }

struct Tok {
  std::string text;     // as the author meant it: a decimal comma made a point
  std::string written;  // as written, when that differs
  long line = 0;
  long segment = 0;  // the part of a line that the token stands in
  std::size_t pos = 0;
  std::size_t length = 0;
};

struct Stiffness {
  long line = 0;  // 0: document 3 does not define it
  StiffnessKind kind = StiffnessKind::kUnknown;
  double section = 0;  // thickness, or area of a bar's section
  bool holder = false;
  std::string token;
  std::string plate_row;  // a plate in LIRA's words: its row as tarvex reads it
  double density = -1;    // t/m3, as the model gives it
  double ratio = -1;      // a plate's Poisson's ratio
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

/// A bar of LIRA's type 5 written as tarvex reads a type 10 bar, which the
/// copy can make one.
struct SpaceBar {
  long element, line;
  std::int32_t stiffness;
};

/// Reads a model twice: the first pass checks the spelling, the documents
/// and the records, and decides the edits of the mended copy; the second
/// checks elements and loads against what the first pass gathered, and
/// writes the copy, when all that a mend rests on is known.
class ModelChecker {
 public:
  ModelChecker(const Options& options, Report& report, std::ostream* fixed)
      : options_(options), report_(report), fixed_(fixed) {}

  void pass(LineReader& in, bool second);
  void finish_first_pass();
  void finish_second_pass();
  const AnswerFacts& facts() const { return facts_; }

 private:
  // Lines and segments.
  void line(const Line& l);
  void line_part(std::string_view text, HeaderLine h, LineEnd end, LineEnd inner, bool continued);
  void segment(std::string& text);
  void write_line(std::string_view text, LineEnd end);
  /// Writes the segment just read, as mended, and what goes after it.
  void write_segment(LineEnd end);
  /// Puts a ")" glued to the last slash of a header line's records on a
  /// line of its own, as LIRA lays a document out.
  void close_own_line(LineEnd inner);
  void header_seen(int d, long line, bool wanted);
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
  /// The kind of the stiffness record being read, from its kind token.
  StiffnessKind record_kind() const;
  /// Whether tarvex skips the rest of the record being read to its slash.
  bool skipping_to_slash() const;
  void stiffness_record();
  void stiffness_commas(std::int32_t v, const std::string& kind_token);
  bool sub_record();
  /// The texts of the record being read.
  std::vector<std::string> record_words() const;
  /// Whether the record being read stands whole in the segment being read,
  /// so that the copy can rewrite it.
  bool record_in_segment() const;
  /// Erases the record being read from the copy, its line with it where
  /// nothing else stands there.
  void erase_record();
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
  void element_record_second();
  /// Type 5 bars whose stiffness tarvex converts for type 10 become type 10
  /// in the copy; the others stay unconverted.
  void space_bars();
  void weighing_facts();
  // The findings of the whole file, once the first pass has read it.
  void document_findings();
  void stiffness_findings();
  void unconverted_findings();
  void rounded_findings();
  void case_count_findings();
  void twisted_check(const std::string& element, long line);
  void flat_triangle_check(const std::string& element, long line);
  void value_record();
  void case_record();
  /// Keeps the load case of a load record of document 6.
  void load_case_used();
  /// Writes a missing document 16 into the copy from the load cases of
  /// document 6; false where it cannot.
  bool case_list_written();
  void load_record();
  void element_load(const std::string& load, std::int32_t number, std::int32_t type,
                    std::int32_t direction, long line);
  void own_weight(long element, std::int32_t direction, std::int32_t value_line,
                  std::int32_t load_case, long line);
  // Findings.
  void add(Kind kind, long line, std::string what, std::string effect, std::string mend,
           bool mendable = false);
  bool fixing() const { return fixed_ != nullptr; }
  StiffnessKind kind_of(std::int32_t s) const {
    return s >= 0 && s < lira::kStiffnessCount && stiffness_[s].line != 0 ? stiffness_[s].kind
                                                                          : StiffnessKind::kUnknown;
  }
  bool listed(std::int32_t load_case) const;
  std::string undefined_stop(int s, const Usage& u) const;
  /// The density tarvex's answers give stiffness `s`, in single precision
  /// as tarvex keeps it; an elastic link weighs nothing.
  float density_of(std::int32_t s) const {
    if (kind_of(s) == StiffnessKind::kElasticLink) return 0.0f;
    float d = static_cast<float>(options_.density);
    for (const Options::DensityException& e : options_.density_exceptions) {
      if (e.stiffness == s) d = static_cast<float>(e.density);
    }
    return d;
  }

  const Options& options_;
  Report& report_;
  std::ostream* fixed_;
  bool second_ = false;

  // Where the reading stands.
  long line_number_ = 0;
  LineEnd good_end_ = LineEnd::kNone;  // the first LF or CR LF of the file
  long segment_ = 0;
  std::string segment_text_;
  std::vector<Edit> edits_;       // of the segment being read, on the first pass
  std::vector<Edit> late_edits_;  // of the segment being read, on the second
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

  // What the first pass gathers.
  std::vector<Header> headers_;
  long first_header_[kDocumentMax + 1] = {};
  long first_seq_[kDocumentMax + 1] = {};
  long header_seq_ = 0;
  bool closed_[kDocumentMax + 1] = {};
  long bad_line_ends_ = 0, first_bad_line_end_ = 0;
  LineEnd bad_end_kind_ = LineEnd::kNone;
  Stiffness stiffness_[lira::kStiffnessCount];
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
  long nodes_ = 0;
  std::vector<float> coordinates_;  // x, y, z of each node, as tarvex keeps them
  // Coordinates that single precision rounds by more than a millimetre.
  long rounded_nodes_ = 0, rounded_first_ = 0, rounded_line_ = 0;
  double rounded_value_ = 0;
  int rounded_axis_ = 0;
  bool rounded_axes_[3] = {};
  double low_[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
  long elements_ = 0;
  long element_no_ = 0;  // of the second pass
  std::vector<std::int16_t> element_type_, element_stiffness_;
  std::vector<bool> layered_node_;
  long first_unconverted_ = 0;
  std::vector<SpaceBar> space_bars_;
  std::set<std::int32_t> used_cases_;  // by the loads of document 6
  std::int32_t last_used_case_ = 0;
  long close_of_7_ = 0;                // the segment of the ")" of document 7
  std::int32_t first_unconverted_type_ = 0;
  long value_lines_ = 0;
  std::vector<float> first_value_;
  long case_records_ = 0;
  long supports_ = 0;  // records of document 5
  std::int32_t cases_[lira::kLoadCaseMax] = {};
  int case_count_ = 0;
  bool case_list_ended_ = false;
  long lost_cases_ = 0, first_lost_case_line_ = 0;
  std::int32_t first_lost_case_ = 0;
  // What the second pass keeps.
  std::int32_t weight_case_ = 0;
  bool weight_known_ = false;  // given, or taken from the first own-weight record
  long last_weighted_ = 0;
  long highest_weighted_ = 0;
};

void ModelChecker::add(Kind kind, long line, std::string what, std::string effect, std::string mend,
                       bool mendable) {
  // The second pass reads what the first read; only its own kinds count.
  bool second_kind = kind == Kind::kLayeredWithoutSlab || kind == Kind::kStiffnessPairing ||
                     kind == Kind::kNodeRange || kind == Kind::kLinkAwayFromShell ||
                     kind == Kind::kLoadShifted || kind == Kind::kLoadSkipped ||
                     kind == Kind::kLoadRefused || kind == Kind::kLoadCaseUnlisted ||
                     kind == Kind::kOwnWeight || kind == Kind::kTwistedPlate;
  if (second_kind != second_) return;
  report_.add(make_finding("tarvex", kind, line, std::move(what), std::move(effect),
                           std::move(mend), mendable && fixing()));
}

bool ModelChecker::listed(std::int32_t load_case) const {
  for (int i = 0; i < case_count_; ++i) {
    if (cases_[i] == load_case) return true;
  }
  return false;
}

void ModelChecker::pass(LineReader& in, bool second) {
  second_ = second;
  segment_ = 0;
  good_end_ = LineEnd::kNone;
  document_ = -1;
  record_size_ = 0;
  for (int d = 0; d <= kDocumentMax; ++d) closed_[d] = false;
  if (second) headers_.clear();
  header_seq_ = 0;
  Line l;
  while (in.next(l)) line(l);
  header_ = -1;
  end_document(false);
}

void ModelChecker::write_line(std::string_view text, LineEnd end) {
  if (!fixing() || !second_) return;
  modelcheck::write_line(*fixed_, text, end, good_end_);
}

void ModelChecker::write_segment(LineEnd end) {
  if (!fixing() || !second_) return;
  if (keep_segment_) write_line(segment_text_, end);
  const std::string& after = copy_.after(segment_);
  if (after.empty()) return;
  if (keep_segment_ && end == LineEnd::kNone) {
    write_line("", good_end_ == LineEnd::kCrLf ? LineEnd::kCrLf : LineEnd::kLf);
  }
  fixed_->write(after.data(), static_cast<std::streamsize>(after.size()));
}

void ModelChecker::line(const Line& l) {
  line_number_ = l.number;
  if (l.cut > 0 && !second_) {
    report_.mark_cut();
    add(Kind::kLongLine, l.number,
        "the line holds " + str(static_cast<long long>(l.text.size() + l.cut)) +
            " characters; modelcheck reads the first " + str(static_cast<long long>(kLineMax)),
        "tarvex reads it as one line: a header further on it is not seen",
        "end the lines of the model where its records end");
  }
  // The first LF or CR LF so far: the copy mends lines with other ends to it.
  if (good_end_ == LineEnd::kNone && (l.end == LineEnd::kLf || l.end == LineEnd::kCrLf)) {
    good_end_ = l.end;
  }
  if (!second_) {
    if (l.end == LineEnd::kLfCr || l.end == LineEnd::kCr) {
      if (bad_line_ends_++ == 0) {
        first_bad_line_end_ = l.number;
        bad_end_kind_ = l.end;
      }
    }
  }
  // Within a line the line end of the parts split off is the line's own.
  LineEnd inner = l.end == LineEnd::kNone
                      ? (good_end_ == LineEnd::kCrLf ? LineEnd::kCrLf : LineEnd::kLf)
                      : l.end;
  // A line that holds several headers ("( 0/ 1; frame/ )( 1/") is read as
  // one part for each, each further one after the ")" before it.
  std::string_view text = l.text;
  HeaderLine h = find_header(text);
  bool continued = false;
  while (h.found) {
    HeaderLine next = find_header_after_close(text, h.end);
    if (!next.found) break;
    line_part(text.substr(0, next.start), h, inner, inner, continued);
    paren_blank_ = one_blank_after_paren(text.substr(0, next.start));
    text = text.substr(next.start);
    h = find_header(text);
    continued = true;
  }
  line_part(text, h, l.end, inner, continued);
}

void ModelChecker::close_own_line(LineEnd inner) {
  if (!fixing() || !second_) return;
  std::size_t last = segment_text_.find_last_not_of(" \t");
  if (last == std::string::npos || last < 1 || segment_text_.compare(last - 1, 2, "/)") != 0) {
    return;
  }
  bool crlf = inner == LineEnd::kCrLf ||
              ((inner == LineEnd::kLfCr || inner == LineEnd::kCr) && good_end_ == LineEnd::kCrLf);
  segment_text_.insert(last, crlf ? "\r\n" : "\n");
}

// One part of a line, which holds the header `h` if any: `end` is the line
// end it is written with, `inner` that of the parts split off it;
// `continued` when the part follows another on the line.
void ModelChecker::line_part(std::string_view text, HeaderLine h, LineEnd end, LineEnd inner,
                             bool continued) {
  Line l;
  l.number = line_number_;
  l.end = end;
  if (continued) h.exact = false;
  if (!h.found) {
    segment_text_.assign(text.data(), text.size());
    segment(segment_text_);
    write_segment(l.end);
    return;
  }
  int d = h.document;
  std::string_view pre = text.substr(0, h.start);
  std::size_t from = pre.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  bool pre_blank = pre.find_first_not_of(" \t", from) == std::string_view::npos;
  std::string_view rest = text.substr(h.end);
  bool record_rest = read_by_records(d) && lira::holds_record(rest);
  std::string_view written = text.substr(h.start, h.end - h.start);
  std::string proper = header_text(d);

  bool wanted = d <= kDocumentMax && (read_by_records(d) || d == 12);
  // The last records or the ")" of the document before: a line of their own
  // when the header is one that tarvex looks for.
  std::string before(pre);
  bool before_alone = false;  // written on a line of its own
  if (!pre_blank) {
    segment_text_.assign(pre.data(), pre.size());
    segment(segment_text_);
    before = segment_text_;
    before_alone = wanted || !copy_.after(segment_).empty();
    if (before_alone) write_segment(inner);
  }
  header_ = d;
  end_document(false);
  std::string title = "\"" + std::string(written) + "\"";
  if (written != proper && wanted) {
    add(Kind::kHeaderSpelling, l.number,
        title + " is not the header \"" + proper + "\" of document " + str(d), effect_of_missing(d),
        "write \"" + proper + "\" at the start of the line", true);
  } else if (!h.exact && wanted) {
    std::string where = !pre_blank || continued
                            ? "stands after the \")\" of the document before, on its line"
                        : from > 0 ? "comes after a UTF-8 byte-order mark"
                                   : "does not stand at the start of the line";
    // The header of document 4 one blank after the ")" of document 3 is
    // where tarvex looks for it.
    bool seen = d == 4 && paren_closed_ == 3 &&
                (continued ? paren_blank_ : !pre_blank && one_blank_after_paren(pre));
    add(Kind::kHeaderPosition, l.number, "the header " + title + " " + where,
        seen ? "tarvex sees it all the same, as it passes over the one character after the \")\" "
               "of document 3; another blank there would hide it"
             : effect_of_missing(d),
        "start a line with \"" + proper + "\"", true);
  } else if (l.end == LineEnd::kNone && wanted) {
    add(Kind::kHeaderPosition, l.number,
        "the header " + title + " is the last line of the file and has no line end",
        effect_of_missing(d), "end the line", true);
  }
  if (d >= 0 && d <= kDocumentMax) header_seen(d, l.number, wanted);
  std::string head = !wanted && !before_alone       ? before + std::string(written)
                     : !wanted                      ? std::string(written)
                     : h.exact && written == proper ? std::string(written)
                                                    : proper;
  LineEnd head_end = l.end == LineEnd::kNone && wanted ? inner : l.end;
  if (record_rest) {
    std::size_t lead = rest.find_first_not_of(" \t");
    std::size_t last = rest.find_last_not_of(" \t");
    add(Kind::kRecordOnHeaderLine, l.number,
        "a record follows the header of document " + str(d) + " on its line",
        stop_message(msg::kFileHeaderRecord,
                     {kModel, str(d), std::string(rest.substr(lead, last + 1 - lead))}),
        "move the record to a line of its own", true);
    write_line(head, head_end);
    // Each record on a line of its own, as the author wrote them before
    // they were joined to the header line.
    std::vector<std::string_view> parts = header_rest_lines(rest.substr(lead));
    for (std::size_t i = 0; i < parts.size(); ++i) {
      segment_text_.assign(parts[i]);
      segment(segment_text_);
      if (i + 1 == parts.size()) close_own_line(inner);
      write_segment(i + 1 < parts.size() ? inner : l.end);
    }
  } else {
    write_line(head + std::string(rest), head_end);
  }
}

// A header of document `d` on line `line`: where the documents begin, and
// which one the records that follow belong to.
void ModelChecker::header_seen(int d, long line, bool wanted) {
  ++header_seq_;
  if ((d == 4 || d == 12 || d == 16) && headers_.size() < kHeadersKept) {
    headers_.push_back(Header{d, line, header_seq_});
  }
  if (first_header_[d] == 0) {
    if (!second_) {
      first_header_[d] = line;
      first_seq_[d] = header_seq_;
      unconverted_document(d);
    }
    begin_document(d);
  } else if (first_header_[d] != line && !second_ && wanted) {
    add(Kind::kDocumentTwice, line,
        "document " + str(d) + " begins again (it began on line " + str(first_header_[d]) + ")",
        "tarvex reads the first one only" +
            std::string(d == 4 ? ", or the first after document 3" : ""),
        "keep one document " + str(d));
  } else if (first_header_[d] == line) {
    begin_document(d);
  }
}

// A document that tarvex passes over: what it describes is not in the
// script. Document 0 holds the title, which the script needs not.
void ModelChecker::unconverted_document(int d) {
  if (d == 0 || d == 12 || (read_by_records(d))) return;
  if (d == 19) {
    add(Kind::kUnconvertedDocument, line_number_,
        "document 19 holds the soil under the model (the bedding of plates, the soil springs of "
        "piles)",
        "tarvex does not convert it: the ANSYS model has no soil, and its plates and piles rest on "
        "the supports of document 5 alone",
        "model the soil in ANSYS after the conversion (springs or an elastic foundation), or give "
        "the model supports that stand for it");
    return;
  }
  add(Kind::kUnconvertedDocument, line_number_,
      "document " + str(d) + " is one that tarvex does not convert",
      "the ANSYS model lacks what it describes: tarvex takes the elements, stiffnesses, nodes, "
      "supports and loads of documents 1, 3 to 7 and 16 only",
      "see what document " + str(d) +
          " holds, and model it in ANSYS after the conversion where the analysis needs it");
}

void ModelChecker::begin_document(int d) {
  short_row_ = ShortRow{};
  node_slash_ = false;
  document_ = read_by_records(d) ? d : -1;
  record_size_ = 0;
  solid_of_ = plastic_of_ = -1;
  last_stiffness_ = 0;
}

void ModelChecker::end_document(bool at_close) {
  if (document_ < 0) return;
  int d = document_;
  if (node_slash_) {
    node_slash_ = false;
    record();
    record_size_ = 0;
  }
  if (record_size_ > 0) {
    const Tok& last = record_[record_size_ - 1];
    add(Kind::kRecordEnd, last.line, "the last record of document " + str(d) + " has no \"/\"",
        "tarvex reads on past it and misreads or stops", "end the record with \" /\"");
    record_size_ = 0;
  }
  if (!at_close) {
    // At a header tarvex reads on into the next document; at the end of the
    // file it stops.
    bool at_end = header_ < 0;
    add(Kind::kUnclosedDocument, first_header_[d],
        "document " + str(d) + " has no \")\" before " +
            (at_end ? std::string("the end of the file")
                    : "the header of document " + str(header_) + " on line " + str(line_number_)),
        at_end ? stop_message(msg::kFileEndInside, {kModel, str(d)})
               : "tarvex reads on into document " + str(header_) + " and misreads it or stops",
        "end document " + str(d) + " with a line \" )\"");
  }
  closed_[d] = true;
  document_ = -1;
}

void ModelChecker::segment(std::string& text) {
  ++segment_;
  edits_.clear();
  late_edits_.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_blank(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && !is_blank(text[i])) ++i;
    if (i > start) token(std::string_view(text).substr(start, i - start), start);
  }
  if (!fixing()) return;
  // The first pass decides; the second, which writes, applies.
  if (!second_) {
    copy_.add(segment_, edits_);
    return;
  }
  keep_segment_ = copy_.apply(segment_, text, late_edits_);
}

void ModelChecker::token(std::string_view t, std::size_t pos) {
  paren_closed_ = -1;
  if (document_ < 0) return;
  long_token_check(t);
  if (node_slash_) {
    node_slash_ = false;
    if (t[0] == ')' || segment_ != record_[record_size_ - 1].segment) {
      record();
      record_size_ = 0;
    }
  }
  if (t[0] == ')') {
    close_paren();
    return;
  }
  if (record_size_ > 0 && t.size() > 1 && t[0] == '/' && t[1] == ')') {
    closing_slash(t, pos);
    return;
  }
  // Where tarvex skips a record to its slash, the slash ends the record even
  // within a word: "0.30625/1" ends one record and begins the next.
  std::size_t slash = t.find('/');
  if (slash != std::string_view::npos && slash + 1 < t.size() && skipping_to_slash()) {
    token(t.substr(0, slash + 1), pos);
    token(t.substr(slash + 1), pos + slash + 1);
    return;
  }
  if (record_size_ == record_.size()) record_.emplace_back();
  Tok& k = record_[record_size_++];
  k.text.assign(t.data(), t.size());
  k.line = line_number_;
  k.segment = segment_;
  k.pos = pos;
  k.length = t.size();
  k.written.clear();
  int d = document_;
  if (d == 3 || d == 4 || d == 7) comma_mend(k, t, pos);
  if (d == 3 && !second_ && (short_row_.left > 0 || short_row_.end_next)) short_row_word(k);
  bool kind_slash = kind_slash_check(k);
  // A plate's or a link's row ends at the word after its last value when
  // that word begins with '/', whatever follows the slash in it.
  bool row_end = false;
  if (d == 3 && solid_of_ < 0 && plastic_of_ < 0 && k.text[0] == '/') {
    StiffnessKind kind = record_kind();
    row_end = (kind == StiffnessKind::kPlate && record_size_ == 3 + lira::kPlateRowValues) ||
              (kind == StiffnessKind::kElasticLink && record_size_ == 3 + lira::kLinkRowValues);
  }
  // A value of document 7 ends its line when it begins with '/' or a slash
  // follows its number; tarvex drops what stands after that slash in the
  // word, and reads a word that only ends with '/' ("RO/") as a value.
  // tarvex reads the first word of a node as its x whatever it ends with, a
  // lone "/" as 0, and its y and z from the words after it.
  bool node_x = d == 4 && record_size_ == 1;
  if (d == 1 && k.text == "/" && record_size_ >= 3) {
    std::int32_t type = int_of(record_[0].text);
    node_slash_ = lira::element_kind(type) != ElementKind::kUnconverted &&
                  record_size_ <= 2 + static_cast<std::size_t>(corners_of(type));
    if (node_slash_) return;
  }
  bool value = d == 7 && record_size_ >= 2;
  bool value_end = value && (k.text[0] == '/' || slash_glued(k.text));
  if ((k.text.back() == '/' && !kind_slash && !value && !node_x) || value_end || row_end ||
      record_size_ >= kRecordMax) {
    record();
    record_size_ = 0;
  }
}

void ModelChecker::long_token_check(std::string_view t) {
  // tarvex reads the load case of a record of document 16 and the five
  // numbers of a load as words, and passes over the rest of the record to
  // its slash character by character; it reads no more than 20 load cases.
  bool passed_over =
      (document_ == 16 && (record_size_ > 0 || case_records_ >= lira::kLoadCaseMax)) ||
      (document_ == 6 && record_size_ >= 5);
  if (t.size() > static_cast<std::size_t>(lira::kTokenMax) && !passed_over) {
    add(Kind::kLongToken, line_number_,
        "a token of " + str(static_cast<long long>(t.size())) + " characters in document " +
            str(document_),
        stop_message(msg::kFileLongToken, {kModel, std::string(t.substr(0, 20))}),
        "break it into its values with blanks");
  }
}

// The ")" that closes the document being read.
void ModelChecker::close_paren() {
  // A row of document 3 still short of its values takes the ")" for one,
  // and the header after it for its end.
  if (document_ == 3 && !second_ && (short_row_.left > 0 || short_row_.end_next)) {
    row_end_finding(short_row_.kind, short_row_.line,
                    "the last row of document 3, stiffness " + str(short_row_.stiffness) +
                        ", ends before its values");
  }
  short_row_ = ShortRow{};
  paren_closed_ = document_;
  if (document_ == 7 && !second_ && close_of_7_ == 0) close_of_7_ = segment_;
  end_document(true);
}

// A number of documents 3, 4 and 7 written with a decimal comma: the copy
// gets its point.
void ModelChecker::comma_mend(Tok& k, std::string_view t, std::size_t pos) {
  int d = document_;
  std::size_t comma = decimal_comma(t);
  if (comma != std::string_view::npos) {
    k.written = k.text;
    k.text[comma] = '.';
    edits_.push_back(Edit{pos + comma, 1, "."});
    // The stop names the node or the line whose number it is; in document
    // 3 the record tells whether tarvex reads the number at all.
    if (d == 4) comma_finding(k, "node", nodes_ + 1);
    if (d == 7 && record_size_ > 1) comma_finding(k, "line", value_lines_ + 1);
  }
}

// Whether the stiffness row being read has its slash glued to a kind that
// tarvex does not know, and so does not end there.
bool ModelChecker::kind_slash_check(const Tok& k) {
  // tarvex skips a record of a kind it does not know from after its kind
  // token on, so a slash glued to that token does not end it: the record
  // after it is skipped too. Where the word without its slash is still of no
  // kind tarvex knows ("RO/"), a blank before the slash mends it.
  bool kind_slash = document_ == 3 && record_size_ == 2 && solid_of_ < 0 && plastic_of_ < 0 &&
                    k.text.size() > 1 && k.text.back() == '/' &&
                    record_kind() == StiffnessKind::kUnknown;
  if (kind_slash) {
    std::string bare = k.text.substr(0, k.text.size() - 1);
    bool certain = lira::stiffness_kind(bare, plate_modulus(bare)) == StiffnessKind::kUnknown;
    add(Kind::kGluedSlash, k.line,
        "the row \"" + record_[0].text + " " + k.text +
            "\", of a kind tarvex does not know, has its slash glued to its kind",
        "tarvex skips the row on to the next slash, and the row after it with it",
        certain ? "write \"" + bare + " /\"" : "write the row with its values and \" /\"",
        certain);
    if (certain) {
      edits_.push_back(Edit{k.pos + k.length - 1, 0, " "});
      kind_slash = false;
    }
  }
  return kind_slash;
}

StiffnessKind ModelChecker::record_kind() const {
  if (record_size_ < 2) return StiffnessKind::kUnknown;
  const std::string& t = record_[1].text;
  return lira::stiffness_kind(t, plate_modulus(t));
}

bool ModelChecker::skipping_to_slash() const {
  if (document_ != 3 || record_size_ < 2 || solid_of_ >= 0 || plastic_of_ >= 0) return false;
  StiffnessKind kind = record_kind();
  // A bar's record is skipped after its height when no slash is glued to it.
  return kind == StiffnessKind::kUnknown ||
         (kind == StiffnessKind::kRectangularBar && record_size_ >= 5 &&
          record_[4].text.back() != '/');
}

// "/)": the last record's slash with the document's ")" glued to it. Where
// tarvex reads the slash as a word of its own (a plate or a link of document
// 3, the codes of document 5, the values of document 7) it takes "/)" whole
// and does not see the ")"; elsewhere it reads the slash alone and the ")"
// after it.
void ModelChecker::closing_slash(std::string_view t, std::size_t pos) {
  StiffnessKind kind = record_kind();
  bool whole = document_ == 5 || document_ == 7 ||
               (document_ == 3 && solid_of_ < 0 && plastic_of_ < 0 &&
                (kind == StiffnessKind::kPlate || kind == StiffnessKind::kElasticLink));
  if (whole) {
    edits_.push_back(Edit{pos + 1, 0, " "});
    add(Kind::kRecordEnd, line_number_,
        "the last record of document " + str(document_) +
            " ends with \"/)\", the document's \")\" glued to its slash",
        "tarvex reads \"/)\" as the record's slash and does not see the \")\": it reads on past "
        "the end of document " +
            str(document_) + " and misreads what follows or stops",
        "write \"/ )\"", true);
  }
  token(t.substr(0, 1), pos);
  token(t.substr(1), pos + 1);
}

void ModelChecker::comma_finding(const Tok& k, const char* record, long number) {
  add(Kind::kDecimalComma, k.line,
      "\"" + k.written + "\" in document " + str(document_) + " is written with a decimal comma",
      stop_message(msg::kFileComma, {kModel, k.written,
                                     std::string(record) + " " + str(number) + " in document " +
                                         str(document_),
                                     k.text}),
      "write \"" + k.text + "\"", true);
}

void ModelChecker::record() {
  if (second_) {
    if (document_ == 1) element_record_second();
    if (document_ == 6) load_record();
    return;
  }
  switch (document_) {
    case 3:
      stiffness_record();
      break;
    case 4:
      node_record();
      break;
    case 1:
      element_record();
      break;
    case 7:
      value_record();
      break;
    case 16:
      case_record();
      break;
    case 5:
      ++supports_;
      break;
    case 6:
      load_case_used();
      break;
    default:
      break;
  }
}

// The record end of documents 4 and 1: one character, then the slash.
void ModelChecker::record_end_check(const char* what, const char* stop, bool report) {
  if (!report) return;
  std::size_t n = record_size_;
  const Tok& last = record_[n - 1];
  if (last.text.back() != '/') return;  // cut off at kRecordMax tokens
  if (last.text != "/") {
    std::string value = last.text.substr(0, last.text.size() - 1);
    // Only a number with its slash is certain to be a value and a record end;
    // node numbers are integers, which tarvex reads in hexadecimal too.
    if (!is_number(value) && !(document_ == 1 && is_integer(value))) {
      add(Kind::kRecordEnd, last.line,
          std::string(what) + " ends with \"" + last.text + "\", which is no value with its slash",
          stop_message(stop), "write its last value, one blank and \"/\"");
      return;
    }
    edits_.push_back(Edit{last.pos + last.length - 1, 0, " "});
    add(Kind::kGluedSlash, last.line,
        std::string(what) + " ends with \"" + last.text + "\", its slash glued to the value",
        stop_message(stop), "write \"" + value + " /\"", true);
    return;
  }
  if (n < 2) return;
  const Tok& value = record_[n - 2];
  if (value.segment != last.segment) {
    add(Kind::kRecordEnd, last.line,
        std::string(what) + " has its \"/\" on a line after its last value", stop_message(stop),
        "put \" /\" right after the last value, on its line");
    return;
  }
  std::size_t gap = last.pos - (value.pos + value.length);
  if (gap != 1) {
    edits_.push_back(Edit{value.pos + value.length, gap, " "});
    add(Kind::kRecordEnd, last.line,
        std::string(what) + " has " + str(static_cast<long long>(gap)) +
            " blanks before its \"/\" where tarvex needs one",
        stop_message(stop), "write one blank before the \"/\"", true);
  }
}

void ModelChecker::stiffness_record() {
  std::size_t n = record_size_;
  const Tok& first = record_[0];
  std::int32_t v = int_of(first.text);
  std::string kind_token = n > 1 ? record_[1].text : "";
  stiffness_commas(v, kind_token);
  if (sub_record()) return;
  StiffnessKind kind = lira::stiffness_kind(kind_token, plate_modulus(kind_token));
  // LIRA writes further rows of a stiffness with the number 0: tarvex takes
  // each for a stiffness 0 of its own.
  bool continuation = v == 0 && first.text == "0";
  if (continuation && kind == StiffnessKind::kUnknown && continuation_record(first)) return;
  if (kind == StiffnessKind::kUnknown && kind_token == "GEI" && lira_plate_record(v)) return;
  if (continuation) {
    std::string makes =
        kind == StiffnessKind::kUnknown
            ? "tarvex takes it for a stiffness 0 of a kind it does not know and skips it"
            : std::string("tarvex takes it for stiffness 0, ") + kind_text(kind) +
                  ", and writes a material 0 and its constants that no element uses";
    add(Kind::kStiffnessContinuation, first.line,
        "the row \"0 " + kind_token + " ...\" continues the stiffness before it", makes,
        kind_token.rfind("RO", 0) == 0
            ? "delete the row; give its density to tarvex's density questions"
            : "delete the row, or write what it says into the stiffness's own record");
  }
  if (v < 0 || v >= lira::kStiffnessCount) {
    add(Kind::kStiffnessNumber, first.line,
        "stiffness number " + first.text + " is outside 0 to 49",
        stop_message(msg::kStiffnessOutside, {str(v)}), kRenumber);
    if (kind == StiffnessKind::kSolid) solid_of_ = lira::kStiffnessCount;
    if (kind == StiffnessKind::kPlasticBar) {
      plastic_of_ = lira::kStiffnessCount;
      plastic_stage_ = 0;
    }
    return;
  }
  if (kind == StiffnessKind::kPlate || kind == StiffnessKind::kElasticLink) {
    stiffness_row_end(v, kind);
  }
  Stiffness& s = stiffness_[v];
  if (!continuation) last_stiffness_ = v;
  // tarvex skips a row of a kind it does not know whole: a stiffness of the
  // same number read before stays as it was ("5 TW 1 2 /" once more).
  bool skipped_row = kind == StiffnessKind::kUnknown && s.line != 0 &&
                     s.kind != StiffnessKind::kUnknown;
  if ((!continuation || s.line == 0) && !skipped_row) {
    s = Stiffness{};
    s.line = first.line;
    s.kind = kind;
    s.token = kind_token.substr(0, 20);
  }
  // A density after the row's values, which tarvex passes over.
  if (kind != StiffnessKind::kUnknown) {
    s.density = own_row_density(record_words());
    if (s.density >= 0) facts_.set_density(v, s.density, first.line);
  }
  switch (kind) {
    case StiffnessKind::kPlate:
      if (n > 3) s.section = real_of(record_[3].text);
      if (n > 2) s.ratio = real_of(record_[2].text);
      break;
    case StiffnessKind::kRectangularBar:
      if (n > 4) s.section = real_of(record_[3].text) / 100 * (real_of(record_[4].text) / 100);
      break;
    case StiffnessKind::kPlasticBar:
      if (n > 3) s.section = real_of(record_[2].text) / 100 * (real_of(record_[3].text) / 100);
      plastic_of_ = v;
      plastic_stage_ = 0;
      break;
    case StiffnessKind::kSolid:
      solid_of_ = v;
      break;
    default:
      break;
  }
}

// Decimal commas: tarvex stops at each number that it reads, naming the
// stiffness whose record it reads; a record of an unknown kind it skips.
void ModelChecker::stiffness_commas(std::int32_t v, const std::string& kind_token) {
  std::size_t n = record_size_;
  long reading = solid_of_ >= 0 ? solid_of_ : plastic_of_ >= 0 ? plastic_of_ : v;
  bool skipped =
      solid_of_ < 0 && plastic_of_ < 0 &&
      lira::stiffness_kind(kind_token, plate_modulus(kind_token)) == StiffnessKind::kUnknown;
  for (std::size_t i = 0; i < n; ++i) {
    const Tok& k = record_[i];
    if (k.written.empty()) continue;
    if (skipped) {
      add(Kind::kDecimalComma, k.line,
          "\"" + k.written + "\" in document 3 is written with a decimal comma",
          "tarvex skips the record, a stiffness of a kind it does not know, so the comma does no "
          "harm there",
          "write \"" + k.text + "\"", true);
    } else {
      comma_finding(k, "stiffness", reading);
    }
  }
}

// The sub-records of a slab or a plastic bar, which follow its row; false
// when the record is a stiffness's own row.
bool ModelChecker::sub_record() {
  std::size_t n = record_size_;
  // Sub-records of a slab, up to its Poisson's ratio.
  if (solid_of_ >= 0) {
    for (std::size_t i = 0; i < n; ++i) {
      if (record_[i].text == "DEL" && i + 1 < n && solid_of_ < lira::kStiffnessCount) {
        stiffness_[solid_of_].section = real_of(record_[i + 1].text);
      }
      if (record_[i].text.rfind("NU=", 0) == 0) solid_of_ = -1;
    }
    return true;
  }
  // The material record of a plastic bar, then its tokens up to "TW".
  if (plastic_of_ >= 0) {
    std::size_t i = 0;
    if (plastic_stage_ == 0) {
      plastic_stage_ = 1;
      return true;
    }
    for (; i < n; ++i) {
      if (record_[i].text.rfind("AZ", 0) == 0 && i + 1 < n && plastic_of_ < lira::kStiffnessCount) {
        stiffness_[plastic_of_].holder = real_of(record_[i + 1].text) != 0;
      }
      if (record_[i].text.rfind("TW", 0) == 0) plastic_of_ = -1;
    }
    return true;
  }
  return false;
}

std::vector<std::string> ModelChecker::record_words() const {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < record_size_; ++i) words.push_back(record_[i].text);
  return words;
}

bool ModelChecker::record_in_segment() const {
  for (std::size_t i = 0; i < record_size_; ++i) {
    if (record_[i].segment != segment_ || !record_[i].written.empty()) return false;
  }
  return record_size_ > 0;
}

void ModelChecker::erase_record() {
  const Tok& last = record_[record_size_ - 1];
  edits_.push_back(Edit{record_[0].pos, last.pos + last.length - record_[0].pos, ""});
  copy_.drop_if_blank(segment_);
}

// A plate in LIRA's words becomes tarvex's plate row; the finding comes when
// the elements that use it are known.
bool ModelChecker::lira_plate_record(std::int32_t v) {
  std::optional<LiraPlate> plate = lira_plate(record_words());
  if (!plate || v < 1 || v >= lira::kStiffnessCount || !record_in_segment()) return false;
  Stiffness& s = stiffness_[v];
  s = Stiffness{};
  s.line = record_[0].line;
  s.kind = StiffnessKind::kPlate;
  s.section = real_of(plate->thickness);
  s.token = "GEI";
  s.plate_row = plate_row(*plate);
  s.density = plate->density;
  s.ratio = real_of(plate->ratio);
  last_stiffness_ = v;
  if (plate->density >= 0) facts_.set_density(v, plate->density, s.line);
  const Tok& last = record_[record_size_ - 1];
  if (fixing()) {
    // tarvex reads a plate's slash as a word: a ")" glued to it would be lost.
    std::size_t end = last.pos + last.length;
    bool paren = end < segment_text_.size() && segment_text_[end] == ')';
    edits_.push_back(Edit{record_[1].pos, end - record_[1].pos, s.plate_row + (paren ? " " : "")});
  }
  return true;
}

void ModelChecker::lira_plate_finding(int s, const std::string& users) {
  const Stiffness& st = stiffness_[s];
  const Usage& u = usage_[s];
  std::ostringstream density;
  density << st.density;
  add(Kind::kUnknownStiffness, st.line,
      "stiffness " + str(s) + " is a plate in LIRA's words (\"" + str(s) +
          " GEI ...\"), which tarvex does not know; " + users,
      u.count == 0 ? std::string("tarvex skips it with \"Unknown element skipped\"")
                   : "tarvex skips it with \"Unknown element skipped\" and " + undefined_stop(s, u),
      "write tarvex's plate row \"" + str(s) + " " + st.plate_row + "\"" +
          (st.density >= 0 ? "; its density, " + density.str() + " t/m3, is an answer to tarvex"
                           : ""),
      true);
}

// A continuation row that says only a density or a Poisson's ratio of the
// stiffness before it is taken out of the copy, and what it says reported.
bool ModelChecker::continuation_record(const Tok& first) {
  Continuation c = continuation_row(record_words());
  long s = last_stiffness_;
  if (!c.certain || s < 1 || s >= lira::kStiffnessCount || !record_in_segment()) return false;
  // Taken out, the row must leave the rest of its line read as before: a
  // line of its own, or a row before the next record.
  const Tok& last = record_[record_size_ - 1];
  std::size_t rest = segment_text_.find_first_not_of(" \t", last.pos + last.length);
  if (segment_text_.find_first_not_of(" \t") != record_[0].pos ||
      (rest != std::string::npos && !(segment_text_[rest] >= '0' && segment_text_[rest] <= '9'))) {
    return false;
  }
  Stiffness& st = stiffness_[s];
  auto text = [](double v) {
    std::ostringstream out;
    out << v;
    return out.str();
  };
  std::string row = "the row \"";
  for (std::size_t i = 0; i < record_size_; ++i) row += (i ? " " : "") + record_[i].text;
  row += "\" continues stiffness " + str(s);
  std::string says, note;
  if (c.density >= 0) {
    st.density = c.density;
    facts_.set_density(static_cast<int>(s), c.density, first.line);
    says = ": its density, " + text(c.density) + " t/m3";
    note = "; the density is an answer to tarvex";
  }
  if (c.ratio >= 0) {
    says += (says.empty() ? ": " : ", and ") + std::string("its Poisson's ratio, ") + c.ratio_text;
    if (st.kind == StiffnessKind::kRectangularBar || st.kind == StiffnessKind::kPlasticBar) {
      note += std::string("; tarvex gives every ") +
              (st.kind == StiffnessKind::kPlasticBar ? "plastic bar the ratio .25"
                                                     : "bar the ratio 0.16") +
              " itself, not " + c.ratio_text;
    } else if (st.kind == StiffnessKind::kPlate && st.ratio == c.ratio) {
      note += "; the plate row holds the same ratio";
    } else {
      // Another ratio than the plate row's, or one of a kind that has none:
      // only the author knows which holds.
      add(Kind::kStiffnessContinuation, first.line,
          row + says + (st.kind == StiffnessKind::kPlate
                            ? ", where its plate row gives " + text(st.ratio)
                            : ", which tarvex does not read for " +
                                  std::string(kind_text(st.kind))),
          "tarvex takes the row for a stiffness 0 of a kind it does not know and skips it, and "
          "writes no such ratio",
          st.kind == StiffnessKind::kPlate
              ? "write the ratio that holds into the plate row, and delete this row"
              : "delete the row where the ratio is not needed, else model it in ANSYS");
      return true;
    }
  }
  if (fixing()) erase_record();
  add(Kind::kStiffnessContinuation, first.line, row + says,
      "tarvex takes the row for a stiffness 0 of a kind it does not know and skips it",
      "delete the row" + note, true);
  return true;
}

bool ModelChecker::plate_density(long v) {
  std::size_t n = record_size_;
  if ((n != 6 && n != 7) || record_[4].text != "RO" || !record_in_segment()) return false;
  double density = own_row_density(record_words());
  if (density < 0) return false;
  const Tok& thickness = record_[3];
  const Tok& value = record_[5];
  if (fixing()) {
    // "0.2 RO 2.5 /" and "0.2 RO 2.5/" both become "0.2 /".
    std::size_t from = thickness.pos + thickness.length;
    edits_.push_back(Edit{from, value.pos + value.length - from, n == 7 ? "" : " /"});
  }
  std::ostringstream text;
  text << density;
  add(Kind::kRecordFields, record_[0].line,
      "the plate row of stiffness " + str(v) + " holds its density \"RO " + text.str() +
          "\" after its thickness",
      stop_message(msg::kBadStiffness),
      "take \"RO " + text.str() + "\" out of the row; the density is an answer to tarvex", true);
  return true;
}

// A plate's row holds its modulus, Poisson's ratio and thickness, a link's
// its modulus; a slash glued to the last, or a word that begins with '/'
// after it, ends the row. tarvex stops at any other word there.
void ModelChecker::stiffness_row_end(long v, StiffnessKind kind) {
  std::size_t n = record_size_;
  std::size_t values =
      static_cast<std::size_t>(kind == StiffnessKind::kPlate ? lira::kPlateRowValues
                                                             : lira::kLinkRowValues);
  const char* row = kind == StiffnessKind::kPlate ? "the plate row" : "the elastic link row";
  long line = record_[0].line;
  if (n >= 2 + values) {
    const Tok& last = record_[1 + values];
    if (slash_glued(last.text) || n == 2 + values) {
      // A slash glued, or the row ended in a word that tarvex does not
      // take for its last value: it reads the end from the next row.
      if (!slash_glued(last.text)) {
        short_row_ = ShortRow{0, true, v, line, kind};
      }
      return;
    }
    const Tok& end = record_[2 + values];
    if (kind == StiffnessKind::kPlate && plate_density(v)) return;
    if (!lira::ends_stiffness_row(end.text)) {
      row_end_finding(kind, line,
                      std::string(row) + " of stiffness " + str(v) + " holds \"" + end.text +
                          "\" after its " +
                          (kind == StiffnessKind::kPlate ? "thickness" : "modulus"));
    }
    return;
  }
  // The row ended early: tarvex reads on into the next row for the rest.
  short_row_ = ShortRow{static_cast<int>(2 + values - n), false, v, line, kind};
}

void ModelChecker::short_row_word(const Tok& k) {
  ShortRow& r = short_row_;
  if (r.left > 0) {
    if (--r.left == 0 && !slash_glued(k.text)) r.end_next = true;
    if (r.left == 0 && !r.end_next) {
      add(Kind::kRecordFields, r.line,
          "the row of stiffness " + str(r.stiffness) + " ends before its values",
          "tarvex reads them from the row after it, and misreads both",
          "write the row with all its values");
    }
    return;
  }
  r.end_next = false;
  if (!lira::ends_stiffness_row(k.text)) {
    row_end_finding(r.kind, r.line,
                    "the row of stiffness " + str(r.stiffness) +
                        " ends otherwise than tarvex reads it; after its last value it meets \"" +
                        k.text + "\"");
  }
}

void ModelChecker::row_end_finding(StiffnessKind kind, long line, const std::string& what) {
  bool plate = kind == StiffnessKind::kPlate;
  add(Kind::kRecordFields, line, what,
      stop_message(plate ? msg::kBadStiffness : msg::kLinkRowEnd),
      plate ? "write the plate as stiffness, modulus with a point, Poisson's ratio, thickness, "
              "\" /\"; a section that is no plate needs a kind that tarvex converts"
            : "write the link as stiffness, 3, modulus, \" /\"");
}

void ModelChecker::node_record() {
  ++nodes_;
  std::size_t n = record_size_;
  if (record_[0].text.back() == '/') {
    add(Kind::kRecordFields, record_[0].line,
        "node " + str(nodes_) + " begins with \"" + record_[0].text + "\"",
        "tarvex reads it as the node's x and the node's y and z from the words after it, so "
        "this node and every node after it are not where the model means them",
        "give each node its x, y and z, then \" /\", and delete a lone \"/\"");
  }
  std::size_t values = record_[n - 1].text == "/" ? n - 1 : n;
  if (values < 2 || values > 3) {
    add(Kind::kRecordFields, record_[0].line,
        "node " + str(nodes_) + " has " + str(static_cast<long long>(values)) +
            " values where tarvex reads two or three",
        stop_message(msg::kBadNodes), "give the node its x, y and z, then \" /\"");
    coordinates_.resize(static_cast<std::size_t>(nodes_) * 3);
    return;
  }
  record_end_check(("node " + str(nodes_)).c_str(), msg::kBadNodes, true);
  // tarvex keeps the coordinates in single precision, z 0 when not given.
  float xyz[3] = {};
  bool rounded = false;
  for (std::size_t i = 0; i < values; ++i) {
    lira::Token token;
    double v = real_token(record_[i].text, token).value;
    xyz[i] = static_cast<float>(v);
    if (!std::isfinite(v)) continue;
    low_[i] = std::min(low_[i], v);
    if (std::fabs(static_cast<double>(xyz[i]) - v) > kMillimetre) {
      if (!rounded && rounded_nodes_++ == 0) {
        rounded_first_ = nodes_;
        rounded_line_ = record_[0].line;
        rounded_value_ = v;
        rounded_axis_ = static_cast<int>(i);
      }
      rounded_axes_[i] = true;
      rounded = true;
    }
  }
  coordinates_.resize(static_cast<std::size_t>(nodes_) * 3);
  std::copy(xyz, xyz + 3, coordinates_.end() - 3);
}

void ModelChecker::element_record() {
  ++elements_;
  std::size_t n = record_size_;
  std::int32_t type = int_of(record_[0].text);
  std::int32_t s = n > 1 ? int_of(record_[1].text) : 0;
  auto clamp = [](std::int32_t v) {
    return static_cast<std::int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
  };
  element_type_.push_back(clamp(type));
  element_stiffness_.push_back(clamp(s));
  ElementKind kind = lira::element_kind(type);
  // A space frame bar in the shape of tarvex's bar record waits for its
  // stiffness, which document 3 gives after document 1.
  if (type == kSpaceBar && n == 5 && record_[4].text == "/" && record_in_segment() &&
      is_integer(record_[2].text) && is_integer(record_[3].text) &&
      record_[4].pos == record_[3].pos + record_[3].length + 1) {
    space_bars_.push_back(SpaceBar{elements_, record_[0].line, s});
    return;
  }
  if (kind == ElementKind::kUnconverted) {
    // A few types are summed up each; a file of garbage costs no more.
    if (unconverted_.size() >= kTypesKept && unconverted_.count(type) == 0) type = INT32_MIN;
    Usage& u = unconverted_[type];
    if (u.count++ == 0) {
      u.first_element = elements_;
      u.line = record_[0].line;
      u.type = type;
    }
    if (first_unconverted_ == 0) {
      first_unconverted_ = elements_;
      first_unconverted_type_ = type;
    }
    return;
  }
  std::size_t values = record_[n - 1].text == "/" ? n - 1 : n;
  std::size_t wanted = 2 + static_cast<std::size_t>(corners_of(type));
  std::string element = "element " + str(elements_) + " (type " + str(type) + ")";
  if (values != wanted) {
    add(Kind::kRecordFields, record_[0].line,
        element + " has " + str(static_cast<long long>(values)) + " numbers where tarvex reads " +
            str(static_cast<long long>(wanted)),
        stop_message(msg::kBadElement),
        "give the type, the stiffness and " + str(corners_of(type)) + " node numbers, then \" /\"");
  } else {
    record_end_check(element.c_str(), msg::kBadElement, true);
  }
  if (s < 0 || s >= lira::kStiffnessCount) {
    add(Kind::kStiffnessNumber, record_[0].line, element + " has stiffness " + str(s),
        stop_message(msg::kStiffnessOutside, {str(s)}), kRenumber);
  } else if (s != 0) {
    Usage& u = usage_[s];
    if (u.count++ == 0) {
      u.first_element = elements_;
      u.line = record_[0].line;
      u.type = type;
    }
  }
  if (kind == ElementKind::kLayeredShell) {
    for (std::size_t i = 2; i < n && i < wanted; ++i) {
      std::int64_t node = int_of(record_[i].text);
      if (node < 1 || node > kNodeFlagMax) continue;
      if (static_cast<std::size_t>(node) >= layered_node_.size()) {
        layered_node_.resize(static_cast<std::size_t>(node) * 2 + 1024);
      }
      layered_node_[static_cast<std::size_t>(node)] = true;
    }
  }
}

void ModelChecker::value_record() {
  std::size_t n = record_size_;
  ++value_lines_;
  const Tok& number = record_[0];
  std::int32_t line = int_of(number.text);
  std::size_t values = 0;
  std::string_view unslashed = std::string_view(number.text).substr(0, number.text.size() - 1);
  if (number.text.back() == '/' && (is_number(unslashed) || is_integer(unslashed))) {
    edits_.push_back(Edit{number.pos + number.length - 1, 0, " "});
    add(Kind::kGluedSlash, number.line,
        "value line \"" + number.text + "\" carries its slash glued to its number",
        stop_message(msg::kLineNumber),
        "write \"" + number.text.substr(0, number.text.size() - 1) + " /\"", true);
  } else {
    // A slash glued to the last value ends the line as a blank and a slash
    // would: tarvex reads both.
    values = record_[n - 1].text != "/" ? n - 1 : n >= 2 ? n - 2 : 0;
  }
  if (line != value_lines_) {
    add(Kind::kValueLines, number.line,
        "value line " + number.text + " stands where tarvex expects line " + str(value_lines_),
        stop_message(msg::kLineNumber),
        "number the lines of document 7 1, 2, 3, ... without gaps, and the loads of document 6 "
        "to match");
  }
  if (values > 4) {
    add(Kind::kValueLines, number.line,
        "value line " + number.text + " holds " + str(static_cast<long long>(values)) + " values",
        stop_message(msg::kTooManyValues), "give at most four values a line");
  }
  first_value_.push_back(values > 0 ? static_cast<float>(real_of(record_[1].text)) : 0.0f);
}

void ModelChecker::case_record() {
  ++case_records_;
  std::int32_t c = int_of(record_[0].text);
  if (case_list_ended_) return;
  if (case_records_ > lira::kLoadCaseMax) {
    if (lost_cases_++ == 0) {
      first_lost_case_ = c;
      first_lost_case_line_ = record_[0].line;
    }
    return;
  }
  if (c == 0) {
    case_list_ended_ = true;
    add(Kind::kLoadCases, record_[0].line, "load case 0 in document 16",
        "tarvex ends its list of load cases there: this case and those after it get no load step",
        "number the load cases from 1");
    return;
  }
  cases_[case_count_++] = c;
}

void ModelChecker::load_case_used() {
  if (record_size_ < 5 || used_cases_.size() >= kCasesKept) return;
  for (std::size_t i = 0; i < 5; ++i) {
    if (record_[i].text[0] == '/' || (i < 4 && record_[i].text.back() == '/')) return;
  }
  std::int32_t c = int_of(record_[4].text);
  // The loads of a case mostly follow one another: the set is seldom asked.
  if (c > 0 && c != last_used_case_) used_cases_.insert(c);
  last_used_case_ = c;
}

// Files written before an analysis hold no document 16, though document 6
// names every load case: LIRA's list is one record "case 0 /" for each, in
// ascending order, right after document 7.
bool ModelChecker::case_list_written() {
  if (close_of_7_ == 0 || used_cases_.empty()) return false;
  // A document 12 after document 7 is the engineer's to judge.
  for (const Header& h : headers_) {
    if (h.document == 12 && h.seq > first_seq_[7]) return false;
  }
  const char* eol = good_end_ == LineEnd::kCrLf ? "\r\n" : "\n";
  std::string lines = std::string("( 16/") + eol;
  std::string list;
  for (std::int32_t c : used_cases_) {
    lines += str(c) + " 0 /" + eol;
    list += (list.empty() ? "" : ", ") + str(c);
    // The loads are checked against the list that the copy holds.
    if (fixing() && case_count_ < lira::kLoadCaseMax) cases_[case_count_++] = c;
  }
  lines += std::string(")") + eol;
  if (fixing()) copy_.insert_after(close_of_7_, lines);
  std::size_t n = used_cases_.size();
  add(Kind::kMissingDocument, 0, "there is no document 16, the list of load cases",
      stop_message(missing_message(16)),
      "add document 16 after document 7, one record for each load case that document 6 uses: " +
          list +
          (n > static_cast<std::size_t>(lira::kLoadCaseMax)
               ? "; tarvex takes the first 20 only, and writes no load step for the other " +
                     str(static_cast<long long>(n) - lira::kLoadCaseMax)
               : std::string()),
      true);
  return true;
}

// The stop of tarvex at the first element of a stiffness that it lacks: a
// layered shell stops it while it makes the layer nodes, the others while it
// writes the elements.
std::string ModelChecker::undefined_stop(int s, const Usage& u) const {
  if (lira::is_layered_shell(u.type)) {
    return stop_message(msg::kNoSlab, {str(u.first_element), str(u.type), str(s)});
  }
  return stop_message(msg::kUndefinedStiffness, {str(u.first_element), str(s)});
}

// What the answers rest on: the stiffnesses that weigh, and the slabs.
void ModelChecker::weighing_facts() {
  for (int s = 1; s < lira::kStiffnessCount; ++s) {
    StiffnessKind k = kind_of(s);
    facts_.set_weighs(s, k == StiffnessKind::kPlate || k == StiffnessKind::kRectangularBar ||
                             k == StiffnessKind::kPlasticBar || k == StiffnessKind::kSolid);
    if (k == StiffnessKind::kSolid && usage_[s].count > 0) facts_.concrete_slabs = true;
  }
}

void ModelChecker::finish_first_pass() {
  weighing_facts();
  document_findings();
  stiffness_findings();
  space_bars();
  unconverted_findings();
  rounded_findings();
  case_count_findings();
}

// The line ends, and the documents that tarvex needs, in the order it reads
// them.
void ModelChecker::document_findings() {
  if (bad_line_ends_ > 0) {
    add(Kind::kLineEnds, first_bad_line_end_,
        str(bad_line_ends_) + " line" + (bad_line_ends_ > 1 ? "s end" : " ends") + " with " +
            (bad_end_kind_ == LineEnd::kCr ? "a lone CR" : "LF CR") + ", from this line on",
        "tarvex reads text mode, where only LF and CR LF end a line: it does not see the headers "
        "of the lines that follow",
        "end every line with CR LF or LF", true);
  }
  // Documents that tarvex needs, and the order it reads them in.
  for (int d : {3, 4, 1, 5, 6, 7, 16}) {
    if (first_header_[d] == 0 && !(d == 16 && case_list_written())) {
      add(Kind::kMissingDocument, 0, "there is no document " + str(d),
          stop_message(missing_message(d)),
          missing_mend(d));
    }
  }
  if (first_header_[5] != 0 && supports_ == 0) {
    add(Kind::kMissingDocument, first_header_[5], "document 5 holds no supports",
        "tarvex converts the model without supports: ANSYS finds it free to move and solves "
        "nothing",
        std::string("write into document 5") + kSupports);
  }
  auto first_after = [&](int d, long after) -> long {
    for (const Header& h : headers_) {
      if (h.document == d && h.seq > after) return h.line;
    }
    return 0;
  };
  if (first_header_[3] != 0 && first_header_[4] != 0 && first_after(4, first_seq_[3]) == 0) {
    add(Kind::kDocumentOrder, first_header_[4],
        "document 4 stands before document 3 (line " + str(first_header_[3]) + ")",
        "tarvex looks for document 4 after document 3 and " + stop_message(msg::kNoNodes),
        "move document 4 after document 3");
  }
  if (first_header_[7] != 0) {
    long sixteen = first_after(16, first_seq_[7]);
    long twelve = first_after(12, first_seq_[7]);
    if (twelve != 0 && (sixteen == 0 || twelve < sixteen)) {
      add(Kind::kDocumentOrder, twelve,
          "document 12 stands after document 7 and before any document 16",
          "tarvex takes it for the sign of a failed analysis and " +
              stop_message(msg::kAnalysisFailed),
          "newer LIRA files hold local axes in document 12, which tarvex does not convert "
          "either: move document 16 right after document 7; where LIRA's analysis failed, run "
          "it again");
    } else if (sixteen == 0 && first_header_[16] != 0) {
      add(Kind::kDocumentOrder, first_header_[16],
          "document 16 stands before document 7 (line " + str(first_header_[7]) + ")",
          "tarvex looks for document 16 after document 7 and " + stop_message(msg::kNoDoc16),
          "move document 16 after document 7");
    }
  }
}

// Stiffnesses that tarvex does not know or that are not there, with the
// elements that use them.
void ModelChecker::stiffness_findings() {
  for (int s = 1; s < lira::kStiffnessCount; ++s) {
    const Stiffness& st = stiffness_[s];
    const Usage& u = usage_[s];
    std::string users = u.count == 0
                            ? "no element uses it"
                            : str(u.count) + " element" + (u.count > 1 ? "s use" : " uses") +
                                  " it, the first element " + str(u.first_element) + " on line " +
                                  str(u.line);
    if (st.line != 0 && !st.plate_row.empty()) {
      lira_plate_finding(s, users);
    } else if (st.line != 0 && st.kind == StiffnessKind::kUnknown) {
      add(Kind::kUnknownStiffness, st.line,
          "stiffness " + str(s) + " is of a kind tarvex does not know (\"" + st.token + "\"); " +
              users,
          u.count == 0
              ? std::string("tarvex skips it with \"Unknown element skipped\"")
              : "tarvex skips it with \"Unknown element skipped\" and " + undefined_stop(s, u),
          unknown_kind_mend(st.token));
    } else if (st.line == 0 && u.count > 0) {
      add(Kind::kUndefinedStiffness, u.line,
          "element " + str(u.first_element) + " has stiffness " + str(s) +
              ", which document 3 does not define; " + users,
          "tarvex " + undefined_stop(s, u),
          "add stiffness " + str(s) +
              " to document 3, or give the element a stiffness that is there");
    } else if (st.kind == StiffnessKind::kPlasticBar && !st.holder && u.count > 0 &&
               lira::element_kind(u.type) == ElementKind::kPlasticBar) {
      add(Kind::kPlasticHolder, st.line,
          "plastic bar stiffness " + str(s) +
              " has no holder value (\"AZ\" and a number other than 0)",
          stop_message(msg::kHolderZero), "add \"AZ\" with the holder value before \"TW\"");
    }
  }
}

void ModelChecker::unconverted_findings() {
  for (const auto& [type, u] : unconverted_) {
    add(Kind::kUnconvertedElement, u.line,
        str(u.count) + " element" + (u.count > 1 ? "s" : "") + " of type " +
            (type == INT32_MIN ? "further types" : str(type)) + ", the first element " +
            str(u.first_element) + ", are of a type tarvex does not convert",
        "tarvex makes no ANSYS element of them, and numbers every later element one lower than "
        "document 1 does",
        "convert only types 10, 41, 42, 44, 51, 210, 241, 242, 244, or put these elements after "
        "all "
        "others");
  }
}

// Coordinates that single precision rounds by more than a millimetre.
void ModelChecker::rounded_findings() {
  if (rounded_nodes_ > 0) {
    const char* axes[] = {"x", "y", "z"};
    std::ostringstream value;
    value.precision(12);
    value << axes[rounded_axis_] << " = " << rounded_value_ << ", held as "
          << static_cast<double>(static_cast<float>(rounded_value_));
    // A round number at or below the lowest coordinate of each such axis.
    std::string shift;
    for (int i = 0; i < 3; ++i) {
      if (!rounded_axes_[i]) continue;
      double origin = std::floor(low_[i] / 1000) * 1000;
      shift += std::string(shift.empty() ? "" : ", ") + "subtract " +
               str(static_cast<long long>(origin)) + " from every " + axes[i];
    }
    add(Kind::kSiteCoordinates, rounded_line_,
        str(rounded_nodes_) + " node" + (rounded_nodes_ > 1 ? "s have" : " has") +
            " coordinates that single precision does not hold to a millimetre, the first node " +
            str(rounded_first_) + ": " + value.str(),
        "tarvex keeps coordinates in single precision, so the script moves these nodes by more "
        "than a millimetre: lengths, areas and the loads on them lose their accuracy",
        "move the origin near the model: " + shift + " in document 4");
  }
}

void ModelChecker::case_count_findings() {
  if (lost_cases_ > 0) {
    add(Kind::kLoadCases, first_lost_case_line_,
        str(case_records_) + " load cases in document 16, where tarvex takes 20 at most",
        "tarvex writes no load step for load case " + str(first_lost_case_) + " and the " +
            str(lost_cases_ - 1) + " after it",
        "split the load cases into models of at most 20");
  }
}

void ModelChecker::space_bars() {
  long mended = 0, first = 0, line = 0;
  for (const SpaceBar& b : space_bars_) {
    if (kind_of(b.stiffness) == kind_for(lira::element_kind(kBarType))) {
      if (mended++ == 0) {
        first = b.element;
        line = b.line;
      }
      if (!fixing()) continue;
      element_type_[static_cast<std::size_t>(b.element - 1)] = kBarType;
      Usage& u = usage_[b.stiffness];
      if (u.count++ == 0 || b.element < u.first_element) {
        u.first_element = b.element;
        u.line = b.line;
        u.type = kBarType;
      }
      continue;
    }
    Usage& u = unconverted_[kSpaceBar];
    if (u.count++ == 0 || b.element < u.first_element) {
      u.first_element = b.element;
      u.line = b.line;
      u.type = kSpaceBar;
    }
  }
  // The first element that tarvex does not convert, as the copy has them.
  for (const SpaceBar& b : space_bars_) {
    if (element_type_[static_cast<std::size_t>(b.element - 1)] == kBarType) continue;
    if (first_unconverted_ == 0 || b.element < first_unconverted_) {
      first_unconverted_ = b.element;
      first_unconverted_type_ = kSpaceBar;
    }
  }
  if (mended == 0) return;
  add(Kind::kUnconvertedElement, line,
      str(mended) + " element" + (mended > 1 ? "s" : "") + " of type 5 (space frame bar), the " +
          "first element " + str(first) + (mended > 1 ? ", have" : ", has") +
          " the stiffness of a rectangular bar (S0)",
      "tarvex does not convert type 5: it makes no ANSYS element of them, and numbers every "
      "later element one lower than document 1 does",
      "make them type 10, tarvex's bar, which ANSYS builds as the same BEAM4; confirm that "
      "the bars are meant as plain space frame bars",
      true);
}

// The second pass: elements against the stiffnesses and the nodes.
void ModelChecker::element_record_second() {
  long element_no = ++element_no_;
  std::size_t n = record_size_;
  std::int32_t type = int_of(record_[0].text);
  if (type == kSpaceBar && element_type_[static_cast<std::size_t>(element_no - 1)] == kBarType &&
      record_[0].segment == segment_) {
    type = kBarType;
    late_edits_.push_back(Edit{record_[0].pos, record_[0].length, str(kBarType)});
  }
  ElementKind kind = lira::element_kind(type);
  if (kind == ElementKind::kUnconverted || n < 2) return;
  long line = record_[0].line;
  std::int32_t s = int_of(record_[1].text);
  std::string element = "element " + str(element_no) + " (type " + str(type) + ")";
  StiffnessKind has = kind_of(s);
  if (s > 0 && s < lira::kStiffnessCount && stiffness_[s].line != 0 &&
      has != StiffnessKind::kUnknown) {
    if (kind == ElementKind::kLayeredShell && has != StiffnessKind::kSolid) {
      add(Kind::kLayeredWithoutSlab, line,
          element + " is a layered shell, but its stiffness " + str(s) + " is " + kind_text(has),
          stop_message(msg::kNoSlab, {str(element_no), str(type), str(s)}),
          "give it a reinforced concrete slab stiffness (GENE14/), or make it a plate (type " +
              str(lira::plain_plate_of(type)) + ")");
    } else if (kind != ElementKind::kLayeredShell && has != kind_for(kind)) {
      add(Kind::kStiffnessPairing, line,
          element + " has stiffness " + str(s) + ", which is " + kind_text(has) +
              ", where it needs " + kind_text(kind_for(kind)),
          "tarvex builds it with the ANSYS element type of its stiffness, not the one its type "
          "needs",
          "give the element a stiffness of its own kind");
    }
  }
  // Stiffness 0, which document 3 cannot give: a layered shell finds no slab
  // in it, a plastic bar no holder value (after its first node's layers).
  if (s == 0 && kind == ElementKind::kLayeredShell) {
    add(Kind::kLayeredWithoutSlab, line, element + " has stiffness 0",
        stop_message(msg::kNoSlab, {str(element_no), str(type), "0"}),
        "give it a reinforced concrete slab stiffness (GENE14/) of document 3");
  }
  if (s == 0 && kind == ElementKind::kPlasticBar && n > 2) {
    std::int32_t first = int_of(record_[2].text);
    if (first >= 1 && static_cast<std::size_t>(first) < layered_node_.size() &&
        layered_node_[static_cast<std::size_t>(first)]) {
      add(Kind::kStiffnessPairing, line, element + " has stiffness 0, which holds no plastic bar",
          stop_message(msg::kHolderZero),
          "give it a plastic bar stiffness (S100) of document 3 with \"AZ\" and its holder value");
    }
  }
  std::size_t corners = static_cast<std::size_t>(corners_of(type));
  for (std::size_t i = 2; i < n && i < 2 + corners; ++i) {
    // A "/" before the record's end is a node 0 to tarvex.
    if (record_[i].text == "/" && i + 1 == n) break;
    std::int32_t node = int_of(record_[i].text);
    if (node < 1 || node > nodes_) {
      add(Kind::kNodeRange, line,
          element + " names node " + str(node) + ", outside 1 to " + str(nodes_),
          stop_message(msg::kNodeOutside, {str(node), str(element_no), str(nodes_)}),
          "name nodes of document 4");
      continue;
    }
    if (kind == ElementKind::kElasticLink || kind == ElementKind::kPlasticBar) {
      bool layered = static_cast<std::size_t>(node) < layered_node_.size() &&
                     layered_node_[static_cast<std::size_t>(node)];
      if (!layered) {
        add(Kind::kLinkAwayFromShell, line,
            element +
                std::string(kind == ElementKind::kElasticLink ? " is an elastic link"
                                                              : " is a plastic bar") +
                " at node " + str(node) + ", which is no node of a layered shell",
            stop_message(kind == ElementKind::kElasticLink ? msg::kElasticLinkNode
                                                           : msg::kPlasticBarNode),
            kind == ElementKind::kElasticLink
                ? "tarvex hangs an elastic link under the layer nodes of a slab (types 241, 242, "
                  "244) only; a spring elsewhere, such as at a pile's toe, needs a spring "
                  "element (COMBIN14) or a support in ANSYS: give the node a support in "
                  "document 5, or add the spring to the script after the conversion"
                : "place plastic bars at nodes of layered shells (types 241, 242, 244) only");
      }
    }
  }
  if (lira::is_shell(type) && corners == 4 && n >= 6) twisted_check(element, line);
  if (lira::is_shell(type) && corners == 3 && n >= 5) flat_triangle_check(element, line);
}

// A triangle whose corners lie on one line (two of them the same point, or
// all three in a row) spans no face; the script writes it a, b, c, c.
void ModelChecker::flat_triangle_check(const std::string& element, long line) {
  Point p[4];
  std::string names;
  for (int i = 0; i < 3; ++i) {
    std::int32_t node = int_of(record_[2 + static_cast<std::size_t>(i)].text);
    if (node < 1 || node > nodes_) return;
    const float* c = &coordinates_[static_cast<std::size_t>(node - 1) * 3];
    p[i] = Point{c[0], c[1], c[2]};
    names += (i ? " " : "") + str(node);
  }
  p[3] = p[2];
  if (!twisted(p)) return;
  add(Kind::kTwistedPlate, line, element + " on nodes " + names + " has corners that lie on one line",
      "ANSYS builds an element without area", "give the element three corners that span a face");
}

// tarvex writes a quadrilateral's corners a, b, c, d of document 1 in
// LIRA's order, a, b, then the corners opposite them: a, b, d, c. Where
// these cross over, ANSYS builds a bow tie; the order of document 1 that
// untwists it is the finding's cure.
void ModelChecker::twisted_check(const std::string& element, long line) {
  std::int32_t node[4];
  for (int i = 0; i < 4; ++i) {
    node[i] = int_of(record_[2 + static_cast<std::size_t>(i)].text);
    if (node[i] < 1 || node[i] > nodes_) return;
  }
  auto face = [&](const int order[4], Point p[4]) {
    for (int i = 0; i < 4; ++i) {
      const float* c = &coordinates_[static_cast<std::size_t>(node[order[i]] - 1) * 3];
      p[i] = Point{c[0], c[1], c[2]};
    }
  };
  auto names = [&](const int order[4]) {
    std::string text;
    for (int i = 0; i < 4; ++i) text += (i ? " " : "") + str(node[order[i]]);
    return text;
  };
  // The corners as tarvex writes them from each order of document 1.
  const int* script = lira::kScriptCorner;
  static const int kOrders[][4] = {{0, 1, 3, 2}, {0, 2, 1, 3}, {0, 2, 3, 1},
                                   {0, 3, 1, 2}, {0, 3, 2, 1}};
  Point p[4];
  face(script, p);
  if (!twisted(p)) return;
  static const int kAsWritten[] = {0, 1, 2, 3};
  std::string as_written = names(kAsWritten);
  for (const auto& order : kOrders) {
    int written[4];
    for (int i = 0; i < 4; ++i) written[i] = order[script[i]];
    face(written, p);
    if (twisted(p)) continue;
    // Written round the perimeter (a, b, c, d): the last two corners change
    // places in the copy, where they stand as plain numbers on its line.
    const Tok& c = record_[4];
    const Tok& d = record_[5];
    bool swap = &order == &kOrders[0] && c.segment == segment_ && d.segment == segment_ &&
                is_integer(c.text) && is_integer(d.text) && c.written.empty() &&
                d.written.empty();
    if (swap && fixing()) {
      late_edits_.push_back(Edit{c.pos, c.length, d.text});
      late_edits_.push_back(Edit{d.pos, d.length, c.text});
    }
    add(Kind::kTwistedPlate, line,
        element + " on nodes " + as_written + " is twisted: tarvex writes its corners in the order " +
            names(script) + ", which cross over",
        "ANSYS builds a bow tie, an element without a proper area: its stiffness and the "
        "pressure on it are wrong",
        "write its nodes " + names(order) + " in document 1 (a, b, then the corners opposite "
        "them)",
        swap);
    return;
  }
  add(Kind::kTwistedPlate, line,
      element + " on nodes " + as_written + " has corners that span no face",
      "ANSYS builds an element without area", "give the element four corners that span a face");
}

// The second pass: the loads of document 6.
void ModelChecker::load_record() {
  std::size_t n = record_size_;
  long line = record_[0].line;
  std::int32_t f[5] = {};
  for (std::size_t i = 0; i < 5; ++i) {
    bool early = i >= n || record_[i].text[0] == '/' || (i < 4 && record_[i].text.back() == '/');
    if (early) {
      add(Kind::kLoadRefused, line, "the load record has its \"/\" before its fifth number",
          stop_message(msg::kLoadTable),
          "write element, load type, direction, value line and load case, then \" /\"");
      return;
    }
    f[i] = int_of(record_[i].text);
  }
  std::int32_t number = f[0], type = f[1], direction = f[2], value_line = f[3], load_case = f[4];
  if (type == 16) facts_.add_weight_case(load_case, line);
  std::string load = "the load on " + std::string(type == 0 ? "node " : "element ") + str(number) +
                     " (load type " + str(type) + ", direction " + str(direction) + ", case " +
                     str(load_case) + ")";
  if (!weight_known_) {
    if (options_.has_weight_case) {
      weight_case_ = options_.weight_case;
      weight_known_ = true;
    } else if (type == 16) {
      weight_case_ = load_case;
      weight_known_ = true;
    }
  }
  if (!listed(load_case)) {
    add(Kind::kLoadCaseUnlisted, line,
        load + " belongs to a load case that document 16 does not list", "tarvex never applies it",
        "list load case " + str(load_case) + " in document 16");
    return;
  }
  if (value_line < 1 || value_line > value_lines_) {
    add(Kind::kLoadRefused, line,
        load + " takes its values from line " + str(value_line) + " of document 7, which has " +
            str(value_lines_) + " lines",
        stop_message(msg::kValueLine), "name a line of document 7");
    return;
  }
  if (type == 0) {
    if (lira::load_rule(type, direction, 0).refusal != lira::LoadRefusal::kNone) {
      add(Kind::kLoadRefused, line, load + " has no direction 1 to 6",
          stop_message(msg::kOtherDirection, {str(direction)}),
          "give forces directions 1 to 3 and moments 4 to 6");
    }
    return;
  }
  if (type == 16) {
    own_weight(number, direction, value_line, load_case, line);
    return;
  }
  if (number < 1 || number > elements_) {
    add(Kind::kLoadRefused, line, load + " names an element that document 1 does not have",
        stop_message(msg::kNotInDoc1, {str(number), str(elements_)}),
        "name an element of document 1");
    return;
  }
  element_load(load, number, type, direction, line);
}

// A load on an element: what tarvex does with its load type and direction
// on that kind of element.
void ModelChecker::element_load(const std::string& load, std::int32_t number, std::int32_t type,
                                std::int32_t direction, long line) {
  std::int32_t element_type = element_type_[static_cast<std::size_t>(number - 1)];
  ElementKind kind = lira::element_kind(element_type);
  lira::LoadRule rule = lira::load_rule(type, direction, element_type);
  if (rule.effect == lira::LoadEffect::kBeamPressure) {
    if (rule.refusal != lira::LoadRefusal::kNone) {
      add(Kind::kLoadRefused, line, load + " on a bar",
          direction >= 1 && direction <= 6 ? stop_message(msg::kBeamDirection)
                                           : stop_message(msg::kOtherDirection, {str(direction)}),
          "load bars in direction 2 or 3");
      return;
    }
  } else if (rule.effect == lira::LoadEffect::kShellPressure) {
    // The load type is refused before anything is written, the direction after.
    if (rule.refusal == lira::LoadRefusal::kBeforeWriting) {
      add(Kind::kLoadRefused, line, load + " on a plate", stop_message(msg::kShellLoadType),
          "load plates with load type 6 or 7");
      return;
    }
    if (rule.refusal == lira::LoadRefusal::kAfterCommand) {
      add(Kind::kLoadRefused, line, load + " on a plate",
          direction >= 1 && direction <= 6 ? stop_message(msg::kShellDirection)
                                           : stop_message(msg::kOtherDirection, {str(direction)}),
          "load plates in direction 3");
      return;
    }
  } else {
    std::string on =
        kind == ElementKind::kUnconverted
            ? "an element of type " + str(element_type) + ", which tarvex does not convert"
        : kind == ElementKind::kElasticLink ? std::string("an elastic link")
                                            : "a bar (only load type 6 is applied to bars)";
    add(Kind::kLoadSkipped, line, load + " is on " + on, "tarvex skips it: the load is lost",
        "apply the load to a bar (load type 6) or a plate (load types 6, 7)");
    return;
  }
  if (first_unconverted_ != 0 && number > first_unconverted_) {
    add(Kind::kLoadShifted, line,
        load + " comes after element " + str(first_unconverted_) + " of type " +
            str(first_unconverted_type_) + ", which tarvex does not convert",
        stop_message(msg::kLoadShifted, {str(number), str(first_unconverted_),
                                         str(first_unconverted_type_), str(first_unconverted_)}),
        "put the elements of types tarvex does not convert after all others, or convert them");
  }
}

// The own weight is an acceleration on every element: those after the last
// own-weight record must weigh nothing.
void ModelChecker::finish_second_pass() {
  if (options_.has_weight_case) weight_case_ = options_.weight_case;
  if (weight_case_ == 0 || !listed(weight_case_)) return;
  for (long j = highest_weighted_ + 1; j <= elements_; ++j) {
    std::int32_t t = element_type_[static_cast<std::size_t>(j - 1)];
    ElementKind k = lira::element_kind(t);
    if (k == ElementKind::kElasticLink) continue;
    if (k == ElementKind::kUnconverted) {
      add(Kind::kOwnWeight, 0,
          "element " + str(j) + ", after the last own-weight record of case " + str(weight_case_) +
              ", is of type " + str(t),
          stop_message(msg::kZeroWeightType), "give own-weight records only to converted elements");
      return;
    }
    if (options_.has_density &&
        density_of(element_stiffness_[static_cast<std::size_t>(j - 1)]) != 0.0f) {
      add(Kind::kOwnWeight, 0,
          "element " + str(j) + " has no own-weight record in case " + str(weight_case_) +
              ", though it weighs at density " +
              str(static_cast<long long>(
                  density_of(element_stiffness_[static_cast<std::size_t>(j - 1)]))),
          stop_message(msg::kUndescribedWeight),
          "give element " + str(j) + " its own-weight record, or its stiffness the density 0");
      return;
    }
  }
}

// Own weight: tarvex applies it as an acceleration, after checking each
// record against the density of the element's stiffness.
void ModelChecker::own_weight(long element, std::int32_t direction, std::int32_t value_line,
                              std::int32_t load_case, long line) {
  std::string load = "the own weight of element " + str(element);
  if (load_case != weight_case_) {
    add(Kind::kOwnWeight, line,
        load + " stands in load case " + str(load_case) +
            (weight_case_ == 0 ? std::string(", while tarvex is answered 0: no own-weight case")
                               : ", not in the own-weight case " + str(weight_case_)),
        stop_message(msg::kNotWeight),
        "keep own weight (load type 16) in one load case, and name it "
        "as the own-weight case to tarvex");
    return;
  }
  if (element < 1 || element > elements_) {
    add(Kind::kLoadRefused, line, load + ": document 1 has no such element",
        stop_message(msg::kNotInDoc1, {str(element), str(elements_)}),
        "name an element of document 1");
    return;
  }
  auto weighs = [&](std::int32_t s) { return options_.has_density && density_of(s) != 0.0f; };
  // The elements between the last own-weight record and this one must weigh
  // nothing.
  for (long j = last_weighted_ + 1; j < element; ++j) {
    std::int32_t t = element_type_[static_cast<std::size_t>(j - 1)];
    ElementKind k = lira::element_kind(t);
    if (k == ElementKind::kElasticLink) continue;
    if (k == ElementKind::kUnconverted) {
      add(Kind::kOwnWeight, line,
          "element " + str(j) + ", before " + load + ", is of type " + str(t),
          stop_message(msg::kZeroWeightType),
          "give own-weight records only after converted elements");
      break;
    }
    if (weighs(element_stiffness_[static_cast<std::size_t>(j - 1)])) {
      add(Kind::kOwnWeight, line,
          "element " + str(j) + " has no own-weight record, though it weighs at density " +
              str(static_cast<long long>(
                  density_of(element_stiffness_[static_cast<std::size_t>(j - 1)]))),
          stop_message(msg::kUndescribedWeight),
          "give element " + str(j) + " its own-weight record, or its stiffness the density 0");
      break;
    }
  }
  last_weighted_ = element;
  if (element > highest_weighted_) highest_weighted_ = element;
  std::int32_t t = element_type_[static_cast<std::size_t>(element - 1)];
  std::int32_t s = element_stiffness_[static_cast<std::size_t>(element - 1)];
  ElementKind k = lira::element_kind(t);
  if (k == ElementKind::kUnconverted || k == ElementKind::kElasticLink) {
    add(Kind::kOwnWeight, line, load + ", of type " + str(t), stop_message(msg::kWeightType),
        "drop own weight on elastic links and on types tarvex does not convert");
    return;
  }
  if (direction != 3) {
    add(Kind::kOwnWeight, line, load + " has direction " + str(direction),
        stop_message(msg::kWeightDirection), "give own weight direction 3");
    return;
  }
  if (s < 0 || s >= lira::kStiffnessCount) return;
  // The record says the density: its value over the section, in kg/m3.
  if (stiffness_[s].section > 0) {
    facts_.set_weight_density(
        s, first_value_[static_cast<std::size_t>(value_line - 1)] * 1000.0 / stiffness_[s].section,
        line);
  }
  if (!options_.has_density) return;
  // As tarvex works it out, in single precision: the stiffness's weight
  // intensity times 10 against the value times 10000.
  float density = density_of(s);
  float intensity = lira::weight_intensity(stiffness_[s].section, density);
  float value = lira::to_single(
      static_cast<double>(first_value_[static_cast<std::size_t>(value_line - 1)]) * lira::kStressUnit);
  if (!lira::weight_passes(intensity, value)) {
    std::ostringstream expected;
    expected << static_cast<double>(intensity) / 1000.0;
    std::ostringstream given;
    given << first_value_[static_cast<std::size_t>(value_line - 1)];
    add(Kind::kOwnWeight, line,
        load + " is " + given.str() + " (line " + str(value_line) +
            " of document 7), where stiffness " + str(s) + " at density " +
            str(static_cast<long long>(density)) + " gives " + expected.str(),
        stop_message(msg::kWeightValue),
        "write " + expected.str() + " on line " + str(value_line) +
            " of document 7, or give tarvex the density the model was made with");
  }
}

int finish(Report& report, std::ostream& out, const std::string& name,
           const std::string* fixed_name) {
  report.print(out);
  if (report.count() == 0) {
    out << name << ": no findings: tarvex will read it as it is written.\n";
  } else {
    out << name << ": " << report.count() << " finding" << (report.count() > 1 ? "s" : "");
    if (fixed_name != nullptr) out << ", " << report.mended() << " mended";
    out << ".\n";
  }
  if (fixed_name != nullptr) {
    out << *fixed_name << " written";
    if (report.count() > report.mended()) {
      out << "; " << report.count() - report.mended() << " finding"
          << (report.count() - report.mended() > 1 ? "s are" : " is") << " left to mend by hand";
    }
    out << ".\n";
    return report.count() > report.mended() ? kFindings : kClean;
  }
  return report.count() == 0 ? kClean : kFindings;
}

// Both passes over a model that `open` reads from its start each time.
template <typename Open>
AnswerFacts check(Open open, const Options& options, Report& report, std::ostream* fixed) {
  ModelChecker checker(options, report, fixed);
  {
    LineReader in = open();
    checker.pass(in, false);
  }
  checker.finish_first_pass();
  LineReader in = open();
  checker.pass(in, true);
  checker.finish_second_pass();
  return checker.facts();
}

}  // namespace

std::size_t extension_of(const std::string& name) {
  std::size_t slash = name.find_last_of("/\\");
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = name.size();
  return dot;
}

std::string fixed_name_of(const std::string& name) {
  std::size_t dot = extension_of(name);
  return name.substr(0, dot) + ".fixed" + name.substr(dot);
}

bool readable(const std::string& name, std::ostream& out) {
  if (LineReader(name).ok()) return true;
  out << "modelcheck: " << name << " cannot be read.\n";
  return false;
}

bool open_mended_copy(bool fixing, const std::string& name, std::ofstream& file, std::ostream& out) {
  if (!fixing) return true;
  file.open(name, std::ios::binary);
  if (file) return true;
  out << "modelcheck: " << name << " cannot be written.\n";
  return false;
}

int check_model_text(std::string_view text, const std::string& name, const Options& options,
                     std::ostream& out, std::string* fixed, AnswerFacts* facts) {
  Report report(name);
  std::ostringstream copy;
  AnswerFacts found =
      check([&] { return LineReader::from_text(text); }, options, report, fixed ? &copy : nullptr);
  if (facts != nullptr) *facts = found;
  if (fixed != nullptr) *fixed = copy.str();
  add_tarvex_stop(lira::TextReader::from_text(name, fixed != nullptr ? *fixed : text),
                  fixed != nullptr, report);
  std::string fixed_name = fixed_name_of(name);
  return finish(report, out, name, fixed != nullptr ? &fixed_name : nullptr);
}

namespace {

// The answers beside the mended copy, and the report that names them.
int write_answers(const AnswerFacts& facts, const Options& options, const std::string& name,
                  Report& report, std::ostream& out, const std::string& fixed_name) {
  std::string answers_name = answers_name_of(name);
  SettledAnswers answers = settle_answers(facts, options, answers_name, report);
  std::ofstream file(answers_name, std::ios::binary);
  if (!(file << answers_text(answers)).flush()) {
    out << "modelcheck: " << answers_name << " cannot be written.\n";
    return kUsage;
  }
  int code = finish(report, out, name, &fixed_name);
  out << answers_name << " written: " << answers_summary(answers) << ".\n";
  return code;
}

}  // namespace

int check_model(const Options& options, std::ostream& out) {
  std::string name = options.file(0, "modellir.txt");
  if (!readable(name, out)) return kUsage;
  Report report(name);
  bool fixing = options.mode == Mode::kFix;
  std::string fixed_name = fixed_name_of(name);
  std::ofstream file;
  if (!open_mended_copy(fixing, fixed_name, file, out)) return kUsage;
  AnswerFacts facts =
      check([&] { return LineReader(name); }, options, report, fixing ? &file : nullptr);
  if (fixing && !file.flush()) {
    out << "modelcheck: " << fixed_name << " cannot be written.\n";
    return kUsage;
  }
  if (fixing && report.cut()) {
    file.close();
    std::remove(fixed_name.c_str());
    report.print(out);
    out << "modelcheck: " << name << " has a line too long to mend; no " << fixed_name
        << " written.\n";
    return kUsage;
  }
  file.close();
  add_tarvex_stop(lira::TextReader(fixing ? fixed_name : name), fixing, report);
  if (!fixing) return finish(report, out, name, nullptr);
  return write_answers(facts, options, name, report, out, fixed_name);
}

}  // namespace modelcheck
