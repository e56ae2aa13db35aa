#include "ui/application.h"

#include <malloc.h>

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLocale>
#include <QTimer>
#include <utility>

#include "tarnivel_version.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tarnivel {
namespace {

// Calls `then` from the event loop once `window` has had its first paint, so that the paint
// reaches the screen before whatever `then` costs.
class AfterFirstPaint final : public QObject {
 public:
  AfterFirstPaint(QWidget& window, std::function<void()> then)
      : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, watched, std::move(then_));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

QIcon ApplicationIcon() {
  QIcon built_in;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    built_in.addFile(QStringLiteral(":/tarnivel/tarnivel-%1.png").arg(size), QSize(size, size));
  }
  return QIcon::fromTheme(QStringLiteral("tarnivel"), built_in);
}

void ShowCalculatorWindow(QWidget& window) {
  new AfterFirstPaint(window, [&window] {
    window.setWindowIcon(ApplicationIcon());
    malloc_trim(0);
  });
  window.show();
}

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
  ShowCalculatorWindow(window);
  if (on_shown) QTimer::singleShot(0, &window, [&] { on_shown(window); });
  return QApplication::exec();
}

}  // namespace tarnivel
