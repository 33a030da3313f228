#include "driver.h"

#include <cstdio>

#include "common/cp866.h"
#include "common/frame.h"
#include "common/model_messages.h"
#include "common/stop.h"
#include "answers.h"
#include "constraints.h"
#include "elements.h"
#include "load_values.h"
#include "loads.h"
#include "messages.h"
#include "nodes.h"
#include "run.h"
#include "stiffness.h"

namespace tarvex {
namespace {

using lira::cp866;

// The answers go into the run's own tables, which the phases read.
void take_run_parameters(Run& run) {
  Answers answers;
  ask_run_parameters(run.console, answers);
  run.vr3 = answers.vr3;
  run.density = answers.density;
  run.weight_load_no = answers.weight_load_no;
}

void write_preamble(Run& run) {
  lira::Writer& s = run.script;
  s << "/BATCH\n/PREP7\n!*\n!*\n";
  s << "ET,1,SHELL63\n!*\nKEYOPT,1,1,0\nKEYOPT,1,2,0\n"
    << "KEYOPT,1,3,1\nKEYOPT,1,5,0\nKEYOPT,1,6,0\nKEYOPT,1,7,0\n"
    << "KEYOPT,1,8,0\nKEYOPT,1,9,0\n!*\n!*\n";
  s << "ET,2,BEAM4\n!*\n!*\n";
  s << "ET,3,SOLID65\n!*\nKEYOPT,3,1,1\nKEYOPT,3,5,0\n"
    << "KEYOPT,3,6,0\nKEYOPT,3,7,1\n!*\n!*\n";
  s << "ET,4,LINK8\n!*\n!*\n";
  s << "!*\nR," << 1 << ",0, , , ,0, ,\n" << "RMORE, , ,0, , ,\n!*\n";
  s << "!*\nR," << 1 << ",1, ,\n!*\n!*\n";
  s << "LOCAL,11,0,0,0,0,0,0,0,1,1,\n!*\n!*\n";
  run.real_constant_counter = 1;
}

void convert(Run& run) {
  lira::Writer& con = *run.console.out;
  if (!run.script.open("modelans.lgw", true)) lira::fail(msg::kScriptCantOpen);
  run.script.refuse_non_finite("modelans.lgw");
  write_preamble(run);
  if (!run.model.open()) lira::fail(lira::msg::kCantOpenModel);

  read_stiffness_document(run);
  run.model.get();  // the character after the ')' of document 3
  con << "\n";
  run.script << "!*\n!*\n";

  read_nodes(run);
  create_layer_nodes(run);
  write_node_commands(run);
  create_elements(run);
  write_constraints(run);
  read_load_values(run);
  apply_loads(run);

  con.flush();
  run.script << "!*\nFINISH\n";
  run.loads.close();
  run.elements.close();
  // A script that could not be stored to its end is no success; the
  // temporary files stay, as after every stop.
  if (!run.script.close()) lira::fail(msg::kScriptCantWriteToEnd);
  std::remove("elements.tmp");
  std::remove("loades.tmp");
  std::remove("nodes.tmp");
  run.model.close();
}

}  // namespace

int run_tarvex(lira::Console& con) {
  lira::Frame frame{"\nTarvex for LIRA 9.2, v.1.0.", cp866("\nTarvex для LIRA 9.2, версия 1.0."),
                    "modellir.txt", "modelans.lgw", "console input",
                    {msg::kDone, cp866(msg::kDoneRu), false}};
  // The run's files are closed when it ends, after the key of a stop.
  Run run(con);
  return lira::run_in_frame(con, frame, [&] {
    take_run_parameters(run);
    if (declined_at_check(con)) return lira::Ending::kDeclined;
    convert(run);
    return lira::Ending::kCompleted;
  });
}

}  // namespace tarvex
