// Whole runs of tarvex and modelcheck on models at whose faults tarvex stops
// and which the check's own scanner did not name: tarvex stops with the
// message, and the check's finding "tarvex-stop" quotes it word for word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_e2e.h"
#include "common/testing/run_program.h"

namespace {

using lira::testing::native;
using lira::testing::replaced;
using lira::testing::run_program;
using lira::testing::run_program_with_args;
using lira::testing::RunResult;

using check_e2e::kAnswers;
using check_e2e::kDensity;
using check_e2e::kPlate;

bool stopped_with(const RunResult& tarvex, const std::string& message) {
  return tarvex.console.find(native("\n" + message + "\nPress any key to finish\n")) !=
         std::string::npos;
}

// A message as a finding quotes it: its inner line ends written as blanks.
std::string on_one_line(std::string message) {
  for (char& ch : message) {
    if (ch == '\n') ch = ' ';
  }
  return message;
}

std::string finding(const std::string& where, const std::string& message) {
  return "modellir.txt: [tarvex-stop] tarvex's reader of the model stops " + where +
         ", at a fault that no other finding names; tarvex stops with \"" + on_one_line(message) +
         "\"; mend: mend what the message names (the other findings, once mended, may take it "
         "away)\n";
}

struct Case {
  const char* name;
  std::string model;
  std::string message;  // tarvex's, without its leading line end
  std::string where;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"a value beyond single precision", replaced(kPlate, "2 1.5 /", "2 1e39 /"),
       "Incorrect modellir.txt: value 1e39 of line 2 in doc. 7 is out of range.",
       "after the header of document 7"},
      {"a support direction beyond 6", replaced(kPlate, "1 1 2 3 /", "1 1 2 7 /"),
       "Incorrect modellir.txt in doc. 5:\ndirection 7 of node 1 is not one of 1 to 6.",
       "after the header of document 5"},
      {"a header line inside document 6",
       replaced(kPlate, "1 16 3 1 1 /\n", "1 16 3 1 1 /\n( 5/\n"),
       "Incorrect modellir.txt: error in load table (doc. 6).", "after the header of document 6"},
      {"an element type beyond 16 bits", replaced(kPlate, "44 1 1 2 3 4 /", "99999 1 1 2 3 4 /"),
       "Incorrect modellir.txt: element 1 has type 99999, which is no element type.",
       "after the header of document 1"},
      {"document 12 after a misspelled document 16",
       replaced(kPlate, "( 16/", "(16/") + "( 12/\n1 2 3 /\n)\n",
       "modellir.txt includes doc. 12 - analysis failed.", "after the header of document 12"},
  };
  return all;
}

TEST(TarvexStopRun, EachStopOfTarvexQuoted) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    RunResult tarvex = run_program("tarvex", {{"modellir.txt", c.model}}, kAnswers);
    EXPECT_TRUE(stopped_with(tarvex, c.message)) << tarvex.console;

    RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", c.model}});
    EXPECT_NE(check.console.find(native(finding(c.where, c.message))), std::string::npos)
        << check.console;
    EXPECT_EQ(check.exit_code, 1);
    // Once: the finding is the stop's only quote.
    std::string quote = "\"" + on_one_line(c.message) + "\"";
    EXPECT_EQ(check.console.find(quote), check.console.rfind(quote));
  }
}

// --fix reads the mended copy: a stop that the mending takes away is gone, one
// that it leaves is left to the engineer.
TEST(TarvexStopRun, FixReportsWhatTheCopyStillStopsAt) {
  RunResult left = run_program_with_args("modelcheck", {"--fix"},
                                         {{"modellir.txt", cases()[0].model}});
  std::string message = cases()[0].message;
  EXPECT_NE(left.console.find(native(
                "modellir.txt: [tarvex-stop] tarvex's reader of the mended copy stops after the "
                "header of document 7, at a fault that no other finding names; tarvex stops with \"" +
                message + "\"; mend: mend what the message names (the other findings, once "
                          "mended, may take it away)\n")),
            std::string::npos)
      << left.console;
  EXPECT_NE(left.console.find(native("modellir.fixed.txt written; 1 finding is left to mend by "
                                     "hand.\n")),
            std::string::npos)
      << left.console;
  EXPECT_EQ(left.exit_code, 1);
  EXPECT_EQ(left.files.at("modellir.fixed.txt"), cases()[0].model);

  // LF CR line ends: every line after the first begins with a CR, so tarvex
  // sees the header of document 3 on the first line and no other; it stops
  // looking for document 4. The check quotes that stop, and the mended copy
  // converts.
  std::string lfcr;
  for (char ch : kPlate) lfcr += ch == '\n' ? std::string("\n\r") : std::string(1, ch);
  const std::string no_nodes = "Incorrect modellir.txt: no nodes.";
  EXPECT_TRUE(stopped_with(run_program("tarvex", {{"modellir.txt", lfcr}}, kAnswers), no_nodes));
  RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", lfcr}});
  EXPECT_NE(check.console.find(
                native(finding("after the header of document 3", no_nodes))),
            std::string::npos)
      << check.console;
  RunResult mended = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", lfcr}});
  EXPECT_EQ(mended.console.find("tarvex-stop"), std::string::npos) << mended.console;
  EXPECT_EQ(mended.exit_code, 0) << mended.console;
  EXPECT_EQ(mended.files.at("modellir.fixed.txt"), kPlate);
}

// tarvex reads only modellir.txt: a model checked under another name is
// quoted as tarvex would name it.
TEST(TarvexStopRun, OtherFileNameQuotedAsModellir) {
  std::vector<std::string> args = kDensity;
  args.push_back("copy.txt");
  RunResult check = run_program_with_args("modelcheck", args, {{"copy.txt", cases()[0].model}});
  EXPECT_NE(check.console.find(native("copy.txt: [tarvex-stop] ")), std::string::npos)
      << check.console;
  EXPECT_NE(check.console.find("\"" + cases()[0].message + "\""), std::string::npos)
      << check.console;
}

}  // namespace
