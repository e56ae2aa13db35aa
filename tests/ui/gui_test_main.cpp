// GoogleTest over a QApplication; CTest runs these on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/language.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  // The window's tests read its Chinese texts, whatever the developer's locale; the program
  // chooses its language from a C locale as it does when it starts.
  qputenv("LC_ALL", "C.UTF-8");
  qunsetenv("LANGUAGE");
  QApplication app(argc, argv);
  // What the window remembers (an open section) goes to a folder of this run's own, empty at
  // the start: CTest runs the tests in parallel processes, which must not see each other's.
  QStandardPaths::setTestModeEnabled(true);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  tarnivel::InstallTranslations(tarnivel::LanguageFor(QLocale::system().uiLanguages()));
  return RUN_ALL_TESTS();
}
