#include "model_reader.h"

#include <algorithm>
#include <cmath>
#include <cfloat>
#include <cstring>

#include "message.h"
#include "model_messages.h"
#include "stop.h"

namespace lira {

// ------------------------------------------------------------ the frame

void ModelReader::next_echoed(Token& token) {
  next_token(in_, token);
  echo_.token(token);
}

RealValue ModelReader::real(const Token& token) const {
  RealValue value = to_real(token);
  if (stops_at_decimal_comma(value)) {
    refuse_decimal_comma(in_.name(), token.view(),
                         std::string(record_kind_) + " " + std::to_string(record_number_) +
                             " in document " + in_.document());
  }
  return value;
}

bool ModelReader::record_end() {
  char taken[2];
  int n = 0;
  while (n < 2) {
    int c = in_.peek();
    if (c == EOF || c == '\n') break;
    taken[n++] = static_cast<char>(in_.get());
  }
  echo_.raw(taken, static_cast<std::size_t>(n));
  echo_.text("\n");
  return n == 2 && taken[1] == '/';
}

void ModelReader::reopen() {
  if (!in_.open()) fail(msg::kCantOpenModel);
}

void ModelReader::find_records(std::string_view header, const char* missing) {
  if (!find_record_document(in_, header)) fail(missing);
}

void ModelReader::find_shown(std::string_view header, const char* missing) {
  std::string line;
  if (find_one_of(in_, {header}, line) < 0) fail(missing);
  echo_.text(line);
  echo_.text("\n");
  check_header_line(in_, header, line);
}

int stiffness_index(std::int32_t number) {
  if (number < 0 || number >= kStiffnessCount) {
    fail(message(msg::kStiffnessOutside, {std::to_string(number)}));
  }
  return number;
}


namespace {

// The header that `line` begins with, or -1; `undecided` when the line is
// still too short to tell.
int header_of(const std::string& line, std::initializer_list<std::string_view> headers,
              bool& undecided) {
  undecided = false;
  int index = 0;
  for (std::string_view header : headers) {
    std::size_t n = std::min(line.size(), header.size());
    if (line.compare(0, n, header.substr(0, n)) == 0) {
      if (n == header.size()) return index;
      undecided = true;
    }
    ++index;
  }
  return -1;
}

}  // namespace

int find_one_of(TextReader& in, std::initializer_list<std::string_view> headers,
                std::string& line) {
  for (;;) {
    // Only a line that may still begin with a header is kept, so a long line
    // of another document costs no memory.
    line.clear();
    bool keep = true;
    int c;
    while ((c = in.get()) != EOF && c != '\n') {
      line += static_cast<char>(c);
      bool undecided;
      if (header_of(line, headers, undecided) < 0 && !undecided) {
        keep = false;
        break;
      }
    }
    if (c == EOF) return -1;
    // The rest of a line that begins with no header is passed over at once.
    if (!keep) {
      if (!skip_line(in)) return -1;
      continue;
    }
    bool undecided;
    int index = header_of(line, headers, undecided);
    if (index >= 0) {
      in.set_document(document_number(headers.begin()[index]));
      return index;
    }
  }
}

// ------------------------------------------------------------ document 3

StiffnessReader::StiffnessReader(ModelReader& r) : r_(r) {
  r_.find_records(kStiffnessHeader, msg::kNoStiffness);
}

bool StiffnessReader::next(StiffnessRecord& s) {
  Token token;
  Token kind;
  for (;;) {
    r_.next_echoed(token);
    if (token.first() == ')') return false;
    std::int32_t v = to_int(token).value;
    r_.name_record("stiffness", v);
    r_.next_echoed(kind);
    double value = r_.real(kind).value;
    StiffnessKind k = stiffness_kind(kind.view(), is_plate_modulus(value, kind.view()));
    if (k == StiffnessKind::kUnknown) {
      r_.echo().text("Unknown element skipped\n");
      skip_record(r_.in());
      continue;
    }
    s = StiffnessRecord{};
    s.number = stiffness_index(v);
    s.kind = k;
    switch (k) {
      case StiffnessKind::kElasticLink: elastic_link(s); break;
      case StiffnessKind::kSolid: solid(s); break;
      case StiffnessKind::kRectangularBar: rectangular_bar(s); break;
      case StiffnessKind::kPlasticBar: plastic_bar(s); break;
      case StiffnessKind::kPlate: plate(s, kind); break;
      case StiffnessKind::kUnknown: break;
    }
    return true;
  }
}

// v 3 E /
void StiffnessReader::elastic_link(StiffnessRecord& s) {
  Token token;
  RealValue e = r_.next_real(token);
  s.modulus = e.value * kStressUnit;
  r_.echo().text("\n");
  if (!ends_with_slash(e.end)) {
    next_token(r_.in(), token);
    if (!ends_stiffness_row(token.view())) fail(msg::kLinkRowEnd);
  }
}

// v E nu t /   (the kind token is the modulus)
void StiffnessReader::plate(StiffnessRecord& s, const Token& kind) {
  s.modulus = to_real(kind).value * kStressUnit;
  Token token;
  s.poisson = r_.next_real(token).value;
  RealValue t = r_.next_real(token);
  s.section = t.value;
  if (!ends_with_slash(t.end)) {
    r_.next_echoed(token);
    if (!ends_stiffness_row(token.view())) fail(msg::kBadStiffness);
  }
  r_.echo().text("\n");
}

// v S0 E b h /
void StiffnessReader::rectangular_bar(StiffnessRecord& s) {
  Token token;
  s.modulus = r_.next_real(token).value * kStressUnit;
  s.b = r_.next_real(token).value / kCentimetre;
  RealValue h = r_.next_real(token);
  s.h = h.value / kCentimetre;
  if (!ends_with_slash(h.end)) skip_record(r_.in());
  r_.echo().text("\n");
  s.section = s.h * s.b;
}

// Reads tokens without echo until one begins with one of the keywords. The
// end of the file first refuses the bar, and so does the end of the document:
// a keyword of a later document is none of the bar's.
void StiffnessReader::find_plastic_keyword(Token& token, const char* first, const char* second) {
  for (;;) {
    if (!read_token(r_.in(), token) || token.first() == ')') {
      fail(msg::kPlasticBar);
    }
    if (token.starts_with(first) || (second != nullptr && token.starts_with(second))) return;
  }
}

// v S100 b h /  v NB11/0 E s ... /  ... AZ holder ... TW ... /
void StiffnessReader::plastic_bar(StiffnessRecord& s) {
  Echo& echo = r_.echo();
  Token token;
  s.b = r_.next_real(token).value / kCentimetre;
  RealValue h = r_.next_real(token);
  s.h = h.value / kCentimetre;
  if (!ends_with_slash(h.end)) skip_record(r_.in());
  echo.text("\n");
  s.section = s.h * s.b;

  drop_token();  // the stiffness number of the material record
  r_.next_echoed(token);
  if (!token.starts_with("NB11/0")) fail(msg::kPlasticMaterial);
  s.modulus = r_.next_real(token).value * kStressUnit;
  RealValue yield = r_.next_real(token);
  s.yield = std::fabs(yield.value) * kStressUnit;
  // A slash glued to the yield stress ends the record there; skipping on to
  // the next slash would swallow the record after it.
  if (!ends_with_slash(yield.end)) skip_record(r_.in());
  echo.text("/\n\n");

  find_plastic_keyword(token, "AZ", "TW");
  if (token.starts_with("AZ")) {
    echo.token(token);
    Token holder;
    read_token(r_.in(), holder);
    echo.raw(holder.text, static_cast<std::size_t>(holder.length));
    echo.text(" /\n");
    s.holder = to_single(r_.real(holder).value);
    s.has_holder = true;
    find_plastic_keyword(token, "TW", nullptr);
  }
  echo.token(token);
  skip_record(r_.in());
  echo.text("/\n");
}

// Each sub-record of a solid stiffness opens with the stiffness number again.
void StiffnessReader::drop_token() {
  Token dropped;
  next_token(r_.in(), dropped);
}

// Points (strain, stress) up to "NA11"; leaves `token` on the ending token.
void StiffnessReader::diagram(StiffnessRecord& rec, Token& token) {
  Echo& echo = r_.echo();
  SlabDiagram& d = rec.diagram;
  int points = 0;
  double prev_e = 0;
  double prev_s = 0;
  drop_token();
  next_token(r_.in(), token);
  while (!token.starts_with("NA11")) {
    if (token.starts_with("DEL")) break;
    if (token.starts_with("NA")) fail(msg::kUnexpectedReinforcement);
    echo.token(token);
    if (token.first() == '/') {
      // A slash of its own where a strain would stand ends the sub-record.
      drop_token();
      echo.text("\n");
      next_token(r_.in(), token);
      continue;
    }
    double e = r_.real(token).value;
    RealValue s = r_.next_real(token);
    // A glued slash ends the sub-record at any point, the first one included,
    // so the next stiffness number is never taken for a strain.
    if (ends_with_slash(s.end)) {
      drop_token();
      echo.text("\n");
    }
    if (points == 0) {
      d.fc = -s.value * kStressUnit;
    } else if (prev_s < 0 && s.value > 0) {
      d.ec = (prev_s / prev_e + s.value / e) * 0.5 * kStressUnit;
    }
    ++points;
    prev_e = e;
    prev_s = s.value;
    next_token(r_.in(), token);
  }
  d.ft = prev_s * kStressUnit;
  echo.text("\n");
  echo.token(token);
  if (!token.starts_with("NA11")) fail(msg::kNoReinforcementProperties);
  if (points == 0) refuse_stiffness(rec.number, msg::kNoDiagramPoints);
}

// A number with the slash glued to it ends its sub-record; otherwise the rest
// of the sub-record up to its slash is passed over.
static void end_sub_record(TextReader& in, const RealValue& last) {
  if (!ends_with_slash(last.end)) skip_record(in);
}

// The sub-records after the kind token "GENE14/", which ends its own record.
void StiffnessReader::solid(StiffnessRecord& s) {
  Echo& echo = r_.echo();
  echo.text("\n");

  Token token;
  diagram(s, token);

  // Steel: a token of no use here, the modulus and the yield stress.
  drop_token();
  s.steel_modulus = r_.next_real(token).value * kStressUnit;
  RealValue fy = r_.next_real(token);
  s.yield = std::fabs(fy.value) * kStressUnit;
  end_sub_record(r_.in(), fy);

  drop_token();
  echo.text("\n");
  r_.next_echoed(token);
  if (!token.starts_with("SA2")) fail(msg::kNoReinforcementArea);
  skip_record(r_.in());

  // Rows a b z, each a sub-record, up to "DEL".
  drop_token();
  echo.text("\n");
  r_.next_echoed(token);
  while (!token.starts_with("DEL")) {
    if (s.row_count == kRowMax) {
      refuse_stiffness(s.number, msg::kTooManyRows);
    }
    ReinforcementRow& row = s.rows[s.row_count];
    row.a = r_.real(token).value;
    row.b = r_.next_real(token).value;
    RealValue z = r_.next_real(token);
    row.z = z.value;
    end_sub_record(r_.in(), z);
    drop_token();
    echo.text("\n");
    ++s.row_count;
    r_.next_echoed(token);
  }

  s.section = r_.next_real(token).value;
  drop_token();
  drop_token();
  next_token(r_.in(), token);
  echo.text(" ");
  echo.token(token);
  if (!token.starts_with("NU=")) fail(msg::kNoPoisson);
  RealValue nu = r_.next_real(token);
  s.poisson = nu.value;
  end_sub_record(r_.in(), nu);
  echo.text("\n\n");
}

SlabLayers solid_layers(const StiffnessRecord& s) {
  SlabLayers layers = slab_layers(s.number, s.rows, s.row_count, s.section);
  // Only the last sign change of the diagram counts: an earlier one at a
  // strain of 0 does no harm, and the named checks of the layers come first.
  if (!std::isfinite(s.diagram.ec)) {
    refuse_stiffness(s.number, msg::kZeroStrain);
  }
  return layers;
}

// ------------------------------------------------------------ document 4

NodeReader::NodeReader(ModelReader& r) : r_(r) {
  r_.find_records(kNodesHeader, msg::kNoNodes);
}

// A coordinate in single precision, as the converter keeps it; one beyond its
// range would become an infinity in the script.
float NodeReader::coordinate(const Token& token) {
  double v = r_.real(token).value;
  if (!(std::fabs(v) <= FLT_MAX)) {
    fail(message(msg::kCoordinateRange, {token.view(), std::to_string(count_ + 1)}));
  }
  return to_single(v);
}

bool NodeReader::next(NodeCoordinates& node) {
  const char* const bad_nodes = msg::kBadNodes;
  Token token;
  r_.next_echoed(token);
  if (token.first() == ')') {
    r_.echo().text("\n");
    return false;
  }
  r_.name_record("node", count_ + 1);
  node = NodeCoordinates{};
  node.x = coordinate(token);
  r_.next_echoed(token);
  RealValue y = to_real(token);
  node.y = coordinate(token);
  // A slash glued to a value is no record end of one character and a slash,
  // after the second value as after the third.
  if (ends_with_slash(y.end)) fail(bad_nodes);
  next_token(r_.in(), token);
  if (token.is("/")) {
    // Two values and the record end: z is 0.
    r_.echo().text("/\n");
  } else {
    r_.echo().raw(token.text, static_cast<std::size_t>(token.length));
    node.z = coordinate(token);
    if (!r_.record_end()) fail(bad_nodes);
  }
  ++count_;
  return true;
}

// ------------------------------------------------------------ document 1

ElementReader::ElementReader(ModelReader& r, Skip skip) : r_(r), skip_(skip) {
  r_.reopen();
  r_.find_records(kElementsHeader, msg::kNoElements);
}

bool ElementReader::next(std::int32_t& type) {
  r_.next_echoed(token_);
  if (token_.first() == ')') return false;
  ++element_;
  type = to_int(token_).value;
  return true;
}

std::int32_t ElementReader::integer() {
  r_.next_echoed(token_);
  return to_int(token_).value;
}

std::int32_t ElementReader::stiffness() { return integer(); }

void ElementReader::nodes(std::int32_t type, std::int32_t node[4]) {
  int count = element_nodes(type);
  bool shell = is_shell(type);
  for (int i = 0; i < 4; ++i) node[i] = 0;
  for (int i = 0; i < count; ++i) node[i] = integer();
  if (shell && is_triangle(type)) node[3] = node[2];
  if (!r_.record_end()) fail(msg::kBadElement);
}

void ElementReader::skip() {
  skip_record(r_.in());
  if (skip_ == Skip::kWithSlash) r_.echo().text("/\n");
}

// ------------------------------------------------------------ document 5

namespace {


}  // namespace

SupportReader::SupportReader(ModelReader& r) : r_(r) {
  r_.reopen();
  r_.find_records(kSupportsHeader, msg::kNoLinks);
}

bool SupportReader::next(std::int32_t& node, std::int32_t& code) {
  for (;;) {
    if (!in_record_) {
      r_.next_echoed(token_);
      if (token_.first() == ')') return false;
      IntValue n = to_int(token_);
      if (ends_with_slash(n.end)) fail(msg::kUnitedDisplacements);
      node_ = n.value;
      codes_ = 0;
      in_record_ = true;
    }
    r_.next_echoed(token_);
    if (token_.first() == '/') {
      if (codes_ == 0) fail(msg::kUnitedDisplacements);
      in_record_ = false;
      continue;
    }
    IntValue c = to_int(token_);
    if (c.value < 1 || c.value > 6) {
      fail(message(msg::kSupportDirection, {token_.view(), std::to_string(node_)}));
    }
    r_.echo().text("\n");
    ++codes_;
    // A slash glued to the last code ends the record there; the next tokens
    // belong to the next node.
    if (ends_with_slash(c.end)) in_record_ = false;
    node = node_;
    code = c.value;
    return true;
  }
}

// ------------------------------------------------------------ document 7

ValueLineReader::ValueLineReader(ModelReader& r) : r_(r) {
  r_.reopen();
  r_.find_shown(kLoadValuesHeader, msg::kNoLoadValues);
  r_.name_record("line", 0);
}

void ValueLineReader::read_echoed(Token& token) {
  // The end of the file gives an empty token, which the checks refuse as a
  // line number or as a fifth value.
  read_token(r_.in(), token);
  r_.echo().token(token);
}

bool ValueLineReader::next(ValueLine& line) {
  read_echoed(token_);
  if (token_.first() == ')') {
    r_.echo().text("\n");
    return false;
  }
  IntValue number = to_int(token_);
  if (number.value != expected_ || ends_with_slash(number.end)) {
    fail(msg::kLineNumber);
  }
  r_.name_record(expected_);
  line = ValueLine{};
  line.line = number.value;
  int count = 0;
  read_echoed(token_);
  while (token_.first() != '/') {
    if (count == 4) fail(msg::kTooManyValues);
    RealValue value = r_.real(token_);
    float scaled = to_single(to_single(value.value) * kStressUnit);
    // An infinite value would reach the script or pass the weight check.
    if (!std::isfinite(scaled)) {
      fail(message(msg::kValueRange, {token_.view(), std::to_string(expected_)}));
    }
    line.value[count++] = scaled;
    // A slash glued to the last value ends the line: the next token is the
    // next line's number, not a value of this one.
    if (ends_with_slash(value.end)) break;
    read_echoed(token_);
  }
  r_.echo().text("\n");
  ++expected_;
  return true;
}

// ------------------------------------------------------------ document 16

void read_load_cases(ModelReader& r, LoadCaseList& list) {
  list = LoadCaseList{};
  std::string header;
  int found = find_one_of(r.in(), {kLoadCasesHeader, kDynamicHeader}, header);
  if (found == 1) fail(msg::kAnalysisFailed);
  if (found < 0) fail(msg::kNoDoc16);
  r.echo().text(header);
  r.echo().text("\n");
  check_header_line(r.in(), kLoadCasesHeader, header);

  Token token;
  while (list.count < kLoadCaseMax) {
    r.next_echoed(token);
    if (token.first() == ')') break;
    IntValue number = to_int(token);
    list.number[static_cast<std::size_t>(list.count++)] = number.value;
    // A slash glued to the number ends the record; a skip would swallow the
    // next record, and its load case with it.
    if (!ends_with_slash(number.end)) {
      skip_record(r.in());
      // The skipped characters pass through the first byte of the token
      // buffer; the last of them is the slash.
      token.text[0] = '/';
    }
  }
  r.echo().text(std::string_view(token.text, std::strlen(token.text)));
  r.echo().text("\n");
}

// ------------------------------------------------------------ document 6

LoadTableReader::LoadTableReader(ModelReader& r) : r_(r) {
  r_.reopen();
  r_.find_shown(kLoadTableHeader, msg::kNoLoadTable);
}

bool LoadTableReader::next(LoadTableRecord& record) {
  std::int32_t* field[] = {&record.number, &record.load_type, &record.direction,
                           &record.value_line, &record.load_case};
  Token token;
  IntValue v{0, nullptr};
  for (int i = 0; i < 5; ++i) {
    r_.next_echoed(token);
    if (token.first() == ')') return false;
    v = to_int(token);
    if (token.first() == '/' || (i < 4 && ends_with_slash(v.end))) {
      fail(msg::kLoadTable);
    }
    *field[i] = v.value;
  }
  // Whatever follows the load case up to the record's slash is not used.
  if (!ends_with_slash(v.end)) skip_record(r_.in());
  r_.echo().text("/\n");
  return true;
}

}  // namespace lira
