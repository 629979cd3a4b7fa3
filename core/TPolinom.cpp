#include "core/TPolinom.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

namespace LISTSTRUCT {

TPolinom EmptyPol;

TPolinom::TPolinom(const TMonomPair* monoms, int count) {
  if (pHead == nullptr) throw std::bad_alloc();
  pHead->SetDatValue(new TMonom(0.0f, -1));
  for (int i = 0; monoms != nullptr && i < count; ++i)
    InsLast(new TMonom(monoms[i].Coeff, monoms[i].Index));
  SetRetCode(DataOK);
}

TPolinom::TPolinom(std::initializer_list<TMonomPair> monoms)
    : TPolinom(monoms.begin(), static_cast<int>(monoms.size())) {}

TPolinom::TPolinom(const TPolinom& q) : TPolinom() {
  // Walking changes only the source's position and code, never its monomials.
  TPolinom& src = const_cast<TPolinom&>(q);
  for (src.ResetList(); !src.IsListEnded(); src.GoNextLink())
    InsLast(src.GetMonom()->GetCopy());
  SetRetCode(DataOK);
}

TPolinom::TPolinom(TPolinom&& q) noexcept : TPolinom() {
  TakeMonoms(q);
  SetRetCode(DataOK);
}

TPolinom::~TPolinom() = default;

void TPolinom::TakeMonoms(TPolinom& q) {
  // This ring is empty; the links of q move over in their order.
  if (q.IsEmpty()) return;
  pFirst = q.pFirst;
  pLast = q.pLast;
  ListLen = q.ListLen;
  pHead->SetNextLink(pFirst);
  pLast->SetNextLink(pHead);
  ResetList();
  q.pHead->SetNextLink(q.pHead);
  q.pFirst = q.pLast = q.pCurrLink = q.pPrevLink = q.pStop;
  q.ListLen = 0;
  q.ListPos = -1;
}

TPolinom& TPolinom::operator=(TPolinom q) {
  // q is a private copy, so its links can be taken instead of copied again.
  SetRetCode(DataOK);
  DelList();
  TakeMonoms(q);
  SetRetCode(DataOK);
  return *this;
}

void TPolinom::AddMonom(TPolinom& pol, const TMonom& m) {
  if (m.GetIndex() < 0) {
    // Negative indexes are the sentinel's: such a monomial has no place in a ring.
    pol.SetRetCode(DataErr);
    return;
  }
  TMonom* n = new TMonom(m.GetCoeff(), m.GetIndex());
  pol.ResetList();
  while (n->GetIndex() < pol.GetMonom()->GetIndex())
    pol.GoNextLink();
  TMonom* t = pol.GetMonom();
  if (t->GetIndex() != n->GetIndex()) {
    pol.InsCurrent(n);
    return;
  }
  float s = t->GetCoeff() + n->GetCoeff();
  if (s == 0.0f)
    pol.DelCurrent();
  else
    t->SetCoeff(s);
  delete n;
}

namespace {

// Power of the variable var ('x', 'y', 'z' in either case) in index, or -1.
int VarPower(char var, int index) {
  switch (var) {
  case 'x':
  case 'X':
    return TMonom::PowX(index);
  case 'y':
  case 'Y':
    return TMonom::PowY(index);
  case 'z':
  case 'Z':
    return TMonom::PowZ(index);
  default:
    return -1;
  }
}

// Index step of one power of var.
int VarUnit(char var) {
  switch (var) {
  case 'x':
  case 'X':
    return 10000;
  case 'y':
  case 'Y':
    return 100;
  default:
    return 1;
  }
}

int ClampPower(int power, bool& clamped) {
  if (power > MaxPower) {
    clamped = true;
    return MaxPower;
  }
  return power;
}

} // namespace

TPolinom TPolinom::AddOrSubtract(const TPolinom& q, bool negate) {
  SetRetCode(DataOK);
  // Both lists are in strictly descending index order, so each monomial of q meets at most
  // one like term here. One merge walk therefore forms exactly the sums (this polynomial's
  // coefficient first) that adding q's monomials one by one with AddMonom would, in linear
  // instead of quadratic time. Both operands are walked to their ends, as the copy and the
  // walk of q would leave them.
  if (&q == this) {
    const TPolinom copy(q); // one list cannot be walked at two positions at once
    return AddOrSubtract(copy, negate);
  }
  TPolinom result;
  TPolinom& src = const_cast<TPolinom&>(q);
  ResetList();
  src.ResetList();
  while (!IsListEnded() || !src.IsListEnded()) {
    const TMonom* mine = IsListEnded() ? nullptr : GetMonom();
    const TMonom* theirs = src.IsListEnded() ? nullptr : src.GetMonom();
    if (theirs == nullptr || (mine != nullptr && mine->GetIndex() > theirs->GetIndex())) {
      result.InsLast(new TMonom(mine->GetCoeff(), mine->GetIndex()));
      GoNextLink();
      continue;
    }
    const float coeff = negate ? -theirs->GetCoeff() : theirs->GetCoeff();
    if (mine != nullptr && mine->GetIndex() == theirs->GetIndex()) {
      const float sum = mine->GetCoeff() + coeff;
      if (sum != 0) result.InsLast(new TMonom(sum, mine->GetIndex()));
      GoNextLink();
    } else {
      result.InsLast(new TMonom(coeff, theirs->GetIndex()));
    }
    src.GoNextLink();
  }
  result.ResetList();
  return result;
}

TPolinom TPolinom::operator+(const TPolinom& q) {
  return AddOrSubtract(q, false);
}

TPolinom TPolinom::operator-(const TPolinom& q) {
  return AddOrSubtract(q, true);
}

TPolinom TPolinom::operator*(const TPolinom& q) {
  // Every partial product (this times one monomial of q, in q's order) merged
  // into an accumulator with AddMonom gives each result index the float sum of
  // its contributions in generation order: q's order outside, this polynomial's
  // order inside. The same sums are formed here by collecting the contributions,
  // ordering them by index (stable in generation order) and summing each run,
  // which replaces the quadratic walks of the accumulator by one sort.
  Overflow = false;
  bool clamped = false;

  struct Term {
    float Coeff;
    int32_t Index;
  };
  std::vector<Term> qTerms;
  TPolinom& src = const_cast<TPolinom&>(q);
  for (src.ResetList(); !src.IsListEnded(); src.GoNextLink())
    qTerms.push_back({src.GetMonom()->GetCoeff(), src.GetMonom()->GetIndex()});

  std::vector<Term> pTerms;
  if (!qTerms.empty()) {
    pTerms.reserve(static_cast<size_t>(ListLen));
    for (ResetList(); !IsListEnded(); GoNextLink())
      pTerms.push_back({GetMonom()->GetCoeff(), GetMonom()->GetIndex()});
  }

  struct Contribution {
    int32_t Index;
    uint32_t Seq;
    float Coeff;
  };
  std::vector<Contribution> parts;
  parts.reserve(pTerms.size() * qTerms.size());
  uint32_t seq = 0;
  for (const Term& m : qTerms) {
    if (m.Coeff == 0.0f) continue;
    const int mx = TMonom::PowX(m.Index), my = TMonom::PowY(m.Index), mz = TMonom::PowZ(m.Index);
    for (const Term& t : pTerms) {
      if (t.Coeff == 0.0f) continue;
      const int sx = ClampPower(TMonom::PowX(t.Index) + mx, clamped);
      const int sy = ClampPower(TMonom::PowY(t.Index) + my, clamped);
      const int sz = ClampPower(TMonom::PowZ(t.Index) + mz, clamped);
      const float c = t.Coeff * m.Coeff;
      // A product that underflows to 0 contributes nothing, like a zero factor.
      if (c != 0.0f) parts.push_back({TMonom::MakeIndex(sx, sy, sz), seq++, c});
    }
  }
  std::sort(parts.begin(), parts.end(), [](const Contribution& a, const Contribution& b) {
    return a.Index != b.Index ? a.Index > b.Index : a.Seq < b.Seq;
  });

  TPolinom result;
  for (size_t i = 0; i < parts.size();) {
    const int32_t index = parts[i].Index;
    // An absent term acts as 0, and 0 + c == c for every non-zero c, so a term
    // that cancels and comes back sums the same as delete-then-insert does.
    float sum = 0.0f;
    for (; i < parts.size() && parts[i].Index == index; ++i)
      sum = sum + parts[i].Coeff;
    if (sum != 0.0f) result.InsLast(new TMonom(sum, index));
  }

  SetRetCode(clamped ? DataOverflow : DataOK);
  Overflow = clamped;
  return result;
}

TPolinom TPolinom::Derivative(char var) {
  TPolinom result;
  if (VarPower(var, 0) < 0) {
    SetRetCode(DataErr);
    return result;
  }
  SetRetCode(DataOK);
  const int unit = VarUnit(var);
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    const int k = VarPower(var, m->GetIndex());
    if (k < 1) continue;
    const float c = m->GetCoeff() * static_cast<float>(k);
    if (c != 0.0f) AddMonom(result, TMonom(c, m->GetIndex() - unit));
  }
  return result;
}

TPolinom TPolinom::Integral(char var) {
  TPolinom result;
  Overflow = false;
  if (VarPower(var, 0) < 0) {
    SetRetCode(DataErr);
    return result;
  }
  SetRetCode(DataOK);
  const int unit = VarUnit(var);
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    const int k = VarPower(var, m->GetIndex());
    int index = m->GetIndex();
    float c;
    if (k < MaxPower) {
      c = m->GetCoeff() / static_cast<float>(k + 1);
      index += unit;
    } else {
      c = m->GetCoeff() / static_cast<float>(MaxPower);
      Overflow = true;
    }
    // A quotient that underflows to 0 is left out, so no zero monomial remains.
    if (c != 0.0f) AddMonom(result, TMonom(c, index));
  }
  return result;
}

float TPolinom::Value(float x, float y, float z) {
  SetRetCode(DataOK);
  float sum = 0.0f;
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    const int index = m->GetIndex();
    const int px = TMonom::PowX(index), py = TMonom::PowY(index), pz = TMonom::PowZ(index);
    const float fx = px != 0 ? static_cast<float>(std::pow(static_cast<double>(x), px)) : 1.0f;
    const float fy = py != 0 ? static_cast<float>(std::pow(static_cast<double>(y), py)) : 1.0f;
    const float fz = pz != 0 ? static_cast<float>(std::pow(static_cast<double>(z), pz)) : 1.0f;
    sum = static_cast<float>(static_cast<long double>(m->GetCoeff()) * fx * fy * fz + sum);
  }
  return sum;
}

} // namespace LISTSTRUCT
