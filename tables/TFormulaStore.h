#pragma once
// The formula store: formulas kept with a free-text description in a profile file of their
// own. Section "Global", key "ForCount": the number of stored formulas. Each formula is a
// section "Formula" N (N = 0..4999, no leading zeros) with the keys "FDiscript" (the
// description) and "FormExpr" (the formula). A section whose description reads as "!" (or
// that has none) holds no formula. Deletions leave gaps that are not filled again while free
// numbers above them remain.
//
// Every operation reads the file afresh, so that what another program stored is seen and
// never written over; Save and Delete hold the folder's save lock (TFolderLock) from that
// reading to their write, so that copies of the program changing the store at once all land.

#include <memory>
#include <string>
#include <vector>

#include "core/TText.h"

namespace TABLESTRUCT {

class TIniFile;

// One stored formula as the store lists it.
struct TStoredFormula {
  int Section = -1;        // N of the section "Formula" N
  std::string Formula;     // "Ini-file reading error!" when the section has no formula key
  std::string Description; // may be empty
};

enum class TStoreResult {
  Done,
  NoFormula,           // Delete: the row holds no formula; nothing changed
  Unreadable,          // the file cannot be read; nothing written
  WriteFailed,         // the file could not be written; it is left as it was
  NoRoom,              // Save: all 5000 section numbers are in use
  ReservedDescription, // Save: the description "!" would hide the formula
  Changed              // Delete: another program changed the row's section since the listing
};

class TFormulaStore {
public:
  // fileName is the full path of the store file; nothing is read before Read.
  explicit TFormulaStore(std::string fileName);
  ~TFormulaStore();
  TFormulaStore(const TFormulaStore&) = delete;
  TFormulaStore& operator=(const TFormulaStore&) = delete;

  // Reads the file and lists every formula in it, in section order, whatever "ForCount"
  // says. False when the file cannot be read (the list is then empty; GetError tells why).
  bool Read();
  const std::vector<TStoredFormula>& GetFormulas() const { return Formulas; }
  // The rows a list of the store shows: one per formula, or the number "ForCount" states when
  // it is a believable count (0..5000) above that; the rows past the formulas stay empty.
  int GetRowCount() const;

  // Stores the formula in the lowest section number from the number of stored formulas on
  // that no section uses (so a store without deletions numbers 0, 1, 2, ...), and writes the
  // number of stored formulas as "ForCount".
  TStoreResult Save(const std::string& formula, const std::string& description);
  // Erases the formula of row (counted from 1) of the last Read, if the file still holds it
  // as listed, and writes the number of stored formulas left as "ForCount". The list is read
  // again in either case.
  TStoreResult Delete(int row);

  const std::string& GetFileName() const { return FileName; }
  // Why the last operation failed; empty after a success. GetError is its Russian text.
  const DSTRUCT::TText& GetReason() const { return Error; }
  std::string GetError() const { return Error.Text(); }

private:
  // Writes the changed content and reads the list again.
  TStoreResult WriteFile();

  std::string FileName;
  std::unique_ptr<TIniFile> IniFile;
  std::vector<TStoredFormula> Formulas;
  int StatedCount = 0; // "ForCount" when believable, else 0
  DSTRUCT::TText Error;
};

} // namespace TABLESTRUCT
