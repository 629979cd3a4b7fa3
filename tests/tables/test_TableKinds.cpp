// The registry of the organisations: every entry makes, recognises and measures a table of its
// own organisation, and no two entries share a key, a control name part or a colour.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tables/TBasePTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TTableKinds.h"

using namespace TABLESTRUCT;

TEST(TableKinds, EachEntryMakesRecognisesAndMeasuresItsOwnTable) {
  std::set<std::string> keys, parts;
  std::set<std::tuple<int, int, int>> colours;
  for (std::size_t k = 0; k < TableKinds().size(); ++k) {
    const TTableKindInfo& info = TableKinds()[k];
    SCOPED_TRACE(info.Key);
    EXPECT_EQ(static_cast<std::size_t>(info.Kind), k);
    EXPECT_EQ(&TableKindInfo(info.Kind), &info);
    keys.insert(info.Key);
    parts.insert(info.ControlPart);
    colours.insert({info.Colour.R, info.Colour.G, info.Colour.B});

    const auto table = MakeTable(info.Kind, 7);
    EXPECT_EQ(KindOf(*table), info.Kind);
    for (const TTableKindInfo& other : TableKinds())
      EXPECT_EQ(other.Holds(*table), other.Kind == info.Kind) << other.Key;
    EXPECT_EQ(BucketCount(*table), info.HasBuckets ? 7 : 1);
    EXPECT_EQ(table->GetCapacity(), info.Capacity);
    EXPECT_TRUE(table->GetFileName().empty());
  }
  EXPECT_EQ(keys.size(), TableKinds().size());
  EXPECT_EQ(parts.size(), TableKinds().size());
  EXPECT_EQ(colours.size(), TableKinds().size());

  // A bucket count the table does not take is brought into its range.
  EXPECT_EQ(BucketCount(*MakeTable(TTableKind::Hash, 0)), 1);
  EXPECT_EQ(BucketCount(*MakeTable(TTableKind::Hash, MaxHashSize + 1)), MaxHashSize);
  EXPECT_FALSE(MakeTable(TTableKind::Scan, 1, "\\IniSaves\\PolTable.ini")->GetFileName().empty());
}
