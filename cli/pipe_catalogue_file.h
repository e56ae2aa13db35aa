#pragma once
// A user's pipe catalogue, for a local standard: CSV with a header row naming the columns
// series, pipe, outside and wall (mm, at most two decimals; other columns are ignored), one
// row per pipe, each series' pipes in the order of increasing bore. An optional column
// roughness gives a series' wall roughness in mm; the rows of a series that give one agree. Its
// size is limited, so that a huge or endless file is refused rather than held. Names are trimmed of
// surrounding blanks, and a series is named as everywhere else (core/pipes.h: NamesSeries).

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/pipes.h"

namespace tarnivel {

inline constexpr std::size_t kMaxCataloguePipes = 100'000;
inline constexpr std::size_t kMaxCatalogueNameBytes = 100;  // of a series or a pipe

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

// «line 3: outside '11o' is not millimetres with at most two decimals»: always one line.
std::string Describe(const CatalogueError& error);

// The series of the catalogue `source` holds, in the order they first appear. It is read as it
// arrives, up to its end or a failed read, which the caller asks the source about.
std::variant<std::vector<PipeSeries>, CatalogueError> ParsePipeCatalogue(std::streambuf& source);

// Reads the catalogue at `path` into `known` (core/pipes.h: MergeSeries). Returns the exit status
// when it cannot be used, after telling `err` why.
std::optional<int> LoadPipeCatalogue(const std::string& path, std::vector<PipeSeries>& known,
                                     std::ostream& err);

}  // namespace tarnivel
