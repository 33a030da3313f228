#include "text_model.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "lira_types.h"
#include "message.h"
#include "model_messages.h"
#include "stop.h"

namespace lira {
namespace {

// The white space that separates tokens: blank, tab, LF, CR, VT, FF.
struct SpaceTable {
  bool space[256] = {};
  constexpr SpaceTable() {
    for (char c : {' ', '\t', '\n', '\r', '\v', '\f'}) space[static_cast<unsigned char>(c)] = true;
  }
};
constexpr SpaceTable kSpaces;

bool is_space(char c) { return kSpaces.space[static_cast<unsigned char>(c)]; }

// Every CR LF pair of `data` becomes one LF, in place; returns the new size.
// Most files have no CR at all, and those blocks are left as they are.
std::size_t translate_line_ends(char* data, std::size_t size) {
  const char* cr = static_cast<const char*>(std::memchr(data, '\r', size));
  if (cr == nullptr) return size;
  std::size_t j = static_cast<std::size_t>(cr - data);
  for (std::size_t i = j; i < size; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') continue;
    data[j++] = data[i];
  }
  return j;
}

}  // namespace

TextReader::TextReader(std::string name) : name_(std::move(name)) {}

TextReader TextReader::from_text(std::string name, std::string_view text) {
  TextReader r(std::move(name));
  r.in_memory_ = true;
  r.memory_.assign(text.data(), text.size());
  r.memory_.resize(translate_line_ends(r.memory_.data(), r.memory_.size()));
  r.open();
  return r;
}

TextReader::TextReader(TextReader&& other) noexcept
    : name_(std::move(other.name_)),
      document_(std::move(other.document_)),
      file_(other.file_),
      in_memory_(other.in_memory_),
      memory_(std::move(other.memory_)),
      pending_cr_(other.pending_cr_),
      buffer_(other.buffer_) {
  other.file_ = nullptr;
  other.buffer_ = nullptr;
  other.pos_ = other.end_ = nullptr;
  if (in_memory_) {
    pos_ = end_ = nullptr;
    open();
  } else {
    // Positions point into the buffer, which moved with its pointer.
    pos_ = buffer_ ? other.pos_ : nullptr;
    end_ = buffer_ ? other.end_ : nullptr;
  }
}

TextReader::~TextReader() {
  close();
  delete[] buffer_;
}

bool TextReader::open() {
  if (in_memory_) {
    pos_ = memory_.data();
    end_ = memory_.data() + memory_.size();
    return true;
  }
  close();
  file_ = std::fopen(name_.c_str(), "rb");
  if (file_ == nullptr) return false;
  if (buffer_ == nullptr) buffer_ = new char[kBufferSize + 1];
  return true;
}

void TextReader::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  pending_cr_ = false;
  pos_ = end_ = nullptr;
}

bool TextReader::refill() {
  if (file_ == nullptr) return false;
  for (;;) {
    std::size_t n = 0;
    if (pending_cr_) buffer_[n++] = '\r';
    pending_cr_ = false;
    std::size_t got = std::fread(buffer_ + n, 1, kBufferSize - n, file_);
    n += got;
    if (n == 0) return false;
    // A CR at the end of the block may be the first half of a CR LF pair.
    if (got > 0 && buffer_[n - 1] == '\r') {
      pending_cr_ = true;
      --n;
    }
    n = translate_line_ends(buffer_, n);
    if (n == 0) continue;
    pos_ = buffer_;
    end_ = buffer_ + n;
    return true;
  }
}

std::string TextReader::end_of_file_message() const {
  if (document_.empty()) return message(msg::kFileEnd, {name_});
  return message(msg::kFileEndInside, {name_, document_});
}

namespace {

// Reads the rest of the line, its line end included, keeping its first 149
// characters in `rest`; false when the file ends first.
bool read_rest_of_line(TextReader& in, std::string& rest) {
  rest.clear();
  for (;;) {
    std::string_view ahead = in.buffered();
    if (ahead.empty()) return false;
    const char* end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
    std::size_t n = end != nullptr ? static_cast<std::size_t>(end - ahead.data()) : ahead.size();
    std::size_t room = static_cast<std::size_t>(kTokenMax) - rest.size();
    rest.append(ahead.data(), n < room ? n : room);
    if (end != nullptr) {
      in.skip(n + 1);
      return true;
    }
    in.skip(n);
  }
}

// find_document; the rest of the matching line goes to `rest` when one is given.
bool find_header(TextReader& in, std::string_view header, std::string* rest) {
  for (;;) {
    // Compare the line's first characters with the header, then pass over the
    // rest of the line whatever its length.
    std::size_t matched = 0;
    int c = 0;
    while (matched < header.size()) {
      c = in.get();
      if (c == EOF) return false;
      if (static_cast<char>(c) != header[matched]) break;
      ++matched;
    }
    bool match = matched == header.size();
    // A line that ended inside the comparison is over already.
    if (!match && c == '\n') continue;
    if (!(match && rest != nullptr ? read_rest_of_line(in, *rest) : skip_line(in))) return false;
    if (match) {
      in.set_document(document_number(header));
      return true;
    }
  }
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// `text` without the white space at its ends, as a message quotes it.
std::string_view trimmed(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && is_space(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && is_space(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

bool find_document(TextReader& in, std::string_view header) {
  return find_header(in, header, nullptr);
}

bool find_record_document(TextReader& in, std::string_view header) {
  std::string rest;
  if (!find_header(in, header, &rest)) return false;
  check_header_rest(in, header, rest);
  return true;
}

bool holds_record(std::string_view rest) {
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < rest.size() && is_space(rest[i])) ++i;
  };
  skip_blanks();
  // A number: a digit first, perhaps after a sign and a point.
  std::size_t j = i;
  if (j < rest.size() && (rest[j] == '+' || rest[j] == '-')) ++j;
  if (j < rest.size() && rest[j] == '.') ++j;
  if (j == rest.size() || !is_digit(rest[j])) return false;
  while (i < rest.size() && !is_space(rest[i])) ++i;
  skip_blanks();
  // One more token, and a slash after its first character: a "/" of its
  // own right after the number is the lone number's record end.
  return i < rest.size() && rest.find('/', i + 1) != std::string_view::npos;
}

void check_header_rest(const TextReader& in, std::string_view header, std::string_view rest) {
  if (!holds_record(rest)) return;
  std::string_view number = document_number(header);
  fail(message(msg::kFileHeaderRecord, {in.name(), number, trimmed(rest)}));
}

bool read_token(TextReader& in, Token& token) {
  // White space before the token, through as many buffers as it fills.
  std::string_view ahead;
  for (;;) {
    ahead = in.buffered();
    if (ahead.empty()) {
      token.length = 0;
      token.text[0] = '\0';
      return false;
    }
    const char* p = ahead.data();
    const char* end = p + ahead.size();
    while (p < end && is_space(*p)) ++p;
    std::size_t blanks = static_cast<std::size_t>(p - ahead.data());
    in.skip(blanks);
    ahead.remove_prefix(blanks);
    if (!ahead.empty()) break;
  }
  // The token's characters, copied as they are scanned; the white space that
  // ends the token is left unread.
  char* out = token.text;
  char* const full = token.text + kTokenMax;
  for (;;) {
    const char* p = ahead.data();
    const char* end = p + ahead.size();
    if (static_cast<std::size_t>(full - out) < ahead.size()) end = p + (full - out);
    while (p < end && !is_space(*p)) *out++ = *p++;
    in.skip(static_cast<std::size_t>(p - ahead.data()));
    if (p < ahead.data() + ahead.size()) {
      if (is_space(*p)) break;
      // A 150th character.
      token.length = kTokenMax;
      token.text[kTokenMax] = '\0';
      fail(message(msg::kFileLongToken, {in.name(), std::string_view(token.text, 20)}));
    }
    ahead = in.buffered();
    if (ahead.empty()) break;
  }
  token.length = static_cast<int>(out - token.text);
  token.text[token.length] = '\0';
  return token.length > 0;
}

void next_token(TextReader& in, Token& token) {
  if (!read_token(in, token)) fail(in.end_of_file_message());
}

void echo_token(Console& con, const Token& token) {
  con.out->write(token.text, static_cast<std::size_t>(token.length));
  *con.out << ' ';
}

IntValue to_int(const Token& token) { return to_int(token.text); }

IntValue to_int(const char* text) {
  const char* p = text;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  // Plain decimal numbers, nearly every integer of a model, without strtoll;
  // octal, hexadecimal and very long numbers go through it.
  if (*p >= '1' && *p <= '9') {
    long long v = 0;
    const char* q = p;
    while (*q >= '0' && *q <= '9' && q - p < 18) v = v * 10 + (*q++ - '0');
    if (!(*q >= '0' && *q <= '9')) {
      if (negative) v = -v;
      if (v > INT32_MAX) v = INT32_MAX;
      if (v < INT32_MIN) v = INT32_MIN;
      return IntValue{static_cast<std::int32_t>(v), q};
    }
  } else if (*p == '0' && !(p[1] >= '0' && p[1] <= '9') && p[1] != 'x' && p[1] != 'X') {
    return IntValue{0, p + 1};
  }
  char* end = nullptr;
  long long v = std::strtoll(text, &end, 0);
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  return IntValue{static_cast<std::int32_t>(v), end};
}

RealValue to_real(const Token& token) {
  const char* p = token.text;
  const char* last = token.text + token.length;
  const char* digits = p;
  if (digits < last && (*digits == '+' || *digits == '-')) ++digits;
  // Only decimal numbers: a digit, or a point and a digit, must come first.
  bool decimal = digits < last && (std::isdigit(static_cast<unsigned char>(*digits)) ||
                                   (*digits == '.' && digits + 1 < last &&
                                    std::isdigit(static_cast<unsigned char>(digits[1]))));
  if (!decimal) return RealValue{0.0, token.text};
  double v = 0;
  auto r = std::from_chars(digits, last, v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Overflow gives HUGE_VAL and underflow 0, as strtod gives them.
    v = std::strtod(digits, nullptr);
  }
  if (*p == '-') v = -v;
  return RealValue{v, r.ptr};
}

void refuse_decimal_comma(std::string_view file, std::string_view number, std::string_view where) {
  std::string written(trimmed(number));
  std::string mended = written;
  for (std::size_t i = 0; i + 1 < mended.size(); ++i) {
    if (mended[i] == ',' && is_digit(mended[i + 1])) {
      mended[i] = '.';
      break;
    }
  }
  fail(message(msg::kFileComma, {file, written, where, mended}));
}

namespace {

// Reads characters until `last` has been read; false when the file ends first.
bool skip_through(TextReader& in, char last) {
  for (;;) {
    std::string_view ahead = in.buffered();
    if (ahead.empty()) return false;
    const void* found = std::memchr(ahead.data(), last, ahead.size());
    if (found != nullptr) {
      in.skip(static_cast<std::size_t>(static_cast<const char*>(found) - ahead.data()) + 1);
      return true;
    }
    in.skip(ahead.size());
  }
}

}  // namespace

bool skip_to_slash(TextReader& in) { return skip_through(in, '/'); }

bool skip_line(TextReader& in) { return skip_through(in, '\n'); }

void skip_record(TextReader& in) {
  if (!skip_to_slash(in)) fail(in.end_of_file_message());
}

}  // namespace lira
