#include "check_tarvex_stop.h"

#include <gtest/gtest.h>

#include <string>

namespace modelcheck {
namespace {

// A plate and a slab stiffness, two elements.
std::string model(const std::string& elements) {
  return "( 3/\n1 3.0E6 0.2 0.2 /\n)\n( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n( 1/\n" +
         elements + ")\n( 5/\n1 1 2 3 /\n)\n( 6/\n)\n( 7/\n1 0.5 /\n)\n( 16/\n1 0 /\n)\n";
}

TarvexStop stop_of(const std::string& text) {
  lira::TextReader in = lira::TextReader::from_text("modellir.txt", text);
  return tarvex_reading_stop(in);
}

TEST(TarvexReadingStop, CleanModelReadToItsEnd) {
  TarvexStop s = stop_of(model("44 1 1 2 3 4 /\n"));
  EXPECT_FALSE(s.stopped) << s.message;
}

// tarvex builds the layer nodes of the slabs before any element: a layered
// shell without a slab stiffness stops it before a wide type earlier in
// document 1 does.
TEST(TarvexReadingStop, SlabStiffnessTestedBeforeTypes) {
  TarvexStop s = stop_of(model("99999 1 1 2 3 4 /\n241 1 1 2 3 4 /\n"));
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.message,
            "\nIncorrect modellir.txt: element 2 of type 241 has stiffness 1, which is no "
            "reinforced concrete slab.");
  EXPECT_EQ(s.document, "1");
  s = stop_of(model("44 1 1 2 3 4 /\n-40000 1 1 2 3 4 /\n70000 1 1 2 3 4 /\n"));
  EXPECT_EQ(s.message,
            "\nIncorrect modellir.txt: element 2 has type -40000, which is no element type.");
}

// tarvex writes the elements in a second reading of document 1 and stops at
// the first element whose stiffness document 3 lacks, before its nodes; a
// stop of the first reading (a layered shell) comes before it, and a type
// beyond 16 bits before it only where its element comes first.
TEST(TarvexReadingStop, UndefinedStiffnessInTheWritingOrder) {
  const std::string undefined =
      "\nIncorrect modellir.txt: element 2 of document 1 has stiffness 7, which document 3 does "
      "not define, or defines with a kind that is not converted: give the element a converted "
      "stiffness of document 3.";
  // A record cut short after it: the stiffness stops tarvex first.
  EXPECT_EQ(stop_of(model("44 1 1 2 3 4 /\n44 7 1 2\n")).message, undefined);
  // Elements of stiffness 0 and unconverted ones leave the stiffness as it was.
  EXPECT_EQ(stop_of(model("44 1 1 2 3 4 /\n44 7 1 2 3 4 /\n3 9 1 /\n44 0 1 2 3 4 /\n")).message,
            undefined);
  EXPECT_FALSE(stop_of(model("44 1 1 2 3 4 /\n3 9 1 /\n44 0 1 2 3 4 /\n")).stopped);
  EXPECT_EQ(stop_of(model("44 1 1 2 3 4 /\n44 7 1 2 3 4 /\n241 1 1 2 3 4 /\n")).message,
            "\nIncorrect modellir.txt: element 3 of type 241 has stiffness 1, which is no "
            "reinforced concrete slab.");
  EXPECT_EQ(stop_of(model("70000 1 1 2 3 4 /\n44 7 1 2 3 4 /\n")).message,
            "\nIncorrect modellir.txt: element 1 has type 70000, which is no element type.");
  EXPECT_EQ(stop_of(model("44 1 1 2 3 4 /\n44 7 1 2 3 4 /\n70000 1 1 2 3 4 /\n")).message,
            undefined);
}

// A finding left to the engineer that quotes the stop already says it; a
// mended one does not (the mended copy still stops).
TEST(TarvexReadingStop, AddedOnlyWhereNoFindingLeftQuotesIt) {
  std::string text = model("44 1 1 2 3 4 /\n");
  text.replace(text.find("1 0.5 /"), 7, "1 1e39 /");
  const std::string effect =
      "tarvex stops with \"Incorrect modellir.txt: value 1e39 of line 1 in doc. 7 is out of "
      "range.\"";
  for (bool mended : {false, true}) {
    Report report("modellir.txt");
    report.add(Finding{Kind::kValueLines, 20, "a value", effect, "mend it", mended});
    add_tarvex_stop(lira::TextReader::from_text("modellir.txt", text), mended, report);
    EXPECT_EQ(report.count(Kind::kTarvexStop), mended ? 1u : 0u);
    if (mended) {
      EXPECT_EQ(report.kept().back().effect, effect);
    }
  }
}

}  // namespace
}  // namespace modelcheck
