// The lenient and strict readings and the general format, on arbitrary text.
//
// Properties: the lenient reading gives a finite number or an overflow fault, and reads the
// text with its number's characters and blanks in full-width forms exactly as the text; a text
// the strict reading accepts reads the same leniently and as the C library reads it; the general
// format writes a plain number that reads back strictly as the value rounded to 15 digits; the
// standard library's and the C library's conversions (core/number_text.h) agree character for
// character, on the values read and on doubles made of the input's raw bytes.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/number_text.h"
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
  const auto back = ParseNumberStrict(text);
  Check(back.has_value(), "format reads back");
  if (back && back->fault) {
    // Only the values within half a unit of the 15th digit of the largest double round past it.
    Check(back->fault == FaultKind::Overflow && std::isinf(rounded), "only rounding overflows");
  } else if (back) {
    Check(back->value == rounded || (back->value == 0 && rounded == 0),
          "format reads back rounded");
  }
  const std::string whole = FormatWhole(value);
  Check(whole.find_first_not_of("-0123456789") == std::string::npos, "whole is digits");
}

namespace conv = number_text;

bool SameDouble(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// Both ways of turning `value` into text, and both ways of reading those texts back.
void ComparePaths(double value, int precision) {
  char via_charconv[conv::kBufferSize];
  char via_clib[conv::kBufferSize];
  const std::string_view a(via_charconv,
                           conv::charconv::WriteScientific(value, precision, via_charconv));
  const std::string_view b(via_clib, conv::clib::WriteScientific(value, precision, via_clib));
  Check(a == b, "scientific texts agree");
  if (std::isfinite(value)) {
    Check(SameDouble(conv::charconv::Parse(a), conv::clib::Parse(a)), "readings agree");
    const double whole = std::round(value);
    const std::string_view c(via_charconv, conv::charconv::WriteWhole(whole, via_charconv));
    const std::string_view d(via_clib, conv::clib::WriteWhole(whole, via_clib));
    Check(c == d, "whole texts agree");
  }
}

// A text of the form the lenient reading hands on, «0.DIGITSeEXP», from the input's digits.
void CompareReadings(const std::string& input) {
  std::string digits;
  for (char c : input) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  digits.erase(0, digits.find_first_not_of('0'));  // the first digit is never a zero
  if (digits.empty()) return;
  const int exponent = static_cast<int>(input.size() * 37 % 700) - 350;
  const std::string decimal = "0." + digits + "e" + std::to_string(exponent);
  Check(SameDouble(conv::charconv::Parse(decimal), conv::clib::Parse(decimal)),
        "readings of long texts agree");
}

// `text` with its digits, period, signs, exponent letters and spaces in the full-width forms a
// Chinese input method types.
std::string FullWidth(std::string_view text) {
  constexpr std::string_view kAscii = "0123456789.-+Ee ";
  constexpr std::string_view kWide[] = {"０", "１", "２", "３", "４", "５", "６", "７",
                                        "８", "９", "．", "－", "＋", "Ｅ", "ｅ", "\u3000"};
  std::string wide;
  for (const char c : text) {
    const std::size_t at = kAscii.find(c);
    if (at == std::string_view::npos) {
      wide += c;
    } else {
      wide += kWide[at];
    }
  }
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (size >= sizeof(double) + 1) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    ComparePaths(raw, data[sizeof raw] % 40);
  }
  CompareReadings(text);

  const LeadingNumber number = ReadLeadingNumber(text);
  const double lenient = number.value;
  const bool lenient_overflow = number.fault.has_value();
  if (lenient_overflow) {
    Check(number.fault == FaultKind::Overflow, "lenient reading only overflows");
  } else {
    Check(std::isfinite(lenient), "lenient reading is finite");
    CheckFormat(lenient);
    ComparePaths(lenient, 14);
  }
  const LeadingNumber wide = ReadLeadingNumber(FullWidth(text));
  Check(SameDouble(wide.value, lenient) && wide.fault == number.fault &&
            wide.ignored_text == number.ignored_text,
        "full-width forms read as their ASCII ones");

  if (const auto strict = ParseNumberStrict(text)) {
    if (strict->fault) {
      Check(lenient_overflow, "strict overflows where lenient does");
    } else {
      Check(!lenient_overflow && strict->value == lenient, "strict and lenient agree on a number");
      if (text.find('\0') == std::string::npos) {
        const double libc = std::strtod(text.c_str(), nullptr);
        Check(libc == strict->value, "strict reading rounds as the C library does");
      }
    }
  }
  return 0;
}
