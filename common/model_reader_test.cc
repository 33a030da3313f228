#include "model_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stop.h"

namespace lira {
namespace {

// A model read from memory, its echo kept in `echo`.
struct Model {
  explicit Model(const std::string& text)
      : in(TextReader::from_text("modellir.txt", text)), writer(&echo), reader(in, Echo(&writer)) {}
  TextReader in;
  std::string echo;
  Writer writer;
  ModelReader reader;
};

TEST(ModelReader, StiffnessesInTheScriptsUnits) {
  Model m("( 3/\n1 3.0E6 0.2 0.25 /\n2 S0 3E6 20 40/\n7 3E6 1 1 /\n3 3 1000 /\n)\n");
  StiffnessReader reader(m.reader);
  StiffnessRecord s;
  ASSERT_TRUE(reader.next(s));
  EXPECT_EQ(s.kind, StiffnessKind::kPlate);
  EXPECT_EQ(s.modulus, 3e10);
  EXPECT_EQ(s.poisson, 0.2);
  EXPECT_EQ(s.section, 0.25);
  ASSERT_TRUE(reader.next(s));
  EXPECT_EQ(s.kind, StiffnessKind::kRectangularBar);
  EXPECT_DOUBLE_EQ(s.section, 0.08);  // 20 x 40 centimetres
  // 3E6 without a point is no plate's modulus: the record is passed over.
  ASSERT_TRUE(reader.next(s));
  EXPECT_EQ(s.number, 3);
  EXPECT_EQ(s.kind, StiffnessKind::kElasticLink);
  EXPECT_EQ(s.modulus, 1e7);
  EXPECT_FALSE(reader.next(s));
  EXPECT_EQ(m.echo,
            "1 3.0E6 0.2 0.25 / \n2 S0 3E6 20 40/ \n7 3E6 Unknown element skipped\n3 3 1000 \n) ");
}

TEST(ModelReader, GluedSlashesEndTheirRecords) {
  // Supports: "3/" ends the record of node 1; the value line "1 0.15/" ends
  // at its value, and the next token is the next line's number.
  Model m("( 5/\n1 1 2 3/\n2 6 /\n)\n( 7/\n1 0.15/\n2 1 2 3 4 /\n)\n");
  SupportReader supports(m.reader);
  std::vector<std::pair<int, int>> fixed;
  std::int32_t node, code;
  while (supports.next(node, code)) fixed.emplace_back(node, code);
  EXPECT_EQ(fixed, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {2, 6}}));

  ValueLineReader values(m.reader);
  ValueLine line;
  ASSERT_TRUE(values.next(line));
  EXPECT_EQ(line.line, 1);
  EXPECT_EQ(line.value[0], 1500.0f);
  EXPECT_EQ(line.value[1], 0.0f);
  ASSERT_TRUE(values.next(line));
  EXPECT_EQ(line.value[3], 40000.0f);
  EXPECT_FALSE(values.next(line));
}

TEST(ModelReader, ElementsByTheirSteps) {
  Model m("( 1/\n42 1 5 6 7 /\n4 0 1 /\n10 2 1 2 /\n)\n");
  ElementReader reader(m.reader, ElementReader::Skip::kWithSlash);
  std::int32_t type, node[4];
  ASSERT_TRUE(reader.next(type));
  EXPECT_EQ(type, 42);
  EXPECT_EQ(reader.stiffness(), 1);
  reader.nodes(type, node);
  EXPECT_EQ(node[3], 7);  // a triangle's fourth corner is its third
  ASSERT_TRUE(reader.next(type));
  reader.skip();
  ASSERT_TRUE(reader.next(type));
  EXPECT_EQ(reader.element(), 3);
  reader.stiffness();
  reader.nodes(type, node);
  EXPECT_EQ(node[1], 2);
  EXPECT_EQ(node[2], 0);
  EXPECT_FALSE(reader.next(type));
  EXPECT_EQ(m.echo, "42 1 5 6 7  /\n4 /\n10 2 1 2  /\n) ");
}

TEST(ModelReader, LoadTableAndLoadCasesWithoutEcho) {
  TextReader in = TextReader::from_text(
      "modellir.txt", "( 7/\n1 1.5 /\n)\n( 16/\n3 0 /\n4/\n)\n( 6/\n12 0 3 1 3 extra /\n)\n");
  ModelReader r(in, Echo());
  ValueLineReader values(r);
  ValueLine line;
  while (values.next(line)) {
  }
  LoadCaseList cases;
  read_load_cases(r, cases);
  EXPECT_EQ(cases.count, 2);
  EXPECT_EQ(cases.number[0], 3);
  EXPECT_EQ(cases.number[1], 4);
  LoadTableReader table(r);
  LoadTableRecord record;
  ASSERT_TRUE(table.next(record));
  EXPECT_EQ(record.number, 12);
  EXPECT_EQ(record.load_case, 3);
  EXPECT_FALSE(table.next(record));
}

TEST(ModelReader, RefusalsOfTheReading) {
  auto stop_of = [](const std::string& text, auto read) {
    TextReader in = TextReader::from_text("modellir.txt", text);
    ModelReader r(in, Echo());
    try {
      read(r);
    } catch (const Stop& stop) {
      return stop.message;
    }
    return std::string();
  };
  auto nodes = [](ModelReader& r) {
    NodeReader reader(r);
    NodeCoordinates c;
    while (reader.next(c)) {
    }
  };
  EXPECT_EQ(stop_of("( 4/\n0 0 0/ 1 0 0 /\n)\n", nodes), "\nIncorrect modellir.txt: Bad nodes.");
  EXPECT_EQ(stop_of("( 4/\n0 1,5 0 /\n)\n", nodes),
            "\nIncorrect modellir.txt: the number \"1,5\" of node 1 in document 4 has a decimal "
            "comma: write it with a decimal point, \"1.5\".");
  auto supports = [](ModelReader& r) {
    SupportReader reader(r);
    std::int32_t n, c;
    while (reader.next(n, c)) {
    }
  };
  EXPECT_EQ(stop_of("( 5/\n7/ 1 2 /\n)\n", supports),
            "\nIncorrect modellir.txt in doc. 5:\ndisplacements shouldn't be united.");
  EXPECT_EQ(stop_of("( 5/\n7 9 /\n)\n", supports),
            "\nIncorrect modellir.txt in doc. 5:\ndirection 9 of node 7 is not one of 1 to 6.");
  auto stiffness = [](ModelReader& r) {
    StiffnessReader reader(r);
    StiffnessRecord s;
    while (reader.next(s)) {
    }
  };
  EXPECT_EQ(stop_of("( 3/\n50 3 1000 /\n)\n", stiffness),
            "\nIncorrect modellir.txt: stiffness number 50 is outside 0 to 49.");
  EXPECT_EQ(stop_of("( 3/\n1 3.0E6 0.2 0.2 1 /\n)\n", stiffness),
            "\nIncorrect modellir.txt: bad stiffness.");
}

}  // namespace
}  // namespace lira
