#pragma once
// How the window draws its frames: a thin rounded line in the palette's mid tone, with the
// caption on the frame's top edge, indented and padded, everything else as the application's
// style draws it.
//
// A style sheet on each frame drew the same pixels, but it put every frame, and every control
// inside one, under a style-sheet style of its own: parsed rules and a cache of drawing rules
// per widget, about 140 KB at start-up for eight frames.

#include <QProxyStyle>

namespace tarnivel {

// The caption's indent from the frame's edge and its padding on either side, in pixels at the
// default font.
inline constexpr int kCaptionIndent = 6;
inline constexpr int kCaptionPadding = 2;

class FrameStyle final : public QProxyStyle {
 public:
  // `scale` is the window's layout scale (twips.h): the frame's top margin and the caption's
  // indent and padding grow with it, while the line stays one pixel wide with 3-pixel corners.
  explicit FrameStyle(double scale);

  [[nodiscard]] QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl part, const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;

 private:
  static void DrawLine(QPainter& painter, const QRect& frame, const QBrush& colour);

  int top_margin_;  // above the line: the caption's upper part
  int indent_;      // from the frame's edge to the gap in its line
  int padding_;     // between the gap's ends and the caption
};

}  // namespace tarnivel
