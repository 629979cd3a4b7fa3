// The product against the plain partial-product algorithm, bit for bit.

#include <gtest/gtest.h>

#include <cfloat>

#include "PolTestUtil.h"
#include "core/TPolinom.h"

using namespace LISTSTRUCT;

namespace {

// For each monomial m of q in order: the partial product p*m (terms with a zero
// factor or a zero product contribute nothing; powers above the limit clamp),
// each of its monomials merged into the accumulator with AddMonom. q's
// monomials are taken first, so that p * p does not disturb its own walk.
TPolinom PlainProduct(TPolinom& p, TPolinom& q, bool& clamped) {
  TPolinom acc;
  clamped = false;
  std::vector<TMonom> qMonoms;
  for (q.ResetList(); !q.IsListEnded(); q.GoNextLink())
    qMonoms.push_back(*q.GetMonom());
  for (const TMonom& m : qMonoms) {
    TPolinom partial;
    for (p.ResetList(); !p.IsListEnded(); p.GoNextLink()) {
      const TMonom t = *p.GetMonom();
      if (t.GetCoeff() == 0.0f || m.GetCoeff() == 0.0f) continue;
      int s[3] = {TMonom::PowX(t.GetIndex()) + TMonom::PowX(m.GetIndex()),
                  TMonom::PowY(t.GetIndex()) + TMonom::PowY(m.GetIndex()),
                  TMonom::PowZ(t.GetIndex()) + TMonom::PowZ(m.GetIndex())};
      for (int& v : s)
        if (v > MaxPower) {
          v = MaxPower;
          clamped = true;
        }
      const float c = t.GetCoeff() * m.GetCoeff();
      if (c != 0.0f) partial.InsLast(new TMonom(c, TMonom::MakeIndex(s[0], s[1], s[2])));
    }
    for (partial.ResetList(); !partial.IsListEnded(); partial.GoNextLink())
      TPolinom::AddMonom(acc, *partial.GetMonom());
  }
  return acc;
}

void Compare(TPolinom& p, TPolinom& q, int& clamps, int& merges) {
  bool clamped = false;
  TPolinom expected = PlainProduct(p, q, clamped);
  TPolinom got = p * q;
  ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(got), poltest::TermsOf(expected)))
      << p.GetText() << "  *  " << q.GetText();
  EXPECT_EQ(p.GetRetCode(), clamped ? DataOverflow : DataOK);
  EXPECT_EQ(p.GetOverflow(), clamped);
  clamps += clamped;
  merges += got.GetListLength() < p.GetListLength() * q.GetListLength();
}

} // namespace

TEST(TPolProduct, MatchesPartialProductMergeBitForBit) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> real(-2.0f, 2.0f);
  auto mixed = [&](std::mt19937& g) {
    switch (g() % 4) {
    case 0:
      return poltest::SmallInt(g);
    case 1:
      return real(g);
    case 2:
      return std::ldexp(real(g), static_cast<int>(g() % 200) - 100); // overflow, underflow
    default:
      return poltest::AnyFinite(g);
    }
  };
  int clamps = 0, merges = 0;
  for (int round = 0; round < 3000; ++round) {
    // Low powers make many like terms; powers near the limit make clamps.
    const int maxPower = round % 3 == 0 ? 3 : (round % 3 == 1 ? 60 : 99);
    TPolinom p = poltest::RandomPol(rng, 1 + round % 15, maxPower, mixed);
    TPolinom q = poltest::RandomPol(rng, 1 + round % 11, maxPower, mixed);
    Compare(p, q, clamps, merges);
    if (round % 10 == 0) Compare(p, p, clamps, merges);
  }
  EXPECT_GT(clamps, 500);
  EXPECT_GT(merges, 500);
}

TEST(TPolProduct, RepeatedPowersMatchAndStayExact) {
  TPolinom base{{1, 10000}, {1, 100}, {1, 1}, {1, 0}};
  TPolinom fast{{1, 0}}, plain{{1, 0}};
  for (int n = 1; n <= 8; ++n) {
    bool clamped;
    fast = fast * base;
    plain = PlainProduct(plain, base, clamped);
    ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(fast), poltest::TermsOf(plain))) << n;
  }
  // (X+Y+Z+1)^8: C(11,3) monomials, multinomial coefficients summing to 4^8.
  EXPECT_EQ(fast.GetListLength(), 165);
  float total = 0;
  for (auto [i, c] : poltest::TermsOf(fast))
    total += c;
  EXPECT_EQ(total, 65536.0f);
  EXPECT_EQ(fast.Value(1, 1, 1), 65536.0f);
}

// The sum and the difference against adding q's monomials one by one with AddMonom to a copy
// of p, bit for bit, with cancellations and self-sums.
TEST(TPolSum, MatchesMonomByMonomMergeBitForBit) {
  std::mt19937 rng(7);
  auto plain = [](TPolinom& p, TPolinom& q, bool negate) {
    TPolinom acc(p);
    std::vector<TMonom> qMonoms;
    for (q.ResetList(); !q.IsListEnded(); q.GoNextLink())
      qMonoms.push_back(*q.GetMonom());
    for (const TMonom& m : qMonoms)
      TPolinom::AddMonom(acc, TMonom(negate ? -m.GetCoeff() : m.GetCoeff(), m.GetIndex()));
    return acc;
  };
  int cancelled = 0;
  for (int round = 0; round < 3000; ++round) {
    const int maxPower = round % 2 == 0 ? 2 : 99;
    TPolinom p = poltest::RandomPol(rng, round % 20, maxPower, poltest::SmallInt);
    TPolinom q = poltest::RandomPol(rng, round % 13, maxPower, [&](std::mt19937& g) {
      return g() % 2 ? poltest::SmallInt(g) : poltest::AnyFinite(g);
    });
    for (bool negate : {false, true}) {
      TPolinom expected = plain(p, q, negate);
      TPolinom got = negate ? p - q : p + q;
      ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(got), poltest::TermsOf(expected)))
          << p.GetText() << (negate ? "  -  " : "  +  ") << q.GetText();
      EXPECT_TRUE(p.IsListEnded());
      EXPECT_TRUE(q.IsListEnded());
      cancelled += got.GetListLength() < p.GetListLength() + q.GetListLength();
    }
    TPolinom self = plain(p, p, false);
    EXPECT_TRUE(poltest::SameBits(poltest::TermsOf(p + p), poltest::TermsOf(self)));
    EXPECT_TRUE((p - p).IsEmpty());
  }
  EXPECT_GT(cancelled, 300);
}
