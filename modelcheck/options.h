// The command line of modelcheck.
#pragma once

#include <string>
#include <vector>

namespace modelcheck {

enum class Mode {
  kCheck,          // what stands between modellir.txt and a conversion
  kFix,            // ... and a mended copy of what is only spelling
  kCheckVantrel,   // vantrel's model.txt and loadfrag.txt
  kFixVantrel,
  kVerify,         // modelans.lgw against modellir.txt
  kVerifyVantrel,  // modelnew.txt against model.txt and loadfrag.txt
  kPicture,        // model.svg of the script
  kHelp,
  kVersion,
};

/// What the engineer asked for. File names default to the fixed names of the
/// programs, in the folder where modelcheck runs.
struct Options {
  Mode mode = Mode::kCheck;
  std::vector<std::string> files;  // as given, in order; see the `*_file` helpers
  int load_case = 0;               // --case N: the load case a picture shows (0: none)
  bool has_density = false;        // --density D: the common density, kg/m3
  double density = 0;
  /// --density S:D, as often as needed: stiffness S has the density D, as
  /// tarvex's density exceptions give it.
  struct DensityException {
    int stiffness;
    double density;
  };
  std::vector<DensityException> density_exceptions;
  /// --weight-case N: the own-weight load case, as tarvex is answered; 0
  /// is tarvex's answer for none. Without it the check takes the case of the
  /// first own-weight record.
  bool has_weight_case = false;
  int weight_case = 0;
  /// --answers FILE: tarvex's answers, read from FILE as tarvex reads them;
  /// they give the densities, the own-weight case and VR3.
  std::string answers_file;
  bool has_vr3 = false;
  double vr3 = 0;

  /// The n-th file named on the command line, or `fallback`.
  std::string file(std::size_t n, const char* fallback) const {
    return n < files.size() ? files[n] : fallback;
  }
};

/// Reads the arguments (without the program name). False, with `error` set to
/// a line for the engineer, when they make no sense.
bool parse_options(const std::vector<std::string>& args, Options& options, std::string& error);

/// The text of --help.
extern const char kUsageText[];
extern const char kVersionText[];

}  // namespace modelcheck
