// The records: stiffnesses and the elements that use them, and what the
// model says of tarvex's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "check_model.h"
#include "check_model_testing.h"

namespace modelcheck {
namespace {

using check_testing::kPlate;
using check_testing::replaced;
using check_testing::report;

TEST(CheckModel, StiffnessesAndElements) {
  struct Case {
    const char* at;  // the start of the finding's line
    std::string model;
  };
  const std::string two = replaced(kPlate, "44 1 1 2 3 4 /", "44 1 1 2 3 4 /\n44 2 1 2 3 4 /");
  for (const Case& c : {
           Case{"modellir.txt:2: [unknown-stiffness] stiffness 1 is of a kind tarvex does not know "
                "(\"3E6\"); 1 element uses it, the first element 1 on line 11",
                replaced(kPlate, "3.0E6", "3E6")},
           Case{
               "modellir.txt:12: [undefined-stiffness] element 2 has stiffness 2, which document 3 "
               "does not define",
               two},
           Case{"modellir.txt:3: [stiffness-continuation] the row \"0 S0 ...\" continues the "
                "stiffness before it; tarvex takes it for stiffness 0, a rectangular bar, and "
                "writes "
                "a material 0",
                replaced(kPlate, "0.2 0.2 /\n", "0.2 0.2 /\n 0 S0 3E6 20 40 /\n")},
           Case{"modellir.txt:13: [stiffness-pairing] element 2 (type 44) has stiffness 2, which "
                "is a "
                "rectangular bar, where it needs a plate",
                replaced(two, "0.2 0.2 /\n", "0.2 0.2 /\n2 S0 3E6 20 40 /\n")},
           Case{"modellir.txt:3: [plastic-holder] plastic bar stiffness 2 has no holder value",
                replaced(replaced(kPlate, "0.2 0.2 /\n",
                                  "0.2 0.2 /\n2 S100 20 40 /\n2 NB11/0 2.1E6 4E4 0 /\n2 TW 0 /\n"),
                         "44 1 1 2 3 4 /", "44 1 1 2 3 4 /\n210 2 1 2 /")},
           Case{"modellir.txt:11: [unconverted-element] 1 element of type 5, the first element 1, "
                "are "
                "of a type tarvex does not convert",
                replaced(kPlate, "44 1 1 2 3 4 /", "5 1 1 2 /\n44 1 1 2 3 4 /")},
           Case{"modellir.txt:19: [load-shifted] the load on element 2 (load type 6, direction 3, "
                "case "
                "2) comes after element 1 of type 5",
                replaced(replaced(kPlate, "44 1 1 2 3 4 /", "5 1 1 2 /\n44 1 1 2 3 4 /"),
                         "1 6 3 2 2 /", "2 6 3 2 2 /")},
           Case{"modellir.txt:19: [load-skipped] the load on element 1 (load type 6, direction 3, "
                "case 2) "
                "is on an element of type 5",
                replaced(kPlate, "44 1 1 2 3 4 /", "5 1 1 2 /\n44 1 1 2 3 4 /")},
           Case{"modellir.txt:20: [document-twice] document 6 begins again (it began on line 16)",
                replaced(kPlate, "( 7/", "( 6/\n)\n( 7/")},
           Case{"modellir.txt:2: [long-token] a token of 150 characters in document 3",
                replaced(kPlate, "3.0E6", std::string(150, '7'))},
       }) {
    std::string out = report(c.model);
    EXPECT_NE(out.find(c.at), std::string::npos) << c.at << "\n" << out;
  }
}

TEST(CheckModel, AnswerFacts) {
  std::string model = replaced(
      replaced(kPlate, "1 3.0E6 0.2 0.2 /\n",
               "1 GEI 3e+006 0.2 0.2 RO 2.5 /\n2 S0 3.0E6 20 40 /\n0 RO 7.85/\n"
               "3 S0 3.0E6 20 40 RO 2.4/\n4 3 1000 /\n"),
      "1 6 3 2 2 /\n", "1 6 3 2 2 /\n1 16 3 1 2 /\n");
  std::ostringstream out;
  AnswerFacts facts;
  check_model_text(model, "modellir.txt", Options{}, out, nullptr, &facts);
  EXPECT_EQ(facts.density[1], 2.5);
  EXPECT_EQ(facts.density_line[1], 2);
  EXPECT_EQ(facts.density[2], 7.85);
  EXPECT_EQ(facts.density_line[2], 4);
  EXPECT_EQ(facts.density[3], 2.4);
  EXPECT_EQ(facts.density[4], -1);
  EXPECT_TRUE(facts.weighs[1] && facts.weighs[2] && facts.weighs[3]);
  EXPECT_FALSE(facts.weighs[4] || facts.weighs[5]);
  EXPECT_EQ(facts.weight_cases, (std::vector<std::int32_t>{1, 2}));
  EXPECT_FALSE(facts.concrete_slabs);

  // A layered shell on a reinforced concrete slab: VR3 reaches the script.
  std::string slab = replaced(
      replaced(kPlate, "1 3.0E6 0.2 0.2 /\n",
               "1 3.0E6 0.2 0.2 /\n5 GENE14/\n5 -0.0035 -145 -0.0002 -60/\n5 0.0001 10/\n"
               "5 NA11 1 2.1E6 4E4 /\n5 SA2 1 2 3 /\n5 5 3 -8 /\n5 5 3 -8 /\n5 4 2 8 /\n"
               "5 DEL 0.2 /\n5 NU= 0.2/\n"),
      "44 1 1 2 3 4 /\n", "44 1 1 2 3 4 /\n244 5 1 2 4 3 /\n");
  check_model_text(slab, "modellir.txt", Options{}, out, nullptr, &facts);
  EXPECT_TRUE(facts.concrete_slabs);
  EXPECT_TRUE(facts.weighs[5]);
}

}  // namespace
}  // namespace modelcheck
