#include "tables/TPolTableDocument.h"

#include "tables/CopyTab.h"
#include "tables/TPolHashTab.h"

#include <optional>
#include <utility>

namespace TABLESTRUCT {

namespace {

constexpr const char* EditContext = "TPolTableDocument";

DSTRUCT::TText EditName(const char* pattern, std::vector<std::string> args) {
  return DSTRUCT::TText{EditContext, pattern, std::move(args)};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The edits. Each takes the table in use from the state it left back to the state it found, and
// forth again; a record that an edit touches ends unstored either way, so that the next save
// writes it as it now is.

// A record added under a name, or (when the table held the name) its polynomial replaced.
class TPolTableDocument::TInsertEdit : public TTableEdit {
public:
  TInsertEdit(std::string key, const TPolinom& pol, std::optional<TPolinom> previous,
              DSTRUCT::TText name)
      : Key(std::move(key)), Pol(pol), Previous(std::move(previous)), EditText(std::move(name)) {}
  void Undo(TPolTableDocument& document) override {
    TBasePTab& table = document.CurTab();
    if (Previous)
      table.InsRecord(Key, *Previous);
    else
      table.DelRecord(Key);
    table.GetRetCode();
  }
  void Redo(TPolTableDocument& document) override {
    document.CurTab().InsRecord(Key, Pol);
    document.CurTab().GetRetCode();
  }
  DSTRUCT::TText Name() const override { return EditText; }

private:
  std::string Key;
  TPolinom Pol;
  std::optional<TPolinom> Previous;
  DSTRUCT::TText EditText;
};

// A record removed; taken back, it returns as a new record (at the end of a scan table or of
// its bucket's chain).
class TPolTableDocument::TDeleteEdit : public TTableEdit {
public:
  TDeleteEdit(std::string key, const TPolinom& pol) : Key(std::move(key)), Pol(pol) {}
  void Undo(TPolTableDocument& document) override {
    document.CurTab().InsRecord(Key, Pol);
    document.CurTab().GetRetCode();
  }
  void Redo(TPolTableDocument& document) override {
    document.CurTab().DelRecord(Key);
    document.CurTab().GetRetCode();
  }
  DSTRUCT::TText Name() const override {
    return EditName(TERMIX_TEXT("TPolTableDocument", "удаление %1"), {Key});
  }

private:
  std::string Key;
  TPolinom Pol;
};

// A record's name and polynomial changed in its place.
class TPolTableDocument::TChangeEdit : public TTableEdit {
public:
  TChangeEdit(std::string oldKey, std::string newKey, const TPolinom& oldPol,
              const TPolinom& newPol)
      : OldKey(std::move(oldKey)), NewKey(std::move(newKey)), OldPol(oldPol), NewPol(newPol) {}
  void Undo(TPolTableDocument& document) override {
    document.CurTab().ChangeRecord(NewKey, OldKey, OldPol);
    document.CurTab().GetRetCode();
  }
  void Redo(TPolTableDocument& document) override {
    document.CurTab().ChangeRecord(OldKey, NewKey, NewPol);
    document.CurTab().GetRetCode();
  }
  DSTRUCT::TText Name() const override {
    if (OldKey == NewKey)
      return EditName(TERMIX_TEXT("TPolTableDocument", "изменение %1"), {OldKey});
    return EditName(TERMIX_TEXT("TPolTableDocument", "изменение %1 (новое название %2)"),
                    {OldKey, NewKey});
  }

private:
  std::string OldKey, NewKey;
  TPolinom OldPol, NewPol;
};

// Every record moved into another organisation. Both ways the records arrive in the order the
// table showed them then, so that an undone switch shows the rows as before and a redone one
// as after it.
class TPolTableDocument::TSwitchEdit : public TTableEdit {
public:
  TSwitchEdit(TTableKind from, TTableKind to, std::vector<std::string> before)
      : From(from), To(to), Before(std::move(before)) {}
  void Undo(TPolTableDocument& document) override { document.MoveRecordsTo(From, Before); }
  void Redo(TPolTableDocument& document) override { document.MoveRecordsTo(To, After); }
  DSTRUCT::TText Name() const override {
    return DSTRUCT::TText{"TableKinds", TableKindInfo(To).SwitchName, {}};
  }
  bool ChangesContent() const override { return false; }
  std::vector<std::string> After;

private:
  TTableKind From, To;
  std::vector<std::string> Before;
};

// Another number of hash buckets; the hash table in use is rebuilt, in the order it showed the
// rows before or after.
class TPolTableDocument::TResizeEdit : public TTableEdit {
public:
  TResizeEdit(int oldSize, int newSize, std::vector<std::string> before)
      : OldSize(oldSize), NewSize(newSize), Before(std::move(before)) {}
  void Undo(TPolTableDocument& document) override { document.ApplyHashSize(OldSize, Before); }
  void Redo(TPolTableDocument& document) override { document.ApplyHashSize(NewSize, After); }
  DSTRUCT::TText Name() const override {
    return EditName(TERMIX_TEXT("TPolTableDocument", "число полей хеш-таблицы: %1"),
                    {std::to_string(NewSize)});
  }
  bool ChangesContent() const override { return false; }
  std::vector<std::string> After;

private:
  int OldSize, NewSize;
  std::vector<std::string> Before;
};

// ---------------------------------------------------------------------------------------------

TPolTableDocument::TPolTableDocument(const std::string& fileName, int hashSize)
    : HashSizeWanted(hashSize) {
  for (const TTableKindInfo& kind : TableKinds()) {
    Tables[static_cast<int>(kind.Kind)] = kind.Make(hashSize, fileName);
    // A size out of range became the nearest one allowed.
    if (kind.HasBuckets) HashSizeWanted = BucketCount(Table(kind.Kind));
  }
}

TPolTableDocument::~TPolTableDocument() = default; // nothing is saved

int TPolTableDocument::Load() {
  CurTab().LoadTab();
  return CurTab().GetRetCode();
}

int TPolTableDocument::Settle() {
  return SaveModeOn ? Save() : TabOK;
}

int TPolTableDocument::Save() {
  TBasePTab& table = CurTab();
  table.GetRetCode(); // a stale code of an earlier operation must not read as a failed save
  table.SaveTab();
  const int code = table.GetRetCode();
  // Iteration codes may remain after a good save; only these mean the file is behind.
  return code == TabFull || code == TabFileErr || code == TabBadName ? code : TabOK;
}

std::string TPolTableDocument::FileName() const {
  return CurTab().GetFileName();
}

const DSTRUCT::TText& TPolTableDocument::FileError() const {
  return CurTab().GetFileReason();
}

TEditOutcome TPolTableDocument::InsertNamed(const std::string& key, const TPolinom& pol,
                                            DSTRUCT::TText name) {
  TBasePTab& table = CurTab();
  table.GetRetCode();
  std::optional<TPolinom> previous;
  if (TPolinom old; table.FindRecord(key, old) >= 0) previous = std::move(old);
  table.GetRetCode();
  const int position = table.InsRecord(key, pol);
  table.GetRetCode();
  if (position < 0) return {position, -1, nullptr};
  return {TabOK, position,
          std::make_unique<TInsertEdit>(key, pol, std::move(previous), std::move(name))};
}

TEditOutcome TPolTableDocument::Insert(const std::string& key, const TPolinom& pol) {
  return InsertNamed(key, pol, EditName(TERMIX_TEXT("TPolTableDocument", "добавление %1"), {key}));
}

TEditOutcome TPolTableDocument::StoreResult(const std::string& key, const TPolinom& pol) {
  return InsertNamed(key, pol,
                     EditName(TERMIX_TEXT("TPolTableDocument", "занесение результата %1"), {key}));
}

TEditOutcome TPolTableDocument::Copy(const std::string& source, const std::string& key,
                                     const TPolinom& pol) {
  return InsertNamed(
      key, pol, EditName(TERMIX_TEXT("TPolTableDocument", "копирование %1 в %2"), {source, key}));
}

TEditOutcome TPolTableDocument::Delete(const std::string& key) {
  TBasePTab& table = CurTab();
  table.GetRetCode();
  TPolinom pol;
  if (table.FindRecord(key, pol) < 0) {
    table.GetRetCode();
    return {table.GetDataCount() == 0 ? TabEmpty : TabNoRec, -1, nullptr};
  }
  table.DelRecord(key);
  table.GetRetCode();
  return {TabOK, -1, std::make_unique<TDeleteEdit>(key, pol)};
}

TEditOutcome TPolTableDocument::Change(const std::string& oldKey, const std::string& newKey,
                                       const TPolinom& pol) {
  TBasePTab& table = CurTab();
  table.GetRetCode();
  TPolinom oldPol;
  if (table.FindRecord(oldKey, oldPol) < 0) {
    table.GetRetCode();
    return {TabNoRec, -1, nullptr};
  }
  table.ChangeRecord(oldKey, newKey, pol);
  if (const int code = table.GetRetCode(); code != TabOK) return {code, -1, nullptr};
  return {TabOK, -1, std::make_unique<TChangeEdit>(oldKey, newKey, oldPol, pol)};
}

TEditOutcome TPolTableDocument::Switch(TTableKind target) {
  if (target == Current) return {};
  auto edit = std::make_unique<TSwitchEdit>(Current, target, TableKeys(CurTab()));
  if (!MoveRecordsTo(target, {})) return {TabNoMem, -1, nullptr};
  edit->After = TableKeys(CurTab());
  return {TabOK, -1, std::move(edit)};
}

TEditOutcome TPolTableDocument::Resize(int size) {
  if (size < 1 || size > MaxHashSize) return {TabNoPos, -1, nullptr};
  if (size == HashSizeWanted) return {};
  const bool inUse = TableKindInfo(Current).HasBuckets;
  auto edit = std::make_unique<TResizeEdit>(
      HashSizeWanted, size, inUse ? TableKeys(CurTab()) : std::vector<std::string>());
  ApplyHashSize(size, {});
  if (inUse) edit->After = TableKeys(CurTab());
  return {TabOK, -1, std::move(edit)};
}

bool TPolTableDocument::MoveRecordsTo(TTableKind target, const std::vector<std::string>& order) {
  TBasePTab& from = CurTab();
  TBasePTab& to = Table(target);
  if (&to == &from) return true;
  if (from.GetDataCount() > to.GetCapacity()) return false;
  if (TableKindInfo(target).HasBuckets) {
    // Emptied before it takes the wanted size, so that nothing it held before is rebuilt.
    to.ClearTab();
    to.SetTabSize(HashSizeWanted);
  }
  CopyTabInOrder(&to, &from, order);
  to.GetRetCode();
  Current = target;
  return true;
}

void TPolTableDocument::ApplyHashSize(int size, const std::vector<std::string>& order) {
  HashSizeWanted = size;
  if (!TableKindInfo(Current).HasBuckets) return; // the size takes effect at the next switch
  TBasePTab& table = CurTab();
  table.SetTabSize(size);
  if (!order.empty()) CopyTabInOrder(&table, &table, order);
  table.GetRetCode();
}

} // namespace TABLESTRUCT
