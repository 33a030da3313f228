// Elements: the two creation passes over document 1, into elements.tmp.
#pragma once

#include <cstdint>

#include "common/record_file.h"
#include "run.h"

namespace tarvex {

/// One record of elements.tmp: record k describes element k of document 1.
struct ElementRecord {
  std::int16_t type = 0;       // LIRA type as read
  std::int16_t stiffness = 0;  // 0 for a record of an unrecognised type
  std::int32_t node[4] = {};
};
constexpr int kElementRecordSize = 20;
/// Its fields in their order in elements.tmp.
template <class Field>
void fields(ElementRecord& e, Field field) {
  field(e.type);
  field(e.stiffness);
  for (auto& node : e.node) field(node);
}

/// Writes every element of document 1 to the script and records it in
/// elements.tmp: pass 1, then pass 2 in its two readings.
void create_elements(Run& run);

/// Pass 1: one element per record of a known type (the top layer of a
/// layered shell) and one record of elements.tmp per record of document 1.
/// Expects run.elements created and run.nodes open; closes run.elements.
void create_first_pass_elements(Run& run);
/// Pass 2: the bottom layers of the layered shells, then their middle layers.
/// Expects run.nodes open.
void create_lower_layers(Run& run);

}  // namespace tarvex
