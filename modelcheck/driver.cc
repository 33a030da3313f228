#include "driver.h"

#include "common/stop.h"
#include "check_answers.h"
#include "check_model.h"
#include "check_vantrel.h"
#include "exit_code.h"
#include "options.h"
#include "picture.h"
#include "verify_script.h"
#include "verify_vantrel.h"

namespace modelcheck {

namespace {

int run_task(const Options& options, std::ostream& out) {
  switch (options.mode) {
    case Mode::kHelp: out << kUsageText; return kClean;
    case Mode::kVersion: out << kVersionText; return kClean;
    case Mode::kCheck:
    case Mode::kFix: return check_model(options, out);
    case Mode::kCheckVantrel:
    case Mode::kFixVantrel: return check_vantrel(options, out);
    case Mode::kVerify: return verify_script(options, out);
    case Mode::kVerifyVantrel: return verify_vantrel(options, out);
    case Mode::kPicture: return draw_picture(options, out);
  }
  return kUsage;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parse_options(args, options, error)) {
    err << "modelcheck: " << error << "\nTry modelcheck --help.\n";
    return kUsage;
  }
  if (!options.answers_file.empty() && !read_answers_file(options.answers_file, options, error)) {
    out << "modelcheck: " << error << "\n";
    return kUsage;
  }
  // A stop of the shared reader that a task did not catch is still an
  // orderly report, never an abort.
  try {
    return run_task(options, out);
  } catch (const lira::Stop& stop) {
    out << "modelcheck: a file cannot be read as the programs read it:" << stop.message << "\n";
  }
  return kUsage;
}

}  // namespace modelcheck
