// The product of two polynomials.
//
// The defining algorithm merges partial products into an accumulator with AddMonom: for each
// monomial m of q in q's order, every monomial t of p in p's order contributes t.c * m.c to the
// index t + m (powers clamped at MaxPower). Every result coefficient is therefore the float sum
// of its contributions in that generation order, and a term is present exactly when this sum
// is not 0 (a term that cancels away and comes back sums as 0 + c == c). Both ways below form
// exactly these sums, in this order, without the quadratic walks of the accumulator:
//  - the dense way keeps one float accumulator per value of the result's power of x (a slab of
//    all (y, z) pairs the result can reach), fills it by walking q outside and p inside, and
//    appends its non-zero entries in descending order before it moves to the next slab;
//  - the sparse way, for few terms spread over a large box of possible indexes, collects the
//    contributions, orders them by index (ties in generation order) and sums each run.
// The slabs of the dense way are independent: a large product shares them out between threads,
// each slab summed whole by one thread in the same order, so the result is the same bit for bit
// whatever the number of threads.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/TPolinom.h"
#include "core/TWideLoops.h"
#include "core/TWorkControl.h"

namespace LISTSTRUCT {

namespace {

constexpr int MaxIndex = 10000 * MaxPower + 100 * MaxPower + MaxPower;
constexpr int64_t ThreadedPairs = int64_t{1} << 17;

// An operand's monomials with a non-zero coefficient, in list order. Monomials with a zero
// coefficient contribute nothing to a product.
struct TermList {
  std::vector<float> Coeff;
  std::vector<int32_t> Index;
  int MaxX = -1, MaxY = -1, MaxZ = -1;
  bool Ordered = true; // strictly descending and every index a valid packed index

  size_t Size() const { return Coeff.size(); }
};

TermList CollectTerms(TPolinom& p) {
  TermList terms;
  terms.Coeff.reserve(static_cast<size_t>(p.GetListLength()));
  terms.Index.reserve(static_cast<size_t>(p.GetListLength()));
  int32_t previous = MaxIndex + 1;
  for (p.ResetList(); !p.IsListEnded(); p.GoNextLink()) {
    const TMonom* m = p.GetMonom();
    if (m->GetCoeff() == 0.0f) continue;
    const int32_t index = m->GetIndex();
    if (index < 0 || index >= previous) terms.Ordered = false;
    previous = index;
    terms.Coeff.push_back(m->GetCoeff());
    terms.Index.push_back(index);
    terms.MaxX = std::max(terms.MaxX, TMonom::PowX(index));
    terms.MaxY = std::max(terms.MaxY, TMonom::PowY(index));
    terms.MaxZ = std::max(terms.MaxZ, TMonom::PowZ(index));
  }
  return terms;
}

// Counts the term products done by every thread of a product. The thread that started the
// product reports the progress; every thread stops when the control asks.
class TermPoller {
public:
  TermPoller(DSTRUCT::TWorkControl* control, int64_t total) : Control(control), Total(total) {}
  bool Watched() const { return Control != nullptr; }
  // Adds term products done since a thread's last poll; false when the work is to stop.
  bool Poll(int64_t count, bool reports) {
    const int64_t done = Done.fetch_add(count, std::memory_order_relaxed) + count;
    if (reports) Control->ReportStepPart(done, Total);
    return !Control->IsCancelled();
  }

private:
  DSTRUCT::TWorkControl* Control;
  int64_t Total;
  std::atomic<int64_t> Done{0};
};

// One thread's term products, passed on to the poller every few thousand of them: of threads
// sharing the work each passes them on as often, so that the reports come as often as from one.
class TermCount {
public:
  TermCount(TermPoller& poller, bool reports, int threads = 1)
      : Poller(poller), Reports(reports), Every(DSTRUCT::TWorkControl::PollTerms / threads) {}
  // False when the work is to stop.
  bool Add(int64_t count) {
    Pending += count;
    if (!Poller.Watched() || Pending < Every) return true;
    const int64_t pending = Pending;
    Pending = 0;
    return Poller.Poll(pending, Reports);
  }

private:
  TermPoller& Poller;
  bool Reports;
  int64_t Every;
  int64_t Pending = 0;
};

int Clamp(int power) {
  return power > MaxPower ? MaxPower : power;
}

// The sparse way; it also serves operands that are not in strict descending order, whose
// powers it clamps term by term.
bool SparseProduct(const TermList& p, const TermList& q, TPolinom& result, bool& clamped,
                   TermCount& count) {
  struct Contribution {
    int32_t Index;
    uint32_t Seq;
    float Coeff;
  };
  std::vector<Contribution> parts;
  parts.reserve(p.Size() * q.Size());
  uint32_t seq = 0;
  for (size_t j = 0; j < q.Size(); ++j) {
    const int32_t mi = q.Index[j];
    const int mx = TMonom::PowX(mi), my = TMonom::PowY(mi), mz = TMonom::PowZ(mi);
    for (size_t i = 0; i < p.Size(); ++i) {
      const int32_t ti = p.Index[i];
      const int sx = TMonom::PowX(ti) + mx, sy = TMonom::PowY(ti) + my, sz = TMonom::PowZ(ti) + mz;
      if (sx > MaxPower || sy > MaxPower || sz > MaxPower) clamped = true;
      const float c = p.Coeff[i] * q.Coeff[j];
      // A product that underflows to 0 contributes nothing, like a zero factor.
      if (c != 0.0f)
        parts.push_back({TMonom::MakeIndex(Clamp(sx), Clamp(sy), Clamp(sz)), seq++, c});
    }
    if (!count.Add(static_cast<int64_t>(p.Size()))) return false;
  }
  std::sort(parts.begin(), parts.end(), [](const Contribution& a, const Contribution& b) {
    return a.Index != b.Index ? a.Index > b.Index : a.Seq < b.Seq;
  });
  for (size_t i = 0; i < parts.size();) {
    const int32_t index = parts[i].Index;
    float sum = 0.0f;
    for (; i < parts.size() && parts[i].Index == index; ++i)
      sum = sum + parts[i].Coeff;
    if (sum != 0.0f) result.InsLast(new TMonom(sum, index));
  }
  return true;
}

// Eight and four floats handled as one value, at any address of a float.
typedef float TOctet __attribute__((vector_size(8 * sizeof(float)), aligned(sizeof(float))));
typedef float TQuartet __attribute__((vector_size(4 * sizeof(float)), aligned(sizeof(float))));

// out[k] += in[k] * factor, eight or four at a time. The indexes of one run are distinct, so the
// lanes are independent and each is the same float product and sum as one term at a time.
inline void AddScaledRun(float* out, const float* in, int count, float factor) {
  int k = 0;
  for (; k + 8 <= count; k += 8) {
    TOctet& lanes = *reinterpret_cast<TOctet*>(out + k);
    lanes = lanes + *reinterpret_cast<const TOctet*>(in + k) * factor;
  }
  if (k + 4 <= count) {
    TQuartet& lanes = *reinterpret_cast<TQuartet*>(out + k);
    lanes = lanes + *reinterpret_cast<const TQuartet*>(in + k) * factor;
    k += 4;
  }
  for (; k < count; ++k)
    out[k] = out[k] + in[k] * factor;
}

// A run of p: consecutive monomials with the same powers of x and y whose powers of z fall by
// one from each to the next. Its coefficients are kept in ascending order of z, so that the
// run adds to consecutive accumulator cells.
struct Run {
  int16_t Px, Py, PzLow, Length;
  int32_t CoeffStart;
};

// Runs work(0) on this thread and work(1) ... work(threads - 1) on as many others at the same
// time. An exception from any of them sets stop and comes out here once all have ended.
template <class Work> void RunOnThreads(int threads, const Work& work, std::atomic<bool>& stop) {
  std::exception_ptr failure;
  std::mutex failureGuard;
  const auto guarded = [&](int thread) {
    try {
      work(thread);
    } catch (...) {
      stop = true;
      const std::lock_guard<std::mutex> lock(failureGuard);
      if (!failure) failure = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (int t = 1; t < threads; ++t)
      helpers.emplace_back(guarded, t);
    guarded(0);
  }
  if (failure) std::rethrow_exception(failure);
}

// The dense way. p must be in strict descending order (TermList::Ordered); q may be in any.
class DenseProduct {
public:
  DenseProduct(const TermList& p, const TermList& q);
  int Slabs() const { return RX + 1; }
  size_t SlabCells() const { return static_cast<size_t>((RY + 1) * Stride); }
  // Sums slab number n, the power of x RX - n, in slab (all 0, and left so), and appends its
  // non-zero terms to out in descending order. False when the work is to stop.
  bool Slab(int n, std::vector<float>& slab, std::vector<TMonomPair>& out, TermCount& count) const;

private:
  void FindRuns();
  bool Reach(int x, size_t j, int& first, int& last) const;
  int64_t AddRuns(int first, int last, size_t j, float* slab) const;

  const TermList& P;
  const TermList& Q;
  int RX, RY, RZ, Stride;
  std::vector<Run> Runs;
  std::vector<float> RunCoeff;
  int RunsAbove[MaxPower + 2] = {}; // the number of runs whose power of x is at least v
  std::vector<int> QX, QY, QZ;
};

DenseProduct::DenseProduct(const TermList& p, const TermList& q)
    : P(p), Q(q), RX(Clamp(p.MaxX + q.MaxX)), RY(Clamp(p.MaxY + q.MaxY)),
      RZ(Clamp(p.MaxZ + q.MaxZ)), Stride(RZ + 1), QX(q.Size()), QY(q.Size()), QZ(q.Size()) {
  FindRuns();
  for (size_t j = 0; j < q.Size(); ++j) {
    QX[j] = TMonom::PowX(q.Index[j]);
    QY[j] = TMonom::PowY(q.Index[j]);
    QZ[j] = TMonom::PowZ(q.Index[j]);
  }
}

void DenseProduct::FindRuns() {
  for (size_t i = 0; i < P.Size(); ++i) {
    const int32_t index = P.Index[i];
    const int px = TMonom::PowX(index), py = TMonom::PowY(index), pz = TMonom::PowZ(index);
    if (!Runs.empty()) {
      Run& last = Runs.back();
      if (last.Px == px && last.Py == py && last.PzLow == pz + 1) {
        last.PzLow = static_cast<int16_t>(pz);
        ++last.Length;
        continue;
      }
    }
    Runs.push_back({static_cast<int16_t>(px), static_cast<int16_t>(py), static_cast<int16_t>(pz), 1,
                    static_cast<int32_t>(i)});
  }
  RunCoeff.resize(P.Size());
  for (const Run& run : Runs)
    for (int k = 0; k < run.Length; ++k)
      RunCoeff[static_cast<size_t>(run.CoeffStart + k)] =
          P.Coeff[static_cast<size_t>(run.CoeffStart + run.Length - 1 - k)];
  // p's order puts the runs of higher powers of x first.
  for (const Run& run : Runs)
    ++RunsAbove[run.Px];
  for (int v = MaxPower; v >= 0; --v)
    RunsAbove[v] += RunsAbove[v + 1];
}

// The runs of p that reach slab x with monomial j of q: one power of x exactly, or, in the slab
// of the limit, every power from the one that reaches it upwards (a prefix).
bool DenseProduct::Reach(int x, size_t j, int& first, int& last) const {
  if (x < MaxPower) {
    const int v = x - QX[j];
    if (v < 0 || v > P.MaxX) return false;
    first = RunsAbove[v + 1];
    last = RunsAbove[v];
  } else {
    const int v = std::max(0, MaxPower - QX[j]);
    if (v > P.MaxX) return false;
    first = 0;
    last = RunsAbove[v];
  }
  return first != last;
}

// Runs in p's order: where clamping sends several monomials of p to one cell, they arrive there
// in p's order. Returns the term products made.
TERMIX_WIDE_LOOPS int64_t DenseProduct::AddRuns(int first, int last, size_t j, float* slab) const {
  const float factor = Q.Coeff[j];
  const int my = QY[j], mz = QZ[j];
  int64_t terms = 0;
  for (int r = first; r < last; ++r) {
    const Run& run = Runs[static_cast<size_t>(r)];
    float* row = slab + Clamp(run.Py + my) * Stride;
    const float* coeff = RunCoeff.data() + run.CoeffStart;
    const int low = run.PzLow + mz;
    if (low + run.Length - 1 <= MaxPower) {
      AddScaledRun(row + low, coeff, run.Length, factor);
    } else {
      for (int k = run.Length - 1; k >= 0; --k)
        row[Clamp(low + k)] += coeff[k] * factor;
    }
    terms += run.Length;
  }
  return terms;
}

bool DenseProduct::Slab(int n, std::vector<float>& slab, std::vector<TMonomPair>& out,
                        TermCount& count) const {
  const int x = RX - n;
  bool touched = false;
  for (size_t j = 0; j < Q.Size(); ++j) {
    int first = 0, last = 0;
    if (!Reach(x, j, first, last)) continue;
    touched = true;
    if (!count.Add(AddRuns(first, last, j, slab.data()))) return false;
  }
  if (!touched) return true;
  for (int y = RY; y >= 0; --y) {
    float* row = slab.data() + y * Stride;
    for (int z = RZ; z >= 0; --z) {
      if (row[z] != 0.0f) out.push_back({row[z], TMonom::MakeIndex(x, y, z)});
      row[z] = 0.0f;
    }
  }
  return true;
}

// The slabs dealt out between threads threads in turn, highest power of x first, the one that
// called taking the first; it appends the finished slabs to result in their order as they come,
// and it alone reports the progress. Dealt out so, each thread's share of the work, and so the
// reports, are the same from run to run.
bool DenseProductOnThreads(const TermList& p, const TermList& q, int threads, TPolinom& result,
                           TermPoller& poller) {
  const DenseProduct product(p, q);
  const int slabs = product.Slabs();
  threads = std::clamp(threads, 1, slabs);
  std::vector<std::vector<TMonomPair>> out(static_cast<size_t>(slabs));
  const std::unique_ptr<std::atomic<bool>[]> done(
      new std::atomic<bool>[static_cast<size_t>(slabs)]());
  std::atomic<bool> stop{false};
  int appended = 0;
  const auto appendDone = [&] {
    for (; appended < slabs && done[appended].load(std::memory_order_acquire); ++appended) {
      for (const TMonomPair& term : out[static_cast<size_t>(appended)])
        result.InsLast(new TMonom(term.Coeff, term.Index));
      std::vector<TMonomPair>().swap(out[static_cast<size_t>(appended)]);
    }
  };
  const auto work = [&](int thread) {
    TermCount count(poller, thread == 0, threads);
    std::vector<float> slab(product.SlabCells(), 0.0f);
    for (int n = thread; n < slabs && !stop.load(std::memory_order_relaxed); n += threads) {
      if (!product.Slab(n, slab, out[static_cast<size_t>(n)], count)) {
        stop = true;
        return;
      }
      done[n].store(true, std::memory_order_release);
      if (thread == 0) appendDone();
    }
  };
  RunOnThreads(threads, work, stop);
  if (stop) return false;
  appendDone();
  return true;
}

} // namespace

TPolinom TPolinom::operator*(const TPolinom& q) {
  return Product(q, nullptr);
}

namespace {

// The product of two single monomials, the commonest product of a typed formula (a coefficient
// times a variable, a power of a variable): one float product and one index, clamped.
TPolinom MonomialProduct(const TMonom& t, const TMonom& m, bool& clamped) {
  TPolinom result;
  if (t.GetCoeff() == 0.0f || m.GetCoeff() == 0.0f) return result;
  const int a = t.GetIndex(), b = m.GetIndex();
  const int sx = TMonom::PowX(a) + TMonom::PowX(b), sy = TMonom::PowY(a) + TMonom::PowY(b),
            sz = TMonom::PowZ(a) + TMonom::PowZ(b);
  clamped = sx > MaxPower || sy > MaxPower || sz > MaxPower;
  const float c = t.GetCoeff() * m.GetCoeff();
  if (c != 0.0f) result.InsLast(new TMonom(c, TMonom::MakeIndex(Clamp(sx), Clamp(sy), Clamp(sz))));
  return result;
}

} // namespace

TPolinom TPolinom::Product(const TPolinom& q, DSTRUCT::TWorkControl* control, int threads) {
  Overflow = false;
  if (GetListLength() == 1 && q.GetListLength() == 1) {
    bool clamped = false;
    TPolinom result = MonomialProduct(*static_cast<TMonom*>(GetDatValue(FIRST)),
                                      *static_cast<TMonom*>(q.GetDatValue(FIRST)), clamped);
    SetRetCode(clamped ? DataOverflow : DataOK);
    Overflow = clamped;
    return result;
  }
  TPolinom result;
  TermList qTerms = CollectTerms(const_cast<TPolinom&>(q));
  TermList pTerms;
  if (qTerms.Size() > 0) pTerms = CollectTerms(*this);
  bool clamped = false;
  bool finished = true;
  if (pTerms.Size() > 0) {
    const int64_t pairs = static_cast<int64_t>(pTerms.Size()) * static_cast<int64_t>(qTerms.Size());
    TermPoller poller(control, pairs);
    // Threads pay where the term products take far longer than starting them.
    if (threads <= 0)
      threads = pairs < ThreadedPairs ? 1 : std::max(1, int(std::thread::hardware_concurrency()));
    const int64_t box = int64_t{Clamp(pTerms.MaxX + qTerms.MaxX) + 1} *
                        (Clamp(pTerms.MaxY + qTerms.MaxY) + 1) *
                        (Clamp(pTerms.MaxZ + qTerms.MaxZ) + 1);
    // The dense way pays for scanning its slabs; few contributions over a large box (a
    // product of a few monomials of high powers) are cheaper to sort.
    if (pTerms.Ordered && qTerms.Ordered && pairs * 64 >= box) {
      clamped = pTerms.MaxX + qTerms.MaxX > MaxPower || pTerms.MaxY + qTerms.MaxY > MaxPower ||
                pTerms.MaxZ + qTerms.MaxZ > MaxPower;
      finished = DenseProductOnThreads(pTerms, qTerms, threads, result, poller);
    } else {
      TermCount count(poller, true);
      finished = SparseProduct(pTerms, qTerms, result, clamped, count);
    }
  }
  SetRetCode(clamped ? DataOverflow : DataOK);
  Overflow = clamped;
  if (!finished) return TPolinom(); // cancelled
  result.ResetList();
  return result;
}

} // namespace LISTSTRUCT
