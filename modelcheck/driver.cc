#include "driver.h"

#include "options.h"
#include "tasks.h"

namespace modelcheck {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parse_options(args, options, error)) {
    err << "modelcheck: " << error << "\nTry modelcheck --help.\n";
    return kUsage;
  }
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

}  // namespace modelcheck
