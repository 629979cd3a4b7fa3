// Reading and writing the text of a 100-monomial polynomial, and reading long texts whose like
// terms are spread over the whole text.

#include <benchmark/benchmark.h>

#include <random>
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

// A text of about megabytes MB: monomials over 20,000 indexes in random order, so that every
// index occurs many times and the like terms are merged.
static std::string LongText(int megabytes) {
  std::mt19937 rng(1);
  std::string text;
  const size_t size = static_cast<size_t>(megabytes) << 20;
  while (text.size() < size) {
    const unsigned i = rng() % 20000;
    text += rng() % 2 ? " - " : " + ";
    text += std::to_string(rng() % 99 + 1) + "*x^" + std::to_string(i % 100) + "*y^" +
            std::to_string(i / 100 % 100) + "*z^" + std::to_string(i / 10000);
  }
  return text;
}

static void BM_SetTextLong(benchmark::State& state) {
  const std::string text = LongText(static_cast<int>(state.range(0)));
  TPolinom p;
  for (auto _ : state) {
    p.SetText(text);
    if (p.GetRetCode() != DataOK) state.SkipWithError("the text was rejected");
  }
  state.counters["terms"] = p.GetListLength();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SetTextLong)->ArgName("MB")->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
