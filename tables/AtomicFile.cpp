#include "tables/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/TText.h"

namespace TABLESTRUCT {

namespace {

using DSTRUCT::TText;

// "what: why", what being a pattern with the file's name as %1.
void SetError(TText* error, const char* what, const std::string& file, int err) {
  if (error) *error = DSTRUCT::Because({"AtomicFile", what, {file}}, FileErrorReason(err));
}

void SetError(TText* error, const char* what, const std::string& file) {
  if (error) *error = {"AtomicFile", what, {file}};
}

// Temporary files are named after their target: "<name>.tmp<pid>-<start>-<random>".
const char TempMark[] = ".tmp";

// The start time of process pid in clock ticks after boot (field 22 of /proc/<pid>/stat), 0
// when it cannot be read. With the process number it names one process for good: a number
// used again belongs to a process that started later.
unsigned long long ProcessStartTime(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return 0;
  // The command name in brackets may hold blanks and brackets itself: count after the last.
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  size_t at = close + 2; // field 3
  for (int field = 3; field < 22 && at < line.size(); ++field) {
    at = line.find(' ', at);
    if (at == std::string::npos) return 0;
    ++at;
  }
  unsigned long long start = 0;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at)
    start = start * 10 + static_cast<unsigned>(line[at] - '0');
  return start;
}

// A name for the temporary file next to the target that no other writer uses at the same time.
std::string TempName(const std::string& path) {
  static std::mt19937_64 gen{std::random_device{}()};
  static const unsigned long long start = ProcessStartTime(::getpid());
  return path + TempMark + std::to_string(::getpid()) + "-" + std::to_string(start) + "-" +
         std::to_string(gen() % 1000000007ULL);
}

// The writer named by a temporary file's name: process number and start time.
struct TTempWriter {
  long Pid = 0;
  unsigned long long Start = 0;
};

// The writer when name is a temporary file name of atomicWriteFile ("….tmp<n>-<n>-<n>" after a
// name of at least one character); false for any other name.
bool TempFileWriter(const std::string& name, TTempWriter& writer) {
  const size_t mark = name.rfind(TempMark);
  if (mark == std::string::npos || mark == 0) return false;
  unsigned long long numbers[3] = {0, 0, 0};
  size_t i = mark + sizeof TempMark - 1;
  for (int k = 0; k < 3; ++k) {
    const size_t start = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - start < 19)
      numbers[k] = numbers[k] * 10 + static_cast<unsigned>(name[i++] - '0');
    if (i == start) return false;
    if (k < 2 && (i >= name.size() || name[i++] != '-')) return false;
  }
  if (i != name.size() || numbers[0] == 0 || numbers[0] > INT_MAX) return false;
  writer = {static_cast<long>(numbers[0]), numbers[1]};
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// The file that path names: through every symbolic link to the file it points to (which need
// not exist yet). False, with errno set, for a loop of links.
bool ResolveLinks(const std::string& path, std::string& target) {
  namespace fs = std::filesystem;
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = p;
      return true;
    }
    std::string link(PATH_MAX, '\0');
    ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
    if (n < 0) return false;
    link.resize(static_cast<size_t>(n));
    fs::path next(link);
    if (next.is_relative()) next = fs::path(p).parent_path() / next;
    p = next.string();
  }
  errno = ELOOP;
  return false;
}

std::string FolderOf(const std::string& file) {
  const std::string folder = std::filesystem::path(file).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Flushes the folder's entry list, so that a rename in it is on disk. File systems that cannot
// flush a folder are not counted as failures.
bool SyncFolder(const std::string& folder, int& err) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    err = errno;
    return false;
  }
  bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS;
  err = errno;
  ::close(fd);
  return ok;
}

// Checks that target may be replaced: an existing folder holds it, and a file already there is
// a regular file of this user (the superuser may keep another's) that its permission bits let
// this user write. The superuser passes every permission check, so the bits are read directly
// for it. old receives the file's state; hadFile tells whether there was one.
bool CheckReplaceable(const std::string& target, struct stat& old, bool& hadFile, TText* error) {
  struct stat folder {};
  const std::string folderName = FolderOf(target);
  if (::stat(folderName.c_str(), &folder) != 0) {
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось записать %1"), target, errno);
    return false;
  }
  if (!S_ISDIR(folder.st_mode)) {
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось записать %1"), target, ENOTDIR);
    return false;
  }
  hadFile = ::stat(target.c_str(), &old) == 0;
  if (!hadFile) return true;
  const uid_t me = ::geteuid();
  if (S_ISDIR(old.st_mode)) {
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось заменить %1"), target, EISDIR);
    return false;
  }
  if (!S_ISREG(old.st_mode)) {
    SetError(error, TERMIX_TEXT("AtomicFile", "файл %1 не является обычным файлом"), target);
    return false;
  }
  if (old.st_uid != me && me != 0) {
    SetError(error, TERMIX_TEXT("AtomicFile", "файл %1 принадлежит другому пользователю"), target);
    return false;
  }
  const bool writable =
      me == 0 ? (old.st_mode & (old.st_uid == 0 ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH))) != 0
              : ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
  if (!writable) {
    SetError(error, TERMIX_TEXT("AtomicFile", "файл %1 доступен только для чтения"), target);
    return false;
  }
  return true;
}

// Creates the temporary file beside target and takes its lock, which tells sweepers that its
// writer is alive. -1 when it cannot be made (errno set).
int CreateTemp(const std::string& target, std::string& temp) {
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TempName(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && errno != EEXIST) return -1;
  }
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB); // a file system without locks is no failure
  return fd;
}

// Gives the temporary file the replaced file's permission bits, group and owner.
bool KeepOwnership(int fd, const struct stat& old, const std::string& target,
                   const std::string& temp, TText* error) {
  if (old.st_uid != ::geteuid()) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      SetError(error, TERMIX_TEXT("AtomicFile", "не удалось сохранить владельца файла %1"), target,
               errno);
      return false;
    }
  } else if (old.st_gid != ::getegid()) {
    // Only a member of the group can keep it; otherwise the file takes the writer's group.
    [[maybe_unused]] int kept = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  if (::fchmod(fd, old.st_mode & 07777) != 0) {
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось установить права файла %1"), temp, errno);
    return false;
  }
  return true;
}

// Writes and flushes the temporary file and renames it over target; the temporary file is
// gone afterwards whatever happened.
bool WriteAndReplace(int fd, const std::string& temp, const std::string& target,
                     std::string_view bytes, TText* error) {
  const char* failed = nullptr;
  int err = 0;
  if (!WriteAll(fd, bytes))
    failed = TERMIX_TEXT("AtomicFile", "не удалось записать %1");
  else if (::fsync(fd) != 0)
    failed = TERMIX_TEXT("AtomicFile", "не удалось сбросить на диск %1");
  if (failed) err = errno;
  if (::close(fd) != 0 && !failed) {
    err = errno;
    failed = TERMIX_TEXT("AtomicFile", "не удалось записать %1");
  }
  if (!failed && ::rename(temp.c_str(), target.c_str()) == 0) return true;
  if (!failed) {
    err = errno;
    failed = TERMIX_TEXT("AtomicFile", "не удалось заменить %1");
  }
  ::unlink(temp.c_str());
  SetError(error, failed, target, err);
  return false;
}

// Is the temporary file at path stale? Its lock is taken to find out (and so kept from a
// writer that is starting, until it is removed); fd receives the open file, to be closed after
// the removal.
bool IsStaleTemp(const std::string& path, const TTempWriter& writer, int& fd) {
  fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
      (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK))
    return false; // not this user's, or its writer holds it
  // Between creating the file and locking it a writer holds no lock yet: a running process
  // with the name's number and start time is that writer. This process's own files are
  // locked while they are written.
  if (writer.Pid == ::getpid()) return true;
  const unsigned long long start = ProcessStartTime(writer.Pid);
  return start == 0 || start != writer.Start;
}

} // namespace

TText FileErrorReason(int err) {
  auto reason = [](const char* text) { return TText{"AtomicFile", text, {}}; };
  switch (err) {
  case ENOSPC:
    return reason(TERMIX_TEXT("AtomicFile", "Недостаточно места на диске"));
  case EDQUOT:
    return reason(TERMIX_TEXT("AtomicFile", "Превышена дисковая квота"));
  case EFBIG:
    return reason(TERMIX_TEXT("AtomicFile", "Файл слишком велик"));
  case EACCES:
  case EPERM:
    return reason(TERMIX_TEXT("AtomicFile", "Нет прав доступа"));
  case EROFS:
    return reason(TERMIX_TEXT("AtomicFile", "Диск доступен только для чтения"));
  case ENOENT:
    return reason(TERMIX_TEXT("AtomicFile", "Папка не существует"));
  case ENOTDIR:
    return reason(TERMIX_TEXT("AtomicFile", "Путь к папке проходит через файл"));
  case EISDIR:
    return reason(TERMIX_TEXT("AtomicFile", "На месте файла находится папка"));
  case ENAMETOOLONG:
    return reason(TERMIX_TEXT("AtomicFile", "Слишком длинное имя файла"));
  case ELOOP:
    return reason(TERMIX_TEXT("AtomicFile", "Символические ссылки образуют круг"));
  case EIO:
    return reason(TERMIX_TEXT("AtomicFile", "Ошибка ввода-вывода"));
  default: // the system's own text, which no translation knows
    return {"", "%1", {std::strerror(err)}};
  }
}

TText FolderWriteReason(const std::string& folder) {
  auto problem = [&folder](const char* what, int err) {
    return DSTRUCT::Because(
        {"AtomicFile", what, {folder}},
        err == EACCES
            ? TText{"AtomicFile", TERMIX_TEXT("AtomicFile", "Папка только для чтения"), {}}
            : FileErrorReason(err));
  };
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    const int err = errno;
    // A missing folder could not be made where its nearest existing ancestor refuses entries.
    std::filesystem::path ancestor = std::filesystem::path(folder).parent_path();
    while (!ancestor.empty() && ancestor != ancestor.root_path() &&
           ::stat(ancestor.c_str(), &st) != 0)
      ancestor = ancestor.parent_path();
    const std::string existing = ancestor.empty() ? "." : ancestor.string();
    if (err == ENOENT && ::faccessat(AT_FDCWD, existing.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
      return problem(TERMIX_TEXT("AtomicFile", "папка %1 не создана"), errno);
    return problem(TERMIX_TEXT("AtomicFile", "папка %1 недоступна"), err);
  }
  if (!S_ISDIR(st.st_mode))
    return problem(TERMIX_TEXT("AtomicFile", "папка %1 недоступна"), ENOTDIR);
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    return problem(TERMIX_TEXT("AtomicFile", "папка %1 недоступна для записи"), errno);
  return {};
}

std::string FolderWriteProblem(const std::string& folder) {
  return FolderWriteReason(folder).Text();
}

bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error) {
  TText reason;
  const bool written = atomicWriteFile(path, bytes, error ? &reason : nullptr);
  if (error) *error = reason.Text();
  return written;
}

bool atomicWriteFile(const std::string& path, std::string_view bytes, TText* error) {
  if (path.empty()) {
    if (error) *error = {"AtomicFile", TERMIX_TEXT("AtomicFile", "нет имени файла"), {}};
    return false;
  }
  std::string target;
  if (!ResolveLinks(path, target)) {
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось найти файл ссылки %1"), path, errno);
    return false;
  }
  struct stat old {};
  bool hadFile = false;
  if (!CheckReplaceable(target, old, hadFile, error)) return false;
  removeStaleTempFiles(FolderOf(target));

  std::string temp;
  const int fd = CreateTemp(target, temp);
  if (fd < 0) {
    const int err = errno;
    // Where the file itself was found writable, a refused new entry means the folder's bits.
    if (error && (err == EACCES || err == EPERM))
      *error = DSTRUCT::Because(
          {"AtomicFile", TERMIX_TEXT("AtomicFile", "не удалось записать %1"), {target}},
          {"AtomicFile", TERMIX_TEXT("AtomicFile", "Папка только для чтения"), {}});
    else
      SetError(error, TERMIX_TEXT("AtomicFile", "не удалось записать %1"), target, err);
    return false;
  }
  if (hadFile && !KeepOwnership(fd, old, target, temp, error)) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  if (!WriteAndReplace(fd, temp, target, bytes, error)) return false;
  int err = 0;
  if (!SyncFolder(FolderOf(target), err)) {
    SetError(error,
             TERMIX_TEXT("AtomicFile", "файл %1 записан, но папку не удалось сбросить на диск"),
             target, err);
    return false;
  }
  return true;
}

TReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            TText* error) {
  bytes.clear();
  // Without blocking: opening a named pipe for reading would otherwise wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) return TReadResult::Missing;
    SetError(error, TERMIX_TEXT("AtomicFile", "не удалось прочитать %1"), path, err);
    return TReadResult::Failed;
  }
  auto fail = [&](const char* what, int err) {
    ::close(fd);
    bytes.clear();
    if (err != 0)
      SetError(error, what, path, err);
    else if (error)
      *error = {"AtomicFile", what, {path, std::to_string(limit >> 20)}};
    return TReadResult::Failed;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0)
    return fail(TERMIX_TEXT("AtomicFile", "не удалось прочитать %1"), errno);
  if (S_ISDIR(st.st_mode))
    return fail(TERMIX_TEXT("AtomicFile", "на месте файла %1 находится папка"), 0);
  if (!S_ISREG(st.st_mode))
    return fail(TERMIX_TEXT("AtomicFile", "файл %1 не является обычным файлом"), 0);
  const char* tooLarge = TERMIX_TEXT("AtomicFile", "файл %1 больше %2 МБ и не читается");
  if (static_cast<unsigned long long>(st.st_size) > limit) return fail(tooLarge, 0);
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(TERMIX_TEXT("AtomicFile", "не удалось прочитать %1"), errno);
    }
    if (n == 0) break;
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(n) > limit) return fail(tooLarge, 0);
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return TReadResult::Read;
}

int removeStaleTempFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  int removed = 0;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    TTempWriter writer;
    if (!TempFileWriter(it->path().filename().string(), writer)) continue;
    int fd = -1;
    if (IsStaleTemp(it->path().string(), writer, fd) && ::unlink(it->path().c_str()) == 0)
      ++removed;
    if (fd >= 0) ::close(fd);
  }
  return removed;
}

} // namespace TABLESTRUCT
