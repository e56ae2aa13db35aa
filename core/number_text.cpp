#include "core/number_text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#if TARNIVEL_NUMBER_TEXT_CHARCONV
#include <charconv>
#include <system_error>
#endif

namespace tarnivel::number_text {
namespace clib {

double Parse(std::string_view text) {
  // On overflow strtod gives ±HUGE_VAL, an infinity; on underflow the rounded zero or
  // subnormal, as wanted, so its errno says nothing the value does not.
  const std::string terminated(text);
  return std::strtod(terminated.c_str(), nullptr);
}

std::size_t WriteScientific(double value, int precision, char* buffer) {
  const int length = std::snprintf(buffer, kBufferSize, "%.*e", precision, value);
  return static_cast<std::size_t>(length);
}

std::size_t WriteWhole(double whole, char* buffer) {
  const int length = std::snprintf(buffer, kBufferSize, "%.0f", whole);
  return static_cast<std::size_t>(length);
}

}  // namespace clib

#if TARNIVEL_NUMBER_TEXT_CHARCONV
namespace charconv {

double Parse(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Out of range one way or the other: a negative exponent means too small.
    const std::size_t e_pos = text.find_last_of("eE");
    const bool tiny =
        e_pos != std::string_view::npos && e_pos + 1 < text.size() && text[e_pos + 1] == '-';
    const bool negative = !text.empty() && text.front() == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    if (negative) value = -value;
  }
  return value;
}

std::size_t WriteScientific(double value, int precision, char* buffer) {
  const auto result =
      std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::scientific, precision);
  return static_cast<std::size_t>(result.ptr - buffer);
}

std::size_t WriteWhole(double whole, char* buffer) {
  const auto result =
      std::to_chars(buffer, buffer + kBufferSize, whole, std::chars_format::fixed, 0);
  return static_cast<std::size_t>(result.ptr - buffer);
}

}  // namespace charconv
#endif

}  // namespace tarnivel::number_text
