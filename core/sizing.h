#pragma once
// One sizing answer for every front end: the pipe command, the batch's pipe columns, the
// window's strip and the page all print what SizePipes returns, each in its own format.
//
//   pressure, velocity, flow texts (each read once)
//     --> the diameter calculation's bore before rounding, with the line conditions
//     --> per series: the smaller, chosen and larger pipe and the velocity in each
//     --> with a line length: the pressure left at the end of each pipe, and with a limit on
//         the drop, the smallest pipe that meets both the velocity and the drop

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/fields.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"

namespace tarnivel {

// The texts of the fields the diameter calculation reads.
struct LineTexts {
  std::string_view pressure, velocity, flow;
  // The line's length and the drop calculation's other parameters, for the second check a pipe
  // is signed off on: the pressure lost along the line (MaxDrop, when given, the most a chosen
  // pipe may lose). A roughness given wins over each series' own. None: the velocity alone.
  const DropParameters* drop = nullptr;
};

// The velocity in a pipe, as a number and as the text `tarnivel velocity -p PRESSURE -d BORE
// -q FLOW` prints for it.
struct PipeVelocity {
  double mps = 0;
  std::string text;
};

// Which check decided a series' choice: the velocity, or a drop over the limit in the pipes
// the velocity alone allows.
enum class SizingCheck { Velocity, PressureDrop };

// The pressure left at the end of a pipe, or why there is no answer.
using PipeDrop = std::variant<DropResult, DropFault>;

struct SeriesSizing {
  const PipeSeries* series = nullptr;
  PipeChoice choice;
  std::vector<std::optional<PipeVelocity>> velocities;  // by pipe: those that were asked for
  std::vector<std::optional<PipeDrop>> drops;           // by pipe, as velocities: with a length
  // With a limit on the drop and no choice, PressureDrop: no pipe the velocity allows meets it.
  SizingCheck decided_by = SizingCheck::Velocity;
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
  // With a length: the drop's parameters out of range or beyond the double range, after which
  // no series is sized; and the limit on the drop, when one was given.
  std::optional<DropFault> drop_fault;
  std::optional<double> max_drop_kpa;
};

// Whether `drop` meets the limit: an outlet, and at most `max_drop_kpa` lost.
bool MeetsLimit(const PipeDrop& drop, double max_drop_kpa);

// Sizes `line` in each of `series`. A prompt or a fault is an answer, never an exception.
Sizing SizePipes(const LineTexts& line, std::span<const PipeSeries* const> series,
                 PipesToSize which = PipesToSize::AroundTheChoice);

// The strip and the pressure-drop section of a front end size the one series the user picked:
// with the section's length typed, by SizePipes with the section's texts as LineTexts::drop
// (with an allowed drop, as `tarnivel pipe --length --max-drop` sizes it), else by the velocity
// alone. Blank texts are not given.
Sizing SizeStripSeries(std::string_view pressure, std::string_view velocity, std::string_view flow,
                       const PipeSeries& series, const DropParameters& typed);

// The velocity or the flow of `line` read as less than 0, if either is: a pipe is chosen for no
// such line, though the two together give a bore (of a gas flowing backwards).
std::optional<Field> FlowingBackwards(const LineTexts& line);

}  // namespace tarnivel
