// Document 6: every load case as a load step.
#pragma once

#include "run.h"

namespace tarvex {

/// For every load case of the list, in list order, the loads of document 6
/// as ANSYS commands and a load step; own weight as an acceleration, after
/// the own-weight records have been checked against the densities.
void apply_loads(Run& run);

}  // namespace tarvex
