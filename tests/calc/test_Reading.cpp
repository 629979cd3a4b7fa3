// What the line under a polynomial or formula field shows: the text as it was read, typeset,
// with a note wherever the reading rule departs from the usual meaning.

#include <string>
#include <vector>

#include "CalcTestSupport.h"
#include "calc/TFormulaReading.h"
#include "core/TPolReading.h"

namespace {

using LISTSTRUCT::TPolinom;
using LISTSTRUCT::TReading;

std::vector<std::string> NoteTexts(const TReading& reading) {
  std::vector<std::string> texts;
  for (const auto& note : reading.Notes)
    texts.push_back(note.Text());
  return texts;
}

TReading ReadPolinom(const std::string& text) {
  TPolinom pol;
  pol.SetText(text);
  EXPECT_EQ(pol.GetRetCode(), 0) << text;
  return LISTSTRUCT::ReadPolinomText(text, pol);
}

using Notes = std::vector<std::string>;

TEST(Reading, PolynomialTextsShowTheirReadingAndWhereItDepartsFromTheUsualMeaning) {
  struct Case {
    std::string Text, Typeset;
    Notes Expected;
  };
  const Case cases[] = {
      {"3*x^2*y - z + 1", "3X²Y − Z + 1", {}},
      {"x^-1", "X − 1", {"«x^-1» прочитано как X − 1: «-» разделяет мономы"}},
      {"2*-x", "−X + 2", {"«2*-x» прочитано как −X + 2: «-» разделяет мономы"}},
      {"y - x^+2", "−X + Y + 2", {"«-x^+2» прочитано как −X + 2: «+» разделяет мономы"}},
      {"x^2*x", "X", {"«x^2*x» прочитано как X: «x» без степени задаёт степень 1, а не умножает"}},
      {"x^*y", "XY", {"«x^*y» прочитано как XY: пустая степень равна 1"}},
      {"16777217*z^10", "16777216Z¹⁰", {"коэффициент 16777217 хранится как 16777216"}},
      {"1.5E20*x - 0.00001", "1.5·10²⁰·X − 1·10⁻⁵", {}},
      {"x - x", "0", {}},
  };
  for (const Case& c : cases) {
    const TReading reading = ReadPolinom(c.Text);
    EXPECT_EQ(reading.Typeset, c.Typeset) << c.Text;
    EXPECT_EQ(NoteTexts(reading), c.Expected) << c.Text;
  }
  EXPECT_EQ(LISTSTRUCT::IndexMeaning(60300).Text(), "60300 = x⁶y³");
  EXPECT_EQ(LISTSTRUCT::IndexMeaning(10001).Text(), "10001 = xz");
  EXPECT_EQ(LISTSTRUCT::IndexMeaning(0).Text(), "0: свободный член, все степени 0");
  EXPECT_EQ(LISTSTRUCT::IndexMeaning(-1).Text(), "-1: голова кольца, не моном");
}

class FormulaReading : public calctest::TransTest {};

TEST_F(FormulaReading, FormulasAreSetBackWithTheirGroupingAndNotes) {
  Put("P1", "x + 1");
  Put("P2", "y");
  struct Case {
    std::string Formula, Typeset;
    Notes Expected;
  };
  const Case cases[] = {
      {"P1^2.5", "P1²", {"показатель 2.5 усечён до 2"}},
      {"(X+1)^2", "(X + 1)²", {}},
      {"d/dx(P1)*int~dy(x*P2)", "∂/∂x(P1) × ∫(X × P2)dy", {}},
      {"d/dz (P1^0.5)", "∂/∂z(P1⁰)", {"показатель 0.5 усечён до 0"}},
      {"P1-(P2+x)-2*(P1-3)", "P1 − (P2 + X) − 2 × (P1 − 3)", {}},
      {"P1^2^3*P2", "(P1²)³ × P2", {"степень степени читается слева направо: (P1²)³"}},
      {"(P1*P2)*(P1*P2)", "P1 × P2 × (P1 × P2)", {}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Set(c.Formula), 0) << c.Formula << ": " << Trans.GetMessage();
    const TReading reading = TRANSSTRUCT::ReadFormula(Trans);
    EXPECT_EQ(reading.Typeset, c.Typeset) << c.Formula;
    EXPECT_EQ(NoteTexts(reading), c.Expected) << c.Formula;
  }
  // A formula that is not ready has no reading.
  ASSERT_LT(Set("P1^"), 0);
  EXPECT_TRUE(TRANSSTRUCT::ReadFormula(Trans).Typeset.empty());
}

} // namespace
