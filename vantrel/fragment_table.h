// The fragment load table loadfrag.txt: rules of dashes, bars, a node line
// per block and, per loading, rows of fixed-width value cells.
#pragma once

#include <cstdint>

#include "common/text_model.h"
#include "common/writer.h"

namespace vantrel {

/// Reads the whole table block by block and hands every block, once its
/// closing rule has been read, to `emit_block`, so a later error leaves the
/// records of the finished blocks in doc6 and doc7. The first record takes
/// value line `first_value_line`; returns the number the next one would take.
/// `trace` receives a diagnostic listing that nothing depends on. Every error
/// stops the run (lira::fail).
std::int64_t read_fragment_table(lira::TextReader& table, lira::Writer& doc6, lira::Writer& doc7,
                                 lira::Writer& trace, std::int64_t first_value_line);

}  // namespace vantrel
