// The cross references of a tarvex model: elements against the stiffnesses
// and nodes they name, loads against their elements, value lines and load
// cases, and the own weight. LIRA writes document 1 before documents 3 and 4,
// and document 6 before 7 and 16, so these checks wait for the end of the
// file; they read what its one reading found, kept in a plain struct.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "common/lira_types.h"
#include "answer_facts.h"
#include "check_mended_copy.h"
#include "findings.h"
#include "options.h"

namespace modelcheck::tarvex_check {

/// A stiffness of document 3 as the reading found it.
struct Stiffness {
  long line = 0;  // 0: document 3 does not define it
  lira::StiffnessKind kind = lira::StiffnessKind::kUnknown;
  double section = 0;  // thickness, or area of a bar's section
  std::string section_words;  // its section as the row gives it: "thickness 0.2", ...
  double modulus = 0;
  std::string modulus_word;  // the modulus as the row gives it, once read
  bool holder = false;
  std::string token;
  std::string plate_row;  // a plate in LIRA's words: its row as tarvex reads it
  double density = -1;    // t/m3, as the model gives it
  double ratio = -1;      // a plate's Poisson's ratio
};

/// An element of document 1: its numbers as tarvex converts them.
struct ElementFound {
  long line = 0;
  std::int32_t type = 0;  // a type 5 bar that the copy makes a bar has type 10
  std::int32_t stiffness = 0;
  bool has_stiffness = false;  // the record holds more than its type
  // The node numbers given, up to a "/" that ends the record; a "/" before
  // the record's end is a node 0 to tarvex.
  std::uint8_t corners = 0;
  std::int32_t node[4] = {};
};

/// A load record of document 6.
struct LoadFound {
  long line = 0;
  bool early_slash = false;  // its "/" comes before its fifth number
  std::int32_t number = 0, type = 0, direction = 0, value_line = 0, load_case = 0;
};

/// Where the copy can swap a quadrilateral's last two corners, written as
/// plain numbers on one line: the places of both in their segment. Kept only
/// when the copy is written.
struct CornerSwap {
  long element = 0, segment = 0;
  std::uint32_t c_pos = 0, c_length = 0, d_pos = 0, d_length = 0;  // within a line read whole
};

/// What the reading of a model found that the cross references need. A
/// model of a million elements holds some 2 million loads: they are kept in
/// blocks, which grow without a copy and with no room to spare.
struct FirstReading {
  Stiffness stiffness[lira::kStiffnessCount];
  long nodes = 0;
  std::vector<float> coordinates;  // x, y, z of each node, as tarvex keeps them
  std::vector<bool> layered_node;  // nodes of a layered shell
  std::deque<ElementFound> elements;
  std::deque<CornerSwap> swaps;  // ascending by element
  long first_unconverted = 0;     // the first element tarvex does not convert
  std::int32_t first_unconverted_type = 0;
  std::deque<LoadFound> loads;
  long value_lines = 0;
  std::vector<float> first_value;  // of each line of document 7
  std::int32_t cases[lira::kLoadCaseMax] = {};  // the list of document 16
  int case_count = 0;

  long element_count() const { return static_cast<long>(elements.size()); }
  lira::StiffnessKind kind_of(std::int32_t s) const {
    return s >= 0 && s < lira::kStiffnessCount && stiffness[s].line != 0
               ? stiffness[s].kind
               : lira::StiffnessKind::kUnknown;
  }
  bool listed(std::int32_t load_case) const;
};

/// Checks the elements and loads of `found` into `report`; the swaps of
/// twisted quadrilaterals go to `copy` where it is written (not null), and
/// what the own-weight records say of the answers to `facts`.
void check_cross_references(const FirstReading& found, const Options& options, Report& report,
                            MendedCopy* copy, AnswerFacts& facts);

}  // namespace modelcheck::tarvex_check
