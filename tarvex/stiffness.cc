#include "stiffness.h"

#include "common/lira_types.h"
#include "common/model_reader.h"
#include "materials.h"
#include "solids.h"

namespace tarvex {
namespace {

void write_elastic_link(Run& run, const lira::StiffnessRecord& r) {
  int v = r.number;
  run.density[v] = 0;
  lira::Writer& s = run.script;
  write_modulus(s, v, r.modulus);
  write_poisson_head(s, v);
  s << "\n";
  // Elastic links share the real-constant set 1 of the preamble.
  set_attribute_text(run.stiffness.attribute[v], 4, v, 1, 0);
}

void write_plate(Run& run, const lira::StiffnessRecord& r) {
  int v = r.number;
  run.stiffness.weight_intensity[v] = lira::weight_intensity(r.section, run.density[v]);
  lira::Writer& s = run.script;
  write_material(s, v, r.modulus, run.density[v]);
  s << r.poisson << "\n";
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << r.section << ",0,0,0,0,0\n" << "RMORE,0,0,0,0\n";
  set_attribute_text(run.stiffness.attribute[v], 1, v, n, 0);
}

void write_rectangular_bar(Run& run, const lira::StiffnessRecord& r) {
  int v = r.number;
  double b = r.b, h = r.h, area = r.section;
  double izz = b * (b * area) / 12;
  double iyy = h * (h * area) / 12;
  run.stiffness.weight_intensity[v] = lira::weight_intensity(area, run.density[v]);

  lira::Writer& s = run.script;
  write_material(s, v, r.modulus, run.density[v]);
  s << 0.16 << "\n";  // the Poisson's ratio of every bar
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << area << "," << izz << "," << iyy << "," << h << "," << b << ",\n";
  set_attribute_text(run.stiffness.attribute[v], 2, v, n, 0);
}

void write_plastic_bar(Run& run, const lira::StiffnessRecord& r) {
  int v = r.number;
  run.stiffness.weight_intensity[v] = lira::weight_intensity(r.section, run.density[v]);
  if (r.has_holder) run.stiffness.holder[v] = r.holder;

  lira::Writer& s = run.script;
  write_steel(s, v, r.modulus, run.density[v], r.yield);
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << r.section << ", ,\n!*\n!*\n";
  set_attribute_text(run.stiffness.attribute[v], 4, v, n, 0);
}

}  // namespace

void read_stiffness_document(Run& run) {
  lira::StiffnessReader reader(run.reader);
  lira::StiffnessRecord r;
  while (reader.next(r)) {
    using lira::StiffnessKind;
    switch (r.kind) {
      case StiffnessKind::kElasticLink: write_elastic_link(run, r); break;
      case StiffnessKind::kSolid: write_solid_stiffness(run, r); break;
      case StiffnessKind::kRectangularBar: write_rectangular_bar(run, r); break;
      case StiffnessKind::kPlasticBar: write_plastic_bar(run, r); break;
      case StiffnessKind::kPlate: write_plate(run, r); break;
      case StiffnessKind::kUnknown: break;
    }
  }
}

}  // namespace tarvex
