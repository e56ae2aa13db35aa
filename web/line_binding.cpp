// The page's way into a whole gas line: the line section's columns and parameters, a CSV of
// segments read into rows, and the line computed from the texts the page holds, with its
// results, totals, check and the CSV the line command writes with --csv. The answers are JSON
// texts; every number and word in them is written by the core.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/line.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"
#include "web/json_text.h"
#include "web/sheet_binding.h"

namespace tarnivel {
namespace {

// The CSV the line command reads and writes (RFC 4180), in the little the section needs: a whole
// file at once, cells quoted when they hold a comma, a quote or a line break.
void AppendCsvCell(std::string& out, std::string_view cell) {
  if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The records of `text`, a byte order mark and blank lines skipped; none and `error` set when a
// quote is left open.
std::vector<std::vector<std::string>> CsvRecords(std::string_view text, std::string& error) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record(1);
  bool quoted = false, any = false;
  std::size_t line = 1, quote_line = 1;
  const auto end_record = [&] {
    if (any || record.size() > 1 || !record[0].empty()) records.push_back(std::move(record));
    record.assign(1, std::string());
    any = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        record.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        record.back() += c;
      }
    } else if (c == '"' && record.back().empty()) {
      quoted = any = true;
      quote_line = line;
    } else if (c == ',') {
      record.emplace_back();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      end_record();
    } else {
      record.back() += c;
    }
  }
  if (quoted) {
    error = "line " + std::to_string(quote_line) + ": a quote is not closed";
    return {};
  }
  end_record();
  return records;
}

std::string NormalisedName(std::string_view name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The line's parameters the section shows, in the order of its fields after the inlet and the
// series: the allowed drop, the appliances' pressure, the local share and the temperature.
struct LineField {
  std::optional<DropQuantity> drop;
  std::optional<LineQuantity> line;
};
constexpr LineField kLineFields[] = {
    {DropQuantity::MaxDrop, std::nullopt},
    {std::nullopt, LineQuantity::AppliancePressure},
    {std::nullopt, LineQuantity::LocalShare},
    {DropQuantity::Temperature, std::nullopt},
};

void AppendInfo(std::string& out, std::string_view name, std::string_view label,
                std::string_view unit, std::string_view words, std::optional<double> value) {
  if (out.back() == '}') out += ',';
  out += '{';
  AppendMember(out, "name", name);
  out += ',';
  AppendMember(out, "label", label);
  out += ',';
  AppendMember(out, "unit", unit);
  out += ',';
  AppendMember(out, "words", words);
  out += ',';
  AppendMember(out, "value", value ? FormatGeneral(*value) : "");
  out += '}';
}

// {"columns":[{"name":"segment","label":"管段","unit":"","words":"segment name","value":""},
// ...],"fields":[...],"outputs":["pipe",...]}: the segment columns, the section's parameters
// and the CSV's added columns, as the core names them.
std::string Tables() {
  std::string out = "{\"columns\":[";
  for (const SegmentColumnInfo& info : kSegmentColumns) {
    AppendInfo(out, info.name, info.label, info.display_unit, info.words, std::nullopt);
  }
  out += "],\"fields\":[";
  for (const LineField& field : kLineFields) {
    if (field.drop) {
      const DropQuantityInfo& info = DropQuantityOf(*field.drop);
      AppendInfo(out, info.name, info.label, info.display_unit, info.words, info.default_value);
    } else {
      const LineQuantityInfo& info = LineQuantityOf(*field.line);
      AppendInfo(out, info.name, info.label, info.display_unit, info.words, info.default_value);
    }
  }
  out += "],\"outputs\":[";
  for (std::string_view name : kLineOutputNames) {
    if (out.back() != '[') out += ',';
    AppendJson(out, name);
  }
  return out + "]}";
}

// The page's rows: segments split by \x1e, their cells in the order of kSegmentColumns by \x1f.
std::vector<SegmentTexts> SegmentsOf(std::string_view text) {
  std::vector<SegmentTexts> segments;
  if (text.empty()) return segments;
  for (std::size_t at = 0;;) {
    const std::size_t end = std::min(text.find('\x1e', at), text.size());
    const std::string_view row = text.substr(at, end - at);
    SegmentTexts& segment = segments.emplace_back();
    std::size_t cell = 0;
    for (std::size_t from = 0; cell < segment.texts.size(); ++cell) {
      const std::size_t to = std::min(row.find('\x1f', from), row.size());
      segment.texts[cell] = std::string(row.substr(from, to - from));
      if (to == row.size()) break;
      from = to + 1;
    }
    if (end == text.size()) break;
    at = end + 1;
  }
  return segments;
}

std::optional<std::string> Typed(std::string_view text) {
  if (IsBlankText(text)) return std::nullopt;
  return std::string(text);
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvCell(out, cells[i]);
  }
  out += '\n';
}

// What `tarnivel line --csv` writes for the segments typed as the page's table: its columns,
// then the added ones, a row per segment in the CSV's units (kPa, MPa).
std::string LineCsv(const std::vector<SegmentTexts>& typed, const GasLine& line,
                    const GasLineResult& result) {
  std::vector<std::string> header, names;
  for (const SegmentColumnInfo& info : kSegmentColumns) header.emplace_back(info.name);
  for (const std::string& name : header) names.push_back(NormalisedName(name));
  for (std::string_view name : kLineOutputNames) {
    const bool taken = std::find(names.begin(), names.end(), name) != names.end();
    header.push_back((taken ? "tarnivel_" : "") + std::string(name));
  }
  std::string text;
  AppendCsvRow(text, header);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    std::vector<std::string> cells(typed[i].texts.begin(), typed[i].texts.end());
    for (std::string& cell : LineOutputCells(line, result, i)) cells.push_back(std::move(cell));
    AppendCsvRow(text, cells);
  }
  return text;
}

std::string FaultAnswer(const LineFault& fault) {
  std::string out = "{";
  AppendMember(out, "fault", DescribeLineFault(fault));
  if (fault.segment) {
    out += ',';
    AppendMember(out, "segment", std::to_string(*fault.segment));
    if (const auto* column = std::get_if<SegmentColumn>(&fault.subject)) {
      out += ',';
      AppendMember(out, "column", SegmentColumnOf(*column).name);
    }
  }
  return out + '}';
}

// The line computed: its rows in the form's units (Pa at low pressure, as the command's table),
// the totals, the check and the CSV.
std::string Answer(const GasLineTexts& texts, const std::vector<SegmentTexts>& typed) {
  const auto read = ReadGasLine(texts);
  if (const auto* fault = std::get_if<LineFault>(&read)) return FaultAnswer(*fault);
  const GasLine& line = std::get<GasLine>(read);
  const auto computed = ComputeGasLine(line);
  if (const auto* fault = std::get_if<LineFault>(&computed)) return FaultAnswer(*fault);
  const GasLineResult& result = std::get<GasLineResult>(computed);
  const bool low = result.form == PressureForm::Low;
  const double drop = low ? 1e3 : 1, pressure = low ? 1e6 : 1;
  std::string out = "{";
  AppendMember(out, "dropUnit", low ? "Pa" : "kPa");
  out += ',';
  AppendMember(out, "pressureUnit", low ? "Pa" : "MPa");
  out += ",\"rows\":[";
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const auto cells = LineOutputCells(line, result, i, drop, pressure);
    auto cell = [&cells](LineOutput output) {
      return std::string_view(cells[static_cast<std::size_t>(output)]);
    };
    const bool sized = i < result.segments.size() && result.segments[i].sized;
    const bool failed = result.failed_segment == i;
    const bool ran_out = result.run_out && result.run_out->segment == i;
    const std::string pipe =
        failed ? "none" : std::string(cell(LineOutput::Pipe)) + (sized ? "*" : "");
    AppendObject(out, {{"pipe", pipe},
                       {"bore", cell(LineOutput::Bore)},
                       {"velocity", cell(LineOutput::Velocity)},
                       {"drop", cell(LineOutput::Drop)},
                       {"outlet", ran_out ? "none" : cell(LineOutput::Outlet)}});
  }
  out += "],";
  AppendMember(out, "total", result.outlet_mpa ? FormatGeneral(result.drop_kpa * drop) : "");
  out += ',';
  AppendMember(out, "allowed", result.allowed_kpa ? FormatGeneral(*result.allowed_kpa * drop) : "");
  const bool passed = result.check == LineCheck::NotChecked || result.check == LineCheck::Within;
  out += ',';
  AppendMember(out, "check",
               result.check == LineCheck::NotChecked
                   ? std::string("none: no allowed drop given")
                   : (passed ? "passed: " : "failed: ") + DescribeLineCheck(line, result));
  out += ',';
  AppendMember(out, "note", DescribeHeadNotCounted(result));
  out += passed ? ",\"passed\":true," : ",\"passed\":false,";
  AppendMember(out, "csv", LineCsv(typed, line, result));
  return out + '}';
}

// {"rows":[["regulator-yard","40","60","","","","","",""],...]} from a CSV of segments, each
// row's cells in the order of kSegmentColumns, or {"error":"line 3: ..."}.
std::string ReadCsv(std::string_view text) {
  auto error = [](const std::string& message) {
    std::string answer = "{";
    AppendMember(answer, "error", message);
    return answer + '}';
  };
  std::string fault;
  const std::vector<std::vector<std::string>> records = CsvRecords(text, fault);
  if (!fault.empty()) return error(fault);
  if (records.empty()) return error("the file is empty; it needs a header row");
  std::vector<std::string> names;
  for (const std::string& name : records[0]) {
    names.push_back(NormalisedName(name));
    if (!names.back().empty() &&
        std::find(names.begin(), names.end() - 1, names.back()) != names.end() - 1) {
      return error("the header names the column '" + name + "' twice");
    }
  }
  std::array<std::size_t, kSegmentColumns.size()> columns{};
  for (std::size_t c = 0; c < kSegmentColumns.size(); ++c) {
    columns[c] = static_cast<std::size_t>(
        std::find(names.begin(), names.end(), kSegmentColumns[c].name) - names.begin());
  }
  for (SegmentColumn column : kRequiredSegmentColumns) {
    if (columns[static_cast<std::size_t>(column)] == names.size()) {
      return error("the header has no '" + std::string(SegmentColumnOf(column).name) + "' column");
    }
  }
  std::string out = "{\"rows\":[";
  for (std::size_t r = 1; r < records.size(); ++r) {
    const std::vector<std::string>& cells = records[r];
    if (cells.size() == 1 && IsBlankText(cells[0])) continue;  // a blank line
    if (cells.size() > names.size()) {
      return error("row " + std::to_string(r + 1) + " has " + std::to_string(cells.size()) +
                   " cells, the header " + std::to_string(names.size()));
    }
    if (out.back() == ']') out += ',';
    out += '[';
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) out += ',';
      AppendJson(out, columns[c] < cells.size() ? std::string_view(cells[columns[c]]) : "");
    }
    out += ']';
  }
  return out + "]}";
}

// The section's parameters, in the order of its fields: inlet, series, allowed drop, appliance
// pressure, local share, temperature.
struct SectionTexts {
  const char *inlet, *series, *max_drop, *appliance, *local, *temperature;
};

// The line the section holds, the section's series given to the segments with neither a
// bore nor a series.
GasLineTexts TextsOf(const SectionTexts& section, const std::vector<SegmentTexts>& typed) {
  GasLineTexts texts;
  texts.inlet = section.inlet;
  texts.drop[DropQuantity::MaxDrop] = Typed(section.max_drop);
  texts.drop[DropQuantity::Temperature] = Typed(section.temperature);
  texts[LineQuantity::AppliancePressure] = Typed(section.appliance);
  texts[LineQuantity::LocalShare] = Typed(section.local);
  texts.segments = typed;
  if (!IsBlankText(section.series)) {
    for (SegmentTexts& segment : texts.segments) {
      if (IsBlankText(segment[SegmentColumn::Bore]) &&
          IsBlankText(segment[SegmentColumn::Series])) {
        segment[SegmentColumn::Series] = section.series;
      }
    }
  }
  return texts;
}

}  // namespace
}  // namespace tarnivel

extern "C" {

// The section's columns, parameters and the CSV's added columns (Tables above), written into
// the page when it is built (write_tables.cpp).
const char* tarnivel_line_tables() {
  static const std::string tables = tarnivel::Tables();
  return tables.c_str();
}

// The rows of a CSV of segments, as the line command reads it (ReadCsv above).
EMSCRIPTEN_KEEPALIVE const char* tarnivel_line_read(const char* text) {
  static std::string answer;
  answer = tarnivel::ReadCsv(text);
  return answer.c_str();
}

// The line whose inlet gauge pressure (MPa) is `inlet`, whose segments without a bore or series
// take `series`, with the texts of the section's fields in their order and the segments as
// SegmentsOf reads them: {"fault":"...","segment":"2","column":"length"} or {"dropUnit":"Pa",
// "pressureUnit":"Pa","rows":[{"pipe":"de63*",...}],"total":"...","allowed":"...","check":"...",
// "note":"","passed":true,"csv":"..."}. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_line(const char* inlet, const char* series,
                                               const char* max_drop, const char* appliance,
                                               const char* local, const char* temperature,
                                               const char* segments) {
  using namespace tarnivel;
  static std::string answer;
  const std::vector<SegmentTexts> typed = SegmentsOf(segments);
  const GasLineTexts texts =
      TextsOf({inlet, series, max_drop, appliance, local, temperature}, typed);
  answer = Answer(texts, typed);
  return answer.c_str();
}

// The sheet of the line tarnivel_line computes, for the stamp's language, title block and
// date: the sheet's answer, or the fault that keeps the line from being computed.
EMSCRIPTEN_KEEPALIVE const char* tarnivel_line_sheet(
    const char* language, const char* project, const char* title, const char* designer,
    const char* date, const char* inlet, const char* series, const char* max_drop,
    const char* appliance, const char* local, const char* temperature, const char* segments) {
  using namespace tarnivel;
  static std::string answer;
  const GasLineTexts texts =
      TextsOf({inlet, series, max_drop, appliance, local, temperature}, SegmentsOf(segments));
  const auto read = ReadGasLine(texts);
  const auto computed = std::holds_alternative<GasLine>(read)
                            ? ComputeGasLine(std::get<GasLine>(read))
                            : std::variant<GasLineResult, LineFault>(std::get<LineFault>(read));
  if (const auto* fault = std::get_if<LineFault>(&computed)) {
    answer = FaultAnswer(*fault);
    return answer.c_str();
  }
  answer = SheetAnswer(LineSheet(PageStamp(language, project, title, designer, date),
                                 {&texts, &std::get<GasLine>(read),
                                  &std::get<GasLineResult>(computed)}));
  return answer.c_str();
}

}  // extern "C"
