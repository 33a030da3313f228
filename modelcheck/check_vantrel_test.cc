#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "check_vantrel.h"

namespace modelcheck {
namespace {

// The mended copy of `model`, checked beside a table of one value; the
// report goes to `out`.
std::string mended(const std::string& model, std::ostringstream& out) {
  std::string fixed;
  Options o;
  o.mode = Mode::kFixVantrel;
  check_vantrel_text(model, "-----\n| 2 |\n-----\n| 1 - static |\n| RX     1.0    |\n-----\n", o,
                     out, &fixed);
  return fixed;
}

TEST(CheckVantrel, MendedCopyKeepsItsLineEnds) {
  std::string model = "( 6/\r\n3 0 3 1 1 /\r\n )\r\n( 7/\r\n1 -20 0 / 2 -20 0 /\r\n )\r\n";
  std::ostringstream out;
  std::string fixed = mended(model, out);
  EXPECT_EQ(fixed, "( 6/\r\n3 0 3 1 1 /\r\n\r\n )\r\n( 7/\r\n1 -20 0 /\r\n2 -20 0 /\r\n\r\n )\r\n");
  EXPECT_NE(out.str().find("model.txt:3: [closing-empty-line] no empty line closes the records of "
                           "document 6"),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("model.txt:5: [records-per-line] 2 records of document 7 share a line"),
            std::string::npos);
}

TEST(CheckVantrel, HeaderAfterTheEndOfTheDocumentBefore) {
  std::string model = "( 5/\n1 1 /\n )( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 /\n\n )\n";
  std::ostringstream out;
  std::string fixed = mended(model, out);
  EXPECT_EQ(fixed, "( 5/\n1 1 /\n )\n( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 /\n\n )\n");
  EXPECT_NE(out.str().find("model.txt:3: [header-position] \"( 6/\" is not the header"),
            std::string::npos)
      << out.str();
}

// The mended copy of `model` mended again: nothing more to do.
void expect_mended_in_one_pass(const std::string& model, const std::string& expected) {
  std::ostringstream first, second;
  std::string once = mended(model, first);
  EXPECT_EQ(once, expected) << first.str();
  EXPECT_EQ(mended(once, second), once) << second.str();
  EXPECT_EQ(second.str(), "model.txt: no findings.\nloadfrag.txt: no findings.\nmodel.fixed.txt written.\n");
}

const std::string kClean = "( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 /\n\n )\n";

TEST(CheckVantrel, EmptyLineBetweenTheEndOfDocument6AndTheHeaderOf7) {
  std::ostringstream out;
  std::string fixed = mended("( 6/\n3 0 3 1 1 /\n\n )\n\n( 7/\n1 -20 0 /\n\n )\n", out);
  EXPECT_EQ(fixed, kClean);
  EXPECT_NE(out.str().find("model.txt:5: [closing-empty-line] an empty line stands between the end "
                           "of document 6 and the header of document 7; vantrel stops with "
                           "\"Incorrect model.txt: an empty line stands between the records of "
                           "documents 6 and 7.\"; mend: delete the empty line (mended)"),
            std::string::npos)
      << out.str();
}

TEST(CheckVantrel, FixFinishesInOnePass) {
  // The header of document 7 on the end line of document 6, whose records
  // lack their empty line; the end of a document after a record's "/".
  expect_mended_in_one_pass("( 6/\n3 0 3 1 1 /\n\n )( 7/\n1 -20 0 /\n\n )\n", kClean);
  expect_mended_in_one_pass("( 6/\n3 0 3 1 1 /\n )( 7/\n1 -20 0 /\n\n )\n", kClean);
  expect_mended_in_one_pass("( 6/\n3 0 3 1 1 / )\n( 7/\n1 -20 0 /\n\n )\n", kClean);
  expect_mended_in_one_pass("( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 / )\n", kClean);
  // Both: a record, the end of document 6 and the header of 7 on one line.
  expect_mended_in_one_pass("( 6/\n3 0 3 1 1 / )( 7/\n1 -20 0 /\n\n )\n", kClean);
}

// The report on `table` beside a clean model.
std::string table_report(const std::string& table) {
  std::ostringstream out;
  Options o;
  o.mode = Mode::kCheckVantrel;
  check_vantrel_text(kClean, table, o, out, nullptr);
  return out.str();
}

TEST(CheckVantrel, CellsQuoteVantrelsStop) {
  const std::string rule = std::string(80, '-') + "\n";
  // Cells of 8 characters under a node line of 5 nodes, read as 9.
  std::string report = table_report(
      rule + "| 101 102 103 104 105 |\n" + rule + "| 1 - static |\n" +
      "| RX     1.250   0.000  -2.500  -4.100" + std::string(41, ' ') + "|\n" + rule);
  EXPECT_NE(report.find("loadfrag.txt:5: [table-cell] the RX cell 3 of loading 1 \"-2.500  -\" "
                        "holds part of a number that does not stand whole in it; vantrel stops "
                        "with \"Table loadfrag.txt: the cell \"-2.500  -\" of block 1, loading 1, "
                        "row RX, column 3 (node 103) holds part of a number that does not stand "
                        "whole in it, so the value would be misread. The first node line has 5 "
                        "nodes, so the cells are 9 characters wide: write the table with cells "
                        "of 9 characters, one value a cell.\""),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("loadfrag.txt: 1 finding.\n"), std::string::npos) << report;
  // A hexadecimal value in the second block.
  report = table_report(rule + "| 1 2 |\n" + rule + "|\n" + rule + "| 3 |\n" + rule +
                        "| 4 - static |\n" + "| RZ      0x1F  |\n" + rule);
  EXPECT_NE(report.find("loadfrag.txt:9: [table-cell] the RZ cell 1 of loading 4 \"    0x1F \" "
                        "holds a hexadecimal number; vantrel stops with \"Table loadfrag.txt: "
                        "the cell \"    0x1F \" of block 2, loading 4, row RZ, column 1 (node 3) "
                        "holds a hexadecimal number, which would be read as 0. Write the value "
                        "as a decimal number.\""),
            std::string::npos)
      << report;
  // A stop that the lines do not show: vantrel's reader has the last word.
  report = table_report(rule + "| 1 2 |\n" + rule + "| 2 -\nstatic |\n| RX    1 |\n" + rule);
  EXPECT_NE(report.find("loadfrag.txt: [table-stop] vantrel's table reader stops on the table; "
                        "vantrel stops with \"Table loadfrag.txt: the kind of loading 2 is "
                        "missing: the line ends right after \"-\".\""),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace modelcheck
