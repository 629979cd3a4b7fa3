#include "tables/TFormulaStore.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "tables/FileLock.h"
#include "tables/TIniFile.h"

namespace TABLESTRUCT {

namespace {

// Readers stop at this section number; a new formula never gets one as large.
constexpr int SectionLimit = 5000;

const std::string GlobalSection = "Global";
const std::string CountKey = "ForCount";
const std::string DescriptionKey = "FDiscript";
const std::string FormulaKey = "FormExpr";
// The default of both keys: a section whose description reads so holds no formula.
const std::string Missing = "!";
const std::string ReadingError = "Ini-file reading error!";

std::string FormulaSection(int number) {
  return "Formula" + std::to_string(number);
}

bool SameFormula(const TStoredFormula& a, const TStoredFormula& b) {
  return a.Section == b.Section && a.Formula == b.Formula && a.Description == b.Description;
}

} // namespace

TFormulaStore::TFormulaStore(std::string fileName)
    : FileName(std::move(fileName)), IniFile(std::make_unique<TIniFile>(FileName)) {}

TFormulaStore::~TFormulaStore() = default;

bool TFormulaStore::Read() {
  Error = {};
  Formulas.clear();
  StatedCount = 0;
  if (!IniFile->Reload()) {
    Error = IniFile->GetLastReason();
    return false;
  }
  // Every present section is found by its name, so that a count that is wrong, negative or
  // no number at all hides no formula.
  for (const std::string& section : IniFile->GetSectionNames()) {
    const int number = NumberedSectionIndex(section, "formula", SectionLimit);
    if (number < 0) continue;
    std::string description = IniFile->ReadString(section, DescriptionKey, Missing);
    if (description == Missing) continue;
    std::string formula = IniFile->ReadString(section, FormulaKey, Missing);
    if (formula == Missing) formula = ReadingError;
    Formulas.push_back({number, std::move(formula), std::move(description)});
  }
  std::sort(Formulas.begin(), Formulas.end(),
            [](const TStoredFormula& a, const TStoredFormula& b) { return a.Section < b.Section; });
  const int stated = IniFile->ReadInteger(GlobalSection, CountKey, -1);
  if (stated >= 0 && stated <= SectionLimit) StatedCount = stated;
  return true;
}

int TFormulaStore::GetRowCount() const {
  return std::max(static_cast<int>(Formulas.size()), StatedCount);
}

TStoreResult TFormulaStore::WriteFile() {
  const bool written = IniFile->UpdateFile();
  DSTRUCT::TText error = IniFile->GetLastReason();
  // Listed afresh either way; after a failure this also drops the unwritten change, so that
  // it cannot reach a later write.
  Read();
  if (written) return TStoreResult::Done;
  Error = std::move(error);
  return TStoreResult::WriteFailed;
}

TStoreResult TFormulaStore::Save(const std::string& formula, const std::string& description) {
  // Another copy saving or deleting at the same moment waits for this read-change-write.
  TFolderLock lock(FileName);
  if (!lock.IsHeld()) {
    Error = lock.GetError();
    return TStoreResult::WriteFailed;
  }
  // Writing now without reading would replace a file whose content was never seen.
  if (!Read()) return TStoreResult::Unreadable;
  std::string_view trimmed = description;
  while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
    trimmed.remove_prefix(1);
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
    trimmed.remove_suffix(1);
  if (trimmed == Missing) {
    Error = {"FormulaStore", TERMIX_TEXT("FormulaStore", "описание «!» скрыло бы формулу"), {}};
    return TStoreResult::ReservedDescription;
  }
  const int count = static_cast<int>(Formulas.size());
  // A store in which nothing was deleted holds exactly the sections 0 .. count - 1, so the
  // search starts at count; after deletions it walks past the sections still in use.
  int number = -1;
  for (int step = 0; step < SectionLimit && number < 0; ++step) {
    const int candidate = (count + step) % SectionLimit;
    if (!IniFile->SectionExists(FormulaSection(candidate))) number = candidate;
  }
  if (number < 0) {
    Error = {
        "FormulaStore", TERMIX_TEXT("FormulaStore", "в файле формул нет свободного раздела"), {}};
    return TStoreResult::NoRoom;
  }
  const std::string section = FormulaSection(number);
  IniFile->WriteString(section, DescriptionKey, description);
  IniFile->WriteString(section, FormulaKey, formula);
  IniFile->WriteInteger(GlobalSection, CountKey, count + 1);
  return WriteFile();
}

TStoreResult TFormulaStore::Delete(int row) {
  if (row < 1 || row > static_cast<int>(Formulas.size())) return TStoreResult::NoFormula;
  const TStoredFormula listed = Formulas[static_cast<size_t>(row - 1)];
  TFolderLock lock(FileName);
  if (!lock.IsHeld()) {
    Error = lock.GetError();
    return TStoreResult::WriteFailed;
  }
  if (!Read()) return TStoreResult::Unreadable;
  auto still = std::find_if(Formulas.begin(), Formulas.end(),
                            [&](const TStoredFormula& f) { return SameFormula(f, listed); });
  if (still == Formulas.end()) {
    Error = {
        "FormulaStore", TERMIX_TEXT("FormulaStore", "файл формул изменён другой программой"), {}};
    return TStoreResult::Changed;
  }
  IniFile->EraseSection(FormulaSection(listed.Section));
  IniFile->WriteInteger(GlobalSection, CountKey, static_cast<int>(Formulas.size()) - 1);
  return WriteFile();
}

} // namespace TABLESTRUCT
