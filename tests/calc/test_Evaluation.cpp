// Phases 2 and 3 of the translator: postfix order by priorities and the evaluation.
#include <string>
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

} // namespace
