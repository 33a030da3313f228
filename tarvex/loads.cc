#include "loads.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/message.h"
#include "common/stop.h"
#include "elements.h"
#include "load_values.h"
#include "messages.h"

namespace tarvex {
namespace {

const char* const kForceLabels[] = {",FX,", ",FY,", ",FZ,", ",MX,", ",MY,", ",MZ,"};

using lira::has_mass;
using TableRecord = lira::LoadTableRecord;

/// What the load cases share: the own-weight records seen so far.
struct Application {
  Run& run;
  std::int32_t case_number = 0;
  bool weight_case = false;
  std::int64_t last_weighted = 0;     // kept from one load case to the next
  std::int64_t highest_weighted = 0;  // of the current reading of document 6
};

LoadRecord values_of_line(Run& run, std::int32_t line) {
  unsigned char bytes[kLoadRecordSize];
  LoadRecord record;
  if (line < 1 || line > run.loads.count() || !run.loads.read(line, bytes) ||
      (record = lira::decode_fields<LoadRecord>(bytes)).line != line) {
    lira::fail(msg::kValueLine);
  }
  return record;
}

ElementRecord element(Run& run, std::int64_t number) {
  unsigned char bytes[kElementRecordSize];
  if (number < 1 || number > run.elements.count() || !run.elements.read(number, bytes)) {
    std::int64_t count = run.elements.count();
    lira::fail(count == 0 ? lira::message(msg::kNotInEmptyDoc1, {std::to_string(number)})
                          : lira::message(msg::kNotInDoc1,
                                          {std::to_string(number), std::to_string(count)}));
  }
  return lira::decode_fields<ElementRecord>(bytes);
}

// Elements first..last carry no own-weight record, so they must have no mass.
void test_zero_weight(Run& run, std::int64_t first, std::int64_t last) {
  for (std::int64_t j = first; j <= last; ++j) {
    ElementRecord e = element(run, j);
    if (lira::element_kind(e.type) == lira::ElementKind::kElasticLink) continue;
    if (!has_mass(e.type)) {
      lira::fail(msg::kZeroWeightType);
    }
    if (run.density[stiffness_index(e.stiffness)] != 0.0f) {
      lira::fail(msg::kUndescribedWeight);
    }
  }
}

void test_own_weight(Application& a, const TableRecord& r, const LoadRecord& values) {
  Run& run = a.run;
  if (!a.weight_case) {
    lira::fail(msg::kNotWeight);
  }
  // The element must be one of doc. 1 before the elements below it are tested.
  ElementRecord e = element(run, r.number);
  test_zero_weight(run, a.last_weighted + 1, std::int64_t{r.number} - 1);
  a.last_weighted = r.number;
  a.highest_weighted = std::max<std::int64_t>(a.highest_weighted, r.number);

  if (!has_mass(e.type)) {
    lira::fail(msg::kWeightType);
  }
  if (r.direction != 3) lira::fail(msg::kWeightDirection);
  float w = run.stiffness.weight_intensity[stiffness_index(e.stiffness)];
  if (!lira::weight_passes(w, values.value[0])) lira::fail(msg::kWeightValue);
}

// After an element of a type that creates nothing, the script numbers every
// element one lower than document 1: a load on element n, which the script
// names by its number in document 1, would fall on another element.
void check_script_number(Run& run, std::int32_t n) {
  std::int64_t first = run.first_unconverted_element;
  if (first == 0 || n <= first) return;
  ElementRecord unconverted = element(run, first);
  lira::fail(lira::message(msg::kLoadShifted, {std::to_string(n), std::to_string(first),
                                               std::to_string(unconverted.type),
                                               std::to_string(first)}));
}

void apply_record(Application& a, const TableRecord& r) {
  Run& run = a.run;
  lira::Writer& script = run.script;
  LoadRecord values = values_of_line(run, r.value_line);
  const float* v = values.value;

  if (r.load_type == 16) {
    test_own_weight(a, r, values);
    return;
  }
  std::int32_t type = 0;
  if (r.load_type != 0) type = element(run, r.number).type;
  lira::LoadRule rule = lira::load_rule(r.load_type, r.direction, type);
  if (rule.refusal == lira::LoadRefusal::kBeforeWriting) lira::fail(rule.message);
  switch (rule.effect) {
    case lira::LoadEffect::kForce:
      script << "F," << r.number << kForceLabels[rule.label] << -v[0] << "\n";
      break;
    case lira::LoadEffect::kBeamPressure:
      check_script_number(run, r.number);
      script << "SFBEAM," << r.number;
      if (rule.refusal == lira::LoadRefusal::kAfterCommand) lira::fail(rule.message);
      script << "," << rule.label << ",PRES," << v[0] << "\n";
      break;
    case lira::LoadEffect::kShellPressure: {
      float pressure = lira::shell_pressure(type, r.load_type, v);
      check_script_number(run, r.number);
      script << "SFE," << r.number;
      if (rule.refusal == lira::LoadRefusal::kAfterCommand) lira::fail(rule.message);
      script << "," << rule.label << ",PRES,," << pressure << "\n";
      break;
    }
    case lira::LoadEffect::kOwnWeight:
    case lira::LoadEffect::kSkipped:
      // Any other pairing of element and load type carries no load here.
      break;
  }
}

// One load case: document 6 read from the start, its records applied.
void apply_load_case(Application& a, int position) {
  Run& run = a.run;
  if (a.weight_case) run.script << "ACEL,0,0,10\n";
  lira::LoadTableReader reader(run.reader);
  a.highest_weighted = 0;
  TableRecord record;
  while (reader.next(record)) {
    if (record.load_case == a.case_number) apply_record(a, record);
  }
  // The acceleration weighs every element; those after the last own-weight
  // record must then have no mass either.
  if (a.weight_case) test_zero_weight(run, a.highest_weighted + 1, run.elements.count());
  run.script << "LSWRITE," << position << ",\n"
             << "FDELE,ALL,ALL\n"
             << "SFEDELE,ALL,ALL,ALL\n";
  if (a.weight_case) run.script << "ACEL,0,0,0\n";
  run.model.close();
}

}  // namespace

void apply_loads(Run& run) {
  *run.console.out << "\n\nAPPLICATION OF LOAD\n";
  run.script << "\n!*\n!* APPLICATION OF LOAD\n" << "SFCUM,ALL,ADD\nFCUM,ADD\n";
  if (!run.loads.open("loades.tmp", kLoadRecordSize, false)) {
    lira::fail(msg::kLoadsCantOpen);
  }
  if (!run.elements.open("elements.tmp", kElementRecordSize, false)) {
    lira::fail(msg::kElementsCantOpen);
  }
  Application a{run};
  for (int p = 1; p <= kLoadCaseMax && run.load_cases[p - 1] != 0; ++p) {
    a.case_number = run.load_cases[p - 1];
    a.weight_case = a.case_number == run.weight_load_no;
    apply_load_case(a, p);
  }
}

}  // namespace tarvex
