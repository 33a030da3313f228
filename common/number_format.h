// The one number format of every text the programs write.
#pragma once

#include <cstddef>
#include <string>

namespace lira {

/// Longest text `format_real` writes, with room to spare ("-1.23457e-308").
constexpr std::size_t kRealTextMax = 32;

/// Writes `value` as printf "%.6g" does, but with the exponent always of at
/// least three digits and its sign ("3e+010", "1e-005"), as the programs'
/// platform writes it. Returns the number of characters written (no zero end).
std::size_t format_real(double value, char* out);
/// A single-precision value, written as its widened double is.
std::size_t format_real(float value, char* out);

/// A coordinate that the reader of the script must get back exactly: written
/// as `format_real` writes it wherever that text reads back to `value`, and
/// otherwise with 7, 8 or 9 significant digits (the first that reads back),
/// by the same rules of exponent form and trailing zeros. A site coordinate
/// such as 512351.2 keeps its last digit instead of becoming 512351.
std::size_t format_coordinate(float value, char* out);

/// printf "%.Pg" with P = `precision` (at most 17) and an exponent of at least
/// `exponent_digits` digits (2 as C writes it, 3 as `format_real`).
std::size_t format_general(double value, int precision, int exponent_digits, char* out);

std::string format_real(double value);

}  // namespace lira
