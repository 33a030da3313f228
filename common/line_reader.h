// Lines of a LIRA text input, as the programs that read a model line by line
// take them: at most 149 characters each.
#pragma once

#include <cstring>
#include <string_view>

#include "text_model.h"

namespace lira {

/// The longest line that a line reader takes; as long as the longest token.
constexpr int kLineMax = kTokenMax;

/// One line, its line end removed.
struct Line {
  /// The characters: in the reader's buffer while the line lies whole in it
  /// (valid until the next line is read), else in `text`.
  const char* data = text;
  char text[kLineMax + 1] = {};
  int length = 0;
  bool has_end = false;  // false for a last line without a line end

  Line() = default;
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  bool empty() const { return length == 0; }
  std::string_view view() const { return std::string_view(data, static_cast<std::size_t>(length)); }
  bool starts_with(std::string_view s) const { return view().substr(0, s.size()) == s; }
  /// The line ended by a zero, in `text`.
  const char* c_str() {
    if (data != text) {
      std::memcpy(text, data, static_cast<std::size_t>(length));
      data = text;
    }
    text[length] = '\0';
    return text;
  }
};

/// Reads the lines of one input from its current position, counting them.
class LineReader {
 public:
  explicit LineReader(TextReader& in) : in_(in) {}

  enum class Result { kLine, kEnd, kTooLong };
  /// The next line: kEnd when no character is left, kTooLong (and a line of
  /// no use) when it holds more than 149 characters.
  Result next(Line& line);
  /// The next line; false at the end. A line of more than 149 characters
  /// stops the run: "\nIncorrect <file>: line <n> is longer than 149
  /// characters."
  bool read(Line& line);

  /// The number of the line read last, from 1.
  long long number() const { return number_; }

 private:
  TextReader& in_;
  long long number_ = 0;
};

}  // namespace lira
