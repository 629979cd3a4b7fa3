#include "core/TDatList.h"

#include <new>

namespace LISTSTRUCT {

TDatLink* TDatList::GetLink(TDatValue* value, TDatLink* next) {
  TDatLink* link = new (std::nothrow) TDatLink(value, next);
  SetRetCode(link == nullptr ? DataNoMem : DataOK);
  return link;
}

void TDatList::DelLink(TDatLink* link) {
  if (link != nullptr) {
    delete link->GetDatValue();
    delete link;
  }
  SetRetCode(DataOK);
}

TDatList::TDatList() {
  ResetList();
}

TDatList::~TDatList() {
  DelList();
}

TDatValue* TDatList::GetDatValue(TLinkPos mode) const {
  TDatLink* link;
  switch (mode) {
  case FIRST:
    link = pFirst;
    break;
  case LAST:
    link = pLast;
    break;
  default:
    link = pCurrLink;
    break;
  }
  return link == nullptr ? nullptr : link->GetDatValue();
}

int TDatList::ResetList() {
  pPrevLink = pStop;
  if (IsEmpty()) {
    pCurrLink = pStop;
    ListPos = -1;
    return SetRetCode(DataEmpty);
  }
  pCurrLink = pFirst;
  ListPos = 0;
  return SetRetCode(DataOK);
}

int TDatList::GoNextLink() {
  if (pCurrLink != pStop) {
    SetRetCode(DataOK);
    pPrevLink = pCurrLink;
    pCurrLink = pCurrLink->GetNextDatLink();
    ++ListPos;
  } else if (IsEmpty()) {
    SetRetCode(DataNoPos);
  } else if (pPrevLink == pStop) {
    SetRetCode(DataNoPos);
  } else if (pPrevLink == pLast) {
    // The walk past the end starts over at the first link.
    ResetList();
    SetRetCode(DataOK);
  }
  return RetCode;
}

int TDatList::SetCurrentPos(int pos) {
  ResetList();
  for (int i = 0; i < pos; ++i) {
    SetRetCode(DataOK);
    GoNextLink();
  }
  return RetCode;
}

int TDatList::InsFirst(TDatValue* value) {
  TDatLink* link = GetLink(value, pFirst);
  if (link == nullptr) {
    delete value;
    return SetRetCode(DataNoMem);
  }
  bool wasEmpty = IsEmpty();
  pFirst = link;
  ++ListLen;
  if (wasEmpty) {
    pLast = link;
    ResetList();
  } else if (ListPos == 0) {
    pCurrLink = link;
  } else {
    ++ListPos;
  }
  return SetRetCode(DataOK);
}

int TDatList::InsLast(TDatValue* value) {
  TDatLink* link = GetLink(value, pStop);
  if (link == nullptr) {
    delete value;
    return SetRetCode(DataNoMem);
  }
  bool wasEmpty = IsEmpty();
  if (pLast != nullptr) pLast->SetNextLink(link);
  pLast = link;
  ++ListLen;
  if (wasEmpty) {
    pFirst = link;
    ResetList();
  }
  if (IsListEnded()) pCurrLink = link;
  return SetRetCode(DataOK);
}

int TDatList::InsCurrent(TDatValue* value) {
  if (IsEmpty() || pCurrLink == pFirst) return InsFirst(value);
  if (IsListEnded()) return InsLast(value);
  if (pPrevLink == pStop) {
    delete value;
    return SetRetCode(DataNoPos);
  }
  TDatLink* link = GetLink(value, pCurrLink);
  if (link == nullptr) {
    delete value;
    return SetRetCode(DataNoMem);
  }
  pPrevLink->SetNextLink(link);
  pCurrLink = link;
  ++ListLen;
  return SetRetCode(DataOK);
}

int TDatList::DelFirst() {
  if (IsEmpty()) return SetRetCode(DataEmpty);
  TDatLink* old = pFirst;
  pFirst = old->GetNextDatLink();
  DelLink(old);
  --ListLen;
  if (IsEmpty()) {
    pLast = pStop;
    ResetList();
  } else {
    if (ListPos == 0)
      pCurrLink = pFirst;
    else if (ListPos == 1)
      pPrevLink = pStop;
    if (ListPos > 0) --ListPos;
  }
  return SetRetCode(DataOK);
}

int TDatList::DelCurrent() {
  if (pCurrLink == pStop) return SetRetCode(DataNoPos);
  if (pCurrLink == pFirst) return DelFirst();
  TDatLink* old = pCurrLink;
  pCurrLink = old->GetNextDatLink();
  pPrevLink->SetNextLink(pCurrLink);
  DelLink(old);
  --ListLen;
  if (pCurrLink == pStop) pLast = pPrevLink;
  return SetRetCode(DataOK);
}

void TDatList::DelList() {
  while (!IsEmpty())
    DelFirst();
  pFirst = pLast = pCurrLink = pPrevLink = pStop;
  ListPos = -1;
}

THeadRing::THeadRing() {
  InsLast(nullptr);
  pHead = pLast;
  ListLen = 0;
  pStop = pHead;
  ResetList();
  pHead->SetNextLink(pHead);
}

THeadRing::~THeadRing() {
  DelList();
  if (pHead != nullptr) DelLink(pHead);
  pHead = nullptr;
  pFirst = pLast = pCurrLink = pPrevLink = pStop = nullptr;
}

int THeadRing::InsFirst(TDatValue* value) {
  int code = TDatList::InsFirst(value);
  if (code == DataOK) pHead->SetNextLink(pFirst);
  return code;
}

int THeadRing::DelFirst() {
  int code = TDatList::DelFirst();
  pHead->SetNextLink(pFirst);
  return code;
}

} // namespace LISTSTRUCT
