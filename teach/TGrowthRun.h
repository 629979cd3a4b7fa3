#pragma once
// How the cost of an operation grows with the table size: for each size n the three
// organisations get n random test keys (prepared as the efficiency test prepares its tables),
// run the same number of searches, insertions or deletions, and give the mean operation count
// and the mean time of one operation. Least-squares fits a·n (scan table), a·log2 n (sorted
// table) and a·(1 + n/m) (hash table) summarise the points. For the hash table m is the number
// of buckets the keys actually reach, weighed by how full they are: a bucket is the key's code
// sum modulo the buckets, and the code sums of ten-digit keys lie between 480 and 570, bunched
// about 525, so whatever the table's size the records fill about 32 buckets' worth. The run
// reports its progress and stops early when asked to, so it can run away from the windows'
// thread.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/TText.h"
#include "teach/TEfficiencyTest.h"
#include "teach/TTableSteps.h"

namespace TABLESTRUCT {

struct TGrowthPoint {
  int Size = 0; // n: the records before a search or deletion run, after an insertion run
  TTableKind Kind = TTableKind::Scan;
  int Buckets = 1; // the hash table's buckets (1 for the others)
  // The buckets the n records reach, as n² / Σc² over chains of c records: as many equally
  // filled buckets would give a record as many chain mates on average (1 for the others).
  int ReachedBuckets = 1;
  int Operations = 0;          // operations run
  double MeanOperations = 0;   // the table's counter per operation
  double MeanMicroseconds = 0; // steady-clock time per operation
};

// measured ≈ Slope x model, fitted through the origin; RSquared = 1 - Σ(y - a·f)² / Σ(y - ȳ)²,
// the share of the measured values' spread about their mean that the fit explains (below 0
// when a constant at the mean would fit better).
struct TGrowthFit {
  double Slope = 0;
  double RSquared = 0;
};

struct TGrowthResult {
  TestOperation Operation = TestOperation::Search;
  int HashPercent = 50;
  std::vector<TGrowthPoint> Points; // size by size, each organisation in its order
  // By organisation: Slope x its cost model (a·n, a·log2 n, a·(1 + n/m)).
  std::array<TGrowthFit, TableKindCount> Fits{};
  bool Cancelled = false; // stopped early: the points of the sizes finished so far
};

class TGrowthRun {
public:
  static constexpr int OperationsPerSize = 1000;
  // 4999 is the most the sorted table holds.
  static std::vector<int> StandardSizes() { return {250, 500, 1000, 2000, 3000, 4000, 4999}; }

  // done of total parts finished (the preparation of a size and each organisation's run).
  using Progress = std::function<void(int done, int total)>;

  TGrowthRun(TEfficiencyTest::RandomSource random, TEfficiencyTest::Clock clock);

  // Runs the operation for each size; the hash table gets hashPercent % of n buckets. An
  // insertion or deletion run has min(1000, n/2) operations, so that the table keeps at
  // least half of its n records: insertion grows it from n minus that count to n, deletion
  // starts from n. cancel, when given, is looked at often; once true, the run stops.
  TGrowthResult Run(TestOperation operation, int hashPercent, const std::vector<int>& sizes,
                    const Progress& progress = {}, const std::atomic<bool>* cancel = nullptr);

  // m for n records at the track bar's percentage: percent % of n, at least 1.
  static int BucketsFor(int size, int percent);
  // The operations run at size n.
  static int OperationsFor(TestOperation operation, int size);
  // The model of an organisation at n records and m buckets reached: n, log2 n or 1 + n/m.
  static double ModelValue(TTableKind kind, int size, int buckets);
  // The buckets of an organisation that the records reach at n records: the hash points'
  // reached buckets, interpolated over log n between them and held beyond them (1 without
  // buckets or points).
  static double ReachedBucketsAt(const TGrowthResult& result, TTableKind kind, double size);
  // The least-squares fit of measured ≈ a x model through the origin.
  static TGrowthFit Fit(const std::vector<double>& model, const std::vector<double>& measured);
  // The fitted curve of an organisation, Slope x model, at samples + 1 sizes spread evenly on a
  // logarithmic scale from the least to the largest size of the points (none without points).
  static std::vector<TChartPoint> FittedCurve(const TGrowthResult& result, TTableKind kind,
                                              int samples);

private:
  TEfficiencyTest::RandomSource NextRandom;
  TEfficiencyTest::Clock Now;

  // One size: the tables prepared with size keys (fewer for an insertion), then the operation
  // on each of them. No points when cancelled before every organisation has run.
  std::vector<TGrowthPoint> RunSize(TestOperation operation, int size, int hashPercent,
                                    const std::function<void()>& advance,
                                    const std::atomic<bool>* cancel);
  // count operations on table with keys drawn from keys; false when cancelled before the end.
  bool RunOperations(TBasePTab& table, TestOperation operation, int count,
                     const std::vector<std::string>& keys, const std::atomic<bool>* cancel);
};

// The points as CSV: a header line, then "n,organisation,mean operations,mean µs" per point
// (organisation scan, sorted or hash; numbers with ".").
std::string GrowthCsv(const TGrowthResult& result);
// Writes GrowthCsv atomically to path; false with the reason in error when it cannot (as a text
// to show, or its Russian form).
bool WriteGrowthCsv(const std::string& path, const TGrowthResult& result, DSTRUCT::TText* error);
bool WriteGrowthCsv(const std::string& path, const TGrowthResult& result, std::string* error);

} // namespace TABLESTRUCT
