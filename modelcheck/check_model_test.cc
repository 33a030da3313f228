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

TEST(CheckModel, WholeReportOfOneFinding) {
  int code = -1;
  EXPECT_EQ(report(replaced(kPlate, "( 3/", "(3/"), {}, nullptr, &code),
            "modellir.txt:1: [header-spelling] \"(3/\" is not the header \"( 3/\" of document 3; "
            "tarvex does not see document 3 and stops with \"Incorrect modellir.txt: no "
            "stiffness.\"; mend: write \"( 3/\" at the start of the line\n"
            "modellir.txt: 1 finding.\n");
  EXPECT_EQ(code, 1);
  std::string fixed;
  EXPECT_EQ(report(replaced(kPlate, "( 3/", "(3/"), {}, &fixed, &code),
            "modellir.txt:1: [header-spelling] \"(3/\" is not the header \"( 3/\" of document 3; "
            "tarvex does not see document 3 and stops with \"Incorrect modellir.txt: no "
            "stiffness.\"; mend: write \"( 3/\" at the start of the line (mended)\n"
            "modellir.txt: 1 finding, 1 mended.\n"
            "modellir.fixed.txt written.\n");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(fixed, kPlate);
}

TEST(CheckModel, RepeatedFindingsCounted) {
  std::string model = kPlate;
  std::string nodes;
  for (int i = 0; i < 12; ++i) nodes += "0 0 0/\n";
  model = replaced(model, "1 1 0 /\n)", "1 1 0 /\n" + nodes + ")");
  std::string out = report(model);
  EXPECT_NE(out.find("modellir.txt:18: [glued-slash] node 14 ends with \"0/\""), std::string::npos);
  EXPECT_EQ(out.find("modellir.txt:19: [glued-slash]"), std::string::npos);
  EXPECT_NE(out.find("modellir.txt: [glued-slash] 2 more like these\nmodellir.txt: 12 findings.\n"),
            std::string::npos)
      << out;
}

TEST(CheckModel, MendedCopyHasNothingLeftToMend) {
  const char* pieces[] = {
      " ",    "",      "\n",         "\r",      "\n\r",     ",",      "/",
      ")",    "(",     "( 4/",       "(3/",     "0",        "\t",     "\xEF\xBB\xBF",
      "3,5/", ")( 1/", "( 7/ 1 2 /", "  ( 16/", "0 RO 1 /", "5 1 2 /",
      // LIRA's own words, which --fix rewrites.
      "1 GEI 3e6 0.2 0.2 RO 2.5 /", "0 Mu 0.2/", "44 1 1 2 4 3 /", "10 1 1 2 /"};
  const unsigned kPieces = sizeof pieces / sizeof pieces[0];
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  Options fix;
  fix.mode = Mode::kFix;
  for (int round = 0; round < 8000; ++round) {
    std::string model = kPlate;
    for (int edits = 1 + next() % 4; edits > 0; --edits) {
      std::size_t at = next() % model.size();
      std::size_t erase = next() % 3;
      model.replace(at, std::min(erase, model.size() - at), pieces[next() % kPieces]);
    }
    std::ostringstream first, second;
    std::string fixed, again;
    check_model_text(model, "modellir.txt", fix, first, &fixed);
    check_model_text(fixed, "modellir.txt", fix, second, &again);
    ASSERT_EQ(again, fixed) << "model:\n" << model << "\nreport:\n" << first.str();
    ASSERT_EQ(second.str().find("(mended)"), std::string::npos) << "model:\n"
                                                                << model << "\nfixed:\n"
                                                                << fixed << "\nreport:\n"
                                                                << second.str();
  }
}

TEST(CheckModel, JudgementFindingsNameTheirCure) {
  EXPECT_EQ(report(replaced(kPlate, "( 5/\n1 1 2 3 /\n)", "( 5/\n)")),
            "modellir.txt:13: [missing-document] document 5 holds no supports; tarvex converts "
            "the model without supports: ANSYS finds it free to move and solves nothing; mend: "
            "write into document 5 the supports, which only the engineer can give: a record for "
            "each supported node, its number and the directions it holds (1 to 3 displacements, "
            "4 to 6 rotations), then \" /\"\n"
            "modellir.txt: 1 finding.\n");
  EXPECT_NE(report(replaced(kPlate, "( 5/\n1 1 2 3 /\n)\n", ""))
                .find("mend: add document 5 with the supports, which only the engineer can give"),
            std::string::npos);
  const char* rectangles =
      "mend: tarvex converts bar sections that are rectangles (S0) only; ANSYS needs for this "
      "bar a BEAM4 real-constant set of ";
  for (const auto& [row, needs] :
       {std::pair<std::string, std::string>{"2 S3 3.0E6 20 40 /", "the section's area, moments "
                                                                  "of inertia Izz and Iyy and "
                                                                  "heights: give the bar the S0 "
                                                                  "rectangle"},
        {"2 EF 1e6 EIY 2e3 EIZ 3e3 /", "area EF/E and moments of inertia EIz/E and EIy/E, with "
                                       "the modulus E: give"},
        {"2 STK 20K1 /", "a catalogue profile's area, moments of inertia and heights: give"}}) {
    std::string r = report(replaced(kPlate, "0.2 0.2 /\n", "0.2 0.2 /\n" + row + "\n"));
    EXPECT_NE(r.find("modellir.txt:3: [unknown-stiffness] stiffness 2 is of a kind"),
              std::string::npos)
        << r;
    EXPECT_NE(r.find(rectangles + needs), std::string::npos) << r;
  }
  EXPECT_NE(report(replaced(kPlate, "1 3.0E6", "1 3E6"))
                .find("mend: write the plate's modulus with a point (3.0E6, not 3E6): tarvex "
                      "takes a number without one for no kind"),
            std::string::npos);
  EXPECT_NE(report(replaced(kPlate, "1 3.0E6", "60 3.0E6"))
                .find("mend: give it a number of 1 to 49 that the model does not use, in "
                      "document 3 and in the elements of document 1 that use it; tarvex keeps "
                      "49 stiffnesses, so a model of more must merge stiffnesses or be split"),
            std::string::npos);
  // An elastic link at a pile's toe, a node of no slab.
  std::string pile = replaced(replaced(kPlate, "0.2 0.2 /\n", "0.2 0.2 /\n2 3 1000 /\n"),
                              "44 1 1 2 3 4 /\n", "44 1 1 2 3 4 /\n51 2 2 /\n");
  EXPECT_NE(report(pile).find("[link-away-from-shell] element 2 (type 51) is an elastic link at "
                              "node 2, which is no node of a layered shell"),
            std::string::npos);
  EXPECT_NE(report(pile).find("a spring elsewhere, such as at a pile's toe, needs a spring "
                              "element (COMBIN14) or a support in ANSYS"),
            std::string::npos);
  EXPECT_NE(report(replaced(kPlate, ")\n( 16/", ")\n( 12/\n)\n( 16/"))
                .find("mend: newer LIRA files hold local axes in document 12, which tarvex does "
                      "not convert either: move document 16 right after document 7; where "
                      "LIRA's analysis failed, run it again"),
            std::string::npos);
}

}  // namespace
}  // namespace modelcheck
