// List and ring: codes, current position and ownership of values.

#include <gtest/gtest.h>

#include "core/TDatList.h"

using namespace LISTSTRUCT;

namespace {

// A value that counts the live instances, so ownership faults show as counts.
struct Counted : TDatValue {
  static inline int Live = 0;
  int Id;
  explicit Counted(int id) : Id(id) { ++Live; }
  ~Counted() override { --Live; }
  TDatValue* GetCopy() const override { return new Counted(Id); }
};

int IdAt(TDatList& l, TLinkPos mode = CURRENT) {
  auto* v = static_cast<Counted*>(l.GetDatValue(mode));
  return v == nullptr ? -1 : v->Id;
}

// Ids in list order, walked the way every client walks a list.
std::vector<int> Ids(TDatList& l) {
  std::vector<int> ids;
  for (l.ResetList(); !l.IsListEnded(); l.GoNextLink())
    ids.push_back(IdAt(l));
  return ids;
}

template <class List> void CheckCommonRules() {
  Counted::Live = 0;
  {
    List l;
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(l.GetRetCode(), DataEmpty); // the constructor's ResetList
    EXPECT_EQ(l.ResetList(), DataEmpty);
    EXPECT_EQ(l.GetCurrentPos(), -1);
    EXPECT_EQ(l.GoNextLink(), DataNoPos);
    EXPECT_EQ(l.DelFirst(), DataEmpty);
    EXPECT_EQ(l.DelCurrent(), DataNoPos);

    EXPECT_EQ(l.InsLast(new Counted(2)), DataOK);
    EXPECT_EQ(l.InsFirst(new Counted(1)), DataOK); // position 0 moves to the new link
    EXPECT_EQ(IdAt(l), 1);
    EXPECT_EQ(l.InsLast(new Counted(4)), DataOK);
    EXPECT_EQ(l.SetCurrentPos(2), DataOK);
    EXPECT_EQ(l.InsCurrent(new Counted(3)), DataOK); // before the current, which it becomes
    EXPECT_EQ(IdAt(l), 3);
    EXPECT_EQ(l.GetCurrentPos(), 2);
    EXPECT_EQ(Ids(l), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(l.GetListLength(), 4);
    EXPECT_EQ(IdAt(l, FIRST), 1);
    EXPECT_EQ(IdAt(l, LAST), 4);

    // Walked to the end: stepping on starts over at the first link.
    EXPECT_TRUE(l.IsListEnded());
    EXPECT_EQ(l.GetCurrentPos(), 4);
    EXPECT_EQ(l.DelCurrent(), DataNoPos);
    EXPECT_EQ(l.InsCurrent(new Counted(5)), DataOK); // ended: appended and current
    EXPECT_EQ(IdAt(l), 5);
    EXPECT_EQ(l.GetCurrentPos(), 4);
    EXPECT_EQ(l.GoNextLink(), DataOK);
    EXPECT_EQ(l.GoNextLink(), DataOK);
    EXPECT_EQ(l.GetCurrentPos(), 0);
    EXPECT_EQ(IdAt(l), 1);

    // Deleting at position 0 makes the next link current at position 0.
    EXPECT_EQ(l.DelCurrent(), DataOK);
    EXPECT_EQ(IdAt(l), 2);
    EXPECT_EQ(l.GetCurrentPos(), 0);
    // Deleting the last link moves pLast back.
    l.SetCurrentPos(3);
    EXPECT_EQ(l.DelCurrent(), DataOK);
    EXPECT_TRUE(l.IsListEnded());
    EXPECT_EQ(IdAt(l, LAST), 4);
    EXPECT_EQ(l.InsLast(new Counted(6)), DataOK);
    EXPECT_EQ(Ids(l), (std::vector<int>{2, 3, 4, 6}));
    // DelFirst behind the current link keeps the current link, one position lower.
    l.SetCurrentPos(2);
    EXPECT_EQ(l.DelFirst(), DataOK);
    EXPECT_EQ(IdAt(l), 4);
    EXPECT_EQ(l.GetCurrentPos(), 1);
    EXPECT_EQ(Counted::Live, 3);
    l.DelList();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(l.GetCurrentPos(), -1);
    EXPECT_EQ(Counted::Live, 0);
    l.InsLast(new Counted(7));
    l.InsLast(new Counted(8));
  }
  EXPECT_EQ(Counted::Live, 0); // the destructor released both values
}

} // namespace

TEST(TDatList, LinearListCodesPositionsAndOwnership) {
  CheckCommonRules<TDatList>();
}

TEST(THeadRing, RingCodesPositionsAndOwnership) {
  CheckCommonRules<THeadRing>();
}

TEST(THeadRing, EndedRingShowsTheHeadValueAndStaysClosed) {
  THeadRing r;
  EXPECT_EQ(r.GetDatValue(CURRENT), nullptr); // the head holds no value in a bare ring
  r.InsFirst(new Counted(1));
  r.InsFirst(new Counted(0));
  r.DelFirst();
  r.InsLast(new Counted(2));
  EXPECT_EQ(Ids(r), (std::vector<int>{1, 2}));
  EXPECT_EQ(r.GetDatValue(CURRENT), nullptr);
  r.DelFirst();
  r.DelFirst();
  EXPECT_TRUE(r.IsEmpty());
  r.InsFirst(new Counted(3)); // the head's pNext follows the new first link
  EXPECT_EQ(Ids(r), (std::vector<int>{3}));
}
