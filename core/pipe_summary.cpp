#include "core/pipe_summary.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/numeric.h"
#include "core/pipecalc.h"

namespace tarnivel {
namespace {

constexpr std::string_view kSeparator = " · ";

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Short figures for a line of text: whole numbers from a thousand up, else four digits.
std::string Brief(double value) {
  return Printed(std::abs(value) >= 1000 ? "%.0f" : "%.4g", value);
}

// Puts `value` where `marker` stands in `text`.
void Replace(std::string& text, std::string_view marker, std::string_view value) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), value);
}

// As engineers write a pipe: «de125×11.4» when its name already gives the outside diameter,
// «DN100 (114.3×6.02)» when it gives a nominal size instead.
std::string PipeName(const Pipe& pipe) {
  const std::string outside = FormatMillimetres(pipe.outside);
  const std::string wall = FormatMillimetres(pipe.wall);
  const std::string_view name = pipe.designation;
  const bool names_outside = name.size() > outside.size() && name.ends_with(outside);
  return names_outside ? pipe.designation + "×" + wall
                       : pipe.designation + " (" + outside + "×" + wall + ")";
}

std::vector<const PipeSeries*> EveryBuiltInSeries() {
  std::vector<const PipeSeries*> every;
  for (const PipeSeries& series : BuiltInSeries()) every.push_back(&series);
  return every;
}

// « MPa»: the unit a window shows for a field, after its number.
std::string UnitAfter(Field field) { return " " + std::string(InputFieldOf(field).display_unit); }

}  // namespace

void PipeSummary::Show(Calculation calculation, const FieldSet& fields) {
  Clear();
  shown_ = calculation;
  pressure_ = fields.Read(Field::Pressure);
  velocity_ = fields.Read(Field::Velocity);
  flow_ = fields.Read(Field::Flow);
  const std::string& pressure = pressure_;
  const std::string& flow = flow_;
  if (calculation == Calculation::Diameter) {
    static const std::vector<const PipeSeries*> every = EveryBuiltInSeries();
    sizing_ = SizePipes({pressure, velocity_, flow}, every);
    if (sizing_->bore_known) {
      absolute_mpa_ = sizing_->absolute_mpa;
      actual_flow_m3h_ = sizing_->actual_flow_m3h;
    }
    return;
  }
  TextFields line;
  line.Write(Field::Pressure, pressure);
  line.Write(Field::Flow, flow);
  const LineConditions conditions = LineConditionsOf(line);
  if (conditions.fault) return;  // the calculation went through, the basis' numbers did not
  absolute_mpa_ = conditions.absolute_mpa;
  actual_flow_m3h_ = conditions.actual_flow_m3h;
}

void PipeSummary::SetLine(std::optional<DropParameters> line) { line_ = std::move(line); }

void PipeSummary::Clear() {
  shown_.reset();
  sizing_.reset();
  absolute_mpa_.reset();
  actual_flow_m3h_.reset();
}

SummaryLines PipeSummary::Lines(std::string_view series, const SummaryWords& words) const {
  SummaryLines lines;
  if (!shown_) return lines;
  lines.pipe = PipeLine(series, words);
  if (absolute_mpa_) {
    lines.basis =
        std::string(words.absolute) + " " + Brief(*absolute_mpa_) + UnitAfter(Field::Pressure);
    if (actual_flow_m3h_) {
      lines.basis += std::string(kSeparator) + std::string(words.line_flow) + " " +
                     Brief(*actual_flow_m3h_) + " " + std::string(kLineFlowUnit);
    }
  }
  return lines;
}

std::string PipeSummary::PipeLine(std::string_view name, const SummaryWords& words) const {
  // A fault in a pipe's velocity leaves the pipe unsaid: only its numbers are out of range.
  if (!sizing_ || !sizing_->bore_known || sizing_->outcome.fault) return {};
  // A gas flowing backwards has a bore, but no pipe: the section says why.
  if (FlowingBackwards({pressure_, velocity_, flow_})) return {};
  for (SeriesSizing sized : sizing_->series) {
    if (!NamesSeries(name, sized.series->name)) continue;
    // With an allowed drop, as the section sizes it; with its texts at fault, the section says
    // so and the strip keeps to the velocity.
    const std::optional<std::string>& limit =
        line_ ? (*line_)[DropQuantity::MaxDrop] : std::optional<std::string>();
    if (limit && !IsBlankText(*limit)) {
      const Sizing both = SizeStripSeries(pressure_, velocity_, flow_, *sized.series, *line_);
      if (both.bore_known && !both.outcome.fault && !both.drop_fault) sized = both.series.front();
    }
    if (!sized.choice.chosen) {
      const bool by_drop = sized.decided_by == SizingCheck::PressureDrop;
      std::string text(by_drop ? words.no_pipe_within : words.no_pipe);
      Replace(text, "%1", LabelOf(sized.series->name).label);
      Replace(text, "%2",
              by_drop ? Brief(ReadLeadingNumber(*(*line_)[DropQuantity::MaxDrop]).value)
                      : Brief(sizing_->required_mm));
      return text;
    }
    const Pipe& pipe = sized.series->pipes[*sized.choice.chosen];
    const PipeVelocity& velocity = *sized.velocities[*sized.choice.chosen];
    return PipeName(pipe) + std::string(kSeparator) + std::string(words.bore) + " " +
           FormatMillimetres(pipe.Bore()) + UnitAfter(Field::Diameter) + std::string(kSeparator) +
           Printed("%.2f", velocity.mps) + UnitAfter(Field::Velocity);
  }
  return {};
}

}  // namespace tarnivel
