#include "apdl_script.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

namespace modelcheck {

const char* const kSupportLabels[kDirections] = {"UX", "UY", "UZ", "ROTX", "ROTY", "ROTZ"};
const char* const kForceLabels[kDirections] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};

namespace {

constexpr int kFieldMax = 24;

/// One command line split at its commas, blanks around each field dropped.
struct Fields {
  std::string_view field[kFieldMax];
  int count = 0;

  std::string_view operator[](int i) const { return i < count ? field[i] : std::string_view(); }
};

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

void split(std::string_view line, Fields& f) {
  f.count = 0;
  for (;;) {
    std::size_t comma = line.find(',');
    if (f.count < kFieldMax) f.field[f.count++] = trimmed(line.substr(0, comma));
    if (comma == std::string_view::npos) return;
    line.remove_prefix(comma + 1);
  }
}

bool same_word(std::string_view a, const char* b) {
  std::size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = a[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != b[i]) return false;
  }
  return true;
}

bool integer(std::string_view s, std::int64_t& v) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

/// A number field; an empty field is 0, as ANSYS takes it.
bool real(std::string_view s, double& v) {
  v = 0;
  if (s.empty()) return true;
  if (s.front() == '+') s.remove_prefix(1);
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

int label_index(std::string_view s, const char* const labels[kDirections]) {
  for (int i = 0; i < kDirections; ++i) {
    if (same_word(s, labels[i])) return i;
  }
  return -1;
}

struct Reader {
  explicit Reader(ScriptModel& script) : m(script) {}

  ScriptModel& m;
  std::int64_t line_number = 0;
  std::string_view line;
  int type = 0, mat = 0, real_set = 0, esys = 0;
  int last_real = 0;                 // the set that RMORE goes on
  std::vector<std::int32_t> picked;  // the FLST list
  bool add_forces = false, add_pressures = false;
  LoadStep current;

  void unread() {
    ++m.unread_count;
    if (m.unread.size() < 20) {
      m.unread.push_back("line " + std::to_string(line_number) + ": " + std::string(line.substr(0, 100)));
    }
  }

  bool int_field(const Fields& f, int i, std::int64_t& v) {
    if (integer(f[i], v) && v >= INT32_MIN && v <= INT32_MAX) return true;
    unread();
    return false;
  }

  void node(const Fields& f) {
    std::int64_t n;
    double xyz[3];
    if (!int_field(f, 1, n)) return;
    // Node numbers index a table that grows with them: a number far beyond
    // the nodes so far is refused rather than given memory for the gap.
    std::int64_t room = 2 * static_cast<std::int64_t>(m.nodes.size()) + 1000000;
    if (n < 1 || n > room || !real(f[2], xyz[0]) || !real(f[3], xyz[1]) || !real(f[4], xyz[2])) {
      return unread();
    }
    if (m.nodes.size() <= static_cast<std::size_t>(n)) m.nodes.resize(static_cast<std::size_t>(n) + 1);
    ScriptNode& s = m.nodes[static_cast<std::size_t>(n)];
    s.x = static_cast<float>(xyz[0]);
    s.y = static_cast<float>(xyz[1]);
    s.z = static_cast<float>(xyz[2]);
    s.defined = true;
  }

  void element(const Fields& f) {
    ScriptElement e;
    e.type = type;
    e.mat = mat;
    e.real = real_set;
    e.esys = esys;
    e.line = line_number;
    if (same_word(f[1], "P51X")) {
      if (picked.size() > 8) return unread();
      for (std::int32_t n : picked) e.node[e.node_count++] = n;
    } else {
      for (int i = 1; i < f.count && i <= 8; ++i) {
        std::int64_t n;
        if (!int_field(f, i, n)) return;
        e.node[e.node_count++] = static_cast<std::int32_t>(n);
      }
    }
    if (e.node_count == 0) return unread();
    m.elements.push_back(e);
  }

  void support(const Fields& f) {
    std::vector<std::int32_t> nodes;
    if (same_word(f[1], "P51X")) {
      nodes = picked;
    } else {
      std::int64_t n;
      if (!int_field(f, 1, n)) return;
      nodes.push_back(static_cast<std::int32_t>(n));
    }
    // D,node,Lab,VALUE,VALUE2,NEND,NINC,Lab2,...: the labels are fields 2 and
    // 7 on; a value other than 0 is no support.
    double value = 0;
    if (!real(f[3], value) || value != 0) return unread();
    bool any = false;
    for (int i = 2; i < f.count; ++i) {
      if (i >= 3 && i <= 6) continue;
      if (f[i].empty()) continue;
      int dof = label_index(f[i], kSupportLabels);
      if (dof < 0) return unread();
      for (std::int32_t n : nodes) m.supports.push_back(ScriptSupport{n, dof});
      any = true;
    }
    if (!any) unread();
  }

  // Loads on the same target and label add up or replace each other as the
  // cumulation commands say; a step keeps what is in force at LSWRITE.
  void put(std::vector<ScriptLoad>& loads, bool add, ScriptLoad l) {
    if (!add) {
      for (ScriptLoad& o : loads) {
        if (o.target == l.target && o.label == l.label) {
          o.value = l.value;
          return;
        }
      }
    }
    loads.push_back(l);
  }

  void force(const Fields& f) {
    std::int64_t n;
    double v;
    int label = label_index(f[2], kForceLabels);
    if (!int_field(f, 1, n)) return;
    if (label < 0 || !real(f[3], v)) return unread();
    put(current.forces, add_forces, ScriptLoad{static_cast<std::int32_t>(n), label, v});
  }

  // SFE,ELEM,LKEY,PRES,KVAL,VAL1 and SFBEAM,ELEM,LKEY,PRES,VALI
  void pressure(const Fields& f, bool beam) {
    std::int64_t n, face;
    double v;
    if (!int_field(f, 1, n) || !int_field(f, 2, face)) return;
    if (!same_word(f[3], "PRES") || !real(f[beam ? 4 : 5], v) || face < 1 || face > 6) {
      return unread();
    }
    ScriptLoad l{static_cast<std::int32_t>(n), static_cast<int>(face), v};
    put(beam ? current.beam_pressures : current.pressures, add_pressures, l);
  }

  void attribute(const Fields& f, int& which) {
    std::int64_t v;
    if (int_field(f, 1, v)) which = static_cast<int>(v);
  }

  void material(const Fields& f) {
    // MPDATA,Lab,MAT,STLOC,C1
    std::int64_t number;
    double v;
    if (!int_field(f, 2, number) || !real(f[4], v)) return;
    Material& mat = m.materials[static_cast<int>(number)];
    if (same_word(f[1], "EX"))
      mat.ex = v, mat.has_ex = true;
    else if (same_word(f[1], "DENS"))
      mat.dens = v, mat.has_dens = true;
    else if (same_word(f[1], "PRXY"))
      mat.prxy = v, mat.has_prxy = true;
  }

  void real_constants(const Fields& f, bool more) {
    std::int64_t number = last_real;
    if (!more && !int_field(f, 1, number)) return;
    std::vector<double>& set = m.real_sets[static_cast<int>(number)];
    if (!more) set.clear();
    for (int i = more ? 1 : 2; i < f.count; ++i) {
      double v;
      if (!real(f[i], v)) return unread();
      set.push_back(v);
    }
    last_real = static_cast<int>(number);
  }

  void command() {
    std::string_view text = trimmed(line);
    if (text.empty() || text[0] == '!' || text[0] == '/') return;
    Fields f;
    split(text, f);
    std::string_view name = f[0];
    std::int64_t v;
    if (same_word(name, "FITEM")) {
      if (!int_field(f, 2, v)) return;
      if (v < 0 && !picked.empty()) {
        // A range from the item before to |v|.
        for (std::int64_t n = picked.back() + 1; n <= -v && picked.size() < 100000; ++n) {
          picked.push_back(static_cast<std::int32_t>(n));
        }
      } else {
        picked.push_back(static_cast<std::int32_t>(v));
      }
    } else if (same_word(name, "N")) {
      node(f);
    } else if (same_word(name, "FLST")) {
      picked.clear();
    } else if (same_word(name, "E")) {
      element(f);
    } else if (same_word(name, "TYPE")) {
      attribute(f, type);
    } else if (same_word(name, "MAT")) {
      attribute(f, mat);
    } else if (same_word(name, "REAL")) {
      attribute(f, real_set);
    } else if (same_word(name, "ESYS")) {
      attribute(f, esys);
    } else if (same_word(name, "D")) {
      support(f);
    } else if (same_word(name, "F")) {
      force(f);
    } else if (same_word(name, "SFE")) {
      pressure(f, false);
    } else if (same_word(name, "SFBEAM")) {
      pressure(f, true);
    } else if (same_word(name, "ET")) {
      if (int_field(f, 1, v)) m.element_types[static_cast<int>(v)] = std::string(f[2]);
    } else if (same_word(name, "MPDATA")) {
      material(f);
    } else if (same_word(name, "R")) {
      real_constants(f, false);
    } else if (same_word(name, "RMORE")) {
      real_constants(f, true);
    } else if (same_word(name, "ACEL")) {
      for (int i = 0; i < 3; ++i) {
        if (!real(f[i + 1], current.acel[i])) return unread();
      }
    } else if (same_word(name, "LSWRITE")) {
      if (!int_field(f, 1, v)) return;
      current.number = static_cast<int>(v);
      m.steps.push_back(current);
    } else if (same_word(name, "FDELE")) {
      delete_loads(f, current.forces, nullptr);
    } else if (same_word(name, "SFEDELE")) {
      delete_loads(f, current.pressures, &current.beam_pressures);
    } else if (same_word(name, "FCUM")) {
      add_forces = same_word(f[1], "ADD");
    } else if (same_word(name, "SFCUM")) {
      add_pressures = same_word(f[2], "ADD");
    } else if (same_word(name, "FINISH")) {
      m.finished = true;
    } else if (same_word(name, "KEYOPT") || same_word(name, "MPTEMP") || same_word(name, "TB") ||
               same_word(name, "TBMODIF") || same_word(name, "LOCAL")) {
      // Element options, temperatures, nonlinear tables, the slab's system:
      // nothing that the checks compare.
    } else {
      unread();
    }
  }

  // FDELE,NODE,Lab and SFEDELE,ELEM,LKEY,Lab: ALL or one number.
  void delete_loads(const Fields& f, std::vector<ScriptLoad>& loads, std::vector<ScriptLoad>* more) {
    std::int64_t n = 0;
    bool all = same_word(f[1], "ALL");
    if (!all && !int_field(f, 1, n)) return;
    for (std::vector<ScriptLoad>* list : {&loads, more}) {
      if (list == nullptr) continue;
      list->erase(std::remove_if(list->begin(), list->end(),
                                 [&](const ScriptLoad& l) { return all || l.target == n; }),
                  list->end());
    }
  }
};

}  // namespace

void read_script(lira::TextReader& in, ScriptModel& script) {
  Reader r(script);
  std::string held;  // a line that runs over the end of the read-ahead buffer
  for (;;) {
    std::string_view ahead = in.buffered();
    if (ahead.empty()) break;
    const char* end = static_cast<const char*>(std::memchr(ahead.data(), '\n', ahead.size()));
    if (end == nullptr) {
      held.append(ahead.data(), ahead.size());
      in.skip(ahead.size());
      continue;
    }
    std::size_t length = static_cast<std::size_t>(end - ahead.data());
    ++r.line_number;
    if (held.empty()) {
      r.line = ahead.substr(0, length);
      r.command();
    } else {
      held.append(ahead.data(), length);
      r.line = held;
      r.command();
      held.clear();
    }
    in.skip(length + 1);
  }
  if (!held.empty()) {
    ++r.line_number;
    r.line = held;
    r.command();
  }
}

}  // namespace modelcheck
