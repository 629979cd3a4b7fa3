// AddMonom as the program has it, with no observer set, against the same walk written without
// the observer's test, in the same run: the ratio shows what the test of the pointer costs.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "PairedTiming.h"
#include "core/TPolinom.h"

using namespace LISTSTRUCT;

namespace {

// The insertion in order with merging of like terms, without any observer.
void PlainAddMonom(TPolinom& pol, const TMonom& m) {
  TMonom* n = new TMonom(m.GetCoeff(), m.GetIndex());
  pol.ResetList();
  while (n->GetIndex() < pol.GetMonom()->GetIndex())
    pol.GoNextLink();
  TMonom* t = pol.GetMonom();
  if (t->GetIndex() != n->GetIndex()) {
    pol.InsCurrent(n);
    return;
  }
  const float s = t->GetCoeff() + n->GetCoeff();
  if (s == 0.0f)
    pol.DelCurrent();
  else
    t->SetCoeff(s);
  delete n;
}

// Monomials in random order with powers 0..15, so that some merge and a few cancel.
std::vector<TMonom> RandomMonoms(int count) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> power(0, 15), coeff(-4, 4);
  std::vector<TMonom> monoms;
  while (static_cast<int>(monoms.size()) < count) {
    const int c = coeff(rng);
    if (c != 0)
      monoms.emplace_back(static_cast<float>(c),
                          TMonom::MakeIndex(power(rng), power(rng), power(rng)));
  }
  return monoms;
}

void BM_AddMonomVsUnobservedWalk(benchmark::State& state) {
  const std::vector<TMonom> monoms = RandomMonoms(static_cast<int>(state.range(0)));
  int terms = 0;
  benchsupport::TimeAgainstPeer(
      state, "unobserved",
      [&] {
        TPolinom p;
        for (const TMonom& m : monoms)
          TPolinom::AddMonom(p, m);
        terms = p.GetListLength();
      },
      [&] {
        TPolinom p;
        for (const TMonom& m : monoms)
          PlainAddMonom(p, m);
        benchmark::DoNotOptimize(p.GetListLength());
      });
  state.counters["terms"] = terms;
  state.SetLabel("AddMonom (no observer) vs the walk without the observer's test");
}
BENCHMARK(BM_AddMonomVsUnobservedWalk)
    ->Arg(300)
    ->Arg(3000)
    ->Iterations(60)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
