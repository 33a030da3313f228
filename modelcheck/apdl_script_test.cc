#include "apdl_script.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

ScriptModel read(const std::string& text) {
  lira::TextReader in = lira::TextReader::from_text("modelans.lgw", text);
  ScriptModel s;
  read_script(in, s);
  return s;
}

TEST(ApdlScript, ElementsTakeTheAttributesInForceAndThePickedNodes) {
  ScriptModel s = read(
      "ET,1,SHELL63\r\nN,1,0,0,0,,,,\r\nN,2,1,0,0,,,,\nN,4,1e-005,3e+010,-0.25,,,,\n"
      "TYPE,   1\nMAT, 2\nREAL,  3\nESYS,   0\n"
      "FLST,2,4,1\nFITEM,2,1\nFITEM,2,2\nFITEM,2,4\nFITEM,2,4\nE,P51X\n!*\n"
      "TYPE,   4\nE,1,2\n"
      "FLST,2,1,1,ORDE,1\nFITEM,2,4\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n D,2,ROTZ\n"
      "R,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\nMPDATA,DENS,2,,2500\n");
  ASSERT_EQ(s.nodes.size(), 5u);
  EXPECT_FALSE(s.nodes[3].defined);
  EXPECT_EQ(s.nodes[4].y, 3e10f);
  EXPECT_EQ(s.nodes[4].x, 1e-5f);
  ASSERT_EQ(s.elements.size(), 2u);
  const ScriptElement& plate = s.elements[0];
  EXPECT_EQ(plate.node_count, 4);
  EXPECT_EQ(std::vector<int>(plate.node, plate.node + 4), (std::vector<int>{1, 2, 4, 4}));
  EXPECT_EQ(plate.type * 1000 + plate.mat * 100 + plate.real * 10 + plate.esys, 1230);
  EXPECT_EQ(s.elements[1].type, 4);
  EXPECT_EQ(s.elements[1].mat, 2);
  EXPECT_EQ(s.elements[1].line, 17);
  ASSERT_EQ(s.supports.size(), 4u);
  EXPECT_EQ(s.supports[2].node, 4);
  EXPECT_EQ(s.supports[2].dof, 2);
  EXPECT_EQ(s.supports[3].dof, 5);
  EXPECT_EQ(s.real_sets[2], (std::vector<double>{0.2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.materials[2].dens, 2500);
  EXPECT_EQ(s.element_types[1], "SHELL63");
  EXPECT_EQ(s.unread_count, 0);
}

TEST(ApdlScript, LoadStepsKeepWhatIsInForce) {
  // Cumulative forces add up; without FCUM,ADD a second force replaces the
  // first. A step keeps what was not deleted before it.
  ScriptModel s = read(
      "FCUM,ADD\nF,3,FZ,-15000\nF,3,FZ,-5000\nSFE,1,2,PRES,,100\nACEL,0,0,10\nLSWRITE,1,\n"
      "FDELE,ALL,ALL\nACEL,0,0,0\nLSWRITE,2,\n"
      "SFEDELE,ALL,ALL,ALL\nFCUM,REPL\nF,5,MX,1\nF,5,MX,2\nSFBEAM,3,1,PRES,7\nLSWRITE,3,\nFINISH\n");
  ASSERT_EQ(s.steps.size(), 3u);
  EXPECT_EQ(s.steps[0].forces.size(), 2u);
  EXPECT_EQ(s.steps[0].acel[2], 10);
  EXPECT_EQ(s.steps[1].forces.size(), 0u);
  ASSERT_EQ(s.steps[1].pressures.size(), 1u);
  EXPECT_EQ(s.steps[1].pressures[0].label, 2);
  EXPECT_EQ(s.steps[1].pressures[0].value, 100);
  EXPECT_EQ(s.steps[1].acel[2], 0);
  ASSERT_EQ(s.steps[2].forces.size(), 1u);
  EXPECT_EQ(s.steps[2].forces[0].label, 3);
  EXPECT_EQ(s.steps[2].forces[0].value, 2);
  EXPECT_EQ(s.steps[2].pressures.size(), 0u);
  ASSERT_EQ(s.steps[2].beam_pressures.size(), 1u);
  EXPECT_EQ(s.steps[2].beam_pressures[0].label, 1);
  EXPECT_TRUE(s.finished);
}

TEST(ApdlScript, LinesNotUnderstoodAreListed) {
  ScriptModel s =
      read("N,1,0,0,0\nEDELE,4\nF,1,FQ,3\nD,2,UW\nN,x,0,0\n/BATCH\n!* a remark\nN,2000000,0,0,0\n");
  EXPECT_EQ(s.unread_count, 5);
  EXPECT_EQ(s.nodes.size(), 2u);
  EXPECT_EQ(s.unread[0], "line 2: EDELE,4");
  EXPECT_EQ(s.unread[3], "line 5: N,x,0,0");
}

}  // namespace
}  // namespace modelcheck
