// Whole runs of modelcheck and of tarvex on the same small models, each
// written out here: what the check says tarvex does is what tarvex does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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

bool converted(const RunResult& r) {
  return r.console.find(native("\nTransformation completed.")) != std::string::npos;
}
bool has(const std::string& text, const std::string& part) {
  return text.find(native(part)) != std::string::npos;
}
// tarvex stops with `message` (which begins with "\n").
bool stops_with(const RunResult& r, const std::string& message) {
  return has(r.console, message + "\nPress any key to finish\n");
}

// "--weight-case 0" is tarvex's answer 0: no own-weight case. An own-weight
// record in a listed case then stops tarvex, and the check says so; without
// own-weight records the model converts and the check finds nothing.
TEST(ModelcheckAgreesWithTarvex, WeightCaseZero) {
  RunResult check = run_program_with_args(
      "modelcheck", {"--density", "2500", "--weight-case", "0"}, {{"modellir.txt", kPlate}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_TRUE(has(check.console,
                  "modellir.txt:17: [own-weight] the own weight of element 1 stands in load case "
                  "1, while tarvex is answered 0: no own-weight case; tarvex stops with \"Doc. 6 "
                  "of modellir.txt includes load type, which is not weight but supposed to be.\""))
      << check.console;
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", kPlate}}, "0.005\n2500\nn\n0\nc\n"),
                         "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but "
                         "supposed to be."));

  std::string weightless = replaced(kPlate, "1 16 3 1 1 /\n", "");
  RunResult clean = run_program_with_args(
      "modelcheck", {"--density", "2500", "--weight-case", "0"}, {{"modellir.txt", weightless}});
  EXPECT_EQ(clean.exit_code, 0) << clean.console;
  EXPECT_TRUE(
      converted(run_program("tarvex", {{"modellir.txt", weightless}}, "0.005\n2500\nn\n0\nc\n")));
}

// Node and line numbers in hexadecimal, which tarvex reads as strtol does,
// with their slash glued: mended as decimal ones are, and the copy converts
// to the script of the same model written in decimal.
TEST(ModelcheckAgreesWithTarvex, HexadecimalGluedSlashMended) {
  std::string model = replaced(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 0x1 0x2 0x3 0x4/"),
                               "2 1.5 /\n", "2 1.5 /\n0xa/\n");
  std::string mended = replaced(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 0x1 0x2 0x3 0x4 /"),
                                "2 1.5 /\n", "2 1.5 /\n0xa /\n");
  std::string decimal = replaced(kPlate, "2 1.5 /\n", "2 1.5 /\n3 /\n");
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_TRUE(has(check.console,
                  "modellir.txt:11: [glued-slash] element 1 (type 44) ends with \"0x4/\", its "
                  "slash glued to the value; tarvex stops with \"Error in document 1 (file "
                  "modellir.txt).\"; mend: write \"0x4 /\" (mended)\n"))
      << check.console;
  EXPECT_TRUE(has(check.console, "modellir.txt:23: [glued-slash] value line \"0xa/\" carries its "
                                 "slash glued to its number"))
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers),
                         "\nError in document 1 (file modellir.txt)."));
  // Line 0xa is line 10, where tarvex expects line 3: the mended copy still
  // has that finding.
  EXPECT_TRUE(has(check.console, "[value-lines] value line 0xa/ stands where tarvex expects line 3"))
      << check.console;
  std::string hex3 = replaced(mended, "0xa /", "0x3 /");
  RunResult expected = run_program("tarvex", {{"modellir.txt", decimal}}, kAnswers);
  RunResult got = run_program("tarvex", {{"modellir.txt", hex3}}, kAnswers);
  ASSERT_TRUE(converted(expected));
  EXPECT_EQ(got.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
  EXPECT_EQ(run_program_with_args("modelcheck", {}, {{"modellir.txt", hex3}}).exit_code, 0);
}

// A ")" glued to the slash of a document's last record, "/)": where tarvex
// reads the slash as a word of its own (documents 3, 5, 7) it does not see
// the ")" and the check says so, mending "/ )"; elsewhere tarvex reads it as
// meant and the check finds nothing, least of all a record without "/".
TEST(ModelcheckAgreesWithTarvex, ClosingParenthesisGluedToTheSlash) {
  struct Case {
    const char* last;  // the document's last record
    long line;         // 0: tarvex converts
  };
  const Case cases[] = {{"1 3.0E6 0.2 0.2 /", 2}, {"1 1 0 /", 0},  {"44 1 1 2 3 4 /", 0},
                        {"1 1 2 3 /", 14},        {"1 6 3 2 2 /", 0}, {"2 1.5 /", 22},
                        {"2 0 /", 0}};
  RunResult clean = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(clean));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    std::string last = c.last;
    std::string model = replaced(kPlate, last + "\n)", last + ")");
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    EXPECT_EQ(check.console.find("has no \""), std::string::npos) << check.console;
    if (c.line == 0) {
      EXPECT_EQ(check.exit_code, 0) << check.console;
      EXPECT_TRUE(converted(run)) << run.console;
      EXPECT_EQ(run.files.at("modelans.lgw"), clean.files.at("modelans.lgw"));
      continue;
    }
    EXPECT_TRUE(has(check.console, "modellir.txt:" + std::to_string(c.line) +
                                       ": [record-end] the last record of document "))
        << check.console;
    EXPECT_TRUE(has(check.console, " ends with \"/)\", the document's \")\" glued to its slash; "
                                   "tarvex reads \"/)\" as the record's slash and does not see "
                                   "the \")\""));
    EXPECT_FALSE(converted(run));
    std::string mended = replaced(kPlate, last + "\n)", last + " )");
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
    RunResult after = run_program("tarvex", {{"modellir.txt", mended}}, kAnswers);
    EXPECT_EQ(after.files.at("modelans.lgw"), clean.files.at("modelans.lgw"));
  }
}

// A stiffness written after the slash of a row that tarvex skips, on its
// line: tarvex skips to the first slash, within a word too, and reads
// stiffness 1 after it. A slash glued to the skipped row's kind does not end
// it, so the row swallows the next one: the check says so, and the mended
// copy keeps stiffness 2.
TEST(ModelcheckAgreesWithTarvex, StiffnessAfterTheSlashOfASkippedRow) {
  // A bar of 35 x 35 cm at 2500 kg/m3 weighs 0.30625 a metre.
  const std::string model =
      "( 3/\n"
      "0 RO 0.30625/1 S0 3.000E+006 35.0 35.0/\n"
      "0 RO/\n"
      "2 3 1000 /\n"
      ")\n"
      "( 4/\n0 0 0 /\n1 0 0 /\n)\n"
      "( 1/\n10 1 1 2 /\n)\n"
      "( 5/\n1 1 2 3 4 5 6 /\n)\n"
      "( 6/\n1 16 3 1 1 /\n)\n"
      "( 7/\n1 0.30625 /\n)\n"
      "( 16/\n1 0 /\n)\n";
  const char kContinuation[] =
      " continues the stiffness before it; tarvex takes it for a stiffness 0 of a kind it does "
      "not know and skips it; mend: delete the row; give its density to tarvex's density "
      "questions\n";
  RunResult check = run_program_with_args(
      "modelcheck", {"--density", "2500", "--weight-case", "1", "--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:2: [stiffness-continuation] the row \"0 RO ...\"" +
                   std::string(kContinuation) +
                   "modellir.txt:3: [glued-slash] the row \"0 RO/\", of a kind tarvex does not "
                   "know, has its slash glued to its kind; tarvex skips the row on to the next "
                   "slash, and the row after it with it; mend: write \"RO /\" (mended)\n"
                   "modellir.txt:3: [stiffness-continuation] the row \"0 RO/ ...\"" +
                   kContinuation +
                   "modellir.txt: 3 findings, 1 mended.\n"
                   "modellir.fixed.txt written; 2 findings are left to mend by hand.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1.\n"));
  std::string mended = replaced(model, "0 RO/\n", "0 RO /\n");
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_TRUE(converted(run)) << run.console;
  // Stiffness 1 is the bar; the link of stiffness 2 was skipped with the row
  // before it, and the mended copy has it.
  EXPECT_TRUE(has(run.files.at("modelans.lgw"), "MPDATA,EX,1,,3e+010\n"));
  EXPECT_FALSE(has(run.files.at("modelans.lgw"), "MPDATA,EX,2,"));
  RunResult after = run_program("tarvex", {{"modellir.txt", mended}}, kAnswers);
  EXPECT_TRUE(has(after.files.at("modelans.lgw"), "MPDATA,EX,2,,1e+007\n"));
}

// Document 0 and the header of document 1 on one line, as exporters write
// them: tarvex sees no document 1 there. The check names the header where it
// stands (no advice to add a document 1), and the mended copy, the header on
// a line of its own, converts to the script of the plate.
TEST(ModelcheckAgreesWithTarvex, HeaderAfterDocumentZeroOnItsLine) {
  std::string elements = "( 1/\n44 1 1 2 3 4 /\n)\n";
  std::string rest = replaced(kPlate, elements, "");
  std::string model = "( 0/ 1; frame/ 2; 5/ )( 1/\n44 1 1 2 3 4 /\n)\n" + rest;
  std::string mended = "( 0/ 1; frame/ 2; 5/ )\n" + elements + rest;
  RunResult check = run_program_with_args("modelcheck", {"--fix", "--density", "2500", "--weight-case", "1"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:1: [header-position] the header \"( 1/\" stands after the \")\" "
                   "of the document before, on its line; tarvex does not see document 1 and "
                   "stops with \"Incorrect modellir.txt: no elements.\"; mend: start a line with "
                   "\"( 1/\" (mended)\n"
                   "modellir.txt: 1 finding, 1 mended.\n"
                   "modellir.fixed.txt written.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1.\n"));
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  EXPECT_EQ(check.files.at("modellir.answers"), "0\n2500\nn\n1\nc\n");
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers),
                         "\nIncorrect modellir.txt: no elements."));
  RunResult clean = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  RunResult after = run_program("tarvex", {{"modellir.txt", mended}}, kAnswers);
  ASSERT_TRUE(converted(after)) << after.console;
  EXPECT_EQ(after.files.at("modelans.lgw"), clean.files.at("modelans.lgw"));
}

// "bad stiffness." foreseen: a plate row with a value after its thickness
// (a density, as LIRA writes one), a numeric row that tarvex takes for a
// plate because its first value has a point, a row that ends before its
// thickness; and a link row with a value after its modulus. The check quotes
// the very stop that tarvex makes.
TEST(ModelcheckAgreesWithTarvex, StiffnessRowsThatStopTarvex) {
  struct Case {
    const char* row;
    long line;
    const char* what;
    const char* stop;
  };
  const char kBad[] = "\nIncorrect modellir.txt: bad stiffness.";
  const Case cases[] = {
      {"1 3.0E6 0.2 0.2 2.5 /", 2, "the plate row of stiffness 1 holds \"2.5\" after its thickness",
       kBad},
      {"1 3.0E6 0.2 0.2 /\n2 2.1E7 0.3 0.04 0.5 0.5 /", 3,
       "the plate row of stiffness 2 holds \"0.5\" after its thickness", kBad},
      {"1 3.0E6 0.2/\n2 S0 3E6 20 40 /", 2,
       "the row of stiffness 1 ends otherwise than tarvex reads it; after its last value it "
       "meets \"S0\"",
       kBad},
      {"1 3.0E6 0.2 0.2 /\n2 3 1000 5 /", 3,
       "the elastic link row of stiffness 2 holds \"5\" after its modulus",
       "\nIncorrect modellir.txt: 51 el. type unrecognized."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    std::string model = replaced(kPlate, "1 3.0E6 0.2 0.2 /", c.row);
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    std::string quoted = std::string(c.stop).substr(1);
    EXPECT_TRUE(has(check.console, "modellir.txt:" + std::to_string(c.line) +
                                       ": [record-fields] " + std::string(c.what) +
                                       "; tarvex stops with \"" + quoted + "\"; mend: "))
        << check.console;
    EXPECT_EQ(check.exit_code, 1);
    EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers), c.stop));
  }
  // A word that begins with '/' ends the row, whatever follows the slash.
  std::string slashed = replaced(kPlate, "0.2 0.2 /", "0.2 0.2 /x");
  EXPECT_EQ(run_program_with_args("modelcheck", {}, {{"modellir.txt", slashed}}).exit_code, 0);
  EXPECT_TRUE(converted(run_program("tarvex", {{"modellir.txt", slashed}}, kAnswers)));
}

// A plate row that ends after its Poisson's ratio, or gives thickness 0, a
// link row without its modulus: tarvex reads the slash as 0 and converts, so
// the script's plate has no thickness, the link no stiffness. The check names
// them, though tarvex does not stop.
TEST(ModelcheckAgreesWithTarvex, ValuesTarvexReadsAsZero) {
  for (const char* row : {"1 3.0E6 0.2 /", "1 3.0E6 0.2 0 /"}) {
    SCOPED_TRACE(row);
    std::string model = replaced(replaced(kPlate, "1 3.0E6 0.2 0.2 /", row), "1 16 3 1 1 /\n", "");
    RunResult tarvex = run_program("tarvex", {{"modellir.txt", model}}, "0.005\n2500\nn\n0\nc\n");
    EXPECT_TRUE(converted(tarvex)) << tarvex.console;
    EXPECT_TRUE(has(tarvex.files["modelans.lgw"], "R,2,0,0,0,0,0,0\nRMORE,0,0,0,0\n"));
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    EXPECT_EQ(check.exit_code, 1);
    EXPECT_TRUE(has(check.console,
                    std::string("modellir.txt:2: [record-fields] stiffness 1, a plate, has ") +
                        (row[12] == '/' ? "thickness none: tarvex reads the \"/\" there as 0"
                                        : "thickness 0") +
                        "; tarvex goes on, and the script gives its element a real constant set "
                        "of thickness 0"))
        << check.console;
  }
  // An elastic link row without its modulus: a material of modulus 0.
  std::string slab = lira::testing::replaced(
      lira::testing::source_file("fuzz/modelcheck/seeds/slab-link-plastic-bar"), "\n4 3 1000 /",
      "\n4 3 /");
  RunResult tarvex = run_program("tarvex", {{"modellir.txt", slab}}, "0.005\n2500\nn\n1\nc\n");
  EXPECT_TRUE(converted(tarvex)) << tarvex.console;
  EXPECT_TRUE(has(tarvex.files["modelans.lgw"], "MPDATA,EX,4,,0\n"));
  RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", slab}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_TRUE(has(check.console,
                  "modellir.txt:20: [record-fields] stiffness 4, an elastic link, has modulus "
                  "none: tarvex reads the \"/\" there as 0; tarvex goes on, and the script gives "
                  "its element a material of modulus 0"))
      << check.console;
}

// Documents that tarvex does not convert are named with what the ANSYS model
// lacks; tarvex converts the model to the same script as without them.
TEST(ModelcheckAgreesWithTarvex, DocumentsTarvexDoesNotConvert) {
  std::string model = "( 0/ 1; plate on soil /\n)\n" + kPlate +
                      "( 19/\n1 1000 1000 /\n)\n"
                      "( 17/\n1 2 /\n)\n";
  RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:30: [unconverted-document] document 19 holds the soil under the "
                   "model (the bedding of plates, the soil springs of piles); tarvex does not "
                   "convert it: the ANSYS model has no soil, and its plates and piles rest on the "
                   "supports of document 5 alone; mend: model the soil in ANSYS after the "
                   "conversion (springs or an elastic foundation), or give the model supports "
                   "that stand for it\n"
                   "modellir.txt:33: [unconverted-document] document 17 is one that tarvex does "
                   "not convert; the ANSYS model lacks what it describes: tarvex takes the "
                   "elements, stiffnesses, nodes, supports and loads of documents 1, 3 to 7 and "
                   "16 only; mend: see what document 17 holds, and model it in ANSYS after the "
                   "conversion where the analysis needs it\n"
                   "modellir.txt: 2 findings.\n"));
  EXPECT_EQ(check.exit_code, 1);
  RunResult with = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  RunResult without = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(with));
  EXPECT_EQ(with.files.at("modelans.lgw"), without.files.at("modelans.lgw"));
}

// A quadrilateral written round its perimeter (1 2 4 3 on the unit square
// 1 (0,0), 2 (1,0), 3 (0,1), 4 (1,1)), or with a and b across from each
// other: tarvex writes a, b, d, c, a bow tie. The check names it with the
// order of document 1 that untwists it; tarvex's script holds the crossing
// order, and the model written in that order converts to the plate's script.
TEST(ModelcheckAgreesWithTarvex, TwistedPlate) {
  struct Case {
    const char* element;
    const char* written;  // by tarvex
    const char* mend;
  };
  const Case cases[] = {{"44 1 1 2 4 3 /", "1 2 3 4", "1 2 3 4"},
                        {"44 1 1 4 3 2 /", "1 4 2 3", "1 3 2 4"}};
  RunResult clean = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    std::string model = replaced(kPlate, "44 1 1 2 3 4 /", c.element);
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    std::string nodes = std::string(c.element).substr(5, 7);
    EXPECT_EQ(check.console,
              native("modellir.txt:11: [twisted-plate] element 1 (type 44) on nodes " + nodes +
                     " is twisted: tarvex writes its corners in the order " + c.written +
                     ", which cross over; ANSYS builds a bow tie, an element without a proper "
                     "area: its stiffness and the pressure on it are wrong; mend: write its "
                     "nodes " + c.mend + " in document 1 (a, b, then the corners opposite them)\n"
                     "modellir.txt: 1 finding.\n"));
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    ASSERT_TRUE(converted(run));
    std::string items;
    for (char n : std::string(c.written)) {
      if (n != ' ') items += "FITEM,2," + std::string(1, n) + "\n";
    }
    EXPECT_TRUE(has(run.files.at("modelans.lgw"), "FLST,2,4,1\n" + items + "E,P51X\n"));
    std::string mended = replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + std::string(c.mend) + " /");
    EXPECT_EQ(run_program_with_args("modelcheck", {}, {{"modellir.txt", mended}}).exit_code, 0);
    if (std::string(c.mend) == "1 2 3 4") {
      EXPECT_EQ(run_program("tarvex", {{"modellir.txt", mended}}, kAnswers).files.at("modelans.lgw"),
                clean.files.at("modelans.lgw"));
    }
  }
}

// A triangle whose corners lie on one line (here two of them the same
// node): tarvex writes it a, b, c, c and completes; --verify warns of an
// element without area, and the check names it before the conversion.
TEST(ModelcheckAgreesWithTarvex, TriangleOnOneLine) {
  std::string model = replaced(kPlate, "44 1 1 2 3 4 /", "42 1 1 2 2 /");
  RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:11: [twisted-plate] element 1 (type 42) on nodes 1 2 2 has corners "
                   "that lie on one line; ANSYS builds an element without area; mend: give the "
                   "element three corners that span a face\n"
                   "modellir.txt: 1 finding.\n"));
  RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  ASSERT_TRUE(converted(run));
  RunResult verify = run_program_with_args("modelcheck", {"--verify"}, run.files);
  EXPECT_EQ(verify.exit_code, 1);
  EXPECT_TRUE(has(verify.console, "is twisted")) << verify.console;
}

// The x of node `node` in the N command of `script`.
double script_x(const std::string& script, int node) {
  std::string command = "N," + std::to_string(node) + ",";
  std::size_t at = script.find(command);
  return at == std::string::npos ? 0 : std::strtod(script.c_str() + at + command.size(), nullptr);
}

// Site coordinates: single precision holds x = 512351.23 as 512351.21875 and
// y = 6012345.67 as 6012345.5. The check names them with the shift of the
// origin that cures them; tarvex's script indeed moves the node by more than
// a millimetre, and after the shift by less.
TEST(ModelcheckAgreesWithTarvex, SiteCoordinates) {
  std::string nodes = "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n";
  std::string site = replaced(kPlate, nodes,
                              "( 4/\n512351.23 6012345.67 0 /\n512352.23 6012345.67 0 /\n"
                              "512351.23 6012346.67 0 /\n512352.23 6012346.67 0 /\n)\n");
  std::string near = replaced(kPlate, nodes,
                              "( 4/\n351.23 345.67 0 /\n352.23 345.67 0 /\n"
                              "351.23 346.67 0 /\n352.23 346.67 0 /\n)\n");
  RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", site}});
  EXPECT_EQ(check.console,
            native("modellir.txt:5: [site-coordinates] 4 nodes have coordinates that single "
                   "precision does not hold to a millimetre, the first node 1: x = 512351.23, "
                   "held as 512351.21875; tarvex keeps coordinates in single precision, so the "
                   "script moves these nodes by more than a millimetre: lengths, areas and the "
                   "loads on them lose their accuracy; mend: move the origin near the model: "
                   "subtract 512000 from every x, subtract 6012000 from every y in document 4\n"
                   "modellir.txt: 1 finding.\n"));
  RunResult far_run = run_program("tarvex", {{"modellir.txt", site}}, kAnswers);
  ASSERT_TRUE(converted(far_run));
  EXPECT_GT(std::fabs(script_x(far_run.files.at("modelans.lgw"), 1) - 512351.23), 0.001);

  EXPECT_EQ(run_program_with_args("modelcheck", {}, {{"modellir.txt", near}}).exit_code, 0);
  RunResult near_run = run_program("tarvex", {{"modellir.txt", near}}, kAnswers);
  ASSERT_TRUE(converted(near_run));
  EXPECT_LT(std::fabs(script_x(near_run.files.at("modelans.lgw"), 1) - 351.23), 0.001);
}

// Words that hold a slash, read as tarvex reads them: a value of document 7
// ends its line where a slash follows its number ("1.5/0": the 0 is dropped
// and the "/" after it is taken for the next line's number), a word that only
// ends with "/" ("RO/") is a value there; the last word of a node that ends
// with "/" but is no number stops tarvex.
TEST(ModelcheckAgreesWithTarvex, WordsWithASlash) {
  struct Case {
    const char* from;
    const char* to;
    std::string finding;  // empty: nothing found, and tarvex converts
    const char* stop;
  };
  const Case cases[] = {
      {"2 1.5 /", "2 1.5/0 /",
       "modellir.txt:22: [value-lines] value line / stands where tarvex expects line 3",
       "\nIncorrect modellir.txt: illegal line number in doc. 7."},
      {"2 1.5 /", "2 1.5 RO/ /", "", ""},
      {"1 1 0 /", "1 1 RO/",
       "modellir.txt:8: [record-end] node 4 ends with \"RO/\", which is no value with its slash",
       "\nIncorrect modellir.txt: Bad nodes."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string model = replaced(kPlate, c.from, c.to);
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    if (c.finding.empty()) {
      EXPECT_EQ(check.exit_code, 0) << check.console;
      EXPECT_TRUE(converted(run)) << run.console;
      continue;
    }
    EXPECT_TRUE(has(check.console, c.finding)) << check.console;
    std::string quoted = std::string(c.stop).substr(1);
    EXPECT_TRUE(has(check.console, "tarvex stops with \"" + quoted + "\"")) << check.console;
    EXPECT_TRUE(stops_with(run, c.stop)) << run.console;
  }
}

// Records joined to a header line, their slashes glued to the next record
// ("/2"): tarvex stops at the header line; --fix puts every record on a line
// of its own, and the copy converts to the script of the model as written
// before.
TEST(ModelcheckAgreesWithTarvex, TwoRecordsOnAHeaderLine) {
  struct Case {
    const char* lines;   // as the author wrote them
    const char* joined;  // on the header line
  };
  const Case cases[] = {
      {"( 7/\n1 0.5 /\n2 1.5 /\n", "( 7/ 1 0.5 /2 1.5 /\n"},
      {"( 7/\n1 0.5 /\n2 1.5 /\n", "( 7/ 1 0.5 / 2 1.5 /\n"},
      {"( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n", "( 4/ 0 0 0 /1 0 0 /0 1 0 /\n"},
      {"( 6/\n1 16 3 1 1 /\n1 6 3 2 2 /\n", "( 6/ 1 16 3 1 1 /1 6 3 2 2 /\n"},
      {"( 3/\n1 3.0E6 0.2 0.2 /\n", "( 3/ 1 3.0E6 0.2 0.2 /\n"},
  };
  RunResult expected = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(expected));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.joined);
    std::string model = replaced(kPlate, c.lines, c.joined);
    std::string header(c.joined, 4);
    std::string rest = std::string(c.joined).substr(5);
    rest.pop_back();
    EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers),
                           "\nIncorrect modellir.txt: the header line of document " +
                               header.substr(2, header.size() - 3) + " holds a record, \"" +
                               rest + "\": begin the records of the document on the line after "
                               "its header."));
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_EQ(check.exit_code, 0) << check.console;
    EXPECT_TRUE(has(check.console, "[record-on-header-line] a record follows the header of "
                                   "document " + header.substr(2, header.size() - 3)))
        << check.console;
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), kPlate);
    RunResult got =
        run_program("tarvex", {{"modellir.txt", check.files.at("modellir.fixed.txt")}}, kAnswers);
    ASSERT_TRUE(converted(got)) << got.console;
    EXPECT_EQ(got.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
  }
}

// A decimal comma with no digit before it (",5" for 0.5): tarvex stops and
// names the number; --fix writes ".5", which converts as 0.5 does.
TEST(ModelcheckAgreesWithTarvex, DecimalCommaWithoutLeadingDigit) {
  std::string model = replaced(kPlate, "1 0.5 /", "1 ,5 /");
  const std::string stop =
      "\nIncorrect modellir.txt: the number \",5\" of line 1 in document 7 has a decimal comma: "
      "write it with a decimal point, \".5\".";
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers), stop));
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.exit_code, 0) << check.console;
  EXPECT_TRUE(has(check.console, "[decimal-comma] \",5\" in document 7 is written with a decimal "
                                 "comma; tarvex stops with \"" + stop.substr(1) + "\""))
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), replaced(kPlate, "1 0.5 /", "1 .5 /"));
  RunResult expected = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  RunResult got =
      run_program("tarvex", {{"modellir.txt", check.files.at("modellir.fixed.txt")}}, kAnswers);
  ASSERT_TRUE(converted(got)) << got.console;
  EXPECT_EQ(got.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
}

// A header on the line of the ")" before it: tarvex passes over the one
// character after the ")" of document 3 and looks for "( 4/" from there, so
// it sees document 4 one blank or tab after it, and no other header there.
TEST(ModelcheckAgreesWithTarvex, HeaderAfterTheCloseOnItsLine) {
  struct Case {
    const char* from;
    const char* to;
    const char* stop;  // nullptr: tarvex converts
  };
  const Case cases[] = {
      {")\n( 4/", ") ( 4/", nullptr},
      {")\n( 4/", ")\t( 4/", nullptr},
      {")\n( 4/", ")  ( 4/", "\nIncorrect modellir.txt: no nodes."},
      {")\n( 4/", ")( 4/", "\nIncorrect modellir.txt: no nodes."},
      {")\n( 1/", ") ( 1/", "\nIncorrect modellir.txt: no elements."},
      {")\n( 7/", ") ( 7/", "\nIncorrect modellir.txt: no load values."},
  };
  RunResult expected = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(expected));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string model = replaced(kPlate, c.from, c.to);
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_TRUE(has(check.console, "[header-position] the header \"" +
                                       std::string(c.from).substr(2) +
                                       "\" stands after the \")\" of the document before"))
        << check.console;
    if (c.stop == nullptr) {
      EXPECT_TRUE(converted(run)) << run.console;
      EXPECT_FALSE(has(check.console, "stops")) << check.console;
      EXPECT_TRUE(has(check.console, "tarvex sees it all the same")) << check.console;
    } else {
      EXPECT_TRUE(stops_with(run, c.stop)) << run.console;
      EXPECT_TRUE(has(check.console, "stops with \"" + std::string(c.stop).substr(1) + "\""))
          << check.console;
    }
    EXPECT_EQ(check.exit_code, 0) << check.console;
    RunResult got =
        run_program("tarvex", {{"modellir.txt", check.files.at("modellir.fixed.txt")}}, kAnswers);
    ASSERT_TRUE(converted(got)) << got.console;
    EXPECT_EQ(got.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
  }
}

// A word of 151 characters: tarvex stops at it where it reads it as a word,
// and passes over it where it skips a record to its slash (after the load
// case of document 16, after the five numbers of a load).
TEST(ModelcheckAgreesWithTarvex, LongWordWhereTarvexSkips) {
  const std::string word(151, 'x');
  struct Case {
    const char* from;
    std::string to;
    bool stops;
  };
  const Case cases[] = {
      {"2 0 /", "2 0 " + word + " /", false},
      {"2 0 /", "2 " + word + " /", false},
      {"2 0 /", word + " 0 /", true},
      {"1 6 3 2 2 /", "1 6 3 2 2 " + word + " /", false},
      {"1 6 3 2 2 /", "1 6 " + word + " 2 2 /", true},
  };
  const std::string stop = "\nIncorrect modellir.txt: a token longer than 149 characters: \"" +
                           word.substr(0, 20) + "...\".";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to.substr(0, 16));
    std::string model = replaced(kPlate, c.from, c.to);
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    if (c.stops) {
      EXPECT_TRUE(stops_with(run, stop)) << run.console;
      EXPECT_TRUE(has(check.console, "[long-token] a token of 151 characters in document"))
          << check.console;
      EXPECT_TRUE(has(check.console, stop.substr(1))) << check.console;
    } else {
      EXPECT_TRUE(converted(run)) << run.console;
      EXPECT_EQ(check.exit_code, 0) << check.console;
    }
  }
}

// A row of a kind tarvex does not know, with the number of a stiffness
// defined before it: tarvex skips the row whole and keeps the stiffness, so
// the check names no stop; the row before the stiffness changes nothing
// either.
TEST(ModelcheckAgreesWithTarvex, UnknownRowAfterItsStiffness) {
  RunResult expected = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(expected));
  for (const char* row : {"1 3.0E6 0.2 0.2 /\n1 TW 1 2 /\n", "1 TW 1 2 /\n1 3.0E6 0.2 0.2 /\n"}) {
    SCOPED_TRACE(row);
    std::string model = replaced(kPlate, "1 3.0E6 0.2 0.2 /\n", row);
    RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
    ASSERT_TRUE(converted(run)) << run.console;
    EXPECT_TRUE(has(run.console, "Unknown element skipped")) << run.console;
    EXPECT_EQ(run.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    EXPECT_EQ(check.exit_code, 0) << check.console;
  }
}

// A lone "/" among the nodes: tarvex reads it as the next node's x, 0, and
// that node's y and z from the line after it. The check names the node, and
// what follows from the shift as tarvex meets it, no stop of its own.
TEST(ModelcheckAgreesWithTarvex, LoneSlashAmongTheNodes) {
  // Nodes (0 0 0), (0 1 0) read from "/ 1 0 /", (0 1 0), (1 1 0).
  std::string shifted = replaced(kPlate, "0 0 0 /\n1 0 0 /\n", "0 0 0 /\n /\n1 0 /\n");
  RunResult run = run_program("tarvex", {{"modellir.txt", shifted}}, kAnswers);
  EXPECT_TRUE(converted(run)) << run.console;
  RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", shifted}});
  EXPECT_TRUE(has(check.console, "modellir.txt:6: [record-fields] node 2 begins with \"/\"; "
                                 "tarvex reads it as the node's x"))
      << check.console;
  EXPECT_FALSE(has(check.console, "Bad nodes")) << check.console;
  EXPECT_FALSE(has(check.console, "stops")) << check.console;

  // Two nodes only, (0 0 0) and (0 2 1.5): the plate names node 3.
  std::string fewer =
      replaced(kPlate, "0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n", "0 0 0 /\n /\n2 1.5 /\n");
  const std::string stop = "\nIncorrect modellir.txt: node 3 of element 1 is outside 1 to 2.";
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", fewer}}, kAnswers), stop));
  check = run_program_with_args("modelcheck", {}, {{"modellir.txt", fewer}});
  EXPECT_TRUE(has(check.console, "[node-range] element 1 (type 44) names node 3, outside 1 to 2; "
                                 "tarvex stops with \"" + stop.substr(1) + "\""))
      << check.console;
}

// A "/" where tarvex reads a node of an element is node 0 to it, when the
// record goes on after it on its line; at the end of a line it is the end of
// a record short of a node.
TEST(ModelcheckAgreesWithTarvex, SlashForANodeOfAnElement) {
  const std::string node0 = "\nIncorrect modellir.txt: node 0 of element 1 is outside 1 to 4.";
  const std::string short_record = "\nError in document 1 (file modellir.txt).";
  struct Case {
    const char* element;
    std::string stop;
    const char* finding;
  };
  const Case cases[] = {
      {"44 1 1 2 3 / /", node0, "[node-range] element 1 (type 44) names node 0, outside 1 to 4"},
      {"44 1 1 / 3 4 /", node0, "[node-range] element 1 (type 44) names node 0, outside 1 to 4"},
      {"44 1 1 2 3 /", short_record,
       "[record-fields] element 1 (type 44) has 5 numbers where tarvex reads 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    std::string model = replaced(kPlate, "44 1 1 2 3 4 /", c.element);
    EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers), c.stop));
    RunResult check = run_program_with_args("modelcheck", {}, {{"modellir.txt", model}});
    EXPECT_TRUE(has(check.console, std::string(c.finding) + "; tarvex stops with \"" +
                                       c.stop.substr(1) + "\""))
        << check.console;
  }
}

// A plate, a slab 241 on nodes 3 to 6, a link and a plastic bar at its
// nodes; each element of stiffness 0, which document 3 cannot give, stops
// tarvex where the check says.
TEST(ModelcheckAgreesWithTarvex, ElementOfStiffnessZero) {
  const std::string model =
      "( 1/\n44 1 1 2 3 4 /\n241 2 3 4 5 6 /\n51 4 3 /\n210 5 5 6 /\n)\n"
      "( 3/\n1 3.0E6 0.2 0.2 /\n2 GENE14/\n2 -0.0035 -145 -0.0002 -60/\n2 0.0001 10/\n"
      "2 NA11 1 2.1E6 4E4 /\n2 SA2 1 2 3 /\n2 5 3 -8 /\n2 5 3 -8 /\n2 4 2 8 /\n"
      "2 DEL 0.2 /\n2 NU= 0.2/\n4 3 1000 /\n5 S100 20 40/\n5 NB11/0 2.1E6 -2.4E4 0 0 /\n"
      "5 AZ 1.5/\n5 TW 1 2 /\n)\n"
      "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n0 2 0 /\n1 2 0 /\n)\n"
      "( 5/\n1 1 2 3 4 5 6 /\n2 1 2 3 /\n)\n"
      "( 6/\n1 16 3 1 1 /\n2 16 3 1 1 /\n4 16 3 2 1 /\n4 0 3 3 2 /\n)\n"
      "( 7/\n1 0.5 /\n2 0.2 /\n3 1.5 /\n)\n( 16/\n1 1 1 /\n2 1 1 /\n)\n";
  const char answers[] = "0.005\n2500\ny\n3\n7850\n0\n1\nc\n";
  const std::vector<std::string> density = {"--density", "2500", "--density", "3:7850",
                                            "--weight-case", "1"};
  ASSERT_TRUE(converted(run_program("tarvex", {{"modellir.txt", model}}, answers)));
  EXPECT_EQ(run_program_with_args("modelcheck", density, {{"modellir.txt", model}}).exit_code, 0);
  struct Case {
    const char* from;
    const char* to;
    const char* stop;
    const char* quoted;  // as a finding quotes it, on one line
  };
  const Case cases[] = {
      {"241 2 3 4 5 6 /", "241 0 3 4 5 6 /",
       "\nIncorrect modellir.txt: element 2 of type 241 has stiffness 0, which is no reinforced "
       "concrete slab.",
       "Incorrect modellir.txt: element 2 of type 241 has stiffness 0, which is no reinforced "
       "concrete slab."},
      {"210 5 5 6 /", "210 0 5 6 /",
       "\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0.",
       "Incorrect modellir.txt: error in stiffness of plastic bar, holder = 0."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string spoiled = replaced(model, c.from, c.to);
    EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", spoiled}}, answers), c.stop));
    RunResult check = run_program_with_args("modelcheck", density, {{"modellir.txt", spoiled}});
    EXPECT_TRUE(has(check.console, "has stiffness 0")) << check.console;
    EXPECT_TRUE(has(check.console, "tarvex stops with \"" + std::string(c.quoted) + "\""))
        << check.console;
  }
}

// tarvex ends an element or a node with the one character and the slash
// after its last value, and passes over the rest of an element it does not
// convert, of a load and of a record of the load-case list to the slash: the
// next record begins right after the slash, even within a word ("/44").
TEST(ModelcheckAgreesWithTarvex, RecordBeginsRightAfterTheSlash) {
  std::string two = replaced(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 1 2 3 4 /44 1 1 2 3 4 /"),
                             "1 16 3 1 1 /\n", "1 16 3 1 1 /\n2 16 3 1 1 /\n");
  for (const std::string& model :
       {two, replaced(kPlate, "0 1 0 /\n1 1 0 /", "0 1 0 /1 1 0 /"),
        replaced(kPlate, "1 16 3 1 1 /\n1 6 3 2 2 /", "1 16 3 1 1 /1 6 3 2 2 /"),
        replaced(kPlate, "1 0 /\n2 0 /", "1 0 /2 0 /")}) {
    SCOPED_TRACE(model);
    ASSERT_TRUE(converted(run_program("tarvex", {{"modellir.txt", model}}, kAnswers)));
    RunResult clean = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", model}});
    EXPECT_EQ(clean.exit_code, 0) << clean.console;
  }

  // Element 2, of type 5, stands between the weighed elements 1 and 3.
  std::string skipped =
      replaced(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 1 2 3 4 /\n5 1 1 2/44 1 1 2 3 4 /"),
               "1 16 3 1 1 /\n", "1 16 3 1 1 /\n3 16 3 1 1 /\n");
  const std::string stop = "\nIllegal element type found on testing zero element weight.";
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", skipped}}, kAnswers), stop));
  RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", skipped}});
  EXPECT_TRUE(has(check.console, "[own-weight] element 2, before the own weight of element 3, is of type 5; "
                                 "tarvex stops with \"" + stop.substr(1) + "\""))
      << check.console;
  EXPECT_FALSE(has(check.console, "no such element")) << check.console;
}

// A record of supports ends at the word that begins with its slash, and
// tarvex drops the rest of that word: glued to the slash, node 2 is lost and
// its supports go to node 1. Nothing stops; the check names it, and --fix's
// blank after the slash gives the script of the records on two lines.
TEST(ModelcheckAgreesWithTarvex, SupportsGluedToTheSlashBefore) {
  std::string author = replaced(kPlate, "1 1 2 3 /\n", "1 1 2 3 /\n2 1 2 3 /\n");
  std::string glued = replaced(kPlate, "1 1 2 3 /\n", "1 1 2 3 /2 1 2 3 /\n");
  RunResult expected = run_program("tarvex", {{"modellir.txt", author}}, kAnswers);
  RunResult lost = run_program("tarvex", {{"modellir.txt", glued}}, kAnswers);
  ASSERT_TRUE(converted(expected) && converted(lost));
  EXPECT_NE(lost.files["modelans.lgw"], expected.files["modelans.lgw"]);
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", glued}});
  EXPECT_TRUE(has(check.console, "modellir.txt:14: [glued-slash] the supports of node 1 end with \"/2\", "
                                 "the next word glued to their slash; tarvex ends the record at the "
                                 "slash and drops \"2\""))
      << check.console;
  EXPECT_EQ(check.exit_code, 0) << check.console;
  std::string copy = check.files["modellir.fixed.txt"];
  EXPECT_EQ(copy, replaced(kPlate, "1 1 2 3 /\n", "1 1 2 3 / 2 1 2 3 /\n"));
  RunResult mended = run_program("tarvex", {{"modellir.txt", copy}}, kAnswers);
  EXPECT_EQ(mended.files["modelans.lgw"], expected.files["modelans.lgw"]);
}

// Two faults that stop nothing and lose what the model says: a plate of
// stiffness 0 is built with the attributes written before it (here none; with
// no own-weight case, as its weight would stop tarvex), and a second
// own-weight record of element 1 adds nothing to the script's acceleration.
// The check names both, and --verify counts both.
TEST(ModelcheckAgreesWithTarvex, LostWithoutAStop) {
  struct Case {
    std::string model, answers;
    std::vector<std::string> args;
    const char* finding;
    const char* difference;
  };
  const Case cases[] = {
      {replaced(replaced(kPlate, "44 1 1 2 3 4 /", "44 0 1 2 3 4 /"), "1 16 3 1 1 /\n", ""),
       "0.005\n2500\nn\n0\nc\n", {"--density", "2500", "--weight-case", "0"},
       "modellir.txt:11: [undefined-stiffness] element 1 (type 44) has stiffness 0, which document 3 "
       "cannot give; tarvex writes no attributes for it",
       "  elements of another kind: 1 element\n"
       "  * element 1 (LIRA type 44, stiffness 0): a plate of stiffness 0"},
      {replaced(kPlate, "1 16 3 1 1 /\n", "1 16 3 1 1 /\n1 16 3 1 1 /\n"), kAnswers, kDensity,
       "modellir.txt:18: [own-weight] the own weight of element 1 stands again; tarvex tests the "
       "record and applies the element's own weight once",
       "  repeated own weight: 1 difference\n"
       "  * load case 1: the own weight of element 1 stands again; the script weighs each element "
       "once\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.finding);
    RunResult run = run_program("tarvex", {{"modellir.txt", c.model}}, c.answers);
    ASSERT_TRUE(converted(run)) << run.console;
    RunResult check = run_program_with_args("modelcheck", c.args, {{"modellir.txt", c.model}});
    EXPECT_TRUE(has(check.console, c.finding)) << check.console;
    EXPECT_FALSE(has(check.console, "stops")) << check.console;
    RunResult verify = run_program_with_args("modelcheck", {"--verify"}, run.files);
    EXPECT_EQ(verify.exit_code, 1) << verify.console;
    EXPECT_TRUE(has(verify.console, c.difference)) << verify.console;
  }
}

}  // namespace

// The check names a fault as a stop only where tarvex stops: each model below
// converts, the check says so in its finding, and --verify finds the script
// equal to the model.
void expect_converts_and_verifies(const std::string& model) {
  RunResult run = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_TRUE(converted(run)) << run.console;
  RunResult verify = run_program_with_args("modelcheck", {"--verify"}, run.files);
  EXPECT_EQ(verify.exit_code, 0) << verify.console;
}

// tarvex reads 20 records of document 16 at most and never looks for the
// ")" after them; with fewer records the end of the file stops it.
TEST(ModelcheckAgreesWithTarvex, DocumentSixteenOfTwentyRecordsUnclosed) {
  std::string list;
  for (int c = 1; c <= 20; ++c) list += std::to_string(c) + " 0 /\n";
  std::string model = replaced(kPlate, "1 0 /\n2 0 /\n)\n", list);
  RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", model}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_EQ(check.console,
            native("modellir.txt:24: [unclosed-document] document 16 has no \")\" before the end "
                   "of the file; tarvex reads the first 20 records of document 16 and does not "
                   "look further, so it converts the model as it is; LIRA and other readers need "
                   "the \")\"; mend: end document 16 with a line \" )\"\n"
                   "modellir.txt: 1 finding.\n"));
  expect_converts_and_verifies(model);

  std::string short_list = replaced(model, "20 0 /\n", "");
  RunResult short_check =
      run_program_with_args("modelcheck", kDensity, {{"modellir.txt", short_list}});
  EXPECT_TRUE(has(short_check.console,
                  "tarvex stops with \"Incorrect modellir.txt: end of file inside document 16.\""))
      << short_check.console;
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", short_list}}, kAnswers),
                         "\nIncorrect modellir.txt: end of file inside document 16."));
}

// With no load case listed tarvex never looks for the load table.
TEST(ModelcheckAgreesWithTarvex, NoLoadTableWhereNoLoadCase) {
  std::string model =
      replaced(replaced(kPlate, "( 6/\n1 16 3 1 1 /\n1 6 3 2 2 /\n)\n", ""), "1 0 /\n2 0 /\n", "");
  RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", model}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_EQ(check.console,
            native("modellir.txt: [missing-document] there is no document 6; document 16 lists "
                   "no load case, so tarvex never looks for the load table: it converts the "
                   "model without loads; mend: add document 6 (at least its header and \" )\")\n"
                   "modellir.txt: 1 finding.\n"));
  expect_converts_and_verifies(model);

  // A load case listed: tarvex looks for the table and stops.
  std::string listed = replaced(kPlate, "( 6/\n1 16 3 1 1 /\n1 6 3 2 2 /\n)\n", "");
  RunResult stop = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", listed}});
  EXPECT_TRUE(has(stop.console, "[missing-document] there is no document 6; tarvex stops with "
                                "\"Incorrect modellir.txt: no load table.\""))
      << stop.console;
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", listed}}, kAnswers),
                         "\nIncorrect modellir.txt: no load table."));
}

// tarvex's search for a header looks only at the start of each line: it
// passes over " ( 16/" and what stands under it, and reads the later
// "( 16/". --fix leaves the line as written, since a header moved to the
// line's start would hide the later one.
TEST(ModelcheckAgreesWithTarvex, HeaderPassedOverForALaterOne) {
  std::string model = replaced(kPlate, "( 16/\n", " ( 16/\n9 0 /\n)\n( 16/\n");
  RunResult check = run_program_with_args("modelcheck", {"--fix", "--density", "2500",
                                                         "--weight-case", "1"},
                                          {{"modellir.txt", model}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_TRUE(has(check.console,
                  "modellir.txt:24: [header-position] the header \"( 16/\" does not stand at the "
                  "start of the line; tarvex passes over it and reads document 16 from the header "
                  "on line 27; mend: take this line out; the header on line 27 begins the "
                  "document\nmodellir.txt: 1 finding, 0 mended.\n"))
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), model);
  expect_converts_and_verifies(model);

  // With no later header tarvex sees no document 16 at all.
  std::string alone = replaced(kPlate, "( 16/\n", " ( 16/\n");
  RunResult stop = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", alone}});
  EXPECT_TRUE(has(stop.console, "modellir.txt:24: [header-position] the header \"( 16/\" does "
                                "not stand at the start of the line; tarvex does not see document "
                                "16 and stops with \"Incorrect modellir.txt: no doc. 16.\""))
      << stop.console;
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", alone}}, kAnswers),
                         "\nIncorrect modellir.txt: no doc. 16."));
}

// An element record that runs into the header of document 3: tarvex reads on
// across the header, and stops at the element's stiffness, which document 3
// lacks, before it reads its nodes; the check quotes that stop, not the later
// ones of the documents that are missing.
TEST(ModelcheckAgreesWithTarvex, ElementRecordIntoAHeader) {
  const std::string model = "( 1/\n42 3\n( 3/\n)\n( 4/\n)\n";
  const std::string stop =
      "\nIncorrect modellir.txt: element 1 of document 1 has stiffness 3, which document 3 does "
      "not define, or defines with a kind that is not converted: give the element a converted "
      "stiffness of document 3.";
  RunResult check = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", model}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_TRUE(has(check.console,
                  "modellir.txt: [tarvex-stop] tarvex's reader of the model stops after the "
                  "header of document 1, at a fault that no other finding names; tarvex stops "
                  "with \"" + stop.substr(1) + "\"; mend: mend what the message names"))
      << check.console;
  EXPECT_TRUE(stops_with(run_program("tarvex", {{"modellir.txt", model}}, kAnswers), stop));
}

// LIRA's space frame bars (type 5) of a section tarvex does not know: the
// check names them as the stiffness's users, and tarvex, which converts
// neither, completes (with no own-weight case: it would stop at the bars).
TEST(ModelcheckAgreesWithTarvex, UnknownStiffnessOfSpaceFrameBars) {
  std::string model = replaced(
      replaced(replaced(kPlate, "1 3.0E6 0.2 0.2 /\n",
                        "1 3.0E6 0.2 0.2 /\n2 S1 3.31e+006 40 60 20 15 /\n"),
               "44 1 1 2 3 4 /\n", "44 1 1 2 3 4 /\n5 2 1 2 /\n5 2 3 4 /\n"),
      "1 16 3 1 1 /\n", "");
  RunResult check = run_program_with_args(
      "modelcheck", {"--density", "2500", "--weight-case", "0"}, {{"modellir.txt", model}});
  EXPECT_TRUE(has(check.console,
                  "modellir.txt:3: [unknown-stiffness] stiffness 2 is of a kind tarvex does not "
                  "know (\"S1\"); no element that tarvex converts uses it (2 elements of type 5 "
                  "that tarvex does not convert use it, the first element 2); tarvex skips it "
                  "with \"Unknown element skipped\"; mend: "))
      << check.console;
  EXPECT_TRUE(
      converted(run_program("tarvex", {{"modellir.txt", model}}, "0.005\n2500\nn\n0\nc\n")));
}
