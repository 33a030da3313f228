// Whole runs of modelcheck on small models, and of tarvex on what it mends:
// every spelling fault mended gives back the model its author meant, which
// tarvex converts; every other finding names the stop that tarvex then
// really makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_e2e.h"
#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;
using lira::testing::run_program_with_args;
using lira::testing::RunResult;

using check_e2e::kAnswers;
using check_e2e::kDensity;
using check_e2e::kPlate;

using lira::testing::replaced;

bool converted(const RunResult& r) {
  return r.console.find(native("\nTransformation completed.")) != std::string::npos;
}

TEST(ModelcheckRun, CleanModelHasNoFindings) {
  std::vector<std::string> args = kDensity;
  RunResult r = run_program_with_args("modelcheck", args, {{"modellir.txt", kPlate}});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console,
            native("modellir.txt: no findings: tarvex will read it as it is written.\n"));
  EXPECT_TRUE(r.new_paths.empty());
  EXPECT_TRUE(converted(run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers)));
}

// Each spelling fault alone: the finding on its line, a mended copy that is
// the clean model byte for byte, tarvex refusing the fault and converting
// the copy to the clean model's script.
TEST(ModelcheckRun, EachSpellingFaultMendedAndConverted) {
  struct Case {
    const char* kind;
    long line;
    std::string model;
  };
  const std::vector<Case> cases = {
      {"header-spelling", 1, replaced(kPlate, "( 3/", "(3/")},
      {"header-spelling", 4, replaced(kPlate, "( 4/", "(4 /")},
      {"header-spelling", 16, replaced(kPlate, "( 6/", "( 6 /")},
      {"header-position", 10, replaced(kPlate, "( 1/", "   ( 1/")},
      {"header-position", 12, replaced(kPlate, ")\n( 5/", ")( 5/")},
      {"header-position", 1, "\xEF\xBB\xBF" + kPlate},
      {"record-on-header-line", 10, replaced(kPlate, "( 1/\n44", "( 1/ 44")},
      {"record-on-header-line", 20, replaced(kPlate, "( 7/\n1 0.5", "( 7/1 0.5")},
      {"record-on-header-line", 24, replaced(kPlate, "( 16/\n1 0 /", "( 16/ 1 0 /")},
      {"glued-slash", 6, replaced(kPlate, "1 0 0 /", "1 0 0/")},
      {"glued-slash", 11, replaced(kPlate, "2 3 4 /", "2 3 4/")},
      {"record-end", 7, replaced(kPlate, "0 1 0 /", "0 1 0   /")},
      {"record-end", 11, replaced(kPlate, "2 3 4 /", "2 3 4\t\t/")},
      {"decimal-comma", 2, replaced(kPlate, "3.0E6 0.2 0.2", "3,0E6 0,2 0.2")},
      {"decimal-comma", 22, replaced(kPlate, "2 1.5 /", "2 1,5 /")},
  };
  RunResult clean = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
  ASSERT_TRUE(converted(clean));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " on line " + std::to_string(c.line));
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", c.model}});
    std::string at = "modellir.txt:" + std::to_string(c.line) + ": [" + c.kind + "] ";
    EXPECT_NE(check.console.find(native(at)), std::string::npos) << check.console;
    EXPECT_NE(check.console.find(native(" (mended)\n")), std::string::npos);
    EXPECT_EQ(check.exit_code, 0) << check.console;
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), kPlate);
    EXPECT_EQ(check.files.at("modellir.txt"), c.model);

    // tarvex stops on the fault with the very message that the finding quotes.
    RunResult before = run_program("tarvex", {{"modellir.txt", c.model}}, kAnswers);
    std::size_t from = check.console.find("stops with \"");
    std::size_t to = check.console.find(native("\"; mend: "), from);
    ASSERT_NE(to, std::string::npos) << check.console;
    std::string stop = check.console.substr(from + 12, to - from - 12);
    EXPECT_NE(before.console.find(native("\n" + stop + "\nPress any key to finish\n")),
              std::string::npos)
        << stop << "\n"
        << before.console;
    RunResult after = run_program("tarvex", {{"modellir.txt", kPlate}}, kAnswers);
    EXPECT_EQ(after.files.at("modelans.lgw"), clean.files.at("modelans.lgw"));

    // The mended copy has nothing left to find.
    RunResult again = run_program_with_args("modelcheck", kDensity, {{"modellir.txt", kPlate}});
    EXPECT_EQ(again.exit_code, 0);
  }
}

// Line ends that text mode does not know: LF CR throughout, and lone CRs.
TEST(ModelcheckRun, ForeignLineEndsMended) {
  for (const char* end : {"\n\r", "\r"}) {
    std::string model;
    for (char c : kPlate) {
      if (c == '\n')
        model += end;
      else
        model += c;
    }
    RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
    EXPECT_NE(check.console.find(native("modellir.txt:1: [line-ends] 27 lines end with ")),
              std::string::npos)
        << check.console;
    EXPECT_EQ(check.files.at("modellir.fixed.txt"), kPlate);
    EXPECT_FALSE(converted(run_program("tarvex", {{"modellir.txt", model}}, kAnswers)));
  }
  // CR LF is text mode's own line end: nothing to find, nothing changed.
  std::string windows;
  for (char c : kPlate) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", windows}});
  EXPECT_EQ(check.exit_code, 0);
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), windows);
}

// The example model with every spelling fault at once: mended, it is the
// example again, and tarvex converts it to the example's script.
TEST(ModelcheckRun, EverySpellingFaultAtOnce) {
  const std::string clean = lira::testing::source_file("examples/tarvex/modellir.txt");
  std::string model = clean;
  model = replaced(model, "( 1/\n44 1 1 2 3 4 /", "(1/\n44 1 1 2 3 4/");
  model = replaced(model, "242 5 5 7 8 /", "242 5 5 7 8  /");
  model = replaced(model, ")\n( 3/\n1 3.0E6 0.2 0.2 /", ")( 3/1 3,0E6 0,2 0.2 /");
  model = replaced(model, "5 DEL 0.2 /", "5 DEL 0,2 /");
  model = replaced(model, "( 4/\n0 0 0 /\n1 0 0 /", "( 4 /\n0 0 0 /\n1 0 0/");
  model = replaced(model, "( 5/", "  ( 5/");
  model = replaced(model, "( 6/", "(6/");
  model = replaced(model, "( 7/\n1 0.5 /", "( 7/ 1 0.5 /");
  model = replaced(model, "3 1.5 /", "3 1,5 /");
  model = replaced(model, "( 16/", "( 16 /");
  model = "\xEF\xBB\xBF" + model;
  std::string lfcr;
  for (char c : model) lfcr += c == '\n' ? std::string("\n\r") : std::string(1, c);

  RunResult check = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", lfcr}});
  EXPECT_EQ(check.files.at("modellir.fixed.txt"), clean);
  for (const char* at : {
           "modellir.txt:1: [header-spelling] \"(1/\" is not the header \"( 1/\" of document 1",
           "modellir.txt:1: [line-ends] 74 lines end with LF CR, from this line on",
           "modellir.txt:2: [glued-slash] element 1 (type 44) ends with \"4/\"",
           "modellir.txt:6: [record-end] element 5 (type 242) has 2 blanks before its \"/\"",
           "modellir.txt:11: [record-on-header-line] a record follows the header of document 3",
           "modellir.txt:11: [decimal-comma] \"3,0E6\" in document 3",
           "modellir.txt:11: [decimal-comma] \"0,2\" in document 3",
           "modellir.txt:25: [decimal-comma] \"0,2\" in document 3",
           "modellir.txt:28: [header-spelling] \"( 4 /\"",
           "modellir.txt:30: [glued-slash] node 2 ends with \"0/\"",
           "modellir.txt:38: [header-position] the header \"( 5/\" does not stand at the start",
           "modellir.txt:41: [header-spelling] \"(6/\"",
           "modellir.txt:62: [record-on-header-line] a record follows the header of document 7",
           "modellir.txt:64: [decimal-comma] \"1,5\" in document 7",
           "modellir.txt:70: [header-spelling] \"( 16 /\"",
       }) {
    EXPECT_NE(check.console.find(native(at)), std::string::npos) << at << "\n" << check.console;
  }
  // The example itself has no findings: every one was spelling, all mended.
  EXPECT_NE(check.console.find(native("modellir.txt: 16 findings, 16 mended.\nmodellir.fixed.txt written.\n")),
            std::string::npos)
      << check.console;
  EXPECT_EQ(check.exit_code, 0);
  RunResult again = run_program_with_args("modelcheck", {}, {{"modellir.txt", clean}});
  EXPECT_EQ(again.console, native("modellir.txt: no findings: tarvex will read it as it is written.\n"));
  EXPECT_EQ(again.exit_code, 0);

  const char answers[] = "0.005\n2500\ny\n4\n7850\n0\n1\nc\n";
  RunResult faulty = run_program("tarvex", {{"modellir.txt", lfcr}}, answers);
  EXPECT_NE(faulty.console.find(native("\nIncorrect modellir.txt: no stiffness.")),
            std::string::npos);
  RunResult expected = run_program("tarvex", {{"modellir.txt", clean}}, answers);
  RunResult mended =
      run_program("tarvex", {{"modellir.txt", check.files.at("modellir.fixed.txt")}}, answers);
  ASSERT_TRUE(converted(expected));
  EXPECT_EQ(mended.console, expected.console);
  EXPECT_EQ(mended.files.at("modelans.lgw"), expected.files.at("modelans.lgw"));
}

// The other findings: modelcheck names the line and the stop or the loss, and
// tarvex then stops with that very message, or converts with the loss.
TEST(ModelcheckRun, FindingsNameWhatTarvexDoes) {
  struct Case {
    const char* kind;
    long line;  // 0: the file as a whole
    std::string model;
    std::string stop;         // tarvex's message; empty: tarvex converts
    bool weightless = false;  // own weight in case 9, which is not listed
  };
  const std::string weightless = replaced(kPlate, "1 16 3 1 1 /\n", "");
  const std::vector<Case> cases = {
      {"missing-document", 0, replaced(kPlate, "( 5/\n1 1 2 3 /\n)\n", ""),
       "\nIncorrect modellir.txt: no links."},
      {"document-order", 1,
       "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n" +
           replaced(kPlate, "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n", ""),
       "\nIncorrect modellir.txt: no nodes."},
      {"document-order", 1, "( 16/\n1 0 /\n2 0 /\n)\n" + kPlate.substr(0, kPlate.find("( 16/")),
       "\nIncorrect modellir.txt: no doc. 16."},
      {"document-order", 24, replaced(kPlate, "( 16/", "( 12/\n)\n( 16/"),
       "\nmodellir.txt includes doc. 12 - analysis failed."},
      {"unclosed-document", 24, kPlate.substr(0, kPlate.size() - 2),
       "\nIncorrect modellir.txt: end of file inside document 16."},
      {"stiffness-number", 2, replaced(kPlate, "1 3.0E6", "50 3.0E6"),
       "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49."},
      {"stiffness-continuation", 3, replaced(kPlate, "0.2 0.2 /\n", "0.2 0.2 /\n0 RO 2.5 /\n"), ""},
      {"record-fields", 11, replaced(kPlate, "44 1 1 2 3 4 /", "44 1 1 2 3 4 0 /"),
       "\nError in document 1 (file modellir.txt)."},
      {"node-range", 11, replaced(kPlate, "44 1 1 2 3 4 /", "44 1 1 2 3 5 /"),
       "\nIncorrect modellir.txt: node 5 of element 1 is outside 1 to 4."},
      {"layered-without-slab", 11, replaced(kPlate, "44 1 1 2 3 4 /", "244 1 1 2 3 4 /"),
       "\nIncorrect modellir.txt: element 1 of type 244 has stiffness 1, which is no reinforced "
       "concrete slab."},
      {"link-away-from-shell", 13,
       replaced(replaced(kPlate, "44 1 1 2 3 4 /\n", "44 1 1 2 3 4 /\n51 2 1 /\n"), "0.2 0.2 /\n",
                "0.2 0.2 /\n2 3 1000 /\n"),
       "\nError in file nodes.tmp \n(due to creation elastic link, equivalent of 51 element)."},
      {"link-away-from-shell", 15,
       replaced(replaced(kPlate, "44 1 1 2 3 4 /\n", "44 1 1 2 3 4 /\n210 2 1 2 /\n"),
                "0.2 0.2 /\n",
                "0.2 0.2 /\n2 S100 20 40 /\n2 NB11/0 2.1E6 4E4 0 /\n2 AZ 1 TW 0 /\n"),
       "\nError in file nodes.tmp \n(due to creation plastic bar)."},
      {"load-refused", 18, replaced(kPlate, "1 6 3 2 2 /", "1 6 1 2 2 /"),
       "\nDoc. 6 includes illegal load direction:\ndir. No 1, 2, 4, 5 or 6 is applied to shell."},
      {"load-refused", 18, replaced(kPlate, "1 6 3 2 2 /", "1 5 3 2 2 /"),
       "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell)."},
      {"load-refused", 18, replaced(kPlate, "1 6 3 2 2 /", "1 6 3 3 2 /"),
       "\nIncorrect loades.tmp: irrelevant load type number."},
      {"load-refused", 18, replaced(kPlate, "1 6 3 2 2 /", "1 6 3/ 2 2 /"),
       "\nIncorrect modellir.txt: error in load table (doc. 6)."},
      {"load-case-unlisted", 18, replaced(kPlate, "1 6 3 2 2 /", "1 6 3 2 3 /"), ""},
      {"own-weight", 17, replaced(kPlate, "1 0.5 /", "1 0.6 /"), "\nWeight value illegal."},
      {"own-weight", 17, replaced(kPlate, "1 16 3 1 1 /", "1 16 2 1 1 /"),
       "\nWeight direction illegal."},
      {"own-weight", 18, replaced(kPlate, "1 16 3 1 1 /\n", "1 16 3 1 1 /\n1 16 3 1 2 /\n"),
       "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but supposed to be."},
      {"value-lines", 22, replaced(kPlate, "2 1.5 /", "3 1.5 /"),
       "\nIncorrect modellir.txt: illegal line number in doc. 7."},
      {"value-lines", 22, replaced(kPlate, "2 1.5 /", "2 1.5 1 1 1 1 /"),
       "\nIncorrect modellir.txt: too many values in doc. 7."},
      {"own-weight", 0, weightless, "\nElement has weight which not described in doc. 6"},
      {"unknown-stiffness", 2, replaced(kPlate, "3.0E6", "3E6"),
       "\nIncorrect modellir.txt: element 1 of document 1 has stiffness 1, which document 3 does "
       "not "
       "define, or defines with a kind that is not converted: give the element a converted "
       "stiffness "
       "of document 3."},
      {"undefined-stiffness", 11, replaced(kPlate, "44 1 1 2 3 4 /", "44 2 1 2 3 4 /"),
       "\nIncorrect modellir.txt: element 1 of document 1 has stiffness 2, which document 3 does "
       "not "
       "define, or defines with a kind that is not converted: give the element a converted "
       "stiffness "
       "of document 3."},
      {"load-shifted", 19,
       replaced(replaced(weightless, "44 1 1 2 3 4 /", "44 1 1 2 3 4 /\n5 1 1 2 /\n44 1 1 2 3 4 /"),
                "1 6 3 2 2 /", "3 6 3 2 2 /"),
       "\nDoc. 6 loads element 3, but element 2 before it in doc. 1 has type 5, which is not "
       "converted: the script numbers the elements after it one lower, so the load would fall on "
       "another element. Remove element 2 from doc. 1 or give it a converted type.",
       true},
      {"load-cases", 26, replaced(kPlate, "1 0 /\n2 0 /", "1 0 /\n0 0 /\n2 0 /"), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " on line " + std::to_string(c.line));
    std::vector<std::string> args = kDensity;
    if (c.weightless) args = {"--weight-case", "9"};
    RunResult check = run_program_with_args("modelcheck", args, {{"modellir.txt", c.model}});
    std::string at = c.line > 0 ? "modellir.txt:" + std::to_string(c.line) + ": [" + c.kind + "] "
                                : "modellir.txt: [" + std::string(c.kind) + "] ";
    EXPECT_NE(check.console.find(native(at)), std::string::npos) << check.console;
    EXPECT_EQ(check.exit_code, 1);
    RunResult run = run_program("tarvex", {{"modellir.txt", c.model}},
                                c.weightless ? "0.005\n2500\nn\n9\nc\n" : kAnswers);
    if (c.stop.empty()) {
      EXPECT_TRUE(converted(run)) << run.console;
      continue;
    }
    EXPECT_NE(run.console.find(native(c.stop + "\nPress any key to finish\n")), std::string::npos)
        << run.console;
    // The finding quotes the message as tarvex writes it, its line ends as blanks.
    std::string quoted = c.stop.substr(1);
    for (char& ch : quoted) {
      if (ch == '\n') ch = ' ';
    }
    std::size_t twice;
    while ((twice = quoted.find("  ")) != std::string::npos) quoted.erase(twice, 1);
    EXPECT_NE(check.console.find("\"" + quoted + "\""), std::string::npos) << check.console;
  }
}

TEST(ModelcheckRun, NoMendedCopyOfALineTooLongToKeep) {
  std::string model = kPlate;
  model.insert(model.find("( 4/"), std::string(2 << 20, ' ') + "\n");
  RunResult r = run_program_with_args("modelcheck", {"--fix"}, {{"modellir.txt", model}});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.console.find(native("modellir.txt:4: [long-line] the line holds 2097152 characters; "
                                  "modelcheck reads the first 1048576")),
            std::string::npos);
  EXPECT_NE(r.console.find(native("modelcheck: modellir.txt has a line too long to mend; no "
                                  "modellir.fixed.txt written.\n")),
            std::string::npos);
  EXPECT_TRUE(r.new_paths.empty());
}

TEST(ModelcheckRun, UnreadableFileAndUsage) {
  RunResult r = run_program_with_args("modelcheck", {}, {});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.console, native("modelcheck: modellir.txt cannot be read.\n"));
  RunResult v = run_program_with_args("modelcheck", {"--vantrel"}, {{"model.txt", "( 6/\n"}});
  EXPECT_EQ(v.exit_code, 2);
  EXPECT_EQ(v.console, native("modelcheck: loadfrag.txt cannot be read.\n"));
}

}  // namespace
