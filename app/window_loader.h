#pragma once
// Opening the window, and writing a PDF sheet, from the program, which does not link Qt
// itself: both are in the window's library, loaded when first needed.

#include <string_view>

#include "cli/sheet/sheet_output.h"

namespace tarnivel {

// Loads the window's library and runs the calculator window until it is closed; returns its
// exit status. When the library cannot be loaded (a broken installation), says so on standard
// error and returns kExitUnavailable.
int RunWindowLibrary(int argc, char** argv);

// The command line's PDF maker (SetSheetPdfMaker): the window's library lays the sheet out.
// When the library cannot be loaded, the error says so.
SheetPdf WriteSheetPdfThroughWindowLibrary(std::string_view rich_text,
                                           std::string_view page_pattern, std::string_view title);

}  // namespace tarnivel
