#pragma once
// The pressure a gas line loses along its length, and the pressure left at its end.
//
//   texts of pressure, flow, bore and the line's parameters --> ReadDropCase --> DropCase
//        --> ComputeDrop --> DropResult (the outlet, or the length at which the gauge
//                            pressure runs out) or DropFault
//
// The hydraulic formulas are those of the urban gas design code (GB 50028 "城镇燃气设计规范",
// §6.2: Darcy–Weisbach in the form the code prints it, with its constants 6.26×10⁷ and
// 1.27×10¹⁰ kept exactly, since engineers check results against hand calculations made with
// them) and the Colebrook–White friction factor. Nothing here throws: a fault is a value.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/fields.h"
#include "core/pipes.h"

namespace tarnivel {

// The calculation's name as a command and as a batch row's calc.
inline constexpr std::string_view kDropCalculationName = "drop";

// The quantities of the calculation besides the pressure, flow and bore of the four fields.
enum class DropQuantity {
  Length,
  Temperature,
  Density,
  Viscosity,
  Roughness,
  Compressibility,
  Atmosphere,
  MaxDrop,
  Outlet,
  Drop,
};

enum class DropRole {
  Parameter,  // read by the calculation; every one but the length has a default
  Limit,      // what a sizing compares the result with; not read by the calculation
  Result,     // written by the calculation
};

struct DropQuantityInfo {
  DropQuantity quantity;
  DropRole role;
  std::string_view name;          // CSV column: "max_drop"
  std::string_view option;        // long option: "max-drop"
  char short_option;              // '\0' for none
  std::string_view unit;          // as a terminal prints it: "kg/Nm3"
  std::string_view display_unit;  // as a window or page shows it: "kg/Nm³"
  std::string_view words;         // in English words, for help texts
  std::string_view label;         // the window's word for it: "管长"
  std::optional<double> default_value;
  // Where a value is usual for a gas line; one outside is computed but warned about, since it
  // is more likely a number typed in another unit (kelvin as °C, MPa as kPa) than a real gas.
  std::optional<double> usual_low = std::nullopt, usual_high = std::nullopt;
};

// Defaults: the design code's natural gas at standard state (0 °C, 101.325 kPa), a line at
// 15 °C, new steel pipe; a series of pipes brings its own roughness (PipeSeries::roughness_mm).
// Usual ranges: the gas temperatures of buried and exposed lines in China (−60 to 100 °C takes
// in the coldest and hottest of them); fuel gases from hydrogen-rich town gas (about 0.4 kg/Nm³)
// to butane (2.7 kg/Nm³), and their viscosities (about 4×10⁻⁶ to 3×10⁻⁵ m²/s, each range widened
// by a factor of three or more); the atmosphere from sea level to 5000 m (about 54 kPa).
inline constexpr std::array<DropQuantityInfo, 10> kDropQuantities{{
    {DropQuantity::Length, DropRole::Parameter, "length", "length", 'l', "m", "m", "line length",
     "管长", std::nullopt, std::nullopt, std::nullopt},
    {DropQuantity::Temperature, DropRole::Parameter, "temperature", "temperature", 't', "degC",
     "°C", "gas temperature", "温度", 15.0, -60.0, 100.0},
    {DropQuantity::Density, DropRole::Parameter, "density", "density", '\0', "kg/Nm3", "kg/Nm³",
     "gas density at standard state", "密度", 0.75, 0.1, 3.0},
    {DropQuantity::Viscosity, DropRole::Parameter, "viscosity", "viscosity", '\0', "m2/s", "m²/s",
     "kinematic viscosity at standard state", "运动黏度", 15e-6, 1e-7, 1e-3},
    {DropQuantity::Roughness, DropRole::Parameter, "roughness", "roughness", '\0', "mm", "mm",
     "absolute roughness of the wall", "粗糙度", kNewSteelRoughnessMm, std::nullopt, std::nullopt},
    {DropQuantity::Compressibility, DropRole::Parameter, "compressibility", "compressibility", '\0',
     "", "", "compressibility factor Z", "压缩因子", 1.0, std::nullopt, std::nullopt},
    {DropQuantity::Atmosphere, DropRole::Parameter, "atmosphere", "atmosphere", '\0', "kPa", "kPa",
     "atmospheric pressure", "大气压", 101.325, 50.0, 110.0},
    {DropQuantity::MaxDrop, DropRole::Limit, "max_drop", "max-drop", '\0', "kPa", "kPa",
     "allowed pressure drop", "允许压降", std::nullopt, std::nullopt, std::nullopt},
    {DropQuantity::Outlet, DropRole::Result, "outlet", "outlet", '\0', "MPa", "MPa",
     "outlet gauge pressure", "出口压力", std::nullopt, std::nullopt, std::nullopt},
    {DropQuantity::Drop, DropRole::Result, "drop", "drop", '\0', "kPa", "kPa", "pressure drop",
     "压降", std::nullopt, std::nullopt, std::nullopt},
}};

constexpr const DropQuantityInfo& DropQuantityOf(DropQuantity quantity) {
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (info.quantity == quantity) return info;
  }
  return kDropQuantities.front();  // unreachable: every quantity has its row
}

// The roughness of the series `name` names among `series` as every command names one
// (core/pipes.h: NamesSeries: its name or label, in any case, between blanks); none for another
// name.
std::optional<double> RoughnessOfSeries(std::string_view name,
                                        std::span<const PipeSeries> series = BuiltInSeries());

// One line to compute: numbers in the units of the tables.
struct DropCase {
  double inlet_mpa = 0;  // gauge
  double flow_nm3h = 0;  // at standard state
  double bore_mm = 0;
  double length_m = 0;
  double temperature_c = *DropQuantityOf(DropQuantity::Temperature).default_value;
  double density_kg_nm3 = *DropQuantityOf(DropQuantity::Density).default_value;
  double viscosity_m2s = *DropQuantityOf(DropQuantity::Viscosity).default_value;
  double roughness_mm = *DropQuantityOf(DropQuantity::Roughness).default_value;
  double compressibility = *DropQuantityOf(DropQuantity::Compressibility).default_value;
  double atmosphere_kpa = *DropQuantityOf(DropQuantity::Atmosphere).default_value;
};

// The texts of a line's parameters and of the limit on its drop, by quantity. A parameter left
// out (nullopt) takes its default.
struct DropParameters {
  std::array<std::optional<std::string>, kDropQuantities.size()> texts;

  std::optional<std::string>& operator[](DropQuantity quantity) {
    return texts[static_cast<std::size_t>(quantity)];
  }
  const std::optional<std::string>& operator[](DropQuantity quantity) const {
    return texts[static_cast<std::size_t>(quantity)];
  }
};

// The same line as the texts a user typed. A field left out is empty and counts as zero, as
// in the window.
struct DropTexts {
  std::string pressure, flow, diameter;
  DropParameters parameters;

  std::optional<std::string>& operator[](DropQuantity quantity) { return parameters[quantity]; }
  const std::optional<std::string>& operator[](DropQuantity quantity) const {
    return parameters[quantity];
  }
};

// What an input is out of range for.
using DropSubject = std::variant<Field, DropQuantity>;

// Why a pressure-drop calculation has no answer.
struct DropFault {
  enum class Kind {
    Prompt,      // the window's request: a bore, or a flow ("complete data")
    Arithmetic,  // a number, or a step of the formulas, beyond the double range
    OutOfRange,  // an input the formulas do not hold for: a length of 0, a negative density
  };
  // The step of the formulas whose result left the double range, for an arithmetic fault that
  // no input is beyond by itself: a huge viscosity leaves a Reynolds number of 0.
  enum class Step {
    Inputs,    // an input or the drop itself: the fault's own words say what
    Reynolds,  // Re = 4·Q/(3600·π·d·ν0)
    Friction,  // the friction factor from Re
  };
  Kind kind = Kind::Prompt;
  Prompt prompt = Prompt::None;                // Kind::Prompt
  FaultKind arithmetic = FaultKind::Overflow;  // Kind::Arithmetic
  DropSubject subject = Field::Pressure;       // the input at fault (a prompt's field too)
  Step step = Step::Inputs;                    // Kind::Arithmetic

  friend bool operator==(const DropFault&, const DropFault&) = default;
};
// The message: a prompt's or an arithmetic fault's text as the window shows it, the step that
// left the double range, or in English what an input must be («length must be more than 0 m»).
std::string DescribeDropFault(const DropFault& fault);

enum class FrictionRegime {
  Laminar,       // Re ≤ 2100: 64/Re
  Transitional,  // 2100 < Re ≤ 3500: the code's interpolation
  Turbulent,     // Re > 3500: Colebrook–White
};
enum class PressureForm {
  Low,         // inlet < 0.01 MPa gauge: ΔP in Pa, linear in the length
  MediumHigh,  // from 0.01 on: the difference of the squares of absolute pressures in kPa
};
// The code's pressure classes: low pressure P < 0.01 MPa, medium B 0.01 ≤ P ≤ 0.2 MPa (GB 50028
// §6.1.6); every class from medium B up takes the same formula.
inline constexpr double kLowPressureLimitMpa = 0.01;
constexpr PressureForm FormAt(double inlet_mpa) {
  return inlet_mpa < kLowPressureLimitMpa ? PressureForm::Low : PressureForm::MediumHigh;
}

// The friction bands' edges, where the printed formulas jump by a few per cent (64/Re is
// 0.0305 just below 2100, the interpolation 0.03 just above):
// a result within 5 % of one in Re is worth a second look, since a slightly larger flow may
// then lose less.
inline constexpr double kBandEdges[] = {2100, 3500};
inline constexpr double kBandEdgeShare = 0.05;
// The edge `reynolds` lies within 5 % of, if any.
constexpr std::optional<double> NearBandEdge(double reynolds) {
  for (const double edge : kBandEdges) {
    if (reynolds >= edge * (1 - kBandEdgeShare) && reynolds <= edge * (1 + kBandEdgeShare)) {
      return edge;
    }
  }
  return std::nullopt;
}

// How a working shows the band and the form: a name, and the formula as the code prints it.
struct DropFormula {
  std::string_view name, formula;
};
constexpr DropFormula FormulaOf(FrictionRegime regime) {
  switch (regime) {
    case FrictionRegime::Laminar:
      return {"laminar, Re <= 2100", "λ = 64/Re"};
    case FrictionRegime::Transitional:
      return {"transitional, 2100 < Re <= 3500", "λ = 0.03 + (Re − 2100)/(65·Re − 10⁵)"};
    case FrictionRegime::Turbulent:
      break;
  }
  return {"turbulent, Re > 3500", "Colebrook–White: 1/√λ = −2·lg(k/(3.7·d) + 2.51/(Re·√λ))"};
}
constexpr DropFormula FormulaOf(PressureForm form) {
  if (form == PressureForm::Low) {
    return {"low pressure, inlet < 0.01 MPa", "ΔP = 6.26×10⁷·λ·Q²/d⁵·ρ0·T/T0·L (Pa)"};
  }
  return {"medium/high pressure, inlet >= 0.01 MPa",
          "P1² − P2² = 1.27×10¹⁰·λ·Q²/d⁵·ρ0·T/T0·Z·L/1000 (kPa absolute)"};
}

struct DropResult {
  double reynolds = 0;
  FrictionRegime regime = FrictionRegime::Laminar;
  double friction = 0;  // Darcy friction factor λ
  PressureForm form = PressureForm::Low;
  // Gauge pressure at the end of the line; none when the gas would not reach it above
  // atmospheric pressure.
  std::optional<double> outlet_mpa;
  double drop_kpa = 0;  // with an outlet
  double reach_m = 0;   // without one: the length at which the gauge pressure falls to zero
  double inlet_velocity_ms = 0;              // actual velocity at the gas temperature
  std::optional<double> outlet_velocity_ms;  // with an outlet
};

// Reads the texts as the window reads its fields; a parameter's default where none is given
// or its text is blank, as in an empty batch cell or window field.
std::variant<DropCase, DropFault> ReadDropCase(const DropTexts& texts);
// What ComputeDrop finds wrong with the inputs themselves before it computes: a prompt, an
// input out of range or beyond the double range. None for a line it can compute.
std::optional<DropFault> CheckDropCase(const DropCase& line);
// The limit on a drop among `parameters` (MaxDrop), in kPa: none when it is not given or blank,
// a fault when it is not more than 0 or beyond the double range.
std::variant<std::optional<double>, DropFault> ReadDropLimit(const DropParameters& parameters);
// The message when the gauge pressure runs out along the line, at `result.reach_m`.
std::string DescribeRunningOut(const DropResult& result);
// «note: Re 2150 is within 5 % of 2100, where the friction bands meet: ...» for a result at a
// band edge; empty otherwise.
std::string DescribeBandEdge(const DropResult& result);

// A parameter given but not used by the form the inlet pressure selects: the compressibility
// at low pressure, whose printed form has no Z (it still scales the velocities).
bool UnusedByForm(DropQuantity quantity, PressureForm form);
std::string DescribeUnusedByForm(DropQuantity quantity, PressureForm form);

// The parameters of `line` outside their usual range (DropQuantityInfo::usual_low/high), in
// table order, and what to say of one: «temperature 288 degC is outside the usual -60 to 100
// degC: is it in another unit? (computed as degC)».
std::vector<DropQuantity> UnusualParameters(const DropCase& line);
std::string DescribeUnusual(DropQuantity quantity, double value);
// The formulas of the header comment, checking every input and every step.
std::variant<DropResult, DropFault> ComputeDrop(const DropCase& line);
// Both: the texts read, then computed.
std::variant<DropResult, DropFault> ComputeDrop(const DropTexts& texts);

// The Darcy friction factor at Reynolds number `reynolds` (> 0) for a wall of relative
// roughness k/d, and the band it falls in; nullopt where Colebrook–White has no solution
// (k/d of 3.7 and more) or the result would not be finite.
struct Friction {
  double factor;
  FrictionRegime regime;
};
std::optional<Friction> FrictionFactor(double reynolds, double relative_roughness);

}  // namespace tarnivel
