#pragma once
// The scan table: records in insertion order in the inherited ring list, found by a linear
// scan from the first record. Deleting a record moves the last record into its place. It is
// also the bucket chain of the hash table.

#include <string>
#include <unordered_map>
#include <utility>

#include "tables/TBasePTab.h"

namespace TABLESTRUCT {

class TPolScanTab : public TBasePTab {
protected:
  TTabRecPol* CurrentRecord() override;
  // Scans for key from the first record, adding one to Efficiency per record passed when
  // counted. Leaves the iteration (CurrPos and the ring) on the record found, or ended.
  // Returns the position, or -1 when the key is absent. Sets code 0.
  int Scan(const std::string& key, bool counted);
  // The link at pos (0 <= pos < DataCount), walking from the first record.
  LISTSTRUCT::TDatLink* LinkAt(int pos) const;
  TTabRecPol* RecordAt(int pos);

  // While a load runs: the position and record of every key, so that a load does not scan.
  std::unordered_map<std::string, std::pair<int, TTabRecPol*>> LoadIndex;
  void BeginLoad() override { BeginLoading(); }
  void EndLoad() override { EndLoading(); }

public:
  // fileName as for TBasePTab; the hash table's chains pass an empty name.
  explicit TPolScanTab(const std::string& fileName);
  ~TPolScanTab() override;

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
  void LoadTab() override { LoadFromFile(); }
  void SaveTab() override { SaveToFile(); }

  // FindRecord without the copy: the position of key (counted like FindRecord), or TabNoRec.
  int FindPos(const std::string& key);
  // The record at the iteration position (null when ended); used by the hash table.
  TTabRecPol* GetCurrentRecord() { return CurrentRecord(); }
  // A load into this table (also as a bucket chain): between BeginLoading and EndLoading the
  // table changes only through LoadRecord, which does what InsRecord does (records, counter,
  // code) without the scan.
  void BeginLoading();
  void LoadRecord(const std::string& key, const TPolinom& pol) override;
  void EndLoading() { LoadIndex.clear(); }
};

} // namespace TABLESTRUCT
