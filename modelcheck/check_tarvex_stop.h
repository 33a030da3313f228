// The stop that tarvex's own reader meets in a model, as a finding of the
// check. The check's scanner is tolerant and sees more than tarvex does, but
// it may miss how tarvex reads a record; reading the model once more with
// tarvex's reader makes every stop of the reading a finding, quoted as tarvex
// prints it.
#pragma once

#include <string>

#include "common/text_model.h"
#include "findings.h"

namespace modelcheck {

/// Where and with what tarvex's reader stops on a model.
struct TarvexStop {
  bool stopped = false;
  std::string message;   // as tarvex prints it, beginning with "\n"
  std::string document;  // the last document found ("7"), empty before the first
};

/// Reads `in` as tarvex reads modellir.txt: its stiffnesses, nodes, elements,
/// supports, value lines, load cases and load table. The message names the
/// model "modellir.txt", as tarvex does, whatever `in` is called.
TarvexStop tarvex_reading_stop(lira::TextReader& in);

/// Adds a "tarvex-stop" finding for the stop of `in`, unless a finding of
/// the report that is left to the engineer already quotes that message. With
/// --fix, `in` is the mended copy: what it still stops at is left to mend.
void add_tarvex_stop(lira::TextReader in, bool mended_copy, Report& report);

}  // namespace modelcheck
