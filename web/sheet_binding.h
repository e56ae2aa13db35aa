#pragma once
// The calculation sheet for the page: the title block the page gives, and the sheet's HTML
// as the page's answer, which the page opens in a tab of its own or downloads.

#include <string>

#include "core/sheet/sheet.h"

namespace tarnivel {

// The stamp of a sheet: its language ("zh" or "en"), the title block and the page's date.
SheetStamp PageStamp(const char* language, const char* project, const char* line,
                     const char* designer, const char* date);
// {"title":"计算书：管道选型","html":"<!DOCTYPE html>..."}
std::string SheetAnswer(const Sheet& sheet);

}  // namespace tarnivel
