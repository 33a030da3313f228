// Whole runs of the keslow binary: console, trace and B#00.B, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/testing/run_program.h"

namespace {

using lira::testing::Files;
using lira::testing::native;
using lira::testing::RunResult;

// The Russian texts in code page 866, worked out letter by letter
// (а..п = A0..AF, р..я = E0..EF, В = 82, М = 8C).
const std::string kRussianBanner =
    "\nKeslow \xA4\xAB\xEF LIRA 9.x, \xA2\xA5\xE0\xE1\xA8\xEF 1.0.";
const std::string kRussianQuestion =
    "\n\x82\xA2\xA5\xA4\xA8\xE2\xA5 \xAD\xAE\xAC\xA5\xE0 \xA6\xA5\xE1\xE2\xAA\xAE\xE1\xE2\xA8: ";
const std::string kRussianSuccess =
    "\n\x8C\xAE\xA4\xA5\xAB\xEC "
    "\xE2\xE0\xA0\xAD\xE1\xE4\xAE\xE0\xAC\xA8\xE0\xAE\xA2\xA0\xAB\xA0\xE1\xEC "
    "\xE3\xE1\xAF\xA5\xE8\xAD\xAE.\n";

// Banner, file diagram, the question and the end of its line.
const std::string kStart = "\nKeslow for LIRA 9.x, v.1.0." + kRussianBanner +
                           "\n\n            A#00.A\xC4\xC4\xBF"
                           "\n                    \xC3\xC4\xC4> B#00.B"
                           "\n            A_02.A\xC4\xC4\xD9\n\n"
                           "\nEnter number of stiffness: " + kRussianQuestion;

std::string success_console() {
  return native(kStart + "\n" + "\nModel transformed saccessfully." + kRussianSuccess + "\n" +
                "Press any key to finish\n");
}

std::string stop_console(const std::string& message) {
  return native(kStart + "\n" + message + "\nPress any key to finish\n");
}

// The trace goes to the console device: standard error on POSIX. The Windows
// binaries write it to CON, which a test may not see.
void expect_trace(const RunResult& r, const std::string& trace) {
  if (lira::testing::windows_binaries()) {
    if (!r.errors.empty()) {
      EXPECT_EQ(native(trace), r.errors);
    }
  } else {
    EXPECT_EQ(trace, r.errors);
  }
}

// Little-endian fields, written out here byte by byte.
std::string i32(std::int64_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((u >> (8 * i)) & 0xFF);
  return s;
}
std::string i16(std::int64_t v) {
  std::uint16_t u = static_cast<std::uint16_t>(v);
  return std::string{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
}

// A forces-table entry: element, node 1, node 2, type, stiffness.
std::string forces(int n, int n1, int n2, int type, int stiffness) {
  return i32(n) + i32(n1) + i32(n2) + i16(type) + i16(stiffness);
}
// An elements-table entry of a quadrilateral and of a triangle.
std::string quad(int type, int stiffness, int n1, int n2, int n3, int n4) {
  return i16(type) + i16(stiffness) + i32(n1) + i32(n2) + i32(n3) + i32(n4);
}
std::string triangle(int type, int stiffness, int n1, int n2, int n3) {
  return i16(type) + i16(stiffness) + i32(n1) + i32(n2) + i32(n3);
}

/// A#00.A and the B#00.B it should become, built side by side.
struct Tables {
  std::string a;
  std::string b;
  void same(const std::string& bytes) {
    a += bytes;
    b += bytes;
  }
  void changed(const std::string& before, const std::string& after) {
    a += before;
    b += after;
  }
};

// 150 characters that are never looked at, header line, the records, the end.
const std::string kPreamble = "LIRA internal text\n" + std::string(130, '=') + "\n";
std::string element_list(const std::string& records) {
  return kPreamble + "   1D  elements\n" + records + "0D 0D\n)\n";
}

std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

const std::string kHeader = "A#00\x01\x02\x03\x04";
const std::string kGap("\xF1\x00\x03\x00\x00", 5);  // looks like the start of an entry

RunResult run(const std::string& a02, const std::string& a00, const std::string& answers) {
  return lira::testing::run_program("keslow", {{"A_02.A", a02}, {"A#00.A", a00}}, answers);
}

TEST(KeslowRun, ExampleFilesAreShippedWithTheirExpectedResult) {
  ASSERT_EQ(150u, kPreamble.size());
  std::string a02 = lira::testing::source_file("examples/keslow/A_02.A");
  std::string a00 = lira::testing::source_file("examples/keslow/A#00.A");
  RunResult r = run(a02, a00, "7\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ(lira::testing::source_file("examples/keslow/B#00.B.expected"), r.files["B#00.B"]);
}

TEST(KeslowRun, ModelWithoutPlatesIsCopiedAsItIs) {
  std::string a02 = element_list("1D 1 10 1 1 2 /\n44 1 1 2 3 4 /\n1D 3 42 1 2 3 4 /\n");
  Tables t;
  t.same(kHeader + forces(1, 1, 2, 10, 1) + forces(2, 1, 2, 44, 1) + kGap +
         quad(44, 1, 1, 2, 3, 4) + triangle(42, 1, 2, 3, 4) + "tail");
  RunResult r = run(a02, t.a, "5\n");
  EXPECT_EQ(0, r.exit_code);
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", t.a}, {"B#00.B", t.a}}), r.files);
  const std::string pass = "El.No= 1 Type= 10\nEl.No= 2 Type= 44\nEl.No= 3 Type= 42\n";
  expect_trace(r, pass + pass);
}

TEST(KeslowRun, TriangleInPass2FollowedRightAfterByAnotherEntry) {
  std::string a02 = element_list("1D 1 242 3 1 2 3 /\n1D 2 244 3 2 4 5 3 /\n");
  Tables t;
  t.same(kHeader);
  t.changed(forces(1, 1, 2, 242, 3), forces(1, 1, 2, 42, 9));
  t.changed(forces(2, 2, 4, 244, 3), forces(2, 2, 4, 44, 9));
  t.same(kGap);
  // The window over the triangle holds the first 4 bytes of the next entry.
  t.changed(triangle(242, 3, 1, 2, 3), triangle(42, 9, 1, 2, 3));
  t.changed(quad(244, 3, 2, 4, 5, 3), quad(44, 9, 2, 4, 5, 3));
  t.same("trailer");
  RunResult r = run(a02, t.a, "9\n");
  EXPECT_EQ(0, r.exit_code);
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", t.a}, {"B#00.B", t.b}}), r.files);
  expect_trace(r,
               "El.No= 1 Type= 242\n"
               "El.No= 1  nod1= 1  nod2= 2  El.type= 242  El.stiff= 3\n"
               "El. No 1 found, pass 1\n"
               "El.No= 2 Type= 244\n"
               "El.No= 2  nod1= 2  nod2= 4  El.type= 244  El.stiff= 3\n"
               "El. No 2 found, pass 1\n"
               "El.No= 1 Type= 242\n"
               "El.type= 242  El.stiff= 3  nod1= 1  nod2= 2  nod3= 3\n"
               "El. No 1 found, pass 2\n"
               "El.No= 2 Type= 244\n"
               "El.type= 244  El.stiff= 3  nod1= 2  nod2= 4  nod3= 5\n"
               "El. No 2 found, pass 2\n");
}

TEST(KeslowRun, TriangleEndingTheFile) {
  // Its 16 bytes are the last of A#00.A: B#00.B keeps the length of A#00.A.
  std::string a02 = element_list("241 3 1 2 3 4 /\n242 3 4 5 6 /\n");
  Tables t;
  t.changed(forces(1, 1, 2, 241, 3), forces(1, 1, 2, 41, 1));
  t.changed(forces(2, 4, 5, 242, 3), forces(2, 4, 5, 42, 1));
  t.changed(quad(241, 3, 1, 2, 3, 4), quad(41, 1, 1, 2, 3, 4));
  t.changed(triangle(242, 3, 4, 5, 6), triangle(42, 1, 4, 5, 6));
  RunResult r = run(a02, t.a, "1\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ(t.b, r.files["B#00.B"]);
  EXPECT_EQ(t.a.size(), r.files["B#00.B"].size());
}

TEST(KeslowRun, EnteredStiffnessReplacesEveryPlatesStiffnessInBothTables) {
  std::string a02 = element_list(
      "1D 1 241 1 1 2 6 5 /\n"
      "1D 2 41 2 2 3 7 6 /\n"
      "1D 3 244 2 3 4 8 7 /\n"
      "1D 4 242 3 5 6 9 /\n");
  Tables t;
  t.same(kHeader);
  t.changed(forces(1, 1, 2, 241, 1), forces(1, 1, 2, 41, 7));
  t.same(forces(2, 2, 3, 41, 2));  // a plain plate already: left alone
  t.changed(forces(3, 3, 4, 244, 2), forces(3, 3, 4, 44, 7));
  t.changed(forces(4, 5, 6, 242, 3), forces(4, 5, 6, 42, 7));
  t.same(kGap + kGap);
  t.changed(quad(241, 1, 1, 2, 6, 5), quad(41, 7, 1, 2, 6, 5));
  t.same(quad(41, 2, 2, 3, 7, 6));
  t.changed(quad(244, 2, 3, 4, 8, 7), quad(44, 7, 3, 4, 8, 7));
  t.changed(triangle(242, 3, 5, 6, 9), triangle(42, 7, 5, 6, 9));
  t.same(std::string(40, '\0'));
  RunResult r = run(a02, t.a, "7\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", t.a}, {"B#00.B", t.b}}), r.files);
  expect_trace(r,
               "El.No= 1 Type= 241\n"
               "El.No= 1  nod1= 1  nod2= 2  El.type= 241  El.stiff= 1\n"
               "El. No 1 found, pass 1\n"
               "El.No= 2 Type= 41\n"
               "El.No= 3 Type= 244\n"
               "El.No= 3  nod1= 3  nod2= 4  El.type= 244  El.stiff= 2\n"
               "El. No 3 found, pass 1\n"
               "El.No= 4 Type= 242\n"
               "El.No= 4  nod1= 5  nod2= 6  El.type= 242  El.stiff= 3\n"
               "El. No 4 found, pass 1\n"
               "El.No= 1 Type= 241\n"
               "El.type= 241  El.stiff= 1  nod1= 1  nod2= 2  nod3= 6\n"
               "El. No 1 found, pass 2\n"
               "El.No= 2 Type= 41\n"
               "El.No= 3 Type= 244\n"
               "El.type= 244  El.stiff= 2  nod1= 3  nod2= 4  nod3= 8\n"
               "El. No 3 found, pass 2\n"
               "El.No= 4 Type= 242\n"
               "El.type= 242  El.stiff= 3  nod1= 5  nod2= 6  nod3= 9\n"
               "El. No 4 found, pass 2\n");
}

TEST(KeslowRun, EnteredStiffnessKeepsItsLow16Bits) {
  std::string a02 = element_list("244 3 1 2 3 4 /\n");
  Tables t;
  t.changed(forces(1, 1, 2, 244, 3), forces(1, 1, 2, 44, 0x1170));  // 70000 = 0x11170
  t.changed(quad(244, 3, 1, 2, 3, 4), quad(44, 0x1170, 1, 2, 3, 4));
  RunResult r = run(a02, t.a, "70000\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ(t.b, r.files["B#00.B"]);

  Tables n;
  n.changed(forces(1, 1, 2, 244, 3), forces(1, 1, 2, 44, -1));
  n.changed(quad(244, 3, 1, 2, 3, 4), quad(44, -1, 1, 2, 3, 4));
  r = run(a02, n.a, "  -1\n");
  EXPECT_EQ(n.b, r.files["B#00.B"]);
}

TEST(KeslowRun, ForcesEntryWithAnotherNodeIsNotFound) {
  std::string a02 = element_list("241 3 1 2 3 4 /\n");
  std::string a00 = kHeader + forces(1, 1, 5, 241, 3) + "gap!" + quad(241, 3, 1, 2, 3, 4) + "end!";
  ASSERT_EQ(52u, a00.size());
  RunResult r = run(a02, a00, "4\n");
  EXPECT_EQ(stop_console("\nIncorrect forces table: unexpected end of file A#00.A."), r.console);
  // Windows at 0 to 36 hold 16 bytes and are passed over by their first
  // byte; the one at 37 runs past the end: its first byte is the last passed.
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", a00}, {"B#00.B", a00.substr(0, 38)}}), r.files);
  expect_trace(r,
               "El.No= 1 Type= 241\n"
               "El.No= 1  nod1= 1  nod2= 2  El.type= 241  El.stiff= 3\n");
}

TEST(KeslowRun, ElementsEntryWithAnotherStiffnessIsNotFound) {
  std::string a02 = element_list("241 3 1 2 3 4 /\n");
  std::string a00 = kHeader + forces(1, 1, 2, 241, 3) + "gap!" + quad(241, 4, 1, 2, 3, 4) + "end!";
  RunResult r = run(a02, a00, "4\n");
  EXPECT_EQ(stop_console("\nIncorrect elements table: unexpected end of file A#00.A."), r.console);
  // Pass 2 starts at 24; windows at 24 to 32 hold 20 bytes, the one at 33 not.
  EXPECT_EQ(kHeader + forces(1, 1, 2, 41, 4) + a00.substr(24, 10), r.files["B#00.B"]);
  expect_trace(r,
               "El.No= 1 Type= 241\n"
               "El.No= 1  nod1= 1  nod2= 2  El.type= 241  El.stiff= 3\n"
               "El. No 1 found, pass 1\n"
               "El.No= 1 Type= 241\n"
               "El.type= 241  El.stiff= 3  nod1= 1  nod2= 2  nod3= 3\n");
}

TEST(KeslowRun, ElementsEntryBeforeTheForcesEntryIsNotFound) {
  // The tables are searched in one forward scan: forces table first.
  std::string a02 = element_list("244 3 1 2 3 4 /\n");
  std::string a00 = quad(244, 3, 1, 2, 3, 4) + forces(1, 1, 2, 244, 3);
  RunResult r = run(a02, a00, "4\n");
  EXPECT_EQ(stop_console("\nIncorrect elements table: unexpected end of file A#00.A."), r.console);
  EXPECT_EQ(a00.substr(0, 20) + forces(1, 1, 2, 44, 4), r.files["B#00.B"]);
}

TEST(KeslowRun, HeaderWithinTheFirst150CharactersIsNotFound) {
  std::string dashes = std::string(59, '-') + "\n";
  std::string a02 = "   1D\n" + dashes + dashes + dashes + "241 3 1 2 3 4 /\n0D 0D\n)\n";
  std::string a00 = forces(1, 1, 2, 241, 3) + quad(241, 3, 1, 2, 3, 4);
  RunResult r = run(a02, a00, "4\n");
  EXPECT_EQ(stop_console("\nIncorrect A_02.A: no doc1."), r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", a00}, {"B#00.B", ""}}), r.files);
  expect_trace(r, "");
}

TEST(KeslowRun, CrLfAndLfFilesGiveTheSameResult) {
  std::string records = "1D 1 244 2 1 2 3 4 /\n1D 2 10 1\n 3 4 /\n";
  Tables t;
  t.changed(forces(1, 1, 2, 244, 2), forces(1, 1, 2, 44, 8));
  t.same(kGap);
  t.changed(quad(244, 2, 1, 2, 3, 4), quad(44, 8, 1, 2, 3, 4));
  const std::string trace =
      "El.No= 1 Type= 244\n"
      "El.No= 1  nod1= 1  nod2= 2  El.type= 244  El.stiff= 2\n"
      "El. No 1 found, pass 1\n"
      "El.No= 2 Type= 10\n"
      "El.No= 1 Type= 244\n"
      "El.type= 244  El.stiff= 2  nod1= 1  nod2= 2  nod3= 3\n"
      "El. No 1 found, pass 2\n"
      "El.No= 2 Type= 10\n";
  for (const std::string& a02 : {element_list(records), crlf(element_list(records))}) {
    RunResult r = run(a02, t.a, "8\n");
    EXPECT_EQ(success_console(), r.console);
    EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", t.a}, {"B#00.B", t.b}}), r.files);
    expect_trace(r, trace);
  }
}

TEST(KeslowRun, The150CharactersAreCountedAfterCrLfBecomesLf) {
  // Ten lines of 13 characters and CR LF: 150 bytes, but 140 characters, so
  // the skip ends inside the header line that follows them.
  std::string lines;
  for (int i = 0; i < 10; ++i) lines += "0123456789abc\r\n";
  std::string a02 = lines + "   1D  elements\r\n241 3 1 2 3 4 /\r\n0D 0D\r\n)\r\n";
  RunResult r = run(a02, forces(1, 1, 2, 241, 3), "4\n");
  EXPECT_EQ(stop_console("\nIncorrect A_02.A: no doc1."), r.console);
}

TEST(KeslowRun, NumberingViolation) {
  std::string a02 = element_list("1D 1 10 1 1 2 /\n1D 3 241 3 1 2 3 4 /\n");
  std::string a00 = forces(2, 1, 2, 241, 3) + quad(241, 3, 1, 2, 3, 4);
  RunResult r = run(a02, a00, "4\n");
  EXPECT_EQ(stop_console("\nError in file A_02.A: element's numbering violation in doc1."),
            r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", a00}, {"B#00.B", ""}}), r.files);
  expect_trace(r, "El.No= 1 Type= 10\n");
}

TEST(KeslowRun, MissingParenthesisAfterThe0DRun) {
  std::string a02 = kPreamble + "   1D\n244 3 1 2 3 4 /\n0D 0D\n/\n)\n";
  std::string a00 = kHeader + forces(1, 1, 2, 244, 3) + quad(244, 3, 1, 2, 3, 4);
  RunResult r = run(a02, a00, "6\n");
  EXPECT_EQ(stop_console("\nError in file A_02.A: no end of doc1."), r.console);
  // What pass 1 wrote stays in B#00.B.
  EXPECT_EQ(kHeader + forces(1, 1, 2, 44, 6), r.files["B#00.B"]);
  expect_trace(r,
               "El.No= 1 Type= 244\n"
               "El.No= 1  nod1= 1  nod2= 2  El.type= 244  El.stiff= 3\n"
               "El. No 1 found, pass 1\n");
}

TEST(KeslowRun, ElementListEndingWithoutItsEnd) {
  std::string a00 = forces(1, 1, 2, 10, 3);
  for (const std::string& a02 : {kPreamble + "   1D\n10 1 1 2 /\n",
                                 kPreamble + "   1D\n10 1 1 2 /\n0D 0D\n",
                                 kPreamble + "   1D\n10 1 1 2"}) {
    RunResult r = run(a02, a00, "6\n");
    EXPECT_EQ(stop_console("\nError in file A_02.A: no end of doc1."), r.console);
    expect_trace(r, "El.No= 1 Type= 10\n");
  }
}

TEST(KeslowRun, GluedSlashEndsTheRecordWithoutSwallowingTheNext) {
  std::string a02 = element_list("241 3 1 2 3 4/\n244 3 2 3 5 6/\n");
  Tables t;
  t.changed(forces(1, 1, 2, 241, 3), forces(1, 1, 2, 41, 2));
  t.changed(forces(2, 2, 3, 244, 3), forces(2, 2, 3, 44, 2));
  t.changed(quad(241, 3, 1, 2, 3, 4), quad(41, 2, 1, 2, 3, 4));
  t.changed(quad(244, 3, 2, 3, 5, 6), quad(44, 2, 2, 3, 5, 6));
  RunResult r = run(a02, t.a, "2\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ(t.b, r.files["B#00.B"]);
}

TEST(KeslowRun, PlateWithTooFewNodes) {
  std::string a02 = element_list("244 3 1 2 3 /\n");
  std::string a00 = forces(1, 1, 2, 244, 3) + quad(244, 3, 1, 2, 3, 0);
  RunResult r = run(a02, a00, "2\n");
  EXPECT_EQ(stop_console("\nError in file A_02.A: too few fields in element 1 of doc1."),
            r.console);
  EXPECT_EQ(forces(1, 1, 2, 44, 2), r.files["B#00.B"]);
}

TEST(KeslowRun, LongLinesAndTokens) {
  std::string a00 = forces(1, 1, 2, 10, 3);
  RunResult r = run(kPreamble + std::string(150, '*') + "\n   1D\n0D )\n", a00, "1\n");
  EXPECT_EQ(stop_console("\nIncorrect A_02.A: a line longer than 149 characters before doc1."),
            r.console);
  r = run(element_list("241 " + std::string(200, '7') + " 1 2 3 4 /\n"), a00, "1\n");
  EXPECT_EQ(stop_console("\nIncorrect A_02.A: a token longer than 149 characters: \"" +
                         std::string(20, '7') + "...\"."),
            r.console);
}

TEST(KeslowRun, NonNumericAnswerStopsBeforeAnyFileIsOpened) {
  std::string a02 = element_list("10 1 1 2 /\n");
  for (const std::string answers : {"seven\n", "", "\n\n"}) {
    RunResult r = run(a02, "abc", answers);
    EXPECT_EQ(native(kStart + "\nIncorrect answer: a number was expected.\n" +
                     "Press any key to finish\n"),
              r.console);
    EXPECT_EQ((Files{{"A_02.A", a02}, {"A#00.A", "abc"}}), r.files);
    EXPECT_EQ(1, r.exit_code);
  }
}

TEST(KeslowRun, MissingFiles) {
  std::string a02 = element_list("10 1 1 2 /\n");
  RunResult r = lira::testing::run_program("keslow", {{"A#00.A", "abc"}}, "1\n");
  EXPECT_EQ(stop_console("\nFile A_02.A can't be opened."), r.console);
  EXPECT_EQ((Files{{"A#00.A", "abc"}}), r.files);
  // B#00.B is created before A#00.A is opened.
  r = lira::testing::run_program("keslow", {{"A_02.A", a02}}, "1\n");
  EXPECT_EQ(stop_console("\nFile A#00.A can't be opened."), r.console);
  EXPECT_EQ((Files{{"A_02.A", a02}, {"B#00.B", ""}}), r.files);
  EXPECT_EQ(1, r.exit_code);
}

TEST(KeslowRun, ExistingResultIsReplaced) {
  std::string a02 = element_list("10 1 1 2 /\n");
  RunResult r = lira::testing::run_program(
      "keslow", {{"A_02.A", a02}, {"A#00.A", "abc"}, {"B#00.B", "an older and longer B#00.B"}},
      "1\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_EQ("abc", r.files["B#00.B"]);
}

TEST(KeslowRun, LargeFileWithEntriesAcrossTheEdgesOfItsBuffer) {
  std::string a02 = element_list("241 3 1 2 3 4 /\n244 3 5 6 7 8 /\n242 3 9 10 11 /\n");
  std::string filler;
  for (int i = 0; i < (1 << 20); ++i) filler += "\x01\x00\xF1\x03"[i % 4];
  Tables t;
  // The first forces entry lies across the first MiB edge of the file.
  t.same(filler.substr(0, (1 << 20) - 7));
  t.changed(forces(1, 1, 2, 241, 3), forces(1, 1, 2, 41, 5));
  t.changed(forces(2, 5, 6, 244, 3), forces(2, 5, 6, 44, 5));
  t.changed(forces(3, 9, 10, 242, 3), forces(3, 9, 10, 42, 5));
  t.same(filler + filler.substr(0, 3));
  t.changed(quad(241, 3, 1, 2, 3, 4), quad(41, 5, 1, 2, 3, 4));
  t.same(filler.substr(0, 1000));
  t.changed(quad(244, 3, 5, 6, 7, 8), quad(44, 5, 5, 6, 7, 8));
  t.changed(triangle(242, 3, 9, 10, 11), triangle(42, 5, 9, 10, 11));
  t.same(filler + filler);
  ASSERT_GT(t.a.size(), 4u << 20);
  RunResult r = run(a02, t.a, "5\n");
  EXPECT_EQ(success_console(), r.console);
  EXPECT_TRUE(t.b == r.files["B#00.B"]);
  EXPECT_EQ(t.a.size(), r.files["B#00.B"].size());
}

}  // namespace
