#include "number_format.h"

#include <charconv>
#include <cstring>

namespace lira {

std::size_t format_real(double value, char* out) {
  char text[kRealTextMax];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  std::size_t n = static_cast<std::size_t>(result.ptr - text);
  // The exponent has its sign and at least three digits: "e+10" becomes "e+010".
  const char* e = static_cast<const char*>(std::memchr(text, 'e', n));
  if (e == nullptr) {
    std::memcpy(out, text, n);
    return n;
  }
  std::size_t head = static_cast<std::size_t>(e - text) + 2;  // through the sign
  std::size_t digits = n - head;
  std::memcpy(out, text, head);
  std::size_t k = head;
  for (std::size_t pad = digits; pad < 3; ++pad) out[k++] = '0';
  std::memcpy(out + k, text + head, digits);
  return k + digits;
}

std::string format_real(double value) {
  char text[kRealTextMax];
  return std::string(text, format_real(value, text));
}

}  // namespace lira
