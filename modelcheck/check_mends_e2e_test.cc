// Whole runs of modelcheck --fix on models in LIRA's own words: each mend
// written out by hand in the mended copy, the copy converted by tarvex to the
// script of the model written in tarvex's words, and verified.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::replaced;
using lira::testing::run_program;
using lira::testing::run_program_with_args;
using lira::testing::RunResult;

// VR3, density 2500, no exceptions, own weight in case 1, go on.
constexpr char kAnswers[] = "0.005\n2500\nn\n1\nc\n";

bool converted(const RunResult& r) {
  return r.console.find(native("\nTransformation completed.")) != std::string::npos;
}

// A plate and a bar of 20 x 40 cm on four nodes, in tarvex's words: the own
// weight of both in case 1 (0.2 m at 2500 kg/m3 gives 0.5; 0.08 m2 gives
// 0.2), a pressure in case 2.
const std::string kStiffness =
    "( 3/\n"
    "1 3.0E6 0.2 0.2 /\n"
    "2 S0 3.0E6 20 40 /\n"
    ")\n";
const std::string kRest =
    "( 4/\n"
    "0 0 0 /\n"
    "1 0 0 /\n"
    "0 1 0 /\n"
    "1 1 0 /\n"
    ")\n"
    "( 1/\n"
    "44 1 1 2 3 4 /\n"
    "10 2 1 2 /\n"
    ")\n"
    "( 5/\n"
    "1 1 2 3 /\n"
    ")\n"
    "( 6/\n"
    "1 16 3 1 1 /\n"
    "2 16 3 3 1 /\n"
    "1 6 3 2 2 /\n"
    ")\n"
    "( 7/\n"
    "1 0.5 /\n"
    "2 1.5 /\n"
    "3 0.2 /\n"
    ")\n"
    "( 16/\n"
    "1 0 /\n"
    "2 0 /\n"
    ")\n";

// The mended copy converts to the script of `author`, the same model in
// tarvex's words, and --verify finds the script true to the copy.
void converts_as(const std::string& copy, const std::string& author) {
  RunResult expected = run_program("tarvex", {{"modellir.txt", author}}, kAnswers);
  ASSERT_TRUE(converted(expected)) << expected.console;
  RunResult got = run_program("tarvex", {{"modellir.txt", copy}}, kAnswers);
  ASSERT_TRUE(converted(got)) << got.console;
  EXPECT_EQ(got.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
  RunResult verify = run_program_with_args(
      "modelcheck", {"--verify"},
      Files{{"modellir.txt", copy}, {"modelans.lgw", got.files.at("modelans.lgw")}});
  EXPECT_EQ(verify.exit_code, 0) << verify.console;
  // Mended once, the copy holds nothing more to mend.
  RunResult again = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", copy}});
  EXPECT_EQ(again.files.at("modellir.fixed.txt"), copy);
}

// A plate written with LIRA's keyword, and the continuation rows of a bar:
// the plate becomes tarvex's plate row (a point in its modulus), the row of a
// density and a ratio goes, the row whose words are not certain stays.
TEST(ModelcheckMends, LiraPlateAndContinuationRows) {
  std::string model = "( 3/\n"
                      "1 GEI 3e+006 0.2 0.2 RO 2.5 /\n"
                      "2 S0 3.0E6 20 40 /\n"
                      "0 RO 2.5 Mu 0.2 /\n"
                      "0 WLKE 1 WLKG 1 PLKE 0.3 PLKG 0.3 /\n"
                      ")\n" +
                      kRest;
  std::string mended = "( 3/\n"
                       "1 3.0e+006 0.2 0.2 /\n"
                       "2 S0 3.0E6 20 40 /\n"
                       "0 WLKE 1 WLKG 1 PLKE 0.3 PLKG 0.3 /\n"
                       ")\n" +
                       kRest;
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:2: [unknown-stiffness] stiffness 1 is a plate in LIRA's words "
                   "(\"1 GEI ...\"), which tarvex does not know; 1 element uses it, the first "
                   "element 1 on line 14; tarvex skips it with \"Unknown element skipped\" and "
                   "stops with \"Incorrect modellir.txt: element 1 of document 1 has stiffness 1, "
                   "which document 3 does not define, or defines with a kind that is not "
                   "converted: give the element a converted stiffness of document 3.\"; mend: "
                   "write tarvex's plate row \"1 3.0e+006 0.2 0.2 /\"; its density, 2.5 t/m3, is "
                   "an answer to tarvex (mended)\n"
                   "modellir.txt:4: [stiffness-continuation] the row \"0 RO 2.5 Mu 0.2 /\" "
                   "continues stiffness 2: its density, 2.5 t/m3, and its Poisson's ratio, 0.2; "
                   "tarvex takes the row for a stiffness 0 of a kind it does not know and skips "
                   "it; mend: delete the row; the density is an answer to tarvex; tarvex gives "
                   "every bar the ratio 0.16 itself, not 0.2 (mended)\n"
                   "modellir.txt:5: [stiffness-continuation] the row \"0 WLKE ...\" continues the "
                   "stiffness before it; tarvex takes it for a stiffness 0 of a kind it does not "
                   "know and skips it; mend: delete the row, or write what it says into the "
                   "stiffness's own record\n"
                   "modellir.txt: 3 findings, 2 mended.\n"
                   "modellir.fixed.txt written; 1 finding is left to mend by hand.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1.\n"));
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  EXPECT_EQ(check.exit_code, 1);
  converts_as(mended, kStiffness + kRest);
}

// A plate row in tarvex's words with LIRA's density after the thickness,
// which stops tarvex ("bad stiffness."): the density goes to the answers.
TEST(ModelcheckMends, DensityOnAPlateRow) {
  std::string author = kStiffness + kRest;
  for (const char* row : {"1 3.0E6 0.2 0.2 RO 2.5 /", "1 3.0E6 0.2 0.2 RO 2.5/"}) {
    SCOPED_TRACE(row);
    std::string model = replaced(author, "1 3.0E6 0.2 0.2 /", row);
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_EQ(check.console,
              native("modellir.txt:2: [record-fields] the plate row of stiffness 1 holds its "
                     "density \"RO 2.5\" after its thickness; tarvex stops with \"Incorrect "
                     "modellir.txt: bad stiffness.\"; mend: take \"RO 2.5\" out of the row; the "
                     "density is an answer to tarvex (mended)\n"
                     "modellir.txt: 1 finding, 1 mended.\n"
                     "modellir.fixed.txt written.\n"
                     "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1; "
                     "stiffness 2 has no RO: its density is what its own-weight records "
                     "imply.\n"));
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), author);
    converts_as(check.files.at("modellir.fixed.txt"), author);
  }
}

// Decimal commas inside the rows that --fix rewrites are mended with them,
// in the one pass: the row is written from its words with their points.
TEST(ModelcheckMends, DecimalCommasInsideRewrittenRows) {
  std::string author = kStiffness + kRest;
  const std::pair<const char*, const char*> rows[] = {
      {"1 GEI 3,0E6 0,2 0,2 RO 2,5 /", "1 3.0E6 0.2 0.2 /"},
      {"1 3.0E6 0,2 0,2 RO 2,5/", "1 3.0E6 0.2 0.2 /"},
  };
  for (const auto& [row, mended] : rows) {
    SCOPED_TRACE(row);
    std::string model = replaced(author, "1 3.0E6 0.2 0.2 /", row);
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_EQ(check.exit_code, 0) << check.console;
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), replaced(author, "1 3.0E6 0.2 0.2 /", mended));
    converts_as(check.files.at("modellir.fixed.txt"), author);
  }
}

// A bar of LIRA's type 5 with the stiffness of a rectangular bar becomes
// tarvex's type 10; one with a plate's stiffness stays, reported.
TEST(ModelcheckMends, SpaceFrameBars) {
  std::string author = kStiffness + kRest;
  std::string model = replaced(author, "10 2 1 2 /", "5 2 1 2 /");
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:13: [unconverted-element] 1 element of type 5 (space frame "
                   "bar), the first element 2, has the stiffness of a rectangular bar (S0); "
                   "tarvex does not convert type 5: it makes no ANSYS element of them, and "
                   "numbers every later element one lower than document 1 does; mend: make them "
                   "type 10, tarvex's bar, which ANSYS builds as the same BEAM4; confirm that the "
                   "bars are meant as plain space frame bars (mended)\n"
                   "modellir.txt: 1 finding, 1 mended.\n"
                   "modellir.fixed.txt written.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1; "
                   "stiffnesses 1 and 2 have no RO: their density is what their own-weight "
                   "records imply.\n"));
  EXPECT_EQ(check.exit_code, 0);
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), author);
  // 0.5 over the plate's 0.2 m, 0.2 over the bar's 0.08 m2: 2500 both.
  EXPECT_EQ(check.files.at("modellir.answers"), "0\n2500\nn\n1\nc\n");
  converts_as(check.files.at("modellir.fixed.txt"), author);

  std::string plate_bar = replaced(model, "5 2 1 2 /\n", "5 2 1 2 /\n5 1 3 4 /\n");
  check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", plate_bar}});
  EXPECT_NE(check.console.find(native(
                "modellir.txt:14: [unconverted-element] 1 element of type 5, the first element 3, "
                "are of a type tarvex does not convert")),
            std::string::npos)
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"),
            replaced(author, "10 2 1 2 /\n", "10 2 1 2 /\n5 1 3 4 /\n"));
}

// A quadrilateral written round its perimeter (a, b, c, d) is twisted in the
// order tarvex writes (a, b, d, c): its last two corners change places. One
// that another order untwists stays reported.
TEST(ModelcheckMends, PerimeterOrderPlates) {
  std::string author = kStiffness + kRest;
  std::string model = replaced(author, "44 1 1 2 3 4 /", "44 1 1 2 4 3 /");
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt:12: [twisted-plate] element 1 (type 44) on nodes 1 2 4 3 is "
                   "twisted: tarvex writes its corners in the order 1 2 3 4, which cross over; "
                   "ANSYS builds a bow tie, an element without a proper area: its stiffness and "
                   "the pressure on it are wrong; mend: write its nodes 1 2 3 4 in document 1 (a, "
                   "b, then the corners opposite them) (mended)\n"
                   "modellir.txt: 1 finding, 1 mended.\n"
                   "modellir.fixed.txt written.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1; "
                   "stiffnesses 1 and 2 have no RO: their density is what their own-weight "
                   "records imply.\n"));
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), author);
  converts_as(check.files.at("modellir.fixed.txt"), author);

  std::string other = replaced(author, "44 1 1 2 3 4 /", "44 1 1 4 3 2 /");
  check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", other}});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_NE(check.console.find(native("mend: write its nodes 1 3 2 4 in document 1 (a, b, then "
                                      "the corners opposite them)\n")),
            std::string::npos)
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), other);
}

// A model exported before an analysis has no document 16: it is written
// after document 7, one record for each load case of document 6, ascending,
// in the file's own line ends, and with a line end of its own where document
// 7 closes the file.
TEST(ModelcheckMends, MissingCaseList) {
  const std::string kCases = "( 16/\n1 0 /\n2 0 /\n)\n";
  std::string author = kStiffness + kRest;
  std::string without = replaced(author, kCases, "");
  // Case 2 first in document 6: the list is ascending all the same.
  std::string model = replaced(without, "1 16 3 1 1 /\n2 16 3 3 1 /\n1 6 3 2 2 /\n",
                               "1 6 3 2 2 /\n1 16 3 1 1 /\n2 16 3 3 1 /\n");
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console,
            native("modellir.txt: [missing-document] there is no document 16, the list of load "
                   "cases; tarvex stops with \"Incorrect modellir.txt: no doc. 16.\"; mend: add "
                   "document 16 after document 7, one record for each load case that document 6 "
                   "uses: 1, 2 (mended)\n"
                   "modellir.txt: 1 finding, 1 mended.\n"
                   "modellir.fixed.txt written.\n"
                   "modellir.answers written: VR3 0, density 2500 kg/m3, own-weight case 1; "
                   "stiffnesses 1 and 2 have no RO: their density is what their own-weight "
                   "records imply.\n"));
  std::string mended = model + kCases;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  converts_as(mended, author);

  std::string crlf;
  for (char c : model.substr(0, model.size() - 1)) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", crlf}});
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), crlf + "\r\n( 16/\r\n1 0 /\r\n2 0 /\r\n)\r\n");
  EXPECT_EQ(check.exit_code, 0) << check.console;
}

// A whole model on one line, as some exporters write it: each header, each
// record and each ")" (one glued to the last slash too) on a line of its
// own, and no document taken for one before another on the line.
TEST(ModelcheckMends, ModelOnOneLine) {
  const std::string kElements = "( 1/\n44 1 1 2 3 4 /\n10 2 1 2 /\n)\n";
  std::string model =
      "( 0/ 1; frame/ 2; 5/ )( 1/ 44 1 1 2 3 4 / 10 2 1 2 /)( 3/ 1 3.0E6 0.2 0.2 / 2 S0 3.0E6 20 "
      "40 / )( 4/ 0 0 0 / 1 0 0 / 0 1 0 / 1 1 0 / )( 5/ 1 1 2 3 / )( 6/ 1 16 3 1 1 / 2 16 3 3 1 / "
      "1 6 3 2 2 / )( 7/ 1 0.5 / 2 1.5 / 3 0.2 / )( 16/ 1 0 / 2 0 / )\n";
  std::string mended =
      "( 0/ 1; frame/ 2; 5/ )\n" + kElements + kStiffness + replaced(kRest, kElements, "");
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(check.console.find("document-order"), std::string::npos) << check.console;
  EXPECT_NE(check.console.find(native("modellir.txt: 14 findings, 14 mended.\n"
                                      "modellir.fixed.txt written.\n")),
            std::string::npos)
      << check.console;
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), mended);
  converts_as(mended, kStiffness + kRest);
}

// LIRA glues a record's slash to its last value, and a document's ")" to
// that slash: one --fix mends the glued record as it mends the same record
// with its blank, and puts the ")" on a line of its own.
TEST(ModelcheckMends, GluedSlashes) {
  std::string author = kStiffness + kRest;
  struct Case {
    const char* what;
    std::string model, mended, count;
  };
  const Case cases[] = {
      // The row's ratio is the plate's: the row goes, its comma with it.
      {"ratio row with a decimal comma",
       replaced(author, "0.2 0.2 /\n", "0.2 0.2 /\n 0 Mu 0,2 /\n"), author, "1 finding, 1 mended"},
      // The row goes; the ")" keeps its line, and the blank before it.
      {"density row ending document 3", replaced(author, "20 40 /\n)\n", "20 40 /\n 0 RO 2.5/)\n"),
       replaced(author, "20 40 /\n)\n", "20 40 /\n )\n"), "1 finding, 1 mended"},
      {"density row and the \")\" on a line",
       replaced(author, "20 40 /\n)\n", "20 40 /\n 0 RO 2.5 / )\n"),
       replaced(author, "20 40 /\n)\n", "20 40 /\n  )\n"), "1 finding, 1 mended"},
      // Round the perimeter 1 2 4 3 is 1 2 3 4 in LIRA's order, its slash
      // then after a blank.
      {"perimeter quadrilateral", replaced(author, "44 1 1 2 3 4 /", "44 1 1 2 4 3/"), author,
       "2 findings, 2 mended"},
      {"space frame bar", replaced(author, "10 2 1 2 /", "5 2 1 2/"), author,
       "1 finding, 1 mended"},
      // Blanks and a tab before its slash, which tarvex passes over for a type
      // 5 bar but not for a type 10 one: the one blank it reads.
      {"space frame bar with blanks before its slash",
       replaced(author, "10 2 1 2 /", "5 2 1 2 \t /"), author, "1 finding, 1 mended"},
      {"node ending document 4", replaced(author, "1 1 0 /\n)\n", "1 1 0/)\n"), author,
       "2 findings, 2 mended"},
      // tarvex reads only the case of a record of document 16: its slash
      // may stay glued.
      {"case ending document 16", replaced(author, "2 0 /\n)\n", "2 0/)\n"),
       replaced(author, "2 0 /\n)\n", "2 0/\n)\n"), "1 finding, 1 mended"},
      {"element ending document 1", replaced(author, "10 2 1 2 /\n)\n", "10 2 1 2/)\n"), author,
       "2 findings, 2 mended"},
      // tarvex skips a type 5 bar to its slash and sees the ")"; as type 10
      // it would not.
      {"space frame bar ending document 1", replaced(author, "10 2 1 2 /\n)\n", "5 2 1 2/)\n"),
       author, "2 findings, 2 mended"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunResult check =
        run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", c.model}});
    EXPECT_NE(check.console.find(native("modellir.txt: " + c.count + ".\n"
                                        "modellir.fixed.txt written.\n")),
              std::string::npos)
        << check.console;
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), c.mended);
    converts_as(c.mended, author);
  }

  // The ")" goes on a line of its own with the file's line end.
  std::string crlf;
  for (char ch : replaced(author, "1 1 0 /\n)\n", "1 1 0/)\n")) crlf += ch == '\n' ? "\r\n" : std::string(1, ch);
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", crlf}});
  EXPECT_NE(check.files.at("modellir.fixed.txt").find("1 0 0 /\r\n0 1 0 /\r\n1 1 0 /\r\n)\r\n( 1/"),
            std::string::npos);
  EXPECT_EQ(check.exit_code, 0) << check.console;
  EXPECT_NE(check.console.find("[glued-slash] node 4 ends with \"0/\""), std::string::npos);
}

}  // namespace
