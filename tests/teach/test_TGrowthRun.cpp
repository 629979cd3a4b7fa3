// The growth run on small sizes: the fitted scan-table slope of a search, the sizes an
// insertion or deletion run works at, progress and cancel, and the CSV of the points.

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <sstream>

#include "TableTestUtil.h"
#include "teach/TGrowthRun.h"

using namespace TABLESTRUCT;

namespace {

TGrowthRun SeededRun(unsigned seed) {
  auto engine = std::make_shared<std::mt19937>(seed);
  return TGrowthRun([engine] { return static_cast<unsigned>((*engine)()); },
                    TEfficiencyTest::SteadyMicroseconds);
}

double ParseNumber(const std::string& text) {
  double value = -1;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

} // namespace

TEST(GrowthRun, SearchFitsTheModelsReportsProgressAndStopsWhenCancelled) {
  const std::vector<int> sizes{100, 200, 400, 800};
  std::vector<std::pair<int, int>> reports;
  const TGrowthResult result =
      SeededRun(3).Run(TestOperation::Search, 50, sizes,
                       [&](int done, int total) { reports.emplace_back(done, total); });
  ASSERT_EQ(result.Points.size(), 12u);
  EXPECT_FALSE(result.Cancelled);
  for (std::size_t i = 0; i < result.Points.size(); ++i) {
    const TGrowthPoint& point = result.Points[i];
    EXPECT_EQ(point.Size, sizes[i / 3]);
    EXPECT_EQ(static_cast<int>(point.Kind), static_cast<int>(i % 3));
    EXPECT_EQ(point.Buckets, point.Kind == TTableKind::Hash ? point.Size / 2 : 1);
    EXPECT_EQ(point.Operations, 1000);
    EXPECT_GE(point.MeanMicroseconds, 0);
    // A found key costs its place in the scan table: n/2 on average, never more than n.
    if (point.Kind == TTableKind::Scan) {
      EXPECT_LT(point.MeanOperations, point.Size);
    }
    // The binary search never needs more probes than n has binary digits.
    if (point.Kind == TTableKind::Sorted) {
      EXPECT_LE(point.MeanOperations, std::log2(point.Size) + 1);
    }
  }
  // Scan: a·n with a within 10 % of 1/2; sorted: a·log2 n explains nearly all.
  EXPECT_NEAR(result.Fits[0].Slope, 0.5, 0.05);
  EXPECT_GT(result.Fits[0].RSquared, 0.98);
  EXPECT_GT(result.Fits[1].RSquared, 0.98);
  EXPECT_GT(result.Fits[1].Slope, 0.5);
  EXPECT_LT(result.Fits[1].Slope, 1.0);
  // The hash table's n/2 buckets are reached by the keys' code sums only, bunched within 91
  // of them: a found key shares its chain with half of n/m others, m the buckets reached.
  for (const TGrowthPoint& point : result.Points)
    if (point.Kind == TTableKind::Hash) {
      EXPECT_LE(point.ReachedBuckets, 91);
    }
  EXPECT_NEAR(result.Fits[2].Slope, 0.5, 0.1);
  EXPECT_GT(result.Fits[2].RSquared, 0.95);
  // The fitted curves run from the least to the largest size along Slope x model; the hash
  // table's meets the model at each point's own buckets reached.
  const std::vector<TChartPoint> scan = TGrowthRun::FittedCurve(result, TTableKind::Scan, 6);
  ASSERT_EQ(scan.size(), 7u);
  EXPECT_EQ(scan.front().X, 100);
  EXPECT_EQ(scan.back().X, 800);
  for (const TChartPoint& point : scan)
    EXPECT_DOUBLE_EQ(point.Y, result.Fits[0].Slope * point.X);
  const std::vector<TChartPoint> hash = TGrowthRun::FittedCurve(result, TTableKind::Hash, 6);
  ASSERT_EQ(hash.size(), 7u);
  EXPECT_DOUBLE_EQ(hash.back().Y,
                   result.Fits[2].Slope * (1.0 + 800.0 / result.Points.back().ReachedBuckets));
  EXPECT_TRUE(TGrowthRun::FittedCurve(TGrowthResult(), TTableKind::Scan, 6).empty());
  // Exact data is fitted exactly.
  const TGrowthFit exact = TGrowthRun::Fit({1, 2, 4}, {0.5, 1, 2});
  EXPECT_DOUBLE_EQ(exact.Slope, 0.5);
  EXPECT_DOUBLE_EQ(exact.RSquared, 1.0);
  // R² is taken about the mean: a flat model explains nothing of rising values.
  EXPECT_NEAR(TGrowthRun::Fit({1, 1, 1}, {1, 2, 3}).RSquared, 0.0, 1e-12);

  ASSERT_EQ(reports.size(), 16u);
  for (std::size_t i = 0; i < reports.size(); ++i)
    EXPECT_EQ(reports[i], std::make_pair(static_cast<int>(i) + 1, 16));

  // Cancelled while the second size runs: only the first size's points stay.
  std::atomic<bool> cancel{false};
  const TGrowthResult stopped = SeededRun(3).Run(
      TestOperation::Search, 50, sizes, [&](int done, int) { cancel = done == 5; }, &cancel);
  EXPECT_TRUE(stopped.Cancelled);
  ASSERT_EQ(stopped.Points.size(), 3u);
  for (const TGrowthPoint& point : stopped.Points)
    EXPECT_EQ(point.Size, 100);
}

TEST(GrowthRun, InsertionEndsAtEachSizeDeletionStartsThereAndCsvHoldsThePoints) {
  // Insertion of fresh keys into the scan table costs the records present: from n − k to n.
  const TGrowthResult insertion = SeededRun(4).Run(TestOperation::Insertion, 10, {100, 4000});
  ASSERT_EQ(insertion.Points.size(), 6u);
  EXPECT_EQ(insertion.Points[0].Operations, 50);
  EXPECT_EQ(insertion.Points[3].Operations, 1000);
  EXPECT_NEAR(insertion.Points[0].MeanOperations, 100 - 50 / 2.0 - 0.5, 0.5);
  EXPECT_NEAR(insertion.Points[3].MeanOperations, 4000 - 1000 / 2.0 - 0.5, 0.5);
  EXPECT_EQ(insertion.Points[5].Buckets, 400);

  const TGrowthResult deletion = SeededRun(5).Run(TestOperation::Deletion, 1, {300});
  ASSERT_EQ(deletion.Points.size(), 3u);
  EXPECT_EQ(deletion.Points[0].Operations, 150);
  EXPECT_EQ(deletion.Points[2].Buckets, 3);
  EXPECT_LE(deletion.Points[0].MeanOperations, 300);
  EXPECT_GT(deletion.Points[0].MeanOperations, 100);

  const std::string csv = GrowthCsv(insertion);
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "n,organisation,mean_operations,mean_microseconds");
  const char* const kinds[] = {"scan", "sorted", "hash"};
  for (const TGrowthPoint& point : insertion.Points) {
    ASSERT_TRUE(std::getline(lines, line));
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');)
      fields.push_back(cell);
    ASSERT_EQ(fields.size(), 4u) << line;
    EXPECT_EQ(fields[0], std::to_string(point.Size));
    EXPECT_EQ(fields[1], kinds[static_cast<int>(point.Kind)]);
    EXPECT_EQ(ParseNumber(fields[2]), point.MeanOperations);
    EXPECT_EQ(ParseNumber(fields[3]), point.MeanMicroseconds);
  }
  EXPECT_FALSE(std::getline(lines, line));

  tabletest::ScratchDir dir;
  std::string error;
  ASSERT_TRUE(WriteGrowthCsv(dir.File("IniSaves/search.csv"), insertion, &error)) << error;
  EXPECT_EQ(tabletest::ReadFile(dir.File("IniSaves/search.csv")), csv);
  EXPECT_FALSE(WriteGrowthCsv(dir.File("IniSaves"), insertion, &error)); // a folder is in the way
  EXPECT_FALSE(error.empty());
}
