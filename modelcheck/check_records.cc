// The records of documents 3, 4, 1, 6, 7 and 16 as the reading meets them,
// and what the whole file says of the stiffnesses, elements, nodes and load
// cases.
#include "check_model_checker.h"

namespace modelcheck::tarvex_check {

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
  StiffnessKind kind = lira::stiffness_kind(kind_token, plate_modulus(kind_token));
  // LIRA writes further rows of a stiffness with the number 0: tarvex takes
  // each for a stiffness 0 of its own. One taken out of the copy takes its
  // decimal commas with it.
  bool continuation = v == 0 && first.text == "0";
  if (solid_of_ < 0 && plastic_of_ < 0 && continuation && kind == StiffnessKind::kUnknown &&
      continuation_record(first)) {
    return;
  }
  stiffness_commas(v, kind_token);
  if (sub_record()) return;
  if (kind == StiffnessKind::kUnknown && kind_token == "GEI" && lira_plate_record(v)) return;
  if (continuation) {
    std::string makes =
        kind == StiffnessKind::kUnknown
            ? "tarvex takes it for a stiffness 0 of a kind it does not know and skips it"
            : std::string("tarvex takes it for stiffness 0, ") + lira::stiffness_kind_text(kind) +
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
  Stiffness& s = found_.stiffness[v];
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
      if (n > 3) {
        s.section = real_of(record_[3].text);
        s.section_words = "thickness " + section_word(record_[3].text);
      }
      if (n > 2) s.ratio = real_of(record_[2].text);
      s.modulus = real_of(kind_token);
      s.modulus_word = kind_token;
      break;
    case StiffnessKind::kElasticLink:
      if (n > 2) {
        s.modulus = real_of(record_[2].text);
        s.modulus_word = section_word(record_[2].text);
      }
      break;
    case StiffnessKind::kRectangularBar:
      if (n > 2) {
        s.modulus = real_of(record_[2].text);
        s.modulus_word = section_word(record_[2].text);
      }
      if (n > 4) {
        s.section = real_of(record_[3].text) / 100 * (real_of(record_[4].text) / 100);
        s.section_words = "width " + section_word(record_[3].text) + " and height " +
                          section_word(record_[4].text) + " (cm)";
      }
      break;
    case StiffnessKind::kPlasticBar:
      if (n > 3) {
        s.section = real_of(record_[2].text) / 100 * (real_of(record_[3].text) / 100);
        s.section_words = "width " + section_word(record_[2].text) + " and height " +
                          section_word(record_[3].text) + " (cm)";
      }
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
        found_.stiffness[solid_of_].section = real_of(record_[i + 1].text);
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
        found_.stiffness[plastic_of_].holder = real_of(record_[i + 1].text) != 0;
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

bool ModelChecker::record_in_segment(bool commas) const {
  for (std::size_t i = 0; i < record_size_; ++i) {
    if (record_[i].segment != segment_ || (!commas && !record_[i].written.empty())) return false;
  }
  return record_size_ > 0;
}

void ModelChecker::erase_record() {
  const Tok& last = record_[record_size_ - 1];
  std::size_t from = record_[0].pos, to = last.pos + last.length;
  replace_text(from, to, "");
  copy_.drop_if_blank(segment_);
}

// The edits already made inside the text replaced (a decimal comma) go with
// it: the new text is written from the words as mended.
void ModelChecker::replace_text(std::size_t from, std::size_t to, const std::string& text) {
  edits_.erase(std::remove_if(edits_.begin(), edits_.end(),
                              [&](const Edit& e) { return e.pos >= from && e.pos < to; }),
               edits_.end());
  edits_.push_back(Edit{from, to - from, text});
}

// A plate in LIRA's words becomes tarvex's plate row; the finding comes when
// the elements that use it are known.
bool ModelChecker::lira_plate_record(std::int32_t v) {
  std::optional<LiraPlate> plate = lira_plate(record_words());
  if (!plate || v < 1 || v >= lira::kStiffnessCount || !record_in_segment(true)) return false;
  Stiffness& s = found_.stiffness[v];
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
    replace_text(record_[1].pos, end, s.plate_row + (paren ? " " : ""));
  }
  return true;
}

void ModelChecker::lira_plate_finding(int s, const std::string& users) {
  const Stiffness& st = found_.stiffness[s];
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

bool ModelChecker::plate_density(long v) {
  std::size_t n = record_size_;
  if ((n != 6 && n != 7) || record_[4].text != "RO" || !record_in_segment(true)) return false;
  double density = own_row_density(record_words());
  if (density < 0) return false;
  const Tok& thickness = record_[3];
  const Tok& value = record_[5];
  if (fixing()) {
    // "0.2 RO 2.5 /" and "0.2 RO 2.5/" both become "0.2 /".
    std::size_t from = thickness.pos + thickness.length;
    replace_text(from, value.pos + value.length, n == 7 ? "" : " /");
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

// A continuation row that says only a density or a Poisson's ratio of the
// stiffness before it is taken out of the copy, and what it says reported.
bool ModelChecker::continuation_record(const Tok& first) {
  Continuation c = continuation_row(record_words());
  long s = last_stiffness_;
  if (!c.certain || s < 1 || s >= lira::kStiffnessCount || !record_in_segment(true)) return false;
  // Taken out, the row must leave the rest of its line read as before: a
  // line of its own, a row before the next record, or the document's ")",
  // which stays on the line by itself.
  const Tok& last = record_[record_size_ - 1];
  std::size_t rest = segment_text_.find_first_not_of(" \t", last.pos + last.length);
  if (segment_text_.find_first_not_of(" \t") != record_[0].pos ||
      (rest != std::string::npos && !(segment_text_[rest] >= '0' && segment_text_[rest] <= '9') &&
       segment_text_[rest] != ')')) {
    return false;
  }
  Stiffness& st = found_.stiffness[s];
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
                                  std::string(lira::stiffness_kind_text(st.kind))),
          "tarvex takes the row for a stiffness 0 of a kind it does not know and skips it, and "
          "writes no such ratio",
          st.kind == StiffnessKind::kPlate
              ? "write the ratio that holds into the plate row, and delete this row"
              : "delete the row where the ratio is not needed, else model it in ANSYS");
      stiffness_commas(0, record_[1].text);
      return true;
    }
  }
  if (fixing()) erase_record();
  add(Kind::kStiffnessContinuation, first.line, row + says,
      "tarvex takes the row for a stiffness 0 of a kind it does not know and skips it",
      "delete the row" + note, true);
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
  ++found_.nodes;
  std::size_t n = record_size_;
  if (record_[0].text.back() == '/') {
    add(Kind::kRecordFields, record_[0].line,
        "node " + str(found_.nodes) + " begins with \"" + record_[0].text + "\"",
        "tarvex reads it as the node's x and the node's y and z from the words after it, so "
        "this node and every node after it are not where the model means them",
        "give each node its x, y and z, then \" /\", and delete a lone \"/\"");
  }
  std::size_t values = record_[n - 1].text == "/" ? n - 1 : n;
  if (values < 2 || values > 3) {
    add(Kind::kRecordFields, record_[0].line,
        "node " + str(found_.nodes) + " has " + str(static_cast<long long>(values)) +
            " values where tarvex reads two or three",
        stop_message(msg::kBadNodes), "give the node its x, y and z, then \" /\"");
    found_.coordinates.resize(static_cast<std::size_t>(found_.nodes) * 3);
    return;
  }
  record_end_check(("node " + str(found_.nodes)).c_str(), msg::kBadNodes, true);
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
        rounded_first_ = found_.nodes;
        rounded_line_ = record_[0].line;
        rounded_value_ = v;
        rounded_axis_ = static_cast<int>(i);
      }
      rounded_axes_[i] = true;
      rounded = true;
    }
  }
  found_.coordinates.resize(static_cast<std::size_t>(found_.nodes) * 3);
  std::copy(xyz, xyz + 3, found_.coordinates.end() - 3);
}

void ModelChecker::element_record() {
  std::size_t n = record_size_;
  std::int32_t type = int_of(record_[0].text);
  std::int32_t s = n > 1 ? int_of(record_[1].text) : 0;
  found_.elements.push_back(element_found(type, s));
  long number = found_.element_count();
  if (fixing() && lira::is_shell(type) && corners_of(type) == 4 && n >= 6) {
    corner_swap_site(number);
  }
  ElementKind kind = lira::element_kind(type);
  // A space frame bar in the shape of tarvex's bar record waits for its
  // stiffness, which document 3 gives after document 1.
  // Its slash glued to its last node ("5 2 1 2/") gets its blank with the
  // type.
  bool glued = n == 4 && record_[3].text.size() > 1 && record_[3].text.back() == '/' &&
               is_integer(std::string_view(record_[3].text).substr(0, record_[3].text.size() - 1));
  bool bar_shape = glued || (n == 5 && record_[4].text == "/" && is_integer(record_[3].text));
  if (type == kSpaceBar && bar_shape && record_in_segment() && is_integer(record_[2].text)) {
    space_bars_.push_back(SpaceBar{number, record_[0].line, s, segment_, to_bar_edits()});
    return;
  }
  if (kind == ElementKind::kUnconverted) {
    // A few types are summed up each; a file of garbage costs no more.
    if (unconverted_.size() >= kTypesKept && unconverted_.count(type) == 0) type = INT32_MIN;
    Usage& u = unconverted_[type];
    if (u.count++ == 0) {
      u.first_element = number;
      u.line = record_[0].line;
      u.type = type;
    }
    if (found_.first_unconverted == 0) {
      found_.first_unconverted = number;
      found_.first_unconverted_type = type;
    }
    return;
  }
  std::size_t values = record_[n - 1].text == "/" ? n - 1 : n;
  std::size_t wanted = 2 + static_cast<std::size_t>(corners_of(type));
  std::string element = "element " + str(number) + " (type " + str(type) + ")";
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
      u.first_element = number;
      u.line = record_[0].line;
      u.type = type;
    }
  }
  if (kind == ElementKind::kLayeredShell) {
    for (std::size_t i = 2; i < n && i < wanted; ++i) {
      std::int64_t node = int_of(record_[i].text);
      if (node < 1 || node > kNodeFlagMax) continue;
      if (static_cast<std::size_t>(node) >= found_.layered_node.size()) {
        found_.layered_node.resize(static_cast<std::size_t>(node) * 2 + 1024);
      }
      found_.layered_node[static_cast<std::size_t>(node)] = true;
    }
  }
}

// The element being read as the cross references read it: its corners end
// at a "/" that ends the record; a type 5 bar has a bar's, should the copy
// make it one.
ElementFound ModelChecker::element_found(std::int32_t type, std::int32_t s) const {
  std::size_t n = record_size_;
  ElementFound e;
  e.line = record_[0].line;
  e.type = type;
  e.stiffness = s;
  e.has_stiffness = n > 1;
  std::size_t corners = static_cast<std::size_t>(corners_of(type == kSpaceBar ? kBarType : type));
  for (std::size_t i = 2; i < n && i < 2 + corners; ++i) {
    if (record_[i].text == "/" && i + 1 == n) break;
    e.node[e.corners++] = int_of(record_[i].text);
  }
  return e;
}

// The edits that make the type 5 bar being read a type 10 bar: tarvex reads
// a type 10 bar's slash as one character after a blank.
std::vector<Edit> ModelChecker::to_bar_edits() const {
  std::size_t n = record_size_;
  std::vector<Edit> edits{Edit{record_[0].pos, record_[0].length, str(kBarType)}};
  const Tok& last = record_[n - 1];
  if (n == 4) edits.push_back(Edit{last.pos + last.length - 1, 0, " "});
  // Blanks or tabs before a lone slash become the one blank.
  const Tok& node = record_[n - 2];
  std::size_t gap = last.pos - (node.pos + node.length);
  if (n == 5 && gap != 1) edits.push_back(Edit{node.pos + node.length, gap, " "});
  return edits;
}

// A quadrilateral's last two corners can change places in the copy where
// they stand as plain numbers in the segment where the record ends. A slash
// glued to the last ("4 3/") stays where it is: the reading has put a blank
// before it.
void ModelChecker::corner_swap_site(long element) {
  const Tok& c = record_[4];
  const Tok& d = record_[5];
  std::size_t d_length = d.length;
  if (d_length > 1 && d.text.back() == '/' && record_size_ == 6) --d_length;
  bool plain = c.segment == segment_ && d.segment == segment_ && is_integer(c.text) &&
               is_integer(d.text.substr(0, d_length)) && c.written.empty() && d.written.empty();
  if (!plain) return;
  auto at = [](std::size_t v) { return static_cast<std::uint32_t>(v); };
  found_.swaps.push_back(
      CornerSwap{element, segment_, at(c.pos), at(c.length), at(d.pos), at(d_length)});
}

void ModelChecker::value_record() {
  std::size_t n = record_size_;
  ++found_.value_lines;
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
  if (line != found_.value_lines) {
    add(Kind::kValueLines, number.line,
        "value line " + number.text + " stands where tarvex expects line " + str(found_.value_lines),
        stop_message(msg::kLineNumber),
        "number the lines of document 7 1, 2, 3, ... without gaps, and the loads of document 6 "
        "to match");
  }
  if (values > 4) {
    add(Kind::kValueLines, number.line,
        "value line " + number.text + " holds " + str(static_cast<long long>(values)) + " values",
        stop_message(msg::kTooManyValues), "give at most four values a line");
  }
  found_.first_value.push_back(values > 0 ? static_cast<float>(real_of(record_[1].text)) : 0.0f);
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
  found_.cases[found_.case_count++] = c;
}

void ModelChecker::load_record() {
  std::size_t n = record_size_;
  LoadFound load;
  load.line = record_[0].line;
  std::int32_t f[5] = {};
  for (std::size_t i = 0; i < 5 && !load.early_slash; ++i) {
    load.early_slash =
        i >= n || record_[i].text[0] == '/' || (i < 4 && record_[i].text.back() == '/');
    if (!load.early_slash) f[i] = int_of(record_[i].text);
  }
  load.number = f[0];
  load.type = f[1];
  load.direction = f[2];
  load.value_line = f[3];
  load.load_case = f[4];
  found_.loads.push_back(load);
  if (load.early_slash || used_cases_.size() >= kCasesKept) return;
  std::int32_t c = load.load_case;
  // The loads of a case mostly follow one another: the set is seldom asked.
  if (c > 0 && c != last_used_case_) used_cases_.insert(c);
  last_used_case_ = c;
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

// The elements of stiffness `s` when none that tarvex converts has it: those
// of types that tarvex does not convert may (LIRA's space frame bars).
// A word where a row's section stands, as a finding shows it: a "/" gives
// none, which tarvex reads as 0.
std::string section_word(const std::string& t) {
  if (t[0] == '/') return "none";
  return t.back() == '/' ? t.substr(0, t.size() - 1) : t;
}

std::string ModelChecker::unconverted_users(int s) const {
  long count = 0, first = 0;
  std::int32_t type = 0;
  bool types = false;  // of more than one type
  for (std::size_t i = 0; i < found_.elements.size(); ++i) {
    const ElementFound& e = found_.elements[i];
    if (e.stiffness != s) continue;
    if (count++ == 0) {
      first = static_cast<long>(i) + 1;
      type = e.type;
    } else if (e.type != type) {
      types = true;
    }
  }
  if (count == 0) return "no element uses it";
  return "no element that tarvex converts uses it (" + str(count) + " element" +
         (count > 1 ? "s" : "") + " of " +
         (types ? std::string("types") : "type " + str(type)) + " that tarvex does not convert " +
         (count > 1 ? "use" : "uses") + " it, the first element " + str(first) + ")";
}

// Stiffnesses that tarvex does not know or that are not there, with the
// elements that use them.
void ModelChecker::stiffness_findings() {
  for (int s = 1; s < lira::kStiffnessCount; ++s) {
    const Stiffness& st = found_.stiffness[s];
    const Usage& u = usage_[s];
    bool named = st.line != 0 && (!st.plate_row.empty() || st.kind == StiffnessKind::kUnknown);
    std::string users = u.count == 0
                            ? (named ? unconverted_users(s) : std::string())
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

// A plate without thickness, a bar without area, a modulus of 0, where
// elements use the stiffness: tarvex reads a "/" where a value stands as 0
// and goes on, so the script holds elements that ANSYS cannot build as the
// model means.
void ModelChecker::section_findings() {
  for (int s = 1; s < lira::kStiffnessCount; ++s) {
    const Stiffness& st = found_.stiffness[s];
    const Usage& u = usage_[s];
    if (st.line == 0 || u.count == 0) continue;
    std::string elements =
        u.count > 1 ? "its " + str(u.count) + " elements" : std::string("its element");
    if (!st.modulus_word.empty() && st.modulus <= 0) {
      add(Kind::kRecordFields, st.line,
          "stiffness " + str(s) + ", " + lira::stiffness_kind_text(st.kind) + ", has modulus " +
              st.modulus_word +
              (st.modulus_word == "none" ? ": tarvex reads the \"/\" there as 0" : ""),
          "tarvex goes on, and the script gives " + elements +
              " a material of modulus 0 (\"MPDATA,EX\"), which has no stiffness: ANSYS cannot "
              "build " + (u.count > 1 ? "them" : "it") + " as the model means",
          "write the modulus in the row, as the other stiffnesses give theirs");
    }
    if (st.section_words.empty() || st.section > 0) continue;
    bool plate = st.kind == StiffnessKind::kPlate;
    bool slash = st.section_words.find("none") != std::string::npos;
    add(Kind::kRecordFields, st.line,
        "stiffness " + str(s) + ", " + lira::stiffness_kind_text(st.kind) + ", has " + st.section_words +
            (slash ? ": tarvex reads the \"/\" there as 0" : std::string()) +
            (plate ? "" : ", a section of area 0"),
        "tarvex goes on, and the script gives " + elements + " a real constant set of " + (plate ? "thickness" : "area") + " 0: ANSYS cannot " +
            (u.count > 1 ? "build them as the model means, and they weigh nothing"
                         : "build it as the model means, and it weighs nothing"),
        plate ? "write the plate's thickness in metres after its Poisson's ratio, then \" /\""
              : "write the bar's width and height in centimetres, then \" /\"");
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
    if (kind_of(b.stiffness) == lira::stiffness_kind_for(lira::element_kind(kBarType))) {
      if (mended++ == 0) {
        first = b.element;
        line = b.line;
      }
      if (!fixing()) continue;
      found_.elements[static_cast<std::size_t>(b.element - 1)].type = kBarType;
      copy_.add_late(b.segment, b.to_bar);
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
    if (found_.elements[static_cast<std::size_t>(b.element - 1)].type == kBarType) continue;
    if (found_.first_unconverted == 0 || b.element < found_.first_unconverted) {
      found_.first_unconverted = b.element;
      found_.first_unconverted_type = kSpaceBar;
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

}  // namespace modelcheck::tarvex_check
