#include "core/numeric.h"

#include <algorithm>
#include <charconv>  // integers only: every standard library has those
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/full_width.h"
#include "core/number_text.h"

namespace tarnivel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Significant digits kept before the rest is folded into a sticky digit. A double needs at
// most 767 significant decimal digits to be decided, so this never changes the rounding.
constexpr std::size_t kMaxSignificant = 800;
// Exponents are accumulated up to here; past it the value is far outside the double range
// whatever the position of the decimal point in a text of any realistic length.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

const NumberReading kOverflow{0.0, FaultKind::Overflow};
NumberReading Exact(double value) { return {value}; }

// A decimal number taken apart: value = 0.digits × 10^exponent.
class DecimalNumber {
 public:
  void AddDigit(char digit, bool after_point) {
    if (count_ == 0 && digit == '0') {
      if (after_point) --exponent_;  // leading zeros of a fraction only shift the point
      return;
    }
    if (!after_point) ++exponent_;
    if (count_ < kMaxSignificant) {
      digits_[count_++] = digit;
    } else if (digit != '0') {
      sticky_ = true;
    }
  }
  void SetNegative(bool negative) { negative_ = negative; }
  void AddExponent(std::int64_t exponent) { exponent_ += exponent; }

  // Most field texts are short decimals («0.3», «1000»). When the digits fit a double exactly
  // and so does the power of ten, one IEEE multiplication or division rounds correctly.
  std::optional<double> FromShortDecimal(std::size_t count) const {
    constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (sticky_ || count > 15) return std::nullopt;  // 10^15 < 2^53
    const std::int64_t power = exponent_ - static_cast<std::int64_t>(count);
    if (power < -22 || power > 22) return std::nullopt;
    std::int64_t whole = 0;
    for (std::size_t i = 0; i < count; ++i) whole = whole * 10 + (digits_[i] - '0');
    const auto mantissa = static_cast<double>(whole);
    return power >= 0 ? mantissa * kPowersOfTen[power] : mantissa / kPowersOfTen[-power];
  }

  NumberReading ToDouble() const {
    std::size_t count = count_;
    // Trailing zeros say nothing, unless digits beyond the kept ones follow them.
    while (!sticky_ && count > 0 && digits_[count - 1] == '0') --count;
    if (count == 0 && !sticky_) return Exact(negative_ ? -0.0 : 0.0);
    // The largest double is below 10^309 and the smallest subnormal above 10^-325.
    if (exponent_ > 310) return kOverflow;
    if (exponent_ < -330) return Exact(negative_ ? -0.0 : 0.0);
    if (const auto exact = FromShortDecimal(count)) return Exact(negative_ ? -*exact : *exact);

    // "0.<digits>[1]e<exponent>" for the correctly rounding standard conversion.
    char text[kMaxSignificant + 16];
    char* out = text;
    *out++ = '0';
    *out++ = '.';
    out = std::copy_n(digits_, count, out);
    if (sticky_) *out++ = '1';
    *out++ = 'e';
    out = std::to_chars(out, text + sizeof text, exponent_).ptr;
    // Too small to represent reads as zero (or a subnormal), without a fault.
    const double value =
        number_text::active::Parse(std::string_view(text, static_cast<std::size_t>(out - text)));
    if (std::isinf(value)) return kOverflow;
    return Exact(negative_ ? -value : value);
  }

 private:
  char digits_[kMaxSignificant];  // only the first count_ are set
  std::size_t count_ = 0;
  std::int64_t exponent_ = 0;
  bool negative_ = false;
  bool sticky_ = false;
};

// Walks a text, optionally skipping blanks before every character it looks at.
class Cursor {
 public:
  Cursor(std::string_view text, bool skip_blanks) : text_(text), skip_blanks_(skip_blanks) {}

  char Peek() {
    if (skip_blanks_) {
      while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Advance() { ++pos_; }
  bool AtEnd() { return Peek() == '\0' && pos_ >= text_.size(); }
  std::size_t pos() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool skip_blanks_;
};

// Reads sign, mantissa and exponent from the cursor. Returns false when no digit was found
// (the cursor is then left where the mantissa ended).
bool ScanNumber(Cursor& in, DecimalNumber& number) {
  if (in.Peek() == '+' || in.Peek() == '-') {
    number.SetNegative(in.Peek() == '-');
    in.Advance();
  }
  bool any_digit = false;
  bool after_point = false;
  for (char c = in.Peek();; c = in.Peek()) {
    if (IsDigit(c)) {
      number.AddDigit(c, after_point);
      any_digit = true;
    } else if (c == '.' && !after_point) {
      after_point = true;
    } else {
      break;
    }
    in.Advance();
  }
  if (!any_digit) return false;

  // The exponent counts only when digits follow its marker: «1e» and «1e+» read as 1.
  const std::size_t before_exponent = in.pos();
  if (in.Peek() != 'e' && in.Peek() != 'E') return true;
  in.Advance();
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Advance();
  }
  if (!IsDigit(in.Peek())) {
    in.Rewind(before_exponent);
    return true;
  }
  std::int64_t exponent = 0;
  for (char c = in.Peek(); IsDigit(c); c = in.Peek()) {
    exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
    in.Advance();
  }
  number.AddExponent(negative ? -exponent : exponent);
  return true;
}

// A text of at most 15 digits with at most one period («0.3», «1000», «80.5»), the most common
// cell, read without taking it apart: its digits make a whole number below 2^53 and its point
// a power of ten of at most 15, so one IEEE division rounds correctly, as the general path
// does for the same digits. Nothing for any other text.
std::optional<double> PlainDecimal(std::string_view text) {
  if (text.empty() || text.size() > 16) return std::nullopt;
  std::int64_t whole = 0;
  std::size_t digits = 0;
  std::size_t point = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      whole = whole * 10 + (c - '0');
      ++digits;
    } else if (c == '.' && point == text.size()) {
      point = i;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || digits > 15) return std::nullopt;
  constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const std::size_t decimals = point == text.size() ? 0 : text.size() - point - 1;
  return static_cast<double>(whole) / kPowersOfTen[decimals];
}

// The lenient reading of `text`; of its folded form too when `fold` allows and it holds a
// full-width form.
LeadingNumber ReadLenient(std::string_view text, bool fold) {
  if (const auto plain = PlainDecimal(text)) return {{*plain}};
  Cursor in(text, /*skip_blanks=*/true);
  DecimalNumber number;
  const bool found = ScanNumber(in, number);
  LeadingNumber result{found ? number.ToDouble() : NumberReading{}};
  if (!found) in.Rewind(0);
  result.ignored_text = !in.AtEnd();
  // A full-width form stops the reading short of the end, so a text read to its end (as the
  // batch's millions of cells are) is never looked at again, let alone copied.
  if (fold && result.ignored_text && MayHoldFullWidth(text)) {
    return ReadLenient(FoldFullWidth(text), /*fold=*/false);
  }
  return result;
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) { return ReadLenient(text, /*fold=*/true); }

bool IsBlankText(std::string_view text) {
  constexpr std::string_view kIdeographicSpace = "\u3000";
  while (!text.empty()) {
    if (IsBlank(text.front())) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      return false;
    }
  }
  return true;
}

std::optional<NumberReading> ParseNumberStrict(std::string_view text) {
  Cursor in(text, /*skip_blanks=*/false);
  DecimalNumber number;
  if (!ScanNumber(in, number) || !in.AtEnd()) return std::nullopt;
  return number.ToDouble();
}

namespace {

// The 15 significant digits of |value| correctly rounded, ties to even as the conversions of
// number_text round them, and the decimal exponent of the first, for 1e-5 <= |value| < 1e15:
// the range the calculations' results are written in. The value is mantissa / 2^shift, so
// mantissa * 10^k, for the k this range needs, is exact in 128 bits and one shift rounds it;
// the general conversion is far slower. False outside the range, or without 128-bit integers.
bool FifteenDigits(double value, char* digits, int& exponent) {
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 Wide;  // a compiler extension, hence the marker
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-5 && magnitude < 1e15)) return false;
  // A normal double: 52 bits of fraction below an 11-bit biased exponent.
  // (memcpy, not std::bit_cast: the browser build's standard library has none.)
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
  const int binary_exponent = static_cast<int>(bits >> 52) - 1022;  // magnitude < 2^this
  const int shift = 53 - binary_exponent;  // 3 <= shift <= 70 within the range
  constexpr std::uint64_t kLow = 100'000'000'000'000, kHigh = 10 * kLow;
  constexpr std::uint64_t kPowersOfTen[] = {1,
                                            10,
                                            100,
                                            1'000,
                                            10'000,
                                            100'000,
                                            1'000'000,
                                            10'000'000,
                                            100'000'000,
                                            1'000'000'000,
                                            10'000'000'000,
                                            100'000'000'000,
                                            1'000'000'000'000,
                                            10'000'000'000'000,
                                            100'000'000'000'000,
                                            1'000'000'000'000'000,
                                            10'000'000'000'000'000,
                                            100'000'000'000'000'000,
                                            1'000'000'000'000'000'000,
                                            10'000'000'000'000'000'000u};
  // log10(2) = 0.30103 gives the decimal exponent from the binary one, perhaps one too low.
  int decimal = (binary_exponent - 1) * 30103 / 100000 - (binary_exponent < 1);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = 14 - decimal;  // magnitude * 10^k is within [10^14, 10^15) when decimal is right
    if (k < 0 || k > 19) return false;
    const Wide scaled = static_cast<Wide>(mantissa) * kPowersOfTen[k];
    auto whole = static_cast<std::uint64_t>(scaled >> shift);
    if (whole < kLow) {
      --decimal;
      continue;
    }
    if (whole >= kHigh) {
      ++decimal;
      continue;
    }
    const Wide rest = scaled - (static_cast<Wide>(whole) << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && whole % 2 == 1)) ++whole;
    if (whole == kHigh) {  // rounded up to the next power of ten
      whole = kLow;
      ++decimal;
    }
    std::to_chars(digits, digits + 15, whole);
    exponent = decimal;
    return true;
  }
  return false;
#else
  (void)value, (void)digits, (void)exponent;
  return false;
#endif
}

// The 15 significant digits of |value|, correctly rounded, and the decimal exponent of the
// first, taken from the general conversion's d.dddddddddddddde±x.
void FifteenDigitsOfScientific(double value, char* digits, int& exponent) {
  char buffer[number_text::kBufferSize];
  const std::string_view text(buffer, number_text::active::WriteScientific(value, 14, buffer));
  const std::size_t e_pos = text.find('e');
  std::size_t count = 0;
  for (char c : text.substr(0, e_pos)) {
    if (IsDigit(c) && count < 15) digits[count++] = c;
  }
  std::string_view exponent_text = text.substr(e_pos + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
}

}  // namespace

std::string FormatGeneral(double value) {
  if (value == 0.0) return "0";  // also a negative zero

  const bool negative = value < 0;
  char digits[15];  // the 15 significant digits, without the point
  int exponent = 0;
  if (!FifteenDigits(value, digits, exponent)) FifteenDigitsOfScientific(value, digits, exponent);
  std::size_t count = 15;
  while (count > 1 && digits[count - 1] == '0') --count;

  // Written into a buffer and made a string once: the batch formats millions of these.
  char out[40];
  char* end = out;
  if (negative) *end++ = '-';
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      *end++ = '0';
      *end++ = '.';
      end = std::fill_n(end, -exponent - 1, '0');
      end = std::copy_n(digits, count, end);
    } else {
      const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      if (count <= whole) {
        end = std::copy_n(digits, count, end);
        end = std::fill_n(end, whole - count, '0');
      } else {
        end = std::copy_n(digits, whole, end);
        *end++ = '.';
        end = std::copy_n(digits + whole, count - whole, end);
      }
    }
    return std::string(out, end);
  }
  *end++ = digits[0];
  if (count > 1) {
    *end++ = '.';
    end = std::copy_n(digits + 1, count - 1, end);
  }
  *end++ = 'E';
  *end++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) *end++ = '0';
  end = std::to_chars(end, out + sizeof out, magnitude).ptr;
  return std::string(out, end);
}

std::string FormatWhole(double value) {
  const double rounded = std::round(value);  // halves away from zero
  if (rounded == 0.0) return "0";            // no «-0»
  char buffer[number_text::kBufferSize];
  // A whole number within the 64-bit range is written as that integer, the same digits.
  if (std::fabs(rounded) < 9e18) {
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(rounded));
    return std::string(buffer, end.ptr);
  }
  return std::string(buffer, number_text::active::WriteWhole(rounded, buffer));
}

// The steps stay out of line, so that no compiler fuses a multiplication and an addition
// into one rounding: the last digits of every result depend on each step rounding alone.
double Guarded::Add(double a, double b) { return Checked(a + b); }
double Guarded::Sub(double a, double b) { return Checked(a - b); }
double Guarded::Mul(double a, double b) { return Checked(a * b); }

double Guarded::Div(double dividend, double divisor) {
  if (divisor == 0.0) return Fail(FaultKind::DivisionByZero);
  return Checked(dividend / divisor);
}

double Guarded::Pow(double base, double exponent) {
  if (base < 0.0 && exponent != std::trunc(exponent)) return Fail(FaultKind::InvalidArgument);
  // Squares and square roots are correctly rounded this way; std::pow is not, always.
  if (exponent == 2.0) return Checked(base * base);
  if (exponent == 0.5) return std::sqrt(base) + 0.0;  // + 0.0: the root of -0 is 0
  return Checked(std::pow(base, exponent));
}

double Guarded::Checked(double result) {
  if (std::isinf(result)) return Fail(FaultKind::Overflow);
  return result;
}

double Guarded::Fail(FaultKind kind) {
  if (!fault_) fault_ = kind;
  return 0.0;
}

namespace {

// The same bits as another type: std::bit_cast, which the page's library does not have.
template <typename To, typename From>
To SameBits(From from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace

double Log10(double x) {
  const double two54 = 0x1p54;  // brings a subnormal into the normal range
  // 1/ln 10, and lg 2 in a part whose products with an exponent are exact and the rest.
  const double inverse_ln10 = SameBits<double>(std::uint64_t{0x3FDBCB7B1526E50E});
  const double lg2_high = SameBits<double>(std::uint64_t{0x3FD34413509F6000});
  const double lg2_low = SameBits<double>(std::uint64_t{0x3D59FEF311F12B36});
  std::uint64_t bits = SameBits<std::uint64_t>(x);
  auto high = static_cast<std::int32_t>(bits >> 32);
  int exponent = 0;
  if (high < 0x00100000) {  // zero, negative or subnormal
    if ((bits & 0x7fffffffffffffff) == 0) return -two54 / std::fabs(x);  // -inf, divide by zero
    if (high < 0) return (x - x) / (x - x);                              // NaN, invalid
    exponent -= 54;
    x *= two54;
    bits = SameBits<std::uint64_t>(x);
    high = static_cast<std::int32_t>(bits >> 32);
  }
  if (high >= 0x7ff00000) return x + x;  // inf or NaN
  exponent += (high >> 20) - 1023;
  // The mantissa in [1, 2), or in [0.5, 1) for a negative exponent, which keeps lg m of the
  // same sign as the exponent's part.
  const int below = exponent < 0 ? 1 : 0;
  high = (high & 0x000fffff) | ((0x3ff - below) << 20);
  const double power = exponent + below;
  const double mantissa = SameBits<double>((std::uint64_t{static_cast<std::uint32_t>(high)} << 32) |
                                           (bits & 0xffffffff));
  const double rest = power * lg2_low + inverse_ln10 * std::log(mantissa);
  return rest + power * lg2_high;
}

}  // namespace tarnivel
