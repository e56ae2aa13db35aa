#include "core/sizing.h"

#include "core/numeric.h"
#include "core/pipecalc.h"

namespace tarnivel {
namespace {

bool Wanted(const PipeChoice& choice, std::size_t pipe, PipesToSize which) {
  return which == PipesToSize::Every || pipe == choice.smaller || pipe == choice.chosen ||
         pipe == choice.larger;
}

}  // namespace

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

  // As the velocity calculation has them for `-q FLOW`: the flow as its text reads.
  Guarded calc;
  const double standard_flow_m3s = calc.Div(bore.flow_as_read, 3600);
  for (const PipeSeries* one : series) {
    SeriesSizing& sized = sizing.series.emplace_back();
    sized.series = one;
    sized.choice = ChoosePipe(*one, bore.mm);
    sized.velocities.resize(one->pipes.size());
    for (std::size_t i = 0; i < one->pipes.size(); ++i) {
      if (!Wanted(sized.choice, i, which)) continue;
      // The bore's text read as a number: the nearest double to the exact hundredths.
      const double bore_mm = static_cast<double>(one->pipes[i].Bore().value) / 100;
      const double mps =
          VelocityAt(calc, bore.absolute_mpa, calc.Div(bore_mm, 1000), standard_flow_m3s);
      if (calc.fault()) {
        sizing.outcome.fault = calc.fault();
        return sizing;
      }
      sized.velocities[i] = PipeVelocity{mps, FormatGeneral(mps)};
    }
  }
  return sizing;
}

}  // namespace tarnivel
