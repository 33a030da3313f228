// The state of one tarvex run, owned by the driver and shared by its phases.
#pragma once

#include <array>
#include <cstdint>

#include "common/console.h"
#include "common/lira_types.h"
#include "common/model_reader.h"
#include "common/record_file.h"
#include "common/text_model.h"
#include "common/writer.h"

namespace tarvex {

using lira::kLoadCaseMax;
using lira::kStiffnessCount;

/// The block of APDL lines that selects element type, material, real-constant
/// set and element coordinate system; at most 69 characters, zero-filled.
struct AttributeText {
  char text[70] = {};
};

/// What the element, node and load phases need to know of every stiffness.
struct StiffnessTable {
  std::array<AttributeText, kStiffnessCount> attribute{};         // top layer for solids
  std::array<AttributeText, kStiffnessCount> bottom_attribute{};  // solids only
  std::array<AttributeText, kStiffnessCount> middle_attribute{};  // solids only
  std::array<double, kStiffnessCount> t_bottom{};
  std::array<double, kStiffnessCount> t_middle{};
  std::array<double, kStiffnessCount> t_top{};
  std::array<float, kStiffnessCount> holder{};            // plastic bars: the value after "AZ"
  std::array<float, kStiffnessCount> weight_intensity{};  // density times section quantity
};

/// One run: the answers, the files and every table the phases hand on.
/// Unit tests build it over an in-memory model and a string script.
struct Run {
  explicit Run(lira::Console& con) : console(con) {}
  Run(lira::Console& con, lira::TextReader model_text) : console(con), model(std::move(model_text)) {}

  lira::Console& console;
  lira::Writer script;                          // modelans.lgw
  lira::TextReader model{"modellir.txt"};
  /// The records of the model, echoed on the console as they are read.
  lira::ModelReader reader{model, lira::Echo(console.out)};

  // The answers of the user.
  double vr3 = 0;
  std::array<float, kStiffnessCount> density{};  // kg/m3 by stiffness number
  std::int32_t weight_load_no = 0;

  int real_constant_counter = 0;  // the last real-constant set written
  StiffnessTable stiffness;
  std::int32_t node_count = 0;     // the last node created so far
  std::int32_t model_node_count = 0;  // the nodes of document 4, all that document 1 may name

  lira::RecordFile nodes;     // nodes.tmp
  lira::RecordFile elements;  // elements.tmp
  lira::RecordFile loads;     // loades.tmp

  std::array<std::int32_t, kLoadCaseMax> load_cases{};  // from document 16
  int load_case_count = 0;

  // The first element of document 1 of a type that is not converted, 0 when
  // there is none: the script numbers every element after it one lower.
  std::int64_t first_unconverted_element = 0;
};

using lira::stiffness_index;
using lira::to_single;

}  // namespace tarvex
