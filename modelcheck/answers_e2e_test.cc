// The order of work in whole runs of the real programs: a model in LIRA's own
// words is mended by `modelcheck --fix`, converted by `tarvex <
// modellir.answers` with no hand edit, and verified with those answers.
#include <gtest/gtest.h>

#include <string>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::RunResult;
using lira::testing::run_program;
using lira::testing::run_program_with_args;

// Two plates and two bars as LIRA and its exporters write them: document 0
// and the header of document 1 on one line; the plates written round their
// perimeter; LIRA's space frame bars (type 5); the plate row with LIRA's
// keyword GEI and its density RO; a bar's density on a continuation row and
// another's on its own row; a record ending "/)"; own weight as load type 16;
// no document 16, as before an analysis.
//
//   4 ----- 5 ----- 6      nodes 1 to 6 at x 0, 1, 2 and y 0, 1;
//   |   1   |   2   |      bars 3 (1-4, 20 x 40 cm, 7.85 t/m3) and
//   1 ----- 2 ----- 3      4 (3-6, 30 x 30 cm, 2.5 t/m3).
const std::string kLira =
    "( 0/ 1; frame/ 2; 5/ )( 1/\n"
    "44 1 1 2 5 4 /\n"
    "44 1 2 3 6 5 /\n"
    "5 2 1 4 /\n"
    "5 3 3 6 /\n"
    ")\n"
    "( 3/\n"
    "1 GEI 3.0e+006 0.2 0.2 RO 2.5 /\n"
    "2 S0 2.1e+007 20 40 /\n"
    " 0 RO 7.85/\n"
    "3 S0 3.0e+006 30 30 RO 2.5/\n"
    ")\n"
    "( 4/\n"
    "0 0 0 /\n1 0 0 /\n2 0 0 /\n0 1 0 /\n1 1 0 /\n2 1 0 /\n"
    ")\n"
    "( 5/\n"
    "1 1 2 3 4 5 6 /\n"
    "3 1 2 3 4 5 6 /\n"
    "4 3 /\n"
    "6 3 /)\n"
    "( 6/\n"
    "1 16 3 1 1 /\n"
    "2 16 3 1 1 /\n"
    "3 16 3 2 1 /\n"
    "4 16 3 3 1 /\n"
    "1 6 3 4 2 /\n"
    "2 6 3 4 2 /\n"
    ")\n"
    "( 7/\n"
    "1 0.5 /\n"
    "2 0.628 /\n"
    "3 0.225 /\n"
    "4 1.5 /\n"
    ")\n";

// The same model written by hand in the words tarvex reads: the plates in
// LIRA's order (a, b, then the corners opposite them), type 10 bars, the
// plate row without keyword and density, no density rows, document 16.
const std::string kHandWritten =
    "( 0/ 1; frame/ 2; 5/ )\n"
    "( 1/\n"
    "44 1 1 2 4 5 /\n"
    "44 1 2 3 5 6 /\n"
    "10 2 1 4 /\n"
    "10 3 3 6 /\n"
    ")\n"
    "( 3/\n"
    "1 3.0E6 0.2 0.2 /\n"
    "2 S0 2.1E7 20 40 /\n"
    "3 S0 3.0E6 30 30 /\n"
    ")\n"
    "( 4/\n"
    "0 0 0 /\n1 0 0 /\n2 0 0 /\n0 1 0 /\n1 1 0 /\n2 1 0 /\n"
    ")\n"
    "( 5/\n"
    "1 1 2 3 4 5 6 /\n"
    "3 1 2 3 4 5 6 /\n"
    "4 3 /\n"
    "6 3 /\n"
    ")\n"
    "( 6/\n"
    "1 16 3 1 1 /\n"
    "2 16 3 1 1 /\n"
    "3 16 3 2 1 /\n"
    "4 16 3 3 1 /\n"
    "1 6 3 4 2 /\n"
    "2 6 3 4 2 /\n"
    ")\n"
    "( 7/\n"
    "1 0.5 /\n"
    "2 0.628 /\n"
    "3 0.225 /\n"
    "4 1.5 /\n"
    ")\n"
    "( 16/\n"
    "1 0 /\n"
    "2 0 /\n"
    ")\n";

// The engineer's answers: 2500 kg/m3 (stiffnesses 1 and 3 have RO 2.5), the
// bar of stiffness 2 at 7850, own weight in case 1. The plate's own weight
// 0.2 x 2500 / 1000 = 0.5, bar 2's 0.2 x 0.4 x 7850 / 1000 = 0.628, bar 3's
// 0.3 x 0.3 x 2500 / 1000 = 0.225: each record passes tarvex's check.
const std::string kHandAnswers = "0\n2500\ny\n2\n7850\n0\n1\nc\n";

bool completed(const RunResult& r) {
  return r.exit_code == 0 &&
         r.console.find(native("\nTransformation completed.")) != std::string::npos;
}

std::string tail(const std::string& console) {
  return console.substr(console.size() > 400 ? console.size() - 400 : 0);
}

// The hand-written model converts with the hand-written answers, and the
// check and --verify with those answers in a file find nothing.
TEST(ModelcheckAnswers, HandWrittenModelWithItsAnswers) {
  RunResult hand = run_program("tarvex", {{"modellir.txt", kHandWritten}}, kHandAnswers);
  ASSERT_TRUE(completed(hand)) << tail(hand.console);
  const std::string& script = hand.files.at("modelans.lgw");
  for (const char* dens : {"MPDATA,DENS,1,,2500\n", "MPDATA,DENS,2,,7850\n",
                           "MPDATA,DENS,3,,2500\n"}) {
    EXPECT_NE(script.find(native(dens)), std::string::npos) << dens;
  }
  Files files = {{"modellir.txt", kHandWritten},
                 {"modelans.lgw", script},
                 {"modellir.answers", kHandAnswers}};
  RunResult check = run_program_with_args("modelcheck", {"--answers", "modellir.answers"}, files);
  EXPECT_EQ(check.exit_code, 0) << check.console;
  RunResult verify =
      run_program_with_args("modelcheck", {"--verify", "--answers", "modellir.answers"}, files);
  EXPECT_EQ(verify.exit_code, 0) << verify.console;

  // Answers of another density: the check finds the own-weight records
  // wrong, as tarvex would; --verify finds the script's densities other than
  // the answers.
  files["modellir.answers"] = "0\n2000\ny\n2\n7850\n0\n1\nc\n";
  RunResult light = run_program_with_args("modelcheck", {"--answers", "modellir.answers"}, files);
  EXPECT_EQ(light.exit_code, 1);
  EXPECT_NE(light.console.find("[own-weight]"), std::string::npos) << light.console;
  EXPECT_FALSE(completed(run_program("tarvex", {{"modellir.txt", kHandWritten}},
                                     files["modellir.answers"])));
  RunResult other =
      run_program_with_args("modelcheck", {"--verify", "--answers", "modellir.answers"}, files);
  EXPECT_EQ(other.exit_code, 1);
  EXPECT_NE(other.console.find("stiffness 1: density 2000 in the answers, 2500 in the script"),
            std::string::npos)
      << other.console;
  EXPECT_NE(other.console.find("stiffness 3: density 2000 in the answers, 2500 in the script"),
            std::string::npos);
  EXPECT_EQ(other.console.find("stiffness 2: density"), std::string::npos);

  // Answers that tarvex would not take, and a file that is not there.
  files["modellir.answers"] = "0\n2500\ny\n52\n7850\n0\n1\nc\n";
  RunResult refused = run_program_with_args("modelcheck", {"--answers", "modellir.answers"}, files);
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_EQ(refused.console,
            native("modelcheck: modellir.answers holds answers that tarvex does not take: it "
                   "stops with \"Incorrect answer: stiffness No 52 is outside 1 to 49.\"\n"));
  RunResult missing = run_program_with_args("modelcheck", {"--answers", "none.answers"}, files);
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_EQ(missing.console, native("modelcheck: none.answers cannot be read.\n"));
  RunResult both = run_program_with_args(
      "modelcheck", {"--answers", "modellir.answers", "--weight-case", "1"}, files);
  EXPECT_EQ(both.exit_code, 2);
  EXPECT_EQ(both.errors,
            native("modelcheck: --answers gives the densities and the own-weight case: leave out "
                   "--density and --weight-case, or --answers.\nTry modelcheck --help.\n"));
}

// The model in LIRA's own words: --fix mends it whole and writes the
// answers; tarvex converts the copy with them, no question asked and no hand
// edit, to the script of the hand-written model with the hand-written
// answers; --verify with the answers finds the script to be the copy.
TEST(ModelcheckAnswers, LiraModelMendedAnsweredConvertedVerified) {
  RunResult before = run_program("tarvex", {{"modellir.txt", kLira}}, kHandAnswers);
  EXPECT_FALSE(completed(before));

  RunResult fix = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", kLira}});
  EXPECT_EQ(fix.exit_code, 0) << fix.console;
  EXPECT_NE(fix.console.find(native("modellir.fixed.txt written.\n"
                                    "modellir.answers written: VR3 0, density 2500 kg/m3, "
                                    "stiffness 2 7850, own-weight case 1.\n")),
            std::string::npos)
      << fix.console;
  // Stiffnesses 1 and 3 at RO 2.5 give the common density, stiffness 2 at
  // RO 7.85 is the exception; the own-weight records are all in case 1.
  const std::string answers = fix.files.at("modellir.answers");
  EXPECT_EQ(answers, kHandAnswers);
  const std::string copy = fix.files.at("modellir.fixed.txt");

  RunResult hand = run_program("tarvex", {{"modellir.txt", kHandWritten}}, kHandAnswers);
  ASSERT_TRUE(completed(hand)) << tail(hand.console);
  RunResult mended = run_program("tarvex", {{"modellir.txt", copy}}, answers);
  ASSERT_TRUE(completed(mended)) << tail(mended.console);
  EXPECT_EQ(mended.files.at("modelans.lgw"), hand.files.at("modelans.lgw"));

  Files files = {{"modellir.txt", copy},
                 {"modelans.lgw", mended.files.at("modelans.lgw")},
                 {"modellir.answers", answers}};
  RunResult verify =
      run_program_with_args("modelcheck", {"--verify", "--answers", "modellir.answers"}, files);
  EXPECT_EQ(verify.exit_code, 0) << verify.console;
  // The copy checked with its answers has nothing left, and mended again it
  // stays as it is, its answers too.
  RunResult check = run_program_with_args("modelcheck", {"--answers", "modellir.answers"}, files);
  EXPECT_EQ(check.exit_code, 0) << check.console;
  RunResult again = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", copy}});
  EXPECT_EQ(again.exit_code, 0) << again.console;
  EXPECT_EQ(again.files.at("modellir.fixed.txt"), copy);
  EXPECT_EQ(again.files.at("modellir.answers"), answers);

  // The engineer's answers stand in the file --fix writes; one that the
  // model's RO contradicts is a finding left to settle.
  RunResult given = run_program_with_args(
      "modelcheck", {"--fix", "--answers", "mine.answers"},
      {{"modellir.txt", kLira}, {"mine.answers", "0.005 2500 y 2 7850 0 1 c"}});
  EXPECT_EQ(given.exit_code, 0) << given.console;
  EXPECT_EQ(given.files.at("modellir.answers"), "0.005\n2500\ny\n2\n7850\n0\n1\nc\n");
  RunResult other = run_program_with_args(
      "modelcheck", {"--fix", "--answers", "mine.answers"},
      {{"modellir.txt", kLira}, {"mine.answers", "0 2500 n 1 c"}});
  EXPECT_EQ(other.exit_code, 1);
  EXPECT_NE(other.console.find(native(
                "modellir.txt:10: [answers] stiffness 2 has the density RO 7.85 t/m3 in the model, "
                "2500 kg/m3 in the answers; tarvex weighs it at 2500 kg/m3 and checks its "
                "own-weight records against that; mend: settle which is right: its RO in the "
                "model, or its density in modellir.answers\n")),
            std::string::npos)
      << other.console;
}

// The shipped examples give no RO: their own-weight records answer for the
// densities (0.2 m of plate at 0.5 is 2500 kg/m3; the steel bar of stiffness
// 4 in the first is 7850), as the README's answers give them with VR3 0.
TEST(ModelcheckAnswers, ShippedExamplesAnswerThemselves) {
  const std::pair<const char*, const char*> kExamples[] = {
      {"examples/tarvex/modellir.txt", "0\n2500\ny\n4\n7850\n0\n1\nc\n"},
      {"examples/tarvex/plate/modellir.txt", "0\n2500\nn\n2\nc\n"},
      {"examples/tarvex/slab/modellir.txt", "0\n2500\nn\n1\nc\n"},
  };
  for (const auto& [path, answers] : kExamples) {
    SCOPED_TRACE(path);
    const std::string model = lira::testing::source_file(path);
    RunResult fix = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_EQ(fix.files.at("modellir.answers"), answers) << fix.console;
    EXPECT_EQ(fix.files.at("modellir.fixed.txt"), model);
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, answers);
    ASSERT_TRUE(completed(run)) << tail(run.console);
    RunResult verify = run_program_with_args(
        "modelcheck", {"--verify", "--answers", "modellir.answers"},
        {{"modellir.txt", model}, {"modelans.lgw", run.files.at("modelans.lgw")},
         {"modellir.answers", answers}});
    EXPECT_EQ(verify.exit_code, 0) << verify.console;
  }
}

}  // namespace
