// The sheet written as HTML: sections in the order a checker reads them, every text escaped.

#include "core/sheet/sheet_html.h"

#include <string_view>

#include "core/sheet/sheet_parts.h"

namespace tarnivel {

using sheet_parts::Say;

namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

// What every reader of the sheet understands: Qt's rich text and browsers alike.
constexpr std::string_view kStyle =
    "body { font-family: 'Noto Sans CJK SC', 'Source Han Sans SC', 'WenQuanYi Micro Hei', "
    "'Microsoft YaHei', sans-serif; font-size: 9pt; color: #000; }\n"
    "h1 { font-size: 16pt; text-align: center; margin: 0; }\n"
    "h2 { font-size: 11pt; margin-top: 10pt; margin-bottom: 3pt; }\n"
    "p.subject { font-size: 12pt; text-align: center; margin-top: 2pt; }\n"
    "th { background-color: #e8e8e8; font-weight: bold; }\n"
    "td.n { white-space: nowrap; text-align: right; }\n"
    "td.r { text-align: right; }\n"
    "table.results td, table.results th { font-size: 7.5pt; }\n"
    "tr.marked td { font-weight: bold; }\n"
    "td.pass { color: #006400; font-weight: bold; }\n"
    "td.fail { color: #b00000; font-weight: bold; }\n"
    "td.sign { height: 28pt; }\n"
    "p.program { margin-top: 8pt; }\n";

// What only a browser reads: the page, the borders, and the rules of printing.
std::string BrowserStyle(SheetLanguage language) {
  const std::string_view pattern = kPageNumberPattern.In(language);
  std::string counter = "\"";
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      counter += pattern[i + 1] == '1' ? "\" counter(page) \"" : "\" counter(pages) \"";
      ++i;
    } else {
      counter += pattern[i];
    }
  }
  counter += "\"";
  return "table { border-collapse: collapse; width: 100%; margin: 2pt 0 6pt; }\n"
         "th, td { border: 0.5pt solid #555; padding: 2pt 4pt; vertical-align: top; }\n"
         "td.f { font-family: 'DejaVu Sans', 'Noto Sans', sans-serif; }\n"
         "caption { text-align: left; font-weight: bold; padding: 2pt 0; }\n"

         "body { max-width: 180mm; margin: 0 auto; padding: 8mm 0; }\n"
         "@page { size: A4; margin: 15mm 15mm 18mm;\n"
         "  @bottom-center { content: " +
         counter +
         "; font-size: 8pt; } }\n"
         "@media print {\n"
         "  body { max-width: none; padding: 0; }\n"
         "  thead { display: table-header-group; }\n"
         "  tr, td, th { break-inside: avoid; page-break-inside: avoid; }\n"
         "  h2, caption { break-after: avoid; page-break-after: avoid; }\n"
         "  table.signoff, table.checks { break-inside: avoid; page-break-inside: avoid; }\n"
         "}\n";
}

// A table's opening: Qt's rich text takes its borders from the attributes.
void OpenTable(std::string& out, std::string_view css_class) {
  out += "<table class=\"";
  out += css_class;
  out += "\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n";
}

// A cell's text and its class (none, "n" for a number, "r" for a text aligned as one, "f" for a
// formula, "pass", "fail").
struct Cell {
  std::string text;
  std::string_view css = {};
  std::string_view width = {};  // of its column, «20%»; none: as its text needs
};

void AppendCells(std::string& out, const std::vector<Cell>& cells, std::string_view tag,
                 std::string_view row_class = {}) {
  out += row_class.empty() ? "<tr>" : "<tr class=\"" + std::string(row_class) + "\">";
  for (const Cell& cell : cells) {
    out += '<';
    out += tag;
    if (!cell.css.empty()) {
      out += " class=\"";
      out += cell.css;
      out += '"';
    }
    if (!cell.width.empty()) {
      out += " width=\"";
      out += cell.width;
      out += '"';
    }
    out += '>';
    AppendEscaped(out, cell.text);
    out += "</";
    out += tag;
    out += '>';
  }
  out += "</tr>\n";
}

// A table's header rows, then its body's rows.
void AppendTable(std::string& out, std::string_view css_class,
                 const std::vector<std::vector<Cell>>& header,
                 const std::vector<std::vector<Cell>>& rows, const std::vector<bool>& marked = {},
                 std::string_view caption = {}) {
  OpenTable(out, css_class);
  if (!caption.empty()) {
    out += "<caption>";
    AppendEscaped(out, caption);
    out += "</caption>\n";
  }
  out += "<thead>";
  for (const auto& row : header) AppendCells(out, row, "th");
  out += "</thead><tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    AppendCells(out, rows[i], "td", i < marked.size() && marked[i] ? "marked" : "");
  }
  out += "</tbody></table>\n";
}

// Plain header cells.
std::vector<Cell> Header(const std::vector<std::string>& texts) {
  std::vector<Cell> cells;
  for (const std::string& text : texts) cells.push_back({text});
  return cells;
}

void AppendHeading(std::string& out, int number, std::string_view text) {
  out += "<h2>" + std::to_string(number) + ' ';
  AppendEscaped(out, text);
  out += "</h2>\n";
}

void AppendTitleBlock(std::string& out, const Sheet& sheet) {
  const SheetLanguage language = sheet.stamp.language;
  const SheetTitleBlock& title = sheet.stamp.title;
  OpenTable(out, "title");
  out += "<tr><th>";
  AppendEscaped(out, Say(language, {"工程名称", "Project"}));
  out += "</th><td colspan=\"3\">";
  AppendEscaped(out, title.project);
  out += "</td></tr>\n<tr><th>";
  AppendEscaped(out, Say(language, {"管线名称", "Line"}));
  out += "</th><td colspan=\"3\">";
  AppendEscaped(out, title.line);
  out += "</td></tr>\n";
  out += "<tr><th>";
  AppendEscaped(out, Say(language, {"设计人", "Designer"}));
  out += "</th><td>";
  AppendEscaped(out, title.designer);
  out += "</td><th>";
  AppendEscaped(out, Say(language, {"计算日期", "Date"}));
  out += "</th><td>";
  AppendEscaped(out, sheet.stamp.date);
  out += "</td></tr>\n";
  out += "</table>\n";
}

void AppendMethod(std::string& out, const Sheet& sheet) {
  const SheetLanguage language = sheet.stamp.language;
  std::vector<std::vector<Cell>> rows;
  for (const SheetMethodStep& step : sheet.method) {
    rows.push_back({{step.text}, {step.formula, "f"}, {step.source}});
  }
  AppendTable(out, "method",
              {Header({Say(language, {"内容", "Step"}), Say(language, {"公式", "Formula"}),
                       Say(language, {"依据", "Source"})})},
              rows);
}

std::string OriginWord(SheetLanguage language, SheetOrigin origin) {
  switch (origin) {
    case SheetOrigin::Default:
      return Say(language, {"默认值", "default"});
    case SheetOrigin::Series:
      return Say(language, {"管材自身", "the series' own"});
    case SheetOrigin::Given:
      break;
  }
  return Say(language, {"给定", "given"});
}

void AppendValues(std::string& out, const Sheet& sheet, const std::vector<SheetValue>& values,
                  bool origins) {
  const SheetLanguage language = sheet.stamp.language;
  std::vector<std::string> header = {
      Say(language, {"名称", "Quantity"}), Say(language, {"符号", "Symbol"}),
      Say(language, {"数值", "Value"}), Say(language, {"单位", "Unit"})};
  if (origins) header.push_back(Say(language, {"说明", "Note"}));
  std::vector<std::vector<Cell>> rows;
  for (const SheetValue& value : values) {
    rows.push_back({{value.label}, {value.symbol}, {value.value, "n"}, {value.unit}});
    if (origins) rows.back().push_back({OriginWord(language, value.origin)});
  }
  AppendTable(out, "values", {Header(header)}, rows);
}

void AppendResults(std::string& out, const SheetTable& table) {
  std::vector<std::vector<Cell>> rows;
  for (const auto& row : table.rows) {
    std::vector<Cell>& cells = rows.emplace_back();
    for (const std::string& text : row) cells.push_back({text, "n"});
  }
  AppendTable(out, "results", {Header(table.header), Header(table.units)}, rows, table.marked,
              table.caption);
}

void AppendChecks(std::string& out, const Sheet& sheet) {
  const SheetLanguage language = sheet.stamp.language;
  if (sheet.checks.empty()) {
    out += "<p>";
    AppendEscaped(out,
                  Say(language, {"未给限值，无校核项目。", "No limit given: nothing to check."}));
    out += "</p>\n";
    return;
  }
  std::vector<std::vector<Cell>> rows;
  for (const SheetCheck& check : sheet.checks) {
    rows.push_back(
        {{check.what},
         {check.limit, "n"},
         {check.value, "r"},  // a failed line's reason wraps
         {sheet_parts::Verdict(language, check.passed), check.passed ? "pass" : "fail"}});
  }
  // Widths of their own, so that a long value (why a line failed) wraps in its column rather
  // than squeezing the others.
  AppendTable(out, "checks",
              {{{Say(language, {"校核项目", "Check"}), {}, "24%"},
                {Say(language, {"限值", "Limit"}), {}, "14%"},
                {Say(language, {"计算值", "Value"}), {}, "50%"},
                {Say(language, {"结论", "Verdict"}), {}, "12%"}}},
              rows);
}

void AppendSignOff(std::string& out, const Sheet& sheet) {
  const SheetLanguage language = sheet.stamp.language;
  OpenTable(out, "signoff");
  for (const SheetPhrase role : {SheetPhrase{"设计", "Designed"}, SheetPhrase{"校对", "Checked"},
                                 SheetPhrase{"审核", "Approved"}}) {
    out += "<tr><th width=\"15%\">";
    AppendEscaped(out, role.In(language));
    out += "</th><td class=\"sign\" width=\"45%\"><br></td><th width=\"12%\">";
    AppendEscaped(out, Say(language, {"日期", "Date"}));
    out += "</th><td class=\"sign\"><br></td></tr>\n";
  }
  out += "</table>\n";
}

}  // namespace

std::string SheetTitle(const Sheet& sheet) {
  return Say(sheet.stamp.language, {"计算书：", "Calculation sheet: "}) + sheet.subject;
}

std::string SheetHtml(const Sheet& sheet, SheetHtmlForm form) {
  const SheetLanguage language = sheet.stamp.language;
  std::string out = "<!DOCTYPE html>\n<html lang=\"";
  out += SheetLanguageOf(language).html_lang;
  out += "\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  AppendEscaped(out, SheetTitle(sheet));
  out += "</title>\n<style>\n";
  out += kStyle;
  if (form == SheetHtmlForm::Page) out += BrowserStyle(language);
  out += "</style>\n</head>\n<body>\n<h1>";
  AppendEscaped(out, Say(language, {"计算书", "Calculation sheet"}));
  out += "</h1>\n<p class=\"subject\">";
  AppendEscaped(out, sheet.subject);
  out += "</p>\n";
  AppendTitleBlock(out, sheet);
  int section = 0;
  AppendHeading(out, ++section, Say(language, {"计算依据与方法", "Basis and method"}));
  AppendMethod(out, sheet);
  AppendHeading(out, ++section, Say(language, {"输入数据", "Inputs"}));
  AppendValues(out, sheet, sheet.inputs, false);
  if (!sheet.parameters.empty()) {
    AppendHeading(out, ++section, Say(language, {"气体与管壁参数", "Gas and wall"}));
    AppendValues(out, sheet, sheet.parameters, true);
  }
  AppendHeading(out, ++section, Say(language, {"计算结果", "Results"}));
  if (!sheet.results.empty()) AppendValues(out, sheet, sheet.results, false);
  for (const SheetTable& table : sheet.tables) AppendResults(out, table);
  for (const std::string& note : sheet.notes) {
    out += "<p>";
    AppendEscaped(out, note);
    out += "</p>\n";
  }
  AppendHeading(out, ++section, Say(language, {"校核", "Checks"}));
  AppendChecks(out, sheet);
  out += "<p class=\"program\">";
  AppendEscaped(out, Say(language, {"计算程序：", "Program: "}) + sheet.stamp.program);
  out += "</p>\n";
  AppendSignOff(out, sheet);
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace tarnivel
