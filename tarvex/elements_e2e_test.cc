// Whole runs of tarvex through the element passes. Models without document 5
// stop right after them, with nodes.tmp and elements.tmp left on disk.
#include <gtest/gtest.h>

#include "node_element_e2e.h"

namespace tarvex_e2e {
namespace {

const std::string kNoLinks = "\nIncorrect modellir.txt: no links." + kPressAnyKey;

// Twelve nodes: a slab of two quadrangles and a triangle on 1 to 7, a wall on
// 8 to 12.
const std::string kNodes =
    "( 4/\n"
    "0 0 0 /\n3 0 0 /\n6 0 0 /\n0 3 0 /\n3 3 0 /\n6 3 0 /\n9 1.5 0 /\n"
    "0 6 0 /\n3 6 0 /\n0 6 3 /\n3 6 3 /\n6 6 3 /\n"
    ")\n";
const std::string kNodesEcho =
    "0 0 0 /\n3 0 0 /\n6 0 0 /\n0 3 0 /\n3 3 0 /\n6 3 0 /\n9 1.5 0 /\n"
    "0 6 0 /\n3 6 0 /\n0 6 3 /\n3 6 3 /\n6 6 3 /\n) \n";

// Every element type, one record each but for the bars and links.
const std::string kElements =
    "( 1/\n"
    "241 5 1 2 5 4 /\n"
    "244 5 2 3 6 5 /\n"
    "242 5 3 7 6 /\n"
    "44 1 8 9 11 10 /\n"
    "41 1 4 5 9 8 /\n"
    "42 1 9 12 11 /\n"
    "10 2 10 11 /\n"
    "10 2 11 12 /\n"
    "51 3 1 /\n"
    "51 3 7 /\n"
    "210 4 1 2 /\n"
    "4 6 5 6 /\n"
    ")\n";

// The layer nodes: 1 -> 13 14 15, 2 -> 16 17 18, 5 -> 19 20 21, 4 -> 22 23 24
// from the 241; 3 -> 25 26 27, 6 -> 28 29 30 from the 244; 7 -> 31 32 33 from
// the 242; each 0.2, 0.16 and 0.04 below its node.
const std::string kNodeCommands =
    "N,1,0,0,0,,,,\nN,2,3,0,0,,,,\nN,3,6,0,0,,,,\nN,4,0,3,0,,,,\nN,5,3,3,0,,,,\n"
    "N,6,6,3,0,,,,\nN,7,9,1.5,0,,,,\nN,8,0,6,0,,,,\nN,9,3,6,0,,,,\nN,10,0,6,3,,,,\n"
    "N,11,3,6,3,,,,\nN,12,6,6,3,,,,\n"
    "N,13,0,0,-0.2,,,,\nN,14,0,0,-0.16,,,,\nN,15,0,0,-0.04,,,,\n"
    "N,16,3,0,-0.2,,,,\nN,17,3,0,-0.16,,,,\nN,18,3,0,-0.04,,,,\n"
    "N,19,3,3,-0.2,,,,\nN,20,3,3,-0.16,,,,\nN,21,3,3,-0.04,,,,\n"
    "N,22,0,3,-0.2,,,,\nN,23,0,3,-0.16,,,,\nN,24,0,3,-0.04,,,,\n"
    "N,25,6,0,-0.2,,,,\nN,26,6,0,-0.16,,,,\nN,27,6,0,-0.04,,,,\n"
    "N,28,6,3,-0.2,,,,\nN,29,6,3,-0.16,,,,\nN,30,6,3,-0.04,,,,\n"
    "N,31,9,1.5,-0.2,,,,\nN,32,9,1.5,-0.16,,,,\nN,33,9,1.5,-0.04,,,,\n";

const std::string kElementCommands =
    // Pass 1: the top layers, lower[2] of a b d c under a b d c.
    header(kSlab5Top) + fitems({15, 18, 24, 21, 1, 2, 4, 5}) +
    fitems({18, 27, 21, 30, 2, 3, 5, 6}) + fitems({27, 33, 30, 30, 3, 7, 6, 6}) +
    // Plates: the third and fourth node change places.
    header(kPlate1) + fitems({8, 9, 10, 11}) + fitems({4, 5, 8, 9}) + fitems({9, 12, 11, 11}) +
    header(kBar2) + fitems({10, 11}) + fitems({11, 12}) +
    // Elastic links: new nodes 34 and 35, one below nodes 13 and 31.
    header(kLink3) + elastic_link(34, "0,0,-1.2", 13) + elastic_link(35, "9,1.5,-1.2", 31) +
    // The plastic bar: holder 1.5 > 0 takes lower[2] of 1 and 2.
    header(kPlastic4) + fitems({15, 18}) +
    // Pass 2: bottom layers lower[0] to lower[1], then middle layers lower[1] to lower[2].
    header(kSlab5Bottom) + fitems({13, 16, 22, 19, 14, 17, 23, 20}) +
    fitems({16, 25, 19, 28, 17, 26, 20, 29}) + fitems({25, 31, 28, 28, 26, 32, 29, 29}) +
    header(kSlab5Middle) + fitems({14, 17, 23, 20, 15, 18, 24, 21}) +
    fitems({17, 26, 20, 29, 18, 27, 21, 30}) + fitems({26, 32, 29, 29, 27, 33, 30, 30});

const std::string kLayerPassEcho =
    "241 5 1 2 5 4  /\n244 5 2 3 6 5  /\n242 5 3 7 6  /\n44 41 42 10 10 51 51 210 4 ) \n";
const std::string kLowerLayerReading =
    "241 5 1 2 5 4  /\n244 5 2 3 6 5  /\n242 5 3 7 6  /\n"
    "44 /\n41 /\n42 /\n10 /\n10 /\n51 /\n51 /\n210 /\n4 /\n) ";
const std::string kElementsEcho =
    kPass1 +
    "241 5 1 2 5 4  /\n244 5 2 3 6 5  /\n242 5 3 7 6  /\n44 1 8 9 11 10  /\n"
    "41 1 4 5 9 8  /\n42 1 9 12 11  /\n10 2 10 11  /\n10 2 11 12  /\n51 3 1  /\n"
    "51 3 7  /\n210 4 1 2  /\n4 /\n) " +
    kPass2 + kLowerLayerReading + kLowerLayerReading;

TEST(TarvexElements, EveryElementTypeOfTheExampleModel) {
  const std::string model = kEveryKind + kNodes + kElements;
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.console, native(kQuestions + kEveryKindEcho + "\n" + kNodesEcho + kLayerPassEcho +
                              kElementsEcho + kNoLinks));
  ASSERT_EQ(r.files.size(), 4u);
  EXPECT_EQ(r.files["modellir.txt"], model);
  EXPECT_EQ(r.files["modelans.lgw"], native(kPreamble + kEveryKindScript + "!*\n!*\n" +
                                            kNodeCommands + kElementCommands));

  auto n = nodes_of(r.files["nodes.tmp"]);
  ASSERT_EQ(n.size(), 33u);
  expect_node(n[0], 0, 0, 0, 13, 14, 15);
  expect_node(n[1], 3, 0, 0, 16, 17, 18);
  expect_node(n[2], 6, 0, 0, 25, 26, 27);
  expect_node(n[3], 0, 3, 0, 22, 23, 24);
  expect_node(n[4], 3, 3, 0, 19, 20, 21);
  expect_node(n[5], 6, 3, 0, 28, 29, 30);
  expect_node(n[6], 9, 1.5f, 0, 31, 32, 33);
  for (int i = 7; i < 12; ++i) EXPECT_EQ(n[i].lower[0], 0) << i;
  expect_node(n[7], 0, 6, 0);
  expect_node(n[11], 6, 6, 3);
  expect_node(n[12], 0, 0, -0.2f);
  expect_node(n[13], 0, 0, -0.16f);
  expect_node(n[14], 0, 0, -0.04f);
  expect_node(n[30], 9, 1.5f, -0.2f);
  expect_node(n[31], 9, 1.5f, -0.16f);
  expect_node(n[32], 9, 1.5f, -0.04f);

  EXPECT_EQ(elements_of(r.files["elements.tmp"]), (std::vector<Element>{
                                                      {241, 5, {0, 0, 0, 0}},
                                                      {244, 5, {0, 0, 0, 0}},
                                                      {242, 5, {0, 0, 0, 0}},
                                                      {44, 1, {8, 9, 11, 10}},
                                                      {41, 1, {4, 5, 9, 8}},
                                                      {42, 1, {9, 12, 11, 11}},
                                                      {10, 2, {10, 11, 0, 0}},
                                                      {10, 2, {11, 12, 0, 0}},
                                                      {51, 3, {34, 13, 0, 0}},
                                                      {51, 3, {35, 31, 0, 0}},
                                                      {210, 4, {15, 18, 0, 0}},
                                                      {4, 0, {0, 0, 0, 0}},
                                                  }));
}

// The slab: 10 nodes and one 241 on 1 2 3 4 of a slab 0.05 + 0.1 + 0.05.
const std::string kSlab1 = "( 3/\n" + slab_model(1, "-7.5", "7.5") + ")\n";
const std::string kSlab1Echo = slab_echo(1, "-7.5", "7.5") + ") ";
const std::string kSlab1Script = slab_script(1, 2, "0.6", "1", "0.4", "0.8");
const std::string kTenNodes =
    "( 4/\n0 0 0 /\n6 0 0 /\n0 6 0 /\n6 6 0 /\n12 0 0 /\n"
    "12 6 0 /\n0 0 3 /\n6 0 3 /\n0 6 3 /\n6 6 3 /\n)\n";
const std::string kTenNodesEcho =
    "0 0 0 /\n6 0 0 /\n0 6 0 /\n6 6 0 /\n12 0 0 /\n"
    "12 6 0 /\n0 0 3 /\n6 0 3 /\n0 6 3 /\n6 6 3 /\n) \n";
const std::string kTenNodeCommands =
    "N,1,0,0,0,,,,\nN,2,6,0,0,,,,\nN,3,0,6,0,,,,\nN,4,6,6,0,,,,\nN,5,12,0,0,,,,\n"
    "N,6,12,6,0,,,,\nN,7,0,0,3,,,,\nN,8,6,0,3,,,,\nN,9,0,6,3,,,,\nN,10,6,6,3,,,,\n"
    "N,11,0,0,-0.2,,,,\nN,12,0,0,-0.15,,,,\nN,13,0,0,-0.05,,,,\n"
    "N,14,6,0,-0.2,,,,\nN,15,6,0,-0.15,,,,\nN,16,6,0,-0.05,,,,\n"
    "N,17,0,6,-0.2,,,,\nN,18,0,6,-0.15,,,,\nN,19,0,6,-0.05,,,,\n"
    "N,20,6,6,-0.2,,,,\nN,21,6,6,-0.15,,,,\nN,22,6,6,-0.05,,,,\n";
const std::string kSlab1Top = "TYPE,   3\nMAT, 1\nREAL,  4\nESYS,   11\n";
const std::string kSlab1Bottom = "TYPE,   3\nMAT, 1\nREAL,  2\nESYS,   11\n";
const std::string kSlab1Middle = "TYPE,   3\nMAT, 1\nREAL,  3\nESYS,   11\n";

TEST(TarvexElements, TheSlabOfTenNodesAndOneLayeredShell) {
  const std::string model = kSlab1 + kTenNodes + "( 1/\n241 1 1 2 3 4 /\n)\n";
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            native(kQuestions + kSlab1Echo + "\n" + kTenNodesEcho + "241 1 1 2 3 4  /\n) \n" +
                   kPass1 + "241 1 1 2 3 4  /\n) " + kPass2 + "241 1 1 2 3 4  /\n) " +
                   "241 1 1 2 3 4  /\n) " + kNoLinks));
  EXPECT_EQ(r.files["modelans.lgw"],
            native(kPreamble + kSlab1Script + "!*\n!*\n" + kTenNodeCommands + header(kSlab1Top) +
                   fitems({13, 16, 22, 19, 1, 2, 4, 3}) + header(kSlab1Bottom) +
                   fitems({11, 14, 20, 17, 12, 15, 21, 18}) + header(kSlab1Middle) +
                   fitems({12, 15, 21, 18, 13, 16, 22, 19})));
  auto n = nodes_of(r.files["nodes.tmp"]);
  ASSERT_EQ(n.size(), 22u);
  expect_node(n[0], 0, 0, 0, 11, 12, 13);
  expect_node(n[1], 6, 0, 0, 14, 15, 16);
  expect_node(n[2], 0, 6, 0, 17, 18, 19);
  expect_node(n[3], 6, 6, 0, 20, 21, 22);
  expect_node(n[10], 0, 0, -0.2f);
  expect_node(n[11], 0, 0, -0.15f);
  expect_node(n[12], 0, 0, -0.05f);
  EXPECT_EQ(elements_of(r.files["elements.tmp"]), (std::vector<Element>{{241, 1, {0, 0, 0, 0}}}));
}

// A stop inside pass 1 of a model whose first element is the 241 on 1 2 5 4;
// the records written before it stay in elements.tmp.
void expect_pass_1_stop(const std::string& record, const std::string& echo,
                        const std::string& message, const std::string& commands) {
  SCOPED_TRACE(record);
  const std::string model = kEveryKind + kNodes + "( 1/\n241 5 1 2 5 4 /\n" + record + ")\n";
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.exit_code, 1);
  ASSERT_EQ(r.files.size(), 4u);
  const std::string first_type = record.substr(0, record.find(' '));
  EXPECT_EQ(r.console, native(kQuestions + kEveryKindEcho + "\n" + kNodesEcho +
                              "241 5 1 2 5 4  /\n" + first_type + " ) \n" + kPass1 +
                              "241 5 1 2 5 4  /\n" + echo + message + kPressAnyKey));
  EXPECT_EQ(r.files["modelans.lgw"], native(kPreamble + kEveryKindScript + "!*\n!*\n" + commands));
  EXPECT_EQ(elements_of(r.files["elements.tmp"]), (std::vector<Element>{{241, 5, {0, 0, 0, 0}}}));
  EXPECT_EQ(nodes_of(r.files["nodes.tmp"]).size(), 24u);
}

TEST(TarvexElements, PlasticBarChecksInTheirOrder) {
  // Node 1 has layer nodes from the 241, node 8 has none.
  const std::string slab = "241 5 1 2 5 4 /\n";
  const std::string top = header(kSlab5Top) + fitems({15, 18, 24, 21, 1, 2, 4, 5});
  const std::string nodes_12 =
      "N,1,0,0,0,,,,\nN,2,3,0,0,,,,\nN,3,6,0,0,,,,\nN,4,0,3,0,,,,\nN,5,3,3,0,,,,\n"
      "N,6,6,3,0,,,,\nN,7,9,1.5,0,,,,\nN,8,0,6,0,,,,\nN,9,3,6,0,,,,\nN,10,0,6,3,,,,\n"
      "N,11,3,6,3,,,,\nN,12,6,6,3,,,,\n"
      "N,13,0,0,-0.2,,,,\nN,14,0,0,-0.16,,,,\nN,15,0,0,-0.04,,,,\n"
      "N,16,3,0,-0.2,,,,\nN,17,3,0,-0.16,,,,\nN,18,3,0,-0.04,,,,\n"
      "N,19,3,3,-0.2,,,,\nN,20,3,3,-0.16,,,,\nN,21,3,3,-0.04,,,,\n"
      "N,22,0,3,-0.2,,,,\nN,23,0,3,-0.16,,,,\nN,24,0,3,-0.04,,,,\n";
  // Stiffness 1 stands in for a plastic bar without a holder value.
  expect_pass_1_stop("210 1 8 1 /\n", "210 1 8 1  /\n",
                     "\nError in file nodes.tmp \n(due to creation plastic bar).",
                     nodes_12 + top + header(kPlate1));
  expect_pass_1_stop("210 1 1 8 /\n", "210 1 1 8  /\n",
                     "\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0.",
                     nodes_12 + top + header(kPlate1));
  expect_pass_1_stop("210 4 1 8 /\n", "210 4 1 8  /\n",
                     "\nError in file nodes.tmp \n(due to creation plastic bar).",
                     nodes_12 + top + header(kPlastic4));
}

TEST(TarvexElements, OtherStopsOfPassOne) {
  const std::string top = header(kSlab5Top) + fitems({15, 18, 24, 21, 1, 2, 4, 5});
  std::string nodes_12;
  for (const char* line :
       {"1,0,0,0", "2,3,0,0", "3,6,0,0", "4,0,3,0", "5,3,3,0", "6,6,3,0", "7,9,1.5,0", "8,0,6,0",
        "9,3,6,0", "10,0,6,3", "11,3,6,3", "12,6,6,3", "13,0,0,-0.2", "14,0,0,-0.16",
        "15,0,0,-0.04", "16,3,0,-0.2", "17,3,0,-0.16", "18,3,0,-0.04", "19,3,3,-0.2",
        "20,3,3,-0.16", "21,3,3,-0.04", "22,0,3,-0.2", "23,0,3,-0.16", "24,0,3,-0.04"}) {
    nodes_12 += std::string("N,") + line + ",,,,\n";
  }
  expect_pass_1_stop("51 3 8 /\n", "51 3 8  /\n",
                     "\nError in file nodes.tmp \n(due to creation elastic link, equivalent of 51 "
                     "element).",
                     nodes_12 + top + header(kLink3));
  expect_pass_1_stop("44 1 8 9 11 10/\n", "44 1 8 9 11 10/ \n",
                     "\nError in document 1 (file modellir.txt).", nodes_12 + top + header(kPlate1));
  expect_pass_1_stop("10 2 11 13 /\n", "10 2 11 13  /\n",
                     "\nIncorrect modellir.txt: node 13 of element 2 is outside 1 to 12.",
                     nodes_12 + top + header(kBar2));
  expect_pass_1_stop("42 60 1 2 3 /\n", "42 60 ",
                     "\nIncorrect modellir.txt: stiffness number 60 is outside 0 to 49.",
                     nodes_12 + top);
}

}  // namespace
}  // namespace tarvex_e2e
