#pragma once
// Helpers shared by the table tests: polynomials from text, a scratch folder, file access.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

namespace tabletest {

inline LISTSTRUCT::TPolinom Pol(const std::string& text) {
  LISTSTRUCT::TPolinom p;
  p.SetText(text);
  return p;
}

inline std::string Text(LISTSTRUCT::TPolinom* p) {
  return p ? p->GetText() : "<null>";
}

// Keys of a table in its iteration order.
inline std::vector<std::string> Keys(TABLESTRUCT::TBasePTab& t) {
  std::vector<std::string> keys;
  t.Reset();
  while (!t.IsTabEnded()) {
    keys.push_back(t.GetKey(-1));
    t.GoNext();
  }
  return keys;
}

// A fresh folder under the system's temporary folder, removed with its content at the end.
class ScratchDir {
public:
  ScratchDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "termix-tab-XXXXXX").string();
    Path = mkdtemp(tmpl.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(Path, ec);
  }
  std::string File(const std::string& rel = "IniSaves/PolTable.ini") const {
    return (std::filesystem::path(Path) / rel).string();
  }
  std::string Path;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace tabletest
