// The formula store file: numbering of saved formulas, deletion and the gaps it leaves, the
// list whatever the count says, and failures that must lose nothing.

#include <gtest/gtest.h>

#include <filesystem>

#include "TableTestUtil.h"
#include "tables/TFormulaStore.h"
#include "tables/TIniFile.h"

using namespace TABLESTRUCT;
using tabletest::ReadFile;
using tabletest::ScratchDir;
using tabletest::WriteFile;

namespace {

// The store file as it is on disk now.
struct StoreOnDisk {
  explicit StoreOnDisk(const std::string& path) : Ini("") { Ini.LoadText(ReadFile(path)); }
  int Count() const { return Ini.ReadInteger("Global", "ForCount", -1); }
  std::string Formula(int n) const {
    return Ini.ReadString("Formula" + std::to_string(n), "FormExpr", "!");
  }
  bool Has(int n) const { return Ini.SectionExists("Formula" + std::to_string(n)); }
  TIniFile Ini;
};

// (section, formula, description) of every listed formula.
using Listing = std::vector<std::tuple<int, std::string, std::string>>;
Listing Listed(TFormulaStore& store) {
  EXPECT_TRUE(store.Read()) << store.GetError();
  Listing rows;
  for (const auto& f : store.GetFormulas())
    rows.emplace_back(f.Section, f.Formula, f.Description);
  return rows;
}

class FormulaStore : public ::testing::Test {
protected:
  ScratchDir Dir;
  std::string Path = Dir.File("IniSaves/PolForms.ini");
  TFormulaStore Store{Path};
};

TEST_F(FormulaStore, SavesInOrderDeletesOnlyTheChosenSectionAndNeverOverwrites) {
  EXPECT_TRUE(Store.Read()); // no file: an empty store
  EXPECT_EQ(Store.GetRowCount(), 0);
  EXPECT_EQ(Store.Delete(1), TStoreResult::NoFormula);
  EXPECT_FALSE(std::filesystem::exists(Path));

  for (const char* f : {"(A+B)^2", "d/dx(A)", "X*Y"})
    ASSERT_EQ(Store.Save(f, f[0] == 'd' ? "" : "described"), TStoreResult::Done);
  EXPECT_EQ(Listed(Store), (Listing{{0, "(A+B)^2", "described"},
                                    {1, "d/dx(A)", ""}, // an empty description still counts
                                    {2, "X*Y", "described"}}));
  EXPECT_EQ(StoreOnDisk(Path).Count(), 3);

  ASSERT_EQ(Store.Delete(2), TStoreResult::Done);
  StoreOnDisk after(Path);
  EXPECT_EQ(after.Count(), 2);
  EXPECT_FALSE(after.Has(1)); // the others keep their numbers
  EXPECT_EQ(after.Formula(2), "X*Y");
  EXPECT_EQ(Listed(Store), (Listing{{0, "(A+B)^2", "described"}, {2, "X*Y", "described"}}));

  // The count is now 2 while section 2 is in use: the new formula goes elsewhere.
  ASSERT_EQ(Store.Save("F3", "d"), TStoreResult::Done);
  EXPECT_EQ(Listed(Store),
            (Listing{{0, "(A+B)^2", "described"}, {2, "X*Y", "described"}, {3, "F3", "d"}}));
  EXPECT_EQ(StoreOnDisk(Path).Count(), 3);

  // Delete the first: the rest is read past the gap.
  ASSERT_EQ(Store.Delete(1), TStoreResult::Done);
  EXPECT_EQ(Listed(Store), (Listing{{2, "X*Y", "described"}, {3, "F3", "d"}}));
}

TEST_F(FormulaStore, ListsEveryPresentSectionWhateverTheCountSays) {
  const std::string sections = "[Formula3]\nFDiscript=no formula\n[Formula7]\nFDiscript=ok\n"
                               "FormExpr=X+Y\n[Formula8]\nFDiscript=!\nFormExpr=HIDDEN\n"
                               "[Formula0042]\nFDiscript=not a section name\nFormExpr=Q\n";
  const Listing present = {{3, "Ini-file reading error!", "no formula"}, {7, "X+Y", "ok"}};
  // Believable counts: a higher one adds empty rows, a lower one hides nothing.
  for (auto [count, rows] : {std::pair{"5", 5}, {"2", 2}, {"1", 2}, {"0", 2}}) {
    WriteFile(Path, std::string("[Global]\nForCount=") + count + "\n" + sections);
    EXPECT_EQ(Listed(Store), present) << count;
    EXPECT_EQ(Store.GetRowCount(), rows) << count;
  }
  // Counts that are no believable number: every formula is found, and a save states the
  // number of stored formulas.
  for (const char* count : {"2147483647", "-5", "abc", "12345678901234567890", "5001", ""}) {
    WriteFile(Path, std::string("[Global]\nForCount=") + count + "\n" + sections);
    EXPECT_EQ(Listed(Store), present) << count;
    EXPECT_EQ(Store.GetRowCount(), 2) << count;
    ASSERT_EQ(Store.Save("Z", "new"), TStoreResult::Done) << count;
    EXPECT_EQ(StoreOnDisk(Path).Count(), 3) << count;
    EXPECT_EQ(Store.GetFormulas().size(), 3u) << count;
    ASSERT_EQ(Store.Delete(1), TStoreResult::Done) << count;
    EXPECT_EQ(StoreOnDisk(Path).Count(), 2) << count;
  }
  // Rows past the formulas hold none: deleting one changes nothing.
  WriteFile(Path, "[Global]\nForCount=3\n[Formula4]\nFDiscript=only\nFormExpr=Z\n");
  ASSERT_EQ(Listed(Store).size(), 1u);
  EXPECT_EQ(Store.GetRowCount(), 3);
  const std::string before = ReadFile(Path);
  EXPECT_EQ(Store.Delete(3), TStoreResult::NoFormula);
  EXPECT_EQ(ReadFile(Path), before);
}

TEST_F(FormulaStore, FailuresAreReportedAndLoseNothing) {
  ASSERT_EQ(Store.Save("KEPT", "stored before"), TStoreResult::Done);
  const std::string before = ReadFile(Path);

  // A description that would hide its formula is refused.
  EXPECT_EQ(Store.Save("A", " ! "), TStoreResult::ReservedDescription);
  EXPECT_FALSE(Store.GetError().empty());
  EXPECT_EQ(ReadFile(Path), before);

  // A file-size limit makes every write fail, whoever runs the test.
  TStoreResult saved = TStoreResult::Done, deleted = TStoreResult::Done;
  ASSERT_TRUE(tabletest::WithFileSizeLimit(8, [&] {
    saved = Store.Save("NEW+1", "typed");
    deleted = Store.Delete(1);
  }));
  EXPECT_EQ(saved, TStoreResult::WriteFailed);
  EXPECT_EQ(deleted, TStoreResult::WriteFailed);
  EXPECT_FALSE(Store.GetError().empty());
  EXPECT_EQ(ReadFile(Path), before);
  // Nothing of the failed writes lingers: the next save numbers from the file.
  ASSERT_EQ(Store.Save("NEW+1", "typed"), TStoreResult::Done);
  EXPECT_EQ(Listed(Store), (Listing{{0, "KEPT", "stored before"}, {1, "NEW+1", "typed"}}));

  // Another program changed the chosen row since it was listed: nothing is deleted.
  WriteFile(Path, "[Global]\nForCount=2\n[Formula0]\nFDiscript=other\nFormExpr=OTHER\n"
                  "[Formula1]\nFDiscript=typed\nFormExpr=NEW+1\n");
  EXPECT_EQ(Store.Delete(1), TStoreResult::Changed);
  EXPECT_EQ(StoreOnDisk(Path).Formula(0), "OTHER");

  // An unreadable file is never written over.
  std::filesystem::remove(Path);
  std::filesystem::create_directory(Path);
  EXPECT_FALSE(Store.Read());
  EXPECT_EQ(Store.Save("X", "x"), TStoreResult::Unreadable);
  EXPECT_FALSE(Store.GetError().empty());
  EXPECT_TRUE(std::filesystem::is_directory(Path));
  std::filesystem::remove(Path);

  // Every section number in use: no room, and nothing is overwritten.
  std::string full = "[Global]\nForCount=5000\n";
  for (int n = 0; n < 5000; ++n)
    full +=
        "[Formula" + std::to_string(n) + "]\nFDiscript=d\nFormExpr=F" + std::to_string(n) + "\n";
  WriteFile(Path, full);
  EXPECT_EQ(Store.Save("X", "x"), TStoreResult::NoRoom);
  EXPECT_EQ(ReadFile(Path), full);
}

} // namespace

namespace {

// Two copies of the program saving formulas at the same moment: every formula lands in a
// section of its own.
TEST_F(FormulaStore, SimultaneousSavesOfTwoCopiesLoseNothing) {
  EXPECT_TRUE(tabletest::RunAtOnce(2, [&](int copy) {
    TFormulaStore store(Path);
    for (int f = 0; f < 10; ++f)
      if (store.Save("F" + std::to_string(copy) + "x" + std::to_string(f), "") !=
          TStoreResult::Done)
        return 1;
    return 0;
  }));
  EXPECT_EQ(Listed(Store).size(), 20u);
  EXPECT_EQ(StoreOnDisk(Path).Count(), 20);
}

} // namespace
