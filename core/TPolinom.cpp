#include "core/TPolinom.h"

#include "core/TListObserver.h"

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
  TListObserver* const observer = pol.Observer;
  const auto tell = [&pol, observer](TListEventKind kind, float coeff, int index) {
    observer->Notice({kind, pol.ListPos, coeff, index});
  };
  // The walk always stops: at the end of the ring the current monomial is the head's
  // sentinel, whose index -1 no real index is below. Without an observer it is kept bare.
  pol.ResetList();
  if (observer == nullptr) {
    while (n->GetIndex() < pol.GetMonom()->GetIndex())
      pol.GoNextLink();
  } else {
    for (;; pol.GoNextLink()) {
      const TMonom* current = pol.GetMonom();
      tell(TListEventKind::Visit, current->GetCoeff(), current->GetIndex());
      if (!(n->GetIndex() < current->GetIndex())) break;
    }
  }
  TMonom* t = pol.GetMonom();
  if (t->GetIndex() != n->GetIndex()) {
    if (observer != nullptr) tell(TListEventKind::Insert, n->GetCoeff(), n->GetIndex());
    pol.InsCurrent(n);
    return;
  }
  float s = t->GetCoeff() + n->GetCoeff();
  if (observer != nullptr)
    tell(s == 0.0f ? TListEventKind::Remove : TListEventKind::Merge, s, n->GetIndex());
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

TPolinom TPolinom::Derivative(char var) {
  TPolinom result;
  if (VarPower(var, 0) < 0) {
    SetRetCode(DataErr);
    return result;
  }
  SetRetCode(DataOK);
  // Lowering the power of var in every monomial that holds var keeps their indexes strictly
  // descending and distinct, so the result is built by appending.
  const int unit = VarUnit(var);
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    const int k = VarPower(var, m->GetIndex());
    if (k < 1) continue;
    const float c = m->GetCoeff() * static_cast<float>(k);
    if (c != 0.0f) result.InsLast(new TMonom(c, m->GetIndex() - unit));
  }
  result.ResetList();
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
  // Raising the power of var keeps the raised monomials in strictly descending order, and
  // those left at the limit are in that order among themselves. Only the two streams can
  // meet: a monomial at the limit and the one with the power just below it, which always
  // comes later in this polynomial. The kept monomials wait in a queue and are merged in at
  // their places, their coefficient first, as AddMonom would sum them.
  const int unit = VarUnit(var);
  std::vector<TMonomPair> atLimit;
  size_t nextAtLimit = 0;
  const auto flushAbove = [&](int32_t index) {
    for (; nextAtLimit < atLimit.size() && atLimit[nextAtLimit].Index > index; ++nextAtLimit)
      result.InsLast(new TMonom(atLimit[nextAtLimit].Coeff, atLimit[nextAtLimit].Index));
  };
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    const int k = VarPower(var, m->GetIndex());
    if (k >= MaxPower) {
      const float c = m->GetCoeff() / static_cast<float>(MaxPower);
      Overflow = true;
      // A quotient that underflows to 0 is left out, so no zero monomial remains.
      if (c != 0.0f) atLimit.push_back({c, m->GetIndex()});
      continue;
    }
    const float c = m->GetCoeff() / static_cast<float>(k + 1);
    if (c == 0.0f) continue;
    const int32_t index = m->GetIndex() + unit;
    flushAbove(index);
    if (nextAtLimit < atLimit.size() && atLimit[nextAtLimit].Index == index) {
      const float sum = atLimit[nextAtLimit++].Coeff + c;
      if (sum != 0.0f) result.InsLast(new TMonom(sum, index));
    } else {
      result.InsLast(new TMonom(c, index));
    }
  }
  flushAbove(-1);
  result.ResetList();
  return result;
}

TPolinom::TPowers TPolinom::MaxPowers() {
  TPowers powers;
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    const TMonom* m = GetMonom();
    if (m->GetCoeff() == 0.0f) continue;
    powers.X = std::max(powers.X, TMonom::PowX(m->GetIndex()));
    powers.Y = std::max(powers.Y, TMonom::PowY(m->GetIndex()));
    powers.Z = std::max(powers.Z, TMonom::PowZ(m->GetIndex()));
  }
  return powers;
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
