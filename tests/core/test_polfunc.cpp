// The implicit function: expressing one variable from F(x, y, z) = c and sampling it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "core/TPolFunc.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TPolFunc;

namespace {

struct Term {
  float Coeff;
  int Px, Py, Pz;
};

// Builds a polynomial from terms in any order (AddMonom sorts and merges).
TPolinom Make(const std::vector<Term>& terms) {
  TPolinom p;
  for (const Term& t : terms)
    TPolinom::AddMonom(p, TMonom(t.Coeff, TMonom::MakeIndex(t.Px, t.Py, t.Pz)));
  return p;
}

const std::string kEstablished = "Зависимость установлена";

} // namespace

TEST(PolFuncStart, FreshObjectIsNotReady) {
  TPolFunc f;
  EXPECT_EQ(f.GetMessage(), "Полином не введён");
  EXPECT_EQ(f.GetRetCode(), -103);
  EXPECT_EQ(f.GetRetCode(), 0) << "the code is read once";
  EXPECT_FLOAT_EQ(f.GetValue(1.0f, 2.0f), -1.0f);
  EXPECT_EQ(f.GetRetCode(), -103);
}

TEST(PolFuncEvenPower, SquareRootWithUndefinedPoints) {
  // F = x^2*y + z, c = 0, V = x: x = sqrt(-z / y).
  TPolFunc f;
  ASSERT_TRUE(f.SetDependence(Make({{1, 2, 1, 0}, {1, 0, 0, 1}}), 0.0f, 'x'));
  EXPECT_EQ(f.GetRetCode(), 0);
  EXPECT_EQ(f.GetPower(), 2);
  EXPECT_FALSE(f.IsPowerOdd());
  EXPECT_EQ(f.GetMessage(), kEstablished);

  EXPECT_FLOAT_EQ(f.GetValue(1.0f, -4.0f), 2.0f);
  EXPECT_EQ(f.GetRetCode(), 0);
  EXPECT_FLOAT_EQ(f.GetValue(1.0f, 4.0f), 0.0f);
  EXPECT_EQ(f.GetRetCode(), -102);
  // The undefined point is stored but the message stays the ready one.
  EXPECT_EQ(f.GetMessage(), kEstablished);
  // A defined point after an undefined one reports success again.
  EXPECT_FLOAT_EQ(f.GetValue(0.25f, -1.0f), 2.0f);
  EXPECT_EQ(f.GetRetCode(), 0);
}

TEST(PolFuncOddPower, CubeRootOfNegativeRadicand) {
  // F = z^3 + x, c = 0, V = z: z = cbrt(-x).
  TPolFunc f;
  ASSERT_TRUE(f.SetDependence(Make({{1, 0, 0, 3}, {1, 1, 0, 0}}), 0.0f, 'z'));
  EXPECT_EQ(f.GetRetCode(), 0);
  EXPECT_TRUE(f.IsPowerOdd());
  EXPECT_FLOAT_EQ(f.GetValue(8.0f, 0.0f), -2.0f);
  EXPECT_EQ(f.GetRetCode(), 0);
  EXPECT_FLOAT_EQ(f.GetValue(-27.0f, 5.0f), 3.0f);
  EXPECT_EQ(f.GetRetCode(), 0);
}

TEST(PolFuncZeroDenominator, GivesRootOfHundredMillion) {
  // F = x^2*y, c = 1, V = x at y = 0: r = 1e8, the value 1e4.
  TPolFunc f;
  ASSERT_TRUE(f.SetDependence(Make({{1, 2, 1, 0}}), 1.0f, 'x'));
  EXPECT_FLOAT_EQ(f.GetValue(0.0f, 3.0f), 10000.0f);
  EXPECT_EQ(f.GetRetCode(), 0);
}

TEST(PolFuncRefused, TwoPowersOfTheVariable) {
  TPolFunc f;
  ASSERT_TRUE(f.SetDependence(Make({{1, 0, 0, 1}}), 0.0f, 'z'));
  EXPECT_TRUE(f.IsReady());
  // F = x^2 + x: the earlier dependence is gone.
  EXPECT_FALSE(f.SetDependence(Make({{1, 2, 0, 0}, {1, 1, 0, 0}}), 0.0f, 'x'));
  EXPECT_EQ(f.GetRetCode(), -101);
  EXPECT_EQ(f.GetMessage(), "Переменная X не может быть выражена из полинома");
  EXPECT_FLOAT_EQ(f.GetValue(1.0f, 1.0f), -1.0f);
  EXPECT_EQ(f.GetRetCode(), -103);
  EXPECT_EQ(f.GetMessage(), "Выражение не преобразовано в функцию!");

  EXPECT_FALSE(f.SetDependence(Make({{2, 0, 3, 0}, {1, 1, 1, 0}, {-1, 0, 1, 1}}), 0.0f, 'y'));
  EXPECT_EQ(f.GetMessage(), "Переменная Y не может быть выражена из полинома");
}

TEST(PolFuncRefused, VariableAbsentOrZeroPolynomial) {
  TPolFunc f;
  EXPECT_FALSE(f.SetDependence(Make({{1, 1, 1, 0}, {3, 0, 0, 0}}), 0.0f, 'z'));
  EXPECT_EQ(f.GetRetCode(), -101);
  EXPECT_EQ(f.GetMessage(), "Переменная Z не может быть выражена из полинома");
  EXPECT_FALSE(f.SetDependence(TPolinom(), 1.0f, 'Y'));
  EXPECT_EQ(f.GetRetCode(), -101);
  EXPECT_EQ(f.GetMessage(), "Переменная Y не может быть выражена из полинома");
  EXPECT_FALSE(f.SetDependence(Make({{1, 1, 0, 0}}), 1.0f, 'w'));
  EXPECT_EQ(f.GetRetCode(), -101);
  f.GetValue(0.0f, 0.0f);
  EXPECT_EQ(f.GetRetCode(), -103);
}

TEST(PolFuncVariables, CapitalLetterAndArgumentOrder) {
  // F = x + 2y + 3z + 4, c = 10: each variable from the two others, in order x, y, z.
  const TPolinom p = Make({{1, 1, 0, 0}, {2, 0, 1, 0}, {3, 0, 0, 1}, {4, 0, 0, 0}});
  TPolFunc lower, upper;
  ASSERT_TRUE(lower.SetDependence(p, 10.0f, 'z'));
  ASSERT_TRUE(upper.SetDependence(p, 10.0f, 'Z'));
  for (float u : {-2.0f, 0.5f, 3.0f})
    for (float v : {-1.0f, 0.0f, 4.0f}) {
      const float expected = (10.0f - 4.0f - u - 2.0f * v) / 3.0f;
      EXPECT_FLOAT_EQ(lower.GetValue(u, v), expected);
      EXPECT_FLOAT_EQ(upper.GetValue(u, v), expected);
    }
  TPolFunc fy, fx;
  ASSERT_TRUE(fy.SetDependence(p, 10.0f, 'Y'));
  EXPECT_FLOAT_EQ(fy.GetValue(2.0f, 0.0f), 2.0f); // x = 2, z = 0: y = (6 - 2) / 2
  ASSERT_TRUE(fx.SetDependence(p, 10.0f, 'x'));
  EXPECT_FLOAT_EQ(fx.GetValue(1.0f, 1.0f), 1.0f); // y = 1, z = 1: x = 6 - 2 - 3
}

TEST(PolFuncProperty, ValueSolvesTheEquation) {
  // For random A, B free of V, a power n and a level c, the value V at (u, v) satisfies
  // A + V^n * B = c wherever it is defined.
  std::mt19937 rng(20240517);
  std::uniform_real_distribution<float> coeff(-3.0f, 3.0f);
  std::uniform_real_distribution<float> point(-2.0f, 2.0f);
  std::uniform_int_distribution<int> power(0, 3);
  std::uniform_int_distribution<int> count(0, 4);
  std::uniform_int_distribution<int> nDist(1, 5);
  const char vars[] = {'x', 'y', 'z', 'X', 'Y', 'Z'};
  int checked = 0;
  for (int round = 0; round < 400; ++round) {
    const char var = vars[round % 6];
    const int vi = (var == 'x' || var == 'X') ? 0 : (var == 'y' || var == 'Y') ? 1 : 2;
    const int n = nDist(rng);
    const float c = coeff(rng);
    // Powers of the two other variables, indexed by their position (u, v).
    std::vector<std::pair<float, std::array<int, 2>>> a, b;
    for (int k = count(rng); k > 0; --k)
      a.push_back({coeff(rng), {power(rng), power(rng)}});
    for (int k = 1 + count(rng); k > 0; --k)
      b.push_back({coeff(rng), {power(rng), power(rng)}});
    std::vector<Term> terms;
    auto place = [vi](float cf, std::array<int, 2> uv, int pv) {
      int pw[3];
      pw[vi] = pv;
      pw[vi == 0 ? 1 : 0] = uv[0];
      pw[vi == 2 ? 1 : 2] = uv[1];
      return Term{cf, pw[0], pw[1], pw[2]};
    };
    for (auto& [cf, uv] : a)
      terms.push_back(place(cf, uv, 0));
    for (auto& [cf, uv] : b)
      terms.push_back(place(cf, uv, n));

    TPolFunc f;
    const bool ok = f.SetDependence(Make(terms), c, var);
    // B may cancel to zero when equal powers meet; then V is absent and refused.
    if (!ok) {
      EXPECT_EQ(f.GetRetCode(), -101);
      continue;
    }
    ASSERT_EQ(f.GetPower(), n);
    EXPECT_EQ(f.IsPowerOdd(), n % 2 == 1);
    for (int s = 0; s < 10; ++s) {
      const float u = point(rng), v = point(rng);
      auto eval = [u, v](const auto& terms2) {
        double sum = 0;
        for (auto& [cf, uv] : terms2)
          sum += cf * std::pow(double(u), uv[0]) * std::pow(double(v), uv[1]);
        return sum;
      };
      const double av = eval(a), bv = eval(b);
      const float value = f.GetValue(u, v);
      const int code = f.GetRetCode();
      const double radicand = (c - av) / bv;
      if (std::fabs(bv) < 1e-2) continue; // near the pole the float sums lose their digits
      if (radicand < -1e-4 && n % 2 == 0) {
        EXPECT_EQ(code, -102);
        EXPECT_EQ(value, 0.0f);
        continue;
      }
      if (std::fabs(radicand) < 1e-4) continue; // sign of a tiny radicand is rounding noise
      ASSERT_EQ(code, 0);
      const double lhs = av + std::pow(double(value), n) * bv;
      const double scale =
          std::fabs(av) + std::fabs(c) + std::fabs(std::pow(double(value), n) * bv) + 1.0;
      EXPECT_NEAR(lhs, c, 1e-4 * scale) << "n=" << n << " var=" << var << " u=" << u << " v=" << v;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000);
}
