#pragma once
// Standard pipes: from the bore a diameter calculation needs to a pipe that can be ordered.
//
//   pressure, velocity, flow texts --> SizePipes (sizing.h): the required bore, unrounded
//        --> ChoosePipe(series) --> smaller / chosen / larger pipe --> the velocity in each
//
// Lengths of pipes are kept exactly, in hundredths of a millimetre, as the standards print
// them; the bore is outside − 2 × wall.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivel {

// A length in hundredths of a millimetre.
struct Hundredths {
  std::int64_t value = 0;
  friend auto operator<=>(const Hundredths&, const Hundredths&) = default;
};

// «114.3», «6.02», «381»: millimetres without trailing zeros.
std::string FormatMillimetres(Hundredths length);
// Reads millimetres with at most two decimals («114.3», « 6.02 », «20»), nothing else around
// them but blanks; nullopt for anything else, a sign included, or beyond a kilometre.
std::optional<Hundredths> ParseMillimetres(std::string_view text);

struct Pipe {
  std::string designation;  // «DN100», «de110»
  Hundredths outside;
  Hundredths wall;

  Hundredths Bore() const { return {outside.value - 2 * wall.value}; }
};

// The absolute roughness of a new steel pipe's wall, in mm: the urban gas design code's value
// for steel, and what a series of a user's catalogue that gives none is taken to have (the
// roughest of the built-in ones, so that an unknown wall never understates a drop).
inline constexpr double kNewSteelRoughnessMm = 0.1;

// One table of pipes, in the order of its standard: bores strictly increasing.
struct PipeSeries {
  std::string name;  // «steel», «pe-sdr11», or a user's name
  std::vector<Pipe> pipes;
  double roughness_mm = kNewSteelRoughnessMm;  // of the wall, for the pressure drop
};

// steel (Schedule 40), pe-sdr11, pe-sdr17: the series built into the program.
std::span<const PipeSeries> BuiltInSeries();

// A built-in series' short label, as a chooser shows it, and the long one of its tooltip.
struct SeriesLabel {
  std::string_view series;
  std::string_view label;
  std::string_view description;
};
inline constexpr std::array<SeriesLabel, 3> kSeriesLabels{{
    {"steel", "Sch40", "钢管 ASME B36.10M Schedule 40"},
    {"pe-sdr11", "SDR11", "聚乙烯燃气管 SDR11"},
    {"pe-sdr17", "SDR17", "聚乙烯燃气管 SDR17"},
}};
// The label of `series`; a series without one is labelled by its name.
SeriesLabel LabelOf(std::string_view series);

// Whether a user's `text` names `series`: its name or its label, ignoring ASCII case and
// surrounding blanks («STEEL», « sdr11 »), so that every front end accepts the same words.
bool NamesSeries(std::string_view text, std::string_view series);
// What NamesSeries compares: the name trimmed and in lower case, a label as its series' name.
std::string SeriesKey(std::string_view name);
// The series `name` names in `series`; nullptr when there is none.
const PipeSeries* FindSeries(std::span<const PipeSeries> series, std::string_view name);
// Adds `added` to `known`, each replacing a series its name names.
void MergeSeries(std::vector<PipeSeries>& known, std::vector<PipeSeries> added);

// Indexes into a series' pipes. Without a chosen pipe (every bore too small) there is
// neither a smaller nor a larger one.
struct PipeChoice {
  std::optional<std::size_t> smaller;  // the next smaller bore: faster gas
  std::optional<std::size_t> chosen;   // the smallest bore at least the required one
  std::optional<std::size_t> larger;   // the next larger bore
};

// The pipe of `series` for a required bore in mm. Both bores count as the numbers the program
// prints for them (15 significant digits), so that a requirement printed as 102.26 mm takes the
// pipe of bore 102.26 however the last bits of the computation fell.
PipeChoice ChoosePipe(const PipeSeries& series, double required_bore_mm);

}  // namespace tarnivel
