#pragma once
// Number <-> text conversions and guarded double arithmetic.
//
// Values reach the calculations as the texts users type and leave them as texts written into
// fields. The arithmetic never yields an infinity or a NaN: a step that would, reports a
// fault instead, as a value the calculation looks at (fields.h).

#include <optional>
#include <string>
#include <string_view>

#include "core/fields.h"

namespace tarnivel {

// A number read from a text, or the fault the reading ran into.
struct [[nodiscard]] NumberReading {
  double value = 0.0;                             // 0 after a fault
  std::optional<FaultKind> fault = std::nullopt;  // Overflow: beyond the double range
};

// The result of reading the number a text starts with.
struct [[nodiscard]] LeadingNumber : NumberReading {
  // True when the text holds characters other than blanks that were not part of the number
  // («12abc», «1,000», «abc»): the reading silently dropped something the user typed.
  bool ignored_text = false;
};

// The lenient reading: blanks (space, tab, line feed, and the ideographic space U+3000 a
// Chinese input method types) are skipped anywhere, then an optional sign, digits with at most
// one period, and an optional exponent (E or e, optional sign, digits). The full-width digits,
// period, plus, minus, E and e of the same input methods («１０００», «－０．５») count as
// their ASCII forms. Whatever follows is ignored; a text without digits reads as 0. Correctly
// rounded for any number of digits, linear in the length of the text. A number beyond the
// double range is an Overflow fault.
LeadingNumber ReadLeadingNumber(std::string_view text);

// Whether `text` holds nothing but the blanks the lenient reading skips: an empty field or
// cell, which front ends take as "not given" where a value has a default.
[[nodiscard]] bool IsBlankText(std::string_view text);

// The strict reading: the whole text must be a number (ASCII sign, digits with at most one
// period, optional exponent), no blanks. Meant for texts FormatGeneral has written. Nothing
// for a text that is not a number; an Overflow fault for one beyond the double range.
[[nodiscard]] std::optional<NumberReading> ParseNumberStrict(std::string_view text);

// 15 significant digits; fixed notation for decimal exponents -4..14, scientific otherwise
// («1E-05», «1.5E+20»); no trailing zeros, no trailing period, no grouping; zero is «0».
std::string FormatGeneral(double value);

// Rounded to a whole number, halves away from zero, plain digits.
std::string FormatWhole(double value);

// The decimal logarithm, computed from the natural one in the same steps on every system
// (the exponent split off, then lg m = ln m / ln 10 with ln 10 in two parts), so that a
// pressure drop has the same digits wherever it is computed: the C libraries' own log10 differ
// in the last bit far more often than their log does.
[[nodiscard]] double Log10(double x);

// Guarded arithmetic for one calculation. Each step gives the correctly rounded result; a step
// whose result would be an infinity or a NaN gives 0 and records its fault instead. Only the
// first fault is kept (the steps after it may well fault on its 0), so a calculation's formulas
// read top to bottom, and it looks at fault() before it writes a text or asks for a prompt.
class Guarded {
 public:
  [[nodiscard]] double Add(double a, double b);
  [[nodiscard]] double Sub(double a, double b);
  [[nodiscard]] double Mul(double a, double b);
  [[nodiscard]] double Div(double dividend, double divisor);  // zero divisor: DivisionByZero
  // A negative base with a non-whole exponent: InvalidArgument.
  [[nodiscard]] double Pow(double base, double exponent);
  // The value a text was read as, its fault kept as a step's.
  [[nodiscard]] double Take(const NumberReading& reading) {
    return reading.fault ? Fail(*reading.fault) : reading.value;
  }

  [[nodiscard]] const std::optional<FaultKind>& fault() const { return fault_; }

 private:
  double Checked(double result);
  double Fail(FaultKind kind);

  std::optional<FaultKind> fault_;
};

}  // namespace tarnivel
