#include "findings.h"

#include <algorithm>

namespace modelcheck {
namespace {

// The names, in the order of `Kind`; docs/findings.md has a section for each
// and its test keeps the two the same.
const char* const kNames[] = {
    "header-spelling",
    "header-position",
    "record-on-header-line",
    "glued-slash",
    "record-end",
    "decimal-comma",
    "line-ends",
    "long-token",
    "missing-document",
    "unconverted-document",
    "document-order",
    "document-twice",
    "unclosed-document",
    "unknown-stiffness",
    "stiffness-continuation",
    "stiffness-number",
    "undefined-stiffness",
    "layered-without-slab",
    "stiffness-pairing",
    "plastic-holder",
    "unconverted-element",
    "record-fields",
    "node-range",
    "link-away-from-shell",
    "twisted-plate",
    "site-coordinates",
    "load-shifted",
    "load-skipped",
    "load-refused",
    "load-case-unlisted",
    "own-weight",
    "value-lines",
    "load-cases",
    "tarvex-stop",
    "answers",
    "closing-empty-line",
    "end-line",
    "records-per-line",
    "long-line",
    "table-start",
    "table-columns",
    "table-loading",
    "table-keyword",
    "table-row-end",
    "table-cell",
    "table-rule",
    "table-stop",
};
static_assert(sizeof kNames / sizeof kNames[0] == static_cast<int>(Kind::kCount),
              "a name for every kind of finding");

}  // namespace

const char* kind_name(Kind kind) {
  int i = static_cast<int>(kind);
  return i >= 0 && i < static_cast<int>(Kind::kCount) ? kNames[i] : "?";
}

void Report::add(Finding finding) {
  std::size_t& n = per_kind_[static_cast<int>(finding.kind)];
  ++n;
  ++total_;
  if (finding.mended) ++mended_;
  if (n <= kKeptPerKind) kept_.push_back(std::move(finding));
}

void Report::print(std::ostream& out) const {
  std::vector<const Finding*> order;
  for (const Finding& f : kept_) order.push_back(&f);
  std::stable_sort(order.begin(), order.end(),
                   [](const Finding* a, const Finding* b) { return a->line < b->line; });
  for (const Finding* f : order) {
    out << file_;
    if (f->line > 0) out << ":" << f->line;
    out << ": [" << kind_name(f->kind) << "] " << f->what << "; " << f->effect
        << "; mend: " << f->mend << (f->mended ? " (mended)" : "") << "\n";
  }
  for (int k = 0; k < static_cast<int>(Kind::kCount); ++k) {
    if (per_kind_[k] > kKeptPerKind) {
      out << file_ << ": [" << kNames[k] << "] " << per_kind_[k] - kKeptPerKind
          << " more like these\n";
    }
  }
}

Finding make_finding(const char* program, Kind kind, long line, std::string what,
                     std::string effect, std::string mend, bool mended) {
  if (effect.rfind("stops with", 0) == 0) effect = std::string(program) + " " + effect;
  Finding f;
  f.kind = kind;
  f.line = line;
  f.what = std::move(what);
  f.effect = std::move(effect);
  f.mend = std::move(mend);
  f.mended = mended;
  return f;
}

std::string quoted(const std::string& message) {
  std::string text = message;
  if (!text.empty() && text[0] == '\n') text.erase(0, 1);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  // A line end becomes a blank, unless a blank stands beside it ("holder =
  // 0." after "modellir.txt: " and a line end). Other blanks stay as they
  // are: they may be part of a quoted cell of a table.
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      out += text[i];
    } else if (!(i > 0 && text[i - 1] == ' ') && !(i + 1 < text.size() && text[i + 1] == ' ')) {
      out += ' ';
    }
  }
  return "\"" + out + "\"";
}

}  // namespace modelcheck
