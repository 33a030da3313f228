#include "console.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cp866.h"
#include "common/testing/scripted_console.h"
#include "stop.h"

namespace lira {
namespace {

using testing::ScriptedConsole;

TEST(Console, KeysAreTheNextNonBlankCharacters) {
  ScriptedConsole s(" \n\tY\r\ne");
  EXPECT_EQ(read_key(s.con), 'Y');
  EXPECT_EQ(read_key(s.con), 'e');
  EXPECT_EQ(read_key(s.con), EOF);  // no key: it matches no letter
  EXPECT_FALSE(key_is(EOF, 'y'));
}

TEST(Console, KeyIsTakesBothCasesOfOneLatinLetter) {
  EXPECT_TRUE(key_is('y', 'y'));
  EXPECT_TRUE(key_is('Y', 'y'));
  EXPECT_FALSE(key_is('n', 'y'));
  EXPECT_FALSE(key_is('\r', 'y'));
  EXPECT_FALSE(key_is(0xAD, 'y'));  // a Cyrillic letter on the same key
}

TEST(Console, NumbersAndKeysShareTheInput) {
  ScriptedConsole s("0.5\n2500 y 5\n2400 0\n");
  EXPECT_EQ(read_double(s.con), 0.5);
  EXPECT_EQ(read_double(s.con), 2500);
  EXPECT_EQ(read_key(s.con), 'y');
  EXPECT_EQ(read_int(s.con), 5);
  EXPECT_EQ(read_float(s.con), 2400.0f);
  EXPECT_EQ(read_int(s.con), 0);
}

TEST(Console, ANonNumericAnswerStops) {
  for (const char* answer : {"abc", "", "1e400"}) {
    ScriptedConsole s(answer);
    try {
      read_double(s.con);
      ADD_FAILURE() << answer;
    } catch (const Stop& stop) {
      EXPECT_EQ(stop.message, "\nIncorrect answer: a number was expected.");
    }
  }
}

TEST(Console, OrderlyStopShowsTheMessageAndWaitsForAKey) {
  ScriptedConsole s("x z");
  orderly_stop(s.con, "\nIncorrect modellir.txt: no stiffness.");
  EXPECT_EQ(s.shown, "\nIncorrect modellir.txt: no stiffness.\nPress any key to finish\n");
  EXPECT_EQ(read_key(s.con), 'z');  // exactly one key was taken
}

TEST(Console, FileDiagramRightAlignsTheInputs) {
  ScriptedConsole s("");
  print_file_diagram(s.con, "modellir.txt", "modelans.lgw", "console input");
  EXPECT_EQ(s.shown,
            "\n\n      modellir.txt\xC4\xC4\xBF"
            "\n                    \xC3\xC4\xC4> modelans.lgw"
            "\n     console input\xC4\xC4\xD9\n\n");
  ScriptedConsole k("");
  print_file_diagram(k.con, "A#00.A", "B#00.B", "A_02.A");
  EXPECT_EQ(k.shown,
            "\n\n            A#00.A\xC4\xC4\xBF\n                    \xC3\xC4\xC4> B#00.B"
            "\n            A_02.A\xC4\xC4\xD9\n\n");
}

TEST(Cp866, RussianLettersAndSignsAreSingleBytes) {
  EXPECT_EQ(cp866("Тарвекс для LIRA"), "\x92\xA0\xE0\xA2\xA5\xAA\xE1 \xA4\xAB\xEF LIRA");
  EXPECT_EQ(cp866("АЯапряЁё№"), "\x80\x9F\xA0\xAF\xE0\xEF\xF0\xF1\xFC");
  EXPECT_EQ(cp866("─┐├┘"), "\xC4\xBF\xC3\xD9");
  EXPECT_EQ(cp866("[кг/м3]\n"), "[\xAA\xA3/\xAC" "3]\n");
}

TEST(Writer, NumbersInTheOneFormat) {
  std::string s;
  {
    Writer w(&s);
    w << "N," << 12 << "," << 6.0f << "," << 0.1f << "," << -0.25 << "," << 3e10 << "," << -0.0;
  }
  EXPECT_EQ(s, "N,12,6,0.1,-0.25,3e+010,-0");
}

TEST(Writer, IntegersInPlainDecimal) {
  std::string s;
  {
    Writer w(&s);
    for (long long v : {0LL, 7LL, -7LL, 10LL, 99LL, 100LL, 101LL, -1000LL, 2147483647LL,
                        -2147483647LL - 1, 9223372036854775807LL, -9223372036854775807LL - 1}) {
      w << v << " ";
    }
  }
  EXPECT_EQ(s, "0 7 -7 10 99 100 101 -1000 2147483647 -2147483648 9223372036854775807 "
               "-9223372036854775808 ");
}

TEST(Writer, RefusesNonFiniteNumbersWhenAsked) {
  std::string s;
  Writer w(&s);
  w << 1e308 * 10;  // the console may show it
  w.refuse_non_finite("modelans.lgw");
  try {
    w << 1e308 * 10;
    ADD_FAILURE();
  } catch (const Stop& stop) {
    EXPECT_EQ(stop.message,
              "\nA number out of range would be written to modelans.lgw: check the model's values.");
  }
  EXPECT_EQ(s, "inf");
}

TEST(Writer, AFullDeviceIsAFailedClose) {
  Writer w;
  if (!w.open("/dev/full", false)) GTEST_SKIP() << "no /dev/full";
  w << std::string(200000, 'x');
  EXPECT_FALSE(w.close());
}

}  // namespace
}  // namespace lira
