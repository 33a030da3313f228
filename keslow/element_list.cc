#include "element_list.h"

#include <cstring>
#include <string>
#include <string_view>

#include "common/line_reader.h"
#include "common/message.h"
#include "common/stop.h"
#include "messages.h"

namespace keslow {
namespace {

// A_02.A begins with a block of this many characters that is never a line of
// the document, whatever it holds.
constexpr int kSkippedCharacters = 150;
constexpr std::string_view kHeader = "   1D";

// The end of the file inside document 1 leaves the document without its end.
void next(lira::TextReader& in, lira::Token& token) {
  if (!lira::read_token(in, token)) lira::fail(msg::kNoEnd);
}

bool has_slash(const lira::Token& token) {
  return std::memchr(token.text, '/', static_cast<std::size_t>(token.length)) != nullptr;
}

// The next field of a plate record. A slash ends the record wherever it
// stands, glued to a number ("4/") or alone, so a field after it belongs to
// the next record: the plate lacks fields.
std::int32_t read_field(lira::TextReader& in, lira::Token& token, bool& ended,
                        std::int32_t number) {
  if (!ended) next(in, token);
  if (ended || token.first() == '/') {
    lira::fail(lira::message(msg::kTooFewFields, {std::to_string(number)}));
  }
  ended = has_slash(token);
  return lira::to_int(token).value;
}

}  // namespace

bool find_element_list(lira::TextReader& in) {
  for (int i = 0; i < kSkippedCharacters; ++i) {
    if (in.get() == EOF) return false;
  }
  lira::LineReader lines(in);
  lira::Line line;
  for (;;) {
    lira::LineReader::Result r = lines.next(line);
    if (r == lira::LineReader::Result::kTooLong) {
      lira::fail(msg::kLongLine);
    }
    // The header line must end with a line end: one that ends the file has
    // no document after it.
    if (r == lira::LineReader::Result::kEnd || !line.has_end) return false;
    if (line.starts_with(kHeader)) return true;
  }
}

bool read_element(lira::TextReader& in, Pass pass, std::int32_t& count, lira::Writer& trace,
                  Element& element) {
  lira::Token token;
  next(in, token);
  if (token.starts_with("1D")) {
    next(in, token);
    if (lira::to_int(token).value != count + 1) {
      lira::fail(msg::kNumbering);
    }
    next(in, token);
  }
  if (token.starts_with("0D")) {
    // An empty token (the end of the file) ends the run of "0D" as well.
    do {
      lira::read_token(in, token);
    } while (token.starts_with("0D"));
    if (token.first() != ')') lira::fail(msg::kNoEnd);
    return false;
  }

  element = Element{};
  element.number = ++count;
  trace << "El.No= " << count << " Type= " << token.view() << "\n";
  element.type = lira::to_int(token).value;
  bool ended = has_slash(token);
  if (element.is_plate()) {
    int node_count = pass == Pass::kForces ? 2 : lira::shell_corners(element.type);
    std::int32_t stiffness = read_field(in, token, ended, count);
    element.stiffness = static_cast<std::int16_t>(static_cast<std::uint16_t>(stiffness));
    for (int i = 0; i < node_count; ++i) element.nodes[i] = read_field(in, token, ended, count);
  }
  if (!ended && !lira::skip_to_slash(in)) lira::fail(msg::kNoEnd);

  if (element.is_plate()) {
    int stiffness = element.stiffness;
    if (pass == Pass::kForces) {
      trace << "El.No= " << count << "  nod1= " << element.nodes[0] << "  nod2= "
            << element.nodes[1] << "  El.type= " << element.type << "  El.stiff= " << stiffness
            << "\n";
    } else {
      trace << "El.type= " << element.type << "  El.stiff= " << stiffness
            << "  nod1= " << element.nodes[0] << "  nod2= " << element.nodes[1]
            << "  nod3= " << element.nodes[2] << "\n";
    }
  }
  return true;
}

}  // namespace keslow
