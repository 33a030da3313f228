// Whole runs of tarvex through the node and element phases: the texts of
// the questions, the preamble and the document 3 that the runs share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/record_file.h"
#include "common/testing/run_program.h"
#include "run_texts_e2e.h"

namespace tarvex_e2e {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::run_program;

const std::string kAnswers = "0.5\n2500\nn\n5\nc\n";

// A slab 0.2 thick of stiffness v with its lower rows at level `lower` and
// its upper row at `upper` (centimetres): document 3, its echo, its script.
// Concrete: Ec = (-60 / -0.0002 + 10 / 0.0001) / 2, ft = 10, fc = 145, all
// times 10000; steel v + 100.
inline std::string slab_model(int v, const std::string& lower, const std::string& upper) {
  std::string n = std::to_string(v);
  return n + " GENE14/\n" + n + " -0.0035 -145 -0.0002 -60/\n" + n + " 0.0001 10/\n" + n +
         " NA11 1 2.1E6 4E4 /\n" + n + " SA2 1 2 3 /\n" + n + " 5 3 " + lower + " /\n" + n +
         " 4 2 " + upper + " /\n" + n + " DEL 0.2 /\n" + n + " NU= 0.2/\n";
}
inline std::string slab_echo(int v, const std::string& lower, const std::string& upper) {
  return std::to_string(v) +
         " GENE14/ \n-0.0035 -145 -0.0002 -60/ \n0.0001 10/ \n\nNA11 2.1E6 4E4 \nSA2 \n"
         "5 3 " + lower + " \n4 2 " + upper + " \nDEL 0.2  NU= 0.2/ \n\n";
}
// The ratios are b / t / 100 and a / t / 100 of the bottom and the top layer.
inline std::string slab_script(int v, int first_set, const std::string& bottom_b,
                               const std::string& bottom_a, const std::string& top_b,
                               const std::string& top_a) {
  std::string c = std::to_string(v);
  std::string m = std::to_string(v + 100);
  std::string rb = std::to_string(first_set);
  std::string rm = std::to_string(first_set + 1);
  std::string rt = std::to_string(first_set + 2);
  return "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX," + c + ",,2e+009\nMPDATA,DENS," + c +
         ",,2500\nMPDATA,PRXY," + c + ",,0.2\n" + "!*\nTB,CONCR," + c + ", , , ,\n!*\n" +
         "TBMODIF,2,1,0.1\nTBMODIF,3,1,0.9\nTBMODIF,4,1,100000\nTBMODIF,5,1,1.45e+006\n"
         "TBMODIF,10,1,0.6\n!*\n!*\n" +
         "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX," + m + ",,2.1e+010\nMPDATA,DENS," + m +
         ",,2500\nMPDATA,PRXY," + m + ",,.25\n" + "!*\nTB,BISO," + m +
         ", , , ,\n!*\nTBMODIF,2,1,4e+008\nTBMODIF,3,1,1.05e+009\n!*\n!*\n" + "!*\nR," + rb +
         "," + m + "," + bottom_b + ",0,0," + m + "," + bottom_a + "\nRMORE,90,0," + m +
         ",0.5,0,90\n!*\n" + "!*\nR," + rm + ",0,0,0,0,0,0\nRMORE,0,0," + m +
         ",0.5,0,90\n!*\n" + "!*\nR," + rt + "," + m + "," + top_b + ",0,0," + m + "," + top_a +
         "\nRMORE,90,0," + m + ",0.5,0,90\n!*\n";
}

// Every stiffness kind: 1 plate, 2 rectangular bar, 3 elastic link,
// 4 plastic bar with the holder value 1.5, 5 slab 0.04 + 0.12 + 0.04
// (REAL 5, 6, 7), 6 of an unknown kind.
const std::string kEveryKind = "( 3/\n"
                               "1 3.0E6 0.2 0.2/\n"
                               "2 S0 3E6 20 40/\n"
                               "3 3 1E5/\n"
                               "4 S100 20 40/\n"
                               "4 NB11/0 2.1E6 -2.4E4 0 0 /\n"
                               "4 AZ 1.5 /\n"
                               "4 TW 0 /\n" +
                               slab_model(5, "-8", "8") + "6 GENE12/ 1 2 /\n)\n";
const std::string kEveryKindEcho = "1 3.0E6 0.2 0.2/ \n2 S0 3E6 20 40/ \n3 3 1E5/ \n"
                                   "4 S100 20 40/ \nNB11/0 2.1E6 -2.4E4 /\n\nAZ 1.5 /\nTW /\n" +
                                   slab_echo(5, "-8", "8") + "6 GENE12/ Unknown element skipped\n) ";
const std::string kEveryKindScript =
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\nMPDATA,DENS,1,,2500\n"
    "MPDATA,PRXY,1,,0.2\n!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n"
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,2,,3e+010\nMPDATA,DENS,2,,2500\n"
    "MPDATA,PRXY,2,,0.16\n!*\nR,3,0.08,0.000266667,0.00106667,0.4,0.2,\n"
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,3,,1e+009\nMPDATA,PRXY,3,,\n"
    "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,4,,2.1e+010\nMPDATA,DENS,4,,2500\n"
    "MPDATA,PRXY,4,,.25\n!*\nTB,BISO,4, , , ,\n!*\nTBMODIF,2,1,2.4e+008\n"
    "TBMODIF,3,1,1.05e+009\n!*\n!*\n!*\nR,4,0.08, ,\n!*\n!*\n" +
    slab_script(5, 5, "0.75", "1.25", "0.5", "1");

const std::string kPlate1 = "TYPE,   1\nMAT, 1\nREAL,  2\nESYS,   0\n";
const std::string kBar2 = "TYPE,   2\nMAT, 2\nREAL,  3\nESYS,   0\n";
const std::string kLink3 = "TYPE,   4\nMAT, 3\nREAL,  1\nESYS,   0\n";
const std::string kPlastic4 = "TYPE,   4\nMAT, 4\nREAL,  4\nESYS,   0\n";
const std::string kSlab5Bottom = "TYPE,   3\nMAT, 5\nREAL,  5\nESYS,   11\n";
const std::string kSlab5Middle = "TYPE,   3\nMAT, 5\nREAL,  6\nESYS,   11\n";
const std::string kSlab5Top = "TYPE,   3\nMAT, 5\nREAL,  7\nESYS,   11\n";

const std::string kPass1 = "\n\nELEMENTS CREATION, 1 PASS\n";
const std::string kPass2 = "\n\nELEMENTS CREATION, 2 PASS\n";

inline std::string header(const std::string& text) { return "!*\n" + text + "!*\n"; }
inline std::string fitems(std::initializer_list<int> nodes) {
  std::string s = "FLST,2," + std::to_string(nodes.size()) + ",1";
  for (int n : nodes) s += "\nFITEM,2," + std::to_string(n);
  return s + "\nE,P51X\n!*\n";
}
// The new node of an elastic link, its supports and its element up to `bottom`.
inline std::string elastic_link(int node, const std::string& xyz, int bottom) {
  return "N," + std::to_string(node) + "," + xyz + ",,,,\n" + "FLST,2,1,1,ORDE,1\nFITEM,2," +
         std::to_string(node) + "\nD,P51X, , , , , ,UX,UY,UZ, , ,\n!*\n" +
         fitems({node, bottom});
}

// nodes.tmp and elements.tmp as they lie on disk, field by field.
struct Node {
  float x, y, z;
  std::int32_t lower[3];
};
inline std::vector<Node> nodes_of(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % 24, 0u);
  std::vector<Node> nodes;
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t at = 0; at + 24 <= bytes.size(); at += 24) {
    nodes.push_back(Node{lira::get_f32(p + at), lira::get_f32(p + at + 4),
                         lira::get_f32(p + at + 8),
                         {lira::get_i32(p + at + 12), lira::get_i32(p + at + 16),
                          lira::get_i32(p + at + 20)}});
  }
  return nodes;
}
inline void expect_node(const Node& n, float x, float y, float z, std::int32_t l0 = 0,
                        std::int32_t l1 = 0, std::int32_t l2 = 0) {
  EXPECT_FLOAT_EQ(n.x, x);
  EXPECT_FLOAT_EQ(n.y, y);
  EXPECT_FLOAT_EQ(n.z, z);
  EXPECT_EQ(n.lower[0], l0);
  EXPECT_EQ(n.lower[1], l1);
  EXPECT_EQ(n.lower[2], l2);
}

struct Element {
  std::int16_t type, stiffness;
  std::int32_t node[4];
  bool operator==(const Element& o) const {
    return type == o.type && stiffness == o.stiffness && node[0] == o.node[0] &&
           node[1] == o.node[1] && node[2] == o.node[2] && node[3] == o.node[3];
  }
};
inline std::ostream& operator<<(std::ostream& out, const Element& e) {
  return out << "{" << e.type << ", " << e.stiffness << ", " << e.node[0] << ", " << e.node[1]
             << ", " << e.node[2] << ", " << e.node[3] << "}";
}
inline std::vector<Element> elements_of(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % 20, 0u);
  std::vector<Element> elements;
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t at = 0; at + 20 <= bytes.size(); at += 20) {
    elements.push_back(Element{lira::get_i16(p + at),
                               lira::get_i16(p + at + 2),
                               {lira::get_i32(p + at + 4), lira::get_i32(p + at + 8),
                                lira::get_i32(p + at + 12), lira::get_i32(p + at + 16)}});
  }
  return elements;
}

}  // namespace tarvex_e2e
