#pragma once
// The comparison of the three table organisations: 3000 searches, insertions or deletions on
// a fresh scan, sorted and hash table each, timed and counted. The windows only draw what a
// run returns; the pseudo-random generator and the clock are handed in, so a run can be
// replayed exactly.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tables/TTableKinds.h"

namespace TABLESTRUCT {

class TBasePTab;

enum class TestOperation { Search = 1, Insertion = 2, Deletion = 3 };

struct TChartPoint {
  double X = 0;
  double Y = 0;
};

// What one table's run leaves behind.
struct TTableRun {
  // (0, 0), then the mean milliseconds of one operation over each 200 operations, placed at
  // the middle of those operations: x = 100, 300, ..., 2700.
  std::vector<TChartPoint> TimePoints;
  // The running operation count after each operation: x = 0 .. 2999.
  std::vector<TChartPoint> OperPoints;
  std::int64_t TimeMicroseconds = 0; // the whole run
  int Operations = 0;                // the table's counter at the end of the run
  int RecordsLeft = 0;               // records in the table at the end of the run
};

struct TEfficiencyResult {
  std::array<TTableRun, TableKindCount> Runs; // in the order of the organisations
  std::array<double, TableKindCount> Efficiency{};
  std::array<int, TableKindCount> Percent{}; // the gauges: Efficiency x 100, truncated
};

// A test key: ten decimal digits, each the next value of random modulo 10.
std::string RandomTestKey(const std::function<unsigned()>& random);
// count test keys, each drawn again until it differs from all drawn before.
std::vector<std::string> DistinctTestKeys(int count, const std::function<unsigned()>& random);

class TEfficiencyTest {
public:
  static constexpr int OperationCount = 3000;
  static constexpr int SegmentLength = 200;
  static constexpr int KeyDigits = 10;

  // The next value of the pseudo-random generator (non-negative).
  using RandomSource = std::function<unsigned()>;
  // A monotonic clock reading in microseconds.
  using Clock = std::function<std::int64_t()>;

  TEfficiencyTest(RandomSource random, Clock clock);

  // One run of the chosen operation on a fresh table of each organisation; the one with
  // buckets gets hashSize of them. No table file is read or written.
  TEfficiencyResult Run(TestOperation operation, int hashSize);

  // The generalised efficiency from the run times and operation counts: the fastest and the
  // thriftiest table give the reference terms, ties falling to the lower index.
  static std::array<double, TableKindCount>
  GeneralEfficiency(const std::array<std::int64_t, TableKindCount>& times,
                    const std::array<int, TableKindCount>& operations);

  // The steady clock of the machine, in microseconds.
  static std::int64_t SteadyMicroseconds();

private:
  RandomSource NextRandom;
  Clock Now;

  // The generator's next value modulo n (0 for n = 0).
  unsigned Random(unsigned n);
  // The chosen operation OperationCount times on table, drawing from keys, with the points
  // of its charts.
  TTableRun RunTable(TBasePTab& table, TestOperation operation,
                     const std::vector<std::string>& keys);
};

} // namespace TABLESTRUCT
