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

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/TPolinom.h"
#include "core/TWorkControl.h"

namespace LISTSTRUCT {

namespace {

constexpr int MaxIndex = 10000 * MaxPower + 100 * MaxPower + MaxPower;

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

// Counts the term products done and polls the control every few thousand of them.
class TermPoller {
public:
  TermPoller(DSTRUCT::TWorkControl* control, int64_t total) : Control(control), Total(total) {}
  // False when the work is to stop.
  bool Add(int64_t count) {
    Done += count;
    if (Control == nullptr || Done < NextPoll) return true;
    NextPoll = Done + DSTRUCT::TWorkControl::PollTerms;
    Control->ReportStepPart(Done, Total);
    return !Control->IsCancelled();
  }

private:
  DSTRUCT::TWorkControl* Control;
  int64_t Total;
  int64_t Done = 0;
  int64_t NextPoll = DSTRUCT::TWorkControl::PollTerms;
};

int Clamp(int power) {
  return power > MaxPower ? MaxPower : power;
}

// The sparse way; it also serves operands that are not in strict descending order, whose
// powers it clamps term by term.
bool SparseProduct(const TermList& p, const TermList& q, TPolinom& result, bool& clamped,
                   TermPoller& poller) {
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
    if (!poller.Add(static_cast<int64_t>(p.Size()))) return false;
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

// out[k] += in[k] * factor. The indexes of one run are distinct, so the lanes are independent
// and each is the same float product and sum as one term at a time.
void AddScaledRun(float* __restrict out, const float* __restrict in, int count, float factor) {
  for (int k = 0; k < count; ++k)
    out[k] = out[k] + in[k] * factor;
}

// A run of p: consecutive monomials with the same powers of x and y whose powers of z fall by
// one from each to the next. Its coefficients are kept in ascending order of z, so that the
// run adds to consecutive accumulator cells.
struct Run {
  int16_t Px, Py, PzLow, Length;
  int32_t CoeffStart;
};

// The dense way. p must be in strict descending order (TermList::Ordered); q may be in any.
bool DenseProduct(const TermList& p, const TermList& q, TPolinom& result, TermPoller& poller) {
  const int rx = Clamp(p.MaxX + q.MaxX), ry = Clamp(p.MaxY + q.MaxY), rz = Clamp(p.MaxZ + q.MaxZ);

  std::vector<Run> runs;
  for (size_t i = 0; i < p.Size(); ++i) {
    const int32_t index = p.Index[i];
    const int px = TMonom::PowX(index), py = TMonom::PowY(index), pz = TMonom::PowZ(index);
    if (!runs.empty()) {
      Run& last = runs.back();
      if (last.Px == px && last.Py == py && last.PzLow == pz + 1) {
        last.PzLow = static_cast<int16_t>(pz);
        ++last.Length;
        continue;
      }
    }
    runs.push_back({static_cast<int16_t>(px), static_cast<int16_t>(py), static_cast<int16_t>(pz), 1,
                    static_cast<int32_t>(i)});
  }
  std::vector<float> runCoeff(p.Size());
  for (const Run& run : runs)
    for (int k = 0; k < run.Length; ++k)
      runCoeff[static_cast<size_t>(run.CoeffStart + k)] =
          p.Coeff[static_cast<size_t>(run.CoeffStart + run.Length - 1 - k)];
  // runsAbove[v]: the number of runs whose power of x is at least v; p's order puts them first.
  int runsAbove[MaxPower + 2] = {};
  for (const Run& run : runs)
    ++runsAbove[run.Px];
  for (int v = MaxPower; v >= 0; --v)
    runsAbove[v] += runsAbove[v + 1];

  const int stride = rz + 1;
  std::vector<float> slab(static_cast<size_t>((ry + 1) * stride), 0.0f);
  std::vector<int> qx(q.Size()), qy(q.Size()), qz(q.Size());
  for (size_t j = 0; j < q.Size(); ++j) {
    qx[j] = TMonom::PowX(q.Index[j]);
    qy[j] = TMonom::PowY(q.Index[j]);
    qz[j] = TMonom::PowZ(q.Index[j]);
  }

  for (int x = rx; x >= 0; --x) {
    bool touched = false;
    for (size_t j = 0; j < q.Size(); ++j) {
      // The runs of p that reach this slab with monomial j of q: one power of x exactly, or,
      // in the slab of the limit, every power from the one that reaches it upwards (a prefix).
      int first, last;
      if (x < MaxPower) {
        const int v = x - qx[j];
        if (v < 0 || v > p.MaxX) continue;
        first = runsAbove[v + 1];
        last = runsAbove[v];
      } else {
        const int v = std::max(0, MaxPower - qx[j]);
        if (v > p.MaxX) continue;
        first = 0;
        last = runsAbove[v];
      }
      if (first == last) continue;
      touched = true;
      const float factor = q.Coeff[j];
      const int my = qy[j], mz = qz[j];
      int64_t terms = 0;
      // Runs in p's order: where clamping sends several monomials of p to one cell, they
      // arrive there in p's order.
      for (int r = first; r < last; ++r) {
        const Run& run = runs[static_cast<size_t>(r)];
        float* row = slab.data() + Clamp(run.Py + my) * stride;
        const float* coeff = runCoeff.data() + run.CoeffStart;
        const int low = run.PzLow + mz;
        if (low + run.Length - 1 <= MaxPower) {
          AddScaledRun(row + low, coeff, run.Length, factor);
        } else {
          for (int k = run.Length - 1; k >= 0; --k)
            row[Clamp(low + k)] += coeff[k] * factor;
        }
        terms += run.Length;
      }
      if (!poller.Add(terms)) return false;
    }
    if (!touched) continue;
    for (int y = ry; y >= 0; --y) {
      float* row = slab.data() + y * stride;
      for (int z = rz; z >= 0; --z) {
        if (row[z] != 0.0f) result.InsLast(new TMonom(row[z], TMonom::MakeIndex(x, y, z)));
        row[z] = 0.0f;
      }
    }
  }
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

TPolinom TPolinom::Product(const TPolinom& q, DSTRUCT::TWorkControl* control) {
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
    const int64_t box = int64_t{Clamp(pTerms.MaxX + qTerms.MaxX) + 1} *
                        (Clamp(pTerms.MaxY + qTerms.MaxY) + 1) *
                        (Clamp(pTerms.MaxZ + qTerms.MaxZ) + 1);
    // The dense way pays for scanning its slabs; few contributions over a large box (a
    // product of a few monomials of high powers) are cheaper to sort.
    if (pTerms.Ordered && qTerms.Ordered && pairs * 64 >= box) {
      clamped = pTerms.MaxX + qTerms.MaxX > MaxPower || pTerms.MaxY + qTerms.MaxY > MaxPower ||
                pTerms.MaxZ + qTerms.MaxZ > MaxPower;
      finished = DenseProduct(pTerms, qTerms, result, poller);
    } else {
      finished = SparseProduct(pTerms, qTerms, result, clamped, poller);
    }
  }
  SetRetCode(clamped ? DataOverflow : DataOK);
  Overflow = clamped;
  if (!finished) return TPolinom(); // cancelled
  result.ResetList();
  return result;
}

} // namespace LISTSTRUCT
