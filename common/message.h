// The messages of the programs are texts of fixed tables (one header per
// program, common/model_messages.h for the shared model reader), written
// exactly as docs/messages.md shows them: "<n>", "<token>" and the like mark
// where a run fills in a value.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace lira {

/// `text` with its places in angle brackets filled, in order, from `values`.
/// Only as many places are filled as there are values, so a text may keep a
/// bracketed word that it prints as it stands (vantrel's "<model>"); a value
/// is never searched for places itself.
std::string message(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace lira
