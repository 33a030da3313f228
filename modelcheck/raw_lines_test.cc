#include "raw_lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/testing/scratch_path.h"

namespace modelcheck {
namespace {

std::string lines_of(RawLineReader& in) {
  std::string out;
  RawLine l;
  const char* ends[] = {"", "LF", "CRLF", "LFCR", "CR"};
  while (in.next(l)) {
    out += std::to_string(l.number) + ":" + std::string(l.text) + ":" +
           ends[static_cast<int>(l.end)] + " ";
  }
  return out;
}

TEST(RawLineReader, EveryLineEnd) {
  RawLineReader a = RawLineReader::from_text("a\nb\r\nc\n\rd\re");
  EXPECT_EQ(lines_of(a), "1:a:LF 2:b:CRLF 3:c:LFCR 4:d:CR 5:e: ");
  // LF and then a CR LF of its own: two lines, no LF CR.
  RawLineReader b = RawLineReader::from_text("a\n\r\nb\n");
  EXPECT_EQ(lines_of(b), "1:a:LF 2::CRLF 3:b:LF ");
  RawLineReader c = RawLineReader::from_text("");
  EXPECT_EQ(lines_of(c), "");
}

TEST(RawLineReader, FileAcrossItsBuffer) {
  // A CR LF split by the end of the 64 KiB read, and the lines around it.
  std::string text(65535, 'x');
  text += "\r\nnext\n\rlast";
  std::string path = lira::testing::scratch_path("lines.txt");
  std::ofstream(path, std::ios::binary) << text;
  RawLineReader in(path);
  ASSERT_TRUE(in.ok());
  RawLine l;
  ASSERT_TRUE(in.next(l));
  EXPECT_EQ(l.text.size(), 65535u);
  EXPECT_EQ(l.end, LineEnd::kCrLf);
  ASSERT_TRUE(in.next(l));
  EXPECT_EQ(l.text, "next");
  EXPECT_EQ(l.end, LineEnd::kLfCr);
  ASSERT_TRUE(in.next(l));
  EXPECT_EQ(l.text, "last");
  EXPECT_EQ(l.end, LineEnd::kNone);
  EXPECT_FALSE(in.next(l));
  std::remove(path.c_str());
}

TEST(RawLineReader, LongLineCut) {
  std::string text(kRawLineMax + 10, 'x');
  text += "\nend\n";
  std::string path = lira::testing::scratch_path("long.txt");
  std::ofstream(path, std::ios::binary) << text;
  RawLineReader in(path);
  RawLine l;
  ASSERT_TRUE(in.next(l));
  EXPECT_EQ(l.text.size(), kRawLineMax);
  EXPECT_EQ(l.cut, 10u);
  ASSERT_TRUE(in.next(l));
  EXPECT_EQ(l.text, "end");
  EXPECT_EQ(l.cut, 0u);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace modelcheck
