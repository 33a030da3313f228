// The tables of the verification reports (--verify): a row of what with two figures,
// and the differences of a table, the first twenty written out.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace modelcheck {

inline std::string padded(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}
inline std::string right_aligned(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

/// "  what ........ a ..... b", with a mark when the two differ.
inline void row(std::ostream& out, const std::string& what, const std::string& a, const std::string& b,
                bool differs = false) {
  out << "  " << padded(what, 36) << right_aligned(a, 14) << right_aligned(b, 14)
      << (differs ? "   <- differs" : "") << "\n";
}
/// A table's heading line with the names of its two columns.
inline void heading(std::ostream& out, const std::string& title, const std::string& a, const std::string& b) {
  out << "\n" << padded(title, 38) << right_aligned(a, 14) << right_aligned(b, 14) << "\n";
}

/// The lines of one table of the report: all counted, the first twenty kept.
struct TableLines {
  std::vector<std::string> lines;
  std::int64_t count = 0;

  void add(std::string line) {
    ++count;
    if (lines.size() < 20) lines.push_back(std::move(line));
  }
  /// "  title: all agree", or the count and the differences; returns the count.
  std::int64_t close(std::ostream& out, const char* title, const std::string& noun = "difference") {
    if (count == 0) {
      out << "  " << title << ": all agree\n";
      return 0;
    }
    out << "  " << title << ": " << count << " " << noun << (count == 1 ? "\n" : "s\n");
    for (const std::string& l : lines) out << "  * " << l << "\n";
    if (count > static_cast<std::int64_t>(lines.size())) {
      out << "  * ... and " << count - static_cast<std::int64_t>(lines.size()) << " more\n";
    }
    std::int64_t n = count;
    lines.clear();
    count = 0;
    return n;
  }
};

}  // namespace modelcheck
