// The console on POSIX: termios for one key, standard error for "CON".
#include <termios.h>
#include <unistd.h>

#include "terminal.h"

namespace lira {
namespace terminal {

void prepare_standard_output() {}

void prepare_standard_input() {}

bool input_is_terminal() { return isatty(STDIN_FILENO) == 1; }

int read_terminal_key() {
  termios saved;
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return EOF;
  termios raw = saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  unsigned char c = 0;
  ssize_t n = read(STDIN_FILENO, &c, 1);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return n == 1 ? c : EOF;
}

std::FILE* open_console_trace(bool* owned) {
  *owned = false;
  return stderr;
}

const char* null_device() { return "/dev/null"; }

}  // namespace terminal
}  // namespace lira
