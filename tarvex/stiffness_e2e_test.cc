// Whole runs of tarvex through document 3. A model without document 4 stops
// right after it, so the script holds the preamble, the materials and the
// "!*" pair that follows document 3, and nodes.tmp is left empty.
#include <gtest/gtest.h>

#include <string>

#include "common/testing/run_program.h"
#include "run_texts_e2e.h"

namespace tarvex_e2e {
namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;

// The console before document 3 and the preamble: the texts of the questions
// in code page 866.
const std::string kAnswers = "0.5\n2500\nn\n5\nc\n";
const std::string kNoNodes = "\nIncorrect modellir.txt: no nodes." + kPressAnyKey;

// The whole run of a model that ends after document 3.
void expect_stop_after_document_3(const std::string& model, const std::string& echo,
                                  const std::string& materials,
                                  const std::string& questions = kQuestions,
                                  const std::string& answers = kAnswers) {
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(questions + echo + "\n" + kNoNodes));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                            {"modelans.lgw", native(kPreamble + materials + "!*\n!*\n")},
                            {"nodes.tmp", ""}}));
  EXPECT_EQ(r.errors, "");
}

// A run stopped inside document 3 with `message`.
void expect_stop_in_document_3(const std::string& model, const std::string& echo,
                               const std::string& message, const std::string& materials = "") {
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, native(kQuestions + echo + message + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                            {"modelans.lgw", native(kPreamble + materials)}}));
}

const std::string kPlate =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,,2500\n"
    "MPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n";

TEST(TarvexStiffness, PlateExampleLineForLine) {
  expect_stop_after_document_3("( 3/\n1 3.0E6 0.2 0.2/\n)\n", "1 3.0E6 0.2 0.2/ \n) ", kPlate);
}

TEST(TarvexStiffness, RectangularBarOf20By40Centimetres) {
  expect_stop_after_document_3(
      "( 3/\r\n2 S0 3E6 20 40/\r\n)\r\n", "2 S0 3E6 20 40/ \n) ",
      "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,3e+010\nMPDATA,DENS,2,,2500\n"
      "MPDATA,PRXY,2,,0.16\n!*\nR,2,0.08,0.000266667,0.00106667,0.4,0.2,\n");
}

TEST(TarvexStiffness, PlateAndBarTakeSetsTwoAndThreeAroundALink) {
  expect_stop_after_document_3(
      "( 3/\n1 3.0E6 0.2 0.2/\n2 3 1E5 /\n3 S0 3E6 20 40 /\n)\n",
      "1 3.0E6 0.2 0.2/ \n2 3 1E5 \n3 S0 3E6 20 40 \n) ",
      kPlate +
          "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,1e+009\nMPDATA,PRXY,2,,\n"
          "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,3,,3e+010\nMPDATA,DENS,3,,2500\n"
          "MPDATA,PRXY,3,,0.16\n!*\nR,3,0.08,0.000266667,0.00106667,0.4,0.2,\n");
}

// A slab 0.2 thick of stiffness v: rows at -8, -8 and 8 centimetres.
std::string slab_model(int v) {
  std::string n = std::to_string(v);
  return n + " GENE14/\n" + n + " -0.0035 -145 -0.0002 -60/\n" + n + " 0.0001 10/\n" + n +
         " NA11 1 2.1E6 4E4 /\n" + n + " SA2 1 2 3 /\n" + n + " 5 3 -8 /\n" + n + " 5 3 -8 /\n" +
         n + " 4 2 8 /\n" + n + " DEL 0.2 /\n" + n + " NU= 0.2/\n";
}

std::string slab_echo(int v) {
  return std::to_string(v) +
         " GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
         "5 3 -8 \n5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n";
}

// Concrete v: Ec = (-60 / -0.0002 + 10 / 0.0001) / 2, ft = 10, fc = 145, all
// times 10000. Steel v + 100. The layers are 0.04, 0.12 and 0.04 thick:
// bottom 6 / 0.04 / 100 and 10 / 0.04 / 100, top 2 / 0.04 / 100 and 4 / 0.04 / 100.
std::string slab_script(int v, int first_set) {
  std::string c = std::to_string(v);
  std::string m = std::to_string(v + 100);
  std::string rb = std::to_string(first_set);
  std::string rm = std::to_string(first_set + 1);
  std::string rt = std::to_string(first_set + 2);
  return "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX," + c + ",,2e+009\nMPDATA,DENS," + c +
         ",,2500\nMPDATA,PRXY," + c + ",,0.2\n" +
         "!*\nTB,CONCR," + c + ", , , ,\n!*\n" +
         "TBMODIF,2,1,0.1\nTBMODIF,3,1,0.9\nTBMODIF,4,1,100000\nTBMODIF,5,1,1.45e+006\n"
         "TBMODIF,10,1,0.6\n!*\n!*\n" +
         "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX," + m + ",,2.1e+010\nMPDATA,DENS," + m +
         ",,2500\nMPDATA,PRXY," + m + ",,.25\n" +
         "!*\nTB,BISO," + m + ", , , ,\n!*\nTBMODIF,2,1,4e+008\nTBMODIF,3,1,1.05e+009\n!*\n!*\n" +
         "!*\nR," + rb + "," + m + ",1.5,0,0," + m + ",2.5\nRMORE,90,0," + m + ",0.5,0,90\n!*\n" +
         "!*\nR," + rm + ",0,0,0,0,0,0\nRMORE,0,0," + m + ",0.5,0,90\n!*\n" +
         "!*\nR," + rt + "," + m + ",0.5,0,0," + m + ",1\nRMORE,90,0," + m + ",0.5,0,90\n!*\n";
}

TEST(TarvexStiffness, SlabWithRowsAtMinus8Minus8And8) {
  expect_stop_after_document_3("( 3/\n" + slab_model(1) + ")\n", slab_echo(1) + ") ",
                               slab_script(1, 2));
}

TEST(TarvexStiffness, ThreeSolidsTakeSetsTwoToFourFiveToSevenEightToTen) {
  expect_stop_after_document_3("( 3/\n" + slab_model(1) + slab_model(2) + slab_model(3) + ")\n",
                               slab_echo(1) + slab_echo(2) + slab_echo(3) + ") ",
                               slab_script(1, 2) + slab_script(2, 5) + slab_script(3, 8));
}

// Every kind once, stiffness 2 with a density of its own; the model of the
// examples uses this document 3.
const std::string kEveryKind =
    "( 3/\n"
    "1 3.0E6 0.2 0.2/\n"
    "2 S0 3E6 20 40/\n"
    "3 3 1E5/\n"
    "4 S100 20 40/\n"
    "4 NB11/0 2.1E6 -2.4E4 0 0 /\n"
    "4 AZ 1.5 /\n"
    "4 TW 0 /\n"
    "5 GENE14/\n"
    "5 -0.0035 -145 -0.0002 -60/\n"
    "5 0.0001 10/\n"
    "5 NA11 1 2.1E6 4E4 /\n"
    "5 SA2 1 2 3 /\n"
    "5 5 3 -8 /\n"
    "5 5 3 -8 /\n"
    "5 4 2 8 /\n"
    "5 DEL 0.2 /\n"
    "5 NU= 0.2/\n"
    "6 GENE12/ 1 2 /\n"
    ")\n";

TEST(TarvexStiffness, EveryKind) {
  expect_stop_after_document_3(
      kEveryKind,
      "1 3.0E6 0.2 0.2/ \n"
      "2 S0 3E6 20 40/ \n"
      "3 3 1E5/ \n"
      "4 S100 20 40/ \nNB11/0 2.1E6 -2.4E4 /\n\nAZ 1.5 /\nTW /\n" +
          slab_echo(5) + "6 GENE12/ Unknown element skipped\n) ",
      kPlate +
          "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,3e+010\nMPDATA,DENS,2,,7850\n"
          "MPDATA,PRXY,2,,0.16\n!*\nR,3,0.08,0.000266667,0.00106667,0.4,0.2,\n"
          "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,3,,1e+009\nMPDATA,PRXY,3,,\n"
          "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,4,,2.1e+010\nMPDATA,DENS,4,,2500\n"
          "MPDATA,PRXY,4,,.25\n!*\nTB,BISO,4, , , ,\n!*\nTBMODIF,2,1,2.4e+008\n"
          "TBMODIF,3,1,1.05e+009\n!*\n!*\n!*\nR,4,0.08, ,\n!*\n!*\n" +
          slab_script(5, 5),
      kHead + kVr3 + kDensity + kExceptions + kStiffnessNo + kExceptionDensity + kStiffnessNo +
          kWeightLoad + kConfirm,
      "0.5\n2500\ny\n2\n7850\n0\n5\nc\n");
}

TEST(TarvexStiffness, UnknownKindIsSkippedAndTheRunGoesOn) {
  expect_stop_after_document_3("( 3/\n1 3E6 0.2 0.2/\n1 3.0E6 0.2 0.2/\n)\n",
                               "1 3E6 Unknown element skipped\n1 3.0E6 0.2 0.2/ \n) ", kPlate);
}

// A slab whose rows stand at the two given levels (centimetres), after a plate.
std::string levels_model(const std::string& lower, const std::string& upper) {
  return "( 3/\n1 3.0E6 0.2 0.2/\n5 GENE14/\n5 -0.0035 -145 -0.0002 -60/\n5 0.0001 10/\n"
         "5 NA11 1 2.1E6 4E4 /\n5 SA2 /\n5 5 3 " + lower + " /\n5 4 2 " + upper + " /\n"
         "5 DEL 0.2 /\n5 NU= 0.2/\n)\n";
}

std::string levels_echo(const std::string& lower, const std::string& upper) {
  return "1 3.0E6 0.2 0.2/ \n5 GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\n"
         "NA11 2.1E6 4E4 \nSA2 \n5 3 " + lower + " \n4 2 " + upper + " \nDEL 0.2  NU= 0.2/ \n\n";
}

TEST(TarvexStiffness, LevelsOnTheQuarterPlanesAreImpossible) {
  for (auto [lower, upper] : {std::pair<std::string, std::string>{"-5", "8"}, {"-8", "5"}}) {
    expect_stop_in_document_3(levels_model(lower, upper), levels_echo(lower, upper),
                              "\nIncorrect modellir.txt: impossible reinforcement.", kPlate);
  }
}

TEST(TarvexStiffness, LevelsOnTheFacesAreRefused) {
  expect_stop_in_document_3(levels_model("-10", "8"), levels_echo("-10", "8"),
                            "\nIncorrect modellir.txt: stiffness 5 has its lower reinforcement on "
                            "the bottom face: the bottom layer has no thickness.",
                            kPlate);
  expect_stop_in_document_3(levels_model("-8", "10"), levels_echo("-8", "10"),
                            "\nIncorrect modellir.txt: stiffness 5 has its upper reinforcement on "
                            "the top face: the top layer has no thickness.",
                            kPlate);
}

TEST(TarvexStiffness, ThreeLevelsStopWithTheLayerCount) {
  std::string model = "( 3/\n5 GENE14/\n5 -0.0035 -145 -0.0002 -60/\n5 0.0001 10/\n"
                      "5 NA11 1 2.1E6 4E4 /\n5 SA2 /\n5 5 3 -8 /\n5 1 1 0 /\n5 4 2 8 /\n"
                      "5 DEL 0.2 /\n5 NU= 0.2/\n)\n";
  expect_stop_in_document_3(model,
                            "5 GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\n"
                            "NA11 2.1E6 4E4 \nSA2 \n5 3 -8 \n1 1 0 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n",
                            "\nError: Number of reiforcement layers = 3\n");
}

TEST(TarvexStiffness, MalformedRecordsStopWithTheirMessages) {
  expect_stop_in_document_3("( 3/\n1 3.0E6 0.2 0.2/\n2 3.0E6 0.2 0.2 x /\n)\n",
                            "1 3.0E6 0.2 0.2/ \n2 3.0E6 0.2 0.2 x ",
                            "\nIncorrect modellir.txt: bad stiffness.", kPlate);
  expect_stop_in_document_3("( 3/\n2 3 1E5 x /\n)\n", "2 3 1E5 \n",
                            "\nIncorrect modellir.txt: 51 el. type unrecognized.");
  expect_stop_in_document_3("( 3/\n4 S100 20 40/\n4 NB11 2.1E6 2.4E4 /\n)\n",
                            "4 S100 20 40/ \nNB11 ",
                            "\nIncorrect modellir.txt: plastic material of a bar not specified.");
  expect_stop_in_document_3("( 3/\n4 S100 20 40/\n4 NB11/0 2.1E6 2.4E4 /\n)\n",
                            "4 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\n",
                            "\nIncorrect modellir.txt: error in stiffness of plastic bar.");
  expect_stop_in_document_3("( 3/\n5 GENE14/\n5 -0.002 -145 NA2 1 /\n)\n",
                            "5 GENE14/ \n-0.002 -145 ",
                            "\nIncorrect modellir.txt: unexpected reinforcement.");
  expect_stop_in_document_3("( 3/\n60 S0 3E6 20 40/\n)\n", "60 S0 ",
                            "\nIncorrect modellir.txt: stiffness number 60 is outside 0 to 49.");
  expect_stop_in_document_3("( 3/\n1 3.0E6 0.2 0.2/\n2 XYZ 1 2\n",
                            "1 3.0E6 0.2 0.2/ \n2 XYZ Unknown element skipped\n",
                            "\nIncorrect modellir.txt: end of file inside document 3.", kPlate);
}

// A diagram that changes sign twice: at (0, 1) the modulus has no finite
// value, at (0.0001, 1) it is (-1 / -0.0001 + 1 / 0.0001) * 0.5 * 10000 = 1e8.
// The last change wins; ft is the last stress, 1, fc the first, 14.5.
const std::string kTwoChanges = "-0.002 -14.5 0 1 -0.0001 -1 0.0001 1/";

std::string two_changes_model(const std::string& rows) {
  return "( 3/\n1 GENE14/\n1 " + kTwoChanges + "\n1 NA11 1 2.1E6 4E4 /\n1 SA2 1 2 3 /\n" + rows +
         "1 DEL 0.2 /\n1 NU= 0.2/\n)\n";
}

TEST(TarvexStiffness, OnlyTheLastSignChangeOfTheDiagramCounts) {
  std::string script = slab_script(1, 2);
  for (auto [from, to] : {std::pair<std::string, std::string>{"EX,1,,2e+009", "EX,1,,1e+008"},
                          {"TBMODIF,4,1,100000\nTBMODIF,5,1,1.45e+006",
                           "TBMODIF,4,1,10000\nTBMODIF,5,1,145000"}}) {
    ASSERT_NE(script.find(from), std::string::npos);
    script.replace(script.find(from), from.size(), to);
  }
  expect_stop_after_document_3(two_changes_model("1 5 3 -8 /\n1 5 3 -8 /\n1 4 2 8 /\n"),
                               "1 GENE14/ \n" + kTwoChanges +
                                   " \n\nNA11 2.1E6 4E4 \nSA2 \n5 3 -8 \n5 3 -8 \n4 2 8 \n"
                                   "DEL 0.2  NU= 0.2/ \n\n) ",
                               script);
}

TEST(TarvexStiffness, ALastSignChangeAtZeroStrainIsRefusedAfterTheOtherChecks) {
  // The last change, from (-0.0001, -1) to (0, 1), has no finite modulus; the
  // run stops once the whole stiffness is read, and a named check comes first.
  const std::string diagram = "-0.002 -14.5 0.001 1 -0.0001 -1 0 1/";
  const std::string head = "( 3/\n1 GENE14/\n1 " + diagram + "\n1 NA11 1 2.1E6 4E4 /\n";
  expect_stop_in_document_3(
      head + "1 SA2 1 2 3 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)\n",
      "1 GENE14/ \n" + diagram + " \n\nNA11 2.1E6 4E4 \nSA2 \n5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n",
      "\nIncorrect modellir.txt: stiffness 1 has a point of zero strain where its stress changes "
      "sign.");
  expect_stop_in_document_3(head + "1 SA1 1 2 3 /\n)\n",
                            "1 GENE14/ \n" + diagram + " \n\nNA11 2.1E6 4E4 \nSA1 ",
                            "\nIncorrect modellir.txt: reinforcement area not specified.");
}

}  // namespace
}  // namespace tarvex_e2e
