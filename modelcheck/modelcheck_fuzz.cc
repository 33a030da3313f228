// Fuzz target: modelcheck held to tarvex on one modellir.txt (the part of the
// input before a line "=====", after which a committed input may hold the
// author's model for the property test). Both run in-process, tarvex with the
// answers of the generated models, and a violation of one of the properties
// of modelcheck/properties_test.py aborts:
//   completes       tarvex completes: --verify exits 0, or names only twisted
//                   elements (a difference the conversion's rules call real);
//   no-false-stop   tarvex completes: no finding of the check says it stops;
//   twisted-found   --verify warns of a twisted element: the check finds it;
//   stop-quoted     tarvex stops: a finding of the check quotes the stop;
//   clean-converts  the check finds nothing: tarvex completes;
//   fix-settled     --fix of the mended copy mends nothing and writes it again;
//   fix-converts    --fix leaves nothing by hand: tarvex completes on the copy,
//                   with the answers file --fix wrote where it wrote one;
//   no-crash        every modelcheck run ends with 0, 1 or 2.
// A violation that fuzz/modelcheck/known.txt lists (its pattern matched against
// the same detail the property test writes) is known and passes, so a
// campaign looks for new ones.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/testing/fuzz_run.h"
#include "driver.h"
#include "tarvex/driver.h"

namespace {

const char kAnswers[] = "0.005\n2500\ny\n3\n7850\n0\n1\nc\n";
const std::vector<std::string> kDensities = {"--density", "2500", "--density", "3:7850",
                                             "--weight-case", "1"};
const char kCompleted[] = "\nTransformation completed.";
const char kStopped[] = "\nPress any key to finish\n";

constexpr std::size_t kMatched = 2000;

struct Known {
  std::string property;
  std::regex pattern;
};

// known.txt of the source tree: "violation | property | pattern" lines.
std::vector<Known> read_known() {
  std::vector<Known> known;
  std::ifstream in(std::string(LIRA_SOURCE_DIR) + "/fuzz/modelcheck/known.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::size_t a = line.find('|');
    std::size_t b = a == std::string::npos ? a : line.find('|', a + 1);
    if (b == std::string::npos) continue;
    auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(' '));
      s.erase(s.find_last_not_of(' ') + 1);
      return s;
    };
    known.push_back({trim(line.substr(a + 1, b - a - 1)), std::regex(trim(line.substr(b + 1)))});
  }
  return known;
}

void violate(const std::string& property, const std::string& detail) {
  static const std::vector<Known> known = read_known();
  // libstdc++'s matcher recurses once a character, so a long detail would
  // overflow the stack: the patterns see its beginning, and what comes before
  // "the check says: " with each finding of the check alone (the property
  // test matches the whole detail).
  std::vector<std::string> seen = {detail.substr(0, kMatched)};
  const std::string says = "; the check says: ";
  std::size_t at = detail.find(says);
  if (at != std::string::npos) {
    std::string head = detail.substr(0, at + says.size());
    for (std::size_t from = at + says.size(); from < detail.size();) {
      std::size_t end = detail.find(" | ", from);
      if (end == std::string::npos) end = detail.size();
      seen.push_back(head + detail.substr(from, std::min(end - from, kMatched)));
      from = end + 3;
    }
  }
  for (const Known& k : known) {
    if (k.property != property) continue;
    for (const std::string& part : seen) {
      if (std::regex_search(part, k.pattern)) return;
    }
  }
  std::fprintf(stderr, "\nmodelcheck property violated: [%s] %s\n", property.c_str(),
               detail.substr(0, 1000).c_str());
  std::abort();
}

struct Check {
  int code;
  std::string report;
};

Check modelcheck_run(std::vector<std::string> args) {
  std::ostringstream out, err;
  int code = modelcheck::run(args, out, err);
  std::string joined;
  for (const std::string& a : args) joined += (joined.empty() ? "" : " ") + a;
  if (code < 0 || code > 2) {
    violate("no-crash", "modelcheck " + joined + " ended with " + std::to_string(code));
  }
  return {code, out.str()};
}

std::string read_file(const char* name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::string("\x01missing");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end == std::string::npos ? end : end - from));
    if (end == std::string::npos) return lines;
    from = end + 1;
  }
}

std::string trimmed(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// A tarvex run on `model`: "completed", "stopped" (with the lines of the
// console before "Press any key to finish", the last one the stop's last
// line) or "failed".
struct Conversion {
  std::string state;
  std::vector<std::string> stop;
  std::string last() const { return stop.empty() ? "" : trimmed(stop.back()); }
};

Conversion convert(const std::string& model, const std::string& answers = kAnswers) {
  std::string shown;
  int code =
      lira::testing::fuzz_run({{"modellir.txt", model}}, answers, tarvex::run_tarvex, &shown);
  if (code == 0 && shown.find(kCompleted) != std::string::npos) return {"completed", {}};
  std::size_t at = shown.rfind(kStopped);
  if (at == std::string::npos) return {"failed (exit " + std::to_string(code) + ")", {}};
  std::vector<std::string> lines = lines_of(shown.substr(0, at));
  while (!lines.empty() && trimmed(lines.back()).empty()) lines.pop_back();
  return {"stopped", lines};
}

// Whether `report` quotes the stop as a finding does: its lines joined by
// blanks, in double quotes.
bool quoted(const std::vector<std::string>& stop, const std::string& report) {
  for (std::size_t k = 1; k <= 8 && k <= stop.size(); ++k) {
    std::string text;
    for (std::size_t i = stop.size() - k; i < stop.size(); ++i) {
      text += (i == stop.size() - k ? "" : " ") + stop[i];
    }
    std::string single;
    for (char c : text) {
      if (!(c == ' ' && !single.empty() && single.back() == ' ')) single += c;
    }
    if (report.find('"' + single + '"') != std::string::npos) return true;
  }
  return false;
}

// A finding without the "file:line: " (or "file: ") before it.
std::string without_place(const std::string& line) {
  std::size_t colon = line.find(':');
  if (colon == std::string::npos) return line;
  std::size_t at = colon + 1;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
  if (at > colon + 1 && at < line.size() && line[at] == ':') ++at;
  else at = colon + 1;
  if (at < line.size() && line[at] == ' ') ++at;
  return line.substr(at);
}

// The findings of a report, as the property test writes them.
std::string digest(const std::string& report) {
  std::string joined;
  int n = 0;
  for (const std::string& line : lines_of(report)) {
    if (line.find("] ") == std::string::npos) continue;
    std::string text = without_place(line);
    joined += (n++ ? " | " : "") + text;
  }
  if (n > 0) return joined;
  std::vector<std::string> lines = lines_of(trimmed(report));
  return lines.empty() || lines.back().empty() ? "(nothing)" : lines.back();
}

std::string verify_digest(const std::string& text) {
  std::size_t at = text.find("cannot be read");
  if (at != std::string::npos) {
    std::string single;
    for (char c : text.substr(at, 2000)) {
      bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
      if (!blank) single += c;
      else if (!single.empty() && single.back() != ' ') single += ' ';
    }
    return trimmed(single).substr(0, 300);
  }
  std::string joined;
  int n = 0;
  static const std::regex group("^  [^*].*: \\d+ differences?$");
  for (const std::string& line : lines_of(text)) {
    if (n < 6 && (std::regex_match(line, group) || line.rfind("  * ", 0) == 0 ||
                  line.rfind("Verdict", 0) == 0)) {
      joined += (n++ ? " | " : "") + trimmed(line).substr(0, 200);
    }
  }
  return joined;
}

// A verdict whose every difference is one the conversion's rules call real: a
// quadrilateral whose corners, in the order tarvex writes them, cross over.
bool only_real_differences(const Check& verify) {
  if (verify.code != 1 || verify.report.find("cannot be read") != std::string::npos) return false;
  // "nodes and coordinates: 2 differences", "twisted elements: 1 element"
  static const std::regex group("^  ([^*][^:]*): \\d+ [a-z]+$");
  int groups = 0;
  for (const std::string& line : lines_of(verify.report)) {
    std::smatch m;
    if (!std::regex_match(line, m, group)) continue;
    ++groups;
    const std::string g = m[1].str();
    // What the conversion's rules make of the model, not a fault of tarvex.
    if (g.find("twisted") == std::string::npos && g != "elements of another kind" &&
        g != "repeated own weight") {
      return false;
    }
  }
  return groups > 0;
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string model = lira::testing::split_input(data, size, 2)[0];

  Conversion run = convert(model);
  Check check = modelcheck_run(kDensities);
  if (run.state == "completed") {
    Check verify = modelcheck_run({"--verify"});
    if (verify.code != 0 && !only_real_differences(verify)) {
      violate("completes", "tarvex completes; --verify exits " + std::to_string(verify.code) +
                               ": " + verify_digest(verify.report));
    }
    std::string stops;
    for (const std::string& line : lines_of(check.report)) {
      if (line.find("] ") != std::string::npos && line.find("stops with") != std::string::npos) {
        stops += line + "\n";
      }
    }
    if (!stops.empty()) {
      violate("no-false-stop", "tarvex completes; the check says: " + digest(stops));
    }
    for (const std::string& line : lines_of(verify.report)) {
      if (line.rfind("  * element ", 0) != 0 || line.find(" (LIRA type ") == std::string::npos ||
          line.find("twisted") == std::string::npos) {
        continue;
      }
      if (check.report.find("twisted") == std::string::npos) {
        violate("twisted-found", "--verify warns: " + line.substr(4, 200) +
                                     "; the check says: " + digest(check.report));
      }
      break;
    }
    modelcheck_run({"--picture", "--case", "2"});
  } else if (run.state == "stopped") {
    if (!quoted(run.stop, check.report)) {
      violate("stop-quoted",
              "tarvex stops with \"" + run.last() + "\"; the check says: " + digest(check.report));
    }
  } else {
    violate("no-crash", "tarvex " + run.state);
  }
  if (check.code == 0 && run.state != "completed") {
    violate("clean-converts", "the check finds nothing; tarvex " + run.state +
                                  (run.stop.empty() ? "" : ": \"" + run.last() + "\""));
  }

  Check fix = modelcheck_run(with({"--fix"}, kDensities));
  std::string copy = read_file("modellir.fixed.txt");
  // tarvex takes the answers that --fix wrote beside the copy, where it wrote them.
  std::string answers = read_file("modellir.answers");
  if (answers == "\x01missing") answers = kAnswers;
  if (fix.code == 2) return 0;
  if (copy == "\x01missing") {
    violate("fix-settled", "--fix exits " + std::to_string(fix.code) + " and writes no copy");
    return 0;
  }
  Check again = modelcheck_run(with(with({"--fix"}, kDensities), {"modellir.fixed.txt"}));
  if (again.report.find("(mended)") != std::string::npos ||
      (again.code != 2 && read_file("modellir.fixed.fixed.txt") != copy)) {
    violate("fix-settled", "a second --fix mends again: " + digest(again.report));
  }
  if (fix.code == 0) {
    Conversion mended = convert(copy, answers);
    if (mended.state != "completed") {
      violate("fix-converts", "--fix leaves nothing; tarvex on the copy " + mended.state +
                                  (mended.stop.empty() ? "" : ": \"" + mended.last() + "\""));
    }
  }
  return 0;
}
