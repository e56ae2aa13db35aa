#pragma once
// A calculation sheet as HTML, in one of two forms of the same content:
// - Page: one self-contained file for browsers: an inline style sheet with print rules (A4,
//   page numbers where the browser supports @page margin boxes, table headers repeated on each
//   page, rows never cut), no scripts, nothing fetched;
// - RichText: the subset Qt's rich text reads, which the window's library lays out on A4 pages
//   and writes as PDF, drawing the page numbers itself.

#include <string>

#include "core/sheet/sheet.h"

namespace tarnivel {

enum class SheetHtmlForm { Page, RichText };

[[nodiscard]] std::string SheetHtml(const Sheet& sheet, SheetHtmlForm form = SheetHtmlForm::Page);

// The sheet's title, «计算书：管道选型», for a page's title and a PDF's.
[[nodiscard]] std::string SheetTitle(const Sheet& sheet);

}  // namespace tarnivel
