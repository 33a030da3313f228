// Whole runs of tarvex up to the first document: questions, files, preamble.
#include <gtest/gtest.h>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;

const std::string kHead =
    "\nTarvex for LIRA 9.2, v.1.0."
    "\nTarvex \xA4\xAB\xEF LIRA 9.2, \xA2\xA5\xE0\xE1\xA8\xEF 1.0."
    "\n\n      modellir.txt\xC4\xC4\xBF"
    "\n                    \xC3\xC4\xC4> modelans.lgw"
    "\n     console input\xC4\xC4\xD9\n\n";
// "Введите объемное отношение для поперечной арматуры: VR3 = " and so on, in code page 866.
const std::string kVr3 =
    "\nEnter the volume ratio for lateral reinforcement: VR3 = "
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAE\xA1\xEA\xA5\xAC\xAD\xAE\xA5 \xAE\xE2\xAD\xAE\xE8\xA5\xAD\xA8\xA5 "
    "\xA4\xAB\xEF \xAF\xAE\xAF\xA5\xE0\xA5\xE7\xAD\xAE\xA9 \xA0\xE0\xAC\xA0\xE2\xE3\xE0\xEB: VR3 = ";
const std::string kDensity =
    "\nEnter common density of materials [kg/m3]: density = "
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAE\xA1\xE9\xE3\xEE \xAF\xAB\xAE\xE2\xAD\xAE\xE1\xE2\xEC "
    "\xAC\xA0\xE2\xA5\xE0\xA8\xA0\xAB\xAE\xA2 [\xAA\xA3/\xAC" "3]: \xAF\xAB\xAE\xE2\xAD\xAE\xE1\xE2\xEC = ";
const std::string kExceptions =
    "\nIs there exceptions of density value? ('y' - yes; any other key - no)\n"
    "\x85\xE1\xE2\xEC \xA8\xE1\xAA\xAB\xEE\xE7\xA5\xAD\xA8\xEF \xA8\xA7 \xA2\xA2\xA5\xA4\xA5\xAD\xAD\xAE\xA9 "
    "\xAF\xAB\xAE\xE2\xAD\xAE\xE1\xE2\xA8? ('y' - \xA4\xA0; \xAB\xEE\xA1\xA0\xEF \xA4\xE0\xE3\xA3\xA0\xEF "
    "\xAA\xAB\xA0\xA2\xA8\xE8\xA0 - \xAD\xA5\xE2)\n";
const std::string kStiffnessNo =
    "\nEnter stiffness number and corresponding density,\n"
    "enter zero stiffness to terminate input:\n stiffness No = "
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAD\xAE\xAC\xA5\xE0 \xA6\xA5\xE1\xE2\xAA\xAE\xE1\xE2\xA8 \xA8 "
    "\xE1\xAE\xAE\xE2\xA2\xA5\xE2\xE1\xE2\xA2\xE3\xEE\xE9\xE3\xEE \xAF\xAB\xAE\xE2\xAD\xAE\xE1\xE2\xEC,\n"
    "\xA2\xA2\xA5\xA4\xA8\xE2\xA5 \xAD\xE3\xAB\xA5\xA2\xE3\xEE \xA6\xA5\xE1\xE2\xAA\xAE\xE1\xE2\xEC "
    "\xA4\xAB\xEF \xA7\xA0\xA2\xA5\xE0\xE8\xA5\xAD\xA8\xEF \xA2\xA2\xAE\xA4\xA0:\n "
    "\xA6\xA5\xE1\xE2\xAA\xAE\xE1\xE2\xEC \xFC = ";
const std::string kExceptionDensity =
    "density [kg/m3] = \n\xAF\xAB\xAE\xE2\xAD\xAE\xE1\xE2\xEC [\xAA\xA3/\xAC" "3] = ";
const std::string kWeightLoad =
    "\nEnter number of weight loading: weightLoadNo = "
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAD\xAE\xAC\xA5\xE0 \xA7\xA0\xA3\xE0\xE3\xA6\xA5\xAD\xA8\xEF "
    "\xE1\xAE\xA1\xE1\xE2\xA2\xA5\xAD\xAD\xEB\xAC \xA2\xA5\xE1\xAE\xAC: weightLoadNo = ";
const std::string kConfirm =
    "\nCheck your input. To exit press 'e', to continue - any other key.\n"
    "\x8F\xE0\xAE\xA2\xA5\xE0\xEC\xE2\xA5 \xA2\xA2\xAE\xA4. \x84\xAB\xEF \xA2\xEB\xE5\xAE\xA4\xA0 "
    "\xAD\xA0\xA6\xAC\xA8\xE2\xA5 'e', \xA4\xAB\xEF \xAF\xE0\xAE\xA4\xAE\xAB\xA6\xA5\xAD\xA8\xEF - "
    "\xAB\xEE\xA1\xE3\xEE \xA4\xE0\xE3\xA3\xE3\xEE \xAA\xAB\xA0\xA2\xA8\xE8\xE3.\n";
const std::string kQuestions = kHead + kVr3 + kDensity + kExceptions + kWeightLoad + kConfirm;
const std::string kPressAnyKey = "\nPress any key to finish\n";

const std::string kPreamble =
    "/BATCH\n/PREP7\n!*\n!*\n"
    "ET,1,SHELL63\n!*\nKEYOPT,1,1,0\nKEYOPT,1,2,0\nKEYOPT,1,3,1\nKEYOPT,1,5,0\nKEYOPT,1,6,0\n"
    "KEYOPT,1,7,0\nKEYOPT,1,8,0\nKEYOPT,1,9,0\n!*\n!*\n"
    "ET,2,BEAM4\n!*\n!*\n"
    "ET,3,SOLID65\n!*\nKEYOPT,3,1,1\nKEYOPT,3,5,0\nKEYOPT,3,6,0\nKEYOPT,3,7,1\n!*\n!*\n"
    "ET,4,LINK8\n!*\n!*\n"
    "!*\nR,1,0, , , ,0, ,\nRMORE, , ,0, , ,\n!*\n"
    "!*\nR,1,1, ,\n!*\n!*\n"
    "LOCAL,11,0,0,0,0,0,0,0,1,1,\n!*\n!*\n";

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
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, native(kQuestions + "\nFile modellir.txt can't be opened." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"modelans.lgw", native(kPreamble)}}));
}

TEST(TarvexRun, DensityExceptionsAreAskedUntilZero) {
  auto r = run_program("tarvex", {}, "0.5\n2500\ny\n5\n2400\n7 1800 0\n5\nc\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console,
            native(kHead + kVr3 + kDensity + kExceptions + kStiffnessNo + kExceptionDensity +
                   kStiffnessNo + kExceptionDensity + kStiffnessNo + kWeightLoad + kConfirm +
                   "\nFile modellir.txt can't be opened." + kPressAnyKey));
}

TEST(TarvexRun, AnExceptionOutsideTheDensityTableStops) {
  for (const char* number : {"50", "-1"}) {
    auto r = run_program("tarvex", {}, std::string("0.5 2500 y ") + number + " 2400 0 5 c");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, native(kHead + kVr3 + kDensity + kExceptions + kStiffnessNo +
                                "\nIncorrect answer: stiffness No " + number +
                                " is outside 1 to 49." + kPressAnyKey));
    EXPECT_TRUE(r.files.empty());
  }
}

TEST(TarvexRun, ANonNumericAnswerStopsBeforeAnyFile) {
  auto r = run_program("tarvex", {}, "0.5\nlots\n");
  EXPECT_EQ(r.exit_code, 0);
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
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, native(kQuestions + "\nIncorrect modellir.txt: no stiffness." + kPressAnyKey));
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model}, {"modelans.lgw", native(kPreamble)}}));
  }
}

TEST(TarvexRun, ScriptThatCannotBeOpened) {
  // A directory in the way of the script.
  auto r = run_program("tarvex", {{"modellir.txt", "( 3/\n)\n"}, {"modelans.lgw/x", ""}}, "0.5 2500 n 5 c");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, native(kQuestions + "\nFile modelans.lgw can't be opened." + kPressAnyKey));
}

}  // namespace
