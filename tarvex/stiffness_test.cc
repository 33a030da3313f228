#include "stiffness.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>
#include <string_view>

#include "common/stop.h"
#include "stiffness_test_support.h"

namespace tarvex {
namespace {

using testing::Fixture;
using testing::text;

const char kPlateExample[] =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,,2500\n"
    "MPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n";

TEST(StiffnessDocument, PlateExample) {
  Fixture f("( 3/ stiffness\n1 3.0E6 0.2 0.2/\n)\n( 4/\n");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kPlateExample);
  EXPECT_EQ(f.console, "1 3.0E6 0.2 0.2/ \n) ");
  EXPECT_EQ(text(f.run.stiffness.attribute[1]), "TYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n");
  EXPECT_EQ(f.run.stiffness.weight_intensity[1], 500.0f);
  EXPECT_EQ(f.run.real_constant_counter, 2);
  // Left just after the ')': the line end comes next.
  EXPECT_EQ(f.run.model.get(), '\n');
}

TEST(StiffnessDocument, AttributeTextIsZeroFilled) {
  Fixture f("( 3/\n1 3.0E6 0.2 0.2/\n)\n");
  ASSERT_EQ(f.read(), "");
  const AttributeText& a = f.run.stiffness.attribute[1];
  std::string_view written = "TYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n";
  for (std::size_t i = written.size(); i < sizeof a.text; ++i) EXPECT_EQ(a.text[i], '\0') << i;
}

TEST(StiffnessDocument, PlateEndsAtASlashOfItsOwn) {
  Fixture f("( 3/\n1 3.0E6 0.2 0.2 /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kPlateExample);
  EXPECT_EQ(f.console, "1 3.0E6 0.2 0.2 / \n) ");
}

TEST(StiffnessDocument, PlateWithoutItsSlashIsRefused) {
  Fixture f("( 3/\n1 3.0E6 0.2 0.2 7 /\n)");
  EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: bad stiffness.");
  EXPECT_EQ(f.console, "1 3.0E6 0.2 0.2 7 ");
  EXPECT_EQ(f.script, "");
}

TEST(StiffnessDocument, RectangularBarOf20By40Centimetres) {
  Fixture f("( 3/\n2 S0 3E6 20 40/\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script,
            "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,3e+010\nMPDATA,DENS,2,,2500\n"
            "MPDATA,PRXY,2,,0.16\n!*\nR,2,0.08,0.000266667,0.00106667,0.4,0.2,\n");
  EXPECT_EQ(f.console, "2 S0 3E6 20 40/ \n) ");
  EXPECT_EQ(text(f.run.stiffness.attribute[2]), "TYPE,   2\nMAT, 2\nREAL,  2\nESYS,   0\n");
  EXPECT_EQ(f.run.stiffness.weight_intensity[2], 200.0f);
}

TEST(StiffnessDocument, BarFieldsAfterTheHeightAreSkipped) {
  Fixture f("( 3/\n2 S0 3E6 20 40 7 8\n /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.console, "2 S0 3E6 20 40 \n) ");
  EXPECT_NE(f.script.find("R,2,0.08,0.000266667,0.00106667,0.4,0.2,\n"), std::string::npos);
}

TEST(StiffnessDocument, PlateLinkBarTakeSetsTwoAndThree) {
  Fixture f("( 3/\n1 3.0E6 0.2 0.2/\n2 3 1E5/\n3 S0 3E6 20 40/\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script,
            std::string(kPlateExample) +
                "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,1e+009\nMPDATA,PRXY,2,,\n"
                "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,3,,3e+010\nMPDATA,DENS,3,,2500\n"
                "MPDATA,PRXY,3,,0.16\n!*\nR,3,0.08,0.000266667,0.00106667,0.4,0.2,\n");
  EXPECT_EQ(f.console, "1 3.0E6 0.2 0.2/ \n2 3 1E5/ \n3 S0 3E6 20 40/ \n) ");
  EXPECT_EQ(text(f.run.stiffness.attribute[2]), "TYPE,   4\nMAT, 2\nREAL,  1\nESYS,   0\n");
  EXPECT_EQ(text(f.run.stiffness.attribute[3]), "TYPE,   2\nMAT, 3\nREAL,  3\nESYS,   0\n");
  EXPECT_EQ(f.run.density[2], 0.0f);
  EXPECT_EQ(f.run.density[1], 2500.0f);
  EXPECT_EQ(f.run.real_constant_counter, 3);
}

TEST(StiffnessDocument, LinkSlashOfItsOwnIsNotEchoed) {
  Fixture f("( 3/\n2 3 1E5\n/\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.console, "2 3 1E5 \n) ");
  EXPECT_EQ(f.script, "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,1e+009\nMPDATA,PRXY,2,,\n");
}

TEST(StiffnessDocument, LinkWithoutItsSlashIsRefused) {
  Fixture f("( 3/\n2 3 1E5 7 /\n)");
  EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: 51 el. type unrecognized.");
  EXPECT_EQ(f.console, "2 3 1E5 \n");
  EXPECT_EQ(f.script, "");
}

TEST(StiffnessDocument, OnlyTheExactTokenThreeIsALink) {
  Fixture f("( 3/\n4 3.0 0.3 0.1/\n5 3 0/\n6 3/ 1 /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script,
            "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,4,,30000\nMPDATA,DENS,4,,2500\n"
            "MPDATA,PRXY,4,,0.3\n!*\nR,2,0.1,0,0,0,0,0\nRMORE,0,0,0,0\n"
            "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,5,,0\nMPDATA,PRXY,5,,\n");
  EXPECT_EQ(f.console, "4 3.0 0.3 0.1/ \n5 3 0/ \n6 3/ Unknown element skipped\n) ");
  EXPECT_EQ(f.run.density[5], 0.0f);
}

TEST(StiffnessDocument, UnknownKindsAreSkipped) {
  // No point, a zero value, an overflow, and no number at all.
  Fixture f("( 3/\n1 3E6 0.2 0.2/\n2 0.0 1 1 /\n3 1.0e999 0.2 0.2/\n4 S7 1\n 2/\n"
            "60 XYZ 1 /\n5 3.0E6 0.2 0.2/\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.console,
            "1 3E6 Unknown element skipped\n2 0.0 Unknown element skipped\n"
            "3 1.0e999 Unknown element skipped\n4 S7 Unknown element skipped\n"
            "60 XYZ Unknown element skipped\n5 3.0E6 0.2 0.2/ \n) ");
  EXPECT_EQ(f.script,
            "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,5,,3e+010\nMPDATA,DENS,5,,2500\n"
            "MPDATA,PRXY,5,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n");
  EXPECT_EQ(text(f.run.stiffness.attribute[1]), "");
}

const char kPlasticScript[] =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,5,,2.1e+010\nMPDATA,DENS,5,,2500\n"
    "MPDATA,PRXY,5,,.25\n!*\nTB,BISO,5, , , ,\n!*\nTBMODIF,2,1,2.4e+008\n"
    "TBMODIF,3,1,1.05e+009\n!*\n!*\n!*\nR,2,0.08, ,\n!*\n!*\n";

TEST(StiffnessDocument, PlasticBar) {
  Fixture f("( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 -2.4E4 0 0 /\n5 ZZ 7 /\n5 AZ 1.5/\n"
            "5 TW 1 2 /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kPlasticScript);
  EXPECT_EQ(f.console,
            "5 S100 20 40/ \nNB11/0 2.1E6 -2.4E4 /\n\nAZ 1.5/ /\nTW /\n) ");
  EXPECT_EQ(text(f.run.stiffness.attribute[5]), "TYPE,   4\nMAT, 5\nREAL,  2\nESYS,   0\n");
  EXPECT_EQ(f.run.stiffness.holder[5], 1.5f);
  EXPECT_EQ(f.run.stiffness.weight_intensity[5], 200.0f);
}

TEST(StiffnessDocument, PlasticBarYieldStressIsTakenPositive) {
  Fixture f("( 3/\n5 S100 20 40 /\n5 NB11/0 2.1E6 2.4E4 /\n5 AZ -3 /\n5 TW /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.script, kPlasticScript);
  EXPECT_EQ(f.console, "5 S100 20 40 \nNB11/0 2.1E6 2.4E4 /\n\nAZ -3 /\nTW /\n) ");
  EXPECT_EQ(f.run.stiffness.holder[5], -3.0f);
}

TEST(StiffnessDocument, PlasticBarWithoutHolderKeepsTheEarlierOne) {
  Fixture f("( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 TW /\n"
            "6 S100 20 40/\n6 NB11/0 2.1E6 2.4E4 /\n6 AZ 2 /\n6 TW /\n"
            "6 S100 20 40/\n6 NB11/0 2.1E6 2.4E4 /\n6 TW /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.run.stiffness.holder[5], 0.0f);
  EXPECT_EQ(f.run.stiffness.holder[6], 2.0f);
  EXPECT_EQ(text(f.run.stiffness.attribute[6]), "TYPE,   4\nMAT, 6\nREAL,  4\nESYS,   0\n");
  EXPECT_EQ(f.run.real_constant_counter, 4);
}

TEST(StiffnessDocument, PlasticBarYieldWithGluedSlashEndsItsRecord) {
  // The record after the material record keeps its "AZ".
  Fixture f("( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4/\n5 AZ 1.5 /\n5 TW /\n)");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.run.stiffness.holder[5], 1.5f);
  EXPECT_EQ(f.script, kPlasticScript);
}

TEST(StiffnessDocument, PlasticBarFailures) {
  struct Case {
    const char* model;
    const char* message;
    const char* console;
  } cases[] = {
      {"( 3/\n5 S100 20 40/\n5 NB12/0 2.1E6 2.4E4 /\n5 TW /\n)",
       "\nIncorrect modellir.txt: plastic material of a bar not specified.",
       "5 S100 20 40/ \nNB12/0 "},
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 ZZ 1 2",
       "\nIncorrect modellir.txt: error in stiffness of plastic bar.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\n"},
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 AZ 1.5 /\n5 ZZ",
       "\nIncorrect modellir.txt: error in stiffness of plastic bar.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\nAZ 1.5 /\n"},
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 AZ",
       "\nIncorrect modellir.txt: error in stiffness of plastic bar.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\nAZ  /\n"},
      // The document ends before "TW": the "TW" of a later document is not taken.
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 AZ 1.5 /\n)\n( 4/\nTW 1 /\n)\n",
       "\nIncorrect modellir.txt: error in stiffness of plastic bar.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\nAZ 1.5 /\n"},
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n)\n( 4/\nAZ 1 TW 1 /\n)\n",
       "\nIncorrect modellir.txt: error in stiffness of plastic bar.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\n"},
      {"( 3/\n5 S100 20 40/\n5 NB11/0 2.1E6 2.4E4 /\n5 TW 1 2",
       "\nIncorrect modellir.txt: end of file inside document 3.",
       "5 S100 20 40/ \nNB11/0 2.1E6 2.4E4 /\n\nTW "},
  };
  for (const Case& c : cases) {
    Fixture f(c.model);
    EXPECT_EQ(f.read(), c.message) << c.model;
    EXPECT_EQ(f.console, c.console) << c.model;
    EXPECT_EQ(f.script, "") << c.model;
  }
}

TEST(StiffnessDocument, RedefinedStiffnessOverwritesWhatItsKindSets) {
  // A link takes the density of its number to 0; a plate defined after it
  // then has no weight, and the link kept the bar's weight intensity.
  Fixture f("( 3/\n7 S0 3E6 20 40/\n7 3 1E5/\n)");
  ASSERT_EQ(f.read(), "");
  EXPECT_EQ(f.run.stiffness.weight_intensity[7], 200.0f);
  EXPECT_EQ(text(f.run.stiffness.attribute[7]), "TYPE,   4\nMAT, 7\nREAL,  1\nESYS,   0\n");

  Fixture g("( 3/\n7 3 1E5/\n7 3.0E6 0.2 0.2/\n)");
  ASSERT_EQ(g.read(), "");
  EXPECT_NE(g.script.find("MPDATA,DENS,7,,0\n"), std::string::npos);
  EXPECT_EQ(g.run.stiffness.weight_intensity[7], 0.0f);
  EXPECT_EQ(text(g.run.stiffness.attribute[7]), "TYPE,   1\nMAT, 7\nREAL,  2\nESYS,   0\n");
}

TEST(StiffnessDocument, DensityOfTheTableIsWritten) {
  Fixture f("( 3/\n0 3.0E6 0.2 0.5/\n49 S0 3E6 20 40/\n)");
  f.run.density[49] = 7850;
  f.run.density[0] = 0.1f;
  ASSERT_EQ(f.read(), "");
  EXPECT_NE(f.script.find("MPDATA,DENS,0,,0.1\n"), std::string::npos);
  EXPECT_NE(f.script.find("MPDATA,DENS,49,,7850\n"), std::string::npos);
  EXPECT_EQ(f.run.stiffness.weight_intensity[49], static_cast<float>(0.4 * 0.2 * 7850.0f));
  EXPECT_EQ(f.run.stiffness.weight_intensity[0], static_cast<float>(0.5 * 0.1f));
}

TEST(StiffnessDocument, NumbersBeyondTheScriptsRangeStop) {
  // 9e305 times 10000 has no finite value: nothing of it reaches the script
  // but the head of its line.
  Fixture f("( 3/\n1 9.0E305 0.2 0.2/\n)");
  EXPECT_EQ(f.read(),
            "\nA number out of range would be written to modelans.lgw: check the model's values.");
  EXPECT_EQ(f.script, "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,");
  // A thickness beyond single precision gives an infinite weight intensity,
  // which the load phase cannot write either.
  Fixture g("( 3/\n1 3.0E6 0.2 1e300/\n)");
  EXPECT_EQ(g.read(), "");
  EXPECT_EQ(g.run.stiffness.weight_intensity[1], HUGE_VALF);
}

TEST(StiffnessDocument, SinglePrecision) {
  EXPECT_EQ(to_single(0.1), 0.1f);
  EXPECT_EQ(to_single(-2500), -2500.0f);
  EXPECT_EQ(to_single(1e300), HUGE_VALF);
  EXPECT_EQ(to_single(-1e300), -HUGE_VALF);
  EXPECT_EQ(to_single(FLT_MAX), FLT_MAX);
}

TEST(StiffnessDocument, StiffnessNumbersOutsideTheTablesStop) {
  struct Case {
    const char* model;
    const char* message;
  } cases[] = {
      {"( 3/\n50 3.0E6 0.2 0.2/\n)", "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49."},
      {"( 3/\n-1 S0 3E6 20 40/\n)", "\nIncorrect modellir.txt: stiffness number -1 is outside 0 to 49."},
      {"( 3/\n99999999999 3 1/\n)",
       "\nIncorrect modellir.txt: stiffness number 2147483647 is outside 0 to 49."},
      {"( 3/\n100 S100 20 40/\n)", "\nIncorrect modellir.txt: stiffness number 100 is outside 0 to 49."},
      {"( 3/\n77 GENE14/\n)", "\nIncorrect modellir.txt: stiffness number 77 is outside 0 to 49."},
  };
  for (const Case& c : cases) {
    Fixture f(c.model);
    EXPECT_EQ(f.read(), c.message) << c.model;
    EXPECT_EQ(f.script, "") << c.model;
  }
}

TEST(StiffnessDocument, EndOfFileInsideTheDocumentStops) {
  const char* models[] = {
      "( 3/\n1 3.0E6 0.2",        "( 3/\n1 3.0E6 0.2 0.2/\n", "( 3/\n1 XYZ 1 2",
      "( 3/\n2 S0 3E6 20 40 7",   "( 3/\n2 3 1E5",            "( 3/\n",
      "( 3/\n5 S100 20 40/\n5",
  };
  for (const char* model : models) {
    Fixture f(model);
    EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: end of file inside document 3.") << model;
  }
}

TEST(StiffnessDocument, NoDocumentThree) {
  const char* models[] = {"( 4/\n1 2 3 /\n)\n", " ( 3/\n1 3.0E6 0.2 0.2/\n)\n", "( 3/", ""};
  for (const char* model : models) {
    Fixture f(model);
    EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: no stiffness.") << model;
    EXPECT_EQ(f.console, "");
  }
}

TEST(StiffnessDocument, DecimalCommasStopWhereTheyStand) {
  // The plate before each stiffness is written; the one with the comma is not.
  const std::string plate = "1 3.0E6 0.2 0.2/\n";
  struct Case {
    const char* record;
    const char* message;
  } cases[] = {
      // The kind token itself: without the check "3,0E6" would be an unknown kind.
      {"2 3,0E6 0.2 0.2/\n", "\"3,0E6\" of stiffness 2 in document 3 has a decimal comma: "
                              "write it with a decimal point, \"3.0E6\"."},
      {"2 S100 20 40/\n2 NB11/0 2.1E6 2.4E4 /\n2 AZ 1,5 /\n2 TW /\n",
       "\"1,5\" of stiffness 2 in document 3 has a decimal comma: "
       "write it with a decimal point, \"1.5\"."},
      {"2 3 1,5E5/\n", "\"1,5E5/\" of stiffness 2 in document 3 has a decimal comma: "
                        "write it with a decimal point, \"1.5E5/\"."},
  };
  for (const Case& c : cases) {
    Fixture f("( 3/\n" + plate + c.record + ")\n");
    EXPECT_EQ(f.read(), std::string("\nIncorrect modellir.txt: the number ") + c.message)
        << c.record;
    EXPECT_EQ(f.script,
              "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,,2500\n"
              "MPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n")
        << c.record;
  }
}

TEST(StiffnessDocument, ARecordOnTheHeaderLineStops) {
  Fixture f("( 3/ 1 3.0E6 0.2 0.2/\n2 S0 3E6 20 40/\n)\n");
  EXPECT_EQ(f.read(), "\nIncorrect modellir.txt: the header line of document 3 holds a record, "
                      "\"1 3.0E6 0.2 0.2/\": begin the records of the document on the line after "
                      "its header.");
  EXPECT_EQ(f.console, "");
  EXPECT_EQ(f.script, "");
  // Words after the header are passed over.
  Fixture g("( 3/ stiffnesses\n)\n");
  EXPECT_EQ(g.read(), "");
}

TEST(StiffnessDocument, EmptyDocument) {
  Fixture f("( 3/\n)\n");
  EXPECT_EQ(f.read(), "");
  EXPECT_EQ(f.console, ") ");
  EXPECT_EQ(f.script, "");
  EXPECT_EQ(f.run.real_constant_counter, 1);
}

}  // namespace
}  // namespace tarvex
