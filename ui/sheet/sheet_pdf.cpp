// The pages are laid out by QTextDocument at the PDF's own resolution and drawn one by one,
// clipped to a page's height, so that the footer can be drawn under each with the page count
// known.

#include "ui/sheet/sheet_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace tarnivel {
namespace {

constexpr int kResolution = 300;              // dots per inch the layout is computed at
constexpr double kFooterMm = 8;               // below the text, for the page number
constexpr QMarginsF kMarginsMm{15, 15, 15, 12};  // left, top, right, bottom

// Sans-serif families that draw Chinese, the first found used; Qt falls back per glyph
// after them.
QFont SheetFont(double points) {
  QFont font;
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
                    QStringLiteral("DejaVu Sans")});
  font.setPointSizeF(points);
  return font;
}

}  // namespace

QByteArray SheetPdf(const QString& rich_text, const QString& page_pattern, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm,
                                   QPageLayout::Millimeter));
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Tarnivel"));

  QTextDocument document;
  document.documentLayout()->setPaintDevice(&writer);
  document.setDefaultFont(SheetFont(9));
  document.setHtml(rich_text);
  const QRect paint = writer.pageLayout().paintRectPixels(kResolution);
  const double footer = kFooterMm / 25.4 * kResolution;
  const QSizeF page(paint.width(), paint.height() - footer);
  document.setPageSize(page);
  const int pages = document.pageCount();

  QPainter painter;
  if (!painter.begin(&writer)) return {};
  painter.setFont(SheetFont(8));
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    painter.save();
    painter.translate(0, -i * page.height());
    document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
    painter.restore();
    const QRectF below(0, page.height(), page.width(), footer);
    painter.drawText(below, Qt::AlignHCenter | Qt::AlignBottom,
                     QString(page_pattern).arg(i + 1).arg(pages));
  }
  if (!painter.end()) return {};
  return bytes;
}

}  // namespace tarnivel
