// Arbitrary bytes as the table file: every organisation loads it and saves it; the saved file
// must load again to the same table, and a table copied into another organisation (so every
// record is written anew) must survive its save and reload too.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "tables/CopyTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;

namespace {

std::string FilePath() {
  static const std::string path = [] {
    // A memory-backed folder when there is one: every save flushes the file to its disk.
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "termix-fuzz-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    return tmpl + "/IniSaves/PolTable.ini";
  }();
  return path;
}

std::unique_ptr<TBasePTab> Make(int org, const std::string& path) {
  if (org == 0) return std::make_unique<TPolScanTab>(path);
  if (org == 1) return std::make_unique<TPolSortTab>(path);
  return std::make_unique<TPolHashTab>(org == 2 ? 10 : 1, path);
}

std::map<std::string, std::string> Content(TBasePTab& t) {
  std::map<std::string, std::string> content;
  int visited = 0;
  for (t.Reset(); !t.IsTabEnded(); t.GoNext()) {
    ++visited;
    if (!content.emplace(t.GetKey(-1), t.GetPolinom(-1)->GetText()).second) std::abort();
  }
  if (visited != t.GetDataCount()) std::abort();
  return content;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FilePath();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (int org = 0; org < 4; ++org) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    auto table = Make(org, path);
    table->LoadTab();
    int loadCode = table->GetRetCode();
    Check(loadCode == TabOK || loadCode == TabNoMem);
    auto loaded = Content(*table);

    table->SaveTab();
    Check(table->GetRetCode() == TabOK);
    auto again = Make(0, path);
    again->LoadTab();
    Check(again->GetRetCode() == TabOK);
    if (loadCode == TabOK) Check(Content(*again) == loaded);

    // Every record unstored: the save rewrites each formula; the file must read back the same.
    auto other = Make((org + 1) % 4, path);
    CopyTab(other.get(), table.get());
    auto copied = Content(*other);
    other->SaveTab();
    Check(other->GetRetCode() == TabOK);
    auto reread = Make(0, path);
    reread->LoadTab();
    Check(reread->GetRetCode() == TabOK);
    if (copied.size() < static_cast<size_t>(MaxSortRecords)) Check(Content(*reread) == copied);
  }
  return 0;
}
