#pragma once
// Standard pipes: from the bore a diameter calculation needs to a pipe that can be ordered.
//
//   pressure, velocity, flow texts --> RequiredBoreFor (the diameter calculation, unrounded)
//        --> ChoosePipe(series) --> smaller / chosen / larger pipe
//        --> VelocityInPipe (the velocity calculation with the pipe's bore)
//
// Lengths of pipes are kept exactly, in hundredths of a millimetre, as the standards print
// them; the bore is outside − 2 × wall.

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipecalc.h"

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

// One table of pipes, in the order of its standard: bores strictly increasing.
struct PipeSeries {
  std::string name;  // «steel», «pe-sdr11», or a user's name
  std::vector<Pipe> pipes;
};

// steel (Schedule 40), pe-sdr11, pe-sdr17: the series built into the program.
std::span<const PipeSeries> BuiltInSeries();
// The series called `name` (exactly as written) in `series`; nullptr when there is none.
const PipeSeries* FindSeries(std::span<const PipeSeries> series, std::string_view name);

// What the diameter calculation computes before rounding to whole millimetres, for the texts
// of the pressure, velocity and flow fields; or the prompt or fault it ends in.
RequiredBore RequiredBoreFor(std::string_view pressure, std::string_view velocity,
                             std::string_view flow);

// Indexes into a series' pipes. Without a chosen pipe (every bore too small) there is
// neither a smaller nor a larger one.
struct PipeChoice {
  std::optional<std::size_t> smaller;  // the next smaller bore: faster gas
  std::optional<std::size_t> chosen;   // the smallest bore at least the required one
  std::optional<std::size_t> larger;   // the next larger bore
};

// The pipe of `series` for a required bore in mm. A bore counts as the number its text is
// read as, so that a requirement of exactly 102.2 mm takes the pipe of bore 102.2.
PipeChoice ChoosePipe(const PipeSeries& series, double required_bore_mm);

// The velocity calculation's text for the pressure and flow texts in `pipe`: what
// `tarnivel velocity -p PRESSURE -d BORE -q FLOW` prints; or the fault it ends in.
struct [[nodiscard]] PipeVelocity {
  std::string text;  // meaningful only without a fault
  std::optional<FaultKind> fault = std::nullopt;
};
PipeVelocity VelocityInPipe(std::string_view pressure, std::string_view flow, const Pipe& pipe);

}  // namespace tarnivel
