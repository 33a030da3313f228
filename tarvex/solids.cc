#include "solids.h"

#include "materials.h"

namespace tarvex {
namespace {

constexpr int kSteelOffset = 100;  // the steel of stiffness v is material v + 100

// The real constants of one layer: two reinforcements in the plane (b sums at
// angles 0 and 0, a sums at 90 and 0) and the lateral one.
void write_layer_set(Run& run, int set, int steel, double ratio_b, double ratio_a) {
  lira::Writer& s = run.script;
  s << "!*\nR," << set << "," << steel << "," << ratio_b << ",0,0," << steel << "," << ratio_a
    << "\n";
  s << "RMORE,90,0," << steel << "," << run.vr3 << ",0,90\n!*\n";
}

// The concrete, its steel and the real-constant sets of the three layers.
void write_solid(Run& run, int v, const lira::StiffnessRecord& r, const SlabLayers& layers) {
  lira::Writer& s = run.script;
  const int steel = v + kSteelOffset;
  const lira::SlabDiagram& d = r.diagram;
  write_material(s, v, d.ec, run.density[v]);
  s << r.poisson << "\n";
  s << "!*\nTB,CONCR," << v << ", , , ,\n!*\n";
  s << "TBMODIF,2,1,0.1\n" << "TBMODIF,3,1,0.9\n";
  s << "TBMODIF,4,1," << d.ft << "\nTBMODIF,5,1," << d.fc << "\nTBMODIF,10,1,0.6\n!*\n!*\n";

  // The steel takes the density of its concrete.
  write_steel(s, steel, r.steel_modulus, run.density[v], r.yield);

  int bottom_set = next_real_constant_set(run);
  write_layer_set(run, bottom_set, steel, layers.bottom_b, layers.bottom_a);
  set_attribute_text(run.stiffness.bottom_attribute[v], 3, v, bottom_set, 11);

  int middle_set = next_real_constant_set(run);
  s << "!*\nR," << middle_set << "," << 0 << "," << 0 << ",0,0," << 0 << "," << 0 << "\n";
  s << "RMORE,0,0," << steel << "," << run.vr3 << ",0,90\n!*\n";
  set_attribute_text(run.stiffness.middle_attribute[v], 3, v, middle_set, 11);

  int top_set = next_real_constant_set(run);
  write_layer_set(run, top_set, steel, layers.top_b, layers.top_a);
  set_attribute_text(run.stiffness.attribute[v], 3, v, top_set, 11);
}

}  // namespace

void write_solid_stiffness(Run& run, const lira::StiffnessRecord& r) {
  const int v = r.number;
  SlabLayers layers = lira::solid_layers(r);
  run.stiffness.weight_intensity[v] = lira::weight_intensity(r.section, run.density[v]);
  run.stiffness.t_bottom[v] = layers.t_bottom;
  run.stiffness.t_middle[v] = layers.t_middle;
  run.stiffness.t_top[v] = layers.t_top;
  write_solid(run, v, r, layers);
}

}  // namespace tarvex
