// Hash table: bucket positions, chain positions, counter, bucket release, resizing.

#include <gtest/gtest.h>

#include "TableTestUtil.h"
#include "tables/TPolHashTab.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::Text;

namespace {

struct Hash10 : ::testing::Test {
  TPolHashTab t{10, ""};
  void SetUp() override {
    EXPECT_EQ(t.InsRecord("A", Pol("x")), 5);
    EXPECT_EQ(t.InsRecord("K", Pol("y")), 5);
    EXPECT_EQ(t.InsRecord("a1", Pol("z")), 6);
    t.ClearEfficiency();
  }
  // (position, chain position, key) of every record in iteration order.
  std::vector<std::tuple<int, int, std::string>> Walk() {
    std::vector<std::tuple<int, int, std::string>> rows;
    for (int pos = t.Reset(); !t.IsTabEnded(); pos = t.GoNext())
      rows.emplace_back(pos, t.GetChainPos(), t.GetKey(-1));
    return rows;
  }
};

TEST_F(Hash10, IterationVisitsBucketsInOrderWithChainPositions) {
  using Row = std::tuple<int, int, std::string>;
  EXPECT_EQ(Walk(), (std::vector<Row>{{5, 0, "A"}, {5, 1, "K"}, {6, 0, "a1"}}));
  EXPECT_EQ(t.GoNext(), -1);
  EXPECT_EQ(t.GetDataCount(), 3);
  t.Reset();
  EXPECT_EQ(Text(t.GetPolinom(-1)), "X");
}

TEST_F(Hash10, FindCountsOnlyTheKeysBucket) {
  LISTSTRUCT::TPolinom out;
  EXPECT_EQ(t.FindRecord("K", out), 5);
  EXPECT_EQ(t.GetEfficiency(), 1);
  EXPECT_EQ(out.GetText(), "Y");
  EXPECT_EQ(t.FindRecord("A", out), 5);
  EXPECT_EQ(t.GetEfficiency(), 1);
  EXPECT_EQ(t.FindRecord("U", out), TabNoRec);
  EXPECT_EQ(t.GetEfficiency(), 3);
  EXPECT_EQ(t.FindRecord("B", out), TabNoRec);
  EXPECT_EQ(t.GetEfficiency(), 4);
  EXPECT_EQ(t.FindRecord("C", out), TabNoRec); // empty bucket 7
  EXPECT_EQ(t.GetEfficiency(), 4);
  EXPECT_EQ(out.GetText(), "X");
}

TEST_F(Hash10, DeletingLastRecordOfBucketReleasesIt) {
  t.DelRecord("a1");
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(t.GetDataCount(), 2);
  EXPECT_EQ(t.GetKey(6), "");
  EXPECT_EQ(t.GetRetCode(), TabNoPos);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"A", "K"}));
  t.DelRecord("A"); // K moves to the front of bucket 5
  EXPECT_EQ(t.GetKey(5), "K");
  t.DelRecord("U");
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  t.DelRecord("K");
  EXPECT_EQ(t.GetDataCount(), 0);
  t.DelRecord("K");
  EXPECT_EQ(t.GetRetCode(), TabEmpty);
  EXPECT_EQ(t.Reset(), 10);
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  EXPECT_TRUE(t.IsTabEnded());
}

TEST_F(Hash10, ChangeMovesRecordToTheBucketOfItsNewKey) {
  t.ChangeRecord("A", "B", Pol("1"));
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(t.GetEfficiency(), 0);
  LISTSTRUCT::TPolinom out;
  EXPECT_EQ(t.FindRecord("B", out), 6);
  EXPECT_EQ(out.GetText(), "1");
  EXPECT_EQ(t.GetDataCount(), 3);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"K", "a1", "B"}));
  t.ChangeRecord("K", "U", Pol("2")); // same bucket: keeps its place
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"U", "a1", "B"}));
  t.ChangeRecord("U", "a1", Pol("3"));
  EXPECT_EQ(t.GetRetCode(), TabKeyUsed);
  t.ChangeRecord("Z", "Y", Pol("3"));
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
}

TEST_F(Hash10, SetTabSizeRebuildsKeepingOrderAndRefusesBadSizes) {
  for (int n : {10, 0, 5001, -3}) {
    t.SetTabSize(n);
    EXPECT_EQ(t.GetRetCode(), TabNoPos) << n;
  }
  EXPECT_EQ(t.GetTabSize(), 10);
  t.SetTabSize(1);
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(t.GetTabSize(), 1);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"A", "K", "a1"}));
  LISTSTRUCT::TPolinom out;
  for (const char* k : {"A", "K", "a1"})
    EXPECT_EQ(t.FindRecord(k, out), 0) << k;
  EXPECT_EQ(t.GetDataCount(), 3);
  t.SetTabSize(5000);
  EXPECT_EQ(t.FindRecord("a1", out), 146);
}

TEST(HashTab, EveryKeyHashesIntoRange) {
  TPolHashTab t(7, "");
  EXPECT_EQ(t.HashFunc(""), 0);
  EXPECT_EQ(t.HashFunc("a1"), 146 % 7);
  std::string high(300, '\xFF');
  int h = t.HashFunc(high);
  EXPECT_EQ(h, (300 * 255) % 7);
  EXPECT_EQ(t.InsRecord("\xC0\xFF", Pol("1")), (0xC0 + 0xFF) % 7);
  // A bad size still gives a usable table.
  TPolHashTab zero(0, "");
  EXPECT_EQ(zero.GetRetCode(), TabNoPos);
  EXPECT_EQ(zero.GetTabSize(), 1);
  EXPECT_EQ(zero.InsRecord("A", Pol("1")), 0);
}

} // namespace
