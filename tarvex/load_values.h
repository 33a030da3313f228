// Document 7 into loades.tmp; the load-case list of document 16.
#pragma once

#include <cstdint>

#include "common/record_file.h"
#include "run.h"

namespace tarvex {

/// One record of loades.tmp: record n holds the values of line n of
/// document 7, each times 10000 in single precision; 0 where the line has
/// no value.
struct LoadRecord {
  std::int32_t line = 0;
  float value[4] = {};
};
constexpr int kLoadRecordSize = 20;
/// Its fields in their order in loades.tmp.
template <class Field>
void fields(LoadRecord& r, Field field) {
  field(r.line);
  for (auto& value : r.value) field(value);
}

/// Document 7 into loades.tmp (closed again at the end), then documents 12
/// and 16: the load-case list in `run.load_cases`, `run.load_case_count`.
void read_load_values(Run& run);

}  // namespace tarvex
