#include "element_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/stop.h"

namespace keslow {
namespace {

using lira::TextReader;

// The 150 characters that precede every line the header search looks at.
const std::string kPreamble = std::string(149, '#') + "\n";

template <typename F>
std::string stop_message(F f) {
  try {
    f();
  } catch (const lira::Stop& stop) {
    return stop.message;
  }
  return "(no stop)";
}

bool finds(const std::string& text) {
  TextReader in = TextReader::from_text("A_02.A", text);
  return find_element_list(in);
}

// The token right after the header search, to see where it left the reader.
std::string first_token_after_header(const std::string& text) {
  TextReader in = TextReader::from_text("A_02.A", text);
  if (!find_element_list(in)) return "(not found)";
  lira::Token token;
  lira::read_token(in, token);
  return std::string(token.view());
}

TEST(FindElementList, HeaderLineAfterTheFirst150Characters) {
  EXPECT_EQ("first", first_token_after_header(kPreamble + "   1D rest of the line\nfirst /\n"));
  EXPECT_EQ("first", first_token_after_header(kPreamble + "other\n\n   1Dx\nfirst /\n"));
}

TEST(FindElementList, HeaderInsideTheFirst150CharactersIsNotSeen) {
  std::string text = "   1D\n" + std::string(143, 'x') + "\n" + "1D 1 10 1 1 2 /\n";
  ASSERT_EQ(150u, text.find("1D 1"));
  EXPECT_FALSE(finds(text));
  // The header line that straddles character 150 is seen from its middle.
  EXPECT_FALSE(finds(std::string(148, 'x') + "\n" + "   1D\nfirst /\n"));
}

TEST(FindElementList, TheSkipEndingMidLineLeavesTheRestOfThatLine) {
  // The rest of the line after the 150 characters is the first line looked at.
  EXPECT_EQ("first", first_token_after_header(std::string(150, 'y') + "   1D\nfirst /\n"));
  EXPECT_FALSE(finds(std::string(151, 'y') + "   1D\nfirst /\n"));
}

TEST(FindElementList, CharactersAreCountedAfterCrLfTranslation) {
  std::string ten_lines;
  for (int i = 0; i < 10; ++i) ten_lines += "abcdefghijklm\r\n";  // 14 characters each
  // 140 characters, then the header line: the skip ends 10 characters into it.
  EXPECT_FALSE(finds(ten_lines + "   1D  document one\r\nfirst /\r\n"));
  // 150 characters of 15 each: the header line begins right after the skip.
  std::string fifteen;
  for (int i = 0; i < 10; ++i) fifteen += "abcdefghijklmn\r\n";
  EXPECT_EQ("first", first_token_after_header(fifteen + "   1D\r\nfirst /\r\n"));
}

TEST(FindElementList, OnlyThreeBlanksAnd1DBeginAHeader) {
  EXPECT_FALSE(finds(kPreamble + "  1D\n\t  1D\n   1E\n    1D\n1D\n   1d\nx /\n"));
  EXPECT_FALSE(finds(kPreamble + "   1\n"));
}

TEST(FindElementList, EndOfFileFirst) {
  EXPECT_FALSE(finds(""));
  EXPECT_FALSE(finds(std::string(100, 'x')));
  EXPECT_FALSE(finds(kPreamble));
  EXPECT_FALSE(finds(kPreamble + "a\nb\n"));
  // A header that ends the file without a line end has no document after it.
  EXPECT_FALSE(finds(kPreamble + "   1D"));
}

TEST(FindElementList, LineLongerThan149CharactersStops) {
  EXPECT_EQ("first", first_token_after_header(kPreamble + std::string(149, 'z') +
                                              "\n   1D\nfirst /\n"));
  EXPECT_EQ("\nIncorrect A_02.A: a line longer than 149 characters before doc1.",
            stop_message([] { finds(kPreamble + std::string(150, 'z') + "\n   1D\nfirst /\n"); }));
  EXPECT_EQ("\nIncorrect A_02.A: a line longer than 149 characters before doc1.",
            stop_message([] { finds(kPreamble + "   1D" + std::string(145, ' ') + "\nx /\n"); }));
}

// Reads every record of `records` in one pass; returns the trace, or the
// trace and the stop message.
struct Reading {
  std::string trace;
  std::string stop;
  int count = 0;
  std::vector<Element> elements;
};

Reading read_all(const std::string& records, Pass pass) {
  Reading r;
  TextReader in = TextReader::from_text("A_02.A", records);
  lira::Writer trace(&r.trace);
  std::int32_t count = 0;
  try {
    Element e;
    while (read_element(in, pass, count, trace, e)) r.elements.push_back(e);
  } catch (const lira::Stop& stop) {
    r.stop = stop.message;
  }
  r.count = count;
  return r;
}

TEST(ReadElement, PlateFieldsOfPass1) {
  Reading r = read_all("241 3 10 11 12 13 /\n0D\n)\n", Pass::kForces);
  EXPECT_EQ("", r.stop);
  ASSERT_EQ(1u, r.elements.size());
  const Element& e = r.elements[0];
  EXPECT_EQ(1, e.number);
  EXPECT_EQ(241, e.type);
  EXPECT_EQ(3, e.stiffness);
  EXPECT_EQ(10, e.nodes[0]);
  EXPECT_EQ(11, e.nodes[1]);
  EXPECT_EQ(0, e.nodes[2]);  // not needed in pass 1
  EXPECT_EQ("El.No= 1 Type= 241\n"
            "El.No= 1  nod1= 10  nod2= 11  El.type= 241  El.stiff= 3\n",
            r.trace);
}

TEST(ReadElement, PlateFieldsOfPass2) {
  Reading r = read_all("1D 1 244 5 1 2 3 4 /\n1D 2 242 6 7 8 9 /\n0D )", Pass::kElements);
  EXPECT_EQ("", r.stop);
  ASSERT_EQ(2u, r.elements.size());
  EXPECT_EQ(4, r.elements[0].nodes[3]);
  EXPECT_EQ(9, r.elements[1].nodes[2]);
  EXPECT_EQ(0, r.elements[1].nodes[3]);  // a triangle has no node 4
  EXPECT_EQ("El.No= 1 Type= 244\n"
            "El.type= 244  El.stiff= 5  nod1= 1  nod2= 2  nod3= 3\n"
            "El.No= 2 Type= 242\n"
            "El.type= 242  El.stiff= 6  nod1= 7  nod2= 8  nod3= 9\n",
            r.trace);
}

TEST(ReadElement, OtherTypesAreTracedAndSkippedToTheirSlash) {
  Reading r = read_all("10 1 1 2 /\n  44 2 1 2 3 4 /\n1D 3 55 1\n 2 3 4 5 /\n0D\n)\n",
                       Pass::kForces);
  EXPECT_EQ("", r.stop);
  EXPECT_EQ(3, r.count);
  EXPECT_EQ("El.No= 1 Type= 10\nEl.No= 2 Type= 44\nEl.No= 3 Type= 55\n", r.trace);
}

TEST(ReadElement, RecordsSpreadOverLinesAndTheRecordEndNextToTheLastField) {
  Reading r = read_all("244\n 5 1\n 2 3\n 4 extra /241 5 6 7 8 9 / 0D )", Pass::kElements);
  EXPECT_EQ("", r.stop);
  ASSERT_EQ(2u, r.elements.size());
  EXPECT_EQ(4, r.elements[0].nodes[3]);
  EXPECT_EQ(241, r.elements[1].type);
  EXPECT_EQ(9, r.elements[1].nodes[3]);
}

TEST(ReadElement, MarkerNumbersMustBeThePositions) {
  EXPECT_EQ("", read_all("1D 1 10 1 1 2 /\n10 1 1 2 /\n1D 3 10 1 1 2 /\n0D )", Pass::kForces).stop);
  EXPECT_EQ("", read_all("1Dx 1 10 1 1 2 /\n1D 0x2 10 1 1 2 /\n0D )", Pass::kForces).stop);
  Reading r = read_all("1D 1 10 1 1 2 /\n1D 3 10 1 1 2 /\n0D )", Pass::kForces);
  EXPECT_EQ("\nError in file A_02.A: element's numbering violation in doc1.", r.stop);
  EXPECT_EQ("El.No= 1 Type= 10\n", r.trace);
  EXPECT_EQ("\nError in file A_02.A: element's numbering violation in doc1.",
            read_all("1D 0 10 1 1 2 /\n0D )", Pass::kElements).stop);
}

TEST(ReadElement, TheEndOfTheDocument) {
  EXPECT_EQ("", read_all("0D\n0D 0D\n)\n", Pass::kForces).stop);
  EXPECT_EQ("", read_all("0Dxyz )abc", Pass::kForces).stop);
  // A marker may stand before the end as before any record.
  EXPECT_EQ("", read_all("1D 1 0D )", Pass::kForces).stop);
  const std::string no_end = "\nError in file A_02.A: no end of doc1.";
  EXPECT_EQ(no_end, read_all("0D 0D /\n)\n", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("0D\n", Pass::kForces).stop);
}

TEST(ReadElement, EndOfFileInsideTheDocumentStops) {
  const std::string no_end = "\nError in file A_02.A: no end of doc1.";
  EXPECT_EQ(no_end, read_all("", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("10 1 1 2 /\n", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("10 1 1 2\n", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("241 3 1", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("241 3 1 2 3 4", Pass::kElements).stop);
  EXPECT_EQ(no_end, read_all("1D", Pass::kForces).stop);
  EXPECT_EQ(no_end, read_all("1D 1", Pass::kForces).stop);
  // A ")" without the "0D" run is an element type, and the file ends in it.
  EXPECT_EQ(no_end, read_all(")\n", Pass::kForces).stop);
}

TEST(ReadElement, ASlashGluedToTheLastFieldEndsTheRecord) {
  Reading r = read_all("241 3 10 11 12 13/\n244 4 1 2 3 4 /\n55/ 242 2 5 6 7/ 0D )",
                       Pass::kElements);
  EXPECT_EQ("", r.stop);
  ASSERT_EQ(4u, r.elements.size());
  EXPECT_EQ(13, r.elements[0].nodes[3]);
  EXPECT_EQ(244, r.elements[1].type);
  EXPECT_EQ(4, r.elements[1].stiffness);
  EXPECT_EQ(55, r.elements[2].type);
  EXPECT_EQ(242, r.elements[3].type);
  EXPECT_EQ(7, r.elements[3].nodes[2]);
}

TEST(ReadElement, APlateThatEndsBeforeItsNodesStops) {
  // Pass 1 needs nodes 1 and 2 only.
  EXPECT_EQ("", read_all("242 3 1 2 / 0D )", Pass::kForces).stop);
  EXPECT_EQ("\nError in file A_02.A: too few fields in element 1 of doc1.",
            read_all("242 3 1 2 / 0D )", Pass::kElements).stop);
  EXPECT_EQ("\nError in file A_02.A: too few fields in element 2 of doc1.",
            read_all("10 1 1 2 /\n241 3 1 2 3/ 0D )", Pass::kElements).stop);
  EXPECT_EQ("\nError in file A_02.A: too few fields in element 1 of doc1.",
            read_all("244/ 0D )", Pass::kForces).stop);
}

TEST(ReadElement, StiffnessKeptIn16Bits) {
  Reading r = read_all("241 70000 1 2 / 244 -1 1 2 / 242 65535 1 2 / 0D )", Pass::kForces);
  EXPECT_EQ("", r.stop);
  ASSERT_EQ(3u, r.elements.size());
  EXPECT_EQ(4464, r.elements[0].stiffness);
  EXPECT_EQ(-1, r.elements[1].stiffness);
  EXPECT_EQ(-1, r.elements[2].stiffness);
  EXPECT_NE(std::string::npos, r.trace.find("El.type= 241  El.stiff= 4464\n"));
}

TEST(ReadElement, TypesAreConvertedAsStrtolWithBase0) {
  // 0xF1 is 241 and 0362 is 242; the trace shows the token as written.
  Reading r = read_all("0xF1 3 1 2 / 0362 4 5 6 / 0D )", Pass::kForces);
  EXPECT_EQ("", r.stop);
  EXPECT_EQ("El.No= 1 Type= 0xF1\n"
            "El.No= 1  nod1= 1  nod2= 2  El.type= 241  El.stiff= 3\n"
            "El.No= 2 Type= 0362\n"
            "El.No= 2  nod1= 5  nod2= 6  El.type= 242  El.stiff= 4\n",
            r.trace);
}

TEST(ReadElement, TokenLongerThan149CharactersStops) {
  Reading r = read_all("241 " + std::string(150, '1') + " 1 2 /\n0D )", Pass::kForces);
  EXPECT_EQ("\nIncorrect A_02.A: a token longer than 149 characters: \"11111111111111111111...\".",
            r.stop);
}

}  // namespace
}  // namespace keslow
