#include "check_answers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "common/testing/scratch_path.h"

namespace modelcheck {
namespace {

const std::string kFile = "modellir.answers";

// A plate or bar stiffness `s` with the density `ro` (t/m3; -1 none).
void weighs(AnswerFacts& facts, int s, double ro, long line = 0) {
  facts.set_weighs(s, true);
  if (ro >= 0) facts.set_density(s, ro, line);
}

struct Settled {
  SettledAnswers answers;
  Report report{"modellir.txt"};
};

void settle(const AnswerFacts& facts, Settled& s, const Options& options = {}) {
  s.answers = settle_answers(facts, options, kFile, s.report);
}

// The findings kept, one line each: line, whether settled, what.
std::string findings(const Report& r) {
  std::string text;
  for (const Finding& f : r.kept()) {
    text += std::to_string(f.line) + (f.mended ? " settled: " : " left: ") + f.what + "\n";
  }
  return text;
}

std::string file_of(const std::string& text) {
  std::string path = lira::testing::scratch_path("model.answers");
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(SettleAnswers, MostFrequentDensityAndTheOthersAsExceptions) {
  AnswerFacts facts;
  weighs(facts, 1, 2.5, 3);
  weighs(facts, 2, 2.5, 4);
  weighs(facts, 3, 7.85, 5);
  weighs(facts, 6, 2.45, 8);
  facts.set_density(4, 1.0, 6);  // an elastic link: weighs nothing whatever it says
  facts.add_weight_case(1, 20);
  facts.add_weight_case(1, 21);
  Settled s;
  settle(facts, s);
  EXPECT_EQ(findings(s.report), "");
  EXPECT_EQ(answers_text(s.answers), "0\n2500\ny\n3\n7850\n6\n2450\n0\n1\nc\n");
  EXPECT_EQ(answers_summary(s.answers),
            "VR3 0, density 2500 kg/m3, stiffness 3 7850, 6 2450, own-weight case 1");
}

TEST(SettleAnswers, NoExceptionsNoOwnWeight) {
  AnswerFacts facts;
  weighs(facts, 1, 2.5);
  Settled s;
  settle(facts, s);
  EXPECT_EQ(answers_text(s.answers), "0\n2500\nn\n0\nc\n");
  EXPECT_EQ(s.report.count(), 0u);
}

// A tie is settled (the density of the lowest stiffness), and said; a
// weighing stiffness without RO and several own-weight cases are left to the
// engineer, and VR3 of slabs is named as the engineer's to confirm.
TEST(SettleAnswers, WhatNeedsTheEngineer) {
  AnswerFacts facts;
  weighs(facts, 7, 7.85, 9);
  weighs(facts, 2, 2.5, 4);
  weighs(facts, 5, -1);
  weighs(facts, 8, -1);
  facts.add_weight_case(3, 30);
  facts.add_weight_case(1, 31);
  facts.concrete_slabs = true;
  Settled s;
  settle(facts, s);
  EXPECT_EQ(answers_text(s.answers), "0\n2500\ny\n7\n7850\n0\n0\nc\n");
  EXPECT_EQ(s.report.count(), 3u);
  EXPECT_EQ(s.report.mended(), 1u);
  EXPECT_EQ(findings(s.report),
            "31 left: own-weight records (load type 16) stand in load cases 3 and 1\n"
            "4 settled: 2 densities are each given to 1 stiffness, none to more\n"
            "0 left: stiffnesses 5 and 8 weigh in the script, but the model gives them no "
            "density: no RO, no own-weight record\n");
  EXPECT_EQ(answers_summary(s.answers),
            "VR3 0 (the slabs' volume ratio of lateral reinforcement, yours to confirm), density "
            "2500 kg/m3, stiffness 7 7850, own-weight case 0");
  EXPECT_NE(s.report.kept()[2].effect.find("the common density 2500 kg/m3"), std::string::npos);
}

// No density anywhere: it reaches no load without own weight, and stops
// tarvex's weight check with it.
TEST(SettleAnswers, NoDensityAnywhere) {
  AnswerFacts facts;
  weighs(facts, 1, -1);
  Settled without;
  settle(facts, without);
  EXPECT_EQ(answers_text(without.answers), "0\n0\nn\n0\nc\n");
  EXPECT_EQ(without.report.count(), 0u);
  facts.add_weight_case(2, 7);
  Settled with;
  settle(facts, with);
  EXPECT_EQ(answers_text(with.answers), "0\n0\nn\n2\nc\n");
  ASSERT_EQ(with.report.count(), 1u);
  EXPECT_EQ(with.report.kept()[0].effect,
            "modellir.answers gives it the common density 0 kg/m3, as the model gives no density "
            "at all: its own-weight records do not pass tarvex's weight check");
}

// Without RO, the density is what the own-weight records imply (value over
// section, to four digits); an RO that the records contradict by more than
// tarvex's 5 % is the engineer's to settle.
TEST(SettleAnswers, DensityFromOwnWeightRecords) {
  AnswerFacts facts;
  weighs(facts, 1, -1);
  facts.set_weight_density(1, 0.5f * 1000.0 / 0.2, 17);     // a plate 0.2 m, 0.5 t/m2
  weighs(facts, 2, -1);
  facts.set_weight_density(2, 0.628f * 1000.0 / 0.08, 18);  // a bar 0.08 m2, 0.628 t/m
  facts.set_weight_density(2, 1, 19);                      // the first record counts
  weighs(facts, 3, 2.5, 4);
  facts.set_weight_density(3, 2400, 20);                    // 4 % off: tarvex takes it
  weighs(facts, 4, 2.5, 5);
  facts.set_weight_density(4, 2000, 21);                    // 25 % off
  weighs(facts, 5, -1);
  facts.set_weight_density(5, 0.5 * 1000.0 / 1e-30, 22);    // a section of next to nothing
  facts.add_weight_case(1, 17);
  Settled s;
  settle(facts, s);
  EXPECT_EQ(answers_text(s.answers), "0\n2500\ny\n2\n7850\n0\n1\nc\n");
  EXPECT_EQ(answers_summary(s.answers),
            "VR3 0, density 2500 kg/m3, stiffness 2 7850, own-weight case 1; stiffnesses 1 and 2 "
            "have no RO: their density is what their own-weight records imply");
  EXPECT_EQ(findings(s.report),
            "21 left: stiffness 4 has the density RO 2.5, 2500 kg/m3, while its own-weight record "
            "here implies 2000 kg/m3\n"
            "22 left: stiffness 5 has no RO, and its own-weight record here implies 5e+32 kg/m3, "
            "denser than anything a structure is built of\n");
  EXPECT_EQ(s.report.kept()[0].effect,
            "tarvex weighs it at its RO and stops with \"Weight value illegal.\"");
}

// RO in kg/m3 where LIRA writes t/m3, and a stiffness 0 of its own density,
// which tarvex's answers cannot give.
TEST(SettleAnswers, DensitiesTarvexCannotTakeAsMeant) {
  AnswerFacts facts;
  weighs(facts, 1, 2500, 3);
  weighs(facts, 2, 2.5, 4);
  weighs(facts, 3, 2.5, 5);
  weighs(facts, 0, 7.85, 2);
  Settled s;
  settle(facts, s);
  EXPECT_EQ(answers_text(s.answers), "0\n2500\ny\n1\n2500000\n0\n0\nc\n");
  EXPECT_EQ(findings(s.report),
            "3 left: stiffness 1 has the density RO 2500, 2500000 kg/m3 as LIRA reads RO in t/m3\n"
            "2 left: stiffness 0 has the density 7850 kg/m3\n");
}

// The engineer's answers stand; where the model's RO says otherwise, a finding.
TEST(SettleAnswers, GivenAnswersStand) {
  AnswerFacts facts;
  weighs(facts, 1, 2.4, 3);
  weighs(facts, 3, 7.85, 5);
  facts.add_weight_case(2, 9);
  facts.concrete_slabs = true;
  Options given;
  given.has_density = true;
  given.density = 2500;
  given.density_exceptions = {{3, 7000}, {3, 7850}, {2, 100}};
  given.has_weight_case = true;
  given.weight_case = 4;
  given.has_vr3 = true;
  given.vr3 = 0.005;
  Settled s;
  settle(facts, s, given);
  EXPECT_EQ(answers_text(s.answers), "0.005\n2500\ny\n2\n100\n3\n7850\n0\n4\nc\n");
  EXPECT_EQ(findings(s.report),
            "3 left: stiffness 1 has the density RO 2.4 t/m3 in the model, 2500 kg/m3 in the "
            "answers\n");
}

TEST(AnswersFile, NamedFromTheModel) {
  EXPECT_EQ(answers_name_of("modellir.txt"), "modellir.answers");
  EXPECT_EQ(answers_name_of("a/model.txt"), "a/model.answers");
  EXPECT_EQ(answers_name_of("a.b\\model"), "a.b\\model.answers");
  EXPECT_EQ(answers_name_of("model"), "model.answers");
}

TEST(AnswersFile, ReadAsTarvexReadsItsAnswers) {
  Options o;
  std::string error;
  // The README's example, keys and numbers on lines of their own or not.
  ASSERT_TRUE(read_answers_file(file_of("0.005\n2500\nY 4 7850\r\n9 1e3 0\n1\nc\n"), o, error))
      << error;
  EXPECT_TRUE(o.has_vr3 && o.has_density && o.has_weight_case);
  EXPECT_EQ(o.vr3, 0.005);
  EXPECT_EQ(o.density, 2500);
  ASSERT_EQ(o.density_exceptions.size(), 2u);
  EXPECT_EQ(o.density_exceptions[0].stiffness, 4);
  EXPECT_EQ(o.density_exceptions[0].density, 7850);
  EXPECT_EQ(o.density_exceptions[1].stiffness, 9);
  EXPECT_EQ(o.density_exceptions[1].density, 1000);
  EXPECT_EQ(o.weight_case, 1);
  // A decimal comma ends the number, as it does for tarvex: density 2, the
  // comma the key (no exceptions), 5 the own-weight case.
  ASSERT_TRUE(read_answers_file(file_of("0\n2,5\n"), o, error)) << error;
  EXPECT_EQ(o.density, 2);
  EXPECT_EQ(o.weight_case, 5);
  // No key at the end of the file is no 'e': tarvex goes on.
  ASSERT_TRUE(read_answers_file(file_of("0 2500 n 0"), o, error)) << error;
  EXPECT_TRUE(o.density_exceptions.empty());
  EXPECT_EQ(o.weight_case, 0);
}

TEST(AnswersFile, RefusedWhereTarvexStopsOrDeclines) {
  Options o;
  std::string error;
  std::string f = file_of("0.005\ndensity\n");
  EXPECT_FALSE(read_answers_file(f, o, error));
  EXPECT_EQ(error, f + " holds answers that tarvex does not take: it stops with \"Incorrect "
                       "answer: a number was expected.\"");
  EXPECT_FALSE(read_answers_file(file_of(""), o, error));
  EXPECT_FALSE(read_answers_file(file_of("0 2500 y 50 7850 0 1 c"), o, error));
  EXPECT_EQ(error, f + " holds answers that tarvex does not take: it stops with \"Incorrect "
                       "answer: stiffness No 50 is outside 1 to 49.\"");
  EXPECT_FALSE(read_answers_file(file_of("0 2500 y 4 7850 0"), o, error));
  EXPECT_FALSE(read_answers_file(file_of("0 2500 n 1 E"), o, error));
  EXPECT_EQ(error,
            f + " answers 'e' at tarvex's last check, where tarvex ends without converting.");
  EXPECT_FALSE(read_answers_file(::testing::TempDir() + "no-such-folder/a.answers", o, error));
  EXPECT_EQ(error, ::testing::TempDir() + "no-such-folder/a.answers cannot be read.");
}

// Whatever the model says, the file written is one that tarvex reads back to
// the density of every weighing stiffness that has one, and the case.
TEST(AnswersFile, WrittenAnswersReadBackToTheModelsDensities) {
  std::mt19937 random(20);
  const double kDensities[] = {2.5, 2.45, 7.85, 0.6, 1.8, 0, 25, 2.4567891};
  for (int round = 0; round < 200; ++round) {
    AnswerFacts facts;
    for (int s = 1; s < lira::kStiffnessCount; ++s) {
      if (random() % 3 != 0) continue;
      weighs(facts, s, random() % 5 == 0 ? -1 : kDensities[random() % 8]);
    }
    for (unsigned c = random() % 3; c > 0; --c) facts.add_weight_case(1 + random() % 9, 1);
    Settled s;
    settle(facts, s);
    Options o;
    std::string error;
    ASSERT_TRUE(read_answers_file(file_of(answers_text(s.answers)), o, error)) << error;
    for (int v = 1; v < lira::kStiffnessCount; ++v) {
      std::size_t i = static_cast<std::size_t>(v);
      if (!facts.weighs[i] || facts.density[i] < 0) continue;
      float held = static_cast<float>(o.density);
      for (const Options::DensityException& e : o.density_exceptions) {
        if (e.stiffness == v) held = static_cast<float>(e.density);
      }
      EXPECT_EQ(held, static_cast<float>(facts.density[i] * 1000)) << "stiffness " << v;
    }
    EXPECT_EQ(o.weight_case, facts.weight_cases.size() == 1 ? facts.weight_cases[0] : 0);
  }
}

}  // namespace
}  // namespace modelcheck
