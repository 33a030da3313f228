// The records of a LIRA text model (modellir.txt) as the converter reads
// them: stiffnesses, nodes, elements, supports, value lines, the load-case
// list and the load table. One record at a time, never the whole model: the
// converter streams every document, and a checker that wants tables builds
// them from the records. What is read is shown on an optional echo, so the
// converter's console shows the model text exactly as it reads it.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "conversion_rules.h"
#include "lira_types.h"
#include "text_model.h"
#include "writer.h"

namespace lira {

/// Where a reader shows the model text it reads: a console, or nowhere.
class Echo {
 public:
  Echo() = default;
  explicit Echo(Writer* out) : out_(out) {}
  /// The token and one blank.
  void token(const Token& t) {
    if (out_ != nullptr) {
      out_->write(t.text, static_cast<std::size_t>(t.length));
      *out_ << ' ';
    }
  }
  void text(std::string_view s) {
    if (out_ != nullptr) *out_ << s;
  }
  void raw(const char* data, std::size_t size) {
    if (out_ != nullptr) out_->write(data, size);
  }

 private:
  Writer* out_ = nullptr;
};

/// A model being read: the text, its echo, and the record that messages
/// about a number name ("node 12 in document 4").
class ModelReader {
 public:
  ModelReader(TextReader& in, Echo echo) : in_(in), echo_(echo) {}

  TextReader& in() { return in_; }
  Echo& echo() { return echo_; }

  void name_record(const char* kind, std::int64_t number) {
    record_kind_ = kind;
    record_number_ = number;
  }
  void name_record(std::int64_t number) { record_number_ = number; }

  /// The next token, echoed; the end of the file inside a document stops.
  void next_echoed(Token& token);
  /// A real token of the record being read; a decimal comma stops the run.
  RealValue real(const Token& token) const;
  /// The next token, echoed, as a real.
  RealValue next_real(Token& token) {
    next_echoed(token);
    return real(token);
  }
  /// The end of a record of document 1 or 4: the next two characters (fewer
  /// when a line ends first), echoed with a line end; true when they are one
  /// character and a slash.
  bool record_end();

  /// Opens the model again at its first line; "\nFile modellir.txt can't be
  /// opened." when it cannot be.
  void reopen();
  /// Finds the document of `header` from the current position, its header
  /// line not shown; `missing` stops the run when there is none.
  void find_records(std::string_view header, const char* missing);
  /// As `find_records`, its header line shown with a line end.
  void find_shown(std::string_view header, const char* missing);

 private:
  TextReader& in_;
  Echo echo_;
  const char* record_kind_ = "record";
  std::int64_t record_number_ = 0;
};

/// Checks a stiffness number read from the model before it indexes a table:
/// 0 to 49.
int stiffness_index(std::int32_t number);

/// The diagram of a slab's concrete, in the script's units.
struct SlabDiagram {
  double ec = 0;  // from the last change of the stress from negative to positive
  double ft = 0;  // cracking stress: the last point's
  double fc = 0;  // crushing stress: the first point's, sign turned
};

/// One stiffness of document 3, in the script's units (moduli and stresses
/// times 10000, bar sections in metres).
struct StiffnessRecord {
  std::int32_t number = 0;  // 0 to 49
  StiffnessKind kind = StiffnessKind::kUnknown;
  double modulus = 0;
  double poisson = 0;  // plates and slabs
  double section = 0;  // plate thickness, bar area, slab thickness
  double b = 0, h = 0; // bars: width and height
  double yield = 0;    // plastic bars and the steel of slabs, positive
  float holder = 0;    // plastic bars: the value after "AZ"
  bool has_holder = false;  // without "AZ" a stiffness keeps an earlier holder
  // Slabs.
  SlabDiagram diagram;
  double steel_modulus = 0;
  ReinforcementRow rows[kRowMax];
  int row_count = 0;
};

/// The layers of a slab stiffness as read (`slab_layers`); a diagram whose
/// modulus has no finite value stops the run too.
SlabLayers solid_layers(const StiffnessRecord& s);

/// Document 3, found from the model's current position. Kinds that the
/// converter does not know are passed over with "Unknown element skipped".
class StiffnessReader {
 public:
  explicit StiffnessReader(ModelReader& r);
  /// The next stiffness; false at the ')' that ends the document.
  bool next(StiffnessRecord& s);

 private:
  void elastic_link(StiffnessRecord& s);
  void plate(StiffnessRecord& s, const Token& kind);
  void rectangular_bar(StiffnessRecord& s);
  void plastic_bar(StiffnessRecord& s);
  void find_plastic_keyword(Token& token, const char* first, const char* second);
  void solid(StiffnessRecord& s);
  void diagram(StiffnessRecord& s, Token& token);
  void drop_token();

  ModelReader& r_;
};

/// A node of document 4 as the converter holds it.
struct NodeCoordinates {
  float x = 0, y = 0, z = 0;
};

/// Document 4, found on from the model's current position (after document 3).
class NodeReader {
 public:
  explicit NodeReader(ModelReader& r);
  /// The next node; false at the ')', after which the line is ended.
  bool next(NodeCoordinates& node);
  std::int64_t count() const { return count_; }

 private:
  float coordinate(const Token& token);
  ModelReader& r_;
  std::int64_t count_ = 0;
};

/// Document 1, read from the model's first line. A record is read in steps,
/// as the converter builds it: its type, then its stiffness, then its nodes.
class ElementReader {
 public:
  /// Which records the reading builds, and how it shows the others.
  enum class Skip {
    kSilently,   // the layer nodes' pass: only the type token shows
    kWithSlash,  // the element passes: the type token, then "/"
  };
  ElementReader(ModelReader& r, Skip skip);
  /// The type of the next record; false at the ')'.
  bool next(std::int32_t& type);
  /// The record's position in document 1, from 1.
  std::int64_t element() const { return element_; }
  /// The stiffness token, not yet checked.
  std::int32_t stiffness();
  /// The node numbers of a record of `type` (`element_nodes`) and the record
  /// end; a triangle's fourth corner is its third, unused places are 0.
  void nodes(std::int32_t type, std::int32_t node[4]);
  /// Passes over the rest of the record.
  void skip();

 private:
  std::int32_t integer();
  ModelReader& r_;
  Skip skip_;
  Token token_;
  std::int64_t element_ = 0;
};

/// Document 5, read from the model's first line: one fixed direction at a
/// time. A slash glued to the last code ends the record.
class SupportReader {
 public:
  explicit SupportReader(ModelReader& r);
  /// The next fixed direction, code 1 to 6; false at the ')'.
  bool next(std::int32_t& node, std::int32_t& code);

 private:
  ModelReader& r_;
  Token token_;
  bool in_record_ = false;
  std::int32_t node_ = 0;
  int codes_ = 0;
};

/// A line of document 7: its number and up to four values, each times 10000
/// in single precision, 0 where the line has none.
struct ValueLine {
  std::int32_t line = 0;
  float value[4] = {};
};

/// Document 7, read from the model's first line, its header shown.
class ValueLineReader {
 public:
  explicit ValueLineReader(ModelReader& r);
  /// The next line, numbered from 1 without gaps; false at the ')', after
  /// which the line is ended.
  bool next(ValueLine& line);

 private:
  void read_echoed(Token& token);
  ModelReader& r_;
  Token token_;
  std::int64_t expected_ = 1;
};

/// The load-case list of document 16, searched on from the end of document
/// 7; a document 12 met first stops the run (LIRA's analysis failed).
struct LoadCaseList {
  std::array<std::int32_t, kLoadCaseMax> number{};
  int count = 0;  // records read; the converter stops at the first 0
};
void read_load_cases(ModelReader& r, LoadCaseList& list);

/// A record of document 6.
struct LoadTableRecord {
  std::int32_t number = 0;  // element, or node of a nodal force
  std::int32_t load_type = 0;
  std::int32_t direction = 0;
  std::int32_t value_line = 0;
  std::int32_t load_case = 0;
};

/// Document 6, read from the model's first line, its header shown.
class LoadTableReader {
 public:
  explicit LoadTableReader(ModelReader& r);
  /// The next record; false at the ')', which also ends a record cut short.
  bool next(LoadTableRecord& record);

 private:
  ModelReader& r_;
};

/// Reads lines from the current position until one begins with one of
/// `headers` ("( 16/", "( 12/"), as `find_document` does, and returns the
/// index of the header it begins with; -1 at the end of the file, also when
/// the matching line is the last one and has no line end. `line` gets the
/// whole matched line without its line end.
int find_one_of(TextReader& in, std::initializer_list<std::string_view> headers,
                std::string& line);

}  // namespace lira
