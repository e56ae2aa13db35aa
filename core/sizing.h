#pragma once
// One sizing answer for every front end: the pipe command, the batch's pipe columns, the
// window's strip and the page all print what SizePipes returns, each in its own format.
//
//   pressure, velocity, flow texts (each read once)
//     --> the diameter calculation's bore before rounding, with the line conditions
//     --> per series: the smaller, chosen and larger pipe and the velocity in each

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields.h"
#include "core/pipes.h"

namespace tarnivel {

// The texts of the fields the diameter calculation reads.
struct LineTexts {
  std::string_view pressure, velocity, flow;
};

// The velocity in a pipe, as a number and as the text `tarnivel velocity -p PRESSURE -d BORE
// -q FLOW` prints for it.
struct PipeVelocity {
  double mps = 0;
  std::string text;
};

struct SeriesSizing {
  const PipeSeries* series = nullptr;
  PipeChoice choice;
  std::vector<std::optional<PipeVelocity>> velocities;  // by pipe: those that were asked for
};

// Which pipes of a series get their velocity: the three around the choice, or every one.
enum class PipesToSize { AroundTheChoice, Every };

struct [[nodiscard]] Sizing {
  // The diameter calculation's prompt, or the first step that faulted: in the diameter
  // calculation, or in a pipe's velocity, after which nothing more is computed.
  CalcOutcome outcome;
  bool bore_known = false;           // whether the three numbers below were computed
  double required_mm = 0;            // the bore the diameter calculation rounds
  double absolute_mpa = 0;           // the line's absolute pressure
  double actual_flow_m3h = 0;        // the flow at line conditions
  std::vector<SeriesSizing> series;  // in the order asked, once the bore is known
};

// Sizes `line` in each of `series`. A prompt or a fault is an answer, never an exception.
Sizing SizePipes(const LineTexts& line, std::span<const PipeSeries* const> series,
                 PipesToSize which = PipesToSize::AroundTheChoice);

}  // namespace tarnivel
