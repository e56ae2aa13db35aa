#include "core/line/line_summary.h"

#include <initializer_list>

#include "core/fields.h"
#include "core/numeric.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// `pattern` with %1, %2 ... replaced by `values` in one pass, so that a value holding «%2» stays.
std::string Filled(std::string_view pattern, std::initializer_list<std::string> values) {
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const auto n = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && n < values.size()) {
      text += values.begin()[n];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string WithUnit(double value, std::string_view unit) {
  return FormatGeneral(value) + "\u00a0" + std::string(unit);
}

std::string SegmentText(std::size_t index, std::string_view name, const Translate& translate) {
  const std::string number = std::to_string(index + 1);
  if (IsBlankText(name)) return Filled(translate(kLineSegment), {number});
  return Filled(translate(kLineSegmentNamed), {number, std::string(name)});
}

// The window's word for what a fault names.
std::string_view SubjectLabel(const LineFault::Subject& subject) {
  if (const auto* column = std::get_if<SegmentColumn>(&subject)) {
    return SegmentColumnOf(*column).label;
  }
  if (const auto* quantity = std::get_if<LineQuantity>(&subject)) {
    return LineQuantityOf(*quantity).label;
  }
  if (const auto* quantity = std::get_if<DropQuantity>(&subject)) {
    return DropQuantityOf(*quantity).label;
  }
  return InputFieldOf(std::get<Field>(subject)).quantity;
}

std::string FaultWords(const LineFault& fault, const Translate& translate) {
  using Kind = LineFault::Kind;
  switch (fault.kind) {
    case Kind::NoSegments:
      return translate(kLineNoSegments);
    case Kind::NoPipe:
      return translate(kLineNoPipe);
    case Kind::BoreAndSeries:
      return translate(kLineBoreAndSeries);
    case Kind::PipeWithoutSeries:
      return translate(kLinePipeWithoutSeries);
    case Kind::UnknownSeries:
      return Filled(translate(kLineUnknownSeries), {fault.text});
    case Kind::UnknownPipe:
      return Filled(translate(kLineUnknownPipe), {fault.text});
    case Kind::NoAllowance:
      return translate(kLineNoAllowance);
    case Kind::TwoAllowances:
      return translate(kLineTwoAllowances);
    case Kind::ApplianceNotLow:
      return translate(kLineApplianceNotLow);
    case Kind::Arithmetic:
      return Filled(translate(kLineWhere), {translate(SubjectLabel(fault.subject)),
                                            translate(FaultDescription(fault.arithmetic))});
    case Kind::OutOfRange:
      break;
  }
  return Filled(translate(kDropOutOfRange), {translate(SubjectLabel(fault.subject))});
}

}  // namespace

LineUnits LineUnitsOf(PressureForm form) {
  if (form == PressureForm::Low) return {"Pa", "Pa", 1e3, 1e6};
  return {"kPa", "MPa", 1, 1};
}

std::string LineFaultText(const LineFault& fault, const Translate& translate) {
  std::string words = FaultWords(fault, translate);
  if (fault.segment) {
    words = Filled(translate(kLineWhere),
                   {SegmentText(*fault.segment, fault.segment_name, translate), words});
  }
  return Filled(translate(kLineCannotCompute), {words});
}

LineSummary SummariseLine(const GasLine& line, const GasLineResult& result,
                          const Translate& translate) {
  const LineUnits units = LineUnitsOf(result.form);
  const auto segment = [&](std::size_t index) {
    return SegmentText(index, index < line.segments.size() ? line.segments[index].name : "",
                       translate);
  };
  std::vector<std::string> parts;
  if (result.outlet_mpa) {
    parts.push_back(
        Filled(translate(kLineTotal), {WithUnit(result.drop_kpa * units.drop_scale, units.drop)}));
  }
  if (result.allowed_kpa) {
    parts.push_back(Filled(translate(kLineAllowed),
                           {WithUnit(*result.allowed_kpa * units.drop_scale, units.drop)}));
  }
  std::string failure;
  switch (result.check) {
    case LineCheck::NotChecked:
      parts.push_back(translate(kLineNotChecked));
      break;
    case LineCheck::Within:
      parts.push_back(translate(kLinePassed));
      break;
    case LineCheck::Over:
      failure = translate(kLineOver);
      break;
    case LineCheck::RunsOut: {
      const LineRunOut& out = *result.run_out;
      failure =
          Filled(translate(kLineRunsOut), {segment(out.segment), WithUnit(out.reach_m, "m"),
                                           WithUnit(line.segments[out.segment].length_m, "m")});
      break;
    }
    case LineCheck::NoBudget:
      failure = Filled(translate(kLineNoBudget), {segment(*result.failed_segment)});
      break;
    case LineCheck::NoPipe: {
      const std::string budget = WithUnit(*result.unit_budget, UnitBudgetUnit(result.form));
      failure = line.max_velocity_ms ? Filled(translate(kLineNoPipeWithinVelocity),
                                              {segment(*result.failed_segment), budget,
                                               WithUnit(*line.max_velocity_ms, "m/s")})
                                     : Filled(translate(kLineNoPipeWithin),
                                              {segment(*result.failed_segment), budget});
      break;
    }
  }
  if (!failure.empty()) parts.push_back(Filled(translate(kLineFailed), {failure}));
  // A budget the segments were not sized with (none left, or no pipe within it) is not shown
  // as though they were.
  if (result.unit_budget && result.check != LineCheck::NoPipe &&
      result.check != LineCheck::NoBudget) {
    parts.push_back(Filled(translate(kLineSized),
                           {WithUnit(*result.unit_budget, UnitBudgetUnit(result.form))}));
  }
  if (!result.head_counted) parts.push_back(translate(kLineHeadNotCounted));
  LineSummary summary;
  summary.passed = failure.empty();
  const std::string separator = translate(kLineSeparator);
  for (const std::string& part : parts) {
    summary.text += (summary.text.empty() ? "" : separator) + part;
  }
  return summary;
}

std::vector<std::string> LineSummaryWords() {
  std::vector<std::string> words;
  for (std::string_view word : {kLineSegment,
                                kLineSegmentNamed,
                                kLineWhere,
                                kLineCannotCompute,
                                kLineNoSegments,
                                kLineNoPipe,
                                kLineBoreAndSeries,
                                kLinePipeWithoutSeries,
                                kLineUnknownSeries,
                                kLineUnknownPipe,
                                kLineNoAllowance,
                                kLineTwoAllowances,
                                kLineApplianceNotLow,
                                kLineTotal,
                                kLineAllowed,
                                kLineNotChecked,
                                kLinePassed,
                                kLineFailed,
                                kLineOver,
                                kLineRunsOut,
                                kLineNoBudget,
                                kLineNoPipeWithin,
                                kLineNoPipeWithinVelocity,
                                kLineSized,
                                kLineHeadNotCounted,
                                kLineSeparator,
                                kDropOutOfRange}) {
    words.emplace_back(word);
  }
  for (const SegmentColumnInfo& info : kSegmentColumns) words.emplace_back(info.label);
  for (const LineQuantityInfo& info : kLineQuantities) words.emplace_back(info.label);
  for (const DropQuantityInfo& info : kDropQuantities) words.emplace_back(info.label);
  for (const InputField& field : kInputFields) words.emplace_back(field.quantity);
  for (FaultKind kind :
       {FaultKind::Overflow, FaultKind::DivisionByZero, FaultKind::InvalidArgument}) {
    words.emplace_back(FaultDescription(kind));
  }
  return words;
}

}  // namespace tarnivel
