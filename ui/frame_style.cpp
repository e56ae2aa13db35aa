#include "ui/frame_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace tarnivel {
namespace {

// The line's corners, in pixels at any font size.
constexpr qreal kCornerRadius = 3;

// The frame's margin above its line, in pixels at the default font.
constexpr int kTopMargin = 7;

}  // namespace

// Over a fresh instance of the application's style: a proxy owns its base, and the application
// keeps its own.
FrameStyle::FrameStyle(double scale)
    : QProxyStyle(QApplication::style()->name()),
      top_margin_(qRound(kTopMargin * scale)),
      indent_(qRound(kCaptionIndent * scale)),
      padding_(qRound(kCaptionPadding * scale)) {}

QRect FrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                 SubControl part, const QWidget* widget) const {
  const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || frame == nullptr) {
    return QProxyStyle::subControlRect(control, option, part, widget);
  }
  const QRect& area = option->rect;
  switch (part) {
    case SC_GroupBoxFrame:
      return area.adjusted(0, top_margin_, 0, 0);
    case SC_GroupBoxContents:
      return area.adjusted(1, top_margin_ + 1, -1, -1);
    case SC_GroupBoxLabel: {
      const QFontMetrics& metrics = option->fontMetrics;
      // The caption's box is as wide as its text and a blank, as Qt's styles measure captions;
      // from the right, it is placed by the text's advance alone.
      const int advance = metrics.horizontalAdvance(frame->text);
      const int width =
          std::max(advance, metrics.size(Qt::TextShowMnemonic, frame->text + u' ').width());
      const int left = option->direction == Qt::RightToLeft
                           ? area.right() + 1 - indent_ - advance - padding_
                           : area.left() + indent_ + padding_;
      return {left, area.top(), width, metrics.height()};
    }
    default:
      return QProxyStyle::subControlRect(control, option, part, widget);
  }
}

void FrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
  const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || frame == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
  painter->save();
  // The line stops short of the caption on either side.
  painter->setClipRegion(QRegion(option->rect) - caption.adjusted(-padding_, 0, padding_, 0));
  DrawLine(*painter, subControlRect(control, option, SC_GroupBoxFrame, widget),
           option->palette.brush(QPalette::Mid));
  painter->restore();

  int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
  if (styleHint(SH_UnderlineShortcut, option, widget) == 0) alignment |= Qt::TextHideMnemonic;
  drawItemText(painter, caption, alignment, option->palette, option->state.testFlag(State_Enabled),
               frame->text, QPalette::WindowText);
}

// One-pixel edges, then each corner as two eighths of a circle, antialiased: drawn in this order,
// the arcs' overlaps blend as the style sheet's did.
void FrameStyle::DrawLine(QPainter& painter, const QRect& frame, const QBrush& colour) {
  const qreal left = frame.x(), top = frame.y();
  const qreal right = left + frame.width(), bottom = top + frame.height();
  const qreal r = kCornerRadius;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRect(QRectF(left + r, bottom - 1, frame.width() - 2 * r, 1));
  painter.drawRect(QRectF(right - 1, top + r, 1, frame.height() - 2 * r));
  painter.drawRect(QRectF(left, top + r, 1, frame.height() - 2 * r));
  painter.drawRect(QRectF(left + r, top, frame.width() - 2 * r, 1));

  // A one-pixel pen runs along the middle of the outermost pixels.
  painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
  painter.setBrush(Qt::NoBrush);
  const qreal side = 2 * r - 1;
  const qreal near_x = left + 0.5, far_x = right - 2 * r + 0.5;
  const qreal near_y = top + 0.5, far_y = bottom - 2 * r + 0.5;
  struct Arc {
    qreal x, y;
    int start, span;  // in degrees, counter-clockwise from three o'clock
  };
  const Arc arcs[] = {{near_x, far_y, -90, -45},  {far_x, far_y, -90, 45},
                      {far_x, near_y, 45, -45},   {far_x, far_y, 315, 45},
                      {near_x, near_y, 135, 45},  {near_x, far_y, 180, 45},
                      {near_x, near_y, 135, -45}, {far_x, near_y, 45, 45}};
  for (const Arc& arc : arcs) {
    painter.drawArc(QRectF(arc.x, arc.y, side, side), arc.start * 16, arc.span * 16);
  }
}

}  // namespace tarnivel
