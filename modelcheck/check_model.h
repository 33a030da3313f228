// The check of a tarvex model (modelcheck, modelcheck --fix), on a text in
// memory as on a file.
#pragma once

#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

#include "answer_facts.h"
#include "options.h"

namespace modelcheck {

/// The task of `modelcheck [--fix] [modellir.txt]`: the report to `out`;
/// returns the exit code (exit_code.h).
int check_model(const Options& options, std::ostream& out);

/// Checks the model `text` (named `name` in the report) as `check_model`
/// checks a file, the report to `out`; with `fixed` set, the mended copy goes
/// there; with `facts` set, what the model says of tarvex's answers goes
/// there. Returns the exit code.
int check_model_text(std::string_view text, const std::string& name, const Options& options,
                     std::ostream& out, std::string* fixed, AnswerFacts* facts = nullptr);

/// What both checks share.

/// The name of the mended copy, beside the model: "a/model.txt" gives
/// "a/model.fixed.txt".
std::string fixed_name_of(const std::string& name);
/// Where the extension of the file name `name` begins (its size where it
/// has none): the copy and the answers are named from what stands before.
std::size_t extension_of(const std::string& name);

/// False, with the engineer told, when the file `name` cannot be read.
bool readable(const std::string& name, std::ostream& out);
/// Opens the mended copy `name` when `fixing`; false, with the engineer told,
/// when it cannot be written.
bool open_mended_copy(bool fixing, const std::string& name, std::ofstream& file, std::ostream& out);

}  // namespace modelcheck
