#include "text_model.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/testing/scratch_path.h"
#include "stop.h"

namespace lira {
namespace {

TextReader text(std::string_view s) { return TextReader::from_text("modellir.txt", s); }

std::string all_tokens(TextReader& in) {
  std::string out;
  Token t;
  while (read_token(in, t)) out += std::string(t.view()) + "|";
  return out;
}

std::string stop_message(void (*f)(TextReader&), TextReader& in) {
  try {
    f(in);
  } catch (const Stop& s) {
    return s.message;
  }
  return "no stop";
}

TEST(FindDocument, HeaderMustBeginTheLine) {
  TextReader in = text("  ( 3/\n(3/\n( 3/ rest of the line\n1 S0/\n");
  ASSERT_TRUE(find_document(in, "( 3/"));
  Token t;
  read_token(in, t);
  EXPECT_EQ(t.view(), "1");
}

TEST(FindDocument, LastLineWithoutLineEndIsNotFound) {
  TextReader in = text("( 1/ 1 2\n( 3/");
  EXPECT_FALSE(find_document(in, "( 3/"));
  TextReader in2 = text("( 3/\n");
  EXPECT_TRUE(find_document(in2, "( 3/"));
}

TEST(FindDocument, ComparesTheHeadersOwnLength) {
  TextReader in = text("( 12/\n( 1/\nX\n");
  ASSERT_TRUE(find_document(in, "( 1/"));
  Token t;
  read_token(in, t);
  EXPECT_EQ(t.view(), "X");
  TextReader in2 = text("( 1/\n( 16/ x\nY\n");
  ASSERT_TRUE(find_document(in2, "( 16/"));
  read_token(in2, t);
  EXPECT_EQ(t.view(), "Y");
}

TEST(FindDocument, GoesOnFromTheCurrentPositionAndPassesLongLines) {
  // The rest of the current line is the first line searched.
  TextReader in = text(std::string(400, 'x') + "\n( 3/\n1 2 ) ( 4/\n( 4/\n7\n");
  ASSERT_TRUE(find_document(in, "( 3/"));
  Token t;
  read_token(in, t);
  EXPECT_EQ(t.view(), "1");
  ASSERT_TRUE(find_document(in, "( 4/"));
  read_token(in, t);
  EXPECT_EQ(t.view(), "7");
  EXPECT_FALSE(find_document(in, "( 5/"));
}

TEST(FindRecordDocument, ARecordOnTheHeaderLineStops) {
  // Each of these would lose a record, or shift every later one.
  for (const char* line : {"( 1/10 1 2 1 /", "( 4/ 12.63 0.07 0 /", "( 16/ 1 0 / 2 0 / )",
                           "( 7/ 5 1.0 /", "( 7/ 5 1.0/", "( 3/\t1 GENE14/", "( 6/ -1 6 3 1 1/",
                           "( 4/ .5 0 0 /", "( 7/ 7/ 8/"}) {
    std::string_view l(line);
    EXPECT_TRUE(holds_record(l.substr(l.find('/') + 1))) << line;
  }
  TextReader in = text("( 2/\n( 4/ 12.63 0.07 0 /  \n1 2 3 /\n");
  EXPECT_EQ(stop_message([](TextReader& r) { find_record_document(r, "( 4/"); }, in),
            "\nIncorrect modellir.txt: the header line of document 4 holds a record, "
            "\"12.63 0.07 0 /\": begin the records of the document on the line after its header.");
  TextReader in16 = text("( 16/ 1 0 / 2 0 / )\n");
  EXPECT_EQ(stop_message([](TextReader& r) { find_record_document(r, "( 16/"); }, in16),
            "\nIncorrect modellir.txt: the header line of document 16 holds a record, "
            "\"1 0 / 2 0 / )\": begin the records of the document on the line after its header.");
}

TEST(FindRecordDocument, AnyOtherRestIsPassedOver) {
  for (const char* rest : {"", "   ", " nodes", " load table", " 7/", " 7 /", " 2 load cases",
                           " / 1 2 /", " x 1 2 /", " -/ 1 /", " 1"}) {
    EXPECT_FALSE(holds_record(rest)) << rest;
    TextReader in = text(std::string("( 6/") + rest + "\n1 6 3 1 1 /\n");
    ASSERT_TRUE(find_record_document(in, "( 6/")) << rest;
    Token t;
    read_token(in, t);
    EXPECT_EQ(t.view(), "1") << rest;
  }
  // The header on the last line, without a line end, is still not found.
  TextReader last = text("( 4/ 1 2 3 /");
  EXPECT_FALSE(find_record_document(last, "( 4/"));
  // Only the first 149 characters of a longer rest are looked at.
  TextReader longer = text("( 4/" + std::string(200, ' ') + "1 2 /\n7\n");
  ASSERT_TRUE(find_record_document(longer, "( 4/"));
  Token t;
  read_token(longer, t);
  EXPECT_EQ(t.view(), "7");
}

TEST(Conversions, DecimalCommas) {
  Token t;
  auto conv = [&](const char* s) {
    TextReader in = text(s);
    read_token(in, t);
    return to_real(t);
  };
  for (const char* s : {"3,2", "0,5", "-1,5/", ",5", "1,250,000", "3,2E6"}) {
    EXPECT_TRUE(stops_at_decimal_comma(conv(s))) << s;
  }
  for (const char* s : {"3.2", "3,", "3,/", "3,x", "1/,5", "S0", "-,5"}) {
    EXPECT_FALSE(stops_at_decimal_comma(conv(s))) << s;
  }
  try {
    refuse_decimal_comma("modellir.txt", " 1,250,5  ", "node 3 in document 4");
    ADD_FAILURE() << "no stop";
  } catch (const Stop& stop) {
    EXPECT_EQ(stop.message,
              "\nIncorrect modellir.txt: the number \"1,250,5\" of node 3 in document 4 has a "
              "decimal comma: write it with a decimal point, \"1.250,5\".");
  }
}

TEST(ReadToken, SplitsAtBlanksAndLineEndsAndIsEmptyAtTheEnd) {
  TextReader in = text(" 7 S0 3E6\t40\r\n60/\n)");
  EXPECT_EQ(all_tokens(in), "7|S0|3E6|40|60/|)|");
  Token t;
  EXPECT_FALSE(read_token(in, t));
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(t.first(), '\0');
}

TEST(ReadToken, LeavesTheCharacterAfterTheToken) {
  TextReader in = text("0 0 0 /\n");
  Token t;
  read_token(in, t);
  read_token(in, t);
  read_token(in, t);
  EXPECT_EQ(in.get(), ' ');
  EXPECT_EQ(peek_char(in), '/');
}

TEST(ReadToken, RefusesTokensLongerThan149Characters) {
  TextReader ok = text(std::string(149, 'a') + " b");
  Token t;
  ASSERT_TRUE(read_token(ok, t));
  EXPECT_EQ(t.length, 149);
  TextReader in = text(std::string(150, 'a'));
  EXPECT_EQ(stop_message([](TextReader& r) { Token t; read_token(r, t); }, in),
            "\nIncorrect modellir.txt: a token longer than 149 characters: \"aaaaaaaaaaaaaaaaaaaa...\".");
}

TEST(ReadToken, EndOfFileInsideADocumentStops) {
  TextReader in = text("( 3/\n1 ");
  ASSERT_TRUE(find_document(in, "( 3/"));
  EXPECT_EQ(stop_message([](TextReader& r) { Token t; next_token(r, t); next_token(r, t); }, in),
            "\nIncorrect modellir.txt: end of file inside document 3.");
  TextReader in2 = text("( 12/\n1 2 3");
  ASSERT_TRUE(find_document(in2, "( 12/"));
  EXPECT_EQ(stop_message([](TextReader& r) { skip_record(r); }, in2),
            "\nIncorrect modellir.txt: end of file inside document 12.");
}

TEST(Conversions, IntegersAsStrtolWithBaseZero) {
  Token t;
  auto conv = [&](const char* s) {
    TextReader in = text(s);
    read_token(in, t);
    return to_int(t);
  };
  EXPECT_EQ(conv("241").value, 241);
  EXPECT_EQ(conv("0x1A").value, 26);
  EXPECT_EQ(conv("010").value, 8);
  EXPECT_EQ(conv("-12").value, -12);
  EXPECT_EQ(conv("abc").value, 0);
  EXPECT_EQ(conv("99999999999").value, INT32_MAX);
  EXPECT_EQ(conv("-99999999999").value, INT32_MIN);
  IntValue v = conv("7/");
  EXPECT_EQ(v.value, 7);
  EXPECT_TRUE(ends_with_slash(v.end));
  EXPECT_FALSE(ends_with_slash(conv("7").end));
}

TEST(Conversions, IntegersAgreeWithStrtollOnEveryForm) {
  // Plain decimal numbers take a path of their own: it must end where
  // strtoll ends and give what strtoll gives, clamped to 32 bits.
  for (const char* s : {"0", "0/", "-0", "+0", "00", "07", "08", "09/", "0x", "0x/", "0X1f", "0xg",
                        "1", "+12/", "-12/", "123456789012345678", "1234567890123456789",
                        "99999999999999999999", "2147483647", "2147483648", "-2147483648",
                        "-2147483649", "-", "+", "+-1", "/", ")", "12a", "1.5", "1e3", "5/0"}) {
    Token t;
    TextReader in = text(s);
    read_token(in, t);
    char* end = nullptr;
    long long expected = std::strtoll(t.text, &end, 0);
    if (expected > INT32_MAX) expected = INT32_MAX;
    if (expected < INT32_MIN) expected = INT32_MIN;
    IntValue v = to_int(t);
    EXPECT_EQ(v.value, expected) << s;
    EXPECT_EQ(v.end - t.text, end - t.text) << s;
  }
}

TEST(ReadToken, TokensHeadersAndSlashesAcrossTheBufferBoundaryOfAFile) {
  namespace fs = std::filesystem;
  // A name of its own, so that runs of the suite side by side never share it.
  fs::path path = fs::temp_directory_path() /
                  ("lira_buffer_boundary_test_" +
                   std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".txt");
  // A line longer than the buffer before the header, then tokens that straddle
  // the next boundaries: blanks, a token and a skipped record each in two parts.
  std::string body = std::string(70000, 'z') + "\n( 6/ header\n";
  body += std::string(65536 * 2 - body.size() - 3, ' ') + "abcdef 1 2 /";
  std::string long_token(149, 't');
  body += std::string(65536 * 3 - body.size() - 100, ' ') + long_token + " 7/ x\n)";
  {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    std::fwrite(body.data(), 1, body.size(), f);
    std::fclose(f);
  }
  TextReader in(path.string());
  ASSERT_TRUE(in.open());
  ASSERT_TRUE(find_document(in, "( 6/"));
  Token t;
  ASSERT_TRUE(read_token(in, t));
  EXPECT_EQ(t.view(), "abcdef");
  EXPECT_TRUE(skip_to_slash(in));
  ASSERT_TRUE(read_token(in, t));
  EXPECT_EQ(t.view(), long_token);
  ASSERT_TRUE(read_token(in, t));
  EXPECT_EQ(t.view(), "7/");
  EXPECT_EQ(in.get(), ' ');
  EXPECT_TRUE(skip_line(in));
  ASSERT_TRUE(read_token(in, t));
  EXPECT_EQ(t.view(), ")");
  EXPECT_FALSE(read_token(in, t));
  EXPECT_FALSE(skip_line(in));
  in.close();
  fs::remove(path);
}

TEST(Conversions, RealsAsStrtodOnDecimalNumbers) {
  Token t;
  auto conv = [&](const char* s) {
    TextReader in = text(s);
    read_token(in, t);
    return to_real(t);
  };
  EXPECT_EQ(conv("3E6").value, 3e6);
  EXPECT_EQ(conv("+.5").value, 0.5);
  EXPECT_EQ(conv("0.2").value, 0.2);
  EXPECT_TRUE(std::signbit(conv("-0").value));
  RealValue glued = conv("60/");
  EXPECT_EQ(glued.value, 60);
  EXPECT_TRUE(ends_with_slash(glued.end));
  EXPECT_EQ(*conv("1e/").end, 'e');
  // Not numbers here: they would put "inf" or "nan" into a script.
  EXPECT_EQ(conv("inf").value, 0);
  EXPECT_EQ(conv("nan").value, 0);
  EXPECT_EQ(conv("0x10").value, 0);
  EXPECT_EQ(conv("1e400").value, HUGE_VAL);
  EXPECT_EQ(conv("-1e400").value, -HUGE_VAL);
  EXPECT_EQ(conv("1e-400").value, 0);
}

TEST(SkipToSlash, ConsumesTheSlashOnly) {
  TextReader in = text("a b/c / d");
  EXPECT_TRUE(skip_to_slash(in));
  EXPECT_EQ(in.get(), 'c');
  EXPECT_TRUE(skip_to_slash(in));
  EXPECT_FALSE(skip_to_slash(in));
}

TEST(TextMode, CrLfIsReadAsLfAndALoneCrStays) {
  TextReader in = text("a\r\nb\rc\r\r\n");
  std::string got;
  for (int c; (c = in.get()) != EOF;) got += static_cast<char>(c);
  EXPECT_EQ(got, "a\nb\rc\r\n");
}

TEST(TextMode, CrLfAcrossTheBufferBoundaryOfAFile) {
  namespace fs = std::filesystem;
  fs::path path = fs::path(lira::testing::scratch_path("crlf.txt"));
  std::string body(65535, 'x');
  body += "\r\n";  // the CR is the last byte of the first buffer
  body += std::string(70000, 'y') + "\r";
  {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    std::fwrite(body.data(), 1, body.size(), f);
    std::fclose(f);
  }
  TextReader in(path.string());
  ASSERT_TRUE(in.open());
  std::string got;
  for (int c; (c = in.get()) != EOF;) got += static_cast<char>(c);
  EXPECT_EQ(got, std::string(65535, 'x') + "\n" + std::string(70000, 'y') + "\r");
  in.close();
  fs::remove(path);
  EXPECT_FALSE(in.open());
}

}  // namespace
}  // namespace lira
