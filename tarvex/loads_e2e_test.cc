// Whole runs of tarvex through its load phases: load values, load cases, load steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/testing/run_program.h"
#include "run_texts_e2e.h"

namespace tarvex_e2e {
namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;

const std::string kCompleted =
    "\nTransformation completed."
    "\n\x92\xE0\xA0\xAD\xE1\xE4\xAE\xE0\xAC\xA0\xE6\xA8\xEF \xA7\xA0\xA2\xA5\xE0\xE8\xA5\xAD\xA0.\n";

// ---- Record files as left behind, byte by byte (little-endian).

std::string i16(std::int16_t v) {
  std::uint16_t u = static_cast<std::uint16_t>(v);
  return {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
}
std::string i32(std::int32_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((u >> (8 * i)) & 0xFF);
  return s;
}
std::string f32(float v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  return i32(static_cast<std::int32_t>(u));
}
std::string load_record(std::int32_t line, float v1, float v2 = 0, float v3 = 0, float v4 = 0) {
  return i32(line) + f32(v1) + f32(v2) + f32(v3) + f32(v4);
}
std::string element_record(std::int16_t type, std::int16_t stiffness, std::int32_t a = 0,
                           std::int32_t b = 0, std::int32_t c = 0, std::int32_t d = 0) {
  return i16(type) + i16(stiffness) + i32(a) + i32(b) + i32(c) + i32(d);
}
std::string node_record(float x, float y, float z) {
  return f32(x) + f32(y) + f32(z) + i32(0) + i32(0) + i32(0);
}

// ---- The plate model: one plate of stiffness 1 on four nodes, node 1 fixed.

const std::string kPlate =
    "( 1/\n44 1 1 2 3 4 /\n)\n"
    "( 3/\n1 3.0E6 0.2 0.2 /\n)\n"
    "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n"
    "( 5/\n1 1 2 3 /\n)\n";

// VR3 0.5, the common density, no exceptions, the own-weight case, continue.
std::string answers(const std::string& density, int weight_case) {
  return "0.5\n" + density + "\nn\n" + std::to_string(weight_case) + "\nc\n";
}

// Everything the plate model writes before the load phases.
std::string plate_script(const std::string& density) {
  return kPreamble +
         "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,," + density +
         "\nMPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n"
         "!*\n!*\n"
         "N,1,0,0,0,,,,\nN,2,1,0,0,,,,\nN,3,0,1,0,,,,\nN,4,1,1,0,,,,\n"
         "!*\nTYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n!*\n"
         "FLST,2,4,1\nFITEM,2,1\nFITEM,2,2\nFITEM,2,4\nFITEM,2,3\nE,P51X\n!*\n"
         "!*\n D,1,UX\n!*\n D,1,UY\n!*\n D,1,UZ\n!*\n!*\n";
}

const std::string kPlateConsole =
    kQuestions +
    "1 3.0E6 0.2 0.2 / \n) \n"                       // document 3, then the dropped line end
    "0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n) \n"       // document 4
    "44 ) \n"                                        // the layer-node pass
    "\n\nELEMENTS CREATION, 1 PASS\n44 1 1 2 3 4  /\n) "
    "\n\nELEMENTS CREATION, 2 PASS\n44 /\n) 44 /\n) "
    "1 1 \n2 \n3 \n/ ) ";                            // document 5

const std::string kPass1Heading = "\n\nELEMENTS CREATION, 1 PASS\n";

const std::string kPlateNodes =
    node_record(0, 0, 0) + node_record(1, 0, 0) + node_record(0, 1, 0) + node_record(1, 1, 0);
const std::string kPlateElements = element_record(44, 1, 1, 2, 3, 4);

const std::string kLoadHead = "\n!*\n!* APPLICATION OF LOAD\nSFCUM,ALL,ADD\nFCUM,ADD\n";
const std::string kApplication = "\n\nAPPLICATION OF LOAD\n";

std::string step(int p) {
  return "LSWRITE," + std::to_string(p) + ",\nFDELE,ALL,ALL\nSFEDELE,ALL,ALL,ALL\n";
}

std::string after(const std::string& text, const std::string& marker) {
  std::size_t at = text.find(marker);
  return at == std::string::npos ? "(no " + marker + ")" : text.substr(at);
}

std::string docs(const std::string& doc6, const std::string& doc7, const std::string& doc16) {
  return "( 6/\n" + doc6 + ")\n( 7/\n" + doc7 + ")\n( 16/\n" + doc16 + ")\n";
}

// ---- Whole runs of the plate model.

TEST(TarvexLoads, PlateModelConvertedWhole) {
  // Stiffness 1: 0.2 thick at 2500 kg/m3, weight intensity 500, own weight
  // 5000 = 0.5 times 10000. Case 2 is the own-weight case.
  std::string model = kPlate + docs("1 6 3 1 1 /\n1 16 3 2 2 /\n", "1 1.5 /\n2 0.5 /\n", "1 0 /\n2 0 /\n");
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console,
            native(kPlateConsole + "( 7/\n1 1.5 / \n2 0.5 / \n) \n( 16/\n1 2 ) )\n" + kApplication +
                   "( 6/\n1 6 3 1 1 /\n1 16 3 2 2 /\n) ( 6/\n1 6 3 1 1 /\n1 16 3 2 2 /\n) " +
                   kCompleted));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                            {"modelans.lgw",
                             native(plate_script("2500") + kLoadHead + "SFE,1,2,PRES,,15000\n" + step(1) +
                                    "ACEL,0,0,10\n" + step(2) + "ACEL,0,0,0\n" + "!*\nFINISH\n")}}));
}

// A model in site coordinates: the N commands keep every digit that the
// single-precision coordinates hold, so the script reads back to them, while
// six digits would have made the 5.522 m plate 5 m wide.
TEST(TarvexLoads, SiteCoordinatesReadBack) {
  const std::string site =
      "512351.2 6200000.5 101.25 /\n512356.722 6200000.5 101.25 /\n"
      "512351.2 6200003.75 101.25 /\n512356.722 6200003.75 101.25 /\n";
  std::string model = kPlate;
  model.replace(model.find("0 0 0 /"), std::strlen("0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n"), site);
  model += docs("1 6 3 1 1 /\n", "1 1.5 /\n", "1 /\n");
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 0));
  EXPECT_EQ(r.exit_code, 0);
  // The floats held: 512351.1875 reads back from 512351.2 (7 digits),
  // 512356.71875 only from 512356.72 (8), 6200000.5 from all 8 of its digits,
  // 6200003.75 is held as 6200004 (7), 101.25 keeps its six.
  std::string script = plate_script("2500");
  const std::string nodes = "N,1,0,0,0,,,,\nN,2,1,0,0,,,,\nN,3,0,1,0,,,,\nN,4,1,1,0,,,,\n";
  script.replace(script.find(nodes), nodes.size(),
                 "N,1,512351.2,6200000.5,101.25,,,,\nN,2,512356.72,6200000.5,101.25,,,,\n"
                 "N,3,512351.2,6200004,101.25,,,,\nN,4,512356.72,6200004,101.25,,,,\n");
  EXPECT_EQ(r.files["modelans.lgw"],
            native(script + kLoadHead + "SFE,1,2,PRES,,15000\n" + step(1) + "!*\nFINISH\n"));
  EXPECT_EQ(r.files.size(), 2u);
}

TEST(TarvexLoads, ShippedExamples) {
  // The plate example is the model whose whole script is worked out above.
  EXPECT_EQ(lira::testing::source_file("examples/tarvex/plate/modellir.txt"),
            kPlate + docs("1 6 3 1 1 /\n1 16 3 2 2 /\n", "1 1.5 /\n2 0.5 /\n", "1 0 /\n2 0 /\n"));

  // The model of the example command, with its answers: stiffness 4, the
  // plastic bar of 0.08 m2, at 7850 kg/m3 weighs 628 (line 7: 0.628).
  std::string frame = lira::testing::source_file("examples/tarvex/modellir.txt");
  auto r = run_program("tarvex", {{"modellir.txt", frame}}, "0.005\n2500\ny\n4\n7850\n0\n1\nc\n");
  EXPECT_EQ(r.files.size(), 2u);
  EXPECT_EQ(after(r.files.at("modelans.lgw"), native(kLoadHead)),
            native(kLoadHead + "ACEL,0,0,10\nF,3,FZ,-15000\n" + step(1) + "ACEL,0,0,0\n" +
                   "SFE,1,2,PRES,,15000\nSFE,2,2,PRES,,20000\nSFE,5,6,PRES,,20000\n"
                   "SFE,4,6,PRES,,25000\nSFE,9,6,PRES,,15000\nSFE,8,2,PRES,,25000\n"
                   "SFBEAM,3,2,PRES,15000\nSFBEAM,7,1,PRES,15000\n" +
                   step(2) + "F,12,FZ,-15000\nF,5,MX,20000\n" + step(3) + "!*\nFINISH\n"));
  EXPECT_NE(r.files.at("modelans.lgw").find(native("MPDATA,DENS,4,,7850\n")), std::string::npos);

  // Two slab panels on four elastic links: own weight 0.2 x 2500 = 500 (0.5);
  // a pressure of 0.25 on one panel and the mean 0.25 of four values on the other.
  std::string slab = lira::testing::source_file("examples/tarvex/slab/modellir.txt");
  auto s = run_program("tarvex", {{"modellir.txt", slab}}, answers("2500", 1));
  EXPECT_EQ(s.files.size(), 2u);
  EXPECT_EQ(after(s.files.at("modelans.lgw"), native(kLoadHead)),
            native(kLoadHead + "ACEL,0,0,10\n" + step(1) + "ACEL,0,0,0\n" +
                   "SFE,1,6,PRES,,2500\nSFE,2,6,PRES,,2500\n" + step(2) +
                   "F,5,FZ,100000\nF,5,MZ,-5000\n" + step(3) + "!*\nFINISH\n"));
  EXPECT_EQ(s.console.substr(s.console.size() - native(kCompleted).size()), native(kCompleted));
}

TEST(TarvexLoads, NodalForcesAndTheirValues) {
  // -1.5 is stored as -15000 and written negated; a line without values gives 0,
  // written "-0". The own-weight case 2 is not in the list: no ACEL.
  std::string model = kPlate + docs("12 0 3 3 1 /\n4 0 1 1 1 /\n3 0 2 2 1 /\n",
                                    "1 -1.5 /\n2 /\n3 1.5 /\n", "1 /\n");
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
  EXPECT_EQ(r.console, native(kPlateConsole + "( 7/\n1 -1.5 / \n2 / \n3 1.5 / \n) \n( 16/\n1 ) )\n" +
                              kApplication + "( 6/\n12 0 3 3 1 /\n4 0 1 1 1 /\n3 0 2 2 1 /\n) " +
                              kCompleted));
  EXPECT_EQ(r.files.at("modelans.lgw"),
            native(plate_script("2500") + kLoadHead + "F,12,FZ,-15000\nF,4,FX,15000\nF,3,FY,-0\n" +
                   step(1) + "!*\nFINISH\n"));
  EXPECT_EQ(r.files.size(), 2u);
}

TEST(TarvexLoads, LoadCaseLists) {
  struct Case {
    std::string doc16, echo16;
    std::string steps;  // the script after the head of the load application
    std::string echo6;  // the console after the heading
  };
  std::string twenty_one, echo_twenty, twenty_steps, twenty_echo6;
  for (int i = 1; i <= 21; ++i) twenty_one += std::to_string(i) + " /\n";
  for (int i = 1; i <= 20; ++i) {
    echo_twenty += std::to_string(i) + " ";
    // Case 2 is the own-weight case; nothing has mass, so no record is needed.
    twenty_steps += (i == 2 ? "ACEL,0,0,10\n" : "") + step(i) + (i == 2 ? "ACEL,0,0,0\n" : "");
    twenty_echo6 += "( 6/\n) ";
  }
  const Case cases[] = {
      // The twenty-first case is not read; the buffer shows the slash over "20".
      {twenty_one, echo_twenty + "/0\n", twenty_steps, twenty_echo6},
      // A 0 ends the list.
      {"3 /\n0 /\n1 /\n", "3 0 1 ) )\n", step(1), "( 6/\n) "},
      // An empty list: no load step.
      {"", ") )\n", "", ""},
  };
  for (const Case& c : cases) {
    std::string model = kPlate + docs("", "", c.doc16);
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("0", 2));
    EXPECT_EQ(r.console, native(kPlateConsole + "( 7/\n) \n( 16/\n" + c.echo16 + kApplication + c.echo6 +
                                kCompleted));
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                              {"modelans.lgw", native(plate_script("0") + kLoadHead + c.steps +
                                                      "!*\nFINISH\n")}}));
  }
}

TEST(TarvexLoads, DocumentTwelveIsLookedForBetweenSevenAndSixteen) {
  // Before document 7 or after document 16 it is not seen.
  for (const std::string& model :
       {kPlate + "( 12/\n)\n" + docs("", "", "5 /\n"), kPlate + docs("", "", "5 /\n") + "( 12/\n)\n"}) {
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("0", 2));
    EXPECT_EQ(r.files.at("modelans.lgw"),
              native(plate_script("0") + kLoadHead + step(1) + "!*\nFINISH\n"));
    EXPECT_EQ(r.files.size(), 2u);
  }
}

// A stop in document 7, 12 or 16: the script holds what the plate model wrote
// before, and every temporary file stays.
TEST(TarvexLoads, StopsInTheLoadValues) {
  struct Case {
    std::string loads;     // documents after document 5
    std::string echo;      // the console after the plate model's
    std::string message;
    std::string load_file; // loades.tmp
  };
  const std::string line = "\nIncorrect modellir.txt: illegal line number in doc. 7.";
  const Case cases[] = {
      {"( 7/\n1 -1.5 /\n2 /\n)\n( 12/\n)\n( 16/\n1 /\n)\n", "( 7/\n1 -1.5 / \n2 / \n) \n",
       "\nmodellir.txt includes doc. 12 - analysis failed.", load_record(1, -15000) + load_record(2, 0)},
      {"( 16/\n1 /\n)\n( 7/\n1 1 /\n)\n", "( 7/\n1 1 / \n) \n", "\nIncorrect modellir.txt: no doc. 16.",
       load_record(1, 10000)},
      {"( 7/\n1/ 2 /\n)\n", "( 7/\n1/ ", line, ""},
      {"( 7/\n2 1 /\n)\n", "( 7/\n2 ", line, ""},
      {"( 7/\n1 1 /\n1 2 /\n)\n", "( 7/\n1 1 / \n1 ", line, load_record(1, 10000)},
      {"( 7/\n1 1 /\n3 2 /\n)\n", "( 7/\n1 1 / \n3 ", line, load_record(1, 10000)},
      {"( 7/\n1 1 2 3 4 5 /\n)\n", "( 7/\n1 1 2 3 4 5 ",
       "\nIncorrect modellir.txt: too many values in doc. 7.", ""},
      {"( 6/\n)\n", "", "\nIncorrect modellir.txt: no load values.", ""},
      {"( 7/\n)\n( 16/\n1 /\n2", "( 7/\n) \n( 16/\n1 2 ",
       "\nIncorrect modellir.txt: end of file inside document 16.", ""},
  };
  for (const Case& c : cases) {
    std::string model = kPlate + c.loads;
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, native(kPlateConsole + c.echo + c.message + kPressAnyKey)) << c.loads;
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                              {"modelans.lgw", native(plate_script("2500"))},
                              {"nodes.tmp", kPlateNodes},
                              {"elements.tmp", kPlateElements},
                              {"loades.tmp", c.load_file}}))
        << c.loads;
  }
}

// A stop in the load application: the script ends where the failing record
// stopped, without FINISH, and every temporary file stays.
TEST(TarvexLoads, StopsInTheLoadApplication) {
  struct Case {
    std::string doc6;
    std::string script;  // after the head of the load application
    std::string echo;    // after the heading of the load application
    std::string message;
  };
  const std::string r1 = "( 6/\n";
  const Case cases[] = {
      {"1 6 1 1 1 /\n", "SFE,1", r1 + "1 6 1 1 1 /\n",
       "\nDoc. 6 includes illegal load direction:\ndir. No 1, 2, 4, 5 or 6 is applied to shell."},
      {"1 6 9 1 1 /\n", "SFE,1", r1 + "1 6 9 1 1 /\n",
       "\nDoc. 6 includes illegal load direction:\ndir. No 9 is not one of 1 to 6."},
      {"1 0 0 1 1 /\n", "", r1 + "1 0 0 1 1 /\n",
       "\nDoc. 6 includes illegal load direction:\ndir. No 0 is not one of 1 to 6."},
      {"1 5 3 1 1 /\n", "", r1 + "1 5 3 1 1 /\n",
       "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell)."},
      {"1 16 3 2 1 /\n", "", r1 + "1 16 3 2 1 /\n",
       "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but supposed to be."},
      {"1 16 1 2 2 /\n", step(1) + "ACEL,0,0,10\n", r1 + "1 16 1 2 2 /\n) " + r1 + "1 16 1 2 2 /\n",
       "\nWeight direction illegal."},
      // 1.5 is 15000 against an own weight of 5000.
      {"1 16 3 1 2 /\n", step(1) + "ACEL,0,0,10\n", r1 + "1 16 3 1 2 /\n) " + r1 + "1 16 3 1 2 /\n",
       "\nWeight value illegal."},
      // The own-weight case without an own-weight record for the plate, which has mass.
      {"1 0 3 2 2 /\n", step(1) + "ACEL,0,0,10\nF,1,FZ,-5000\n",
       r1 + "1 0 3 2 2 /\n) " + r1 + "1 0 3 2 2 /\n) ",
       "\nElement has weight which not described in doc. 6"},
      {"1 6 3 9 1 /\n", "", r1 + "1 6 3 9 1 /\n", "\nIncorrect loades.tmp: irrelevant load type number."},
      {"1 6 3 0 1 /\n", "", r1 + "1 6 3 0 1 /\n", "\nIncorrect loades.tmp: irrelevant load type number."},
      {"1 6 / 1 1 /\n", "", r1 + "1 6 / ", "\nIncorrect modellir.txt: error in load table (doc. 6)."},
      {"2 6 3 1 1 /\n", "", r1 + "2 6 3 1 1 /\n",
       "\nDoc. 6 includes element 2, which is not in doc. 1 (elements 1 to 1)."},
  };
  for (const Case& c : cases) {
    std::string model = kPlate + docs(c.doc6, "1 1.5 /\n2 0.5 /\n", "1 /\n2 /\n");
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
    EXPECT_EQ(r.console, native(kPlateConsole + "( 7/\n1 1.5 / \n2 0.5 / \n) \n( 16/\n1 2 ) )\n" +
                                kApplication + c.echo + c.message + kPressAnyKey))
        << c.doc6;
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                              {"modelans.lgw", native(plate_script("2500") + kLoadHead + c.script)},
                              {"nodes.tmp", kPlateNodes},
                              {"elements.tmp", kPlateElements},
                              {"loades.tmp", load_record(1, 15000) + load_record(2, 5000)}}))
        << c.doc6;
  }
}

TEST(TarvexLoads, LoadTableMissingOrCutShort) {
  const std::string values = "( 7/\n1 1.5 /\n)\n( 16/\n1 /\n)\n";
  struct Case {
    std::string doc6, script, echo, message;
  } cases[] = {
      {"", "", "", "\nIncorrect modellir.txt: no load table."},
      {"( 6/\n1 6 3 1 1 /\n", "SFE,1,2,PRES,,15000\n", "( 6/\n1 6 3 1 1 /\n",
       "\nIncorrect modellir.txt: end of file inside document 6."},
      {"( 6/\n1 6 3 1 1 9", "", "( 6/\n1 6 3 1 1 ",
       "\nIncorrect modellir.txt: end of file inside document 6."},
  };
  for (const Case& c : cases) {
    std::string model = kPlate + values + c.doc6;
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
    EXPECT_EQ(r.console, native(kPlateConsole + "( 7/\n1 1.5 / \n) \n( 16/\n1 ) )\n" + kApplication +
                                c.echo + c.message + kPressAnyKey));
    EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                              {"modelans.lgw", native(plate_script("2500") + kLoadHead + c.script)},
                              {"nodes.tmp", kPlateNodes},
                              {"elements.tmp", kPlateElements},
                              {"loades.tmp", load_record(1, 15000)}}));
  }
}

// ---- A model of every stiffness kind, element type and load type.

const std::string kFrame =
    "( 1/\n"
    "44 1 1 2 3 4 /\n"    // 1 plate
    "42 1 2 5 4 /\n"      // 2 triangular plate
    "10 2 1 2 /\n"        // 3 bar
    "244 5 5 7 6 8 /\n"   // 4 layered shell
    "242 5 5 7 8 /\n"     // 5 triangular layered shell
    "51 3 7 /\n"          // 6 elastic link under node 7
    "210 4 5 7 /\n"       // 7 plastic bar
    "41 1 1 2 3 4 /\n"    // 8 plate
    "241 5 5 7 6 8 /\n"   // 9 layered shell
    ")\n"
    "( 3/\n"
    "1 3.0E6 0.2 0.2 /\n"
    "2 S0 3E6 20 40 /\n"
    "3 3 1000 /\n"
    "4 S100 20 40 /\n4 NB11/0 2.1E6 4E4 0 /\n4 AZ 1 TW 0 /\n"
    "5 GENE14/\n5 -0.0035 -145 -0.0002 -60/\n5 0.0001 10/\n5 NA11 1 2.1E6 4E4 /\n5 SA2 1 2 3 /\n"
    "5 5 3 -8 /\n5 5 3 -8 /\n5 4 2 8 /\n5 DEL 0.2 /\n5 NU= 0.2/\n"
    ")\n"
    "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n2 0 0 /\n2 1 0 /\n3 0 0 /\n3 1 0 /\n)\n"
    "( 5/\n1 1 2 3 /\n)\n";

// Weight intensities at 2500 kg/m3: plates and slabs 0.2 thick 500, bars of
// 20 by 40 cm 200; own weights 0.5 and 0.2.
const std::string kFrameValues = "( 7/\n1 0.5 /\n2 0.2 /\n3 1.5 /\n4 1 2 3 /\n5 1 2 3 4 /\n6 -2 /\n)\n";
const std::string kFrameWeights =
    "1 16 3 1 1 /\n2 16 3 1 1 /\n3 16 3 2 1 /\n3 0 3 3 1 /\n4 16 3 1 1 /\n5 16 3 1 1 /\n"
    "7 16 3 2 1 /\n8 16 3 1 1 /\n9 16 3 1 1 /\n";
const std::string kFrameLoads =
    "1 6 3 3 2 /\n2 7 3 4 2 /\n5 7 3 4 2 /\n4 7 3 5 2 /\n9 6 3 3 2 /\n8 7 3 5 2 /\n"
    "3 6 2 3 2 /\n7 6 3 3 2 /\n3 7 3 4 2 /\n6 6 3 3 2 /\n12 0 3 3 3 /\n5 0 4 6 3 /\n";

TEST(TarvexLoads, EveryKindOfElementAndLoad) {
  std::string model = kFrame + "( 6/\n" + kFrameWeights + kFrameLoads + ")\n" + kFrameValues +
                      "( 16/\n1 0 /\n2 0 /\n3 0 /\n)\n";
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 1));
  EXPECT_EQ(r.exit_code, 0);
  // The own weight of every element with mass is checked; the link needs none.
  // Triangles take the mean of three values, the others of four; a bar takes
  // no load of type 7, a link none of type 6.
  EXPECT_EQ(after(r.files.at("modelans.lgw"), native(kLoadHead)),
            native(kLoadHead + "ACEL,0,0,10\nF,3,FZ,-15000\n" + step(1) + "ACEL,0,0,0\n" +
                   "SFE,1,2,PRES,,15000\nSFE,2,2,PRES,,20000\nSFE,5,6,PRES,,20000\n"
                   "SFE,4,6,PRES,,25000\nSFE,9,6,PRES,,15000\nSFE,8,2,PRES,,25000\n"
                   "SFBEAM,3,2,PRES,15000\nSFBEAM,7,1,PRES,15000\n" +
                   step(2) + "F,12,FZ,-15000\nF,5,MX,20000\n" + step(3) + "!*\nFINISH\n"));
  const std::string table = kFrameWeights + kFrameLoads;  // echoed one record a line
  EXPECT_EQ(after(r.console, native("( 7/\n")),
            native("( 7/\n1 0.5 / \n2 0.2 / \n3 1.5 / \n4 1 2 3 / \n5 1 2 3 4 / \n6 -2 / \n) \n"
                   "( 16/\n1 2 3 ) )\n" +
                   kApplication + "( 6/\n" + table + ") ( 6/\n" + table + ") ( 6/\n" + table + ") " +
                   kCompleted));
  EXPECT_EQ(r.files.size(), 2u);  // no temporary file is left
}

TEST(TarvexLoads, OwnWeightOfTheFrameRefused) {
  struct Case {
    std::string doc6, script, message;
  } cases[] = {
      // The link carries no own weight.
      {"1 16 3 1 1 /\n2 16 3 1 1 /\n3 16 3 2 1 /\n4 16 3 1 1 /\n5 16 3 1 1 /\n6 16 3 1 1 /\n",
       "ACEL,0,0,10\n", "\nIllegal element type found on testing nonzero element weight."},
      // The triangle between the plate and the bar has mass and no own-weight record.
      {"1 16 3 1 1 /\n3 16 3 2 1 /\n", "ACEL,0,0,10\n", "\nElement has weight which not described in doc. 6"},
      // The bar's own weight is 2000, not 5000.
      {"1 16 3 1 1 /\n2 16 3 1 1 /\n3 16 3 1 1 /\n", "ACEL,0,0,10\n", "\nWeight value illegal."},
      // A beam pressure across the bar's axis.
      {kFrameWeights + "3 6 1 3 1 /\n", "ACEL,0,0,10\nF,3,FZ,-15000\nSFBEAM,3",
       "\nDoc. 6 includes illegal load direction:\ndir. No 1, 4, 5 or 6 is applied to beam."},
  };
  for (const Case& c : cases) {
    std::string model = kFrame + "( 6/\n" + c.doc6 + ")\n" + kFrameValues + "( 16/\n1 /\n)\n";
    auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 1));
    EXPECT_EQ(after(r.files.at("modelans.lgw"), native(kLoadHead)), native(kLoadHead + c.script))
        << c.doc6;
    std::string end = native(c.message + kPressAnyKey);
    EXPECT_EQ(r.console.substr(r.console.size() - std::min(r.console.size(), end.size())), end)
        << c.doc6;
    EXPECT_EQ(r.files.at("elements.tmp"),
              element_record(44, 1, 1, 2, 3, 4) + element_record(42, 1, 2, 5, 4, 4) +
                  element_record(10, 2, 1, 2) + element_record(244, 5) + element_record(242, 5) +
                  // Node 7's layer nodes are 12, 13, 14 and node 5's 9, 10, 11; the
                  // link's own node is 21; the plastic bar (holder 1) joins the top ones.
                  element_record(51, 3, 21, 12) + element_record(210, 4, 11, 14) +
                  element_record(41, 1, 1, 2, 3, 4) + element_record(241, 5));
    EXPECT_EQ(r.files.at("loades.tmp"),
              load_record(1, 5000) + load_record(2, 2000) + load_record(3, 15000) +
                  load_record(4, 10000, 20000, 30000) + load_record(5, 10000, 20000, 30000, 40000) +
                  load_record(6, -20000));
    EXPECT_EQ(r.files.count("nodes.tmp"), 1u);
  }
}

// ---- Models as engineers' files come: whatever would convert wrongly stops.

const std::string kPlateMaterials =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,,2500\n"
    "MPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n";
const std::string kPlateDoc3Echo = "1 3.0E6 0.2 0.2 / \n) \n";
const std::string kPlateDoc4Echo = "0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n) \n";
const std::string kPlateSupports = "!*\n D,1,UX\n!*\n D,1,UY\n!*\n D,1,UZ\n!*\n!*\n";
// The plate model's console after the questions, up to document 7.
const std::string kPlateEcho = kPlateConsole.substr(kQuestions.size());
const std::string kHeaderEnd =
    "\": begin the records of the document on the line after its header.";

using lira::testing::replaced;

// A stop of the plate model, with loads of case 1 and own weight in case 2.
struct PlateStop {
  std::string from, to;  // the change made to the plate model
  std::string console;   // after the questions, before the message
  std::string message;
  Files files;           // besides modellir.txt
};

void expect_plate_stop(const PlateStop& c) {
  const std::string plate = kPlate + docs("1 6 3 1 1 /\n", "1 1.5 /\n", "1 /\n");
  const std::string model = replaced(plate, c.from, c.to);
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.console, native(kQuestions + c.console + c.message + kPressAnyKey)) << c.to;
  Files files = c.files;
  files["modellir.txt"] = model;
  EXPECT_EQ(r.files, files) << c.to;
}

TEST(TarvexRealFiles, RecordsOnHeaderLinesStop) {
  const std::string before_loads = kPlateEcho + "( 7/\n1 1.5 / \n) \n";
  const PlateStop cases[] = {
      {"( 3/\n1", "( 3/ 1", "",
       "\nIncorrect modellir.txt: the header line of document 3 holds a record, \"1 3.0E6 0.2 "
       "0.2 /" + kHeaderEnd,
       {{"modelans.lgw", native(kPreamble)}}},
      {"( 4/\n0 0 0 /", "( 4/ 0 0 0 /", kPlateDoc3Echo,
       "\nIncorrect modellir.txt: the header line of document 4 holds a record, \"0 0 0 /" +
           kHeaderEnd,
       {{"modelans.lgw", native(kPreamble + kPlateMaterials + "!*\n!*\n")}, {"nodes.tmp", ""}}},
      {"( 1/\n44", "( 1/44", kPlateDoc3Echo + kPlateDoc4Echo,
       "\nIncorrect modellir.txt: the header line of document 1 holds a record, \"44 1 1 2 3 4 /" +
           kHeaderEnd,
       {{"modelans.lgw", native(kPreamble + kPlateMaterials + "!*\n!*\n")},
        {"nodes.tmp", kPlateNodes}}},
      {"( 5/\n1", "( 5/ 1", replaced(kPlateEcho, "1 1 \n2 \n3 \n/ ) ", ""),
       "\nIncorrect modellir.txt: the header line of document 5 holds a record, \"1 1 2 3 /" +
           kHeaderEnd,
       {{"modelans.lgw", native(replaced(plate_script("2500"), kPlateSupports, ""))},
        {"nodes.tmp", kPlateNodes},
        {"elements.tmp", kPlateElements}}},
      {"( 7/\n1", "( 7/ 1", kPlateEcho + "( 7/ 1 1.5 /\n",
       "\nIncorrect modellir.txt: the header line of document 7 holds a record, \"1 1.5 /" +
           kHeaderEnd,
       {{"modelans.lgw", native(plate_script("2500"))},
        {"nodes.tmp", kPlateNodes},
        {"elements.tmp", kPlateElements},
        {"loades.tmp", ""}}},
      // Without the stop the load-case list would be empty: no load step at all.
      {"( 16/\n1 /\n", "( 16/ 1 0 / 2 0 / )\n", before_loads + "( 16/ 1 0 / 2 0 / )\n",
       "\nIncorrect modellir.txt: the header line of document 16 holds a record, \"1 0 / 2 0 / )" +
           kHeaderEnd,
       {{"modelans.lgw", native(plate_script("2500"))},
        {"nodes.tmp", kPlateNodes},
        {"elements.tmp", kPlateElements},
        {"loades.tmp", load_record(1, 15000)}}},
      {"( 6/\n1", "( 6/ 1", before_loads + "( 16/\n1 ) )\n" + kApplication + "( 6/ 1 6 3 1 1 /\n",
       "\nIncorrect modellir.txt: the header line of document 6 holds a record, \"1 6 3 1 1 /" +
           kHeaderEnd,
       {{"modelans.lgw", native(plate_script("2500") + kLoadHead)},
        {"nodes.tmp", kPlateNodes},
        {"elements.tmp", kPlateElements},
        {"loades.tmp", load_record(1, 15000)}}},
  };
  for (const PlateStop& c : cases) expect_plate_stop(c);
}

TEST(TarvexRealFiles, OtherRestsOfHeaderLinesArePassedOver) {
  // Words, a lone number with its slash, a number without a slash: the plate
  // model converts as it does without them.
  std::string model = kPlate + docs("1 6 3 1 1 /\n1 16 3 2 2 /\n", "1 1.5 /\n2 0.5 /\n",
                                    "1 0 /\n2 0 /\n");
  for (auto [from, to] : {std::pair<std::string, std::string>{"( 1/\n", "( 1/ elements\n"},
                          {"( 3/\n", "( 3/ 3/\n"}, {"( 4/\n", "( 4/ 4 nodes\n"},
                          {"( 5/\n", "( 5/ supports /\n"}, {"( 6/\n", "( 6/ load table\n"},
                          {"( 7/\n", "( 7/ 7/\n"}, {"( 16/\n", "( 16/ 16 /\n"}}) {
    model = replaced(model, from, to);
  }
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
  EXPECT_EQ(r.console,
            native(kPlateConsole + "( 7/ 7/\n1 1.5 / \n2 0.5 / \n) \n( 16/ 16 /\n1 2 ) )\n" +
                   kApplication +
                   "( 6/ load table\n1 6 3 1 1 /\n1 16 3 2 2 /\n) ( 6/ load table\n1 6 3 1 1 /\n"
                   "1 16 3 2 2 /\n) " +
                   kCompleted));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                            {"modelans.lgw",
                             native(plate_script("2500") + kLoadHead + "SFE,1,2,PRES,,15000\n" +
                                    step(1) + "ACEL,0,0,10\n" + step(2) + "ACEL,0,0,0\n" +
                                    "!*\nFINISH\n")}}));
}

TEST(TarvexRealFiles, AnElementOfAStiffnessThatIsNotConvertedStops) {
  // "GEI" is a kind tarvex does not convert; without the stop the plate would
  // be written with no attributes of its own.
  const std::string stop = "\nIncorrect modellir.txt: element 1 of document 1 has stiffness 1, "
                           "which document 3 does not define, or defines with a kind that is not "
                           "converted: give the element a converted stiffness of document 3.";
  const std::string after_nodes = "\n" + kPlateDoc4Echo + "44 ) \n" + kPass1Heading + "44 1 ";
  const std::string nodes = "N,1,0,0,0,,,,\nN,2,1,0,0,,,,\nN,3,0,1,0,,,,\nN,4,1,1,0,,,,\n";
  const Files left{{"modelans.lgw", native(kPreamble + "!*\n!*\n" + nodes)},
                   {"nodes.tmp", kPlateNodes},
                   {"elements.tmp", ""}};
  expect_plate_stop({"1 3.0E6 0.2 0.2 /", "1 GEI 1 2 /",
                     "1 GEI Unknown element skipped\n) " + after_nodes, stop, left});
  // Or document 3 does not hold it at all.
  expect_plate_stop({"1 3.0E6 0.2 0.2 /\n", "", ") " + after_nodes, stop, left});
}

TEST(TarvexRealFiles, ElementLoadsAfterAnUnconvertedElementStop) {
  // Element 1 (type 5, a space-frame bar) creates nothing, so the plate is
  // element 1 of the script, while document 6 names it element 2. The nodal
  // force before goes through.
  const std::string stop =
      "\nDoc. 6 loads element 2, but element 1 before it in doc. 1 has type 5, which is not "
      "converted: the script numbers the elements after it one lower, so the load would fall on "
      "another element. Remove element 1 from doc. 1 or give it a converted type.";
  const std::string console =
      kQuestions + kPlateDoc3Echo + kPlateDoc4Echo + "5 44 ) \n" + kPass1Heading +
      "5 /\n44 1 1 2 3 4  /\n) " + "\n\nELEMENTS CREATION, 2 PASS\n5 /\n44 /\n) 5 /\n44 /\n) " +
      "1 1 \n2 \n3 \n/ ) " + "( 7/\n1 1.5 / \n) \n( 16/\n1 ) )\n" + kApplication +
      "( 6/\n2 0 3 1 1 /\n2 6 3 1 1 /\n";
  const std::string model = replaced(kPlate, "( 1/\n", "( 1/\n5 1 1 2 /\n") +
                            docs("2 0 3 1 1 /\n2 6 3 1 1 /\n", "1 1.5 /\n", "1 /\n");
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 2));
  EXPECT_EQ(r.console, native(console + stop + kPressAnyKey));
  EXPECT_EQ(r.files,
            (Files{{"modellir.txt", model},
                   {"modelans.lgw", native(plate_script("2500") + kLoadHead + "F,2,FZ,-15000\n")},
                   {"nodes.tmp", kPlateNodes},
                   {"elements.tmp", element_record(5, 0) + element_record(44, 1, 1, 2, 3, 4)},
                   {"loades.tmp", load_record(1, 15000)}}));
}

TEST(TarvexRealFiles, ASlabDiagramOfTwoSignChangesConverts) {
  // The first change, at a strain of 0, used to refuse the slab; the last one
  // gives (-1 / -0.0001 + 1 / 0.0001) * 0.5 * 10000 = 1e8.
  const std::string model =
      replaced(lira::testing::source_file("examples/tarvex/slab/modellir.txt"),
               "1 -0.0035 -145 -0.0002 -60/\n1 0.0001 10/\n",
               "1 -0.002 -14.5 0 1 -0.0001 -1 0.0001 1/\n");
  auto r = run_program("tarvex", {{"modellir.txt", model}}, answers("2500", 1));
  EXPECT_EQ(r.files.size(), 2u);
  const std::string& script = r.files["modelans.lgw"];
  EXPECT_NE(script.find(native("MPDATA,EX,1,,1e+008\n")), std::string::npos);
  EXPECT_NE(script.find(native("TBMODIF,4,1,10000\nTBMODIF,5,1,145000\n")), std::string::npos);
  EXPECT_EQ(script.substr(script.size() - native("!*\nFINISH\n").size()), native("!*\nFINISH\n"));
  EXPECT_EQ(r.console.substr(r.console.size() - native(kCompleted).size()), native(kCompleted));
}

TEST(TarvexRealFiles, DecimalCommasStop) {
  const PlateStop cases[] = {
      {"1 3.0E6", "1 3,0E6", "1 3,0E6 ",
       "\nIncorrect modellir.txt: the number \"3,0E6\" of stiffness 1 in document 3 has a decimal "
       "comma: write it with a decimal point, \"3.0E6\".",
       {{"modelans.lgw", native(kPreamble)}}},
      {"1 0 0 /", "1 0,5 0 /", kPlateDoc3Echo + "0 0 0 /\n1 0,5 ",
       "\nIncorrect modellir.txt: the number \"0,5\" of node 2 in document 4 has a decimal comma: "
       "write it with a decimal point, \"0.5\".",
       {{"modelans.lgw", native(kPreamble + kPlateMaterials + "!*\n!*\n")},
        {"nodes.tmp", node_record(0, 0, 0)}}},
      {"1 1.5 /", "1 1,5 /", kPlateEcho + "( 7/\n1 1,5 ",
       "\nIncorrect modellir.txt: the number \"1,5\" of line 1 in document 7 has a decimal comma: "
       "write it with a decimal point, \"1.5\".",
       {{"modelans.lgw", native(plate_script("2500"))},
        {"nodes.tmp", kPlateNodes},
        {"elements.tmp", kPlateElements},
        {"loades.tmp", ""}}},
  };
  for (const PlateStop& c : cases) expect_plate_stop(c);
}

}  // namespace
}  // namespace tarvex_e2e
