// Sorted table: binary-search probes, pointer moves, capacity, key order.

#include <gtest/gtest.h>

#include "TableTestUtil.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::Text;

namespace {

struct SortTab5 : ::testing::Test {
  TPolSortTab t{""};
  void SetUp() override {
    for (const char* k : {"P3", "P1", "P5", "P2", "P4"})
      t.InsRecord(k, Pol("x"));
    t.ClearEfficiency();
  }
};

TEST_F(SortTab5, FindCountsProbes) {
  LISTSTRUCT::TPolinom out;
  EXPECT_EQ(t.FindRecord("P3", out), 2);
  EXPECT_EQ(t.GetEfficiency(), 1);
  EXPECT_EQ(t.FindRecord("P0", out), TabNoRec);
  EXPECT_EQ(t.GetEfficiency(), 3);
  EXPECT_EQ(t.FindRecord("P5", out), 4);
  EXPECT_EQ(t.GetEfficiency(), 6); // mid 2, mid 3, mid 4
}

TEST_F(SortTab5, InsertCountsProbesAndMoves) {
  EXPECT_EQ(t.InsRecord("P9", Pol("1")), 5); // greater than all: 3 probes, no move
  EXPECT_EQ(t.GetEfficiency(), 3);
  t.ClearEfficiency();
  EXPECT_EQ(t.InsRecord("A", Pol("1")), 0); // smaller than all 6: 2 probes + 6 moves
  EXPECT_EQ(t.GetEfficiency(), 8);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"A", "P1", "P2", "P3", "P4", "P5", "P9"}));
  t.ClearEfficiency();
  EXPECT_EQ(t.InsRecord("P3", Pol("y")), 3); // present: probe only, polynomial replaced
  EXPECT_EQ(t.GetEfficiency(), 1);
  EXPECT_EQ(t.GetDataCount(), 7);
  EXPECT_EQ(Text(t.GetPolinom(3)), "Y");
}

TEST_F(SortTab5, DeleteShiftsFollowingRecordsDown) {
  t.DelRecord("P2"); // probes mid 2, mid 0, mid 1; moves of slots 2..5
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(t.GetEfficiency(), 3 + 4);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P1", "P3", "P4", "P5"}));
  EXPECT_EQ(t.GetKey(4), "");
  EXPECT_EQ(t.GetRetCode(), TabNoPos);
  t.DelRecord("P2");
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
}

TEST_F(SortTab5, ChangeMovesRecordToItsNewPlaceCountingOnlyTheSearch) {
  t.ChangeRecord("P1", "P9", Pol("z"));
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(t.GetEfficiency(), 2); // mid 2, mid 0
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P2", "P3", "P4", "P5", "P9"}));
  LISTSTRUCT::TPolinom out;
  EXPECT_EQ(t.FindRecord("P9", out), 4);
  EXPECT_EQ(out.GetText(), "Z");
  t.ChangeRecord("P2", "P4", Pol("1"));
  EXPECT_EQ(t.GetRetCode(), TabKeyUsed);
  t.ChangeRecord("Q", "R", Pol("1"));
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P2", "P3", "P4", "P5", "P9"}));
}

TEST(SortTab, EmptyTableAndSingleRecordCosts) {
  TPolSortTab t("");
  EXPECT_EQ(t.InsRecord("K", Pol("1")), 0);
  EXPECT_EQ(t.GetEfficiency(), 0);
  t.ClearEfficiency();
  t.DelRecord("K");
  EXPECT_EQ(t.GetEfficiency(), 2); // 1 probe, 1 move
  EXPECT_EQ(t.GetDataCount(), 0);
  EXPECT_EQ(t.GetKey(0), "");
  t.DelRecord("K");
  EXPECT_EQ(t.GetRetCode(), TabEmpty);
  EXPECT_EQ(t.Reset(), 1);
}

TEST(SortTab, KeysCompareAsUnsignedBytes) {
  TPolSortTab t("");
  for (const char* k : {"Ab", "A0", "\xC0", "AB", "A", "A1", "z"})
    t.InsRecord(k, Pol("1"));
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"A", "A0", "A1", "AB", "Ab", "z", "\xC0"}));
}

TEST(SortTab, HoldsAtMost4999Records) {
  TPolSortTab t("");
  char key[8];
  for (int i = 0; i < MaxSortRecords; ++i) {
    std::snprintf(key, sizeof key, "K%04d", i);
    ASSERT_EQ(t.InsRecord(key, Pol("1")), i);
  }
  EXPECT_EQ(t.InsRecord("New", Pol("1")), TabNoMem);
  EXPECT_EQ(t.GetRetCode(), TabNoMem);
  EXPECT_EQ(t.GetDataCount(), MaxSortRecords);
  EXPECT_EQ(t.InsRecord("K0100", Pol("x")), 100);
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(Text(t.GetPolinom(100)), "X");
  t.DelRecord("K4998");
  EXPECT_EQ(t.InsRecord("New", Pol("1")), MaxSortRecords - 1);
}

} // namespace
