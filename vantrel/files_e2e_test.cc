// What whole runs of vantrel do to the files of the working directory: the
// model and the table are never changed, nothing but modelnew.txt and the two
// intermediate files is written, and a file that cannot take its bytes ends
// the run by a stop.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::Links;
using lira::testing::native;
using lira::testing::run_program;
using lira::testing::RunResult;
using Names = std::vector<std::string>;

const std::string kHead =
    "\nVantrel for LIRA 9.x, v.1.1."
    "\nVantrel \xA4\xAB\xEF LIRA 9.x, \xA2\xA5\xE0\xE1\xA8\xEF 1.1."
    "\n\n         model.txt\xC4\xC4\xBF"
    "\n                    \xC3\xC4\xC4> modelnew.txt"
    "\n      loadfrag.txt\xC4\xC4\xD9\n\n";
const std::string kPressAnyKey = "\nPress any key to finish\n";

// One load record 4 in the model; the table gives node 9 a force of 2.5
// along X in loading 1, which becomes value line 5.
const std::string kModel = "( 6/\n\n )\n( 7/\n4 1 0 /\n\n )\n";
const std::string kTable =
    "-----\n| 9 |\n-----\n| 1 - static |\n"
    "| RX     2.5    |\n"  // a cell of 9 characters from the seventh, then the end mark
    "-----\n";
const std::string kDoc6 = "9 0 1 5 1 /\r\n";
const std::string kDoc7 = "5 2.5 0 /\r\n";
const std::string kModelNew = "( 6/\r\n" + kDoc6 + "\r\n )\r\n( 7/\r\n4 1 0 /\r\n" + kDoc7 + "\r\n )\r\n";

TEST(VantrelFiles, InputsUnchangedAndOnlyItsOwnFilesWritten) {
  struct Case {
    const char* what;
    Files inputs;
    Names written;  // the new files the run leaves
  };
  for (const Case& c : {
           Case{"success", {{"model.txt", kModel}, {"loadfrag.txt", kTable}}, {"modelnew.txt"}},
           Case{"a stop in pass 1", {{"model.txt", "( 6/\n\n )\n"}, {"loadfrag.txt", kTable}}, {}},
           Case{"no table", {{"model.txt", kModel}}, {}},
           Case{"a stop in the table",
                {{"model.txt", kModel}, {"loadfrag.txt", "-----\n| 9 |\n-----\n| x\n"}},
                {"doc6.txt", "doc7.txt"}},
           Case{"a stop in pass 2",
                {{"model.txt", "( 7/\n4 1 0 /\n\n )\n"}, {"loadfrag.txt", kTable}},
                {"doc6.txt", "doc7.txt", "modelnew.txt"}},
       }) {
    SCOPED_TRACE(c.what);
    RunResult r = run_program("vantrel", c.inputs, "k\n");
    EXPECT_TRUE(r.inputs_unchanged());
    EXPECT_EQ(r.new_paths, c.written);
    for (const auto& [name, bytes] : c.inputs) EXPECT_EQ(r.files.at(name), bytes);
  }
}

TEST(VantrelFiles, WriteFailuresAreNoSuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  struct Case {
    const char* full;  // the file that takes no byte
    Files left;        // besides the inputs
  };
  for (const Case& c : {Case{"doc6.txt", {{"doc7.txt", kDoc7}}},
                        Case{"doc7.txt", {{"doc6.txt", kDoc6}}},
                        Case{"modelnew.txt", {{"doc6.txt", kDoc6}, {"doc7.txt", kDoc7}}}}) {
    SCOPED_TRACE(c.full);
    RunResult r = run_program("vantrel", {{"model.txt", kModel}, {"loadfrag.txt", kTable}}, "k\n",
                              {{c.full, "/dev/full"}});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console,
              native(kHead + "\nFile " + c.full + " can't be written to the end." + kPressAnyKey));
    Files left = c.left;
    left["model.txt"] = kModel;
    left["loadfrag.txt"] = kTable;
    EXPECT_EQ(r.files, left);
    EXPECT_EQ(r.links, (Links{{c.full, "/dev/full"}}));
  }
  // The same run with room for every byte.
  RunResult ok = run_program("vantrel", {{"model.txt", kModel}, {"loadfrag.txt", kTable}}, "k\n");
  EXPECT_EQ(ok.files.at("modelnew.txt"), kModelNew);
}

}  // namespace
