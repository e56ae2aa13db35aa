// A gas line of 10 000 segments read from its texts and computed, half of them sized: the line
// calculation must stay well under a second at the batch's largest inputs.
#include <benchmark/benchmark.h>

#include <string>

#include "core/line/line.h"

namespace tarnivel {
namespace {

// A 100 km transmission line at 1.6 MPa in 10 m segments, every other one sized in steel.
GasLineTexts LongLine(int segments) {
  GasLineTexts texts;
  texts.inlet = "1.6";
  texts.drop[DropQuantity::MaxDrop] = "1000";
  texts.segments.resize(static_cast<std::size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    SegmentTexts& segment = texts.segments[static_cast<std::size_t>(i)];
    segment[SegmentColumn::Name] = "s" + std::to_string(i + 1);
    segment[SegmentColumn::Length] = "10";
    segment[SegmentColumn::Flow] = "2000";
    segment[SegmentColumn::Series] = "steel";
    if (i % 2 == 0) segment[SegmentColumn::Pipe] = "DN150";
    segment[SegmentColumn::Rise] = i % 3 == 0 ? "1.5" : "-0.5";
  }
  return texts;
}

void BM_LineFromTexts(benchmark::State& state) {
  const GasLineTexts texts = LongLine(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const auto result = ComputeGasLine(texts);
    benchmark::DoNotOptimize(result);
    if (!std::holds_alternative<GasLineResult>(result) ||
        std::get<GasLineResult>(result).check != LineCheck::Within) {
      state.SkipWithError("the long line does not compute within its allowance");
      break;
    }
  }
}
BENCHMARK(BM_LineFromTexts)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnivel

BENCHMARK_MAIN();
