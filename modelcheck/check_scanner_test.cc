// The scanner: what is only spelling is mended in the copy, everything
// else kept byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "check_model.h"
#include "check_model_testing.h"

namespace modelcheck {
namespace {

using check_testing::kPlate;
using check_testing::replaced;
using check_testing::report;

TEST(CheckModel, MendsKeepEverythingElse) {
  // Records moved off a header line keep their own text, each on a line of
  // its own, the ")" after them too; CR LF stays CR LF, and the lines split
  // off take it too; document 0 keeps its code page.
  std::string fixed;
  report("(0/ \xCF\xEB\xE8\xF2\xE0 \xD0\xE0\xEC\xE0 /\r\n" +
             replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", "( 16/ 1 0 / 2 0 / )\r\n"),
         {}, &fixed);
  EXPECT_EQ(fixed, "(0/ \xCF\xEB\xE8\xF2\xE0 \xD0\xE0\xEC\xE0 /\r\n" +
                       replaced(kPlate, "( 16/\n1 0 /\n2 0 /\n)\n", "( 16/\r\n1 0 /\r\n2 0 /\r\n)\r\n"));
  // A header that tarvex does not look for stays where it is.
  std::string model = replaced(kPlate, ")\n( 4/", ")( 2/ 0,5 /\n)\n( 4/");
  report(model, {}, &fixed);
  EXPECT_EQ(fixed, model);
  // A decimal comma names its node as tarvex's stop does.
  EXPECT_NE(
      report(replaced(kPlate, "1 0 0 /", "1,5 0 0 /"))
          .find(
              "modellir.txt:6: [decimal-comma] \"1,5\" in document 4 is written with a decimal "
              "comma; tarvex stops with \"Incorrect modellir.txt: the number \"1,5\" of node 2 in "
              "document 4 has a decimal comma: write it with a decimal point, \"1.5\".\""),
      std::string::npos);
  // A value line's number with its slash glued: a line without values.
  EXPECT_NE(report(replaced(kPlate, "2 1.5 /", "2 1.5 /\n3/"), {}, &fixed)
                .find("modellir.txt:23: [glued-slash] value line \"3/\""),
            std::string::npos);
  EXPECT_NE(fixed.find("2 1.5 /\n3 /\n)"), std::string::npos);
  // The last line, a header without its line end, gets one.
  std::string tail = kPlate.substr(0, kPlate.find("( 16/")) + "( 16/";
  EXPECT_NE(report(tail, {}, &fixed)
                .find("modellir.txt:24: [header-position] the header \"( 16/\" is "
                      "the last line of the file and has no line end"),
            std::string::npos);
  EXPECT_EQ(fixed, tail + "\n");
}

}  // namespace
}  // namespace modelcheck
