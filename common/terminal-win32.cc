// The console on Windows: _getch for one key, the devices CON and NUL.
#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>

#include "terminal.h"

namespace lira {
namespace terminal {

// Standard output stays in text mode: "\n" becomes CR LF, other bytes pass.
void prepare_standard_output() { _setmode(_fileno(stdout), _O_TEXT); }

// Scripted answers are read as they stand, as on POSIX: in text mode a Ctrl+Z
// would end them early. CR is white space to the key and number readers.
void prepare_standard_input() {
  if (!input_is_terminal()) _setmode(_fileno(stdin), _O_BINARY);
}

// _isatty is true for every character device, NUL among them, and _getch
// would then wait on the console although the answers come from elsewhere.
// Only a console has a console mode.
bool input_is_terminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

int read_terminal_key() {
  int c = _getch();
  // A function or arrow key arrives as 0 or 0xE0 followed by its scan code;
  // the scan code is taken too, or the next question would read it as its
  // answer (Ctrl+F8 would be an 'e').
  if (c == 0 || c == 0xE0) _getch();
  return c;
}

std::FILE* open_console_trace(bool* owned) {
  std::FILE* f = std::fopen("CON", "w");
  if (f != nullptr) {
    *owned = true;
    return f;
  }
  // A process without a console (started detached) has no CON.
  *owned = false;
  return stderr;
}

const char* null_device() { return "NUL"; }

}  // namespace terminal
}  // namespace lira
