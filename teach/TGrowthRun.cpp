#include "teach/TGrowthRun.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "core/TPolinom.h"
#include "tables/AtomicFile.h"
#include "tables/TBasePTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TTableKinds.h"
#include "teach/ChartCsv.h"

namespace TABLESTRUCT {

namespace {

constexpr int CancelEvery = 64; // operations or keys between looks at the cancel flag

bool Stopped(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

// The buckets the records effectively use: n² / Σc² over the chains of c records each, the
// number of equally filled buckets in which a record would share its chain with as many others
// on average (1 without buckets).
int EffectiveBuckets(TBasePTab& table) {
  if (!TableKindInfo(KindOf(table)).HasBuckets) return 1;
  std::map<int, double> chains;
  double records = 0;
  for (int pos = table.Reset(); !table.IsTabEnded(); pos = table.GoNext()) {
    chains[pos] += 1;
    records += 1;
  }
  double squares = 0;
  for (const auto& chain : chains)
    squares += chain.second * chain.second;
  return squares > 0 ? std::max(1, static_cast<int>(std::lround(records * records / squares))) : 1;
}

} // namespace

TGrowthRun::TGrowthRun(TEfficiencyTest::RandomSource random, TEfficiencyTest::Clock clock)
    : NextRandom(std::move(random)), Now(std::move(clock)) {}

int TGrowthRun::BucketsFor(int size, int percent) {
  const long long buckets = static_cast<long long>(size) * percent / 100;
  return static_cast<int>(std::clamp<long long>(buckets, 1, MaxHashSize));
}

int TGrowthRun::OperationsFor(TestOperation operation, int size) {
  if (operation == TestOperation::Search) return OperationsPerSize;
  return std::min(OperationsPerSize, size / 2);
}

double TGrowthRun::ModelValue(TTableKind kind, int size, int buckets) {
  return TableKindInfo(kind).CostModel(size, buckets);
}

TGrowthFit TGrowthRun::Fit(const std::vector<double>& model, const std::vector<double>& measured) {
  TGrowthFit fit;
  double fy = 0, ff = 0, sum = 0;
  const std::size_t count = std::min(model.size(), measured.size());
  for (std::size_t i = 0; i < count; ++i) {
    fy += model[i] * measured[i];
    ff += model[i] * model[i];
    sum += measured[i];
  }
  if (ff <= 0) return fit;
  fit.Slope = fy / ff;
  const double mean = sum / static_cast<double>(count);
  double residual = 0, spread = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double r = measured[i] - fit.Slope * model[i];
    residual += r * r;
    spread += (measured[i] - mean) * (measured[i] - mean);
  }
  // Values without spread are explained exactly or not at all.
  fit.RSquared = spread > 0 ? 1.0 - residual / spread : residual > 0 ? 0.0 : 1.0;
  return fit;
}

TGrowthResult TGrowthRun::Run(TestOperation operation, int hashPercent,
                              const std::vector<int>& sizes, const Progress& progress,
                              const std::atomic<bool>* cancel) {
  TGrowthResult result;
  result.Operation = operation;
  result.HashPercent = hashPercent;
  constexpr int partsPerSize = 1 + TableKindCount;
  const int total = static_cast<int>(sizes.size()) * partsPerSize;
  int done = 0;
  const std::function<void()> advance = [&] {
    ++done;
    if (progress) progress(done, total);
  };
  for (int size : sizes) {
    if (Stopped(cancel)) break;
    if (size < 2) { // nothing to draw keys from
      done += partsPerSize;
      continue;
    }
    const std::vector<TGrowthPoint> points = RunSize(operation, size, hashPercent, advance, cancel);
    if (points.empty()) break; // cancelled within this size
    result.Points.insert(result.Points.end(), points.begin(), points.end());
  }
  result.Cancelled = Stopped(cancel);

  for (const TTableKindInfo& info : TableKinds()) {
    std::vector<double> model, measured;
    for (const TGrowthPoint& point : result.Points) {
      if (point.Kind != info.Kind) continue;
      model.push_back(ModelValue(point.Kind, point.Size, point.ReachedBuckets));
      measured.push_back(point.MeanOperations);
    }
    result.Fits[static_cast<std::size_t>(info.Kind)] = Fit(model, measured);
  }
  return result;
}

std::vector<TGrowthPoint> TGrowthRun::RunSize(TestOperation operation, int size, int hashPercent,
                                              const std::function<void()>& advance,
                                              const std::atomic<bool>* cancel) {
  const int operations = OperationsFor(operation, size);
  const int buckets = BucketsFor(size, hashPercent);
  const int prepared = operation == TestOperation::Insertion ? size - operations : size;
  std::array<std::unique_ptr<TBasePTab>, TableKindCount> tables;
  for (const TTableKindInfo& info : TableKinds())
    tables[static_cast<std::size_t>(info.Kind)] = MakeTable(info.Kind, buckets);
  const std::vector<std::string> keys = DistinctTestKeys(prepared, NextRandom);
  const LISTSTRUCT::TPolinom stored;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i % CancelEvery == 0 && Stopped(cancel)) return {};
    for (auto& table : tables)
      table->InsRecord(keys[i], stored);
  }
  if (Stopped(cancel)) return {};
  advance();
  // Searches and deletions start from n records, insertions end with them.
  const bool reachedBefore = operation != TestOperation::Insertion;

  std::vector<TGrowthPoint> points;
  for (const TTableKindInfo& info : TableKinds()) {
    TBasePTab& table = *tables[static_cast<std::size_t>(info.Kind)];
    table.ClearEfficiency();
    const std::int64_t start = Now();
    const int reached = reachedBefore ? EffectiveBuckets(table) : 0;
    if (!RunOperations(table, operation, operations, keys, cancel)) return {};
    const std::int64_t end = Now();
    TGrowthPoint point;
    point.Size = size;
    point.Kind = info.Kind;
    point.Buckets = info.HasBuckets ? buckets : 1;
    point.ReachedBuckets = reachedBefore ? reached : EffectiveBuckets(table);
    point.Operations = operations;
    point.MeanOperations = static_cast<double>(table.GetEfficiency()) / operations;
    point.MeanMicroseconds = static_cast<double>(end - start) / operations;
    points.push_back(point);
    advance();
  }
  return points;
}

bool TGrowthRun::RunOperations(TBasePTab& table, TestOperation operation, int count,
                               const std::vector<std::string>& keys,
                               const std::atomic<bool>* cancel) {
  const LISTSTRUCT::TPolinom stored;
  LISTSTRUCT::TPolinom received;
  for (int i = 0; i < count; ++i) {
    if (i % CancelEvery == 0 && Stopped(cancel)) return false;
    switch (operation) {
    case TestOperation::Search:
      table.FindRecord(keys[NextRandom() % keys.size()], received);
      break;
    case TestOperation::Insertion:
      table.InsRecord(RandomTestKey(NextRandom), stored);
      break;
    case TestOperation::Deletion:
      table.DelRecord(keys[NextRandom() % keys.size()]);
      break;
    }
    table.GetRetCode();
  }
  return true;
}

double TGrowthRun::ReachedBucketsAt(const TGrowthResult& result, TTableKind kind, double size) {
  std::vector<std::pair<double, double>> known; // (log n, buckets reached), by n
  for (const TGrowthPoint& point : result.Points)
    if (point.Kind == kind && point.Size > 0)
      known.emplace_back(std::log(point.Size), point.ReachedBuckets);
  if (known.empty() || !TableKindInfo(kind).HasBuckets) return 1.0;
  std::sort(known.begin(), known.end());
  const double at = std::log(std::max(size, 1.0));
  if (at <= known.front().first) return known.front().second;
  if (at >= known.back().first) return known.back().second;
  const auto after = std::upper_bound(known.begin(), known.end(), std::make_pair(at, 0.0));
  const auto before = after - 1;
  const double t = (at - before->first) / (after->first - before->first);
  return before->second + t * (after->second - before->second);
}

std::vector<TChartPoint> TGrowthRun::FittedCurve(const TGrowthResult& result, TTableKind kind,
                                                 int samples) {
  double lowN = 0, highN = 0;
  for (const TGrowthPoint& point : result.Points) {
    if (lowN == 0 || point.Size < lowN) lowN = point.Size;
    highN = std::max(highN, static_cast<double>(point.Size));
  }
  std::vector<TChartPoint> curve;
  if (highN <= 0 || samples < 1) return curve;
  const double slope = result.Fits[static_cast<std::size_t>(kind)].Slope;
  for (int i = 0; i <= samples; ++i) {
    const double n = lowN * std::pow(highN / lowN, static_cast<double>(i) / samples);
    const int size = static_cast<int>(std::lround(n));
    const int reached = static_cast<int>(std::lround(ReachedBucketsAt(result, kind, size)));
    curve.push_back({static_cast<double>(size), slope * ModelValue(kind, size, reached)});
  }
  return curve;
}

std::string GrowthCsv(const TGrowthResult& result) {
  std::string csv = "n,organisation,mean_operations,mean_microseconds\n";
  for (const TGrowthPoint& point : result.Points)
    csv += std::to_string(point.Size) + "," + TableKindInfo(point.Kind).Key + "," +
           CsvNumber(point.MeanOperations) + "," + CsvNumber(point.MeanMicroseconds) + "\n";
  return csv;
}

bool WriteGrowthCsv(const std::string& path, const TGrowthResult& result, DSTRUCT::TText* error) {
  return atomicWriteFile(path, GrowthCsv(result), error);
}

bool WriteGrowthCsv(const std::string& path, const TGrowthResult& result, std::string* error) {
  return atomicWriteFile(path, GrowthCsv(result), error);
}

} // namespace TABLESTRUCT
