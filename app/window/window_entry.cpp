// The window's way in, loaded by the program only when it opens the window or writes a PDF
// sheet: the command line thereby never maps Qt's libraries otherwise, which would cost it
// their relocations and start-up work in time and memory.
#include "app/window/window_entry.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "ui/application.h"
#include "ui/sheet/sheet_pdf.h"

extern "C" __attribute__((visibility("default"))) int tarnivel_run_window(int argc, char** argv) {
  return tarnivel::RunCalculatorWindow(argc, argv);
}

extern "C" __attribute__((visibility("default"))) int tarnivel_write_sheet_pdf(
    const char* rich_text, const char* page_pattern, const char* title, TarnivelSink* sink,
    void* context) {
  // A PDF needs fonts, not a screen: without a platform named, the one that needs none, and
  // an application for the time it takes when the process has none (the command line's).
  std::optional<QGuiApplication> application;
  if (QGuiApplication::instance() == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "tarnivel";
    static char* argv[] = {name, nullptr};
    // Qt's notes about its runtime folder and the like are not the command line's to print.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "tarnivel: %s\n", text.toLocal8Bit().constData());
      }
    });
    application.emplace(argc, argv);
  }
  const QByteArray pdf = tarnivel::SheetPdf(
      QString::fromUtf8(rich_text), QString::fromUtf8(page_pattern), QString::fromUtf8(title));
  if (pdf.isEmpty()) {
    const QByteArray why = "the PDF could not be laid out";
    sink(context, why.constData(), static_cast<std::size_t>(why.size()));
    return 1;
  }
  sink(context, pdf.constData(), static_cast<std::size_t>(pdf.size()));
  return 0;
}
