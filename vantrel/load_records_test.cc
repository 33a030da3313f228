#include "load_records.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/stop.h"

namespace vantrel {
namespace {

struct Emitted {
  std::string doc6, doc7, stop;
  std::int64_t next = 0;
};

Emitted emit(const BlockNodes& nodes, const ValueGrid& grid, std::int64_t first) {
  Emitted e;
  lira::Writer doc6(&e.doc6), doc7(&e.doc7);
  e.next = first;
  try {
    emit_block(nodes, grid, doc6, doc7, e.next);
  } catch (const lira::Stop& s) {
    e.stop = s.message;
  }
  return e;
}

TEST(EmitBlock, NodeByNodeThenLoadingThenDirection) {
  BlockNodes nodes{7, 3};
  ValueGrid grid;
  grid.at(2, 1, 0) = 5;      // node 7, loading 2, RX
  grid.at(1, 6, 0) = -1.5;   // node 7, loading 1, RUZ
  grid.at(1, 2, 0) = 0.25;   // node 7, loading 1, RY
  grid.at(12, 4, 1) = 8;     // node 3, loading 12, RUX
  Emitted e = emit(nodes, grid, 40);
  EXPECT_EQ(e.stop, "");
  EXPECT_EQ(e.doc6,
            "7 0 2 40 1 /\r\n"
            "7 0 6 41 1 /\r\n"
            "7 0 1 42 2 /\r\n"
            "3 0 4 43 12 /\r\n");
  EXPECT_EQ(e.doc7,
            "40 0.25 0 /\r\n"
            "41 -1.5 0 /\r\n"
            "42 5 0 /\r\n"
            "43 8 0 /\r\n");
  EXPECT_EQ(e.next, 44);
}

TEST(EmitBlock, ZerosAndNegativeZeroWriteNothing) {
  BlockNodes nodes{101, 102};
  ValueGrid grid;
  grid.at(1, 1, 0) = -0.0;
  grid.at(3, 3, 1) = 0.0;
  Emitted e = emit(nodes, grid, 6);
  EXPECT_EQ(e.doc6, "");
  EXPECT_EQ(e.doc7, "");
  EXPECT_EQ(e.next, 6);
}

TEST(EmitBlock, FirstNodeNumberNotPositiveEndsTheColumns) {
  ValueGrid grid;
  for (int c = 0; c < kColumns; ++c) grid.at(1, 3, c) = c + 1;
  Emitted e = emit(BlockNodes{101, 0, 103}, grid, 1);
  EXPECT_EQ(e.doc6, "101 0 3 1 1 /\r\n");
  EXPECT_EQ(e.doc7, "1 1 0 /\r\n");
  e = emit(BlockNodes{-5, 102}, grid, 1);
  EXPECT_EQ(e.doc6, "");
  e = emit(BlockNodes{1, 2, 3, 4, 5, 6, 7, 8, 9}, grid, 1);
  EXPECT_EQ(e.doc6,
            "1 0 3 1 1 /\r\n2 0 3 2 1 /\r\n3 0 3 3 1 /\r\n4 0 3 4 1 /\r\n5 0 3 5 1 /\r\n"
            "6 0 3 6 1 /\r\n7 0 3 7 1 /\r\n8 0 3 8 1 /\r\n9 0 3 9 1 /\r\n");
  EXPECT_EQ(e.doc7,
            "1 1 0 /\r\n2 2 0 /\r\n3 3 0 /\r\n4 4 0 /\r\n5 5 0 /\r\n"
            "6 6 0 /\r\n7 7 0 /\r\n8 8 0 /\r\n9 9 0 /\r\n");
}

TEST(EmitBlock, ValuesInTheModelsNumberFormat) {
  const double values[] = {0.5, 100000, 1000000, 1234567, 0.0001, 0.00001};
  BlockNodes nodes{1};
  ValueGrid grid;
  for (int d = 1; d <= 6; ++d) grid.at(1, d, 0) = values[d - 1];
  Emitted e = emit(nodes, grid, 1);
  EXPECT_EQ(e.doc7,
            "1 0.5 0 /\r\n2 100000 0 /\r\n3 1e+006 0 /\r\n4 1.23457e+006 0 /\r\n"
            "5 0.0001 0 /\r\n6 1e-005 0 /\r\n");
}

TEST(EmitBlock, NumbersRunOnAcrossBlocks) {
  std::string doc6, doc7;
  lira::Writer w6(&doc6), w7(&doc7);
  std::int64_t next = 1;
  ValueGrid first;
  first.at(1, 1, 0) = 1;
  first.at(1, 2, 0) = 2;
  first.at(2, 1, 1) = 3;
  emit_block(BlockNodes{10, 20}, first, w6, w7, next);
  ValueGrid second;
  second.at(4, 5, 0) = 4;
  second.at(4, 5, 1) = 5;
  emit_block(BlockNodes{30, 40}, second, w6, w7, next);
  EXPECT_EQ(doc6,
            "10 0 1 1 1 /\r\n10 0 2 2 1 /\r\n20 0 1 3 2 /\r\n30 0 5 4 4 /\r\n40 0 5 5 4 /\r\n");
  EXPECT_EQ(doc7, "1 1 0 /\r\n2 2 0 /\r\n3 3 0 /\r\n4 4 0 /\r\n5 5 0 /\r\n");
  EXPECT_EQ(next, 6);
}

TEST(EmitBlock, NonFiniteValueStopsBeforeAnythingOfTheBlock) {
  BlockNodes nodes{101, 102};
  ValueGrid grid;
  grid.at(1, 1, 0) = 2;
  grid.at(3, 4, 1) = HUGE_VAL;
  Emitted e = emit(nodes, grid, 1);
  EXPECT_EQ(e.stop, "\nTable loadfrag.txt:\nthe RUX value of loading 3 at node 102 is too large.");
  EXPECT_EQ(e.doc6, "");
  EXPECT_EQ(e.doc7, "");
  // Past the last counted column it is never written, so it does no harm.
  e = emit(BlockNodes{101, 0}, grid, 1);
  EXPECT_EQ(e.stop, "");
  EXPECT_EQ(e.doc7, "1 2 0 /\r\n");
}

TEST(EmitBlock, LastValueLineNumberIsTheLastOf32Bits) {
  BlockNodes nodes{5};
  ValueGrid grid;
  grid.at(1, 1, 0) = 1;
  grid.at(1, 2, 0) = 2;
  Emitted e = emit(nodes, grid, 2147483646);
  EXPECT_EQ(e.stop, "");
  EXPECT_EQ(e.doc7, "2147483646 1 0 /\r\n2147483647 2 0 /\r\n");
  EXPECT_EQ(e.next, 2147483648LL);
  e = emit(nodes, grid, 2147483647);
  EXPECT_EQ(e.stop, "\nToo many new loads: load value line numbers would pass 2147483647.");
  EXPECT_EQ(e.doc6, "");
  // A block without values needs no number.
  e = emit(nodes, ValueGrid(), 2147483648LL);
  EXPECT_EQ(e.stop, "");
}

TEST(ValueGrid, ClearSetsEveryValueToZero) {
  ValueGrid grid;
  grid.at(12, 6, 8) = 3;
  grid.at(1, 1, 0) = 4;
  grid.clear();
  EXPECT_EQ(grid.at(12, 6, 8), 0.0);
  EXPECT_EQ(grid.at(1, 1, 0), 0.0);
}

}  // namespace
}  // namespace vantrel
