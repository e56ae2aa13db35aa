// Start-up. With a command the program is a command-line tool that needs no display and
// starts no GUI; without one it opens the calculator window, passing on Qt's own arguments
// (-style, -platform, -reverse...). The window lives in a library of its own, loaded only
// then, so that the command line runs without Qt in the process. On Windows this program is
// the command line alone, tarnivel-cli.exe; the window is Tarnivel.exe (win32/).
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/exit_status.h"
#include "system/fd_input.h"
#include "system/fd_output.h"
#include "system/platform.h"
#include "system/report.h"

#ifdef TARNIVEL_WINDOW
#include "app/display.h"
#include "app/window_loader.h"
#endif

namespace {

#ifndef _WIN32
// Qt's own command-line options, each taken by QApplication rather than by the command line.
constexpr std::string_view kQtOptions[] = {"-style",
                                           "-stylesheet",
                                           "-platform",
                                           "-platformpluginpath",
                                           "-platformtheme",
                                           "-plugin",
                                           "-reverse",
                                           "-session",
                                           "-widgetcount",
                                           "-qwindowgeometry",
                                           "-qwindowicon",
                                           "-qwindowtitle",
                                           "-display",
                                           "-geometry",
                                           "-title",
                                           "-name",
                                           "-visual",
                                           "-ncols",
                                           "-cmap",
                                           "-nograb",
                                           "-dograb",
                                           "-sync",
                                           "-fn",
                                           "-font",
                                           "-bg",
                                           "-background",
                                           "-fg",
                                           "-foreground",
                                           "-btn",
                                           "-button",
                                           "-im",
                                           "-qmljsdebugger"};

bool IsQtOption(std::string_view arg) {
  if (arg.starts_with("--")) arg.remove_prefix(1);
  arg = arg.substr(0, arg.find('='));
  for (std::string_view option : kQtOptions) {
    if (arg == option) return true;
  }
  return false;
}
#endif

int RunCommandLine(const std::vector<std::string>& args) {
  tarnivel::PrepareStandardStreams();
  tarnivel::FdInputBuffer standard_input(0);  // hands over rows as soon as they arrive
  tarnivel::FdOutputBuffer standard_output(1);
  std::istream in(&standard_input);
  std::ostream out(&standard_output);
#ifdef TARNIVEL_WINDOW
  tarnivel::SetSheetPdfMaker(&tarnivel::WriteSheetPdfThroughWindowLibrary);
#endif
  return tarnivel::RunCommandLine(args, in, out, std::cerr);
}

int NoWindow(std::string_view why) {
  tarnivel::Report(std::cerr, why);
  std::cerr << "The calculations also work from the command line:\n\n" << tarnivel::UsageText();
  return tarnivel::kExitUnavailable;
}

#ifdef _WIN32
// On Windows the window is a program of its own, Tarnivel.exe, and this one is the command line.
int Run(const std::vector<std::string>& args) {
  if (!args.empty()) return RunCommandLine(args);
  return NoWindow("this program is the command line; the window is Tarnivel.exe.");
}
#else
int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && !IsQtOption(args.front())) return RunCommandLine(args);
#ifdef TARNIVEL_WINDOW
  if (!tarnivel::DisplayReachable(args)) {
    return NoWindow(
        "there is no display to open the window on (DISPLAY is not set or cannot be reached).");
  }
  return tarnivel::RunWindowLibrary(argc, argv);
#else
  return NoWindow("this build has no window.");
#endif
}
#endif

}  // namespace

#ifdef _WIN32
// Windows hands over the arguments in UTF-16; the command line reads them as UTF-8.
int wmain(int argc, wchar_t** argv) {
  try {
    return Run(tarnivel::Utf8Arguments(argc, argv));
#else
int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
#endif
  } catch (const std::bad_alloc&) {
    tarnivel::ReportOutOfMemory(std::cerr);
    return tarnivel::kExitOutOfMemory;
  }
}
