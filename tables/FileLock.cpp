#include "tables/FileLock.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/TText.h"
#include "tables/AtomicFile.h"

namespace TABLESTRUCT {

namespace {

// The folder holding the file that path names, through symbolic links.
std::string LockedFolder(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path file(path);
  for (int hops = 0; hops < 40 && fs::is_symlink(file, ec); ++hops) {
    fs::path next = fs::read_symlink(file, ec);
    if (ec) break;
    file = next.is_relative() ? file.parent_path() / next : next;
  }
  const std::string folder = file.parent_path().string();
  return folder.empty() ? "." : folder;
}

} // namespace

TFolderLock::TFolderLock(const std::string& filePath, int waitMilliseconds) {
  const std::string folder = LockedFolder(filePath);
  Fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) {
    Error = DSTRUCT::Because(
        {"FileLock", TERMIX_TEXT("FileLock", "не удалось открыть папку %1"), {folder}},
        FileErrorReason(errno));
    return;
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) {
      Held = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      Held = true; // no locks on this file system
      return;
    }
    if (std::chrono::steady_clock::now() >= until) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  Error = {
      "FileLock", TERMIX_TEXT("FileLock", "папка %1 занята другой копией программы"), {folder}};
}

TFolderLock::~TFolderLock() {
  if (Fd >= 0) ::close(Fd); // releases the lock
}

TInstanceLock::TInstanceLock(const std::string& lockFile) {
  Fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (Fd < 0) Fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (Fd < 0) return;
  if (::flock(Fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    State = TState::HeldByOther;
    ::close(Fd);
    Fd = -1;
    return;
  }
  State = TState::Held;
}

TInstanceLock::~TInstanceLock() {
  if (Fd >= 0) ::close(Fd);
}

} // namespace TABLESTRUCT
