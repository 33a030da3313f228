// LIRA text models: documents, records and tokens.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "console.h"

namespace lira {

/// A text input read in text mode on every platform (every CR LF pair arrives
/// as one LF, a lone CR stays), from a file or from a text in memory so that a
/// test needs no file. Reading is buffered: a character costs no system call.
class TextReader {
 public:
  /// `name` is the file's name as messages give it ("modellir.txt").
  explicit TextReader(std::string name);
  /// Reads `text` instead of a file; `open` starts it again from its start.
  static TextReader from_text(std::string name, std::string_view text);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  TextReader(TextReader&& other) noexcept;

  /// Opens the file of the reader's name (again) at its start; false when it
  /// cannot be opened.
  bool open();
  void close();
  bool is_open() const { return file_ != nullptr || in_memory_; }
  const std::string& name() const { return name_; }

  int get() {
    if (pos_ == end_ && !refill()) return EOF;
    return static_cast<unsigned char>(*pos_++);
  }
  int peek() {
    if (pos_ == end_ && !refill()) return EOF;
    return static_cast<unsigned char>(*pos_);
  }
  /// The characters read ahead from the current position on, at least one
  /// unless the file has ended; scanners walk them and `skip` what they took.
  std::string_view buffered() {
    if (pos_ == end_ && !refill()) return {};
    return std::string_view(pos_, static_cast<std::size_t>(end_ - pos_));
  }
  void skip(std::size_t count) { pos_ += count; }

  /// The document being read, for the message of an unexpected end of file:
  /// "\nIncorrect modellir.txt: end of file inside document 3."
  std::string end_of_file_message() const;
  void set_document(std::string_view number) { document_ = number; }
  /// The number of the document last found ("3"), empty before the first.
  const std::string& document() const { return document_; }

 private:
  bool refill();

  static constexpr std::size_t kBufferSize = 1 << 16;
  std::string name_;
  std::string document_;
  std::FILE* file_ = nullptr;
  bool in_memory_ = false;
  std::string memory_;  // the translated text of an in-memory reader
  bool pending_cr_ = false;
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  char* buffer_ = nullptr;
};

/// Longest token, and longest line the header search compares.
constexpr int kTokenMax = 149;

/// A whitespace-delimited token in a fixed buffer; empty at the end of file.
struct Token {
  char text[kTokenMax + 1] = {};
  int length = 0;

  bool empty() const { return length == 0; }
  char first() const { return text[0]; }
  bool is(std::string_view s) const { return std::string_view(text, length) == s; }
  bool starts_with(std::string_view s) const {
    return std::string_view(text, length).substr(0, s.size()) == s;
  }
  std::string_view view() const { return std::string_view(text, length); }
};

/// Reads lines from the current position until one begins with `header`
/// ("( 3/", "( 12/"); the rest of that line is consumed. False at the end of
/// the file, also when the matching line is the last one and has no line end.
/// A line of any length is compared by its first characters.
bool find_document(TextReader& in, std::string_view header);
/// As `find_document`, for a document that is read record by record: a
/// header line whose rest holds a record stops the run (`check_header_rest`).
bool find_record_document(TextReader& in, std::string_view header);

/// True when `rest`, what follows a document's header on its line, holds a
/// record: after blanks a number, at least one more token, and a '/' after
/// them ("( 4/ 12.63 0.07 0 /", "( 16/ 1 0 / 2 0 / )"). Words ("( 6/ load
/// table") and a lone number with its slash ("( 7/ 7/") hold none.
bool holds_record(std::string_view rest);
/// Stops the run when `rest`, the rest of the line of `header` ("( 7/"),
/// holds a record: the reader would drop it and take each later record for
/// the one before it.
void check_header_rest(const TextReader& in, std::string_view header, std::string_view rest);

/// The next token; false (and an empty token) at the end of the file. A token
/// longer than 149 characters stops the run with a message.
bool read_token(TextReader& in, Token& token);
/// As `read_token`, but the end of the file inside a document stops the run
/// with the reader's end-of-file message.
void next_token(TextReader& in, Token& token);

/// Writes the token and one blank to the console.
void echo_token(Console& con, const Token& token);

struct IntValue {
  std::int32_t value;
  const char* end;  // where the conversion stopped, inside the token
};
struct RealValue {
  double value;
  const char* end;
};
/// strtol with base 0 (decimal, "0x" hexadecimal, "0" octal), clamped to 32
/// bits as on the programs' platform; 0 when the token is not a number.
IntValue to_int(const Token& token);
/// The same on a zero-ended text, leading white space skipped as strtol does.
IntValue to_int(const char* text);
/// strtod on decimal numbers; "inf", "nan" and hexadecimal floats are not
/// numbers here (0). Out of range gives plus or minus HUGE_VAL, or 0.
RealValue to_real(const Token& token);
/// True when the character where a conversion stopped is '/'.
inline bool ends_with_slash(const char* end) { return *end == '/'; }
/// True when a conversion stopped at a comma followed by a digit: a decimal
/// comma, as files saved under a Russian locale write 3,2 for 3.2. The text
/// converted is zero-ended, so the character after a comma is there.
inline bool stops_at_decimal_comma(const RealValue& value) {
  return value.end[0] == ',' && value.end[1] >= '0' && value.end[1] <= '9';
}
/// Stops the run on `number`, written with a decimal comma, that stands at
/// `where` ("node 12 in document 4") of the file `file`.
[[noreturn]] void refuse_decimal_comma(std::string_view file, std::string_view number,
                                       std::string_view where);

/// Reads characters, without echo, until a '/' has been read; false when the
/// file ends first.
bool skip_to_slash(TextReader& in);
/// Reads the rest of the line, its line end included; false when the file
/// ends first.
bool skip_line(TextReader& in);
/// As `skip_to_slash`, but the end of the file stops the run with the reader's
/// end-of-file message.
void skip_record(TextReader& in);

inline int peek_char(TextReader& in) { return in.peek(); }

}  // namespace lira
