// The cross references: on a model text, and on what its reading found,
// written by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "check_cross_references.h"
#include "check_model.h"
#include "check_model_testing.h"

namespace modelcheck {
namespace {

using check_testing::kPlate;
using check_testing::replaced;
using check_testing::report;

TEST(CheckModel, TwistedPlatesOnly) {
  const char kClean[] = "modellir.txt: no findings: tarvex will read it as it is written.\n";
  EXPECT_EQ(report(replaced(kPlate, "1 1 0 /", "1 1 0.3 /")), kClean);
  EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "42 1 1 2 4 /")), kClean);
  EXPECT_NE(report(replaced(kPlate, "44 1 1 2 3 4 /", "244 1 1 2 4 3 /"))
                .find("[twisted-plate] element 1 (type 244) on nodes 1 2 4 3 is twisted"),
            std::string::npos);
  // Every order of the four corners of the square: twisted or not as
  // tarvex writes them, and mended into an order that is not.
  const char* orders[] = {"1 2 3 4", "1 2 4 3", "1 3 2 4", "1 3 4 2", "1 4 2 3", "1 4 3 2",
                          "2 1 4 3", "3 4 1 2", "4 3 2 1", "2 4 1 3"};
  int twisted = 0;
  for (const char* order : orders) {
    std::string r = report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + std::string(order) + " /"));
    std::size_t mend = r.find("mend: write its nodes ");
    if (mend == std::string::npos) {
      EXPECT_EQ(r, kClean) << order;
      continue;
    }
    ++twisted;
    std::string fixed = r.substr(mend + 22, 7);
    EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + fixed + " /")), kClean)
        << order << " mended to " << fixed;
  }
  // Worked out by hand: 1 2 4 3, 1 3 4 2, 1 4 2 3 and 1 4 3 2 cross over.
  EXPECT_EQ(twisted, 4);
}

TEST(CheckModel, OwnWeightNeedsTheDensity) {
  // 0.2 m of plate at 2500 kg/m3 weigh 0.5; at 2400, 0.48, within 5 %.
  Options o;
  o.has_density = true;
  o.density = 2400;
  EXPECT_EQ(report(kPlate, o),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
  o.density = 2000;
  EXPECT_NE(
      report(kPlate, o).find("modellir.txt:17: [own-weight] the own weight of element 1 is 0.5 "
                             "(line 1 of document 7), where stiffness 1 at density 2000 gives 0.4"),
      std::string::npos);
  // A density exception of the stiffness counts, as tarvex's answers give it.
  o.density = 2500;
  o.density_exceptions.push_back(Options::DensityException{1, 2000});
  EXPECT_NE(report(kPlate, o).find("where stiffness 1 at density 2000 gives 0.4"),
            std::string::npos);
  // Without a density only what needs none is checked.
  EXPECT_EQ(report(replaced(kPlate, "1 0.5 /", "1 5 /")),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
}

}  // namespace
}  // namespace modelcheck

namespace modelcheck::tarvex_check {
namespace {

// A square of four nodes, one plate stiffness of 0.2 m.
FirstReading square() {
  FirstReading found;
  found.stiffness[1].line = 2;
  found.stiffness[1].kind = lira::StiffnessKind::kPlate;
  found.stiffness[1].section = 0.2;
  found.nodes = 4;
  found.coordinates = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
  found.case_count = 1;
  found.cases[0] = 1;
  found.value_lines = 1;
  found.first_value = {0.5f};
  return found;
}

ElementFound element(long line, std::int32_t type, std::int32_t s,
                     std::initializer_list<std::int32_t> nodes) {
  ElementFound e{line, type, s, true, 0, {}};
  for (std::int32_t n : nodes) e.node[e.corners++] = n;
  return e;
}

std::string checked(const FirstReading& found, MendedCopy* copy = nullptr) {
  Report report("modellir.txt");
  AnswerFacts facts;
  check_cross_references(found, Options{}, report, copy, facts);
  std::ostringstream out;
  report.print(out);
  return out.str();
}

// A quadrilateral written round its perimeter is twisted as tarvex writes
// it; where the reading found its last two corners as plain numbers, the
// copy swaps them, and the finding says so.
TEST(CrossReferences, TwistedQuadrilateralSwappedInTheCopy) {
  FirstReading found = square();
  found.elements.push_back(element(7, 44, 1, {1, 2, 3, 4}));
  std::string report = checked(found);
  EXPECT_NE(report.find("modellir.txt:7: [twisted-plate] element 1 (type 44) on nodes 1 2 3 4 is "
                        "twisted: tarvex writes its corners in the order 1 2 4 3"),
            std::string::npos)
      << report;
  found.swaps.push_back(CornerSwap{1, 9, 9, 1, 11, 1});
  MendedCopy copy;
  report = checked(found, &copy);
  EXPECT_NE(report.find("write its nodes 1 2 4 3 in document 1 (a, b, then the corners opposite "
                        "them) (mended)"),
            std::string::npos)
      << report;
  std::string line = "44 1 1 2 3 4 /";
  copy.apply(9, line);
  EXPECT_EQ(line, "44 1 1 2 4 3 /");
  found.elements[0] = element(7, 44, 1, {1, 2, 4, 3});
  EXPECT_EQ(checked(found), "");
}

// Elements against the nodes and the stiffnesses found anywhere in the file.
TEST(CrossReferences, ElementsAgainstNodesAndStiffnesses) {
  FirstReading found = square();
  found.elements.push_back(element(3, 44, 1, {1, 2, 5, 3}));
  found.elements.push_back(element(4, 10, 1, {1, 2}));
  found.elements.push_back(element(5, 51, 1, {4}));
  std::string report = checked(found);
  EXPECT_NE(report.find(":3: [node-range] element 1 (type 44) names node 5, outside 1 to 4"),
            std::string::npos);
  EXPECT_NE(report.find(":4: [stiffness-pairing] element 2 (type 10) has stiffness 1, which is"),
            std::string::npos);
  EXPECT_NE(report.find(":5: [link-away-from-shell] element 3 (type 51) is an elastic link at "
                        "node 4, which is no node of a layered shell"),
            std::string::npos)
      << report;
  found.layered_node.assign(5, true);
  EXPECT_EQ(checked(found).find("link-away-from-shell"), std::string::npos);
}

// Loads against the element they name, the list of load cases and the
// elements before them that tarvex does not convert.
TEST(CrossReferences, LoadsAgainstElementsAndCases) {
  FirstReading found = square();
  found.elements.push_back(ElementFound{3, 5, 1, true, 0, {}});
  found.elements.push_back(element(4, 44, 1, {1, 2, 4, 3}));
  found.first_unconverted = 1;
  found.first_unconverted_type = 5;
  found.loads.push_back(LoadFound{10, false, 2, 6, 3, 1, 1});
  found.loads.push_back(LoadFound{11, false, 2, 6, 3, 1, 2});
  found.loads.push_back(LoadFound{12, true, 2, 6, 0, 0, 0});
  found.loads.push_back(LoadFound{13, false, 3, 6, 3, 1, 1});
  std::string report = checked(found);
  EXPECT_NE(report.find(":10: [load-shifted] the load on element 2 (load type 6, direction 3, "
                        "case 1) comes after element 1 of type 5"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(":11: [load-case-unlisted] the load on element 2 (load type 6, direction "
                        "3, case 2) belongs to a load case that document 16 does not list"),
            std::string::npos);
  EXPECT_NE(report.find(":12: [load-refused] the load record has its \"/\" before its fifth number"),
            std::string::npos);
  EXPECT_NE(report.find(":13: [load-refused] the load on element 3 (load type 6, direction 3, case "
                        "1) names an element that document 1 does not have"),
            std::string::npos);
}

}  // namespace
}  // namespace modelcheck::tarvex_check
