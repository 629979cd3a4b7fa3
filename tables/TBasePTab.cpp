#include "tables/TBasePTab.h"

#include "tables/FileLock.h"
#include "tables/TIniFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>
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

// A value as the profile file reads it back: without surrounding blanks (a text that begins
// with a minus, " - X", is read as "- X").
std::string_view Trimmed(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string AsReadBack(std::string text) {
  const std::string_view trimmed = Trimmed(text);
  return trimmed.size() == text.size() ? text : std::string(trimmed);
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
  return FileError.Text();
}

void TBasePTab::TakeOwnFileNames(const TBasePTab& other) {
  if (IniFile && other.IniFile && IniFile->GetFileName() == other.IniFile->GetFileName())
    FileTexts = other.FileTexts;
}

std::vector<DSTRUCT::TText> TFileMerge::Notices() const {
  const struct {
    const std::vector<std::string>& Names;
    const char* One;  // the pattern for one name
    const char* Many; // for several, listed
  } kinds[] = {
      {LeftTable,
       TERMIX_TEXT("TableFile", "Полином %1 удалён или переименован другой копией программы"),
       TERMIX_TEXT("TableFile", "Полиномы %1 удалены или переименованы другой копией программы")},
      {Conflicted,
       TERMIX_TEXT("TableFile",
                   "Полином %1 изменён и другой копией программы: сохранён вариант этой копии"),
       TERMIX_TEXT("TableFile", "Полиномы %1 изменены и другой копией программы: сохранены "
                                "варианты этой копии")}};
  std::vector<DSTRUCT::TText> notices;
  for (const auto& kind : kinds) {
    if (kind.Names.empty()) continue;
    std::string list;
    for (const std::string& name : kind.Names)
      list += (list.empty() ? "" : ", ") + name;
    notices.push_back({"TableFile", kind.Names.size() == 1 ? kind.One : kind.Many, {list}});
  }
  return notices;
}

bool TBasePTab::SaveHasName(const std::string& name, const TKeyPlaces& keys) {
  return keys.count(name) != 0;
}

bool TBasePTab::ReloadFile() {
  FileError = {};
  if (!IniFile) {
    FileError = {"TableFile", TERMIX_TEXT("TableFile", "у таблицы нет файла"), {}};
  } else if (!IniFile->Reload()) {
    FileError = IniFile->GetLastReason();
  } else {
    return true;
  }
  SetRetCode(TabFileErr);
  return false;
}

void TBasePTab::LoadFromFile() {
  LastMerge = {};
  if (!ReloadFile()) return;
  // Every named section is loaded, in index order. "PolCount" is not trusted for this: in a
  // damaged file it may be missing, wrong or not a number, and every named section still
  // holds a polynomial.
  SectionIndex index(*IniFile);
  ClearTab();
  FileTexts.clear();
  BeginLoad();
  for (const auto& entry : index.Sections) {
    TPolinom pol;
    std::string formula = IniFile->ReadString(PolSectionName(entry.K), FormulaKey, NoName);
    // A formula that does not parse leaves pol empty; the record is loaded all the same.
    pol.SetText(formula);
    LoadRecord(entry.Name, pol);
    if (GetRetCode() != TabOK) {
      EndLoad();
      SetRetCode(TabNoMem);
      return;
    }
    FileTexts[entry.Name] =
        AsReadBack(std::move(formula)); // a later section of the name wins, as here
  }
  EndLoad();
  Reset();
  while (!IsTabEnded()) {
    if (TTabRecPol* rec = CurrentRecord()) rec->SetStored();
    GoNext();
  }
  SetRetCode(TabOK);
}

// One save: the file's named sections, where each name stands, and what the save did.
struct TBasePTab::TSaveRun {
  explicit TSaveRun(const TIniFile& ini) : Index(ini), Count(Index.Count) {}

  SectionIndex Index;
  int Count; // named sections
  TKeyPlaces Keys;
  // The first named section of each name (an index into Index.Sections), and for each section
  // the next one of the same name (-1 after the last): a hand-edited file may repeat a name.
  std::unordered_map<std::string_view, int> Where;
  std::vector<int> SameName;
  int LastNamed = -1;
  int FreeCursor = 0;
  bool Full = false;
  std::string BadNames;
  std::unordered_map<std::string, std::string> Texts; // FileTexts as they are after this save
  std::vector<TTabRecPol*> Written;                   // records whose text the file now holds
  std::vector<std::string> Gone; // records erased by another copy: they leave the table
  TFileMerge Merge;

  // The formula of the section the load takes for the name at Sections[first]: its last one.
  std::string FileText(const TIniFile& ini, int first) const {
    int last = first;
    while (SameName[last] >= 0)
      last = SameName[last];
    return AsReadBack(ini.ReadString(PolSectionName(Index.Sections[last].K), FormulaKey, NoName));
  }
};

void TBasePTab::SaveToFile() {
  LastMerge = {};
  if (!IniFile) {
    ReloadFile(); // the code and reason of a table without a file
    return;
  }
  // Another copy saving at the same moment waits for this read-merge-write, and this one for
  // it: each reads what the other wrote.
  TFolderLock lock(IniFile->GetFileName());
  if (!lock.IsHeld()) {
    FileError = lock.GetError();
    SetRetCode(TabFileErr);
    return;
  }
  // Another table object may have written the file since: always start from what is on disk.
  // An unreadable file is never overwritten.
  if (!ReloadFile()) return;
  TSaveRun run(*IniFile);
  run.Texts = FileTexts;
  run.Keys.reserve(static_cast<size_t>(GetDataCount()) * 2 + 1);
  Reset();
  while (!IsTabEnded()) {
    if (TTabRecPol* rec = CurrentRecord()) run.Keys.emplace(rec->KeyRef(), GetChainPos());
    GoNext();
  }
  EraseLeftNames(run);
  WriteRecords(run);
  // The count always states the named sections, also after an early stop.
  IniFile->WriteInteger(GlobalSection, CountKey, run.Count);
  if (!IniFile->UpdateFile()) {
    FileError = IniFile->GetLastReason();
    SetRetCode(TabFileErr);
    return;
  }
  FinishSave(run);
}

void TBasePTab::EraseLeftNames(TSaveRun& run) {
  // Phase 1: erase the sections of names that this table loaded or wrote and that are no
  // longer in it. A name it never knew (the file was unreadable at the load, or another
  // program wrote it since) stays in the file.
  const int count = run.Count;
  // Per erased name: does one of its sections hold the text this table knows? If none does,
  // another copy changed what this one deleted, and the deletion is this copy's version.
  std::unordered_map<std::string_view, bool> erased;
  for (auto& entry : run.Index.Sections) {
    if (SaveHasName(entry.Name, run.Keys)) continue;
    auto known = run.Texts.find(entry.Name);
    if (known == run.Texts.end()) continue;
    const std::string section = PolSectionName(entry.K);
    bool& same = erased[entry.Name];
    same = same || Trimmed(IniFile->ReadString(section, FormulaKey, NoName)) == known->second;
    IniFile->EraseSection(section);
    run.Index.Named[entry.K] = 0;
    entry.Erased = true;
    --run.Count;
  }
  for (const auto& entry : run.Index.Sections) {
    auto name = erased.find(entry.Name);
    if (name == erased.end()) continue;
    if (!name->second) run.Merge.Conflicted.push_back(entry.Name);
    erased.erase(name); // once per name
    run.Texts.erase(entry.Name);
  }
  if (run.Count < count) IniFile->WriteInteger(GlobalSection, CountKey, run.Count);

  run.Where.reserve(static_cast<size_t>(run.Count) * 2 + 1);
  run.SameName.assign(run.Index.Sections.size(), -1);
  for (int i = static_cast<int>(run.Index.Sections.size()) - 1; i >= 0; --i) {
    const auto& entry = run.Index.Sections[static_cast<size_t>(i)];
    if (entry.Erased) continue;
    auto [it, fresh] = run.Where.emplace(entry.Name, i);
    if (!fresh) {
      run.SameName[static_cast<size_t>(i)] = it->second;
      it->second = i;
    }
    run.LastNamed = std::max(run.LastNamed, entry.K);
  }
}

bool TBasePTab::UnchangedSinceKnown(TTabRecPol& rec, const std::string* known, std::string& text) {
  if (rec.IsStored()) return true;
  if (!known) return false;
  // A copy (an organisation switch, a hash resize) leaves every record unstored: compare.
  text = rec.GetPolinomPtr()->GetExactText();
  if (Trimmed(text) == *known) return true;
  TPolinom read; // a hand-written or older text of the same polynomial
  read.SetText(*known);
  return read.GetExactText() == text;
}

void TBasePTab::WriteRecords(TSaveRun& run) {
  // Phase 2: write the records changed here. A name already in the file keeps its section; a
  // new name gets the section after the last named one.
  Reset();
  for (; !IsTabEnded() && !run.Full; GoNext()) {
    TTabRecPol* rec = CurrentRecord();
    if (!rec) continue;
    const std::string& key = rec->KeyRef();
    const auto where = run.Where.find(key);
    const int found = where == run.Where.end() ? -1 : where->second;
    const auto knownAt = run.Texts.find(key);
    const std::string* known = knownAt == run.Texts.end() ? nullptr : &knownAt->second;
    std::string text;
    if (UnchangedSinceKnown(*rec, known, text)) {
      if (found < 0 && known) {
        run.Gone.push_back(key); // another copy erased or renamed it
      } else if (found >= 0 && !rec->IsStored() && known &&
                 run.FileText(*IniFile, found) == *known) {
        run.Written.push_back(rec); // the file holds it as it is
      }
      if (found >= 0 || known) continue;
    }
    if (!IsStorableKey(key)) {
      if (!run.BadNames.empty()) run.BadNames += ", ";
      run.BadNames += '"' + DecodeProfileText(key) + '"';
      continue;
    }
    if (text.empty()) text = rec->GetPolinomPtr()->GetExactText();
    // Both copies changed it: another copy erased it, gave it another text, or made it anew.
    if (found >= 0 ? (!known || run.FileText(*IniFile, found) != *known) : known != nullptr)
      run.Merge.Conflicted.push_back(key);
    WriteRecord(run, *rec, text, found);
  }
}

void TBasePTab::WriteRecord(TSaveRun& run, TTabRecPol& rec, const std::string& text, int found) {
  TPolinom* pol = rec.GetPolinomPtr();
  if (found >= 0) {
    // Rewrite the formula in place, in every section that carries the name (a hand-edited
    // file may hold a name twice; the load takes the later one).
    for (int i = found; i >= 0; i = run.SameName[static_cast<size_t>(i)]) {
      const std::string section = PolSectionName(run.Index.Sections[static_cast<size_t>(i)].K);
      if (pol->IsEmpty()) {
        // A formula the reader cannot parse loads as the empty polynomial: keep that text
        // rather than overwrite it with an equal empty one.
        TPolinom probe;
        probe.SetText(IniFile->ReadString(section, FormulaKey, NoName));
        if (probe.GetRetCode() != LISTSTRUCT::DataOK) continue;
      }
      IniFile->WriteString(section, FormulaKey, text);
    }
  } else {
    int k = run.LastNamed + 1;
    if (k >= MaxFileSections) {
      // The sections after the last name are used up: take the lowest free one.
      while (run.FreeCursor < MaxFileSections && run.Index.Named[run.FreeCursor])
        ++run.FreeCursor;
      k = run.FreeCursor;
    }
    if (k >= MaxFileSections) {
      run.Full = true;
      return;
    }
    run.Index.Named[k] = 1;
    run.LastNamed = std::max(run.LastNamed, k);
    ++run.Count;
    const std::string section = PolSectionName(k);
    IniFile->WriteString(section, NameKey, rec.KeyRef());
    IniFile->WriteString(section, FormulaKey, text);
  }
  run.Written.push_back(&rec);
  run.Texts[rec.KeyRef()] = AsReadBack(text);
}

void TBasePTab::FinishSave(TSaveRun& run) {
  for (TTabRecPol* rec : run.Written)
    rec->SetStored();
  {
    // Taking the records that another copy erased out of this table is no table operation
    // the user made: it counts nothing and is not observed.
    TObserverPause pause(*this);
    const int efficiency = Efficiency;
    for (const std::string& key : run.Gone) {
      DelRecord(key);
      run.Texts.erase(key);
    }
    Efficiency = efficiency;
  }
  run.Merge.LeftTable = std::move(run.Gone);
  FileTexts = std::move(run.Texts);
  LastMerge = std::move(run.Merge);
  if (run.Full) {
    SetRetCode(TabFull);
  } else if (!run.BadNames.empty()) {
    FileError = {"TableFile",
                 TERMIX_TEXT("TableFile", "названия, которые нельзя записать в файл: %1"),
                 {run.BadNames}};
    SetRetCode(TabBadName);
  } else {
    SetRetCode(TabOK);
  }
}

} // namespace TABLESTRUCT
