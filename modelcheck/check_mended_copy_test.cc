#include "check_mended_copy.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

// Edits kept while reading are applied on the reading that writes, from the
// last place to the first; edits and swaps decided after the reading, out of
// the order of segments, fall in among them by place.
TEST(MendedCopy, EditsDecidedLateInOrderOfPlace) {
  MendedCopy copy;
  copy.add(2, {Edit{7, 0, " "}, Edit{10, 1, "."}});
  copy.swap(6, 9, 1, 11, 1);
  copy.add_late(2, {Edit{0, 1, "10"}});
  copy.swap(4, 9, 2, 12, 1);
  std::string untouched = "1 2 3/";
  EXPECT_TRUE(copy.apply(1, untouched));
  EXPECT_EQ(untouched, "1 2 3/");
  std::string text = "5 1 1 2/ 0,5";
  EXPECT_TRUE(copy.apply(2, text));
  EXPECT_EQ(text, "10 1 1 2 / 0.5");
  // The swapped words are the ones written, a glued slash left in its place.
  std::string quad = "44 1 1 2 14 3/";
  EXPECT_TRUE(copy.apply(4, quad));
  EXPECT_EQ(quad, "44 1 1 2 3 14/");
  std::string other = "44 1 1 2 4 3 /";
  EXPECT_TRUE(copy.apply(6, other));
  EXPECT_EQ(other, "44 1 1 2 3 4 /");
}

// A record taken out takes its line with it, a line that was blank before
// stays; lines decided later go after their segment.
TEST(MendedCopy, DroppedSegmentsAndLinesAfter) {
  MendedCopy copy;
  copy.add(3, {Edit{1, 9, ""}});
  copy.drop_if_blank(3);
  copy.add(4, {Edit{0, 1, ""}});
  copy.drop_if_blank(4);
  copy.insert_after(2, "( 16/\n1 0 /\n)\n");
  std::string row = " 0 RO 2.5/";
  EXPECT_FALSE(copy.apply(3, row));
  std::string kept = "x 1 /";
  EXPECT_TRUE(copy.apply(4, kept));
  EXPECT_EQ(kept, " 1 /");
  std::string blank = "  ";
  EXPECT_TRUE(copy.apply(5, blank));
  EXPECT_EQ(copy.after(2), "( 16/\n1 0 /\n)\n");
  EXPECT_EQ(copy.after(3), "");
}

}  // namespace
}  // namespace modelcheck
