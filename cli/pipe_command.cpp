#include "cli/pipe_command.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>

#include "cli/cli.h"
#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/fd_input.h"
#include "cli/options.h"
#include "cli/pipe_catalogue_file.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// --- Arguments ---

// The fields the diameter calculation reads, named as the other commands name them, then
// pipe's own options.
enum class PipeOption { Field, Series, Catalogue, Csv, Help };
struct PipeOptions {
  std::vector<OptionSpec> known;
  std::vector<PipeOption> kinds;             // by option
  std::vector<std::optional<Field>> fields;  // by option: the field an option gives
};

const PipeOptions& Options() {
  static const PipeOptions options = [] {
    PipeOptions o;
    for (Field field : InputFields(Calculation::Diameter)) {
      const InputField& input = InputFieldOf(field);
      o.known.push_back({input.name, input.short_option, true});
      o.kinds.push_back(PipeOption::Field);
      o.fields.push_back(field);
    }
    const std::pair<OptionSpec, PipeOption> own[] = {
        {{"series", 's', true}, PipeOption::Series},
        {{"catalogue", 'c', true}, PipeOption::Catalogue},
        {{"csv", '\0', false}, PipeOption::Csv},
        {{"help", 'h', false}, PipeOption::Help}};
    for (const auto& [known_option, kind] : own) {
      o.known.push_back(known_option);
      o.kinds.push_back(kind);
      o.fields.push_back(std::nullopt);
    }
    return o;
  }();
  return options;
}

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

void PipeHelp(std::ostream& out) {
  out << "Usage: tarnivel pipe [OPTION]...\n"
         "Computes the bore a diameter calculation requires, before it is rounded, and picks\n"
         "in each series the smallest standard pipe whose bore is at least that, with the\n"
         "next smaller and larger pipe and the velocity in each.\n\n";
  for (Field field : InputFields(Calculation::Diameter)) OptionLine(out, InputFieldOf(field));
  out << "  -s, --series=NAME       a series to size in (repeatable); all built-in ones\n"
         "                          when none is named:";
  for (const PipeSeries& series : BuiltInSeries()) out << ' ' << series.name;
  out << "\n"
         "  -c, --catalogue=FILE    a CSV catalogue of pipes (series,pipe,outside,wall in mm)\n"
         "      --csv               every pipe of each series as CSV, with its choice\n"
         "  -h, --help              this help\n\n"
         "Exit status: 0 sized, 1 more data needed, 2 arithmetic fault, 64 usage error,\n"
         "65 malformed catalogue, 66 catalogue cannot be opened, 74 write error.\n";
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err << "tarnivel: " << path << ": " << std::strerror(errno) << '\n';
    return kExitNoInput;
  }
  FdInputBuffer file(fd, /*owns=*/true);
  const std::string text{std::istreambuf_iterator<char>(&file), {}};
  if (file.io_error() != 0) {
    err << "tarnivel: " << path << ": " << std::strerror(file.io_error()) << '\n';
    return kExitIoError;
  }
  auto parsed = ParsePipeCatalogue(text);
  if (const auto* error = std::get_if<CatalogueError>(&parsed)) {
    err << "tarnivel: " << path << ": " << Describe(*error) << '\n';
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

std::variant<PipeRequest, PipeUsageError> ParsePipeArguments(std::span<const std::string> args) {
  const PipeOptions& options = Options();
  const ParsedArguments parsed = ParseOptions(args, options.known);
  if (!parsed.error.empty()) return PipeUsageError{parsed.error};
  if (!parsed.operands.empty()) {
    return PipeUsageError{"unexpected argument '" + parsed.operands.front() + "'"};
  }
  PipeRequest request;
  for (const ParsedOption& option : parsed.options) {
    switch (options.kinds[option.index]) {
      case PipeOption::Field:
        *TextOf(request, *options.fields[option.index]) = option.value;
        break;
      case PipeOption::Series:
        request.series.push_back(option.value);
        break;
      case PipeOption::Catalogue:
        request.catalogue = option.value;
        break;
      case PipeOption::Csv:
        request.csv = true;
        break;
      case PipeOption::Help:
        request.help = true;
        break;
    }
  }
  return request;
}

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
    err << "tarnivel: " << FaultDescription(kind) << '\n';
    return kExitFault;
  };
  std::string text;
  const RequiredBore required = RequiredBoreFor(request.pressure, request.velocity, request.flow);
  if (required.outcome.fault) return fault(*required.outcome.fault);
  if (required.outcome.prompt != Prompt::None) {
    err << "tarnivel: " << PromptText(required.outcome.prompt) << '\n';
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

int RunPipeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParsePipeArguments(args);
  if (const auto* usage = std::get_if<PipeUsageError>(&parsed)) {
    return UsageError(err, usage->message);
  }
  const PipeRequest& request = std::get<PipeRequest>(parsed);
  if (request.help) {
    PipeHelp(out);
    return kExitOk;
  }
  return RunPipe(request, out, err);
}

}  // namespace tarnivel
