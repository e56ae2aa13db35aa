// A user's pipe catalogue: its CSV read and checked row by row into series, and why one cannot
// be used, named by its line.

#include "tables/pipe_catalogue_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <variant>

#include "core/csv_text.h"
#include "core/numeric.h"
#include "system/input_file.h"
#include "system/report.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

// Why a catalogue cannot be used, and where.
struct CatalogueError {
  enum class Kind {
    Empty,              // no header row at all
    Csv,                // malformed CSV; `detail` says how
    MissingColumn,      // the header lacks the column `detail`
    DuplicateColumn,    // the header names the column `detail` twice
    TooManyCells,       // a row with more cells than the header
    EmptyName,          // an empty series or pipe name (`detail`: which)
    LongName,           // a series or pipe name over kMaxCatalogueNameBytes (`detail`: which)
    ControlCharacter,   // a series or pipe name (`detail`: which) with a byte below 0x20
    BadLength,          // `detail` is not millimetres with at most two decimals
    ZeroWall,           // pipe `detail` has a wall of 0
    NoBore,             // the wall leaves no bore: 2 × wall ≥ outside
    DuplicatePipe,      // pipe `detail` is named twice in its series
    BoreNotIncreasing,  // the bore is not larger than the one before in its series
    BadRoughness,       // `detail` is not a roughness in mm, 0 or more
    RoughnessDiffers,   // pipe `detail` gives its series another roughness than before
    TooManyPipes        // more than kMaxCataloguePipes rows of pipes
  };
  Kind kind;
  std::size_t line;  // 1-based
  std::string detail;
};

constexpr std::array<std::string_view, 4> kColumnNames = {"series", "pipe", "outside", "wall"};
enum Column { kSeries, kPipe, kOutside, kWall };

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

constexpr std::string_view kRoughnessColumn = "roughness";  // optional

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A cell as a message quotes it: control characters spelled out, so the message stays one line.
std::string Quoted(std::string_view cell) { return "'" + Escaped(cell) + "'"; }

class CatalogueBuilder {
 public:
  std::optional<CatalogueError> Header(std::span<const std::string> names, std::size_t line) {
    header_size_ = names.size();
    if (const std::optional<std::string> twice = RepeatedName(names)) {
      return CatalogueError{CatalogueError::Kind::DuplicateColumn, line, *twice};
    }
    for (std::size_t c = 0; c < kColumnNames.size(); ++c) {
      const auto found = std::ranges::find_if(
          names, [&](const std::string& name) { return NormalisedName(name) == kColumnNames[c]; });
      if (found == names.end()) {
        return CatalogueError{CatalogueError::Kind::MissingColumn, line,
                              std::string(kColumnNames[c])};
      }
      index_[c] = static_cast<std::size_t>(found - names.begin());
    }
    const auto roughness = std::ranges::find_if(
        names, [](const std::string& name) { return NormalisedName(name) == kRoughnessColumn; });
    if (roughness != names.end()) roughness_ = static_cast<std::size_t>(roughness - names.begin());
    return std::nullopt;
  }

  std::optional<CatalogueError> Row(std::span<const std::string> cells, std::size_t line) {
    using Kind = CatalogueError::Kind;
    if (cells.size() > header_size_) return CatalogueError{Kind::TooManyCells, line, {}};
    const auto cell = [&](Column column) -> std::string_view {
      return index_[column] < cells.size() ? cells[index_[column]] : std::string_view();
    };
    if (++pipes_ > kMaxCataloguePipes) return CatalogueError{Kind::TooManyPipes, line, {}};
    for (Column column : {kSeries, kPipe}) {
      const std::string_view name = WithoutBlanks(cell(column));
      const std::string which(kColumnNames[column]);
      if (name.empty()) return CatalogueError{Kind::EmptyName, line, which};
      if (name.size() > kMaxCatalogueNameBytes) return CatalogueError{Kind::LongName, line, which};
      if (std::ranges::any_of(name, IsControl)) {
        return CatalogueError{Kind::ControlCharacter, line, which};
      }
    }
    std::array<Hundredths, 2> lengths;
    for (Column column : {kOutside, kWall}) {
      const auto length = ParseMillimetres(cell(column));
      if (!length) {
        return CatalogueError{Kind::BadLength, line,
                              std::string(kColumnNames[column]) + " " + Quoted(cell(column))};
      }
      lengths[column - kOutside] = *length;
    }
    const Pipe pipe{std::string(WithoutBlanks(cell(kPipe))), lengths[0], lengths[1]};
    if (pipe.wall.value == 0) return CatalogueError{Kind::ZeroWall, line, pipe.designation};
    if (pipe.Bore().value <= 0) return CatalogueError{Kind::NoBore, line, pipe.designation};

    const std::size_t index = SeriesNamed(WithoutBlanks(cell(kSeries)));
    PipeSeries& series = series_[index];
    if (!pipe_names_[index].insert(pipe.designation).second) {
      return CatalogueError{Kind::DuplicatePipe, line, pipe.designation};
    }
    if (!series.pipes.empty() && pipe.Bore() <= series.pipes.back().Bore()) {
      return CatalogueError{Kind::BoreNotIncreasing, line, pipe.designation};
    }
    series.pipes.push_back(pipe);
    return Roughness(roughness_ < cells.size() ? cells[roughness_] : std::string_view(), index,
                     pipe.designation, line);
  }

  std::vector<PipeSeries> Take() { return std::move(series_); }

 private:
  // The index of the series `name` names, a new one when none does yet. Found by key, so
  // that a catalogue of many series or many pipes is read in time linear in its rows.
  std::size_t SeriesNamed(std::string_view name) {
    const auto [found, added] = by_key_.try_emplace(SeriesKey(name), series_.size());
    if (added) {
      series_.push_back(PipeSeries{std::string(name), {}});
      pipe_names_.emplace_back();
      roughness_given_.emplace_back();
    }
    return found->second;
  }

  // A series' roughness from a pipe's cell: a blank cell says nothing, and the first figure
  // given stands for the series.
  std::optional<CatalogueError> Roughness(std::string_view cell, std::size_t index,
                                          const std::string& pipe, std::size_t line) {
    cell = WithoutBlanks(cell);
    if (cell.empty()) return std::nullopt;
    const auto read = ParseNumberStrict(cell);
    if (!read || read->fault || !(read->value >= 0)) {
      return CatalogueError{CatalogueError::Kind::BadRoughness, line,
                            std::string(kRoughnessColumn) + " " + Quoted(cell)};
    }
    std::optional<double>& given = roughness_given_[index];
    if (given && *given != read->value) {
      return CatalogueError{CatalogueError::Kind::RoughnessDiffers, line, pipe};
    }
    given = read->value;
    series_[index].roughness_mm = read->value;
    return std::nullopt;
  }

  std::size_t header_size_ = 0;
  std::size_t roughness_ = static_cast<std::size_t>(-1);  // its column, when there is one
  std::size_t pipes_ = 0;
  std::array<std::size_t, kColumnNames.size()> index_{};
  std::vector<PipeSeries> series_;
  std::unordered_map<std::string, std::size_t> by_key_;      // SeriesKey -> index
  std::vector<std::unordered_set<std::string>> pipe_names_;  // by series
  std::vector<std::optional<double>> roughness_given_;       // by series
};

// «line 3: outside '11o' is not millimetres with at most two decimals»: always one line.
std::string Describe(const CatalogueError& error) {
  if (error.kind == CatalogueError::Kind::Empty) {
    return "the file is empty; a catalogue needs a header row naming series, pipe, outside and "
           "wall";
  }
  std::string text = "line " + std::to_string(error.line) + ": ";
  switch (error.kind) {
    case CatalogueError::Kind::Empty:
      return text;
    case CatalogueError::Kind::Csv:
      return text + error.detail;
    case CatalogueError::Kind::MissingColumn:
      return text + "the header has no '" + error.detail +
             "' column; it needs series, pipe, outside and wall";
    case CatalogueError::Kind::DuplicateColumn:
      return text + "the header names the column '" + Escaped(error.detail) + "' twice";
    case CatalogueError::Kind::TooManyCells:
      return text + "more cells than the header names";
    case CatalogueError::Kind::EmptyName:
      return text + "the " + error.detail + " name is empty";
    case CatalogueError::Kind::LongName:
      return text + "the " + error.detail + " name is longer than " +
             std::to_string(kMaxCatalogueNameBytes) + " bytes";
    case CatalogueError::Kind::ControlCharacter:
      return text + "the " + error.detail + " name holds a control character";
    case CatalogueError::Kind::BadLength:
      return text + error.detail + " is not millimetres with at most two decimals";
    case CatalogueError::Kind::NoBore:
      return text + "pipe '" + error.detail +
             "' has no bore: twice its wall is its outside or more";
    case CatalogueError::Kind::ZeroWall:
      return text + "pipe '" + error.detail + "' has a wall of 0";
    case CatalogueError::Kind::DuplicatePipe:
      return text + "pipe '" + error.detail + "' is already in its series";
    case CatalogueError::Kind::BoreNotIncreasing:
      return text + "the bore of pipe '" + error.detail +
             "' is not larger than the one before it in its series";
    case CatalogueError::Kind::BadRoughness:
      return text + error.detail + " is not a roughness in mm, 0 or more";
    case CatalogueError::Kind::RoughnessDiffers:
      return text + "pipe '" + error.detail +
             "' gives its series another roughness than the pipes before it";
    case CatalogueError::Kind::TooManyPipes:
      return text + "a catalogue holds at most " + std::to_string(kMaxCataloguePipes) + " pipes";
  }
  return text;
}

// The series of the catalogue `source` holds, in the order they first appear. It is read as it
// arrives, up to its end or a failed read, which the caller asks the source about.
std::variant<std::vector<PipeSeries>, CatalogueError> ParsePipeCatalogue(std::streambuf& source) {
  CsvReader reader;
  CatalogueBuilder builder;
  bool have_header = false;
  for (;;) {
    switch (reader.Next()) {
      case CsvReader::Status::Record: {
        const auto error = have_header ? builder.Row(reader.record(), reader.record_line())
                                       : builder.Header(reader.record(), reader.record_line());
        if (error) return *error;
        have_header = true;
        break;
      }
      case CsvReader::Status::Error:
        return CatalogueError{CatalogueError::Kind::Csv, reader.error_line(), reader.error()};
      case CsvReader::Status::NeedMore:
        FeedFrom(source, reader);
        break;
      case CsvReader::Status::End:
        if (!have_header) return CatalogueError{CatalogueError::Kind::Empty, 1, {}};
        return builder.Take();
    }
  }
}

}  // namespace

std::optional<CatalogueFailure> LoadPipeCatalogue(const std::string& path,
                                                  std::vector<PipeSeries>& known,
                                                  std::ostream& err) {
  const auto file = OpenInputFile(path, err);
  if (!file) return CatalogueFailure::CannotOpen;
  auto parsed = ParsePipeCatalogue(*file);
  if (file->io_error() != 0) {
    ReportFileError(err, path, file->io_error());
    return CatalogueFailure::ReadFailed;
  }
  if (const auto* error = std::get_if<CatalogueError>(&parsed)) {
    Report(err, Escaped(path) + ": " + Describe(*error));
    return CatalogueFailure::Malformed;
  }
  MergeSeries(known, std::move(std::get<std::vector<PipeSeries>>(parsed)));
  return std::nullopt;
}

}  // namespace tarnivel
