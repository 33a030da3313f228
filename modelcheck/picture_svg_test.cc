#include "picture_svg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "common/testing/scratch_path.h"
#include "picture_svg_writer.h"

namespace modelcheck {
namespace {

std::string written(const Scene& scene) {
  std::string path = lira::testing::scratch_path("model.svg");
  EXPECT_TRUE(write_scene_svg(scene, path));
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}

Shape point(Shape::Kind kind, double x, double y) {
  Shape s;
  s.kind = kind, s.count = 1, s.x[0] = x, s.y[0] = y;
  return s;
}

TEST(PictureSvg, TheOutlineViewDrawsItsSupportsAsOnePath) {
  Scene scene;
  scene.detailed = false;
  scene.shapes = {point(Shape::kSupport, 10, 20), point(Shape::kSupport, 30.25, 40)};
  std::string svg = written(scene);
  EXPECT_NE(svg.find("<path d=\"M10.0,20.0l-6,10h12zM30.2,40.0l-6,10h12z\" fill=\"#2ca02c\" fill-opacity=\"0.8\" "
                     "stroke=\"#1b5e20\" stroke-width=\"1\"/>\n"),
            std::string::npos)
      << svg;
  scene.detailed = true;
  svg = written(scene);
  EXPECT_NE(svg.find("<polygon points=\"30.2,40.0 24.2,50.0 36.2,50.0\" fill=\"#2ca02c\""), std::string::npos) << svg;
}

TEST(PictureSvg, ShapesAndLegendAsTheyStand) {
  Scene scene;
  Shape link;
  link.kind = Shape::kLink, link.count = 2, link.x[1] = 5, link.y[1] = 5, link.color = "#59a14f";
  Shape band = link;
  band.kind = Shape::kLineLoad, band.strength = 0.705;
  Shape moment = link;
  moment.kind = Shape::kMoment, moment.color = "#8e44ad", moment.x[0] = std::numeric_limits<double>::infinity();
  scene.shapes = {link, band, moment};
  scene.legend = {LegendLine{930, 48, "a < b & \"c\"", LegendLine::kPlain, "#4e79a7"},
                  LegendLine{910, 66, "Outline only:", LegendLine::kWarning, ""}};
  std::string svg = written(scene);
  for (const char* part : {
           "<line x1=\"0.0\" y1=\"0.0\" x2=\"5.0\" y2=\"5.0\" stroke=\"#59a14f\" stroke-width=\"2\" "
           "stroke-dasharray=\"5,3\"/>\n<circle cx=\"0.0\" cy=\"0.0\" r=\"3.5\" fill=\"none\" stroke=\"#59a14f\" "
           "stroke-width=\"1.5\"/>\n",
           "stroke=\"#d62728\" stroke-width=\"6\" stroke-opacity=\"0.70\"/>",
           // A tail at no number is drawn at 0; the arrow's heads, two for a
           // moment, along the arrow as drawn from it.
           "<line x1=\"0.0\" y1=\"0.0\" x2=\"5.0\" y2=\"5.0\" stroke=\"#8e44ad\" stroke-width=\"2\"/>",
           "<rect x=\"910.0\" y=\"37.0\" width=\"14.0\" height=\"12.0\" fill=\"#4e79a7\" stroke=\"#333333\"/>\n"
           "<text x=\"930.0\" y=\"48.0\" font-size=\"13\" >a &lt; b &amp; &quot;c&quot;</text>",
           "<text x=\"910.0\" y=\"66.0\" font-size=\"13\" font-weight=\"bold\" fill=\"#b00000\">"
           "Outline only:</text>"}) {
    EXPECT_NE(svg.find(part), std::string::npos) << part << "\n" << svg;
  }
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  EXPECT_EQ(svg_number(-0.04), "-0.0");
  EXPECT_EQ(svg_number(std::numeric_limits<double>::quiet_NaN()), "0.0");
}

TEST(PictureSvg, AFileThatCannotBeWritten) {
  EXPECT_FALSE(write_scene_svg(Scene{}, ::testing::TempDir() + "no-such-folder/model.svg"));
}

}  // namespace
}  // namespace modelcheck
