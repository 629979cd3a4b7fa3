#pragma once
// The registry of the table organisations. Everything that belongs to one organisation is
// written here once: its key, its names, its chart colour, how a table of it is made, how many
// records it holds, whether it has buckets and how its operation cost grows with the table.
// The windows, the teaching runs, their pictures and their CSV files list, name, colour and
// make the organisations only through TableKinds(), in its order (scan, sorted, hash: the
// order of the efficiency charts' series, of the gauges and of the table window's choice).
//
// A further organisation is its table class and one more entry here.

#include <array>
#include <memory>
#include <string>

#include "core/TCanvas.h"

namespace TABLESTRUCT {

class TBasePTab;

enum class TTableKind { Scan = 0, Sorted = 1, Hash = 2 };
inline constexpr int TableKindCount = 3;

struct TTableKindInfo {
  TTableKind Kind;
  const char* Key;         // "scan": the organisation in CSV files and other machine-read text
  const char* ControlPart; // "Scan": its part in control names (RBScanTab, CGgEffScan)
  const char* Name;        // «Просмотровая таблица»: pictures and step lines
  const char* ShortName;   // «Просмотровая»: choice lists and chart legends
  const char* InName; // «в просмотровой таблице»: "search ... in the table"
  const char* ChoiceCaption; // the table window's button that chooses it
  const char* SwitchName; // «переход к просмотровой таблице»: a switch to it, as the
                          // undo and redo menus name it
  const char* GaugeCaption;        // the efficiency page's label of its gauge
  const char* GaugeHint;           // the hint of that gauge
  LISTSTRUCT::TCanvasColor Colour; // its line in every chart, its key beside every gauge
  bool HasBuckets;                 // made with a number of buckets (the hash table)
  int Capacity;                    // the most records a table of it holds
  // The expected operation count of one search at size records and buckets buckets, up to a
  // constant factor, and that model written for a legend.
  double (*CostModel)(int size, int buckets);
  const char* CostModelText;
  // An empty table of the organisation on the table file fileName (none when empty); buckets
  // matters to an organisation with buckets and is clamped to what it accepts.
  std::unique_ptr<TBasePTab> (*Make)(int buckets, const std::string& fileName);
  // Whether table is of the organisation.
  bool (*Holds)(const TBasePTab& table);
  // The buckets of a table of the organisation (1 without buckets).
  int (*Buckets)(const TBasePTab& table);
};

// The organisations in their order; TableKinds()[k].Kind is TTableKind(k).
const std::array<TTableKindInfo, TableKindCount>& TableKinds();
const TTableKindInfo& TableKindInfo(TTableKind kind);

// The organisation of a table, and its buckets (1 without buckets).
TTableKind KindOf(const TBasePTab& table);
int BucketCount(const TBasePTab& table);

// An empty table of the organisation (the one with buckets gets buckets of them) on the table
// file fileName; without a file for an empty name.
std::unique_ptr<TBasePTab> MakeTable(TTableKind kind, int buckets,
                                     const std::string& fileName = std::string());

} // namespace TABLESTRUCT
