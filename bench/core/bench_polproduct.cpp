// The product of large polynomials against FLINT's fmpz_mpoly_mul on the same polynomials, in
// the same run, with the peak memory the product holds.

#include <benchmark/benchmark.h>

#include <flint/fmpz_mpoly.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

#include "PairedTiming.h"
#include "core/TPolinom.h"

using namespace LISTSTRUCT;

// Every allocation of the program goes through these, so the bytes held at any moment and the
// peak since a mark are known exactly (malloc_usable_size counts what malloc really hands out).
namespace {
std::atomic<long long> HeldBytes{0};
std::atomic<long long> PeakBytes{0};

void* CountedAllocation(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const long long held = HeldBytes += static_cast<long long>(malloc_usable_size(block));
  long long peak = PeakBytes.load();
  while (held > peak && !PeakBytes.compare_exchange_weak(peak, held)) {
  }
  return block;
}

void CountedRelease(void* block) noexcept {
  if (block == nullptr) return;
  HeldBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}
} // namespace

void* operator new(std::size_t size) {
  return CountedAllocation(size);
}
void* operator new[](std::size_t size) {
  return CountedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return CountedAllocation(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* block) noexcept {
  CountedRelease(block);
}
void operator delete[](void* block) noexcept {
  CountedRelease(block);
}
void operator delete(void* block, std::size_t) noexcept {
  CountedRelease(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  CountedRelease(block);
}

namespace {

TPolinom PowerOfSum(int n) {
  TPolinom base{{1, 10000}, {1, 100}, {1, 1}, {1, 0}};
  TPolinom result{{1, 0}};
  for (int i = 0; i < n; ++i)
    result = result * base;
  return result;
}

// (1+x+y+z)^a * (1+x+y+z)^b on the given number of threads (0: as many as the processor runs at
// once): TERMIX's product timed against FLINT's (one thread) on the same operands.
void BM_ProductVsFlint(benchmark::State& state) {
  const int a = static_cast<int>(state.range(0)), b = static_cast<int>(state.range(1));
  const int threads = static_cast<int>(state.range(2));
  TPolinom p = PowerOfSum(a), q = PowerOfSum(b);

  fmpz_mpoly_ctx_t ctx;
  fmpz_mpoly_ctx_init(ctx, 3, ORD_LEX);
  fmpz_mpoly_t sum, fp, fq, fr, gen;
  for (auto* poly : {&sum, &fp, &fq, &fr, &gen})
    fmpz_mpoly_init(*poly, ctx);
  fmpz_mpoly_set_ui(sum, 1, ctx);
  for (int v = 0; v < 3; ++v) {
    fmpz_mpoly_gen(gen, v, ctx);
    fmpz_mpoly_add(sum, sum, gen, ctx);
  }
  fmpz_mpoly_pow_ui(fp, sum, static_cast<ulong>(a), ctx);
  fmpz_mpoly_pow_ui(fq, sum, static_cast<ulong>(b), ctx);

  long long terms = 0;
  double peakMB = 0;
  benchsupport::TimeAgainstPeer(
      state, "flint",
      [&] {
        const long long before = HeldBytes.load();
        PeakBytes = before;
        TPolinom r = p.Product(q, nullptr, threads);
        terms = r.GetListLength();
        r = TPolinom(); // the result is part of what the product needs
        peakMB = static_cast<double>(PeakBytes.load() - before) / (1024.0 * 1024.0);
      },
      [&] { fmpz_mpoly_mul(fr, fp, fq, ctx); });
  if (terms != fmpz_mpoly_length(fr, ctx)) state.SkipWithError("the products differ in length");
  state.counters["terms"] = static_cast<double>(terms);
  state.counters["peak_MB"] = peakMB;
  state.counters["threads"] = threads > 0 ? threads : std::thread::hardware_concurrency();

  for (auto* poly : {&sum, &fp, &fq, &fr, &gen})
    fmpz_mpoly_clear(*poly, ctx);
  fmpz_mpoly_ctx_clear(ctx);
}
BENCHMARK(BM_ProductVsFlint)
    ->ArgNames({"a", "b", "threads"})
    ->Args({30, 30, 1})
    ->Args({50, 49, 1})
    ->Args({50, 49, 0})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A product of a few monomials with high powers: the small sparse case.
void BM_SmallSparseProduct(benchmark::State& state) {
  TPolinom p{{1, 990000}, {2, 505050}, {3, 9999}, {4, 99}};
  TPolinom q{{5, 400000}, {6, 30303}, {7, 2020}, {8, 1}};
  for (auto _ : state) {
    TPolinom r = p * q;
    benchmark::DoNotOptimize(r.GetListLength());
  }
}
BENCHMARK(BM_SmallSparseProduct)->Unit(benchmark::kMicrosecond);

} // namespace
