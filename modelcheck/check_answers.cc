#include "check_answers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "common/console.h"
#include "common/stop.h"
#include "common/writer.h"
#include "check_model.h"
#include "program_messages.h"
#include "tarvex/answers.h"

namespace modelcheck {
namespace {

constexpr int kStiffnesses = lira::kStiffnessCount;
// t/m3: nothing a structure is built of is denser; a larger RO is most likely
// written in kg/m3.
constexpr double kDensest = 30;

// A density as the answers file writes it: kg/m3 from LIRA's t/m3, with the
// digits the model gave and none that the product adds (2.45 x 1000 is
// 2450.0000000000005 in binary).
std::string figure(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

std::string names(const std::vector<int>& stiffnesses) {
  std::string text;
  for (std::size_t i = 0; i < stiffnesses.size(); ++i) {
    if (i > 0) text += i + 1 == stiffnesses.size() ? " and " : ", ";
    text += std::to_string(stiffnesses[i]);
  }
  return text;
}

Finding answer_finding(long line, std::string what, std::string effect, std::string mend,
                       bool settled = false) {
  return make_finding("tarvex", Kind::kAnswers, line, std::move(what), std::move(effect),
                      std::move(mend), settled);
}

// A density implied by an own-weight record, to four digits: the record's
// value holds no more.
std::string implied(double kg) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", kg);
  return figure(std::strtod(text, nullptr));
}

// The densities that the model gives the stiffnesses that weigh, kg/m3 as
// written ("" where it gives none): RO, or where there is none, what the
// stiffness's own-weight records imply (those stiffnesses in `from_weights`).
std::vector<std::string> model_densities(const AnswerFacts& facts, const std::string& file,
                                         std::vector<int>& from_weights, Report& report) {
  std::vector<std::string> kg(kStiffnesses);
  for (int s = 0; s < kStiffnesses; ++s) {
    std::size_t i = static_cast<std::size_t>(s);
    double records = facts.weight_density[i];
    if (!facts.weighs[i]) continue;
    if (facts.density[i] < 0) {
      if (records >= 0 && records <= kDensest * 1000) {
        kg[i] = implied(records), from_weights.push_back(s);
      } else if (records > kDensest * 1000) {
        report.add(answer_finding(
            facts.weight_density_line[i],
            "stiffness " + std::to_string(s) + " has no RO, and its own-weight record here "
            "implies " + implied(records) + " kg/m3, denser than anything a structure is built of",
            file + " does not take it for the stiffness's density",
            "check the record's value and the stiffness's section, or give its density in " +
                file));
      }
      continue;
    }
    double ro = facts.density[i] * 1000;
    kg[i] = figure(ro);
    std::string name = "stiffness " + std::to_string(s) + " has the density RO " +
                       figure(facts.density[i]) + ", " + kg[i] + " kg/m3";
    if (facts.density[i] > kDensest) {
      report.add(answer_finding(
          facts.density_line[i], name + " as LIRA reads RO in t/m3",
          file + " gives it " + kg[i] + " kg/m3, and the own weight follows from it",
          "write RO in t/m3 (2.5 for concrete), or correct its density in " + file));
    } else if (records > 0 && std::fabs(ro - records) > 0.05 * records) {
      // tarvex allows a record 5 % off the weight that the density gives.
      report.add(answer_finding(
          facts.weight_density_line[i],
          name + ", while its own-weight record here implies " + implied(records) + " kg/m3",
          "tarvex weighs it at its RO and " + stop_message(msg::kWeightValue),
          "settle which is right: its RO, or its own-weight records"));
    }
  }
  return kg;
}

// The common density: the most frequent of `kg`; of a tie, the density of
// the lowest stiffness number, said in a finding.
std::string common_density(const std::vector<std::string>& kg, const AnswerFacts& facts,
                           const std::string& file, Report& report) {
  std::map<std::string, int> count;
  for (const std::string& d : kg) {
    if (!d.empty()) ++count[d];
  }
  int most = 0, tied = 0;
  for (const auto& [d, c] : count) {
    if (c > most) most = c, tied = 0;
    if (c == most) ++tied;
  }
  std::string common;
  std::size_t first = 0;
  for (std::size_t s = 0; s < kg.size() && common.empty(); ++s) {
    if (!kg[s].empty() && count[kg[s]] == most) common = kg[s], first = s;
  }
  if (tied > 1) {
    report.add(answer_finding(
        facts.density_line[first],
        std::to_string(tied) + " densities are each given to " + std::to_string(most) +
            " stiffness" + (most > 1 ? "es" : "") + ", none to more",
        file + " takes " + common + " kg/m3, the density of stiffness " + std::to_string(first) +
            ", as the common density and gives the others as exceptions: every stiffness gets "
            "its own density either way",
        "nothing to do", true));
  }
  return common;
}

// Densities the engineer gave, held against what the model says: a
// difference is the engineer's to settle.
void given_densities(const std::vector<std::string>& kg, const AnswerFacts& facts,
                     SettledAnswers& a, const Options& options, const std::string& file,
                     Report& report) {
  a.density = options.density;
  // tarvex keeps the last answer of a stiffness given twice.
  std::map<int, double> exceptions;
  for (const Options::DensityException& e : options.density_exceptions) {
    exceptions[e.stiffness] = e.density;
  }
  for (const auto& [s, d] : exceptions) a.exceptions.push_back({s, d});
  for (int s = 0; s < kStiffnesses; ++s) {
    std::size_t i = static_cast<std::size_t>(s);
    // A density without RO comes from the own-weight records, which the
    // check itself holds to the given densities.
    if (kg[i].empty() || facts.density[i] < 0) continue;
    double given = exceptions.count(s) ? exceptions[s] : options.density;
    // tarvex holds densities in single precision.
    if (static_cast<float>(given) == static_cast<float>(facts.density[i] * 1000)) continue;
    report.add(answer_finding(
        facts.density_line[i],
        "stiffness " + std::to_string(s) + " has the density RO " + figure(facts.density[i]) +
            " t/m3 in the model, " + figure(given) + " kg/m3 in the answers",
        "tarvex weighs it at " + figure(given) + " kg/m3 and checks its own-weight records "
        "against that",
        "settle which is right: its RO in the model, or its density in " + file));
  }
}

// The densities that the model gives, the most frequent the common one.
void model_given_densities(const std::vector<std::string>& kg, const AnswerFacts& facts,
                           bool own_weight, SettledAnswers& a, const std::string& file,
                           Report& report) {
  std::string common = common_density(kg, facts, file, report);
  a.density = common.empty() ? 0 : std::strtod(common.c_str(), nullptr);
  std::vector<int> without;
  for (int s = 0; s < kStiffnesses; ++s) {
    std::size_t i = static_cast<std::size_t>(s);
    // A record that implies no density that a material has is named apart.
    if (facts.weighs[i] && kg[i].empty() && facts.weight_density[i] < 0) without.push_back(s);
    if (kg[i].empty() || kg[i] == common) continue;
    if (s == 0) {
      report.add(answer_finding(
          facts.density_line[i], "stiffness 0 has the density " + kg[i] + " kg/m3",
          "tarvex takes no density exception for stiffness 0 (the answer 0 ends the list): it "
          "weighs at the common density " + common + " kg/m3",
          "number the stiffness 1 to 49"));
      continue;
    }
    a.exceptions.push_back({s, std::strtod(kg[i].c_str(), nullptr)});
  }
  // A model without any density and without own weight loses nothing by
  // density 0: the density reaches no load.
  if (without.empty() || (common.empty() && !own_weight)) return;
  bool several = without.size() > 1;
  report.add(answer_finding(
      0,
      std::string("stiffness") + (several ? "es " : " ") + names(without) +
          (several ? " weigh" : " weighs") + " in the script, but the model gives " +
          (several ? "them" : "it") + " no density: no RO, no own-weight record",
      file + " gives " + (several ? "them" : "it") + " the common density " + figure(a.density) +
          " kg/m3" +
          (common.empty() ? ", as the model gives no density at all: " +
                                std::string(several ? "their" : "its") +
                                " own-weight records do not pass tarvex's weight check"
                          : std::string()),
      "confirm it, or give " + (several ? std::string("their densities") : "its density") +
          " in " + file + " (exceptions after \"y\": stiffness, density, ..., 0)"));
}

}  // namespace

SettledAnswers settle_answers(const AnswerFacts& facts, const Options& options,
                              const std::string& answers_name, Report& report) {
  SettledAnswers a;
  const std::string& file = answers_name;
  std::vector<int> from_weights;
  std::vector<std::string> kg = model_densities(facts, file, from_weights, report);
  if (options.has_weight_case) {
    a.weight_case = options.weight_case;
  } else if (facts.weight_cases.size() == 1) {
    a.weight_case = facts.weight_cases[0];
  } else if (facts.weight_cases.size() > 1) {
    std::vector<int> cases(facts.weight_cases.begin(), facts.weight_cases.end());
    report.add(answer_finding(
        facts.weight_case_lines[1],
        "own-weight records (load type 16) stand in load cases " + names(cases),
        "tarvex applies own weight in one load case and stops at an own-weight record of any "
        "other; " + file + " gives 0, no own-weight case",
        "keep own weight in one load case, or write the case that holds it in " + file));
  }
  if (options.has_density) {
    given_densities(kg, facts, a, options, file, report);
  } else {
    bool own_weight = a.weight_case != 0 || !facts.weight_cases.empty();
    model_given_densities(kg, facts, own_weight, a, file, report);
    a.from_records = from_weights;
  }
  // LIRA's models never hold VR3, an ANSYS figure of the slabs' solids: the
  // report's last line names it, no finding.
  if (options.has_vr3) {
    a.vr3 = options.vr3;
  } else {
    a.vr3_to_confirm = facts.concrete_slabs;
  }
  return a;
}

std::string answers_text(const SettledAnswers& a) {
  std::string text = figure(a.vr3) + "\n" + figure(a.density) + "\n";
  if (a.exceptions.empty()) {
    text += "n\n";
  } else {
    text += "y\n";
    for (const Options::DensityException& e : a.exceptions) {
      text += std::to_string(e.stiffness) + "\n" + figure(e.density) + "\n";
    }
    text += "0\n";
  }
  return text + std::to_string(a.weight_case) + "\nc\n";
}

std::string answers_summary(const SettledAnswers& a) {
  std::string text = "VR3 " + figure(a.vr3) +
                     (a.vr3_to_confirm ? " (the slabs' volume ratio of lateral reinforcement, "
                                         "yours to confirm)"
                                       : "") +
                     ", density " + figure(a.density) + " kg/m3";
  for (std::size_t i = 0; i < a.exceptions.size(); ++i) {
    text += (i == 0 ? ", stiffness " : ", ") + std::to_string(a.exceptions[i].stiffness) + " " +
            figure(a.exceptions[i].density);
  }
  text += ", own-weight case " + std::to_string(a.weight_case);
  if (!a.from_records.empty()) {
    bool several = a.from_records.size() > 1;
    text += std::string("; stiffness") + (several ? "es " : " ") + names(a.from_records) +
            (several ? " have no RO: their density is what their" : " has no RO: its density "
                                                                     "is what its") +
            " own-weight records imply";
  }
  return text;
}

std::string answers_name_of(const std::string& name) {
  return name.substr(0, extension_of(name)) + ".answers";
}

bool read_answers_file(const std::string& name, Options& options, std::string& error) {
  std::ifstream file(name, std::ios::binary);
  if (!file) {
    error = name + " cannot be read.";
    return false;
  }
  // tarvex's questions, asked of the file; what they say is not shown.
  std::string questions;
  lira::Writer shown(&questions);
  lira::Console con{&shown, &file, false};
  tarvex::Answers answers;
  try {
    tarvex::ask_run_parameters(con, answers);
    if (tarvex::declined_at_check(con)) {
      error = name + " answers 'e' at tarvex's last check, where tarvex ends without converting.";
      return false;
    }
  } catch (const lira::Stop& stop) {
    error = name + " holds answers that tarvex does not take: it stops with " +
            quoted(stop.message);
    return false;
  }
  options.has_vr3 = true;
  options.vr3 = answers.vr3;
  options.has_density = true;
  options.density = answers.density[0];
  options.density_exceptions.clear();
  for (int s = 1; s < kStiffnesses; ++s) {
    float d = answers.density[static_cast<std::size_t>(s)];
    if (d != answers.density[0]) options.density_exceptions.push_back({s, d});
  }
  options.has_weight_case = true;
  options.weight_case = answers.weight_load_no;
  return true;
}

}  // namespace modelcheck
