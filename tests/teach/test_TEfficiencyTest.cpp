// The comparison run of the three table organisations, driven by a controlled generator and
// clock.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TableTestUtil.h"
#include "teach/TEfficiencyTest.h"

using TABLESTRUCT::TEfficiencyResult;
using TABLESTRUCT::TEfficiencyTest;
using TABLESTRUCT::TestOperation;

namespace {

constexpr int Ops = TEfficiencyTest::OperationCount;

// A clock that advances by a fixed step at every reading.
TEfficiencyTest::Clock SteppingClock(std::int64_t stepMicroseconds) {
  auto now = std::make_shared<std::int64_t>(0);
  return [now, stepMicroseconds] { return *now += stepMicroseconds; };
}

TEfficiencyTest::RandomSource Seeded(unsigned seed) {
  auto engine = std::make_shared<std::mt19937>(seed);
  return [engine] { return static_cast<unsigned>((*engine)()); };
}

// The working directory of a test, restored afterwards.
class InDirectory {
public:
  explicit InDirectory(const std::string& path) : Saved(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~InDirectory() { std::filesystem::current_path(Saved); }

private:
  std::filesystem::path Saved;
};

} // namespace

TEST(EfficiencyRun, SearchGivesFifteenTimePointsAndARunningCountPerTable) {
  TEfficiencyTest test(Seeded(1), SteppingClock(250));
  const TEfficiencyResult result = test.Run(TestOperation::Search, 1500);
  for (const auto& run : result.Runs) {
    ASSERT_EQ(run.TimePoints.size(), 15u);
    EXPECT_EQ(run.TimePoints[0].X, 0);
    EXPECT_EQ(run.TimePoints[0].Y, 0);
    for (std::size_t p = 1; p < run.TimePoints.size(); ++p) {
      EXPECT_EQ(run.TimePoints[p].X, 100 + 200 * (static_cast<int>(p) - 1));
      // One clock step of 250 µs lies between the segment's two readings: 0.25 ms / 200.
      EXPECT_DOUBLE_EQ(run.TimePoints[p].Y, 0.25 / 200);
    }
    ASSERT_EQ(run.OperPoints.size(), static_cast<std::size_t>(Ops));
    for (int i = 0; i < Ops; ++i) {
      EXPECT_EQ(run.OperPoints[i].X, i);
      if (i > 0) {
        EXPECT_GE(run.OperPoints[i].Y, run.OperPoints[i - 1].Y);
      }
    }
    EXPECT_EQ(run.OperPoints.back().Y, run.Operations);
    EXPECT_GT(run.Operations, 0);
    EXPECT_EQ(run.RecordsLeft, Ops); // searches change nothing
  }
  // A scan over 3000 records costs far more comparisons than a binary search.
  EXPECT_GT(result.Runs[0].Operations, 10 * result.Runs[1].Operations);
  // With the same clock every run takes the same time, so only the counts decide.
  EXPECT_EQ(result.Runs[0].TimeMicroseconds, result.Runs[2].TimeMicroseconds);
}

TEST(EfficiencyRun, InsertionStartsFromEmptyTablesAndFillsThem) {
  TEfficiencyTest test(Seeded(7), SteppingClock(10));
  const TEfficiencyResult result = test.Run(TestOperation::Insertion, 30);
  for (const auto& run : result.Runs) {
    EXPECT_EQ(run.RecordsLeft, Ops);
    // The first insertion into an empty table compares nothing.
    EXPECT_LE(run.OperPoints[0].Y, 1);
  }
}

TEST(EfficiencyRun, DeletionOfAKeyDrawnAgainFindsItGone) {
  // The preparation takes 3000 keys of ten digits each: key n is n in ten digits. After
  // those 30000 draws the generator keeps answering 7, so every deletion picks key 7.
  auto calls = std::make_shared<unsigned>(0);
  TEfficiencyTest::RandomSource source = [calls]() -> unsigned {
    const unsigned c = (*calls)++;
    if (c >= 30000) return 7;
    unsigned n = c / 10;
    for (unsigned digit = 9 - c % 10; digit > 0; --digit)
      n /= 10;
    return n % 10;
  };
  TEfficiencyTest test(source, SteppingClock(1));
  const TEfficiencyResult result = test.Run(TestOperation::Deletion, 300);
  for (const auto& run : result.Runs) {
    EXPECT_EQ(run.RecordsLeft, Ops - 1);
    ASSERT_EQ(run.OperPoints.size(), static_cast<std::size_t>(Ops));
  }
}

TEST(EfficiencyRun, RandomDeletionsLeaveTheKeysNeverDrawn) {
  TEfficiencyTest test(Seeded(3), SteppingClock(5));
  const TEfficiencyResult result = test.Run(TestOperation::Deletion, 1500);
  for (const auto& run : result.Runs) {
    // 3000 draws with repetition from 3000 keys leave about 3000/e of them.
    EXPECT_GT(run.RecordsLeft, 950);
    EXPECT_LT(run.RecordsLeft, 1250);
  }
}

TEST(EfficiencyRun, TouchesNeitherTheUserTableNorItsFile) {
  tabletest::ScratchDir dir;
  const std::string file = dir.File();
  const std::string content = "[Global]\nPolCount=1\n[Polinom0]\nPolName=A\nPolFormula=x+1\n";
  tabletest::WriteFile(file, content);
  {
    InDirectory here(dir.Path);
    TEfficiencyTest test(Seeded(11), TEfficiencyTest::SteadyMicroseconds);
    test.Run(TestOperation::Insertion, 3000);
    test.Run(TestOperation::Deletion, 30);
  }
  EXPECT_EQ(tabletest::ReadFile(file), content);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path))
    ++entries;
  EXPECT_EQ(entries, 2); // IniSaves/ and PolTable.ini only
}

TEST(GeneralEfficiency, BestInBothGivesOneAndTwiceWorseGivesAHalf) {
  const auto e = TEfficiencyTest::GeneralEfficiency({100, 200, 150}, {10, 20, 40});
  EXPECT_DOUBLE_EQ(e[0], 1.0);
  EXPECT_DOUBLE_EQ(e[1], 0.5);
  EXPECT_DOUBLE_EQ(e[2], (100.0 / 150 + 10.0 / 40) * 0.5);
}

TEST(GeneralEfficiency, TiesFallToTheLowerIndex) {
  // Scan and hash share the least time; either way the reference term is 1 for both.
  const auto e = TEfficiencyTest::GeneralEfficiency({40, 80, 40}, {9, 3, 3});
  EXPECT_DOUBLE_EQ(e[0], (1.0 + 3.0 / 9) * 0.5);
  EXPECT_DOUBLE_EQ(e[1], (0.5 + 1.0) * 0.5);
  EXPECT_DOUBLE_EQ(e[2], 1.0);
}

TEST(GeneralEfficiency, ZeroLeastTimeGivesOneEverywhere) {
  const auto e = TEfficiencyTest::GeneralEfficiency({0, 500, 20}, {1, 1000, 7});
  EXPECT_EQ(e, (std::array<double, 3>{1.0, 1.0, 1.0}));
}

TEST(GeneralEfficiency, ACounterThatStayedZeroCountsAsOneNotAsNaN) {
  const auto e = TEfficiencyTest::GeneralEfficiency({10, 20, 10}, {0, 5, 0});
  EXPECT_DOUBLE_EQ(e[0], 1.0);
  EXPECT_DOUBLE_EQ(e[1], (0.5 + 0.0) * 0.5);
  EXPECT_DOUBLE_EQ(e[2], 1.0);
}
