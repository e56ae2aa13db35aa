#pragma once
// The window's layout is kept in twips (1/1440 inch), 15 to a device-independent pixel at the
// default font. Like the platform the layout was drawn for, the window grows with its font:
// with a larger font a twip covers more pixels, so captions, buttons and fields keep their room.

#include <QRect>

#include "core/layout.h"

class QFont;
class QWidget;

namespace tarnivel {

// Twips per pixel at the default font, the size the layout was drawn at.
inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel at the default font.
constexpr int TwipsToPixels(int twips) {
  return (twips + (twips >= 0 ? 1 : -1) * kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

// The place of a control of the layout table, at the default font.
constexpr QRect TwipsRect(const Placement& placement) {
  return TwipsRect(placement.left, placement.top, placement.width, placement.height);
}

// How much larger than at the default font (9 pt, Qt's default on Linux) the layout is drawn
// with `font`: its point size over 9, and never smaller than 1, so that a small font keeps
// today's window.
double LayoutScale(const QFont& font);

// Grows the window, placed in twips at the default font (TwipsRect), by `scale`: its fixed
// size and every control's position and size, also inside frames. Controls a layout manages
// are left to it. A scale of 1 changes nothing.
void ScaleTwipsLayout(QWidget& window, double scale);

}  // namespace tarnivel
