// Reading and writing the text form of a polynomial.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PolTestUtil.h"
#include "core/TPolinom.h"
#include "core/TText.h"

using namespace LISTSTRUCT;
using poltest::Terms;
using poltest::TermsOf;

namespace {

const std::string kCoeffOrVar = "Ошибка в коэффициенте или в определении переменной монома! [Mon№";
const std::string kVar = "Ошибка в определении переменной! [Mon№";

struct Accepted {
  const char* Text;
  const char* Written;
  const char* WrittenAgain = nullptr; // when reading rounded the coefficient to 1
};

struct Rejected {
  const char* Text;
  std::string Message;
};

} // namespace

TEST(TPolText, AcceptedTextsReadAndWriteAsExpected) {
  const Accepted cases[] = {
      {"x^2 + 2*x*y - 3", "X^2 + 2*X*Y - 3"},
      {"-x + 1", " - X + 1"},
      {"x^", "X"},
      {"x*x", "X"},
      {"x^2*x^3", "X^5"},
      {"x^2*x", "X"}, // an empty power sets, it does not add
      {"0*z + y", "Y"},
      {"x + x", "2*X"},
      {"x - x", ""},
      {"2*", "2"},
      {"x^-1", "X - 1"},
      {"2*-x", " - X + 2"},
      {"3*X^2*Y - Z + 1", "3*X^2*Y - Z + 1"},
      {"-1", " - 1"},
      {"0.5*x^10*z", "0.5*X^10*Z"},
      {"x*y*z", "X*Y*Z"},
      {"+ 2.5", "2.5"},
      {"1200 + 0.05*z", "0.05*Z + 1200"},
      {"1234.56*y", "1235*Y"},
      {"12346*y", "1.235E4*Y"},
      {"9999.7", "1E4"},
      {"0.00001234*x", "0.00001234*X"},
      {"0.0001*z^007", "0.0001*Z^7"},
      {"1.00001*z", "1*Z", "Z"}, // not exactly 1, so written, rounded
      {"1e2*x + .5 + 5.", "100*X + 5.5"},
      {"3E38*x + 4E37*x", "3.4E38*X"},
      {"340282346638528859811704183484516925440", "3.402E38"}, // the largest float
  };
  for (const auto& c : cases) {
    TPolinom p{{7, 0}};
    p.SetText(c.Text);
    EXPECT_EQ(p.GetRetCode(), DataOK) << c.Text;
    EXPECT_EQ(p.GetErrText(), "Ошибки не обнаружены.");
    EXPECT_EQ(p.GetText(), c.Written) << c.Text;
    // What was written reads back and writes the same text again.
    TPolinom back{{7, 0}};
    back.SetText(c.Written);
    if (*c.Written != '\0') {
      EXPECT_EQ(back.GetRetCode(), DataOK) << c.Written;
      EXPECT_EQ(back.GetText(), c.WrittenAgain ? c.WrittenAgain : c.Written);
    }
  }
}

TEST(TPolText, RejectedTextsKeepThePolynomialAndNumberTheMonomial) {
  const Rejected cases[] = {
      {"", "Полином не введён!"},
      {"   ", kCoeffOrVar + "1]"},
      {"2x", kCoeffOrVar + "1]"},
      {"2*x*", kVar + "1]"},
      {"2**x", kVar + "1]"},
      {"x^100", "Значение степени переменной Xвыходит за область допустимых значений! [Mon№1]"},
      {"y^50*y^50", "Значение степени переменной Yвыходит за область допустимых значений! [Mon№1]"},
      {"1+z^2147483647",
       "Значение степени переменной Zвыходит за область допустимых значений! [Mon№2]"},
      {"x^a", "Ошибка в степени переменной X! [Mon№1]"},
      {"y^2.0", "Ошибка в степени переменной Y! [Mon№1]"},
      {"z^99999999999999999999", "Ошибка в степени переменной Z! [Mon№1]"},
      {"0*z + q", kCoeffOrVar + "2]"},
      {"x++y", kCoeffOrVar + "2]"},
      {"x+", kCoeffOrVar + "2]"},
      {"xy", kCoeffOrVar + "1]"},
      {"inf", kCoeffOrVar + "1]"},
      {"nan*x", kCoeffOrVar + "1]"},
      {"0x10", kCoeffOrVar + "1]"},
      {"1,5*x", kCoeffOrVar + "1]"},
      {"1.5x", kCoeffOrVar + "1]"},
      {"1e*x", kCoeffOrVar + "1]"},
      {".*x", kCoeffOrVar + "1]"},
      {"1E39*x", kCoeffOrVar + "1]"},          // beyond the float range
      {"3E38*x + 3E38*x", kCoeffOrVar + "2]"}, // the merged sum is beyond it
      {"x + 1E-5", kCoeffOrVar + "2]"},        // the exponent's minus separates
  };
  for (const auto& c : cases) {
    TPolinom p{{7, 10000}};
    p.SetText(c.Text);
    EXPECT_EQ(p.GetRetCode(), DataErr) << c.Text;
    EXPECT_EQ(p.GetErrText(), c.Message) << c.Text;
    EXPECT_EQ(TermsOf(p), (Terms{{10000, 7}})) << c.Text;
    p.SetText("y");
    EXPECT_EQ(p.GetErrText(), "Ошибки не обнаружены.");
  }
}

// Rounds |c| to 4 significant digits through the C library, as the property
// below expects; the largest floats round down so that they stay in range.
float Rounded4(float c) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3e", std::fabs(static_cast<double>(c)));
  float r = std::strtof(buf, nullptr);
  if (std::isinf(r)) r = 3.402e38f;
  return std::copysign(r, c);
}

// A window shows the reader's message translated: the monomial's number and the variable must
// be arguments of the pattern, not glued into it, and a message inside another text (a step's
// explanation, a reason after what failed) is shown on its own, after the plain arguments.
TEST(TPolText, RejectionMessagesKeepTheirNumbersAsArgumentsAndNestInOtherTexts) {
  const std::string eleven = "1+1+1+1+1+1+1+1+1+1+1+";
  const struct {
    std::string Text;
    std::vector<std::string> Args;
  } cases[] = {{"", {}},
               {eleven + "2x", {"12"}},
               {eleven + "2*x*", {"12"}},
               {eleven + "y^a", {"Y", "12"}},
               {eleven + "z^100", {"Z", "12"}},
               {"3E38*x + 3E38*x", {"2"}},
               {"x", {}}};
  for (const auto& c : cases) {
    TPolinom p;
    p.SetText(c.Text);
    const DSTRUCT::TText message = p.GetErrMessage();
    EXPECT_EQ(message.Text(), p.GetErrText()) << c.Text;
    EXPECT_EQ(message.Args, c.Args) << c.Text;
    EXPECT_FALSE(message.IsEmpty()) << c.Text;
    const std::string pattern = message.Pattern;
    EXPECT_EQ(pattern.find("12"), std::string::npos) << pattern;

    const DSTRUCT::TText step{"Steps", "«%1» не прочитан: %2", {c.Text}, {message}};
    EXPECT_EQ(step.Text(), "«" + c.Text + "» не прочитан: " + p.GetErrText());
    EXPECT_EQ(
        step.ArgsShownBy([](const DSTRUCT::TText& inner) { return std::string(inner.Context); }),
        (std::vector<std::string>{c.Text, message.Context}));
    const DSTRUCT::TText reason = DSTRUCT::Because(step, message);
    EXPECT_EQ(reason.Text(), step.Text() + ": " + p.GetErrText());
  }
}

TEST(TPolText, WrittenTextReadsBackRoundedToFourDigitsOverTheFloatRange) {
  std::mt19937 rng(2024);
  std::uniform_real_distribution<float> decade(-45.0f, 38.5f);
  int checked = 0;
  for (int round = 0; round < 3000; ++round) {
    // Half the coefficients are raw bit patterns, half spread evenly over decades.
    auto coeff = [&](std::mt19937& g) {
      if (round % 2 == 0) return poltest::AnyFinite(g);
      float c = std::pow(10.0f, decade(g)) * (g() % 2 ? 1.0f : -1.0f);
      return std::isfinite(c) ? c : 1.0f;
    };
    TPolinom p = poltest::RandomPol(rng, 1 + round % 8, round % 3 == 0 ? 99 : 3, coeff);
    const std::string text = p.GetText();
    TPolinom back;
    back.SetText(text);
    ASSERT_EQ(back.GetRetCode(), DataOK) << text << "\n" << back.GetErrText();
    Terms expected = TermsOf(p);
    for (auto& [i, c] : expected)
      c = Rounded4(c);
    EXPECT_TRUE(poltest::SameBits(TermsOf(back), expected)) << text;
    TPolinom again; // rounding again changes nothing
    again.SetText(back.GetText());
    EXPECT_TRUE(poltest::SameBits(TermsOf(again), expected)) << text;
    checked += back.GetListLength();
  }
  EXPECT_GT(checked, 5000);
}

// Coefficients of every kind: integers up to 2^24, values that need all 9 significant digits,
// magnitudes from 1e-30 to 1e30 of both signs, and ordinary ones of at most 4 digits.
float ExactCaseCoeff(std::mt19937& g, int kind) {
  const float sign = g() % 2 ? 1.0f : -1.0f;
  switch (kind % 4) {
  case 0:
    return sign * static_cast<float>(std::uniform_int_distribution<int>(1, 1 << 24)(g));
  case 1: // a random mantissa: most of these need 8 or 9 digits; now and then any float
    if (g() % 4 == 0) return poltest::AnyFinite(g);
    return sign * std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(g),
                             std::uniform_int_distribution<int>(-20, 20)(g));
  case 2:
    return sign * std::pow(10.0f, std::uniform_real_distribution<float>(-30.0f, 30.0f)(g));
  default:
    return sign * std::stof(std::to_string(std::uniform_int_distribution<int>(1, 9999)(g)) + "E" +
                            std::to_string(std::uniform_int_distribution<int>(-7, 3)(g)));
  }
}

// The exact form reads back bit for bit, never holds an exponent with a minus sign (which
// would read as a separator), and is the display form wherever that form is already exact.
TEST(TPolText, ExactTextReadsBackBitForBitAndIsTheDisplayFormWhereThatIsExact) {
  std::mt19937 rng(25);
  int checked = 0, displayKept = 0;
  for (int round = 0; round < 3000; ++round) {
    TPolinom p = poltest::RandomPol(rng, 1 + round % 8, round % 3 == 0 ? 99 : 3,
                                    [&](std::mt19937& g) { return ExactCaseCoeff(g, round); });
    const std::string exact = p.GetExactText();
    EXPECT_EQ(exact.find("E-"), std::string::npos) << exact;
    EXPECT_EQ(exact.find('e'), std::string::npos) << exact;
    TPolinom back;
    back.SetText(exact);
    ASSERT_EQ(back.GetRetCode(), DataOK) << exact;
    ASSERT_TRUE(poltest::SameBits(TermsOf(back), TermsOf(p))) << exact;
    checked += p.GetListLength();
    // The display form reads back exactly here: then it is what the exact form writes.
    TPolinom shown;
    shown.SetText(p.GetText());
    if (poltest::SameBits(TermsOf(shown), TermsOf(p))) {
      EXPECT_EQ(exact, p.GetText());
      ++displayKept;
    }
  }
  EXPECT_GT(checked, 5000);
  EXPECT_GT(displayKept, 100);
  TPolinom ordinary;
  ordinary.SetText("2.5*x^2 - 0.0001*y + 1200*z - 1.235E4 + 0.00001234");
  EXPECT_EQ(ordinary.GetExactText(), ordinary.GetText());
  TPolinom pascal;
  pascal.SetText("15504*x^15 + 1.55E4*x^14 + 16777217 + 340282346638528859811704183484516925440*y");
  EXPECT_EQ(pascal.GetExactText(), "15504*X^15 + 1.55E4*X^14 + 3.4028235E38*Y + 16777216");
  EXPECT_EQ(pascal.GetText(), "1.55E4*X^15 + 1.55E4*X^14 + 3.402E38*Y + 1.678E7");
}

TEST(TPolText, LatexFormKeepsExactCoefficientsSignsAndExponentNotationWhereNeeded) {
  const struct {
    const char* Text;
    const char* Latex;
  } cases[] = {
      {"3*x^2*y - z + 1", "3x^{2}y - z + 1"},
      {"-x + 1", "-x + 1"},
      {"-1", "-1"},
      {"1", "1"},
      {"x - x", "0"},
      {"2.5", "2.5"},
      {"x*y*z", "xyz"},
      {"0.5*x^10*z - y^99", "0.5x^{10}z - y^{99}"},
      {"x^20 + 20*x^19 + 190*x^18 + 1140*x^17 + 4845*x^16 + 15504*x^15 + 38760*x^14",
       "x^{20} + 20x^{19} + 190x^{18} + 1140x^{17} + 4845x^{16} + 15504x^{15} + 38760x^{14}"},
      {"-12346", "-12346"},
      {"9999.7*x - 9999.7", "9999.7x - 9999.7"},
      {"1234567*y", "1234567y"},
      {"16777216*y", "1.6777216\\cdot 10^{7}y"},
      {"3E38*x", "3\\cdot 10^{38}x"},
      {"0.1*x - 0.0000001", "0.1x - 0.0000001"},
      {"0.00001234*x", "1.234\\cdot 10^{-5}x"},
      {"1.00001*z - 0.99999*y + 1.00001", "-0.99999y + 1.00001z + 1.00001"},
  };
  for (const auto& c : cases) {
    TPolinom p;
    p.SetText(c.Text);
    ASSERT_EQ(p.GetRetCode(), DataOK) << c.Text;
    EXPECT_EQ(p.GetLatex(), c.Latex) << c.Text;
    EXPECT_EQ(p.GetRetCode(), DataOK);
  }
  TPolinom overflowed{{INFINITY, 100}, {-INFINITY, 0}};
  EXPECT_EQ(overflowed.GetLatex(), "\\infty y - \\infty");
}

// Reading merges like terms in one sort and merge; the result must be what adding every
// monomial in reading order with AddMonom gives, bit for bit (same sums in the same order,
// sums of 0 dropped), and a sum that overflows must be refused at the same monomial, also
// when a later monomial cannot be read.
TEST(TPolText, ReadingMergesLikeTermsExactlyAsAddingThemInReadingOrder) {
  const char* const coeffs[] = {"1", "0.1", "0.7", "3", "2.5", "0.001", "0", "3e38", "2e38"};
  std::mt19937 rng(14);
  int overflows = 0, cancellations = 0;
  for (int round = 0; round < 400; ++round) {
    const int count = std::uniform_int_distribution<int>(1, 60)(rng);
    const bool huge = round % 4 == 0; // coefficients near the float limit now and then
    const int badAt = round % 5 == 0 ? std::uniform_int_distribution<int>(1, count)(rng) : 0;
    std::string text;
    TPolinom model;
    std::string expected;
    for (int n = 1; n <= count; ++n) {
      const bool negative = rng() % 2 == 1;
      text += n == 1 ? (negative ? "-" : "") : (negative ? " - " : " + ");
      if (n == badAt) {
        text += "q";
        if (expected.empty()) expected = kCoeffOrVar + std::to_string(n) + "]";
        continue;
      }
      const char* c = coeffs[rng() % (huge ? 9 : 7)];
      const int px = rng() % 3, py = rng() % 2;
      text += std::string(c) + "*x^" + std::to_string(px) + "*y^" + std::to_string(py);
      float value = std::strtof(c, nullptr);
      if (negative) value = -value;
      if (value == 0.0f || !expected.empty()) continue;
      const int before = model.GetListLength();
      TPolinom::AddMonom(model, TMonom(value, TMonom::MakeIndex(px, py, 0)));
      cancellations += model.GetListLength() < before;
      if (!std::isfinite(model.GetMonom()->GetCoeff()))
        expected = kCoeffOrVar + std::to_string(n) + "]";
    }
    TPolinom read({{9.0f, 1}});
    read.SetText(text);
    if (expected.empty()) {
      ASSERT_EQ(read.GetRetCode(), DataOK) << text;
      ASSERT_TRUE(poltest::SameBits(TermsOf(read), TermsOf(model))) << text;
    } else {
      overflows += expected.find(kCoeffOrVar) == 0 &&
                   (badAt == 0 || expected.find(std::to_string(badAt) + "]") == std::string::npos);
      ASSERT_EQ(read.GetRetCode(), DataErr) << text;
      ASSERT_EQ(read.GetErrText(), expected) << text;
      ASSERT_EQ(TermsOf(read), (Terms{{1, 9.0f}})) << "a rejected text changes nothing";
    }
  }
  EXPECT_GT(overflows, 10);
  EXPECT_GT(cancellations, 100);
}
