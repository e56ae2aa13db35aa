#include "core/pipe_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/numeric.h"
#include "core/pipecalc.h"
#include "core/pipes.h"

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

}  // namespace

SeriesLabel LabelOf(std::string_view series) {
  const auto* label = std::find_if(kSeriesLabels.begin(), kSeriesLabels.end(),
                                   [&](const SeriesLabel& l) { return l.series == series; });
  return label != kSeriesLabels.end() ? *label : SeriesLabel{series, series, series};
}

void PipeSummary::Show(Calculation calculation, const FieldSet& fields) {
  shown_ = calculation;
  pressure_ = fields.Read(Field::Pressure);
  velocity_ = fields.Read(Field::Velocity);
  flow_ = fields.Read(Field::Flow);
}

void PipeSummary::Clear() { shown_.reset(); }

std::string PipeSummary::Text(std::string_view series, const SummaryWords& words) const {
  if (!shown_) return {};
  std::string text = *shown_ == Calculation::Diameter ? PipeText(series, words) : std::string();
  const std::string basis = BasisText(words);
  if (!text.empty() && !basis.empty()) text += kSeparator;
  return text + basis;
}

SummaryLines PipeSummary::Lines(std::string_view series, const SummaryWords& words) const {
  if (!shown_) return {};
  return {*shown_ == Calculation::Diameter ? PipeText(series, words) : std::string(),
          BasisText(words)};
}

std::string PipeSummary::PipeText(std::string_view name, const SummaryWords& words) const {
  const PipeSeries* series = FindSeries(BuiltInSeries(), name);
  if (series == nullptr) return {};
  const RequiredBore required = RequiredBoreFor(pressure_, velocity_, flow_);
  if (required.outcome != CalcOutcome{}) return {};
  const PipeChoice choice = ChoosePipe(*series, required.mm);
  if (!choice.chosen) {
    std::string text(words.no_pipe);
    Replace(text, "%1", LabelOf(name).label);
    Replace(text, "%2", Brief(required.mm));
    return text;
  }
  const Pipe& pipe = series->pipes[*choice.chosen];
  const PipeVelocity in_pipe = VelocityInPipe(pressure_, flow_, pipe);
  const auto velocity = in_pipe.fault ? std::nullopt : ParseNumberStrict(in_pipe.text);
  // The calculation went through; only the pipe's numbers can be out of range.
  if (!velocity || velocity->fault) return {};
  return pipe.designation + "×" + FormatMillimetres(pipe.wall) + std::string(kSeparator) +
         std::string(words.bore) + " " + FormatMillimetres(pipe.Bore()) + " mm" +
         std::string(kSeparator) + Printed("%.2f", velocity->value) + " m/s";
}

std::string PipeSummary::BasisText(const SummaryWords& words) const {
  TextFields fields;
  fields.Write(Field::Pressure, pressure_);
  fields.Write(Field::Flow, flow_);
  const LineConditions line = LineConditionsOf(fields);
  if (line.fault) return {};
  std::string text = std::string(words.absolute) + " " + Brief(line.absolute_mpa) + " MPa";
  if (line.actual_flow_m3h) {
    text += std::string(kSeparator) + std::string(words.line_flow) + " " +
            Brief(*line.actual_flow_m3h) + " m³/h";
  }
  return text;
}

}  // namespace tarnivel
