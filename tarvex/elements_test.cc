#include "elements.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/record_file.h"
#include "nodes.h"
#include "phase_test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// elements.tmp as it lies on disk, field by field at the offsets of its layout.
struct OnDisk {
  std::int16_t type, stiffness;
  std::int32_t node[4];
  bool operator==(const OnDisk& o) const {
    return type == o.type && stiffness == o.stiffness && node[0] == o.node[0] &&
           node[1] == o.node[1] && node[2] == o.node[2] && node[3] == o.node[3];
  }
};
std::ostream& operator<<(std::ostream& out, const OnDisk& e) {
  return out << "{" << e.type << ", " << e.stiffness << ", " << e.node[0] << ", " << e.node[1]
             << ", " << e.node[2] << ", " << e.node[3] << "}";
}
std::vector<OnDisk> elements_on_disk(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % 20, 0u);
  std::vector<OnDisk> elements;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t at = 0; at + 20 <= bytes.size(); at += 20) {
    elements.push_back(OnDisk{lira::get_i16(p + at),
                              lira::get_i16(p + at + 2),
                              {lira::get_i32(p + at + 4), lira::get_i32(p + at + 8),
                               lira::get_i32(p + at + 12), lira::get_i32(p + at + 16)}});
  }
  return elements;
}

const char kTenNodes[] =
    "( 4/\n"
    "0 0 0 /\n6 0 0 /\n0 6 0 /\n6 6 0 /\n12 0 0 /\n"
    "12 6 0 /\n0 0 3 /\n6 0 3 /\n0 6 3 /\n6 6 3 /\n)\n";

const char kPlate1[] = "TYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n";
const char kBar2[] = "TYPE,   2\nMAT, 2\nREAL,  3\nESYS,   0\n";
const char kLink5[] = "TYPE,   4\nMAT, 5\nREAL,  1\nESYS,   0\n";
const char kPlastic6[] = "TYPE,   4\nMAT, 6\nREAL,  7\nESYS,   0\n";
const char kPlastic7[] = "TYPE,   4\nMAT, 7\nREAL,  8\nESYS,   0\n";
const char kPlastic8[] = "TYPE,   4\nMAT, 8\nREAL,  9\nESYS,   0\n";
const char kPass1[] = "\n\nELEMENTS CREATION, 1 PASS\n";
const char kPass2[] = "\n\nELEMENTS CREATION, 2 PASS\n";

std::string fitems(std::initializer_list<int> nodes) {
  std::string s = "FLST,2," + std::to_string(nodes.size()) + ",1";
  for (int n : nodes) s += "\nFITEM,2," + std::to_string(n);
  return s + "\nE,P51X\n!*\n";
}
std::string header(const std::string& text) { return "!*\n" + text + "!*\n"; }

class Elements : public testing::PhaseTest {
 protected:
  // The stiffness table of a model with every kind, the ten nodes and
  // `document1` through the node phases, with or without the layer nodes;
  // the console and script start empty afterwards.
  void prepare(const std::string& document1, bool layer_nodes = true) {
    tarvex::Run& run = start(std::string(kTenNodes) + document1);
    set_text(run.stiffness.attribute[1], kPlate1);
    set_text(run.stiffness.attribute[2], kBar2);
    slab(3, 0.05, 0.1, 0.05);  // REAL 4, 5, 6
    set_text(run.stiffness.attribute[5], kLink5);
    set_text(run.stiffness.attribute[6], kPlastic6);
    run.stiffness.holder[6] = -0.5f;
    set_text(run.stiffness.attribute[7], kPlastic7);
    run.stiffness.holder[7] = 0.5f;
    set_text(run.stiffness.attribute[8], kPlastic8);  // no holder value
    ASSERT_EQ(stop_of(read_nodes), "");
    if (layer_nodes) {
      ASSERT_EQ(stop_of(create_layer_nodes), "");
    }
    ASSERT_EQ(stop_of(write_node_commands), "");
    console_.clear();
    script_.clear();
  }
  std::string elements() { return stop_of(create_elements); }
  std::vector<OnDisk> records() {
    finish();
    return elements_on_disk(file("elements.tmp"));
  }
};

TEST(ElementRecord, TwentyBytesLittleEndian) {
  ElementRecord e;
  e.type = 241;
  e.stiffness = -2;
  e.node[0] = 1;
  e.node[1] = 0x01020304;
  e.node[2] = -1;
  e.node[3] = 0;
  unsigned char b[20];
  encode_element(e, b);
  const unsigned char expected[20] = {0xF1, 0, 0xFE, 0xFF, 1, 0, 0, 0, 4, 3,
                                      2,    1, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 20),
            std::string(reinterpret_cast<const char*>(expected), 20));
  ElementRecord back = decode_element(b);
  EXPECT_EQ(back.type, 241);
  EXPECT_EQ(back.stiffness, -2);
  EXPECT_EQ(back.node[1], 0x01020304);
  EXPECT_EQ(back.node[2], -1);
}

TEST_F(Elements, EveryKindOfElementInBothPasses) {
  prepare(
      "( 1/\n"
      "241 3 1 2 3 4 /\n"
      "51 5 1 /\n"
      "210 6 1 2 /\n"
      "210 7 1 2 /\n"
      "44 1 5 6 10 9 /\n"
      "44 1 1 2 3 4 /\n"
      "42 1 5 6 7 /\n"
      "10 2 7 8 /\n"
      "10 2 8 9 /\n"
      "4 1 2 3 /\n"
      "10 0 9 10 /\n"
      ")\n");
  EXPECT_EQ(elements(), "");
  EXPECT_EQ(run_->node_count, 23);
  EXPECT_EQ(script_,
            // pass 1: the top layer of the shell, lower[2] of 1 2 4 3 under 1 2 4 3
            header(slab_text(3, 6)) + fitems({13, 16, 22, 19, 1, 2, 4, 3}) +
                // the elastic link at node 1: node 23 one below node 11
                header(kLink5) + "N,23,0,0,-1.2,,,,\n" +
                "FLST,2,1,1,ORDE,1\nFITEM,2,23\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n" +
                fitems({23, 11}) +
                // plastic bars: a negative holder takes lower[1], a positive lower[2]
                header(kPlastic6) + fitems({12, 15}) + header(kPlastic7) + fitems({13, 16}) +
                // plates: the third and fourth node change places; a triangle
                header(kPlate1) + fitems({5, 6, 9, 10}) + fitems({1, 2, 4, 3}) +
                fitems({5, 6, 7, 7}) +
                // bars, then a bar of stiffness 0 after them
                header(kBar2) + fitems({7, 8}) + fitems({8, 9}) + header("") + fitems({9, 10}) +
                // pass 2: bottom layers, then middle layers
                header(slab_text(3, 4)) + fitems({11, 14, 20, 17, 12, 15, 21, 18}) +
                header(slab_text(3, 5)) + fitems({12, 15, 21, 18, 13, 16, 22, 19}));
  const std::string skipped_reading =
      "241 3 1 2 3 4  /\n51 /\n210 /\n210 /\n44 /\n44 /\n42 /\n10 /\n10 /\n4 /\n10 /\n) ";
  EXPECT_EQ(console_, std::string(kPass1) +
                          "241 3 1 2 3 4  /\n51 5 1  /\n210 6 1 2  /\n210 7 1 2  /\n"
                          "44 1 5 6 10 9  /\n44 1 1 2 3 4  /\n42 1 5 6 7  /\n10 2 7 8  /\n"
                          "10 2 8 9  /\n4 /\n10 0 9 10  /\n) " +
                          kPass2 + skipped_reading + skipped_reading);
  EXPECT_FALSE(run_->elements.is_open());
  EXPECT_FALSE(run_->nodes.is_open());
  EXPECT_EQ(records(), (std::vector<OnDisk>{
                           {241, 3, {0, 0, 0, 0}},
                           {51, 5, {23, 11, 0, 0}},
                           {210, 6, {12, 15, 0, 0}},
                           {210, 7, {13, 16, 0, 0}},
                           {44, 1, {5, 6, 10, 9}},
                           {44, 1, {1, 2, 3, 4}},
                           {42, 1, {5, 6, 7, 7}},
                           {10, 2, {7, 8, 0, 0}},
                           {10, 2, {8, 9, 0, 0}},
                           {4, 0, {0, 0, 0, 0}},  // unknown: its record, stiffness 0
                           {10, 0, {9, 10, 0, 0}},
                       }));
}

TEST_F(Elements, ElasticLinksContinueTheNodeCount) {
  prepare("( 1/\n242 3 1 2 3 /\n51 5 1 /\n51 5 3 /\n)\n");
  EXPECT_EQ(run_->node_count, 19);
  EXPECT_EQ(elements(), "");
  EXPECT_EQ(run_->node_count, 21);
  // The 242: its corners c and d coincide.
  EXPECT_EQ(script_, header(slab_text(3, 6)) + fitems({13, 16, 19, 19, 1, 2, 3, 3}) +
                         header(kLink5) + "N,20,0,0,-1.2,,,,\n" +
                         "FLST,2,1,1,ORDE,1\nFITEM,2,20\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n" +
                         fitems({20, 11}) + "N,21,0,6,-1.2,,,,\n" +
                         "FLST,2,1,1,ORDE,1\nFITEM,2,21\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n" +
                         fitems({21, 17}) + header(slab_text(3, 4)) +
                         fitems({11, 14, 17, 17, 12, 15, 18, 18}) + header(slab_text(3, 5)) +
                         fitems({12, 15, 18, 18, 13, 16, 19, 19}));
  EXPECT_EQ(records(), (std::vector<OnDisk>{{242, 3, {0, 0, 0, 0}},
                                            {51, 5, {20, 11, 0, 0}},
                                            {51, 5, {21, 17, 0, 0}}}));
}

TEST_F(Elements, AModelWithoutLayeredShellsWritesNothingInPassTwo) {
  prepare("( 1/\n44 1 1 2 3 4 /\n44 1 5 6 8 7 /\n)\n");
  EXPECT_EQ(elements(), "");
  EXPECT_EQ(script_, header(kPlate1) + fitems({1, 2, 4, 3}) + fitems({5, 6, 7, 8}));
  EXPECT_EQ(console_, std::string(kPass1) + "44 1 1 2 3 4  /\n44 1 5 6 8 7  /\n) " + kPass2 +
                          "44 /\n44 /\n) 44 /\n44 /\n) ");
}

TEST_F(Elements, AttributeTextsOnlyWhenTheStiffnessChanges) {
  prepare("( 1/\n10 0 1 2 /\n10 2 1 2 /\n10 2 2 3 /\n44 1 1 2 3 4 /\n10 2 3 4 /\n)\n");
  EXPECT_EQ(elements(), "");
  EXPECT_EQ(script_, fitems({1, 2}) + header(kBar2) + fitems({1, 2}) + fitems({2, 3}) +
                         header(kPlate1) + fitems({1, 2, 4, 3}) + header(kBar2) + fitems({3, 4}));
}

TEST_F(Elements, EmptyDocument) {
  prepare("( 1/\n)\n");
  EXPECT_EQ(elements(), "");
  EXPECT_EQ(script_, "");
  EXPECT_EQ(console_, std::string(kPass1) + ") " + kPass2 + ") ) ");
  EXPECT_EQ(records(), std::vector<OnDisk>{});
}

TEST_F(Elements, FailuresOfPassOneKeepTheRecordsBefore) {
  struct Case {
    const char* record;  // the second of document 1, after a layered shell on 1 2 3 4
    const char* message;
  };
  const char* bad_record = "\nError in document 1 (file modellir.txt).";
  const Case cases[] = {
      {"10 2 7 8/\n", bad_record},
      {"210 6 1 2 x/\n", bad_record},
      {"51 5 1/\n", bad_record},
      {"44 1 1 2 3 4/\n", bad_record},
      {"42 1 5 6 7  /\n", bad_record},
      {"51 5 7 /\n",
       "\nError in file nodes.tmp \n(due to creation elastic link, equivalent of 51 element)."},
      // First node, holder value, second node, in this order.
      {"210 8 7 1 /\n", "\nError in file nodes.tmp \n(due to creation plastic bar)."},
      {"210 8 1 7 /\n",
       "\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0."},
      {"210 6 1 7 /\n", "\nError in file nodes.tmp \n(due to creation plastic bar)."},
      {"10 2 0 1 /\n", "\nIncorrect modellir.txt: node 0 of element 2 is outside 1 to 10."},
      {"10 2 1 11 /\n", "\nIncorrect modellir.txt: node 11 of element 2 is outside 1 to 10."},
      {"44 1 1 2 3 -4 /\n", "\nIncorrect modellir.txt: node -4 of element 2 is outside 1 to 10."},
      {"42 1 1 2 99 /\n", "\nIncorrect modellir.txt: node 99 of element 2 is outside 1 to 10."},
      // Node 13 is in nodes.tmp, but as a layer node.
      {"51 5 13 /\n", "\nIncorrect modellir.txt: node 13 of element 2 is outside 1 to 10."},
      {"210 6 1 0x7fffffff /\n",
       "\nIncorrect modellir.txt: node 2147483647 of element 2 is outside 1 to 10."},
      {"44 50 1 2 3 4 /\n", "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49."},
      {"10 -1 1 2 /\n", "\nIncorrect modellir.txt: stiffness number -1 is outside 0 to 49."},
      {"70000 1 2 /\n",
       "\nIncorrect modellir.txt: element 2 has type 70000, which is no element type."},
      {"-32769 1 2 /\n",
       "\nIncorrect modellir.txt: element 2 has type -32769, which is no element type."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    prepare(std::string("( 1/\n241 3 1 2 3 4 /\n") + c.record + ")\n");
    EXPECT_EQ(elements(), c.message);
    EXPECT_EQ(records(), (std::vector<OnDisk>{{241, 3, {0, 0, 0, 0}}}));
  }
}

TEST_F(Elements, EndOfFileInPassOne) {
  struct Case {
    const char* records;  // after a plate
    const char* message;
    std::size_t kept;
  };
  const char* end_of_file = "\nIncorrect modellir.txt: end of file inside document 1.";
  const Case cases[] = {
      {"44 1 1 2", end_of_file, 1},
      {"4 1 2", end_of_file, 1},  // while a skipped record looks for its slash
      {"10 2 7 8 /\n", end_of_file, 2},
      {"41 1 5 6 7 8", "\nError in document 1 (file modellir.txt).", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    prepare(std::string("( 1/\n44 1 1 2 3 4 /\n") + c.records, false);
    EXPECT_EQ(elements(), c.message);
    std::vector<OnDisk> expected{{44, 1, {1, 2, 3, 4}}, {10, 2, {7, 8, 0, 0}}};
    expected.resize(c.kept);
    EXPECT_EQ(records(), expected);
  }
}

TEST_F(Elements, ALayeredShellWithoutLayerNodes) {
  // Only when nodes.tmp does not come from the layer-node pass.
  prepare("( 1/\n44 1 1 2 3 4 /\n241 3 1 2 3 4 /\n)\n", false);
  EXPECT_EQ(elements(), "\nError in file nodes.tmp (due to upper layer of a solid).");
  EXPECT_EQ(records(), (std::vector<OnDisk>{{44, 1, {1, 2, 3, 4}}}));

  prepare("( 1/\n241 3 1 2 3 4 /\n)\n", false);
  ASSERT_TRUE(run_->nodes.open("nodes.tmp", kNodeRecordSize, false));
  EXPECT_EQ(stop_of(create_lower_layers),
            "\nError in file nodes.tmp (due to lower layers of a solid).");
  EXPECT_EQ(console_, std::string(kPass2) + "241 3 1 2 3 4  /\n");
  EXPECT_EQ(script_, header(slab_text(3, 4)));
}

TEST_F(Elements, FailuresOfPassTwo) {
  prepare("( 1/\n241 3 1 2 3 4/\n)\n", false);
  ASSERT_TRUE(run_->nodes.open("nodes.tmp", kNodeRecordSize, false));
  EXPECT_EQ(stop_of(create_lower_layers), "\nError in document 1 (file modellir.txt).");

  // nodes.tmp with the layer nodes of a whole model, then a model that ends
  // inside a record that pass 2 skips.
  prepare("( 1/\n241 3 1 2 3 4 /\n)\n");
  start(std::string(kTenNodes) + "( 1/\n241 3 1 2 3 4 /\n44 1 1 2 3 4");
  slab(3, 0.05, 0.1, 0.05);
  run_->model_node_count = 10;
  ASSERT_TRUE(run_->nodes.open("nodes.tmp", kNodeRecordSize, false));
  EXPECT_EQ(stop_of(create_lower_layers),
            "\nIncorrect modellir.txt: end of file inside document 1.");
  EXPECT_EQ(script_, header(slab_text(3, 4)) + fitems({11, 14, 20, 17, 12, 15, 21, 18}));
  EXPECT_EQ(console_, std::string(kPass2) + "241 3 1 2 3 4  /\n44 ");
}

TEST_F(Elements, FilesAndDocumentThatCannotBeFound) {
  prepare("( 2/\n)\n", false);
  EXPECT_EQ(elements(), "\nIncorrect modellir.txt: no elements.");
  EXPECT_EQ(console_, kPass1);

  prepare("( 1/\n)\n");
  fs::remove("elements.tmp");
  fs::create_directory("elements.tmp");
  EXPECT_EQ(elements(), "\nFile elements.tmp can't be opened.");
  EXPECT_EQ(console_, "");
  fs::remove("elements.tmp");

  prepare("( 1/\n)\n");
  fs::remove("nodes.tmp");
  EXPECT_EQ(elements(), "\nFile nodes.tmp can't be opened.");
  EXPECT_EQ(console_, "");
  EXPECT_EQ(file("elements.tmp"), "");  // created first
}


TEST_F(Elements, AStiffnessWithoutAttributeTextStops) {
  // Stiffness 4 has no attribute text: document 3 does not define it, or
  // defines it with a kind that is not converted. Stiffness 0 keeps its way.
  prepare("( 1/\n44 1 1 2 3 4 /\n10 0 1 2 /\n10 4 2 3 /\n)\n", false);
  EXPECT_EQ(elements(), "\nIncorrect modellir.txt: element 3 of document 1 has stiffness 4, "
                        "which document 3 does not define, or defines with a kind that is not "
                        "converted: give the element a converted stiffness of document 3.");
  EXPECT_EQ(script_, header(kPlate1) + fitems({1, 2, 4, 3}) + "!*\n!*\n" + fitems({1, 2}));
  EXPECT_EQ(console_, std::string(kPass1) + "44 1 1 2 3 4  /\n10 0 1 2  /\n10 4 ");
  EXPECT_EQ(records(), (std::vector<OnDisk>{{44, 1, {1, 2, 3, 4}}, {10, 0, {1, 2, 0, 0}}}));
}

}  // namespace
}  // namespace tarvex
