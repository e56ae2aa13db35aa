#pragma once
// The three pipe-flow calculations.
//
// Each reads the texts it needs from a FieldSet, computes with the guarded arithmetic of
// numeric.h, writes its result text and returns a CalcOutcome; on a zero input it asks for
// data instead, and at a fault it stops where the fault arose. Gas is carried from standard to
// line conditions by Boyle's law with atmospheric pressure ATM_MPA; there is no temperature or
// compressibility term. The order of the arithmetic steps fixes the last digits of every result
// and must not be rearranged. quantities.h names them for the front ends that choose one at
// run time.

#include <optional>

#include "core/fields.h"

namespace tarnivel {

inline constexpr double ATM_MPA = 0.1;          // atmospheric = standard pressure, MPa
inline constexpr double PI_APPROX = 3.1415926;  // the π the results are defined with

// Velocity from pressure, diameter and flow. Writes «0» into the velocity first; asks for the
// diameter when it is zero.
CalcOutcome CalcVelocity(FieldSet& fields);
// Flow from pressure, diameter and velocity. Writes «0» into the flow first; asks for the
// diameter when it is zero.
CalcOutcome CalcFlow(FieldSet& fields);
// Diameter from pressure, velocity and flow. Rewrites the flow as the number it starts with
// first; asks for complete data when the flow or the velocity is zero. The diameter keeps its
// text unless a result is written.
CalcOutcome CalcDiameter(FieldSet& fields);

// The diameter calculation up to its rounding: the bore in mm it would round, or its prompt
// or fault.
// The numbers it passes through on the way are kept, so that sizing a pipe reads no text again.
struct [[nodiscard]] RequiredBore {
  CalcOutcome outcome;
  double mm = 0;               // meaningful only without a prompt or a fault, as are the below
  double absolute_mpa = 0;     // gauge pressure + ATM_MPA
  double flow_as_read = 0;     // the flow text's number before the rewrite, Nm³/h
  double actual_flow_m3h = 0;  // the flow at line conditions
};
// Does all that CalcDiameter does, the rewrite of the flow included, except writing the
// diameter.
RequiredBore ComputeRequiredBore(FieldSet& fields);

class Guarded;
// The velocity calculation's last steps, for an absolute pressure in MPa, a non-zero diameter
// in m and a standard flow in Nm³/s: what CalcVelocity writes, as a number, with `calc`'s
// guarded arithmetic (whose fault() the caller looks at).
[[nodiscard]] double VelocityAt(Guarded& calc, double absolute_mpa, double diameter_m,
                                double standard_flow_m3s);

// The line conditions the calculations work at, from the texts of pressure and flow.
struct [[nodiscard]] LineConditions {
  double absolute_mpa = 0;
  // None at zero absolute pressure: no gas to carry.
  std::optional<double> actual_flow_m3h = std::nullopt;
  std::optional<FaultKind> fault = std::nullopt;  // a number out of range: the rest means nothing
};
LineConditions LineConditionsOf(const FieldSet& fields);

}  // namespace tarnivel
