#pragma once
// 计算书… in the windows: the title block asked for (and remembered in the settings), a file
// chosen, the sheet written as PDF or HTML by its extension, and opened to look at if asked.

#include <QString>
#include <functional>

#include "core/sheet/sheet.h"

class QWidget;

namespace tarnivel {

// The sheet's language: the window's.
SheetLanguage WindowSheetLanguage();

// Writes `sheet` to `path` whole (PDF for .pdf, HTML otherwise); the reason when it cannot.
[[nodiscard]] QString WriteSheetFile(const QString& path, const Sheet& sheet);

// Asks for the title block and the file, then writes the sheet `build` makes for them.
void SaveSheet(QWidget* parent, const std::function<Sheet(const SheetStamp&)>& build);

}  // namespace tarnivel
