#include "tables/TTableKinds.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/TText.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

namespace TABLESTRUCT {

namespace {

template <class TTable> bool HoldsTable(const TBasePTab& table) {
  return dynamic_cast<const TTable*>(&table) != nullptr;
}

int NoBuckets(const TBasePTab&) {
  return 1;
}

// A scan compares with the records one after another: n.
double ScanCost(int size, int) {
  return size;
}

// A binary search halves the range at each comparison: log2 n.
double SortedCost(int size, int) {
  return size > 0 ? std::log2(static_cast<double>(size)) : 0.0;
}

// The bucket computation and a scan of a chain of n/m records: 1 + n/m.
double HashCost(int size, int buckets) {
  return 1.0 + static_cast<double>(size) / std::max(1, buckets);
}

template <class TTable> std::unique_ptr<TBasePTab> MakeWithFile(int, const std::string& fileName) {
  return std::make_unique<TTable>(fileName);
}

std::unique_ptr<TBasePTab> MakeHash(int buckets, const std::string& fileName) {
  return std::make_unique<TPolHashTab>(std::clamp(buckets, 1, MaxHashSize), fileName);
}

int HashBuckets(const TBasePTab& table) {
  return static_cast<const TPolHashTab&>(table).GetTabSize();
}

const std::array<TTableKindInfo, TableKindCount> Kinds{{
    {.Kind = TTableKind::Scan,
     .Key = "scan",
     .ControlPart = "Scan",
     .Name = TERMIX_TEXT("TableKinds", "Просмотровая таблица"),
     .ShortName = TERMIX_TEXT("TableKinds", "Просмотровая"),
     .InName = TERMIX_TEXT("TableKinds", "в просмотровой таблице"),
     .ChoiceCaption = TERMIX_TEXT("TableKinds", "Просмотровая таблица;"),
     .SwitchName = TERMIX_TEXT("TableKinds", "переход к просмотровой таблице"),
     .GaugeCaption = TERMIX_TEXT("TableKinds", "Просмотровая табл.:"),
     .GaugeHint = TERMIX_TEXT("TableKinds", "Обобщённая эффективность просмотровой таблицы"),
     .Colour = {255, 0, 0}, // red
     .HasBuckets = false,
     .Capacity = INT_MAX,
     .CostModel = ScanCost,
     .CostModelText = "n",
     .Make = MakeWithFile<TPolScanTab>,
     .Holds = HoldsTable<TPolScanTab>,
     .Buckets = NoBuckets},
    {.Kind = TTableKind::Sorted,
     .Key = "sorted",
     .ControlPart = "Sort",
     .Name = TERMIX_TEXT("TableKinds", "Упорядоченная таблица"),
     .ShortName = TERMIX_TEXT("TableKinds", "Упорядоченная"),
     .InName = TERMIX_TEXT("TableKinds", "в упорядоченной таблице"),
     .ChoiceCaption = TERMIX_TEXT("TableKinds", "Упорядоченная таблица;"),
     .SwitchName = TERMIX_TEXT("TableKinds", "переход к упорядоченной таблице"),
     .GaugeCaption = TERMIX_TEXT("TableKinds", "Упорядоченная табл.:"),
     .GaugeHint = TERMIX_TEXT("TableKinds", "Обобщённая эффективность упорядоченной таблицы"),
     .Colour = {0, 0, 255}, // blue
     .HasBuckets = false,
     .Capacity = MaxSortRecords,
     .CostModel = SortedCost,
     .CostModelText = "log₂n",
     .Make = MakeWithFile<TPolSortTab>,
     .Holds = HoldsTable<TPolSortTab>,
     .Buckets = NoBuckets},
    {.Kind = TTableKind::Hash,
     .Key = "hash",
     .ControlPart = "Hash",
     .Name = TERMIX_TEXT("TableKinds", "Таблица с вычисляемыми адресами"),
     .ShortName = TERMIX_TEXT("TableKinds", "С выч. адресами"),
     .InName = TERMIX_TEXT("TableKinds", "в таблице с вычисляемыми адресами"),
     .ChoiceCaption = TERMIX_TEXT("TableKinds", "Таблица с выч. адресами"),
     .SwitchName = TERMIX_TEXT("TableKinds", "переход к таблице с вычисляемыми адресами"),
     .GaugeCaption = TERMIX_TEXT("TableKinds", "Табл. с выч. адресами:"),
     .GaugeHint = TERMIX_TEXT("TableKinds", "Обобщённая эффективность таблицы с хэшированием"),
     .Colour = {0, 255, 0}, // lime
     .HasBuckets = true,
     .Capacity = INT_MAX,
     .CostModel = HashCost,
     .CostModelText = "(1 + n/m)",
     .Make = MakeHash,
     .Holds = HoldsTable<TPolHashTab>,
     .Buckets = HashBuckets},
}};

} // namespace

const std::array<TTableKindInfo, TableKindCount>& TableKinds() {
  return Kinds;
}

const TTableKindInfo& TableKindInfo(TTableKind kind) {
  return Kinds[std::clamp(static_cast<int>(kind), 0, TableKindCount - 1)];
}

TTableKind KindOf(const TBasePTab& table) {
  for (const TTableKindInfo& info : Kinds)
    if (info.Holds(table)) return info.Kind;
  return TTableKind::Scan;
}

int BucketCount(const TBasePTab& table) {
  return TableKindInfo(KindOf(table)).Buckets(table);
}

std::unique_ptr<TBasePTab> MakeTable(TTableKind kind, int buckets, const std::string& fileName) {
  return TableKindInfo(kind).Make(buckets, fileName);
}

} // namespace TABLESTRUCT
