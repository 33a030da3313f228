// Whole runs of modelcheck --vantrel on the example's model and table with
// one fault each, and of vantrel on them and on what modelcheck mends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;
using lira::testing::run_program_with_args;
using lira::testing::RunResult;

using lira::testing::replaced;

bool merged(const RunResult& r) {
  return r.console.find(native("\nModel transformed saccessfully.")) != std::string::npos;
}

// The message `stop` as a finding quotes it: its line ends as blanks.
std::string quoted(std::string stop) {
  stop.erase(0, 1);
  for (char& c : stop) {
    if (c == '\n') c = ' ';
  }
  return "\"" + stop + "\"";
}

const std::string kModel = lira::testing::source_file("examples/vantrel/model.txt");
const std::string kTable = lira::testing::source_file("examples/vantrel/loadfrag.txt");

TEST(ModelcheckVantrel, ExampleHasNoFindings) {
  RunResult r = run_program_with_args("modelcheck", {"--vantrel"},
                                      {{"model.txt", kModel}, {"loadfrag.txt", kTable}});
  EXPECT_EQ(r.console, native("model.txt: no findings.\nloadfrag.txt: no findings.\n"));
  EXPECT_EQ(r.exit_code, 0);
}

// Layout faults of the model: the finding on its line, the mended copy is
// the example byte for byte, and vantrel merges it as it merges the example.
TEST(ModelcheckVantrel, LayoutFaultsMendedAndMerged) {
  struct Case {
    const char* kind;
    long line;
    std::string model;
    std::string stop;  // vantrel's message on the faulty model; empty: it merges otherwise
  };
  const std::vector<Case> cases = {
      {"header-spelling", 16, replaced(kModel, "( 6/", "(6/"),
       "\nIncorrect <model>.txt: no document 6."},
      {"header-spelling", 21, replaced(kModel, "( 7/", "( 7 /"),
       "\nIncorrect <model>.txt: no loads."},
      {"records-per-line", 22, replaced(kModel, "1 -20 0 /\n2 -20 0 /", "1 -20 0 / 2 -20 0 /"),
       "\nIncorrect model.txt: line 22 holds record 1 of document 7 and more after its \"/\": put "
       "each "
       "record of document 7 on a line of its own."},
      {"record-on-header-line", 21, replaced(kModel, "( 7/\n1 -20", "( 7/ 1 -20"),
       "\nIncorrect model.txt: the header line of document 7 holds a record, \"1 -20 0 /\": begin "
       "the "
       "records of the document on the line after its header."},
      {"closing-empty-line", 24, replaced(kModel, "2 -20 0 /\n\n )", "2 -20 0 /\n )"),
       "\nIncorrect model.txt: no empty line closes the records of document 7."},
      {"closing-empty-line", 23, replaced(kModel, "1 -20 0 /\n", "1 -20 0 /\n\n"),
       "\nIncorrect model.txt: an empty line stands among the records of document 7."},
      {"closing-empty-line", 24, replaced(kModel, "2 -20 0 /\n\n", "2 -20 0 /\n   \n"),
       "\nIncorrect <model>.txt: Bad loads."},
      {"closing-empty-line", 19, replaced(kModel, "4 0 3 2 1 /\n\n", "4 0 3 2 1 /\n\n\n"),
       "\nIncorrect model.txt: an empty line stands between the records of documents 6 and 7."},
      {"end-line", 25, kModel.substr(0, kModel.size() - 3) + ")\n",
       "\nIncorrect <model>.txt: Bad loads."},
      {"closing-empty-line", 21, replaced(kModel, " )\n( 7/", " )\n\n( 7/"),
       "\nIncorrect model.txt: an empty line stands between the records of documents 6 and 7."},
      // The header after the end of document 6, whose records lack their
      // empty line: both mended in one pass.
      {"header-position", 19, replaced(kModel, "4 0 3 2 1 /\n\n )\n( 7/", "4 0 3 2 1 /\n )( 7/"),
       "\nIncorrect <model>.txt: no loads."},
      {"records-per-line", 23, replaced(kModel, "2 -20 0 /\n\n )", "2 -20 0 / )"),
       "\nIncorrect model.txt: line 23 holds record 2 of document 7 and more after its \"/\": put "
       "each record of document 7 on a line of its own."},
  };
  RunResult clean =
      run_program("vantrel", {{"model.txt", kModel}, {"loadfrag.txt", kTable}}, "k\n");
  ASSERT_TRUE(merged(clean));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " on line " + std::to_string(c.line));
    RunResult check = run_program_with_args("modelcheck", {"--vantrel", "--fix"},
                                            {{"model.txt", c.model}, {"loadfrag.txt", kTable}});
    std::string at = "model.txt:" + std::to_string(c.line) + ": [" + c.kind + "] ";
    EXPECT_NE(check.console.find(native(at)), std::string::npos) << check.console;
    EXPECT_EQ(check.exit_code, 0) << check.console;
    EXPECT_EQ(check.files.at("model.fixed.txt"), kModel);
    RunResult again = run_program_with_args(
        "modelcheck", {"--vantrel", "--fix"},
        {{"model.txt", check.files.at("model.fixed.txt")}, {"loadfrag.txt", kTable}});
    EXPECT_EQ(again.files.at("model.fixed.txt"), kModel);
    EXPECT_EQ(again.console, native("model.txt: no findings.\nloadfrag.txt: no findings.\n"
                                    "model.fixed.txt written.\n"));

    RunResult before =
        run_program("vantrel", {{"model.txt", c.model}, {"loadfrag.txt", kTable}}, "k\n");
    if (c.stop.empty()) {
      EXPECT_NE(before.files["modelnew.txt"], clean.files.at("modelnew.txt"));
    } else {
      EXPECT_NE(before.console.find(native(c.stop + "\nPress any key to finish\n")),
                std::string::npos)
          << before.console;
      EXPECT_NE(check.console.find(quoted(c.stop)), std::string::npos) << check.console;
    }
  }
}

// Faults of the table: each on its line, with what vantrel then does.
TEST(ModelcheckVantrel, TableFindings) {
  struct Case {
    const char* kind;
    long line;
    std::string table;
    std::string stop;  // empty: vantrel merges, with a value lost or misread
  };
  const std::vector<Case> cases = {
      {"table-keyword", 8, replaced(kTable, "| RX ", "| rx "),
       "\nTable loadfrag.txt: error in load type."},
      {"table-loading", 7, replaced(kTable, "| 1 - static  ", "| 1 - 10 years"),
       "\nTable loadfrag.txt:\ndinamic loading not under processing."},
      {"table-loading", 10, replaced(kTable, "| 2 - static", "| 13 - stati"),
       "\nTable loadfrag.txt:\nloading No 13 is outside 1 to 12."},
      {"table-cell", 8, replaced(kTable, "| RX     1.500 ", "| RX       1.5 "),
       "\nTable loadfrag.txt:\nthe cell \"     1.5 \" of block 1, loading 1, row RX, column 1 "
       "(node 2) has a blank as its fourth character, so it counts as empty and its value would "
       "be dropped.\nThe first node line has 3 nodes, so the cells are 9 characters wide: write "
       "each value so that it reaches the fourth character of its cell."},
      {"table-cell", 12, replaced(kTable, "0.200        ", "  0.200      "),
       "\nTable loadfrag.txt:\nthe cell \"     0.20\" of block 1, loading 2, row RUZ, column 3 "
       "(node 4) has a blank as its fourth character, so it counts as empty and its value would "
       "be dropped.\nThe first node line has 3 nodes, so the cells are 9 characters wide: write "
       "each value so that it reaches the fourth character of its cell."},
      {"table-cell", 8, replaced(kTable, "   3.000 ", "    0x3  "),
       "\nTable loadfrag.txt:\nthe cell \"    0x3  \" of block 1, loading 1, row RX, column 2 "
       "(node 3) holds a hexadecimal number, which would be read as 0.\nWrite the value as a "
       "decimal number."},
      {"decimal-comma", 8, replaced(kTable, "1.500", "1,500"),
       "\nIncorrect loadfrag.txt: the number \"1,500\" of the RX row of loading 1, column 1 (node "
       "2) "
       "has a decimal comma: write it with a decimal point, \"1.500\"."},
      {"table-row-end", 11,
       replaced(kTable,
                "| RY    -0.750                                                                 |",
                "| RY    -0.750                                                                |"),
       "\nTable loadfrag.txt:\nthe row RY of loading 2 does not end with \"|\" after at most 8 "
       "cells of 9 "
       "characters."},
      {"table-columns", 5,
       replaced(kTable,
                "|        2        3        4                                                   |",
                "| 1 2 3 4 5 6 7 8 9 10 |"),
       "\nTable loadfrag.txt:\nerror: number of columns = 10 !"},
      {"table-rule", 11,
       replaced(
           kTable,
           "| RZ                                                                           |\n",
           "| RZ                                                                           |\n"
           "--------------------------------------------------------------------------------\n"),
       ""},
  };
  RunResult clean =
      run_program("vantrel", {{"model.txt", kModel}, {"loadfrag.txt", kTable}}, "k\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " on line " + std::to_string(c.line));
    RunResult check = run_program_with_args("modelcheck", {"--vantrel"},
                                            {{"model.txt", kModel}, {"loadfrag.txt", c.table}});
    std::string at = "loadfrag.txt:" + std::to_string(c.line) + ": [" + c.kind + "] ";
    EXPECT_NE(check.console.find(native(at)), std::string::npos) << check.console;
    EXPECT_EQ(check.exit_code, 1);
    RunResult run =
        run_program("vantrel", {{"model.txt", kModel}, {"loadfrag.txt", c.table}}, "k\n");
    if (c.stop.empty()) {
      EXPECT_TRUE(!merged(run) || run.files["modelnew.txt"] != clean.files.at("modelnew.txt"));
    } else {
      EXPECT_NE(run.console.find(native(c.stop + "\nPress any key to finish\n")), std::string::npos)
          << run.console;
      EXPECT_NE(check.console.find(quoted(c.stop)), std::string::npos) << check.console;
    }
  }
}

}  // namespace
