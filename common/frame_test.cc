#include "frame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "common/testing/scripted_console.h"
#include "stop.h"

namespace lira {
namespace {

const Frame kFrame{"\nTool, v.1.", "\n\xD2", "in.txt", "out.txt", "keys",
                   {"\nDone.", "\n\xC3\n", false}};
// The banner, then the diagram of in.txt, out.txt and keys.
const std::string kStart =
    "\nTool, v.1.\n\xD2"
    "\n\n            in.txt\xC4\xC4\xBF\n                    \xC3\xC4\xC4> out.txt"
    "\n              keys\xC4\xC4\xD9\n\n";

using Framed = testing::ScriptedConsole;

TEST(Frame, AStopEndsInTheOrderlyStopWithExitCodeOne) {
  Framed f("x z");
  int code = run_in_frame(f.con, kFrame, []() -> Ending { fail("\nIncorrect in.txt: no end."); });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(f.shown, kStart + "\nIncorrect in.txt: no end.\nPress any key to finish\n");
  EXPECT_EQ(read_key(f.con), 'z');  // the stop took one key
}

TEST(Frame, ASuccessShowsItsTextsAndWaitsOnlyWhenAsked) {
  Framed quick("x");
  EXPECT_EQ(run_in_frame(quick.con, kFrame, [] { return Ending::kCompleted; }), 0);
  EXPECT_EQ(quick.shown, kStart + "\nDone.\n\xC3\n");
  EXPECT_EQ(read_key(quick.con), 'x');  // no key taken

  Frame waiting = kFrame;
  waiting.success.wait_for_key = true;
  Framed slow("x z");
  EXPECT_EQ(run_in_frame(slow.con, waiting, [] { return Ending::kCompleted; }), 0);
  EXPECT_EQ(slow.shown, kStart + "\nDone.\n\xC3\n\nPress any key to finish\n");
  EXPECT_EQ(read_key(slow.con), 'z');
}

TEST(Frame, ADeclinedRunShowsNothingMoreAndEndsWithMinusOne) {
  Framed f("");
  EXPECT_EQ(run_in_frame(f.con, kFrame, [] { return Ending::kDeclined; }), -1);
  EXPECT_EQ(f.shown, kStart);
}

// The trace and the console share one screen, here one file: what the body
// traced comes before whatever the frame shows after it.
TEST(Frame, TheTraceIsFlushedBeforeTheStopAndTheSuccess) {
  for (bool stop : {true, false}) {
    std::FILE* screen = std::tmpfile();
    ASSERT_NE(screen, nullptr);
    std::string ignored;
    {
      Writer out(screen), trace(screen);
      std::istringstream keys("");
      Console con{&out, &keys, false};
      Frame frame = kFrame;
      frame.trace = &trace;
      run_in_frame(con, frame, [&] {
        trace << "traced\n";
        if (stop) fail("\nStopped.");
        return Ending::kCompleted;
      });
      out.flush();
    }
    std::rewind(screen);
    std::string bytes;
    for (int c; (c = std::fgetc(screen)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(screen);
    EXPECT_EQ(bytes, kStart + "traced\n" +
                         (stop ? "\nStopped.\nPress any key to finish\n" : "\nDone.\n\xC3\n"));
  }
}

}  // namespace
}  // namespace lira
