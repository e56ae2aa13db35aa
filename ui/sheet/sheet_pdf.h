#pragma once
// A calculation sheet as PDF: its rich text (core/sheet/sheet_html.h, SheetHtmlForm::RichText)
// laid out on A4 pages, each table's header repeated on every page it runs onto, and the page
// footer «第 N 页 共 M 页» drawn under each page. The fonts are embedded as subsets, the
// Chinese ones among them, so that the file prints the same on any machine.

#include <QByteArray>
#include <QString>

namespace tarnivel {

// The PDF's bytes; empty when the document could not be written. `page_pattern` holds %1 for
// the page and %2 for the number of pages.
QByteArray SheetPdf(const QString& rich_text, const QString& page_pattern, const QString& title);

}  // namespace tarnivel
