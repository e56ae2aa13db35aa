#pragma once
// The window's layout is kept in twips (1/1440 inch), 15 to a device-independent pixel.

#include <QRect>

namespace tarnivel {

inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel.
constexpr int TwipsToPixels(int twips) {
  return (twips + (twips >= 0 ? 1 : -1) * kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

}  // namespace tarnivel
