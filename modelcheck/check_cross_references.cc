// The second pass: elements against their stiffnesses and nodes, loads
// against their elements, value lines and load cases, and the own weight.
#include "check_model_checker.h"

namespace modelcheck::tarvex_check {

// The second pass: elements against the stiffnesses and the nodes.
void ModelChecker::element_record_second() {
  long element_no = ++element_no_;
  std::size_t n = record_size_;
  std::int32_t type = int_of(record_[0].text);
  if (type == kSpaceBar && element_type_[static_cast<std::size_t>(element_no - 1)] == kBarType &&
      record_[0].segment == segment_) {
    type = kBarType;
    late_edits_.push_back(Edit{record_[0].pos, record_[0].length, str(kBarType)});
    // tarvex reads a type 10 bar's slash as one character after a blank.
    const Tok& last = record_[n - 1];
    if (n == 4) late_edits_.push_back(Edit{last.pos + last.length - 1, 0, " "});
    // Blanks or tabs before a lone slash become the one blank.
    const Tok& node = record_[n - 2];
    std::size_t gap = last.pos - (node.pos + node.length);
    if (n == 5 && gap != 1) late_edits_.push_back(Edit{node.pos + node.length, gap, " "});
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
    // A slash glued to the last ("4 3/") stays where it is: the first pass
    // has put a blank before it.
    const Tok& c = record_[4];
    const Tok& d = record_[5];
    std::size_t d_length = d.length;
    if (d_length > 1 && d.text.back() == '/' && record_size_ == 6) --d_length;
    std::string d_number = d.text.substr(0, d_length);
    bool swap = &order == &kOrders[0] && c.segment == segment_ && d.segment == segment_ &&
                is_integer(c.text) && is_integer(d_number) && c.written.empty() &&
                d.written.empty();
    if (swap && fixing()) {
      late_edits_.push_back(Edit{c.pos, c.length, d_number});
      late_edits_.push_back(Edit{d.pos, d_length, c.text});
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

}  // namespace modelcheck::tarvex_check
