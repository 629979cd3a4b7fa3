// Insertion, search and deletion of 3000 random 10-digit keys in each organisation, the work
// the efficiency test does.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;

namespace {

constexpr int Ops = 3000;

std::vector<std::string> RandomKeys(unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::string> keys(Ops);
  for (auto& k : keys)
    for (int i = 0; i < 10; ++i)
      k += static_cast<char>('0' + rng() % 10);
  return keys;
}

// Organisation 0 scan, 1 sorted, 2 hash with 30 buckets, 3 hash with 3000 buckets.
std::unique_ptr<TBasePTab> Make(int64_t org) {
  if (org == 0) return std::make_unique<TPolScanTab>("");
  if (org == 1) return std::make_unique<TPolSortTab>("");
  return std::make_unique<TPolHashTab>(org == 2 ? 30 : 3000, "");
}

std::unique_ptr<TBasePTab> Filled(int64_t org, const std::vector<std::string>& keys,
                                  const TPolinom& pol) {
  auto t = Make(org);
  for (const auto& k : keys)
    t->InsRecord(k, pol);
  return t;
}

void BM_Insert(benchmark::State& state) {
  auto keys = RandomKeys(1);
  TPolinom pol({{1.0f, 10000}, {2.0f, 0}});
  for (auto _ : state) {
    auto t = Make(state.range(0));
    for (const auto& k : keys)
      t->InsRecord(k, pol);
    benchmark::DoNotOptimize(t->GetEfficiency());
    state.PauseTiming();
    t.reset();
    state.ResumeTiming();
  }
}

void BM_Find(benchmark::State& state) {
  auto keys = RandomKeys(2);
  TPolinom pol({{1.0f, 10000}, {2.0f, 0}}), out;
  auto t = Filled(state.range(0), keys, pol);
  std::mt19937 rng(3);
  std::vector<int> order(Ops);
  for (auto& i : order)
    i = static_cast<int>(rng() % Ops);
  for (auto _ : state)
    for (int i : order)
      benchmark::DoNotOptimize(t->FindRecord(keys[i], out));
}

void BM_Delete(benchmark::State& state) {
  auto keys = RandomKeys(4);
  TPolinom pol({{1.0f, 10000}, {2.0f, 0}});
  std::mt19937 rng(5);
  std::vector<int> order(Ops);
  for (auto& i : order)
    i = static_cast<int>(rng() % Ops);
  for (auto _ : state) {
    state.PauseTiming();
    auto t = Filled(state.range(0), keys, pol);
    state.ResumeTiming();
    for (int i : order)
      t->DelRecord(keys[i]);
    state.PauseTiming();
    t.reset();
    state.ResumeTiming();
  }
}

void Organisations(benchmark::internal::Benchmark* b) {
  b->ArgName("org")->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Insert)->Apply(Organisations);
BENCHMARK(BM_Find)->Apply(Organisations);
BENCHMARK(BM_Delete)->Apply(Organisations);
