// The yardstick for start-up: a bare Qt window with the same widgets in the same places and
// nothing else (no icon, no style sheet, no calculations). Prints the time it was shown.
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(326, 167);
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
  window.show();
  QTimer::singleShot(0, &window, [] {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    QApplication::quit();
  });
  return QApplication::exec();
}
