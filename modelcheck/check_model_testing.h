// The plate model that the unit tests of the check's parts spoil one piece at
// a time, and the check run on a text in memory.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "check_model.h"

namespace modelcheck::check_testing {

// A plate model that tarvex converts, to spoil one piece at a time.
inline const std::string kPlate =
    "( 3/\n1 3.0E6 0.2 0.2 /\n)\n"
    "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n"
    "( 1/\n44 1 1 2 3 4 /\n)\n"
    "( 5/\n1 1 2 3 /\n)\n"
    "( 6/\n1 16 3 1 1 /\n1 6 3 2 2 /\n)\n"
    "( 7/\n1 0.5 /\n2 1.5 /\n)\n"
    "( 16/\n1 0 /\n2 0 /\n)\n";

inline std::string report(const std::string& model, Options options = {}, std::string* fixed = nullptr,
                   int* code = nullptr) {
  std::ostringstream out;
  if (fixed != nullptr) options.mode = Mode::kFix;
  int c = check_model_text(model, "modellir.txt", options, out, fixed);
  if (code != nullptr) *code = c;
  return out.str();
}

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace modelcheck::check_testing
