// The single key of a POSIX terminal: read from a pseudo-terminal as a user
// would type it, one key and no Enter, without echo, the terminal restored.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "terminal.h"

namespace {

struct Pty {
  int master = -1;
  std::string slave_name;
};

Pty open_pty() {
  Pty p;
  p.master = posix_openpt(O_RDWR | O_NOCTTY);
  if (p.master >= 0 && grantpt(p.master) == 0 && unlockpt(p.master) == 0) {
    p.slave_name = ptsname(p.master);
  }
  return p;
}

// Waits until the terminal is out of canonical mode (the read has begun).
bool wait_for_raw_mode(int master) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    termios t;
    if (tcgetattr(master, &t) == 0 && (t.c_lflag & ICANON) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

TEST(TerminalKey, OneKeyWithoutEnterAndWithoutEcho) {
  Pty pty = open_pty();
  if (pty.slave_name.empty()) GTEST_SKIP() << "no pseudo-terminal";
  // Held open here too, so that what the terminal echoes can still be read
  // from the master side when the child has ended.
  int held = open(pty.slave_name.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(held, 0);
  int result[2];
  ASSERT_EQ(pipe(result), 0);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The key reader on a terminal of its own as standard input.
    setsid();
    int slave = open(pty.slave_name.c_str(), O_RDWR);
    if (slave < 0 || dup2(slave, STDIN_FILENO) < 0) _exit(2);
    termios before;
    tcgetattr(STDIN_FILENO, &before);
    unsigned char answer[3];
    answer[0] = static_cast<unsigned char>(lira::terminal::input_is_terminal() ? 1 : 0);
    answer[1] = static_cast<unsigned char>(lira::terminal::read_terminal_key());
    termios after;
    tcgetattr(STDIN_FILENO, &after);
    answer[2] = static_cast<unsigned char>(before.c_lflag == after.c_lflag &&
                                           before.c_cc[VMIN] == after.c_cc[VMIN]);
    if (write(result[1], answer, 3) != 3) _exit(3);
    _exit(0);
  }
  close(result[1]);
  ASSERT_TRUE(wait_for_raw_mode(pty.master));
  ASSERT_EQ(write(pty.master, "k", 1), 1);  // one key, no line end

  unsigned char answer[3] = {};
  ASSERT_EQ(read(result[0], answer, 3), 3);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(answer[0], 1) << "standard input is the terminal";
  EXPECT_EQ(answer[1], 'k');
  EXPECT_EQ(answer[2], 1) << "the terminal modes are restored after the key";

  // Nothing came back from the terminal: the key was not echoed.
  fcntl(pty.master, F_SETFL, O_NONBLOCK);
  char echoed[16];
  EXPECT_LE(read(pty.master, echoed, sizeof echoed), 0);
  close(held);
  close(pty.master);
  close(result[0]);
}

}  // namespace
