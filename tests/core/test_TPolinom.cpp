// Polynomial construction, ordering, copies and operations.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "PolTestUtil.h"
#include "core/TPolinom.h"

using namespace LISTSTRUCT;
using poltest::Terms;
using poltest::TermsOf;

TEST(TPolinom, NewPolynomialIsZeroWithSentinelAtItsEnd) {
  TPolinom p;
  EXPECT_TRUE(p.IsEmpty());
  EXPECT_EQ(p.GetListLength(), 0);
  EXPECT_EQ(p.GetRetCode(), DataOK);
  EXPECT_EQ(p.ResetList(), DataEmpty);
  EXPECT_EQ(p.GetCurrentPos(), -1);
  EXPECT_EQ(p.GetMonom()->GetIndex(), -1); // the head's sentinel
  EXPECT_EQ(p.GetMonom()->GetCoeff(), 0.0f);
  EXPECT_TRUE(p.GetCorrect());
  EXPECT_FALSE(p.GetOverflow());
  EXPECT_TRUE(EmptyPol.IsEmpty());
}

TEST(TPolinom, AddMonomKeepsDescendingOrderAndMergesLikeTerms) {
  TPolinom p;
  for (int index : {100, 20103, 0, 10000})
    TPolinom::AddMonom(p, TMonom(1.0f, index));
  EXPECT_EQ(TermsOf(p), (Terms{{20103, 1}, {10000, 1}, {100, 1}, {0, 1}}));

  TPolinom q;
  TPolinom::AddMonom(q, TMonom(2, 100));
  TPolinom::AddMonom(q, TMonom(-2, 100));
  EXPECT_TRUE(q.IsEmpty());
  TPolinom::AddMonom(q, TMonom(0.5f, 100));
  TPolinom::AddMonom(q, TMonom(0.25f, 100));
  EXPECT_EQ(TermsOf(q), (Terms{{100, 0.75f}}));
  TPolinom::AddMonom(q, TMonom(0.25f, 100));
  EXPECT_EQ(TermsOf(q), (Terms{{100, 1.0f}}));

  TPolinom::AddMonom(q, TMonom(5, -1)); // a sentinel index is refused
  EXPECT_EQ(q.GetRetCode(), DataErr);
  EXPECT_EQ(TermsOf(q), (Terms{{100, 1.0f}}));
}

TEST(TPolinom, CopiesAreDeepAndIndependent) {
  TPolinom src{{3, 20000}, {-1, 1}};
  auto* copy = new TPolinom(src);
  EXPECT_TRUE(src.IsListEnded()); // the copy walked the source to its end
  EXPECT_EQ(TermsOf(*copy), TermsOf(src));
  copy->GetMonom()->SetCoeff(9); // position 0 of the copy
  TPolinom::AddMonom(*copy, TMonom(1, 0));
  delete copy;
  EXPECT_EQ(TermsOf(src), (Terms{{20000, 3}, {1, -1}}));

  TPolinom target;
  target.SetText("q"); // rejected: flags must survive assignment
  target = src;
  EXPECT_EQ(TermsOf(target), TermsOf(src));
  EXPECT_FALSE(target.GetCorrect());
  target = target; // self-assignment through the by-value argument
  EXPECT_EQ(TermsOf(target), TermsOf(src));
  target = EmptyPol;
  EXPECT_TRUE(target.IsEmpty());
  EXPECT_EQ(target.GetRetCode(), DataOK);
}

TEST(TPolinom, OperationEdgeCases) {
  TPolinom x1{{1, 10000}, {1, 0}}, xm1{{1, 10000}, {-1, 0}};
  EXPECT_EQ(TermsOf(x1 * xm1), (Terms{{20000, 1}, {0, -1}}));

  TPolinom x60{{1, 600000}}, x50{{1, 500000}}, x49{{1, 490000}};
  EXPECT_EQ(TermsOf(x60 * x50), (Terms{{990000, 1}}));
  EXPECT_EQ(x60.GetRetCode(), DataOverflow);
  EXPECT_TRUE(x60.GetOverflow());
  TPolinom r = x49 * x50;
  EXPECT_EQ(TermsOf(r), (Terms{{990000, 1}}));
  EXPECT_EQ(x49.GetRetCode(), DataOK);
  EXPECT_FALSE(x49.GetOverflow());

  TPolinom two{{2, 990000}, {3, 980000}}, x5{{4, 50000}};
  r = two * x5; // both terms clamp to x^99 and merge
  EXPECT_EQ(TermsOf(r), (Terms{{990000, 20}}));
  EXPECT_TRUE(two.GetOverflow());
  r = two * EmptyPol;
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(two.GetRetCode(), DataOK);
  EXPECT_FALSE(two.GetOverflow());

  TPolinom p{{3, 20100}};
  EXPECT_EQ(TermsOf(p.Derivative('x')), (Terms{{10100, 6}}));
  EXPECT_TRUE(p.Derivative('Z').IsEmpty());
  EXPECT_EQ(p.Derivative('q').GetListLength(), 0);
  EXPECT_EQ(p.GetRetCode(), DataErr);

  TPolinom x{{1, 10000}}, five{{5, 0}}, x99{{2, 990000}};
  EXPECT_EQ(TermsOf(x.Integral('X')), (Terms{{20000, 0.5f}}));
  EXPECT_EQ(TermsOf(five.Integral('y')), (Terms{{100, 5}}));
  EXPECT_FALSE(five.GetOverflow());
  EXPECT_EQ(TermsOf(x99.Integral('x')), (Terms{{990000, 2.0f / 99.0f}}));
  EXPECT_TRUE(x99.GetOverflow());
  EXPECT_EQ(x99.GetRetCode(), DataOK);

  EXPECT_TRUE((p - p).IsEmpty());
  EXPECT_EQ(TermsOf(p + EmptyPol), TermsOf(p));
  TPolinom empty;
  r = empty + p; // an empty operand keeps the code of its walk
  EXPECT_EQ(empty.GetRetCode(), DataEmpty);

  TPolinom v{{1, 20100}, {-3, 0}}, xy{{1, 10100}}, four{{4, 0}};
  EXPECT_EQ(v.Value(2, 5, 7), 17.0f);
  EXPECT_EQ(xy.Value(0, 3, 1), 0.0f);
  EXPECT_EQ(four.Value(0, 0, 0), 4.0f);
  EXPECT_EQ(empty.Value(1, 2, 3), 0.0f);
}

// A reference polynomial in a std::map, with the same float arithmetic in the
// same order as the list operations are defined to use.
using Ref = std::map<int, float, std::greater<int>>;

Ref RefOf(TPolinom&& p) {
  Ref r;
  for (auto [i, c] : TermsOf(p))
    r[i] = c;
  return r;
}
Ref RefOf(TPolinom& p) {
  return RefOf(std::move(p));
}

void RefAdd(Ref& r, int index, float c) {
  auto [it, inserted] = r.try_emplace(index, c);
  if (!inserted && (it->second = it->second + c) == 0.0f) r.erase(it);
}

TEST(TPolinom, OperationsAgreeWithMapModelOnRandomInputs) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> point(-1.5f, 1.5f);
  for (int round = 0; round < 300; ++round) {
    TPolinom p = poltest::RandomPol(rng, 1 + round % 12, 4, poltest::SmallInt);
    TPolinom q = poltest::RandomPol(rng, 1 + round % 9, 4, poltest::SmallInt);
    Ref rp = RefOf(p), rq = RefOf(q);

    Ref sum = rp, diff = rp, prod;
    for (auto [i, c] : rq) {
      RefAdd(sum, i, c);
      RefAdd(diff, i, -c);
    }
    for (auto [j, d] : rq)
      for (auto [i, c] : rp)
        RefAdd(prod, i + j, c * d); // powers stay far below the limit here
    EXPECT_EQ(RefOf(p + q), sum);
    EXPECT_EQ(RefOf(p - q), diff);
    EXPECT_EQ(RefOf(p * q), prod);

    const int unit[3] = {10000, 100, 1};
    for (int v = 0; v < 3; ++v) {
      const char var = "xyz"[v];
      Ref deriv, integ;
      for (auto [i, c] : rp) {
        const int k = (i / unit[v]) % 100;
        if (k > 0) RefAdd(deriv, i - unit[v], c * static_cast<float>(k));
        RefAdd(integ, i + unit[v], c / static_cast<float>(k + 1));
      }
      EXPECT_EQ(RefOf(p.Derivative(var)), deriv);
      EXPECT_EQ(RefOf(p.Integral(var)), integ);
    }

    const float x = point(rng), y = point(rng), z = point(rng);
    double value = 0;
    for (auto [i, c] : rp)
      value += c * std::pow(x, i / 10000) * std::pow(y, i / 100 % 100) * std::pow(z, i % 100);
    EXPECT_NEAR(p.Value(x, y, z), value, 1e-4 * (1 + std::fabs(value)));
  }
}
