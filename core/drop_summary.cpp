#include "core/drop_summary.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "core/sizing.h"

namespace tarnivel {
namespace {

constexpr std::string_view kSeparator = " · ";
constexpr std::string_view kNoBreakSpace = "\u00a0";

bool Blank(const std::optional<std::string>& text) { return !text || IsBlankText(*text); }

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

// «15 °C»: a number and its unit, never apart on a wrapped line.
std::string WithUnit(const std::string& number, std::string_view unit) {
  return unit.empty() ? number : number + std::string(kNoBreakSpace) + std::string(unit);
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
  // As the command line says it: an allowed drop must be more than 0 kPa.
  if (fault.subject == DropSubject(DropQuantity::MaxDrop)) return translate(kDropLimitNotPositive);
  const std::string caption = std::holds_alternative<Field>(fault.subject)
                                  ? translate(InputFieldOf(std::get<Field>(fault.subject)).caption)
                                  : translate(DropCaption(std::get<DropQuantity>(fault.subject)));
  return Replaced(translate(kDropOutOfRange), "%1", caption);
}

std::string_view BandName(FrictionRegime regime) {
  switch (regime) {
    case FrictionRegime::Laminar:
      return kDropLaminar;
    case FrictionRegime::Transitional:
      return kDropTransitional;
    case FrictionRegime::Turbulent:
      break;
  }
  return kDropTurbulent;
}

double ValueOf(const DropCase& line, DropQuantity quantity) {
  switch (quantity) {
    case DropQuantity::Temperature:
      return line.temperature_c;
    case DropQuantity::Density:
      return line.density_kg_nm3;
    case DropQuantity::Viscosity:
      return line.viscosity_m2s;
    case DropQuantity::Atmosphere:
      return line.atmosphere_kpa;
    default:
      return 0;  // no usual range
  }
}

// «温度 只读了开头：按 12 °C 计算» for a text of which only the number it starts with was read.
std::optional<std::string> ReadInPart(std::string_view text, std::string_view label,
                                      std::string_view unit, const Translate& translate) {
  if (IsBlankText(text)) return std::nullopt;
  const LeadingNumber read = ReadLeadingNumber(text);
  if (read.fault || !read.ignored_text) return std::nullopt;
  return Replaced(Replaced(translate(kDropReadInPart), "%1", translate(label)), "%2",
                  WithUnit(FormatGeneral(read.value), unit));
}

// What the line should also say, and never refuses: a text the line is computed from of which
// only the number it starts with was read (the bore's only when it comes from 流通直径), and a
// parameter outside its usual range.
std::vector<std::string> Notes(const DropTexts& texts, bool bore_typed,
                               const Translate& translate) {
  std::vector<std::string> notes;
  for (const Field field : {Field::Pressure, Field::Flow, Field::Diameter}) {
    if (field == Field::Diameter && !bore_typed) continue;
    const InputField& input = InputFieldOf(field);
    const std::string& text = field == Field::Pressure ? texts.pressure
                              : field == Field::Flow   ? texts.flow
                                                       : texts.diameter;
    if (auto note = ReadInPart(text, input.quantity, input.display_unit, translate)) {
      notes.push_back(std::move(*note));
    }
  }
  for (const DropSectionField& field : kDropSectionFields) {
    const std::optional<std::string>& text = texts[field.quantity];
    const DropQuantityInfo& info = DropQuantityOf(field.quantity);
    if (Blank(text)) continue;
    if (auto note = ReadInPart(*text, info.label, info.display_unit, translate)) {
      notes.push_back(std::move(*note));
    }
  }
  const auto read = ReadDropCase(texts);
  if (const auto* line = std::get_if<DropCase>(&read)) {
    for (const DropQuantity quantity : UnusualParameters(*line)) {
      const DropQuantityInfo& info = DropQuantityOf(quantity);
      std::string note = translate(kDropUnusual);
      note = Replaced(note, "%1", translate(info.label));
      note = Replaced(note, "%2",
                      WithUnit(FormatGeneral(ValueOf(*line, quantity)), info.display_unit));
      note = Replaced(note, "%3", FormatGeneral(info.usual_low.value_or(0)));
      note = Replaced(note, "%4",
                      WithUnit(FormatGeneral(info.usual_high.value_or(0)), info.display_unit));
      notes.push_back(std::move(note));
    }
  }
  return notes;
}

// The drop `computed` along the line of bore `bore` (as the strip prints it), against `limit`.
DropSummary Described(const std::variant<DropResult, DropFault>& computed, const std::string& bore,
                      std::optional<double> limit, const Translate& translate) {
  DropSummary summary;
  if (const auto* fault = std::get_if<DropFault>(&computed)) {
    summary.line = FaultText(*fault, translate);
    return summary;
  }
  const DropResult& result = std::get<DropResult>(computed);
  if (!result.outlet_mpa) {
    summary.line =
        Replaced(Replaced(translate(kDropRunsOut), "%1", bore), "%2", Brief(result.reach_m));
  } else {
    summary.outlet = FormatGeneral(*result.outlet_mpa);
    summary.line =
        Replaced(Replaced(translate(kDropAmount), "%1", bore), "%2", Brief(result.drop_kpa));
    summary.over_limit = limit && result.drop_kpa > *limit;
    if (summary.over_limit)
      summary.line += Replaced(translate(kDropOverLimit), "%1", Brief(*limit));
  }
  summary.line += std::string(kSeparator) + translate(BandName(result.regime));
  if (const std::optional<double> edge = NearBandEdge(result.reynolds)) {
    summary.line += std::string(kSeparator) +
                    Replaced(Replaced(translate(kDropNearBandEdge), "%1", Brief(result.reynolds)),
                             "%2", FormatGeneral(*edge));
  }
  return summary;
}

// The section's answer after a diameter calculation, for the pipe the strip shows in `series`.
DropSummary DescribePipe(const DropTexts& texts, std::string_view velocity,
                         const PipeSeries& series, const Translate& translate) {
  DropSummary summary;
  const Sizing sizing =
      SizeStripSeries(texts.pressure, velocity, texts.flow, series, texts.parameters);
  if (sizing.outcome.fault) {
    summary.line = translate(FaultDescription(*sizing.outcome.fault));
    return summary;
  }
  if (!sizing.bore_known) {
    summary.line = translate(PromptText(sizing.outcome.prompt));
    return summary;
  }
  if (sizing.drop_fault) {
    summary.line = FaultText(*sizing.drop_fault, translate);
    return summary;
  }
  const SeriesSizing& sized = sizing.series.front();
  const std::string label(LabelOf(series.name).label);
  if (!sized.choice.chosen) {
    summary.line = sized.decided_by == SizingCheck::PressureDrop
                       ? Replaced(Replaced(translate(kDropNoPipeWithin), "%1", label), "%2",
                                  Brief(*sizing.max_drop_kpa))
                       : Replaced(Replaced(translate(kDropNoPipe), "%1", label), "%2",
                                  Brief(sizing.required_mm));
    summary.over_limit = sized.decided_by == SizingCheck::PressureDrop;
    return summary;
  }
  const std::size_t chosen = *sized.choice.chosen;
  summary = Described(*sized.drops[chosen], FormatMillimetres(series.pipes[chosen].Bore()),
                      sizing.max_drop_kpa, translate);
  if (sizing.max_drop_kpa) {
    const std::string_view check =
        sized.decided_by == SizingCheck::PressureDrop ? kDropByDrop : kDropByVelocity;
    summary.line = translate(check) + std::string(kSeparator) + summary.line;
  }
  return summary;
}

}  // namespace

std::string DropCaption(DropQuantity quantity) {
  const DropQuantityInfo& info = DropQuantityOf(quantity);
  if (info.display_unit.empty()) return std::string(info.label);
  return std::string(info.label) + "（" + std::string(info.display_unit) + "）";
}

std::vector<std::string> DropSummaryWords() {
  std::vector<std::string> words;
  for (const std::string_view text :
       {kDropEnterLength, kDropAmount, kDropOverLimit, kDropRunsOut, kDropOutOfRange,
        kDropLimitNotPositive, kDropByVelocity, kDropByDrop, kDropNoPipe, kDropNoPipeWithin,
        kDropLaminar, kDropTransitional, kDropTurbulent, kDropNearBandEdge, kDropUnusual,
        kDropReadInPart}) {
    words.emplace_back(text);
  }
  for (const Prompt prompt : {Prompt::EnterDiameter, Prompt::EnterCompleteData}) {
    words.emplace_back(PromptText(prompt));
  }
  for (const FaultKind kind :
       {FaultKind::Overflow, FaultKind::DivisionByZero, FaultKind::InvalidArgument}) {
    words.emplace_back(FaultDescription(kind));
  }
  for (const InputField& input : kInputFields) {
    words.emplace_back(input.caption);
    words.emplace_back(input.quantity);
  }
  for (const DropQuantityInfo& info : kDropQuantities) {
    words.push_back(DropCaption(info.quantity));
    words.emplace_back(info.label);
  }
  return words;
}

DropSummary SummariseStripDrop(Calculation calculation, const FieldSet& fields,
                               std::string_view series_name, const DropParameters& typed,
                               const Translate& translate_or_none) {
  const Translate translate = translate_or_none ? translate_or_none : [](std::string_view text) {
    return std::string(text);
  };
  DropSummary summary;
  if (Blank(typed[DropQuantity::Length])) {
    summary.line = translate(kDropEnterLength);
    return summary;
  }
  DropTexts texts;
  texts.pressure = fields.Read(Field::Pressure);
  texts.flow = fields.Read(Field::Flow);
  texts.diameter = fields.Read(Field::Diameter);
  texts.parameters = typed;
  const std::string velocity = fields.Read(Field::Velocity);
  const PipeSeries* series = FindSeries(BuiltInSeries(), series_name);
  const bool bore_typed = calculation != Calculation::Diameter || series == nullptr;
  const std::vector<std::string> notes = Notes(texts, bore_typed, translate);
  const auto with_notes = [&notes](DropSummary said) {
    for (const std::string& note : notes) said.line += std::string(kSeparator) + note;
    return said;
  };

  // As the command line reads an allowed drop: more than 0 kPa, or none when blank.
  const auto limit = ReadDropLimit(typed);
  if (const auto* fault = std::get_if<DropFault>(&limit)) {
    // Beyond the double range: out of range, as the allowed drop's own words say.
    summary.line = fault->kind == DropFault::Kind::Arithmetic
                       ? Replaced(translate(kDropOutOfRange), "%1",
                                  translate(DropCaption(DropQuantity::MaxDrop)))
                       : FaultText(*fault, translate);
    return with_notes(summary);
  }
  if (!bore_typed) {
    if (const std::optional<Field> backwards =
            FlowingBackwards({texts.pressure, velocity, texts.flow})) {
      summary.line = FaultText(
          {DropFault::Kind::OutOfRange, Prompt::None, FaultKind::Overflow, *backwards}, translate);
      return with_notes(summary);
    }
    return with_notes(DescribePipe(texts, velocity, *series, translate));
  }
  // The bore in 流通直径, in the roughness of the series picked.
  if (const std::optional<double> roughness = RoughnessOfSeries(series_name)) {
    texts[DropQuantity::Roughness] = FormatGeneral(*roughness);
  }
  const LeadingNumber bore = ReadLeadingNumber(texts.diameter);
  return with_notes(Described(ComputeDrop(texts), FormatGeneral(bore.value),
                              std::get<std::optional<double>>(limit), translate));
}

}  // namespace tarnivel
