#include "tables/TBasePTab.h"

#include "tables/TIniFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace TABLESTRUCT {

namespace {

const std::string GlobalSection = "Global";
const std::string CountKey = "PolCount";
const std::string NameKey = "PolName";
const std::string FormulaKey = "PolFormula";
const std::string NoName = "!"; // a section without a name holds no polynomial

// The named sections of the table file, read once per load or save.
struct SectionIndex {
  struct Entry {
    int K;
    std::string Name;
    bool Erased = false;
  };
  std::vector<Entry> Sections; // named sections, ascending index
  std::vector<char> Named = std::vector<char>(MaxFileSections, 0); // per index
  int Count = 0;

  explicit SectionIndex(const TIniFile& ini) {
    // Only the sections present can hold a name: look at those rather than at all 5000
    // possible section names.
    for (const std::string& section : ini.GetSectionNames()) {
      int k = NumberedSectionIndex(section, "polinom", MaxFileSections);
      if (k < 0) continue;
      std::string name = ini.ReadString(section, NameKey, NoName);
      if (name == NoName) continue;
      Sections.push_back({k, std::move(name)});
      Named[k] = 1;
      ++Count;
    }
    std::sort(Sections.begin(), Sections.end(),
              [](const Entry& a, const Entry& b) { return a.K < b.K; });
  }
};

// A key that reads back as itself from the file: not the empty-slot marker, valid UTF-8, on
// one line and without surrounding blanks (values are trimmed on reading). Keys typed by users
// always qualify; other keys are kept in the table but not written.
bool IsStorableKey(const std::string& key) {
  if (key == NoName || !IsValidUtf8(key)) return false;
  for (char c : key)
    if (c == '\r' || c == '\n' || c == '\0') return false;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return key.empty() || (!blank(key.front()) && !blank(key.back()));
}

} // namespace

std::string PolSectionName(int k) {
  return "Polinom" + std::to_string(k);
}

std::string ResolveTableFileName(const std::string& fileName) {
  if (fileName.empty()) return {};
  if (fileName.front() == '/') return fileName;
  std::string rel = fileName;
  std::replace(rel.begin(), rel.end(), '\\', '/');
  rel.erase(0, rel.find_first_not_of('/'));
  std::error_code ec;
  std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (ec) return rel;
  return (cwd / rel).string();
}

TBasePTab::TBasePTab(const std::string& fileName) {
  std::string path = ResolveTableFileName(fileName);
  if (!path.empty()) IniFile = std::make_unique<TIniFile>(path);
  SetRetCode(TabOK);
}

TBasePTab::~TBasePTab() = default;

TPolinom* TBasePTab::NoPolinom() {
  NoPol.DelList();
  SetRetCode(TabNoPos);
  return &NoPol;
}

std::string TBasePTab::GetFileName() const {
  return IniFile ? IniFile->GetFileName() : "";
}

std::string TBasePTab::GetFileError() const {
  return FileError;
}

void TBasePTab::TakeOwnFileNames(const TBasePTab& other) {
  if (IniFile && other.IniFile && IniFile->GetFileName() == other.IniFile->GetFileName())
    OwnFileNames = other.OwnFileNames;
}

bool TBasePTab::SaveHasName(const std::string& name, const TKeyPlaces& keys) {
  return keys.count(name) != 0;
}

bool TBasePTab::ReloadFile() {
  FileError.clear();
  if (!IniFile) {
    FileError = "у таблицы нет файла";
  } else if (!IniFile->Reload()) {
    FileError = IniFile->GetLastError();
  } else {
    return true;
  }
  SetRetCode(TabFileErr);
  return false;
}

void TBasePTab::LoadFromFile() {
  if (!ReloadFile()) return;
  // Every named section is loaded, in index order. "PolCount" is not trusted for this: in a
  // damaged file it may be missing, wrong or not a number, and every named section still
  // holds a polynomial.
  SectionIndex index(*IniFile);
  ClearTab();
  OwnFileNames.clear();
  BeginLoad();
  for (const auto& entry : index.Sections) {
    TPolinom pol;
    // A formula that does not parse leaves pol empty; the record is loaded all the same.
    pol.SetText(IniFile->ReadString(PolSectionName(entry.K), FormulaKey, NoName));
    LoadRecord(entry.Name, pol);
    if (GetRetCode() != TabOK) {
      EndLoad();
      SetRetCode(TabNoMem);
      return;
    }
    OwnFileNames.insert(entry.Name);
  }
  EndLoad();
  Reset();
  while (!IsTabEnded()) {
    if (TTabRecPol* rec = CurrentRecord()) rec->SetStored();
    GoNext();
  }
  SetRetCode(TabOK);
}

void TBasePTab::SaveToFile() {
  // Another table object may have written the file since: always start from what is on disk.
  // An unreadable file is never overwritten.
  if (!ReloadFile()) return;
  SectionIndex index(*IniFile);
  int count = index.Count;

  // Phase 1: erase the sections of names that this table loaded or wrote and that are no
  // longer in it. A name it never knew (the file was unreadable at the load, or another
  // program wrote it since) stays in the file.
  std::unordered_set<std::string> ownNames = OwnFileNames;
  TKeyPlaces keys;
  keys.reserve(static_cast<size_t>(GetDataCount()) * 2 + 1);
  Reset();
  while (!IsTabEnded()) {
    if (TTabRecPol* rec = CurrentRecord()) keys.emplace(rec->KeyRef(), GetChainPos());
    GoNext();
  }
  int remaining = count;
  std::vector<std::string> erasedNames;
  for (auto& entry : index.Sections) {
    if (SaveHasName(entry.Name, keys) || OwnFileNames.count(entry.Name) == 0) continue;
    erasedNames.push_back(entry.Name);
    IniFile->EraseSection(PolSectionName(entry.K));
    index.Named[entry.K] = 0;
    entry.Erased = true;
    --remaining;
  }
  if (remaining < count) {
    count = remaining;
    IniFile->WriteInteger(GlobalSection, CountKey, count);
  }

  // Phase 2: write the unstored records. A name already in the file keeps its section; a new
  // name gets the section after the last named one.
  // where: the first named section of each name; sameName: the next section of that name.
  std::unordered_map<std::string_view, int> where;
  where.reserve(static_cast<size_t>(count) * 2 + 1);
  std::vector<int> sameName(index.Sections.size(), -1);
  int lastNamed = -1;
  for (int i = static_cast<int>(index.Sections.size()) - 1; i >= 0; --i) {
    const auto& entry = index.Sections[i];
    if (entry.Erased) continue;
    auto [it, fresh] = where.emplace(entry.Name, i);
    if (!fresh) {
      sameName[i] = it->second;
      it->second = i;
    }
    lastNamed = std::max(lastNamed, entry.K);
  }
  for (const std::string& name : erasedNames)
    ownNames.erase(name);
  std::vector<TTabRecPol*> written;
  std::string badNames;
  int freeCursor = 0;
  bool full = false;
  Reset();
  while (!IsTabEnded()) {
    TTabRecPol* rec = CurrentRecord();
    auto found = rec ? where.find(rec->KeyRef()) : where.end();
    // A stored record whose section has gone (another program erased it) is written again.
    const bool toWrite = rec && (!rec->IsStored() || found == where.end());
    if (toWrite && !IsStorableKey(rec->KeyRef())) {
      if (!badNames.empty()) badNames += ", ";
      badNames += '"';
      badNames += DecodeProfileText(rec->KeyRef());
      badNames += '"';
    } else if (toWrite) {
      TPolinom* pol = rec->GetPolinomPtr();
      std::string text = pol->GetText();
      if (found != where.end()) {
        // Rewrite the formula in place, in every section that carries the name (a
        // hand-edited file may hold a name twice; the load takes the later one).
        for (int i = found->second; i >= 0; i = sameName[i]) {
          std::string section = PolSectionName(index.Sections[i].K);
          if (pol->IsEmpty()) {
            // A formula the reader cannot parse loads as the empty polynomial: keep that
            // text rather than overwrite it with an equal empty one.
            std::string old = IniFile->ReadString(section, FormulaKey, NoName);
            TPolinom probe;
            probe.SetText(old);
            if (probe.GetRetCode() != LISTSTRUCT::DataOK) continue;
          }
          IniFile->WriteString(section, FormulaKey, text);
        }
      } else {
        int k = lastNamed + 1;
        if (k >= MaxFileSections) {
          // The sections after the last name are used up: take the lowest free one.
          while (freeCursor < MaxFileSections && index.Named[freeCursor])
            ++freeCursor;
          k = freeCursor;
        }
        if (k >= MaxFileSections) {
          full = true;
          break;
        }
        index.Named[k] = 1;
        lastNamed = std::max(lastNamed, k);
        ++count;
        std::string section = PolSectionName(k);
        IniFile->WriteString(section, NameKey, rec->KeyRef());
        IniFile->WriteString(section, FormulaKey, text);
      }
      written.push_back(rec);
      ownNames.insert(rec->KeyRef());
    }
    GoNext();
  }
  // The count always states the named sections, also after an early stop.
  IniFile->WriteInteger(GlobalSection, CountKey, count);
  if (!IniFile->UpdateFile()) {
    FileError = IniFile->GetLastError();
    SetRetCode(TabFileErr);
    return;
  }
  for (TTabRecPol* rec : written)
    rec->SetStored();
  OwnFileNames = std::move(ownNames);
  if (full) {
    SetRetCode(TabFull);
  } else if (!badNames.empty()) {
    FileError = "названия, которые нельзя записать в файл: " + badNames;
    SetRetCode(TabBadName);
  } else {
    SetRetCode(TabOK);
  }
}

} // namespace TABLESTRUCT
