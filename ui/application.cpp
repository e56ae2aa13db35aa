#include "ui/application.h"

#include <malloc.h>

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QIconEngine>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

#include "tarnivel_version.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tarnivel {
namespace {

// Calls `then` from the event loop once `window` has had its first paint, so that the paint
// reaches the screen before whatever `then` costs; at the latest after `latest`, for a window
// that starts minimised and is not painted until it is restored.
class AfterFirstPaint final : public QObject {
 public:
  AfterFirstPaint(QWidget& window, std::chrono::milliseconds latest, std::function<void()> then)
      : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
    QTimer::singleShot(latest, this, [this] { Run(); });
  }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      parent()->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] { Run(); });
    }
    return false;
  }

 private:
  void Run() {
    if (!then_) return;
    parent()->removeEventFilter(this);
    std::exchange(then_, {})();
    deleteLater();
  }

  std::function<void()> then_;
};

// The program's icon, decoded only for the request at hand: the window system copies each size
// once, and keeping them decoded as well would hold half a megabyte for nothing. Whether the
// theme has the icon is asked once; its sizes are then the theme's or the built-in ones.
class LookedUpIcon final : public QIconEngine {
 public:
  LookedUpIcon() : themed_(QIcon::hasThemeIcon(QString::fromLatin1(kName))) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    if (!themed_ && mode == QIcon::Normal) {
      // A QPixmap loaded from a file stays in the pixmap cache too; one from an image does not.
      const QPixmap pixmap = QPixmap::fromImage(QImage(BuiltInFile(size)));
      return pixmap.size() == size
                 ? pixmap
                 : pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return IconFor(size).pixmap(size, mode, state);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    IconFor(rect.size()).paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    if (themed_) return Themed().availableSizes(mode, state);
    QList<QSize> sizes;
    for (int side : kBuiltInSides) sizes.append(QSize(side, side));
    return sizes;
  }
  QString iconName() override { return themed_ ? QString::fromLatin1(kName) : QString(); }
  QIconEngine* clone() const override { return new LookedUpIcon(*this); }

 private:
  static constexpr auto kName = "tarnivel";
  static constexpr int kBuiltInSides[] = {16, 32, 48, 64, 128, 256};

  static QIcon Themed() { return QIcon::fromTheme(QString::fromLatin1(kName)); }

  // The built-in size Qt would pick for `size`: the smallest at least as large, else the
  // largest.
  static QString BuiltInFile(QSize size) {
    const int wanted = std::max(size.width(), size.height());
    int side = kBuiltInSides[std::size(kBuiltInSides) - 1];
    for (int built_in : kBuiltInSides) {
      if (built_in >= wanted) {
        side = built_in;
        break;
      }
    }
    return QStringLiteral(":/tarnivel/tarnivel-%1.png").arg(side);
  }

  QIcon IconFor(QSize size) const {
    if (themed_) return Themed();
    QIcon icon;
    icon.addFile(BuiltInFile(size));
    return icon;
  }

  bool themed_;
};

}  // namespace

QIcon ApplicationIcon() { return QIcon(new LookedUpIcon); }

void ShowCalculatorWindow(QWidget& window) {
  new AfterFirstPaint(window, std::chrono::milliseconds(500), [&window] {
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
