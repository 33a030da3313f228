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

void reopen_model(Run& run) {
  if (!run.model.open()) lira::fail("\nFile modellir.txt can't be opened.");
}

}  // namespace tarvex
