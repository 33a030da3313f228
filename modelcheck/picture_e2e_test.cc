// Whole runs of modelcheck --picture: the drawing of the plate example, the
// slab example's supports in the painter's order, and a load case that the
// script does not hold.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::RunResult;

Files plate_example() {
  std::string model = lira::testing::source_file("examples/tarvex/plate/modellir.txt");
  RunResult r = lira::testing::run_program("tarvex", {{"modellir.txt", model}}, "0.005\n2500\nn\n2\nc\n");
  return Files{{"modellir.txt", model}, {"modelans.lgw", r.files["modelans.lgw"]}};
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ModelcheckPicture, PlateExample) {
  RunResult r =
      lira::testing::run_program_with_args("modelcheck", {"--picture", "--case", "1"}, plate_example());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, native("modelcheck --picture: model.svg written: 4 nodes, 1 elements.\n"));
  EXPECT_EQ(r.new_paths, std::vector<std::string>{"model.svg"});
  const std::string& svg = r.files["model.svg"];
  // The plate's corners a, b, d, c: (0,0), (1,0), (1,1), (0,1). The view is
  // 1.732 wide and 1 high, scaled by 840 / 1.732 into the 900 x 700 drawing
  // with a margin of 30: the diamond runs from x 30 to 870 and y 107.5 to
  // 592.5. The shade of the pressure lies on the same corners.
  EXPECT_TRUE(has(svg, "<polygon points=\"450.0,592.5 870.0,350.0 450.0,107.5 30.0,350.0\" fill=\"#4e79a7\""))
      << svg;
  EXPECT_TRUE(
      has(svg, "<polygon points=\"450.0,592.5 870.0,350.0 450.0,107.5 30.0,350.0\" fill=\"url(#pressure)\""));
  // Node 1's support: a triangle with its point at the node.
  EXPECT_TRUE(has(svg, "<polygon points=\"450.0,592.5 444.0,602.5 456.0,602.5\" fill=\"#2ca02c\""));
  for (const char* legend :
       {">4 nodes, 1 elements<", ">  SHELL63: 1<", ">material 1 (SHELL63): EX 3e+010, density 2500<",
        ">Load case 1 (load step 1)<", ">  pressures: 1 faces, from 15000 to 15000<",
        ">  supports: green triangles (1 nodes)<"}) {
    EXPECT_TRUE(has(svg, legend)) << legend;
  }
  EXPECT_FALSE(has(svg, "Outline only"));
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(ModelcheckPicture, SlabHidesTheSupportUnderIt) {
  // The slab's nodes lie at (0,0), (3,0), (6,0), (0,3), (3,3), (6,3), its
  // layers below them; node 2 (3,0) is supported, and links hang from
  // nodes 1, 3, 4 and 6 to supported nodes below. In the view both node 2
  // and node 6 (6,3) lie at x = 590: node 2's support stands on the slab's
  // top and is drawn over it, the one under node 6's link (the higher of
  // the two on the screen) lies under the slab, which hides it.
  std::string model = lira::testing::source_file("examples/tarvex/slab/modellir.txt");
  RunResult t = lira::testing::run_program("tarvex", {{"modellir.txt", model}}, "0.005\n2500\nn\n1\nc\n");
  Files files{{"modellir.txt", model}, {"modelans.lgw", t.files["modelans.lgw"]}};
  RunResult r = lira::testing::run_program_with_args("modelcheck", {"--picture", "--case", "3"}, files);
  ASSERT_EQ(r.exit_code, 0);
  const std::string& svg = r.files["model.svg"];
  // The supports at x = 590: (place in the file, y of the point).
  std::vector<std::pair<std::size_t, double>> supports;
  const std::string support = "<polygon points=\"590.0,";
  for (std::size_t at = svg.find(support); at != std::string::npos; at = svg.find(support, at + 1)) {
    if (svg.substr(at, svg.find('\n', at) - at).find("fill=\"#2ca02c\"") == std::string::npos) continue;
    supports.emplace_back(at, std::stod(svg.substr(at + support.size())));
  }
  ASSERT_EQ(supports.size(), 2u) << svg;
  std::sort(supports.begin(), supports.end(), [](auto& a, auto& b) { return a.second < b.second; });
  std::size_t under = supports[0].first, over = supports[1].first;
  std::size_t last_face = svg.rfind("fill=\"#4e79a7\" stroke=\"#333333\" stroke-width=\"0.5\"");
  EXPECT_LT(under, last_face);
  EXPECT_GT(over, last_face);
  EXPECT_NE(svg.find(">  supports: green triangles (5 nodes, 1 behind faces)<"), std::string::npos);
}

TEST(ModelcheckPicture, LoadCaseNotInTheScript) {
  RunResult r =
      lira::testing::run_program_with_args("modelcheck", {"--picture", "--case", "7"}, plate_example());
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.console, native("modelcheck --picture: load case 7 has no load step in modelans.lgw.\n"));
  EXPECT_TRUE(r.new_paths.empty());
}

// A word of 160 characters in document 16, which tarvex refuses: the load
// step of the case cannot be found, and modelcheck says so instead of
// aborting.
TEST(ModelcheckPicture, LoadCaseListTarvexRefuses) {
  Files files = plate_example();
  std::string& model = files["modellir.txt"];
  std::size_t list = model.find("( 16/\n");
  ASSERT_NE(list, std::string::npos);
  model.insert(list + 6, std::string(160, '1') + " /\n");
  RunResult r = lira::testing::run_program_with_args("modelcheck", {"--picture", "--case", "1"}, files);
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.console, native("modelcheck --picture: modellir.txt cannot be read as tarvex reads it:\nIncorrect "
                              "modellir.txt: a token longer than 149 characters: \"11111111111111111111...\".\n"));
  EXPECT_TRUE(r.new_paths.empty());
  // tarvex stops on the same word.
  RunResult t = lira::testing::run_program("tarvex", {{"modellir.txt", model}}, "0.005\n2500\nn\n2\nc\n");
  EXPECT_NE(t.console.find(native("\nIncorrect modellir.txt: a token longer than 149 characters: \"11111111111111111111...\".")),
            std::string::npos) << t.console;
}

}  // namespace
