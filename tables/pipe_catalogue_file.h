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
#include <string>
#include <vector>

#include "core/pipes.h"

namespace tarnivel {

inline constexpr std::size_t kMaxCataloguePipes = 100'000;
inline constexpr std::size_t kMaxCatalogueNameBytes = 100;  // of a series or a pipe

// Why a catalogue file could not be used; the commands tell a script by their exit status.
enum class CatalogueFailure {
  CannotOpen,  // the file cannot be opened
  ReadFailed,  // reading it failed part way
  Malformed,   // malformed CSV or a malformed catalogue, or one over its limits
};

// Reads the catalogue at `path` into `known` (core/pipes.h: MergeSeries). Returns why it
// cannot be used, after telling `err`.
std::optional<CatalogueFailure> LoadPipeCatalogue(const std::string& path,
                                                  std::vector<PipeSeries>& known,
                                                  std::ostream& err);

}  // namespace tarnivel
