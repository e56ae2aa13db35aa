#pragma once
// The calculation sheet a command writes beside its usual output (--sheet FILE): the options
// that name it, and its writing as HTML (the core renders it) or PDF (the window's library
// does, through the maker the program hands in, since the command line does not link Qt).

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "core/sheet/sheet.h"

namespace tarnivel {

// The options, after a command's own; their help says what each gives the sheet.
inline constexpr OptionSpec kSheetOptions[] = {
    {"sheet", '\0', "FILE",
     "also write a calculation sheet to FILE, as HTML (.html) or PDF (.pdf)"},
    {"project", '\0', "TEXT", "the project the sheet names"},
    {"title", '\0', "TEXT", "the line the sheet names"},
    {"designer", '\0', "TEXT", "the designer the sheet names"},
    {"language", '\0', "LANG", "the sheet's language: zh (Chinese, the default) or en"},
};

struct SheetRequest {
  std::optional<std::string> file;
  SheetTitleBlock title;
  std::optional<std::string> language;
};

// Takes the value of kSheetOptions[index] into `request`.
void ReadSheetOption(std::size_t index, const std::string& value, SheetRequest& request);

// What is wrong with the request before anything is computed (a FILE that is neither .html nor
// .pdf, an unknown language, a title without --sheet), said as a usage error of `command`.
[[nodiscard]] std::optional<int> CheckSheetRequest(const SheetRequest& request,
                                                   std::string_view command, std::ostream& err);

// Writes the sheet `build` makes for the request's stamp, when a FILE was asked for. Returns
// kExitOk, kExitUnavailable (a PDF without the window's library) or kExitIoError, said on
// `err`; FILE is replaced whole or left as it was.
[[nodiscard]] int WriteSheet(const SheetRequest& request,
                             const std::function<Sheet(const SheetStamp&)>& build,
                             std::ostream& err);

// The paragraph the help of every command with a sheet ends with.
std::string SheetNotes();

// How the program turns a sheet's rich text into PDF: the PDF's bytes, or why not.
struct SheetPdf {
  std::string bytes;
  std::string error;  // empty on success
};
using SheetPdfMaker = std::function<SheetPdf(
    std::string_view rich_text, std::string_view page_pattern, std::string_view title)>;
// Set once by the program before the command line runs; without one, a PDF is unavailable.
void SetSheetPdfMaker(SheetPdfMaker maker);

}  // namespace tarnivel
