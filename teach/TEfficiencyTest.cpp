#include "teach/TEfficiencyTest.h"

#include <chrono>
#include <memory>
#include <unordered_set>

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

namespace TABLESTRUCT {

namespace {
// The test tables are made for the user's table file, as every table is, but never load or
// save it.
const char* const TestTableFile = "\\IniSaves\\PolTable.ini";
} // namespace

TEfficiencyTest::TEfficiencyTest(RandomSource random, Clock clock)
    : NextRandom(std::move(random)), Now(std::move(clock)) {}

std::int64_t TEfficiencyTest::SteadyMicroseconds() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

unsigned TEfficiencyTest::Random(unsigned n) {
  return n == 0 ? 0 : NextRandom() % n;
}

std::string RandomTestKey(const std::function<unsigned()>& random) {
  std::string key;
  key.reserve(TEfficiencyTest::KeyDigits);
  for (int i = 0; i < TEfficiencyTest::KeyDigits; ++i)
    key += static_cast<char>('0' + random() % 10);
  return key;
}

std::vector<std::string> DistinctTestKeys(int count, const std::function<unsigned()>& random) {
  // The set only speeds up the check against the keys drawn before.
  std::vector<std::string> keys;
  std::unordered_set<std::string> drawn;
  keys.reserve(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) {
    std::string key;
    do {
      key = RandomTestKey(random);
    } while (drawn.count(key) != 0);
    drawn.insert(key);
    keys.push_back(std::move(key));
  }
  return keys;
}

TEfficiencyResult TEfficiencyTest::Run(TestOperation operation, int hashSize) {
  std::vector<std::string> keys;
  std::array<std::unique_ptr<TBasePTab>, TableKindCount> tables;
  for (const TTableKindInfo& info : TableKinds())
    tables[static_cast<std::size_t>(info.Kind)] = info.Make(hashSize, TestTableFile);

  // Search and deletion find the same records in every table; their insertion is not counted.
  if (operation != TestOperation::Insertion) {
    const TPolinom stored;
    keys = DistinctTestKeys(OperationCount, NextRandom);
    for (const std::string& key : keys)
      for (auto& table : tables)
        table->InsRecord(key, stored);
    for (auto& table : tables)
      table->ClearEfficiency();
  }

  TEfficiencyResult result;
  std::array<std::int64_t, TableKindCount> times{};
  std::array<int, TableKindCount> operations{};
  for (std::size_t k = 0; k < tables.size(); ++k) {
    result.Runs[k] = RunTable(*tables[k], operation, keys);
    times[k] = result.Runs[k].TimeMicroseconds;
    operations[k] = result.Runs[k].Operations;
  }
  result.Efficiency = GeneralEfficiency(times, operations);
  for (std::size_t k = 0; k < tables.size(); ++k)
    result.Percent[k] = static_cast<int>(result.Efficiency[k] * 100.0);
  return result;
}

TTableRun TEfficiencyTest::RunTable(TBasePTab& table, TestOperation operation,
                                    const std::vector<std::string>& keys) {
  const TPolinom stored; // the polynomial of every inserted record
  TPolinom received;     // where a search copies the found polynomial
  TTableRun run;
  run.TimePoints.reserve(OperationCount / SegmentLength + 1);
  run.OperPoints.reserve(OperationCount);

  const std::int64_t start = Now();
  run.TimePoints.push_back({0, 0});
  std::int64_t segmentStart = Now();
  for (int i = 0; i < OperationCount; ++i) {
    switch (operation) {
    case TestOperation::Search:
      table.FindRecord(keys[Random(OperationCount)], received);
      break;
    case TestOperation::Insertion:
      table.InsRecord(RandomTestKey(NextRandom), stored);
      break;
    case TestOperation::Deletion:
      table.DelRecord(keys[Random(static_cast<unsigned>(keys.size()))]);
      break;
    }
    table.GetRetCode(); // codes are not looked at; reading clears them
    if (i % SegmentLength == 0 && i != 0) {
      const std::int64_t now = Now();
      const double milliseconds = static_cast<double>(now - segmentStart) / 1000.0;
      run.TimePoints.push_back(
          {static_cast<double>(i - SegmentLength / 2), milliseconds / SegmentLength});
      segmentStart = Now();
    }
    run.OperPoints.push_back({static_cast<double>(i), static_cast<double>(table.GetEfficiency())});
  }
  const std::int64_t end = Now();
  run.Operations = table.GetEfficiency();
  run.RecordsLeft = table.GetDataCount();
  run.TimeMicroseconds = end - start;
  return run;
}

std::array<double, TableKindCount>
TEfficiencyTest::GeneralEfficiency(const std::array<std::int64_t, TableKindCount>& times,
                                   const std::array<int, TableKindCount>& operations) {
  std::size_t fastest = 0;
  std::size_t thriftiest = 0;
  for (std::size_t k = 1; k < times.size(); ++k) {
    if (times[k] < times[fastest]) fastest = k;
    if (operations[k] < operations[thriftiest]) thriftiest = k;
  }
  std::array<double, TableKindCount> efficiency;
  efficiency.fill(1.0);
  if (times[fastest] <= 0) return efficiency;
  for (std::size_t k = 0; k < times.size(); ++k) {
    const double timeTerm = static_cast<double>(times[fastest]) / static_cast<double>(times[k]);
    // A table whose counter stayed 0 is as thrifty as can be: 0/0 counts as 1.
    const double operationTerm =
        operations[k] == 0 ? 1.0 : static_cast<double>(operations[thriftiest]) / operations[k];
    efficiency[k] = (timeTerm + operationTerm) * 0.5;
  }
  return efficiency;
}

} // namespace TABLESTRUCT
