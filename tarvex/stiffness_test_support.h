// Unit tests of document 3: a run over an in-memory model.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "common/stop.h"
#include "run.h"
#include "stiffness.h"

namespace tarvex {
namespace testing {

// A run over an in-memory model, as the driver leaves it after the preamble:
// VR3 0.5, every density 2500, the real-constant counter at 1.
struct Fixture {
  explicit Fixture(std::string_view model)
      : run(con, lira::TextReader::from_text("modellir.txt", model)) {
    run.script.open_text(&script);
    run.script.refuse_non_finite("modelans.lgw");
    run.vr3 = 0.5;
    run.density.fill(2500);
    run.real_constant_counter = 1;
  }

  // Reads document 3; the message of the stop, or "" when it went through.
  std::string read() {
    try {
      read_stiffness_document(run);
    } catch (const lira::Stop& stop) {
      return stop.message;
    }
    return "";
  }

  std::string console;
  std::string script;
  lira::Writer console_writer{&console};
  std::istringstream keys;
  lira::Console con{&console_writer, &keys, false};
  Run run;
};

inline std::string text(const AttributeText& a) { return a.text; }

}  // namespace testing
}  // namespace tarvex
