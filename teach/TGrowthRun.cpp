#include "teach/TGrowthRun.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/TPolinom.h"
#include "tables/AtomicFile.h"
#include "teach/ChartCsv.h"
#include "tables/TBasePTab.h"
#include "tables/TPolHashTab.h"

namespace TABLESTRUCT {

namespace {

constexpr int CancelEvery = 64; // operations or keys between looks at the cancel flag

bool Stopped(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
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
  switch (kind) {
  case TTableKind::Scan:
    return size;
  case TTableKind::Sorted:
    return size > 0 ? std::log2(static_cast<double>(size)) : 0.0;
  case TTableKind::Hash:
    break;
  }
  return 1.0 + static_cast<double>(size) / std::max(1, buckets);
}

TGrowthFit TGrowthRun::Fit(const std::vector<double>& model, const std::vector<double>& measured) {
  TGrowthFit fit;
  double fy = 0, ff = 0, yy = 0;
  const std::size_t count = std::min(model.size(), measured.size());
  for (std::size_t i = 0; i < count; ++i) {
    fy += model[i] * measured[i];
    ff += model[i] * model[i];
    yy += measured[i] * measured[i];
  }
  if (ff <= 0) return fit;
  fit.Slope = fy / ff;
  double residual = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double r = measured[i] - fit.Slope * model[i];
    residual += r * r;
  }
  fit.RSquared = yy > 0 ? 1.0 - residual / yy : 1.0;
  return fit;
}

TGrowthResult TGrowthRun::Run(TestOperation operation, int hashPercent,
                              const std::vector<int>& sizes, const Progress& progress,
                              const std::atomic<bool>* cancel) {
  TGrowthResult result;
  result.Operation = operation;
  result.HashPercent = hashPercent;
  const int total = static_cast<int>(sizes.size()) * 4;
  int done = 0;
  auto advance = [&] {
    ++done;
    if (progress) progress(done, total);
  };
  const LISTSTRUCT::TPolinom stored;
  LISTSTRUCT::TPolinom received;

  for (int size : sizes) {
    if (Stopped(cancel)) break;
    if (size < 2) { // nothing to draw keys from
      done += 4;
      continue;
    }
    const int operations = OperationsFor(operation, size);
    const int buckets = BucketsFor(size, hashPercent);
    const int prepared = operation == TestOperation::Insertion ? size - operations : size;
    std::array<std::unique_ptr<TBasePTab>, 3> tables{MakeTable(TTableKind::Scan, 1),
                                                     MakeTable(TTableKind::Sorted, 1),
                                                     MakeTable(TTableKind::Hash, buckets)};
    const std::vector<std::string> keys = DistinctTestKeys(prepared, NextRandom);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (i % CancelEvery == 0 && Stopped(cancel)) break;
      for (auto& table : tables)
        table->InsRecord(keys[i], stored);
    }
    if (Stopped(cancel)) break;
    advance();

    std::vector<TGrowthPoint> points;
    for (std::size_t k = 0; k < tables.size() && !Stopped(cancel); ++k) {
      TBasePTab& table = *tables[k];
      table.ClearEfficiency();
      const std::int64_t start = Now();
      int i = 0;
      for (; i < operations; ++i) {
        if (i % CancelEvery == 0 && Stopped(cancel)) break;
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
      const std::int64_t end = Now();
      if (i < operations) break;
      TGrowthPoint point;
      point.Size = size;
      point.Kind = static_cast<TTableKind>(k);
      point.Buckets = point.Kind == TTableKind::Hash ? buckets : 1;
      point.Operations = operations;
      point.MeanOperations = static_cast<double>(table.GetEfficiency()) / operations;
      point.MeanMicroseconds = static_cast<double>(end - start) / operations;
      points.push_back(point);
      advance();
    }
    if (points.size() < tables.size()) break; // cancelled within this size
    result.Points.insert(result.Points.end(), points.begin(), points.end());
  }
  result.Cancelled = Stopped(cancel);

  for (int k = 0; k < 3; ++k) {
    std::vector<double> model, measured;
    for (const TGrowthPoint& point : result.Points) {
      if (static_cast<int>(point.Kind) != k) continue;
      model.push_back(ModelValue(point.Kind, point.Size, point.Buckets));
      measured.push_back(point.MeanOperations);
    }
    result.Fits[k] = Fit(model, measured);
  }
  return result;
}

std::string GrowthCsv(const TGrowthResult& result) {
  std::string csv = "n,organisation,mean_operations,mean_microseconds\n";
  for (const TGrowthPoint& point : result.Points)
    csv += std::to_string(point.Size) + "," + CsvOrganisationKey(point.Kind) + "," +
           CsvNumber(point.MeanOperations) + "," + CsvNumber(point.MeanMicroseconds) + "\n";
  return csv;
}

bool WriteGrowthCsv(const std::string& path, const TGrowthResult& result, std::string* error) {
  return atomicWriteFile(path, GrowthCsv(result), error);
}

} // namespace TABLESTRUCT
