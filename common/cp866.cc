#include "cp866.h"

#include <cstdint>
#include <cstdlib>

namespace lira {
namespace {

// Code page 866 byte of one character beyond ASCII; 0 when it has none here.
unsigned char cp866_byte(std::uint32_t c) {
  if (c >= 0x410 && c <= 0x43F) return static_cast<unsigned char>(0x80 + (c - 0x410));  // А..п
  if (c >= 0x440 && c <= 0x44F) return static_cast<unsigned char>(0xE0 + (c - 0x440));  // р..я
  switch (c) {
    case 0x401: return 0xF0;   // Ё
    case 0x451: return 0xF1;   // ё
    case 0x2116: return 0xFC;  // №
    case 0x2500: return 0xC4;  // ─
    case 0x2510: return 0xBF;  // ┐
    case 0x251C: return 0xC3;  // ├
    case 0x2518: return 0xD9;  // ┘
  }
  return 0;
}

}  // namespace

std::string cp866(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    int extra = (b >= 0xF0) ? 3 : (b >= 0xE0) ? 2 : (b >= 0xC0) ? 1 : -1;
    if (extra < 0 || i + extra >= utf8.size()) std::abort();
    std::uint32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    unsigned char mapped = cp866_byte(c);
    if (mapped == 0) std::abort();  // a text of the program outside the code page
    out += static_cast<char>(mapped);
    i += extra + 1;
  }
  return out;
}

}  // namespace lira
