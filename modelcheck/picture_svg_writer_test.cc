#include "picture_svg_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/testing/scratch_path.h"

namespace modelcheck {
namespace {

std::string read_back(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SvgWriter, ADrawingWholeWithItsNumbersAndEscapes) {
  std::string path = lira::testing::scratch_path("x.svg");
  {
    SvgWriter svg(path, 200, 100.4);
    ASSERT_TRUE(svg.ok());
    double x[] = {0, 10.25, std::nan("")}, y[] = {1, -2.5, 3};
    svg.polygon(x, y, 3, "fill=\"#ccc\"");
    svg.line(1, 2, 3, HUGE_VAL, "stroke=\"red\"");
    svg.circle(5, 6, 0.04, "");
    // A model's title may hold code page 866 letters: they become '?'.
    svg.text(7, 8, "a<b & \"c\" \x8C\xA8");
    EXPECT_TRUE(svg.finish());
  }
  EXPECT_EQ(read_back(path),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\" "
            "viewBox=\"0 0 200 100\" font-family=\"sans-serif\">\n"
            "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
            "<polygon points=\"0.0,1.0 10.2,-2.5 0.0,3.0\" fill=\"#ccc\"/>\n"
            "<line x1=\"1.0\" y1=\"2.0\" x2=\"3.0\" y2=\"0.0\" stroke=\"red\"/>\n"
            "<circle cx=\"5.0\" cy=\"6.0\" r=\"0.0\" />\n"
            "<text x=\"7.0\" y=\"8.0\" font-size=\"13\" >a&lt;b &amp; &quot;c&quot; ?\?</text>\n"
            "</svg>\n");
  std::remove(path.c_str());
}

TEST(SvgWriter, AFileThatCannotBeWrittenIsAFailedFinish) {
  SvgWriter svg(::testing::TempDir() + "no-such-folder/x.svg", 10, 10);
  EXPECT_FALSE(svg.ok());
  svg.line(0, 0, 1, 1, "");
  EXPECT_FALSE(svg.finish());
}

}  // namespace
}  // namespace modelcheck
