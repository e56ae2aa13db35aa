#include "core/drop_summary.h"

#include <cmath>
#include <cstdio>

#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sizing.h"

namespace tarnivel {
namespace {

bool Blank(const std::optional<std::string>& text) {
  return !text || text->find_first_not_of(" \t") == std::string::npos;
}

// Short figures for a line of text, as the pipe strip writes them: whole numbers from a
// thousand up, else four digits.
std::string Brief(double value) {
  char text[64];
  std::snprintf(text, sizeof text, std::abs(value) >= 1000 ? "%.0f" : "%.4g", value);
  return text;
}

// Puts `value` where `marker` stands in `text`.
std::string Replaced(std::string text, std::string_view marker, std::string_view value) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), value);
  return text;
}

std::string FaultText(const DropFault& fault, const Translate& translate) {
  switch (fault.kind) {
    case DropFault::Kind::Prompt:
      return translate(PromptText(fault.prompt));
    case DropFault::Kind::Arithmetic:
      return translate(FaultDescription(fault.arithmetic));
    case DropFault::Kind::OutOfRange:
      break;
  }
  const std::string caption = std::holds_alternative<Field>(fault.subject)
                                  ? translate(InputFieldOf(std::get<Field>(fault.subject)).caption)
                                  : translate(DropCaption(std::get<DropQuantity>(fault.subject)));
  return Replaced(translate(kDropOutOfRange), "%1", caption);
}

}  // namespace

DropTexts StripLine(Calculation calculation, const FieldSet& fields, std::string_view series) {
  DropTexts texts;
  texts.pressure = fields.Read(Field::Pressure);
  texts.flow = fields.Read(Field::Flow);
  texts.diameter = fields.Read(Field::Diameter);
  if (const std::optional<double> roughness = RoughnessOfSeries(series)) {
    texts[DropQuantity::Roughness] = FormatGeneral(*roughness);
  }
  const PipeSeries* pipes = FindSeries(BuiltInSeries(), series);
  if (calculation != Calculation::Diameter || pipes == nullptr) return texts;
  // The pipe as the strip picks it; without one the diameter field stands.
  const PipeSeries* const asked[] = {pipes};
  const std::string velocity = fields.Read(Field::Velocity);
  const Sizing sizing = SizePipes({texts.pressure, velocity, texts.flow}, asked);
  if (!sizing.bore_known) return texts;
  const PipeChoice& choice = sizing.series.front().choice;
  if (choice.chosen) texts.diameter = FormatMillimetres(pipes->pipes[*choice.chosen].Bore());
  return texts;
}

std::string DropCaption(DropQuantity quantity) {
  const DropQuantityInfo& info = DropQuantityOf(quantity);
  if (info.display_unit.empty()) return std::string(info.label);
  return std::string(info.label) + "（" + std::string(info.display_unit) + "）";
}

std::vector<std::string> DropSummaryWords() {
  std::vector<std::string> words;
  for (const std::string_view text :
       {kDropEnterLength, kDropAmount, kDropOverLimit, kDropRunsOut, kDropOutOfRange}) {
    words.emplace_back(text);
  }
  for (const Prompt prompt : {Prompt::EnterDiameter, Prompt::EnterCompleteData}) {
    words.emplace_back(PromptText(prompt));
  }
  for (const FaultKind kind :
       {FaultKind::Overflow, FaultKind::DivisionByZero, FaultKind::InvalidArgument}) {
    words.emplace_back(FaultDescription(kind));
  }
  for (const InputField& input : kInputFields) words.emplace_back(input.caption);
  for (const DropQuantityInfo& info : kDropQuantities) words.push_back(DropCaption(info.quantity));
  return words;
}

DropSummary SummariseDrop(const DropTexts& texts, const Translate& translate_or_none) {
  const Translate translate = translate_or_none ? translate_or_none : [](std::string_view text) {
    return std::string(text);
  };
  DropSummary summary;
  if (Blank(texts[DropQuantity::Length])) {
    summary.line = translate(kDropEnterLength);
    return summary;
  }
  const auto computed = ComputeDrop(texts);
  if (const auto* fault = std::get_if<DropFault>(&computed)) {
    summary.line = FaultText(*fault, translate);
    return summary;
  }
  const DropResult& result = std::get<DropResult>(computed);
  const std::string bore = Brief(ReadLeadingNumber(texts.diameter).value);
  if (!result.outlet_mpa) {
    summary.line =
        Replaced(Replaced(translate(kDropRunsOut), "%1", bore), "%2", Brief(result.reach_m));
    return summary;
  }
  summary.outlet = FormatGeneral(*result.outlet_mpa);
  summary.line =
      Replaced(Replaced(translate(kDropAmount), "%1", bore), "%2", Brief(result.drop_kpa));
  const std::optional<std::string>& limit_text = texts[DropQuantity::MaxDrop];
  if (!Blank(limit_text)) {
    const LeadingNumber read = ReadLeadingNumber(*limit_text);
    if (read.fault) {
      summary.line = FaultText(
          {DropFault::Kind::OutOfRange, Prompt::None, FaultKind::Overflow, DropQuantity::MaxDrop},
          translate);
      return summary;
    }
    const double limit = read.value;
    summary.over_limit = result.drop_kpa > limit;
    if (summary.over_limit) summary.line += Replaced(translate(kDropOverLimit), "%1", Brief(limit));
  }
  return summary;
}

}  // namespace tarnivel
