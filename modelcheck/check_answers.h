// The answers to tarvex's questions, settled from what the model says, and
// the answers file that holds them: the lines tarvex reads on standard input,
// so that `tarvex < modellir.answers` converts without a question.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "answer_facts.h"
#include "findings.h"
#include "options.h"

namespace modelcheck {

/// What an answers file holds, in the order tarvex asks for it.
struct SettledAnswers {
  double vr3 = 0;
  double density = 0;  // the common density, kg/m3
  std::vector<Options::DensityException> exceptions;  // by ascending stiffness
  std::int32_t weight_case = 0;                       // 0: none
  /// Stiffnesses without RO whose density comes from their own-weight
  /// records (value over section).
  std::vector<int> from_records;
  /// The model has reinforced concrete slabs, whose VR3 it cannot give.
  bool vr3_to_confirm = false;
};

/// The answers that the model's own facts give: the common density is the
/// most frequent density (RO, t/m3; without RO, what the own-weight records
/// imply) of the stiffnesses that weigh, in kg/m3;
/// each weighing stiffness of another density is an exception; the own-weight
/// case is the one case of the model's own-weight records; VR3 is 0. Densities, VR3 or
/// an own-weight case that the engineer gave (`options`) stand as given. What
/// only the engineer can settle, and a tie settled, go to `report` as findings
/// that name the answers file `answers_name`.
SettledAnswers settle_answers(const AnswerFacts& facts, const Options& options,
                              const std::string& answers_name, Report& report);

/// The lines tarvex reads: VR3, the common density, 'y' and the exceptions
/// (stiffness, density) ended by 0, or 'n' where there are none, the
/// own-weight case, and 'c' to go on at the last check.
std::string answers_text(const SettledAnswers& answers);

/// One line for the report: what the answers hold.
std::string answers_summary(const SettledAnswers& answers);

/// The answers file beside the model: "a/model.txt" gives "a/model.answers".
std::string answers_name_of(const std::string& model_name);

/// Reads the answers file `name` through tarvex's own questions, as tarvex
/// reads them from standard input, into the densities, VR3 and own-weight
/// case of `options`. False, with `error` a line for the engineer, when the
/// file cannot be read or holds answers at which tarvex would stop or
/// decline.
bool read_answers_file(const std::string& name, Options& options, std::string& error);

}  // namespace modelcheck
