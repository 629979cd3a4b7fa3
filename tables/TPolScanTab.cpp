#include "tables/TPolScanTab.h"

#include <new>

namespace TABLESTRUCT {

using LISTSTRUCT::TDatLink;

TPolScanTab::TPolScanTab(const std::string& fileName) : TBasePTab(fileName) {
  // The head link carries a placeholder record that is never counted or visited.
  pHead->SetDatValue(new TTabRecPol("!!!", LISTSTRUCT::EmptyPol));
  DataCount = 0;
  SetRetCode(TabOK);
}

// The records go with the list the table is.
TPolScanTab::~TPolScanTab() = default;

TTabRecPol* TPolScanTab::CurrentRecord() {
  if (IsTabEnded() || IsListEnded() || !pCurrLink) return nullptr;
  return static_cast<TTabRecPol*>(pCurrLink->GetDatValue());
}

int TPolScanTab::Scan(const std::string& key, bool counted) {
  SetRetCode(TabOK);
  // A direct walk over the links; it ends in the state Reset and GoNext would leave.
  TDatLink* prev = pStop;
  TDatLink* cur = pFirst;
  int pos = 0;
  // Only the counted scans of InsRecord, FindRecord and DelRecord are shown.
  TTableObserver* observer = counted ? Observer : nullptr;
  while (pos < DataCount && cur != pStop) {
    auto* rec = static_cast<TTabRecPol*>(cur->GetDatValue());
    const bool equal = rec->KeyRef() == key;
    if (observer) {
      TTableEvent event = TableEvent(TTableEventKind::Compare, pos, rec->KeyRef());
      event.Comparison = equal ? 0 : 1;
      event.Cost = equal ? 0 : 1;
      observer->Notice(event);
    }
    if (equal) break;
    if (counted) ++Efficiency;
    prev = cur;
    cur = cur->GetNextDatLink();
    ++pos;
  }
  CurrPos = pos;
  pPrevLink = prev;
  pCurrLink = cur;
  ListPos = IsEmpty() ? -1 : pos;
  return pos < DataCount ? pos : -1;
}

TDatLink* TPolScanTab::LinkAt(int pos) const {
  TDatLink* link = pFirst;
  for (int i = 0; i < pos && link != pStop; ++i)
    link = link->GetNextDatLink();
  return link;
}

TTabRecPol* TPolScanTab::RecordAt(int pos) {
  if (pos == -1) pos = CurrPos;
  if (pos < 0 || pos >= DataCount) return nullptr;
  TDatLink* link = (pos == ListPos && pCurrLink != pStop) ? pCurrLink : LinkAt(pos);
  if (!link || link == pStop) return nullptr;
  return static_cast<TTabRecPol*>(link->GetDatValue());
}

int TPolScanTab::InsRecord(const std::string& key, const TPolinom& pol) {
  int pos = Scan(key, true);
  if (pos >= 0) {
    auto* rec = static_cast<TTabRecPol*>(pCurrLink->GetDatValue());
    rec->SetKey(key);
    rec->SetPolinom(pol);
    if (Observer) Observer->Notice(TableEvent(TTableEventKind::Replace, pos, key));
    return pos;
  }
  auto* rec = new (std::nothrow) TTabRecPol(key, pol);
  if (!rec) return SetRetCode(TabNoMem);
  DataCount += 1;
  if (InsLast(rec) != TabOK) { // the list deleted rec
    DataCount -= 1;
    return SetRetCode(TabNoMem);
  }
  if (Observer) Observer->Notice(TableEvent(TTableEventKind::Place, CurrPos, key));
  return CurrPos;
}

void TPolScanTab::BeginLoading() {
  LoadIndex.clear();
  int pos = 0;
  for (TDatLink* link = pFirst; link != pStop; link = link->GetNextDatLink(), ++pos) {
    auto* rec = static_cast<TTabRecPol*>(link->GetDatValue());
    LoadIndex.emplace(rec->KeyRef(), std::make_pair(pos, rec));
  }
}

void TPolScanTab::LoadRecord(const std::string& key, const TPolinom& pol) {
  SetRetCode(TabOK);
  auto found = LoadIndex.find(key);
  if (found != LoadIndex.end()) {
    // The scan would have passed the records before it.
    Efficiency += found->second.first;
    found->second.second->SetKey(key);
    found->second.second->SetPolinom(pol);
    return;
  }
  Efficiency += DataCount; // the scan would have passed them all
  auto* rec = new (std::nothrow) TTabRecPol(key, pol);
  if (!rec) {
    SetRetCode(TabNoMem);
    return;
  }
  // Appended at the end, as InsRecord does after a scan that found nothing.
  pCurrLink = pStop;
  pPrevLink = IsEmpty() ? pStop : pLast;
  ListPos = IsEmpty() ? -1 : ListLen;
  DataCount += 1;
  if (InsLast(rec) != TabOK) {
    DataCount -= 1;
    SetRetCode(TabNoMem);
    return;
  }
  CurrPos = DataCount - 1;
  LoadIndex.emplace(key, std::make_pair(DataCount - 1, rec));
}

int TPolScanTab::FindPos(const std::string& key) {
  int pos = Scan(key, true);
  if (pos < 0) return SetRetCode(TabNoRec);
  return pos;
}

int TPolScanTab::FindRecord(const std::string& key, TPolinom& out) {
  int pos = FindPos(key);
  if (pos < 0) return pos;
  out = *static_cast<TTabRecPol*>(pCurrLink->GetDatValue())->GetPolinomPtr();
  return pos;
}

void TPolScanTab::DelRecord(const std::string& key) {
  SetRetCode(TabOK);
  if (DataCount == 0) {
    SetRetCode(TabEmpty);
    return;
  }
  int p = Scan(key, true);
  if (p < 0) {
    SetRetCode(TabNoRec);
    return;
  }
  TDatLink* found = pCurrLink;
  TDatLink* foundPrev = pPrevLink;
  int last = ListLen - 1;
  // Walk on to the last link, remembering the one before it.
  TDatLink* prev = foundPrev;
  TDatLink* cur = found;
  for (int i = p; i < last; ++i) {
    prev = cur;
    cur = cur->GetNextDatLink();
  }
  // The last record takes the place of the deleted one (name, polynomial and stored flag);
  // the last link then goes with the deleted record.
  if (Observer) {
    if (p != last) {
      TTableEvent move = TableEvent(TTableEventKind::Move, last,
                                    static_cast<TTabRecPol*>(cur->GetDatValue())->KeyRef());
      move.Target = p;
      Observer->Notice(move);
    }
    Observer->Notice(TableEvent(TTableEventKind::Remove, last, key));
  }
  if (p != last) {
    LISTSTRUCT::TDatValue* moved = cur->GetDatValue();
    cur->SetDatValue(found->GetDatValue());
    found->SetDatValue(moved);
  }
  pCurrLink = cur;
  pPrevLink = prev;
  ListPos = last;
  DelCurrent();
  if (p != last) {
    pCurrLink = found;
    pPrevLink = foundPrev;
    ListPos = p;
  }
  DataCount -= 1;
  SetRetCode(TabOK);
}

void TPolScanTab::ChangeRecord(const std::string& oldKey, const std::string& newKey,
                               const TPolinom& pol) {
  if (Scan(oldKey, false) < 0) {
    SetRetCode(TabNoRec);
    return;
  }
  if (newKey != oldKey) {
    if (Scan(newKey, false) >= 0) {
      SetRetCode(TabKeyUsed);
      return;
    }
    Scan(oldKey, false);
  }
  auto* rec = static_cast<TTabRecPol*>(pCurrLink->GetDatValue());
  rec->SetKey(newKey);
  rec->SetPolinom(pol);
}

int TPolScanTab::Reset() {
  CurrPos = 0;
  ResetList();
  return IsTabEnded() ? 1 : 0;
}

int TPolScanTab::GoNext() {
  if (IsTabEnded() || IsListEnded()) return -1;
  GoNextLink();
  CurrPos += 1;
  if (IsTabEnded() || IsListEnded()) return -1;
  return CurrPos;
}

void TPolScanTab::ClearTab() {
  SetRetCode(TabOK);
  DelList();
  DataCount = 0;
}

TPolinom* TPolScanTab::GetPolinom(int pos) {
  TTabRecPol* rec = RecordAt(pos);
  if (!rec) return NoPolinom();
  return rec->GetPolinomPtr();
}

std::string TPolScanTab::GetKey(int pos) {
  TTabRecPol* rec = RecordAt(pos);
  if (!rec) {
    SetRetCode(TabNoPos);
    return {};
  }
  return rec->GetKey();
}

} // namespace TABLESTRUCT
