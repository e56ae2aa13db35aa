// Batch throughput: a million generated rows, mixed calculations with some prompts and faults,
// through the whole batch path (CSV in, calculations, CSV out).
#include <benchmark/benchmark.h>

#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "tables/batch.h"

namespace tarnivel {
namespace {

std::string GeneratedTable(int rows) {
  static const char* const kRows[] = {
      "velocity,0.3,,100,1000,L1\n",  "flow,0.3,10,100,,L2\n",
      "diameter,0.3,10,,1000,L3\n",   "velocity,1.6,,200,5000,L4\n",
      "flow,,5,50,,\"L5, east\"\n",   "diameter,1.6,15,,5000,L6\n",
      "velocity,0.3,,,1000,L7\n",     "diameter,0.3,,55,1000,L8\n",
      "velocity,-0.1,,100,1000,L9\n", "velocity,0.25,,80.5,1234.5,L10\n",
  };
  std::string table = "calc,pressure,velocity,diameter,flow,line\n";
  for (int i = 0; i < rows; ++i) table += kRows[i % std::size(kRows)];
  return table;
}

class NullBuffer final : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int_type overflow(int_type c) override { return c; }
};

void BM_BatchMillionRows(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string table = GeneratedTable(rows);
  NullBuffer null;
  std::ostream out(&null);
  std::ostringstream err;
  for (auto _ : state) {
    std::istringstream in(table);
    benchmark::DoNotOptimize(RunBatch(in, out, err));
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(table.size()));
}
BENCHMARK(BM_BatchMillionRows)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnivel

BENCHMARK_MAIN();
