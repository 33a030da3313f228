// The two passes over model.txt: the first free load value line number, and
// the copy into modelnew.txt with the new records inserted.
#pragma once

#include <cstdint>

#include "common/text_model.h"
#include "common/writer.h"

namespace vantrel {

/// Pass 1: reads document 7 of `model` (its records one a line, numbered
/// strictly increasing, then one empty line and the end line " )") and
/// returns the last record number plus 1, or 1 when it holds no record. The
/// number goes to `trace` too. Stops the run on a model it cannot extend.
std::int64_t first_free_value_line(lira::TextReader& model, lira::Writer& trace);

/// Pass 2: copies `model` line by line into `out`, with the lines of `doc6`
/// just before the empty line that closes the records of document 6 and the
/// lines of `doc7` just before the one that closes those of document 7. Every
/// line is written as read and ended by CR LF. Stops the run where the model
/// lacks those empty lines.
void merge_model(lira::TextReader& model, lira::TextReader& doc6, lira::TextReader& doc7,
                 lira::Writer& out);

}  // namespace vantrel
