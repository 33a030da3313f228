// modelcheck --verify --vantrel: modelnew.txt is model.txt with exactly the
// new load records added, and those records are the loads of the fragment
// table, node by node, loading by loading, direction by direction.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common/number_format.h"
#include "common/text_model.h"
#include "vantrel/fragment_format.h"
#include "exit_code.h"
#include "fragment_loads.h"
#include "verify_table.h"
#include "verify_vantrel.h"

namespace modelcheck {
namespace {

// A text file as the programs read it, every CR LF pair one LF, a line at a
// time: both models may be large, and are compared as they are read.
class TextLines {
 public:
  explicit TextLines(const std::string& name) : in_(name) {}
  /// Opens the file (again) at its first line; false when it cannot be read.
  bool open() {
    number_ = 0;
    if (!in_.open()) return false;
    advance();
    return true;
  }
  /// Whether a line was read: false after the last.
  bool has() const { return has_; }
  const std::string& line() const { return line_; }
  /// The line's number, from 1; after the last, the number of lines.
  long number() const { return number_; }
  void advance() {
    line_.clear();
    has_ = false;
    for (std::string_view b = in_.buffered(); !b.empty(); b = in_.buffered()) {
      has_ = true;
      std::size_t lf = b.find('\n');
      line_.append(b.data(), lf == std::string_view::npos ? b.size() : lf);
      in_.skip(lf == std::string_view::npos ? b.size() : lf + 1);
      if (lf != std::string_view::npos) break;
    }
    if (has_) ++number_;
  }

 private:
  lira::TextReader in_;
  std::string line_;
  bool has_ = false;
  long number_ = 0;
};

bool read_text(const std::string& name, std::string& text) {
  lira::TextReader in(name);
  if (!in.open()) return false;
  text.clear();
  for (std::string_view b = in.buffered(); !b.empty(); b = in.buffered()) {
    text.append(b.data(), b.size());
    in.skip(b.size());
  }
  return true;
}

/// Where model.txt holds what vantrel adds to: the lines of the empty lines
/// that close the records of document 6 and of document 7 (0: none), and the
/// last value line number of document 7.
struct ModelLayout {
  long lines = 0, close6 = 0, close7 = 0;
  long last_value_line = 0;
};

ModelLayout layout_of(TextLines& model) {
  ModelLayout m;
  bool doc6 = false, doc7 = false, doc7_seen = false;
  for (; model.has(); model.advance()) {
    const std::string& l = model.line();
    m.lines = model.number();
    if (!doc6 && l.compare(0, 4, "( 6/") == 0) doc6 = true;
    if (doc6 && m.close6 == 0 && l.empty()) {
      m.close6 = model.number();
    } else if (m.close6 != 0 && m.close7 == 0 && l.empty()) {
      m.close7 = model.number();
    }
    if (doc7 && l.compare(0, 2, " )") == 0) doc7 = false;
    if (doc7 && !l.empty()) m.last_value_line = std::strtol(l.c_str(), nullptr, 0);
    if (!doc7_seen && l.compare(0, 4, "( 7/") == 0) doc7 = doc7_seen = true;
  }
  return m;
}

struct NewRecords {
  std::vector<std::string> doc6, doc7;
};

std::string num(double v) { return lira::format_real(v); }

using vantrel::kDirectionNames;

using LoadKey = std::tuple<std::int32_t, int, int>;  // node, loading, direction

std::string key_name(const LoadKey& k) {
  return "node " + std::to_string(std::get<0>(k)) + ", loading " + std::to_string(std::get<1>(k)) + ", " +
         kDirectionNames[std::get<2>(k) - 1];
}

// Reads modelnew.txt beside model.txt: the lines of model.txt, and the two
// runs of new records, each standing before the empty line that closes the
// records of document 6 and of document 7. False where the lines of
// model.txt are not all there, in their order.
bool split_new(TextLines& model, const ModelLayout& m, TextLines& fresh, NewRecords& added,
               TableLines& r) {
  if (m.close6 == 0 || m.close7 == 0) {
    r.add(
        "model.txt has not the layout vantrel needs: document 6, document 7, each record list closed by an "
        "empty line");
    return false;
  }
  // The lines of model.txt up to line `end` are the next of modelnew.txt.
  auto same_until = [&](long end) {
    for (; model.has() && model.number() <= end; model.advance(), fresh.advance()) {
      if (!fresh.has() || fresh.line() != model.line()) {
        long j = fresh.has() ? fresh.number() : fresh.number() + 1;
        r.add("line " + std::to_string(model.number()) + " of model.txt (\"" +
              model.line().substr(0, 60) + "\") is not line " + std::to_string(j) +
              " of modelnew.txt" + (fresh.has() ? " (\"" + fresh.line().substr(0, 60) + "\")" : ""));
        return false;
      }
    }
    return true;
  };
  auto new_run = [&](std::vector<std::string>& run) {
    for (; fresh.has() && !fresh.line().empty(); fresh.advance()) run.push_back(fresh.line());
  };
  if (!same_until(m.close6 - 1)) return false;
  new_run(added.doc6);
  if (!same_until(m.close7 - 1)) return false;
  new_run(added.doc7);
  if (!same_until(m.lines)) return false;
  if (fresh.has()) {
    r.add("modelnew.txt goes on after the last line of model.txt, at line " +
          std::to_string(fresh.number()));
    return false;
  }
  return true;
}

// The new records read back, "line value 0 /" of document 7 and "node 0
// direction line loading /" of document 6, summed by node, loading and
// direction; `first` is the number the first new value line must have.
std::map<LoadKey, double> new_loads(const NewRecords& added, long first, TableLines& r) {
  std::map<long, double> values;
  long expected_line = first;
  for (const std::string& l : added.doc7) {
    char* end = nullptr;
    long line = std::strtol(l.c_str(), &end, 10);
    double v = std::strtod(end, &end);
    double zero = std::strtod(end, &end);
    std::string rest = end;
    if (line != expected_line || zero != 0 || rest.find('/') == std::string::npos) {
      r.add("new load value \"" + l + "\": not the form \"" + std::to_string(expected_line) + " value 0 /\"");
    }
    values[line] = v;
    ++expected_line;
  }
  std::map<LoadKey, double> records;
  for (const std::string& l : added.doc6) {
    long f[5];
    char* p = const_cast<char*>(l.c_str());
    for (long& x : f) x = std::strtol(p, &p, 10);
    bool form = f[1] == 0 && f[2] >= 1 && f[2] <= 6 && std::string(p).find('/') != std::string::npos;
    auto v = values.find(f[3]);
    if (!form || v == values.end()) {
      r.add("new load record \"" + l + "\": not a nodal load on a new load value");
      continue;
    }
    records[LoadKey{static_cast<std::int32_t>(f[0]), static_cast<int>(f[4]), static_cast<int>(f[2])}] +=
        v->second;
  }
  if (added.doc6.size() != added.doc7.size()) {
    r.add(std::to_string(added.doc6.size()) + " new load records, " + std::to_string(added.doc7.size()) +
          " new load values");
  }
  return records;
}

bool agree(double a, double b) { return std::fabs(a - b) <= 1e-5 * std::max(std::fabs(a), std::fabs(b)); }

// The table of counts and sums by direction, the table's against the records'.
void loads_table(std::ostream& out, const FragmentTable& table, const NewRecords& added,
                 const std::map<LoadKey, double>& loads, const std::map<LoadKey, double>& records) {
  double totals[2][6] = {};
  for (const auto& [k, v] : loads) totals[0][std::get<2>(k) - 1] += v;
  for (const auto& [k, v] : records) totals[1][std::get<2>(k) - 1] += v;
  heading(out, "Loads", "loadfrag.txt", "new records");
  row(out, "blocks of the table", std::to_string(table.blocks), "");
  row(out, "values that are not zero", std::to_string(table.loads.size()), std::to_string(added.doc6.size()),
      table.loads.size() != added.doc6.size());
  for (int d = 0; d < 6; ++d) {
    if (totals[0][d] == 0 && totals[1][d] == 0) continue;
    row(out, std::string("sum of ") + kDirectionNames[d], num(totals[0][d]), num(totals[1][d]),
        !agree(totals[0][d], totals[1][d]));
  }
}

// The table's loads against the records', node by node.
void compare_loads(const std::map<LoadKey, double>& loads, const std::map<LoadKey, double>& records,
                   TableLines& r) {
  auto a = loads.begin();
  auto b = records.begin();
  while (a != loads.end() || b != records.end()) {
    if (a != loads.end() && b != records.end() && a->first == b->first) {
      if (!agree(a->second, b->second)) {
        r.add(key_name(a->first) + ": " + num(a->second) + " in the table, " + num(b->second) +
              " in the records");
      }
      ++a, ++b;
    } else if (b == records.end() || (a != loads.end() && a->first < b->first)) {
      r.add(key_name(a->first) + ": " + num(a->second) + " in the table, no record");
      ++a;
    } else {
      r.add(key_name(b->first) + ": a record of " + num(b->second) + ", nothing in the table");
      ++b;
    }
  }
}

}  // namespace

int verify_vantrel(const Options& options, std::ostream& out) {
  std::string names[3] = {options.file(0, "model.txt"), options.file(1, "loadfrag.txt"),
                          options.file(2, "modelnew.txt")};
  TextLines model(names[0]), fresh(names[2]);
  std::string fragments;
  for (int i = 0; i < 3; ++i) {
    bool opened = i == 0 ? model.open() : i == 1 ? read_text(names[1], fragments) : fresh.open();
    if (!opened) {
      out << "modelcheck --verify --vantrel: " << names[i] << " cannot be opened.\n";
      return kUsage;
    }
  }
  ModelLayout layout = layout_of(model);
  model.open();
  FragmentTable table;
  std::string stop;
  if (!read_fragment_loads(fragments, table, stop, layout.last_value_line + 1)) {
    out << "modelcheck --verify --vantrel: " << names[1] << " cannot be read as vantrel reads it:" << stop
        << "\n";
    return kUsage;
  }
  out << "modelcheck --verify --vantrel: " << names[2] << " beside " << names[0] << " and " << names[1]
      << "\n";
  TableLines r;
  std::int64_t differences = 0;
  NewRecords added;
  bool kept = split_new(model, layout, fresh, added, r);
  std::string lines = std::to_string(layout.lines);
  heading(out, "Lines", "model.txt", "modelnew.txt");
  row(out, "lines of model.txt", lines, kept ? lines : "-", !kept);
  row(out, "new records of document 6", "-", std::to_string(added.doc6.size()));
  row(out, "new records of document 7", "-", std::to_string(added.doc7.size()));
  differences += r.close(out, "model.txt in modelnew.txt");

  std::map<LoadKey, double> loads, records = new_loads(added, layout.last_value_line + 1, r);
  for (const FragmentLoad& l : table.loads) loads[LoadKey{l.node, l.loading, l.direction}] += l.value;
  loads_table(out, table, added, loads, records);
  compare_loads(loads, records, r);
  differences += r.close(out, "loads by node, loading and direction");
  if (differences == 0) {
    out << "\nVerdict: modelnew.txt is model.txt with exactly the loads of the table added.\n";
    return kClean;
  }
  out << "\nVerdict: modelnew.txt differs in " << differences
      << (differences == 1 ? " place.\n" : " places.\n");
  return kFindings;
}

}  // namespace modelcheck
