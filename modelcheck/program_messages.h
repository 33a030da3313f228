// The messages of tarvex and vantrel that modelcheck's findings quote, taken
// from the programs' own tables, with "<n>", "<token>" and "<file>" where the
// run fills in a value.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "common/model_messages.h"
#include "tarvex/messages.h"
#include "vantrel/messages.h"

namespace modelcheck {
namespace msg {

// Quoted from the programs' own tables.
using namespace ::lira::msg;
using namespace ::tarvex::msg;
using namespace ::vantrel::msg;

}  // namespace msg

/// "stops with" and `message`, its placeholders ("<n>", "<token>", ...)
/// filled in order from `values`, quoted for a finding.
std::string stop_message(const char* message,
                         std::initializer_list<std::string_view> values = {});

}  // namespace modelcheck
