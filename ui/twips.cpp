#include "ui/twips.h"

#include <QFont>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tarnivel {
namespace {

constexpr double kDefaultPointSize = 9;
constexpr double kPointsPerInch = 72;
constexpr double kPixelsPerInch = 96;  // device-independent pixels

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

QRect Scaled(const QRect& rect, double scale) {
  return QRect(Scaled(rect.x(), scale), Scaled(rect.y(), scale), Scaled(rect.width(), scale),
               Scaled(rect.height(), scale));
}

void ScaleChildren(QWidget& parent, double scale) {
  for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    if (parent.layout() == nullptr) child->setGeometry(Scaled(child->geometry(), scale));
    ScaleChildren(*child, scale);
  }
}

}  // namespace

double LayoutScale(const QFont& font) {
  const double points = font.pointSizeF() > 0 ? font.pointSizeF()
                                              : font.pixelSize() * kPointsPerInch / kPixelsPerInch;
  return std::max(1.0, points / kDefaultPointSize);
}

void ScaleTwipsLayout(QWidget& window, double scale) {
  if (scale == 1.0) return;
  // The layout is fixed: its pixels at the default font, each stood for 15 twips.
  window.setFixedSize(Scaled(window.width(), scale), Scaled(window.height(), scale));
  ScaleChildren(window, scale);
}

}  // namespace tarnivel
