// Start-up. With arguments the program is a command-line tool that needs no display and
// starts no GUI; without, it opens the calculator window.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/fd_input.h"
#include "ui/application.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tarnivel::FdInputBuffer standard_input(0);  // hands over rows as soon as they arrive
    std::istream in(&standard_input);
    return tarnivel::RunCommandLine(args, in, std::cout, std::cerr);
  }
  if (!HasDisplay()) {
    std::cerr << "tarnivel: there is no display to open the window on (DISPLAY is not set).\n"
                 "The calculations also work from the command line:\n\n"
              << tarnivel::UsageText();
    return EXIT_FAILURE;
  }
  return tarnivel::RunCalculatorWindow(argc, argv);
}
