#include "frame.h"

#include "cp866.h"
#include "model_messages.h"
#include "stop.h"

namespace lira {
namespace {

void flush_trace(const Frame& frame) {
  if (frame.trace != nullptr) frame.trace->flush();
}

}  // namespace

Success model_transformed() {
  return Success{msg::kSuccess, cp866(msg::kSuccessRu), true};
}

int run_in_frame(Console& con, const Frame& frame, const std::function<Ending()>& body) {
  try {
    print_banner(con, frame.banner_english, frame.banner_russian);
    print_file_diagram(con, frame.first_input, frame.output, frame.second_input);
    if (body() == Ending::kDeclined) {
      con.out->flush();
      return -1;
    }
    flush_trace(frame);
    say(con, frame.success.english, frame.success.russian);
    if (frame.success.wait_for_key) {
      press_any_key_to_finish(con);
    } else {
      con.out->flush();
    }
  } catch (const Stop& stop) {
    flush_trace(frame);
    orderly_stop(con, stop.message);
    // A caller that runs the program from a script must tell a failed run
    // from a good one.
    return 1;
  }
  return 0;
}

}  // namespace lira
