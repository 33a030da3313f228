// Whole runs of tarvex that stop in document 4 or in the layer-node pass over
// document 1: nodes.tmp holds what was stored before the stop.
#include <gtest/gtest.h>

#include "node_element_e2e.h"

namespace tarvex_e2e {
namespace {

const std::string kNodes =
    "( 4/\n"
    "0 0 0 /\n3 0 0 /\n6 0 0 /\n0 3 0 /\n3 3 0 /\n6 3 0 /\n9 1.5 0 /\n"
    "0 6 0 /\n3 6 0 /\n0 6 3 /\n3 6 3 /\n6 6 3 /\n"
    ")\n";
const std::string kNodesEcho =
    "0 0 0 /\n3 0 0 /\n6 0 0 /\n0 3 0 /\n3 3 0 /\n6 3 0 /\n9 1.5 0 /\n"
    "0 6 0 /\n3 6 0 /\n0 6 3 /\n3 6 3 /\n6 6 3 /\n) \n";

struct Stop {
  std::string console;  // after the echo of document 3
  std::string script;   // after the materials and the "!*" pair
  std::vector<Node> nodes;
};

Stop run_until_stop(const std::string& after_document_3, const std::string& message) {
  const std::string model = kEveryKind + after_document_3;
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.errors, "");
  // The run stops in the node phases: no elements.tmp yet.
  EXPECT_EQ(r.files.size(), 3u);
  EXPECT_EQ(r.files["modellir.txt"], model);
  Stop s;
  const std::string head = native(kQuestions + kEveryKindEcho + "\n");
  const std::string tail = native(message + kPressAnyKey);
  EXPECT_EQ(r.console.substr(0, head.size()), head);
  EXPECT_GE(r.console.size(), head.size() + tail.size());
  EXPECT_EQ(r.console.substr(r.console.size() - tail.size()), tail);
  s.console = r.console.substr(head.size(), r.console.size() - head.size() - tail.size());
  const std::string script_head = native(kPreamble + kEveryKindScript + "!*\n!*\n");
  EXPECT_EQ(r.files["modelans.lgw"].substr(0, script_head.size()), script_head);
  s.script = r.files["modelans.lgw"].substr(script_head.size());
  s.nodes = nodes_of(r.files["nodes.tmp"]);
  return s;
}

TEST(TarvexNodes, BadRecordEndKeepsTheNodesBefore) {
  Stop s = run_until_stop("( 4/\n0 0 0 /\n3 0.5 -1 /\n6 0 0/ 9 0 0 /\n)\n( 1/\n)\n",
                          "\nIncorrect modellir.txt: Bad nodes.");
  EXPECT_EQ(s.console, native("0 0 0 /\n3 0.5 -1 /\n6 0 0/ 9\n"));
  EXPECT_EQ(s.script, "");
  ASSERT_EQ(s.nodes.size(), 2u);
  expect_node(s.nodes[0], 0, 0, 0);
  expect_node(s.nodes[1], 3, 0.5f, -1);
}

TEST(TarvexNodes, DocumentFourBeforeDocumentThreeIsNotFound) {
  const std::string model = kNodes + kEveryKind + "( 1/\n)\n";
  auto r = run_program("tarvex", {{"modellir.txt", model}}, kAnswers);
  EXPECT_EQ(r.console, native(kQuestions + kEveryKindEcho + "\n" +
                              "\nIncorrect modellir.txt: no nodes." + kPressAnyKey));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", model},
                            {"modelans.lgw", native(kPreamble + kEveryKindScript + "!*\n!*\n")},
                            {"nodes.tmp", ""}}));
}

TEST(TarvexNodes, EndOfFileInsideDocumentFour) {
  Stop s = run_until_stop("( 4/\n0 0 0 /\n3 0",
                          "\nIncorrect modellir.txt: end of file inside document 4.");
  EXPECT_EQ(s.console, native("0 0 0 /\n3 0 "));
  ASSERT_EQ(s.nodes.size(), 1u);
}

TEST(TarvexNodes, AStopInTheLayerPassLeavesTheLayerNodesMadeSoFar) {
  // The 241 gives nodes 1 2 5 4 their layer nodes 13 to 24, rewritten in
  // place and appended; the 244 after it has a bad record end.
  Stop s = run_until_stop(kNodes + "( 1/\n241 5 1 2 5 4 /\n44 1 8 9 11 10 /\n244 5 2 3 6 5 x/\n)\n",
                          "\nError in document 1 (file modellir.txt).");
  EXPECT_EQ(s.console, native(kNodesEcho + "241 5 1 2 5 4  /\n44 244 5 2 3 6 5  x\n"));
  EXPECT_EQ(s.script, "");
  ASSERT_EQ(s.nodes.size(), 24u);
  expect_node(s.nodes[0], 0, 0, 0, 13, 14, 15);
  expect_node(s.nodes[1], 3, 0, 0, 16, 17, 18);
  expect_node(s.nodes[2], 6, 0, 0);
  expect_node(s.nodes[3], 0, 3, 0, 22, 23, 24);
  expect_node(s.nodes[4], 3, 3, 0, 19, 20, 21);
  expect_node(s.nodes[12], 0, 0, -0.2f);
  expect_node(s.nodes[13], 0, 0, -0.16f);
  expect_node(s.nodes[14], 0, 0, -0.04f);
  expect_node(s.nodes[18], 3, 3, -0.2f);
  expect_node(s.nodes[23], 0, 3, -0.04f);
}

TEST(TarvexNodes, LayeredShellsThatCannotBeBuilt) {
  struct Case {
    const char* records;
    const char* echo;
    const char* message;
    std::size_t nodes;
  };
  const Case cases[] = {
      {"241 5 1 2 5 13 /\n)\n", "241 5 1 2 5 13  /\n",
       "\nIncorrect modellir.txt: node 13 of element 1 is outside 1 to 12.", 21},
      {"242 5 -1 2 3 /\n)\n", "242 5 -1 2 3  /\n",
       "\nIncorrect modellir.txt: node -1 of element 1 is outside 1 to 12.", 12},
      {"10 2 1 2 /\n244 1 1 2 5 4 /\n)\n", "10 244 1 1 2 5 4  /\n",
       "\nIncorrect modellir.txt: element 2 of type 244 has stiffness 1, which is no reinforced "
       "concrete slab.",
       12},
      {"241 99 1 2 5 4 /\n)\n", "241 99 1 2 5 4  /\n",
       "\nIncorrect modellir.txt: stiffness number 99 is outside 0 to 49.", 12},
      {"241 5 1 2 5 4 /\n44 1 8 9", "241 5 1 2 5 4  /\n44 ",
       "\nIncorrect modellir.txt: end of file inside document 1.", 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    Stop s = run_until_stop(kNodes + "( 1/\n" + c.records, c.message);
    EXPECT_EQ(s.console, native(kNodesEcho + c.echo));
    EXPECT_EQ(s.script, "");
    EXPECT_EQ(s.nodes.size(), c.nodes);
  }
}

TEST(TarvexNodes, NoDocumentOne) {
  Stop s = run_until_stop(kNodes, "\nIncorrect modellir.txt: no elements.");
  EXPECT_EQ(s.console, native(kNodesEcho));
  EXPECT_EQ(s.nodes.size(), 12u);
}

}  // namespace
}  // namespace tarvex_e2e
