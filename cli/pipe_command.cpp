#include "cli/pipe_command.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/field_options.h"
#include "cli/input_file.h"
#include "cli/pipe_catalogue_file.h"
#include "cli/report.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sizing.h"

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

void WriteTable(std::ostream& out, const SeriesSizing& sized, double required_mm) {
  const PipeSeries& series = *sized.series;
  if (!sized.choice.chosen) {
    const Pipe& largest = series.pipes.back();
    out << series.name << ": no pipe; the largest, " << largest.designation << ", has a bore of "
        << FormatMillimetres(largest.Bore()) << " mm, less than the " << FormatGeneral(required_mm)
        << " mm required\n";
    return;
  }
  struct Line {
    std::string mark, pipe, outside, wall, bore, velocity;
  };
  std::vector<Line> lines = {{"", "pipe", "outside", "wall", "bore", "velocity (m/s)"}};
  for (const auto& [index, mark] :
       {std::pair{sized.choice.smaller, ""}, std::pair{sized.choice.chosen, "*"},
        std::pair{sized.choice.larger, ""}}) {
    if (!index) continue;
    const Pipe& pipe = series.pipes[*index];
    lines.push_back({mark, pipe.designation, FormatMillimetres(pipe.outside),
                     FormatMillimetres(pipe.wall), FormatMillimetres(pipe.Bore()),
                     sized.velocities[*index]->text});
  }
  std::array<std::size_t, 5> width{};
  for (const Line& line : lines) {
    const std::string_view cells[] = {line.pipe, line.outside, line.wall, line.bore, line.velocity};
    for (std::size_t c = 0; c < width.size(); ++c) width[c] = std::max(width[c], cells[c].size());
  }
  out << series.name << '\n';
  for (const Line& line : lines) {
    out << Padded(line.mark, 2, false) << Padded(line.pipe, width[0], false) << "  "
        << Padded(line.outside, width[1], true) << " × " << Padded(line.wall, width[2], false)
        << "  " << Padded(line.bore, width[3], true) << "  " << line.velocity << '\n';
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
void WriteCsv(std::string& out, const SeriesSizing& sized) {
  const PipeSeries& series = *sized.series;
  for (std::size_t i = 0; i < series.pipes.size(); ++i) {
    const Pipe& pipe = series.pipes[i];
    const std::string_view choice = i == sized.choice.chosen    ? "chosen"
                                    : i == sized.choice.smaller ? "smaller"
                                    : i == sized.choice.larger  ? "larger"
                                                                : "";
    const std::string cells[] = {series.name,
                                 pipe.designation,
                                 FormatMillimetres(pipe.outside),
                                 FormatMillimetres(pipe.wall),
                                 FormatMillimetres(pipe.Bore()),
                                 sized.velocities[i]->text,
                                 std::string(choice)};
    WriteCsvRow(out, cells);
  }
  if (!sized.choice.chosen) {
    const std::string cells[] = {series.name, "", "", "", "", "", "none"};
    WriteCsvRow(out, cells);
  }
}

}  // namespace

int RunPipe(const PipeRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<PipeSeries> known(BuiltInSeries().begin(), BuiltInSeries().end());
  if (request.catalogue) {
    if (const auto status = LoadPipeCatalogue(*request.catalogue, known, err)) return *status;
  }
  std::vector<const PipeSeries*> wanted;
  for (const std::string& name : request.series) {
    const PipeSeries* series = FindSeries(known, name);
    if (series == nullptr) {
      std::string names;
      for (const PipeSeries& s : known) names += (names.empty() ? "" : ", ") + s.name;
      return UsageError(err, "unknown series '" + name + "' (known: " + names + ")");
    }
    if (std::ranges::find(wanted, series) == wanted.end()) wanted.push_back(series);
  }
  if (request.series.empty()) {
    for (const PipeSeries& series : known) wanted.push_back(&series);
  }

  for (Field field : InputFields(Calculation::Diameter)) {
    WarnAboutIgnoredText(InputFieldOf(field), *TextOf(request, field), err);
  }

  // Everything is computed before anything is written, so a fault leaves no partial table.
  const Sizing sizing = SizePipes({request.pressure, request.velocity, request.flow}, wanted,
                                  request.csv ? PipesToSize::Every : PipesToSize::AroundTheChoice);
  if (sizing.outcome.fault) {
    Report(err, FaultDescription(*sizing.outcome.fault));
    return kExitFault;
  }
  if (sizing.outcome.prompt != Prompt::None) {
    Report(err, PromptText(sizing.outcome.prompt));
    return kExitPrompt;
  }
  std::string text;
  std::ostringstream table;
  if (request.csv) {
    text = "series,pipe,outside,wall,bore,velocity,choice\n";
  } else {
    table << "required bore " << FormatGeneral(sizing.required_mm) << " mm; lengths in mm\n";
  }
  bool every_series_has_a_pipe = true;
  for (const SeriesSizing& sized : sizing.series) {
    every_series_has_a_pipe = every_series_has_a_pipe && sized.choice.chosen.has_value();
    if (request.csv) {
      WriteCsv(text, sized);
    } else {
      table << '\n';
      WriteTable(table, sized, sizing.required_mm);
    }
  }
  if (!request.csv) text = table.str();

  out << text;  // a failed write is reported with the others'
  return every_series_has_a_pipe ? kExitOk : kExitNoPipe;
}

}  // namespace tarnivel
