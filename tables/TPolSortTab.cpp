#include "tables/TPolSortTab.h"

#include <algorithm>
#include <new>

namespace TABLESTRUCT {

TPolSortTab::TPolSortTab(const std::string& fileName) : TBasePTab(fileName) {
  DataCount = 0;
  SetRetCode(TabOK);
}

TPolSortTab::~TPolSortTab() {
  for (int i = 0; i < DataCount; ++i)
    delete Recs[i];
}

TTabRecPol* TPolSortTab::CurrentRecord() {
  if (CurrPos < 0 || CurrPos >= DataCount) return nullptr;
  return Recs[CurrPos];
}

int TPolSortTab::SearchPos(const std::string& key, bool& found, bool counted) {
  int lo = 0, hi = DataCount - 1;
  found = false;
  // Only the counted searches of InsRecord, FindRecord and DelRecord are shown.
  TTableObserver* observer = counted ? Observer : nullptr;
  while (lo <= hi && !found) {
    if (counted) ++Efficiency;
    int mid = (lo + hi) / 2;
    int cmp = key.compare(Recs[mid]->KeyRef()); // byte by byte, unsigned
    if (observer) {
      TTableEvent probe = TableEvent(TTableEventKind::Probe, mid, Recs[mid]->KeyRef());
      probe.Lo = lo;
      probe.Hi = hi;
      probe.Comparison = (cmp > 0) - (cmp < 0);
      probe.Cost = 1;
      observer->Notice(probe);
    }
    if (cmp == 0) {
      found = true;
      lo = hi = mid;
    } else if (cmp > 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return lo;
}

void TPolSortTab::NoticeMoves(int first, int last, int step) {
  // Each move of a record pointer (or of the empty slot after the last record) counts one.
  for (int from = first; from != last + step; from += step) {
    TTableEvent move =
        TableEvent(TTableEventKind::Move, from, Recs[from] ? Recs[from]->KeyRef() : std::string());
    move.Target = from - step;
    move.Cost = 1;
    Observer->Notice(move);
  }
}

int TPolSortTab::ShiftUp(int p) {
  std::move_backward(Recs.begin() + p, Recs.begin() + DataCount, Recs.begin() + DataCount + 1);
  Recs[p] = nullptr;
  return DataCount - p;
}

int TPolSortTab::ShiftDown(int p) {
  std::move(Recs.begin() + p + 1, Recs.begin() + DataCount + 1, Recs.begin() + p);
  return DataCount - p;
}

int TPolSortTab::InsRecord(const std::string& key, const TPolinom& pol) {
  SetRetCode(TabOK);
  int p = 0;
  bool found = false;
  if (DataCount > 0) p = SearchPos(key, found);
  if (found) {
    Recs[p]->SetKey(key);
    Recs[p]->SetPolinom(pol);
    if (Observer) Observer->Notice(TableEvent(TTableEventKind::Replace, p, key));
    return p;
  }
  if (DataCount >= MaxSortRecords) return SetRetCode(TabNoMem);
  auto* rec = new (std::nothrow) TTabRecPol(key, pol);
  if (!rec) return SetRetCode(TabNoMem);
  if (Observer) NoticeMoves(DataCount - 1, p, -1);
  Efficiency += ShiftUp(p);
  DataCount += 1;
  Recs[p] = rec;
  CurrPos = p;
  if (Observer) Observer->Notice(TableEvent(TTableEventKind::Place, p, key));
  return p;
}

int TPolSortTab::FindRecord(const std::string& key, TPolinom& out) {
  SetRetCode(TabOK);
  int p = 0;
  bool found = false;
  if (DataCount > 0) p = SearchPos(key, found);
  if (!found) return SetRetCode(TabNoRec);
  out = *Recs[p]->GetPolinomPtr();
  return p;
}

void TPolSortTab::DelRecord(const std::string& key) {
  SetRetCode(TabOK);
  if (DataCount == 0) {
    SetRetCode(TabEmpty);
    return;
  }
  bool found = false;
  int p = SearchPos(key, found);
  if (!found) {
    SetRetCode(TabNoRec);
    return;
  }
  if (Observer) {
    Observer->Notice(TableEvent(TTableEventKind::Remove, p, key));
    NoticeMoves(p + 1, DataCount, 1);
  }
  delete Recs[p];
  // The move of the empty slot after the last record counts too.
  Efficiency += ShiftDown(p);
  CurrPos = DataCount;
  DataCount -= 1;
}

void TPolSortTab::ChangeRecord(const std::string& oldKey, const std::string& newKey,
                               const TPolinom& pol) {
  SetRetCode(TabOK);
  int p = 0;
  bool found = false;
  if (DataCount > 0) p = SearchPos(oldKey, found);
  if (!found) {
    SetRetCode(TabNoRec);
    return;
  }
  if (newKey == oldKey) {
    Recs[p]->SetKey(newKey);
    Recs[p]->SetPolinom(pol);
    return;
  }
  bool taken = false;
  SearchPos(newKey, taken, false);
  if (taken) {
    SetRetCode(TabKeyUsed);
    return;
  }
  // Out of slot p and back in at the place of the new key; only the search of oldKey counts.
  TTabRecPol* rec = Recs[p];
  ShiftDown(p);
  DataCount -= 1;
  rec->SetKey(newKey);
  rec->SetPolinom(pol);
  int q = SearchPos(newKey, taken, false);
  ShiftUp(q);
  DataCount += 1;
  Recs[q] = rec;
}

int TPolSortTab::Reset() {
  CurrPos = 0;
  return IsTabEnded() ? 1 : 0;
}

int TPolSortTab::GoNext() {
  if (IsTabEnded()) return -1;
  CurrPos += 1;
  return IsTabEnded() ? -1 : CurrPos;
}

void TPolSortTab::ClearTab() {
  SetRetCode(TabOK);
  for (int i = 0; i < DataCount; ++i) {
    delete Recs[i];
    Recs[i] = nullptr;
  }
  DataCount = 0;
}

TPolinom* TPolSortTab::GetPolinom(int pos) {
  if (pos == -1) pos = CurrPos;
  if (pos < 0 || pos >= DataCount) return NoPolinom();
  return Recs[pos]->GetPolinomPtr();
}

std::string TPolSortTab::GetKey(int pos) {
  if (pos == -1) pos = CurrPos;
  if (pos < 0 || pos >= DataCount) {
    SetRetCode(TabNoPos);
    return {};
  }
  return Recs[pos]->GetKey();
}

} // namespace TABLESTRUCT
