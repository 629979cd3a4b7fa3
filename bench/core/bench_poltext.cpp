// Reading and writing the text of a 100-monomial polynomial.

#include <benchmark/benchmark.h>

#include <string>

#include "core/TPolinom.h"

using namespace LISTSTRUCT;

static std::string HundredMonomials() {
  std::string text;
  for (int i = 0; i < 100; ++i) {
    text += i % 3 == 0 ? " - " : " + ";
    text += std::to_string(1.25 + i * 37.5) + "*x^" + std::to_string(i % 10) + "*y^" +
            std::to_string(i / 10) + "*z^" + std::to_string(i % 7);
  }
  return text;
}

static void BM_SetTextGetText100(benchmark::State& state) {
  const std::string text = HundredMonomials();
  TPolinom p;
  for (auto _ : state) {
    p.SetText(text);
    benchmark::DoNotOptimize(p.GetText());
  }
  if (p.GetListLength() != 100) state.SkipWithError("the text did not give 100 monomials");
}
BENCHMARK(BM_SetTextGetText100)->Unit(benchmark::kMicrosecond);
