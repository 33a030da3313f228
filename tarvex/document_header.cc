#include "document_header.h"

#include <algorithm>
#include <cstdio>

#include "common/lira_types.h"
#include "common/stop.h"

namespace tarvex {
namespace {

// The header that `line` begins with, or -1; `undecided` when the line is
// still too short to tell.
int header_of(const std::string& line, std::initializer_list<std::string_view> headers,
              bool& undecided) {
  undecided = false;
  int index = 0;
  for (std::string_view header : headers) {
    std::size_t n = std::min(line.size(), header.size());
    if (line.compare(0, n, header.substr(0, n)) == 0) {
      if (n == header.size()) return index;
      undecided = true;
    }
    ++index;
  }
  return -1;
}

}  // namespace

int find_one_of(lira::TextReader& in, std::initializer_list<std::string_view> headers,
                std::string& line) {
  for (;;) {
    // Only a line that may still begin with a header is kept, so a long line
    // of another document costs no memory.
    line.clear();
    bool keep = true;
    int c;
    while ((c = in.get()) != EOF && c != '\n') {
      line += static_cast<char>(c);
      bool undecided;
      if (header_of(line, headers, undecided) < 0 && !undecided) {
        keep = false;
        break;
      }
    }
    if (c == EOF) return -1;
    // The rest of a line that begins with no header is passed over at once.
    if (!keep) {
      if (!lira::skip_line(in)) return -1;
      continue;
    }
    bool undecided;
    int index = header_of(line, headers, undecided);
    if (index >= 0) {
      in.set_document(lira::document_number(headers.begin()[index]));
      return index;
    }
  }
}

void show_header_line(Run& run, std::string_view header, const std::string& line) {
  *run.console.out << line << "\n";
  lira::check_header_line(run.model, header, line);
}

void find_shown_document(Run& run, std::string_view header, const char* missing) {
  std::string line;
  if (find_one_of(run.model, {header}, line) < 0) lira::fail(missing);
  show_header_line(run, header, line);
}

}  // namespace tarvex
