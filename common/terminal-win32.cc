// The console on Windows: _getch for one key, the devices CON and NUL.
#include <conio.h>
#include <fcntl.h>
#include <io.h>

#include "terminal.h"

namespace lira {
namespace terminal {

// Standard output stays in text mode: "\n" becomes CR LF, other bytes pass.
void prepare_standard_output() { _setmode(_fileno(stdout), _O_TEXT); }

bool input_is_terminal() { return _isatty(_fileno(stdin)) != 0; }

int read_terminal_key() { return _getch(); }

std::FILE* open_console_trace(bool* owned) {
  std::FILE* f = std::fopen("CON", "w");
  *owned = f != nullptr;
  return f;
}

const char* null_device() { return "NUL"; }

}  // namespace terminal
}  // namespace lira
