#include "options.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

Options parsed(std::vector<std::string> args) {
  Options o;
  std::string error;
  EXPECT_TRUE(parse_options(args, o, error)) << error;
  return o;
}

std::string refused(std::vector<std::string> args) {
  Options o;
  std::string error;
  EXPECT_FALSE(parse_options(args, o, error));
  return error;
}

TEST(Options, TasksAndDefaultFiles) {
  Options o = parsed({});
  EXPECT_EQ(o.mode, Mode::kCheck);
  EXPECT_EQ(o.file(0, "modellir.txt"), "modellir.txt");
  EXPECT_EQ(parsed({"--fix", "a.txt"}).mode, Mode::kFix);
  EXPECT_EQ(parsed({"--fix", "a.txt"}).file(0, "modellir.txt"), "a.txt");
  EXPECT_EQ(parsed({"--vantrel", "--fix"}).mode, Mode::kFixVantrel);
  EXPECT_EQ(parsed({"--vantrel", "--verify", "a", "b", "c"}).mode, Mode::kVerifyVantrel);
  Options p = parsed({"--picture", "--case", "3"});
  EXPECT_EQ(p.mode, Mode::kPicture);
  EXPECT_EQ(p.load_case, 3);
  Options d = parsed({"--density", "2500", "--weight-case", "1"});
  EXPECT_TRUE(d.has_density);
  EXPECT_EQ(d.density, 2500);
  Options e = parsed({"--density", "2500", "--density", "4:7850"});
  ASSERT_EQ(e.density_exceptions.size(), 1u);
  EXPECT_EQ(e.density_exceptions[0].stiffness, 4);
  EXPECT_EQ(e.density_exceptions[0].density, 7850);
  EXPECT_EQ(refused({"--density", "50:7850"}),
            "--density S:D needs a stiffness 1 to 49 and a density in kg/m3, not \"50:7850\".");
  EXPECT_EQ(d.weight_case, 1);
  EXPECT_TRUE(d.has_weight_case);
  EXPECT_FALSE(e.has_weight_case);
  // 0 is tarvex's answer for no own-weight case.
  Options none = parsed({"--weight-case", "0"});
  EXPECT_TRUE(none.has_weight_case);
  EXPECT_EQ(none.weight_case, 0);
  EXPECT_EQ(parsed({"--verify", "--help"}).mode, Mode::kHelp);
}

TEST(Options, UsageErrors) {
  EXPECT_EQ(refused({"--fix", "--verify"}), "--fix, --verify and --picture are separate tasks: choose one.");
  EXPECT_EQ(refused({"--case"}), "--case needs a load case number.");
  EXPECT_EQ(refused({"--picture", "--case", "x"}), "--case needs a load case number, not \"x\".");
  EXPECT_EQ(refused({"--case", "2"}), "--case goes with --picture.");
  EXPECT_EQ(refused({"--picture", "--case", "0"}), "--case needs a load case number, not \"0\".");
  EXPECT_EQ(refused({"--weight-case", "-1"}), "--weight-case needs a load case number, not \"-1\".");
  EXPECT_EQ(refused({"--density", "nan"}), "--density needs a density in kg/m3, not \"nan\".");
  EXPECT_EQ(refused({"-x"}), "unknown option -x.");
  EXPECT_EQ(refused({"a", "b"}), "too many file names: this task reads at most 1.");
  // An answers file gives the densities and the case: not twice.
  const char* both =
      "--answers gives the densities and the own-weight case: leave out --density and "
      "--weight-case, or --answers.";
  EXPECT_EQ(refused({"--answers", "a", "--density", "2500"}), both);
  EXPECT_EQ(refused({"--density", "4:7850", "--answers", "a"}), both);
  EXPECT_EQ(refused({"--weight-case", "1", "--fix", "--answers", "a"}), both);
  EXPECT_EQ(refused({"--answers"}), "--answers needs the name of an answers file.");
  const char* tarvex_only =
      "--answers holds tarvex's answers: it goes with a check, --fix or --verify of tarvex's "
      "model.";
  EXPECT_EQ(refused({"--answers", "a", "--vantrel"}), tarvex_only);
  EXPECT_EQ(refused({"--picture", "--answers", "a"}), tarvex_only);
  EXPECT_EQ(parsed({"--verify", "--answers", "m.answers"}).answers_file, "m.answers");
}

}  // namespace
}  // namespace modelcheck
