// Stiffness rows in LIRA's own words, which tarvex does not read: a plate
// written with its keyword, the continuation rows that carry a density or a
// Poisson's ratio, a density at the end of a stiffness's own row. The check
// rewrites them in tarvex's words, or reports what they say.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

/// A plate in LIRA's words: "1 GEI 3.31e+006 0.2 0.3 RO 2.5 /" (modulus,
/// Poisson's ratio, thickness, then perhaps the density in t/m3).
struct LiraPlate {
  std::string modulus;  // with a decimal point, as tarvex knows a plate by it
  std::string ratio, thickness;
  double density = -1;  // t/m3; -1 where the row gives none
};

/// The plate that the words of a record of document 3 describe (the number,
/// "GEI", its values, the slash alone or glued to the last value), or none
/// where the row has any other shape.
std::optional<LiraPlate> lira_plate(const std::vector<std::string>& words);

/// The plate's row after its number, as tarvex reads it: "3.31e+006 0.2 0.3 /".
std::string plate_row(const LiraPlate& plate);

/// A number with a decimal point: "3e+006" gives "3.0e+006", "30000" gives
/// "30000.0"; one that has a point stays as it is.
std::string with_point(std::string_view number);

/// What a continuation row of a stiffness says ("0 RO 2.5/", "0 Mu 0.2/",
/// "0 RO 2.5 Mu 0.2 /"). Certain only where every word after the 0 is "RO"
/// or "Mu" with its number, and the row ends with its slash.
struct Continuation {
  bool certain = false;
  double density = -1;  // t/m3, or -1
  double ratio = -1;    // Poisson's ratio, or -1
  std::string ratio_text;
};
Continuation continuation_row(const std::vector<std::string>& words);

/// The density at the end of a stiffness's own row ("3 S0 3.31e+006 40 40 RO
/// 2.5/"), which tarvex passes over; -1 where there is none.
double own_row_density(const std::vector<std::string>& words);

}  // namespace modelcheck
