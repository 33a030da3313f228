#include "solids.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/stop.h"
#include "stiffness_test_support.h"
#include "stiffness.h"

namespace tarvex {
namespace {

using testing::Fixture;
using testing::text;

// Stiffness v of a slab 0.2 thick: a diagram of two sub-records, the steel,
// rows at -8, -8 and 8 centimetres. '@' stands for the stiffness number.
std::string slab(int v, std::string_view rows = "@ 5 3 -8 /\n@ 5 3 -8 /\n@ 4 2 8 /\n") {
  std::string s = "@ GENE14/\n@ -0.0035 -145 -0.0002 -60/\n@ 0.0001 10/\n@ NA11 1 2.1E6 4E4 /\n"
                  "@ SA2 1 2 3 /\n";
  s += rows;
  s += "@ DEL 0.2 /\n@ NU= 0.2/\n";
  std::string out;
  for (char c : s) {
    if (c == '@') out += std::to_string(v);
    else out += c;
  }
  return out;
}

const char kSlabConsole[] =
    "1 GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
    "5 3 -8 \n5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n";

const char kSlabScript[] =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,2e+009\nMPDATA,DENS,1,,2500\n"
    "MPDATA,PRXY,1,,0.2\n"
    "!*\nTB,CONCR,1, , , ,\n!*\n"
    "TBMODIF,2,1,0.1\nTBMODIF,3,1,0.9\nTBMODIF,4,1,100000\nTBMODIF,5,1,1.45e+006\n"
    "TBMODIF,10,1,0.6\n!*\n!*\n"
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,101,,2.1e+010\nMPDATA,DENS,101,,2500\n"
    "MPDATA,PRXY,101,,.25\n"
    "!*\nTB,BISO,101, , , ,\n!*\nTBMODIF,2,1,4e+008\nTBMODIF,3,1,1.05e+009\n!*\n!*\n"
    "!*\nR,2,101,1.5,0,0,101,2.5\nRMORE,90,0,101,0.5,0,90\n!*\n"
    "!*\nR,3,0,0,0,0,0,0\nRMORE,0,0,101,0.5,0,90\n!*\n"
    "!*\nR,4,101,0.5,0,0,101,1\nRMORE,90,0,101,0.5,0,90\n!*\n";

TEST(SolidStiffness, SlabWithRowsAtMinus8Minus8And8) {
  Fixture f("( 3/\n" + slab(1) + ")\n");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.console, std::string(kSlabConsole) + ") ");
  EXPECT_EQ(f.script, kSlabScript);
  const StiffnessTable& t = f.run.stiffness;
  EXPECT_NEAR(t.t_bottom[1], 0.04, 1e-12);
  EXPECT_NEAR(t.t_middle[1], 0.12, 1e-12);
  EXPECT_NEAR(t.t_top[1], 0.04, 1e-12);
  EXPECT_DOUBLE_EQ(t.t_bottom[1] + t.t_middle[1] + t.t_top[1], 0.2);
  EXPECT_EQ(text(t.bottom_attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  2\nESYS,   11\n");
  EXPECT_EQ(text(t.middle_attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  3\nESYS,   11\n");
  EXPECT_EQ(text(t.attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  4\nESYS,   11\n");
  EXPECT_EQ(t.weight_intensity[1], 500.0f);
  EXPECT_EQ(f.run.real_constant_counter, 4);
}

TEST(SolidStiffness, ThreeSolidsTakeThreeSetsEach) {
  Fixture f("( 3/\n" + slab(1) + slab(2) + slab(3) + ")\n");
  ASSERT_EQ(f.read(), "");
  const StiffnessTable& t = f.run.stiffness;
  EXPECT_EQ(text(t.bottom_attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  2\nESYS,   11\n");
  EXPECT_EQ(text(t.middle_attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  3\nESYS,   11\n");
  EXPECT_EQ(text(t.attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  4\nESYS,   11\n");
  EXPECT_EQ(text(t.bottom_attribute[2]), "TYPE,   3\nMAT, 2\nREAL,  5\nESYS,   11\n");
  EXPECT_EQ(text(t.middle_attribute[2]), "TYPE,   3\nMAT, 2\nREAL,  6\nESYS,   11\n");
  EXPECT_EQ(text(t.attribute[2]), "TYPE,   3\nMAT, 2\nREAL,  7\nESYS,   11\n");
  EXPECT_EQ(text(t.bottom_attribute[3]), "TYPE,   3\nMAT, 3\nREAL,  8\nESYS,   11\n");
  EXPECT_EQ(text(t.middle_attribute[3]), "TYPE,   3\nMAT, 3\nREAL,  9\nESYS,   11\n");
  EXPECT_EQ(text(t.attribute[3]), "TYPE,   3\nMAT, 3\nREAL,  10\nESYS,   11\n");
  EXPECT_EQ(f.run.real_constant_counter, 10);
  EXPECT_NE(f.script.find("!*\nR,10,103,0.5,0,0,103,1\nRMORE,90,0,103,0.5,0,90\n!*\n"),
            std::string::npos);
  EXPECT_NE(f.script.find("MPDATA,DENS,102,,2500\n"), std::string::npos);
}

TEST(SolidStiffness, SteelTakesTheDensityOfItsConcrete) {
  Fixture f("( 3/\n" + slab(7) + ")\n");
  f.run.density[7] = 2400;
  f.run.density[49] = 1;  // 107 has no entry of its own
  ASSERT_EQ(f.read(), "");
  EXPECT_NE(f.script.find("MPDATA,DENS,7,,2400\n"), std::string::npos);
  EXPECT_NE(f.script.find("MPDATA,DENS,107,,2400\n"), std::string::npos);
  EXPECT_EQ(f.run.stiffness.weight_intensity[7], 480.0f);
}

TEST(SolidStiffness, GluedRowEndsKeepEveryRow) {
  Fixture f("( 3/\n" + slab(1, "@ 5 3 -8/\n@ 5 3 -8/\n@ 4 2 8/\n") + ")\n");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kSlabScript);
  EXPECT_EQ(f.console,
            "1 GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
            "5 3 -8/ \n5 3 -8/ \n4 2 8/ \nDEL 0.2  NU= 0.2/ \n\n) ");
}

TEST(SolidStiffness, SubRecordFieldsAreSkipped) {
  // Fields after z, after the yield stress and after the Poisson's ratio.
  Fixture f("( 3/\n1 GENE14/\n1 -0.0035 -145 -0.0002 -60/\n1 0.0001 10/\n"
            "1 NA11 1 2.1E6 4E4 9 9 /\n1 SA2 1 2 3 /\n1 5 3 -8 0 0 /\n1 5 3 -8 /\n1 4 2 8 1 /\n"
            "1 DEL 0.2 x y NU= 0.2 7 /\n)\n");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kSlabScript);
  EXPECT_EQ(f.console,
            "1 GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
            "5 3 -8 \n5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2 \n\n) ");
}

TEST(SolidStiffness, DiagramModulusFromTheLastSignChange) {
  // Two changes from negative to positive: the second wins.
  Fixture f("( 3/\n1 GENE14/\n1 -0.001 -10 0.001 10 -0.001 -20 0.002 20/\n"
            "1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)");
  ASSERT_EQ(f.read(), "");
  // (-20 / -0.001 + 20 / 0.002) * 0.5 * 10000
  EXPECT_NE(f.script.find("MPDATA,EX,1,,1.5e+008\n"), std::string::npos);
  EXPECT_NE(f.script.find("TBMODIF,4,1,200000\nTBMODIF,5,1,100000\n"), std::string::npos);
}

TEST(SolidStiffness, OnlyTheLastSignChangeMustGiveAFiniteModulus) {
  // The first change, at a strain of 0, gives no finite modulus; the last one
  // gives (-1 / -0.0001 + 1 / 0.0001) * 0.5 * 10000 = 1e8.
  Fixture f("( 3/\n1 GENE14/\n1 -0.002 -14.5 0 1 -0.0001 -1 0.0001 1/\n"
            "1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)");
  ASSERT_EQ(f.read(), "");
  EXPECT_NE(f.script.find("MPDATA,EX,1,,1e+008\n"), std::string::npos);
  // ft is the last stress, fc the first one turned.
  EXPECT_NE(f.script.find("TBMODIF,4,1,10000\nTBMODIF,5,1,145000\n"), std::string::npos);
}

TEST(SolidStiffness, ALastSignChangeAtZeroStrainIsRefusedAfterTheNamedChecks) {
  const std::string diagram = "1 GENE14/\n1 -0.001 -10 0.001 10 -0.002 -20 0 20/\n";
  const std::string zero =
      "\nIncorrect modellir.txt: stiffness 1 has a point of zero strain where its stress changes "
      "sign.";
  struct Case {
    std::string rest;  // after the diagram
    std::string message;
  } cases[] = {
      {"1 NA11 1 2.1E6 4E4 /\n1 SA3 /\n)", "\nIncorrect modellir.txt: reinforcement area not specified."},
      {"1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NV= 0.2/\n)",
       "\nIncorrect modellir.txt: Poison ratio not specified."},
      {"1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)",
       "\nError: Number of reiforcement layers = 1\n"},
      {"1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -5 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)",
       "\nIncorrect modellir.txt: impossible reinforcement."},
      {"1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)", zero},
  };
  for (const Case& c : cases) {
    Fixture f("( 3/\n" + diagram + c.rest);
    EXPECT_EQ(f.read(), c.message) << c.rest;
    EXPECT_EQ(f.script, "") << c.rest;
  }
  // The whole stiffness has been read and shown when the modulus is refused.
  Fixture f("( 3/\n" + diagram + cases[4].rest);
  f.read();
  EXPECT_EQ(f.console,
            "1 GENE14/ \n-0.001 -10 0.001 10 -0.002 -20 0 20/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
            "5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n");
}

TEST(SolidStiffness, DiagramWithoutSignChangeLeavesModulusZero) {
  Fixture f("( 3/\n1 GENE14/\n1 -0.001 -10 -0.002 -20 0 0/\n"
            "1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)");
  ASSERT_EQ(f.read(), "");
  EXPECT_NE(f.script.find("MPDATA,EX,1,,0\n"), std::string::npos);
  EXPECT_NE(f.script.find("TBMODIF,4,1,0\nTBMODIF,5,1,100000\n"), std::string::npos);
}

TEST(SolidStiffness, SingleGluedPointEndsItsSubRecord) {
  // The "1" of the next sub-record is its stiffness number, not a strain.
  Fixture f("( 3/\n1 GENE14/\n1 -0.002 -145/\n1 0.0001 10/\n"
            "1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n1 4 2 8 /\n1 DEL 0.2 /\n1 NU= 0.2/\n)");
  ASSERT_EQ(f.read(), "");
  EXPECT_EQ(f.console,
            "1 GENE14/ \n-0.002 -145/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n5 3 -8 \n4 2 8 \n"
            "DEL 0.2  NU= 0.2/ \n\n) ");
  // (-145 / -0.002 + 10 / 0.0001) * 0.5 * 10000
  EXPECT_NE(f.script.find("MPDATA,EX,1,,8.625e+008\n"), std::string::npos);
  EXPECT_NE(f.script.find("TBMODIF,4,1,100000\nTBMODIF,5,1,1.45e+006\n"), std::string::npos);
}

TEST(SolidStiffness, DiagramSubRecordEndedByASlashOfItsOwn) {
  Fixture f("( 3/\n1 GENE14/\n1 -0.0035 -145 -0.0002 -60 /\n1 0.0001 10\n/\n"
            "1 NA11 1 2.1E6 4E4 /\n1 SA2 1 2 3 /\n1 5 3 -8 /\n1 5 3 -8 /\n1 4 2 8 /\n"
            "1 DEL 0.2 /\n1 NU= 0.2/\n)");
  ASSERT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kSlabScript);
  EXPECT_EQ(f.console,
            "1 GENE14/ \n-0.0035 -145 -0.0002 -60 / \n0.0001 10 / \n\nNA11 2.1E6 4E4 \nSA2 \n"
            "5 3 -8 \n5 3 -8 \n4 2 8 \nDEL 0.2  NU= 0.2/ \n\n) ");
}

TEST(SolidStiffness, LevelsOnTheQuarterPlanesAreImpossible) {
  const char* rows[] = {
      "@ 5 3 -5 /\n@ 4 2 8 /\n",    // lower at -T/4
      "@ 5 3 -8 /\n@ 4 2 5 /\n",    // upper at T/4
      "@ 5 3 -4 /\n@ 4 2 8 /\n",    // lower above -T/4
      "@ 5 3 -10.5 /\n@ 4 2 8 /\n", // lower below the bottom face
      "@ 5 3 -8 /\n@ 4 2 10.5 /\n", // upper above the top face
      "@ 5 3 -8 /\n@ 4 2 -6 /\n",   // both below the mid-plane
  };
  for (const char* r : rows) {
    Fixture f("( 3/\n" + slab(1, r) + ")\n");
    EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: impossible reinforcement.") << r;
    EXPECT_EQ(f.script, "") << r;
  }
}

TEST(SolidStiffness, LevelsJustInsideTheQuarterPlanesPass) {
  Fixture f("( 3/\n" + slab(1, "@ 5 3 -5.01 /\n@ 4 2 5.01 /\n") + ")\n");
  ASSERT_EQ(f.read(), "");
  EXPECT_NEAR(f.run.stiffness.t_bottom[1], 0.0998, 1e-12);
  EXPECT_NEAR(f.run.stiffness.t_top[1], 0.0998, 1e-12);
  EXPECT_NEAR(f.run.stiffness.t_middle[1], 0.0004, 1e-12);
}

TEST(SolidStiffness, LevelOnAFacePassesTheChecksButIsRefused) {
  Fixture lower("( 3/\n" + slab(1, "@ 5 3 -10 /\n@ 4 2 8 /\n") + ")\n");
  EXPECT_EQ(lower.read(),
            "\nIncorrect modellir.txt: stiffness 1 has its lower reinforcement on the bottom face: "
            "the bottom layer has no thickness.");
  EXPECT_EQ(lower.script, "");
  Fixture upper("( 3/\n" + slab(1, "@ 5 3 -8 /\n@ 4 2 10 /\n") + ")\n");
  EXPECT_EQ(upper.read(),
            "\nIncorrect modellir.txt: stiffness 1 has its upper reinforcement on the top face: "
            "the top layer has no thickness.");
  EXPECT_EQ(upper.script, "");
}

TEST(SolidStiffness, LevelCountMustBeTwo) {
  struct Case {
    const char* rows;
    const char* message;
  } cases[] = {
      {"@ 5 3 -8 /\n@ 4 2 8 /\n@ 1 1 0 /\n", "\nError: Number of reiforcement layers = 3\n"},
      {"@ 5 3 -8 /\n@ 4 2 -8 /\n", "\nError: Number of reiforcement layers = 1\n"},
      {"", "\nError: Number of reiforcement layers = 0\n"},
  };
  for (const Case& c : cases) {
    Fixture f("( 3/\n" + slab(1, c.rows) + ")\n");
    EXPECT_EQ(f.read(), c.message) << c.rows;
    EXPECT_EQ(f.script, "") << c.rows;
  }
}

TEST(SolidStiffness, RowsBeyondTheTableAreRefused) {
  std::string rows = "@ 5 3 -8 /\n";
  for (int i = 1; i < 64; ++i) rows += "@ 1 1 8 /\n";
  Fixture full("( 3/\n" + slab(1, rows) + ")\n");
  ASSERT_EQ(full.read(), "");
  EXPECT_NE(full.script.find("!*\nR,2,101,0.75,0,0,101,1.25\n"), std::string::npos);
  EXPECT_NE(full.script.find("!*\nR,4,101,15.75,0,0,101,15.75\n"), std::string::npos);

  Fixture over("( 3/\n" + slab(1, rows + "@ 1 1 8 /\n") + ")\n");
  EXPECT_EQ(over.read(), "\nIncorrect modellir.txt: stiffness 1 has more than 64 reinforcement rows.");
  EXPECT_EQ(over.script, "");
}

TEST(SolidStiffness, Failures) {
  struct Case {
    const char* model;
    const char* message;
    const char* console_end;
  } cases[] = {
      {"1 GENE14/\n1 -0.002 -145 NA2 1 /\n)\n",
       "\nIncorrect modellir.txt: unexpected reinforcement.", "\n-0.002 -145 "},
      {"1 GENE14/\n1 -0.002 -145 0.001 10/\n1 DEL 0.2 /\n)\n",
       "\nIncorrect modellir.txt: reinforcement properties not specified.", "\n\nDEL "},
      {"1 GENE14/\n1 -0.002 -145 0.001 10/\n1 NA11 1 2.1E6 4E4 /\n1 SA3 /\n)\n",
       "\nIncorrect modellir.txt: reinforcement area not specified.", "4E4 \nSA3 "},
      {"1 GENE14/\n1 -0.002 -145 0.001 10/\n1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8 /\n"
       "1 DEL 0.2 /\n1 NV= 0.2/\n)\n",
       "\nIncorrect modellir.txt: Poison ratio not specified.", "DEL 0.2  NV= "},
      {"1 GENE14/\n1 NA11 1 2.1E6 4E4 /\n)\n",
       "\nIncorrect modellir.txt: stiffness 1 has a stress-strain diagram without points.",
       "GENE14/ \n\nNA11 "},
      {"1 GENE14/\n1 -0.002 -145 0.001 10/\n1 NA11 1 2.1E6",
       "\nIncorrect modellir.txt: end of file inside document 3.", "NA11 2.1E6 "},
      {"1 GENE14/\n1 -0.002 -145 0.001 10/\n1 NA11 1 2.1E6 4E4 /\n1 SA2 /\n1 5 3 -8",
       "\nIncorrect modellir.txt: end of file inside document 3.", "5 3 -8 "},
      {"1 GENE14/\n1 -0.002 -145 0.001",
       "\nIncorrect modellir.txt: end of file inside document 3.", "-0.002 -145 0.001 "},
  };
  for (const Case& c : cases) {
    Fixture f(std::string("( 3/\n") + c.model);
    EXPECT_EQ(f.read(), c.message) << c.model;
    std::string_view end = c.console_end;
    ASSERT_GE(f.console.size(), end.size()) << c.model;
    EXPECT_EQ(f.console.substr(f.console.size() - end.size()), end) << c.model;
    EXPECT_EQ(f.script, "") << c.model;
  }
}

TEST(SolidStiffness, NumberedOutsideTheTables) {
  // The number is checked at the kind, before the slab's records are read.
  Fixture f("( 3/\n50 GENE14/\n50 -0.002 -145 0.001 10/\n");
  EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49.");
  EXPECT_EQ(f.console, "50 GENE14/ ");
}

TEST(SolidStiffness, RedefinedAsPlateKeepsTheLayers) {
  Fixture f("( 3/\n" + slab(1) + "1 3.0E6 0.2 0.3/\n)\n");
  ASSERT_EQ(f.read(), "");
  const StiffnessTable& t = f.run.stiffness;
  EXPECT_EQ(text(t.attribute[1]), "TYPE,   1\nMAT, 1\nREAL,  5\nESYS,   0\n");
  EXPECT_EQ(text(t.bottom_attribute[1]), "TYPE,   3\nMAT, 1\nREAL,  2\nESYS,   11\n");
  EXPECT_NEAR(t.t_middle[1], 0.12, 1e-12);
  EXPECT_EQ(t.weight_intensity[1], 750.0f);
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// The layer geometry alone, on a slab 0.5 thick whose levels and thicknesses
// are exact binary fractions: rows at -18.75 cm lie 0.1875 below the middle.
std::string layers_stop(const std::vector<ReinforcementRow>& rows, double t = 0.5) {
  try {
    slab_layers(7, rows.data(), static_cast<int>(rows.size()), t);
  } catch (const lira::Stop& stop) {
    return stop.message;
  }
  return "";
}

TEST(SlabLayers, TwoLevelsGiveThicknessesAndRatios) {
  // The upper row first: the levels are sorted, the rows of a level summed.
  const ReinforcementRow rows[] = {{5, 6, 18.75}, {1, 2, -18.75}, {3, 4, -18.75}};
  SlabLayers l = slab_layers(7, rows, 3, 0.5);
  // Twice the distance of each level from its face: (0.25 - 0.1875) * 2.
  EXPECT_EQ(l.t_bottom, 0.125);
  EXPECT_EQ(l.t_top, 0.125);
  EXPECT_EQ(l.t_middle, 0.25);
  // Lower level: a 1 + 3, b 2 + 4, over 0.125, over 100.
  EXPECT_EQ(l.bottom_a, 0.32);
  EXPECT_EQ(l.bottom_b, 0.48);
  EXPECT_EQ(l.top_a, 0.4);
  EXPECT_EQ(l.top_b, 0.48);
}

TEST(SlabLayers, LevelsOutsideTheirQuartersOrOnAFaceStop) {
  const char* impossible = "\nIncorrect modellir.txt: impossible reinforcement.";
  // The quarter planes at 12.5 cm belong to the middle layer.
  EXPECT_EQ(layers_stop({{1, 1, -12.5}, {1, 1, 18.75}}), impossible);
  EXPECT_EQ(layers_stop({{1, 1, -18.75}, {1, 1, 12.5}}), impossible);
  EXPECT_EQ(layers_stop({{1, 1, -30}, {1, 1, 18.75}}), impossible);
  EXPECT_EQ(layers_stop({{1, 1, -25}, {1, 1, 18.75}}),
            "\nIncorrect modellir.txt: stiffness 7 has its lower reinforcement on the bottom face: "
            "the bottom layer has no thickness.");
  EXPECT_EQ(layers_stop({{1, 1, -18.75}, {1, 1, 25}}),
            "\nIncorrect modellir.txt: stiffness 7 has its upper reinforcement on the top face: "
            "the top layer has no thickness.");
}

TEST(SlabLayers, OnlyTwoLevelsAndAtMost64Rows) {
  EXPECT_EQ(layers_stop({}), "\nError: Number of reiforcement layers = 0\n");
  EXPECT_EQ(layers_stop({{1, 1, -18.75}, {2, 2, -18.75}}),
            "\nError: Number of reiforcement layers = 1\n");
  EXPECT_EQ(layers_stop({{1, 1, -18.75}, {1, 1, 0}, {1, 1, 18.75}}),
            "\nError: Number of reiforcement layers = 3\n");
  std::vector<ReinforcementRow> rows(65, ReinforcementRow{1, 1, -18.75});
  rows[64].z = 18.75;
  EXPECT_EQ(layers_stop(rows),
            "\nIncorrect modellir.txt: stiffness 7 has more than 64 reinforcement rows.");
  rows.pop_back();
  rows[63].z = 18.75;
  EXPECT_EQ(layers_stop(rows), "");
}

}  // namespace
}  // namespace tarvex
