// What whole runs of keslow do to the files of the working directory: A_02.A
// and A#00.A are never changed, nothing but B#00.B is written, and a B#00.B
// that cannot take its bytes ends the run by a stop.
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

const std::string kStart =
    "\nKeslow for LIRA 9.x, v.1.0."
    "\nKeslow \xA4\xAB\xEF LIRA 9.x, \xA2\xA5\xE0\xE1\xA8\xEF 1.0."
    "\n\n            A#00.A\xC4\xC4\xBF"
    "\n                    \xC3\xC4\xC4> B#00.B"
    "\n            A_02.A\xC4\xC4\xD9\n\n"
    "\nEnter number of stiffness: "
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAD\xAE\xAC\xA5\xE0 \xA6\xA5\xE1\xE2\xAA\xAE\xE1\xE2\xA8: ";

// One layered plate 241 of stiffness 3 on nodes 1 2 3 4: its forces-table
// entry (element 1, nodes 1 and 2, type, stiffness), then its elements-table
// entry (type, stiffness, four nodes).
const std::string kList = std::string(149, '.') + "\n   1D\n241 3 1 2 3 4 /\n0D )\n";
const std::string kSource(
    "\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\xF1\x00\x03\x00"
    "\xF1\x00\x03\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00\x04\x00\x00\x00",
    36);

TEST(KeslowFiles, InputsUnchangedAndOnlyItsOwnFilesWritten) {
  struct Case {
    const char* what;
    Files inputs;
    std::string answers;
    Names written;  // the new files the run leaves
  };
  for (const Case& c : {
           Case{"success", {{"A_02.A", kList}, {"A#00.A", kSource}}, "12\n", {"B#00.B"}},
           Case{"a stop before any file", {{"A_02.A", kList}, {"A#00.A", kSource}}, "x\n", {}},
           Case{"no A_02.A", {{"A#00.A", kSource}}, "12\n", {}},
           Case{"no A#00.A", {{"A_02.A", kList}}, "12\n", {"B#00.B"}},
           Case{"an entry not found", {{"A_02.A", kList}, {"A#00.A", kSource.substr(0, 20)}}, "12\n",
                {"B#00.B"}},
           Case{"no document 1", {{"A_02.A", std::string(200, '.')}, {"A#00.A", kSource}}, "12\n",
                {"B#00.B"}},
       }) {
    SCOPED_TRACE(c.what);
    RunResult r = run_program("keslow", c.inputs, c.answers);
    EXPECT_TRUE(r.inputs_unchanged());
    EXPECT_EQ(r.new_paths, c.written);
    for (const auto& [name, bytes] : c.inputs) EXPECT_EQ(r.files.at(name), bytes);
  }
}

TEST(KeslowFiles, ResultThatCannotBeWrittenIsNoSuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  RunResult r = run_program("keslow", {{"A_02.A", kList}, {"A#00.A", kSource}}, "12\n",
                            {{"B#00.B", "/dev/full"}});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kStart + "\n" + "\nFile B#00.B can't be written to the end." +
                              "\nPress any key to finish\n"));
  EXPECT_EQ(r.files, (Files{{"A_02.A", kList}, {"A#00.A", kSource}}));
  EXPECT_EQ(r.links, (Links{{"B#00.B", "/dev/full"}}));
}

}  // namespace
