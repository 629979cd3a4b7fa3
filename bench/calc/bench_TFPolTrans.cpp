// Speed of the formula translator: checking a typed formula (run on every keystroke) and
// evaluating formulas with large intermediate results.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "calc/TFPolTrans.h"
#include "tables/TPolScanTab.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TFPolTrans;

namespace {

// A polynomial of n distinct monomials with powers 0..3 and coefficients 0.5..5.
TPolinom RandomPol(std::mt19937& rng, int n) {
  std::uniform_int_distribution<int> power(0, 3), coeff(1, 10);
  TPolinom p;
  while (p.GetListLength() < n)
    TPolinom::AddMonom(
        p, TMonom(coeff(rng) * 0.5f, TMonom::MakeIndex(power(rng), power(rng), power(rng))));
  return p;
}

// A table of ten 30-monomial polynomials Pol1..Pol8, A and B.
struct BenchTable {
  TABLESTRUCT::TPolScanTab Tab{""};
  BenchTable() {
    std::mt19937 rng(7);
    for (int i = 1; i <= 8; ++i)
      Tab.InsRecord("Pol" + std::to_string(i), RandomPol(rng, 30));
    Tab.InsRecord("A", RandomPol(rng, 30));
    Tab.InsRecord("B", RandomPol(rng, 30));
  }
};

// 201 characters: every operation, brackets, numbers, variables and eight table names.
std::string Formula200() {
  std::string f = "Pol1*(Pol2+X)^2-d/dx(Pol3)+int~dy(Pol4*Y)-(Pol5-Pol6)*Z^3+2.5*Pol7";
  f += "-d/dz(Pol8+A*B)+(X+Y+Z+1)^2*Pol1-int~dx(Pol2)+B*(A-3)+Pol3*Pol4-Pol5";
  f += "*1.5+(Pol6+Pol7)*(Pol8-X)+d/dy(A)-int~dz(B*2)+Y*Y-Pol2*Z+A^3*Pol4+Z";
  return f;
}

void BM_SetFormula200(benchmark::State& state) {
  BenchTable table;
  TFPolTrans trans(&table.Tab);
  const std::string formula = Formula200();
  trans.SetFormula(formula);
  if (trans.GetRetCode() != 0) {
    state.SkipWithError(("formula rejected: " + trans.GetMessage()).c_str());
    return;
  }
  for (auto _ : state) {
    trans.SetFormula(formula);
    benchmark::DoNotOptimize(trans.GetRetCode());
  }
  state.counters["chars"] = static_cast<double>(formula.size());
  state.counters["lexemes"] = trans.GetLeksCount();
}
BENCHMARK(BM_SetFormula200)->Unit(benchmark::kMicrosecond);

// A pasted formula of 256 KB made of distinct numbers: every operand is a new lexeme.
void BM_SetFormulaDistinctNumbers256K(benchmark::State& state) {
  BenchTable table;
  TFPolTrans trans(&table.Tab);
  std::string formula = "1";
  for (int i = 2; formula.size() < (256u << 10); ++i) {
    formula += i % 2 ? '+' : '*';
    formula += std::to_string(i);
  }
  for (auto _ : state) {
    trans.SetFormula(formula);
    if (trans.GetRetCode() != 0)
      state.SkipWithError(("formula rejected: " + trans.GetMessage()).c_str());
  }
  state.counters["KB"] = static_cast<double>(formula.size()) / 1024.0;
  state.counters["lexemes"] = trans.GetLeksCount();
}
BENCHMARK(BM_SetFormulaDistinctNumbers256K)->Unit(benchmark::kMillisecond);

// Evaluates formula over the bench table; the result's text is the benchmark's label.
void CalculateFormula(benchmark::State& state, const std::string& formula) {
  BenchTable table;
  TFPolTrans trans(&table.Tab);
  trans.SetFormula(formula);
  if (trans.GetRetCode() != 0) {
    state.SkipWithError(("formula rejected: " + trans.GetMessage()).c_str());
    return;
  }
  TPolinom r;
  for (auto _ : state) {
    r = trans.Calculate();
    if (trans.GetRetCode() != 0) {
      state.SkipWithError(("evaluation failed: " + trans.GetMessage()).c_str());
      return;
    }
  }
  state.counters["terms"] = r.GetListLength();
  if (r.GetListLength() == 1) {
    // One constant: its exact float value.
    r.ResetList();
    char text[32];
    std::snprintf(text, sizeof text, "= %.9g", static_cast<double>(r.GetMonom()->GetCoeff()));
    state.SetLabel(text);
  }
}

void BM_CalcPowerOfSum20(benchmark::State& state) {
  CalculateFormula(state, "(X+Y+Z+1)^20");
}
BENCHMARK(BM_CalcPowerOfSum20)->Unit(benchmark::kMillisecond);

// Powers are the results of N products one after another; these finish long before N.
void BM_CalcConstantPower2999(benchmark::State& state) {
  CalculateFormula(state, "0.999^2999");
}
BENCHMARK(BM_CalcConstantPower2999)->Unit(benchmark::kMicrosecond);

void BM_CalcMinusOnePower3e9(benchmark::State& state) {
  CalculateFormula(state, "(0-1)^3000000000");
}
BENCHMARK(BM_CalcMinusOnePower3e9)->Unit(benchmark::kMicrosecond);

void BM_CalcDerivProductCubed(benchmark::State& state) {
  CalculateFormula(state, "d/dx(A*B)^3");
}
BENCHMARK(BM_CalcDerivProductCubed)->Unit(benchmark::kMillisecond);

// A stored result pasted into the formula field: the text of a polynomial of distinct
// monomials with powers anywhere from 0 to 99 and four-digit coefficients, about 23 characters
// a monomial, written by the polynomial writer.
std::string PastedPolynomial(std::size_t bytes, unsigned seed) {
  std::mt19937 rng(seed);
  const int count = static_cast<int>(bytes / 23);
  std::vector<bool> taken(1000000);
  std::vector<int> indexes;
  while (static_cast<int>(indexes.size()) < count) {
    const int index = static_cast<int>(rng() % 1000000);
    if (!taken[static_cast<std::size_t>(index)]) {
      taken[static_cast<std::size_t>(index)] = true;
      indexes.push_back(index);
    }
  }
  std::sort(indexes.begin(), indexes.end(), std::greater<>());
  TPolinom p;
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    const float coeff = static_cast<float>(rng() % 9000 + 1000) / 1000.0f;
    p.InsLast(new TMonom(i == 0 || rng() % 2 ? coeff : -coeff, indexes[i]));
  }
  return p.GetText();
}

// SetFormula and Calculate of a pasted polynomial of 256 KB, 512 KB, 1 MB and 4 MB, each the
// best of three, with the growth exponent of the time over the text size (least squares on
// the logarithms): 1 is linear, 2 quadratic.
void BM_SumChainGrowth(benchmark::State& state) {
  BenchTable table;
  TFPolTrans trans(&table.Tab);
  const std::size_t sizes[] = {256u << 10, 512u << 10, 1u << 20, 4u << 20};
  const char* names[] = {"ms_256K", "ms_512K", "ms_1M", "ms_4M"};
  std::vector<std::string> texts;
  for (std::size_t size : sizes)
    texts.push_back(PastedPolynomial(size, static_cast<unsigned>(size)));
  double best[4] = {};
  for (auto _ : state) {
    for (int n = 0; n < 4; ++n) {
      best[n] = 1e30;
      for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        trans.SetFormula(texts[static_cast<std::size_t>(n)]);
        const TPolinom r = trans.Calculate();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (trans.GetRetCode() != 0 || r.GetListLength() == 0) {
          state.SkipWithError(("formula failed: " + trans.GetMessage()).c_str());
          return;
        }
        best[n] = std::min(best[n], seconds);
      }
    }
    state.SetIterationTime(best[2]);
  }
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int n = 0; n < 4; ++n) {
    const double x = std::log(static_cast<double>(sizes[n])), y = std::log(best[n]);
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
    state.counters[names[n]] = best[n] * 1e3;
  }
  state.counters["exponent"] = (4 * sxy - sx * sy) / (4 * sxx - sx * sx);
  state.counters["MB_4M"] = static_cast<double>(texts[3].size()) / (1 << 20);
}
BENCHMARK(BM_SumChainGrowth)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
