// The fragment load table loadfrag.txt: rules of dashes, bars, a node line
// per block and, per loading, rows of fixed-width value cells.
#pragma once

#include <cstdint>

#include "common/text_model.h"
#include "common/writer.h"
#include "load_records.h"

namespace vantrel {

/// Takes each block of the table once its closing rule has been read.
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  virtual void block(const BlockNodes& nodes, const ValueGrid& grid) = 0;
};

/// Reads the whole table block by block and hands every block, before
/// anything of the next one is read, to `sink`. `trace` receives a
/// diagnostic listing that nothing depends on. Every error, a cell that
/// would be misread or dropped included, stops the run (lira::fail) before
/// the block that holds it is handed on.
void read_fragment_table(lira::TextReader& table, BlockSink& sink, lira::Writer& trace);

/// The table read into vantrel's records: every block goes to `emit_block`,
/// so a later error leaves the records of the finished blocks in doc6 and
/// doc7. The first record takes value line `first_value_line`; returns the
/// number the next one would take.
std::int64_t read_fragment_table(lira::TextReader& table, lira::Writer& doc6, lira::Writer& doc7,
                                 lira::Writer& trace, std::int64_t first_value_line);

}  // namespace vantrel
