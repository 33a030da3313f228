#include <iostream>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  int code = modelcheck::run(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
