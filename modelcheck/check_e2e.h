// The model that the whole runs of the check and of tarvex share: a plate
// on four nodes with its own weight and a pressure, and the answers that
// both programs are given for it.
#pragma once

#include <string>
#include <vector>

namespace check_e2e {

// A plate on four nodes, its own weight (0.2 m at 2500 kg/m3 gives 0.5) in
// case 1 and a pressure in case 2.
inline const std::string kPlate =
    "( 3/\n"
    "1 3.0E6 0.2 0.2 /\n"
    ")\n"
    "( 4/\n"
    "0 0 0 /\n"
    "1 0 0 /\n"
    "0 1 0 /\n"
    "1 1 0 /\n"
    ")\n"
    "( 1/\n"
    "44 1 1 2 3 4 /\n"
    ")\n"
    "( 5/\n"
    "1 1 2 3 /\n"
    ")\n"
    "( 6/\n"
    "1 16 3 1 1 /\n"
    "1 6 3 2 2 /\n"
    ")\n"
    "( 7/\n"
    "1 0.5 /\n"
    "2 1.5 /\n"
    ")\n"
    "( 16/\n"
    "1 0 /\n"
    "2 0 /\n"
    ")\n";
// VR3, density 2500, no exceptions, own weight in case 1, go on.
inline constexpr char kAnswers[] = "0.005\n2500\nn\n1\nc\n";
inline const std::vector<std::string> kDensity = {"--density", "2500", "--weight-case", "1"};

}  // namespace check_e2e
