#pragma once
// What the program knows about its quantities and calculations, written down once.
//
// The window's frames and buttons, the command-line options, the batch columns, the browser
// page, the tests and the fuzz targets all derive their names, units, captions and
// read/write sets from these two tables; none of them spells a field or a calculation out
// again.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/fields.h"
#include "core/pipecalc.h"

namespace tarnivel {

// One of the four fields a user types a number into. A quantity and its unit are kept apart,
// so that every text about a field is composed from them; only the frame caption is kept as
// the window has always shown it.
struct InputField {
  Field field;
  std::string_view control;       // the window's text box: "TP"
  std::string_view name;          // long option and CSV column: "pressure"
  char short_option;              // 'p'
  std::string_view unit;          // as a terminal prints it: "Nm3/h"
  std::string_view display_unit;  // as a window or page shows it: "Nm³/h"
  std::string_view words;         // in English words, for help texts: "gauge pressure"
  std::string_view quantity;      // the window's word for it: "压强"
  std::string_view caption;       // the window's frame caption: "压强（MPa）"
};

inline constexpr std::array<InputField, 4> kInputFields{{
    {Field::Pressure, "TP", "pressure", 'p', "MPa", "MPa", "gauge pressure", "压强", "压强（MPa）"},
    {Field::Velocity, "TV", "velocity", 'v', "m/s", "m/s", "flow velocity", "流速", "流速（m/s）"},
    {Field::Diameter, "TD", "diameter", 'd', "mm", "mm", "bore diameter", "流通直径",
     "流通直径（mm）"},
    {Field::Flow, "TM", "flow", 'q', "Nm3/h", "Nm³/h", "standard flow rate", "流量",
     "流量（Nm^3/h)"},
}};

// The flow at line conditions, which the strip and the pressure drop show beside the fields:
// actual cubic metres, not normal ones.
inline constexpr std::string_view kLineFlowUnit = "m³/h";

// The row of kInputFields for `field`.
const InputField& InputFieldOf(Field field);
// The window's name for the text box of `field`: "TP" ... "TM".
inline std::string_view ControlName(Field field) { return InputFieldOf(field).control; }

// The calculations, in the order the window's buttons run them.
enum class Calculation { Velocity, Flow, Diameter };

struct CalculationInfo {
  Calculation calculation;
  std::string_view name;     // command and batch calc value: "velocity"
  std::string_view control;  // the button's name: "CMD1"
  std::string_view caption;  // the button's caption
  CalcOutcome (*run)(FieldSet&);
  std::array<Field, 3> reads;          // the fields read as numbers
  Field result;                        // the field the result is written into
  std::optional<Field> also_rewrites;  // a field rewritten on the way (the diameter's flow)
};

inline constexpr std::array<CalculationInfo, 3> kCalculations{{
    {Calculation::Velocity,
     "velocity",
     "CMD1",
     "流速计算",
     &CalcVelocity,
     {Field::Pressure, Field::Diameter, Field::Flow},
     Field::Velocity,
     std::nullopt},
    {Calculation::Flow,
     "flow",
     "CMD2",
     "流量计算",
     &CalcFlow,
     {Field::Pressure, Field::Diameter, Field::Velocity},
     Field::Flow,
     std::nullopt},
    {Calculation::Diameter,
     "diameter",
     "dia",
     "直径计算",
     &CalcDiameter,
     {Field::Pressure, Field::Velocity, Field::Flow},
     Field::Diameter,
     Field::Flow},
}};

const CalculationInfo& InfoOf(Calculation calculation);
// "velocity", "flow" or "diameter", exactly as written.
std::optional<Calculation> CalculationNamed(std::string_view name);
// The field a calculation writes its result into.
inline Field ResultField(Calculation calculation) { return InfoOf(calculation).result; }
// The fields whose texts a calculation reads as numbers.
inline std::span<const Field, 3> InputFields(Calculation calculation) {
  return InfoOf(calculation).reads;
}
// Whether a calculation reads the text of `field` as a number.
bool Reads(Calculation calculation, Field field);
// Whether a calculation may change the text of `field`.
bool Writes(Calculation calculation, Field field);

CalcOutcome Calculate(Calculation calculation, FieldSet& fields);

}  // namespace tarnivel
