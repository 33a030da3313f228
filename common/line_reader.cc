#include "line_reader.h"

#include <string>

#include "message.h"
#include "model_messages.h"
#include "stop.h"

namespace lira {

LineReader::Result LineReader::next(Line& line) {
  line.length = 0;
  line.has_end = false;
  std::string_view ahead = in_.buffered();
  if (ahead.empty()) return Result::kEnd;
  ++number_;
  // Nearly every line lies whole in the read-ahead buffer and is used there.
  const char* end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
  if (end != nullptr && end - ahead.data() <= kLineMax) {
    line.data = ahead.data();
    line.length = static_cast<int>(end - ahead.data());
    line.has_end = true;
    in_.skip(static_cast<std::size_t>(line.length) + 1);
    return Result::kLine;
  }
  line.data = line.text;
  // The line in spans of the read-ahead buffer, each up to a line end.
  for (;;) {
    end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
    std::size_t n = end != nullptr ? static_cast<std::size_t>(end - ahead.data()) : ahead.size();
    if (n > static_cast<std::size_t>(kLineMax - line.length)) {
      line.length = 0;
      return Result::kTooLong;
    }
    std::memcpy(line.text + line.length, ahead.data(), n);
    line.length += static_cast<int>(n);
    if (end != nullptr) {
      in_.skip(n + 1);
      line.has_end = true;
      break;
    }
    in_.skip(n);
    ahead = in_.buffered();
    if (ahead.empty()) break;
  }
  line.text[line.length] = '\0';
  return Result::kLine;
}

bool LineReader::read(Line& line) {
  Result r = next(line);
  if (r == Result::kTooLong) {
    fail(message(msg::kFileLongLine, {in_.name(), std::to_string(number_)}));
  }
  return r == Result::kLine;
}

}  // namespace lira
