// The lines of a text file as they really are, raw: any line end, any code
// page. (common's lira::LineReader reads lines as the programs read them.)
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

namespace modelcheck {

/// How a line ended. The programs read text mode, where only LF and CR LF end
/// a line; the other two come from files moved between systems.
enum class LineEnd { kNone, kLf, kCrLf, kLfCr, kCr };

/// One line without its line end, and its number from 1.
struct RawLine {
  std::string_view text;
  LineEnd end = LineEnd::kNone;
  long number = 0;
  /// Characters of the line past `kRawLineMax`, which `text` leaves out.
  std::size_t cut = 0;
};

/// Writes `text` and its line end to a mended copy. LF and CR LF stay as
/// they stand; the line ends that text mode does not know (LF CR, a lone CR)
/// become `usual`, the end of the file's own lines (CR LF or LF).
void write_line(std::ostream& out, std::string_view text, LineEnd end, LineEnd usual);

/// The longest line kept whole: a file without line ends is not held in
/// memory whole.
constexpr std::size_t kRawLineMax = 1 << 20;

/// Reads a file (or a text in memory, for tests) line by line, in binary, so
/// that every line end is seen as it stands. Streams: only the line being
/// read is kept, in a buffer reused from line to line.
class RawLineReader {
 public:
  /// Opens `path`; `ok()` says whether it could be read.
  explicit RawLineReader(const std::string& path);
  /// Reads `text` instead of a file.
  static RawLineReader from_text(std::string_view text);
  ~RawLineReader();
  RawLineReader(const RawLineReader&) = delete;
  RawLineReader& operator=(const RawLineReader&) = delete;
  RawLineReader(RawLineReader&& other) noexcept;

  bool ok() const { return file_ != nullptr || in_memory_; }
  /// The next line; false at the end of the text. A line with no character
  /// and no line end is no line.
  bool next(RawLine& line);

 private:
  RawLineReader() = default;
  int get();
  int peek();

  std::FILE* file_ = nullptr;
  bool in_memory_ = false;
  std::string memory_;
  std::size_t memory_pos_ = 0;
  char buffer_[1 << 16];
  std::size_t pos_ = 0, size_ = 0;
  std::string line_;
  long number_ = 0;
  std::size_t cut_ = 0;
  int pushed_back_ = EOF;  // a CR read ahead and given back
};

}  // namespace modelcheck
