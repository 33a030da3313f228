// A console for tests: what is shown goes to a string, keys and numbers come
// from the scripted answers.
#pragma once

#include <sstream>
#include <string>

#include "common/console.h"
#include "common/writer.h"

namespace lira {
namespace testing {

struct ScriptedConsole {
  explicit ScriptedConsole(const std::string& answers) : in(answers) {}
  std::string shown;
  Writer out{&shown};
  std::istringstream in;
  Console con{&out, &in, false};
};

}  // namespace testing
}  // namespace lira
