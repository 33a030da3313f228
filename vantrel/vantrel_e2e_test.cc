// Whole runs of vantrel: console, modelnew.txt, the intermediate files left
// by a stop, and model.txt untouched.
#include <gtest/gtest.h>

#include <vector>

#include "common/testing/run_program.h"
#include "example_table_test.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::RunResult;
using lira::testing::run_program;
using lira::testing::source_file;

// "Vantrel для LIRA 9.x, версия 1.1." in code page 866, then the diagram.
const std::string kHead =
    "\nVantrel for LIRA 9.x, v.1.1."
    "\nVantrel \xA4\xAB\xEF LIRA 9.x, \xA2\xA5\xE0\xE1\xA8\xEF 1.1."
    "\n\n         model.txt\xC4\xC4\xBF"
    "\n                    \xC3\xC4\xC4> modelnew.txt"
    "\n      loadfrag.txt\xC4\xC4\xD9\n\n";
const std::string kPressAnyKey = "\nPress any key to finish\n";
// "Модель трансформировалась успешно."
const std::string kSuccess =
    "\nModel transformed saccessfully."
    "\n\x8C\xAE\xA4\xA5\xAB\xEC \xE2\xE0\xA0\xAD\xE1\xE4\xAE\xE0\xAC\xA8\xE0\xAE\xA2\xA0\xAB\xA0"
    "\xE1\xEC \xE3\xE1\xAF\xA5\xE8\xAD\xAE.\n" +
    kPressAnyKey;
const std::string kTable = "\nTable loadfrag.txt:\n";

const std::string kModel =
    "( 0/ frame /\n"
    "( 1/\n"
    "5 1 1 2 /\n"
    " )\n"
    "( 6/\n"
    "1 0 3 1 1 /\n"
    "2 0 3 2 1 /\n"
    "\n"
    " )\n"
    "( 7/\n"
    "1 -10 0 /\n"
    "2 -5 0 /\n"
    "5 2.5 0 /\n"
    "\n"
    " )\n"
    "( 16/\n"
    "1 /\n"
    " )\n";

// kModel with CR LF line ends and the new lines in their places.
std::string merged(const std::string& new6, const std::string& new7) {
  return "( 0/ frame /\r\n( 1/\r\n5 1 1 2 /\r\n )\r\n( 6/\r\n1 0 3 1 1 /\r\n2 0 3 2 1 /\r\n" +
         new6 + "\r\n )\r\n( 7/\r\n1 -10 0 /\r\n2 -5 0 /\r\n5 2.5 0 /\r\n" + new7 +
         "\r\n )\r\n( 16/\r\n1 /\r\n )\r\n";
}

const std::string kRule = std::string(80, '-') + "\n";

// A type row: the lead bar, the keyword field as given, cells of `width`
// characters (an empty string stands for a blank cell) and the end mark " |".
std::string row(const std::string& field, std::vector<std::string> cells, std::size_t width) {
  std::string s = "| " + field;
  for (std::string& c : cells) {
    if (c.empty()) c.assign(width, ' ');
    EXPECT_EQ(c.size(), width) << "cell \"" << c << "\"";
    s += c;
  }
  return s + " |\n";
}
std::string row9(const std::string& field, std::vector<std::string> cells) {
  return row(field, std::move(cells), 8);
}
std::string row8(const std::string& field, std::vector<std::string> cells) {
  return row(field, std::move(cells), 9);
}
// The cap and the first node line of a table.
std::string head(const std::string& nodes) {
  return "LOADS ON THE FRAGMENT\n" + kRule + "| Loading | Type | Nodes |\n" + kRule + "| " +
         nodes + " |\n" + kRule;
}

using vantrel_test::kExample;

RunResult run(const std::string& model, const std::string& table) {
  Files files{{"model.txt", model}, {"loadfrag.txt", table}};
  RunResult r = run_program("vantrel", files, "k\n");
  // A script tells a success from a stop by the exit code alone.
  bool stopped = r.console.find("saccessfully") == std::string::npos;
  EXPECT_EQ(r.exit_code, stopped ? 1 : 0);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.files["model.txt"], model) << "model.txt changed";
  return r;
}

// A successful run: the console, and modelnew.txt next to the inputs only.
void expect_merged(const RunResult& r, const std::string& model, const std::string& table,
                   const std::string& modelnew) {
  EXPECT_EQ(r.console, native(kHead + kSuccess));
  EXPECT_EQ(r.files,
            (Files{{"model.txt", model}, {"loadfrag.txt", table}, {"modelnew.txt", modelnew}}));
}

// A stop while the table was read: the records written so far stay.
void expect_table_stop(const RunResult& r, const std::string& table, const std::string& message,
                       const std::string& doc6 = "", const std::string& doc7 = "") {
  EXPECT_EQ(r.console, native(kHead + message + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", kModel},
                            {"loadfrag.txt", table},
                            {"doc6.txt", doc6},
                            {"doc7.txt", doc7}}));
}

// A stop in pass 1: nothing is created.
void expect_model_stop(const RunResult& r, const std::string& model, const std::string& table,
                       const std::string& message) {
  EXPECT_EQ(r.console, native(kHead + message + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", model}, {"loadfrag.txt", table}}));
}

const std::string kExampleDoc6 =
    "101 0 1 6 1 /\r\n101 0 3 7 1 /\r\n102 0 2 8 2 /\r\n103 0 1 9 1 /\r\n"
    "109 0 3 10 1 /\r\n110 0 6 11 3 /\r\n111 0 6 12 3 /\r\n";
const std::string kExampleDoc7 =
    "6 1.25 0 /\r\n7 -10 0 /\r\n8 123.456 0 /\r\n9 -2.5 0 /\r\n10 3 0 /\r\n11 1e-005 0 /\r\n"
    "12 2 0 /\r\n";

TEST(VantrelRun, ExampleTableIsMergedAfterRecordFive) {
  RunResult r = run(kModel, kExample);
  expect_merged(r, kModel, kExample, merged(kExampleDoc6, kExampleDoc7));
}

TEST(VantrelRun, ShippedExample) {
  const std::string model = source_file("examples/vantrel/model.txt");
  const std::string table = source_file("examples/vantrel/loadfrag.txt");
  RunResult r = run(model, table);
  expect_merged(r, model, table,
                "( 0/ Two-storey column with a beam: vantrel example /\r\n"
                "( 1/\r\n5 1 1 2 /\r\n5 1 2 3 /\r\n5 1 3 4 /\r\n )\r\n"
                "( 4/\r\n0 0 0 /\r\n0 0 3 /\r\n0 0 6 /\r\n6 0 6 /\r\n )\r\n"
                "( 5/\r\n1 1 2 3 4 5 6 /\r\n )\r\n"
                "( 6/\r\n3 0 3 1 1 /\r\n4 0 3 2 1 /\r\n"
                "2 0 1 3 1 /\r\n2 0 2 4 2 /\r\n3 0 1 5 1 /\r\n4 0 1 6 1 /\r\n4 0 6 7 2 /\r\n"
                "\r\n )\r\n"
                "( 7/\r\n1 -20 0 /\r\n2 -20 0 /\r\n"
                "3 1.5 0 /\r\n4 -0.75 0 /\r\n5 3 0 /\r\n6 1.5 0 /\r\n7 0.2 0 /\r\n"
                "\r\n )\r\n");
}

TEST(VantrelRun, WindowsLineEndsInAndOut) {
  std::string model, table;
  for (char c : kModel) model += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (char c : kExample) table += c == '\n' ? std::string("\r\n") : std::string(1, c);
  RunResult r = run(model, table);
  expect_merged(r, model, table, merged(kExampleDoc6, kExampleDoc7));
}

TEST(VantrelRun, FiveNodesHaveNineCharacterCellsAndSilentColumns) {
  const std::string table = head("11 12 13 14 15") + "| 1 - static |\n" +
                            row8("RY  ", {"   1.5   ", "   2.5   ", "   3.5   ", "   4.5   ",
                                          "   5.5   ", "   6.5   ", "   7.5   ", "   8.5   "}) +
                            kRule;
  RunResult r = run(kModel, table);
  expect_merged(r, kModel, table,
                merged("11 0 2 6 1 /\r\n12 0 2 7 1 /\r\n13 0 2 8 1 /\r\n14 0 2 9 1 /\r\n"
                       "15 0 2 10 1 /\r\n",
                       "6 1.5 0 /\r\n7 2.5 0 /\r\n8 3.5 0 /\r\n9 4.5 0 /\r\n10 5.5 0 /\r\n"));
}

TEST(VantrelRun, TenNodesAreRefusedAtTheFirstRow) {
  const std::string table =
      head("1 2 3 4 5 6 7 8 9 10") + "| 1 - static |\n" + row9("RX  ", {"   1.0  "}) + kRule;
  RunResult r = run(kModel, table);
  expect_table_stop(r, table, kTable + "error: number of columns = 10 !");
}

TEST(VantrelRun, BarsGluedToNodeNumbers) {
  // "21|" is node 21; "|22" is a delimiter and its number is lost.
  const std::string table = "-----\n| 21| |22 23 |\n-----\n| 1 - static |\n" +
                            row8("RZ  ", {"   -1    ", "   -2    "}) + kRule;
  RunResult r = run(kModel, table);
  expect_merged(r, kModel, table, merged("21 0 3 6 1 /\r\n23 0 3 7 1 /\r\n",
                                         "6 -1 0 /\r\n7 -2 0 /\r\n"));
}

TEST(VantrelRun, RightAlignedZerosAndUnitsAfterNumbers) {
  // A right-aligned 0 stays empty; a unit or a word after a number is passed
  // over and the number converts.
  const std::string narrow = head("1 2 3 4 5 6 7 8 9") + "| 1 - static |\n" +
                             row9("RX  ", {"      0.", "   2.000", "", "  12.5kN", "", "", "",
                                           "   n/a  ", ""}) +
                             kRule;
  expect_merged(run(kModel, narrow), kModel, narrow,
                merged("2 0 1 6 1 /\r\n4 0 1 7 1 /\r\n", "6 2 0 /\r\n7 12.5 0 /\r\n"));
  const std::string wide =
      head("31 32") + "| 2 - static |\n" + row8("RY  ", {"       0 ", "  -1.5 t "}) + kRule;
  expect_merged(run(kModel, wide), kModel, wide, merged("32 0 2 6 2 /\r\n", "6 -1.5 0 /\r\n"));
}

TEST(VantrelRun, StaticAndDynamicMarks) {
  const std::string body = row8("RX  ", {"   1     "}) + kRule;
  for (const char* cell : {"| 1 - static |\n", "| 1 - 5 x |\n", "| 1 - 5\n|\n"}) {
    const std::string table = head("8") + cell + body;
    RunResult r = run(kModel, table);
    expect_merged(r, kModel, table, merged("8 0 1 6 1 /\r\n", "6 1 0 /\r\n"));
  }
  for (const char* cell : {"| 1 - 12 |\n", "| 1 -  5 |\n"}) {
    const std::string table = head("8") + cell + body;
    RunResult r = run(kModel, table);
    expect_table_stop(r, table, kTable + "dinamic loading not under processing.");
  }
}

TEST(VantrelRun, KeywordsByTheirFirstCharacters) {
  const std::string table = head("1 2") + "| 1 - static |\n" +
                            row8("RXAB  ", {"   1     ", "   2     "}) +
                            row8("RUZ9 ", {"   3     ", "   4     "}) + kRule;
  RunResult r = run(kModel, table);
  expect_merged(r, kModel, table,
                merged("1 0 1 6 1 /\r\n1 0 6 7 1 /\r\n2 0 1 8 1 /\r\n2 0 6 9 1 /\r\n",
                       "6 1 0 /\r\n7 3 0 /\r\n8 2 0 /\r\n9 4 0 /\r\n"));
  for (const char* keyword : {"rx  ", "Ruz "}) {
    const std::string lower = head("1 2") + "| 1 - static |\n" + row8(keyword, {"   1     "}) + kRule;
    expect_table_stop(run(kModel, lower), lower, "\nTable loadfrag.txt: error in load type.");
  }
}

TEST(VantrelRun, RepeatedLoadingAndKeywordReplaceNonEmptyCells) {
  const std::string table = head("1 2 3") + "| 2 - static |\n" +
                            row8("RZ  ", {"   1     ", "   2     ", "   3     "}) +
                            "| 5 - static |\n" + row8("RX  ", {"   9     "}) + "| 2 - static |\n" +
                            row8("RZ  ", {"", "   0.000 ", "   -4    "}) + kRule;
  RunResult r = run(kModel, table);
  expect_merged(r, kModel, table, merged("1 0 3 6 2 /\r\n1 0 1 7 5 /\r\n3 0 3 8 2 /\r\n",
                                         "6 1 0 /\r\n7 9 0 /\r\n8 -4 0 /\r\n"));
}

TEST(VantrelRun, RuleBetweenTwoLoadingsEndsTheBlock) {
  // The second loading's row is read as a node line, and no bar opens a block after it.
  const std::string table = head("1") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) +
                            kRule + "| 2 - static |\n" + row8("RY  ", {"   2.000 "}) + kRule;
  RunResult r = run(kModel, table);
  expect_table_stop(r, table, kTable + "incorrect column delimeter.", "1 0 1 6 1 /\r\n",
                    "6 1 0 /\r\n");
}

TEST(VantrelRun, EmptyBlockAndNoValuesCopyTheModel) {
  const std::string copy = merged("", "");
  const std::string empty_block = head("1 2 3") + "|\n" + kRule;
  expect_merged(run(kModel, empty_block), kModel, empty_block, copy);
  const std::string zeros =
      head("1 2 3") + "| 1 - static |\n" + row8("RX  ", {"   0.000 ", "  -0.0   ", ""}) + kRule;
  expect_merged(run(kModel, zeros), kModel, zeros, copy);
}

TEST(VantrelRun, StartingNumberOfTheNewValues) {
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  struct Case {
    const char* records;  // of document 7
    const char* first;    // the first new value line
  };
  for (const Case& c : {Case{"1 1 /\n2 1 /\n5 1 /\n", "6"}, Case{"", "1"},
                        Case{"010 1 /\n", "9"}, Case{"0x10 1 /\n", "17"},
                        Case{"3 1 /\n010 1 /\n0x0A 1 /\n", "11"}}) {
    const std::string model = std::string("( 6/\n\n )\n( 7/\n") + c.records + "\n )\n";
    const std::string records = c.records;
    std::string copied;
    for (char ch : records) copied += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    RunResult r = run(model, table);
    expect_merged(r, model, table,
                  "( 6/\r\n7 0 1 " + std::string(c.first) + " 1 /\r\n\r\n )\r\n( 7/\r\n" + copied +
                      c.first + " 1 0 /\r\n\r\n )\r\n");
  }
}

TEST(VantrelRun, LastLineWithoutLineEnd) {
  const std::string model = "( 6/\n\n )\n( 7/\n\n )";
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  expect_merged(run(model, table), model, table,
                "( 6/\r\n7 0 1 1 1 /\r\n\r\n )\r\n( 7/\r\n1 1 0 /\r\n\r\n )\r\n");
}

TEST(VantrelRun, StopInTheTableKeepsTheFinishedBlocks) {
  const std::string table = head("1 2") + "| 1 - static |\n" + row8("RX  ", {"   1     ", "   2     "}) +
                            kRule + "| 3 |\n" + kRule + "| 4 - static |\n" +
                            row8("RUY ", {"   5     "}) + kRule + "| 4 |\n" + kRule +
                            "| 1 - static |\n" + row8("RW  ", {"   6     "}) + kRule;
  RunResult r = run(kModel, table);
  expect_table_stop(r, table, "\nTable loadfrag.txt: error in load type.",
                    "1 0 1 6 1 /\r\n2 0 1 7 1 /\r\n3 0 5 8 4 /\r\n",
                    "6 1 0 /\r\n7 2 0 /\r\n8 5 0 /\r\n");
}

// Every message of the model's passes.

TEST(VantrelModelStops, MissingFiles) {
  RunResult r = run_program("vantrel", {{"loadfrag.txt", kExample}}, "k\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kHead + "\nFile model.txt can't be opened." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"loadfrag.txt", kExample}}));

  r = run_program("vantrel", {{"model.txt", kModel}}, "k\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kHead + "\nFile loadfrag.txt can't be opened." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", kModel}}));
}

TEST(VantrelModelStops, NoLoads) {
  for (const char* model : {"( 6/\n\n )\n", "( 6/\n\n )\n ( 7/\n\n )\n", "( 6/\n\n )\n( 7/"}) {
    expect_model_stop(run(model, kExample), model, kExample, "\nIncorrect <model>.txt: no loads.");
  }
}

TEST(VantrelModelStops, BadLoads) {
  for (const char* records : {"1 1 0 /\n3 1 0 /\n3 1 0 /\n", "1 1 0 /\nA 1 0 /\n",
                              "1 1 0 /\n  \n", "0 1 0 /\n"}) {
    const std::string model = std::string("( 6/\n\n )\n( 7/\n") + records + "\n )\n";
    expect_model_stop(run(model, kExample), model, kExample, "\nIncorrect <model>.txt: Bad loads.");
  }
}

TEST(VantrelModelStops, NoEndOfDocument7InPass1) {
  const std::string model = "( 6/\n\n )\n( 7/\n1 1 0 /\n\n";
  expect_model_stop(run(model, kExample), model, kExample, "\nCan't find an end of document 7.");
}

TEST(VantrelModelStops, NoEndOfDocument7InPass2) {
  // Document 7 before document 6: pass 1 finds it, pass 2 does not.
  const std::string model = "( 7/\n1 1 0 /\n\n )\n( 6/\n1 0 1 1 1 /\n\n )\n";
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  RunResult r = run(model, table);
  EXPECT_EQ(r.console, native(kHead + "\nCan't find an end of document 7." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", model},
                            {"loadfrag.txt", table},
                            {"doc6.txt", "7 0 1 2 1 /\r\n"},
                            {"doc7.txt", "2 1 0 /\r\n"},
                            {"modelnew.txt",
                             "( 7/\r\n1 1 0 /\r\n\r\n )\r\n( 6/\r\n1 0 1 1 1 /\r\n7 0 1 2 1 /\r\n"
                             "\r\n )\r\n"}}));
}

TEST(VantrelModelStops, NoDocument6) {
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  for (const char* model : {"( 7/\n\n )\n", "( 7/\n\n )\n( 6/"}) {
    RunResult r = run(model, table);
    std::string copied = std::string(model) == "( 7/\n\n )\n" ? "( 7/\r\n\r\n )\r\n"
                                                              : "( 7/\r\n\r\n )\r\n( 6/\r\n";
    EXPECT_EQ(r.console, native(kHead + "\nIncorrect <model>.txt: no document 6." + kPressAnyKey));
    EXPECT_EQ(r.files, (Files{{"model.txt", model},
                              {"loadfrag.txt", table},
                              {"doc6.txt", "7 0 1 1 1 /\r\n"},
                              {"doc7.txt", "1 1 0 /\r\n"},
                              {"modelnew.txt", copied}}));
  }
}

TEST(VantrelModelStops, NoEndOfDocument6) {
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  const std::string model = "( 7/\n\n )\n( 6/\n1 0 1 1 1 /\n";
  RunResult r = run(model, table);
  EXPECT_EQ(r.console, native(kHead + "\nCan't find an end of document 6." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", model},
                            {"loadfrag.txt", table},
                            {"doc6.txt", "7 0 1 1 1 /\r\n"},
                            {"doc7.txt", "1 1 0 /\r\n"},
                            {"modelnew.txt", "( 7/\r\n\r\n )\r\n( 6/\r\n1 0 1 1 1 /\r\n"}}));
}

TEST(VantrelModelStops, LayoutTheMergeReliesOn) {
  // Records after the empty line, or no empty line: the new values would
  // land in the wrong place.
  const std::string gap = "( 6/\n\n )\n( 7/\n1 1 0 /\n\n2 1 0 /\n\n )\n";
  expect_model_stop(run(gap, kExample), gap, kExample,
                    "\nIncorrect model.txt: an empty line stands among the records of document 7.");
  const std::string closed = "( 6/\n\n )\n( 7/\n1 1 0 /\n )\n( 8/\n\n )\n";
  expect_model_stop(run(closed, kExample), closed, kExample,
                    "\nIncorrect model.txt: no empty line closes the records of document 7.");
  // Document 6 without its empty line.
  const std::string table = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  const std::string open6 = "( 6/\n1 0 1 1 1 /\n )\n( 7/\n\n )\n";
  RunResult r = run(open6, table);
  EXPECT_EQ(r.console, native(kHead + "\nCan't find an end of document 6." + kPressAnyKey));
  EXPECT_EQ(r.files["modelnew.txt"], "( 6/\r\n1 0 1 1 1 /\r\n )\r\n");
  // An empty line between the documents.
  const std::string between = "( 6/\n\n )\n\n( 7/\n\n )\n";
  r = run(between, table);
  EXPECT_EQ(r.console, native(kHead +
                              "\nIncorrect model.txt: an empty line stands between the records of "
                              "documents 6 and 7." +
                              kPressAnyKey));
  EXPECT_EQ(r.files["modelnew.txt"], "( 6/\r\n7 0 1 1 1 /\r\n\r\n )\r\n");
}

TEST(VantrelModelStops, LinesLongerThan149Characters) {
  const std::string early = "( 1/\n" + std::string(150, '1') + "\n )\n" + kModel.substr(0);
  expect_model_stop(run(early, kExample), early, kExample,
                    "\nIncorrect model.txt: line 2 is longer than 149 characters.");
  const std::string late = kModel + std::string(151, ' ') + "\n";
  RunResult r = run(late, kExample);
  EXPECT_EQ(r.console, native(kHead + "\nIncorrect model.txt: line 19 is longer than 149 characters." +
                              kPressAnyKey));
  EXPECT_EQ(r.files["modelnew.txt"], merged(kExampleDoc6, kExampleDoc7));
  EXPECT_EQ(r.files["doc6.txt"], kExampleDoc6);
}

// Every message of the table.

TEST(VantrelTableStops, Cap) {
  for (const std::string& table :
       {std::string(""), std::string("LOADS\n-----\n| Loading |\n-----\n"),
        std::string("-----\n| 7 |\n-----")}) {
    expect_table_stop(run(kModel, table), table, "\nTable loadfrag.txt: the cap incorrect.");
  }
  const std::string zero = head("0 5") + "| 1 - static |\n" + kRule;
  expect_table_stop(run(kModel, zero), zero,
                    kTable + "the first string of nodes' numbers incorrect.");
}

TEST(VantrelTableStops, BlockAndLoadingCells) {
  struct Case {
    std::string block, message;
  };
  const std::string rx = row8("RX  ", {"   1     "});
  for (const Case& c : {
           Case{"1 - static |\n" + rx + kRule, kTable + "incorrect column delimeter."},
           Case{"| RX  |\n" + kRule, kTable + "error in loadings' number."},
           Case{"| 1 static |\n" + rx + kRule, kTable + "error in loadings' number format."},
           Case{"| 1 - static |\n" + rx + "|\n" + kRule,
                "\nTable loadfrag.txt: error in load type."},
           Case{"| 1 - static |\n" + rx, "\nTable loadfrag.txt: error in load type."},
           Case{"| 13 - static |\n" + rx + kRule, kTable + "loading No 13 is outside 1 to 12."},
           Case{"| 0 - static |\n" + rx + kRule, kTable + "loading No 0 is outside 1 to 12."},
           Case{"| 1 - static and no bar",
                kTable + "the file ends inside the cell of loading 1, before its closing \"|\"."},
           Case{"| 2 -\n|\n" + rx + kRule,
                kTable + "the kind of loading 2 is missing: the line ends right after \"-\"."},
           Case{"| 1 - static |\n| RZ  " + std::string(76, ' ') + "|\n" + kRule,
                kTable + "the row RZ of loading 1 does not end with \"|\" after at most 8 cells of "
                         "9 characters."},
           Case{"| 1 - static |\n| RUX    2 |\n" + kRule,
                kTable + "the row RUX of loading 1 does not end with \"|\" after at most 8 cells "
                         "of 9 characters."},
           Case{"| 1 - static |\n" + row8("RY  ", {"   1e999 "}) + kRule,
                kTable + "the RY value of loading 1 at node 7 is too large."},
       }) {
    const std::string table = head("7") + c.block;
    expect_table_stop(run(kModel, table), table, c.message);
  }
}

TEST(VantrelTableStops, FurtherNodeLines) {
  const std::string block = "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  const std::string eof = head("7") + block + "| 8 9";
  expect_table_stop(run(kModel, eof), eof, kTable + "the string of nodes' numbers incorrect.",
                    "7 0 1 6 1 /\r\n", "6 1 0 /\r\n");
  const std::string ten = head("7") + block + "| 1 2 3 4 5 6 7 8 9 10 |\n" + kRule + block;
  expect_table_stop(run(kModel, ten), ten,
                    kTable + "a string of nodes' numbers holds more than 9 numbers.",
                    "7 0 1 6 1 /\r\n", "6 1 0 /\r\n");
}

TEST(VantrelTableStops, LongToken) {
  const std::string table = std::string(150, '=') + "\n" + kExample;
  expect_table_stop(run(kModel, table), table,
                    "\nIncorrect loadfrag.txt: a token longer than 149 characters: "
                    "\"====================...\".");
}

TEST(VantrelTableStops, ValueLineNumbersRunOut) {
  const std::string model = "( 6/\n\n )\n( 7/\n2147483646 1 0 /\n\n )\n";
  const std::string one = head("7") + "| 1 - static |\n" + row8("RX  ", {"   1     "}) + kRule;
  expect_merged(run(model, one), model, one,
                "( 6/\r\n7 0 1 2147483647 1 /\r\n\r\n )\r\n( 7/\r\n2147483646 1 0 /\r\n"
                "2147483647 1 0 /\r\n\r\n )\r\n");
  const std::string two = head("7 8") + "| 1 - static |\n" + row8("RX  ", {"   1     ", "   2     "}) + kRule;
  RunResult r = run(model, two);
  EXPECT_EQ(r.console,
            native(kHead + "\nToo many new loads: load value line numbers would pass 2147483647." +
                   kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"model.txt", model},
                            {"loadfrag.txt", two},
                            {"doc6.txt", ""},
                            {"doc7.txt", ""}}));
}

// Models and tables as engineers' files come: whatever would be read wrongly
// stops in order.

TEST(VantrelModelStops, ARecordOnTheHeaderLineOfDocument7) {
  // Read past, record 5 would leave the new values numbered from 3.
  const std::string model =
      "( 6/\n1 0 3 1 1 /\n\n )\n( 7/ 5 1.0 /\n1 -10 0 /\n2 -5 0 /\n\n )\n";
  expect_model_stop(run(model, kExample), model, kExample,
                    "\nIncorrect model.txt: the header line of document 7 holds a record, "
                    "\"5 1.0 /\": begin the records of the document on the line after its "
                    "header.");
  // A lone number with its slash after the header is passed over: the new
  // values follow record 5.
  const std::string lone = "( 6/\n1 0 3 1 1 /\n\n )\n( 7/ 7/\n5 2.5 0 /\n\n )\n";
  const std::string table = head("9") + "| 1 - static |\n" + row8("RZ  ", {"  -1.5   "}) + kRule;
  expect_merged(run(lone, table), lone, table,
                "( 6/\r\n1 0 3 1 1 /\r\n9 0 3 6 1 /\r\n\r\n )\r\n( 7/ 7/\r\n5 2.5 0 /\r\n"
                "6 -1.5 0 /\r\n\r\n )\r\n");
}

TEST(VantrelModelStops, ALineOfDocument7WithMoreThanOneRecord) {
  const std::string model =
      "( 6/\n1 0 3 1 1 /\n\n )\n( 7/\n1 2 0 / 2 3 0 / 3 1 2 4 /\n\n )\n";
  expect_model_stop(run(model, kExample), model, kExample,
                    "\nIncorrect model.txt: line 6 holds record 1 of document 7 and more after "
                    "its \"/\": put each record of document 7 on a line of its own.");
}

TEST(VantrelTableStops, DecimalCommas) {
  // The first block is written before the second one's comma is met.
  const std::string table = head("1 2") + "| 1 - static |\n" +
                            row8("RX  ", {"   1.5   ", "         "}) + kRule + "| 3 |\n" + kRule +
                            "| 2 - static |\n" + row8("RUZ ", {"   0,25  "}) + kRule;
  expect_table_stop(run(kModel, table), table,
                    "\nIncorrect loadfrag.txt: the number \"0,25\" of the RUZ row of loading 2, "
                    "column 1 (node 3) has a decimal comma: write it with a decimal point, "
                    "\"0.25\".",
                    "1 0 1 6 1 /\r\n", "6 1.5 0 /\r\n");
}

// Cells that would be misread or dropped stop while the table is read: the
// blocks before them are written, their own block is not.

TEST(VantrelTableStops, CellsOfEightCharactersReadAsNine) {
  // Five nodes: the cells are 9 characters wide, the rows are drawn with 8,
  // and the minus sign of -4.100 ends the third cell.
  const std::string table = head("101 102 103 104 105") + "| 1 - static |\n" +
                            "| RX     1.250   0.000  -2.500  -4.100" + std::string(41, ' ') +
                            "|\n" + kRule;
  expect_table_stop(run(kModel, table), table,
                    kTable + "the cell \"-2.500  -\" of block 1, loading 1, row RX, column 3 "
                             "(node 103) holds part of a number that does not stand whole in it, "
                             "so the value would be misread.\nThe first node line has 5 nodes, "
                             "so the cells are 9 characters wide: write the table with cells of "
                             "9 characters, one value a cell.");
}

TEST(VantrelTableStops, CellsOfNineCharactersReadAsEight) {
  // Nine nodes: the cells are 8 characters wide. The first block is drawn
  // right; the second block's row is drawn with 9.
  const std::string table = head("1 2 3 4 5 6 7 8 9") + "| 1 - static |\n" +
                            row9("RZ  ", {"  -3.000"}) + kRule + "| 11 12 |\n" + kRule +
                            "| 2 - static |\n" + "| RY    -12.500   7.250 " +
                            std::string(55, ' ') + "|\n" + kRule;
  expect_table_stop(run(kModel, table), table,
                    kTable + "the cell \"0   7.25\" of block 2, loading 2, row RY, column 2 "
                             "(node 12) holds part of a number that does not stand whole in it, "
                             "so the value would be misread.\nThe first node line has 9 nodes, "
                             "so the cells are 8 characters wide: write the table with cells of "
                             "8 characters, one value a cell.",
                    "1 0 3 6 1 /\r\n", "6 -3 0 /\r\n");
}

TEST(VantrelTableStops, RightAlignedValue) {
  // Four blanks and 1.500 in a 9-character cell: the value would be dropped.
  const std::string table =
      head("31 32") + "| 2 - static |\n" + row8("RY  ", {"   2.000 ", "    1.500"}) + kRule;
  expect_table_stop(run(kModel, table), table,
                    kTable + "the cell \"    1.500\" of block 1, loading 2, row RY, column 2 "
                             "(node 32) has a blank as its fourth character, so it counts as "
                             "empty and its value would be dropped.\nThe first node line has 2 "
                             "nodes, so the cells are 9 characters wide: write each value so that "
                             "it reaches the fourth character of its cell.");
}

}  // namespace
