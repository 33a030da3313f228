// What modelcheck finds, and how it tells the engineer.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace modelcheck {

/// Every kind of finding. Each has a name, shown with every finding and
/// explained, with its cause and cure, in docs/findings.md.
enum class Kind {
  // Spelling and layout: mended by --fix.
  kHeaderSpelling,
  kHeaderPosition,
  kRecordOnHeaderLine,
  kGluedSlash,
  kRecordEnd,
  kDecimalComma,
  kLineEnds,
  // What only the author can mend.
  kLongToken,
  kMissingDocument,
  kUnconvertedDocument,
  kDocumentOrder,
  kDocumentTwice,
  kUnclosedDocument,
  kUnknownStiffness,
  kStiffnessContinuation,
  kStiffnessNumber,
  kUndefinedStiffness,
  kLayeredWithoutSlab,
  kStiffnessPairing,
  kPlasticHolder,
  kUnconvertedElement,
  kRecordFields,
  kNodeRange,
  kLinkAwayFromShell,
  kTwistedPlate,
  kSiteCoordinates,
  kLoadShifted,
  kLoadSkipped,
  kLoadRefused,
  kLoadCaseUnlisted,
  kOwnWeight,
  kValueLines,
  kLoadCases,
  kTarvexStop,
  kAnswers,
  // vantrel's model.txt.
  kClosingEmptyLine,
  kEndLine,
  kRecordsPerLine,
  kLongLine,
  // vantrel's loadfrag.txt.
  kTableStart,
  kTableColumns,
  kTableLoading,
  kTableKeyword,
  kTableRowEnd,
  kTableCell,
  kTableRule,
  kTableStop,
  kCount
};

/// The name of a kind, as docs/findings.md heads its section.
const char* kind_name(Kind kind);

/// One finding: where, what, what the program would do, how to mend.
struct Finding {
  Kind kind;
  long line = 0;  // 0: the file as a whole
  std::string what;
  std::string effect;  // "tarvex stops with ...", "tarvex drops ..."
  std::string mend;
  bool mended = false;
};

/// A finding of `program` ("tarvex", "vantrel"): an effect that begins
/// "stops with" is the program's.
Finding make_finding(const char* program, Kind kind, long line, std::string what,
                     std::string effect, std::string mend, bool mended);

/// The findings of one file. Only the first few of each kind are kept, so a
/// fault repeated on every line of a big model costs no memory; the rest are
/// counted and summed up.
class Report {
 public:
  explicit Report(std::string file) : file_(std::move(file)) {}

  void add(Finding finding);
  std::size_t count() const { return total_; }
  std::size_t mended() const { return mended_; }
  std::size_t count(Kind kind) const { return per_kind_[static_cast<int>(kind)]; }
  /// The findings kept, in line order, then the counts of those left out.
  void print(std::ostream& out) const;
  const std::vector<Finding>& kept() const { return kept_; }
  /// A line too long to be kept whole was read: a mended copy would lose
  /// its end, so none is written.
  void mark_cut() { cut_ = true; }
  bool cut() const { return cut_; }

  static constexpr std::size_t kKeptPerKind = 10;

 private:
  std::string file_;
  std::vector<Finding> kept_;
  std::size_t per_kind_[static_cast<int>(Kind::kCount)] = {};
  std::size_t total_ = 0, mended_ = 0;
  bool cut_ = false;
};

/// A message of one of the programs, quoted in a finding: the leading line
/// end dropped, the inner ones written as blanks.
std::string quoted(const std::string& message);

}  // namespace modelcheck
