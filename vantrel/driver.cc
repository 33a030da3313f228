#include "driver.h"

#include <cstdint>
#include <cstdio>

#include "common/cp866.h"
#include "common/frame.h"
#include "common/message.h"
#include "common/stop.h"
#include "common/terminal.h"
#include "common/text_model.h"
#include "common/writer.h"
#include "fragment_table.h"
#include "messages.h"
#include "model_merge.h"

namespace vantrel {
namespace {

void open_input(lira::TextReader& in) {
  if (!in.open()) lira::fail(lira::message(msg::kCantOpen, {in.name()}));
}

void create_output(lira::Writer& out, const std::string& name) {
  // Binary: the lines end in CR LF on every platform.
  if (!out.open(name, false)) lira::fail(lira::message(msg::kCantOpen, {name}));
}

// A file that could not be stored to its end is no success.
void finish_output(lira::Writer& out, const std::string& name) {
  if (!out.close()) lira::fail(lira::message(msg::kCantWriteToEnd, {name}));
}

void transform(lira::Writer& trace) {
  std::int64_t first_value_line = 0;
  {
    lira::TextReader model("model.txt");
    open_input(model);
    first_value_line = first_free_value_line(model, trace);
  }
  {
    lira::TextReader table("loadfrag.txt");
    open_input(table);
    lira::Writer doc6, doc7;
    create_output(doc6, "doc6.txt");
    create_output(doc7, "doc7.txt");
    read_fragment_table(table, doc6, doc7, trace, first_value_line);
    table.close();
    finish_output(doc6, "doc6.txt");
    finish_output(doc7, "doc7.txt");
  }
  {
    lira::TextReader model("model.txt"), doc6("doc6.txt"), doc7("doc7.txt");
    open_input(model);
    open_input(doc6);
    open_input(doc7);
    lira::Writer merged;
    create_output(merged, "modelnew.txt");
    merge_model(model, doc6, doc7, merged);
    finish_output(merged, "modelnew.txt");
  }
  std::remove("doc6.txt");
  std::remove("doc7.txt");
}

}  // namespace

int run_vantrel(lira::Console& con) {
  // The trace is a diagnostic listing that nobody sees; it is never checked.
  lira::Writer trace;
  trace.open(lira::terminal::null_device(), true);
  lira::Frame frame{"\nVantrel for LIRA 9.x, v.1.1.",
                    lira::cp866("\nVantrel для LIRA 9.x, версия 1.1."), "model.txt", "modelnew.txt",
                    "loadfrag.txt", lira::model_transformed()};
  int code = lira::run_in_frame(con, frame, [&] {
    transform(trace);
    return lira::Ending::kCompleted;
  });
  trace.close();
  return code;
}

}  // namespace vantrel
