#include "verify_expected_script.h"

#include <gtest/gtest.h>

#include "common/stop.h"
#include "geometry.h"

namespace modelcheck {
namespace {

ExpectedScript expected_of(const std::string& model) {
  lira::TextReader in = lira::TextReader::from_text("modellir.txt", model);
  TarvexModel m;
  read_tarvex_model(in, m);
  ExpectedScript x;
  expect_script(m, x);
  return x;
}

std::vector<int> nodes_of(const ExpectedElement& e) {
  return std::vector<int>(e.node, e.node + e.node_count);
}

// A slab stiffness 1 of 0.2 with its reinforcement at -7.5 and 7.5 cm:
// layers 0.05, 0.1 and 0.05; a link 2; a plastic bar 3 held below (-1).
const std::string kStiffness =
    "( 3/\n1 GENE14/\n1 -0.0035 -145 -0.0002 -60/\n1 0.0001 10/\n1 NA11 1 2.1E6 4E4 /\n"
    "1 SA2 1 2 3 /\n1 5 3 -7.5 /\n1 4 2 7.5 /\n1 DEL 0.2 /\n1 NU= 0.2/\n"
    "2 3 1000 /\n3 S100 20 40 /\n3 NB11/0 2.1E6 4E4 0 /\n3 AZ -1 TW 0 /\n)\n";

TEST(ExpectedScript, LayerNodesLinksAndPlasticBars) {
  // Ten nodes; a slab element on nodes 1 2 3 4 gives each three nodes below:
  // node 1 gets 11, 12, 13 at 0.2, 0.15 and 0.05 below it, node 2 14 to 16.
  std::string nodes = "( 4/\n";
  for (int i = 0; i < 10; ++i) nodes += std::to_string(i) + " 0 1 /\n";
  ExpectedScript x = expected_of(kStiffness + nodes + ")\n( 1/\n241 1 1 2 3 4 /\n51 2 1 /\n210 3 1 2 /\n)\n" +
                                 "( 5/\n5 3 /\n)\n( 7/\n)\n( 16/\n)\n( 6/\n)\n");
  EXPECT_EQ(x.document_nodes, 10);
  EXPECT_EQ(x.layer_nodes, 12);
  EXPECT_EQ(x.link_nodes, 1);
  ASSERT_EQ(x.nodes.size(), 23u);
  EXPECT_FLOAT_EQ(x.nodes[10].z, 0.8f);
  EXPECT_FLOAT_EQ(x.nodes[11].z, 0.85f);
  EXPECT_FLOAT_EQ(x.nodes[12].z, 0.95f);
  EXPECT_EQ(x.nodes[13].x, 1.0f);
  // The link's node: under node 11 by 1.
  EXPECT_FLOAT_EQ(x.nodes[22].z, -0.2f);
  ASSERT_EQ(x.elements.size(), 5u);
  // Top layer: the top of the middle layer, then the nodes of the model,
  // each face in the order a, b, d, c. Solids: sets 2, 3, 4 (top 4).
  EXPECT_EQ(nodes_of(x.elements[0]), (std::vector<int>{13, 16, 22, 19, 1, 2, 4, 3}));
  EXPECT_EQ(x.elements[0].real, 4);
  EXPECT_EQ(x.elements[0].esys, 11);
  EXPECT_EQ(nodes_of(x.elements[1]), (std::vector<int>{23, 11}));
  EXPECT_EQ(x.elements[1].type, 4);
  EXPECT_EQ(x.elements[1].real, 1);
  // The plastic bar below: the tops of the bottom layers; its set is 5.
  EXPECT_EQ(nodes_of(x.elements[2]), (std::vector<int>{12, 15}));
  EXPECT_EQ(x.elements[2].real, 5);
  EXPECT_EQ(nodes_of(x.elements[3]), (std::vector<int>{11, 14, 20, 17, 12, 15, 21, 18}));
  EXPECT_EQ(x.elements[3].layer, Layer::kBottom);
  EXPECT_EQ(x.elements[3].real, 2);
  EXPECT_EQ(nodes_of(x.elements[4]), (std::vector<int>{12, 15, 21, 18, 13, 16, 22, 19}));
  EXPECT_EQ(x.elements[4].real, 3);
  // Node 5's UZ, and the link's node fixed in X, Y, Z.
  ASSERT_EQ(x.supports.size(), 4u);
  EXPECT_EQ(x.supports[0].node, 5);
  EXPECT_EQ(x.supports[0].dof, 2);
  EXPECT_EQ(x.supports[3].node, 23);
}

TEST(ExpectedScript, ALayerNodeNamedByAnotherSlab) {
  // The second slab names node 5, the bottom node under node 1: it gets its
  // own three nodes below it, 0.2 lower again; nodes 2, 3, 4 keep theirs.
  ExpectedScript x =
      expected_of(kStiffness + "( 4/\n0 0 1 /\n1 0 1 /\n0 1 1 /\n1 1 1 /\n)\n" +
                  "( 1/\n241 1 1 2 3 4 /\n241 1 5 2 3 4 /\n)\n( 5/\n)\n( 7/\n)\n( 16/\n)\n( 6/\n)\n");
  EXPECT_EQ(x.layer_nodes, 15);
  ASSERT_EQ(x.nodes.size(), 19u);
  EXPECT_FLOAT_EQ(x.nodes[16].z, 0.6f);
  EXPECT_EQ(nodes_of(x.elements[1]), (std::vector<int>{19, 10, 16, 13, 5, 2, 4, 3}));
}

TEST(ExpectedScript, LoadsByTheConversionsRules) {
  // Forces turned; a triangle's three values meaned (1, 2, 3 -> 20000); a
  // bar's load in Y on face 2; a link's load left out with a note.
  ExpectedScript x = expected_of(
      "( 3/\n1 3.0E6 0.2 0.2 /\n2 S0 3E6 20 40 /\n3 3 1000 /\n)\n"
      "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n)\n( 1/\n42 1 1 2 3 /\n10 2 1 2 /\n)\n( 5/\n)\n"
      "( 6/\n3 0 3 1 2 /\n1 7 3 2 2 /\n2 6 2 1 2 /\n2 16 3 1 1 /\n)\n"
      "( 7/\n1 1.5 /\n2 1 2 3 /\n)\n( 16/\n2 /\n1 /\n)\n");
  ASSERT_EQ(x.steps.size(), 2u);
  const ExpectedStep& two = x.steps[0];
  EXPECT_EQ(two.load_case, 2);
  ASSERT_EQ(two.forces.size(), 1u);
  EXPECT_EQ(two.forces[0].value, -15000);
  ASSERT_EQ(two.pressures.size(), 1u);
  EXPECT_EQ(two.pressures[0].value, 20000);
  EXPECT_EQ(two.pressures[0].label, 2);
  ASSERT_EQ(two.beam_pressures.size(), 1u);
  EXPECT_EQ(two.beam_pressures[0].label, 2);
  EXPECT_TRUE(x.steps[1].weight);
  EXPECT_FALSE(two.weight);
}

TEST(ExpectedScript, ModelsTheConverterRefuses) {
  auto message = [](const std::string& model) {
    try {
      expected_of(model);
    } catch (const lira::Stop& stop) {
      return stop.message;
    }
    return std::string("no stop");
  };
  EXPECT_EQ(message("( 1/\n)\n"), "\nIncorrect modellir.txt: no stiffness.");
  EXPECT_EQ(message("( 3/\n1 3.0E6 0.2 0.2 /\n)\n( 4/\n0 0 0 /\n)\n( 1/\n44 1 1 2 3 4 /\n)\n"
                    "( 5/\n)\n( 6/\n)\n( 7/\n)\n( 16/\n)\n"),
            "\nIncorrect modellir.txt: element 1 names node 2, which is not a node of the model.");
}

TEST(Geometry, AreasAndVolumes) {
  Point a{0, 0, 0}, b{2, 0, 0}, c{2, 1, 0}, d{0, 1, 0};
  EXPECT_DOUBLE_EQ(area(a, b, c, d), 2);
  EXPECT_DOUBLE_EQ(area(a, b, c, c), 1);  // a triangle
  EXPECT_DOUBLE_EQ(area(a, b, d, c), 0);  // twisted: its diagonals are parallel
  Point box[8] = {a, b, c, d, {0, 0, 3}, {2, 0, 3}, {2, 1, 3}, {0, 1, 3}};
  EXPECT_DOUBLE_EQ(volume(box), 6);
  Point wedge[8] = {a, b, c, c, {0, 0, 3}, {2, 0, 3}, {2, 1, 3}, {2, 1, 3}};
  EXPECT_DOUBLE_EQ(volume(wedge), 3);
}

TEST(Geometry, VolumeOfSolidsWithWarpedFaces) {
  // A unit square whose top corner over (1, 1) stands at 2, the others at 1:
  // the top face is z = 1 + u v, so the volume is 1 + 1/4.
  Point raised[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                     {0, 0, 1}, {1, 0, 1}, {1, 1, 2}, {0, 1, 1}};
  EXPECT_NEAR(volume(raised), 1.25, 1e-12);
  // A layer of a slab that is not flat: a 2 x 1 panel whose corners stand at
  // heights 0, 0.3, 0.9, 0.1, and its bottom face 0.2 below. A vertical
  // layer of constant thickness holds 0.2 times the plan area, 0.4, however
  // its faces warp; the top face alone is larger than the plan.
  Point slab[8] = {{0, 0, -0.2}, {2, 0, 0.1}, {2, 1, 0.7}, {0, 1, -0.1},
                   {0, 0, 0},    {2, 0, 0.3}, {2, 1, 0.9}, {0, 1, 0.1}};
  EXPECT_NEAR(volume(slab), 0.4, 1e-12);
  // The corners in the other sense round the faces give the same volume.
  Point mirrored[8] = {slab[3], slab[2], slab[1], slab[0], slab[7], slab[6], slab[5], slab[4]};
  EXPECT_NEAR(volume(mirrored), 0.4, 1e-12);
}

}  // namespace
}  // namespace modelcheck
