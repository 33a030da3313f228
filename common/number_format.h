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

/// printf "%.Pg" with P = `precision` (at most 17) and an exponent of at least
/// `exponent_digits` digits (2 as C writes it, 3 as `format_real`).
std::size_t format_general(double value, int precision, int exponent_digits, char* out);

std::string format_real(double value);

}  // namespace lira
