#pragma once
// The user's table as one document: one table of each organisation of the registry and the one
// in use (CurTab), the wanted number of buckets, save mode, and the table file they share. Every
// change the windows make is an edit of the document: applied at once, and handed back as a
// TTableEdit that takes it back and makes it again, so that whoever keeps the history (the
// windows' undo stack) can undo and redo it. After each change (an edit, its undo or its redo)
// the caller settles the document once: in save mode that writes the table in use to the file.

#include "core/TText.h"
#include "tables/TBasePTab.h"
#include "tables/TTableKinds.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace TABLESTRUCT {

class TPolTableDocument;

// One change of the document that can be taken back and made again. Undo and redo are called
// in the order of a linear history: an edit is undone only in the state it left, and redone
// only in the state it found.
class TTableEdit {
public:
  virtual ~TTableEdit() = default;
  virtual void Undo(TPolTableDocument& document) = 0;
  virtual void Redo(TPolTableDocument& document) = 0;
  // What the edit does, as the undo and redo menus name it («удаление P1»).
  virtual DSTRUCT::TText Name() const = 0;
  // False for the edits that leave every name and polynomial as it was: a switch, a resize.
  virtual bool ChangesContent() const { return true; }
};

// What an edit came to.
struct TEditOutcome {
  // TabOK, or why the table refused the edit (nothing changed then): TabNoMem (the sorted table
  // is full, or cannot take every record of a switch), TabNoRec, TabEmpty, TabKeyUsed, TabNoPos.
  int Code = TabOK;
  // Insertions: the record's position.
  int Position = -1;
  // The applied edit; null when refused or when there was nothing to do.
  std::unique_ptr<TTableEdit> Edit;
};

class TPolTableDocument {
public:
  // fileName: the table file, resolved as the tables resolve it (an empty name: no file).
  // hashSize: the number of buckets at start of the organisation that has them.
  TPolTableDocument(const std::string& fileName, int hashSize);
  ~TPolTableDocument();
  TPolTableDocument(const TPolTableDocument&) = delete;
  TPolTableDocument& operator=(const TPolTableDocument&) = delete;

  // Reads the table file into the table in use (the scan table at start). Returns TabOK,
  // TabFileErr (unreadable: the table stays empty, FileError says why) or TabNoMem.
  int Load();

  TBasePTab& CurTab() const { return *Tables[static_cast<int>(Current)]; }
  TTableKind Organisation() const { return Current; }
  // The number of buckets of the organisation that has them (the hash table): at once while
  // it is in use, at the next switch to it otherwise.
  int HashSize() const { return HashSizeWanted; }
  bool SaveMode() const { return SaveModeOn; }
  // Save mode is no edit: it is not undone. Switching it on writes nothing by itself; the
  // settling that follows does.
  void SetSaveMode(bool on) { SaveModeOn = on; }

  // The end of every change: in save mode the table in use is written to the file. Returns
  // TabOK (also when nothing was written) or the save's failure (see Save).
  int Settle();
  // Writes the table in use to the file, in save mode or not. Returns TabOK, TabFull,
  // TabFileErr or TabBadName (TBasePTab::SaveTab).
  int Save();
  std::string FileName() const;
  // Why the last load or save could not use the file; empty otherwise.
  const DSTRUCT::TText& FileError() const;

  // The edits the windows make. Each changes the table in use at once, or refuses.
  TEditOutcome Insert(const std::string& key, const TPolinom& pol);
  // A calculation result stored under key: an insertion that the menus name as a result.
  TEditOutcome StoreResult(const std::string& key, const TPolinom& pol);
  // A copy of the record source added under key with pol (the change dialog's copy).
  TEditOutcome Copy(const std::string& source, const std::string& key, const TPolinom& pol);
  TEditOutcome Delete(const std::string& key);
  // The record oldKey gets newKey and pol (TabNoRec, TabKeyUsed: refused).
  TEditOutcome Change(const std::string& oldKey, const std::string& newKey, const TPolinom& pol);
  // Every record moves into the organisation target, which is then in use (TabNoMem: it cannot
  // hold them all). The same organisation: nothing to do.
  TEditOutcome Switch(TTableKind target);
  // The wanted number of hash buckets (1..MaxHashSize, else TabNoPos); the hash table in use is
  // rebuilt with it. The same number: nothing to do.
  TEditOutcome Resize(int size);

private:
  class TInsertEdit;
  class TDeleteEdit;
  class TChangeEdit;
  class TSwitchEdit;
  class TResizeEdit;

  TBasePTab& Table(TTableKind organisation) const {
    return *Tables[static_cast<int>(organisation)];
  }
  TEditOutcome InsertNamed(const std::string& key, const TPolinom& pol, DSTRUCT::TText name);
  // Every record of the table in use moves into target, first those named in order in that
  // order; target is in use from then on. False (nothing changed) when target cannot hold them.
  bool MoveRecordsTo(TTableKind target, const std::vector<std::string>& order);
  // The wanted number of buckets; the hash table in use is rebuilt with it, its records first
  // those named in order, in that order.
  void ApplyHashSize(int size, const std::vector<std::string>& order);

  std::array<std::unique_ptr<TBasePTab>, TableKindCount> Tables;
  TTableKind Current = TTableKind::Scan;
  int HashSizeWanted = 10;
  bool SaveModeOn = false;
};

} // namespace TABLESTRUCT
