// GoogleTest over a QApplication; CTest runs these on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include "ui/language.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  // The window's tests read its Chinese texts, whatever the developer's locale; the program
  // chooses its language from a C locale as it does when it starts.
  qputenv("LC_ALL", "C.UTF-8");
  qunsetenv("LANGUAGE");
  QApplication app(argc, argv);
  // What the window remembers (an open section) goes to a test folder, empty at the start.
  QStandardPaths::setTestModeEnabled(true);
  QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")).clear();
  tarnivel::InstallTranslations(tarnivel::LanguageFor(QLocale::system().uiLanguages()));
  return RUN_ALL_TESTS();
}
