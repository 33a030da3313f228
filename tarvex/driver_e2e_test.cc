// Whole runs of tarvex up to the first document: questions, files, preamble.
#include <gtest/gtest.h>

#include "common/testing/run_program.h"
#include "run_texts_e2e.h"

namespace tarvex_e2e {
namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;

TEST(TarvexRun, ExitAtTheConfirmationTouchesNoFile) {
  for (const char* key : {"e", "E"}) {
    auto r = run_program("tarvex", {{"modellir.txt", "( 3/\n)\n"}}, std::string("0.5 2500 n 5 ") + key);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_EQ(r.console, native(kQuestions));
    EXPECT_EQ(r.files, (Files{{"modellir.txt", "( 3/\n)\n"}}));
  }
}

TEST(TarvexRun, MissingModelLeavesExactlyThePreamble) {
  auto r = run_program("tarvex", {}, "0.5\n2500\nn\n5\nc\nk\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kQuestions + "\nFile modellir.txt can't be opened." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"modelans.lgw", native(kPreamble)}}));
}

TEST(TarvexRun, DensityExceptionsAreAskedUntilZero) {
  auto r = run_program("tarvex", {}, "0.5\n2500\ny\n5\n2400\n7 1800 0\n5\nc\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            native(kHead + kVr3 + kDensity + kExceptions + kStiffnessNo + kExceptionDensity +
                   kStiffnessNo + kExceptionDensity + kStiffnessNo + kWeightLoad + kConfirm +
                   "\nFile modellir.txt can't be opened." + kPressAnyKey));
}

TEST(TarvexRun, AnExceptionOutsideTheDensityTableStops) {
  for (const char* number : {"50", "-1"}) {
    auto r = run_program("tarvex", {}, std::string("0.5 2500 y ") + number + " 2400 0 5 c");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, native(kHead + kVr3 + kDensity + kExceptions + kStiffnessNo +
                                "\nIncorrect answer: stiffness No " + number +
                                " is outside 1 to 49." + kPressAnyKey));
    EXPECT_TRUE(r.files.empty());
  }
}

TEST(TarvexRun, ANonNumericAnswerStopsBeforeAnyFile) {
  auto r = run_program("tarvex", {}, "0.5\nlots\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            native(kHead + kVr3 + kDensity + "\nIncorrect answer: a number was expected." + kPressAnyKey));
  auto eof = run_program("tarvex", {}, "");
  EXPECT_EQ(eof.console, native(kHead + kVr3 + "\nIncorrect answer: a number was expected." + kPressAnyKey));
  EXPECT_TRUE(eof.files.empty());
}

TEST(TarvexRun, ModelWithoutStiffnessDocument) {
  // A header after leading blanks, or as the last line without a line end, is no header.
  for (const char* model : {"( 1/\n)\n  ( 3/\n)\n", "( 4/\n)\n( 3/"}) {
    auto r = run_program("tarvex", {{"modellir.txt", model}}, "0.5\n2500\nn\n5\nc\n");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, native(kQuestions + "\nIncorrect modellir.txt: no stiffness." + kPressAnyKey));
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model}, {"modelans.lgw", native(kPreamble)}}));
  }
}

TEST(TarvexRun, ScriptThatCannotBeOpened) {
  // A directory in the way of the script.
  auto r = run_program("tarvex", {{"modellir.txt", "( 3/\n)\n"}, {"modelans.lgw/x", ""}}, "0.5 2500 n 5 c");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kQuestions + "\nFile modelans.lgw can't be opened." + kPressAnyKey));
}

}  // namespace
}  // namespace tarvex_e2e
