// What the stiffness kinds of document 3 share: their units, how their
// records are read, and the material and real-constant commands they write.
#pragma once

#include "common/text_model.h"
#include "common/writer.h"
#include "run.h"

namespace tarvex {

/// "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,<material>,,<modulus>".
void write_modulus(lira::Writer& script, int material, double modulus);
/// "\nMPDATA,PRXY,<material>,,"; the caller writes the ratio and the line end.
void write_poisson_head(lira::Writer& script, int material);
/// The modulus, "\nMPDATA,DENS,<material>,,<density>" and the head of the
/// Poisson's ratio: a material of every kind but the elastic link.
void write_material(lira::Writer& script, int material, double modulus, float density);
/// A steel: its material, the Poisson's ratio .25, and the bilinear hardening
/// of its yield stress with one twentieth of its modulus as the tangent.
void write_steel(lira::Writer& script, int material, double modulus, float density, double yield);

/// Takes the next real-constant set number from the run's counter.
int next_real_constant_set(Run& run);

/// "TYPE,   <type>\nMAT, <material>\nREAL,  <set>\nESYS,   <system>\n", zero-filled.
void set_attribute_text(AttributeText& text, int type, int material, int real_set,
                        int coordinate_system);

}  // namespace tarvex
