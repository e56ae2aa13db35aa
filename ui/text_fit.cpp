#include "ui/text_fit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace tarnivel {
namespace {

// The box's frame and its text margins on both sides, and the cursor.
constexpr int kTextInsets = 10;

void UseOrdinaryFont(QLineEdit& box) {
  if (!box.testAttribute(Qt::WA_SetFont)) return;
  box.setFont(QFont());  // inherit the window's again
  box.setToolTip(QString());
}

}  // namespace

void ShowWhole(QLineEdit& box, const QString& text) {
  UseOrdinaryFont(box);
  box.setText(text);
  box.setCursorPosition(0);  // a long result reads from its first digit

  const double room = box.width() - kTextInsets;
  QFont font = box.font();
  const double ordinary = font.pointSizeF();
  const double width = QFontMetricsF(font).horizontalAdvance(text);
  if (width <= room || ordinary <= 0) return;

  // Text widths follow the point size closely; step down from the estimate until it fits.
  double points = std::max(kSmallestResultPointSize, std::floor(ordinary * room / width * 4) / 4);
  font.setPointSizeF(points);
  while (points > kSmallestResultPointSize && QFontMetricsF(font).horizontalAdvance(text) > room) {
    points = std::max(kSmallestResultPointSize, points - 0.25);
    font.setPointSizeF(points);
  }
  box.setFont(font);
  box.setToolTip(text);
}

void ShowWrapped(QLabel& label, const QString& text) {
  label.setFont(QFont());  // the window's, inherited
  label.setToolTip(QString());
  label.setText(text);
  QFont font = label.font();
  double points = font.pointSizeF();
  const auto fits = [&] {
    const QRectF drawn = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, label.width(), 1e6), Qt::TextWordWrap | label.alignment(), text);
    return drawn.height() <= label.height();
  };
  if (points <= 0 || fits()) return;
  while (points > kSmallestResultPointSize && !fits()) {
    points = std::max(kSmallestResultPointSize, points - 0.25);
    font.setPointSizeF(points);
  }
  label.setFont(font);
  label.setToolTip(text);
}

void RestoreFontOnEdit(QLineEdit& box) {
  QObject::connect(&box, &QLineEdit::textEdited, &box, [&box] { UseOrdinaryFont(box); });
}

}  // namespace tarnivel
