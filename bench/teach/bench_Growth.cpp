// The growth run of the efficiency page: search, insertion and deletion at the seven table
// sizes 250 .. 4999 on the three organisations, as the «Рост затрат» button runs it. The
// search run should finish in well under 5 s.

#include <benchmark/benchmark.h>

#include <random>

#include "teach/TGrowthRun.h"

using namespace TABLESTRUCT;

namespace {

void BM_GrowthRun(benchmark::State& state) {
  const auto operation = static_cast<TestOperation>(state.range(0));
  TGrowthResult result;
  for (auto _ : state) {
    std::mt19937 engine(17);
    TGrowthRun run([&engine] { return static_cast<unsigned>(engine()); },
                   TEfficiencyTest::SteadyMicroseconds);
    result = run.Run(operation, 50, TGrowthRun::StandardSizes());
    benchmark::DoNotOptimize(result.Points.data());
  }
  // The fitted slopes: scan a·n, sorted a·log2 n, hash a·(1 + n/m).
  state.counters["scan_a"] = result.Fits[0].Slope;
  state.counters["sorted_a"] = result.Fits[1].Slope;
  state.counters["hash_a"] = result.Fits[2].Slope;
  state.counters["hash_R2"] = result.Fits[2].RSquared;
}

} // namespace

BENCHMARK(BM_GrowthRun)
    ->ArgName("operation")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
