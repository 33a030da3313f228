#include "stop.h"

namespace lira {

void fail(std::string_view message) { throw Stop{std::string(message)}; }

}  // namespace lira
