#include "findings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace modelcheck {
namespace {

std::string printed(const Report& report) {
  std::ostringstream out;
  report.print(out);
  return out.str();
}

TEST(Report, KeepsTenOfAKindInLineOrderAndCountsTheRest) {
  Report report("m.txt");
  for (long line = 30; line > 18; --line) {
    report.add(make_finding("tarvex", Kind::kDecimalComma, line, "w" + std::to_string(line), "e",
                            "m", line % 2 == 0));
  }
  report.add(make_finding("tarvex", Kind::kMissingDocument, 0, "no doc", "stops with \"x\"", "add", false));
  report.add(make_finding("tarvex", Kind::kLoadCases, 25, "same line", "e", "m", false));
  EXPECT_EQ(report.count(), 14u);
  EXPECT_EQ(report.count(Kind::kDecimalComma), 12u);
  EXPECT_EQ(report.mended(), 6u);
  std::string text = printed(report);
  // The file as a whole first, then by line; a finding of an earlier kind
  // keeps its place among those of its line; the two of the lowest lines
  // (19, 20) are the ones left out, as they came last.
  EXPECT_EQ(text.substr(0, text.find('\n') + 1),
            "m.txt: [missing-document] no doc; tarvex stops with \"x\"; mend: add\n");
  EXPECT_EQ(text.find(":19:"), std::string::npos);
  EXPECT_EQ(text.find(":20:"), std::string::npos);
  EXPECT_LT(text.find("m.txt:21: [decimal-comma] w21; e; mend: m\n"),
            text.find("m.txt:22: [decimal-comma] w22; e; mend: m (mended)\n"));
  EXPECT_LT(text.find(":25: [decimal-comma]"), text.find(":25: [load-cases]"));
  // The counts of those left out come last.
  std::string last = "\nm.txt: [decimal-comma] 2 more like these\n";
  EXPECT_EQ(text.rfind(last), text.size() - last.size());
}

TEST(Report, AQuotedMessageIsOneLine) {
  EXPECT_EQ(quoted("\nIncorrect modellir.txt: no stiffness."), "\"Incorrect modellir.txt: no stiffness.\"");
  // A line end beside a blank is dropped; between two words it is a blank;
  // blanks inside a cell stay.
  EXPECT_EQ(quoted("\nmodellir.txt: \nholder = 0.\n"), "\"modellir.txt: holder = 0.\"");
  EXPECT_EQ(quoted("\nrow\ncell \"  1.5 \""), "\"row cell \"  1.5 \"\"");
  EXPECT_STREQ(kind_name(Kind::kCount), "?");
  EXPECT_STREQ(kind_name(Kind::kTableStop), "table-stop");
}

}  // namespace
}  // namespace modelcheck
