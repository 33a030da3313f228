// What differs between the platforms: the console key, the devices, file modes.
// One source per platform: terminal-posix.cc and terminal-win32.cc.
#pragma once

#include <cstdio>

namespace lira {
namespace terminal {

/// Puts standard output into the mode that keeps code page 866 bytes as they
/// are and writes each "\n" as the platform's line end.
void prepare_standard_output();

/// Puts standard input, when it is not a console, into the mode that gives its
/// bytes as they are (scripted answers).
void prepare_standard_input();

/// True when standard input is a console rather than a pipe or a file.
bool input_is_terminal();

/// One key from the console, without echo and without Enter; EOF when none
/// can be read.
int read_terminal_key();

/// Opens the console device for a trace stream ("CON"; standard error where
/// there is no such device, or where it cannot be opened). Never null; the
/// caller closes the stream only when `*owned` is true.
std::FILE* open_console_trace(bool* owned);

/// The null device ("NUL", "/dev/null").
const char* null_device();

}  // namespace terminal
}  // namespace lira
