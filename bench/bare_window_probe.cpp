// The yardstick for start-up: a bare Qt window with the same kinds and numbers of widgets as the
// calculator (four framed line edits, four buttons, a label, a combo box) in the same places,
// and nothing else: no translations, icon, style sheet, accessibility or calculations.
//
// It runs until closed, as the calculator does. With --quit-when-shown it prints the wall-clock
// time in nanoseconds once it is shown and quits, as startup_probe does.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(326, 192);
  const QRect frames[] = {
      {24, 8, 105, 49}, {184, 8, 121, 49}, {24, 64, 105, 49}, {184, 64, 121, 49}};
  for (const QRect& rect : frames) {
    auto* frame = new QGroupBox(QStringLiteral("压强（MPa）"), &window);
    frame->setGeometry(rect);
    (new QLineEdit(frame))->setGeometry(8, 16, rect.width() - 16, 25);
  }
  for (int i = 0; i < 4; ++i) {
    (new QPushButton(QStringLiteral("流速计算"), &window))->setGeometry(16 + 80 * i, 128, 65, 25);
  }
  (new QLabel(&window))->setGeometry(8, 160, 244, 25);
  auto* chooser = new QComboBox(&window);
  chooser->addItems({QStringLiteral("Sch40"), QStringLiteral("SDR11"), QStringLiteral("SDR17")});
  chooser->setGeometry(255, 160, 66, 25);
  window.show();
  if (argc > 1 && std::strcmp(argv[1], "--quit-when-shown") == 0) {
    QTimer::singleShot(0, &window, [] {
      timespec now{};
      clock_gettime(CLOCK_REALTIME, &now);
      std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
      std::fflush(stdout);
      QApplication::quit();
    });
  }
  return QApplication::exec();
}
