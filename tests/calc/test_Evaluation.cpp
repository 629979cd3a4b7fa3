// Phases 2 and 3 of the translator: postfix order by priorities and the evaluation.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <new>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CalcTestSupport.h"

using namespace calctest;
using namespace TRANSSTRUCT;

namespace {

const char* const RangeMessage =
    "Параметры вычисляемого полинома выходят за область допустимых значений !";

class EvaluationTest : public TransTest {
protected:
  void SetUp() override {
    Put("A", "2*x^2*y + 3*z - 1");
    Put("B", "x*z^2 - 4*y + 0.5");
    Put("D", "y^2 + x + 7");
  }
  TPolinom A = PolOf("2*x^2*y + 3*z - 1");
  TPolinom B = PolOf("x*z^2 - 4*y + 0.5");
  TPolinom D = PolOf("y^2 + x + 7");

  // The formula must fail in evaluation with the out-of-range report and an empty result.
  void ExpectOutOfRange(const std::string& formula) {
    SCOPED_TRACE("formula «" + formula + "»");
    int code = 0;
    TPolinom r = Eval(formula, &code);
    EXPECT_EQ(code, -108);
    EXPECT_EQ(Trans.GetMessage(), RangeMessage);
    EXPECT_EQ(Trans.GetErrPos(), -1);
    EXPECT_TRUE(Trans.GetIsError());
    EXPECT_TRUE(Trans.GetIsReady());
    EXPECT_TRUE(r.IsEmpty());
  }
};

TEST_F(EvaluationTest, PrioritiesAndLeftAssociativityShapeThePostfix) {
  struct Case {
    std::string Formula;
    std::vector<std::int32_t> Postfix;
  };
  const std::vector<Case> cases = {
      {"A-B-D", {0, 1, -3, 2, -3}},      {"A-B+D", {0, 1, -3, 2, -2}},
      {"A-(B-D)", {0, 1, 2, -3, -3}},    {"A+B*D", {0, 1, 2, -4, -2}},
      {"A*B+D", {0, 1, -4, 2, -2}},      {"A^2^3", {0, 1, -5, 2, -5}},
      {"A*B^2", {0, 1, 2, -5, -4}},      {"d/dx(A)^2", {0, -6, 1, -5}},
      {"A*d/dx(B)", {0, 1, -6, -4}},     {"int~dy(A)-d/dz(B)*2", {0, -10, 1, -8, 2, -4, -3}},
      {"d/dx(int~dz(A))", {0, -11, -6}}, {"((A))", {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("formula «" + c.Formula + "»");
    EXPECT_EQ(Set(c.Formula), 0) << Trans.GetMessage();
    EXPECT_EQ(Trans.GetPostfix(), c.Postfix);
  }
}

TEST_F(EvaluationTest, OperationsGiveThePolynomialResults) {
  TPolinom aMinusB = A - B;
  EXPECT_EQ(MonomsOf(Eval("A-B-D")), MonomsOf(aMinusB - D));
  TPolinom bMinusD = B - D;
  EXPECT_EQ(MonomsOf(Eval("A-(B-D)")), MonomsOf(A - bMinusD));
  EXPECT_EQ(MonomsOf(Eval("A-B+D")), MonomsOf(aMinusB + D));
  TPolinom bTimesD = B * D;
  EXPECT_EQ(MonomsOf(Eval("A+B*D")), MonomsOf(A + bTimesD));
  TPolinom a2 = A * A;
  TPolinom a4 = a2 * a2;
  TPolinom a6 = a4 * a2;
  EXPECT_EQ(MonomsOf(Eval("A^2^3")), MonomsOf(a6));
  TPolinom dA = A.Derivative('x');
  EXPECT_EQ(MonomsOf(Eval("d/dx(A)^2")), MonomsOf(dA * dA));
  EXPECT_EQ(MonomsOf(Eval("A*d/dx(B)")), MonomsOf(A * B.Derivative('x')));
  EXPECT_EQ(MonomsOf(Eval("d/dy(A)+d/dz(B)")), MonomsOf(A.Derivative('y') + B.Derivative('z')));
  TPolinom ix = A.Integral('x');
  EXPECT_EQ(MonomsOf(Eval("int~dx(A)")), MonomsOf(ix));
  TPolinom iyB = B.Integral('y');
  EXPECT_EQ(MonomsOf(Eval("int~dy(B)-int~dz(D)")), MonomsOf(iyB - D.Integral('z')));
  EXPECT_EQ(MonomsOf(Eval("5")), (Monoms{{5.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("X*Y*Z")), (Monoms{{1.0f, 10101}}));
  EXPECT_TRUE(Eval("A-A").IsEmpty());
  EXPECT_TRUE(Eval("d/dz(x*y)").IsEmpty());
}

TEST_F(EvaluationTest, TheNumberZeroIsTheZeroPolynomial) {
  EXPECT_TRUE(Eval("0").IsEmpty());
  EXPECT_TRUE(Eval("0.0e5").IsEmpty());
  EXPECT_TRUE(Eval("0.000").IsEmpty());
  EXPECT_EQ(Eval("x+0").GetText(), Eval("x").GetText());
  EXPECT_EQ(MonomsOf(Eval("(x+0)*3")), (Monoms{{3.0f, 10000}}));
  EXPECT_TRUE(Eval("0*x").IsEmpty());
  EXPECT_EQ(MonomsOf(Eval("x^0")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("0^0")), (Monoms{{1.0f, 0}}));
  EXPECT_TRUE(Eval("0^2").IsEmpty());
}

TEST_F(EvaluationTest, ExponentIsTruncatedAndZeroPowerIsOne) {
  EXPECT_EQ(MonomsOf(Eval("A^0")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("A^0.7")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("A^2.9")), MonomsOf(A * A));
  EXPECT_EQ(MonomsOf(Eval("A^1")), MonomsOf(A));
  EXPECT_EQ(MonomsOf(Eval("(1+1)^20")), (Monoms{{1048576.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("(x+1)^2")), (Monoms{{1.0f, 20000}, {2.0f, 10000}, {1.0f, 0}}));
}

TEST_F(EvaluationTest, PowersPastTheLimitAreOutOfRange) {
  EXPECT_EQ(MonomsOf(Eval("x^99")), (Monoms{{1.0f, 990000}}));
  EXPECT_EQ(MonomsOf(Eval("d/dx(x^99)")), (Monoms{{99.0f, 980000}}));
  EXPECT_EQ(MonomsOf(Eval("(x^49)*(x^50)")), (Monoms{{1.0f, 990000}}));
  ExpectOutOfRange("x^100");
  ExpectOutOfRange("int~dx(x^99)");
  ExpectOutOfRange("(x^50)*(x^50)");
  ExpectOutOfRange("(y+1)^100");
  ExpectOutOfRange("A^99999999999");
  ExpectOutOfRange("(x+y+1)^2000000000");
}

TEST_F(EvaluationTest, FailedEvaluationKeepsTheFormulaReadyAndRepeatable) {
  ExpectOutOfRange("z^60*z^60");
  // The same formula fails the same way again; a good one afterwards succeeds.
  TPolinom again = Trans.Calculate();
  EXPECT_EQ(Trans.GetRetCode(), -108);
  EXPECT_TRUE(again.IsEmpty());
  EXPECT_EQ(MonomsOf(Eval("z^60")), (Monoms{{1.0f, 60}}));
  EXPECT_FALSE(Trans.GetIsError());
  EXPECT_EQ(Trans.GetMessage(), "Выражение введено правильно.");
  // Two evaluations of one formula give the same result: the lexemes are copied at each use.
  ASSERT_EQ(Set("A*B-A"), 0);
  const Monoms first = MonomsOf(Trans.Calculate());
  EXPECT_EQ(MonomsOf(Trans.Calculate()), first);
  EXPECT_EQ(Trans.GetRetCode(), 0);
  TPolinom ab = A * B;
  EXPECT_EQ(first, MonomsOf(ab - A));
}

TEST_F(EvaluationTest, ConstantPowersFinishForAnyExponent) {
  EXPECT_EQ(MonomsOf(Eval("(0-1)^16777215")), (Monoms{{-1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("(0-1)^2000000000")), (Monoms{{1.0f, 0}}));
  // The exponent is a number lexeme with a float coefficient: 2000000001 reads as 2e9.
  EXPECT_EQ(MonomsOf(Eval("(0-1)^2000000001")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("1^99999999999")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("(x-x+2)^3")), (Monoms{{8.0f, 0}}));
  // 0.5 to a large power dies away to zero; so does a variable whose coefficient does.
  EXPECT_TRUE(Eval("0.5^2000000000").IsEmpty());
  EXPECT_TRUE(Eval("(0.000000001*x)^2000000000").IsEmpty());
  EXPECT_TRUE(Eval("(x-x)^2000000000").IsEmpty());
  // Growing constants end as a float overflow, which is out of range.
  ExpectOutOfRange("(1+1)^2000000000");
  ExpectOutOfRange("(0-1.5)^2147483647");
  ExpectOutOfRange("2^1e30");
}

// The exact decimal value of a float, which the lexer reads back as that float.
std::string ExactText(float f) {
  char text[128];
  std::snprintf(text, sizeof text, "%.60f", static_cast<double>(f));
  return text;
}

// A power is the result of N products one after another, bit for bit, however it gets there.
TEST_F(EvaluationTest, PowersAreExactlyTheRepeatedProducts) {
  // Polynomial bases against N products of the polynomial operator.
  Put("S", "0.999*x + 1.001*y - 0.5");
  Put("T", "0.0000000000000000000000000000001*x + 1"); // its higher powers die away
  Put("M", "1.7*x^2*y");
  Put("U", "0.0000000000000000000001*x^30"); // dies away before its power passes the limit
  for (const auto& [formula, base, n] : {std::tuple{"S^33", "S", 33},
                                         {"T^300", "T", 300},
                                         {"(x+y+z+1)^25", "x+y+z+1", 25},
                                         {"M^49", "M", 49},
                                         {"U^4", "U", 4}}) {
    TPolinom b = formula[0] == '(' ? PolOf(base) : Eval(base), expected{{1.0f, 0}};
    for (int k = 0; k < n; ++k)
      expected = expected * b;
    EXPECT_EQ(MonomsOf(Eval(formula)), MonomsOf(expected)) << formula;
  }
  // Constant bases against N float products, one after another. One pass of products per
  // base records checkpoints where a shortcut would most likely go wrong: right after products
  // that were exact ties, after every change of binade (down into the subnormals, up to
  // overflow) and every million products.
  std::mt19937 rng(3);
  std::vector<float> bases = {0.999f, 1.001f, 0.5f, 0.75f, 1.5f, 1.9999999f, 0.9f, 1.1f};
  // C = 1 + K 2^-23 or 1 - K 2^-24: K = 1 adds or takes one unit per product for millions of
  // products; K = 64 makes every change of that number a tie.
  for (const float k : {1.0f, 64.0f}) {
    bases.push_back(1.0f + k * std::ldexp(1.0f, -23));
    bases.push_back(1.0f - k * std::ldexp(1.0f, -24));
  }
  for (int i = 0; i < 8; ++i)
    bases.push_back(std::uniform_real_distribution<float>(0.5f, 2.0f)(rng));
  int ties = 0, binades = 0, differentFromRoundedPower = 0;
  for (std::size_t i = 0; i < bases.size(); ++i) {
    const float base = i % 3 == 2 ? -bases[i] : bases[i];
    const float distance = std::fabs(std::fabs(base) - 1.0f);
    const long long last = distance < 1e-6f ? 4500000 : distance < 1e-4f ? 1000000 : 300000;
    std::vector<std::pair<long long, float>> checks;
    float x = 1.0f;
    for (long long k = 1; k <= last && std::isfinite(x) && x != 0.0f; ++k) {
      const double exact = static_cast<double>(x) * base; // exact: 24 + 24 bits
      const float next = x * base;
      const float other = std::nextafter(next, exact > next ? INFINITY : -INFINITY);
      const bool tie = exact != next && std::fabs(exact - next) == std::fabs(other - exact);
      const bool binade = std::ilogb(next) != std::ilogb(x);
      x = next;
      if ((tie && ties++ < 400) || (binade && binades++ < 2000) || k % 1000000 == 0 || k == last ||
          !std::isfinite(x) || x == 0.0f)
        checks.emplace_back(k, x);
    }
    for (const auto& [n, value] : checks) {
      const std::string exponent = "^" + std::to_string(n);
      int code = 0;
      const Monoms got = MonomsOf(
          Eval(base < 0 ? "(0-" + ExactText(-base) + ")" + exponent : ExactText(base) + exponent,
               &code));
      if (!std::isfinite(value))
        ASSERT_EQ(code, -108) << base << exponent;
      else
        ASSERT_EQ(got, value == 0.0f ? Monoms{} : (Monoms{{value, 0}})) << base << exponent;
      differentFromRoundedPower +=
          value != static_cast<float>(std::pow(static_cast<double>(base), n));
    }
  }
  EXPECT_GT(ties, 50);
  EXPECT_GT(binades, 200);
  EXPECT_GT(differentFromRoundedPower, 100);
  // The exponent is the float's exact value: 3000000000 is even.
  EXPECT_EQ(MonomsOf(Eval("(0-1)^3000000000")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("(0-1)^3000000256")), (Monoms{{1.0f, 0}}));
  EXPECT_EQ(MonomsOf(Eval("(0-1)^16777217")), (Monoms{{1.0f, 0}})); // reads as 2^24
  EXPECT_EQ(MonomsOf(Eval("(0-2)^127")), (Monoms{{-std::ldexp(1.0f, 127), 0}}));
  // A base with a variable whose terms die away into the subnormals stops where the products
  // stop changing: unchanged from one product to the next, or negated and then alternating.
  // The plain loop runs until then (about a thousand products).
  const auto plainPower = [](TPolinom base, long long n) {
    TPolinom result{{1.0f, 0}};
    for (long long k = 1; k <= n; ++k) {
      TPolinom next = result * base;
      const Monoms before = MonomsOf(result), after = MonomsOf(next);
      Monoms negated = after;
      for (auto& [c, i] : negated)
        c = -c;
      if (after == before) return after;
      if (negated == before) return (n - k) % 2 == 0 ? after : before;
      result = next;
    }
    return MonomsOf(result);
  };
  const std::string tiny = "0." + std::string(29, '0') + "1*x";
  EXPECT_EQ(MonomsOf(Eval("(0.9+" + tiny + ")^3000000000")),
            plainPower(PolOf("0.9+" + tiny), 3000000000LL));
  for (long long n : {16777215LL, 16777214LL})
    EXPECT_EQ(MonomsOf(Eval("(0-0.9+" + tiny + ")^" + std::to_string(n))),
              plainPower(PolOf("-0.9+" + tiny), n));
  EXPECT_LT(MonomsOf(Eval("(0-0.999)^16777215")).at(0).first, 0.0f);
  // Monomials with a zero coefficient contribute nothing: such a base is a constant.
  Tab.InsRecord("H", TPolinom{{0.0f, 10000}, {0.99999994f, 0}});
  EXPECT_EQ(MonomsOf(Eval("H^1e30")), MonomsOf(Eval("0.99999994^1e30")));
}

// A control that records the progress reports and stops or fails the work at a chosen report.
class RecordingControl : public DSTRUCT::TWorkControl {
public:
  std::vector<double> Reports;
  std::int64_t Total = 0;
  std::size_t CancelAt = 0, FailAt = 0; // 0: never

protected:
  void Progress(double done, std::int64_t total) override {
    Reports.push_back(done);
    Total = total;
    if (Reports.size() == CancelAt) Cancel();
    if (Reports.size() == FailAt) throw std::bad_alloc();
  }
};

// Evaluation watched through the control: it reports the products done of those it plans,
// stops when asked, reports running out of memory as a result out of range, and refuses a
// product that would pass the power limit before forming any of its terms.
TEST_F(EvaluationTest, WatchedEvaluationReportsStopsAndFails) {
  const std::string big = "(0.5*X+0.5*Y+0.5*Z+0.5)^20*(0.5*X+0.5*Y+0.5*Z+0.5)^20";
  const Monoms plain = MonomsOf(Eval(big));
  ASSERT_EQ(plain.size(), 12341u);

  RecordingControl watched;
  EXPECT_EQ(MonomsOf(Trans.Calculate(&watched)), plain);
  EXPECT_EQ(Trans.GetRetCode(), 0);
  // Three products 0.5*X... in each base, 20 + 20 for the powers, one for their product.
  EXPECT_EQ(watched.Total, 47);
  ASSERT_GT(watched.Reports.size(), 100u); // the last product reports as it goes
  EXPECT_TRUE(std::is_sorted(watched.Reports.begin(), watched.Reports.end()));
  EXPECT_EQ(watched.Reports.back(), 47.0);
  EXPECT_GT(std::count_if(watched.Reports.begin(), watched.Reports.end(),
                          [](double r) { return r > 46.0 && r < 47.0; }),
            500);

  RecordingControl stopped;
  stopped.CancelAt = watched.Reports.size() - 5; // inside the last product
  EXPECT_TRUE(Trans.Calculate(&stopped).IsEmpty());
  EXPECT_EQ(Trans.GetRetCode(), -109);
  EXPECT_EQ(Trans.GetMessage(), "Вычисление прервано пользователем");
  EXPECT_EQ(stopped.Reports.size(), stopped.CancelAt); // not a single report after the stop
  EXPECT_TRUE(Trans.GetIsReady());
  EXPECT_EQ(MonomsOf(Trans.Calculate()), plain);

  for (std::size_t failAt : {std::size_t{3}, watched.Reports.size() - 5}) {
    RecordingControl failing;
    failing.FailAt = failAt;
    EXPECT_TRUE(Trans.Calculate(&failing).IsEmpty());
    EXPECT_EQ(Trans.GetRetCode(), -108);
    EXPECT_EQ(Trans.GetMessage(), std::string(RangeMessage) + " Результат слишком велик.");
    EXPECT_TRUE(Trans.GetIsReady());
  }
  EXPECT_EQ(MonomsOf(Trans.Calculate()), plain);

  // 39711 x 39711 terms whose powers reach 120: refused with no report from inside it.
  ASSERT_EQ(Set("(X+Y+Z+1)^60*(X+Y+Z+1)^60"), 0);
  RecordingControl refused;
  EXPECT_TRUE(Trans.Calculate(&refused).IsEmpty());
  EXPECT_EQ(Trans.GetRetCode(), -108);
  EXPECT_EQ(Trans.GetMessage(), RangeMessage);
  EXPECT_EQ(refused.Total, 121);
  EXPECT_LE(*std::max_element(refused.Reports.begin(), refused.Reports.end()), 120.0);
}

TEST_F(EvaluationTest, NonFiniteCoefficientsAreOutOfRange) {
  ExpectOutOfRange("10000000000^5");
  ExpectOutOfRange("1e39");
  ExpectOutOfRange("1e999*x");
  ExpectOutOfRange("1e39-1e39");
  ExpectOutOfRange("x*1e30*1e30+A");
  // A finite result of large factors is fine.
  EXPECT_EQ(MonomsOf(Eval("1e30*1")), (Monoms{{1e30f, 0}}));
}

TEST_F(EvaluationTest, DeepFormulasNeedNoDeepRecursion) {
  std::string sum = "A";
  for (int i = 0; i < 10000; ++i)
    sum += "+x";
  TPolinom r = Eval(sum);
  EXPECT_EQ(MonomsOf(r), MonomsOf(A + PolOf("10000*x")));

  std::string nested = std::string(20000, '(') + "B" + std::string(20000, ')') + "*2";
  EXPECT_EQ(MonomsOf(Eval(nested)), MonomsOf(B * PolOf("2")));

  // y -> y^2/2 -> y, a thousand times over.
  std::string forms;
  for (int i = 0; i < 1000; ++i)
    forms += "d/dy(int~dy(";
  forms += "y" + std::string(2000, ')');
  EXPECT_EQ(MonomsOf(Eval(forms)), (Monoms{{1.0f, 100}}));
  // Repeated integrals of 1: the coefficient 1/n! dies away to 0 before z^99 is reached.
  std::string integrals;
  for (int i = 0; i < 3000; ++i)
    integrals += "int~dz(";
  integrals += "1" + std::string(3000, ')') + "*x";
  EXPECT_TRUE(Eval(integrals).IsEmpty());
  // An integral at power 99 is out of range.
  integrals = "int~dx(" + std::string(200, '(') + "x^98*y" + std::string(200, ')') + ")";
  EXPECT_EQ(MonomsOf(Eval(integrals)), (Monoms{{1.0f / 99.0f, 990100}}));
  ExpectOutOfRange("int~dx(" + integrals + ")");
}

// A monomial text as the polynomial writer puts it: a coefficient, the variables in order, or
// both. Few indexes and a few coefficients whose float sums depend on their order make like
// terms meet, cancel and come back.
std::string MonomText(std::mt19937& rng) {
  static const char* const coeffs[] = {"0.1", "0.7", "1.3", "2", "3", "0.3333", "1.235E4", "1"};
  static const char* const powers[] = {"", "X", "X^2", "Y", "X*Y^3", "Z^99", "X^7*Y^2*Z"};
  const std::string c = coeffs[rng() % std::size(coeffs)];
  const std::string p = powers[rng() % std::size(powers)];
  if (p.empty()) return c;
  return c == "1" ? p : c + "*" + p;
}

// A sum chain evaluates, term by term and sum by sum, exactly as the text reads: the same
// monomials with the same float coefficients as the polynomial reader gives for that text. A
// chain inside brackets is the same value as an operand of a product.
TEST_F(EvaluationTest, SumChainsAreThePolynomialTextBitForBit) {
  std::mt19937 rng(28);
  const auto bits = [](TPolinom p) {
    std::vector<std::pair<std::uint32_t, int>> out;
    for (const auto& [c, index] : MonomsOf(p))
      out.emplace_back(std::bit_cast<std::uint32_t>(c), index);
    return out;
  };
  int cancelled = 0;
  for (int round = 0; round < 300; ++round) {
    const int length = round == 0 ? 20000 : 1 + static_cast<int>(rng() % 300);
    std::string text = MonomText(rng);
    for (int k = 1; k < length; ++k)
      text += (rng() % 3 == 0 ? " - " : " + ") + MonomText(rng);
    const TPolinom expected = PolOf(text);
    cancelled += expected.GetListLength() < 7;
    ASSERT_EQ(bits(Eval(text)), bits(expected)) << text;
    if (round % 10 == 0) {
      TPolinom left = PolOf(text);
      ASSERT_EQ(bits(Eval("(" + text + ")*(D - x*y + 2)")),
                bits(left * (D - PolOf("x*y") + PolOf("2"))))
          << text;
    }
  }
  EXPECT_GT(cancelled, 10);
}

} // namespace
