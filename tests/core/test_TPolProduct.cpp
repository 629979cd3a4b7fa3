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

// The product on one, two and three threads against the plain algorithm.
void Compare(TPolinom& p, TPolinom& q, int& clamps, int& merges) {
  bool clamped = false;
  TPolinom expected = PlainProduct(p, q, clamped);
  TPolinom got = p * q;
  ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(got), poltest::TermsOf(expected)))
      << p.GetText() << "  *  " << q.GetText();
  EXPECT_EQ(p.GetRetCode(), clamped ? DataOverflow : DataOK);
  EXPECT_EQ(p.GetOverflow(), clamped);
  for (int threads = 1; threads <= 3; ++threads) {
    ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(p.Product(q, nullptr, threads)),
                                  poltest::TermsOf(expected)))
        << threads << " threads: " << p.GetText() << "  *  " << q.GetText();
    EXPECT_EQ(p.GetOverflow(), clamped);
  }
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

// The powers a random monomial may have, per variable.
struct PowerBox {
  int Low[3], High[3];
};

// Powers 0..narrow for two variables and, for the one chosen by round, 0..99 in even rounds
// and wideLow..99 in odd ones.
PowerBox OneWideVariable(int round, int narrow, int wideLow) {
  PowerBox box{{0, 0, 0}, {narrow, narrow, narrow}};
  box.Low[round % 3] = round % 2 == 0 ? 0 : wideLow;
  box.High[round % 3] = MaxPower;
  return box;
}

// Random monomials with powers drawn from the box, added with AddMonom.
template <class Coeff>
TPolinom BoxPol(std::mt19937& rng, int terms, const PowerBox& box, Coeff coeff) {
  TPolinom p;
  for (int i = 0; i < terms; ++i) {
    int power[3];
    for (int v = 0; v < 3; ++v)
      power[v] = std::uniform_int_distribution<int>(box.Low[v], box.High[v])(rng);
    const float c = coeff(rng);
    if (c != 0.0f)
      TPolinom::AddMonom(p, TMonom(c, TMonom::MakeIndex(power[0], power[1], power[2])));
  }
  return p;
}

// Many terms in a small box of indexes with one variable reaching the limit: the accumulator
// way, with clamping on x, y or z in turn, and with long runs of consecutive powers of z.
TEST(TPolProduct, DenseProductsWithClampingMatchBitForBit) {
  std::mt19937 rng(2024);
  int clamps = 0, merges = 0;
  for (int round = 0; round < 300; ++round) {
    const PowerBox box = OneWideVariable(round, 2, 40);
    auto coeff = [&](std::mt19937& g) {
      return g() % 3 == 0 ? poltest::AnyFinite(g) : poltest::SmallInt(g);
    };
    TPolinom p = BoxPol(rng, 5 + round % 60, box, coeff);
    TPolinom q = BoxPol(rng, 5 + round % 40, box, coeff);
    Compare(p, q, clamps, merges);
  }
  EXPECT_GT(clamps, 150);
  EXPECT_GT(merges, 250);
}

// Two 1000-term polynomials with all powers 50..59, whose every sum clamps to x^99 y^99 z^99:
// a million cancelling integer contributions to one index. Then 1000 terms of powers 0..9
// against powers 92..95 (partly clamping) with arbitrary float coefficients, and against
// powers 0..1, whose sums never clamp.
TEST(TPolProduct, ThousandTermProductsMatchBitForBit) {
  std::mt19937 rng(5);
  auto cube = [&](int from, int size, auto coeff) {
    TPolinom p;
    for (int i = 0; i < size * size * size; ++i)
      TPolinom::AddMonom(
          p, TMonom(coeff(rng), TMonom::MakeIndex(from + i / (size * size), from + i / size % size,
                                                  from + i % size)));
    return p;
  };
  auto nonZeroInt = [](std::mt19937& g) {
    const float c = poltest::SmallInt(g);
    return c == 0.0f ? 1.0f : c;
  };
  auto anyFloat = [](std::mt19937& g) { return poltest::AnyFinite(g); };
  int clamps = 0, merges = 0;
  TPolinom first = cube(50, 10, nonZeroInt), second = cube(50, 10, nonZeroInt);
  ASSERT_EQ(first.GetListLength(), 1000);
  ASSERT_EQ(second.GetListLength(), 1000);
  Compare(first, second, clamps, merges);
  TPolinom low = cube(0, 10, anyFloat), high = cube(92, 4, anyFloat), unit = cube(0, 2, anyFloat);
  Compare(high, low, clamps, merges);
  Compare(unit, low, clamps, merges);
  EXPECT_EQ(clamps, 2);
  EXPECT_EQ(merges, 3);
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

// The derivative and the integral against adding each transformed monomial with AddMonom, bit
// for bit; powers 98 and 99 make the integral's clamp meet raised monomials, sometimes with
// opposite coefficients that cancel.
TEST(TPolDerivativeIntegral, MatchMonomByMonomMergeBitForBit) {
  std::mt19937 rng(11);
  int merged = 0, cancelled = 0;
  for (int round = 0; round < 2000; ++round) {
    TPolinom p = BoxPol(rng, 1 + round % 40, OneWideVariable(round, 3, 97), [](std::mt19937& g) {
      return g() % 2 ? poltest::SmallInt(g) * 99.0f : poltest::AnyFinite(g);
    });
    for (int v = 0; v < 3; ++v) {
      const char var = "xyz"[v];
      const int unit = v == 0 ? 10000 : v == 1 ? 100 : 1;
      TPolinom deriv, integ;
      bool limit = false;
      for (auto [index, c] : poltest::TermsOf(p)) {
        const int k = v == 0   ? TMonom::PowX(index)
                      : v == 1 ? TMonom::PowY(index)
                               : TMonom::PowZ(index);
        const float d = c * static_cast<float>(k);
        if (k >= 1 && d != 0.0f) TPolinom::AddMonom(deriv, TMonom(d, index - unit));
        const float i = k < MaxPower ? c / static_cast<float>(k + 1) : c / 99.0f;
        limit = limit || k == MaxPower;
        if (i != 0.0f) TPolinom::AddMonom(integ, TMonom(i, k < MaxPower ? index + unit : index));
      }
      ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(p.Derivative(var)), poltest::TermsOf(deriv)))
          << var << ": " << p.GetText();
      TPolinom got = p.Integral(var);
      ASSERT_TRUE(poltest::SameBits(poltest::TermsOf(got), poltest::TermsOf(integ)))
          << var << ": " << p.GetText();
      EXPECT_EQ(p.GetOverflow(), limit);
      merged += got.GetListLength() < p.GetListLength();
      cancelled += got.GetListLength() + 1 < p.GetListLength();
    }
  }
  EXPECT_GT(merged, 300);
  EXPECT_GT(cancelled, 20);
}
