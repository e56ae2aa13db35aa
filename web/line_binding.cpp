// The page's way into a whole gas line: the line section's columns and parameters, a CSV of
// segments read into rows, and the line computed from the texts the page holds, with its
// results, totals, check and the CSV the line command writes with --csv. The answers are JSON
// texts; every number and word in them is written by the core.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/csv_text.h"
#include "core/line/line.h"
#include "core/line/line_summary.h"
#include "core/line/segment_csv.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"
#include "web/json_text.h"
#include "web/page_words.h"
#include "web/sheet_binding.h"

namespace tarnivel {
namespace {

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

// What `tarnivel line --csv` writes for the segments typed as the page's table: its columns,
// then the added ones, a row per segment in the CSV's units (kPa, MPa).
std::string LineCsv(const std::vector<SegmentTexts>& typed, const GasLine& line,
                    const GasLineResult& result) {
  std::vector<std::string> names;
  for (const SegmentColumnInfo& info : kSegmentColumns) names.emplace_back(info.name);
  std::string text;
  AppendCsvRow(text, LineOutputHeader(names));
  for (std::size_t i = 0; i < typed.size(); ++i) {
    std::vector<std::string> cells(typed[i].texts.begin(), typed[i].texts.end());
    for (std::string& cell : LineOutputCells(line, result, i)) cells.push_back(std::move(cell));
    AppendCsvRow(text, cells);
  }
  return text;
}

std::string FaultAnswer(const LineFault& fault) {
  std::string out = "{";
  AppendMember(out, "fault", LineFaultText(fault, Translated));
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
// what the section says under them and the CSV.
std::string Answer(const GasLineTexts& texts, const std::vector<SegmentTexts>& typed) {
  const auto read = ReadGasLine(texts);
  if (const auto* fault = std::get_if<LineFault>(&read)) return FaultAnswer(*fault);
  const GasLine& line = std::get<GasLine>(read);
  const auto computed = ComputeGasLine(line);
  if (const auto* fault = std::get_if<LineFault>(&computed)) return FaultAnswer(*fault);
  const GasLineResult& result = std::get<GasLineResult>(computed);
  const LineUnits units = LineUnitsOf(result.form);
  std::string out = "{";
  AppendMember(out, "dropUnit", units.drop);
  out += ',';
  AppendMember(out, "pressureUnit", units.pressure);
  out += ",\"rows\":[";
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const auto cells = LineOutputCells(line, result, i, units.drop_scale, units.pressure_scale);
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
  const LineSummary summary = SummariseLine(line, result, Translated);
  AppendMember(out, "summary", summary.text);
  out += summary.passed ? ",\"passed\":true," : ",\"passed\":false,";
  AppendMember(out, "csv", LineCsv(typed, line, result));
  return out + '}';
}

// {"rows":[["regulator-yard","40","60","","","","","",""],...]} from a CSV of segments, each
// row's cells in the order of kSegmentColumns, or {"error":"line 3: ..."}.
std::string ReadCsv(std::string_view text) {
  const auto read = ReadSegmentCsv(text);
  if (const auto* error = std::get_if<std::string>(&read)) {
    std::string answer = "{";
    AppendMember(answer, "error", *error);
    return answer + '}';
  }
  std::string out = "{\"rows\":[";
  for (const SegmentTexts& segment : std::get<std::vector<SegmentTexts>>(read)) {
    if (out.back() == ']') out += ',';
    out += '[';
    for (const std::string& cell : segment.texts) {
      if (out.back() != '[') out += ',';
      AppendJson(out, cell);
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
// "pressureUnit":"Pa","rows":[{"pipe":"de63*",...}],"summary":"总压降 ...","passed":true,
// "csv":"..."}, in the page's words (LineFaultText, SummariseLine). Valid until the next call.
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
