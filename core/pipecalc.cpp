#include "core/pipecalc.h"

#include "core/numeric.h"

namespace tarnivel {
namespace {

using guarded::Add;
using guarded::Div;
using guarded::Mul;
using guarded::Pow;

double Lenient(const FieldSet& fields, Field field) {
  return ParseLeadingNumber(fields.Read(field));
}

// Flow area in m² of a bore of diameter d metres.
double Area(double d) { return Mul(Pow(Div(d, 2), 2), PI_APPROX); }

}  // namespace

CalcOutcome CalcVelocity(FieldSet& fields) {
  fields.Write(Field::Velocity, "0");
  const double p = Add(Lenient(fields, Field::Pressure), ATM_MPA);  // absolute pressure, MPa
  const double d = Div(Lenient(fields, Field::Diameter), 1000);     // diameter, m
  const double qs = Div(Lenient(fields, Field::Flow), 3600);        // standard flow, Nm³/s
  if (d == 0) return {Prompt::EnterDiameter, Field::Diameter};

  const double a = Area(d);
  const double qa = Div(Mul(ATM_MPA, qs), p);  // actual flow, m³/s
  const double v = Div(qa, a);
  fields.Write(Field::Velocity, FormatGeneral(v));
  return {};
}

CalcOutcome CalcFlow(FieldSet& fields) {
  fields.Write(Field::Flow, "0");
  const double p = Add(Lenient(fields, Field::Pressure), ATM_MPA);  // absolute pressure, MPa
  const double d = Div(Lenient(fields, Field::Diameter), 1000);     // diameter, m
  const double v = Lenient(fields, Field::Velocity);                // velocity, m/s
  if (d == 0) return {Prompt::EnterDiameter, Field::Diameter};

  const double a = Area(d);
  const double qa = Mul(Mul(a, v), 3600);      // actual flow, m³/h
  const double qn = Div(Mul(p, qa), ATM_MPA);  // standard flow, Nm³/h
  fields.Write(Field::Flow, FormatGeneral(qn));
  return {};
}

RequiredBore ComputeRequiredBore(FieldSet& fields) {
  // The flow field is normalised to the number it starts with before anything is checked,
  // and the calculation goes on from that text, rounded to 15 digits.
  fields.Write(Field::Flow, FormatGeneral(Lenient(fields, Field::Flow)));
  const double p = Add(Lenient(fields, Field::Pressure), ATM_MPA);  // absolute pressure, MPa
  const double v = Lenient(fields, Field::Velocity);                // velocity, m/s
  const double qn = ParseNumberStrict(fields.Read(Field::Flow));    // standard flow, Nm³/h
  if (qn == 0 || v == 0) return {{Prompt::EnterCompleteData, Field::Flow}};

  const double qa = Div(Mul(qn, ATM_MPA), p);  // actual flow, m³/h
  const double a = Div(qa, Mul(3600, v));      // flow area, m²
  const double x = Div(a, PI_APPROX);          // radius squared
  const double r = Pow(x, 0.5);                // radius, m
  const double d = Mul(Add(r, r), 1000);       // diameter, mm
  return {{}, d};
}

CalcOutcome CalcDiameter(FieldSet& fields) {
  const RequiredBore bore = ComputeRequiredBore(fields);
  if (bore.outcome.prompt != Prompt::None) return bore.outcome;
  fields.Write(Field::Diameter, FormatWhole(bore.mm));
  return {};
}

LineConditions LineConditionsOf(const FieldSet& fields) {
  const double p = Add(Lenient(fields, Field::Pressure), ATM_MPA);  // absolute pressure, MPa
  if (p == 0) return {p, std::nullopt};
  const double qn = Lenient(fields, Field::Flow);  // standard flow, Nm³/h
  return {p, Div(Mul(qn, ATM_MPA), p)};            // actual flow, m³/h, as the diameter has it
}

}  // namespace tarnivel
