#include "materials.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/stop.h"
#include "messages.h"

namespace tarvex {

void write_modulus(lira::Writer& script, int material, double modulus) {
  script << "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX," << material << ",," << modulus;
}

void write_poisson_head(lira::Writer& script, int material) {
  script << "\nMPDATA,PRXY," << material << ",,";
}

void write_material(lira::Writer& script, int material, double modulus, float density) {
  write_modulus(script, material, modulus);
  script << "\nMPDATA,DENS," << material << ",," << density;
  write_poisson_head(script, material);
}

void write_steel(lira::Writer& script, int material, double modulus, float density, double yield) {
  write_material(script, material, modulus, density);
  script << ".25\n";
  script << "!*\nTB,BISO," << material << ", , , ,\n!*\n";
  script << "TBMODIF,2,1," << yield << "\nTBMODIF,3,1," << modulus / 20 << "\n!*\n!*\n";
}

int next_real_constant_set(Run& run) {
  if (run.real_constant_counter == INT_MAX) {
    lira::fail(msg::kTooManyRealConstants);
  }
  return ++run.real_constant_counter;
}

void set_attribute_text(AttributeText& text, int type, int material, int real_set,
                        int coordinate_system) {
  std::memset(text.text, 0, sizeof text.text);
  // Integers of 32 bits keep the text far below its 69 characters.
  std::snprintf(text.text, sizeof text.text, "TYPE,   %d\nMAT, %d\nREAL,  %d\nESYS,   %d\n", type,
                material, real_set, coordinate_system);
}

}  // namespace tarvex
