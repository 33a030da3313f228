#include "tarvex_reading.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/stop.h"

namespace modelcheck {
namespace {

using lira::Token;

[[noreturn]] void bad(const std::string& what) { lira::fail("\nIncorrect modellir.txt: " + what); }

void next(lira::TextReader& in, Token& t) { lira::next_token(in, t); }

double real_of(lira::TextReader& in, Token& t) {
  next(in, t);
  return lira::to_real(t).value;
}

int stiffness_number(std::int32_t v) {
  if (v < 0 || v >= lira::kStiffnessCount) {
    bad("stiffness number " + std::to_string(v) + " is outside 0 to 49.");
  }
  return v;
}

bool plate_modulus(const Token& t) {
  double v = lira::to_real(t).value;
  return v != 0 && v != HUGE_VAL && v != -HUGE_VAL && t.view().find('.') != std::string_view::npos;
}

// The reinforced concrete slab: its diagram, steel, reinforcement rows,
// thickness and Poisson's ratio; what the script needs is the modulus, the
// thickness and the three layer thicknesses.
void read_slab(lira::TextReader& in, ModelStiffness& s) {
  Token t;
  next(in, t);  // the sub-record's stiffness number
  next(in, t);
  double ec = 0, previous_e = 0, previous_s = 0;
  int points = 0;
  while (!t.starts_with("NA11")) {
    if (t.starts_with("DEL")) break;
    if (t.starts_with("NA")) bad("unexpected reinforcement.");
    double e = lira::to_real(t).value;
    next(in, t);
    lira::RealValue stress = lira::to_real(t);
    ++points;
    // A slash glued to a stress ends its sub-record: the next stiffness number
    // is dropped, never taken for a strain.
    if (lira::ends_with_slash(stress.end)) next(in, t);
    if (points >= 2 && previous_s < 0 && stress.value > 0) {
      ec = (previous_s / previous_e + stress.value / e) * 0.5 * 10000;
    }
    previous_e = e;
    previous_s = stress.value;
    next(in, t);
  }
  if (!t.starts_with("NA11")) bad("reinforcement properties not specified.");
  next(in, t);
  next(in, t);
  next(in, t);
  lira::skip_record(in);
  next(in, t);
  next(in, t);
  if (!t.starts_with("SA2")) bad("reinforcement area not specified.");
  lira::skip_record(in);
  next(in, t);
  next(in, t);
  std::vector<double> levels;
  while (!t.starts_with("DEL")) {
    next(in, t);
    levels.push_back(real_of(in, t));
    lira::skip_record(in);
    next(in, t);
    next(in, t);
  }
  double thickness = real_of(in, t);
  next(in, t);
  next(in, t);
  next(in, t);
  if (!t.starts_with("NU=")) bad("Poison ratio not specified.");
  next(in, t);
  lira::RealValue nu = lira::to_real(t);
  if (!lira::ends_with_slash(nu.end)) lira::skip_record(in);
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  if (levels.size() != 2) {
    lira::fail("\nError: Number of reiforcement layers = " + std::to_string(levels.size()));
  }
  double z0 = levels[0] / 100, z1 = levels[1] / 100;
  if (!(-0.5 * thickness <= z0 && z0 < -0.25 * thickness) ||
      !(0.25 * thickness < z1 && z1 <= 0.5 * thickness)) {
    bad("impossible reinforcement.");
  }
  s.modulus = ec;
  s.poisson = nu.value;
  s.section = thickness;
  s.layer[0] = (z0 + 0.5 * thickness) * 2;
  s.layer[2] = (0.5 * thickness - z1) * 2;
  s.layer[1] = thickness - s.layer[0] - s.layer[2];
}

void read_plastic_bar(lira::TextReader& in, ModelStiffness& s) {
  Token t;
  double b = real_of(in, t) / 100;
  lira::RealValue h = (next(in, t), lira::to_real(t));
  if (!lira::ends_with_slash(h.end)) lira::skip_record(in);
  s.section = h.value / 100 * b;
  next(in, t);
  next(in, t);
  if (!t.starts_with("NB11/0")) bad("plastic material of a bar not specified.");
  s.modulus = real_of(in, t) * 10000;
  next(in, t);  // the yield stress
  lira::skip_record(in);
  do next(in, t);
  while (!t.starts_with("AZ") && !t.starts_with("TW"));
  if (t.starts_with("AZ")) {
    s.holder = static_cast<float>(real_of(in, t));
    do next(in, t);
    while (!t.starts_with("TW"));
  }
  lira::skip_record(in);
}

void read_stiffness(lira::TextReader& in, TarvexModel& m) {
  if (!lira::find_document(in, lira::kStiffnessHeader)) bad("no stiffness.");
  int counter = 1;  // the preamble's real-constant set
  Token t, kind;
  next(in, t);
  while (t.first() != ')') {
    std::int32_t v = lira::to_int(t).value;
    next(in, kind);
    lira::StiffnessKind k = lira::stiffness_kind(kind.view(), plate_modulus(kind));
    if (k == lira::StiffnessKind::kUnknown) {
      lira::skip_record(in);
      next(in, t);
      continue;
    }
    // A stiffness defined again keeps what its new kind does not set.
    ModelStiffness& s = m.stiffness[stiffness_number(v)];
    s.defined = true;
    s.kind = k;
    switch (k) {
      case lira::StiffnessKind::kElasticLink: {
        next(in, t);
        lira::RealValue e = lira::to_real(t);
        s.modulus = e.value * 10000;
        if (!lira::ends_with_slash(e.end)) next(in, t);
        s.real_set[0] = 1;
        break;
      }
      case lira::StiffnessKind::kSolid:
        read_slab(in, s);
        s.real_set[1] = counter + 1;
        s.real_set[2] = counter + 2;
        s.real_set[0] = counter + 3;
        counter += 3;
        break;
      case lira::StiffnessKind::kRectangularBar: {
        s.modulus = real_of(in, t) * 10000;
        double b = real_of(in, t) / 100;
        lira::RealValue h = (next(in, t), lira::to_real(t));
        if (!lira::ends_with_slash(h.end)) lira::skip_record(in);
        s.section = h.value / 100 * b;
        s.real_set[0] = ++counter;
        break;
      }
      case lira::StiffnessKind::kPlasticBar:
        read_plastic_bar(in, s);
        s.real_set[0] = ++counter;
        break;
      case lira::StiffnessKind::kPlate: {
        s.modulus = lira::to_real(kind).value * 10000;
        s.poisson = real_of(in, t);
        lira::RealValue th = (next(in, t), lira::to_real(t));
        s.section = th.value;
        if (!lira::ends_with_slash(th.end)) next(in, t);
        s.real_set[0] = ++counter;
        break;
      }
      case lira::StiffnessKind::kUnknown:
        break;
    }
    next(in, t);
  }
}

// The two characters that end a record: the second one is the slash.
void record_end(lira::TextReader& in, const char* what) {
  int first = in.get();
  int second = first == '\n' || first == EOF ? EOF : in.get();
  if (second != '/') bad(what);
}

void read_nodes(lira::TextReader& in, TarvexModel& m) {
  in.get();  // the converter drops the character after document 3
  if (!lira::find_document(in, lira::kNodesHeader)) bad("no nodes.");
  Token t;
  next(in, t);
  while (t.first() != ')') {
    ModelNode n;
    n.x = static_cast<float>(lira::to_real(t).value);
    n.y = static_cast<float>(real_of(in, t));
    if (in.peek() != '/') n.z = static_cast<float>(real_of(in, t));
    record_end(in, "Bad nodes.");
    m.nodes.push_back(n);
    next(in, t);
  }
}

void read_elements(lira::TextReader& in, TarvexModel& m) {
  if (!in.open() || !lira::find_document(in, lira::kElementsHeader)) bad("no elements.");
  Token t;
  next(in, t);
  while (t.first() != ')') {
    ModelElement e;
    e.type = lira::to_int(t).value;
    int count = 0;
    switch (lira::element_kind(e.type)) {
      case lira::ElementKind::kBar:
      case lira::ElementKind::kPlasticBar:
        count = 2;
        break;
      case lira::ElementKind::kElasticLink:
        count = 1;
        break;
      case lira::ElementKind::kPlate:
      case lira::ElementKind::kLayeredShell:
        count = lira::shell_corners(e.type);
        break;
      case lira::ElementKind::kUnconverted:
        break;
    }
    if (count == 0) {
      lira::skip_record(in);
    } else {
      next(in, t);
      e.stiffness = stiffness_number(lira::to_int(t).value);
      for (int i = 0; i < count; ++i) {
        next(in, t);
        e.node[i] = lira::to_int(t).value;
      }
      e.node_count = count;
      record_end(in, "error in document 1.");
    }
    m.elements.push_back(e);
    next(in, t);
  }
}

void read_supports(lira::TextReader& in, TarvexModel& m) {
  if (!in.open() || !lira::find_document(in, lira::kSupportsHeader)) bad("no links.");
  Token t;
  next(in, t);
  while (t.first() != ')') {
    lira::IntValue node = lira::to_int(t);
    if (lira::ends_with_slash(node.end)) bad("displacements shouldn't be united.");
    int codes = 0;
    for (next(in, t); t.first() != '/'; next(in, t), ++codes) {
      m.supports.push_back(ModelSupport{node.value, lira::to_int(t).value});
    }
    if (codes == 0) bad("displacements shouldn't be united.");
    next(in, t);
  }
}

// Lines up to one that begins with one of the two headers; the header found,
// or an empty view at the end of the file.
std::string_view find_either(lira::TextReader& in, std::string_view a, std::string_view b) {
  std::string line;
  for (;;) {
    line.clear();
    int c;
    while ((c = in.get()) != EOF && c != '\n') {
      if (line.size() < 8) line += static_cast<char>(c);
    }
    if (c == EOF) return {};
    if (line.compare(0, a.size(), a) == 0) return a;
    if (line.compare(0, b.size(), b) == 0) return b;
  }
}

void read_load_values(lira::TextReader& in, TarvexModel& m) {
  if (!in.open() || !lira::find_document(in, lira::kLoadValuesHeader)) bad("no load values.");
  Token t;
  next(in, t);
  while (t.first() != ')') {
    lira::IntValue line = lira::to_int(t);
    if (line.value != static_cast<std::int32_t>(m.values.size()) + 1 || lira::ends_with_slash(line.end)) {
      bad("illegal line number in doc. 7.");
    }
    std::array<float, 4> v = {0, 0, 0, 0};
    int count = 0;
    for (next(in, t); t.first() != '/'; next(in, t)) {
      if (count == 4) bad("too many values in doc. 7.");
      float read = static_cast<float>(lira::to_real(t).value);
      v[count++] = static_cast<float>(read * 10000.0);
    }
    m.values.push_back(v);
    next(in, t);
  }
  std::string_view found = find_either(in, lira::kLoadCasesHeader, lira::kDynamicHeader);
  if (found == lira::kDynamicHeader) lira::fail("\nmodellir.txt includes doc. 12 - analysis failed.");
  if (found.empty()) bad("no doc. 16.");
  for (int i = 0; i < lira::kLoadCaseMax; ++i) {
    next(in, t);
    if (t.first() == ')') break;
    m.load_cases.push_back(lira::to_int(t).value);
    lira::skip_record(in);
  }
  // The load steps end at the first case numbered 0.
  auto zero = std::find(m.load_cases.begin(), m.load_cases.end(), 0);
  m.load_cases.erase(zero, m.load_cases.end());
}

void read_load_table(lira::TextReader& in, TarvexModel& m) {
  if (!in.open() || !lira::find_document(in, lira::kLoadTableHeader)) bad("no load table.");
  Token t;
  for (;;) {
    ModelLoad r;
    std::int32_t* field[5] = {&r.number, &r.type, &r.direction, &r.line, &r.load_case};
    for (int i = 0; i < 5; ++i) {
      next(in, t);
      if (t.first() == ')') return;
      lira::IntValue v = lira::to_int(t);
      if (t.first() == '/' || (i < 4 && lira::ends_with_slash(v.end))) {
        bad("error in load table (doc. 6).");
      }
      *field[i] = v.value;
      if (i == 4 && !lira::ends_with_slash(v.end)) lira::skip_record(in);
    }
    m.loads.push_back(r);
  }
}

}  // namespace

void read_tarvex_model(lira::TextReader& in, TarvexModel& model) {
  if (!in.open()) lira::fail("\nFile " + in.name() + " can't be opened.");
  read_stiffness(in, model);
  read_nodes(in, model);
  read_elements(in, model);
  read_supports(in, model);
  read_load_values(in, model);
  read_load_table(in, model);
  in.close();
}

}  // namespace modelcheck
