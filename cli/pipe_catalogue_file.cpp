#include "cli/pipe_catalogue_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

#include "cli/column_name.h"
#include "cli/csv.h"

namespace tarnivel {
namespace {

constexpr std::array<std::string_view, 4> kColumnNames = {"series", "pipe", "outside", "wall"};
enum Column { kSeries, kPipe, kOutside, kWall };

class CatalogueBuilder {
 public:
  std::optional<CatalogueError> Header(std::span<const std::string> names, std::size_t line) {
    header_size_ = names.size();
    for (std::size_t c = 0; c < kColumnNames.size(); ++c) {
      const auto found = std::ranges::find_if(
          names, [&](const std::string& name) { return NormalisedName(name) == kColumnNames[c]; });
      if (found == names.end()) {
        return CatalogueError{CatalogueError::Kind::MissingColumn, line,
                              std::string(kColumnNames[c])};
      }
      index_[c] = static_cast<std::size_t>(found - names.begin());
    }
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
      if (cell(column).empty()) {
        return CatalogueError{Kind::EmptyName, line, std::string(kColumnNames[column])};
      }
      if (cell(column).size() > kMaxCatalogueNameBytes) {
        return CatalogueError{Kind::LongName, line, std::string(kColumnNames[column])};
      }
    }
    std::array<Hundredths, 2> lengths;
    for (Column column : {kOutside, kWall}) {
      const auto length = ParseMillimetres(cell(column));
      if (!length) {
        return CatalogueError{
            Kind::BadLength, line,
            std::string(kColumnNames[column]) + " '" + std::string(cell(column)) + "'"};
      }
      lengths[column - kOutside] = *length;
    }
    const Pipe pipe{std::string(cell(kPipe)), lengths[0], lengths[1]};
    if (pipe.Bore().value <= 0) return CatalogueError{Kind::NoBore, line, pipe.designation};

    PipeSeries& series = SeriesNamed(cell(kSeries));
    if (!series.pipes.empty() && pipe.Bore() <= series.pipes.back().Bore()) {
      return CatalogueError{Kind::BoreNotIncreasing, line, pipe.designation};
    }
    series.pipes.push_back(pipe);
    return std::nullopt;
  }

  std::vector<PipeSeries> Take() { return std::move(series_); }

 private:
  PipeSeries& SeriesNamed(std::string_view name) {
    const auto found = std::ranges::find(series_, name, &PipeSeries::name);
    if (found != series_.end()) return *found;
    return series_.emplace_back(PipeSeries{std::string(name), {}});
  }

  std::size_t header_size_ = 0;
  std::size_t pipes_ = 0;
  std::array<std::size_t, kColumnNames.size()> index_{};
  std::vector<PipeSeries> series_;
};

}  // namespace

std::string Describe(const CatalogueError& error) {
  std::string text = "line " + std::to_string(error.line) + ": ";
  switch (error.kind) {
    case CatalogueError::Kind::Csv:
      return text + error.detail;
    case CatalogueError::Kind::MissingColumn:
      return text + "the header has no '" + error.detail +
             "' column; it needs series, pipe, outside and wall";
    case CatalogueError::Kind::TooManyCells:
      return text + "more cells than the header names";
    case CatalogueError::Kind::EmptyName:
      return text + "the " + error.detail + " name is empty";
    case CatalogueError::Kind::LongName:
      return text + "the " + error.detail + " name is longer than " +
             std::to_string(kMaxCatalogueNameBytes) + " bytes";
    case CatalogueError::Kind::BadLength:
      return text + error.detail + " is not millimetres with at most two decimals";
    case CatalogueError::Kind::NoBore:
      return text + "pipe '" + error.detail +
             "' has no bore: twice its wall is its outside or more";
    case CatalogueError::Kind::BoreNotIncreasing:
      return text + "the bore of pipe '" + error.detail +
             "' is not larger than the one before it in its series";
    case CatalogueError::Kind::TooManyPipes:
      return text + "a catalogue holds at most " + std::to_string(kMaxCataloguePipes) + " pipes";
  }
  return text;
}

std::variant<std::vector<PipeSeries>, CatalogueError> ParsePipeCatalogue(std::streambuf& source) {
  std::vector<char> chunk(1 << 16);
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
        if (const std::streamsize got =
                source.sgetn(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            got > 0) {
          reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        } else {
          reader.Finish();
        }
        break;
      case CsvReader::Status::End:
        if (!have_header) return CatalogueError{CatalogueError::Kind::MissingColumn, 1, "series"};
        return builder.Take();
    }
  }
}

}  // namespace tarnivel
