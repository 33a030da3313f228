// Elements against their stiffnesses and nodes, loads against their
// elements, value lines and load cases, and the own weight: over what the
// reading of the whole model found.
#include "check_cross_references.h"

#include <sstream>

#include "common/conversion_rules.h"
#include "check_model_checker.h"
#include "geometry.h"

namespace modelcheck::tarvex_check {

bool FirstReading::listed(std::int32_t load_case) const {
  for (int i = 0; i < case_count; ++i) {
    if (cases[i] == load_case) return true;
  }
  return false;
}

namespace {

/// The checks, element by element and load by load in the order of the
/// file, and what the own-weight records leave to the elements after them.
class CrossReferences {
 public:
  CrossReferences(const FirstReading& found, const Options& options, Report& report,
                  MendedCopy* copy, AnswerFacts& facts)
      : found_(found), options_(options), report_(report), copy_(copy), facts_(facts) {}

  void element(long element_no, const ElementFound& e);
  void load(const LoadFound& l);
  void after_last_weight();

 private:
  void twisted_check(const ElementFound& e, long element_no, const std::string& element);
  void flat_triangle_check(const ElementFound& e, const std::string& element);
  void element_load(const std::string& load, std::int32_t number, std::int32_t type,
                    std::int32_t direction, long line);
  void own_weight(long element, std::int32_t direction, std::int32_t value_line,
                  std::int32_t load_case, long line);
  void add(Kind kind, long line, std::string what, std::string effect, std::string mend,
           bool mendable = false) {
    report_.add(make_finding("tarvex", kind, line, std::move(what), std::move(effect),
                             std::move(mend), mendable && copy_ != nullptr));
  }
  StiffnessKind kind_of(std::int32_t s) const { return found_.kind_of(s); }
  /// The density tarvex's answers give stiffness `s`, in single precision as
  /// tarvex keeps it; an elastic link weighs nothing.
  float density_of(std::int32_t s) const {
    if (kind_of(s) == StiffnessKind::kElasticLink) return 0.0f;
    float d = static_cast<float>(options_.density);
    for (const Options::DensityException& e : options_.density_exceptions) {
      if (e.stiffness == s) d = static_cast<float>(e.density);
    }
    return d;
  }
  const ElementFound& element_at(long number) const {
    return found_.elements[static_cast<std::size_t>(number - 1)];
  }

  const FirstReading& found_;
  const Options& options_;
  Report& report_;
  MendedCopy* copy_;
  AnswerFacts& facts_;
  std::int32_t weight_case_ = 0;
  bool weight_known_ = false;  // given, or taken from the first own-weight record
  long last_weighted_ = 0;
  long highest_weighted_ = 0;
  std::vector<bool> weighed_;  // the elements of an own-weight record so far
};

void CrossReferences::element(long element_no, const ElementFound& e) {
  std::int32_t type = e.type;
  ElementKind kind = lira::element_kind(type);
  if (kind == ElementKind::kUnconverted || !e.has_stiffness) return;
  long line = e.line;
  std::int32_t s = e.stiffness;
  std::string element = "element " + str(element_no) + " (type " + str(type) + ")";
  StiffnessKind has = kind_of(s);
  if (s > 0 && s < lira::kStiffnessCount && found_.stiffness[s].line != 0 &&
      has != StiffnessKind::kUnknown) {
    if (kind == ElementKind::kLayeredShell && has != StiffnessKind::kSolid) {
      add(Kind::kLayeredWithoutSlab, line,
          element + " is a layered shell, but its stiffness " + str(s) + " is " +
              lira::stiffness_kind_text(has),
          stop_message(msg::kNoSlab, {str(element_no), str(type), str(s)}),
          "give it a reinforced concrete slab stiffness (GENE14/), or make it a plate (type " +
              str(lira::plain_plate_of(type)) + ")");
    } else if (kind != ElementKind::kLayeredShell && has != lira::stiffness_kind_for(kind)) {
      add(Kind::kStiffnessPairing, line,
          element + " has stiffness " + str(s) + ", which is " + lira::stiffness_kind_text(has) +
              ", where it needs " + lira::stiffness_kind_text(lira::stiffness_kind_for(kind)),
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
  if (s == 0 && kind == ElementKind::kPlasticBar && e.corners > 0) {
    std::int32_t first = e.node[0];
    if (first >= 1 && static_cast<std::size_t>(first) < found_.layered_node.size() &&
        found_.layered_node[static_cast<std::size_t>(first)]) {
      add(Kind::kStiffnessPairing, line, element + " has stiffness 0, which holds no plastic bar",
          stop_message(msg::kHolderZero),
          "give it a plastic bar stiffness (S100) of document 3 with \"AZ\" and its holder value");
    }
  }
  // Any other element of stiffness 0 writes no attributes of its own. (A
  // plastic bar stops tarvex: at its holder value 0, or before it at a node
  // without layers.)
  if (s == 0 && kind != ElementKind::kLayeredShell && kind != ElementKind::kPlasticBar) {
    add(Kind::kUndefinedStiffness, line, element + " has stiffness 0, which document 3 cannot give",
        "tarvex writes no attributes for it and builds it with those written before it (of the "
        "element before it, or ANSYS's first ones)",
        "give it a stiffness of document 3 of its own kind");
  }
  for (int i = 0; i < e.corners; ++i) {
    std::int32_t node = e.node[i];
    if (node < 1 || node > found_.nodes) {
      add(Kind::kNodeRange, line,
          element + " names node " + str(node) + ", outside 1 to " + str(found_.nodes),
          stop_message(msg::kNodeOutside, {str(node), str(element_no), str(found_.nodes)}),
          "name nodes of document 4");
      continue;
    }
    if (kind == ElementKind::kElasticLink || kind == ElementKind::kPlasticBar) {
      bool layered = static_cast<std::size_t>(node) < found_.layered_node.size() &&
                     found_.layered_node[static_cast<std::size_t>(node)];
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
  if (lira::is_shell(type) && e.corners == 4) twisted_check(e, element_no, element);
  if (lira::is_shell(type) && corners_of(type) == 3 && e.corners == 3) {
    flat_triangle_check(e, element);
  }
}

// A triangle whose corners lie on one line (two of them the same point, or
// all three in a row) spans no face; the script writes it a, b, c, c.
void CrossReferences::flat_triangle_check(const ElementFound& e, const std::string& element) {
  Point p[4];
  std::string names;
  for (int i = 0; i < 3; ++i) {
    std::int32_t node = e.node[i];
    if (node < 1 || node > found_.nodes) return;
    const float* c = &found_.coordinates[static_cast<std::size_t>(node - 1) * 3];
    p[i] = Point{c[0], c[1], c[2]};
    names += (i ? " " : "") + str(node);
  }
  p[3] = p[2];
  if (!twisted(p)) return;
  add(Kind::kTwistedPlate, e.line, element + " on nodes " + names + " has corners that lie on one line",
      "ANSYS builds an element without area", "give the element three corners that span a face");
}

// tarvex writes a quadrilateral's corners a, b, c, d of document 1 in
// LIRA's order, a, b, then the corners opposite them: a, b, d, c. Where
// these cross over, ANSYS builds a bow tie; the order of document 1 that
// untwists it is the finding's cure.
void CrossReferences::twisted_check(const ElementFound& e, long element_no,
                                    const std::string& element) {
  const std::int32_t* node = e.node;
  for (int i = 0; i < 4; ++i) {
    if (node[i] < 1 || node[i] > found_.nodes) return;
  }
  long line = e.line;
  auto face = [&](const int order[4], Point p[4]) {
    for (int i = 0; i < 4; ++i) {
      const float* c = &found_.coordinates[static_cast<std::size_t>(node[order[i]] - 1) * 3];
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
    const CornerSwap* site = nullptr;
    if (&order == &kOrders[0] && copy_ != nullptr) {
      auto it = std::lower_bound(
          found_.swaps.begin(), found_.swaps.end(), element_no,
          [](const CornerSwap& w, long n) { return w.element < n; });
      if (it != found_.swaps.end() && it->element == element_no) site = &*it;
    }
    bool swap = site != nullptr;
    if (swap) copy_->swap(site->segment, site->c_pos, site->c_length, site->d_pos, site->d_length);
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

// The loads of document 6.
void CrossReferences::load(const LoadFound& l) {
  long line = l.line;
  if (l.early_slash) {
    add(Kind::kLoadRefused, line, "the load record has its \"/\" before its fifth number",
        stop_message(msg::kLoadTable),
        "write element, load type, direction, value line and load case, then \" /\"");
    return;
  }
  std::int32_t number = l.number, type = l.type, direction = l.direction,
               value_line = l.value_line, load_case = l.load_case;
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
  if (!found_.listed(load_case)) {
    add(Kind::kLoadCaseUnlisted, line,
        load + " belongs to a load case that document 16 does not list", "tarvex never applies it",
        "list load case " + str(load_case) + " in document 16");
    return;
  }
  if (value_line < 1 || value_line > found_.value_lines) {
    add(Kind::kLoadRefused, line,
        load + " takes its values from line " + str(value_line) + " of document 7, which has " +
            str(found_.value_lines) + " lines",
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
  if (number < 1 || number > found_.element_count()) {
    add(Kind::kLoadRefused, line, load + " names an element that document 1 does not have",
        stop_message(msg::kNotInDoc1, {str(number), str(found_.element_count())}),
        "name an element of document 1");
    return;
  }
  element_load(load, number, type, direction, line);
}

// A load on an element: what tarvex does with its load type and direction
// on that kind of element.
void CrossReferences::element_load(const std::string& load, std::int32_t number,
                                   std::int32_t type, std::int32_t direction, long line) {
  std::int32_t element_type = element_at(number).type;
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
  if (found_.first_unconverted != 0 && number > found_.first_unconverted) {
    add(Kind::kLoadShifted, line,
        load + " comes after element " + str(found_.first_unconverted) + " of type " +
            str(found_.first_unconverted_type) + ", which tarvex does not convert",
        stop_message(msg::kLoadShifted, {str(number), str(found_.first_unconverted),
                                         str(found_.first_unconverted_type), str(found_.first_unconverted)}),
        "put the elements of types tarvex does not convert after all others, or convert them");
  }
}

// The own weight is an acceleration on every element: those after the last
// own-weight record must weigh nothing.
void CrossReferences::after_last_weight() {
  if (options_.has_weight_case) weight_case_ = options_.weight_case;
  if (weight_case_ == 0 || !found_.listed(weight_case_)) return;
  for (long j = highest_weighted_ + 1; j <= found_.element_count(); ++j) {
    std::int32_t t = element_at(j).type;
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
        density_of(element_at(j).stiffness) != 0.0f) {
      add(Kind::kOwnWeight, 0,
          "element " + str(j) + " has no own-weight record in case " + str(weight_case_) +
              ", though it weighs at density " +
              str(static_cast<long long>(
                  density_of(element_at(j).stiffness))),
          stop_message(msg::kUndescribedWeight),
          "give element " + str(j) + " its own-weight record, or its stiffness the density 0");
      return;
    }
  }
}

// Own weight: tarvex applies it as an acceleration, after checking each
// record against the density of the element's stiffness.
void CrossReferences::own_weight(long element, std::int32_t direction, std::int32_t value_line,
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
  if (element < 1 || element > found_.element_count()) {
    add(Kind::kLoadRefused, line, load + ": document 1 has no such element",
        stop_message(msg::kNotInDoc1, {str(element), str(found_.element_count())}),
        "name an element of document 1");
    return;
  }
  auto weighs = [&](std::int32_t s) { return options_.has_density && density_of(s) != 0.0f; };
  // The elements between the last own-weight record and this one must weigh
  // nothing.
  for (long j = last_weighted_ + 1; j < element; ++j) {
    std::int32_t t = element_at(j).type;
    ElementKind k = lira::element_kind(t);
    if (k == ElementKind::kElasticLink) continue;
    if (k == ElementKind::kUnconverted) {
      add(Kind::kOwnWeight, line,
          "element " + str(j) + ", before " + load + ", is of type " + str(t),
          stop_message(msg::kZeroWeightType),
          "give own-weight records only after converted elements");
      break;
    }
    if (weighs(element_at(j).stiffness)) {
      add(Kind::kOwnWeight, line,
          "element " + str(j) + " has no own-weight record, though it weighs at density " +
              str(static_cast<long long>(
                  density_of(element_at(j).stiffness))),
          stop_message(msg::kUndescribedWeight),
          "give element " + str(j) + " its own-weight record, or its stiffness the density 0");
      break;
    }
  }
  last_weighted_ = element;
  if (element > highest_weighted_) highest_weighted_ = element;
  std::int32_t t = element_at(element).type;
  std::int32_t s = element_at(element).stiffness;
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
  // tarvex applies the own weight once, by the acceleration, whatever the
  // records say: a second record of an element adds nothing.
  std::size_t at = static_cast<std::size_t>(element);
  if (weighed_.size() <= at) weighed_.resize(at + 1);
  if (weighed_[at]) {
    add(Kind::kOwnWeight, line, load + " stands again",
        "tarvex tests the record and applies the element's own weight once, by the acceleration: "
        "the model's second own weight of it is lost",
        "delete the record; a load meant on top of the own weight needs a load type of its own");
  }
  weighed_[at] = true;
  if (s < 0 || s >= lira::kStiffnessCount) return;
  // The record says the density: its value over the section, in kg/m3.
  if (found_.stiffness[s].section > 0) {
    facts_.set_weight_density(
        s, found_.first_value[static_cast<std::size_t>(value_line - 1)] * 1000.0 / found_.stiffness[s].section,
        line);
  }
  if (!options_.has_density) return;
  // As tarvex works it out, in single precision: the stiffness's weight
  // intensity times 10 against the value times 10000.
  float density = density_of(s);
  float intensity = lira::weight_intensity(found_.stiffness[s].section, density);
  float value = lira::to_single(
      static_cast<double>(found_.first_value[static_cast<std::size_t>(value_line - 1)]) * lira::kStressUnit);
  if (!lira::weight_passes(intensity, value)) {
    std::ostringstream expected;
    expected << static_cast<double>(intensity) / 1000.0;
    std::ostringstream given;
    given << found_.first_value[static_cast<std::size_t>(value_line - 1)];
    add(Kind::kOwnWeight, line,
        load + " is " + given.str() + " (line " + str(value_line) +
            " of document 7), where stiffness " + str(s) + " at density " +
            str(static_cast<long long>(density)) + " gives " + expected.str(),
        stop_message(msg::kWeightValue),
        "write " + expected.str() + " on line " + str(value_line) +
            " of document 7, or give tarvex the density the model was made with");
  }
}

}  // namespace

void check_cross_references(const FirstReading& found, const Options& options, Report& report,
                            MendedCopy* copy, AnswerFacts& facts) {
  CrossReferences checks(found, options, report, copy, facts);
  for (std::size_t i = 0; i < found.elements.size(); ++i) {
    checks.element(static_cast<long>(i) + 1, found.elements[i]);
  }
  for (const LoadFound& l : found.loads) checks.load(l);
  checks.after_last_weight();
}

}  // namespace modelcheck::tarvex_check
