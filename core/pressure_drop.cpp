#include "core/pressure_drop.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

// DropTexts is indexed by quantity.
constexpr bool TableInEnumOrder() {
  for (std::size_t i = 0; i < kDropQuantities.size(); ++i) {
    if (static_cast<std::size_t>(kDropQuantities[i].quantity) != i) return false;
  }
  return true;
}
static_assert(TableInEnumOrder());

constexpr double kZeroCelsiusK = 273.15;           // T0, and the offset of the Kelvin scale
constexpr double kStandardPressureKpa = 101.325;   // where a normal cubic metre is measured
constexpr double kLowPressureFactor = 6.26e7;      // GB 50028 §6.2, ΔP in Pa
constexpr double kMediumPressureFactor = 1.27e10;  // GB 50028 §6.2, P1² − P2² in kPa²
constexpr double kLaminarLimit = 2100;
constexpr double kTurbulentLimit = 3500;
// An outlet this close to zero, relative to the inlet, is rounding's version of zero: at the
// length the formulas give for the run-out, the medium form leaves some 1e-14 of the inlet and
// the low form as little either side. Both forms call it a run-out, as they would in exact
// arithmetic, rather than print a gauge pressure of 4.44089209850063E-15.
constexpr double kRunOutShare = 1e-12;
// Newton's method below reaches the root in about five steps from any start it is given.
constexpr int kMaxFrictionSteps = 100;

bool Finite(double value) { return std::isfinite(value); }

DropFault Prompted(Prompt prompt, Field field) {
  return {DropFault::Kind::Prompt, prompt, FaultKind::Overflow, field};
}
DropFault Arithmetic(FaultKind kind = FaultKind::Overflow,
                     DropFault::Step step = DropFault::Step::Inputs) {
  return {DropFault::Kind::Arithmetic, Prompt::None, kind, Field::Pressure, step};
}
DropFault OutOfRange(DropSubject subject) {
  return {DropFault::Kind::OutOfRange, Prompt::None, FaultKind::Overflow, subject};
}

// Colebrook–White, 1/√λ = −2·lg(k/(3.7·d) + 2.51/(Re·√λ)), solved for x = 1/√λ as the root of
// f(x) = x + 2·lg(a + b·x). f rises and is concave, so Newton's method started left of the
// root climbs to it without overshooting, and stops when the next step no longer moves x:
// λ then no longer changes in double precision.
std::optional<double> Colebrook(double reynolds, double relative_roughness) {
  const double a = relative_roughness / 3.7;
  const double b = 2.51 / reynolds;
  if (!(a < 1)) return std::nullopt;  // −2·lg(a + b·x) < 0: no real root
  const double ln10 = std::numbers::ln10;
  auto f = [&](double x) { return x + 2 * Log10(a + b * x); };
  // f(0.5) < 0 unless the wall is rougher than about half the bore; f(0) = 2·lg(a) < 0 then.
  double x = f(0.5) < 0 ? 0.5 : 0.0;
  for (int step = 0; step < kMaxFrictionSteps; ++step) {
    const double next = x - f(x) / (1 + 2 * b / ((a + b * x) * ln10));
    if (!Finite(next)) return std::nullopt;
    if (!(next > x)) break;
    x = next;
  }
  const double lambda = 1 / (x * x);
  if (!Finite(lambda) || !(lambda > 0)) return std::nullopt;
  return lambda;
}

// The gas at line conditions: a normal cubic metre carried to the absolute pressure and
// temperature of the line, through a bore of `area_m2`.
double Velocity(const DropCase& line, double absolute_kpa, double temperature_k, double area_m2) {
  const double actual_m3h = line.flow_nm3h * (kStandardPressureKpa / absolute_kpa) *
                            (temperature_k / kZeroCelsiusK) * line.compressibility;
  return actual_m3h / 3600 / area_m2;
}

// The lenient reading of the window; nothing for a number beyond the double range.
std::optional<double> Lenient(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.fault) return std::nullopt;
  return number.value;
}

std::string DescribeArithmetic(const DropFault& fault) {
  switch (fault.step) {
    case DropFault::Step::Reynolds:
      return "the Reynolds number 4*Q/(3600*pi*d*viscosity) leaves the double range: "
             "check the flow, bore and viscosity";
    case DropFault::Step::Friction:
      return "the friction factor leaves the double range: check the bore and roughness";
    case DropFault::Step::Inputs:
      break;
  }
  return std::string(FaultDescription(fault.arithmetic));
}

}  // namespace

std::optional<double> RoughnessOfSeries(std::string_view name, std::span<const PipeSeries> series) {
  const PipeSeries* named = FindSeries(series, name);
  if (named == nullptr) return std::nullopt;
  return named->roughness_mm;
}

std::string DescribeDropFault(const DropFault& fault) {
  switch (fault.kind) {
    case DropFault::Kind::Prompt:
      return std::string(PromptText(fault.prompt));
    case DropFault::Kind::Arithmetic:
      return DescribeArithmetic(fault);
    case DropFault::Kind::OutOfRange:
      break;
  }
  if (const Field* field = std::get_if<Field>(&fault.subject)) {
    const InputField& input = InputFieldOf(*field);
    return std::string(input.name) + " must be more than 0 " + std::string(input.unit);
  }
  const DropQuantityInfo& info = DropQuantityOf(std::get<DropQuantity>(fault.subject));
  const std::string name(info.name);
  switch (info.quantity) {
    case DropQuantity::Temperature:
      return name + " must be above absolute zero, -273.15 degC";
    case DropQuantity::Roughness:
      return name + " must be at least 0 mm and less than 3.7 times the bore";
    case DropQuantity::Compressibility:
      return name + " must be more than 0";
    default:
      return name + " must be more than 0 " + std::string(info.unit);
  }
}

std::optional<Friction> FrictionFactor(double reynolds, double relative_roughness) {
  if (!(reynolds > 0) || !Finite(reynolds)) return std::nullopt;
  if (reynolds <= kLaminarLimit) {
    const double lambda = 64 / reynolds;
    if (!Finite(lambda)) return std::nullopt;
    return Friction{lambda, FrictionRegime::Laminar};
  }
  if (reynolds <= kTurbulentLimit) {
    return Friction{0.03 + (reynolds - 2100) / (65 * reynolds - 1e5), FrictionRegime::Transitional};
  }
  const std::optional<double> lambda = Colebrook(reynolds, relative_roughness);
  if (!lambda) return std::nullopt;
  return Friction{*lambda, FrictionRegime::Turbulent};
}

std::variant<DropCase, DropFault> ReadDropCase(const DropTexts& texts) {
  DropCase line;
  const std::pair<const std::string*, double*> fields[] = {
      {&texts.pressure, &line.inlet_mpa},
      {&texts.flow, &line.flow_nm3h},
      {&texts.diameter, &line.bore_mm},
  };
  for (const auto& [text, value] : fields) {
    const std::optional<double> number = Lenient(*text);
    if (!number) return Arithmetic();
    *value = *number;
  }
  // Each parameter in the order of its quantity; a parameter left out keeps its default.
  const std::pair<DropQuantity, double*> parameters[] = {
      {DropQuantity::Length, &line.length_m},
      {DropQuantity::Temperature, &line.temperature_c},
      {DropQuantity::Density, &line.density_kg_nm3},
      {DropQuantity::Viscosity, &line.viscosity_m2s},
      {DropQuantity::Roughness, &line.roughness_mm},
      {DropQuantity::Compressibility, &line.compressibility},
      {DropQuantity::Atmosphere, &line.atmosphere_kpa},
  };
  for (const auto& [quantity, value] : parameters) {
    const std::optional<std::string>& text = texts[quantity];
    if (!text || IsBlankText(*text)) continue;
    const std::optional<double> number = Lenient(*text);
    if (!number) return Arithmetic();
    *value = *number;
  }
  return line;
}

std::variant<std::optional<double>, DropFault> ReadDropLimit(const DropParameters& parameters) {
  const std::optional<std::string>& text = parameters[DropQuantity::MaxDrop];
  if (!text || IsBlankText(*text)) return std::nullopt;
  const std::optional<double> limit = Lenient(*text);
  if (!limit) return Arithmetic();
  if (!(*limit > 0)) return OutOfRange(DropQuantity::MaxDrop);
  return limit;
}

std::string DescribeRunningOut(const DropResult& result) {
  return "the gauge pressure falls to 0 at " + FormatGeneral(result.reach_m) +
         " m, before the end of the line";
}

std::string DescribeBandEdge(const DropResult& result) {
  const std::optional<double> edge = NearBandEdge(result.reynolds);
  if (!edge) return {};
  return "Re " + FormatGeneral(result.reynolds) + " is within 5 % of " + FormatGeneral(*edge) +
         ", where the friction bands meet and the printed formulas jump: a slightly different "
         "flow or bore may change the drop by a few per cent either way";
}

bool UnusedByForm(DropQuantity quantity, PressureForm form) {
  return quantity == DropQuantity::Compressibility && form == PressureForm::Low;
}

std::string DescribeUnusedByForm(DropQuantity quantity, PressureForm form) {
  if (!UnusedByForm(quantity, form)) return {};
  return std::string(DropQuantityOf(quantity).name) +
         " is not used by the drop at low pressure (inlet < 0.01 MPa: the printed form has no "
         "Z); only the velocities use it";
}

std::vector<DropQuantity> UnusualParameters(const DropCase& line) {
  const std::pair<DropQuantity, double> values[] = {
      {DropQuantity::Temperature, line.temperature_c},
      {DropQuantity::Density, line.density_kg_nm3},
      {DropQuantity::Viscosity, line.viscosity_m2s},
      {DropQuantity::Atmosphere, line.atmosphere_kpa},
  };
  std::vector<DropQuantity> unusual;
  for (const auto& [quantity, value] : values) {
    const DropQuantityInfo& info = DropQuantityOf(quantity);
    if ((info.usual_low && value < *info.usual_low) ||
        (info.usual_high && value > *info.usual_high)) {
      unusual.push_back(quantity);
    }
  }
  return unusual;
}

std::string DescribeUnusual(DropQuantity quantity, double value) {
  const DropQuantityInfo& info = DropQuantityOf(quantity);
  const std::string unit = info.unit.empty() ? "" : " " + std::string(info.unit);
  return std::string(info.name) + " " + FormatGeneral(value) + unit + " is outside the usual " +
         FormatGeneral(info.usual_low.value_or(0)) + " to " +
         FormatGeneral(info.usual_high.value_or(0)) + unit + ": is it in another unit? (read as" +
         unit + ")";
}

std::optional<DropFault> CheckDropCase(const DropCase& line) {
  // The window's requests first, so that an empty field is asked for as it is there.
  if (line.bore_mm == 0) return Prompted(Prompt::EnterDiameter, Field::Diameter);
  if (line.flow_nm3h == 0) return Prompted(Prompt::EnterCompleteData, Field::Flow);
  const std::pair<bool, DropSubject> checks[] = {
      {line.inlet_mpa > 0, Field::Pressure},
      {line.flow_nm3h > 0, Field::Flow},
      {line.bore_mm > 0, Field::Diameter},
      {line.length_m > 0, DropQuantity::Length},
      {line.temperature_c > -kZeroCelsiusK, DropQuantity::Temperature},
      {line.density_kg_nm3 > 0, DropQuantity::Density},
      {line.viscosity_m2s > 0, DropQuantity::Viscosity},
      {line.roughness_mm >= 0, DropQuantity::Roughness},
      {line.compressibility > 0, DropQuantity::Compressibility},
      {line.atmosphere_kpa > 0, DropQuantity::Atmosphere},
  };
  for (const auto& [holds, subject] : checks) {
    if (!holds) return OutOfRange(subject);
  }
  const double numbers[] = {line.inlet_mpa,     line.flow_nm3h,     line.bore_mm,
                            line.length_m,      line.temperature_c, line.density_kg_nm3,
                            line.viscosity_m2s, line.roughness_mm,  line.compressibility,
                            line.atmosphere_kpa};
  if (!std::all_of(std::begin(numbers), std::end(numbers), Finite)) return Arithmetic();
  return std::nullopt;
}

std::variant<DropResult, DropFault> ComputeDrop(const DropCase& line) {
  if (const std::optional<DropFault> fault = CheckDropCase(line)) return *fault;
  DropResult result;
  const double d = line.bore_mm;
  const double q = line.flow_nm3h;
  const double t = line.temperature_c + kZeroCelsiusK;
  result.reynolds = 4 * q / (3600 * std::numbers::pi * (d / 1000) * line.viscosity_m2s);
  // A Reynolds number of 0 (a viscosity or bore so large that it underflows) has no friction
  // factor, and an infinite one none either.
  if (!Finite(result.reynolds)) return Arithmetic(FaultKind::Overflow, DropFault::Step::Reynolds);
  if (!(result.reynolds > 0)) {
    return Arithmetic(FaultKind::DivisionByZero, DropFault::Step::Reynolds);
  }
  const double relative_roughness = line.roughness_mm / d;
  if (!(relative_roughness < 3.7)) return OutOfRange(DropQuantity::Roughness);
  const std::optional<Friction> friction = FrictionFactor(result.reynolds, relative_roughness);
  if (!friction) return Arithmetic(FaultKind::Overflow, DropFault::Step::Friction);
  result.friction = friction->factor;
  result.regime = friction->regime;

  // Q²/d⁵ as (Q/d^2.5)², so that a large flow in a large bore does not overflow on the way.
  const double q_over_d = q / (d * d * std::sqrt(d));
  // Everything but the length: the drop grows linearly with it (low pressure) or the
  // difference of the squares does (medium and high), so that the outlet falls with L.
  const double per_metre =
      result.friction * (q_over_d * q_over_d) * line.density_kg_nm3 * (t / kZeroCelsiusK);
  const double inlet_kpa = 1000 * line.inlet_mpa + line.atmosphere_kpa;  // absolute
  const double area = std::numbers::pi / 4 * (d / 1000) * (d / 1000);
  result.inlet_velocity_ms = Velocity(line, inlet_kpa, t, area);

  if (!Finite(per_metre) || !Finite(result.inlet_velocity_ms)) return Arithmetic();

  // The outlet, or where the gauge pressure reaches zero: the same formula solved for L.
  std::optional<double> outlet;
  double reach = 0;
  result.form = FormAt(line.inlet_mpa);
  if (result.form == PressureForm::Low) {
    const double coefficient = kLowPressureFactor * per_metre;  // Pa per metre
    if (!Finite(coefficient)) return Arithmetic();
    const double drop_pa = coefficient * line.length_m;
    result.drop_kpa = drop_pa / 1000;
    const double left = line.inlet_mpa - drop_pa / 1e6;
    if (left > line.inlet_mpa * kRunOutShare) {
      outlet = left;
    } else {
      reach = line.inlet_mpa * 1e6 / coefficient;
    }
  } else {
    const double coefficient =
        kMediumPressureFactor * per_metre * line.compressibility / 1000;  // kPa² per metre
    if (!Finite(coefficient)) return Arithmetic();
    const double atmosphere = line.atmosphere_kpa;
    if (!Finite(inlet_kpa * inlet_kpa)) return Arithmetic();
    const double squares = inlet_kpa * inlet_kpa - coefficient * line.length_m;
    // ΔP first and the outlet from it, so that rounding never lifts the outlet above the
    // inlet: in exact arithmetic this is (P2a − atmosphere)/1000.
    result.drop_kpa = squares > atmosphere * atmosphere ? inlet_kpa - std::sqrt(squares) : 0;
    const double left = line.inlet_mpa - result.drop_kpa / 1000;
    if (squares > atmosphere * atmosphere && left > line.inlet_mpa * kRunOutShare) {
      outlet = left;
    } else {
      reach = (inlet_kpa - atmosphere) * (inlet_kpa + atmosphere) / coefficient;
    }
  }
  if (outlet) {
    if (!Finite(*outlet) || !Finite(result.drop_kpa)) return Arithmetic();
    result.outlet_mpa = outlet;
    result.outlet_velocity_ms = Velocity(line, 1000 * *outlet + line.atmosphere_kpa, t, area);
    if (!Finite(*result.outlet_velocity_ms)) return Arithmetic();
  } else {
    // Rounding may put the solved length an ulp beyond the line's own.
    result.drop_kpa = 0;
    result.reach_m = std::min(reach, line.length_m);
    if (!Finite(result.reach_m)) return Arithmetic();
  }
  return result;
}

std::variant<DropResult, DropFault> ComputeDrop(const DropTexts& texts) {
  const auto line = ReadDropCase(texts);
  if (const auto* fault = std::get_if<DropFault>(&line)) return *fault;
  return ComputeDrop(std::get<DropCase>(line));
}

}  // namespace tarnivel
