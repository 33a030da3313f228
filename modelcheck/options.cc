#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace modelcheck {

const char kVersionText[] = "modelcheck 1.0\n";

const char kUsageText[] =
    "Usage: modelcheck [option...] [file...]\n"
    "\n"
    "Checks LIRA text models before a conversion, mends what is only spelling,\n"
    "and shows that a conversion's output is the model.\n"
    "\n"
    "  modelcheck [modellir.txt]             what tarvex would refuse, drop or read\n"
    "                                        otherwise than the author meant\n"
    "  modelcheck --fix [modellir.txt]       the same, a mended copy in\n"
    "                                        modellir.fixed.txt, and tarvex's\n"
    "                                        answers in modellir.answers, for\n"
    "                                        tarvex < modellir.answers (a/m.txt\n"
    "                                        gives a/m.fixed.txt, a/m.answers)\n"
    "  modelcheck --vantrel [model.txt] [loadfrag.txt]\n"
    "                                        the same for vantrel's inputs\n"
    "                                        (--fix writes model.fixed.txt)\n"
    "  modelcheck --verify [modellir.txt] [modelans.lgw]\n"
    "                                        the script beside the model\n"
    "  modelcheck --verify --vantrel [model.txt] [loadfrag.txt] [modelnew.txt]\n"
    "                                        vantrel's output beside its inputs\n"
    "  modelcheck --picture [--case N] [modellir.txt] [modelans.lgw]\n"
    "                                        model.svg, a view of the script's model\n"
    "\n"
    "Options:\n"
    "  --density D       the common density in kg/m3, for the own-weight check\n"
    "  --density S:D     stiffness S has the density D (tarvex's exceptions)\n"
    "  --weight-case N   the own-weight load case, for the own-weight check\n"
    "                    (0: none, as tarvex takes the answer 0)\n"
    "  --answers FILE    tarvex's answers, read from FILE as tarvex reads them:\n"
    "                    the densities and the own-weight case as --density and\n"
    "                    --weight-case give them (not together with those);\n"
    "                    with --verify, the script's densities are held to them\n"
    "  --case N          the load case whose loads the picture shows\n"
    "  --help            this text\n"
    "  --version         the version\n"
    "\n"
    "Exit codes: 0 nothing found (with --fix: nothing left after mending), 1\n"
    "findings, 2 a usage error or a file that cannot be read. docs/findings.md\n"
    "explains every finding.\n";

namespace {

bool whole_number(const std::string& text, int& value) {
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || v < 0 || v > 1000000000) return false;
  value = static_cast<int>(v);
  return true;
}

bool real_number(const std::string& text, double& value) {
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(v)) return false;
  value = v;
  return true;
}

// "--density D", or "--density S:D" for an exception.
bool density_option(const std::string& v, Options& options, std::string& error) {
  std::size_t colon = v.find(':');
  if (colon != std::string::npos) {
    // An exception: "4:7850" gives stiffness 4 the density 7850.
    Options::DensityException e{};
    if (!whole_number(v.substr(0, colon), e.stiffness) || e.stiffness < 1 ||
        e.stiffness > 49 || !real_number(v.substr(colon + 1), e.density) || e.density < 0) {
      error = "--density S:D needs a stiffness 1 to 49 and a density in kg/m3, not \"" + v +
              "\".";
      return false;
    }
    options.density_exceptions.push_back(e);
    return true;
  }
  if (!real_number(v, options.density) || options.density < 0) {
    error = "--density needs a density in kg/m3, not \"" + v + "\".";
    return false;
  }
  options.has_density = true;
  return true;
}

// Tasks and options that do not go together.
bool tasks_agree(const Options& options, bool fix, bool verify, bool picture, bool vantrel,
                 std::string& error) {
  if (int(fix) + int(verify) + int(picture) > 1) {
    error = "--fix, --verify and --picture are separate tasks: choose one.";
    return false;
  }
  if (picture && vantrel) {
    error = "--picture draws tarvex's script; it does not go with --vantrel.";
    return false;
  }
  // An answers file gives what the options would: one source, not two.
  bool given = options.has_density || !options.density_exceptions.empty() ||
               options.has_weight_case;
  if (!options.answers_file.empty() && given) {
    error = "--answers gives the densities and the own-weight case: leave out --density and "
            "--weight-case, or --answers.";
    return false;
  }
  if (!options.answers_file.empty() && (vantrel || picture)) {
    error = "--answers holds tarvex's answers: it goes with a check, --fix or --verify of "
            "tarvex's model.";
    return false;
  }
  if (options.load_case != 0 && !picture) {
    error = "--case goes with --picture.";
    return false;
  }
  return true;
}

}  // namespace

bool parse_options(const std::vector<std::string>& args, Options& options, std::string& error) {
  bool fix = false, vantrel = false, verify = false, picture = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* what) -> const std::string* {
      if (i + 1 >= args.size()) {
        error = a + " needs " + what + ".";
        return nullptr;
      }
      return &args[++i];
    };
    if (a == "--help" || a == "-h") {
      options.mode = Mode::kHelp;
      return true;
    } else if (a == "--version") {
      options.mode = Mode::kVersion;
      return true;
    } else if (a == "--fix") {
      fix = true;
    } else if (a == "--vantrel") {
      vantrel = true;
    } else if (a == "--verify") {
      verify = true;
    } else if (a == "--picture") {
      picture = true;
    } else if (a == "--case" || a == "--weight-case") {
      const std::string* v = value("a load case number");
      int* target = a == "--case" ? &options.load_case : &options.weight_case;
      if (!v) return false;
      // tarvex takes 0 as the answer "no own-weight case"; a picture needs a
      // case that has a load step.
      bool weight = a == "--weight-case";
      if (!whole_number(*v, *target) || (*target == 0 && !weight)) {
        error = a + " needs a load case number, not \"" + *v + "\".";
        return false;
      }
      if (weight) options.has_weight_case = true;
    } else if (a == "--answers") {
      const std::string* v = value("the name of an answers file");
      if (!v) return false;
      options.answers_file = *v;
    } else if (a == "--density") {
      const std::string* v = value("a density in kg/m3");
      if (!v || !density_option(*v, options, error)) return false;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a + ".";
      return false;
    } else {
      options.files.push_back(a);
    }
  }
  if (!tasks_agree(options, fix, verify, picture, vantrel, error)) return false;
  std::size_t most = 2;
  if (verify) options.mode = vantrel ? Mode::kVerifyVantrel : Mode::kVerify;
  else if (picture) options.mode = Mode::kPicture;
  else if (vantrel) options.mode = fix ? Mode::kFixVantrel : Mode::kCheckVantrel;
  else {
    options.mode = fix ? Mode::kFix : Mode::kCheck;
    most = 1;
  }
  if (options.mode == Mode::kVerifyVantrel) most = 3;
  if (options.files.size() > most) {
    error = "too many file names: this task reads at most " + std::to_string(most) + ".";
    return false;
  }
  return true;
}

}  // namespace modelcheck
