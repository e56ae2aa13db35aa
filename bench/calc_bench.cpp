// Each calculation end to end over an in-memory field set: parse, compute, format.
#include <benchmark/benchmark.h>

#include "core/quantities.h"

namespace tarnivel {
namespace {

void RunCase(benchmark::State& state, Calculation calculation, const char* tp, const char* tv,
             const char* td, const char* tm) {
  TextFields fields;
  for (auto _ : state) {
    fields.Write(Field::Pressure, tp);
    fields.Write(Field::Velocity, tv);
    fields.Write(Field::Diameter, td);
    fields.Write(Field::Flow, tm);
    benchmark::DoNotOptimize(Calculate(calculation, fields));
    benchmark::DoNotOptimize(fields.Read(ResultField(calculation)));
  }
}

void BM_Velocity(benchmark::State& state) {
  RunCase(state, Calculation::Velocity, "0.3", "", "100", "1000");
}
void BM_Flow(benchmark::State& state) { RunCase(state, Calculation::Flow, "0.3", "10", "100", ""); }
void BM_Diameter(benchmark::State& state) {
  RunCase(state, Calculation::Diameter, "0.3", "10", "", "1000");
}
void BM_VelocityLongTexts(benchmark::State& state) {
  RunCase(state, Calculation::Velocity, "0.312345678901234567", "", "100.25 mm",
          "12345678.9012345678e-3");
}

BENCHMARK(BM_Velocity);
BENCHMARK(BM_Flow);
BENCHMARK(BM_Diameter);
BENCHMARK(BM_VelocityLongTexts);

}  // namespace
}  // namespace tarnivel

BENCHMARK_MAIN();
