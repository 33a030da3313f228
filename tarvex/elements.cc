#include "elements.h"

#include "common/record_file.h"
#include "common/stop.h"

namespace tarvex {

void encode_element(const ElementRecord& e, unsigned char* record) {
  lira::put_i16(record, e.type);
  lira::put_i16(record + 2, e.stiffness);
  for (int i = 0; i < 4; ++i) lira::put_i32(record + 4 + 4 * i, e.node[i]);
}

ElementRecord decode_element(const unsigned char* record) {
  ElementRecord e;
  e.type = lira::get_i16(record);
  e.stiffness = lira::get_i16(record + 2);
  for (int i = 0; i < 4; ++i) e.node[i] = lira::get_i32(record + 4 + 4 * i);
  return e;
}

// Not built yet: the run stops here.
void create_elements(Run&) { lira::fail("\nThis phase of tarvex is not built yet."); }

}  // namespace tarvex
