// The orderly stop: the one way every program ends on an error.
#pragma once

#include <string>
#include <string_view>

namespace lira {

/// Thrown by a phase that has found an error. The driver catches it, shows the
/// message with `orderly_stop` and ends the run; the files it owns are closed
/// as it unwinds, so what was written to them stays on disk.
struct Stop {
  std::string message;  // begins with "\n"
};

[[noreturn]] void fail(std::string_view message);

}  // namespace lira
