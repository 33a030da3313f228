#include "check_tarvex_stop.h"

#include "common/stop.h"
#include "tarvex_reading.h"

namespace modelcheck {

TarvexStop tarvex_reading_stop(lira::TextReader& in) {
  TarvexStop result;
  try {
    read_tarvex_records(in);
  } catch (const lira::Stop& stop) {
    result.stopped = true;
    result.message = stop.message;
    result.document = in.document();
    in.close();
    // tarvex reads only modellir.txt; a model checked under another name
    // would be named so in its messages.
    const std::string& name = in.name();
    if (name != "modellir.txt" && !name.empty()) {
      for (std::size_t at = result.message.find(name); at != std::string::npos;
           at = result.message.find(name, at + 12)) {
        result.message.replace(at, name.size(), "modellir.txt");
      }
    }
  }
  return result;
}

void add_tarvex_stop(lira::TextReader in, bool mended_copy, Report& report) {
  TarvexStop stop = tarvex_reading_stop(in);
  if (!stop.stopped) return;
  std::string quote = quoted(stop.message);
  for (const Finding& f : report.kept()) {
    if (!f.mended && f.effect.find(quote) != std::string::npos) return;
  }
  // The reader knows the last header it found, not the line: the stop is in
  // that document, or after it where a later one is missing.
  std::string where = stop.document.empty() ? "before it finds any document header"
                                            : "after the header of document " + stop.document;
  report.add(make_finding(
      "tarvex", Kind::kTarvexStop, 0,
      std::string("tarvex's reader of the ") + (mended_copy ? "mended copy" : "model") +
          " stops " + where + ", at a fault that no other finding names",
      "stops with " + quote,
      "mend what the message names (the other findings, once mended, may take it away)",
      false));
}

}  // namespace modelcheck
