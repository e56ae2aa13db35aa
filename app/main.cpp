// Start-up. With arguments the program is a command-line tool that needs no display and
// starts no GUI; without, it opens the calculator window.
#include <QApplication>
#include <QLocale>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/fd_input.h"
#include "tarnivel_version.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnivel"));
  QApplication::setApplicationVersion(QString::fromLatin1(kTarnivelVersion));
  QApplication::setDesktopFileName(QStringLiteral("org.tarnivel.Tarnivel"));
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));  // the program's language

  tarnivel::QtMessageBoxes messages;
  tarnivel::MainWindow window(messages);
  window.CentreOnScreen();
  window.show();
  return QApplication::exec();
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
  return RunWindow(argc, argv);
}
