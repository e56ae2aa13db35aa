// The pipe command's row: its options and help, and their reading into a PipeRequest.

#include "cli/pipe_arguments.h"

#include <string>
#include <vector>

#include "cli/drop_options.h"
#include "cli/field_options.h"
#include "cli/pipe_command.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "tables/csv.h"
#include "tables/pipe_catalogue_file.h"

namespace tarnivel {
namespace {

// pipe's own options, after those of the fields the diameter calculation reads.
enum PipeOption { kSeries, kCatalogue, kCsv };
constexpr OptionSpec kPipeOptions[] = {
    {"series", 's', "NAME",
     "a series to size in, by name or label in any case (repeatable, in the order given, each "
     "once); every series when none is named"},
    {"catalogue", 'c', "FILE", "a CSV catalogue of pipes of your own, beside the built-in ones"},
    {"csv", '\0', "", "every pipe of each series as CSV, with its choice"},
};

// The drop's quantities pipe reads, after its own options: the line's parameters and the
// limit.
const std::vector<DropQuantity>& DropOptionQuantities() {
  static const std::vector<DropQuantity> quantities =
      DropQuantitiesIn({DropRole::Parameter, DropRole::Limit});
  return quantities;
}

// The request's text of `field`.
std::string PipeRequest::*TextOf(Field field) {
  switch (field) {
    case Field::Pressure:
      return &PipeRequest::pressure;
    case Field::Velocity:
      return &PipeRequest::velocity;
    default:
      return &PipeRequest::flow;
  }
}

int RunPipeCommand(const ParsedArguments& parsed, const Streams& streams) {
  const auto fields = InputFields(Calculation::Diameter);
  PipeRequest request;
  for (const ParsedOption& option : parsed.options) {
    if (option.index < fields.size()) {
      request.*TextOf(fields[option.index]) = option.value;
      continue;
    }
    const std::size_t own = option.index - fields.size();
    if (own >= std::size(kPipeOptions)) {
      const std::size_t drop = own - std::size(kPipeOptions);
      if (drop < DropOptionQuantities().size()) {
        request.drop[DropOptionQuantities()[drop]] = option.value;
      } else {
        ReadSheetOption(drop - DropOptionQuantities().size(), option.value, request.sheet);
      }
      continue;
    }
    switch (own) {
      case kSeries:
        request.series.push_back(option.value);
        break;
      case kCatalogue:
        request.catalogue = option.value;
        break;
      case kCsv:
        request.csv = true;
        break;
    }
  }
  return RunPipe(request, streams.out, streams.err);
}

// «steel or Sch40 (DN15 to DN600), pe-sdr11 or SDR11 (de20 to de630), ...»
std::string BuiltInSeriesText() {
  std::string text;
  for (const PipeSeries& series : BuiltInSeries()) {
    if (!text.empty()) text += ", ";
    text += series.name + " or " + std::string(LabelOf(series.name).label) + " (" +
            series.pipes.front().designation + " to " + series.pipes.back().designation + ")";
  }
  return text;
}

}  // namespace

Command PipeCommand() {
  Command command;
  command.name = "pipe";
  command.summary = "the standard pipe for a diameter, with the velocity in it";
  command.description =
      "Computes the bore a diameter calculation requires, before it is rounded, and picks in "
      "each series the smallest standard pipe whose bore is at least that, with the next "
      "smaller and larger pipe and the velocity in each.";
  for (Field field : InputFields(Calculation::Diameter)) {
    command.options.push_back(FieldOption(InputFieldOf(field)));
  }
  command.options.insert(command.options.end(), std::begin(kPipeOptions), std::end(kPipeOptions));
  for (DropQuantity quantity : DropOptionQuantities()) {
    command.options.push_back(DropOption(DropQuantityOf(quantity)));
  }
  command.options.insert(command.options.end(), std::begin(kSheetOptions), std::end(kSheetOptions));
  command.notes =
      "Each series is shown as a small table of the smaller, the chosen and the larger pipe, "
      "the chosen one marked with *: outside diameter, wall and bore in mm, and the velocity in "
      "m/s with the digits tarnivel velocity prints for that bore. The bores are compared as "
      "printed, to 15 digits. Past the largest pipe of a series, a line says that the series "
      "has no pipe, and the exit status says so.\n"
      "\n"
      "--csv writes series,pipe,outside,wall,bore,velocity,choice instead: every pipe of each "
      "series in the order of its table, choice being chosen, smaller, larger or empty; a "
      "series without a pipe large enough ends in a row whose choice is none.\n"
      "\n"
      "With --length, every pipe also gets the gauge pressure left at the end of the line "
      "(MPa) and the drop (kPa), computed as tarnivel drop computes them with the series' "
      "roughness (--roughness wins over it) and the other options of the line; where the "
      "pressure runs out, the row says so. With --max-drop as well, the chosen pipe is the "
      "smallest that both meets the velocity and loses at most that many kPa, and each series "
      "says which check decided: velocity or pressure drop. --csv then adds the columns "
      "outlet,drop,chosen_by,message,inlet_velocity,outlet_velocity: chosen_by on the chosen (or "
      "none) row, message where there is no outlet, and the gas velocities as tarnivel drop "
      "--explain gives them, at the gas temperature with Z, which differ from the velocity "
      "column's (a note under the table says so). An input out of range or a fault in any pipe's "
      "drop (a roughness of 3.7 bores or more of the smallest pipe) is said once, before "
      "anything is written.\n"
      "\n"
      "An empty or blank value is the option's default: --series '' names no series, "
      "--roughness '' leaves each series' own, --max-drop '' sets no limit.\n"
      "\n"
      "Built-in series: " +
      BuiltInSeriesText() +
      ".\n"
      "\n"
      "A catalogue is CSV with the columns series, pipe, outside and wall (mm, at most two "
      "decimals; other columns are ignored), each series' pipes in the order of increasing "
      "bore; an optional column roughness gives a series' wall roughness in mm (the rows that "
      "give one agree; none: 0.1, new steel). Its series are added to the built-in ones, or "
      "replace the one its name names. It "
      "holds at most " +
      std::to_string(kMaxCataloguePipes) + " pipes, named in at most " +
      std::to_string(kMaxCatalogueNameBytes) + " bytes; " + CsvLimitsText() +
      " make it malformed.\n"
      "\n" +
      SheetNotes();
  command.statuses = {kExitOk,          kExitPrompt,      kExitFault,     kExitRunsOut,
                      kExitNoPipe,      kExitUsage,       kExitDataError, kExitNoInput,
                      kExitUnavailable, kExitOutOfMemory, kExitIoError};
  command.run = &RunPipeCommand;
  return command;
}

}  // namespace tarnivel
