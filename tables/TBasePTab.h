#pragma once
// The common interface of the three table organisations (scan, sorted, hash). Every user of a
// table works through a pointer to TBasePTab. Failures are return codes stored on the table
// (GetRetCode reads and clears); operations that return an int return the code as well.
//
// Positions are record indices in the scan and sorted tables and bucket indices in the hash
// table. Iteration: Reset; while !IsTabEnded: GetKey(-1), GetPolinom(-1), GetChainPos; GoNext.
// Efficiency counts the key comparisons and record moves of the operations; the efficiency
// test clears and reads it.

#include <climits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/TText.h"

#include "core/TDatList.h"
#include "core/TPolinom.h"
#include "tables/TTabRecPol.h"
#include "tables/TTableObserver.h"

namespace TABLESTRUCT {

class TIniFile;

// Return codes of the tables (the first five are shared with the list layer).
inline constexpr int TabOK = 0;         // success
inline constexpr int TabEmpty = -101;   // the table is empty
inline constexpr int TabNoMem = -102;   // no room (sorted table full) or no memory
inline constexpr int TabNoPos = -103;   // position or bucket count out of range
inline constexpr int TabNoRec = -104;   // no record with the key; hash iteration at its end
inline constexpr int TabFull = -105;    // the table file has no free section left
inline constexpr int TabFileErr = -106; // the table file could not be read or written
inline constexpr int TabKeyUsed = -107; // ChangeRecord: the new name belongs to another record
inline constexpr int TabBadName = -108; // SaveTab: some names cannot be written to the file

// Sections "Polinom0".."Polinom4999" of the table file.
inline constexpr int MaxFileSections = 5000;

// What a save of the table file found another running copy of the program to have done.
struct TFileMerge {
  // Records unchanged here whose sections the other copy erased or renamed: they were taken
  // out of this table rather than written back.
  std::vector<std::string> LeftTable;
  // Records that both copies changed (or one changed and the other erased): this table's
  // version is in the file now.
  std::vector<std::string> Conflicted;
  bool IsEmpty() const { return LeftTable.empty() && Conflicted.empty(); }
  // The notices for the user, one per kind of event, naming the records.
  std::vector<DSTRUCT::TText> Notices() const;
};

class TBasePTab : public LISTSTRUCT::THeadRing {
protected:
  int DataCount = 0;  // number of records
  int CurrPos = 0;    // iteration position: record index, or bucket index in the hash table
  int Efficiency = 0; // operation counter
  std::unique_ptr<TIniFile> IniFile; // the table file; none for an empty file name
  TPolinom NoPol;                    // the empty polynomial handed out for a position out of range
  DSTRUCT::TText FileError;          // why the last LoadTab/SaveTab could not use the file
  // The formula text of each name whose section this table loaded or wrote and has not erased
  // since, as it stood in the file then. A save erases only those of them that left the table,
  // never a section another program (or another table object) put into the file; and a file
  // text that differs from it tells that another copy of the program changed the record.
  std::unordered_map<std::string, std::string> FileTexts;
  TFileMerge LastMerge; // what the last save found another copy to have done

  // Told about every counted step of InsRecord, FindRecord and DelRecord (and of the sorted
  // table's ChangeRecord, which counts its search); null for none.
  TTableObserver* Observer = nullptr;

  // Keeps the observer away from work that is not itself an observed operation (a change of
  // record, a rebuild with another bucket count) while it lives.
  class TObserverPause {
  public:
    explicit TObserverPause(TBasePTab& table) : Table(table), Saved(table.Observer) {
      Table.Observer = nullptr;
    }
    ~TObserverPause() { Table.Observer = Saved; }
    TObserverPause(const TObserverPause&) = delete;
    TObserverPause& operator=(const TObserverPause&) = delete;

  private:
    TBasePTab& Table;
    TTableObserver* Saved;
  };

  // Opens the table file: fileName relative to the current directory at this moment
  // (backslashes are taken for "/", a leading one included: "\\IniSaves\\PolTable.ini"), or an
  // absolute path beginning with "/". An empty name makes a table without a file. Nothing is
  // read before LoadTab or SaveTab.
  explicit TBasePTab(const std::string& fileName);

  // Code -103 and a pointer to an empty polynomial of this table (emptied again on each call,
  // so a caller that wrote into it earlier cannot spoil later results).
  TPolinom* NoPolinom();
  // The record at the iteration position, null when the iteration has ended.
  virtual TTabRecPol* CurrentRecord() = 0;
  // Key of every record with its place in its bucket chain (0 outside the hash table), built
  // once per save.
  using TKeyPlaces = std::unordered_map<std::string_view, int>;
  // Table file, phase 1 of a save: does the table still hold a record named name? The scan
  // and sorted tables look it up without counting; the hash table counts what its FindRecord
  // would count.
  virtual bool SaveHasName(const std::string& name, const TKeyPlaces& keys);
  // The load inserts each record through these: LoadRecord has the effect of InsRecord (table,
  // counter, code) but may use an index kept between BeginLoad and EndLoad.
  virtual void BeginLoad() {}
  virtual void LoadRecord(const std::string& key, const TPolinom& pol) { InsRecord(key, pol); }
  virtual void EndLoad() {}

  // The load and save algorithms of the table file, shared by the three organisations.
  void LoadFromFile();
  void SaveToFile();
  // Reads the table file afresh; false (code TabFileErr, reason in FileError) when the table
  // has no file or the file cannot be read.
  bool ReloadFile();

private:
  struct TSaveRun; // one save's view of the file and its outcome
  // The steps of SaveToFile: erase the sections of names that left the table; decide and
  // write each record; after the file is written, mark what it now holds.
  void EraseLeftNames(TSaveRun& run);
  void WriteRecords(TSaveRun& run);
  void WriteRecord(TSaveRun& run, TTabRecPol& rec, const std::string& text, int found);
  void FinishSave(TSaveRun& run);
  // Does rec hold what this table last loaded or wrote under its name (known, when it knows
  // one)? text receives the record's written form when it had to be made.
  bool UnchangedSinceKnown(TTabRecPol& rec, const std::string* known, std::string& text);

protected:
public:
  ~TBasePTab() override;

  // Inserts a record holding a copy of pol, or replaces the polynomial of the record with the
  // key (which then counts as changed). Returns the position, or a negative code.
  virtual int InsRecord(const std::string& key, const TPolinom& pol) = 0;
  // Copies the polynomial of the record with the key into out and returns its position;
  // TabNoRec (code and result) when there is none, out untouched.
  virtual int FindRecord(const std::string& key, TPolinom& out) = 0;
  // Deletes the record with the key: TabEmpty on an empty table, TabNoRec when absent.
  virtual void DelRecord(const std::string& key) = 0;
  // Gives the record oldKey the key newKey and a copy of pol: TabNoRec when oldKey is absent,
  // TabKeyUsed (table unchanged) when newKey is the key of another record.
  virtual void ChangeRecord(const std::string& oldKey, const std::string& newKey,
                            const TPolinom& pol) = 0;
  // Number of buckets; only the hash table acts on it.
  virtual void SetTabSize(int /*size*/) {}
  virtual int Reset() = 0;
  virtual int GoNext() = 0;
  virtual bool IsTabEnded() const = 0;
  virtual int GetChainPos() = 0;
  virtual void ClearTab() = 0;
  // pos -1: the current record of the iteration. Out of range: code TabNoPos and an empty
  // polynomial of the table (never null) or an empty text.
  virtual TPolinom* GetPolinom(int pos) = 0;
  virtual std::string GetKey(int pos) = 0;
  virtual int GetDataCount() const = 0;
  // Replaces the content by the table file's polynomials (every section with a name, in
  // index order); all loaded records are stored. Codes: TabNoMem (sorted table full: the
  // records loaded so far stay, unstored), TabFileErr (file unreadable: table unchanged).
  virtual void LoadTab() = 0;
  // Brings the table file in line with the table, holding the data folder's save lock around
  // reading, merging and writing so that copies of the program saving at once all land: erases
  // the sections of names that this table loaded or wrote and that left it since, writes the
  // records changed since they were last loaded or written (every coefficient exactly), then
  // replaces the file atomically. Another copy's work is kept: a record unchanged here whose
  // section another copy erased (or renamed) is not written back but leaves this table; where
  // both changed one record this table's version is written; GetLastMerge lists both.
  // Codes: TabFull (no section left for a new name; the records written before stay written),
  // TabFileErr (the file could not be read or written: it is left as it was and no record
  // counts as stored, so the next save tries again; GetFileError tells why), TabBadName
  // (records whose names would not read back as themselves: the marker "!", a line break,
  // surrounding blanks, bytes that are not UTF-8; they stay unstored and GetFileError names
  // them; users' names never are such).
  virtual void SaveTab() = 0;
  // The most records the organisation can hold.
  virtual int GetCapacity() const { return INT_MAX; }
  // Takes over from other which sections of the table file are this table's own and what they
  // held (when both use one file): CopyTab hands them on with the records.
  void TakeOwnFileNames(const TBasePTab& other);
  // What the last SaveTab found another copy of the program to have done; empty after a load.
  const TFileMerge& GetLastMerge() const { return LastMerge; }

  // The iteration position (CurrPos).
  int GetCurrPos() const { return CurrPos; }
  int GetEfficiency() const { return Efficiency; }
  void ClearEfficiency() { Efficiency = 0; }
  // The observer of the searches, insertions and deletions (not owned); null for none.
  void SetObserver(TTableObserver* observer) { Observer = observer; }
  TTableObserver* GetObserver() const { return Observer; }
  // Full path of the table file; empty for a table without a file.
  std::string GetFileName() const;
  // Why the last LoadTab/SaveTab failed with TabFileErr or TabBadName; empty otherwise.
  // GetFileError is its Russian text.
  const DSTRUCT::TText& GetFileReason() const { return FileError; }
  std::string GetFileError() const;
};

// Full path of a table file name as the constructors resolve it.
std::string ResolveTableFileName(const std::string& fileName);
// Name of the table file section k: "Polinom" followed by k.
std::string PolSectionName(int k);

} // namespace TABLESTRUCT
