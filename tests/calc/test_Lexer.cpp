// Phase 1 of the translator: characters, brackets, operator scan, operands and lexemes.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "CalcTestSupport.h"

using namespace calctest;
using namespace TRANSSTRUCT;

namespace {

class LexerTest : public TransTest {
protected:
  void SetUp() override {
    Put("Pol1", "x^2 + 3*y - 1");
    Put("A", "x*y + 2");
    Put("B", "z^3 - x");
  }
};

TEST_F(LexerTest, WorkedExampleGivesInfixPostfixLexemesAndValue) {
  EXPECT_EQ(Set(" Pol1 * (X+ 2)^2 "), 0);
  EXPECT_EQ(Trans.GetMessage(), "Выражение введено правильно.");
  EXPECT_FALSE(Trans.GetIsError());
  EXPECT_TRUE(Trans.GetIsReady());
  EXPECT_EQ(Trans.GetInfix(),
            (std::vector<std::int32_t>{-1, 0, -4, -1, 1, -2, 2, -12, -5, 2, -12}));
  EXPECT_EQ(Trans.GetPostfix(), (std::vector<std::int32_t>{0, 1, 2, -2, 2, -5, -4}));
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"Pol1", "X", "2"}));
  EXPECT_EQ(Trans.GetLeksCount(), 3);

  auto first = Trans.GetFirstLeks();
  EXPECT_FALSE(first.IsConst);
  EXPECT_EQ(MonomsOf(first.Pol), MonomsOf(PolOf("x^2 + 3*y - 1")));
  auto x = Trans.GetNextLeks();
  EXPECT_FALSE(x.IsConst);
  EXPECT_EQ(MonomsOf(x.Pol), (Monoms{{1.0f, 10000}}));
  auto two = Trans.GetNextLeks();
  EXPECT_TRUE(two.IsConst);
  EXPECT_EQ(MonomsOf(two.Pol), (Monoms{{2.0f, 0}}));

  TPolinom r = Trans.Calculate();
  EXPECT_EQ(Trans.GetRetCode(), 0);
  TPolinom pol1 = PolOf("x^2 + 3*y - 1");
  TPolinom x2 = PolOf("x + 2");
  TPolinom expected = pol1 * (x2 * x2);
  EXPECT_EQ(MonomsOf(r), MonomsOf(expected));
}

TEST(TransConstruction, StartsWithoutFormulaOrWithoutTable) {
  TABLESTRUCT::TPolScanTab tab("");
  TFPolTrans withTable(&tab);
  EXPECT_EQ(withTable.GetRetCode(), -101);
  EXPECT_EQ(withTable.GetMessage(), "Выражение не введено ! [0]");
  EXPECT_EQ(withTable.GetErrPos(), 0);
  EXPECT_TRUE(withTable.GetIsError());
  EXPECT_FALSE(withTable.GetIsReady());
  EXPECT_EQ(withTable.GetLeksCount(), 0);
  // Nothing to evaluate yet: an empty result and the code left as it was.
  withTable.SetRetCode(-101);
  EXPECT_TRUE(withTable.Calculate().IsEmpty());
  EXPECT_EQ(withTable.GetRetCode(), -101);

  TFPolTrans noTable(nullptr);
  EXPECT_EQ(noTable.GetRetCode(), -102);
  EXPECT_EQ(noTable.GetMessage(), "Нет доступа к таблице полиномов !");
  noTable.SetFormula("X+1");
  EXPECT_EQ(noTable.GetRetCode(), -102);
  EXPECT_EQ(noTable.GetMessage(), "Нет доступа к таблице полиномов !");
  EXPECT_FALSE(noTable.GetIsReady());
  // The missing table is reported even for an empty formula, and a table given later works.
  noTable.SetFormula("");
  EXPECT_EQ(noTable.GetRetCode(), -102);
  noTable.SetTable(&tab);
  noTable.SetFormula("X+1");
  EXPECT_EQ(noTable.GetRetCode(), 0);
}

struct ErrorCase {
  std::string Formula;
  int Code;
  std::string Message;
  int Pos;
};

TEST_F(LexerTest, EveryErrorKindHasItsCodeMessageAndPosition) {
  const std::vector<ErrorCase> cases = {
      {"", -101, "Выражение не введено ! [0]", 0},
      {"    ", -101, "Выражение не введено ! [0]", 0},
      // Characters: the position counts the text without the spaces before the bad one.
      {"Pol1 + Ж", -104, "Выражение содержит недопустимые символы ! [6]", 6},
      {"A\tB", -104, "Выражение содержит недопустимые символы ! [2]", 2},
      {"A,5", -104, "Выражение содержит недопустимые символы ! [2]", 2},
      {std::string("A+") + '\0', -104, "Выражение содержит недопустимые символы ! [3]", 3},
      {"A + (B", -103, "Неправильно расставлены скобки ! [5]", 5},
      {")(", -103, "Неправильно расставлены скобки ! [1]", 1},
      {"((A)", -103, "Неправильно расставлены скобки ! [5]", 5},
      {"(A))+(B", -103, "Неправильно расставлены скобки ! [4]", 4},
      // Characters are checked before brackets.
      {")Ж", -104, "Выражение содержит недопустимые символы ! [2]", 2},
      // Arithmetic operators need an operand or bracket on both sides.
      {"-A", -105, "Ошибки в расстановке арифметических операций ! [1]", 1},
      {"A+", -105, "Ошибки в расстановке арифметических операций ! [2]", 2},
      {"A+-B", -105, "Ошибки в расстановке арифметических операций ! [2]", 2},
      {"(+A)", -105, "Ошибки в расстановке арифметических операций ! [2]", 2},
      {"(A*)", -105, "Ошибки в расстановке арифметических операций ! [3]", 3},
      {"A * B -", -105, "Ошибки в расстановке арифметических операций ! [4]", 4},
      // The power needs a digit right after it.
      {"A^X", -105, "Ошибка в использовании операции возведения в степень ! [2]", 2},
      {"A^(2)", -105, "Ошибка в использовании операции возведения в степень ! [2]", 2},
      {"^2", -105, "Ошибка в использовании операции возведения в степень ! [1]", 1},
      {"A^", -105, "Ошибка в использовании операции возведения в степень ! [2]", 2},
      {"(A)^.5", -105, "Ошибка в использовании операции возведения в степень ! [4]", 4},
      // Derivative and integral forms need their bracket.
      {"d/dxAB", -105, "Ошибки в расстановке операций дифференцирования ! [1]", 1},
      {"A+d/dx", -105, "Ошибки в расстановке операций дифференцирования ! [3]", 3},
      {"A*d/dz+B", -105, "Ошибки в расстановке операций дифференцирования ! [3]", 3},
      {"int~dyAB", -105, "Ошибки в расстановке операций интегрирования ! [1]", 1},
      {"A*int~dz", -105, "Ошибки в расстановке операций интегрирования ! [3]", 3},
      // After a form the working copy holds one '#' for it, so positions shrink.
      {"d/dx(A)+*B", -105, "Ошибки в расстановке арифметических операций ! [5]", 5},
      {"int~dz(A)-^2", -105, "Ошибки в расстановке арифметических операций ! [5]", 5},
      // Operands.
      {"A/B", -106, "Полином с именем 'A/B' в таблице не найден ! [1]", 1},
      {"2x", -106, "Лексема должна начинаться с символа ! [1]", 1},
      {"A + 2x", -106, "Лексема должна начинаться с символа ! [3]", 3},
      {"((2x))", -106, "Лексема должна начинаться с символа ! [3]", 3},
      {"(.)", -106, "Лексема должна начинаться с символа ! [2]", 2},
      {"1e-3", -106, "Лексема должна начинаться с символа ! [1]", 1},
      {"(A+B)*Pol2", -106, "Полином с именем 'Pol2' в таблице не найден ! [7]", 7},
      {"d/dx(A)+Q", -106, "Полином с именем 'Q' в таблице не найден ! [6]", 6},
      {"a", -106, "Полином с именем 'a' в таблице не найден ! [1]", 1},
      {"pol1", -106, "Полином с именем 'pol1' в таблице не найден ! [1]", 1},
      {"XY", -106, "Полином с именем 'XY' в таблице не найден ! [1]", 1},
      {"inf", -106, "Полином с именем 'inf' в таблице не найден ! [1]", 1},
      {"nan*A", -106, "Полином с именем 'nan' в таблице не найден ! [1]", 1},
      // The operator is checked before the operand in front of it.
      {"2x+*A", -105, "Ошибки в расстановке арифметических операций ! [3]", 3},
      // Phase 2: the sequence must reduce to exactly one value.
      {"()", -107, "Ошибки в записи выражения ! [?]", -1},
      {"A*()", -107, "Ошибки в записи выражения ! [?]", -1},
      {"d/dx()", -107, "Ошибки в записи выражения ! [?]", -1},
      {"2d/dx(A)", -107, "Ошибки в записи выражения ! [?]", -1},
      {"d/dx(A)d/dy(B)", -107, "Ошибки в записи выражения ! [?]", -1},
      {"(d/dx)", -107, "Ошибки в записи выражения ! [?]", -1},
      {"A^2int~dx(B)", -107, "Ошибки в записи выражения ! [?]", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("formula «" + c.Formula + "»");
    EXPECT_EQ(Set(c.Formula), c.Code);
    EXPECT_EQ(Trans.GetMessage(), c.Message);
    EXPECT_EQ(Trans.GetErrPos(), c.Pos);
    EXPECT_TRUE(Trans.GetIsError());
    EXPECT_FALSE(Trans.GetIsReady());
    EXPECT_TRUE(Trans.Calculate().IsEmpty());
  }
}

TEST_F(LexerTest, AcceptedFormsAndTheirInfix) {
  struct Case {
    std::string Formula;
    std::vector<std::int32_t> Infix;
    std::vector<std::string> Names;
  };
  const std::vector<Case> cases = {
      {"5", {-1, 0, -12}, {"5"}},
      {"((A))", {-1, -1, -1, 0, -12, -12, -12}, {"A"}},
      {"x*X", {-1, 0, -4, 1, -12}, {"x", "X"}},
      {"A*A", {-1, 0, -4, 0, -12}, {"A"}},
      {"2+2.0", {-1, 0, -2, 1, -12}, {"2", "2.0"}},
      // One character after a form is taken without a bracket.
      {"d/dxA", {-1, -6, 0, -12}, {"A"}},
      {"A-int~dzB", {-1, 0, -3, -11, 1, -12}, {"A", "B"}},
      {"A^2.9", {-1, 0, -5, 1, -12}, {"A", "2.9"}},
      {"d/dy(A)*int~dx(B)", {-1, -7, -1, 0, -12, -4, -9, -1, 1, -12, -12}, {"A", "B"}},
      {"d/dz((A+y))", {-1, -8, -1, -1, 0, -2, 1, -12, -12, -12}, {"A", "y"}},
      {"int~dy(Z)", {-1, -10, -1, 0, -12, -12}, {"Z"}},
      {"1e3*0.5+5.", {-1, 0, -4, 1, -2, 2, -12}, {"1e3", "0.5", "5."}},
      {"(.5)", {-1, -1, 0, -12, -12}, {".5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("formula «" + c.Formula + "»");
    EXPECT_EQ(Set(c.Formula), 0) << Trans.GetMessage();
    EXPECT_EQ(Trans.GetErrPos(), 0);
    EXPECT_EQ(Trans.GetInfix(), c.Infix);
    EXPECT_EQ(LeksNames(), c.Names);
  }
}

TEST_F(LexerTest, NumberAndVariableLexemesHoldTheirPolynomials) {
  ASSERT_EQ(Set("x+Y+z+1e3+0.25+A"), 0);
  const std::vector<Monoms> expected = {{{1.0f, 10000}}, {{1.0f, 100}}, {{1.0f, 1}},
                                        {{1000.0f, 0}},  {{0.25f, 0}},  MonomsOf(PolOf("x*y+2"))};
  const std::vector<bool> isConst = {false, false, false, true, true, false};
  size_t i = 0;
  for (auto l = Trans.GetFirstLeks(); !Trans.IsLeksEnd(); l = Trans.GetNextLeks(), ++i) {
    ASSERT_LT(i, expected.size());
    EXPECT_EQ(MonomsOf(l.Pol), expected[i]) << l.Name;
    EXPECT_EQ(l.IsConst, isConst[i]) << l.Name;
  }
  EXPECT_EQ(i, expected.size());
}

TEST_F(LexerTest, LexemeWalkReturnsTheEmptyLexemeAtTheEnds) {
  // No lexemes yet: the first is the empty lexeme and the walk is over at once.
  auto none = Trans.GetFirstLeks();
  EXPECT_TRUE(Trans.IsLeksEnd());
  EXPECT_TRUE(none.Name.empty());
  EXPECT_TRUE(none.Pol.IsEmpty());
  EXPECT_FALSE(none.IsConst);
  EXPECT_TRUE(Trans.GetNextLeks().Name.empty());

  ASSERT_EQ(Set("A+B"), 0);
  EXPECT_EQ(Trans.GetFirstLeks().Name, "A");
  EXPECT_FALSE(Trans.IsLeksEnd());
  EXPECT_EQ(Trans.GetNextLeks().Name, "B");
  EXPECT_FALSE(Trans.IsLeksEnd());
  EXPECT_TRUE(Trans.GetNextLeks().Name.empty());
  EXPECT_TRUE(Trans.IsLeksEnd());
  // Stepping on at the end stays at the end.
  EXPECT_TRUE(Trans.GetNextLeks().Name.empty());
  EXPECT_TRUE(Trans.IsLeksEnd());
}

TEST_F(LexerTest, LexemesKeptAfterAnErrorDependOnWhereItWasFound) {
  ASSERT_EQ(Set("A+B"), 0);
  // Errors before the operator scan leave the previous lexemes.
  EXPECT_EQ(Set("A+(B"), -103);
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Set("Ж"), -104);
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Set(""), -101);
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"A", "B"}));
  // An error during the scan leaves the operands found before it.
  EXPECT_EQ(Set("Pol1*x+Missing*B"), -106);
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"Pol1", "x"}));
  // The operator is checked before the operand in front of it is read.
  EXPECT_EQ(Set("z-B+"), -105);
  EXPECT_EQ(LeksNames(), (std::vector<std::string>{"z"}));
}

// Operands are found by their exact name: every operand's code is the index of the lexeme
// made at the first appearance of its name, also in long formulas and after earlier ones.
TEST_F(LexerTest, LexemesAreFoundByExactNameInOrderOfFirstAppearance) {
  const std::vector<std::string> pool = {"1", "1.0", "2", "x", "X", "A", "B", "Pol1", "17.5"};
  std::mt19937 rng(15);
  for (int round = 0; round < 3; ++round) {
    std::vector<std::string> firstSeen;
    std::vector<std::int32_t> codes;
    std::string formula;
    for (int i = 0; i < 3000; ++i) {
      // Distinct numbers as well as the names of the pool.
      const std::string name = rng() % 3 == 0 ? std::to_string(rng() % 500) : pool[rng() % 9];
      if (i > 0) formula += rng() % 2 ? "+" : "*";
      formula += name;
      auto at = std::find(firstSeen.begin(), firstSeen.end(), name);
      codes.push_back(static_cast<std::int32_t>(at - firstSeen.begin()));
      if (at == firstSeen.end()) firstSeen.push_back(name);
    }
    ASSERT_EQ(Set(formula), 0) << Trans.GetMessage();
    EXPECT_EQ(LeksNames(), firstSeen);
    std::vector<std::int32_t> operands;
    for (std::int32_t code : Trans.GetInfix())
      if (code >= 0) operands.push_back(code);
    EXPECT_EQ(operands, codes);
  }
  ASSERT_EQ(Set("B+A+B"), 0); // nothing of the earlier formulas is remembered
  EXPECT_EQ(Trans.GetInfix(), (std::vector<std::int32_t>{-1, 0, -2, 1, -2, 0, -12}));
}

TEST_F(LexerTest, PolynomialsAreReadWhenTheFormulaIsSet) {
  ASSERT_EQ(Set("A*2"), 0);
  Put("A", "z");
  TPolinom r = Trans.Calculate();
  EXPECT_EQ(Trans.GetRetCode(), 0);
  EXPECT_EQ(MonomsOf(r), (Monoms{{2.0f, 10100}, {4.0f, 0}}));
  EXPECT_EQ(MonomsOf(Trans.GetFirstLeks().Pol), MonomsOf(PolOf("x*y+2")));
  ASSERT_EQ(Set("A*2"), 0);
  EXPECT_EQ(MonomsOf(Trans.Calculate()), (Monoms{{2.0f, 1}}));
  // A name that has left the table is no longer found.
  Tab.DelRecord("B");
  EXPECT_EQ(Set("B"), -106);
}

} // namespace
