#include "raw_lines.h"

#include <algorithm>
#include <cstring>

namespace modelcheck {

RawLineReader::RawLineReader(const std::string& path) { file_ = std::fopen(path.c_str(), "rb"); }

RawLineReader RawLineReader::from_text(std::string_view text) {
  RawLineReader r;
  r.in_memory_ = true;
  r.memory_.assign(text.data(), text.size());
  return r;
}

RawLineReader::~RawLineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

RawLineReader::RawLineReader(RawLineReader&& other) noexcept
    : file_(other.file_),
      in_memory_(other.in_memory_),
      memory_(std::move(other.memory_)),
      memory_pos_(other.memory_pos_),
      pos_(other.pos_),
      size_(other.size_),
      line_(std::move(other.line_)),
      number_(other.number_),
      pushed_back_(other.pushed_back_) {
  std::memcpy(buffer_, other.buffer_, size_);
  other.file_ = nullptr;
}

int RawLineReader::peek() {
  if (pushed_back_ != EOF) return pushed_back_;
  if (in_memory_) {
    return memory_pos_ < memory_.size() ? static_cast<unsigned char>(memory_[memory_pos_]) : EOF;
  }
  if (pos_ == size_) {
    if (file_ == nullptr) return EOF;
    size_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (size_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[pos_]);
}

int RawLineReader::get() {
  if (pushed_back_ != EOF) {
    int c = pushed_back_;
    pushed_back_ = EOF;
    return c;
  }
  int c = peek();
  if (c != EOF) {
    if (in_memory_)
      ++memory_pos_;
    else
      ++pos_;
  }
  return c;
}

bool RawLineReader::next(RawLine& line) {
  line_.clear();
  cut_ = 0;
  line.end = LineEnd::kNone;
  for (;;) {
    // The bulk of a line in one step, up to the next CR or LF.
    if (!in_memory_ && pushed_back_ == EOF && pos_ < size_) {
      const char* p = buffer_ + pos_;
      std::size_t n = size_ - pos_;
      const char* lf = static_cast<const char*>(std::memchr(p, '\n', n));
      std::size_t span = lf != nullptr ? static_cast<std::size_t>(lf - p) : n;
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', span));
      if (cr != nullptr) span = static_cast<std::size_t>(cr - p);
      std::size_t keep = std::min(span, kRawLineMax - std::min(kRawLineMax, line_.size()));
      line_.append(p, keep);
      cut_ += span - keep;
      pos_ += span;
    }
    int c = get();
    if (c == EOF) break;
    if (c == '\n') {
      line.end = LineEnd::kLf;
      // LF CR: a CR right after the LF that does not open a CR LF of its own.
      if (peek() == '\r') {
        get();
        if (peek() == '\n')
          pushed_back_ = '\r';
        else
          line.end = LineEnd::kLfCr;
      }
      break;
    }
    if (c == '\r') {
      if (peek() == '\n') {
        get();
        line.end = LineEnd::kCrLf;
      } else {
        line.end = LineEnd::kCr;
      }
      break;
    }
    if (line_.size() < kRawLineMax)
      line_ += static_cast<char>(c);
    else
      ++cut_;
  }
  if (line.end == LineEnd::kNone && line_.empty()) return false;
  line.text = line_;
  line.cut = cut_;
  line.number = ++number_;
  return true;
}

void write_line(std::ostream& out, std::string_view text, LineEnd end, LineEnd usual) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (end == LineEnd::kLfCr || end == LineEnd::kCr) {
    end = usual == LineEnd::kCrLf ? LineEnd::kCrLf : LineEnd::kLf;
  }
  if (end == LineEnd::kCrLf) out << "\r\n";
  else if (end == LineEnd::kLf) out << '\n';
}

}  // namespace modelcheck
