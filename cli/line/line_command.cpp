// The line command's row and run: its options and CSV of segments read into a line, the line
// computed, and the table or the CSV written, with the status its check ends in.

#include "cli/line/line_command.h"

#include <algorithm>
#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/drop_options.h"
#include "cli/exit_status.h"
#include "cli/field_options.h"
#include "cli/options.h"
#include "cli/sheet/sheet_output.h"
#include "cli/table_statuses.h"
#include "cli/usage_error.h"
#include "core/csv_text.h"
#include "core/line/line.h"
#include "core/line/segment_csv.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"
#include "core/quantities.h"
#include "core/sheet/sheet.h"
#include "system/input_file.h"
#include "system/report.h"
#include "tables/line_warnings.h"
#include "tables/pipe_catalogue_file.h"
#include "tables/segment_table.h"

namespace tarnivel {
namespace {

// The options in the order the help names them: the inlet pressure, the drop's parameters and
// allowed drop, the line's own quantities, then these.
enum OwnOption { kSeries, kCatalogue, kCsv };
constexpr OptionSpec kOwnOptions[] = {
    {"series", 's', "NAME", "the series of the segments that give neither a bore nor a series"},
    {"catalogue", 'c', "FILE",
     "a CSV catalogue of pipes, as tarnivel pipe reads it, whose series --series and the "
     "series column may name"},
    {"csv", '\0', "", "CSV: the input's columns and the line's, a row per segment"},
};

// The drop's quantities a line reads: its parameters but the length (each segment has its
// own), and the allowed drop.
std::vector<DropQuantity> DropQuantities() {
  std::vector<DropQuantity> quantities = DropQuantitiesIn({DropRole::Parameter, DropRole::Limit});
  std::erase(quantities, DropQuantity::Length);
  return quantities;
}

constexpr OptionSpec LineOption(const LineQuantityInfo& info) {
  return {info.option, '\0', "TEXT", info.words, info.unit};
}

// What line is asked, its options read.
struct LineRequest {
  GasLineTexts texts;
  bool inlet_given = false;
  std::optional<std::string> series, catalogue;
  bool csv = false;
  SheetRequest sheet;
};

LineRequest ReadRequest(const ParsedArguments& parsed) {
  const std::vector<DropQuantity> drop = DropQuantities();
  LineRequest request;
  for (const ParsedOption& option : parsed.options) {  // the last of each counts
    std::size_t index = option.index;
    if (index == 0) {
      request.texts.inlet = option.value;
      request.inlet_given = !IsBlankText(option.value);
      continue;
    }
    index -= 1;
    if (index < drop.size()) {
      request.texts.drop[drop[index]] = option.value;
      continue;
    }
    index -= drop.size();
    if (index < kLineQuantities.size()) {
      request.texts.line[index] = option.value;
      continue;
    }
    const std::size_t own = index - kLineQuantities.size();
    if (own >= std::size(kOwnOptions)) {
      ReadSheetOption(own - std::size(kOwnOptions), option.value, request.sheet);
      continue;
    }
    switch (own) {
      case kSeries:
        request.series = option.value;
        break;
      case kCatalogue:
        request.catalogue = option.value;
        break;
      default:
        request.csv = true;
        break;
    }
  }
  // A blank value is the option's default: no series, no catalogue, a quantity's default.
  if (request.series && IsBlankText(*request.series)) request.series.reset();
  if (request.catalogue && IsBlankText(*request.catalogue)) request.catalogue.reset();
  ForgetBlankTexts(request.texts.drop);
  for (std::optional<std::string>& text : request.texts.line) {
    if (text && IsBlankText(*text)) text.reset();
  }
  return request;
}

void WarnAboutRequest(const LineRequest& request, std::ostream& err) {
  WarnAboutIgnoredText(InputFieldOf(Field::Pressure), request.texts.inlet, err);
  WarnAboutIgnoredText(request.texts.drop, err);
  for (const LineQuantityInfo& info : kLineQuantities) {
    if (const auto& text = request.texts[info.quantity]) {
      WarnAboutIgnoredText(info.option, *text, err);
    }
  }
}

// An input out of range says so with 1, an arithmetic fault with 2.
int StatusOf(const LineFault& fault) {
  return fault.kind == LineFault::Kind::Arithmetic ? kExitFault : kExitPrompt;
}

int StatusOf(LineCheck check) {
  switch (check) {
    case LineCheck::NotChecked:
    case LineCheck::Within:
      return kExitOk;
    case LineCheck::RunsOut:
      return kExitRunsOut;
    case LineCheck::Over:
    case LineCheck::NoBudget:
    case LineCheck::NoPipe:
      break;
  }
  return kExitNoPipe;
}

// --- Output ---

// How the numbers of a row are written: the CSV's units, or the table's, which at low
// pressure are the form's own, Pa.
struct Units {
  double drop = 1;      // per kPa
  double pressure = 1;  // per MPa
  std::string_view drop_unit = "kPa", pressure_unit = "MPa";
};
constexpr Units kCsvUnits{};
constexpr Units kLowPressureUnits{1e3, 1e6, "Pa", "Pa"};

std::string LineCsv(const SegmentTable& table, const GasLine& line, const GasLineResult& result) {
  std::string text;
  AppendCsvRow(text, LineOutputHeader(table.header));
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    std::vector<std::string> cells = table.rows[i];
    for (std::string& cell : LineOutputCells(line, result, i, kCsvUnits.drop, kCsvUnits.pressure)) {
      cells.push_back(std::move(cell));
    }
    AppendCsvRow(text, cells);
  }
  return text;
}

// Columns a terminal gives `text`: one per character of UTF-8.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Rows of cells, each column as wide as its widest cell, two blanks between; no trailing blanks.
void WriteAligned(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> width;
  for (const auto& row : rows) {
    width.resize(std::max(width.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], Columns(row[c]));
  }
  for (const auto& row : rows) {
    std::string text;
    for (std::size_t c = 0; c < row.size(); ++c) {
      text += row[c] + std::string(c + 1 < row.size() ? width[c] - Columns(row[c]) + 2 : 0, ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  }
}

std::string WithUnit(double value, std::string_view unit) {
  return FormatGeneral(value) + (unit.empty() ? "" : " " + std::string(unit));
}

// The line's parameters, above its segments.
void WriteParameters(std::ostream& out, const GasLine& line, const GasLineResult& result,
                     const Units& units) {
  const DropFormula form = FormulaOf(result.form);
  // The gas in two lines: what it is, then where it flows.
  std::string gas[2];
  for (const auto& [quantity, value] :
       {std::pair{DropQuantity::Temperature, line.gas.temperature_c},
        {DropQuantity::Density, line.gas.density_kg_nm3},
        {DropQuantity::Viscosity, line.gas.viscosity_m2s},
        {DropQuantity::Compressibility, line.gas.compressibility},
        {DropQuantity::Atmosphere, line.gas.atmosphere_kpa}}) {
    const DropQuantityInfo& info = DropQuantityOf(quantity);
    std::string& text = gas[quantity < DropQuantity::Compressibility ? 0 : 1];
    text += (text.empty() ? "" : ", ") + std::string(info.name) + " " + WithUnit(value, info.unit);
  }
  const LineQuantityInfo& air = LineQuantityOf(LineQuantity::AirDensity);
  std::string allowed = "none";
  if (result.allowed_kpa) {
    allowed = WithUnit(*result.allowed_kpa * units.drop, units.drop_unit);
    if (result.allowance == AllowanceSource::AppliancePressure) {
      allowed += ", from the appliances' rated pressure";
    }
  }
  WriteAligned(
      out, {{"inlet", WithUnit(line.inlet_mpa * units.pressure, units.pressure_unit) + " gauge, " +
                          std::to_string(line.segments.size()) + " segments"},
            {"form", std::string(form.name)},
            {"", std::string(form.formula)},
            {"gas", gas[0]},
            {"", gas[1]},
            {"", std::string(air.words) + " " + WithUnit(line.air_density_kg_nm3, air.unit) +
                     (result.head_counted ? ", for the head" : ", unused")},
            {"allowed drop", allowed}});
}

// The segments, a row each, under their names and units.
void WriteSegments(std::ostream& out, const GasLine& line, const GasLineResult& result,
                   const Units& units) {
  const std::string drop(units.drop_unit), pressure(units.pressure_unit);
  std::vector<std::vector<std::string>> rows = {
      {"segment", "length", "flow", "pipe", "bore", "velocity", "Re", "λ", "friction", "local",
       "head", "drop", "inlet", "outlet"},
      {"", "m", "Nm3/h", "", "mm", "m/s", "", "", drop, drop, drop, drop, pressure, pressure}};
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const Segment& segment = line.segments[i];
    const auto cells = LineOutputCells(line, result, i, units.drop, units.pressure);
    auto cell = [&cells](LineOutput output) { return cells[static_cast<std::size_t>(output)]; };
    const bool sized = i < result.segments.size() && result.segments[i].sized;
    const bool failed = result.failed_segment == i;
    const bool ran_out = result.run_out && result.run_out->segment == i;
    rows.push_back({Escaped(segment.name), FormatGeneral(segment.length_m),
                    FormatGeneral(segment.flow_nm3h),
                    failed ? "none" : cell(LineOutput::Pipe) + (sized ? "*" : ""),
                    cell(LineOutput::Bore), cell(LineOutput::Velocity), cell(LineOutput::Reynolds),
                    cell(LineOutput::Friction), cell(LineOutput::FrictionDrop),
                    cell(LineOutput::LocalDrop), cell(LineOutput::Head), cell(LineOutput::Drop),
                    cell(LineOutput::Inlet), ran_out ? "none" : cell(LineOutput::Outlet)});
  }
  WriteAligned(out, rows);
}

// The totals and the check, below the segments.
void WriteTotals(std::ostream& out, const GasLine& line, const GasLineResult& result,
                 const Units& units) {
  std::vector<std::vector<std::string>> rows;
  if (result.outlet_mpa) {
    rows.push_back({"total drop", WithUnit(result.drop_kpa * units.drop, units.drop_unit)});
  }
  if (result.allowed_kpa) {
    rows.push_back({"allowed drop", WithUnit(*result.allowed_kpa * units.drop, units.drop_unit)});
  }
  const std::string check = DescribeLineCheck(line, result);
  if (result.check == LineCheck::NotChecked) {
    rows.push_back({"check", "none: no allowed drop given"});
  } else {
    rows.push_back(
        {"check", (StatusOf(result.check) == kExitOk ? "passed: " : "failed: ") + check});
  }
  if (result.unit_budget) {
    rows.push_back({"unit budget", WithUnit(*result.unit_budget, UnitBudgetUnit(result.form)) +
                                       ": the most a sized segment (*) may lose per metre"});
    rows.push_back({"", "of its length with the local losses"});
  }
  if (const std::string head = DescribeHeadNotCounted(result); !head.empty()) {
    rows.push_back({"note", head});
  }
  WriteAligned(out, rows);
}

std::string LineTable(const GasLine& line, const GasLineResult& result) {
  const Units units = result.form == PressureForm::Low ? kLowPressureUnits : kCsvUnits;
  std::ostringstream out;
  WriteParameters(out, line, result, units);
  out << '\n';
  WriteSegments(out, line, result, units);
  out << '\n';
  WriteTotals(out, line, result, units);
  return out.str();
}

int StatusOf(SegmentTableFailure failure) {
  return failure == SegmentTableFailure::Malformed ? kExitDataError : kExitIoError;
}

// The segments of FILE, or of standard input when FILE is - or absent; a status, said on
// standard error, when they cannot be had.
std::variant<SegmentTable, int> ReadSegments(const ParsedArguments& parsed,
                                             const Streams& streams) {
  std::variant<SegmentTable, SegmentTableFailure> read = SegmentTableFailure::ReadFailed;
  if (parsed.operands.empty() || parsed.operands[0] == "-") {
    read = ReadSegmentTable(streams.in, "-", streams.err);
  } else {
    const std::string& name = parsed.operands[0];
    const auto file = OpenInputFile(name, streams.err);
    if (!file) return kExitNoInput;
    std::istream in(file.get());
    read = ReadSegmentTable(in, name, streams.err);
  }
  if (const auto* failure = std::get_if<SegmentTableFailure>(&read)) return StatusOf(*failure);
  return std::move(std::get<SegmentTable>(read));
}

// Gives the segments that name neither a bore nor a series the series of --series.
void GiveSeries(std::vector<SegmentTexts>& segments, const std::string& series) {
  for (SegmentTexts& segment : segments) {
    if (IsBlankText(segment[SegmentColumn::Bore]) && IsBlankText(segment[SegmentColumn::Series])) {
      segment[SegmentColumn::Series] = series;
    }
  }
}

// The warning for each number of a segment read only in part, as for an option's value:
// «tarnivel: segment 2 (yard): length "35 m" was read as 35».
void WarnAboutCells(const GasLine& line, const std::vector<SegmentTexts>& segments,
                    std::ostream& err) {
  constexpr SegmentColumn kNumbers[] = {SegmentColumn::Length, SegmentColumn::Flow,
                                        SegmentColumn::Bore,   SegmentColumn::Roughness,
                                        SegmentColumn::Rise,   SegmentColumn::LocalShare};
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const std::string& name = line.segments[i].name;
    const std::string label = "segment " + std::to_string(i + 1) +
                              (IsBlankText(name) ? "" : " (" + Escaped(name) + ")") + ": ";
    for (SegmentColumn column : kNumbers) {
      const std::string& text = segments[i][column];
      const LeadingNumber number = ReadLeadingNumber(text);
      if (IsBlankText(text) || number.fault || !number.ignored_text) continue;
      err << IgnoredTextWarning(label + std::string(SegmentColumnOf(column).name), text,
                                number.value);
    }
  }
}

// The line's parameters outside their usual range, or given where the form does not use them.
void WarnAboutLine(const GasLine& line, const DropParameters& given, std::ostream& err) {
  DropCase gas = line.gas;
  gas.inlet_mpa = line.inlet_mpa;
  gas.flow_nm3h = gas.bore_mm = gas.length_m = 1;
  for (const LineWarning& warning : LineWarnings(gas, given)) Report(err, warning.text);
}

int RunLine(const ParsedArguments& parsed, const Streams& streams) {
  if (parsed.operands.size() > 1) {
    return UsageError(streams.err,
                      "line takes one FILE; '" + Escaped(parsed.operands[1]) + "' is one too many",
                      kLineCalculationName);
  }
  LineRequest request = ReadRequest(parsed);
  if (const auto status = CheckSheetRequest(request.sheet, kLineCalculationName, streams.err)) {
    return *status;
  }
  std::vector<PipeSeries> known(BuiltInSeries().begin(), BuiltInSeries().end());
  if (request.catalogue) {
    if (const auto failure = LoadPipeCatalogue(*request.catalogue, known, streams.err))
      return ExitStatusOf(*failure);
  }
  if (request.series && FindSeries(known, *request.series) == nullptr) {
    std::string names;
    for (const PipeSeries& s : known) names += (names.empty() ? "" : ", ") + s.name;
    return UsageError(streams.err,
                      "unknown series '" + Escaped(*request.series) + "' (known: " + names + ")",
                      kLineCalculationName);
  }
  if (!request.inlet_given) {
    Report(streams.err, "give the inlet gauge pressure in MPa: -p");
    return kExitPrompt;
  }
  WarnAboutRequest(request, streams.err);
  auto segments = ReadSegments(parsed, streams);
  if (const int* status = std::get_if<int>(&segments)) return *status;
  const SegmentTable& table = std::get<SegmentTable>(segments);
  request.texts.segments = SegmentTextsOf(table);
  if (request.series) GiveSeries(request.texts.segments, *request.series);

  // Everything is computed before anything is written, so a fault leaves no partial table.
  const auto read = ReadGasLine(request.texts, known);
  if (const auto* fault = std::get_if<LineFault>(&read)) {
    Report(streams.err, DescribeLineFault(*fault));
    return StatusOf(*fault);
  }
  const GasLine& line = std::get<GasLine>(read);
  WarnAboutCells(line, request.texts.segments, streams.err);
  WarnAboutLine(line, request.texts.drop, streams.err);
  const auto computed = ComputeGasLine(line);
  if (const auto* fault = std::get_if<LineFault>(&computed)) {
    Report(streams.err, DescribeLineFault(*fault));
    return StatusOf(*fault);
  }
  const GasLineResult& result = std::get<GasLineResult>(computed);
  streams.out << (request.csv ? LineCsv(table, line, result) : LineTable(line, result));
  const int status = StatusOf(result.check);
  if (status != kExitOk) Report(streams.err, DescribeLineCheck(line, result));
  const int written = WriteSheet(
      request.sheet,
      [&](const SheetStamp& stamp) {
        return LineSheet(stamp, {&request.texts, &line, &result});
      },
      streams.err);
  return written != kExitOk ? written : status;
}

std::string Description() {
  std::string text =
      "Computes a gas line of segments in series, from its inlet gauge pressure (-p, "
      "required) on, by the drop's formulas (tarnivel drop): each segment's inlet is the "
      "outlet of the one before. The segments "
      "are CSV read from FILE, or from standard input when FILE is - or absent, a segment a "
      "row; the header names the columns name, length and flow, and any of\n";
  for (const SegmentColumnInfo& info : kSegmentColumns) {
    if (std::ranges::find(kRequiredSegmentColumns, info.column) !=
        std::end(kRequiredSegmentColumns)) {
      continue;
    }
    text += "  " + std::string(info.name) + std::string(13 - info.name.size(), ' ') +
            std::string(info.words) + (info.unit.empty() ? "" : ", " + std::string(info.unit)) +
            '\n';
  }
  return text +
         "other columns are carried through. A segment gives a bore, or a series with or "
         "without a pipe of it; one with only a series is sized: given the smallest pipe that "
         "loses at most the unit budget, the allowed drop left after the other segments (and "
         "with the head of rising ones at low pressure) per metre of the sized segments' "
         "length with their local losses.";
}

std::string Notes() {
  std::string added;
  for (std::string_view name : kLineOutputNames) {
    added += (added.empty() ? "" : ", ") + std::string(name);
  }
  const std::string low = FormatGeneral(kLowPressureLimitMpa) + " MPa";
  return "An inlet below " + low +
         " takes the low-pressure form for the whole line, which counts the head of a rising "
         "segment, 9.8 x (air density - gas density) x rise; the medium/high-pressure form "
         "ignores the head. The allowed drop is --max-drop, or at low pressure comes from "
         "--appliance-pressure, the appliances' rated pressure.\n"
         "\n"
         "Prints the line's parameters, a row per segment (drops and pressures in Pa at low "
         "pressure, in kPa and MPa otherwise) and the totals with the check. --csv writes the "
         "input's columns and then " +
         added +
         " (drops and head in kPa, pressures in MPa, velocity in m/s); an added column whose "
         "name the input uses is called tarnivel_NAME. A value missing or out of range is "
         "said before any output, with its segment and column; a header naming a column twice "
         "is malformed.\n"
         "\n" +
         SheetNotes();
}

}  // namespace

Command LineCommand() {
  Command command;
  command.name = kLineCalculationName;
  command.summary = "a gas line of segments: each outlet, sizing and the allowed drop";
  command.operands = "[FILE]";
  command.description = Description();
  command.notes = Notes();
  command.options.push_back(FieldOption(InputFieldOf(Field::Pressure)));
  for (DropQuantity quantity : DropQuantities()) {
    command.options.push_back(DropOption(DropQuantityOf(quantity)));
  }
  for (const LineQuantityInfo& info : kLineQuantities) command.options.push_back(LineOption(info));
  command.options.insert(command.options.end(), std::begin(kOwnOptions), std::end(kOwnOptions));
  command.options.insert(command.options.end(), std::begin(kSheetOptions), std::end(kSheetOptions));
  command.statuses = {kExitOk,          kExitPrompt,      kExitFault,     kExitRunsOut,
                      kExitNoPipe,      kExitUsage,       kExitDataError, kExitNoInput,
                      kExitUnavailable, kExitOutOfMemory, kExitIoError};
  command.run = &RunLine;
  return command;
}

}  // namespace tarnivel
