// modelcheck --picture: the task. It reads the script, finds the load step
// of the load case asked for, builds the scene and writes it.
#include "picture.h"

#include <string>

#include "common/lira_types.h"
#include "common/stop.h"
#include "common/text_model.h"
#include "apdl_script.h"
#include "exit_code.h"
#include "picture.h"
#include "picture_scene.h"
#include "picture_svg.h"

namespace modelcheck {
namespace {

// The load step of load case `load_case`: its place in document 16.
int step_of_case(const std::string& model_name, int load_case, bool& from_model) {
  from_model = false;
  lira::TextReader in(model_name);
  if (!in.open() || !lira::find_document(in, lira::kLoadCasesHeader)) return load_case;
  lira::Token t;
  for (int p = 1; p <= lira::kLoadCaseMax; ++p) {
    if (!lira::read_token(in, t) || t.first() == ')') break;
    if (lira::to_int(t).value == load_case) {
      from_model = true;
      return p;
    }
    if (!lira::skip_to_slash(in)) break;
  }
  return 0;
}

}  // namespace

int draw_picture(const Options& options, std::ostream& out) {
  std::string model_name = options.file(0, "modellir.txt");
  std::string script_name = options.file(1, "modelans.lgw");
  ScriptModel s;
  {
    lira::TextReader in(script_name);
    if (!in.open()) {
      out << "modelcheck --picture: " << script_name << " cannot be opened.\n";
      return kUsage;
    }
    read_script(in, s);
  }
  SceneRequest request;
  request.script_name = script_name;
  request.load_case = options.load_case;
  if (options.load_case != 0) {
    try {
      request.step = step_of_case(model_name, options.load_case, request.step_from_model);
    } catch (const lira::Stop& stop) {
      // Document 16 as tarvex would refuse it: no load step to find.
      out << "modelcheck --picture: " << model_name << " cannot be read as tarvex reads it:" << stop.message
          << "\n";
      return kUsage;
    }
    for (const LoadStep& l : s.steps) {
      if (l.number == request.step && request.step != 0) request.loads = &l;
    }
    if (request.loads == nullptr) {
      out << "modelcheck --picture: load case " << options.load_case << " has no load step in " << script_name
          << ".\n";
      return kUsage;
    }
  }
  Scene scene = build_scene(s, request);
  if (!write_scene_svg(scene, "model.svg")) {
    out << "modelcheck --picture: model.svg cannot be written.\n";
    return kUsage;
  }
  out << "modelcheck --picture: model.svg written: " << scene.node_count << " nodes, " << scene.element_count
      << " elements" << (scene.detailed ? "" : ", drawn as the outline") << ".\n";
  return kClean;
}

}  // namespace modelcheck
