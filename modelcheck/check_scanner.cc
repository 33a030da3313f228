// The scanner of the check: lines split where headers stand, segments,
// tokens gathered into records, and the edits of what is only spelling.
#include "check_model_checker.h"

namespace modelcheck::tarvex_check {

void ModelChecker::pass(RawLineReader& in, bool copying) {
  copying_ = copying;
  segment_ = 0;
  good_end_ = LineEnd::kNone;
  document_ = -1;
  record_size_ = 0;
  for (int d = 0; d <= kDocumentMax; ++d) closed_[d] = false;
  if (copying) headers_.clear();
  header_seq_ = 0;
  RawLine l;
  while (in.next(l)) line(l);
  header_ = -1;
  end_document(false);
}

void ModelChecker::write_line(std::string_view text, LineEnd end) {
  if (!fixing() || !copying_) return;
  modelcheck::write_line(*fixed_, text, end, good_end_);
}

void ModelChecker::write_segment(LineEnd end) {
  if (!fixing() || !copying_) return;
  if (keep_segment_) write_line(segment_text_, end);
  const std::string& after = copy_.after(segment_);
  if (after.empty()) return;
  if (keep_segment_ && end == LineEnd::kNone) {
    write_line("", good_end_ == LineEnd::kCrLf ? LineEnd::kCrLf : LineEnd::kLf);
  }
  fixed_->write(after.data(), static_cast<std::streamsize>(after.size()));
}

void ModelChecker::line(const RawLine& l) {
  line_number_ = l.number;
  if (l.cut > 0 && !copying_) {
    report_.mark_cut();
    add(Kind::kLongLine, l.number,
        "the line holds " + str(static_cast<long long>(l.text.size() + l.cut)) +
            " characters; modelcheck reads the first " + str(static_cast<long long>(kRawLineMax)),
        "tarvex reads it as one line: a header further on it is not seen",
        "end the lines of the model where its records end");
  }
  // The first LF or CR LF so far: the copy mends lines with other ends to it.
  if (good_end_ == LineEnd::kNone && (l.end == LineEnd::kLf || l.end == LineEnd::kCrLf)) {
    good_end_ = l.end;
  }
  if (!copying_) {
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
  inner_end_ = inner;
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
  if (!fixing() || !copying_) return;
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
  if (!h.found) {
    segment_text_.assign(text.data(), text.size());
    segment(segment_text_);
    write_segment(end);
    return;
  }
  HeaderPlace p;
  p.document = h.document;
  p.line = line_number_;
  p.end = end;
  p.continued = continued;
  p.exact = h.exact && !continued;
  p.pre = text.substr(0, h.start);
  p.bom = p.pre.substr(0, 3) == "\xEF\xBB\xBF";
  p.pre_blank = p.pre.find_first_not_of(" \t", p.bom ? 3 : 0) == std::string_view::npos;
  p.written = text.substr(h.start, h.end - h.start);
  p.rest = text.substr(h.end);
  p.proper = header_text(p.document);
  int d = p.document;
  p.wanted = d <= kDocumentMax && (read_by_records(d) || d == 12);
  p.visible = p.wanted && p.written == p.proper && p.exact && end != LineEnd::kNone;
  // The last records or the ")" of the document before: a line of their own
  // when the header is one that tarvex looks for.
  std::string before(p.pre);
  bool before_alone = false;  // written on a line of its own
  if (!p.pre_blank) {
    segment_text_.assign(p.pre.data(), p.pre.size());
    segment(segment_text_);
    before = segment_text_;
    before_alone = p.wanted || !copy_.after(segment_).empty();
    if (before_alone) write_segment(inner);
  }
  if (p.visible && document_ == d && passed_over(d)) {
    // tarvex passed over the header of the document being read: what stands
    // under it is nothing it reads, and its ")" nothing it needs.
    document_ = -1;
    record_size_ = 0;
    node_slash_ = false;
  }
  header_ = d;
  end_document(false);
  header_findings(p);
  if (d >= 0 && d <= kDocumentMax) header_seen(d, p.line, p.wanted, p.visible);
  write_header(p, p.wanted || before_alone ? std::string() : before, inner);
}

// Whether tarvex passes over the header `p`; a later one may be the one it
// sees, which the end of the reading knows.
void ModelChecker::hide_header(const HeaderPlace& p, Kind kind, std::string what,
                               std::string mend) {
  if (hidden_.size() >= kHeadersKept) {
    add(kind, p.line, std::move(what), effect_of_missing(p.document), std::move(mend), true);
    return;
  }
  hidden_.push_back(HiddenHeader{p.document, p.line, kind, std::move(what), std::move(mend),
                                 p.pre_blank && !p.continued, records_read_});
}

// A header that tarvex looks for, misspelt or where it does not see it.
void ModelChecker::header_findings(const HeaderPlace& p) {
  if (copying_ || !p.wanted) return;
  int d = p.document;
  if (p.visible) {
    for (HiddenHeader& hidden : hidden_) {
      if (hidden.document == d && hidden.seen == 0) hidden.seen = p.line;
    }
  }
  std::string title = "\"" + std::string(p.written) + "\"";
  if (p.written != p.proper) {
    hide_header(p, Kind::kHeaderSpelling,
                title + " is not the header \"" + p.proper + "\" of document " + str(d),
                "write \"" + p.proper + "\" at the start of the line");
  } else if (!p.exact) {
    std::string where = !p.pre_blank || p.continued
                            ? "stands after the \")\" of the document before, on its line"
                        : p.bom ? "comes after a UTF-8 byte-order mark"
                                : "does not stand at the start of the line";
    // The header of document 4 one blank after the ")" of document 3 is
    // where tarvex looks for it.
    bool seen = d == 4 && paren_closed_ == 3 &&
                (p.continued ? paren_blank_ : !p.pre_blank && one_blank_after_paren(p.pre));
    if (seen) {
      add(Kind::kHeaderPosition, p.line, "the header " + title + " " + where,
          "tarvex sees it all the same, as it passes over the one character after the \")\" "
          "of document 3; another blank there would hide it",
          "start a line with \"" + p.proper + "\"", true);
    } else {
      hide_header(p, Kind::kHeaderPosition, "the header " + title + " " + where,
                  "start a line with \"" + p.proper + "\"");
    }
  } else if (p.end == LineEnd::kNone) {
    hide_header(p, Kind::kHeaderPosition,
                "the header " + title + " is the last line of the file and has no line end",
                "end the line");
  }
}

// Writes the header line `p` into the copy, `before` it what stood before it
// on the line and stays there; a record after it goes on a line of its own.
void ModelChecker::write_header(const HeaderPlace& p, const std::string& before, LineEnd inner) {
  int d = p.document;
  std::string written(p.written);
  // A header that tarvex passes over for a later one stays as written: moved
  // to the line's start it would hide the later one.
  const HiddenHeader* passed = copying_ && !p.continued ? hidden_at(d, p.line) : nullptr;
  bool keep_written = passed != nullptr && passed->seen != 0 && passed->alone;
  std::string head = !p.wanted                 ? before + written
                     : keep_written            ? std::string(p.pre) + written
                     : p.exact && written == p.proper ? written
                                                      : p.proper;
  LineEnd head_end = p.end == LineEnd::kNone && p.wanted && !keep_written ? inner : p.end;
  std::string_view rest = p.rest;
  if (!read_by_records(d) || !lira::holds_record(rest)) {
    write_line(head + std::string(rest), head_end);
    return;
  }
  std::size_t lead = rest.find_first_not_of(" \t");
  std::size_t last = rest.find_last_not_of(" \t");
  add(Kind::kRecordOnHeaderLine, p.line,
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
    write_segment(i + 1 < parts.size() ? inner : p.end);
  }
}

void ModelChecker::segment(std::string& text) {
  ++segment_;
  // The reading that writes applies what the first decided.
  if (copying_) {
    keep_segment_ = copy_.apply(segment_, text);
    return;
  }
  edits_.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_blank(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && !is_blank(text[i])) ++i;
    if (i > start) token(std::string_view(text).substr(start, i - start), start);
  }
  if (fixing()) copy_.add(segment_, edits_);
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
  if (document_ == 5 && record_size_ > 0 && t.size() > 1 && t[0] == '/' && t[1] != ')') {
    glued_support_slash(t, pos);
    return;
  }
  // Where tarvex skips a record to its slash, or takes the slash after the
  // last value of an element or a node, the slash ends the record even
  // within a word: "0.30625/1" and "/44" each end one record and begin the
  // next.
  std::size_t slash = t.find('/');
  if (slash != std::string_view::npos && slash + 1 < t.size() &&
      (skipping_to_slash() || record_ends_at(t, slash))) {
    token(t.substr(0, slash + 1), pos);
    token(t.substr(slash + 1), pos + slash + 1);
    return;
  }
  if (record_size_ > 0 && t.size() > 2 && t.substr(t.size() - 2) == "/)") {
    glued_closing_slash(t, pos);
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
  if (d == 3 && (short_row_.left > 0 || short_row_.end_next)) short_row_word(k);
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
  if (document_ == 3 && (short_row_.left > 0 || short_row_.end_next)) {
    row_end_finding(short_row_.kind, short_row_.line,
                    "the last row of document 3, stiffness " + str(short_row_.stiffness) +
                        ", ends before its values");
  }
  short_row_ = ShortRow{};
  paren_closed_ = document_;
  if (document_ == 7 && close_of_7_ == 0) close_of_7_ = segment_;
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
    if (d == 4) comma_finding(k, "node", found_.nodes + 1);
    if (d == 7 && record_size_ > 1) comma_finding(k, "line", found_.value_lines + 1);
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

bool ModelChecker::passing_over_to_slash() const {
  if (record_size_ == 0) return false;
  return document_ == 16 || (document_ == 6 && record_size_ >= 5) ||
         (document_ == 1 &&
          lira::element_kind(int_of(record_[0].text)) == ElementKind::kUnconverted);
}

bool ModelChecker::record_ends_at(std::string_view t, std::size_t slash) const {
  // A ")" glued to the slash closes the document: its own finding says so.
  if (record_size_ == 0 || t[slash + 1] == ')') return false;
  if (passing_over_to_slash()) return true;
  // After the last value of a node or an element, tarvex takes one
  // character and the slash.
  if (slash != 0) return false;
  if (document_ == 4) return record_size_ == 3;
  return document_ == 1 &&
         record_size_ == 2 + static_cast<std::size_t>(corners_of(int_of(record_[0].text)));
}

// tarvex ends a record of supports at the word that begins with "/", and
// drops the rest of that word: in "/2" the node of the next record. The copy
// gets a blank after the slash where the rest is a node number.
void ModelChecker::glued_support_slash(std::string_view t, std::size_t pos) {
  std::string rest(t.substr(1));
  bool node = is_integer(rest);
  add(Kind::kGluedSlash, line_number_,
      "the supports of node " + record_[0].text + " end with \"" + std::string(t) +
          "\", the next word glued to their slash",
      "tarvex ends the record at the slash and drops \"" + rest + "\"" +
          (node ? ", so it reads the node of the next record from the word after it" : ""),
      node ? "put a blank after the slash" : "put a blank after the slash, or delete \"" + rest + "\"",
      node);
  token(t.substr(0, 1), pos);
  if (!node) return;
  edits_.push_back(Edit{pos + 1, 0, " "});
  token(t.substr(1), pos + 1);
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

// "0/)": the last value with its slash and the document's ")" glued to it,
// as exporters end a document. tarvex reads the value's word up to the next
// blank, ")" and all, and does not see the end of the document; only where
// it passes over the rest of a record to its slash (document 16 after the
// load case, document 6 after the five numbers of a load, an element of a
// type it does not convert) does the ")" stand apart. The copy puts the ")" on a line of its
// own; the value and its slash are the record's as they would be before a
// line end.
void ModelChecker::glued_closing_slash(std::string_view t, std::size_t pos) {
  std::size_t paren = t.size() - 1;
  bool passed_over = passing_over_to_slash();
  add(Kind::kRecordEnd, line_number_,
      "the last record of document " + str(document_) + " ends with \"" + std::string(t) +
          "\", the document's \")\" glued to its last value and its slash",
      passed_over ? std::string("tarvex passes over the record to its slash and sees the \")\" "
                                "all the same")
                  : "tarvex reads \"" + std::string(t) +
                        "\" as one word and does not see the \")\": it reads on past the "
                        "end of document " +
                        str(document_) + " and misreads what follows or stops",
      "put the \")\" on a line of its own", true);
  token(t.substr(0, paren), pos);
  bool crlf = inner_end_ == LineEnd::kCrLf ||
              ((inner_end_ == LineEnd::kLfCr || inner_end_ == LineEnd::kCr) &&
               good_end_ == LineEnd::kCrLf);
  edits_.push_back(Edit{pos + paren, 0, crlf ? "\r\n" : "\n"});
  token(t.substr(paren), pos + paren);
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
  ++records_read_;
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
      load_record();
      break;
    default:
      break;
  }
}

}  // namespace modelcheck::tarvex_check
