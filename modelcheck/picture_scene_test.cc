#include "picture_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "common/lira_types.h"

namespace modelcheck {
namespace {

/// A model built by hand: nodes at 1.., elements as E writes them.
struct Model {
  ScriptModel s;
  Model() { s.nodes.resize(1); }
  std::int32_t node(double x, double y, double z) {
    ScriptNode n;
    n.x = static_cast<float>(x), n.y = static_cast<float>(y), n.z = static_cast<float>(z), n.defined = true;
    s.nodes.push_back(n);
    return static_cast<std::int32_t>(s.nodes.size() - 1);
  }
  void element(int type, std::initializer_list<std::int32_t> nodes, int mat = 1) {
    ScriptElement e;
    e.type = type, e.mat = mat, e.node_count = static_cast<int>(nodes.size());
    std::copy(nodes.begin(), nodes.end(), e.node);
    s.elements.push_back(e);
  }
  void support(std::int32_t n) { s.supports.push_back(ScriptSupport{n, 2}); }
};

std::vector<std::size_t> places(const Scene& scene, Shape::Kind kind) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < scene.shapes.size(); ++i) {
    if (scene.shapes[i].kind == kind) at.push_back(i);
  }
  return at;
}

const LegendLine* legend_line(const Scene& scene, const std::string& start) {
  for (const LegendLine& l : scene.legend) {
    if (l.text.compare(0, start.size(), start) == 0) return &l;
  }
  return nullptr;
}

TEST(PictureScene, APlateFillsTheView) {
  // The plate (0,0), (1,0), (1,1), (0,1): 1.732 wide and 1 high in the
  // isometric view, scaled by 840 / 1.732 into the view of 900 x 700 with
  // its margin of 30, so its corners lie at (450, 592.5), (870, 350),
  // (450, 107.5) and (30, 350); the support at node 1 stands at its point.
  Model m;
  auto a = m.node(0, 0, 0), b = m.node(1, 0, 0), c = m.node(1, 1, 0), d = m.node(0, 1, 0);
  m.element(lira::kShell63, {a, b, c, d});
  m.support(a);
  Scene scene = build_scene(m.s, SceneRequest{"modelans.lgw"});
  ASSERT_EQ(scene.shapes.size(), 2u);
  const Shape& plate = scene.shapes[0];
  ASSERT_EQ(plate.kind, Shape::kFace);
  const double x[4] = {450, 870, 450, 30}, y[4] = {592.5, 350, 107.5, 350};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(plate.x[i], x[i], 0.05);
    EXPECT_NEAR(plate.y[i], y[i], 0.05);
  }
  EXPECT_EQ(scene.shapes[1].kind, Shape::kSupport);
  EXPECT_NEAR(scene.shapes[1].y[0], 592.5, 0.05);
  EXPECT_TRUE(scene.detailed);
  EXPECT_EQ(scene.node_count, 4);
}

/// A wall in the plane y = 0 from x -1 to 3 and z 0 to 2, and a column
/// behind it at x = y = 1 from z 0 to 6, supported at its foot. The view
/// looks along (1, 1, -1): the ray through the column's point at height z
/// meets the wall at (0, 0, z + 1), so the wall hides the column up to
/// z = 1 and its foot; the column's middle (depth 1 / sqrt 3) lies nearer
/// than the wall's (depth 0), so the order of their centres would draw the
/// column over the wall.
Model column_behind_a_wall() {
  Model m;
  auto a = m.node(-1, 0, 0), b = m.node(3, 0, 0), c = m.node(3, 0, 2), d = m.node(-1, 0, 2);
  auto foot = m.node(1, 1, 0), top = m.node(1, 1, 6);
  m.element(lira::kShell63, {a, b, c, d});
  m.element(lira::kBeam4, {foot, top}, 2);
  m.support(foot);
  m.support(a);
  return m;
}

TEST(PictureScene, AColumnBehindAWallIsDrawnBeforeIt) {
  Scene scene = build_scene(column_behind_a_wall().s, SceneRequest{"modelans.lgw"});
  std::vector<std::size_t> wall = places(scene, Shape::kFace), bar = places(scene, Shape::kBar),
                           supports = places(scene, Shape::kSupport);
  ASSERT_EQ(wall.size(), 1u);
  ASSERT_EQ(bar.size(), 1u);
  ASSERT_EQ(supports.size(), 2u);
  EXPECT_LT(bar[0], wall[0]);
  // The foot's support (the right one of the two) is hidden by the wall.
  std::size_t foot = scene.shapes[supports[0]].x[0] > scene.shapes[supports[1]].x[0] ? supports[0] : supports[1];
  EXPECT_LT(foot, wall[0]);
  ASSERT_NE(legend_line(scene, "  supports: "), nullptr);
  EXPECT_EQ(legend_line(scene, "  supports: ")->text, "  supports: green triangles (2 nodes, 1 behind faces)");
}

TEST(PictureScene, TheOutlineHidesWhatFacesHideAndDrawsEverySupport) {
  // The wall of the column above, made of 10,032 plates a quarter wide
  // (x -1 to 3) and a 627th high (z 0 to 2): more than are drawn one by
  // one. Every node of its bottom row, 17 of them, and the nodes of the 70
  // rows above are supported (1,207 supports: the outline view once drew
  // 1,000 at most). The column stands at x = 1.1 (its ray meets the wall at
  // x = 0.1, z + 1); its foot is hidden, so 1,207 triangles are drawn.
  Model m;
  constexpr int kAcross = 16, kUp = 627;
  std::vector<std::int32_t> grid;
  for (int k = 0; k <= kUp; ++k) {
    for (int i = 0; i <= kAcross; ++i) grid.push_back(m.node(-1 + i * 0.25, 0, k * 2.0 / kUp));
  }
  auto at = [&](int i, int k) { return grid[static_cast<std::size_t>(k * (kAcross + 1) + i)]; };
  for (int k = 0; k < kUp; ++k) {
    for (int i = 0; i < kAcross; ++i) {
      m.element(lira::kShell63, {at(i, k), at(i + 1, k), at(i + 1, k + 1), at(i, k + 1)});
    }
  }
  for (int k = 0; k <= 70; ++k) {
    for (int i = 0; i <= kAcross; ++i) m.support(at(i, k));
  }
  auto foot = m.node(1.1, 1, 0), top = m.node(1.1, 1, 6);
  m.element(lira::kBeam4, {foot, top}, 2);
  m.support(foot);
  Scene scene = build_scene(m.s, SceneRequest{"modelans.lgw"});
  ASSERT_FALSE(scene.detailed);
  EXPECT_EQ(places(scene, Shape::kSupport).size(), 17u * 71u);
  // The column shows from z = 1 up: one piece, from (1.1, 1, 1) to its top.
  Projection view = fit_view(m.s, {});
  std::vector<std::size_t> bars = places(scene, Shape::kBar);
  ASSERT_EQ(bars.size(), 1u);
  const Shape& bar = scene.shapes[bars[0]];
  EXPECT_NEAR(bar.y[0], view.y(Point{1.1, 1, 1}), 0.5);
  EXPECT_NEAR(bar.y[1], view.y(Point{1.1, 1, 6}), 0.01);
  ASSERT_NE(legend_line(scene, "  supports: green triangles ("), nullptr);
  EXPECT_EQ(legend_line(scene, "  supports: green triangles (")->text,
            "  supports: green triangles (1208 nodes, 1 behind faces)");
}

TEST(PictureScene, ArrowsStayInTheView) {
  // A column from (0,0,0) to (0,0,1) fitted alone is 640 pixels high, its
  // top at y 30. A downward force of 10 on its top, the largest, is an
  // arrow of 60 pixels from above: the view shrinks to 580 pixels a metre,
  // so that the arrow's tail lies at the margin (y 30), the top at 90 and
  // the foot at 670.
  Model m;
  auto foot = m.node(0, 0, 0), top = m.node(0, 0, 1);
  m.element(lira::kBeam4, {foot, top});
  LoadStep step;
  step.number = 1;
  step.forces.push_back(ScriptLoad{top, 2, -10});
  SceneRequest request{"modelans.lgw", &step, 1, 1, true};
  Scene scene = build_scene(m.s, request);
  std::vector<std::size_t> arrows = places(scene, Shape::kForce);
  ASSERT_EQ(arrows.size(), 1u);
  const Shape& arrow = scene.shapes[arrows[0]];
  EXPECT_NEAR(arrow.x[0], 450, 1e-6);
  EXPECT_NEAR(arrow.y[0], 30, 1e-6);
  EXPECT_NEAR(arrow.y[1], 90, 1e-6);
  const Shape& bar = scene.shapes[places(scene, Shape::kBar)[0]];
  EXPECT_NEAR(bar.y[0], 670, 1e-6);
  // An upward force leaves the view as the nodes alone fit it.
  step.forces[0].value = 10;
  scene = build_scene(m.s, request);
  EXPECT_NEAR(scene.shapes[places(scene, Shape::kBar)[0]].y[0], 670, 1e-6);
  EXPECT_NEAR(scene.shapes[places(scene, Shape::kForce)[0]].y[1], 30, 1e-6);
}

TEST(PictureScene, LegendSaysNoMinusZeroAndStaysInside) {
  Model m;
  auto a = m.node(0, 0, 0), b = m.node(1, 0, 0);
  m.element(lira::kBeam4, {a, b});
  m.s.element_types[lira::kBeam4] = std::string(200, 'B');
  LoadStep step;
  step.number = 2;
  step.forces.push_back(ScriptLoad{a, 0, -0.0});
  step.forces.push_back(ScriptLoad{b, 1, -0.0});
  std::string long_name(300, 'x');
  long_name += "/modelans.lgw";
  Scene scene = build_scene(m.s, SceneRequest{long_name, &step, 5, 2, true});
  ASSERT_NE(legend_line(scene, "  nodal loads: 2"), nullptr);
  EXPECT_EQ(legend_line(scene, "  nodal loads: 2")->text, "  nodal loads: 2, from 0 to 0");
  // The script's name, cut in its middle, keeps its start and its end.
  const LegendLine& title = scene.legend.front();
  EXPECT_EQ(title.text.compare(0, 10, "xxxxxxxxxx"), 0);
  EXPECT_NE(title.text.find("...x"), std::string::npos);
  EXPECT_EQ(title.text.substr(title.text.size() - 29), "modelans.lgw: the ANSYS model");
  EXPECT_EQ(legend_line(scene, "  (the "), nullptr);  // no arrow for a load of 0 is missing
  for (const LegendLine& l : scene.legend) {
    EXPECT_LE(l.text.size(), 66u) << l.text;
    EXPECT_EQ(fit_text(l.text, kViewWidth + kLegendWidth - 8 - l.x, l.style != LegendLine::kPlain), l.text);
    EXPECT_LE(l.y, kViewHeight - 8) << l.text;
  }
  EXPECT_EQ(legend_number(-0.0), "0");
  EXPECT_EQ(legend_number(-2.5), "-2.5");
}

TEST(PictureScene, ANodeBeyondAnyNumberEndsInOrder) {
  // A node read as infinity (a float out of range): the scene is still
  // built, its shapes all there, and the writer draws what is no number at 0.
  Model m;
  auto a = m.node(0, 0, 0), b = m.node(1, 0, 0), c = m.node(1, 1, 0), d = m.node(0, 1, 0);
  m.s.nodes[static_cast<std::size_t>(c)].x = std::numeric_limits<float>::infinity();
  m.element(lira::kShell63, {a, b, c, d});
  m.element(lira::kBeam4, {a, c});
  m.support(c);
  m.support(a);
  LoadStep step;
  step.forces.push_back(ScriptLoad{c, 2, -5});
  Scene scene = build_scene(m.s, SceneRequest{"modelans.lgw", &step, 1, 1, true});
  EXPECT_EQ(scene.shapes.size(), 5u);
}

TEST(PictureScene, FitTextCutsTheMiddle) {
  EXPECT_EQ(fit_text("material 1", 400), "material 1");
  std::string cut = fit_text("abcdefghijklmnopqrstuvwxyz", 80);
  EXPECT_EQ(cut.substr(0, 2), "ab");
  EXPECT_EQ(cut.substr(cut.size() - 2), "yz");
  EXPECT_NE(cut.find("..."), std::string::npos);
  EXPECT_LT(cut.size(), 26u);
}

}  // namespace
}  // namespace modelcheck
