#include "message.h"

namespace lira {

std::string message(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(text.size() + 32);
  std::size_t from = 0;
  for (std::string_view v : values) {
    std::size_t open = text.find('<', from);
    std::size_t close = open == std::string_view::npos ? open : text.find('>', open);
    if (close == std::string_view::npos) break;
    out.append(text, from, open - from);
    out.append(v);
    from = close + 1;
  }
  out.append(text, from, std::string_view::npos);
  return out;
}

}  // namespace lira
