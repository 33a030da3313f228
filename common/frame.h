// The frame of every program's run: what it shows first, the orderly stop
// that ends it on an error, and what it shows when it succeeds.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "console.h"
#include "writer.h"

namespace lira {

/// What a run that was not stopped shows last.
struct Success {
  std::string english;
  std::string russian;  // code page 866 bytes
  /// The user reads the screen and presses a key, as after a stop.
  bool wait_for_key = false;
};

/// keslow and vantrel, which both transform a model, end alike.
Success model_transformed();

/// One program's frame: its banner, the names of its file diagram and its
/// success.
struct Frame {
  std::string banner_english;
  std::string banner_russian;  // code page 866 bytes
  std::string_view first_input, output, second_input;
  Success success;
  /// A trace that shares the screen: flushed before the frame shows
  /// anything, so the two never mix. May be null.
  Writer* trace = nullptr;
};

/// How a body ended that was not stopped.
enum class Ending {
  kCompleted,  // the success is shown, exit code 0
  kDeclined,   // the user chose to leave: nothing more is shown, exit code -1
};

/// Shows the banner and the file diagram, then runs `body`. A stop that the
/// body takes ends in the orderly stop, with exit code 1: the files that the
/// caller owns are closed after the key, so what was written stays. Returns
/// the run's exit code: 0 for a success, 1 for a stop, -1 when declined.
int run_in_frame(Console& con, const Frame& frame, const std::function<Ending()>& body);

}  // namespace lira
