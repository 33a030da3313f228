#include "load_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "common/stop.h"
#include "phase_test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

/// Each test works in a directory of its own, where loades.tmp is made.
class LoadValues : public testing::ScratchDirectory {
 protected:
  struct Result {
    std::string console, stop;
    std::vector<std::int32_t> cases;  // the whole list of 20
    int case_count = 0;
    std::vector<LoadRecord> records;  // loades.tmp as left behind
  };

  Result read(const std::string& model) {
    Result r;
    {
      lira::Writer out(&r.console);
      std::istringstream keys;
      lira::Console con{&out, &keys, false};
      tarvex::Run run(con, lira::TextReader::from_text("modellir.txt", model));
      run.load_cases.fill(-1);  // cleared by the phase
      run.load_case_count = 7;
      try {
        read_load_values(run);
      } catch (const lira::Stop& s) {
        r.stop = s.message;
      }
      out.flush();
      r.cases.assign(run.load_cases.begin(), run.load_cases.end());
      r.case_count = run.load_case_count;
    }
    lira::RecordFile file;
    if (file.open("loades.tmp", kLoadRecordSize, false)) {
      unsigned char bytes[kLoadRecordSize];
      for (std::int64_t n = 1; file.read(n, bytes); ++n) r.records.push_back(decode_load(bytes));
    }
    return r;
  }
};

std::vector<std::int32_t> list_of(std::vector<std::int32_t> first) {
  first.resize(kLoadCaseMax, 0);
  return first;
}

void expect_record(const LoadRecord& r, std::int32_t line, float v1, float v2, float v3, float v4) {
  EXPECT_EQ(r.line, line);
  EXPECT_EQ(r.value[0], v1);
  EXPECT_EQ(r.value[1], v2);
  EXPECT_EQ(r.value[2], v3);
  EXPECT_EQ(r.value[3], v4);
}

TEST(LoadRecord, TwentyLittleEndianBytes) {
  LoadRecord r;
  r.line = 0x01020304;
  r.value[0] = -15000.0f;  // 0xC66A6000
  r.value[3] = 1.0f;       // 0x3F800000
  unsigned char bytes[kLoadRecordSize];
  encode_load(r, bytes);
  const unsigned char expected[kLoadRecordSize] = {4, 3, 2, 1, 0x00, 0x60, 0x6A, 0xC6, 0, 0, 0, 0,
                                                   0, 0, 0, 0, 0x00, 0x00, 0x80, 0x3F};
  EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 20),
            std::vector<unsigned char>(expected, expected + 20));
  expect_record(decode_load(bytes), 0x01020304, -15000.0f, 0, 0, 1.0f);
}

TEST_F(LoadValues, ValuesTimesTenThousandAndTheLoadCases) {
  Result r = read("( 7/ values\n1 -1.5 /\n2 /\n3 0.1 0.2 0.3 0.4 /\n)\n( 16/\n1 0 0 /\n2 0 /\n)\n");
  EXPECT_EQ(r.stop, "");
  ASSERT_EQ(r.records.size(), 3u);
  expect_record(r.records[0], 1, -15000.0f, 0, 0, 0);
  expect_record(r.records[1], 2, 0, 0, 0, 0);
  // 0.1 in single precision is 0.100000001; times 10000 it rounds to 1000.
  expect_record(r.records[2], 3, 1000.0f, 2000.0f, 3000.0f, 4000.0f);
  EXPECT_EQ(r.cases, list_of({1, 2}));
  EXPECT_EQ(r.case_count, 2);
  EXPECT_EQ(r.console,
            "( 7/ values\n1 -1.5 / \n2 / \n3 0.1 0.2 0.3 0.4 / \n) \n"
            "( 16/\n1 2 ) )\n");
}

TEST_F(LoadValues, NumbersAsStrtolReadsThem) {
  // Hexadecimal and octal line numbers; a number that is no number is 0.
  Result r = read("( 7/\n0x1 2e-1 /\n02 x 3E0 /\n)\n( 16/\n0x10 /\n)\n");
  EXPECT_EQ(r.stop, "");
  ASSERT_EQ(r.records.size(), 2u);
  expect_record(r.records[0], 1, 2000.0f, 0, 0, 0);
  expect_record(r.records[1], 2, 0, 30000.0f, 0, 0);
  EXPECT_EQ(r.cases, list_of({16}));
}

TEST_F(LoadValues, ASlashGluedToTheLastValueEndsTheLine) {
  Result r = read("( 7/\n1 1.5/\n2 2.5 3/\n3 /\n)\n( 16/\n1 /\n)\n");
  EXPECT_EQ(r.stop, "");
  ASSERT_EQ(r.records.size(), 3u);
  expect_record(r.records[0], 1, 15000.0f, 0, 0, 0);
  expect_record(r.records[1], 2, 25000.0f, 30000.0f, 0, 0);
  expect_record(r.records[2], 3, 0, 0, 0, 0);
  EXPECT_EQ(r.console, "( 7/\n1 1.5/ \n2 2.5 3/ \n3 / \n) \n( 16/\n1 ) )\n");
}

TEST_F(LoadValues, IllegalLineNumbers) {
  const char* message = "\nIncorrect modellir.txt: illegal line number in doc. 7.";
  struct Case {
    const char* doc7;
    std::size_t records_before;
  } cases[] = {
      {"1/ 2 /\n)\n", 0},          // the slash glued to the number
      {"2 1 /\n)\n", 0},           // the first line is not 1
      {"1 1 /\n1 2 /\n)\n", 1},    // a repeat
      {"1 1 /\n3 2 /\n)\n", 1},    // a gap
      {"1 1 /\n2 2 /\n", 2},       // the end of the file instead of ")"
      {"1 1 /\n/\n)\n", 1},        // a line without its number
  };
  for (const Case& c : cases) {
    Result r = read(std::string("( 7/\n") + c.doc7 + "( 16/\n1 /\n)\n");
    EXPECT_EQ(r.stop, message) << c.doc7;
    EXPECT_EQ(r.records.size(), c.records_before) << c.doc7;
  }
  Result glued = read("( 7/\n1/ 2 /\n)\n");
  EXPECT_EQ(glued.console, "( 7/\n1/ ");
}

TEST_F(LoadValues, AtMostFourValues) {
  const char* message = "\nIncorrect modellir.txt: too many values in doc. 7.";
  Result r = read("( 7/\n1 1 2 3 4 /\n2 1 2 3 4 5 /\n)\n");
  EXPECT_EQ(r.stop, message);
  EXPECT_EQ(r.records.size(), 1u);
  EXPECT_EQ(r.console, "( 7/\n1 1 2 3 4 / \n2 1 2 3 4 5 ");
  // The end of the file inside a line gives empty tokens, taken as values.
  EXPECT_EQ(read("( 7/\n1 1 2").stop, message);
}

TEST_F(LoadValues, ValuesOutOfRangeAreRefused) {
  // 1e39 fits a double but not a single; 1e999 fits neither.
  EXPECT_EQ(read("( 7/\n1 1 /\n2 0 1e39 /\n)\n").stop,
            "\nIncorrect modellir.txt: value 1e39 of line 2 in doc. 7 is out of range.");
  EXPECT_EQ(read("( 7/\n1 -1e999 /\n)\n").stop,
            "\nIncorrect modellir.txt: value -1e999 of line 1 in doc. 7 is out of range.");
  // 3.5e34 fits a single, but times 10000 it does not (the largest is 3.40282e38).
  EXPECT_EQ(read("( 7/\n1 3.5e34 /\n)\n").stop,
            "\nIncorrect modellir.txt: value 3.5e34 of line 1 in doc. 7 is out of range.");
}

TEST_F(LoadValues, MissingDocuments) {
  Result none = read("( 6/\n)\n( 16/\n1 /\n)\n");
  EXPECT_EQ(none.stop, "\nIncorrect modellir.txt: no load values.");
  EXPECT_TRUE(fs::exists("loades.tmp"));  // created before the search
  EXPECT_EQ(read("  ( 7/\n)\n").stop, "\nIncorrect modellir.txt: no load values.");
  // Documents 12 and 16 are looked for after document 7 only.
  EXPECT_EQ(read("( 16/\n1 /\n)\n( 12/\n( 7/\n)\n").stop, "\nIncorrect modellir.txt: no doc. 16.");
  EXPECT_EQ(read("( 7/\n)\n").stop, "\nIncorrect modellir.txt: no doc. 16.");
  // A header on the last line without a line end is not found.
  EXPECT_EQ(read("( 7/\n)\n( 16/").stop, "\nIncorrect modellir.txt: no doc. 16.");
  EXPECT_EQ(read("( 7/\n)\n( 12/").stop, "\nIncorrect modellir.txt: no doc. 16.");
}

TEST_F(LoadValues, DocumentTwelveBetweenSevenAndSixteen) {
  const char* failed = "\nmodellir.txt includes doc. 12 - analysis failed.";
  Result r = read("( 7/\n1 1 /\n)\n( 12/\n)\n( 16/\n1 /\n)\n");
  EXPECT_EQ(r.stop, failed);
  EXPECT_EQ(r.records.size(), 1u);
  EXPECT_EQ(read("( 7/\n)\n( 12/\n").stop, failed);
  // Before document 7, or after document 16, it is not seen.
  EXPECT_EQ(read("( 12/\n)\n( 7/\n)\n( 16/\n3 /\n)\n").cases, list_of({3}));
  EXPECT_EQ(read("( 7/\n)\n( 16/\n3 /\n)\n( 12/\n)\n").cases, list_of({3}));
  // "( 1/" does not begin a line "( 12/", nor "( 16/" a line "( 1/".
  EXPECT_EQ(read("( 7/\n)\n( 1/\n)\n( 16/\n4 /\n)\n").cases, list_of({4}));
}

TEST_F(LoadValues, TheSearchGoesOnFromTheRestOfTheLastLine) {
  // The rest of the line after ")" is the first line searched; it begins with a blank here.
  EXPECT_EQ(read("( 7/\n) ( 16/\n)\n").stop, "\nIncorrect modellir.txt: no doc. 16.");
}

TEST_F(LoadValues, AtMostTwentyLoadCases) {
  std::string doc16;
  for (int i = 1; i <= 22; ++i) doc16 += std::to_string(i) + " 0 0 /\n";
  Result r = read("( 7/\n)\n( 16/\n" + doc16 + ")\n");
  EXPECT_EQ(r.stop, "");
  std::vector<std::int32_t> all;
  for (int i = 1; i <= 20; ++i) all.push_back(i);
  EXPECT_EQ(r.cases, all);
  EXPECT_EQ(r.case_count, 20);
  // The buffer after the skip of the twentieth record: its slash over the "2" of "20".
  EXPECT_EQ(r.console,
            "( 7/\n) \n( 16/\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 /0\n");
  // Twenty records and nothing after them: the twenty-first is never read.
  std::string twenty;
  for (int i = 1; i <= 20; ++i) twenty += "7 /\n";
  EXPECT_EQ(read("( 7/\n)\n( 16/\n" + twenty).stop, "");
}

TEST_F(LoadValues, ZeroEndsTheListAndAGluedSlashEndsARecord) {
  Result r = read("( 7/\n)\n( 16/\n3 /\n0 /\n5/\n6 /\n)\n");
  EXPECT_EQ(r.cases, list_of({3, 0, 5, 6}));
  EXPECT_EQ(r.case_count, 4);
  EXPECT_EQ(r.console, "( 7/\n) \n( 16/\n3 0 5/ 6 ) )\n");
  Result empty = read("( 7/\n)\n( 16/\n)\n");
  EXPECT_EQ(empty.cases, list_of({}));
  EXPECT_EQ(empty.case_count, 0);
  EXPECT_EQ(empty.console, "( 7/\n) \n( 16/\n) )\n");
}

TEST_F(LoadValues, EndOfFileInsideDocumentSixteen) {
  const char* message = "\nIncorrect modellir.txt: end of file inside document 16.";
  EXPECT_EQ(read("( 7/\n)\n( 16/\n1 /\n").stop, message);
  EXPECT_EQ(read("( 7/\n)\n( 16/\n1 /\n2 0 0").stop, message);
}


TEST_F(LoadValues, RecordsOnTheHeaderLinesStop) {
  const std::string end = "\": begin the records of the document on the line after its header.";
  Result seven = read("( 7/ 1 1.5 /\n2 0.5 /\n)\n( 16/\n1 /\n)\n");
  EXPECT_EQ(seven.stop, "\nIncorrect modellir.txt: the header line of document 7 holds a record, "
                        "\"1 1.5 /" + end);
  EXPECT_EQ(seven.console, "( 7/ 1 1.5 /\n");
  EXPECT_TRUE(seven.records.empty());
  // The load-case list would be empty, and the script without a load step.
  Result sixteen = read("( 7/\n1 1.5 /\n)\n( 16/ 1 0 / 2 0 / )\n");
  EXPECT_EQ(sixteen.stop, "\nIncorrect modellir.txt: the header line of document 16 holds a "
                          "record, \"1 0 / 2 0 / )" + end);
  EXPECT_EQ(sixteen.console, "( 7/\n1 1.5 / \n) \n( 16/ 1 0 / 2 0 / )\n");
  EXPECT_EQ(sixteen.case_count, 0);
  ASSERT_EQ(sixteen.records.size(), 1u);
  // A lone number with its slash is passed over, as a title is.
  Result lone = read("( 7/ 7/\n1 1.5 /\n)\n( 16/ load cases\n1 /\n)\n");
  EXPECT_EQ(lone.stop, "");
  EXPECT_EQ(lone.cases, list_of({1}));
}

TEST_F(LoadValues, DecimalCommasStop) {
  Result r = read("( 7/\n1 1.5 /\n2 0.5 1,25 /\n)\n( 16/\n1 /\n)\n");
  EXPECT_EQ(r.stop, "\nIncorrect modellir.txt: the number \"1,25\" of line 2 in document 7 has a "
                    "decimal comma: write it with a decimal point, \"1.25\".");
  EXPECT_EQ(r.console, "( 7/\n1 1.5 / \n2 0.5 1,25 ");
  ASSERT_EQ(r.records.size(), 1u);
  expect_record(r.records[0], 1, 15000.0f, 0, 0, 0);
}

}  // namespace
}  // namespace tarvex
