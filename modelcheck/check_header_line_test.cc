#include "check_header_line.h"

#include <gtest/gtest.h>

namespace modelcheck {
namespace {

TEST(HeaderLine, SpellingsAndPlaces) {
  struct Case {
    const char* line;
    int document;  // -1: no header
    bool exact;
  };
  for (const Case& c : {
           Case{"( 3/", 3, true},
           Case{"( 12/ 0 /", 12, true},
           Case{"(3/", 3, false},
           Case{"(3 /", 3, false},
           Case{"( 3 /", 3, false},
           Case{"(  16/", 16, false},
           Case{"  ( 4/", 4, false},
           Case{")( 4/", 4, false},
           Case{" ) ( 4/ nodes", 4, false},
           Case{"0 0 0 / ) ( 1/", 1, false},
           Case{"\xEF\xBB\xBF( 0/", 0, false},
           Case{"5 ( 4/", -1, false},
           Case{"( x/", -1, false},
           Case{"( 1234/", -1, false},
           Case{"(3)", -1, false},
           Case{"1 3.0E6 0.2 0.2 /", -1, false},
           Case{"2 1.5 /)( 16/", 16, false},
           Case{"2 1.5)( 16/", -1, false},
       }) {
    SCOPED_TRACE(c.line);
    HeaderLine h = find_header(c.line);
    EXPECT_EQ(h.found ? h.document : -1, c.document);
    EXPECT_EQ(h.exact, c.exact);
  }
  EXPECT_EQ(find_header("( 4/ 0 0 0 /").end, 4u);
  EXPECT_EQ(find_header(")( 4/").start, 1u);
  // Headers further on a line, each after a ")": past a "(" of a title.
  const char line[] = "( 0/ 1; frame (v2)/ 2; 5/ )( 1/ ) (16/";
  HeaderLine one = find_header_after_close(line, 4);
  EXPECT_EQ(one.document, 1);
  EXPECT_EQ(one.start, 27u);
  EXPECT_FALSE(one.exact);
  HeaderLine sixteen = find_header_after_close(line, one.end);
  EXPECT_EQ(sixteen.document, 16);
  EXPECT_FALSE(find_header_after_close(line, sixteen.end).found);
}

}  // namespace
}  // namespace modelcheck
