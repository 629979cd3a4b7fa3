// The translator with no observer against the same translator with an observer that does
// nothing, in the same run: checking a typed formula (phases 1 and 2) and evaluating one. The
// null observer costs one pointer test per event, the idle one a call per event as well, so a
// ratio near 1 bounds what the observer's hooks cost a translator without one.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "../core/PairedTiming.h"
#include "calc/TFPolTrans.h"
#include "calc/TTransObserver.h"
#include "tables/TPolScanTab.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TFPolTrans;

namespace {

struct TIdleObserver : TRANSSTRUCT::TTransObserver {
  long long Events = 0;
  void Notice(const TRANSSTRUCT::TTransEvent&) override { ++Events; }
};

// Tables A, B, C of 20 monomials with powers 0..3.
struct TBenchTable {
  TABLESTRUCT::TPolScanTab Tab{""};
  TBenchTable() {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> power(0, 3), coeff(1, 9);
    for (const char* name : {"A", "B", "C"}) {
      TPolinom p;
      while (p.GetListLength() < 20)
        TPolinom::AddMonom(p, TMonom(static_cast<float>(coeff(rng)),
                                     TMonom::MakeIndex(power(rng), power(rng), power(rng))));
      Tab.InsRecord(name, p);
    }
  }
};

// About 240 characters of sums, products, powers, derivatives and integrals.
std::string LongFormula() {
  std::string f = "A";
  for (int i = 0; f.size() < 240; ++i)
    f += i % 4 == 0   ? "+d/dx(B*X)-" + std::to_string(i)
         : i % 4 == 1 ? "*(C+Y)^2"
         : i % 4 == 2 ? "-int~dz(A+Z)"
                      : "+B*" + std::to_string(i) + ".5";
  return f;
}

void BM_TranslatorNullVsIdleObserver(benchmark::State& state) {
  const bool evaluate = state.range(0) == 1;
  TBenchTable table;
  TFPolTrans plain(&table.Tab), watched(&table.Tab);
  TIdleObserver idle;
  watched.SetObserver(&idle);
  const std::string formula = LongFormula();
  plain.SetFormula(formula);
  watched.SetFormula(formula);
  if (plain.GetRetCode() != 0 || watched.GetRetCode() != 0) {
    state.SkipWithError(("formula rejected: " + plain.GetMessage()).c_str());
    return;
  }
  const auto run = [&](TFPolTrans& trans) {
    if (evaluate)
      benchmark::DoNotOptimize(trans.Calculate().GetListLength());
    else
      trans.SetFormula(formula);
    benchmark::DoNotOptimize(trans.GetRetCode());
  };
  benchsupport::TimeAgainstPeer(
      state, "idle_observer", [&] { run(plain); }, [&] { run(watched); });
  state.counters["events"] = static_cast<double>(idle.Events);
  state.SetLabel(evaluate ? "Calculate, no observer vs an idle one"
                          : "SetFormula, no observer vs an idle one");
}
BENCHMARK(BM_TranslatorNullVsIdleObserver)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
