#pragma once
// Singly linked list with a current position (TDatList) and its circular
// variant with a head link (THeadRing). A list owns the values of its links:
// deleting a link deletes its value too.

#include <cstdint>

#include "core/TDataCom.h"

namespace LISTSTRUCT {

// Return codes of lists and polynomials (the tables use the same numbers).
inline constexpr int DataOK = 0;          // success
inline constexpr int DataEmpty = -101;    // the list is empty
inline constexpr int DataNoMem = -102;    // no memory for a link
inline constexpr int DataNoPos = -103;    // no current position to act on
inline constexpr int DataOverflow = -104; // a power was clamped in a product
inline constexpr int DataErr = -105;      // polynomial text rejected

// Position modes of TDatList::GetDatValue.
enum TLinkPos { FIRST = 0, CURRENT = 1, LAST = 2 };

// Abstract value held by a list link.
class TDatValue {
public:
  virtual ~TDatValue() = default;
  // A new, separately owned copy of the value.
  virtual TDatValue* GetCopy() const = 0;
};
using PTDatValue = TDatValue*;

// Abstract list link.
class TRootLink {
protected:
  TRootLink* pNext;

public:
  explicit TRootLink(TRootLink* next = nullptr) : pNext(next) {}
  virtual ~TRootLink() = default;
  TRootLink(const TRootLink&) = delete;
  TRootLink& operator=(const TRootLink&) = delete;

  virtual void SetDatValue(TDatValue* value) = 0;
  virtual TDatValue* GetDatValue() const = 0;

  TRootLink* GetNextLink() const { return pNext; }
  void SetNextLink(TRootLink* link) { pNext = link; }
};

// Link holding a pointer to a value (may be null). The link does not delete the
// value itself: the list that owns the link does so in DelLink.
class TDatLink : public TRootLink {
protected:
  TDatValue* pValue;

public:
  explicit TDatLink(TDatValue* value = nullptr, TRootLink* next = nullptr)
      : TRootLink(next), pValue(value) {}

  void SetDatValue(TDatValue* value) override { pValue = value; }
  TDatValue* GetDatValue() const override { return pValue; }

  TDatLink* GetNextDatLink() const { return static_cast<TDatLink*>(pNext); }
};

// Linear list with a current position. pStop is the value that follows the last
// link: null here, the head link in a ring.
//
// Ownership: every insertion takes ownership of the value it is given. When the
// insertion fails (no memory, no usable position) the value is deleted, so a
// caller never has to clean up after an insertion.
class TDatList : public DSTRUCT::TDataCom {
protected:
  TDatLink* pFirst = nullptr;    // first link
  TDatLink* pLast = nullptr;     // last link
  TDatLink* pCurrLink = nullptr; // current link
  TDatLink* pPrevLink = nullptr; // link before the current one
  TDatLink* pStop = nullptr;     // end marker
  int32_t ListPos = -1;          // position of the current link from 0, -1 if none
  int32_t ListLen = 0;           // number of links (a ring's head is not counted)

  // A new link; stores 0, or DataNoMem and returns null.
  TDatLink* GetLink(TDatValue* value = nullptr, TDatLink* next = nullptr);
  // Deletes the link's value (if any) and the link; stores 0.
  void DelLink(TDatLink* link);

public:
  TDatList();
  ~TDatList() override;
  TDatList(const TDatList&) = delete;
  TDatList& operator=(const TDatList&) = delete;

  virtual bool IsEmpty() const { return pFirst == pStop; }
  virtual int ResetList();
  virtual bool IsListEnded() const { return pCurrLink == pStop; }
  virtual int InsFirst(TDatValue* value = nullptr);
  virtual int InsLast(TDatValue* value = nullptr);
  virtual int InsCurrent(TDatValue* value = nullptr);
  virtual int DelFirst();
  virtual int DelCurrent();
  virtual void DelList();

  // Value of the first, last or (any other mode) current link; null when that
  // link is null. On a ring ended at its head this is the head's value.
  TDatValue* GetDatValue(TLinkPos mode = CURRENT) const;
  int GoNextLink();
  int SetCurrentPos(int pos);
  int GetCurrentPos() const { return ListPos; }
  int GetListLength() const { return ListLen; }
};

// Circular list: head -> first -> ... -> last -> head. The head link is the
// ring's pStop, holds a value chosen by the derived class and is not counted.
class THeadRing : public TDatList {
protected:
  TDatLink* pHead = nullptr;

public:
  THeadRing();
  ~THeadRing() override;

  int InsFirst(TDatValue* value = nullptr) override;
  int DelFirst() override;
};

} // namespace LISTSTRUCT
