#pragma once
// A gas line of segments in series: the pressure at the end of each, the line's total drop
// against the allowed one, and the pipes of the segments the line is asked to size.
//
//   texts of the inlet pressure, the gas and wall, the allowance and the segments
//        --> ReadGasLine --> GasLine (or a LineFault naming the segment and the column)
//        --> ComputeGasLine --> GasLineResult: per segment its pipe, losses and outlet, the
//            run-out if the gauge pressure reaches 0, and the check against the allowance
//
// The hydraulics are the drop's (core/pressure_drop.h, GB 50028 §6.2): its Reynolds number,
// friction factor and inlet velocity, segment by segment, each segment's inlet the previous
// one's outlet. The inlet pressure chooses one form for the whole line:
//   low pressure (P1 < 0.01 MPa), in Pa:
//     ΔPf = 6.26×10⁷·λ·Q²/d⁵·ρ0·T/T0·L,  ΔPl = ΔPf·a/100,  ΔH = 9.8·(ρair − ρ0)·h,
//     P2 = P1 − ΔPf − ΔPl + ΔH  (GB 50028 §6.2, the head of a rising line included)
//   medium and high pressure, absolute in kPa, with the local losses as extra length:
//     P2a² = P1a² − 1.27×10¹⁰·λ·Q²/d⁵·ρ0·T/T0·Z·Le/1000,  Le = L·(1 + a/100);
//     the head is not counted in this form.
// The allowed drop is given in kPa, or at low pressure from the appliances' rated pressure Pn:
// ΔPd = 0.75·Pn + 150 Pa (GB 50028 §6.2, 1650 Pa for natural gas at 2000 Pa). Segments given
// only a series are sized by the average unit drop (the equal-unit-loss method of the
// gas-supply engineering textbooks, e.g. 《燃气输配》): the allowance left after the given
// segments, per metre of the sized segments' effective length, is the most each may lose per
// metre; an allowance never reaches below atmospheric pressure. Nothing here throws: a fault is a
// value, and no result is NaN or infinite.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/fields.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"

namespace tarnivel {

// The calculation's name as a command and as a batch row's calc.
inline constexpr std::string_view kLineCalculationName = "line";

// The parameters of a line besides the drop's (kDropQuantities: temperature, density, viscosity,
// roughness, compressibility, atmosphere, and max_drop as the allowed drop in kPa).
enum class LineQuantity {
  LocalShare,         // local losses as a share of the friction loss, %
  AirDensity,         // of air at standard state, for the head of a rising segment
  AppliancePressure,  // the appliances' rated pressure Pn, for a low-pressure allowance
  MaxVelocity,        // the most a sized segment's inlet velocity may be
};

struct LineQuantityInfo {
  LineQuantity quantity;
  std::string_view name;  // CSV column and long option: "local", "air_density"
  std::string_view option;
  std::string_view unit;          // as a terminal prints it
  std::string_view display_unit;  // as a window or page shows it
  std::string_view words;         // in English words, for help texts
  std::string_view label;         // the window's word for it
  std::optional<double> default_value;
};

// A local-loss share of 10 %: GB 50028 lets outdoor lines take 5–10 % of the friction loss,
// lines inside buildings 15–20 %. Air at standard state weighs 1.293 kg/Nm³.
inline constexpr std::array<LineQuantityInfo, 4> kLineQuantities{{
    {LineQuantity::LocalShare, "local", "local", "%", "%",
     "local losses as a share of the friction loss", "局部阻力", 10.0},
    {LineQuantity::AirDensity, "air_density", "air-density", "kg/Nm3", "kg/Nm³",
     "air density at standard state", "空气密度", 1.293},
    {LineQuantity::AppliancePressure, "appliance_pressure", "appliance-pressure", "Pa", "Pa",
     "rated pressure of the appliances (low pressure)", "燃具额定压力", std::nullopt},
    {LineQuantity::MaxVelocity, "max_velocity", "max-velocity", "m/s", "m/s",
     "highest inlet velocity of a sized segment", "最大流速", std::nullopt},
}};

constexpr const LineQuantityInfo& LineQuantityOf(LineQuantity quantity) {
  return kLineQuantities[static_cast<std::size_t>(quantity)];
}

// The columns of a segment, in the order a table of segments shows them.
enum class SegmentColumn { Name, Length, Flow, Bore, Series, Pipe, Roughness, Rise, LocalShare };

struct SegmentColumnInfo {
  SegmentColumn column;
  std::string_view name;  // CSV column: "flow"
  std::string_view unit;
  std::string_view display_unit;
  std::string_view words;
  std::string_view label;
};
inline constexpr std::array<SegmentColumnInfo, 9> kSegmentColumns{{
    {SegmentColumn::Name, "segment", "", "", "segment name", "管段"},
    {SegmentColumn::Length, "length", "m", "m", "segment length", "管长"},
    {SegmentColumn::Flow, "flow", "Nm3/h", "Nm³/h", "standard flow", "流量"},
    {SegmentColumn::Bore, "bore", "mm", "mm", "bore (without a series)", "内径"},
    {SegmentColumn::Series, "series", "", "", "pipe series", "管材"},
    {SegmentColumn::Pipe, "pipe", "", "", "pipe of the series (none: sized)", "规格"},
    {SegmentColumn::Roughness, "roughness", "mm", "mm", "absolute roughness of the wall", "粗糙度"},
    {SegmentColumn::Rise, "rise", "m", "m", "end elevation minus start elevation", "高程差"},
    {SegmentColumn::LocalShare, "local", "%", "%", "local losses as a share of the friction loss",
     "局部阻力"},
}};

// The columns a table of segments must name; the others of kSegmentColumns may be left out.
inline constexpr SegmentColumn kRequiredSegmentColumns[] = {
    SegmentColumn::Name, SegmentColumn::Length, SegmentColumn::Flow};

constexpr const SegmentColumnInfo& SegmentColumnOf(SegmentColumn column) {
  return kSegmentColumns[static_cast<std::size_t>(column)];
}

// The columns added after the input's, one row per segment: drops and head in kPa, pressures
// (gauge) in MPa, the inlet velocity in m/s.
enum class LineOutput {
  Pipe,
  Bore,
  Velocity,
  Reynolds,
  Friction,
  FrictionDrop,
  LocalDrop,
  Head,
  Drop,
  Inlet,
  Outlet,
};
inline constexpr std::array<std::string_view, 11> kLineOutputNames = {
    SegmentColumnOf(SegmentColumn::Pipe).name,
    SegmentColumnOf(SegmentColumn::Bore).name,
    "velocity",
    "reynolds",
    "friction",
    "friction_drop",
    "local_drop",
    "head",
    DropQuantityOf(DropQuantity::Drop).name,
    "inlet",
    DropQuantityOf(DropQuantity::Outlet).name,
};

// One segment as typed. Blank texts: no bore, no series, no pipe (the line sizes the segment
// in its series), the line's roughness and local share, a rise of 0. A blank length or flow
// counts as 0, which is out of range.
struct SegmentTexts {
  std::array<std::string, kSegmentColumns.size()> texts;

  std::string& operator[](SegmentColumn column) { return texts[static_cast<std::size_t>(column)]; }
  const std::string& operator[](SegmentColumn column) const {
    return texts[static_cast<std::size_t>(column)];
  }
};

// A whole line as typed: the inlet gauge pressure (MPa), the drop's parameters, the line's
// own, and the segments from the inlet on.
struct GasLineTexts {
  std::string inlet;
  DropParameters drop;  // Length is not read: each segment has its own
  std::array<std::optional<std::string>, kLineQuantities.size()> line;
  std::vector<SegmentTexts> segments;

  std::optional<std::string>& operator[](LineQuantity quantity) {
    return line[static_cast<std::size_t>(quantity)];
  }
  const std::optional<std::string>& operator[](LineQuantity quantity) const {
    return line[static_cast<std::size_t>(quantity)];
  }
};

// One segment in numbers. Its pipe is a bore, or a pipe of a series, or only a series: then
// `pipe` is none until the line sizes it.
struct Segment {
  std::string name;
  double length_m = 0;
  double flow_nm3h = 0;
  double bore_mm = 0;                  // without a series
  const PipeSeries* series = nullptr;  // points into the series ReadGasLine was given
  std::optional<std::size_t> pipe;     // index into series->pipes
  double roughness_mm = 0;             // the segment's, else its series', else the line's
  double rise_m = 0;
  double local_share_pct = 0;
};

// Where the allowed drop came from.
enum class AllowanceSource { None, MaxDrop, AppliancePressure };

struct GasLine {
  double inlet_mpa = 0;  // gauge
  // The gas and the wall; bore, flow and length are each segment's.
  DropCase gas;
  double air_density_kg_nm3 = *LineQuantityOf(LineQuantity::AirDensity).default_value;
  std::optional<double> allowed_kpa;
  AllowanceSource allowance = AllowanceSource::None;
  std::optional<double> max_velocity_ms;
  std::vector<Segment> segments;
};

// Why a line has no answer. Every fault of an input names it: a segment's column, or the
// line's inlet pressure (Field::Pressure) or one of its parameters.
struct LineFault {
  enum class Kind {
    OutOfRange,         // a number the formulas do not hold for: «length must be more than 0 m»
    Arithmetic,         // a number, or a step of the formulas, beyond the double range
    NoSegments,         // a line without a segment
    NoPipe,             // a segment with neither a bore nor a series
    BoreAndSeries,      // a segment with both
    PipeWithoutSeries,  // a pipe named without its series
    UnknownSeries,      // a series no table has
    UnknownPipe,        // a pipe its series does not have
    NoAllowance,        // segments to size but no allowed drop
    TwoAllowances,      // max_drop and appliance_pressure both given
    ApplianceNotLow,    // an appliance pressure for a line of medium or high pressure
  };
  using Subject = std::variant<Field, DropQuantity, LineQuantity, SegmentColumn>;

  Kind kind = Kind::OutOfRange;
  std::optional<std::size_t> segment;  // index from the inlet; none for the line's own inputs
  std::string segment_name;            // as typed, for the message
  std::string text;                    // UnknownSeries, UnknownPipe: the name typed
  Subject subject = Field::Pressure;
  FaultKind arithmetic = FaultKind::Overflow;      // Kind::Arithmetic
  DropFault::Step step = DropFault::Step::Inputs;  // Kind::Arithmetic

  friend bool operator==(const LineFault&, const LineFault&) = default;
};
// In English, once, before any output: «segment 3 (riser): length must be more than 0 m».
std::string DescribeLineFault(const LineFault& fault);

struct SegmentResult {
  double inlet_mpa = 0;              // gauge
  std::optional<double> outlet_mpa;  // none: the gauge pressure runs out within the segment
  double reach_m = 0;                // without an outlet: where, from the segment's start
  double bore_mm = 0;
  double roughness_mm = 0;
  std::optional<std::size_t> pipe;  // with a series: the pipe given or chosen
  bool sized = false;               // chosen by the line
  double effective_length_m = 0;    // L·(1 + a/100)
  double reynolds = 0;
  FrictionRegime regime = FrictionRegime::Laminar;
  double friction = 0;  // Darcy λ
  // With an outlet. At medium and high pressure the friction part is the drop along L alone
  // and the local part the rest; the head is 0 there (GasLineResult::head_counted).
  double friction_kpa = 0, local_kpa = 0, head_kpa = 0;
  // What sizing compares with the unit budget: the friction-and-local loss per metre of
  // effective length, in the unit of LineResult::unit_budget.
  double loss_per_metre = 0;
  double inlet_velocity_ms = 0;  // the drop's inlet velocity, at this segment's inlet
};

// How the line fares against its allowance. At most the allowed drop passes.
enum class LineCheck {
  NotChecked,  // no allowance given, every segment computed
  Within,      // the total drop is at most the allowed one
  Over,        // more than the allowed drop: a failed check, the results stand
  RunsOut,     // the gauge pressure reaches 0 (GasLineResult::run_out)
  NoBudget,    // nothing of the allowance left for the segments to size
  NoPipe,      // no pipe of the segment's series within the unit budget (and velocity)
};

struct LineRunOut {
  std::size_t segment = 0;
  double reach_m = 0;  // from the segment's start
};

struct [[nodiscard]] GasLineResult {
  PressureForm form = PressureForm::Low;
  bool head_counted = true;             // false at medium and high pressure
  std::vector<SegmentResult> segments;  // from the inlet, as far as computed
  LineCheck check = LineCheck::NotChecked;
  std::optional<LineRunOut> run_out;
  std::optional<std::size_t> failed_segment;  // NoBudget, NoPipe: the segment left unsized
  std::optional<double> outlet_mpa;           // the last segment's, when every one computed
  double drop_kpa = 0;                        // inlet minus outlet, with an outlet
  std::optional<double> allowed_kpa;
  AllowanceSource allowance = AllowanceSource::None;
  // With segments to size: the allowance left per metre of their effective length, in Pa/m at
  // low pressure and in kPa²/m (of the absolute pressures' squares) at medium and high.
  std::optional<double> unit_budget;
};

// The unit of a loss per metre and of the unit budget in `form`: "Pa/m" or "kPa2/m".
std::string_view UnitBudgetUnit(PressureForm form);
// ΔPd = 0.75·Pn + 150 Pa, in kPa.
[[nodiscard]] double ApplianceAllowanceKpa(double appliance_pa);

// Reads the texts leniently, as the drop reads its own (blank: the default). `series` are the
// tables a segment's series is looked up in; the GasLine points into them.
[[nodiscard]] std::variant<GasLine, LineFault> ReadGasLine(
    const GasLineTexts& texts, std::span<const PipeSeries> series = BuiltInSeries());
// The line segment by segment, sizing those that have only a series.
[[nodiscard]] std::variant<GasLineResult, LineFault> ComputeGasLine(const GasLine& line);
// Both.
[[nodiscard]] std::variant<GasLineResult, LineFault> ComputeGasLine(
    const GasLineTexts& texts, std::span<const PipeSeries> series = BuiltInSeries());

// What a front end says of the result: the run-out («the gauge pressure falls to 0 in segment
// 2 (yard) at 35.2 m of its 60 m»), a failed sizing, or the head not counted at medium and
// high pressure; empty where there is nothing to say.
std::string DescribeLineCheck(const GasLine& line, const GasLineResult& result);
std::string DescribeHeadNotCounted(const GasLineResult& result);

// The cells a line adds to segment `i` in the order of kLineOutputNames, as `tarnivel line
// --csv` writes them: drops in kPa times `drop_scale`, pressures in MPa times `pressure_scale`
// (1 and 1 for the CSV; 1e3 and 1e6 for a table in Pa); empty where the line did not get that
// far, the outlet empty where the gauge pressure runs out.
[[nodiscard]] std::array<std::string, kLineOutputNames.size()> LineOutputCells(
    const GasLine& line, const GasLineResult& result, std::size_t i, double drop_scale = 1,
    double pressure_scale = 1);

}  // namespace tarnivel
