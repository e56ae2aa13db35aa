#include "core/pipes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/numeric.h"

namespace tarnivel {
namespace {

struct ExpectedPipe {
  std::string designation, outside, wall, bore;  // mm as texts
};

void ExpectSeries(std::string_view name, const std::vector<ExpectedPipe>& expected) {
  const PipeSeries* series = FindSeries(BuiltInSeries(), name);
  ASSERT_NE(series, nullptr) << name;
  ASSERT_EQ(series->pipes.size(), expected.size()) << name;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Pipe& pipe = series->pipes[i];
    const ExpectedPipe& want = expected[i];
    EXPECT_EQ(pipe.designation, want.designation) << name << " row " << i;
    EXPECT_EQ(FormatMillimetres(pipe.outside), want.outside) << want.designation;
    EXPECT_EQ(FormatMillimetres(pipe.wall), want.wall) << want.designation;
    EXPECT_EQ(FormatMillimetres(pipe.Bore()), want.bore) << want.designation;
  }
}

// Written by tests/core/make_schedule40.py from python3-fluids' Schedule 40 data.
TEST(PipeCatalogues, SteelIsSchedule40AsAnIndependentSourceHasIt) {
  std::ifstream file(TARNIVEL_SCHEDULE40_EXPECTED);
  ASSERT_TRUE(file) << TARNIVEL_SCHEDULE40_EXPECTED;
  std::vector<ExpectedPipe> expected;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    ExpectedPipe& pipe = expected.emplace_back();
    fields >> pipe.designation >> pipe.outside >> pipe.wall >> pipe.bore;
  }
  EXPECT_EQ(expected.size(), 20u);
  ExpectSeries("steel", expected);
}

// Written by tests/core/make_pe_walls.py from pandapipes' table of PE 100 pipe: every size
// both tables have must agree.
TEST(PipeCatalogues, PolyethyleneIsThePrintedGasPipeAsAnIndependentSourceHasIt) {
  std::ifstream file(TARNIVEL_PE_WALLS_EXPECTED);
  ASSERT_TRUE(file) << TARNIVEL_PE_WALLS_EXPECTED;
  std::size_t rows = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    std::string series_name;
    ExpectedPipe want;
    fields >> series_name >> want.designation >> want.outside >> want.wall >> want.bore;
    const PipeSeries* series = FindSeries(BuiltInSeries(), series_name);
    ASSERT_NE(series, nullptr) << line;
    const auto pipe = std::ranges::find(series->pipes, want.designation, &Pipe::designation);
    ASSERT_NE(pipe, series->pipes.end()) << line;
    EXPECT_EQ(FormatMillimetres(pipe->outside), want.outside) << line;
    EXPECT_EQ(*ParseMillimetres(want.wall), pipe->wall) << line;
    EXPECT_EQ(FormatMillimetres(pipe->Bore()), want.bore) << line;
    ++rows;
  }
  EXPECT_EQ(rows, 19u + 17u);
}

TEST(PipeChoice, TheSmallestBoreAtLeastTheRequiredOne) {
  const PipeSeries& pe = *FindSeries(BuiltInSeries(), "pe-sdr11");  // de110 90, de125 102.2
  struct Case {
    double required;
    std::optional<std::size_t> smaller, chosen, larger;
  } cases[] = {
      {102.2, 8, 9, 10},                          // exactly a bore: that pipe
      {std::nextafter(102.2, 200.0), 9, 10, 11},  // just above it: the next
      {90.0, 7, 8, 9},
      {0.001, std::nullopt, 0, 1},    // the smallest has no smaller
      {515.6, 22, 23, std::nullopt},  // the largest, de630
      {std::nextafter(515.6, 1e3), std::nullopt, std::nullopt, std::nullopt},  // past it
  };
  for (const Case& c : cases) {
    const PipeChoice choice = ChoosePipe(pe, c.required);
    EXPECT_EQ(choice.smaller, c.smaller) << c.required;
    EXPECT_EQ(choice.chosen, c.chosen) << c.required;
    EXPECT_EQ(choice.larger, c.larger) << c.required;
  }
}

TEST(PipeChoice, StartsFromTheDiameterCalculationsUnroundedBore) {
  const char* inputs[][3] = {
      {"0.3", "10", "1000"}, {"", "5", "100"}, {"1.6", "15", "5000"}, {"0.3", "10", "1,000"}};
  for (const auto& [p, v, q] : inputs) {
    TextFields fields;
    fields.Write(Field::Pressure, p);
    fields.Write(Field::Velocity, v);
    fields.Write(Field::Flow, q);
    ASSERT_EQ(CalcDiameter(fields).prompt, Prompt::None);
    const RequiredBore bore = RequiredBoreFor(p, v, q);
    EXPECT_EQ(FormatWhole(bore.mm), fields.Read(Field::Diameter)) << p << " " << v << " " << q;
  }
  EXPECT_EQ(RequiredBoreFor("0.3", "", "1000").outcome.prompt, Prompt::EnterCompleteData);
  EXPECT_EQ(FormatGeneral(RequiredBoreFor("0.3", "10", "1000").mm), "94.0315980599624");
}

TEST(PipeLengths, ReadAndWriteExactHundredths) {
  const std::pair<const char*, const char*> read[] = {
      {"114.3", "114.3"}, {" 6.02 ", "6.02"}, {"20", "20"}, {"3.10", "3.1"}, {"0.05", "0.05"}};
  for (const auto& [text, written] : read) {
    const auto length = ParseMillimetres(text);
    ASSERT_TRUE(length) << text;
    EXPECT_EQ(FormatMillimetres(*length), written) << text;
  }
  for (const char* bad : {"", "1.234", "-1", "1.", ".5", "1e2", "12mm", "1,5", "9999999"}) {
    EXPECT_FALSE(ParseMillimetres(bad)) << bad;
  }
}

}  // namespace
}  // namespace tarnivel
