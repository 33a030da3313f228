// Document 1 of A_02.A: the element list that both passes read.
#pragma once

#include <cstdint>

#include "common/lira_types.h"
#include "common/text_model.h"
#include "common/writer.h"

namespace keslow {

/// Pass 1 looks for the plates' entries of the forces table of A#00.A, pass 2
/// for those of its elements table; each reads document 1 once.
enum class Pass { kForces = 1, kElements = 2 };

/// One record of document 1, with the fields its pass needs: for a plate the
/// stiffness and nodes 1 and 2 (pass 1) or nodes 1 to 4 (pass 2; node 4 stays
/// 0 for a triangle).
struct Element {
  std::int32_t number = 0;  // the record's position in document 1, from 1
  std::int32_t type = 0;
  std::int16_t stiffness = 0;  // LIRA keeps it in 16 bits
  std::int32_t nodes[4] = {};

  /// Layered plates, the elements this program changes.
  bool is_plate() const { return lira::is_layered_shell(type); }
};

/// Passes over the first 150 characters of A_02.A (counted after the CR LF
/// translation), then over lines until one begins with "   1D"; the records
/// start on the next line. False when the file ends first. A line of more
/// than 149 characters before that stops the run.
bool find_element_list(lira::TextReader& in);

/// Reads the next record of document 1 into `element`, counting it in `count`,
/// and writes its trace lines. False at the end of document 1: a run of "0D"
/// tokens and a token beginning with ")". A wrong number after a "1D" marker,
/// a missing ")" and the end of the file inside the document stop the run.
bool read_element(lira::TextReader& in, Pass pass, std::int32_t& count, lira::Writer& trace,
                  Element& element);

}  // namespace keslow
