#include "writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "message.h"
#include "model_messages.h"
#include "number_format.h"
#include "stop.h"

namespace lira {

Writer::Writer(std::FILE* stream) : file_(stream) {}
Writer::Writer(std::string* text) : text_(text) {}
Writer::Writer() {}

Writer::~Writer() {
  if (owns_file_) close();
  else flush();
}

bool Writer::open(const std::string& path, bool text_mode) {
  if (owns_file_) close();
  file_ = std::fopen(path.c_str(), text_mode ? "w" : "wb");
  owns_file_ = file_ != nullptr;
  failed_ = false;
  used_ = 0;
  return file_ != nullptr;
}

void Writer::open_text(std::string* text) {
  if (owns_file_) close();
  file_ = nullptr;
  text_ = text;
  failed_ = false;
  used_ = 0;
}

bool Writer::close() {
  if (!owns_file_) return flush();
  bool ok = flush();
  if (std::fclose(file_) != 0) ok = false;
  file_ = nullptr;
  owns_file_ = false;
  if (!ok) failed_ = true;
  return !failed_;
}

bool Writer::flush() {
  if (file_ == nullptr) return !failed_;
  if (used_ > 0 && std::fwrite(buffer_, 1, used_, file_) != used_) failed_ = true;
  used_ = 0;
  if (std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

void Writer::write_through(const char* data, std::size_t size) {
  if (text_ != nullptr) {
    text_->append(data, size);
    return;
  }
  if (file_ == nullptr) return;
  if (used_ + size > kBufferSize) {
    if (used_ > 0 && std::fwrite(buffer_, 1, used_, file_) != used_) failed_ = true;
    used_ = 0;
    if (size > kBufferSize) {
      if (std::fwrite(data, 1, size, file_) != size) failed_ = true;
      return;
    }
  }
  std::memcpy(buffer_ + used_, data, size);
  used_ += size;
}

Writer& Writer::operator<<(double v) {
  if (!finite_only_name_.empty() && !std::isfinite(v)) {
    fail(message(msg::kNotFinite, {finite_only_name_}));
  }
  char text[kRealTextMax];
  write(text, format_real(v, text));
  return *this;
}

Writer& Writer::operator<<(Coordinate c) {
  if (!finite_only_name_.empty() && !std::isfinite(c.value)) {
    return *this << static_cast<double>(c.value);
  }
  char text[kRealTextMax];
  write(text, format_coordinate(c.value, text));
  return *this;
}

Writer& Writer::operator<<(float v) {
  if (!finite_only_name_.empty() && !std::isfinite(v)) return *this << static_cast<double>(v);
  char text[kRealTextMax];
  write(text, format_real(v, text));
  return *this;
}

Writer& Writer::write_integer(long long v) {
  // Digits from the last, two at a time.
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char text[24];
  char* const end = text + sizeof text;
  char* p = end;
  unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v)
                               : static_cast<unsigned long long>(v);
  while (u >= 100) {
    unsigned pair = static_cast<unsigned>(u % 100) * 2;
    u /= 100;
    p -= 2;
    p[0] = kPairs[pair];
    p[1] = kPairs[pair + 1];
  }
  if (u >= 10) {
    p -= 2;
    p[0] = kPairs[u * 2];
    p[1] = kPairs[u * 2 + 1];
  } else {
    *--p = static_cast<char>('0' + u);
  }
  if (v < 0) *--p = '-';
  write(p, static_cast<std::size_t>(end - p));
  return *this;
}

}  // namespace lira
