// The steps of a formula through the translator: the postfix sequence the steps build is the
// translator's own, the last value of the evaluation is what Calculate gives, the comparisons
// of priorities are told in words, and a formula with an error ends at the translator's error
// with its message and position.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "CalcTestSupport.h"
#include "CallCanvas.h"
#include "PolTestUtil.h"
#include "teach/TTransStepPicture.h"
#include "teach/TTransSteps.h"

using namespace TRANSSTRUCT;
using LISTSTRUCT::TPolinom;

namespace {

class TransStepsTest : public calctest::TransTest {
protected:
  void SetUp() override {
    Put("Pol1", "x^2 - 3*y*z + 1");
    Put("A", "2*x + y");
    Put("B", "z^3 - x*y");
  }
};

std::vector<std::string> TextsOf(const TTransRecording& recording) {
  std::vector<std::string> texts;
  for (const TTransStep& step : recording.Steps)
    texts.push_back(step.Text.Text());
  return texts;
}

// Every step's picture fits the size the picture measured, whatever the stage.
void ExpectPicturesFit(const TTransRecording& recording) {
  teachtest::CallCanvas measure(0, 0);
  const TTransStepPicture picture(recording, measure);
  for (int step = 0; step < static_cast<int>(recording.Steps.size()); ++step) {
    teachtest::CallCanvas canvas(picture.GetWidth(), picture.GetHeight());
    const TCanvasBox focus = picture.Draw(step, canvas);
    EXPECT_EQ(canvas.Outside, 0) << step;
    EXPECT_GT(focus.X2, focus.X1) << step;
  }
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace

TEST_F(TransStepsTest, RecordedPostfixAndLastValueAreTheTranslatorsOwn) {
  for (const std::string formula : {"Pol1*(X+2)^2", "A-B-Pol1", "A^2^3", "d/dx(A*B)^2-int~dz(Pol1)",
                                    "x*X+y*Y*z", " A * ( B + 2.5 ) ", "d/dxA", "5", "(((A)))",
                                    "A*d/dy(B+Pol1*x)-int~dx(2)", "A^0.7+B^2.9"}) {
    SCOPED_TRACE(formula);
    const TTransRecording recording = RecordFormula(&Tab, formula);
    ASSERT_EQ(recording.Steps.back().Kind, TTransStepKind::Finish)
        << recording.Steps.back().Text.Text();
    ASSERT_EQ(Set(formula), 0);
    EXPECT_EQ(recording.Postfix, Trans.GetPostfix());
    EXPECT_EQ(recording.Infix, Trans.GetInfix());
    EXPECT_TRUE(poltest::SameBits(poltest::TermsOf(TPolinom(recording.Result)),
                                  poltest::TermsOf(Trans.Calculate())));
    EXPECT_TRUE(Has(TextsOf(recording), "Постфиксная запись: " + recording.PostfixText()));
    // Each stage runs its steps after the one before; the stacks end as they began.
    for (std::size_t i = 1; i < recording.Steps.size(); ++i)
      EXPECT_LE(recording.Steps[i - 1].Stage, recording.Steps[i].Stage) << i;
    const TTransStep& postfixDone =
        *std::find_if(recording.Steps.begin(), recording.Steps.end(),
                      [](const TTransStep& s) { return s.Kind == TTransStepKind::PostfixDone; });
    EXPECT_TRUE(postfixDone.Stack.empty());
    EXPECT_EQ(recording.Steps.back().Values.size(), 1u);
    ExpectPicturesFit(recording);
  }
  const TTransRecording example = RecordFormula(&Tab, "Pol1*(X+2)^2");
  EXPECT_EQ(example.PostfixText(), "Pol1 X 2 + 2 ^ *");
  const std::vector<std::string> texts = TextsOf(RecordFormula(&Tab, "X+Y*Z-d/dx(A)"));
  EXPECT_TRUE(Has(texts, "Приоритет «*» (2) выше, чем «+» (1): в стек"));
  EXPECT_TRUE(Has(texts, "Приоритет «*» (2) не ниже, чем «-» (1): «*» из стека в выходную строку"));
  EXPECT_TRUE(Has(texts, "Операнд «A» в позиции 9 — имя: FindRecord нашёл полином в позиции 1, "
                         "лексема 3"));
  EXPECT_TRUE(Has(texts, "Постфиксная запись: X Y Z * + A d/dx -"));
}

TEST_F(TransStepsTest, FormulaWithAnErrorStopsAtTheTranslatorsErrorAndPosition) {
  for (const std::string formula :
       {"", "   ", "Pol1 + Ж", ")(", "((A)", "A+-B", "A^X", "d/dxAB", "2x", "A*Q7", "()", "x^100",
        "int~dx(x^99)", "(x^50)*(x^50)*A"}) {
    SCOPED_TRACE(formula);
    const TTransRecording recording = RecordFormula(&Tab, formula);
    const int code = Set(formula);
    Trans.Calculate();
    const int evaluation = Trans.GetRetCode();
    ASSERT_TRUE(code != 0 || evaluation != 0);
    const TTransStep& last = recording.Steps.back();
    ASSERT_EQ(last.Kind, TTransStepKind::Error);
    EXPECT_EQ(last.Text.Text(), "Ошибка: " + Trans.GetMessage());
    EXPECT_EQ(recording.Code, code != 0 ? code : evaluation);
    EXPECT_EQ(recording.ErrPos, Trans.GetErrPos());
    EXPECT_EQ(last.Stage, code == TransPostfix ? TTransStage::Postfix
                          : code != 0          ? TTransStage::Lexemes
                                               : TTransStage::Evaluation);
    if (last.Stage == TTransStage::Lexemes && Trans.GetErrPos() > 0) {
      EXPECT_EQ(last.MarkFrom, Trans.GetErrPos());
    }
    ExpectPicturesFit(recording);
  }
  const TTransRecording missing = RecordFormula(&Tab, "A*Q7");
  EXPECT_TRUE(Has(TextsOf(missing), "Операнд «Q7» в позиции 3 — имя: FindRecord вернул -104, "
                                    "такого полинома в таблице нет"));
  EXPECT_EQ(RecordFormula(&Tab, std::string(MaxStepFormula + 1, 'A')).Steps.back().Kind,
            TTransStepKind::Refused);
}
