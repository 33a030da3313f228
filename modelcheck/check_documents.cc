// The documents of a model: where each begins and ends, which tarvex needs
// and in what order it looks for them.
#include "check_model_checker.h"

namespace modelcheck::tarvex_check {

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

std::string missing_mend(int d) {
  if (d == 5) return std::string("add document 5 with") + kSupports;
  return "add document " + str(d) + " (at least its header and \" )\")";
}

// A header of document `d` on line `line`: where the documents begin, and
// which one the records that follow belong to.
void ModelChecker::header_seen(int d, long line, bool wanted, bool visible) {
  ++header_seq_;
  if ((d == 4 || d == 12 || d == 16) && headers_.size() < kHeadersKept) {
    headers_.push_back(Header{d, line, header_seq_});
  }
  if (visible && first_header_[d] != line && passed_over(d)) {
    // tarvex passed over the first header of the document: it reads the
    // document from here.
    first_header_[d] = line;
    first_seq_[d] = header_seq_;
    if (d == 16) {
      case_records_ = found_.case_count = 0;
      lost_cases_ = 0;
      case_list_ended_ = false;
    }
    begin_document(d);
  } else if (first_header_[d] == 0) {
    if (!copying_) {
      first_header_[d] = line;
      first_seq_[d] = header_seq_;
      unconverted_document(d);
    }
    begin_document(d);
  } else if (first_header_[d] != line && !copying_ && wanted) {
    add(Kind::kDocumentTwice, line,
        "document " + str(d) + " begins again (it began on line " + str(first_header_[d]) + ")",
        hidden_at(d, first_header_[d]) != nullptr
            ? "tarvex passes over the header on line " + str(first_header_[d]) +
                  " and reads this one"
            : "tarvex reads the first one only" +
                  std::string(d == 4 ? ", or the first after document 3" : ""),
        "keep one document " + str(d));
  } else if (first_header_[d] == line) {
    begin_document(d);
  }
}

bool ModelChecker::passed_over(int d) const {
  if (copying_ || first_header_[d] == 0) return false;
  const HiddenHeader* h = hidden_at(d, first_header_[d]);
  // Records read under it would count twice; the load-case list is read
  // again from the start.
  return h != nullptr && (d == 16 || h->records == records_read_);
}

const HiddenHeader* ModelChecker::hidden_at(int d, long line) const {
  for (const HiddenHeader& h : hidden_) {
    if (h.document == d && h.line == line) return &h;
  }
  return nullptr;
}

// The headers that tarvex does not see: it stops where it needs the
// document, or reads it from a later header that it sees.
void ModelChecker::hidden_header_findings() {
  for (const HiddenHeader& h : hidden_) {
    if (h.seen == 0) {
      add(h.kind, h.line, h.what, effect_of_missing(h.document), h.mend, true);
      continue;
    }
    std::string later = "the header on line " + str(h.seen);
    add(h.kind, h.line, h.what,
        "tarvex passes over it and reads document " + str(h.document) + " from " + later,
        h.alone ? "take this line out; " + later + " begins the document"
                : h.mend + ", or take it out where " + later + " begins the document",
        !h.alone);
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
    // tarvex reads 20 records of document 16 at most and never looks for
    // its ")" after them.
    bool list_full = d == 16 && case_records_ >= lira::kLoadCaseMax;
    add(Kind::kUnclosedDocument, first_header_[d],
        "document " + str(d) + " has no \")\" before " +
            (at_end ? std::string("the end of the file")
                    : "the header of document " + str(header_) + " on line " + str(line_number_)),
        list_full ? "tarvex reads the first 20 records of document 16 and does not look further, "
                    "so it converts the model as it is; LIRA and other readers need the \")\""
        : at_end  ? stop_message(msg::kFileEndInside, {kModel, str(d)})
                  : "tarvex reads on into document " + str(header_) + " and misreads it or stops",
        "end document " + str(d) + " with a line \" )\"");
  }
  closed_[d] = true;
  document_ = -1;
}

// The line ends, and the documents that tarvex needs, in the order it reads
// them.
void ModelChecker::document_findings() {
  hidden_header_findings();
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
      // tarvex looks for the load table once for each load case: a document
      // 16 that lists none leaves it unread.
      bool unread = d == 6 && first_header_[16] != 0 && found_.case_count == 0;
      add(Kind::kMissingDocument, 0, "there is no document " + str(d),
          unread ? std::string("document 16 lists no load case, so tarvex never looks for the "
                               "load table: it converts the model without loads")
                 : stop_message(missing_message(d)),
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
    if (fixing() && found_.case_count < lira::kLoadCaseMax) found_.cases[found_.case_count++] = c;
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

}  // namespace modelcheck::tarvex_check
