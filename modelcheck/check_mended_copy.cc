#include "check_mended_copy.h"

#include <algorithm>

namespace modelcheck {

namespace {
const std::string kNothing;

bool blank(const std::string& text) {
  return text.find_first_not_of(" \t\v\f\r") == std::string::npos;
}
}  // namespace

MendedCopy::Segment& MendedCopy::at(long segment) {
  // Segments come in ascending order but for the few decided afterwards.
  if (segments_.empty() || segments_.back().number < segment) {
    segments_.emplace_back();
    segments_.back().number = segment;
    return segments_.back();
  }
  auto it = std::lower_bound(segments_.begin(), segments_.end(), segment,
                             [](const Segment& s, long n) { return s.number < n; });
  if (it == segments_.end() || it->number != segment) {
    it = segments_.insert(it, Segment{});
    it->number = segment;
  }
  return *it;
}

const MendedCopy::Segment* MendedCopy::find(long segment) const {
  auto it = std::lower_bound(segments_.begin(), segments_.end(), segment,
                             [](const Segment& s, long n) { return s.number < n; });
  return it != segments_.end() && it->number == segment ? &*it : nullptr;
}

void MendedCopy::add(long segment, const std::vector<Edit>& edits) {
  if (edits.empty()) return;
  std::vector<Edit>& kept = at(segment).edits;
  kept.insert(kept.end(), edits.begin(), edits.end());
}

void MendedCopy::drop_if_blank(long segment) { at(segment).drop_blank = true; }

void MendedCopy::insert_after(long segment, std::string lines) { at(segment).after += lines; }

void MendedCopy::add_late(long segment, const std::vector<Edit>& edits) {
  for (const Edit& e : edits) {
    auto it = std::upper_bound(late_.begin(), late_.end(), segment,
                               [](long n, const Late& l) { return n < l.segment; });
    late_.insert(it, Late{segment, e});
  }
}

void MendedCopy::swap(long segment, std::size_t a, std::size_t a_length, std::size_t b,
                      std::size_t b_length) {
  auto it = std::upper_bound(swaps_.begin(), swaps_.end(), segment,
                             [](long n, const Swap& w) { return n < w.segment; });
  swaps_.insert(it, Swap{segment, a, a_length, b, b_length});
}

bool MendedCopy::apply(long segment, std::string& text) const {
  const Segment* s = find(segment);
  auto late = std::equal_range(late_.begin(), late_.end(), Late{segment, Edit{}},
                               [](const Late& x, const Late& y) { return x.segment < y.segment; });
  auto swaps = std::equal_range(swaps_.begin(), swaps_.end(), Swap{segment, 0, 0, 0, 0},
                                [](const Swap& x, const Swap& y) { return x.segment < y.segment; });
  if (s == nullptr && late.first == late.second && swaps.first == swaps.second) return true;
  bool was_blank = blank(text);
  std::vector<Edit> all = s != nullptr ? s->edits : std::vector<Edit>{};
  std::size_t own = all.size();
  for (auto l = late.first; l != late.second; ++l) all.push_back(l->edit);
  // The swapped words are taken from the text as written.
  for (auto w = swaps.first; w != swaps.second; ++w) {
    if (w->a + w->a_length > text.size() || w->b + w->b_length > text.size()) continue;
    all.push_back(Edit{w->a, w->a_length, text.substr(w->b, w->b_length)});
    all.push_back(Edit{w->b, w->b_length, text.substr(w->a, w->a_length)});
  }
  if (all.size() > own) {
    // Edits decided at different times meet here: put them in order of place.
    std::stable_sort(all.begin(), all.end(),
                     [](const Edit& a, const Edit& b) { return a.pos < b.pos; });
  }
  // From the last place to the first, so that each place still stands.
  for (auto e = all.rbegin(); e != all.rend(); ++e) {
    if (e->pos > text.size()) continue;
    text.replace(e->pos, e->erase, e->insert);
  }
  return !(s != nullptr && s->drop_blank && !was_blank && blank(text));
}

const std::string& MendedCopy::after(long segment) const {
  const Segment* s = find(segment);
  return s != nullptr ? s->after : kNothing;
}

}  // namespace modelcheck
