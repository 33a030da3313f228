#include "line_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "stop.h"

namespace lira {
namespace {

TEST(LineReader, LinesWithoutTheirEndsAndALastLineWithoutOne) {
  TextReader in = TextReader::from_text("model.txt", "( 7/\r\n\n1 2 0 /\n )");
  LineReader lines(in);
  Line line;
  ASSERT_TRUE(lines.read(line));
  EXPECT_EQ(line.view(), "( 7/");  // CR LF read as one line end
  EXPECT_TRUE(line.has_end);
  ASSERT_TRUE(lines.read(line));
  EXPECT_TRUE(line.empty());
  EXPECT_TRUE(line.has_end);
  ASSERT_TRUE(lines.read(line));
  EXPECT_STREQ(line.c_str(), "1 2 0 /");
  ASSERT_TRUE(lines.read(line));
  EXPECT_EQ(line.view(), " )");
  EXPECT_FALSE(line.has_end);
  EXPECT_EQ(lines.number(), 4);
  EXPECT_FALSE(lines.read(line));
  EXPECT_EQ(lines.number(), 4);
}

TEST(LineReader, OneHundredFortyNineCharactersAtMost) {
  const std::string longest(149, 'x');
  for (const std::string& last : {longest, longest + "\n"}) {
    TextReader in = TextReader::from_text("model.txt", "a\n" + last);
    LineReader lines(in);
    Line line;
    ASSERT_TRUE(lines.read(line));
    ASSERT_EQ(lines.next(line), LineReader::Result::kLine);
    EXPECT_EQ(line.view(), longest);
    EXPECT_EQ(lines.next(line), LineReader::Result::kEnd);
  }
  for (const std::string& last : {longest + "y", longest + "y\n"}) {
    TextReader in = TextReader::from_text("model.txt", "a\n" + last);
    LineReader lines(in);
    Line line;
    ASSERT_TRUE(lines.read(line));
    try {
      lines.read(line);
      ADD_FAILURE() << "a line of 150 characters was taken";
    } catch (const Stop& stop) {
      EXPECT_EQ(stop.message, "\nIncorrect model.txt: line 2 is longer than 149 characters.");
    }
  }
}

}  // namespace
}  // namespace lira
