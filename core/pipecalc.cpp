#include "core/pipecalc.h"

#include "core/numeric.h"

namespace tarnivel {
namespace {

// The number the text of `field` starts with; a number beyond the double range faults.
double Lenient(Guarded& calc, const FieldSet& fields, Field field) {
  return calc.Take(ReadLeadingNumber(fields.Read(field)));
}

// Flow area in m² of a bore of diameter d metres.
double Area(Guarded& calc, double d) { return calc.Mul(calc.Pow(calc.Div(d, 2), 2), PI_APPROX); }

// How a calculation that faulted ends.
CalcOutcome Stopped(const Guarded& calc) { return {.fault = calc.fault()}; }

}  // namespace

CalcOutcome CalcVelocity(FieldSet& fields) {
  Guarded calc;
  fields.Write(Field::Velocity, "0");
  const double p = calc.Add(Lenient(calc, fields, Field::Pressure), ATM_MPA);  // absolute, MPa
  const double d = calc.Div(Lenient(calc, fields, Field::Diameter), 1000);     // diameter, m
  const double qs = calc.Div(Lenient(calc, fields, Field::Flow), 3600);  // standard flow, Nm³/s
  if (calc.fault()) return Stopped(calc);  // an unreadable input wins over a prompt
  if (d == 0) return {Prompt::EnterDiameter, Field::Diameter};

  const double v = VelocityAt(calc, p, d, qs);
  if (calc.fault()) return Stopped(calc);
  fields.Write(Field::Velocity, FormatGeneral(v));
  return {};
}

double VelocityAt(Guarded& calc, double absolute_mpa, double diameter_m, double standard_flow_m3s) {
  const double a = Area(calc, diameter_m);
  const double qa = calc.Div(calc.Mul(ATM_MPA, standard_flow_m3s), absolute_mpa);  // m³/s
  return calc.Div(qa, a);
}

CalcOutcome CalcFlow(FieldSet& fields) {
  Guarded calc;
  fields.Write(Field::Flow, "0");
  const double p = calc.Add(Lenient(calc, fields, Field::Pressure), ATM_MPA);  // absolute, MPa
  const double d = calc.Div(Lenient(calc, fields, Field::Diameter), 1000);     // diameter, m
  const double v = Lenient(calc, fields, Field::Velocity);                     // velocity, m/s
  if (calc.fault()) return Stopped(calc);
  if (d == 0) return {Prompt::EnterDiameter, Field::Diameter};

  const double a = Area(calc, d);
  const double qa = calc.Mul(calc.Mul(a, v), 3600);      // actual flow, m³/h
  const double qn = calc.Div(calc.Mul(p, qa), ATM_MPA);  // standard flow, Nm³/h
  if (calc.fault()) return Stopped(calc);
  fields.Write(Field::Flow, FormatGeneral(qn));
  return {};
}

RequiredBore ComputeRequiredBore(FieldSet& fields) {
  Guarded calc;
  // The flow field is normalised to the number it starts with before anything is checked,
  // and the calculation goes on from that text, rounded to 15 digits.
  const double typed_flow = Lenient(calc, fields, Field::Flow);
  if (calc.fault()) return {Stopped(calc)};
  fields.Write(Field::Flow, FormatGeneral(typed_flow));
  const double p = calc.Add(Lenient(calc, fields, Field::Pressure), ATM_MPA);  // absolute, MPa
  const double v = Lenient(calc, fields, Field::Velocity);                     // velocity, m/s
  // The text just written is a plain number, which the lenient reading reads as the strict one
  // does; it overflows where 15 digits round the largest double up.
  const double qn = Lenient(calc, fields, Field::Flow);  // standard flow, Nm³/h
  if (calc.fault()) return {Stopped(calc)};
  if (qn == 0 || v == 0) return {{Prompt::EnterCompleteData, Field::Flow}};

  const double qa = calc.Div(calc.Mul(qn, ATM_MPA), p);  // actual flow, m³/h
  const double a = calc.Div(qa, calc.Mul(3600, v));      // flow area, m²
  const double x = calc.Div(a, PI_APPROX);               // radius squared
  const double r = calc.Pow(x, 0.5);                     // radius, m
  const double d = calc.Mul(calc.Add(r, r), 1000);       // diameter, mm
  if (calc.fault()) return {Stopped(calc)};
  return {{}, d, p, typed_flow, qa};
}

CalcOutcome CalcDiameter(FieldSet& fields) {
  const RequiredBore bore = ComputeRequiredBore(fields);
  if (bore.outcome != CalcOutcome{}) return bore.outcome;  // a prompt or a fault
  fields.Write(Field::Diameter, FormatWhole(bore.mm));
  return {};
}

LineConditions LineConditionsOf(const FieldSet& fields) {
  Guarded calc;
  const double p = calc.Add(Lenient(calc, fields, Field::Pressure), ATM_MPA);  // absolute, MPa
  if (calc.fault()) return {.fault = calc.fault()};
  if (p == 0) return {p, std::nullopt};
  const double qn = Lenient(calc, fields, Field::Flow);  // standard flow, Nm³/h
  const double qa =
      calc.Div(calc.Mul(qn, ATM_MPA), p);  // actual flow, m³/h, as the diameter has it
  if (calc.fault()) return {.fault = calc.fault()};
  return {p, qa};
}

}  // namespace tarnivel
