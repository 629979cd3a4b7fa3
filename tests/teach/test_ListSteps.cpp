// The steps of the polynomial operations as AddMonom makes them: replayed they rebuild the
// operation's own result, AddMonom's walk reads as many links as the ring holds greater
// indexes plus the one it stops at, every step points at the algorithm line it carries out,
// inputs too large to show are refused, and the pictures draw the result as the structure
// diagram does.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

#include "CallCanvas.h"
#include "PolTestUtil.h"
#include "teach/TListStepPicture.h"
#include "teach/TListSteps.h"

using namespace LISTSTRUCT;

namespace {

using Kind = TListStepKind;

poltest::Terms TermsOfRing(const std::vector<TMonomPair>& ring) {
  poltest::Terms terms;
  for (const TMonomPair& m : ring)
    terms.emplace_back(m.Index, m.Coeff);
  return terms;
}

// What a step's algorithm line must say for the step to be the line's work.
const char* LineWord(Kind kind) {
  switch (kind) {
  case Kind::Visit:
    return "GoNextLink";
  case Kind::Insert:
    return "InsCurrent";
  case Kind::Merge:
    return ":= s";
  case Kind::Remove:
    return "DelCurrent";
  case Kind::Take:
    return "m :=";
  case Kind::Skip:
    return "не 0";
  default:
    return "";
  }
}

void ExpectReplaysTo(const TListRecording& recording, TPolinom expected, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_FALSE(recording.IsRefused()) << recording.Steps.back().Text.Text();
  const int last = static_cast<int>(recording.Steps.size()) - 1;
  EXPECT_TRUE(poltest::SameBits(TermsOfRing(recording.RingAt(last)), poltest::TermsOf(expected)));
  int walk = 0;
  for (int i = 0; i <= last; ++i) {
    const TListStep& step = recording.Steps[static_cast<std::size_t>(i)];
    if (step.Kind == Kind::Take) {
      // Adding m reads every link of a greater index and then the link it stops at.
      const std::vector<TMonomPair> ring = recording.RingAt(i);
      walk += 1 + static_cast<int>(std::count_if(ring.begin(), ring.end(), [&](TMonomPair t) {
                return t.Index > step.Monom.Index;
              }));
    }
    const std::string line = recording.Lines.at(static_cast<std::size_t>(step.Line));
    EXPECT_NE(line.find(LineWord(step.Kind)), std::string::npos) << i << ": " << line;
  }
  EXPECT_EQ(recording.Visits(), walk);
}

// A text of count random monomials with powers 0..2 and coefficients -3..3, so that like
// terms merge, cancel and a coefficient of 0 occurs.
std::string RandomText(std::mt19937& rng, int count) {
  std::uniform_int_distribution<int> power(0, 2), coeff(-3, 3);
  std::string text;
  for (int i = 0; i < count; ++i) {
    const int c = coeff(rng);
    text += c < 0 ? " - " : i == 0 ? "" : " + ";
    text += std::to_string(std::abs(c));
    for (const char* var : {"x", "y", "z"})
      if (const int k = power(rng); k > 0) text += std::string("*") + var + "^" + std::to_string(k);
  }
  return text;
}

} // namespace

TEST(ListSteps, RecordedStepsReplayToTheOperationsOwnResultsWithTheWalksVisits) {
  std::mt19937 rng(27);
  for (int round = 0; round < 60; ++round) {
    // Low powers make like terms meet; high ones make the product and the integral clamp.
    const int maxPower = round % 3 == 2 ? 99 : 3;
    TPolinom p = poltest::RandomPol(rng, 1 + round % 9, maxPower, poltest::SmallInt);
    TPolinom q = poltest::RandomPol(rng, round % 7, maxPower, poltest::SmallInt);
    const char var = "xyz"[round % 3];
    const std::string text = RandomText(rng, 1 + round % 12);
    TPolinom read;
    read.SetText(text);
    ExpectReplaysTo(RecordReading(text), read, "reading " + text);
    ExpectReplaysTo(RecordListOperation(TListOperation::Sum, p, q), p + q, "sum");
    ExpectReplaysTo(RecordListOperation(TListOperation::Difference, p, q), p - q, "difference");
    ExpectReplaysTo(RecordListOperation(TListOperation::Product, p, q), p * q, "product");
    ExpectReplaysTo(RecordListOperation(TListOperation::Derivative, p, q, var), p.Derivative(var),
                    "derivative");
    const TListRecording integral = RecordListOperation(TListOperation::Integral, p, q, var);
    ExpectReplaysTo(integral, p.Integral(var), "integral");
    EXPECT_EQ(integral.Overflow, p.GetOverflow());
  }
}

TEST(ListSteps, StepsExplainTheWalkAndLargeInputsAreRefusedWithTheReason) {
  const TListRecording reading = RecordReading("x*y^2 + x^2*y - x*y^2");
  std::vector<std::string> texts;
  for (const TListStep& step : reading.Steps)
    texts.push_back(step.Text.Text());
  EXPECT_NE(
      std::find(texts.begin(), texts.end(), "Индекс 20100 > 10200: вставка перед текущим звеном"),
      texts.end());
  EXPECT_EQ(reading.Steps.back().Kind, Kind::Finish);
  EXPECT_EQ(reading.Steps[reading.Steps.size() - 2].Text.Text(),
            "1 + (-1) = 0: звено с индексом 10200 удаляется");

  TPolinom big;
  for (int i = 0; i <= MaxStepMonoms; ++i)
    TPolinom::AddMonom(big, TMonom(1.0f, i));
  const TPolinom small{{1.0f, 0}};
  for (const TListRecording& refused :
       {RecordListOperation(TListOperation::Sum, big, small),
        RecordListOperation(TListOperation::Product, small, big),
        RecordListOperation(TListOperation::Integral, big, small, 'x'),
        RecordReading(big.GetText())}) {
    ASSERT_TRUE(refused.IsRefused());
    EXPECT_EQ(refused.Steps.size(), 1u);
    EXPECT_NE(refused.Steps[0].Text.Text().find("40"), std::string::npos)
        << refused.Steps[0].Text.Text();
  }
  // Two polynomials of 40 monomials whose product has 1600: the walks take millions of steps.
  TPolinom p, q;
  for (int i = 0; i < MaxStepMonoms; ++i) {
    TPolinom::AddMonom(p, TMonom(1.0f, TMonom::MakeIndex(i, 0, 0)));
    TPolinom::AddMonom(q, TMonom(1.0f, TMonom::MakeIndex(0, i, 0)));
  }
  const TListRecording tooLong = RecordListOperation(TListOperation::Product, p, q);
  ASSERT_TRUE(tooLong.IsRefused());
  EXPECT_NE(tooLong.Steps[0].Text.Text().find(std::to_string(MaxListSteps)), std::string::npos);

  TPolinom rejected;
  rejected.SetText("x^100 + 1");
  const TListRecording wrong = RecordReading("x^100 + 1");
  ASSERT_TRUE(wrong.IsRefused());
  EXPECT_NE(wrong.Steps[0].Text.Text().find(rejected.GetErrText()), std::string::npos);
}

// Every step fits the picture's size; the last one shows the result ring with the texts the
// structure diagram writes into its boxes, in the same order; a deleted link is struck out.
TEST(ListSteps, PicturesDrawTheRingsAsTheStructureDiagram) {
  const TPolinom p{{2.0f, 20000}, {-1.0f, 100}, {3.0f, 0}};
  const TPolinom q{{1.0f, 10000}, {1.0f, 100}};
  const std::vector<std::pair<TListRecording, TPolinom>> cases = {
      {RecordListOperation(TListOperation::Sum, p, q), TPolinom(p) + q},
      {RecordListOperation(TListOperation::Product, p, q), TPolinom(p) * q},
      {RecordReading("x - 2*y + x^3 - x"), TPolinom{{1.0f, 30000}, {-2.0f, 100}}},
  };
  int removals = 0;
  for (const auto& [recording, expected] : cases) {
    teachtest::CallCanvas measure(0, 0);
    const TListStepPicture picture(recording, measure);
    for (int step = 0; step < static_cast<int>(recording.Steps.size()); ++step) {
      teachtest::CallCanvas canvas(picture.GetWidth(), picture.GetHeight());
      picture.Draw(step, canvas);
      EXPECT_EQ(canvas.Outside, 0) << step;
      if (recording.Steps[static_cast<std::size_t>(step)].Kind != Kind::Remove) continue;
      ++removals;
      EXPECT_TRUE(std::any_of(canvas.Lines.begin(), canvas.Lines.end(), [](const auto& line) {
        return line.Pen == TCanvasColor{220, 0, 0} && line.X1 != line.X2 && line.Y1 != line.Y2;
      })) << step;
    }

    teachtest::CallCanvas last(picture.GetWidth(), picture.GetHeight());
    picture.Draw(static_cast<int>(recording.Steps.size()) - 1, last);
    const auto label = std::find_if(last.Texts.begin(), last.Texts.end(),
                                    [](const auto& t) { return t.Text == "r"; });
    ASSERT_NE(label, last.Texts.end());
    std::vector<std::string> ring;
    for (const std::string& text : last.TextsBetween(label->Y - 8, label->Y + 12))
      if (text != "r") ring.push_back(text);
    teachtest::CallCanvas diagram(100, 100);
    TPolinom(expected).DrawStructure(10, 5, 100, diagram, {}, {}, {}, {}, {}, {}, {});
    EXPECT_EQ(ring, diagram.TextsBetween(0, 100));
  }
  EXPECT_EQ(removals, 2); // -y + y in the sum, x - x in the text
}
