#include "core/pressure_drop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "core/numeric.h"

namespace tarnivel {
namespace {

DropCase Line(double inlet, double flow, double bore, double length, double z = 1) {
  DropCase line;
  line.inlet_mpa = inlet;
  line.flow_nm3h = flow;
  line.bore_mm = bore;
  line.length_m = length;
  line.compressibility = z;
  return line;
}

DropResult ResultOf(const DropCase& line) {
  const auto outcome = ComputeDrop(line);
  if (const auto* fault = std::get_if<DropFault>(&outcome)) {
    ADD_FAILURE() << DescribeDropFault(*fault);
    return {};
  }
  return std::get<DropResult>(outcome);
}

void ExpectNear(double got, double want, double relative, const std::string& what) {
  EXPECT_LE(std::abs(got - want), relative * std::abs(want))
      << what << ": " << got << " vs " << want;
}

// The figures of a hand calculation with the printed formulas and constants.
TEST(PressureDrop, ReferenceLinesAsTheFormulasGiveThem) {
  struct Case {
    DropCase line;
    double reynolds, friction, outlet;
    PressureForm form;
  };
  const Case cases[] = {
      {Line(0.4, 1000, 102.26, 1000), 230574.12563747502, 0.020777490289974773, 0.3810199592280618,
       PressureForm::MediumHigh},
      {Line(0.002, 100, 100, 100), 23578.5100876882, 0.027093803747979733, 0.0018658091214089044,
       PressureForm::Low},
      {Line(0.003, 12.5, 100, 100), 2947.313760961025, 0.03925263566632309, 0.002996962321096968,
       PressureForm::Low},
      {Line(0.05, 5, 100, 2000), 1178.9255043844098, 0.05428672105403163, 0.04999098806039804,
       PressureForm::MediumHigh},
      // Z scales the medium form's difference of squares: 0.9 × 18 670.1 kPa² here.
      {Line(0.4, 1000, 102.26, 1000, 0.9), 230574.12563747502, 0.020777490289974773,
       0.3829514389126819, PressureForm::MediumHigh},
  };
  for (const Case& c : cases) {
    const DropResult result = ResultOf(c.line);
    const std::string what = "inlet " + std::to_string(c.line.inlet_mpa);
    ExpectNear(result.reynolds, c.reynolds, 1e-12, what);
    ExpectNear(result.friction, c.friction, 1e-12, what);
    ASSERT_TRUE(result.outlet_mpa) << what;
    ExpectNear(*result.outlet_mpa, c.outlet, 1e-9, what);
    ExpectNear(result.drop_kpa, 1000 * (c.line.inlet_mpa - c.outlet), 1e-9, what);
    EXPECT_EQ(result.form, c.form) << what;
    EXPECT_GT(*result.outlet_velocity_ms, result.inlet_velocity_ms) << what;
  }
}

// Written by tests/core/make_drop_expected.py: each line by the printed formulas, with
// python3-fluids' Colebrook λ, and by python3-fluids' own flow equations.
TEST(PressureDrop, AgreesWithAnIndependentImplementation) {
  std::ifstream file(TARNIVEL_DROP_EXPECTED);
  ASSERT_TRUE(file) << TARNIVEL_DROP_EXPECTED;
  int lines = 0;
  for (std::string text; std::getline(file, text);) {
    if (text.empty() || text.front() == '#') continue;
    std::istringstream in(text);
    DropCase line;
    double reynolds = 0, friction = 0, by_the_code = 0, by_fluids = 0;
    in >> line.inlet_mpa >> line.flow_nm3h >> line.bore_mm >> line.length_m >> line.roughness_mm >>
        reynolds >> friction >> by_the_code >> by_fluids;
    ASSERT_TRUE(in) << text;
    ++lines;
    const DropResult result = ResultOf(line);
    ASSERT_TRUE(result.outlet_mpa) << text;
    ExpectNear(result.reynolds, reynolds, 1e-12, text);
    ExpectNear(result.friction, friction, 1e-12, text);
    ExpectNear(*result.outlet_mpa, by_the_code, 1e-9, text);
    // The code's rounded constants, against the physics they approximate.
    ExpectNear(result.drop_kpa, 1000 * (line.inlet_mpa - by_fluids), 0.002, text);
  }
  EXPECT_GE(lines, 9);
}

TEST(PressureDrop, FrictionFactorOnEitherSideOfEachBandEdge) {
  const double up = std::numeric_limits<double>::infinity();
  struct Case {
    double reynolds;
    FrictionRegime regime;
    double friction;                                 // 0: only its band and its sign are known
    std::optional<double> near_edge = std::nullopt;  // within 5 % of it
  };
  const Case cases[] = {
      {1994, FrictionRegime::Laminar, 64.0 / 1994},
      {1995, FrictionRegime::Laminar, 64.0 / 1995, 2100},
      {2100, FrictionRegime::Laminar, 64.0 / 2100, 2100},
      {std::nextafter(2100.0, up), FrictionRegime::Transitional, 0.03, 2100},
      {2205, FrictionRegime::Transitional, 0, 2100},
      {2206, FrictionRegime::Transitional, 0},
      {3500, FrictionRegime::Transitional, 0.03 + 1400.0 / (65 * 3500 - 1e5), 3500},
      {std::nextafter(3500.0, up), FrictionRegime::Turbulent, 0, 3500},
      {3676, FrictionRegime::Turbulent, 0},
      {1e300, FrictionRegime::Turbulent, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NearBandEdge(c.reynolds), c.near_edge) << c.reynolds;
    const auto friction = FrictionFactor(c.reynolds, 0.001);
    ASSERT_TRUE(friction) << c.reynolds;
    EXPECT_EQ(friction->regime, c.regime) << c.reynolds;
    EXPECT_GT(friction->factor, 0) << c.reynolds;
    if (c.friction != 0)
      ExpectNear(friction->factor, c.friction, 1e-12, std::to_string(c.reynolds));
  }
  // Colebrook–White has no solution for a wall rougher than 3.7 bores.
  EXPECT_FALSE(FrictionFactor(1e5, 3.7));
  EXPECT_TRUE(FrictionFactor(1e5, 3.69));
}

// Where the gas runs out, the length given is where the formula reaches zero gauge pressure.
TEST(PressureDrop, ReachIsWhereTheGaugePressureRunsOut) {
  for (const DropCase& line : {Line(0.4, 1000, 102.26, 1e6), Line(0.002, 100, 50, 1e4)}) {
    const DropResult out = ResultOf(line);
    ASSERT_FALSE(out.outlet_mpa);
    ASSERT_GT(out.reach_m, 0);
    ASSERT_LT(out.reach_m, line.length_m);
    DropCase shorter = line;
    shorter.length_m = out.reach_m * (1 - 1e-6);
    const DropResult barely = ResultOf(shorter);
    ASSERT_TRUE(barely.outlet_mpa);
    EXPECT_LT(*barely.outlet_mpa, 1e-5 * line.inlet_mpa);
    // At the length it reports, as found and as printed, each form runs out too, rather than
    // leave a gauge pressure that is rounding's zero.
    for (const std::string& text :
         {FormatGeneral(out.reach_m), FormatGeneral(std::nextafter(out.reach_m, 0.0))}) {
      DropCase there = line;
      there.length_m = ParseNumberStrict(text)->value;
      EXPECT_FALSE(ResultOf(there).outlet_mpa) << text << " m at " << line.inlet_mpa << " MPa";
    }
  }
}

// A blank text is the parameter left out, as an empty batch cell or window field is.
TEST(PressureDrop, BlankParametersTakeTheirDefaults) {
  DropTexts texts;
  texts.pressure = "0.4";
  texts.flow = "1000";
  texts.diameter = "102.26";
  texts[DropQuantity::Length] = "1000";
  const DropResult plain = std::get<DropResult>(ComputeDrop(texts));
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (info.role != DropRole::Parameter || !info.default_value) continue;
    for (const char* blank : {"", " \t", "\u3000"}) {
      DropTexts blanked = texts;
      blanked[info.quantity] = blank;
      const auto outcome = ComputeDrop(blanked);
      ASSERT_TRUE(std::holds_alternative<DropResult>(outcome)) << info.name;
      EXPECT_EQ(std::get<DropResult>(outcome).outlet_mpa, plain.outlet_mpa) << info.name;
    }
  }
  texts[DropQuantity::MaxDrop] = " ";
  EXPECT_EQ(std::get<std::optional<double>>(ReadDropLimit(texts.parameters)), std::nullopt);
}

// Values in another unit than the option's are computed, and named as unusual.
TEST(PressureDrop, UnusualParametersAreNamed) {
  struct Case {
    DropQuantity quantity;
    double value;
    bool unusual;
  };
  const Case cases[] = {
      {DropQuantity::Temperature, 288, true},   {DropQuantity::Temperature, 100, false},
      {DropQuantity::Temperature, -61, true},   {DropQuantity::Atmosphere, 0.101325, true},
      {DropQuantity::Atmosphere, 101325, true}, {DropQuantity::Atmosphere, 80, false},
      {DropQuantity::Viscosity, 15, true},      {DropQuantity::Viscosity, 1e-5, false},
      {DropQuantity::Density, 2.5, false},      {DropQuantity::Density, 750, true},
  };
  for (const Case& c : cases) {
    DropCase line = Line(0.4, 1000, 102.26, 1000);
    double* const value[] = {&line.temperature_c, &line.atmosphere_kpa, &line.viscosity_m2s,
                             &line.density_kg_nm3};
    const DropQuantity order[] = {DropQuantity::Temperature, DropQuantity::Atmosphere,
                                  DropQuantity::Viscosity, DropQuantity::Density};
    *value[std::ranges::find(order, c.quantity) - std::begin(order)] = c.value;
    const std::vector<DropQuantity> expected =
        c.unusual ? std::vector{c.quantity} : std::vector<DropQuantity>{};
    EXPECT_EQ(UnusualParameters(line), expected) << DescribeUnusual(c.quantity, c.value);
  }
  EXPECT_EQ(DescribeUnusual(DropQuantity::Temperature, 288),
            "temperature 288 degC is outside the usual -60 to 100 degC: is it in another unit? "
            "(read as degC)");
}

// Texts as a user may type them: each gives a result or a fault, never a NaN or an infinity.
TEST(PressureDrop, HostileInputsGiveAResultOrAFault) {
  using Kind = DropFault::Kind;
  struct Case {
    std::string pressure, flow, diameter, length;
    std::optional<Kind> fault;  // none: a result
    DropSubject subject = Field::Pressure;
    // One parameter more, and the step of an arithmetic fault.
    std::pair<DropQuantity, std::string> parameter = {DropQuantity::Temperature, ""};
    DropFault::Step step = DropFault::Step::Inputs;
  };
  const Case cases[] = {
      {"0.4", "1000", "102.26", "0", Kind::OutOfRange, DropQuantity::Length},
      {"0.4", "1000", "102.26", "-1", Kind::OutOfRange, DropQuantity::Length},
      {"0.4", "1000", "102.26", "abc", Kind::OutOfRange, DropQuantity::Length},
      {"0.4", "1000", "102.26", "1e308", std::nullopt},
      {"0.4", "1000", "102.26", "1e999", Kind::Arithmetic},
      {"0.4", "1000", "0.001", "1000", Kind::OutOfRange, DropQuantity::Roughness},
      {"0.4", "1e300", "1", "1000", Kind::Arithmetic},
      {"0.4", "1000", "", "1000", Kind::Prompt, Field::Diameter},
      {"0.4", "", "100", "1000", Kind::Prompt, Field::Flow},
      {"0.4", "-5", "100", "1000", Kind::OutOfRange, Field::Flow},
      {"0.4", "1000", "-100", "1000", Kind::OutOfRange, Field::Diameter},
      {"", "1000", "100", "1000", Kind::OutOfRange, Field::Pressure},
      {"0.4", "1e-300", "100", "1000", std::nullopt},
      {"0.4", "1000", "102.26", "1000", Kind::Arithmetic, {}, {DropQuantity::Density, "1e308"}},
      {"0.004",
       "1000",
       "102.26",
       "1000",
       Kind::Arithmetic,
       {},
       {DropQuantity::Temperature, "1e308"}},
      {"0.4",
       "1000",
       "102.26",
       "1000",
       Kind::Arithmetic,
       {},
       {DropQuantity::Viscosity, "1e308"},
       DropFault::Step::Reynolds},
      {"0.4",
       "1000",
       "1e308",
       "1000",
       Kind::Arithmetic,
       {},
       {DropQuantity::Temperature, ""},
       DropFault::Step::Reynolds},
      {"0.4", "1000", "102.26", "1000", std::nullopt, {}, {DropQuantity::Viscosity, "1e-300"}},
  };
  for (const Case& c : cases) {
    DropTexts texts;
    texts.pressure = c.pressure;
    texts.flow = c.flow;
    texts.diameter = c.diameter;
    texts[DropQuantity::Length] = c.length;
    texts[c.parameter.first] = c.parameter.second;
    const std::string what = c.flow + " Nm3/h, " + c.diameter + " mm, " + c.length + " m, " +
                             std::string(DropQuantityOf(c.parameter.first).name) + " " +
                             c.parameter.second;
    const auto outcome = ComputeDrop(texts);
    if (const auto* fault = std::get_if<DropFault>(&outcome)) {
      EXPECT_EQ(c.fault, fault->kind) << what << ": " << DescribeDropFault(*fault);
      if (fault->kind != Kind::Arithmetic) {
        EXPECT_EQ(fault->subject, c.subject) << what;
      }
      EXPECT_EQ(fault->step, c.step) << what;
      EXPECT_FALSE(DescribeDropFault(*fault).empty());
      continue;
    }
    ASSERT_FALSE(c.fault) << what;
    const DropResult& result = std::get<DropResult>(outcome);
    const double numbers[] = {result.reynolds, result.friction, result.drop_kpa, result.reach_m,
                              result.inlet_velocity_ms};
    for (double number : numbers) EXPECT_TRUE(std::isfinite(number)) << what;
    if (result.outlet_mpa) {
      EXPECT_LE(*result.outlet_mpa, 0.4) << what;
    }
  }
}

TEST(PressureDrop, SeriesBringTheirRoughnessByNameOrLabelInAnyCase) {
  EXPECT_EQ(RoughnessOfSeries("STEEL"), 0.1);
  EXPECT_EQ(RoughnessOfSeries("sch40"), 0.1);
  EXPECT_EQ(RoughnessOfSeries("Pe-Sdr17"), 0.01);
  EXPECT_EQ(RoughnessOfSeries("SDR11"), 0.01);
  EXPECT_EQ(RoughnessOfSeries(" steel\t"), 0.1);
  EXPECT_EQ(RoughnessOfSeries("sdr1"), std::nullopt);
}

}  // namespace
}  // namespace tarnivel
