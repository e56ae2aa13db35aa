#include "ui/application.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include "tarnivel_version.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tarnivel {

int RunCalculatorWindow(int& argc, char** argv,
                        const std::function<void(QWidget& window)>& on_shown) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnivel"));
  QApplication::setApplicationVersion(QString::fromLatin1(kTarnivelVersion));
  QApplication::setDesktopFileName(QStringLiteral("org.tarnivel.Tarnivel"));
  InstallTranslations(LanguageFor(QLocale::system().uiLanguages()));

  QtMessageBoxes messages;
  MainWindow window(messages);
  window.CentreOnScreen();
  window.show();
  if (on_shown) QTimer::singleShot(0, &window, [&] { on_shown(window); });
  return QApplication::exec();
}

}  // namespace tarnivel
