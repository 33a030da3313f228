// The mended copy of a model: the edits that the check decides while it
// reads, kept by the part of a line (segment) they belong to and applied on
// a later reading of the same text, when everything a mend rests on is known.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace modelcheck {

/// One change to a segment's text: `erase` characters at `pos` give way to
/// `insert`.
struct Edit {
  std::size_t pos, erase;
  std::string insert;
};

/// The edits of a whole model, segment by segment. Segments are numbered from
/// 1 in the order the check reads them, the same on every pass; only those
/// with edits are kept, so a clean model costs nothing.
class MendedCopy {
 public:
  /// Adds `edits` (in the order of their places) to segment `segment`.
  void add(long segment, const std::vector<Edit>& edits);
  /// Segment `segment` is left out of the copy where its edits leave nothing
  /// but blanks: a record taken out takes its line with it.
  void drop_if_blank(long segment);
  /// Writes `lines` (whole lines with their ends) after segment `segment`.
  void insert_after(long segment, std::string lines);
  /// Adds `edits` decided once the whole model is read (a type 5 bar made
  /// a bar); they meet the segment's own in order of place.
  void add_late(long segment, const std::vector<Edit>& edits);
  /// The words at `a` and at `b` (each `length` characters) change places.
  void swap(long segment, std::size_t a, std::size_t a_length, std::size_t b,
            std::size_t b_length);

  /// Applies the edits of `segment` to `text`. False where the segment is to
  /// be left out.
  bool apply(long segment, std::string& text) const;
  /// The lines to write after `segment`, or an empty text.
  const std::string& after(long segment) const;

 private:
  struct Segment {
    long number = 0;
    std::vector<Edit> edits;
    bool drop_blank = false;
    std::string after;
  };
  Segment& at(long segment);
  const Segment* find(long segment) const;
  std::vector<Segment> segments_;  // ascending by number
  // Decided after the reading, each kind in the order of the model, so that
  // many (every plate of a model) cost no search: ascending by segment.
  struct Late {
    long segment;
    Edit edit;
  };
  struct Swap {
    long segment;
    std::size_t a, a_length, b, b_length;
  };
  std::vector<Late> late_;
  std::vector<Swap> swaps_;
};

}  // namespace modelcheck
