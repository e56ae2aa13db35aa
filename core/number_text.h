#pragma once
// The three double <-> decimal text conversions the numeric services build on, written twice
// so that every standard library gives the same characters:
//
//   charconv  std::from_chars / std::to_chars, where the standard library has them for
//             floating point (GCC's, on the desktop);
//   clib      strtod / snprintf, for one that has not (the browser build's libc++); both are
//             correctly rounded in glibc and in musl, and read and write the "C" locale's
//             period, which is the only locale a browser build has.
//
// This header alone decides which of them core/numeric.cpp uses (number_text::active); the
// fuzz target compares the two on the desktop. Defining TARNIVEL_NUMBER_TEXT_CLIB forces the
// C library's on any standard library.

#include <cstddef>
#include <string_view>
#include <version>

#if defined(__cpp_lib_to_chars) && !defined(TARNIVEL_NUMBER_TEXT_CLIB)
#define TARNIVEL_NUMBER_TEXT_CHARCONV 1
#else
#define TARNIVEL_NUMBER_TEXT_CHARCONV 0
#endif

namespace tarnivel::number_text {

// Big enough for any of the texts below: the largest double has 309 whole digits.
inline constexpr std::size_t kBufferSize = 400;

// Each implementation offers:
//
//   double Parse(std::string_view text);
//     The correctly rounded double of a text «0.DIGITSe[-]DIGITS» whose first digit after the
//     point is not zero, as the lenient reading builds it; infinity beyond the largest double,
//     zero or a subnormal below the smallest normal one.
//   std::size_t WriteScientific(double value, int precision, char* buffer);
//     «d.dddde±xx» with `precision` digits after the point, correctly rounded; the length.
//   std::size_t WriteWhole(double whole, char* buffer);
//     A whole-numbered double in plain digits with its sign; the length.
//
// `buffer` holds kBufferSize characters.
namespace clib {
double Parse(std::string_view text);
std::size_t WriteScientific(double value, int precision, char* buffer);
std::size_t WriteWhole(double whole, char* buffer);
}  // namespace clib

#if TARNIVEL_NUMBER_TEXT_CHARCONV
namespace charconv {
double Parse(std::string_view text);
std::size_t WriteScientific(double value, int precision, char* buffer);
std::size_t WriteWhole(double whole, char* buffer);
}  // namespace charconv
namespace active = charconv;
#else
namespace active = clib;
#endif

}  // namespace tarnivel::number_text
