// Document 3: element types, materials, real constants and the stiffness table.
#pragma once

#include "common/writer.h"
#include "run.h"

namespace tarvex {

/// Reads document 3 from the start of modellir.txt, writes the materials and
/// real-constant sets of every stiffness, and fills the stiffness table. Leaves
/// modellir.txt just after the ')' of document 3.
void read_stiffness_document(Run& run);

// Pieces of the material commands that every stiffness kind shares, the
// reinforced concrete solids included.

/// "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,<material>,,<modulus>".
void write_modulus(lira::Writer& script, int material, double modulus);
/// "\nMPDATA,DENS,<material>,,<density>".
void write_density(lira::Writer& script, int material, float density);
/// "\nMPDATA,PRXY,<material>,,"; the caller writes the ratio and the line end.
void write_poisson_head(lira::Writer& script, int material);
/// The bilinear hardening of a steel: its yield stress, and one twentieth of
/// its modulus as the tangent modulus.
void write_bilinear_hardening(lira::Writer& script, int material, double yield, double modulus);

/// A value kept in single precision; beyond its range it becomes an infinity
/// (which no script accepts later) rather than an undefined conversion.
float to_single(double value);

/// Takes the next real-constant set number from the run's counter.
int next_real_constant_set(Run& run);

/// "TYPE,   <type>\nMAT, <material>\nREAL,  <set>\nESYS,   <system>\n", zero-filled.
void set_attribute_text(AttributeText& text, int type, int material, int real_set,
                        int coordinate_system);

}  // namespace tarvex
