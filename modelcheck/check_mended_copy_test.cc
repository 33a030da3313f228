#include "check_mended_copy.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

// Edits kept on one pass are applied on the next, from the last place to the
// first; edits of the writing pass fall in among them by place.
TEST(MendedCopy, EditsOfBothPassesInOrderOfPlace) {
  MendedCopy copy;
  copy.add(2, {Edit{7, 0, " "}, Edit{10, 1, "."}});
  std::string untouched = "1 2 3/";
  EXPECT_TRUE(copy.apply(1, untouched, {}));
  EXPECT_EQ(untouched, "1 2 3/");
  std::string text = "5 1 1 2/ 0,5";
  EXPECT_TRUE(copy.apply(2, text, {Edit{0, 1, "10"}}));
  EXPECT_EQ(text, "10 1 1 2 / 0.5");
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
  EXPECT_FALSE(copy.apply(3, row, {}));
  std::string kept = "x 1 /";
  EXPECT_TRUE(copy.apply(4, kept, {}));
  EXPECT_EQ(kept, " 1 /");
  std::string blank = "  ";
  EXPECT_TRUE(copy.apply(5, blank, {}));
  EXPECT_EQ(copy.after(2), "( 16/\n1 0 /\n)\n");
  EXPECT_EQ(copy.after(3), "");
}

}  // namespace
}  // namespace modelcheck
