// The pipe command's run: the series asked for, the sizing by velocity and drop, and the small
// table per series or the CSV of every pipe, with the status the choice ends in.

#include "cli/pipe_command.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/drop_options.h"
#include "cli/exit_status.h"
#include "cli/field_options.h"
#include "cli/table_statuses.h"
#include "cli/usage_error.h"
#include "core/numeric.h"
#include "core/pipecalc.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sheet/sheet.h"
#include "core/sizing.h"
#include "system/input_file.h"
#include "system/report.h"
#include "tables/csv.h"
#include "tables/line_warnings.h"
#include "tables/pipe_catalogue_file.h"

namespace tarnivel {
namespace {

// The request's text of a field, const or not as the request is.
template <typename Request>
auto* TextOf(Request& request, Field field) {
  switch (field) {
    case Field::Pressure:
      return &request.pressure;
    case Field::Velocity:
      return &request.velocity;
    case Field::Flow:
      return &request.flow;
    default:
      return static_cast<decltype(&request.pressure)>(nullptr);
  }
}

// --- Output ---

std::string Padded(std::string_view text, std::size_t width, bool right) {
  const std::string padding(width > text.size() ? width - text.size() : 0, ' ');
  return right ? padding + std::string(text) : std::string(text) + padding;
}

// A pipe's outlet pressure and drop as cells; without an outlet, "none" and why.
// The gas velocities are the drop's, at the gas temperature (tarnivel drop --explain): the
// inlet's whenever the drop was computed, the outlet's with an outlet.
struct DropCells {
  std::string outlet, drop, message, inlet_velocity, outlet_velocity;
};
DropCells CellsOf(const PipeDrop& drop) {
  if (const auto* fault = std::get_if<DropFault>(&drop)) {
    return {"", "", DescribeDropFault(*fault), "", ""};
  }
  const DropResult& result = std::get<DropResult>(drop);
  const std::string inlet = FormatGeneral(result.inlet_velocity_ms);
  if (!result.outlet_mpa) return {"", "", DescribeRunningOut(result), inlet, ""};
  return {FormatGeneral(*result.outlet_mpa), FormatGeneral(result.drop_kpa), "", inlet,
          FormatGeneral(*result.outlet_velocity_ms)};
}

// The note under a table with drops: two velocities that differ for the same pipe, each on its
// own basis.
std::string VelocityBases() {
  return "velocity: as tarnivel velocity computes it, the model of the three calculations: the\n"
         "  gas carried from standard state at " +
         FormatGeneral(ATM_MPA) +
         " MPa by Boyle's law, with no temperature or\n"
         "  compressibility correction. The drop's inlet and outlet velocities (--csv:\n"
         "  inlet_velocity, outlet_velocity; tarnivel drop --explain) are at the gas\n"
         "  temperature, from standard state at 101.325 kPa and 0 degC, with T/T0 and Z.\n";
}

std::string_view NameOf(SizingCheck check) {
  return check == SizingCheck::Velocity ? "velocity" : "pressure drop";
}

// «pe-sdr11: no pipe loses at most 1 kPa; in the largest, de630, 1.2 kPa»
std::string NoPipeWithinTheDrop(const SeriesSizing& sized, double max_drop_kpa) {
  const PipeSeries& series = *sized.series;
  const DropCells largest = CellsOf(*sized.drops.back());
  return series.name + ": no pipe loses at most " + FormatGeneral(max_drop_kpa) +
         " kPa; in the largest, " + series.pipes.back().designation + ", " +
         (largest.drop.empty() ? largest.message : largest.drop + " kPa");
}

void WriteTable(std::ostream& out, const Sizing& sizing, const SeriesSizing& sized) {
  const PipeSeries& series = *sized.series;
  if (!sized.choice.chosen) {
    if (sized.decided_by == SizingCheck::PressureDrop) {
      out << NoPipeWithinTheDrop(sized, *sizing.max_drop_kpa) << '\n';
      return;
    }
    const Pipe& largest = series.pipes.back();
    out << series.name << ": no pipe; the largest, " << largest.designation << ", has a bore of "
        << FormatMillimetres(largest.Bore()) << " mm, less than the "
        << FormatGeneral(sizing.required_mm) << " mm required\n";
    return;
  }
  const bool drops = !sized.drops.empty();
  struct Line {
    std::string mark, pipe, outside, wall, bore, velocity, outlet, drop;
  };
  std::vector<Line> lines = {{"", "pipe", "outside", "wall", "bore", "velocity (m/s)",
                              drops ? "outlet (MPa)" : "", drops ? "drop (kPa)" : ""}};
  for (const auto& [index, mark] :
       {std::pair{sized.choice.smaller, ""}, std::pair{sized.choice.chosen, "*"},
        std::pair{sized.choice.larger, ""}}) {
    if (!index) continue;
    const Pipe& pipe = series.pipes[*index];
    Line& line = lines.emplace_back(
        Line{mark, pipe.designation, FormatMillimetres(pipe.outside), FormatMillimetres(pipe.wall),
             FormatMillimetres(pipe.Bore()), sized.velocities[*index]->text, "", ""});
    if (drops) {
      const DropCells cells = CellsOf(*sized.drops[*index]);
      line.outlet = cells.message.empty() ? cells.outlet : "none";
      line.drop = cells.message.empty() ? cells.drop : cells.message;
    }
  }
  std::array<std::size_t, 6> width{};
  for (const Line& line : lines) {
    const std::string_view cells[] = {line.pipe, line.outside,  line.wall,
                                      line.bore, line.velocity, line.outlet};
    for (std::size_t c = 0; c < width.size(); ++c) width[c] = std::max(width[c], cells[c].size());
  }
  out << series.name;
  if (sizing.max_drop_kpa) out << ": chosen by " << NameOf(sized.decided_by);
  out << '\n';
  for (const Line& line : lines) {
    out << Padded(line.mark, 2, false) << Padded(line.pipe, width[0], false) << "  "
        << Padded(line.outside, width[1], true) << " × " << Padded(line.wall, width[2], false)
        << "  " << Padded(line.bore, width[3], true) << "  ";
    if (drops) {
      out << Padded(line.velocity, width[4], false) << "  " << Padded(line.outlet, width[5], false)
          << "  " << line.drop << '\n';
    } else {
      out << line.velocity << '\n';
    }
  }
}

void WriteCsvRow(std::string& out, std::span<const std::string> cells) {
  for (const std::string& cell : cells) {
    if (&cell != cells.data()) out += ',';
    AppendCsvCell(out, cell);
  }
  out += '\n';
}

// Every pipe of the series with its choice; a series without a pipe large enough ends in a
// row of its own whose choice is `none`, so a script never takes silence for a choice.
void WriteCsv(std::string& out, const Sizing& sizing, const SeriesSizing& sized) {
  const PipeSeries& series = *sized.series;
  const bool drops = !sized.drops.empty();
  const std::string chosen_by(NameOf(sized.decided_by));
  for (std::size_t i = 0; i < series.pipes.size(); ++i) {
    const Pipe& pipe = series.pipes[i];
    const std::string_view choice = i == sized.choice.chosen    ? "chosen"
                                    : i == sized.choice.smaller ? "smaller"
                                    : i == sized.choice.larger  ? "larger"
                                                                : "";
    std::vector<std::string> cells = {series.name,
                                      pipe.designation,
                                      FormatMillimetres(pipe.outside),
                                      FormatMillimetres(pipe.wall),
                                      FormatMillimetres(pipe.Bore()),
                                      sized.velocities[i]->text,
                                      std::string(choice)};
    if (drops) {
      const DropCells drop = CellsOf(*sized.drops[i]);
      cells.insert(cells.end(), {drop.outlet, drop.drop, i == sized.choice.chosen ? chosen_by : "",
                                 drop.message, drop.inlet_velocity, drop.outlet_velocity});
    }
    WriteCsvRow(out, cells);
  }
  if (!sized.choice.chosen) {
    std::vector<std::string> cells = {series.name, "", "", "", "", "", "none"};
    if (drops) {
      const std::string message = sized.decided_by == SizingCheck::PressureDrop
                                      ? NoPipeWithinTheDrop(sized, *sizing.max_drop_kpa)
                                      : "no pipe in " + series.name + " with a bore of at least " +
                                            FormatGeneral(sizing.required_mm) + " mm";
      cells.insert(cells.end(), {"", "", chosen_by, message, "", ""});
    }
    WriteCsvRow(out, cells);
  }
}

// A drop without an answer: an input out of range says so with 1, an arithmetic fault with 2.
int StatusOf(const DropFault& fault) {
  return fault.kind == DropFault::Kind::Arithmetic ? kExitFault : kExitPrompt;
}

// A pipe whose drop has no answer, and which pipe it is: «steel DN15, bore 15.8 mm».
struct PipeFault {
  DropFault fault;
  std::string where;
};

// The first pipe, series by series and from the smallest up, whose drop has no answer (a
// roughness of 3.7 bores or more, a Reynolds number or friction factor beyond the double range),
// among the pipes computed and the smallest and largest of each series, which bound what any
// pipe between them gives. Such a fault comes from the line's inputs, not from one pipe, and is
// said once before anything is written, whether the table or the CSV is asked for.
std::optional<PipeFault> FirstPipeFault(const Sizing& sizing, const DropCase& line,
                                        const DropParameters& given) {
  for (const SeriesSizing& sized : sizing.series) {
    const PipeSeries& series = *sized.series;
    for (std::size_t i = 0; i < series.pipes.size(); ++i) {
      const Pipe& pipe = series.pipes[i];
      std::optional<PipeDrop> drop = sized.drops[i];
      if (!drop && (i == 0 || i + 1 == series.pipes.size())) {
        DropCase in_pipe = line;
        if (!given[DropQuantity::Roughness]) in_pipe.roughness_mm = series.roughness_mm;
        in_pipe.bore_mm = static_cast<double>(pipe.Bore().value) / 100;
        drop = ComputeDrop(in_pipe);
      }
      if (const auto* fault = drop ? std::get_if<DropFault>(&*drop) : nullptr) {
        return PipeFault{*fault, series.name + " " + pipe.designation + ", bore " +
                                     FormatMillimetres(pipe.Bore()) + " mm"};
      }
    }
  }
  return std::nullopt;
}

// What the chosen pipes say to a script: every series has one, and the gas reaches the end
// of each.
int StatusOf(const Sizing& sizing) {
  int status = kExitOk;
  for (const SeriesSizing& sized : sizing.series) {
    if (!sized.choice.chosen) return kExitNoPipe;
    if (sized.drops.empty()) continue;
    const auto* result = std::get_if<DropResult>(&*sized.drops[*sized.choice.chosen]);
    if (result == nullptr || !result->outlet_mpa) status = kExitRunsOut;
  }
  return status;
}

// The line's warnings, and the first pipe whose drop has no answer: its status, said once.
std::optional<int> WarnAboutTheLine(const PipeRequest& request, const Sizing& sizing,
                                    std::ostream& err) {
  const auto line = ReadDropCase({request.pressure, request.flow, "", request.drop});
  if (const auto* read = std::get_if<DropCase>(&line)) {
    for (const LineWarning& warning : LineWarnings(*read, request.drop)) {
      Report(err, warning.text);
    }
    if (const std::optional<PipeFault> found = FirstPipeFault(sizing, *read, request.drop)) {
      Report(err, DescribeDropFault(found->fault) + " (" + found->where + ")");
      return StatusOf(found->fault);
    }
  }
  return std::nullopt;
}

// What pipe writes: a small table per series, or CSV of every pipe.
std::string PipeText(const PipeRequest& request, const Sizing& sizing, bool drops) {
  std::string text;
  std::ostringstream table;
  if (request.csv) {
    text = "series,pipe,outside,wall,bore,velocity,choice";
    text += drops ? ",outlet,drop,chosen_by,message,inlet_velocity,outlet_velocity\n" : "\n";
  } else {
    table << "required bore " << FormatGeneral(sizing.required_mm)
          << " mm; outside, wall and bore in mm\n";
  }
  for (const SeriesSizing& sized : sizing.series) {
    if (request.csv) {
      WriteCsv(text, sizing, sized);
    } else {
      table << '\n';
      WriteTable(table, sizing, sized);
    }
  }
  if (!request.csv && drops) table << '\n' << VelocityBases();
  if (!request.csv) text = table.str();
  return text;
}

}  // namespace

int RunPipe(const PipeRequest& given, std::ostream& out, std::ostream& err) {
  // A blank value is the option's default: no catalogue, no such series, a parameter's default
  // (a blank --length: no line; a blank --roughness: each series' own).
  PipeRequest request = given;
  if (request.catalogue && IsBlankText(*request.catalogue)) request.catalogue.reset();
  std::erase_if(request.series, [](const std::string& name) { return IsBlankText(name); });
  ForgetBlankTexts(request.drop);
  if (const auto status = CheckSheetRequest(request.sheet, "pipe", err)) return *status;

  std::vector<PipeSeries> known(BuiltInSeries().begin(), BuiltInSeries().end());
  if (request.catalogue) {
    if (const auto failure = LoadPipeCatalogue(*request.catalogue, known, err))
      return ExitStatusOf(*failure);
  }
  std::vector<const PipeSeries*> wanted;
  for (const std::string& name : request.series) {
    const PipeSeries* series = FindSeries(known, name);
    if (series == nullptr) {
      std::string names;
      for (const PipeSeries& s : known) names += (names.empty() ? "" : ", ") + s.name;
      return UsageError(err, "unknown series '" + Escaped(name) + "' (known: " + names + ")",
                        "pipe");
    }
    if (std::ranges::find(wanted, series) == wanted.end()) wanted.push_back(series);
  }
  if (request.series.empty()) {
    for (const PipeSeries& series : known) wanted.push_back(&series);
  }

  // The line's parameters and the limit mean nothing without the line's length.
  const bool drops = request.drop[DropQuantity::Length].has_value();
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (!drops && request.drop[info.quantity]) {
      return UsageError(err, "option '--" + std::string(info.option) + "' needs --length", "pipe");
    }
  }

  for (Field field : InputFields(Calculation::Diameter)) {
    WarnAboutIgnoredText(InputFieldOf(field), *TextOf(request, field), err);
  }
  WarnAboutIgnoredText(request.drop, err);

  // Everything is computed before anything is written, so a fault leaves no partial table.
  const Sizing sizing =
      SizePipes({request.pressure, request.velocity, request.flow, drops ? &request.drop : nullptr},
                wanted, request.csv ? PipesToSize::Every : PipesToSize::AroundTheChoice);
  if (sizing.outcome.fault) {
    Report(err, FaultDescription(*sizing.outcome.fault));
    return kExitFault;
  }
  if (sizing.outcome.prompt != Prompt::None) {
    Report(err, PromptText(sizing.outcome.prompt));
    return kExitPrompt;
  }
  if (sizing.drop_fault) {
    Report(err, DescribeDropFault(*sizing.drop_fault));
    return StatusOf(*sizing.drop_fault);
  }
  if (drops) {
    if (const std::optional<int> status = WarnAboutTheLine(request, sizing, err)) return *status;
  }
  out << PipeText(request, sizing, drops);  // a failed write is reported with the others'
  const int written = WriteSheet(
      request.sheet,
      [&](const SheetStamp& stamp) {
        return PipeSheet(stamp, {request.pressure, request.velocity, request.flow,
                                 drops ? &request.drop : nullptr, &sizing});
      },
      err);
  return written != kExitOk ? written : StatusOf(sizing);
}

}  // namespace tarnivel
