#include "cli/pipe_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>

#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/field_options.h"
#include "cli/input_file.h"
#include "cli/pipe_catalogue_file.h"
#include "cli/report.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"

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

struct SizedSeries {
  const PipeSeries* series;
  PipeChoice choice;
  std::vector<std::string> velocities;            // by pipe; only those shown are computed
  std::optional<FaultKind> fault = std::nullopt;  // a velocity out of range: nothing is shown
};

void WriteTable(std::ostream& out, const SizedSeries& sized, double required_mm) {
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
                     sized.velocities[*index]});
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

void WriteCsv(std::string& out, const SizedSeries& sized) {
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
                                 sized.velocities[i],
                                 std::string(choice)};
    for (const std::string& cell : cells) {
      if (&cell != &cells[0]) out += ',';
      AppendCsvCell(out, cell);
    }
    out += '\n';
  }
}

// Adds the series of the catalogue at `path` to `known`, replacing one of the same name.
// Returns the exit status when the catalogue cannot be used.
std::optional<int> LoadCatalogue(const std::string& path, std::vector<PipeSeries>& known,
                                 std::ostream& err) {
  const auto file = OpenInputFile(path, err);
  if (!file) return kExitNoInput;
  auto parsed = ParsePipeCatalogue(*file);
  if (file->io_error() != 0) {
    ReportFileError(err, path, file->io_error());
    return kExitIoError;
  }
  if (const auto* error = std::get_if<CatalogueError>(&parsed)) {
    Report(err, path + ": " + Describe(*error));
    return kExitDataError;
  }
  for (PipeSeries& series : std::get<std::vector<PipeSeries>>(parsed)) {
    const auto same = std::ranges::find(known, series.name, &PipeSeries::name);
    if (same != known.end()) {
      *same = std::move(series);
    } else {
      known.push_back(std::move(series));
    }
  }
  return std::nullopt;
}

// The choice in `series` and the velocities in the pipes to be shown: all, or the three.
SizedSeries Size(const PipeSeries& series, double required_mm, const PipeRequest& request) {
  SizedSeries sized{&series, ChoosePipe(series, required_mm), {}};
  sized.velocities.resize(series.pipes.size());
  for (std::size_t i = 0; i < series.pipes.size(); ++i) {
    const bool shown = request.csv || i == sized.choice.smaller || i == sized.choice.chosen ||
                       i == sized.choice.larger;
    if (!shown) continue;
    PipeVelocity velocity = VelocityInPipe(request.pressure, request.flow, series.pipes[i]);
    if (velocity.fault) return {&series, {}, {}, velocity.fault};
    sized.velocities[i] = std::move(velocity.text);
  }
  return sized;
}

}  // namespace

int RunPipe(const PipeRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<PipeSeries> known(BuiltInSeries().begin(), BuiltInSeries().end());
  if (request.catalogue) {
    if (const auto status = LoadCatalogue(*request.catalogue, known, err)) return *status;
  }
  std::vector<const PipeSeries*> wanted;
  for (const std::string& name : request.series) {
    const PipeSeries* series = FindSeries(known, name);
    if (series == nullptr) {
      std::string names;
      for (const PipeSeries& s : known) names += (names.empty() ? "" : ", ") + s.name;
      return UsageError(err, "unknown series '" + name + "' (known: " + names + ")");
    }
    wanted.push_back(series);
  }
  if (request.series.empty()) {
    for (const PipeSeries& series : known) wanted.push_back(&series);
  }

  for (Field field : InputFields(Calculation::Diameter)) {
    WarnAboutIgnoredText(InputFieldOf(field), *TextOf(request, field), err);
  }

  // Everything is computed before anything is written, so a fault leaves no partial table.
  const auto fault = [&err](FaultKind kind) {
    Report(err, FaultDescription(kind));
    return kExitFault;
  };
  std::string text;
  const RequiredBore required = RequiredBoreFor(request.pressure, request.velocity, request.flow);
  if (required.outcome.fault) return fault(*required.outcome.fault);
  if (required.outcome.prompt != Prompt::None) {
    Report(err, PromptText(required.outcome.prompt));
    return kExitPrompt;
  }
  std::ostringstream table;
  if (request.csv) {
    text = "series,pipe,outside,wall,bore,velocity,choice\n";
  } else {
    table << "required bore " << FormatGeneral(required.mm) << " mm; lengths in mm\n";
  }
  for (const PipeSeries* series : wanted) {
    const SizedSeries sized = Size(*series, required.mm, request);
    if (sized.fault) return fault(*sized.fault);
    if (request.csv) {
      WriteCsv(text, sized);
    } else {
      table << '\n';
      WriteTable(table, sized, required.mm);
    }
  }
  if (!request.csv) text = table.str();

  out << text;  // a failed write is reported with the others'
  return kExitOk;
}

}  // namespace tarnivel
