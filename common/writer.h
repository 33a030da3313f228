// Buffered text output to a file, standard output or a string.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace lira {

/// A single-precision node coordinate that the script must hold exactly
/// (see `format_coordinate`).
struct Coordinate {
  float value;
};

/// A buffered output stream for the console, the script and the other text
/// files. Numbers go through the one number format (integers in decimal, reals
/// as "%.6g" with a three-digit exponent, floats widened first). A writer that
/// refuses non-finite numbers stops the run rather than write "inf" or "nan"
/// into a file another program will read.
class Writer {
 public:
  /// Writes to an open stream that the writer does not own (the console).
  explicit Writer(std::FILE* stream);
  /// Writes into a string (tests).
  explicit Writer(std::string* text);
  /// Not open; `open` makes it write to a file of its own.
  Writer();
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  /// Creates or truncates `path`. Text mode gives the platform's line ends;
  /// binary mode writes the bytes as they are (for CR LF on every platform).
  bool open(const std::string& path, bool text_mode);
  /// Flushes and closes a file of its own. False when anything written since
  /// `open` could not be stored.
  bool close();
  /// Writes into `text` from now on (tests of a phase that owns its writer).
  void open_text(std::string* text);
  bool is_open() const { return file_ != nullptr || text_ != nullptr; }

  /// Refuse non-finite reals: `fail` with a message naming `file_name`.
  void refuse_non_finite(std::string file_name) { finite_only_name_ = std::move(file_name); }

  void write(const char* data, std::size_t size) {
    // Most writes are a few characters that fit the buffer of a file.
    if (file_ != nullptr && text_ == nullptr && size <= kBufferSize - used_) {
      std::memcpy(buffer_ + used_, data, size);
      used_ += size;
      return;
    }
    write_through(data, size);
  }
  Writer& operator<<(std::string_view s) { write(s.data(), s.size()); return *this; }
  Writer& operator<<(const char* s) { return *this << std::string_view(s); }
  Writer& operator<<(const std::string& s) { return *this << std::string_view(s); }
  Writer& operator<<(char c) {
    if (file_ != nullptr && text_ == nullptr && used_ < kBufferSize) {
      buffer_[used_++] = c;
      return *this;
    }
    write_through(&c, 1);
    return *this;
  }
  Writer& operator<<(int v) { return write_integer(v); }
  Writer& operator<<(long v) { return write_integer(v); }
  Writer& operator<<(long long v) { return write_integer(v); }
  Writer& operator<<(unsigned v) { return write_integer(static_cast<long long>(v)); }
  Writer& operator<<(double v);
  Writer& operator<<(float v);  // written as its widened double is
  /// A node coordinate, with as many digits as it needs to read back.
  Writer& operator<<(Coordinate c);

  /// Hands the buffer to the stream; false when the stream refused it.
  bool flush();
  /// True when some write to the stream failed.
  bool failed() const { return failed_; }

 private:
  Writer& write_integer(long long v);
  /// A write into the string, or one that the buffer cannot take as it is.
  void write_through(const char* data, std::size_t size);

  static constexpr std::size_t kBufferSize = 1 << 16;
  std::FILE* file_ = nullptr;
  bool owns_file_ = false;
  std::string* text_ = nullptr;
  bool failed_ = false;
  std::string finite_only_name_;
  std::size_t used_ = 0;
  char buffer_[kBufferSize];
};

}  // namespace lira
