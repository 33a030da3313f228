#include "common/message.h"

#include <gtest/gtest.h>

namespace lira {
namespace {

TEST(Message, FillsThePlacesInOrderAndKeepsTheRest) {
  EXPECT_EQ(message("\nIncorrect modellir.txt: node <n> of element <n> is outside 1 to <n>.",
                    {"7", "12", "5"}),
            "\nIncorrect modellir.txt: node 7 of element 12 is outside 1 to 5.");
  // A text without values comes back as it stands, brackets included.
  EXPECT_EQ(message("\nIncorrect <model>.txt: no loads.", {}), "\nIncorrect <model>.txt: no loads.");
  // A value that looks like a place is not filled again; a place left over stays.
  EXPECT_EQ(message("a <token> b <n> c <n>", {"<n>", "3"}), "a <n> b 3 c <n>");
  // A value with no place left is dropped rather than read past the text.
  EXPECT_EQ(message("<n> only", {"1", "2"}), "1 only");
  EXPECT_EQ(message("\nError: Number of reiforcement layers = <n>\n", {"3"}),
            "\nError: Number of reiforcement layers = 3\n");
}

}  // namespace
}  // namespace lira
