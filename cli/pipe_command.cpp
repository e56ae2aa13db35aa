#include "cli/pipe_command.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/cli.h"
#include "cli/csv.h"
#include "cli/exit_status.h"
#include "cli/pipe_catalogue_file.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// --- Arguments ---

struct PipeOption {
  std::string_view long_name;
  char short_name;                           // 0: none
  std::string PipeRequest::*text = nullptr;  // for the field options
};

std::string PipeRequest::*TextOf(Field field) {
  switch (field) {
    case Field::TP:
      return &PipeRequest::pressure;
    case Field::TV:
      return &PipeRequest::velocity;
    case Field::TM:
      return &PipeRequest::flow;
    default:
      return nullptr;
  }
}

// The fields the diameter calculation reads, named as the other commands name them, then
// pipe's own options.
std::vector<PipeOption> PipeOptions() {
  std::vector<PipeOption> options;
  for (Field field : InputFields(Calculation::Diameter)) {
    const InputField& input = *InputFieldOf(field);
    options.push_back({input.name, input.short_option, TextOf(field)});
  }
  options.push_back({"series", 0});
  options.push_back({"catalogue", 0});
  options.push_back({"csv", 0});
  return options;
}

// --- Output ---

std::string Padded(std::string_view text, std::size_t width, bool right) {
  const std::string padding(width > text.size() ? width - text.size() : 0, ' ');
  return right ? padding + std::string(text) : std::string(text) + padding;
}

struct SizedSeries {
  const PipeSeries* series;
  PipeChoice choice;
  std::vector<std::string> velocities;  // by pipe; only those shown are computed
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

int UsageError(std::ostream& err, std::string_view message) {
  err << "tarnivel: " << message << "\n\n" << UsageText();
  return kExitUsage;
}

// Adds the series of the catalogue at `path` to `known`, replacing one of the same name.
// Returns the exit status when the catalogue cannot be used.
std::optional<int> LoadCatalogue(const std::string& path, std::vector<PipeSeries>& known,
                                 std::ostream& err) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "tarnivel: pipe: cannot open '" << path << "': " << std::strerror(errno) << '\n';
    return kExitNoInput;
  }
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  if (file.bad()) {
    err << "tarnivel: pipe: cannot read '" << path << "'\n";
    return kExitIoError;
  }
  auto parsed = ParsePipeCatalogue(text);
  if (const auto* error = std::get_if<CatalogueError>(&parsed)) {
    err << "tarnivel: pipe: " << path << ": " << Describe(*error) << '\n';
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
    if (shown)
      sized.velocities[i] = VelocityInPipe(request.pressure, request.flow, series.pipes[i]);
  }
  return sized;
}

}  // namespace

std::variant<PipeRequest, PipeUsageError> ParsePipeArguments(std::span<const std::string> args) {
  static const std::vector<PipeOption> kOptions = PipeOptions();
  PipeRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const PipeOption* option = nullptr;
    std::optional<std::string_view> value;  // given in the same argument, as --flow=1000
    for (const PipeOption& candidate : kOptions) {
      if (candidate.short_name != 0 && arg.size() == 2 && arg[0] == '-' &&
          arg[1] == candidate.short_name) {
        option = &candidate;
      } else if (arg.starts_with("--") && arg.substr(2).starts_with(candidate.long_name)) {
        const std::string_view tail = arg.substr(2 + candidate.long_name.size());
        if (tail.empty() || tail.front() == '=') option = &candidate;
        if (!tail.empty() && tail.front() == '=') value = tail.substr(1);
      }
      if (option != nullptr) break;
    }
    if (option == nullptr) return PipeUsageError{"pipe: unknown option '" + args[i] + "'"};
    if (option->long_name == "csv") {
      if (value) return PipeUsageError{"pipe: --csv takes no value"};
      request.csv = true;
      continue;
    }
    if (!value) {
      if (i + 1 == args.size())
        return PipeUsageError{"pipe: option '" + args[i] + "' needs a value"};
      value = args[++i];  // taken as it stands, even when it starts with '-'
    }
    if (option->text != nullptr) {
      request.*(option->text) = std::string(*value);
    } else if (option->long_name == "series") {
      request.series.emplace_back(*value);
    } else {
      request.catalogue = std::string(*value);
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
      return UsageError(err, "pipe: unknown series '" + name + "' (known: " + names + ")");
    }
    wanted.push_back(series);
  }
  if (request.series.empty()) {
    for (const PipeSeries& series : known) wanted.push_back(&series);
  }

  // Everything is computed before anything is written, so a fault leaves no partial table.
  std::string text;
  try {
    const RequiredBore required = RequiredBoreFor(request.pressure, request.velocity, request.flow);
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
      if (request.csv) {
        WriteCsv(text, sized);
      } else {
        table << '\n';
        WriteTable(table, sized, required.mm);
      }
    }
    if (!request.csv) text = table.str();
  } catch (const ArithmeticFault& fault) {
    err << "tarnivel: " << FaultDescription(fault.kind()) << '\n';
    return kExitFault;
  }

  out << text << std::flush;
  if (!out) {
    err << "tarnivel: pipe: cannot write the output\n";
    return kExitIoError;
  }
  return kExitOk;
}

int RunPipeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParsePipeArguments(args.subspan(1));
  if (const auto* usage = std::get_if<PipeUsageError>(&parsed)) {
    return UsageError(err, usage->message);
  }
  return RunPipe(std::get<PipeRequest>(parsed), out, err);
}

}  // namespace tarnivel
