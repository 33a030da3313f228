#include "constraints.h"

#include <string>

#include "common/stop.h"

namespace tarvex {
namespace {

const char* const kLabels[] = {",UX", ",UY", ",UZ", ",ROTX", ",ROTY", ",ROTZ"};

[[noreturn]] void refuse(const std::string& what) {
  lira::fail("\nIncorrect modellir.txt in doc. 5:\n" + what);
}

}  // namespace

void write_constraints(Run& run) {
  lira::Writer& con = *run.console.out;
  reopen_model(run);
  if (!lira::find_record_document(run.model, "( 5/")) {
    lira::fail("\nIncorrect modellir.txt: no links.");
  }

  lira::Token token;
  lira::next_token(run.model, token);
  lira::echo_token(run.console, token);
  while (token.first() != ')') {
    lira::IntValue node = lira::to_int(token);
    if (lira::ends_with_slash(node.end)) refuse("displacements shouldn't be united.");
    int codes = 0;
    for (;;) {
      lira::next_token(run.model, token);
      lira::echo_token(run.console, token);
      if (token.first() == '/') break;
      lira::IntValue code = lira::to_int(token);
      if (code.value < 1 || code.value > 6) {
        refuse("direction " + std::string(token.view()) + " of node " +
               std::to_string(node.value) + " is not one of 1 to 6.");
      }
      run.script << "!*\n D," << node.value << kLabels[code.value - 1] << "\n";
      run.script.flush();
      con << "\n";
      ++codes;
      // A slash glued to the last code ends the record there; the next
      // tokens belong to the next node.
      if (lira::ends_with_slash(code.end)) break;
    }
    if (codes == 0) refuse("displacements shouldn't be united.");
    lira::next_token(run.model, token);
    lira::echo_token(run.console, token);
  }
  run.script << "!*\n!*\n";
  run.model.close();
}

}  // namespace tarvex
