#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model_check.h"

namespace modelcheck {
namespace {

// The mended copy of `model`, checked beside a table of one value; the
// report goes to `out`.
std::string mended(const std::string& model, std::ostringstream& out) {
  std::string fixed;
  Options o;
  o.mode = Mode::kFixVantrel;
  check_vantrel_text(model, "-----\n| 2 |\n-----\n| 1 - static |\n| RX  1.0 |\n-----\n", o, out,
                     &fixed);
  return fixed;
}

TEST(CheckVantrel, MendedCopyKeepsItsLineEnds) {
  std::string model = "( 6/\r\n3 0 3 1 1 /\r\n )\r\n( 7/\r\n1 -20 0 / 2 -20 0 /\r\n )\r\n";
  std::ostringstream out;
  std::string fixed = mended(model, out);
  EXPECT_EQ(fixed, "( 6/\r\n3 0 3 1 1 /\r\n\r\n )\r\n( 7/\r\n1 -20 0 /\r\n2 -20 0 /\r\n\r\n )\r\n");
  EXPECT_NE(out.str().find("model.txt:3: [closing-empty-line] no empty line closes the records of "
                           "document 6"),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("model.txt:5: [records-per-line] 2 records of document 7 share a line"),
            std::string::npos);
}

TEST(CheckVantrel, HeaderAfterTheEndOfTheDocumentBefore) {
  std::string model = "( 5/\n1 1 /\n )( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 /\n\n )\n";
  std::ostringstream out;
  std::string fixed = mended(model, out);
  EXPECT_EQ(fixed, "( 5/\n1 1 /\n )\n( 6/\n3 0 3 1 1 /\n\n )\n( 7/\n1 -20 0 /\n\n )\n");
  EXPECT_NE(out.str().find("model.txt:3: [header-position] \"( 6/\" is not the header"),
            std::string::npos)
      << out.str();
}

}  // namespace
}  // namespace modelcheck
