// The window's frames drawn by their own style look exactly as the style sheet they replaced
// drew them: line, corners, the gap for the caption and the caption itself, pixel for pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <algorithm>

#include "ui/frame_style.h"

namespace tarnivel {
namespace {

// The frames' look as it used to be written: the reference the style is held to.
QString SheetFor(double scale) {
  return QStringLiteral(
             "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: %1px; }"
             "QGroupBox::title { subcontrol-origin: margin; left: %2px; padding: 0 %3px; }")
      .arg(qRound(7 * scale))
      .arg(qRound(kCaptionIndent * scale))
      .arg(qRound(kCaptionPadding * scale));
}

// A frame holding a text box, as the window places them, drawn either way.
QImage Frame(const QString& caption, double points, Qt::LayoutDirection direction, bool by_sheet) {
  const double scale = std::max(1.0, points / 9);
  FrameStyle style(scale);  // before the window, to outlive the frame that uses it
  QWidget window;
  QFont font = window.font();
  font.setPointSizeF(points);
  window.setFont(font);
  window.setLayoutDirection(direction);
  window.resize(qRound(200 * scale), qRound(70 * scale));
  auto* frame = new QGroupBox(caption, &window);
  frame->setGeometry(4, 4, qRound(160 * scale), qRound(49 * scale));
  (new QLineEdit(frame))
      ->setGeometry(qRound(8 * scale), qRound(16 * scale), qRound(140 * scale), qRound(25 * scale));
  if (by_sheet) {
    frame->setStyleSheet(SheetFor(scale));
  } else {
    frame->setStyle(&style);
  }
  return window.grab().toImage();
}

TEST(FrameStyle, DrawsWhatTheFrameStyleSheetDrew) {
  const QString captions[] = {QStringLiteral("压强（MPa）"), QStringLiteral("流通直径（mm）"),
                              QStringLiteral("Pressure (MPa)"), QStringLiteral("Flow (Nm³/h)"),
                              QStringLiteral("允许压降（kPa）")};
  // The default font, the larger desktop font, and sizes whose caption widths round unevenly.
  for (const double points : {9.0, 14.0, 7.5, 11.0, 12.0, 16.0}) {
    for (const QString& caption : captions) {
      for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        EXPECT_EQ(Frame(caption, points, direction, false), Frame(caption, points, direction, true))
            << caption.toStdString() << " at " << points << " pt, direction " << direction;
      }
    }
  }
}

}  // namespace
}  // namespace tarnivel
