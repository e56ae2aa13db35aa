// Starts the calculator window as the program's window library does (linked in here rather
// than loaded) and, once it is shown, prints the wall-clock time in nanoseconds and quits.
// scripts/bench subtracts the time it launched us.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <ctime>

#include "ui/application.h"

int main(int argc, char** argv) {
  return tarnivel::RunCalculatorWindow(argc, argv, [](QWidget&) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    QApplication::quit();
  });
}
