// Start-up: with arguments the program is a command-line tool that needs no display.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tarnivel::RunCommandLine(args, std::cin, std::cout, std::cerr);
}
