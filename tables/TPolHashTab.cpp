#include "tables/TPolHashTab.h"

#include "tables/CopyTab.h"

namespace TABLESTRUCT {

TPolHashTab::TPolHashTab(int size, const std::string& fileName) : TBasePTab(fileName) {
  DataCount = 0;
  if (size < 1 || size > MaxHashSize) {
    TabSize = size < 1 ? 1 : MaxHashSize;
    SetRetCode(TabNoPos);
  } else {
    TabSize = size;
    SetRetCode(TabOK);
  }
}

TPolHashTab::~TPolHashTab() {
  ClearTab();
}

unsigned long long TPolHashTab::CodeSum(const std::string& key) {
  unsigned long long sum = 0;
  for (char c : key)
    sum += static_cast<unsigned char>(c);
  return sum;
}

int TPolHashTab::HashFunc(const std::string& key) const {
  return static_cast<int>(CodeSum(key) % static_cast<unsigned long long>(TabSize));
}

TPolScanTab* TPolHashTab::ObservedChain(int h, const std::string& key) {
  if (Observer) {
    TTableEvent bucket = TableEvent(TTableEventKind::Bucket, -1, key);
    bucket.Target = h;
    bucket.CodeSum = CodeSum(key);
    Observer->Notice(bucket);
  }
  TPolScanTab* chain = Buckets[h].get();
  // The chain tells the same observer about its comparisons.
  if (chain) chain->SetObserver(Observer);
  return chain;
}

void TPolHashTab::CreateBucket(int i) {
  if (Buckets[i]) {
    SetRetCode(TabNoPos);
    return;
  }
  Buckets[i] = std::make_unique<TPolScanTab>(std::string());
  Buckets[i]->Reset();
}

int TPolHashTab::SkipEmpty(int i) const {
  while (i < TabSize && !Buckets[i])
    ++i;
  return i;
}

TTabRecPol* TPolHashTab::CurrentRecord() {
  if (IsTabEnded() || CurrPos < 0 || !Buckets[CurrPos]) return nullptr;
  return Buckets[CurrPos]->GetCurrentRecord();
}

int TPolHashTab::InsRecord(const std::string& key, const TPolinom& pol) {
  SetRetCode(TabOK);
  int h = HashFunc(key);
  if (TPolScanTab* observed = ObservedChain(h, key)) {
    TPolScanTab& chain = *observed;
    int count = chain.GetDataCount();
    int before = chain.GetEfficiency();
    chain.InsRecord(key, pol);
    Efficiency += chain.GetEfficiency() - before;
    if (chain.GetRetCode() != TabOK) return SetRetCode(TabNoMem);
    if (chain.GetDataCount() > count) DataCount += 1;
  } else {
    CreateBucket(h);
    Buckets[h]->SetObserver(Observer);
    Buckets[h]->InsRecord(key, pol);
    if (Buckets[h]->GetRetCode() != TabOK) {
      ReleaseBucket(h);
      return SetRetCode(TabNoMem);
    }
    DataCount += 1;
  }
  return h;
}

int TPolHashTab::FindPos(const std::string& key) {
  SetRetCode(TabOK);
  int h = HashFunc(key);
  TPolScanTab* observed = ObservedChain(h, key);
  if (!observed) return SetRetCode(TabNoRec);
  TPolScanTab& chain = *observed;
  int before = chain.GetEfficiency();
  int pos = chain.FindPos(key);
  Efficiency += chain.GetEfficiency() - before;
  chain.GetRetCode();
  if (pos < 0) return SetRetCode(TabNoRec);
  return h;
}

int TPolHashTab::FindRecord(const std::string& key, TPolinom& out) {
  int h = FindPos(key);
  if (h < 0) return h;
  out = *Buckets[h]->GetCurrentRecord()->GetPolinomPtr();
  return h;
}

bool TPolHashTab::SaveHasName(const std::string& name, const TKeyPlaces& keys) {
  // What FindRecord would add: the records of the name's bucket passed before it, or all of
  // them when it is absent.
  auto found = keys.find(name);
  if (found != keys.end()) {
    Efficiency += found->second;
    return true;
  }
  const auto& chain = Buckets[HashFunc(name)];
  if (chain) Efficiency += chain->GetDataCount();
  return false;
}

void TPolHashTab::LoadRecord(const std::string& key, const TPolinom& pol) {
  SetRetCode(TabOK);
  int h = HashFunc(key);
  if (!Buckets[h]) {
    CreateBucket(h);
    Buckets[h]->BeginLoading();
  }
  TPolScanTab& chain = *Buckets[h];
  int count = chain.GetDataCount();
  int before = chain.GetEfficiency();
  chain.LoadRecord(key, pol);
  Efficiency += chain.GetEfficiency() - before;
  if (chain.GetRetCode() != TabOK) {
    if (chain.GetDataCount() == 0) ReleaseBucket(h);
    SetRetCode(TabNoMem);
    return;
  }
  if (chain.GetDataCount() > count) DataCount += 1;
}

void TPolHashTab::EndLoad() {
  for (int i = 0; i < TabSize; ++i)
    if (Buckets[i]) Buckets[i]->EndLoading();
}

void TPolHashTab::DelRecord(const std::string& key) {
  SetRetCode(TabOK);
  if (DataCount == 0) {
    SetRetCode(TabEmpty);
    return;
  }
  int h = HashFunc(key);
  TPolScanTab* observed = ObservedChain(h, key);
  if (!observed) {
    SetRetCode(TabNoRec);
    return;
  }
  TPolScanTab& chain = *observed;
  int count = chain.GetDataCount();
  int before = chain.GetEfficiency();
  chain.DelRecord(key);
  Efficiency += chain.GetEfficiency() - before;
  chain.GetRetCode();
  if (chain.GetDataCount() < count) {
    DataCount -= 1;
    if (chain.GetDataCount() == 0) ReleaseBucket(h);
  } else {
    SetRetCode(TabNoRec);
  }
}

void TPolHashTab::ChangeRecord(const std::string& oldKey, const std::string& newKey,
                               const TPolinom& pol) {
  SetRetCode(TabOK);
  TObserverPause pause(*this);
  int saved = Efficiency; // a change is not counted
  int h = FindPos(oldKey);
  bool taken = newKey != oldKey && FindPos(newKey) >= 0;
  Efficiency = saved;
  if (h < 0) {
    SetRetCode(TabNoRec);
    return;
  }
  if (taken) {
    SetRetCode(TabKeyUsed);
    return;
  }
  SetRetCode(TabOK);
  if (HashFunc(newKey) == h) {
    Buckets[h]->ChangeRecord(oldKey, newKey, pol);
    Buckets[h]->GetRetCode();
  } else {
    // Out of the old key's bucket and into the new key's, so every record stays in the
    // bucket of its own key.
    DelRecord(oldKey);
    InsRecord(newKey, pol);
  }
  Efficiency = saved;
}

void TPolHashTab::SetTabSize(int n) {
  if (n <= 0 || n > MaxHashSize || n == TabSize) {
    SetRetCode(TabNoPos);
    return;
  }
  SetRetCode(TabOK);
  TObserverPause pause(*this);
  TPolHashTab temp(n, std::string());
  CopyTab(&temp, this);
  ClearTab();
  TabSize = n;
  CopyTab(this, &temp);
  SetRetCode(TabOK);
}

int TPolHashTab::Reset() {
  CurrPos = SkipEmpty(0);
  if (CurrPos < TabSize)
    Buckets[CurrPos]->Reset();
  else
    SetRetCode(TabNoRec);
  return CurrPos;
}

int TPolHashTab::GoNext() {
  if (IsTabEnded()) return -1;
  if (TPolScanTab* chain = Buckets[CurrPos].get(); chain && !chain->IsTabEnded()) {
    if (chain->GoNext() >= 0) return CurrPos;
  }
  CurrPos += 1;
  if (IsTabEnded()) {
    SetRetCode(TabNoRec);
    return -1;
  }
  CurrPos = SkipEmpty(CurrPos);
  if (CurrPos < TabSize) {
    Buckets[CurrPos]->Reset();
    return CurrPos;
  }
  SetRetCode(TabNoRec);
  return -1;
}

int TPolHashTab::GetChainPos() {
  if (IsTabEnded() || CurrPos < 0 || !Buckets[CurrPos]) return 0;
  TPolScanTab& chain = *Buckets[CurrPos];
  return chain.IsTabEnded() ? 0 : chain.GetCurrPos();
}

void TPolHashTab::ClearTab() {
  for (int i = 0; i < TabSize; ++i)
    Buckets[i].reset();
  DataCount = 0;
}

TPolinom* TPolHashTab::GetPolinom(int pos) {
  if (pos == -1) pos = CurrPos;
  if (pos < 0 || pos >= TabSize || !Buckets[pos]) return NoPolinom();
  TPolScanTab& chain = *Buckets[pos];
  TPolinom* pol = chain.GetPolinom(-1);
  if (chain.GetRetCode() != TabOK) SetRetCode(TabNoPos);
  return pol;
}

std::string TPolHashTab::GetKey(int pos) {
  if (pos == -1) pos = CurrPos;
  if (pos < 0 || pos >= TabSize || !Buckets[pos]) {
    SetRetCode(TabNoPos);
    return {};
  }
  TPolScanTab& chain = *Buckets[pos];
  std::string key = chain.GetKey(-1);
  if (chain.GetRetCode() != TabOK) SetRetCode(TabNoPos);
  return key;
}

} // namespace TABLESTRUCT
