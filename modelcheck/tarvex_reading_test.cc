#include "tarvex_reading.h"

#include <gtest/gtest.h>

#include "check_e2e.h"
#include "common/stop.h"

namespace modelcheck {
namespace {

TEST(TarvexReading, ThePlateModelInTheScriptsUnits) {
  lira::TextReader in = lira::TextReader::from_text("modellir.txt", check_e2e::kPlate);
  TarvexModel m;
  read_tarvex_model(in, m);
  const ModelStiffness& s = m.stiffness[1];
  EXPECT_TRUE(s.defined);
  EXPECT_EQ(s.kind, lira::StiffnessKind::kPlate);
  EXPECT_DOUBLE_EQ(s.modulus, 3.0e10);  // 3.0E6 times 10000
  EXPECT_DOUBLE_EQ(s.poisson, 0.2);
  EXPECT_DOUBLE_EQ(s.section, 0.2);
  EXPECT_FALSE(m.stiffness[2].defined);
  ASSERT_EQ(m.nodes.size(), 4u);
  EXPECT_EQ(m.nodes[3].x, 1.0f);
  EXPECT_EQ(m.nodes[3].y, 1.0f);
  ASSERT_EQ(m.elements.size(), 1u);
  EXPECT_EQ(m.elements[0].type, 44);
  EXPECT_EQ(m.elements[0].node_count, 4);
  EXPECT_EQ(m.elements[0].node[3], 4);
  ASSERT_EQ(m.supports.size(), 3u);  // node 1 held in UX, UY, UZ
  EXPECT_EQ(m.supports[2].code, 3);
  ASSERT_EQ(m.values.size(), 2u);
  EXPECT_EQ(m.values[1][0], 15000.0f);  // 1.5 times 10000
  EXPECT_EQ(m.load_cases, (std::vector<std::int32_t>{1, 2}));
  ASSERT_EQ(m.loads.size(), 2u);
  EXPECT_EQ(m.loads[1].type, 6);
  EXPECT_EQ(m.loads[1].line, 2);
  EXPECT_EQ(m.loads[1].load_case, 2);
}

TEST(TarvexReading, StopsWhereTheConverterStopsWithItsMessage) {
  // Document 4 before document 3 is not seen after it.
  std::string text = check_e2e::kPlate;
  std::string nodes = text.substr(text.find("( 4/"), text.find("( 1/") - text.find("( 4/"));
  text.erase(text.find("( 4/"), nodes.size());
  text.insert(0, nodes);
  for (bool keep : {true, false}) {
    lira::TextReader in = lira::TextReader::from_text("modellir.txt", text);
    TarvexModel m;
    try {
      keep ? read_tarvex_model(in, m) : read_tarvex_records(in);
      ADD_FAILURE() << "no stop";
    } catch (const lira::Stop& stop) {
      EXPECT_EQ(stop.message, "\nIncorrect modellir.txt: no nodes.");
    }
  }
}

}  // namespace
}  // namespace modelcheck
