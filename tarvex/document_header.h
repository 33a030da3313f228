// The header search of the load phases, which echo the header line they find.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "common/text_model.h"
#include "run.h"

namespace tarvex {

/// Reads lines from the current position until one begins with one of
/// `headers` ("( 16/", "( 12/"), as `lira::find_document` does, and returns
/// the index of the header it begins with; -1 at the end of the file, also
/// when the matching line is the last one and has no line end. `line` gets
/// the whole matched line without its line end, for the console. The reader
/// names the document found in its end-of-file messages.
int find_one_of(lira::TextReader& in, std::initializer_list<std::string_view> headers,
                std::string& line);

/// Shows the header line `line` of the document of `header` on the console
/// and stops the run when the rest of it holds a record.
void show_header_line(Run& run, std::string_view header, const std::string& line);

/// Finds the document of `header` from the model's current position, as
/// `find_one_of` does, and shows its header line; `missing` stops the run
/// when there is none.
void find_shown_document(Run& run, std::string_view header, const char* missing);

}  // namespace tarvex
