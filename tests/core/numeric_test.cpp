#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivel {
namespace {

struct ParseCase {
  const char* text;
  double value;
};

// The value the lenient reading gives a text it reads without a fault.
double Read(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  EXPECT_FALSE(number.fault) << "text «" << text << "»";
  return number.value;
}

std::optional<FaultKind> FaultReading(std::string_view text) {
  return ReadLeadingNumber(text).fault;
}

TEST(ReadLeadingNumber, ReadsTheNumberATextStartsWith) {
  const ParseCase cases[] = {
      {"", 0},         {"abc", 0},   {".", 0},       {"-", 0},       {"12abc", 12},
      {"1.2.3", 1.2},  {".5", 0.5},  {"1e3", 1000},  {"-0.1", -0.1}, {"  12.5 kg", 12.5},
      {"1,5", 1},      {"+7", 7},    {"1e-2", 0.01}, {"1 2 3", 123}, {"1 000", 1000},
      {"\t1\n2", 12},  {"1e", 1},    {"1e+", 1},     {"1E+2x", 100}, {"- 5", -5},
      {"1 e 3", 1000}, {"--1", 0},   {"&H10", 0},    {"0x1A", 0},    {"１２", 12},
      {"12０", 120},   {"0.000", 0}, {"007", 7},     {"1.", 1},      {"1e-400", 0},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(Read(c.text), c.value) << "text «" << c.text << "»";
  }
}

TEST(ReadLeadingNumber, ReadsFullWidthFormsAsTheirAsciiOnes) {
  // As a Chinese input method types them in its full-width mode, with its ideographic space;
  // a form cut short or another character stops the number as any other character does.
  const ParseCase cases[] = {
      {"１０００", 1000},   {"－０．５", -0.5},  {"＋１Ｅ３", 1000}, {"２ｅ－２", 0.02},
      {"１　０００", 1000}, {"１。５", 1},       {"\xEF\xBC", 0},    {"1\xEF\xBC", 1},
      {"１２\xE3\x80", 12}, {"\xE3\x80\x80", 0}, {"ｅ", 0},          {"１\xEF\xBC\x90", 10},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(Read(c.text), c.value) << "text «" << c.text << "»";
  }
}

TEST(ReadLeadingNumber, RoundsLongDigitStringsCorrectly) {
  // Halfway cases and long strings are decided by their very last digit.
  EXPECT_EQ(Read("9007199254740993"), 9007199254740992.0);  // tie: even
  EXPECT_EQ(Read("0.1000000000000000055511151231257827021181583404541015625"), 0.1);
  const std::string long_ones = "1." + std::string(2000, '0') + "1";
  EXPECT_EQ(Read(long_ones), 1.0);
  // A digit far past the first ones still breaks a tie upwards.
  const std::string tie_broken = "9007199254740993" + std::string(900, '0') + "1e-901";
  EXPECT_EQ(Read(tie_broken), 9007199254740994.0);
  EXPECT_EQ(Read("4.9406564584124654e-324"), 4.9406564584124654e-324);
  EXPECT_EQ(Read("1.7976931348623157e308"), std::numeric_limits<double>::max());
  // One multiplication or division rounds correctly only while the digits and the power of
  // ten are exact doubles: up to 15 digits, up to 10^22.
  EXPECT_EQ(Read("0.9514242627359937"), 0.9514242627359937);  // 16 digits: two roundings
  EXPECT_EQ(Read("123456789012345e22"), 123456789012345e22);
  EXPECT_EQ(Read("1e23"), 1e23);
  EXPECT_EQ(Read("1e-22"), 1e-22);
  EXPECT_EQ(Read("1e-23"), 1e-23);
}

TEST(ReadLeadingNumber, ReadsAMegabyteOfDigits) {
  const std::string digits(1 << 20, '7');
  EXPECT_EQ(Read("0." + digits), 0.7777777777777778);
  EXPECT_EQ(FaultReading(digits), FaultKind::Overflow);
  const std::string zeros = "0." + std::string(1 << 20, '0') + "5e1048577";
  EXPECT_EQ(Read(zeros), 5.0);
  EXPECT_EQ(FaultReading("5e" + std::string(1 << 20, '9')), FaultKind::Overflow);
  EXPECT_EQ(Read("5e-" + std::string(1 << 20, '9')), 0.0);
}

TEST(ReadLeadingNumber, OverflowIsAFault) {
  for (const char* text : {"1e999", "-1e309", "1.8e308", "1e99999999999999999999", "１ｅ９９９"}) {
    EXPECT_EQ(FaultReading(text), FaultKind::Overflow) << text;
  }
  EXPECT_EQ(Read("1e-99999999999999999999"), 0.0);
}

TEST(ReadLeadingNumber, FlagsTextTheReadingPassedOver) {
  const std::pair<const char*, bool> cases[] = {
      {"", false},         {"  ", false},       {"12", false},        {" 1 000 ", false},
      {"1e3", false},      {"12abc", true},     {"1,000", true},      {"abc", true},
      {"-", true},         {"1e", true},        {"1.2.3", true},      {".", true},
      {"１０００", false}, {"　１２　", false}, {"１２ａｂｃ", true}, {"１。５", true},
  };
  for (const auto& [text, ignored] : cases) {
    EXPECT_EQ(ReadLeadingNumber(text).ignored_text, ignored) << "text «" << text << "»";
  }
}

TEST(ParseNumberStrict, ReadsWholeNumbersOnly) {
  EXPECT_EQ(ParseNumberStrict("1.23456789012346E+16")->value, 1.23456789012346e16);
  EXPECT_EQ(ParseNumberStrict("-0.5")->value, -0.5);
  EXPECT_EQ(ParseNumberStrict("1E-05")->value, 1e-5);
  for (const char* text : {"", "12abc", " 1", "1 ", "1e", ".", "-", "1,5", "１"}) {
    EXPECT_FALSE(ParseNumberStrict(text)) << "text «" << text << "»";
  }
  // The largest double rounded to 15 digits lies beyond the double range.
  EXPECT_EQ(ParseNumberStrict("1.79769313486232E+308")->fault, FaultKind::Overflow);
}

struct FormatCase {
  double value;
  const char* text;
};

TEST(FormatGeneral, WritesFifteenDigitsInTheRightNotation) {
  const FormatCase cases[] = {
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {1e-4, "0.0001"},
      {1e-5, "1E-05"},
      {1e-9, "1E-09"},
      {1e-10, "1E-10"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},
      {999999999999999.4, "999999999999999"},
      {999999999999999.9, "1E+15"},
      {0.5, "0.5"},
      {0, "0"},
      {-0.0, "0"},
      {-2.5, "-2.5"},
      {1.5e20, "1.5E+20"},
      {1e100, "1E+100"},
      {1.23456789e-7, "1.23456789E-07"},
      {0.000123, "0.000123"},
      {100, "100"},
      {1130.973336, "1130.973336"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {12345678901234567.0, "1.23456789012346E+16"},
      {0.1 + 0.2, "0.3"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value), c.text) << "value " << c.value;
  }
}

// FormatGeneral's fifteen digits are the C library's correctly rounded ones (ties to even),
// wherever the value lies: at the ends of the range results usually take, on exact ties, and
// on seeded values spread over it and beyond. Two texts of at most fifteen digits read back as
// the same double only when they are the same number.
TEST(FormatGeneral, RoundsAsTheCLibraryDoes) {
  std::vector<double> values = {1e-5,
                                std::nextafter(1e-5, 0.0),
                                std::nextafter(1e15, 0.0),
                                999999999999999.5,  // a tie that rounds up to a power of ten
                                123456789012345.5,  // ties, to the even digit
                                123456789012344.5,
                                0.000015258789062500,  // 2^-16
                                8.84194143371033,
                                -1130.973336};
  std::mt19937_64 random(18);
  std::uniform_real_distribution<double> decades(-7, 17);
  for (int i = 0; i < 20000; ++i) values.push_back(std::pow(10.0, decades(random)));
  for (int i = 0; i < 20000; ++i) {  // halves of whole numbers: exact ties at fifteen digits
    values.push_back(static_cast<double>(random() % 1'000'000'000'000'000) + 0.5);
  }
  for (double value : values) {
    char c_library[64];
    std::snprintf(c_library, sizeof c_library, "%.14e", value);
    EXPECT_EQ(std::strtod(FormatGeneral(value).c_str(), nullptr), std::strtod(c_library, nullptr))
        << c_library;
  }
}

// The pressure drops were checked against the GNU C library, whose log10 takes these steps:
// the same digits there, and on a system whose own log10 differs.
TEST(Log10, GivesTheDigitsOfTheGnuCLibrary) {
  for (const double x : {1.0, 10.0, 1e-300, 4.9e-324, 0.5, 2.0, 1e308}) {
    EXPECT_EQ(Log10(x), std::log10(x)) << x;
  }
  EXPECT_TRUE(std::isinf(Log10(0.0)) && Log10(0.0) < 0);
  EXPECT_TRUE(std::isnan(Log10(-1.0)));
#ifdef __GLIBC__
  std::mt19937_64 random(26);
  std::uniform_real_distribution<double> mantissa(1, 2);
  std::uniform_int_distribution<int> exponent(-60, 20);
  for (int i = 0; i < 200000; ++i) {
    const double x = std::ldexp(mantissa(random), exponent(random));
    ASSERT_EQ(Log10(x), std::log10(x)) << x;
  }
#endif
}

TEST(FormatWhole, RoundsHalvesAwayFromZero) {
  const FormatCase cases[] = {
      {94.03, "94"},
      {94.5, "95"},
      {0.4, "0"},
      {0.5, "1"},
      {-0.4, "0"},
      {-2.5, "-3"},
      {1e20, "100000000000000000000"},
      {0, "0"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatWhole(c.value), c.text) << "value " << c.value;
  }
  EXPECT_EQ(FormatWhole(std::numeric_limits<double>::max()).size(), 309u);
}

// The fault of one guarded step, and what it gave.
std::optional<FaultKind> FaultOf(double (Guarded::*step)(double, double), double a, double b) {
  Guarded calc;
  EXPECT_EQ((calc.*step)(a, b), 0.0) << "a faulting step gives 0";
  return calc.fault();
}

TEST(GuardedArithmetic, FaultsInsteadOfInfinitiesAndNaNs) {
  using G = Guarded;
  EXPECT_EQ(FaultOf(&G::Div, 1, 0), FaultKind::DivisionByZero);
  EXPECT_EQ(FaultOf(&G::Div, 0, 0), FaultKind::DivisionByZero);
  EXPECT_EQ(FaultOf(&G::Div, 1, -0.0), FaultKind::DivisionByZero);
  EXPECT_EQ(FaultOf(&G::Mul, 1e200, 1e200), FaultKind::Overflow);
  EXPECT_EQ(FaultOf(&G::Add, 1.7e308, 1.7e308), FaultKind::Overflow);
  EXPECT_EQ(FaultOf(&G::Sub, -1.7e308, 1.7e308), FaultKind::Overflow);
  EXPECT_EQ(FaultOf(&G::Div, 1e300, 1e-300), FaultKind::Overflow);
  EXPECT_EQ(FaultOf(&G::Pow, 1e200, 2), FaultKind::Overflow);
  EXPECT_EQ(FaultOf(&G::Pow, -4, 0.5), FaultKind::InvalidArgument);

  Guarded calc;
  EXPECT_EQ(calc.Pow(1e-200, 2), 0.0);
  EXPECT_EQ(calc.Div(1e-300, 1e300), 0.0);
  EXPECT_EQ(calc.Pow(-3, 2), 9.0);
  EXPECT_EQ(calc.Pow(16, 0.5), 4.0);
  EXPECT_EQ(calc.Pow(-0.0, 0.5), 0.0);
  EXPECT_EQ(calc.Pow(0.1, 2), 0.1 * 0.1);
  EXPECT_FALSE(calc.fault());
  // The first fault is the one kept, whatever the later steps run into.
  (void)calc.Take(ReadLeadingNumber("1e999"));
  (void)calc.Div(1, 0);
  EXPECT_EQ(calc.fault(), FaultKind::Overflow);
}

TEST(Descriptions, NameEveryFaultAndPrompt) {
  EXPECT_EQ(FaultDescription(FaultKind::Overflow), "溢出");
  EXPECT_EQ(FaultDescription(FaultKind::DivisionByZero), "除数为零");
  EXPECT_EQ(FaultDescription(FaultKind::InvalidArgument), "无效的过程调用或参数");
  EXPECT_EQ(PromptText(Prompt::EnterDiameter), "请输入流通直径");
  EXPECT_EQ(PromptText(Prompt::EnterCompleteData), "请输入完整数据");
  EXPECT_EQ(PromptText(Prompt::None), "");
}

}  // namespace
}  // namespace tarnivel
