// The linear operations against a plain copy of what they walk, in the same run: the sum and
// the difference walk both operands, the derivative and the integral one.

#include <benchmark/benchmark.h>

#include <random>

#include "PairedTiming.h"
#include "core/TPolinom.h"

using namespace LISTSTRUCT;

namespace {

// n distinct monomials with powers 1..20 of each variable and coefficients 1..9.
TPolinom RandomPol(unsigned seed, int n) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> power(1, 20), coeff(1, 9);
  TPolinom p;
  while (p.GetListLength() < n)
    TPolinom::AddMonom(p, TMonom(static_cast<float>(coeff(rng)),
                                 TMonom::MakeIndex(power(rng), power(rng), power(rng))));
  return p;
}

enum Operation { Sum, Difference, Derivative, Integral };

void BM_OperationVsCopy(benchmark::State& state) {
  TPolinom p = RandomPol(1, 5000), q = RandomPol(2, 5000);
  const auto operation = static_cast<Operation>(state.range(0));
  const bool twoOperands = operation == Sum || operation == Difference;
  long long terms = 0;
  benchsupport::TimeAgainstPeer(
      state, "copy",
      [&] {
        TPolinom r = operation == Sum          ? p + q
                     : operation == Difference ? p - q
                     : operation == Derivative ? p.Derivative('y')
                                               : p.Integral('z');
        terms = r.GetListLength();
      },
      [&] {
        TPolinom a(p);
        if (twoOperands) {
          TPolinom b(q);
          benchmark::DoNotOptimize(b.GetListLength());
        }
        benchmark::DoNotOptimize(a.GetListLength());
      });
  state.counters["terms"] = static_cast<double>(terms);
  state.SetLabel(operation == Sum          ? "p + q vs copies of p and q"
                 : operation == Difference ? "p - q vs copies of p and q"
                 : operation == Derivative ? "d/dy p vs a copy of p"
                                           : "int dz p vs a copy of p");
}
BENCHMARK(BM_OperationVsCopy)
    ->DenseRange(Sum, Integral)
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
