#include "driver.h"

#include <cstdio>
#include <memory>

#include "common/cp866.h"
#include "common/frame.h"
#include "common/stop.h"
#include "common/terminal.h"
#include "common/text_model.h"
#include "common/writer.h"
#include "element_list.h"
#include "messages.h"
#include "plate_search.h"

namespace keslow {
namespace {

using lira::cp866;

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

/// One reading of document 1: every plate's entry in the table of `pass` is
/// found and written as a plain plate's entry.
void run_pass(Pass pass, lira::TextReader& list, PlateScan& scan, lira::Writer& trace,
              std::int32_t stiffness) {
  if (!find_element_list(list)) lira::fail(msg::kNoDoc1);
  std::int32_t count = 0;
  Element element;
  while (read_element(list, pass, count, trace, element)) {
    if (!element.is_plate()) continue;
    Entry layered = table_entry(element, pass);
    if (!scan.replace(layered, plain_entry(layered, pass, stiffness))) {
      lira::fail(pass == Pass::kForces
                     ? msg::kForcesEnd : msg::kElementsEnd);
    }
    trace << "El. No " << element.number << " found, pass " << static_cast<int>(pass) << "\n";
  }
}

void transform(lira::Console& con, lira::Writer& trace) {
  lira::say(con, "\nEnter number of stiffness: ", cp866("\nВведите номер жесткости: "));
  std::int32_t stiffness = lira::read_int(con);
  // The console line ends before the trace, which shares the screen, begins.
  *con.out << "\n";
  con.out->flush();

  lira::TextReader list("A_02.A");
  if (!list.open()) lira::fail(msg::kListCantOpen);
  lira::Writer result;
  if (!result.open("B#00.B", false)) lira::fail(msg::kResultCantOpen);
  File source(std::fopen("A#00.A", "rb"));
  if (!source) lira::fail(msg::kSourceCantOpen);

  // Both passes go on through A#00.A from where the previous search ended.
  // The scan is left before B#00.B is closed, also on a stop.
  PlateScan scan(source.get(), result);
  run_pass(Pass::kForces, list, scan, trace, stiffness);
  if (!list.open()) lira::fail(msg::kListCantOpen);
  run_pass(Pass::kElements, list, scan, trace, stiffness);
  scan.copy_rest();
  // A B#00.B that could not be stored whole is no success.
  if (!result.close()) lira::fail(msg::kResultCantWriteToEnd);
}

}  // namespace

int run_keslow(lira::Console& con, std::FILE* trace_file) {
  bool owned = false;
  std::FILE* device = trace_file ? trace_file : lira::terminal::open_console_trace(&owned);
  if (device == nullptr) device = stderr;  // no console device: the nearest one
  int code = 0;
  {
    // The trace is flushed whenever the console is about to show something,
    // so the two never mix on the screen.
    lira::Writer trace(device);
    lira::Frame frame{"\nKeslow for LIRA 9.x, v.1.0.", cp866("\nKeslow для LIRA 9.x, версия 1.0."),
                      "A#00.A", "B#00.B", "A_02.A", lira::model_transformed(), &trace};
    code = lira::run_in_frame(con, frame, [&] {
      transform(con, trace);
      return lira::Ending::kCompleted;
    });
  }
  if (owned) std::fclose(device);
  return code;
}

}  // namespace keslow
