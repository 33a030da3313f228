#include "console.h"

#include <cstdio>
#include <iostream>

#include "model_messages.h"
#include "stop.h"
#include "terminal.h"

namespace lira {
namespace {

const char kHorizontal = '\xC4';  // ─ in code page 866
const char kTopRight = '\xBF';    // ┐
const char kTeeRight = '\xC3';    // ├
const char kBottomRight = '\xD9'; // ┘

// The input names end in column 17, so the connectors begin in column 18.
void right_aligned(Writer& out, std::string_view name) {
  for (std::size_t i = name.size(); i < 18; ++i) out << ' ';
  out << name;
}

bool is_blank(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

Console standard_console() {
  terminal::prepare_standard_output();
  terminal::prepare_standard_input();
  static Writer out(stdout);
  return Console{&out, &std::cin, terminal::input_is_terminal()};
}

void print_banner(Console& con, std::string_view english, std::string_view russian) {
  *con.out << english << russian;
}

void print_file_diagram(Console& con, std::string_view first_input, std::string_view output,
                        std::string_view second_input) {
  Writer& out = *con.out;
  out << "\n\n";
  right_aligned(out, first_input);
  out << kHorizontal << kHorizontal << kTopRight;
  out << "\n                    " << kTeeRight << kHorizontal << kHorizontal << "> " << output;
  out << "\n";
  right_aligned(out, second_input);
  out << kHorizontal << kHorizontal << kBottomRight;
  out << "\n\n";
  out.flush();
}

void say(Console& con, std::string_view english, std::string_view russian) {
  *con.out << english << russian;
}

int read_key(Console& con) {
  con.out->flush();
  if (con.keys_from_terminal) return terminal::read_terminal_key();
  con.in->clear();
  for (;;) {
    int c = con.in->get();
    if (c == EOF) return EOF;
    if (!is_blank(c)) return c;
  }
}

bool key_is(int key, char lower_letter) {
  return key == lower_letter || key == lower_letter - 'a' + 'A';
}

double read_double(Console& con) {
  con.out->flush();
  double v = 0;
  if (!(*con.in >> v)) fail(msg::kNotANumber);
  return v;
}

float read_float(Console& con) {
  con.out->flush();
  float v = 0;
  if (!(*con.in >> v)) fail(msg::kNotANumber);
  return v;
}

int read_int(Console& con) {
  con.out->flush();
  int v = 0;
  if (!(*con.in >> v)) fail(msg::kNotANumber);
  return v;
}

void orderly_stop(Console& con, std::string_view message) {
  *con.out << message;
  press_any_key_to_finish(con);
}

void press_any_key_to_finish(Console& con) {
  *con.out << "\n";
  con.out->flush();
  *con.out << "Press any key to finish\n";
  con.out->flush();
  read_key(con);
}

}  // namespace lira
