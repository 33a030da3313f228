#include "nodes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/record_file.h"
#include "phase_test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// nodes.tmp as it lies on disk, field by field at the offsets of its layout.
struct OnDisk {
  float x, y, z;
  std::int32_t lower[3];
};
std::vector<OnDisk> nodes_on_disk(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % 24, 0u);
  std::vector<OnDisk> nodes;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t at = 0; at + 24 <= bytes.size(); at += 24) {
    nodes.push_back(OnDisk{lira::get_f32(p + at), lira::get_f32(p + at + 4),
                           lira::get_f32(p + at + 8),
                           {lira::get_i32(p + at + 12), lira::get_i32(p + at + 16),
                            lira::get_i32(p + at + 20)}});
  }
  return nodes;
}

void expect_node(const OnDisk& n, float x, float y, float z, std::int32_t l0, std::int32_t l1,
                 std::int32_t l2) {
  EXPECT_FLOAT_EQ(n.x, x);
  EXPECT_FLOAT_EQ(n.y, y);
  EXPECT_FLOAT_EQ(n.z, z);
  EXPECT_EQ(n.lower[0], l0);
  EXPECT_EQ(n.lower[1], l1);
  EXPECT_EQ(n.lower[2], l2);
}

// Ten nodes: a plate of four at z = 0, two more on the right, four at z = 3.
const char kTenNodes[] =
    "( 4/\n"
    "0 0 0 /\n6 0 0 /\n0 6 0 /\n6 6 0 /\n12 0 0 /\n"
    "12 6 0 /\n0 0 3 /\n6 0 3 /\n0 6 3 /\n6 6 3 /\n)\n";
const char kTenNodesEcho[] =
    "0 0 0 /\n6 0 0 /\n0 6 0 /\n6 6 0 /\n12 0 0 /\n"
    "12 6 0 /\n0 0 3 /\n6 0 3 /\n0 6 3 /\n6 6 3 /\n) \n";

class Nodes : public testing::PhaseTest {
 protected:
  std::string all_node_phases() {
    return stop_of([](tarvex::Run& r) {
      read_nodes(r);
      create_layer_nodes(r);
      write_node_commands(r);
    });
  }
};

TEST(NodeRecord, TwentyFourBytesLittleEndian) {
  NodeRecord n;
  n.x = 6;
  n.y = 0;
  n.z = -0.25f;
  n.lower[0] = 1;
  n.lower[1] = 258;
  n.lower[2] = -1;
  unsigned char b[24];
  lira::encode_fields(n, b);
  const unsigned char expected[24] = {0, 0, 0xC0, 0x40, 0, 0, 0, 0, 0, 0, 0x80, 0xBE,
                                      1, 0, 0,    0,    2, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 24),
            std::string(reinterpret_cast<const char*>(expected), 24));
  NodeRecord back = lira::decode_fields<NodeRecord>(b);
  EXPECT_EQ(back.x, 6.0f);
  EXPECT_EQ(back.z, -0.25f);
  EXPECT_EQ(back.lower[1], 258);
  EXPECT_EQ(back.lower[2], -1);
}

TEST_F(Nodes, DocumentFourIntoNodesTmp) {
  tarvex::Run& run = start(std::string("( 3/\n)\n") + kTenNodes + "( 1/\n)\n");
  ASSERT_TRUE(lira::find_document(run.model, "( 3/"));  // where document 3 leaves it
  EXPECT_EQ(stop_of(read_nodes), "");
  EXPECT_EQ(run.node_count, 10);
  EXPECT_EQ(console_, kTenNodesEcho);
  EXPECT_FALSE(run.nodes.is_open());
  auto nodes = nodes_on_disk(file("nodes.tmp"));
  ASSERT_EQ(nodes.size(), 10u);
  expect_node(nodes[0], 0, 0, 0, 0, 0, 0);
  expect_node(nodes[4], 12, 0, 0, 0, 0, 0);
  expect_node(nodes[9], 6, 6, 3, 0, 0, 0);
}

TEST_F(Nodes, EmptyDocumentGivesNoNodes) {
  tarvex::Run& run = start("( 4/\n)\n( 1/\n)\n");
  EXPECT_EQ(all_node_phases(), "");
  EXPECT_EQ(run.node_count, 0);
  EXPECT_EQ(console_, ") \n) \n");
  EXPECT_EQ(script_, "");
  EXPECT_EQ(file("nodes.tmp"), "");
}

TEST_F(Nodes, RecordsAreEchoedAsRead) {
  // Values that are not numbers become 0; z is written without a blank, then
  // the two record-end characters.
  tarvex::Run& run = start("( 4/\n0 0 0 /\n  1.5  x 2e-3 /  -4 5 6 / )\n( 1/\n)\n");
  EXPECT_EQ(all_node_phases(), "");
  EXPECT_EQ(console_, "0 0 0 /\n1.5 x 2e-3 /\n-4 5 6 /\n) \n) \n");
  EXPECT_EQ(run.node_count, 3);
  auto nodes = nodes_on_disk(file("nodes.tmp"));
  ASSERT_EQ(nodes.size(), 3u);
  expect_node(nodes[0], 0, 0, 0, 0, 0, 0);
  expect_node(nodes[1], 1.5f, 0, 0.002f, 0, 0, 0);
  expect_node(nodes[2], -4, 5, 6, 0, 0, 0);
  EXPECT_EQ(script_, "N,1,0,0,0,,,,\nN,2,1.5,0,0.002,,,,\nN,3,-4,5,6,,,,\n");
}

TEST_F(Nodes, TwoValuesAndASlashGiveZZero) {
  tarvex::Run& run = start("( 4/\n1 2 /\n3 4 5 /\n)\n( 1/\n)\n");
  EXPECT_EQ(all_node_phases(), "");
  EXPECT_EQ(console_, "1 2 /\n3 4 5 /\n) \n) \n");
  EXPECT_EQ(run.node_count, 2);
  EXPECT_EQ(script_, "N,1,1,2,0,,,,\nN,2,3,4,5,,,,\n");
}

TEST_F(Nodes, BadRecordEndsStopAndKeepTheNodesBefore) {
  struct Case {
    const char* records;
    const char* echo;  // of the failing record
  };
  const Case cases[] = {
      {"0 0 0/ 1 1 1 /\n", "0 0 0/ 1\n"},  // glued slash, next record on the line
      {"0 0 0/\n1 1 1 /\n", "0 0 0/\n"},   // glued slash at the line end
      {"0 0 0  /\n", "0 0 0  \n"},         // two blanks
      {"0 0 0 x/\n", "0 0 0 x\n"},
      {"0 0 0 /", "0 0 0 /\n"},            // fine, but the file ends before ")"
      {"0 0/ 0 /\n", "0 0/ "},             // a slash glued to the second value
      {"0 0 0", "0 0 0\n"},                // the file ends inside the record
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    start(std::string("( 4/\n5 6 7 /\n") + c.records);
    std::string stop = stop_of(read_nodes);
    if (std::string(c.records) == "0 0 0 /") {
      EXPECT_EQ(stop, "\nIncorrect modellir.txt: end of file inside document 4.");
    } else {
      EXPECT_EQ(stop, "\nIncorrect modellir.txt: Bad nodes.");
    }
    EXPECT_EQ(console_, std::string("5 6 7 /\n") + c.echo);
    finish();
    auto nodes = nodes_on_disk(file("nodes.tmp"));
    ASSERT_EQ(nodes.size(), std::string(c.records) == "0 0 0 /" ? 2u : 1u);
    expect_node(nodes[0], 5, 6, 7, 0, 0, 0);
  }
}

TEST_F(Nodes, EndOfFileInsideTheDocument) {
  for (const char* model : {"( 4/\n", "( 4/\n1 2 3 /\n4", "( 4/\n1 2 3 /\n4 5"}) {
    SCOPED_TRACE(model);
    start(model);
    EXPECT_EQ(stop_of(read_nodes), "\nIncorrect modellir.txt: end of file inside document 4.");
  }
}

TEST_F(Nodes, MissingDocuments) {
  start("( 1/\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "\nIncorrect modellir.txt: no nodes.");
  // Document 4 before document 3 is not found: the search goes on from there.
  tarvex::Run& run = start("( 4/\n)\n( 3/\n)\n");
  ASSERT_TRUE(lira::find_document(run.model, "( 3/"));
  EXPECT_EQ(stop_of(read_nodes), "\nIncorrect modellir.txt: no nodes.");

  start("( 4/\n1 2 3 /\n)\n( 2/\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "");
  EXPECT_EQ(stop_of(create_layer_nodes), "\nIncorrect modellir.txt: no elements.");
}

TEST_F(Nodes, NodesTmpThatCannotBeOpened) {
  use_disk();
  const char* message = "\nFile nodes.tmp can't be opened.";
  start(std::string(kTenNodes) + "( 1/\n)\n");
  fs::create_directory("nodes.tmp");
  EXPECT_EQ(stop_of(read_nodes), message);
  fs::remove("nodes.tmp");

  start(std::string(kTenNodes) + "( 1/\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "");
  fs::remove("nodes.tmp");
  EXPECT_EQ(stop_of(create_layer_nodes), message);
  EXPECT_EQ(stop_of(write_node_commands), message);
}

TEST_F(Nodes, LayerNodesOfOneLayeredShell) {
  // 10 nodes and a type 241 element on nodes 1 2 3 4 of a slab 0.05 + 0.1 + 0.05.
  tarvex::Run& run = start(std::string(kTenNodes) + "( 1/\n241 3 1 2 3 4 /\n)\n");
  slab(3, 0.05, 0.1, 0.05);
  EXPECT_EQ(all_node_phases(), "");
  EXPECT_EQ(run.node_count, 22);
  EXPECT_EQ(console_, std::string(kTenNodesEcho) + "241 3 1 2 3 4  /\n) \n");
  auto n = nodes_on_disk(file("nodes.tmp"));
  ASSERT_EQ(n.size(), 22u);
  expect_node(n[0], 0, 0, 0, 11, 12, 13);
  expect_node(n[1], 6, 0, 0, 14, 15, 16);
  expect_node(n[2], 0, 6, 0, 17, 18, 19);
  expect_node(n[3], 6, 6, 0, 20, 21, 22);
  for (int i = 4; i < 10; ++i) EXPECT_EQ(n[i].lower[0], 0);
  expect_node(n[10], 0, 0, -0.2f, 0, 0, 0);   // 0.2 below node 1
  expect_node(n[11], 0, 0, -0.15f, 0, 0, 0);  // 0.15 below
  expect_node(n[12], 0, 0, -0.05f, 0, 0, 0);  // 0.05 below
  expect_node(n[13], 6, 0, -0.2f, 0, 0, 0);
  expect_node(n[20], 6, 6, -0.15f, 0, 0, 0);
  expect_node(n[21], 6, 6, -0.05f, 0, 0, 0);
  EXPECT_EQ(script_,
            "N,1,0,0,0,,,,\nN,2,6,0,0,,,,\nN,3,0,6,0,,,,\nN,4,6,6,0,,,,\nN,5,12,0,0,,,,\n"
            "N,6,12,6,0,,,,\nN,7,0,0,3,,,,\nN,8,6,0,3,,,,\nN,9,0,6,3,,,,\nN,10,6,6,3,,,,\n"
            "N,11,0,0,-0.2,,,,\nN,12,0,0,-0.15,,,,\nN,13,0,0,-0.05,,,,\n"
            "N,14,6,0,-0.2,,,,\nN,15,6,0,-0.15,,,,\nN,16,6,0,-0.05,,,,\n"
            "N,17,0,6,-0.2,,,,\nN,18,0,6,-0.15,,,,\nN,19,0,6,-0.05,,,,\n"
            "N,20,6,6,-0.2,,,,\nN,21,6,6,-0.15,,,,\nN,22,6,6,-0.05,,,,\n");
}

TEST_F(Nodes, SharedNodesGetTheirLayerNodesOnceFromTheFirstElement) {
  // Two slabs: 244 on 1 2 3 4, then 242 on 2 5 4 with a thicker slab, then a
  // 244 on 7 8 9 10 of the thin slab at z = 3. Other types are skipped with
  // their first token echoed alone.
  tarvex::Run& run = start(std::string(kTenNodes) +
                   "( 1/\n44 1 1 2 4 3 /\n244 3 1 2 4 3 /\n10 2 1 5 /\n"
                   "242 4 2 5 4 /\n244 3 7 8 10 9 /\n)\n");
  slab(3, 0.05, 0.1, 0.05);
  slab(4, 0.04, 0.12, 0.04);
  EXPECT_EQ(stop_of(read_nodes), "");
  EXPECT_EQ(stop_of(create_layer_nodes), "");
  EXPECT_EQ(console_, std::string(kTenNodesEcho) +
                          "44 244 3 1 2 4 3  /\n10 242 4 2 5 4  /\n244 3 7 8 10 9  /\n) \n");
  // 1 2 4 3 -> 11.., 14.., 17.. (node 4), 20.. (node 3); 5 -> 23..; 7 8 10 9 -> 26.. 38.
  EXPECT_EQ(run.node_count, 37);
  auto n = nodes_on_disk(file("nodes.tmp"));
  ASSERT_EQ(n.size(), 37u);
  expect_node(n[0], 0, 0, 0, 11, 12, 13);
  expect_node(n[1], 6, 0, 0, 14, 15, 16);
  expect_node(n[3], 6, 6, 0, 17, 18, 19);
  expect_node(n[2], 0, 6, 0, 20, 21, 22);
  expect_node(n[4], 12, 0, 0, 23, 24, 25);  // only the new node of the 242
  expect_node(n[5], 12, 6, 0, 0, 0, 0);
  expect_node(n[6], 0, 0, 3, 26, 27, 28);
  expect_node(n[7], 6, 0, 3, 29, 30, 31);
  expect_node(n[9], 6, 6, 3, 32, 33, 34);
  expect_node(n[8], 0, 6, 3, 35, 36, 37);
  // Node 5 takes the thicknesses of its own element's stiffness 4.
  expect_node(n[22], 12, 0, -0.2f, 0, 0, 0);
  expect_node(n[23], 12, 0, -0.16f, 0, 0, 0);
  expect_node(n[24], 12, 0, -0.04f, 0, 0, 0);
  expect_node(n[25], 0, 0, 2.8f, 0, 0, 0);
  expect_node(n[26], 0, 0, 2.85f, 0, 0, 0);
  expect_node(n[27], 0, 0, 2.95f, 0, 0, 0);
}

TEST_F(Nodes, LayerPassFailures) {
  struct Case {
    const char* records;
    const char* message;
  };
  const Case cases[] = {
      {"241 3 1 2 3 4/\n", "\nError in document 1 (file modellir.txt)."},
      {"242 3 1 2 3 x/\n", "\nError in document 1 (file modellir.txt)."},
      {"241 3 1 2 3 4", "\nError in document 1 (file modellir.txt)."},
      // Node 11 is in nodes.tmp by then, but as a layer node, not a node of the model.
      {"241 3 1 2 3 11 /\n)\n", "\nIncorrect modellir.txt: node 11 of element 2 is outside 1 to 10."},
      {"244 3 1 -2 3 4 /\n)\n", "\nIncorrect modellir.txt: node -2 of element 2 is outside 1 to 10."},
      {"241 50 1 2 3 4 /\n)\n", "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49."},
      {"241 -1 1 2 3 4 /\n)\n", "\nIncorrect modellir.txt: stiffness number -1 is outside 0 to 49."},
      {"241 1 1 2 3 4 /\n)\n",
       "\nIncorrect modellir.txt: element 2 of type 241 has stiffness 1, which is no reinforced "
       "concrete slab."},
      {"241 0 1 2 3 4 /\n)\n",
       "\nIncorrect modellir.txt: element 2 of type 241 has stiffness 0, which is no reinforced "
       "concrete slab."},
      {"241 3 1 2 3", "\nIncorrect modellir.txt: end of file inside document 1."},
      {"10 1 1 2", "\nIncorrect modellir.txt: end of file inside document 1."},
      {"241 3 1 2 3 4 /\n", "\nIncorrect modellir.txt: end of file inside document 1."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    tarvex::Run& run = start(std::string(kTenNodes) + "( 1/\n10 1 5 6 /\n" + c.records);
    slab(3, 0.05, 0.1, 0.05);
    set_text(run.stiffness.attribute[1], "TYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n");
    EXPECT_EQ(stop_of(read_nodes), "");
    EXPECT_EQ(stop_of(create_layer_nodes), c.message);
    EXPECT_EQ(script_, "");
  }
}

TEST_F(Nodes, AZeroNodeEndsTheCornersOfARecord) {
  // A 242 has three corners; a 241 whose corner is 0 gets layer nodes up to it
  // (the element passes then refuse node 0).
  tarvex::Run& run = start(std::string(kTenNodes) + "( 1/\n242 3 1 2 3 /\n241 3 5 0 6 7 /\n)\n");
  slab(3, 0.05, 0.1, 0.05);
  EXPECT_EQ(stop_of(read_nodes), "");
  EXPECT_EQ(stop_of(create_layer_nodes), "");
  EXPECT_EQ(run.node_count, 22);
  auto n = nodes_on_disk(file("nodes.tmp"));
  ASSERT_EQ(n.size(), 22u);
  EXPECT_EQ(n[2].lower[0], 17);
  EXPECT_EQ(n[3].lower[0], 0);
  EXPECT_EQ(n[4].lower[0], 20);
  EXPECT_EQ(n[5].lower[0], 0);
  EXPECT_EQ(n[6].lower[0], 0);
}

TEST_F(Nodes, NodeCommandsInSinglePrecision) {
  // Six digits where they read back to the float held; 1234567 needs seven,
  // and the float nearest 0.333333333 (0.3333333432...) needs eight.
  start("( 4/\n6 0 -0.25 /\n0.1 1234567 1e-5 /\n-3.4e38 0.333333333 -0 /\n)\n( 1/\n)\n");
  EXPECT_EQ(all_node_phases(), "");
  EXPECT_EQ(script_,
            "N,1,6,0,-0.25,,,,\nN,2,0.1,1234567,1e-005,,,,\nN,3,-3.4e+038,0.33333334,-0,,,,\n");
}

TEST_F(Nodes, CoordinatesBeyondSinglePrecisionAreRefused) {
  for (const char* value : {"3.5e38", "-1e39", "1e999"}) {
    SCOPED_TRACE(value);
    start(std::string("( 4/\n1 2 3 /\n0 0 0 /\n4 5 ") + value + " /\n)\n");
    EXPECT_EQ(stop_of(read_nodes), std::string("\nIncorrect modellir.txt: coordinate ") + value +
                                       " of node 3 is out of range.");
    finish();
    EXPECT_EQ(file("nodes.tmp").size(), 48u);
  }
}

TEST_F(Nodes, NodeCommandsNumberTheRecordsInFileOrder) {
  tarvex::Run& run = start("( 4/\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "");
  NodeRecord node;
  unsigned char record[24];
  ASSERT_TRUE(run.nodes.open("nodes.tmp", 24, true));
  for (int i = 1; i <= 12; ++i) {
    node.x = static_cast<float>(i == 12 ? 6 : i);
    node.z = i == 12 ? -0.25f : 0.0f;
    lira::encode_fields(node, record);
    ASSERT_TRUE(run.nodes.append(record));
  }
  ASSERT_TRUE(run.nodes.close());
  EXPECT_EQ(stop_of(write_node_commands), "");
  EXPECT_EQ(script_.substr(script_.rfind("N,11,")), "N,11,11,0,0,,,,\nN,12,6,0,-0.25,,,,\n");
}


TEST_F(Nodes, DecimalCommasAndRecordsOnTheHeaderLineStop) {
  start("( 4/\n1 2 3 /\n0 0,5 0 /\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "\nIncorrect modellir.txt: the number \"0,5\" of node 2 in "
                                 "document 4 has a decimal comma: write it with a decimal point, "
                                 "\"0.5\".");
  EXPECT_EQ(console_, "1 2 3 /\n0 0,5 ");
  finish();
  EXPECT_EQ(file("nodes.tmp").size(), 24u);

  // Without the stop the first node would be lost and node 1 be at (4, 5, 6).
  start("( 4/ 1 2 3 /\n4 5 6 /\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "\nIncorrect modellir.txt: the header line of document 4 holds "
                                 "a record, \"1 2 3 /\": begin the records of the document on the "
                                 "line after its header.");
  EXPECT_EQ(console_, "");
  finish();
  EXPECT_EQ(file("nodes.tmp"), "");

  // Document 1, read first by the layer-node pass.
  start(std::string(kTenNodes) + "( 1/44 1 1 2 3 4 /\n)\n");
  EXPECT_EQ(stop_of(read_nodes), "");
  EXPECT_EQ(stop_of(create_layer_nodes), "\nIncorrect modellir.txt: the header line of document 1 "
                                         "holds a record, \"44 1 1 2 3 4 /\": begin the records of "
                                         "the document on the line after its header.");
}

}  // namespace
}  // namespace tarvex
