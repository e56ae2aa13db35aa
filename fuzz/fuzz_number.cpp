// The lenient and strict readings and the general format, on arbitrary text.
//
// Properties: the lenient reading gives a finite number or an overflow fault; a text the
// strict reading accepts reads the same leniently and as the C library reads it; the general
// format writes a plain number that reads back strictly as the value rounded to 15 digits.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "core/numeric.h"

#include "fuzz/check.h"

using namespace tarnivel;

namespace {

void CheckFormat(double value) {
  const std::string text = FormatGeneral(value);
  Check(!text.empty() && text.back() != '.', "no trailing period");
  Check(text.front() != '+', "no leading plus");
  Check(text.find_first_of(", ") == std::string::npos, "no grouping");
  Check(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos,
        "no infinity or NaN");
  // The value rounded to 15 significant digits, as the C library rounds it.
  char rounded_text[40];
  const auto end = std::to_chars(rounded_text, rounded_text + sizeof rounded_text, value,
                                 std::chars_format::scientific, 14);
  const double rounded = std::strtod(std::string(rounded_text, end.ptr).c_str(), nullptr);
  try {
    const double back = ParseNumberStrict(text);
    Check(back == rounded || (back == 0 && rounded == 0), "format reads back rounded");
  } catch (const ArithmeticFault& fault) {
    // Only the values within half a unit of the 15th digit of the largest double round past it.
    Check(fault.kind() == FaultKind::Overflow && std::isinf(rounded), "only rounding overflows");
  }
  const std::string whole = FormatWhole(value);
  Check(whole.find_first_not_of("-0123456789") == std::string::npos, "whole is digits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  double lenient = 0;
  bool lenient_overflow = false;
  try {
    const LeadingNumber number = ReadLeadingNumber(text);
    lenient = number.value;
    Check(std::isfinite(lenient), "lenient reading is finite");
    CheckFormat(lenient);
  } catch (const ArithmeticFault& fault) {
    Check(fault.kind() == FaultKind::Overflow, "lenient reading only overflows");
    lenient_overflow = true;
  }

  try {
    const double strict = ParseNumberStrict(text);
    Check(!lenient_overflow && strict == lenient, "strict and lenient agree on a number");
    if (text.find('\0') == std::string::npos) {
      const double libc = std::strtod(text.c_str(), nullptr);
      Check(libc == strict, "strict reading rounds as the C library does");
    }
  } catch (const ArithmeticFault&) {
    Check(lenient_overflow, "strict overflows where lenient does");
  } catch (const std::invalid_argument&) {
  }
  return 0;
}
