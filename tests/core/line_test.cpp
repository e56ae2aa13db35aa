// Checks the gas line against lines worked out independently (make_line_expected.py), and its
// faults against the inputs a user may type.
#include "core/line/line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/numeric.h"

namespace tarnivel {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word == "-" ? "" : word);
  return words;
}

double Number(const std::string& word) { return word.empty() ? 0 : std::stod(word); }

void ExpectNear(double got, const std::string& want, const std::string& what) {
  const double expected = Number(want);
  EXPECT_LE(std::abs(got - expected), 1e-9 * std::abs(expected) + 1e-12)
      << what << ": " << FormatGeneral(got) << " vs " << want;
}

// A case as the expected file gives it: its texts, the segment results and the line result.
struct Case {
  std::string label;
  GasLineTexts texts;
  std::vector<std::vector<std::string>> segments;
  std::vector<std::string> line;
};

std::vector<Case> ReadCases() {
  std::ifstream file(TARNIVEL_LINE_EXPECTED);
  std::vector<Case> cases;
  for (std::string text; std::getline(file, text);) {
    if (text.empty() || text.front() == '#') continue;
    std::vector<std::string> w = Words(text);
    const std::string kind = w.front();
    w.erase(w.begin());
    if (kind == "line") {
      Case c;
      c.label = w[0];
      GasLineTexts& t = c.texts;
      t.inlet = w[1];
      t.drop[DropQuantity::Density] = w[2];
      t.drop[DropQuantity::Compressibility] = w[3];
      t.drop[DropQuantity::MaxDrop] = w[4];
      t[LineQuantity::AppliancePressure] = w[5];
      t[LineQuantity::MaxVelocity] = w[6];
      t[LineQuantity::LocalShare] = w[7];
      t.drop[DropQuantity::Roughness] = w[8];
      cases.push_back(c);
    } else if (kind == "seg") {
      const SegmentColumn order[] = {
          SegmentColumn::Name, SegmentColumn::Length,     SegmentColumn::Flow,
          SegmentColumn::Bore, SegmentColumn::Series,     SegmentColumn::Pipe,
          SegmentColumn::Rise, SegmentColumn::LocalShare, SegmentColumn::Roughness};
      SegmentTexts segment;
      for (std::size_t i = 0; i < std::size(order); ++i) segment[order[i]] = w[i];
      cases.back().texts.segments.push_back(segment);
    } else if (kind == "want-seg") {
      cases.back().segments.push_back(w);
    } else {
      cases.back().line = w;
    }
  }
  return cases;
}

// The same line with every text that says its default blanked, as an empty cell leaves it.
GasLineTexts Blanked(GasLineTexts texts) {
  const auto blank_if = [](std::optional<std::string>& text, double value) {
    if (text && !text->empty() && std::stod(*text) == value) text = "";
  };
  for (const DropQuantity q :
       {DropQuantity::Density, DropQuantity::Compressibility, DropQuantity::Roughness}) {
    blank_if(texts.drop[q], *DropQuantityOf(q).default_value);
  }
  blank_if(texts[LineQuantity::LocalShare], 10);
  for (SegmentTexts& segment : texts.segments) {
    if (Number(segment[SegmentColumn::Rise]) == 0) segment[SegmentColumn::Rise] = " ";
  }
  return texts;
}

TEST(Line, AgreesWithTheFormulasWorkedIndependently) {
  const std::map<std::string, LineCheck> checks = {{"NotChecked", LineCheck::NotChecked},
                                                   {"Within", LineCheck::Within},
                                                   {"Over", LineCheck::Over},
                                                   {"RunsOut", LineCheck::RunsOut},
                                                   {"NoBudget", LineCheck::NoBudget},
                                                   {"NoPipe", LineCheck::NoPipe}};
  const std::vector<Case> cases = ReadCases();
  ASSERT_GE(cases.size(), 13u) << TARNIVEL_LINE_EXPECTED;
  for (const Case& c : cases) {
    for (const GasLineTexts& texts : {c.texts, Blanked(c.texts)}) {
      const auto line = ReadGasLine(texts);
      ASSERT_TRUE(std::holds_alternative<GasLine>(line))
          << c.label << ": " << DescribeLineFault(std::get<LineFault>(line));
      const auto outcome = ComputeGasLine(std::get<GasLine>(line));
      ASSERT_TRUE(std::holds_alternative<GasLineResult>(outcome))
          << c.label << ": " << DescribeLineFault(std::get<LineFault>(outcome));
      const GasLineResult& result = std::get<GasLineResult>(outcome);
      ASSERT_EQ(result.segments.size(), c.segments.size()) << c.label;
      for (std::size_t i = 0; i < c.segments.size(); ++i) {
        const SegmentResult& got = result.segments[i];
        const std::vector<std::string>& want = c.segments[i];
        const std::string what = c.label + " segment " + std::to_string(i + 1);
        const Segment& segment = std::get<GasLine>(line).segments[i];
        EXPECT_EQ(got.pipe ? segment.series->pipes[*got.pipe].designation : "", want[0]) << what;
        EXPECT_EQ(got.outlet_mpa.has_value(), !want[3].empty()) << what;
        const double numbers[] = {
            got.bore_mm,        got.inlet_mpa,        got.outlet_mpa.value_or(0),
            got.friction_kpa,   got.local_kpa,        got.head_kpa,
            got.reach_m,        got.reynolds,         got.friction,
            got.loss_per_metre, got.inlet_velocity_ms};
        for (std::size_t n = 0; n < std::size(numbers); ++n) {
          ExpectNear(numbers[n], want[n + 1], what + " column " + std::to_string(n + 2));
        }
      }
      const std::vector<std::string>& want = c.line;
      EXPECT_EQ(result.check, checks.at(want[0]))
          << c.label << ": " << DescribeLineCheck(std::get<GasLine>(line), result);
      EXPECT_EQ(result.outlet_mpa.has_value(), !want[1].empty()) << c.label;
      ExpectNear(result.outlet_mpa.value_or(0), want[1], c.label + " outlet");
      ExpectNear(result.drop_kpa, want[2], c.label + " drop");
      EXPECT_EQ(result.unit_budget.has_value(), !want[3].empty()) << c.label;
      ExpectNear(result.unit_budget.value_or(0), want[3], c.label + " unit budget");
      EXPECT_EQ(result.run_out ? std::to_string(result.run_out->segment) : "", want[4]) << c.label;
      EXPECT_EQ(result.failed_segment ? std::to_string(*result.failed_segment) : "", want[5])
          << c.label;
      EXPECT_EQ(result.head_counted, result.form == PressureForm::Low) << c.label;
    }
  }
}

// Inputs out of range are faults naming the segment and the column; hostile numbers give a
// fault or a finite result, never a NaN or an infinity.
TEST(Line, InputsOutOfRangeNameTheSegmentAndTheColumn) {
  using Kind = LineFault::Kind;
  struct Row {
    std::string column, text;   // a line parameter or "segment 2 <column>"
    std::optional<Kind> fault;  // none: a result
    std::optional<std::size_t> segment = std::nullopt;
    LineFault::Subject subject = Field::Pressure;
    std::string message = "";
  };
  const Row rows[] = {
      {"2 length", "0", Kind::OutOfRange, 1, SegmentColumn::Length,
       "segment 2 (yard): length must be more than 0 m"},
      {"2 length", "", Kind::OutOfRange, 1, SegmentColumn::Length},
      {"1 flow", "-3", Kind::OutOfRange, 0, SegmentColumn::Flow},
      {"1 flow", "1e999", Kind::Arithmetic, 0, SegmentColumn::Flow},
      {"1 flow", "1e300", Kind::Arithmetic, 0},
      {"1 flow", "1e-300", std::nullopt},
      {"2 length", "1e308", std::nullopt},
      {"2 rise", "1e308", Kind::Arithmetic, 1},
      {"2 rise", "-1e308", Kind::Arithmetic, 1},
      {"2 rise", "1e300", std::nullopt},
      {"2 rise", "-1e300", std::nullopt},
      {"1 bore", "0", Kind::OutOfRange, 0, SegmentColumn::Bore},
      {"1 bore", "1e308", Kind::Arithmetic, 0},
      {"1 bore", "", Kind::NoPipe, 0, SegmentColumn::Bore,
       "segment 1 (main): give a bore or a series"},
      {"1 series", "steel", Kind::BoreAndSeries, 0, SegmentColumn::Bore},
      {"2 series", "copper", Kind::UnknownSeries, 1, SegmentColumn::Series,
       "segment 2 (yard): no series \"copper\""},
      {"2 pipe", "de999", Kind::UnknownPipe, 1, SegmentColumn::Pipe},
      {"2 pipe", " DE110 ", std::nullopt},
      {"1 pipe", "de110", Kind::PipeWithoutSeries, 0, SegmentColumn::Pipe},
      {"1 roughness", "-0.1", Kind::OutOfRange, 0, SegmentColumn::Roughness},
      {"1 roughness", "400", Kind::OutOfRange, 0, SegmentColumn::Roughness},
      {"2 local", "-5", Kind::OutOfRange, 1, SegmentColumn::LocalShare},
      {"inlet", "0", Kind::OutOfRange, std::nullopt, Field::Pressure},
      {"inlet", "0.3", Kind::ApplianceNotLow, std::nullopt, LineQuantity::AppliancePressure},
      {"max_drop", "1", Kind::TwoAllowances, std::nullopt, LineQuantity::AppliancePressure},
      {"appliance_pressure", "", Kind::NoAllowance, std::nullopt, DropQuantity::MaxDrop},
      {"appliance_pressure", "0", Kind::OutOfRange, std::nullopt, LineQuantity::AppliancePressure},
      {"air_density", "0", Kind::OutOfRange, std::nullopt, LineQuantity::AirDensity},
      {"air_density", "1e308", std::nullopt},
      {"temperature", "-300", Kind::OutOfRange, std::nullopt, DropQuantity::Temperature},
      {"density", "1e308", Kind::Arithmetic, 0},
      {"viscosity", "1e308", Kind::Arithmetic, 0},
      {"local", "1e308", std::nullopt},
      {"max_velocity", "-1", Kind::OutOfRange, std::nullopt, LineQuantity::MaxVelocity},
      {"max_velocity", "0.001", std::nullopt},
      {"segments", "0", Kind::NoSegments, std::nullopt, SegmentColumn::Length},
  };
  for (const Row& row : rows) {
    GasLineTexts texts;
    texts.inlet = "0.002";
    texts[LineQuantity::AppliancePressure] = "2000";
    SegmentTexts main, yard;
    main[SegmentColumn::Name] = "main";
    main[SegmentColumn::Length] = "40";
    main[SegmentColumn::Flow] = "60";
    main[SegmentColumn::Bore] = "80";
    yard[SegmentColumn::Name] = "yard";
    yard[SegmentColumn::Length] = "30";
    yard[SegmentColumn::Flow] = "30";
    yard[SegmentColumn::Series] = "pe-sdr11";
    texts.segments = {main, yard};
    const std::string what = row.column + " = " + row.text;
    if (row.column == "inlet") {
      texts.inlet = row.text;
    } else if (row.column == "segments") {
      texts.segments.clear();
    } else if (std::isdigit(static_cast<unsigned char>(row.column[0]))) {
      const std::string name = row.column.substr(2);
      for (const SegmentColumnInfo& info : kSegmentColumns) {
        if (info.name == name) texts.segments[row.column[0] - '1'][info.column] = row.text;
      }
    } else {
      for (const DropQuantityInfo& info : kDropQuantities) {
        if (info.name == row.column) texts.drop[info.quantity] = row.text;
      }
      for (const LineQuantityInfo& info : kLineQuantities) {
        if (info.name == row.column) texts[info.quantity] = row.text;
      }
    }
    const auto outcome = ComputeGasLine(texts);
    if (const auto* fault = std::get_if<LineFault>(&outcome)) {
      ASSERT_TRUE(row.fault) << what << ": " << DescribeLineFault(*fault);
      EXPECT_EQ(fault->kind, *row.fault) << what << ": " << DescribeLineFault(*fault);
      EXPECT_EQ(fault->segment, row.segment) << what;
      if (fault->kind != Kind::Arithmetic) {
        EXPECT_EQ(fault->subject, row.subject) << what;
      }
      if (!row.message.empty()) {
        EXPECT_EQ(DescribeLineFault(*fault), row.message);
      }
      EXPECT_FALSE(DescribeLineFault(*fault).empty()) << what;
      continue;
    }
    ASSERT_FALSE(row.fault) << what;
    const GasLineResult& result = std::get<GasLineResult>(outcome);
    EXPECT_TRUE(std::isfinite(result.drop_kpa) && std::isfinite(result.unit_budget.value_or(0)))
        << what;
    for (const SegmentResult& s : result.segments) {
      const double numbers[] = {
          s.inlet_mpa, s.outlet_mpa.value_or(0), s.friction_kpa,  s.local_kpa, s.head_kpa,
          s.reach_m,   s.inlet_velocity_ms,      s.loss_per_metre};
      for (double n : numbers) EXPECT_TRUE(std::isfinite(n)) << what;
    }
  }
}

}  // namespace
}  // namespace tarnivel
