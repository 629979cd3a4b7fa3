// The record-name rule shared by the dialogs and the calculation window.
#include "tables/TRecordName.h"

#include "TableTestUtil.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"

#include <gtest/gtest.h>

using namespace TABLESTRUCT;
using tabletest::Pol;

// Characters, emptiness and names held by the table, with the message of each verdict; a
// record's own name is accepted only for that record; positions are bucket indexes in the hash
// table.
TEST(RecordName, VerdictsAndMessages) {
  TPolScanTab scan("");
  for (const char* name : {"P1", "P2", "P3", "P4"})
    scan.InsRecord(name, Pol("X"));

  for (const char* name : {"P 1", "П1", "P_1", "P1!", "é", "-", "\t"}) {
    const TNameVerdict verdict = CheckRecordName(name, &scan);
    EXPECT_EQ(verdict.Fault, TNameFault::BadCharacter) << name;
    EXPECT_EQ(verdict.GetMessage(), "Название полинома содержит недопустимые символы!") << name;
  }
  EXPECT_EQ(CheckRecordName("", &scan).GetMessage(), "Название полинома не введено!");
  EXPECT_FALSE(IsAdmissibleName(""));

  const TNameVerdict taken = CheckRecordName("P4", &scan);
  EXPECT_EQ(taken.Fault, TNameFault::Taken);
  EXPECT_EQ(taken.Position, 3);
  EXPECT_EQ(taken.GetMessage(), "Полином с таким названием уже существует! [Pol№4]");
  EXPECT_EQ(scan.GetRetCode(), 0);

  // Keys are case-sensitive and may begin with a digit; the record's own name is kept.
  for (const char* name : {"p4", "1a", "Zz9"}) {
    EXPECT_TRUE(CheckRecordName(name, &scan).IsUsable()) << name;
    EXPECT_EQ(CheckRecordName(name, &scan).GetMessage(), "");
  }
  EXPECT_TRUE(CheckRecordName("P2", &scan, "P2").IsUsable());
  EXPECT_EQ(CheckRecordName("P2", &scan, "P3").Fault, TNameFault::Taken);
  EXPECT_TRUE(CheckRecordName("P2", nullptr).IsUsable());

  TPolHashTab hash(10, "");
  for (const char* name : {"A", "K", "a1"})
    hash.InsRecord(name, Pol("Y"));
  EXPECT_EQ(CheckRecordName("K", &hash).GetMessage(),
            "Полином с таким названием уже существует! [Pol№6]");
  EXPECT_EQ(CheckRecordName("a1", &hash).Position, 6);
}

// The first standard name the table does not hold, whatever holes the numbering has.
TEST(RecordName, FreeStandardName) {
  TPolScanTab scan("");
  EXPECT_EQ(FreeStandardName(scan), "Res0");
  for (const char* name : {"Res0", "Res1", "Res3", "res2"})
    scan.InsRecord(name, Pol("1"));
  EXPECT_EQ(FreeStandardName(scan), "Res2");
  EXPECT_EQ(scan.GetRetCode(), 0);
  scan.InsRecord("Res2", Pol("1"));
  EXPECT_EQ(FreeStandardName(scan), "Res4");
}
