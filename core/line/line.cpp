// A gas line of segments in series: reading its texts, computing it segment by segment, and
// sizing the segments that have only a series (core/line/line.h).
#include "core/line/line.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/numeric.h"

namespace tarnivel {
namespace {

// The tables are indexed by their enums.
constexpr bool TablesInEnumOrder() {
  for (std::size_t i = 0; i < kLineQuantities.size(); ++i) {
    if (static_cast<std::size_t>(kLineQuantities[i].quantity) != i) return false;
  }
  for (std::size_t i = 0; i < kSegmentColumns.size(); ++i) {
    if (static_cast<std::size_t>(kSegmentColumns[i].column) != i) return false;
  }
  return true;
}
static_assert(TablesInEnumOrder());

constexpr double kZeroCelsiusK = 273.15;           // T0
constexpr double kLowPressureFactor = 6.26e7;      // GB 50028 §6.2, ΔP in Pa
constexpr double kMediumPressureFactor = 1.27e10;  // GB 50028 §6.2, P1² − P2² in kPa²
constexpr double kGravity = 9.8;                   // as the code prints the head: 9.8·Δρ·h
constexpr double kApplianceShare = 0.75;           // ΔPd = 0.75·Pn + 150 Pa
constexpr double kApplianceMarginPa = 150;
// As the drop's: an outlet within 1e-12 of the segment's inlet from zero is a run-out.
constexpr double kRunOutShare = 1e-12;

bool Finite(double value) { return std::isfinite(value); }

using Subject = LineFault::Subject;

LineFault Fault(LineFault::Kind kind, Subject subject,
                std::optional<std::size_t> segment = std::nullopt, std::string name = {}) {
  LineFault fault;
  fault.kind = kind;
  fault.subject = subject;
  fault.segment = segment;
  fault.segment_name = std::move(name);
  return fault;
}

// A fault of ComputeDrop for one segment, carried over with the segment named.
LineFault FromDrop(const DropFault& drop, std::size_t index, const std::string& name) {
  LineFault fault = Fault(LineFault::Kind::Arithmetic, SegmentColumn::Bore, index, name);
  if (drop.kind == DropFault::Kind::OutOfRange) {
    // k/d of 3.7 or more is the only input ComputeDrop finds out of range once the line's
    // own checks have passed.
    fault.kind = LineFault::Kind::OutOfRange;
    fault.subject = SegmentColumn::Roughness;
    return fault;
  }
  fault.arithmetic = drop.arithmetic;
  fault.step = drop.step;
  return fault;
}

// The lenient reading; nothing for a number beyond the double range.
std::optional<double> Lenient(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.fault) return std::nullopt;
  return number.value;
}

// A pipe of `series` by its designation, ignoring ASCII case and surrounding blanks.
std::optional<std::size_t> FindPipe(const PipeSeries& series, std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  const auto same = [](std::string_view a, std::string_view b) {
    // The iterator form: the page's C++ library has no ranges::equal.
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
      return std::tolower(x) == std::tolower(y);
    });
  };
  for (std::size_t i = 0; i < series.pipes.size(); ++i) {
    if (same(series.pipes[i].designation, text)) return i;
  }
  return std::nullopt;
}

double BoreOf(const Pipe& pipe) { return static_cast<double>(pipe.Bore().value) / 100; }

// Rounded as the program prints it, so that a drop printed equal to the allowance passes.
double AsPrinted(double value) {
  const std::optional<NumberReading> reading = ParseNumberStrict(FormatGeneral(value));
  return reading && !reading->fault ? reading->value : value;
}

std::string SegmentLabel(std::size_t index, const std::string& name) {
  std::string label = "segment " + std::to_string(index + 1);
  if (!IsBlankText(name)) label += " (" + name + ")";
  return label;
}

// A segment's hydraulics independent of its inlet pressure, and its inlet velocity there.
struct Hydraulics {
  DropResult drop;       // Re, λ and the inlet velocity
  double per_metre = 0;  // Pa/m (low) or kPa²/m (medium and high) of effective length
};

std::variant<Hydraulics, LineFault> HydraulicsOf(const GasLine& line, const Segment& segment,
                                                 std::size_t index, double bore_mm,
                                                 double inlet_mpa, PressureForm form) {
  DropCase one = line.gas;
  one.inlet_mpa = inlet_mpa;
  one.flow_nm3h = segment.flow_nm3h;
  one.bore_mm = bore_mm;
  one.length_m = segment.length_m;
  one.roughness_mm = segment.roughness_mm;
  const auto outcome = ComputeDrop(one);
  if (const auto* fault = std::get_if<DropFault>(&outcome)) {
    return FromDrop(*fault, index, segment.name);
  }
  Hydraulics hydraulics{std::get<DropResult>(outcome)};
  const double t_ratio = (line.gas.temperature_c + kZeroCelsiusK) / kZeroCelsiusK;
  // Q²/d⁵ as (Q/d^2.5)², as the drop computes it, so that no step overflows on the way.
  const double q_over_d = segment.flow_nm3h / (bore_mm * bore_mm * std::sqrt(bore_mm));
  const double common =
      hydraulics.drop.friction * (q_over_d * q_over_d) * line.gas.density_kg_nm3 * t_ratio;
  hydraulics.per_metre = form == PressureForm::Low
                             ? kLowPressureFactor * common
                             : kMediumPressureFactor * common * line.gas.compressibility / 1000;
  if (!Finite(hydraulics.per_metre)) {
    return Fault(LineFault::Kind::Arithmetic, SegmentColumn::Flow, index, segment.name);
  }
  return hydraulics;
}

double EffectiveLength(const Segment& segment) {
  return segment.length_m * (1 + segment.local_share_pct / 100);
}
double HeadPa(const GasLine& line, const Segment& segment) {
  // The rise first, so that a level segment has no head whatever the densities.
  return (line.air_density_kg_nm3 - line.gas.density_kg_nm3) * segment.rise_m * kGravity;
}

// The bore of a segment whose pipe is known.
double KnownBore(const Segment& segment) {
  return segment.series != nullptr ? BoreOf(segment.series->pipes[*segment.pipe]) : segment.bore_mm;
}
bool ToSize(const Segment& segment) { return segment.series != nullptr && !segment.pipe; }

// The allowance left for the segments to size, per metre of their effective length: none
// without segments to size.
std::variant<std::optional<double>, LineFault> UnitBudget(const GasLine& line, PressureForm form) {
  double given = 0, head = 0, sized_length = 0;
  bool any = false;
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const Segment& segment = line.segments[i];
    // Only the low-pressure form counts the head.
    if (form == PressureForm::Low) head += HeadPa(line, segment);
    if (!Finite(head)) {
      return Fault(LineFault::Kind::Arithmetic, SegmentColumn::Rise, i, segment.name);
    }
    if (ToSize(segment)) {
      any = true;
      sized_length += EffectiveLength(segment);
      continue;
    }
    const auto hydraulics =
        HydraulicsOf(line, segment, i, KnownBore(segment), line.inlet_mpa, form);
    if (const auto* fault = std::get_if<LineFault>(&hydraulics)) return *fault;
    given += std::get<Hydraulics>(hydraulics).per_metre * EffectiveLength(segment);
  }
  if (!any) return std::nullopt;
  if (!line.allowed_kpa) return Fault(LineFault::Kind::NoAllowance, DropQuantity::MaxDrop);
  // The allowance never reaches below atmospheric pressure.
  const double allowed_kpa = std::min(*line.allowed_kpa, 1000 * line.inlet_mpa);
  double budget = 0;
  if (form == PressureForm::Low) {
    budget = 1000 * allowed_kpa - given + head;
  } else {
    const double inlet = 1000 * line.inlet_mpa + line.gas.atmosphere_kpa;
    const double end = inlet - allowed_kpa;
    budget = (inlet - end) * (inlet + end) - given;
  }
  const double unit = budget / sized_length;
  if (!Finite(unit)) return Fault(LineFault::Kind::Arithmetic, DropQuantity::MaxDrop);
  return std::optional<double>(unit);
}

// The losses along one segment from `inlet_mpa`, or where its gauge pressure runs out.
void Losses(const GasLine& line, const Segment& segment, PressureForm form, double per_metre,
            SegmentResult& out) {
  const double p = out.inlet_mpa;
  const double le = out.effective_length_m;
  if (form == PressureForm::Low) {
    const double friction = per_metre * segment.length_m;
    const double local = friction * segment.local_share_pct / 100;
    const double head = HeadPa(line, segment);
    const double left = (p * 1e6 - friction - local + head) / 1e6;
    if (left > p * kRunOutShare) {
      out.outlet_mpa = left;
      out.friction_kpa = friction / 1000;
      out.local_kpa = local / 1000;
      out.head_kpa = head / 1000;
    } else {
      // The pressure falls linearly along the segment, by friction, local losses and head.
      out.reach_m =
          std::min(p * 1e6 / ((friction + local - head) / segment.length_m), segment.length_m);
    }
    return;
  }
  const double atmosphere = line.gas.atmosphere_kpa;
  const double inlet = 1000 * p + atmosphere;
  const double squares = inlet * inlet - per_metre * le;
  const double total = squares > atmosphere * atmosphere ? inlet - std::sqrt(squares) : 0;
  const double left = p - total / 1000;
  if (squares > atmosphere * atmosphere && left > p * kRunOutShare) {
    out.outlet_mpa = left;
    out.friction_kpa = inlet - std::sqrt(inlet * inlet - per_metre * segment.length_m);
    out.local_kpa = total - out.friction_kpa;
  } else {
    out.reach_m = std::min((inlet - atmosphere) * (inlet + atmosphere) /
                               (per_metre * (1 + segment.local_share_pct / 100)),
                           segment.length_m);
  }
}

// Reads a line parameter: its default when not given or blank; a fault beyond the double
// range or where `holds` fails.
template <typename Holds>
std::variant<std::optional<double>, LineFault> ReadParameter(const std::optional<std::string>& text,
                                                             std::optional<double> fallback,
                                                             Subject subject, Holds holds) {
  if (!text || IsBlankText(*text)) return fallback;
  const std::optional<double> value = Lenient(*text);
  if (!value) return Fault(LineFault::Kind::Arithmetic, subject);
  if (!holds(*value)) return Fault(LineFault::Kind::OutOfRange, subject);
  return value;
}

bool Positive(double value) { return value > 0; }
bool NotNegative(double value) { return value >= 0; }
bool Any(double) { return true; }

std::variant<Segment, LineFault> ReadSegment(const SegmentTexts& texts, std::size_t index,
                                             std::span<const PipeSeries> series,
                                             double line_roughness, double line_share) {
  Segment segment;
  segment.name = texts[SegmentColumn::Name];
  const auto fault = [&](LineFault::Kind kind, SegmentColumn column) {
    return Fault(kind, column, index, segment.name);
  };
  // A number of the segment, blank taking `fallback`; nullopt (no fault) stays nullopt.
  struct Number {
    SegmentColumn column;
    std::optional<double> fallback;
    bool (*holds)(double);
    std::optional<double> value;
  };
  Number numbers[] = {
      {SegmentColumn::Length, 0.0, Positive, {}},
      {SegmentColumn::Flow, 0.0, Positive, {}},
      {SegmentColumn::Bore, std::nullopt, Positive, {}},
      {SegmentColumn::Roughness, std::nullopt, NotNegative, {}},
      {SegmentColumn::Rise, 0.0, Any, {}},
      {SegmentColumn::LocalShare, line_share, NotNegative, {}},
  };
  for (Number& number : numbers) {
    const std::string& text = texts[number.column];
    number.value = number.fallback;
    if (!IsBlankText(text)) {
      number.value = Lenient(text);
      if (!number.value) return fault(LineFault::Kind::Arithmetic, number.column);
    }
    if (number.value && !number.holds(*number.value)) {
      return fault(LineFault::Kind::OutOfRange, number.column);
    }
  }
  segment.length_m = *numbers[0].value;
  segment.flow_nm3h = *numbers[1].value;
  const std::optional<double> bore = numbers[2].value;
  const std::optional<double> roughness = numbers[3].value;
  segment.rise_m = *numbers[4].value;
  segment.local_share_pct = *numbers[5].value;

  const std::string& series_text = texts[SegmentColumn::Series];
  const std::string& pipe_text = texts[SegmentColumn::Pipe];
  if (!IsBlankText(series_text)) {
    segment.series = FindSeries(series, series_text);
    if (segment.series == nullptr) {
      LineFault unknown = fault(LineFault::Kind::UnknownSeries, SegmentColumn::Series);
      unknown.text = series_text;
      return unknown;
    }
    if (bore) return fault(LineFault::Kind::BoreAndSeries, SegmentColumn::Bore);
    if (!IsBlankText(pipe_text)) {
      segment.pipe = FindPipe(*segment.series, pipe_text);
      if (!segment.pipe) {
        LineFault unknown = fault(LineFault::Kind::UnknownPipe, SegmentColumn::Pipe);
        unknown.text = pipe_text;
        return unknown;
      }
    }
    segment.roughness_mm = roughness.value_or(segment.series->roughness_mm);
    return segment;
  }
  if (!IsBlankText(pipe_text))
    return fault(LineFault::Kind::PipeWithoutSeries, SegmentColumn::Pipe);
  if (!bore) return fault(LineFault::Kind::NoPipe, SegmentColumn::Bore);
  segment.bore_mm = *bore;
  segment.roughness_mm = roughness.value_or(line_roughness);
  return segment;
}

}  // namespace

std::string_view UnitBudgetUnit(PressureForm form) {
  return form == PressureForm::Low ? "Pa/m" : "kPa2/m";
}

double ApplianceAllowanceKpa(double appliance_pa) {
  return (kApplianceShare * appliance_pa + kApplianceMarginPa) / 1000;
}

std::string DescribeLineFault(const LineFault& fault) {
  const std::string where =
      fault.segment ? SegmentLabel(*fault.segment, fault.segment_name) + ": " : std::string();
  using Kind = LineFault::Kind;
  switch (fault.kind) {
    case Kind::NoSegments:
      return "a line needs at least one segment";
    case Kind::NoPipe:
      return where + "give a bore or a series";
    case Kind::BoreAndSeries:
      return where + "give a bore or a series, not both";
    case Kind::PipeWithoutSeries:
      return where + "a pipe needs its series";
    case Kind::UnknownSeries:
      return where + "no series \"" + fault.text + "\"";
    case Kind::UnknownPipe:
      return where + "no pipe \"" + fault.text + "\" in its series";
    case Kind::NoAllowance:
      return "segments with only a series are sized to an allowed drop: give max_drop, or "
             "appliance_pressure at low pressure";
    case Kind::TwoAllowances:
      return "give max_drop or appliance_pressure, not both";
    case Kind::ApplianceNotLow:
      return "appliance_pressure sets the allowance of a low-pressure line only (inlet < 0.01 "
             "MPa): give max_drop";
    case Kind::Arithmetic:
      if (fault.step != DropFault::Step::Inputs) {
        DropFault drop;
        drop.kind = DropFault::Kind::Arithmetic;
        drop.step = fault.step;
        drop.arithmetic = fault.arithmetic;
        return where + DescribeDropFault(drop);
      }
      return where + std::string(FaultDescription(fault.arithmetic));
    case Kind::OutOfRange:
      break;
  }
  if (const auto* column = std::get_if<SegmentColumn>(&fault.subject)) {
    const SegmentColumnInfo& info = SegmentColumnOf(*column);
    const std::string name(info.name);
    switch (*column) {
      case SegmentColumn::Roughness:
        return where + name + " must be at least 0 mm and less than 3.7 times the bore";
      case SegmentColumn::LocalShare:
        return where + name + " must be at least 0 %";
      default:
        return where + name + " must be more than 0 " + std::string(info.unit);
    }
  }
  if (const auto* quantity = std::get_if<LineQuantity>(&fault.subject)) {
    const LineQuantityInfo& info = LineQuantityOf(*quantity);
    const std::string bound =
        *quantity == LineQuantity::LocalShare ? " must be at least 0 " : " must be more than 0 ";
    return std::string(info.name) + bound + std::string(info.unit);
  }
  DropFault drop;
  drop.kind = DropFault::Kind::OutOfRange;
  if (const auto* field = std::get_if<Field>(&fault.subject)) {
    drop.subject = *field;
  } else {
    drop.subject = std::get<DropQuantity>(fault.subject);
  }
  return DescribeDropFault(drop);
}

std::variant<GasLine, LineFault> ReadGasLine(const GasLineTexts& texts,
                                             std::span<const PipeSeries> series) {
  GasLine line;
  const std::optional<double> inlet = Lenient(texts.inlet);
  if (!inlet) return Fault(LineFault::Kind::Arithmetic, Field::Pressure);
  line.inlet_mpa = *inlet;
  DropCase& gas = line.gas;
  const std::pair<DropQuantity, double*> parameters[] = {
      {DropQuantity::Temperature, &gas.temperature_c},
      {DropQuantity::Density, &gas.density_kg_nm3},
      {DropQuantity::Viscosity, &gas.viscosity_m2s},
      {DropQuantity::Roughness, &gas.roughness_mm},
      {DropQuantity::Compressibility, &gas.compressibility},
      {DropQuantity::Atmosphere, &gas.atmosphere_kpa},
  };
  for (const auto& [quantity, value] : parameters) {
    const auto read = ReadParameter(texts.drop[quantity], *value, quantity, Any);
    if (const auto* fault = std::get_if<LineFault>(&read)) return *fault;
    *value = *std::get<std::optional<double>>(read);
  }
  // The drop's own checks, with a flow, bore and length that pass them.
  DropCase checked = gas;
  checked.inlet_mpa = line.inlet_mpa;
  checked.flow_nm3h = checked.bore_mm = checked.length_m = 1;
  if (const std::optional<DropFault> fault = CheckDropCase(checked)) {
    return Fault(fault->kind == DropFault::Kind::Arithmetic ? LineFault::Kind::Arithmetic
                                                            : LineFault::Kind::OutOfRange,
                 std::visit([](auto subject) -> Subject { return subject; }, fault->subject));
  }

  const auto limit = ReadDropLimit(texts.drop);
  if (const auto* fault = std::get_if<DropFault>(&limit)) {
    return Fault(fault->kind == DropFault::Kind::Arithmetic ? LineFault::Kind::Arithmetic
                                                            : LineFault::Kind::OutOfRange,
                 DropQuantity::MaxDrop);
  }
  line.allowed_kpa = std::get<std::optional<double>>(limit);
  if (line.allowed_kpa) line.allowance = AllowanceSource::MaxDrop;

  std::optional<double> values[kLineQuantities.size()];
  bool (*const holds[])(double) = {NotNegative, Positive, Positive, Positive};
  for (const LineQuantityInfo& info : kLineQuantities) {
    const auto index = static_cast<std::size_t>(info.quantity);
    const auto read =
        ReadParameter(texts[info.quantity], info.default_value, info.quantity, holds[index]);
    if (const auto* fault = std::get_if<LineFault>(&read)) return *fault;
    values[index] = std::get<std::optional<double>>(read);
  }
  const double share = *values[static_cast<std::size_t>(LineQuantity::LocalShare)];
  line.air_density_kg_nm3 = *values[static_cast<std::size_t>(LineQuantity::AirDensity)];
  line.max_velocity_ms = values[static_cast<std::size_t>(LineQuantity::MaxVelocity)];
  if (const auto appliance = values[static_cast<std::size_t>(LineQuantity::AppliancePressure)]) {
    if (line.allowed_kpa) {
      return Fault(LineFault::Kind::TwoAllowances, LineQuantity::AppliancePressure);
    }
    if (FormAt(line.inlet_mpa) != PressureForm::Low) {
      return Fault(LineFault::Kind::ApplianceNotLow, LineQuantity::AppliancePressure);
    }
    line.allowed_kpa = ApplianceAllowanceKpa(*appliance);
    line.allowance = AllowanceSource::AppliancePressure;
  }

  if (texts.segments.empty()) return Fault(LineFault::Kind::NoSegments, SegmentColumn::Length);
  line.segments.reserve(texts.segments.size());
  bool to_size = false;
  for (std::size_t i = 0; i < texts.segments.size(); ++i) {
    auto segment = ReadSegment(texts.segments[i], i, series, gas.roughness_mm, share);
    if (const auto* fault = std::get_if<LineFault>(&segment)) return *fault;
    line.segments.push_back(std::move(std::get<Segment>(segment)));
    to_size = to_size || ToSize(line.segments.back());
  }
  if (to_size && !line.allowed_kpa)
    return Fault(LineFault::Kind::NoAllowance, DropQuantity::MaxDrop);
  return line;
}

std::variant<GasLineResult, LineFault> ComputeGasLine(const GasLine& line) {
  if (line.segments.empty()) return Fault(LineFault::Kind::NoSegments, SegmentColumn::Length);
  GasLineResult result;
  result.form = FormAt(line.inlet_mpa);
  result.head_counted = result.form == PressureForm::Low;
  result.allowed_kpa = line.allowed_kpa;
  result.allowance = line.allowance;
  const auto budget = UnitBudget(line, result.form);
  if (const auto* fault = std::get_if<LineFault>(&budget)) return *fault;
  result.unit_budget = std::get<std::optional<double>>(budget);
  result.segments.reserve(line.segments.size());

  double inlet = line.inlet_mpa;
  for (std::size_t i = 0; i < line.segments.size(); ++i) {
    const Segment& segment = line.segments[i];
    SegmentResult out;
    out.inlet_mpa = inlet;
    out.roughness_mm = segment.roughness_mm;
    out.effective_length_m = EffectiveLength(segment);
    out.pipe = segment.pipe;
    std::optional<Hydraulics> chosen;
    if (ToSize(segment)) {
      out.sized = true;
      if (!(*result.unit_budget > 0)) {
        result.check = LineCheck::NoBudget;
        result.failed_segment = i;
        return result;
      }
      // The smallest pipe within the unit budget, and within the velocity when one is given.
      const std::vector<Pipe>& pipes = segment.series->pipes;
      for (std::size_t p = 0; p < pipes.size() && !chosen; ++p) {
        auto candidate = HydraulicsOf(line, segment, i, BoreOf(pipes[p]), inlet, result.form);
        if (const auto* fault = std::get_if<LineFault>(&candidate)) return *fault;
        const Hydraulics& h = std::get<Hydraulics>(candidate);
        if (h.per_metre <= *result.unit_budget &&
            (!line.max_velocity_ms || h.drop.inlet_velocity_ms <= *line.max_velocity_ms)) {
          chosen = h;
          out.pipe = p;
        }
      }
      if (!chosen) {
        result.check = LineCheck::NoPipe;
        result.failed_segment = i;
        return result;
      }
    } else {
      auto known = HydraulicsOf(line, segment, i, KnownBore(segment), inlet, result.form);
      if (const auto* fault = std::get_if<LineFault>(&known)) return *fault;
      chosen = std::get<Hydraulics>(known);
    }
    out.bore_mm = out.pipe ? BoreOf(segment.series->pipes[*out.pipe]) : segment.bore_mm;
    out.reynolds = chosen->drop.reynolds;
    out.regime = chosen->drop.regime;
    out.friction = chosen->drop.friction;
    out.inlet_velocity_ms = chosen->drop.inlet_velocity_ms;
    out.loss_per_metre = chosen->per_metre;
    Losses(line, segment, result.form, chosen->per_metre, out);
    const double numbers[] = {out.friction_kpa, out.local_kpa, out.head_kpa, out.reach_m,
                              out.outlet_mpa.value_or(0)};
    if (!std::all_of(std::begin(numbers), std::end(numbers), Finite)) {
      return Fault(LineFault::Kind::Arithmetic, SegmentColumn::Rise, i, segment.name);
    }
    result.segments.push_back(out);
    if (!out.outlet_mpa) {
      result.check = LineCheck::RunsOut;
      result.run_out = LineRunOut{i, out.reach_m};
      return result;
    }
    inlet = *out.outlet_mpa;
  }
  result.outlet_mpa = inlet;
  result.drop_kpa = 1000 * (line.inlet_mpa - inlet);
  if (line.allowed_kpa) {
    result.check = AsPrinted(result.drop_kpa) <= AsPrinted(*line.allowed_kpa) ? LineCheck::Within
                                                                              : LineCheck::Over;
  }
  return result;
}

std::variant<GasLineResult, LineFault> ComputeGasLine(const GasLineTexts& texts,
                                                      std::span<const PipeSeries> series) {
  const auto line = ReadGasLine(texts, series);
  if (const auto* fault = std::get_if<LineFault>(&line)) return *fault;
  return ComputeGasLine(std::get<GasLine>(line));
}

std::string DescribeLineCheck(const GasLine& line, const GasLineResult& result) {
  const auto label = [&](std::size_t index) {
    return SegmentLabel(index, index < line.segments.size() ? line.segments[index].name : "");
  };
  const std::string allowed =
      result.allowed_kpa ? FormatGeneral(*result.allowed_kpa) + " kPa" : std::string();
  switch (result.check) {
    case LineCheck::NotChecked:
      return {};
    case LineCheck::Within:
      return "the drop of " + FormatGeneral(result.drop_kpa) + " kPa is within the allowed " +
             allowed;
    case LineCheck::Over:
      return "the drop of " + FormatGeneral(result.drop_kpa) + " kPa is more than the allowed " +
             allowed;
    case LineCheck::RunsOut:
      break;
    case LineCheck::NoBudget:
      return label(*result.failed_segment) + ": nothing of the allowed " + allowed +
             " is left to size it with";
    case LineCheck::NoPipe:
      return label(*result.failed_segment) + ": no pipe of its series loses at most " +
             FormatGeneral(*result.unit_budget) + " " + std::string(UnitBudgetUnit(result.form)) +
             (line.max_velocity_ms
                  ? " at no more than " + FormatGeneral(*line.max_velocity_ms) + " m/s"
                  : std::string());
  }
  const LineRunOut& out = *result.run_out;
  return "the gauge pressure falls to 0 in " + label(out.segment) + " at " +
         FormatGeneral(out.reach_m) + " m of its " +
         FormatGeneral(line.segments[out.segment].length_m) + " m";
}

std::string DescribeHeadNotCounted(const GasLineResult& result) {
  if (result.head_counted) return {};
  return "the rise of a segment is not counted at medium and high pressure (inlet >= 0.01 "
         "MPa): the head is shown as 0";
}

std::array<std::string, kLineOutputNames.size()> LineOutputCells(const GasLine& line,
                                                                 const GasLineResult& result,
                                                                 std::size_t i, double drop,
                                                                 double pressure) {
  std::array<std::string, kLineOutputNames.size()> cells;
  auto cell = [&cells](LineOutput output) -> std::string& {
    return cells[static_cast<std::size_t>(output)];
  };
  const Segment& segment = line.segments[i];
  if (segment.series != nullptr && segment.pipe) {
    cell(LineOutput::Pipe) = segment.series->pipes[*segment.pipe].designation;
  }
  if (segment.series == nullptr) cell(LineOutput::Bore) = FormatGeneral(segment.bore_mm);
  if (i >= result.segments.size()) return cells;
  const SegmentResult& out = result.segments[i];
  if (out.pipe) cell(LineOutput::Pipe) = segment.series->pipes[*out.pipe].designation;
  cell(LineOutput::Bore) = FormatGeneral(out.bore_mm);
  cell(LineOutput::Velocity) = FormatGeneral(out.inlet_velocity_ms);
  cell(LineOutput::Reynolds) = FormatGeneral(out.reynolds);
  cell(LineOutput::Friction) = FormatGeneral(out.friction);
  cell(LineOutput::Inlet) = FormatGeneral(out.inlet_mpa * pressure);
  if (!out.outlet_mpa) return cells;
  cell(LineOutput::FrictionDrop) = FormatGeneral(out.friction_kpa * drop);
  cell(LineOutput::LocalDrop) = FormatGeneral(out.local_kpa * drop);
  cell(LineOutput::Head) = FormatGeneral(out.head_kpa * drop);
  cell(LineOutput::Drop) = FormatGeneral((out.inlet_mpa - *out.outlet_mpa) * 1000 * drop);
  cell(LineOutput::Outlet) = FormatGeneral(*out.outlet_mpa * pressure);
  return cells;
}

}  // namespace tarnivel
