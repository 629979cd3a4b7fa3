// The table file: section placement of incremental saves, loading of hand-edited and damaged
// files, several tables on one file, failed writes.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "TableTestUtil.h"
#include "tables/CopyTab.h"
#include "tables/TIniFile.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::ReadFile;
using tabletest::ScratchDir;
using tabletest::Text;
using tabletest::WriteFile;

namespace {

std::unique_ptr<TBasePTab> Make(int org, const std::string& path) {
  if (org == 0) return std::make_unique<TPolScanTab>(path);
  if (org == 1) return std::make_unique<TPolSortTab>(path);
  return std::make_unique<TPolHashTab>(10, path);
}

// The file as it is on disk now.
struct OnDisk {
  explicit OnDisk(const std::string& path) : Ini("") { Ini.LoadText(ReadFile(path)); }
  int Count() const { return Ini.ReadInteger("Global", "PolCount", -1); }
  std::string Name(int k) const { return Ini.ReadString(PolSectionName(k), "PolName", "!"); }
  std::string Formula(int k) const { return Ini.ReadString(PolSectionName(k), "PolFormula", "!"); }
  TIniFile Ini;
};

class FileOfEveryOrganisation : public ::testing::TestWithParam<int> {
protected:
  ScratchDir Dir;
  std::string Path = Dir.File();
  std::unique_ptr<TBasePTab> Make() { return ::Make(GetParam(), Path); }
};

TEST_P(FileOfEveryOrganisation, IncrementalSavesPlaceSectionsAsSpecified) {
  auto t = Make();
  t->LoadTab(); // no file yet: an empty table
  EXPECT_EQ(t->GetRetCode(), TabOK);
  t->InsRecord("P1", Pol("x"));
  t->InsRecord("P2", Pol("y"));
  std::vector<std::string> order = Keys(*t); // the iteration order decides the sections
  t->SaveTab();
  ASSERT_EQ(t->GetRetCode(), TabOK) << t->GetFileError();
  {
    OnDisk f(Path);
    EXPECT_EQ(f.Count(), 2);
    EXPECT_EQ(f.Name(0), order[0]);
    EXPECT_EQ(f.Name(1), order[1]);
    EXPECT_EQ(f.Formula(0), order[0] == "P1" ? "X" : "Y");
  }
  int p1 = order[0] == "P1" ? 0 : 1, p2 = 1 - p1;
  auto stamp = std::filesystem::last_write_time(Path);
  t->SaveTab(); // everything stored: the file stays as it is
  EXPECT_EQ(std::filesystem::last_write_time(Path), stamp);

  t->DelRecord("P1");
  t->SaveTab();
  {
    OnDisk f(Path);
    EXPECT_EQ(f.Count(), 1);
    EXPECT_FALSE(f.Ini.SectionExists(PolSectionName(p1)));
    EXPECT_EQ(f.Name(p2), "P2");
  }
  t->InsRecord("P3", Pol("z"));
  t->SaveTab();
  {
    OnDisk f(Path);
    EXPECT_EQ(f.Count(), 2);
    // After the last named section, not into a gap below it.
    EXPECT_EQ(f.Name(p2 + 1), "P3");
    EXPECT_EQ(f.Formula(p2 + 1), "Z");
  }
  std::string before = ReadFile(Path);
  t->InsRecord("P2", Pol("2*y"));
  t->SaveTab();
  std::string after = ReadFile(Path);
  std::string old_line = "PolFormula=Y\n", new_line = "PolFormula=2*Y\n";
  ASSERT_NE(before.find(old_line), std::string::npos);
  before.replace(before.find(old_line), old_line.size(), new_line);
  EXPECT_EQ(after, before); // only that formula changed

  t->ChangeRecord("P2", "Q2", Pol("1"));
  t->SaveTab();
  OnDisk f(Path);
  EXPECT_EQ(f.Name(p2), "!"); // the old name's section is gone
  EXPECT_EQ(f.Name(p2 + 2), "Q2");
  EXPECT_EQ(f.Count(), 2);
}

TEST_P(FileOfEveryOrganisation, LoadsHandEditedFilesAndMarksRecordsStored) {
  WriteFile(Path, "[Global]\nPolCount=1\n[Polinom7]\nPolName=A\nPolFormula=x^2 + 1\n");
  auto t = Make();
  t->LoadTab();
  EXPECT_EQ(t->GetRetCode(), TabOK);
  ASSERT_EQ(Keys(*t), std::vector<std::string>{"A"});
  t->Reset();
  EXPECT_EQ(Text(t->GetPolinom(-1)), "X^2 + 1");
  std::string before = ReadFile(Path);
  t->SaveTab(); // nothing unstored: the hand-written formula is left as typed
  EXPECT_EQ(ReadFile(Path), before);

  // Count too high, too low, or not a number: every named section is loaded.
  for (const char* count : {"3", "1", "abc", ""}) {
    WriteFile(Path, std::string("[Global]\nPolCount=") + count +
                        "\n[Polinom0]\nPolName=A\nPolFormula=1\n[Polinom4000]\nPolName=B\n"
                        "PolFormula=2\n[Polinom9]\nPolFormula=3\n");
    t->LoadTab();
    EXPECT_EQ(t->GetDataCount(), 2) << count;
    t->SaveTab();
    EXPECT_EQ(OnDisk(Path).Count(), 2) << "the count is put right";
  }
}

TEST_P(FileOfEveryOrganisation, DamagedContentLoadsWhatItCanAndSurvivesRewrites) {
  WriteFile(Path, "[Global]\nPolCount=4\n[Polinom0]\nPolName=D\nPolFormula=x\n"
                  "[Polinom1]\nPolName=Bad\nPolFormula=x^a + 2q\n"
                  "[Polinom2]\nPolName=\xCF\xEE\xEB\nPolFormula=y\n"
                  "[Polinom3]\nPolName=D\nPolFormula=z\n"
                  "[Other]\nanything=goes\n");
  auto t = Make();
  t->LoadTab();
  ASSERT_EQ(t->GetRetCode(), TabOK);
  EXPECT_EQ(t->GetDataCount(), 3);
  LISTSTRUCT::TPolinom out;
  ASSERT_GE(t->FindRecord("D", out), 0);
  EXPECT_EQ(out.GetText(), "Z"); // the later section of a doubled name wins
  ASSERT_GE(t->FindRecord("Bad", out), 0);
  EXPECT_TRUE(out.IsEmpty());
  ASSERT_GE(t->FindRecord("\xD0\x9F\xD0\xBE\xD0\xBB", out), 0); // Windows-1251 name decoded

  // A copy makes every record unstored, so the save rewrites every formula.
  auto other = ::Make((GetParam() + 1) % 3, Path);
  CopyTab(other.get(), t.get());
  other->InsRecord("D", Pol("x*y"));
  other->SaveTab();
  ASSERT_EQ(other->GetRetCode(), TabOK);
  OnDisk f(Path);
  EXPECT_EQ(f.Formula(1), "x^a + 2q"); // not understood, so not overwritten
  EXPECT_EQ(f.Formula(0), "X*Y");      // a doubled name is rewritten in both sections
  EXPECT_EQ(f.Formula(3), "X*Y");
  EXPECT_EQ(f.Name(2), "\xD0\x9F\xD0\xBE\xD0\xBB");
  EXPECT_EQ(f.Ini.ReadString("Other", "anything", ""), "goes");
  auto again = Make();
  again->LoadTab();
  ASSERT_GE(again->FindRecord("D", out), 0);
  EXPECT_EQ(out.GetText(), "X*Y");
}

// Names in the file, sorted.
std::vector<std::string> NamesOnDisk(const std::string& path) {
  OnDisk f(path);
  std::vector<std::string> names;
  for (int k = 0; k < MaxFileSections; ++k)
    if (f.Name(k) != "!") names.push_back(f.Name(k));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(f.Count(), static_cast<int>(names.size()));
  return names;
}

using Names = std::vector<std::string>;

// A save erases only the sections of names that this table loaded or wrote and that left it:
// not after a failed load, not what another table object (or program) wrote, and the
// knowledge passes with the records through an organisation switch and a hash resize.
TEST_P(FileOfEveryOrganisation, SaveErasesOnlyNamesThisTableLoadedOrWrote) {
  {
    auto writer = Make();
    for (const char* name : {"P1", "P2", "P3", "P4"})
      writer->InsRecord(name, Pol("x"));
    writer->SaveTab();
    ASSERT_EQ(writer->GetRetCode(), TabOK);
  }
  // The load fails (a folder stands where the file was); the file comes back later.
  auto t = Make();
  std::filesystem::rename(Path, Path + ".away");
  std::filesystem::create_directory(Path);
  t->LoadTab();
  EXPECT_EQ(t->GetRetCode(), TabFileErr);
  std::filesystem::remove(Path);
  std::filesystem::rename(Path + ".away", Path);
  t->InsRecord("New", Pol("y"));
  t->SaveTab();
  ASSERT_EQ(t->GetRetCode(), TabOK);
  EXPECT_EQ(NamesOnDisk(Path), (Names{"New", "P1", "P2", "P3", "P4"}));

  // Two tables on one file, as two programs on one data folder.
  auto a = Make();
  auto b = ::Make((GetParam() + 1) % 3, Path);
  a->LoadTab();
  b->LoadTab();
  a->InsRecord("FromA", Pol("1"));
  a->SaveTab();
  b->InsRecord("FromB", Pol("2"));
  b->DelRecord("New"); // b loaded it: its deletion reaches the file
  b->SaveTab();
  EXPECT_EQ(NamesOnDisk(Path), (Names{"FromA", "FromB", "P1", "P2", "P3", "P4"}));
  // a still holds New unchanged, whose section b erased: a's next save leaves it erased and
  // takes it out of a's table.
  a->InsRecord("P1", Pol("x^2"));
  a->SaveTab();
  EXPECT_EQ(NamesOnDisk(Path), (Names{"FromA", "FromB", "P1", "P2", "P3", "P4"}));
  EXPECT_EQ(a->GetLastMerge().LeftTable, Names{"New"});
  EXPECT_EQ(Keys(*a).size(), 5u);

  // An organisation switch hands the knowledge on with the records; so does a hash resize.
  auto switched = ::Make((GetParam() + 2) % 3, Path);
  ASSERT_EQ(CopyTab(switched.get(), a.get()), TabOK);
  switched->DelRecord("P2");
  switched->SaveTab();
  EXPECT_EQ(NamesOnDisk(Path), (Names{"FromA", "FromB", "P1", "P3", "P4"}));
  TPolHashTab hash(10, Path);
  CopyTab(&hash, switched.get());
  hash.SetTabSize(3);
  hash.DelRecord("P3");
  hash.DelRecord("FromB"); // never known to this lineage: stays
  hash.SaveTab();
  EXPECT_EQ(NamesOnDisk(Path), (Names{"FromA", "FromB", "P1", "P4"}));
  // A table on another file hands nothing on.
  TPolScanTab elsewhere(Dir.File("IniSaves/Other.ini"));
  elsewhere.InsRecord("P4", Pol("z"));
  TPolScanTab back(Path);
  CopyTab(&back, &elsewhere);
  back.SaveTab();
  EXPECT_EQ(NamesOnDisk(Path), (Names{"FromA", "FromB", "P1", "P4"}));
}

TEST_P(FileOfEveryOrganisation, FailedWriteReportsAndLosesNothing) {
  auto t = Make();
  t->InsRecord("P1", Pol("x"));
  t->SaveTab();
  ASSERT_EQ(t->GetRetCode(), TabOK);
  std::string before = ReadFile(Path);
  t->InsRecord("P2", Pol("x^2 + y^2 + z^2 + 1"));
  t->DelRecord("P1");

  int code = TabOK;
  ASSERT_TRUE(tabletest::WithFileSizeLimit(before.size(), [&] {
    t->SaveTab();
    code = t->GetRetCode();
  }));
  EXPECT_EQ(code, TabFileErr);
  EXPECT_FALSE(t->GetFileError().empty());
  EXPECT_EQ(ReadFile(Path), before);

  t->SaveTab(); // the next save writes what the failed one could not
  EXPECT_EQ(t->GetRetCode(), TabOK);
  OnDisk f(Path);
  EXPECT_EQ(f.Name(0), "P2"); // P1's section was erased, so P2 starts the file again
  EXPECT_EQ(f.Formula(0), "X^2 + Y^2 + Z^2 + 1");
  EXPECT_EQ(f.Count(), 1);
}

TEST_P(FileOfEveryOrganisation, UnreadableFileIsNeverOverwritten) {
  std::filesystem::create_directories(Path); // the file's name is taken by a folder
  auto t = Make();
  t->InsRecord("P1", Pol("x"));
  t->LoadTab();
  EXPECT_EQ(t->GetRetCode(), TabFileErr);
  EXPECT_EQ(t->GetDataCount(), 1); // a failed load leaves the table as it was
  t->SaveTab();
  EXPECT_EQ(t->GetRetCode(), TabFileErr);
  EXPECT_TRUE(std::filesystem::is_directory(Path));
}

// Permission bits do not stop the superuser, so the saves run as an ordinary user.
TEST_P(FileOfEveryOrganisation, ReadOnlyFolderReportsFailure) {
  const std::filesystem::path folder = std::filesystem::path(Path).parent_path();
  std::filesystem::create_directories(folder);
  for (const auto& owned : {std::filesystem::path(Dir.Path), folder})
    ASSERT_EQ(chown(owned.c_str(), tabletest::OrdinaryUser(), tabletest::OrdinaryGroup()), 0);
  // Each step's failure is one bit of the child's result.
  const int failed = tabletest::RunAs(tabletest::OrdinaryUser(), tabletest::OrdinaryGroup(), [&] {
    int bits = 0;
    auto t = Make();
    t->InsRecord("P1", Pol("x"));
    t->SaveTab();
    bits |= t->GetRetCode() != TabOK ? 1 : 0;
    std::filesystem::permissions(folder, std::filesystem::perms(0555));
    t->InsRecord("P2", Pol("y"));
    t->SaveTab();
    bits |= t->GetRetCode() != TabFileErr ? 2 : 0;
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    t->SaveTab();
    bits |= t->GetRetCode() != TabOK ? 4 : 0;
    bits |= OnDisk(Path).Count() != 2 ? 8 : 0;
    return bits;
  });
  EXPECT_EQ(failed, 0);
}

// Coefficients of every kind: integers up to 2^24, values that need 9 significant digits,
// magnitudes from 1e-30 to 1e30, both signs.
float AnyCoefficient(std::mt19937& rng) {
  const float sign = rng() % 2 ? 1.0f : -1.0f;
  switch (rng() % 3) {
  case 0:
    return sign * static_cast<float>(std::uniform_int_distribution<int>(1, 1 << 24)(rng));
  case 1:
    return sign * std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(rng),
                             std::uniform_int_distribution<int>(-20, 20)(rng));
  default:
    return sign * std::pow(10.0f, std::uniform_real_distribution<float>(-30.0f, 30.0f)(rng));
  }
}

// Every coefficient comes back from the file as the same float, and none is written with an
// exponent that holds a minus sign (the reader takes it for a separator); a table of ordinary
// coefficients is written byte for byte as it always was.
TEST_P(FileOfEveryOrganisation, CoefficientsComeBackBitForBitAndOrdinaryOnesAsBefore) {
  std::mt19937 rng(2500 + GetParam());
  std::map<std::string, std::vector<std::pair<int, float>>> saved;
  {
    auto t = Make();
    for (int r = 0; r < 200; ++r) {
      LISTSTRUCT::TPolinom p;
      for (int m = 0; m < 6; ++m)
        LISTSTRUCT::TPolinom::AddMonom(p, LISTSTRUCT::TMonom(AnyCoefficient(rng), r * 7 + m));
      const std::string name = "R" + std::to_string(r);
      for (p.ResetList(); !p.IsListEnded(); p.GoNextLink())
        saved[name].emplace_back(p.GetMonom()->GetIndex(), p.GetMonom()->GetCoeff());
      t->InsRecord(name, p);
    }
    t->SaveTab();
    ASSERT_EQ(t->GetRetCode(), TabOK) << t->GetFileError();
  }
  const std::string file = ReadFile(Path);
  EXPECT_EQ(file.find("E-"), std::string::npos);
  EXPECT_EQ(file.find("e-"), std::string::npos);
  auto back = Make();
  back->LoadTab();
  ASSERT_EQ(back->GetDataCount(), 200);
  for (const auto& [name, terms] : saved) {
    LISTSTRUCT::TPolinom p;
    ASSERT_GE(back->FindRecord(name, p), 0);
    std::vector<std::pair<int, float>> read;
    for (p.ResetList(); !p.IsListEnded(); p.GoNextLink())
      read.emplace_back(p.GetMonom()->GetIndex(), p.GetMonom()->GetCoeff());
    ASSERT_EQ(read.size(), terms.size()) << name;
    for (size_t i = 0; i < read.size(); ++i)
      EXPECT_TRUE(read[i].first == terms[i].first && std::bit_cast<uint32_t>(read[i].second) ==
                                                         std::bit_cast<uint32_t>(terms[i].second))
          << name << ": " << read[i].second << " for " << terms[i].second;
  }

  std::filesystem::remove(Path);
  auto ordinary = Make();
  for (const auto& [name, text] :
       std::vector<std::pair<std::string, std::string>>{{"Res6", "x^4 + 4*x^3 + 6*x^2 + 4*x + 1"},
                                                        {"A", "3*x^2*y - z + 1"},
                                                        {"B", "0.05*z + 1200 - 2.5*x*y*z"},
                                                        {"C", "1.235E4*y^99 - 0.0001*x"},
                                                        {"D", "-x + 0.00001234"}})
    ordinary->InsRecord(name, Pol(text));
  ordinary->SaveTab();
  std::string expected;
  int k = 0;
  for (const std::string& name : Keys(*ordinary)) {
    const std::map<std::string, std::string> written = {{"Res6", "X^4 + 4*X^3 + 6*X^2 + 4*X + 1"},
                                                        {"A", "3*X^2*Y - Z + 1"},
                                                        {"B", " - 2.5*X*Y*Z + 0.05*Z + 1200"},
                                                        {"C", " - 0.0001*X + 1.235E4*Y^99"},
                                                        {"D", " - X + 0.00001234"}};
    expected += "[Polinom" + std::to_string(k++) + "]\nPolName=" + name +
                "\nPolFormula=" + written.at(name) + "\n\n";
  }
  EXPECT_EQ(ReadFile(Path), expected + "[Global]\nPolCount=5\n");
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// Two copies of the program on one file keep each other's work. Copy a deletes Del, renames Ren
// and changes Both; copy b, which loaded the same file, adds FromB and changes Both too. b's
// save keeps a's deletion and rename (Del and Ren, unchanged in b, leave b's table) and writes
// b's version of Both, naming it. Texts that begin with a minus are read back without their
// leading blank: that alone is no change by another copy.
TEST_P(FileOfEveryOrganisation, TwoCopiesKeepEachOthersDeletionsRenamesAndAdditions) {
  {
    auto writer = Make();
    for (const char* name : {"Del", "Ren", "Keep", "Both"})
      writer->InsRecord(name, Pol("-x"));
    writer->SaveTab();
    ASSERT_EQ(writer->GetRetCode(), TabOK);
    writer->InsRecord("Keep", Pol("-x + 1"));
    writer->SaveTab();
    EXPECT_TRUE(writer->GetLastMerge().IsEmpty()); // one copy alone meets nobody
  }
  auto a = Make();
  auto b = ::Make((GetParam() + 1) % 3, Path);
  a->LoadTab();
  b->LoadTab();
  a->DelRecord("Del");
  a->ChangeRecord("Ren", "Renamed", Pol("-x"));
  a->InsRecord("Both", Pol("-2*x"));
  a->SaveTab();
  ASSERT_EQ(a->GetRetCode(), TabOK);
  EXPECT_TRUE(a->GetLastMerge().IsEmpty());
  a->InsRecord("Renamed", Pol("-y"));
  a->SaveTab();
  EXPECT_TRUE(a->GetLastMerge().IsEmpty());
  b->InsRecord("FromB", Pol("y"));
  b->InsRecord("Both", Pol("-3*x"));
  b->SaveTab();
  ASSERT_EQ(b->GetRetCode(), TabOK);
  EXPECT_EQ(NamesOnDisk(Path), (Names{"Both", "FromB", "Keep", "Renamed"}));
  EXPECT_EQ(Sorted(b->GetLastMerge().LeftTable), (Names{"Del", "Ren"}));
  EXPECT_EQ(b->GetLastMerge().Conflicted, Names{"Both"});
  EXPECT_EQ(Sorted(Keys(*b)), (Names{"Both", "FromB", "Keep"}));
  std::vector<std::string> notices;
  for (const auto& notice : b->GetLastMerge().Notices())
    notices.push_back(notice.Text());
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_NE(notices[0].find("удалены или переименованы другой копией программы"),
            std::string::npos);
  EXPECT_NE(notices[1].find("Both"), std::string::npos);
  auto fresh = Make();
  fresh->LoadTab();
  LISTSTRUCT::TPolinom both;
  ASSERT_GE(fresh->FindRecord("Both", both), 0);
  EXPECT_EQ(both.GetText(), " - 3*X");

  // a's Both, unchanged in a since its save, is not written over b's version; a's deletion of
  // Keep, which b changed meanwhile, is a's version and is named.
  b->InsRecord("Keep", Pol("z"));
  b->SaveTab();
  a->DelRecord("Keep");
  a->SaveTab();
  EXPECT_EQ(a->GetLastMerge().Conflicted, Names{"Keep"});
  EXPECT_TRUE(a->GetLastMerge().LeftTable.empty());
  EXPECT_EQ(NamesOnDisk(Path), (Names{"Both", "FromB", "Renamed"}));
  fresh->LoadTab();
  ASSERT_GE(fresh->FindRecord("Both", both), 0);
  EXPECT_EQ(both.GetText(), " - 3*X");
}

INSTANTIATE_TEST_SUITE_P(
    Tables, FileOfEveryOrganisation, ::testing::Values(0, 1, 2), [](const auto& info) {
      return std::string(info.param == 0 ? "Scan" : info.param == 1 ? "Sort" : "Hash");
    });

// A file whose sections "Polinom" first..last-1 all hold names.
std::string FullFile(int first, int last) {
  std::string text = "[Global]\nPolCount=" + std::to_string(last - first) + "\n";
  for (int k = first; k < last; ++k)
    text += "[Polinom" + std::to_string(k) + "]\nPolName=N" + std::to_string(k) +
            "\nPolFormula=" + std::to_string(k) + "\n";
  return text;
}

TEST(TableFileLimits, NewRecordTakesLowestFreeSectionAndFailsOnlyWhenAllAreNamed) {
  ScratchDir dir;
  std::string path = dir.File();
  WriteFile(path, FullFile(1, MaxFileSections));
  TPolScanTab t(path);
  t.LoadTab();
  ASSERT_EQ(t.GetDataCount(), 4999);
  t.InsRecord("N4999", Pol("x")); // its section is the last one, 4999: rewritten in place
  t.InsRecord("New", Pol("y"));   // nothing after 4999: the free section 0
  t.SaveTab();
  EXPECT_EQ(t.GetRetCode(), TabOK);
  OnDisk f(path);
  EXPECT_EQ(f.Formula(4999), "X");
  EXPECT_EQ(f.Name(0), "New");
  EXPECT_EQ(f.Count(), 5000);

  t.InsRecord("More", Pol("z"));
  t.InsRecord("N17", Pol("z"));
  t.SaveTab();
  EXPECT_EQ(t.GetRetCode(), TabFull);
  EXPECT_EQ(OnDisk(path).Count(), 5000);
  t.DelRecord("N3");
  t.SaveTab(); // room again: the record left unstored gets section 3
  EXPECT_EQ(t.GetRetCode(), TabOK);
  OnDisk g(path);
  EXPECT_EQ(g.Name(3), "More");
  EXPECT_EQ(g.Formula(17), "Z");
  EXPECT_EQ(g.Count(), 5000);
}

TEST(TableFileLimits, SortedTableLoadStopsAtItsCapacity) {
  ScratchDir dir;
  WriteFile(dir.File(), FullFile(0, MaxFileSections));
  TPolSortTab t(dir.File());
  t.LoadTab();
  EXPECT_EQ(t.GetRetCode(), TabNoMem);
  EXPECT_EQ(t.GetDataCount(), MaxSortRecords);
}

// Names that would not read back as themselves are not written, are named in the report and
// stay unstored, so every later save reports them again until they are gone.
TEST(TableFileNames, NamesThatCannotBeWrittenAreReportedAndStayUnstored) {
  ScratchDir dir;
  TPolScanTab t(dir.File());
  t.InsRecord("Good", Pol("x"));
  for (const char* bad : {"!", " lead", "bad\xFF", "two\nlines"})
    t.InsRecord(bad, Pol("y"));
  for (int save = 0; save < 2; ++save) {
    t.SaveTab();
    EXPECT_EQ(t.GetRetCode(), TabBadName);
    const std::string report = t.GetFileError();
    for (const char* shown : {"\"!\"", "\" lead\"", "\"bad\xD1\x8F\""}) // 0xFF read as 1251
      EXPECT_NE(report.find(shown), std::string::npos) << report;
    OnDisk f(dir.File());
    EXPECT_EQ(f.Count(), 1);
    EXPECT_EQ(f.Name(0), "Good");
  }
  for (const char* bad : {"!", " lead", "bad\xFF", "two\nlines"})
    t.DelRecord(bad);
  t.SaveTab();
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_TRUE(t.GetFileError().empty());
}

// Two copies of the program, each adding records and saving after every one, at the same
// moment: every record of both lands in the file.
TEST(TableFileCopies, SimultaneousSavesLoseNothing) {
  ScratchDir dir;
  const std::string path = dir.File();
  constexpr int Copies = 2, Records = 20;
  for (int round = 0; round < 2; ++round) {
    std::filesystem::remove(path);
    EXPECT_TRUE(tabletest::RunAtOnce(Copies, [&](int copy) {
      auto t = Make(copy, path);
      t->LoadTab();
      for (int r = 0; r < Records; ++r) {
        t->InsRecord("C" + std::to_string(copy) + "R" + std::to_string(r), Pol(std::to_string(r)));
        t->SaveTab();
        if (t->GetRetCode() != TabOK) return 1;
      }
      return 0;
    }));
    EXPECT_EQ(NamesOnDisk(path).size(), size_t(Copies * Records)) << "round " << round;
  }
}

TEST(TableFileCounter, HashSaveCountsItsSearchesOthersDoNot) {
  ScratchDir dir;
  WriteFile(dir.File(), "[Polinom0]\nPolName=A\nPolFormula=1\n[Polinom1]\nPolName=K\n"
                        "PolFormula=2\n[Global]\nPolCount=2\n");
  TPolHashTab h(10, dir.File());
  TPolScanTab s(dir.File());
  h.LoadTab();
  s.LoadTab();
  h.ClearEfficiency();
  s.ClearEfficiency();
  h.SaveTab();
  s.SaveTab();
  EXPECT_EQ(h.GetEfficiency(), 1); // A found at once, K after passing A
  EXPECT_EQ(s.GetEfficiency(), 0);
}

TEST(TableFileName, RelativeNameIsTakenFromTheCurrentFolderAtConstruction) {
  ScratchDir dir;
  auto home = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path);
  TPolSortTab t("\\IniSaves\\PolTable.ini");
  std::filesystem::current_path(home);
  EXPECT_EQ(std::filesystem::path(t.GetFileName()),
            std::filesystem::canonical(dir.Path) / "IniSaves" / "PolTable.ini");
  t.InsRecord("P", Pol("x"));
  std::filesystem::remove(dir.File("IniSaves"));
  t.SaveTab(); // no save makes folders
  EXPECT_EQ(t.GetRetCode(), TabFileErr);
  EXPECT_NE(t.GetFileError().find("Папка не существует"), std::string::npos) << t.GetFileError();
  EXPECT_FALSE(std::filesystem::exists(dir.File("IniSaves")));
  std::filesystem::create_directory(dir.File("IniSaves"));
  t.SaveTab();
  EXPECT_EQ(t.GetRetCode(), TabOK);
  EXPECT_TRUE(std::filesystem::exists(dir.File()));
  TPolScanTab none("");
  none.LoadTab();
  EXPECT_EQ(none.GetRetCode(), TabFileErr);
}

} // namespace

namespace {

// The load inserts without scanning but must leave what InsRecord would: same order, same
// counter, the later polynomial of a doubled name.
TEST(TableFileLoad, CounterAndOrderAreThoseOfInsRecord) {
  ScratchDir dir;
  std::string text = "[Global]\nPolCount=0\n";
  std::vector<std::string> names;
  for (int k = 0; k < 300; ++k) {
    std::string name = "N" + std::to_string(k * 37 % 250); // some names twice
    names.push_back(name);
    text += "[Polinom" + std::to_string(k) + "]\nPolName=" + name +
            "\nPolFormula=" + std::to_string(k) + "*x\n";
  }
  WriteFile(dir.File(), text);
  for (int org = 0; org < 3; ++org) {
    auto loaded = Make(org, dir.File());
    auto replay = Make(org, "");
    loaded->LoadTab();
    ASSERT_EQ(loaded->GetRetCode(), TabOK);
    for (size_t k = 0; k < names.size(); ++k)
      replay->InsRecord(names[k], Pol(std::to_string(k) + "*x"));
    EXPECT_EQ(loaded->GetEfficiency(), replay->GetEfficiency()) << org;
    EXPECT_EQ(Keys(*loaded), Keys(*replay)) << org;
    LISTSTRUCT::TPolinom out;
    ASSERT_GE(loaded->FindRecord("N0", out), 0);
    EXPECT_EQ(out.GetText(), "250*X") << org;
  }
}

} // namespace
