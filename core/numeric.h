#pragma once
// Number <-> text conversions and guarded double arithmetic.
//
// Values reach the calculations as the texts users type and leave them as texts written into
// fields. The arithmetic never yields an infinity or a NaN: a step that would, throws an
// ArithmeticFault instead.

#include <string>
#include <string_view>

#include "core/fields.h"

namespace tarnivel {

// The result of reading the number a text starts with.
struct LeadingNumber {
  double value = 0.0;
  // True when the text holds characters other than blanks that were not part of the number
  // («12abc», «1,000», «abc»): the reading silently dropped something the user typed.
  bool ignored_text = false;
};

// The lenient reading: blanks (space, tab, line feed) are skipped anywhere, then an optional
// sign, digits with at most one period, and an optional exponent (E or e, optional sign,
// digits). Whatever follows is ignored; a text without digits reads as 0. Correctly rounded
// for any number of digits, linear in the length of the text.
// Throws ArithmeticFault(Overflow) for a number beyond the double range.
LeadingNumber ReadLeadingNumber(std::string_view text);
inline double ParseLeadingNumber(std::string_view text) { return ReadLeadingNumber(text).value; }

// The strict reading: the whole text must be a number (sign, digits with at most one period,
// optional exponent), no blanks. Used on texts FormatGeneral has just written.
// Throws ArithmeticFault(Overflow) beyond the double range and std::invalid_argument for a text
// that is not a number.
double ParseNumberStrict(std::string_view text);

// 15 significant digits; fixed notation for decimal exponents -4..14, scientific otherwise
// («1E-05», «1.5E+20»); no trailing zeros, no trailing period, no grouping; zero is «0».
std::string FormatGeneral(double value);

// Rounded to a whole number, halves away from zero, plain digits.
std::string FormatWhole(double value);

// Guarded arithmetic: the correctly rounded result, or an ArithmeticFault.
namespace guarded {
double Add(double a, double b);
double Sub(double a, double b);
double Mul(double a, double b);
double Div(double dividend, double divisor);  // zero divisor: DivisionByZero
double Pow(double base, double exponent);     // negative base, non-whole exponent: InvalidArgument
}  // namespace guarded

}  // namespace tarnivel
