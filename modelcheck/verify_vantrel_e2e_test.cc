// Whole runs of modelcheck --verify --vantrel on what vantrel wrote: the
// shipped example verifies, a change of the output is named, and tables that
// stop vantrel do not pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::RunResult;
using lira::testing::run_program;
using lira::testing::run_program_with_args;
using lira::testing::source_file;

// A row of a report's table: what, and the two figures right-aligned.
std::string row(const std::string& what, const std::string& a, const std::string& b) {
  char line[128];
  std::snprintf(line, sizeof line, "  %-36s%14s%14s\n", what.c_str(), a.c_str(), b.c_str());
  return line;
}

Files merged() {
  Files in{{"model.txt", source_file("examples/vantrel/model.txt")},
           {"loadfrag.txt", source_file("examples/vantrel/loadfrag.txt")}};
  RunResult r = run_program("vantrel", in, "");
  in["modelnew.txt"] = r.files["modelnew.txt"];
  return in;
}

TEST(ModelcheckVerifyVantrel, ShippedExampleWholeReport) {
  // The table loads nodes 2, 3 and 4: loading 1 RX 1.5, 3 and 1.5 (6);
  // loading 2 RY -0.75 at node 2 and RUZ 0.2 at node 4: five records, after
  // the 25 lines of model.txt.
  RunResult r = run_program_with_args("modelcheck", {"--verify", "--vantrel"}, merged());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console,
            native("modelcheck --verify --vantrel: modelnew.txt beside model.txt and loadfrag.txt\n"
                   "\nLines" + std::string(33, ' ') + "     model.txt  modelnew.txt\n" +
                   row("lines of model.txt", "25", "25") + row("new records of document 6", "-", "5") +
                   row("new records of document 7", "-", "5") + "  model.txt in modelnew.txt: all agree\n" +
                   "\nLoads" + std::string(33, ' ') + "  loadfrag.txt   new records\n" +
                   row("blocks of the table", "1", "") + row("values that are not zero", "5", "5") +
                   row("sum of RX", "6", "6") + row("sum of RY", "-0.75", "-0.75") + row("sum of RUZ", "0.2", "0.2") +
                   "  loads by node, loading and direction: all agree\n"
                   "\nVerdict: modelnew.txt is model.txt with exactly the loads of the table added.\n"));
}

TEST(ModelcheckVerifyVantrel, ChangesNamed) {
  Files files = merged();
  auto run = [&](const std::string& from, const std::string& to) {
    Files f = files;
    std::string& text = f["modelnew.txt"];
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return run_program_with_args("modelcheck", {"--verify", "--vantrel"}, f);
  };
  // Value lines 3 to 7 are new: node 2 RX (3), RY (4); node 3 RX (5); node 4
  // RX (6), RUZ (7).
  RunResult value = run("\r\n5 3 0 /\r\n", "\r\n5 3.5 0 /\r\n");
  EXPECT_EQ(value.exit_code, 1);
  EXPECT_NE(value.console.find(native("  * node 3, loading 1, RX: 3 in the table, 3.5 in the records\n")),
            std::string::npos)
      << value.console;
  RunResult kept = run("\r\n1 -20 0 /\r\n", "\r\n1 -25 0 /\r\n");
  EXPECT_EQ(kept.exit_code, 1);
  EXPECT_NE(kept.console.find(native("  * line 22 of model.txt (\"1 -20 0 /\") is not line 27 of modelnew.txt "
                                     "(\"1 -25 0 /\")\n")),
            std::string::npos)
      << kept.console;
  RunResult dropped = run("\r\n4 0 6 7 2 /\r\n", "\r\n");
  EXPECT_EQ(dropped.exit_code, 1);
  EXPECT_NE(dropped.console.find(native("  * node 4, loading 2, RUZ: 0.2 in the table, no record\n")),
            std::string::npos)
      << dropped.console;
}

// Both files are read a line at a time, side by side: where modelnew.txt
// ends early, goes on, or model.txt lacks the empty lines vantrel adds
// before. Lines 19 and 24 of model.txt close documents 6 and 7; modelnew.txt
// has five new lines before each, 35 in all.
TEST(ModelcheckVerifyVantrel, EndsAndLayoutNamed) {
  Files files = merged();
  auto run = [](Files f) { return run_program_with_args("modelcheck", {"--verify", "--vantrel"}, f); };
  const std::string& fresh = files["modelnew.txt"];
  ASSERT_EQ(fresh.substr(fresh.size() - 6), "\r\n )\r\n");
  Files cut = files;
  cut["modelnew.txt"] = fresh.substr(0, fresh.size() - 4);
  RunResult early = run(cut);
  EXPECT_EQ(early.exit_code, 1);
  EXPECT_NE(early.console.find(native("  * line 25 of model.txt (\" )\") is not line 35 of "
                                      "modelnew.txt\n")),
            std::string::npos)
      << early.console;
  Files longer = files;
  longer["modelnew.txt"] += "( 8/\r\n";
  RunResult on = run(longer);
  EXPECT_EQ(on.exit_code, 1);
  EXPECT_NE(on.console.find(native("  * modelnew.txt goes on after the last line of model.txt, at "
                                   "line 36\n")),
            std::string::npos)
      << on.console;
  Files unclosed = files;
  unclosed["model.txt"] = lira::testing::replaced(files["model.txt"], "2 -20 0 /\n\n", "2 -20 0 /\n");
  RunResult layout = run(unclosed);
  EXPECT_EQ(layout.exit_code, 1);
  EXPECT_NE(layout.console.find(native("  * model.txt has not the layout vantrel needs: document 6, "
                                       "document 7, each record list closed by an empty line\n")),
            std::string::npos)
      << layout.console;
  std::string lines = row("lines of model.txt", "24", "-");
  lines.insert(lines.size() - 1, "   <- differs");
  EXPECT_NE(layout.console.find(native(lines)), std::string::npos) << layout.console;
}

TEST(ModelcheckVerifyVantrel, TablesVantrelStopsOnDoNotPass) {
  // modelnew.txt as vantrel wrote it from the example; the table then
  // spoiled so that vantrel would stop on it. A hexadecimal value, which
  // strtod would read as 3, and a value right-aligned so far that its cell
  // would count as empty.
  const std::string hex =
      "\nTable loadfrag.txt:\nthe cell \"    0x3  \" of block 1, loading 1, row RX, column 2 (node "
      "3) holds a hexadecimal number, which would be read as 0.\nWrite the value as a decimal "
      "number.";
  const std::string dropped =
      "\nTable loadfrag.txt:\nthe cell \"     1.5 \" of block 1, loading 1, row RX, column 1 (node "
      "2) has a blank as its fourth character, so it counts as empty and its value would be "
      "dropped.\nThe first node line has 3 nodes, so the cells are 9 characters wide: write each "
      "value so that it reaches the fourth character of its cell.";
  struct Case {
    std::string from, to, stop;
  };
  for (const Case& c : {Case{"   3.000 ", "    0x3  ", hex},
                        Case{"| RX     1.500 ", "| RX       1.5 ", dropped}}) {
    Files files = merged();
    files["loadfrag.txt"] = lira::testing::replaced(files["loadfrag.txt"], c.from, c.to);
    RunResult verify = run_program_with_args("modelcheck", {"--verify", "--vantrel"}, files);
    EXPECT_EQ(verify.exit_code, 2);
    EXPECT_EQ(verify.console,
              native("modelcheck --verify --vantrel: loadfrag.txt cannot be read as vantrel reads "
                     "it:" + c.stop + "\n"));
    // vantrel itself stops with the same message.
    files.erase("modelnew.txt");
    RunResult run = run_program("vantrel", files, "");
    EXPECT_NE(run.console.find(native(c.stop + "\nPress any key to finish\n")), std::string::npos)
        << run.console;
  }
}

}  // namespace
