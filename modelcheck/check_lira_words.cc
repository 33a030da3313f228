#include "check_lira_words.h"

#include <cmath>
#include <cstdlib>

namespace modelcheck {

namespace {

// Whether `t` is a decimal number, whole, finite and not hexadecimal; its
// value to `value`.
bool number(std::string_view t, double& value) {
  if (t.empty() || t.size() > 64) return false;
  for (char c : t) {
    bool allowed = (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' ||
                   c == '-';
    if (!allowed) return false;
  }
  std::string text(t);
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// The words of a record without its slash: a lone "/" at the end dropped, or
// one glued to the last word cut off. None where the record has no slash at
// its end, or a slash elsewhere.
std::optional<std::vector<std::string>> unslashed(std::vector<std::string> words) {
  if (words.empty()) return std::nullopt;
  if (words.back() == "/") {
    words.pop_back();
  } else if (words.back().size() > 1 && words.back().back() == '/') {
    words.back().pop_back();
  } else {
    return std::nullopt;
  }
  for (const std::string& w : words) {
    if (w.find('/') != std::string::npos) return std::nullopt;
  }
  return words;
}

}  // namespace

std::string with_point(std::string_view number) {
  std::string text(number);
  if (text.find('.') != std::string::npos) return text;
  std::size_t exponent = text.find_first_of("eE");
  if (exponent == std::string::npos) return text + ".0";
  return text.insert(exponent, ".0");
}

std::optional<LiraPlate> lira_plate(const std::vector<std::string>& record) {
  auto words = unslashed(record);
  if (!words || (words->size() != 5 && words->size() != 7) || (*words)[1] != "GEI") {
    return std::nullopt;
  }
  const std::vector<std::string>& w = *words;
  double modulus = 0, ratio = 0, thickness = 0, density = -1;
  // A plate needs a modulus, a thickness and a ratio that tarvex can write.
  if (!number(w[2], modulus) || !number(w[3], ratio) || !number(w[4], thickness) ||
      modulus <= 0 || thickness <= 0 || ratio < 0 || ratio >= 0.5) {
    return std::nullopt;
  }
  if (w.size() == 7 && (w[5] != "RO" || !number(w[6], density) || density < 0)) return std::nullopt;
  return LiraPlate{with_point(w[2]), w[3], w[4], density};
}

std::string plate_row(const LiraPlate& plate) {
  return plate.modulus + " " + plate.ratio + " " + plate.thickness + " /";
}

Continuation continuation_row(const std::vector<std::string>& record) {
  Continuation c;
  auto words = unslashed(record);
  if (!words || words->size() < 3 || words->size() % 2 == 0 || (*words)[0] != "0") return c;
  const std::vector<std::string>& w = *words;
  for (std::size_t i = 1; i < w.size(); i += 2) {
    double value = 0;
    if (!number(w[i + 1], value) || value < 0) return Continuation{};
    if (w[i] == "RO" && c.density < 0) {
      c.density = value;
    } else if (w[i] == "Mu" && c.ratio < 0 && value < 0.5) {
      c.ratio = value;
      c.ratio_text = w[i + 1];
    } else {
      return Continuation{};
    }
  }
  c.certain = true;
  return c;
}

double own_row_density(const std::vector<std::string>& record) {
  auto words = unslashed(record);
  if (!words || words->size() < 5) return -1;
  const std::vector<std::string>& w = *words;
  double density = -1;
  if (w[w.size() - 2] != "RO" || !number(w.back(), density) || density < 0) return -1;
  return density;
}

}  // namespace modelcheck
