// Scan table: positions, the operation counter, deletion by moving the last record, iteration.

#include <gtest/gtest.h>

#include "TableTestUtil.h"
#include "tables/TPolScanTab.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::Text;

namespace {

struct ScanTab3 : ::testing::Test {
  TPolScanTab t{""};
  void SetUp() override {
    EXPECT_EQ(t.InsRecord("P1", Pol("x")), 0);
    EXPECT_EQ(t.InsRecord("P2", Pol("y")), 1);
    EXPECT_EQ(t.InsRecord("P3", Pol("z")), 2);
    t.ClearEfficiency();
  }
};

TEST_F(ScanTab3, FindCountsRecordsPassedAndLeavesOutUntouchedWhenAbsent) {
  LISTSTRUCT::TPolinom out = Pol("5");
  EXPECT_EQ(t.FindRecord("P1", out), 0);
  EXPECT_EQ(t.GetEfficiency(), 0);
  EXPECT_EQ(out.GetText(), "X");
  EXPECT_EQ(t.FindRecord("P3", out), 2);
  EXPECT_EQ(t.GetEfficiency(), 2);
  EXPECT_EQ(out.GetText(), "Z");
  EXPECT_EQ(t.FindRecord("P4", out), TabNoRec);
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  EXPECT_EQ(t.GetEfficiency(), 5);
  EXPECT_EQ(out.GetText(), "Z");
  // The iteration stays on the record found.
  t.FindRecord("P2", out);
  EXPECT_EQ(t.GetKey(-1), "P2");
}

TEST_F(ScanTab3, InsertOfExistingKeyReplacesPolynomialInPlace) {
  EXPECT_EQ(t.InsRecord("P2", Pol("2*y")), 1);
  EXPECT_EQ(t.GetEfficiency(), 1);
  EXPECT_EQ(t.GetDataCount(), 3);
  EXPECT_EQ(Text(t.GetPolinom(1)), "2*Y");
  EXPECT_EQ(t.InsRecord("P4", Pol("1")), 3);
  EXPECT_EQ(t.GetEfficiency(), 4);
  EXPECT_EQ(t.GetKey(-1), "P4");
}

TEST_F(ScanTab3, DeleteMovesLastRecordIntoTheHole) {
  t.DelRecord("P1");
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P3", "P2"}));
  EXPECT_EQ(Text(t.GetPolinom(0)), "Z");
  t.DelRecord("P9");
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  EXPECT_EQ(t.GetDataCount(), 2);
  t.DelRecord("P2");
  t.DelRecord("P3");
  EXPECT_EQ(t.GetDataCount(), 0);
  EXPECT_TRUE(t.IsEmpty());
  t.ClearEfficiency();
  t.DelRecord("P3");
  EXPECT_EQ(t.GetRetCode(), TabEmpty);
  EXPECT_EQ(t.GetEfficiency(), 0);
  // The table still works after being emptied by deletions.
  EXPECT_EQ(t.InsRecord("Q", Pol("x")), 0);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"Q"}));
}

TEST_F(ScanTab3, DeleteOfLastRecordKeepsOrderAndCountsPosition) {
  t.DelRecord("P3");
  EXPECT_EQ(t.GetEfficiency(), 2);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P1", "P2"}));
  EXPECT_EQ(t.InsRecord("P5", Pol("1")), 2);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"P1", "P2", "P5"}));
}

TEST_F(ScanTab3, ChangeKeepsPositionCountsNothingAndRefusesTakenKey) {
  t.ChangeRecord("P1", "Q1", Pol("x^2"));
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"Q1", "P2", "P3"}));
  EXPECT_EQ(Text(t.GetPolinom(0)), "X^2");
  t.ChangeRecord("P3", "P3", Pol("1"));
  EXPECT_EQ(Text(t.GetPolinom(2)), "1");
  EXPECT_EQ(t.GetEfficiency(), 0);
  t.ChangeRecord("nope", "N", Pol("1"));
  EXPECT_EQ(t.GetRetCode(), TabNoRec);
  t.ChangeRecord("P2", "P3", Pol("1"));
  EXPECT_EQ(t.GetRetCode(), TabKeyUsed);
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"Q1", "P2", "P3"}));
  EXPECT_EQ(Text(t.GetPolinom(1)), "Y");
}

TEST_F(ScanTab3, PositionsOutOfRangeGiveEmptyResultsWithCode) {
  EXPECT_EQ(t.GetKey(5), "");
  EXPECT_EQ(t.GetRetCode(), TabNoPos);
  LISTSTRUCT::TPolinom* p = t.GetPolinom(5);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsEmpty());
  EXPECT_EQ(t.GetRetCode(), TabNoPos);
  p->SetText("x"); // a careless caller cannot spoil later results
  EXPECT_TRUE(t.GetPolinom(-7)->IsEmpty());
  EXPECT_EQ(t.GetKey(1), "P2");
  EXPECT_EQ(t.GetKey(0), "P1");
}

TEST_F(ScanTab3, IterationVisitsInsertionOrderAndEndsWithMinusOne) {
  EXPECT_EQ(t.Reset(), 0);
  EXPECT_EQ(t.GetChainPos(), 0);
  EXPECT_EQ(t.GoNext(), 1);
  EXPECT_EQ(t.GoNext(), 2);
  EXPECT_EQ(t.GoNext(), -1);
  EXPECT_TRUE(t.IsTabEnded());
  EXPECT_EQ(t.GoNext(), -1);
  t.ClearTab();
  EXPECT_EQ(t.GetDataCount(), 0);
  EXPECT_EQ(t.Reset(), 1);
  EXPECT_TRUE(t.IsTabEnded());
}

TEST(ScanTab, InsertIntoEmptyTableReturnsZeroAndKeysAreCaseSensitive) {
  TPolScanTab t("");
  EXPECT_EQ(t.InsRecord("Ab", Pol("1")), 0);
  EXPECT_EQ(t.InsRecord("AB", Pol("2")), 1);
  EXPECT_EQ(t.GetDataCount(), 2);
  LISTSTRUCT::TPolinom out;
  EXPECT_EQ(t.FindRecord("ab", out), TabNoRec);
}

} // namespace
