// The console dialogue shared by the three programs.
#pragma once

#include <istream>
#include <string_view>

#include "writer.h"

namespace lira {

/// Where a run talks to its user: texts go to `out`; typed numbers, and keys
/// when the input is not a terminal, come from `in`. Tests give a string
/// writer and a string stream.
struct Console {
  Writer* out;
  std::istream* in;
  bool keys_from_terminal;
};

/// The process's own console: standard output and standard input.
Console standard_console();

void print_banner(Console& con, std::string_view english, std::string_view russian);
/// The three-line drawing of the run's files; names up to 18 characters.
void print_file_diagram(Console& con, std::string_view first_input, std::string_view output,
                        std::string_view second_input);
void say(Console& con, std::string_view english, std::string_view russian);

/// The next key, never echoed. Scripted input gives its next character that is
/// not white space; at the end of input there is no key (EOF), which matches
/// no letter.
int read_key(Console& con);
bool key_is(int key, char lower_letter);

/// A number typed by the user; "\nIncorrect answer: a number was expected."
/// and a stop when the input holds no number.
double read_double(Console& con);
float read_float(Console& con);
int read_int(Console& con);

/// Shows `message` (it starts with "\n"), then "Press any key to finish", and
/// waits for a key. The caller then closes its files and ends with exit code 1.
void orderly_stop(Console& con, std::string_view message);
/// Ends the line shown last, shows "Press any key to finish" and waits for a
/// key: the end of a run whose user reads the screen first.
void press_any_key_to_finish(Console& con);

}  // namespace lira
