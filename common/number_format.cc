#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lira {
namespace {

/// The digits (no trailing zeros) and the decimal exponent of a number.
struct Decimal {
  bool negative = false;
  char digits[24] = {};
  int count = 0;
  int exponent = 0;  // of the first digit
};

// The shortest digits that read back as `value`, from its scientific text
// "-d.ddde+XX". A value with at most `precision` of them is already rounded
// to that precision: it lies far closer to them than to any halfway point of
// the coarser grid, so "%.Pg" shows exactly these digits.
template <class T>
bool shortest(T value, Decimal& d) {
  char text[48];
  auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  if (r.ec != std::errc()) return false;
  const char* p = text;
  const char* end = r.ptr;
  d.negative = *p == '-';
  if (d.negative) ++p;
  d.count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (d.count == static_cast<int>(sizeof d.digits)) return false;
    d.digits[d.count++] = *p;
  }
  if (p == end) return false;
  ++p;  // 'e'
  bool negative_exponent = *p == '-';
  ++p;  // its sign
  int e = 0;
  for (; p < end; ++p) e = e * 10 + (*p - '0');
  d.exponent = negative_exponent ? -e : e;
  return true;
}

std::size_t write_exponent(int exponent, int min_digits, char* out) {
  std::size_t k = 0;
  out[k++] = 'e';
  out[k++] = exponent < 0 ? '-' : '+';
  char text[8];
  auto r = std::to_chars(text, text + sizeof text, exponent < 0 ? -exponent : exponent);
  int n = static_cast<int>(r.ptr - text);
  for (int pad = n; pad < min_digits; ++pad) out[k++] = '0';
  std::memcpy(out + k, text, static_cast<std::size_t>(n));
  return k + static_cast<std::size_t>(n);
}

// "%.Pg" of the digits: fixed notation for exponents from -4 to P - 1,
// scientific otherwise, no trailing zeros.
std::size_t write_general(const Decimal& d, int precision, int exponent_digits, char* out) {
  std::size_t k = 0;
  if (d.negative) out[k++] = '-';
  int x = d.exponent;
  if (x < -4 || x >= precision) {
    out[k++] = d.digits[0];
    if (d.count > 1) {
      out[k++] = '.';
      for (int i = 1; i < d.count; ++i) out[k++] = d.digits[i];
    }
    return k + write_exponent(x, exponent_digits, out + k);
  }
  if (x >= 0) {
    for (int i = 0; i <= x; ++i) out[k++] = i < d.count ? d.digits[i] : '0';
    if (d.count > x + 1) {
      out[k++] = '.';
      for (int i = x + 1; i < d.count; ++i) out[k++] = d.digits[i];
    }
    return k;
  }
  out[k++] = '0';
  out[k++] = '.';
  for (int i = -1; i > x; --i) out[k++] = '0';
  for (int i = 0; i < d.count; ++i) out[k++] = d.digits[i];
  return k;
}

// Rounding to the precision by the library, then the exponent widened.
std::size_t general_by_rounding(double value, int precision, int exponent_digits, char* out) {
  char text[kRealTextMax];
  auto result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
  std::size_t n = static_cast<std::size_t>(result.ptr - text);
  const char* e = static_cast<const char*>(std::memchr(text, 'e', n));
  if (e == nullptr) {
    std::memcpy(out, text, n);
    return n;
  }
  std::size_t head = static_cast<std::size_t>(e - text) + 2;  // through the sign
  std::size_t digits = n - head;
  std::memcpy(out, text, head);
  std::size_t k = head;
  for (std::size_t pad = digits; pad < static_cast<std::size_t>(exponent_digits); ++pad) {
    out[k++] = '0';
  }
  std::memcpy(out + k, text + head, digits);
  return k + digits;
}

// The most digits for which the shortest digits decide: the halfway points of
// the grid stay farther away than half a unit of the type (2^-53 of a double,
// 2^-24 of a float, relative, for normal numbers).
template <class T>
constexpr int kDecidingDigits = sizeof(T) == sizeof(float) ? 6 : 15;

constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Most numbers of a model are short decimals (12.5, -0.25, 2500): the value is
// the one nearest to m / 10^k for a whole m of at most `precision` digits,
// which the library divides exactly rounded; those digits are then the ones
// "%.Pg" shows, in fixed notation. False for any other value.
template <class T>
bool short_decimal(T value, int precision, Decimal& d) {
  double v = std::fabs(static_cast<double>(value));
  if (!(v >= 1e-4 && v < kPowersOfTen[precision])) return false;
  const double limit = kPowersOfTen[precision];
  for (int k = 0; k <= 10; ++k) {
    double m = std::nearbyint(v * kPowersOfTen[k]);
    if (m >= limit) return false;
    bool exact = sizeof(T) == sizeof(float)
                     ? static_cast<float>(m) / static_cast<float>(kPowersOfTen[k]) ==
                           std::fabs(static_cast<float>(value))
                     : m / kPowersOfTen[k] == v;
    if (!exact) continue;
    char text[24];
    auto r = std::to_chars(text, text + sizeof text, static_cast<long long>(m));
    int length = static_cast<int>(r.ptr - text);
    int n = length;
    while (n > 1 && text[n - 1] == '0') --n;  // the digits without trailing zeros
    d.negative = std::signbit(value);
    d.count = n;
    std::memcpy(d.digits, text, static_cast<std::size_t>(n));
    d.exponent = length - 1 - k;
    return true;
  }
  return false;
}

// True when `d` holds digits that "%.Pg" shows for the value: digits that
// also read back to the value by themselves.
template <class T>
bool decided(T value, int precision, Decimal& d) {
  if (precision > kDecidingDigits<T>) return false;
  if (short_decimal(value, precision, d)) return true;
  // Subnormal numbers have fewer digits of their own: the library rounds them.
  return (std::isnormal(value) || value == 0) && shortest(value, d) && d.count <= precision;
}

template <class T>
std::size_t format(T value, int precision, int exponent_digits, char* out) {
  Decimal d;
  if (decided(value, precision, d)) return write_general(d, precision, exponent_digits, out);
  return general_by_rounding(static_cast<double>(value), precision, exponent_digits, out);
}

}  // namespace

std::size_t format_general(double value, int precision, int exponent_digits, char* out) {
  return format(value, precision, exponent_digits, out);
}

std::size_t format_real(double value, char* out) { return format(value, 6, 3, out); }

// A float's own shortest digits decide as a double's do: the float lies within
// half its unit of them, far from any halfway point of six digits.
std::size_t format_real(float value, char* out) { return format(value, 6, 3, out); }

std::size_t format_coordinate(float value, char* out) {
  // Most coordinates are short decimals, whose six digits read back.
  Decimal d;
  if (decided(value, 6, d)) return write_general(d, 6, 3, out);
  std::size_t n = general_by_rounding(static_cast<double>(value), 6, 3, out);
  // Nine significant digits always read back to the same float.
  for (int precision = 7; precision <= 9 && std::isfinite(value); ++precision) {
    float back = 0;
    auto r = std::from_chars(out, out + n, back);
    if (r.ec == std::errc() && r.ptr == out + n && back == value) break;
    n = format(value, precision, 3, out);
  }
  return n;
}

std::string format_real(double value) {
  char text[kRealTextMax];
  return std::string(text, format_real(value, text));
}

}  // namespace lira
