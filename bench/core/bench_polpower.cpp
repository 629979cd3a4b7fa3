// (X+Y+Z+1)^n by repeated products, as the calculator computes a power.

#include <benchmark/benchmark.h>

#include "core/TPolinom.h"

using namespace LISTSTRUCT;

static void BM_PowerXYZ1(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TPolinom base;
  base.SetText("X+Y+Z+1");
  int terms = 0;
  for (auto _ : state) {
    TPolinom result{{1.0f, 0}};
    for (int i = 0; i < n; ++i)
      result = result * base;
    terms = result.GetListLength();
    benchmark::DoNotOptimize(terms);
  }
  // C(n+3, 3) monomials of degree at most n.
  if (terms != (n + 3) * (n + 2) * (n + 1) / 6) state.SkipWithError("wrong number of monomials");
  state.counters["monomials"] = terms;
}
BENCHMARK(BM_PowerXYZ1)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);
