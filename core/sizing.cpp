#include "core/sizing.h"

#include <utility>

#include "core/numeric.h"
#include "core/pipecalc.h"

namespace tarnivel {
namespace {

bool Wanted(const PipeChoice& choice, std::size_t pipe, PipesToSize which) {
  return which == PipesToSize::Every || pipe == choice.smaller || pipe == choice.chosen ||
         pipe == choice.larger;
}

// The pipe at `index` of a series of `count` pipes, with its neighbours.
PipeChoice Around(std::size_t index, std::size_t count) {
  PipeChoice choice;
  choice.chosen = index;
  if (index > 0) choice.smaller = index - 1;
  if (index + 1 < count) choice.larger = index + 1;
  return choice;
}

// The bore's text read as a number: the nearest double to the exact hundredths.
double BoreMm(const Pipe& pipe) { return static_cast<double>(pipe.Bore().value) / 100; }

// The line as the drop calculation reads it, checked once at the bore required, so that a
// fault found here is the line's own and not one pipe's; each pipe then puts in its bore.
std::variant<DropCase, DropFault> DropLine(const LineTexts& line, double required_mm) {
  const auto read =
      ReadDropCase({std::string(line.pressure), std::string(line.flow), "", *line.drop});
  if (const auto* fault = std::get_if<DropFault>(&read)) return *fault;
  DropCase drop = std::get<DropCase>(read);
  drop.bore_mm = required_mm;
  if (const std::optional<DropFault> fault = CheckDropCase(drop)) return *fault;
  return drop;
}

}  // namespace

bool MeetsLimit(const PipeDrop& drop, double max_drop_kpa) {
  const auto* result = std::get_if<DropResult>(&drop);
  return result != nullptr && result->outlet_mpa && result->drop_kpa <= max_drop_kpa;
}

Sizing SizePipes(const LineTexts& line, std::span<const PipeSeries* const> series,
                 PipesToSize which) {
  Sizing sizing;
  TextFields fields;
  fields.Write(Field::Pressure, line.pressure);
  fields.Write(Field::Velocity, line.velocity);
  fields.Write(Field::Flow, line.flow);
  const RequiredBore bore = ComputeRequiredBore(fields);
  sizing.outcome = bore.outcome;
  if (bore.outcome != CalcOutcome{}) return sizing;  // a prompt or a fault
  sizing.bore_known = true;
  sizing.required_mm = bore.mm;
  sizing.absolute_mpa = bore.absolute_mpa;
  sizing.actual_flow_m3h = bore.actual_flow_m3h;

  std::optional<DropCase> drop_line;
  if (line.drop != nullptr) {
    const auto checked = DropLine(line, bore.mm);
    const auto limit = ReadDropLimit(*line.drop);
    if (const auto* fault = std::get_if<DropFault>(&checked)) {
      sizing.drop_fault = *fault;
      return sizing;
    }
    if (const auto* fault = std::get_if<DropFault>(&limit)) {
      sizing.drop_fault = *fault;
      return sizing;
    }
    drop_line = std::get<DropCase>(checked);
    sizing.max_drop_kpa = std::get<std::optional<double>>(limit);
  }

  // As the velocity calculation has them for `-q FLOW`: the flow as its text reads.
  Guarded calc;
  const double standard_flow_m3s = calc.Div(bore.flow_as_read, 3600);
  for (const PipeSeries* one : series) {
    SeriesSizing& sized = sizing.series.emplace_back();
    sized.series = one;
    sized.choice = ChoosePipe(*one, bore.mm);
    const std::size_t count = one->pipes.size();
    sized.velocities.resize(count);

    DropCase drop_case;
    if (drop_line) {
      drop_case = *drop_line;
      if (!(*line.drop)[DropQuantity::Roughness]) drop_case.roughness_mm = one->roughness_mm;
      sized.drops.resize(count);
    }
    const auto drop_in = [&](std::size_t i) -> const PipeDrop& {
      if (!sized.drops[i]) {
        drop_case.bore_mm = BoreMm(one->pipes[i]);
        sized.drops[i] = ComputeDrop(drop_case);
      }
      return *sized.drops[i];
    };
    // The velocity allows the chosen pipe and every larger one; the first of those that loses
    // no more than the limit is the pipe.
    if (sizing.max_drop_kpa && sized.choice.chosen) {
      std::size_t i = *sized.choice.chosen;
      while (i < count && !MeetsLimit(drop_in(i), *sizing.max_drop_kpa)) ++i;
      if (i != *sized.choice.chosen) {
        sized.decided_by = SizingCheck::PressureDrop;
        sized.choice = i < count ? Around(i, count) : PipeChoice{};
      }
    }

    for (std::size_t i = 0; i < count; ++i) {
      if (!Wanted(sized.choice, i, which)) continue;
      const double mps = VelocityAt(calc, bore.absolute_mpa, calc.Div(BoreMm(one->pipes[i]), 1000),
                                    standard_flow_m3s);
      if (calc.fault()) {
        sizing.outcome.fault = calc.fault();
        return sizing;
      }
      sized.velocities[i] = PipeVelocity{mps, FormatGeneral(mps)};
      if (drop_line) drop_in(i);
    }
  }
  return sizing;
}

Sizing SizeStripSeries(std::string_view pressure, std::string_view velocity, std::string_view flow,
                       const PipeSeries& series, const DropParameters& typed) {
  const std::optional<std::string>& length = typed[DropQuantity::Length];
  const bool line_given = length && !IsBlankText(*length);
  const PipeSeries* const one[] = {&series};
  return SizePipes({pressure, velocity, flow, line_given ? &typed : nullptr}, one);
}

std::optional<Field> FlowingBackwards(const LineTexts& line) {
  for (const auto& [field, text] :
       {std::pair{Field::Velocity, line.velocity}, std::pair{Field::Flow, line.flow}}) {
    if (ReadLeadingNumber(text).value < 0) return field;
  }
  return std::nullopt;
}

}  // namespace tarnivel
