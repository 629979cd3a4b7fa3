// Value of a 1000-monomial polynomial at a point.

#include <benchmark/benchmark.h>

#include "core/TPolinom.h"

using namespace LISTSTRUCT;

static void BM_Value1000(benchmark::State& state) {
  TPolinom p;
  for (int i = 0; i < 1000; ++i)
    TPolinom::AddMonom(p, TMonom(0.5f + static_cast<float>(i % 17),
                                 TMonom::MakeIndex(i / 100, (i / 10) % 10, i % 10)));
  if (p.GetListLength() != 1000) state.SkipWithError("not 1000 monomials");
  float x = 0.9f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p.Value(x, 1.1f, -0.7f));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Value1000)->Unit(benchmark::kMicrosecond);
