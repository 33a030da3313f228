// The words of a model as tarvex converts them: numbers, integers, kinds of
// stiffness, and the records that follow a header on its line.
#include "check_model_checker.h"

namespace modelcheck::tarvex_check {

std::string str(long long v) { return std::to_string(v); }

// A number written with a decimal comma: digits or none (",5" for 0.5), a
// comma, digits, perhaps an exponent and a glued slash. The comma's place, or
// npos.
std::size_t decimal_comma(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  if (i >= t.size() || t[i] != ',') return std::string_view::npos;
  std::size_t comma = i++;
  std::size_t fraction = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  if (i == fraction) return std::string_view::npos;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  }
  if (i < t.size() && t[i] == '/') ++i;
  return i == t.size() ? comma : std::string_view::npos;
}

// Whether `t` is a whole number as the models write them: a sign, digits
// with a point or without, an exponent.
bool is_number(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) {
    if (t[i] != '.') ++digits;
    ++i;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    std::size_t exponent = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == exponent) return false;
  }
  return i == t.size() && std::count(t.begin(), t.end(), '.') <= 1;
}

std::int32_t int_of(const std::string& t) { return lira::to_int(t.c_str()).value; }

// Whether `t` is a whole integer as tarvex converts one: decimal, "0x"
// hexadecimal or "0" octal, every character taken.
bool is_integer(std::string_view t) {
  std::string text(t);
  return !text.empty() && *lira::to_int(text.c_str()).end == '\0';
}

double real_of(const std::string& t) { return std::strtod(t.c_str(), nullptr); }

// The word `t` converted as tarvex converts a real number.
lira::RealValue real_token(const std::string& t, lira::Token& token) {
  std::size_t n = std::min<std::size_t>(t.size(), lira::kTokenMax);
  t.copy(token.text, n);
  token.text[n] = '\0';
  token.length = static_cast<int>(n);
  return lira::to_real(token);
}

// Whether the conversion of the number `t` stops at a glued slash, as
// tarvex converts it.
bool slash_glued(const std::string& t) {
  lira::Token token;
  return lira::ends_with_slash(real_token(t, token).end);
}

// Whether tarvex takes the kind token for a plate's modulus.
bool plate_modulus(const std::string& t) {
  lira::Token token;
  return lira::is_plate_modulus(real_token(t, token).value, t);
}

// The records that follow a header on its line, one line each: a line ends
// after a word that ends with '/', and at the slash of a word that glues a
// record's slash to the number that begins the next record ("/2", "0.2/2").
std::vector<std::string_view> header_rest_lines(std::string_view rest) {
  std::vector<std::string_view> lines;
  std::size_t from = 0, i = 0;
  auto starts_number = [](char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
  };
  while (i < rest.size()) {
    while (i < rest.size() && is_blank(rest[i])) ++i;
    std::size_t word = i;
    while (i < rest.size() && !is_blank(rest[i])) ++i;
    if (i == word) break;
    std::string_view w = rest.substr(word, i - word);
    std::size_t end = std::string_view::npos;  // just after the slash that ends the record
    if (w.back() == '/') {
      end = i;
    } else {
      std::size_t slash = w.find('/');
      std::string_view number = w.substr(0, slash);
      if (slash != std::string_view::npos && starts_number(w[slash + 1]) &&
          (number.empty() || is_number(number) || is_integer(number))) {
        end = word + slash + 1;
      }
    }
    if (end == std::string_view::npos) continue;
    lines.push_back(rest.substr(from, end - from));
    from = end;
    while (from < rest.size() && is_blank(rest[from])) ++from;
    i = std::max(i, from);
  }
  if (from < rest.size()) {
    std::string_view last = rest.substr(from);
    if (last.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos || lines.empty()) {
      lines.push_back(last);
    }
  }
  return lines;
}

// Whether `before` ends with a word that begins with ")" and one blank after
// it: after the ")" of document 3 tarvex passes over one character and looks
// for the header of document 4 from there, as if a line began.
bool one_blank_after_paren(std::string_view before) {
  std::size_t n = before.size();
  if (n < 2 || !is_blank(before[n - 1]) || is_blank(before[n - 2])) return false;
  std::size_t word = n - 2;
  while (word > 0 && !is_blank(before[word - 1])) --word;
  return before[word] == ')';
}

int corners_of(std::int32_t type) { return lira::element_nodes(type); }

}  // namespace modelcheck::tarvex_check
