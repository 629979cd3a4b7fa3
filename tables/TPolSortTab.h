#pragma once
// The sorted table: an array of record pointers in ascending key order, searched by binary
// search. Insertion and deletion shift the following pointers by one place. It holds at most
// MaxSortRecords records: the slot after the last record always exists.

#include <array>
#include <string>

#include "tables/TBasePTab.h"

namespace TABLESTRUCT {

inline constexpr int SortTabSlots = 5000;
inline constexpr int MaxSortRecords = SortTabSlots - 1;

class TPolSortTab : public TBasePTab {
protected:
  // Recs[0..DataCount-1] in ascending key order; every slot from DataCount on is empty.
  std::array<TTabRecPol*, SortTabSlots> Recs{};

  TTabRecPol* CurrentRecord() override;
  // Binary search; adds one to Efficiency per probe when counted. Returns the key's index
  // (found) or the number of keys smaller than key (not found).
  int SearchPos(const std::string& key, bool& found, bool counted = true);
  // Tells the observer of the moves of slots first, first + step, ..., last, each to the slot
  // beside it: step -1 walks down and moves each slot up one place, step 1 the reverse.
  void NoticeMoves(int first, int last, int step);
  // Shifts Recs[p..DataCount-1] up one place (p empty afterwards); returns the moves made.
  int ShiftUp(int p);
  // Shifts Recs[p+1..DataCount] down one place over p; returns the moves made.
  int ShiftDown(int p);

public:
  explicit TPolSortTab(const std::string& fileName);
  ~TPolSortTab() override;

  int InsRecord(const std::string& key, const TPolinom& pol) override;
  int FindRecord(const std::string& key, TPolinom& out) override;
  void DelRecord(const std::string& key) override;
  void ChangeRecord(const std::string& oldKey, const std::string& newKey,
                    const TPolinom& pol) override;
  int Reset() override;
  int GoNext() override;
  bool IsTabEnded() const override { return CurrPos >= DataCount; }
  int GetChainPos() override { return 0; }
  void ClearTab() override;
  TPolinom* GetPolinom(int pos) override;
  std::string GetKey(int pos) override;
  int GetDataCount() const override { return DataCount; }
  int GetCapacity() const override { return MaxSortRecords; }
  void LoadTab() override { LoadFromFile(); }
  void SaveTab() override { SaveToFile(); }
};

} // namespace TABLESTRUCT
