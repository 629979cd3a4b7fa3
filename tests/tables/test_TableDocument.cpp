// The table document: random edits, undos and redos against a model of the history, with the
// table file checked after every step; a switch the sorted table cannot hold.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "TableTestUtil.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolTableDocument.h"

using namespace TABLESTRUCT;
using tabletest::Keys;
using tabletest::Pol;
using tabletest::ScratchDir;
using tabletest::WriteFile;

namespace {

using TContent = std::map<std::string, std::string>;

TContent Content(TBasePTab& table) {
  TContent content;
  for (table.Reset(); !table.IsTabEnded(); table.GoNext())
    content[table.GetKey(-1)] = table.GetPolinom(-1)->GetText();
  table.GetRetCode();
  return content;
}

// What a fresh load of the file finds.
TContent FileContent(const std::string& path) {
  TPolScanTab table(path);
  table.LoadTab();
  return Content(table);
}

// The document as the model sees it after each edit of the history.
struct TState {
  TContent Records;
  TTableKind Organisation = TTableKind::Scan;
  int HashSize = 3;
  bool operator==(const TState&) const = default;
};

TState StateOf(TPolTableDocument& document) {
  return {Content(document.CurTab()), document.Organisation(), document.HashSize()};
}

// An applied edit, and for a switch or a resize the row orders it leaves and finds.
struct TEntry {
  std::unique_ptr<TTableEdit> Edit;
  bool Wide = false;
  std::vector<std::string> Before, After;
};

class TRandomSession {
public:
  explicit TRandomSession(unsigned seed) : Random(seed) {}

  // One random step: an edit (with the state the model expects after it), an undo, a redo, or
  // save mode switched.
  void Step(TPolTableDocument& document) {
    const int action = static_cast<int>(Random() % 15);
    if (action == 11) return Undo(document);
    if (action == 12) return Redo(document);
    if (action >= 13) return document.SetSaveMode(!document.SaveMode());
    TState expected = States[Done];
    const std::string key = Key(), other = Key();
    const std::string text = PolTexts[Random() % std::size(PolTexts)];
    const std::string printed = Pol(text).GetText();
    TEditOutcome outcome;
    int refusal = TabOK;
    auto& records = expected.Records;
    const std::vector<std::string> order = Keys(document.CurTab());
    switch (action) {
    case 0:
    case 1:
      outcome = document.Insert(key, Pol(text));
      records[key] = printed;
      break;
    case 2:
      outcome = document.StoreResult(key, Pol(text));
      records[key] = printed;
      break;
    case 3:
      outcome = document.Copy(other, key, Pol(text));
      records[key] = printed;
      break;
    case 4:
    case 5:
      outcome = document.Delete(key);
      refusal = records.empty() ? TabEmpty : TabNoRec;
      if (records.erase(key)) refusal = TabOK;
      break;
    case 6:
    case 7:
      outcome = document.Change(key, other, Pol(text));
      refusal = !records.count(key)                         ? TabNoRec
                : key != other && records.count(other) != 0 ? TabKeyUsed
                                                            : TabOK;
      if (refusal == TabOK) {
        records.erase(key);
        records[other] = printed;
      }
      break;
    case 8:
    case 9:
      expected.Organisation = static_cast<TTableKind>(Random() % TableKindCount);
      outcome = document.Switch(expected.Organisation);
      break;
    default:
      expected.HashSize = 1 + static_cast<int>(Random() % 5);
      outcome = document.Resize(expected.HashSize);
      break;
    }
    ASSERT_EQ(outcome.Code, refusal);
    if (!outcome.Edit) {
      ASSERT_EQ(expected, States[Done]) << "an edit that did nothing, or was refused";
      return;
    }
    ASSERT_FALSE(outcome.Edit->Name().Text().empty());

    ASSERT_EQ(outcome.Edit->ChangesContent(), action < 8);
    // A switch rebuilds the tables, and so does a resize of the hash table in use.
    const bool wide = action == 8 || action == 9 || expected.Organisation == TTableKind::Hash;
    Record(std::move(outcome.Edit), action >= 8 && wide, order, Keys(document.CurTab()), expected);
  }

  // In the document's state now, with the rows in the order a switch or resize gives them.
  void Check(TPolTableDocument& document, const std::string& path) {
    ASSERT_EQ(StateOf(document), States[Done]);
    if (ExpectedOrder) {
      ASSERT_EQ(Keys(document.CurTab()), *ExpectedOrder);
    }
    ExpectedOrder = nullptr;
    ASSERT_EQ(document.Settle(), TabOK);
    if (document.SaveMode()) InFile = States[Done].Records;
    TContent expected = InFile;
    expected["Other"] = "Z"; // another program's polynomial is never erased
    ASSERT_EQ(FileContent(path), expected);
  }

  std::vector<TState> States;
  TContent InFile;

private:
  void Record(std::unique_ptr<TTableEdit> edit, bool wide, std::vector<std::string> before,
              std::vector<std::string> after, const TState& expected) {
    History.resize(Done);
    States.resize(Done + 1);
    History.push_back({std::move(edit), wide, std::move(before), std::move(after)});
    States.push_back(expected);
    ++Done;
  }

  void Undo(TPolTableDocument& document) {
    if (Done == 0) return;
    TEntry& entry = History[--Done];
    entry.Edit->Undo(document);
    if (entry.Wide) ExpectedOrder = &entry.Before;
  }

  void Redo(TPolTableDocument& document) {
    if (Done == History.size()) return;
    TEntry& entry = History[Done++];
    entry.Edit->Redo(document);
    if (entry.Wide) ExpectedOrder = &entry.After;
  }

  std::string Key() { return "K" + std::to_string(Random() % 6); }

  static constexpr const char* PolTexts[] = {"x", "2*y", "z^3 - 1", "x*y*z", "5", "x^2 + y^2"};
  std::mt19937 Random;
  std::vector<TEntry> History;
  std::size_t Done = 0;
  const std::vector<std::string>* ExpectedOrder = nullptr;
};

// Thousands of saves, each synced to the disk by the atomic writer: a folder in memory, where
// there is one, keeps the run short.
std::filesystem::path MemoryFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

TEST(TableDocument, RandomEditsUndosAndRedosFollowTheModelInTableAndFile) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    ScratchDir dir(MemoryFolder());
    const std::string path = dir.File();
    const std::string loaded = "[Global]\nPolCount=2\n[Polinom0]\nPolName=K1\nPolFormula=x\n"
                               "[Polinom1]\nPolName=K2\nPolFormula=y\n";
    WriteFile(path, loaded);
    TPolTableDocument document(path, 3);
    ASSERT_EQ(document.Load(), TabOK);
    // Another program adds a polynomial to the file after the load.
    WriteFile(path, loaded + "[Polinom7]\nPolName=Other\nPolFormula=z\n");
    TRandomSession session(seed);
    session.States.push_back(StateOf(document));
    session.InFile = session.States[0].Records;
    for (int step = 0; step < 2000; ++step) {
      ASSERT_NO_FATAL_FAILURE(session.Step(document)) << "step " << step;
      ASSERT_NO_FATAL_FAILURE(session.Check(document, path)) << "step " << step;
    }
  }
}

// The sorted table holds at most 4999 records: a switch with more is refused and changes
// nothing; with one fewer it goes, and its undo gives the scan table back in its own order.
TEST(TableDocument, SwitchTheSortedTableCannotHoldIsRefused) {
  TPolTableDocument document("", 10);
  for (int i = 5000; i > 0; --i)
    ASSERT_TRUE(document.Insert("N" + std::to_string(i), Pol("x")).Edit);
  const std::vector<std::string> scanOrder = Keys(document.CurTab());
  TEditOutcome refused = document.Switch(TTableKind::Sorted);
  EXPECT_EQ(refused.Code, TabNoMem);
  EXPECT_FALSE(refused.Edit);
  EXPECT_EQ(document.Organisation(), TTableKind::Scan);
  EXPECT_EQ(Keys(document.CurTab()), scanOrder);

  TEditOutcome deleted = document.Delete("N5000"); // the first record: the last takes its place
  ASSERT_TRUE(deleted.Edit);
  const std::vector<std::string> before = Keys(document.CurTab());
  TEditOutcome switched = document.Switch(TTableKind::Sorted);
  ASSERT_TRUE(switched.Edit);
  EXPECT_EQ(document.CurTab().GetDataCount(), 4999);
  switched.Edit->Undo(document);
  EXPECT_EQ(document.Organisation(), TTableKind::Scan);
  EXPECT_EQ(Keys(document.CurTab()), before);
  deleted.Edit->Undo(document);
  EXPECT_EQ(document.CurTab().GetDataCount(), 5000);
  EXPECT_EQ(document.Switch(TTableKind::Sorted).Code, TabNoMem);
}

// Another copy deletes records this one inserted and changed; this copy's save takes them out
// of its table. Its history still names them: undoing and redoing every edit acts on what is
// there and passes over what is gone, and the table stays what the file and the redone edits
// make of it.
TEST(TableDocument, HistoryOverRecordsAnotherCopyDeletedActsOnWhatIsLeft) {
  ScratchDir dir(MemoryFolder());
  const std::string path = dir.File();
  WriteFile(path, "[Global]\nPolCount=2\n[Polinom0]\nPolName=K1\nPolFormula=x\n"
                  "[Polinom1]\nPolName=C\nPolFormula=y\n");
  TPolTableDocument here(path, 3);
  ASSERT_EQ(here.Load(), TabOK);
  std::vector<std::unique_ptr<TTableEdit>> history;
  history.push_back(here.Insert("R", Pol("z")).Edit);
  history.push_back(here.Change("C", "C2", Pol("2*y")).Edit);
  history.push_back(here.Switch(TTableKind::Hash).Edit);
  for (const auto& edit : history)
    ASSERT_TRUE(edit);
  ASSERT_EQ(here.Save(), TabOK);

  TPolTableDocument other(path, 3);
  ASSERT_EQ(other.Load(), TabOK);
  ASSERT_TRUE(other.Delete("R").Edit);
  ASSERT_TRUE(other.Delete("C2").Edit);
  ASSERT_EQ(other.Save(), TabOK);

  ASSERT_EQ(here.Save(), TabOK);
  const TContent left = {{"K1", Pol("x").GetText()}};
  ASSERT_EQ(Content(here.CurTab()), left);
  for (auto edit = history.rbegin(); edit != history.rend(); ++edit)
    (*edit)->Undo(here);
  EXPECT_EQ(here.Organisation(), TTableKind::Scan);
  EXPECT_EQ(Content(here.CurTab()), left); // R and C2 were not there to take back
  for (const auto& edit : history)
    edit->Redo(here);
  EXPECT_EQ(here.Organisation(), TTableKind::Hash);
  TContent redone = left;
  redone["R"] = Pol("z").GetText(); // the insertion is made again; C is not there to change
  EXPECT_EQ(Content(here.CurTab()), redone);
  ASSERT_EQ(here.Save(), TabOK);
  EXPECT_EQ(FileContent(path), redone);
}

} // namespace
