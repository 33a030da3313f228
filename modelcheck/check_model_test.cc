#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "model_check.h"

namespace modelcheck {
namespace {

// A plate model that tarvex converts, to spoil one piece at a time.
const std::string kPlate =
    "( 3/\n1 3.0E6 0.2 0.2 /\n)\n"
    "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n"
    "( 1/\n44 1 1 2 3 4 /\n)\n"
    "( 5/\n1 1 2 3 /\n)\n"
    "( 6/\n1 16 3 1 1 /\n1 6 3 2 2 /\n)\n"
    "( 7/\n1 0.5 /\n2 1.5 /\n)\n"
    "( 16/\n1 0 /\n2 0 /\n)\n";

std::string report(const std::string& model, Options options = {}, std::string* fixed = nullptr,
                   int* code = nullptr) {
  std::ostringstream out;
  if (fixed != nullptr) options.mode = Mode::kFix;
  int c = check_model_text(model, "modellir.txt", options, out, fixed);
  if (code != nullptr) *code = c;
  return out.str();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

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

TEST(CheckModel, MendsKeepEverythingElse) {
  // Records moved off a header line keep their own text, each on a line of
  // its own, the ")" after them too; CR LF stays CR LF, and the lines split
  // off take it too; document 0 keeps its code page.
  std::string fixed;
  report("(0/ \xCF\xEB\xE8\xF2\xE0 \xD0\xE0\xEC\xE0 /\r\n" +
             replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", "( 16/ 1 0 / 2 0 / )\r\n"),
         {}, &fixed);
  EXPECT_EQ(fixed, "(0/ \xCF\xEB\xE8\xF2\xE0 \xD0\xE0\xEC\xE0 /\r\n" +
                       replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", "( 16/\r\n1 0 /\r\n2 0 /\r\n)\r\n"));
  // A header that tarvex does not look for stays where it is.
  std::string model = replaced(kPlate, ")\n( 4/", ")( 2/ 0,5 /\n)\n( 4/");
  report(model, {}, &fixed);
  EXPECT_EQ(fixed, model);
  // A decimal comma names its node as tarvex's stop does.
  EXPECT_NE(
      report(replaced(kPlate, "1 0 0 /", "1,5 0 0 /"))
          .find(
              "modellir.txt:6: [decimal-comma] \"1,5\" in document 4 is written with a decimal "
              "comma; tarvex stops with \"Incorrect modellir.txt: the number \"1,5\" of node 2 in "
              "document 4 has a decimal comma: write it with a decimal point, \"1.5\".\""),
      std::string::npos);
  // A value line's number with its slash glued: a line without values.
  EXPECT_NE(report(replaced(kPlate, "2 1.5 /", "2 1.5 /\n3/"), {}, &fixed)
                .find("modellir.txt:23: [glued-slash] value line \"3/\""),
            std::string::npos);
  EXPECT_NE(fixed.find("2 1.5 /\n3 /\n)"), std::string::npos);
  // The last line, a header without its line end, gets one.
  std::string tail = kPlate.substr(0, kPlate.find("( 16/")) + "( 16/";
  EXPECT_NE(report(tail, {}, &fixed)
                .find("modellir.txt:24: [header-position] the header \"( 16/\" is "
                      "the last line of the file and has no line end"),
            std::string::npos);
  EXPECT_EQ(fixed, tail + "\n");
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

TEST(CheckModel, TwentyLoadCasesAtMost) {
  std::string cases;
  for (int i = 1; i <= 22; ++i) cases += std::to_string(i) + " 0 /\n";
  std::string out = report(replaced(kPlate, "1 0 /\n2 0 /\n", cases));
  EXPECT_NE(
      out.find("modellir.txt:45: [load-cases] 22 load cases in document 16, where tarvex takes "
               "20 at most; tarvex writes no load step for load case 21 and the 1 after it"),
      std::string::npos)
      << out;
}

TEST(CheckModel, OwnWeightNeedsTheDensity) {
  // 0.2 m of plate at 2500 kg/m3 weigh 0.5; at 2400, 0.48, within 5 %.
  Options o;
  o.has_density = true;
  o.density = 2400;
  EXPECT_EQ(report(kPlate, o),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
  o.density = 2000;
  EXPECT_NE(
      report(kPlate, o).find("modellir.txt:17: [own-weight] the own weight of element 1 is 0.5 "
                             "(line 1 of document 7), where stiffness 1 at density 2000 gives 0.4"),
      std::string::npos);
  // A density exception of the stiffness counts, as tarvex's answers give it.
  o.density = 2500;
  o.density_exceptions.push_back(Options::DensityException{1, 2000});
  EXPECT_NE(report(kPlate, o).find("where stiffness 1 at density 2000 gives 0.4"),
            std::string::npos);
  // Without a density only what needs none is checked.
  EXPECT_EQ(report(replaced(kPlate, "1 0.5 /", "1 5 /")),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
}


// Only a face whose corners, as tarvex writes them, do not run round it is
// twisted: a warped plate, a triangle and a plate in LIRA's order are not; a
// layered shell is tested as a plate is. Every order that the finding gives
// as the mend is untwisted.
TEST(CheckModel, TwistedPlatesOnly) {
  const char kClean[] = "modellir.txt: no findings: tarvex will read it as it is written.\n";
  EXPECT_EQ(report(replaced(kPlate, "1 1 0 /", "1 1 0.3 /")), kClean);
  EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "42 1 1 2 4 /")), kClean);
  EXPECT_NE(report(replaced(kPlate, "44 1 1 2 3 4 /", "244 1 1 2 4 3 /"))
                .find("[twisted-plate] element 1 (type 244) on nodes 1 2 4 3 is twisted"),
            std::string::npos);
  // Every order of the four corners of the square: twisted or not as
  // tarvex writes them, and mended into an order that is not.
  const char* orders[] = {"1 2 3 4", "1 2 4 3", "1 3 2 4", "1 3 4 2", "1 4 2 3", "1 4 3 2",
                          "2 1 4 3", "3 4 1 2", "4 3 2 1", "2 4 1 3"};
  int twisted = 0;
  for (const char* order : orders) {
    std::string r = report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + std::string(order) + " /"));
    std::size_t mend = r.find("mend: write its nodes ");
    if (mend == std::string::npos) {
      EXPECT_EQ(r, kClean) << order;
      continue;
    }
    ++twisted;
    std::string fixed = r.substr(mend + 22, 7);
    EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + fixed + " /")), kClean)
        << order << " mended to " << fixed;
  }
  // Worked out by hand: 1 2 4 3, 1 3 4 2, 1 4 2 3 and 1 4 3 2 cross over.
  EXPECT_EQ(twisted, 4);
}

}  // namespace
}  // namespace modelcheck

namespace modelcheck {
namespace {

// What the model says of tarvex's answers: densities from a plate in LIRA's
// words, a continuation row and a bar's own row; the stiffnesses that weigh
// (not the link); the own-weight cases in the order met; slabs.
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

// More load cases than tarvex lists: the list written in the copy holds them
// all, as LIRA would, and the finding says which get no load step.
TEST(CheckModel, MissingCaseListOfMoreThanTwentyCases) {
  std::string loads, list;
  for (int c = 21; c >= 1; --c) loads += "1 6 3 2 " + std::to_string(c) + " /\n";
  for (int c = 1; c <= 21; ++c) list += std::to_string(c) + " 0 /\n";
  std::string model =
      replaced(replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", ""), "1 6 3 2 2 /\n", loads);
  std::string fixed;
  std::string out = report(model, {}, &fixed);
  EXPECT_NE(out.find("uses: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, "
                     "21; tarvex takes the first 20 only, and writes no load step for the other 1 "
                     "(mended)\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(fixed, model + "( 16/\n" + list + ")\n");
}

// Mending twice changes nothing more: the mended copy holds no fault that
// --fix mends, whatever the model held. Models are the plate model with a
// few random edits of the kinds that real files carry.
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

}  // namespace
}  // namespace modelcheck

namespace modelcheck {
namespace {

// What only the engineer can settle stays a finding, and its cure says what
// the file or ANSYS would need.
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
