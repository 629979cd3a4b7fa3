#pragma once
// The hash table (table with computed addresses): a key's bucket is the sum of its byte codes
// modulo the number of buckets, and each bucket is a scan table holding the records of its
// keys, made with the bucket's first record and released with its last. The iteration walks
// the buckets in ascending order and each bucket's chain in chain order.

#include <array>
#include <memory>
#include <string>

#include "tables/TBasePTab.h"
#include "tables/TPolScanTab.h"

namespace TABLESTRUCT {

inline constexpr int MaxHashSize = 5000;

class TPolHashTab : public TBasePTab {
protected:
  int TabSize = 1; // buckets in use, 1..MaxHashSize
  // Bucket i < TabSize holds its chain, or nothing while it has no record.
  std::array<std::unique_ptr<TPolScanTab>, MaxHashSize> Buckets;

  TTabRecPol* CurrentRecord() override;
  bool SaveHasName(const std::string& name, const TKeyPlaces& keys) override;
  void BeginLoad() override {}
  void LoadRecord(const std::string& key, const TPolinom& pol) override;
  void EndLoad() override;
  // Makes the chain of bucket i; code TabNoPos when it already has one.
  void CreateBucket(int i);
  // Releases the chain of bucket i.
  void ReleaseBucket(int i) { Buckets[i].reset(); }
  // FindRecord without the copy: the bucket of key (counted like FindRecord), or TabNoRec.
  int FindPos(const std::string& key);
  // The chain of bucket h (null when empty), after telling the observer which bucket key
  // falls into and handing it the observer.
  TPolScanTab* ObservedChain(int h, const std::string& key);
  // First bucket from i on that has a chain, TabSize when none.
  int SkipEmpty(int i) const;

public:
  // size must lie in 1..MaxHashSize; another size sets TabNoPos and the table takes the
  // nearest allowed size, so it stays usable.
  TPolHashTab(int size, const std::string& fileName);
  ~TPolHashTab() override;

  // Bucket index of key: the sum of its byte codes (as unsigned values) modulo TabSize.
  int HashFunc(const std::string& key) const;
  // The sum of the byte codes of key (as unsigned values).
  static unsigned long long CodeSum(const std::string& key);
  int GetTabSize() const { return TabSize; }

  int InsRecord(const std::string& key, const TPolinom& pol) override;
  int FindRecord(const std::string& key, TPolinom& out) override;
  void DelRecord(const std::string& key) override;
  void ChangeRecord(const std::string& oldKey, const std::string& newKey,
                    const TPolinom& pol) override;
  // Rebuilds the table with n buckets (1..MaxHashSize, not the current size: TabNoPos).
  // Every record ends unstored.
  void SetTabSize(int n) override;
  int Reset() override;
  int GoNext() override;
  bool IsTabEnded() const override { return CurrPos >= TabSize; }
  int GetChainPos() override;
  void ClearTab() override;
  TPolinom* GetPolinom(int pos) override;
  std::string GetKey(int pos) override;
  int GetDataCount() const override { return DataCount; }
  void LoadTab() override { LoadFromFile(); }
  void SaveTab() override { SaveToFile(); }
};

} // namespace TABLESTRUCT
