#pragma once
// Helpers shared by the table tests: polynomials from text, a scratch folder, file access.

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A fresh folder under the system's temporary folder (or under base) holding an empty IniSaves
// folder (no save makes folders), removed with its content at the end.
class ScratchDir {
public:
  explicit ScratchDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::string tmpl = (base / "termix-tab-XXXXXX").string();
    Path = mkdtemp(tmpl.data());
    std::filesystem::create_directory(std::filesystem::path(Path) / "IniSaves");
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

// Runs body while every file this process writes is limited to bytes, so that larger writes
// fail whoever runs the test; returns false when the limit could not be set.
inline bool WithFileSizeLimit(rlim_t bytes, const std::function<void()>& body) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit original{};
  getrlimit(RLIMIT_FSIZE, &original);
  rlimit limited = original;
  limited.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &limited) != 0) return false;
  body();
  setrlimit(RLIMIT_FSIZE, &original);
  return true;
}

// The unprivileged user that permission tests run as when the tests run as the superuser
// (whom permission bits do not stop): nobody.
inline uid_t OrdinaryUser() {
  const passwd* nobody = getpwnam("nobody");
  return geteuid() != 0 ? geteuid() : nobody ? nobody->pw_uid : 65534;
}
inline gid_t OrdinaryGroup() {
  const passwd* nobody = getpwnam("nobody");
  return geteuid() != 0 ? getegid() : nobody ? nobody->pw_gid : 65534;
}

// Runs body in a child process as the user uid (group gid) and returns its result; 100 when
// the child could not become that user, 101 when it did not end normally. The superuser can
// become anyone; others only themselves.
inline int RunAs(uid_t uid, gid_t gid, const std::function<int()>& body) {
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() != uid && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0))
      _exit(100);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

// Runs body(copy) for copy = 0 .. copies - 1, each in a child process of its own, all starting
// at one moment (as copies of the program saving at once); true when every one returned 0.
inline bool RunAtOnce(int copies, const std::function<int(int)>& body) {
  int start[2];
  if (pipe(start) != 0) return false;
  std::vector<pid_t> children;
  for (int c = 0; c < copies; ++c) {
    const pid_t child = fork();
    if (child < 0) break; // the copies started so far still run; the result says false
    if (child == 0) {
      close(start[1]);
      char go;
      if (read(start[0], &go, 1) != 0) _exit(2); // the pipe's closing is the start
      _exit(body(c));
    }
    children.push_back(child);
  }
  close(start[0]);
  close(start[1]);
  bool all = int(children.size()) == copies;
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return all;
}

} // namespace tabletest
