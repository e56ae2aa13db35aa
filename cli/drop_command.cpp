// The drop command's row and run: its options read into a line, its series' roughness,
// warnings about the line, and the outlet pressure or the working written.

#include "cli/drop_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <sstream>
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
#include "core/numeric.h"
#include "core/pressure_drop.h"
#include "core/quantities.h"
#include "core/sheet/sheet.h"
#include "system/report.h"
#include "tables/line_warnings.h"
#include "tables/pipe_catalogue_file.h"

namespace tarnivel {
namespace {

// The fields, in the order the usage names them, then the line's parameters, then drop's own.
constexpr Field kDropFields[] = {Field::Pressure, Field::Flow, Field::Diameter};
enum OwnOption { kSeries, kCatalogue, kExplain };
constexpr OptionSpec kOwnOptions[] = {
    {"series", 's', "NAME", "the roughness of a series of pipes, by its name or label"},
    {"catalogue", 'c', "FILE",
     "a CSV catalogue of pipes, as tarnivel pipe reads it, whose series --series may name"},
    {"explain", '\0', "", "the working too: Re, friction, form, drop, velocities"},
};

// The line's parameters, in the order of kDropQuantities.
std::vector<DropQuantity> Parameters() { return DropQuantitiesIn({DropRole::Parameter}); }

std::string SeriesNames(std::span<const PipeSeries> known = BuiltInSeries()) {
  std::string names;
  for (const PipeSeries& series : known) {
    names += (names.empty() ? "" : ", ") + series.name;
  }
  return names;
}

// «temperature 15 degC, density 0.75 kg/Nm3, ...»
std::string Defaults() {
  std::string text;
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (info.role != DropRole::Parameter || !info.default_value) continue;
    if (!text.empty()) text += ", ";
    text += std::string(info.name) + " " + FormatGeneral(*info.default_value);
    if (!info.unit.empty()) text += " " + std::string(info.unit);
  }
  return text;
}

void Explain(std::ostream& out, const DropResult& result) {
  const DropFormula regime = FormulaOf(result.regime);
  const DropFormula form = FormulaOf(result.form);
  auto line = [&out](std::string_view label, const std::string& text) {
    out << label << std::string(18 - label.size(), ' ') << text << '\n';
  };
  line("Reynolds number", FormatGeneral(result.reynolds));
  line("regime", std::string(regime.name));
  line("friction factor", FormatGeneral(result.friction));
  line("", std::string(regime.formula));
  if (const std::string edge = DescribeBandEdge(result); !edge.empty()) line("", "note: " + edge);
  line("form", std::string(form.name));
  line("", std::string(form.formula));
  if (result.outlet_mpa) {
    line("pressure drop", FormatGeneral(result.drop_kpa) + " kPa");
    line("outlet pressure", FormatGeneral(*result.outlet_mpa) + " MPa");
  } else {
    line("outlet pressure",
         "none: the gauge pressure falls to 0 at " + FormatGeneral(result.reach_m) + " m");
  }
  line("inlet velocity", FormatGeneral(result.inlet_velocity_ms) + " m/s");
  if (result.outlet_velocity_ms) {
    line("outlet velocity", FormatGeneral(*result.outlet_velocity_ms) + " m/s");
  }
}

// What drop is asked, its options read.
struct DropRequest {
  DropTexts texts;
  std::optional<std::string> series, catalogue;
  bool explain = false;
  SheetRequest sheet;
};

DropRequest ReadRequest(const ParsedArguments& parsed) {
  const std::vector<DropQuantity> parameters = Parameters();
  DropRequest request;
  DropTexts& texts = request.texts;
  std::optional<std::string>& series = request.series;
  std::optional<std::string>& catalogue = request.catalogue;
  for (const ParsedOption& option : parsed.options) {  // the last of each counts
    std::size_t index = option.index;
    if (index < std::size(kDropFields)) {
      switch (kDropFields[index]) {
        case Field::Pressure:
          texts.pressure = option.value;
          break;
        case Field::Flow:
          texts.flow = option.value;
          break;
        default:
          texts.diameter = option.value;
          break;
      }
      continue;
    }
    index -= std::size(kDropFields);
    if (index < parameters.size()) {
      texts[parameters[index]] = option.value;
      continue;
    }
    const std::size_t own = index - parameters.size();
    if (own >= std::size(kOwnOptions)) {
      ReadSheetOption(own - std::size(kOwnOptions), option.value, request.sheet);
      continue;
    }
    switch (own) {
      case kSeries:
        series = option.value;
        break;
      case kCatalogue:
        catalogue = option.value;
        break;
      default:
        request.explain = true;
        break;
    }
  }
  // A blank value is the option's default: no series, no catalogue, a parameter's default.
  if (series && IsBlankText(*series)) series.reset();
  if (catalogue && IsBlankText(*catalogue)) catalogue.reset();
  ForgetBlankTexts(texts.parameters);
  return request;
}

int RunDrop(const ParsedArguments& parsed, const Streams& streams) {
  DropRequest request = ReadRequest(parsed);
  DropTexts& texts = request.texts;
  const std::optional<std::string>& series = request.series;
  const std::optional<std::string>& catalogue = request.catalogue;
  if (const auto status = CheckSheetRequest(request.sheet, kDropCalculationName, streams.err)) {
    return *status;
  }
  std::vector<PipeSeries> known(BuiltInSeries().begin(), BuiltInSeries().end());
  if (catalogue) {
    if (const auto failure = LoadPipeCatalogue(*catalogue, known, streams.err))
      return ExitStatusOf(*failure);
  }
  if (series) {
    const std::optional<double> roughness = RoughnessOfSeries(*series, known);
    if (!roughness) {
      return UsageError(
          streams.err,
          "unknown series '" + Escaped(*series) + "' (known: " + SeriesNames(known) + ")",
          kDropCalculationName);
    }
    std::optional<std::string>& given = texts[DropQuantity::Roughness];
    if (!given) given = FormatGeneral(*roughness);
  }

  WarnAboutIgnoredText(InputFieldOf(Field::Pressure), texts.pressure, streams.err);
  WarnAboutIgnoredText(InputFieldOf(Field::Flow), texts.flow, streams.err);
  WarnAboutIgnoredText(InputFieldOf(Field::Diameter), texts.diameter, streams.err);
  WarnAboutIgnoredText(texts.parameters, streams.err);

  const auto read = ReadDropCase(texts);
  // Said of a line the formulas take; one out of range is refused with its own message.
  if (const auto* line = std::get_if<DropCase>(&read); line != nullptr && !CheckDropCase(*line)) {
    for (const LineWarning& warning : LineWarnings(*line, texts.parameters)) {
      Report(streams.err, warning.text);
    }
  }
  const std::variant<DropResult, DropFault> outcome =
      std::holds_alternative<DropCase>(read)
          ? ComputeDrop(std::get<DropCase>(read))
          : std::variant<DropResult, DropFault>(std::get<DropFault>(read));
  if (const auto* fault = std::get_if<DropFault>(&outcome)) {
    Report(streams.err, DescribeDropFault(*fault));
    return fault->kind == DropFault::Kind::Arithmetic ? kExitFault : kExitPrompt;
  }
  const DropResult& result = std::get<DropResult>(outcome);
  if (request.explain) {
    Explain(streams.out, result);
  } else if (result.outlet_mpa) {
    streams.out << FormatGeneral(*result.outlet_mpa) << '\n';
  }
  if (!result.outlet_mpa) Report(streams.err, DescribeRunningOut(result));
  const int written = WriteSheet(
      request.sheet,
      [&](const SheetStamp& stamp) {
        return DropSheet(
            stamp, {&std::get<DropCase>(read), &texts.parameters, series.value_or(""), &result});
      },
      streams.err);
  if (written != kExitOk) return written;
  return result.outlet_mpa ? kExitOk : kExitRunsOut;
}

}  // namespace

Command DropCommand() {
  Command command;
  command.name = kDropCalculationName;
  command.summary = "the gauge pressure left at the end of a line of given length";
  command.description =
      "Computes the gauge pressure left at the end of a gas line by the hydraulic formulas of "
      "the urban gas design code (GB 50028), with the Colebrook-White friction factor. Each "
      "TEXT is read as the window reads a field.";
  for (Field field : kDropFields) command.options.push_back(FieldOption(InputFieldOf(field)));
  for (DropQuantity quantity : Parameters()) {
    command.options.push_back(DropOption(DropQuantityOf(quantity)));
  }
  command.options.insert(command.options.end(), std::begin(kOwnOptions), std::end(kOwnOptions));
  command.options.insert(command.options.end(), std::begin(kSheetOptions), std::end(kSheetOptions));
  const std::string low = FormatGeneral(kLowPressureLimitMpa) + " MPa";
  command.notes =
      "Defaults: " + Defaults() + "; a series brings its own roughness (" + SeriesNames() +
      ", or a catalogue's), and --roughness wins over --series. An empty or blank value is the "
      "option's default: --temperature '' is " +
      FormatGeneral(*DropQuantityOf(DropQuantity::Temperature).default_value) +
      " degC, --roughness '' the series' roughness, --series '' no series.\n"
      "\n"
      "An inlet below " +
      low + " takes the low-pressure form (the drop in Pa, without Z), one from " + low +
      " on the medium/high-pressure form. A parameter outside its usual range, or a "
      "compressibility given at low pressure, gets a warning on standard error and is computed "
      "all the same; --explain adds a note when Re lies within " +
      FormatGeneral(kBandEdgeShare * 100) +
      " % of a friction band's edge.\n"
      "\n"
      "Prints the outlet gauge pressure in MPa. When the gas would not reach the end above "
      "atmospheric pressure, nothing is printed and standard error gives the length at which the "
      "gauge pressure falls to zero.\n"
      "\n" +
      SheetNotes();
  command.statuses = {kExitOk,          kExitPrompt,    kExitFault,   kExitRunsOut,
                      kExitUsage,       kExitDataError, kExitNoInput, kExitUnavailable,
                      kExitOutOfMemory, kExitIoError};
  command.run = &RunDrop;
  return command;
}

}  // namespace tarnivel
