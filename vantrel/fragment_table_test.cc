#include "fragment_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/stop.h"
#include "example_table_test.h"

namespace vantrel {
namespace {

struct Read {
  std::string doc6, doc7, trace, stop;
  std::int64_t next = 0;
};

Read read_table(const std::string& text, std::int64_t first = 1) {
  Read r;
  lira::TextReader table = lira::TextReader::from_text("loadfrag.txt", text);
  lira::Writer doc6(&r.doc6), doc7(&r.doc7), trace(&r.trace);
  try {
    r.next = read_fragment_table(table, doc6, doc7, trace, first);
  } catch (const lira::Stop& s) {
    r.stop = s.message;
  }
  return r;
}

const std::string kRule = std::string(80, '-') + "\n";

// A type row: the lead bar, the keyword field as given, cells of `width`
// characters (an empty string stands for a blank cell) and the end mark " |".
std::string row(const std::string& field, std::vector<std::string> cells, std::size_t width) {
  std::string s = "| " + field;
  for (std::string& c : cells) {
    if (c.empty()) c.assign(width, ' ');
    EXPECT_EQ(c.size(), width) << "cell \"" << c << "\"";
    s += c;
  }
  return s + " |\n";
}
std::string row9(const std::string& field, std::vector<std::string> cells) {
  return row(field, std::move(cells), 8);
}
std::string row8(const std::string& field, std::vector<std::string> cells) {
  return row(field, std::move(cells), 9);
}

using vantrel_test::kExample;

const std::string kExampleDoc6 =
    "101 0 1 6 1 /\r\n101 0 3 7 1 /\r\n102 0 2 8 2 /\r\n103 0 1 9 1 /\r\n"
    "109 0 3 10 1 /\r\n110 0 6 11 3 /\r\n111 0 6 12 3 /\r\n";
const std::string kExampleDoc7 =
    "6 1.25 0 /\r\n7 -10 0 /\r\n8 123.456 0 /\r\n9 -2.5 0 /\r\n10 3 0 /\r\n11 1e-005 0 /\r\n"
    "12 2 0 /\r\n";

TEST(FragmentTable, ExampleTableGivesSevenRecords) {
  Read r = read_table(kExample, 6);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, kExampleDoc6);
  EXPECT_EQ(r.doc7, kExampleDoc7);
  EXPECT_EQ(r.next, 13);
}

TEST(FragmentTable, CarriageReturnsBeforeLineEndsAreNoCharacters) {
  std::string crlf;
  for (char c : kExample) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Read r = read_table(crlf, 6);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, kExampleDoc6);
  EXPECT_EQ(r.doc7, kExampleDoc7);
}

TEST(FragmentTable, TraceListsNodesLoadingsAndCells) {
  Read r = read_table("T\n" + kRule + "| 7 |\n" + kRule + "| 1 - static |\n" +
                      row8("RX  ", {"   1.250 ", "   -0.5  "}) + kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.trace, "\n7  \nloading No 0\n    1.25    -0.5\n");
  // The second column has no node.
  EXPECT_EQ(r.doc6, "7 0 1 1 1 /\r\n");
}

TEST(FragmentTable, CapEndsAtARuleFollowedByANodeLine) {
  // A bar after the rule is optional; a number right after the rule will do.
  Read r = read_table("cap - words | 12 ----- text\n-----\n5 6 |\n-----\n|\n-----\n");
  EXPECT_EQ(r.stop, "");
  // The rule right after a rule is not taken as one: no node line follows.
  r = read_table("-----\n-----\n7 |\n-----\n|\n-----\n");
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt: the cap incorrect.");
  r = read_table("");
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt: the cap incorrect.");
  r = read_table("LOADS\n-----\n| Loading |\n-----\n");
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt: the cap incorrect.");
}

TEST(FragmentTable, EndOfFileRightAfterTheFirstNodeLinesRule) {
  Read r = read_table("-----\n| 7 |\n-----");
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt: the cap incorrect.");
  r = read_table("-----\n| 7 |\n-----\n");
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nincorrect column delimeter.");
}

TEST(FragmentTable, NodeNumbersAsStrtolReadsThem) {
  // "101|" is 101; "|103" is a delimiter whose number is lost; octal and hex.
  Read r = read_table("-----\n101| 010 |103 0x1F |\n-----\n| 1 - static |\n" +
                      row8("RZ  ", {"   1     ", "   2     ", "   3     "}) + kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "101 0 3 1 1 /\r\n8 0 3 2 1 /\r\n31 0 3 3 1 /\r\n");
  // A token that is no number counts as 0, and the records end there.
  r = read_table("-----\n| 101 abc 103 |\n-----\n| 1 - static |\n" +
                 row8("RZ  ", {"   1     ", "   2     ", "   3     "}) + kRule);
  EXPECT_EQ(r.doc6, "101 0 3 1 1 /\r\n");
}

TEST(FragmentTable, FiveNodesGiveNineCharacterCellsAndSilentColumns) {
  Read r = read_table(kRule + "| 11 12 13 14 15 |\n" + kRule + "| 1 - static |\n" +
                      row8("RY  ", {"   1.5   ", "   2.5   ", "   3.5   ", "   4.5   ",
                                    "   5.5   ", "   6.5   ", "   7.5   ", "   8.5   "}) +
                      kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6,
            "11 0 2 1 1 /\r\n12 0 2 2 1 /\r\n13 0 2 3 1 /\r\n14 0 2 4 1 /\r\n15 0 2 5 1 /\r\n");
  EXPECT_EQ(r.doc7, "1 1.5 0 /\r\n2 2.5 0 /\r\n3 3.5 0 /\r\n4 4.5 0 /\r\n5 5.5 0 /\r\n");
}

TEST(FragmentTable, BlanksAndRightAlignedZerosAreEmptyCells) {
  // A cell whose fourth character is blank is empty when it holds no number
  // other than 0.
  Read r = read_table(kRule + "| 1 2 3 4 5 6 7 8 9 |\n" + kRule + "| 1 - static |\n" +
                      row9("RX  ", {"       0", "   2.000", "      0.", "", "   0.000", "", "", "",
                                    "  -0.000"}) +
                      kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "2 0 1 1 1 /\r\n");
  EXPECT_EQ(r.doc7, "1 2 0 /\r\n");
}

TEST(FragmentTable, RightAlignedValueStopsBeforeItsBlockIsWritten) {
  const std::string dropped =
      " has a blank as its fourth character, so it counts as empty and its value would be "
      "dropped.\n";
  // Six blanks, a digit and a point in an 8-character cell; the block before
  // it keeps its records.
  Read r = read_table(kRule + "| 1 2 3 4 5 6 7 8 9 |\n" + kRule + "| 1 - static |\n" +
                      row9("RZ  ", {"   2.000"}) + kRule + "| 7 |\n" + kRule + "| 3 - static |\n" +
                      row9("RY  ", {"   5.000", "", "", "", "      1."}) + kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nthe cell \"      1.\" of block 2, loading 3, row RY, "
                    "column 5 (node 0)" + dropped +
                    "The first node line has 9 nodes, so the cells are 8 characters wide: write "
                    "each value so that it reaches the fourth character of its cell.");
  EXPECT_EQ(r.doc6, "1 0 3 1 1 /\r\n");
  EXPECT_EQ(r.doc7, "1 2 0 /\r\n");
  // Four blanks and 1.500 in a 9-character cell.
  r = read_table(kRule + "| 1 2 |\n" + kRule + "| 1 - static |\n" +
                 row8("RX  ", {"   1.500 ", "    1.500"}) + kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nthe cell \"    1.500\" of block 1, loading 1, row RX, "
                    "column 2 (node 2)" + dropped +
                    "The first node line has 2 nodes, so the cells are 9 characters wide: write "
                    "each value so that it reaches the fourth character of its cell.");
  EXPECT_EQ(r.doc6, "");
}

TEST(FragmentTable, CellsOfEightCharactersReadAsNine) {
  // Five nodes make the cells 9 characters wide; the rows are drawn with 8.
  // The third cell read holds -2.500 and the sign of -4.100.
  Read r = read_table(kRule + "| 101 102 103 104 105 |\n" + kRule + "| 1 - static |\n" +
                      "| RX     1.250   0.000  -2.500  -4.100                                   |\n" +
                      kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nthe cell \"-2.500  -\" of block 1, loading 1, row RX, "
                    "column 3 (node 103) holds part of a number that does not stand whole in it, "
                    "so the value would be misread.\nThe first node line has 5 nodes, so the "
                    "cells are 9 characters wide: write the table with cells of 9 characters, "
                    "one value a cell.");
  EXPECT_EQ(r.doc6, "");
}

TEST(FragmentTable, CellsOfNineCharactersReadAsEight) {
  // Nine nodes make the cells 8 characters wide; the rows are drawn with 9.
  // The second cell read is the last 0 of -12.500 and most of 7.250.
  Read r = read_table(kRule + "| 1 2 3 4 5 6 7 8 9 |\n" + kRule + "| 2 - static |\n" +
                      "| RY    -12.500   7.250 " + std::string(55, ' ') + "|\n" + kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nthe cell \"0   7.25\" of block 1, loading 2, row RY, "
                    "column 2 (node 2) holds part of a number that does not stand whole in it, "
                    "so the value would be misread.\nThe first node line has 9 nodes, so the "
                    "cells are 8 characters wide: write the table with cells of 8 characters, "
                    "one value a cell.");
  EXPECT_EQ(r.doc6, "");
}

TEST(FragmentTable, WhatACellHolds) {
  // A unit or a word after a number, and a word alone, are as before.
  const std::string head = kRule + "| 1 2 3 4 |\n" + kRule + "| 1 - static |\n";
  Read r = read_table(head + row8("RZ  ", {"  12.5kN ", "   1.5 t ", "   n/a   ", "   1e-05 "}) +
                      kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "1 0 3 1 1 /\r\n2 0 3 2 1 /\r\n4 0 3 3 1 /\r\n");
  EXPECT_EQ(r.doc7, "1 12.5 0 /\r\n2 1.5 0 /\r\n3 1e-005 0 /\r\n");
  // A digit where no number is read, a point at the cell's end, and
  // hexadecimal numbers, which would be read as 0.
  const std::string where =
      " of block 1, loading 1, row RZ, column 1 (node 1) holds part of a number that does not "
      "stand whole in it, so the value would be misread.\n";
  EXPECT_EQ(read_table(head + row8("RZ  ", {"   x1.5  "}) + kRule).stop,
            "\nTable loadfrag.txt:\nthe cell \"   x1.5  \"" + where +
                "The first node line has 4 nodes, so the cells are 9 characters wide: write the "
                "table with cells of 9 characters, one value a cell.");
  EXPECT_EQ(read_table(head + row8("RZ  ", {"   3.0  ."}) + kRule).stop,
            "\nTable loadfrag.txt:\nthe cell \"   3.0  .\"" + where +
                "The first node line has 4 nodes, so the cells are 9 characters wide: write the "
                "table with cells of 9 characters, one value a cell.");
  const std::string hex = " of block 1, loading 1, row RZ, column 2 (node 2) holds a hexadecimal "
                          "number, which would be read as 0.\nWrite the value as a decimal number.";
  EXPECT_EQ(read_table(head + row8("RZ  ", {"", "   0x1F  "}) + kRule).stop,
            "\nTable loadfrag.txt:\nthe cell \"   0x1F  \"" + hex);
  EXPECT_EQ(read_table(head + row8("RZ  ", {"", "   0XA   "}) + kRule).stop,
            "\nTable loadfrag.txt:\nthe cell \"   0XA   \"" + hex);
  // One node: the message says so in the singular.
  EXPECT_EQ(read_table(kRule + "| 5 |\n" + kRule + "| 1 - static |\n" + row8("RX  ", {"    -7   "}) +
                       kRule).stop,
            "\nTable loadfrag.txt:\nthe cell \"    -7   \" of block 1, loading 1, row RX, column 1 "
            "(node 5) has a blank as its fourth character, so it counts as empty and its value "
            "would be dropped.\nThe first node line has 1 node, so the cells are 9 characters "
            "wide: write each value so that it reaches the fourth character of its cell.");
}

TEST(FragmentTable, EndMarkMayComeBeforeTheLastColumn) {
  Read r = read_table(kRule + "| 1 2 |\n" + kRule + "| 4 - static |\n" +
                      row8("RUY ", {"   7     "}) + kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "1 0 5 1 4 /\r\n");
}

TEST(FragmentTable, KindOfLoadingIsTheThirdCharacterAfterTheDash) {
  const std::string head = kRule + "| 1 |\n" + kRule;
  const std::string body = row8("RX  ", {"   1     "}) + kRule;
  EXPECT_EQ(read_table(head + "| 1 - static |\n" + body).stop, "");
  EXPECT_EQ(read_table(head + "| 1 - 5 st |\n" + body).stop, "");
  EXPECT_EQ(read_table(head + "| 1 - 1 |\n" + body).stop, "");
  // The three characters follow the whole token.
  EXPECT_EQ(read_table(head + "| 1 -12 static |\n" + body).stop, "");
  const std::string dynamic = "\nTable loadfrag.txt:\ndinamic loading not under processing.";
  EXPECT_EQ(read_table(head + "| 1 - 12 |\n" + body).stop, dynamic);
  EXPECT_EQ(read_table(head + "| 1 -  5 |\n" + body).stop, dynamic);
  EXPECT_EQ(read_table(head + "| 1 -a 34 |\n" + body).stop, dynamic);
  // The line ends before the third character: nothing marks it dynamic.
  EXPECT_EQ(read_table(head + "| 1 - 5\n|\n" + body).stop, "");
}

TEST(FragmentTable, KeywordsAreComparedOnTheirFirstCharacters) {
  const std::string head = kRule + "| 1 2 |\n" + kRule + "| 1 - static |\n";
  // The characters passed over count from the end of the whole token.
  Read r = read_table(head + row8("RXAB  ", {"   1     ", "   2     "}) +
                      row8("RUZ9 ", {"   3     ", "   4     "}) + kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "1 0 1 1 1 /\r\n1 0 6 2 1 /\r\n2 0 1 3 1 /\r\n2 0 6 4 1 /\r\n");
  EXPECT_EQ(r.doc7, "1 1 0 /\r\n2 3 0 /\r\n3 2 0 /\r\n4 4 0 /\r\n");
  const std::string refused = "\nTable loadfrag.txt: error in load type.";
  EXPECT_EQ(read_table(head + row8("rx  ", {"   1     "}) + kRule).stop, refused);
  EXPECT_EQ(read_table(head + row8("Rz  ", {"   1     "}) + kRule).stop, refused);
  EXPECT_EQ(read_table(head + row8("RU  ", {"   1     "}) + kRule).stop, refused);
}

TEST(FragmentTable, RepeatedRowReplacesOnlyItsNonEmptyCells) {
  Read r = read_table(kRule + "| 1 2 3 |\n" + kRule + "| 2 - static |\n" +
                      row8("RZ  ", {"   1     ", "   2     ", "   3     "}) +
                      "| 5 - static |\n" + row8("RX  ", {"   9     "}) +
                      "| 2 - static |\n" + row8("RZ  ", {"", "   0.0   ", "   -4    "}) + kRule);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "1 0 3 1 2 /\r\n1 0 1 2 5 /\r\n3 0 3 3 2 /\r\n");
  EXPECT_EQ(r.doc7, "1 1 0 /\r\n2 9 0 /\r\n3 -4 0 /\r\n");
}

TEST(FragmentTable, EmptyBlocksAndFurtherNodeLines) {
  // The first block is empty; the second has its own nodes; the third has
  // fewer nodes than the first, and its other columns are 0 again.
  Read r = read_table(kRule + "| 1 2 3 |\n" + kRule + "|\n" + kRule + "| 4 5 |\n" + kRule +
                          "| 1 - static |\n" + row8("RX  ", {"   1     ", "   2     "}) + kRule +
                          "6 |\n" + kRule + "| 3 - static |\n" +
                          row8("RY  ", {"   3     ", "   4     "}) + kRule + "end of the table\n",
                      20);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.doc6, "4 0 1 20 1 /\r\n5 0 1 21 1 /\r\n6 0 2 22 3 /\r\n");
  EXPECT_EQ(r.next, 23);
}

TEST(FragmentTable, RuleBetweenTwoLoadingsEndsTheBlock) {
  // The loading line after the rule is read as a node line: 2, 0, 0, then the
  // bar of the next row is passed over and RY, 2.000 are numbers 0 and 2.
  Read r = read_table(kRule + "| 1 |\n" + kRule + "| 1 - static |\n" +
                      row8("RX  ", {"   1     "}) + kRule + "| 2 - static |\n" +
                      row8("RY  ", {"   2.000 "}) + kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nincorrect column delimeter.");
  EXPECT_EQ(r.doc6, "1 0 1 1 1 /\r\n");
  EXPECT_EQ(r.trace, "\n1  \nloading No 0\n       1\n\n2  0  0  0  0  2  \n");
}

TEST(FragmentTable, OutsideTheFormatStopsInOrder) {
  const std::string t = "\nTable loadfrag.txt:\n";
  const std::string head = kRule + "| 1 2 |\n" + kRule;
  EXPECT_EQ(read_table(head + "| 13 - static |\n" + kRule).stop,
            t + "loading No 13 is outside 1 to 12.");
  EXPECT_EQ(read_table(head + "| 0 - static |\n" + kRule).stop,
            t + "loading No 0 is outside 1 to 12.");
  // 0xC is 12, the last loading.
  EXPECT_EQ(read_table(head + "| 0xC - static |\n" + row8("RX  ", {"   1     "}) + kRule).doc6,
            "1 0 1 1 12 /\r\n");
  // Eight cells of nine characters, then something that is no end mark.
  EXPECT_EQ(read_table(head + "| 1 - static |\n" + "| RX  " + std::string(80, ' ') + "|\n" +
                       kRule).stop,
            t + "the row RX of loading 1 does not end with \"|\" after at most 8 cells of 9 "
                "characters.");
  // An end mark out of line with the cells.
  EXPECT_EQ(read_table(head + "| 1 - static |\n" + "| RZ     1 |\n" + kRule).stop,
            t + "the row RZ of loading 1 does not end with \"|\" after at most 8 cells of 9 "
                "characters.");
  // The file ending inside a row.
  EXPECT_EQ(read_table(head + "| 1 - static |\n" + "| RUX    1").stop,
            t + "the row RUX of loading 1 does not end with \"|\" after at most 8 cells of 9 "
                "characters.");
  EXPECT_EQ(read_table(head + "| 1 - static ").stop,
            t + "the file ends inside the cell of loading 1, before its closing \"|\".");
  EXPECT_EQ(read_table(head + "| 1 -").stop,
            t + "the file ends inside the cell of loading 1, before its closing \"|\".");
  EXPECT_EQ(read_table(head + "| 2 -\nstatic |\n" + kRule).stop,
            t + "the kind of loading 2 is missing: the line ends right after \"-\".");
  EXPECT_EQ(read_table(head + "|\n" + kRule + "| 1 2 3 4 5 6 7 8 9 10 |\n" + kRule).stop,
            t + "a string of nodes' numbers holds more than 9 numbers.");
  EXPECT_EQ(read_table(std::string(200, 'x') + "\n" + head).stop,
            "\nIncorrect loadfrag.txt: a token longer than 149 characters: \"xxxxxxxxxxxxxxxxxxxx...\".");
  EXPECT_EQ(read_table(head + "| 1 - static |\n" + row8("RY  ", {"   1e999 "}) + kRule).stop,
            t + "the RY value of loading 1 at node 1 is too large.");
}

TEST(FragmentTable, TenNodesAreRefusedAtTheFirstRow) {
  const std::string head = kRule + "| 1 2 3 4 5 6 7 8 9 10 |\n" + kRule;
  Read r = read_table(head + "| 1 - static |\n" + row9("RX  ", {"   1.0  "}) + kRule);
  EXPECT_EQ(r.stop, "\nTable loadfrag.txt:\nerror: number of columns = 10 !");
  // A table without rows never needs the cells.
  r = read_table(head + "| 1 - static |\n" + kRule);
  EXPECT_EQ(r.stop, "");
}


TEST(FragmentTable, DecimalCommasStop) {
  const std::string head = kRule + "| 101 102 103 |\n" + kRule;
  Read r = read_table(head + "| 1 - static |\n" + row8("RX  ", {"   1.250 ", "", "  -2,500 "}) +
                      kRule);
  EXPECT_EQ(r.stop, "\nIncorrect loadfrag.txt: the number \"-2,500\" of the RX row of loading 1, "
                    "column 3 (node 103) has a decimal comma: write it with a decimal point, "
                    "\"-2.500\".");
  EXPECT_EQ(r.doc6, "");
  // A comma that no digit follows ends the number as before.
  Read ok = read_table(head + "| 1 - static |\n" + row8("RZ  ", {"   2,    "}) + kRule);
  EXPECT_EQ(ok.stop, "");
  EXPECT_EQ(ok.doc6, "101 0 3 1 1 /\r\n");
}

}  // namespace
}  // namespace vantrel
