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

bool MendedCopy::apply(long segment, std::string& text, const std::vector<Edit>& late) const {
  const Segment* s = find(segment);
  if (s == nullptr && late.empty()) return true;
  bool was_blank = blank(text);
  std::vector<Edit> all = s != nullptr ? s->edits : std::vector<Edit>{};
  if (!late.empty()) {
    // Edits found on different passes meet here: put them in order of place.
    all.insert(all.end(), late.begin(), late.end());
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
