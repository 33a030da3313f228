#include "model_merge.h"

#include <gtest/gtest.h>

#include "common/stop.h"

namespace vantrel {
namespace {

struct Pass1 {
  std::int64_t first = 0;
  std::string trace, stop;
};

Pass1 pass1(const std::string& model) {
  Pass1 p;
  lira::TextReader in = lira::TextReader::from_text("model.txt", model);
  lira::Writer trace(&p.trace);
  try {
    p.first = first_free_value_line(in, trace);
  } catch (const lira::Stop& s) {
    p.stop = s.message;
  }
  return p;
}

struct Pass2 {
  std::string out, stop;
};

Pass2 pass2(const std::string& model, const std::string& doc6, const std::string& doc7) {
  Pass2 p;
  lira::TextReader in = lira::TextReader::from_text("model.txt", model);
  lira::TextReader d6 = lira::TextReader::from_text("doc6.txt", doc6);
  lira::TextReader d7 = lira::TextReader::from_text("doc7.txt", doc7);
  lira::Writer out(&p.out);
  try {
    merge_model(in, d6, d7, out);
  } catch (const lira::Stop& s) {
    p.stop = s.message;
  }
  return p;
}

const char kBadLoads[] = "\nIncorrect <model>.txt: Bad loads.";

TEST(FirstFreeValueLine, FollowsTheLastRecordOfDocument7) {
  Pass1 p = pass1("( 1/\n1 1 1 2/\n )\n( 7/\n1 5 0 /\n2 -3 0 /\n5 1e-005 0 /\n\n )\n( 8/\n");
  EXPECT_EQ(p.stop, "");
  EXPECT_EQ(p.first, 6);
  EXPECT_EQ(p.trace, "\nStarting number of load string  6\n");
}

TEST(FirstFreeValueLine, EmptyDocumentStartsAtOne) {
  EXPECT_EQ(pass1("( 7/\n\n )\n").first, 1);
  EXPECT_EQ(pass1("( 7/\n\n\n\n )").first, 1);
  EXPECT_EQ(pass1("( 7/\r\n\r\n )\r\n").first, 1);
}

TEST(FirstFreeValueLine, RecordNumbersAsStrtolReadsThem) {
  EXPECT_EQ(pass1("( 7/\n3 1 /\n010 1 /\n\n )\n").first, 9);
  EXPECT_EQ(pass1("( 7/\n0x10 1 /\n\n )\n").first, 17);
  EXPECT_EQ(pass1("( 7/\n  +4 1 /\n\t7/\n\n )\n").first, 8);
  // Beyond 32 bits a number reads as the largest one.
  EXPECT_EQ(pass1("( 7/\n99999999999 1 /\n\n )\n").first, 2147483648LL);
  EXPECT_EQ(pass1("( 7/\n99999999999 1 /\n99999999999 1 /\n\n )\n").stop, kBadLoads);
}

TEST(FirstFreeValueLine, NumbersMustBePositiveAndIncrease) {
  EXPECT_EQ(pass1("( 7/\n1 1 /\n3 1 /\n3 1 /\n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n1 1 /\n3 1 /\n2 1 /\n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n0 1 /\n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n-2 1 /\n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n1 1 /\nA 1 /\n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n1 1 /\n   \n\n )\n").stop, kBadLoads);
  EXPECT_EQ(pass1("( 7/\n1 1 /\n  )\n\n )\n").stop, kBadLoads);
}

TEST(FirstFreeValueLine, HeaderMustBeginItsLine) {
  const char none[] = "\nIncorrect <model>.txt: no loads.";
  EXPECT_EQ(pass1("").stop, none);
  EXPECT_EQ(pass1("( 6/\n\n )\n  ( 7/\n\n )\n").stop, none);
  EXPECT_EQ(pass1("( 70/\n\n )\n").stop, none);
  // The header as the last line, without a line end, is not found either.
  EXPECT_EQ(pass1("( 6/\n\n )\n( 7/").stop, none);
  EXPECT_EQ(pass1("( 7/ values\n\n )\n").stop, "");
}

TEST(FirstFreeValueLine, EndOfFileInsideDocument7) {
  const char no_end[] = "\nCan't find an end of document 7.";
  EXPECT_EQ(pass1("( 7/\n").stop, no_end);
  EXPECT_EQ(pass1("( 7/\n1 1 /\n\n").stop, no_end);
  EXPECT_EQ(pass1("( 7/\n1 1 /\n\n)\n").stop, kBadLoads);
  // An end line without a line end is an end line.
  EXPECT_EQ(pass1("( 7/\n1 1 /\n\n )").first, 2);
}

TEST(FirstFreeValueLine, EmptyLineMustCloseTheRecords) {
  EXPECT_EQ(pass1("( 7/\n1 1 /\n\n2 1 /\n\n )\n").stop,
            "\nIncorrect model.txt: an empty line stands among the records of document 7.");
  EXPECT_EQ(pass1("( 7/\n1 1 /\n )\n").stop,
            "\nIncorrect model.txt: no empty line closes the records of document 7.");
  EXPECT_EQ(pass1("( 7/\n )\n").stop,
            "\nIncorrect model.txt: no empty line closes the records of document 7.");
}

TEST(FirstFreeValueLine, LongLinesAreRefused) {
  std::string long_line(150, 'x');
  EXPECT_EQ(pass1("( 1/\n" + long_line + "\n( 7/\n\n )\n").stop,
            "\nIncorrect model.txt: line 2 is longer than 149 characters.");
  EXPECT_EQ(pass1("( 1/\n" + std::string(149, 'x') + "\n( 7/\n\n )\n").first, 1);
}

const std::string kModel =
    "( 0/ model \n"
    "( 6/\n"
    "1 0 3 1 1 /\n"
    "\n"
    " )\n"
    "( 7/\n"
    "1 -5 0 /\n"
    "\n"
    " )\n"
    "( 8/\n"
    "last line";

TEST(MergeModel, RecordsGoBeforeTheEmptyLinesThatCloseTheDocuments) {
  Pass2 p = pass2(kModel, "10 0 1 2 1 /\r\n11 0 2 3 1 /\r\n", "2 1.5 0 /\r\n3 7 0 /\r\n");
  EXPECT_EQ(p.stop, "");
  EXPECT_EQ(p.out,
            "( 0/ model \r\n( 6/\r\n1 0 3 1 1 /\r\n10 0 1 2 1 /\r\n11 0 2 3 1 /\r\n\r\n )\r\n"
            "( 7/\r\n1 -5 0 /\r\n2 1.5 0 /\r\n3 7 0 /\r\n\r\n )\r\n( 8/\r\nlast line\r\n");
}

TEST(MergeModel, NoNewRecordsCopiesEveryLine) {
  Pass2 p = pass2(kModel, "", "");
  EXPECT_EQ(p.out,
            "( 0/ model \r\n( 6/\r\n1 0 3 1 1 /\r\n\r\n )\r\n"
            "( 7/\r\n1 -5 0 /\r\n\r\n )\r\n( 8/\r\nlast line\r\n");
}

TEST(MergeModel, LinesAreCopiedExactly) {
  // Blanks, tabs and a lone CR stay; CR LF and LF both end a line.
  Pass2 p = pass2("a \t\rb\r\n( 6/ x\r\n\r\n )\n( 7/\n   \n\n )  \n", "", "1 2 0 /\r\n");
  EXPECT_EQ(p.stop, "");
  EXPECT_EQ(p.out, "a \t\rb\r\n( 6/ x\r\n\r\n )\r\n( 7/\r\n   \r\n1 2 0 /\r\n\r\n )  \r\n");
}

TEST(MergeModel, MissingDocument6) {
  const char none[] = "\nIncorrect <model>.txt: no document 6.";
  Pass2 p = pass2("( 7/\n\n )\n", "", "");
  EXPECT_EQ(p.stop, none);
  EXPECT_EQ(p.out, "( 7/\r\n\r\n )\r\n");
  EXPECT_EQ(pass2("x\n( 6/", "", "").stop, none);
  EXPECT_EQ(pass2(" ( 6/\n\n", "", "").stop, none);
}

TEST(MergeModel, MissingEndOfDocument6) {
  const char no_end[] = "\nCan't find an end of document 6.";
  Pass2 p = pass2("( 6/\n1 0 1 1 1 /\n", "2 0 1 2 1 /\r\n", "");
  EXPECT_EQ(p.stop, no_end);
  EXPECT_EQ(p.out, "( 6/\r\n1 0 1 1 1 /\r\n");
  // Without its empty line the records of document 6 would land in document 7.
  p = pass2("( 6/\n1 0 1 1 1 /\n )\n( 7/\n\n )\n", "2 0 1 2 1 /\r\n", "");
  EXPECT_EQ(p.stop, no_end);
  EXPECT_EQ(p.out, "( 6/\r\n1 0 1 1 1 /\r\n )\r\n");
}

TEST(MergeModel, MissingEndOfDocument7) {
  const char no_end[] = "\nCan't find an end of document 7.";
  Pass2 p = pass2("( 6/\n\n )\n( 7/\n1 2 0 /\n", "a\r\n", "b\r\n");
  EXPECT_EQ(p.stop, no_end);
  EXPECT_EQ(p.out, "( 6/\r\na\r\n\r\n )\r\n( 7/\r\n1 2 0 /\r\n");
  p = pass2("( 6/\n\n )\n( 7/\n1 2 0 /\n )\n( 8/\n\n )\n", "a\r\n", "b\r\n");
  EXPECT_EQ(p.stop, no_end);
  // A line of blanks is a line like any other and does not close the records.
  p = pass2("( 6/\n\n )\n( 7/\n \n", "", "");
  EXPECT_EQ(p.stop, no_end);
  EXPECT_EQ(p.out, "( 6/\r\n\r\n )\r\n( 7/\r\n \r\n");
}

TEST(MergeModel, EmptyLineBetweenTheDocuments) {
  Pass2 p = pass2("( 6/\n\n )\n\n( 7/\n\n )\n", "", "");
  EXPECT_EQ(p.stop,
            "\nIncorrect model.txt: an empty line stands between the records of documents 6 and "
            "7.");
}

TEST(MergeModel, LongLineAfterDocument7) {
  Pass2 p = pass2("( 6/\n\n )\n( 7/\n\n )\n" + std::string(150, '1') + "\n", "", "");
  EXPECT_EQ(p.stop, "\nIncorrect model.txt: line 7 is longer than 149 characters.");
  EXPECT_EQ(p.out, "( 6/\r\n\r\n )\r\n( 7/\r\n\r\n )\r\n");
}


TEST(FirstFreeValueLine, ARecordOnTheHeaderLineStops) {
  // Without the stop the new values would be numbered from 3, which record 5 uses.
  EXPECT_EQ(pass1("( 6/\n\n )\n( 7/ 5 1.0 /\n1 2 0 /\n2 3 0 /\n\n )\n").stop,
            "\nIncorrect model.txt: the header line of document 7 holds a record, \"5 1.0 /\": "
            "begin the records of the document on the line after its header.");
  // Words and a lone number with its slash are passed over.
  EXPECT_EQ(pass1("( 7/ 7/\n1 2 0 /\n\n )\n").first, 2);
  EXPECT_EQ(pass1("( 7/ load values\n1 2 0 /\n\n )\n").first, 2);
}

TEST(FirstFreeValueLine, ALineOfMoreThanOneRecordStops) {
  EXPECT_EQ(pass1("( 6/\n\n )\n( 7/\n1 2 0 / 2 3 0 / 3 1 2 4 /\n\n )\n").stop,
            "\nIncorrect model.txt: line 5 holds record 1 of document 7 and more after its \"/\": "
            "put each record of document 7 on a line of its own.");
  EXPECT_EQ(pass1("( 7/\n1 2 0 /\n4 1 0/7\n\n )\n").stop,
            "\nIncorrect model.txt: line 3 holds record 4 of document 7 and more after its \"/\": "
            "put each record of document 7 on a line of its own.");
  // Blanks after the slash, and a line without one, are no second record.
  EXPECT_EQ(pass1("( 7/\n1 2 0 /  \t\n2 3 0\n\n )\n").first, 3);
  EXPECT_EQ(pass1("( 7/\r\n1 2 0 /\r\n\r\n )\r\n").first, 2);
}

}  // namespace
}  // namespace vantrel
