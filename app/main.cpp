// Start-up. With arguments the program is a command-line tool that needs no display and
// starts no GUI; without, it opens the calculator window.
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/fd_input.h"
#include "ui/application.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Whether Qt will find somewhere to show the window; without, it would abort.
bool HasDisplay() {
  const std::string_view platform = IsSet("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  if (platform.starts_with("xcb")) return IsSet("DISPLAY");
  if (platform.starts_with("wayland")) return IsSet("WAYLAND_DISPLAY");
  if (!platform.empty()) return true;  // offscreen, vnc, eglfs... need no display server
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
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
