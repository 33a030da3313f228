#include "run.h"

#include <string>

#include "common/stop.h"

namespace tarvex {

int stiffness_index(std::int32_t number) {
  if (number < 0 || number >= kStiffnessCount) {
    lira::fail("\nIncorrect modellir.txt: stiffness number " + std::to_string(number) +
               " is outside 0 to 49.");
  }
  return number;
}

lira::RealValue real_value(const Run& run, const lira::Token& token) {
  lira::RealValue value = lira::to_real(token);
  if (lira::stops_at_decimal_comma(value)) {
    lira::refuse_decimal_comma(run.model.name(), token.view(),
                               std::string(run.record_kind) + " " +
                                   std::to_string(run.record_number) + " in document " +
                                   run.model.document());
  }
  return value;
}

void reopen_model(Run& run) {
  if (!run.model.open()) lira::fail("\nFile modellir.txt can't be opened.");
}

}  // namespace tarvex
