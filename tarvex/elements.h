// Elements: the two creation passes over document 1, into elements.tmp.
#pragma once

#include <cstdint>

#include "run.h"

namespace tarvex {

/// One record of elements.tmp: record k describes element k of document 1.
struct ElementRecord {
  std::int16_t type = 0;       // LIRA type as read
  std::int16_t stiffness = 0;  // 0 for a record of an unrecognised type
  std::int32_t node[4] = {};
};
constexpr int kElementRecordSize = 20;

void encode_element(const ElementRecord& e, unsigned char* record);
ElementRecord decode_element(const unsigned char* record);

/// Writes every element of document 1 to the script and records it in
/// elements.tmp: pass 1, then pass 2 in its two readings.
void create_elements(Run& run);

}  // namespace tarvex
