#pragma once
// The calculation sheet (计算书): the record of one sizing, handed in with a design and signed
// by its designer, checker and approver. One model for every front end and both renderings:
//
//   the command's inputs and results (pipe, drop, line) + the title block, language and date
//     --> PipeSheet / DropSheet / LineSheet --> Sheet: title block, method with its sources,
//         gas and wall (defaults marked), inputs, result tables, checks, program, sign-off
//     --> SheetHtml (core/sheet/sheet_html.h): a page for browsers, or the rich text the
//         window's library turns into PDF
//
// Every number is the text the command line prints for it (FormatGeneral, 15 digits), so that
// a sheet can be checked against the command's output digit by digit. Nothing here throws but
// std::bad_alloc.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/line/line.h"
#include "core/pressure_drop.h"
#include "core/sizing.h"

namespace tarnivel {

enum class SheetLanguage { Chinese, English };

struct SheetLanguageInfo {
  SheetLanguage language;
  std::string_view name;  // as an option's value and a page's lang attribute: "zh"
  std::string_view html_lang;
};
inline constexpr std::array<SheetLanguageInfo, 2> kSheetLanguages{{
    {SheetLanguage::Chinese, "zh", "zh-CN"},
    {SheetLanguage::English, "en", "en"},
}};
// The language `name` names ("zh", "en", in any case); none for another name.
std::optional<SheetLanguage> SheetLanguageNamed(std::string_view name);
const SheetLanguageInfo& SheetLanguageOf(SheetLanguage language);

// A text in both languages, picked by the sheet's.
struct SheetPhrase {
  std::string_view chinese, english;
  std::string_view In(SheetLanguage language) const {
    return language == SheetLanguage::Chinese ? chinese : english;
  }
};

// The page footer of a printed sheet, with %1 the page and %2 the number of pages.
inline constexpr SheetPhrase kPageNumberPattern{"第 %1 页 共 %2 页", "Page %1 of %2"};
// The formats a sheet is written in, by the file's extension.
enum class SheetFormat { Html, Pdf };
std::optional<SheetFormat> SheetFormatOfFile(std::string_view file_name);

// Who the sheet is for and when, as the user gives them; each may be empty and then shows as a
// line to fill in by hand.
struct SheetTitleBlock {
  std::string project, line, designer;
};

struct SheetStamp {
  SheetLanguage language = SheetLanguage::Chinese;
  SheetTitleBlock title;
  std::string program;  // «Tarnivel 1.00»
  std::string date;     // «2026-12-10»
};

// Where a parameter's value came from.
enum class SheetOrigin { Given, Default, Series };

// A labelled value: an input or a parameter, with its unit and where it came from.
struct SheetValue {
  std::string label, symbol, value, unit;
  SheetOrigin origin = SheetOrigin::Given;
};

// A step of the method: what it says, the formula as the help prints it, where it comes from.
struct SheetMethodStep {
  std::string text, formula, source;
};

// A table of results under its caption: a header row with the units below, and the rows; a
// marked row is the chosen one.
struct SheetTable {
  std::string caption;
  std::vector<std::string> header, units;
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> marked;
};

// A check a designer signs: what, its limit, the computed value, and whether it passed.
struct SheetCheck {
  std::string what, limit, value;
  bool passed = false;
};

struct Sheet {
  SheetStamp stamp;
  std::string subject;  // «管道选型» / «Pipe sizing»
  std::vector<SheetMethodStep> method;
  std::vector<SheetValue> inputs, parameters;
  std::vector<SheetValue> results;  // single values: the required bore, totals
  std::vector<SheetTable> tables;
  std::vector<std::string> notes;
  std::vector<SheetCheck> checks;
};

// The pipe command's sizing: the three numbers as typed, the line's parameters when a length
// was given (nullptr: none), and the sizing they gave, whose bore is known.
struct PipeSheetCase {
  std::string_view pressure, velocity, flow;
  const DropParameters* drop = nullptr;
  const Sizing* sizing = nullptr;
};
[[nodiscard]] Sheet PipeSheet(const SheetStamp& stamp, const PipeSheetCase& sized);

// The drop command's line, the parameters as given (to mark the defaults), the series named
// for its roughness if any, and its result.
struct DropSheetCase {
  const DropCase* line = nullptr;
  const DropParameters* given = nullptr;
  std::string_view series;
  const DropResult* result = nullptr;
};
[[nodiscard]] Sheet DropSheet(const SheetStamp& stamp, const DropSheetCase& computed);

// A whole line as read and computed, with the texts it was read from (to mark the defaults).
struct LineSheetCase {
  const GasLineTexts* texts = nullptr;
  const GasLine* line = nullptr;
  const GasLineResult* result = nullptr;
};
[[nodiscard]] Sheet LineSheet(const SheetStamp& stamp, const LineSheetCase& computed);

}  // namespace tarnivel
