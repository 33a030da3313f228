#include "picture_depth.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace modelcheck {
namespace {

DepthItem square(double x, double y, double size, double depth) {
  DepthItem d;
  d.count = 4;
  double xs[4] = {x, x + size, x + size, x}, ys[4] = {y, y, y + size, y + size};
  for (int i = 0; i < 4; ++i) d.x[i] = xs[i], d.y[i] = ys[i], d.depth[i] = depth;
  return d;
}

DepthItem segment(double x0, double y0, double d0, double x1, double y1, double d1) {
  DepthItem d;
  d.count = 2;
  d.x[0] = x0, d.y[0] = y0, d.depth[0] = d0, d.x[1] = x1, d.y[1] = y1, d.depth[1] = d1;
  return d;
}

DepthItem point(double x, double y, double depth) {
  DepthItem d;
  d.count = 1;
  d.x[0] = x, d.y[0] = y, d.depth[0] = depth;
  return d;
}

TEST(PaintOrder, KeepsTheRoughOrderWhereNothingOverlaps) {
  // Side by side, and two that only share an edge.
  std::vector<DepthItem> items = {square(0, 0, 10, 5), square(20, 0, 10, 1), square(30, 0, 10, 9)};
  EXPECT_EQ(paint_order(items), (std::vector<std::size_t>{0, 1, 2}));
}

TEST(PaintOrder, DrawsWhatStandsBeforeLast) {
  // The second square overlaps the first and stands behind it: drawn first.
  std::vector<DepthItem> items = {square(0, 0, 10, 5), square(5, 5, 10, 1), square(40, 0, 10, 0)};
  EXPECT_EQ(paint_order(items), (std::vector<std::size_t>{1, 0, 2}));
  // Faces in one plane keep their order.
  items = {square(0, 0, 10, 5), square(5, 5, 10, 5)};
  EXPECT_EQ(paint_order(items), (std::vector<std::size_t>{0, 1}));
}

TEST(PaintOrder, ABarBehindAFaceAndOneThatPiercesIt) {
  // A column from depth 0 at y 100 to depth 40 at y -100, a face of depth
  // 10 over y 0 to 50: at the overlap's middle (y 25) the column lies at
  // depth 15, before the face; the second bar lies behind it (depth 0).
  std::vector<DepthItem> items = {square(-20, 0, 50, 10), segment(0, 100, 0, 0, -100, 40),
                                  segment(5, 100, 0, 5, -100, 0)};
  EXPECT_EQ(paint_order(items), (std::vector<std::size_t>{2, 0, 1}));
}

TEST(PaintOrder, SupportsAreHiddenOnlyWhereTheirPointIs) {
  // A support on a plate in its plane is drawn over it, and over the plate
  // that stands before its triangle; one whose point a nearer face covers
  // is drawn before every face that stands before it.
  std::vector<DepthItem> items = {point(5, 5, 3), square(0, 0, 10, 3), square(0, 10, 10, 8),
                                  point(25, 5, 3), square(20, 0, 10, 6), square(20, 10, 10, 8)};
  std::vector<std::size_t> order = paint_order(items);
  auto place = [&](std::size_t i) { return std::find(order.begin(), order.end(), i) - order.begin(); };
  EXPECT_GT(place(0), place(1));
  EXPECT_GT(place(0), place(2));
  EXPECT_LT(place(3), place(4));
  EXPECT_LT(place(3), place(5));
}

TEST(PaintOrder, ARingOfCrossingBarsIsBrokenAtItsFirst) {
  // A crosses B at (15, 0) before it, B crosses C at (13.57, 2.86) before
  // it, C crosses A at (11.67, 0) before it: each is before the next, so no
  // order is right; the ring is broken at A, and B and C follow.
  std::vector<DepthItem> items = {segment(0, 0, -3.5, 30, 0, 5.5), segment(20, -10, -3.5, 5, 20, 7),
                                  segment(5, -10, 4.5, 25, 20, -6)};
  EXPECT_EQ(paint_order(items), (std::vector<std::size_t>{0, 2, 1}));
}

TEST(Occluders, HideThePartsOfALineBehindThem) {
  // A face over x 10 to 20 at depth 5; a line along y 5 from x 0 to 40 at
  // depth 0 is hidden from t 0.25 to 0.5. A line at depth 5 (on the face)
  // is not; one that climbs from depth 0 to 10 across the face, from x 10
  // to 20, is hidden up to its depth 5 at x 15.
  Occluders faces({square(10, 0, 10, 5)});
  auto parts = faces.visible_parts(segment(0, 5, 0, 40, 5, 0));
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_NEAR(parts[0].second, 0.25, 1e-9);
  EXPECT_NEAR(parts[1].first, 0.5, 1e-9);
  EXPECT_EQ(faces.visible_parts(segment(0, 5, 5, 40, 5, 5)), (std::vector<std::pair<double, double>>{{0, 1}}));
  parts = faces.visible_parts(segment(10, 5, 0, 20, 5, 10));
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_NEAR(parts[0].first, 0.5, 2e-3);  // where the line is a hundredth of a pixel behind
  EXPECT_TRUE(faces.hidden(15, 5, 4));
  EXPECT_FALSE(faces.hidden(15, 5, 5));
  EXPECT_FALSE(faces.hidden(25, 5, 0));
}

}  // namespace
}  // namespace modelcheck
