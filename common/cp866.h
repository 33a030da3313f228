// Russian texts and box characters as the console's code page 866 bytes.
#pragma once

#include <string>
#include <string_view>

namespace lira {

/// Turns a text written in UTF-8 in the source (so it reads as Russian) into
/// the code page 866 bytes the console shows. Cyrillic letters, "№" and the
/// four box characters of the file diagram are mapped; ASCII stays as it is.
/// Any other character is a fault of the program's texts and aborts.
std::string cp866(std::string_view utf8);

}  // namespace lira
