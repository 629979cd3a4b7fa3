#include "tables/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TABLESTRUCT {

namespace {

void SetError(std::string* error, const std::string& what, int err) {
  if (error) *error = what + ": " + std::strerror(err);
}

void SetError(std::string* error, const std::string& what) {
  if (error) *error = what;
}

// Temporary files are named after their target: "<name>.tmp<pid>-<counter>-<random>".
const char TempMark[] = ".tmp";

// A name for the temporary file next to the target that no other writer uses at the same time.
std::string TempName(const std::string& path) {
  static std::mt19937_64 gen{std::random_device{}()};
  static unsigned long counter = 0;
  return path + TempMark + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
         std::to_string(gen() % 1000000007ULL);
}

// The writer's process number when name is a temporary file of the file called base; 0 when
// it is not one.
long TempFileWriter(const std::string& name, const std::string& base) {
  const std::string prefix = base + TempMark;
  if (name.compare(0, prefix.size(), prefix) != 0) return 0;
  long pid = 0;
  int numbers = 0;
  size_t i = prefix.size();
  while (numbers < 3) {
    size_t start = i;
    long value = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - start < 18)
      value = value * 10 + (name[i++] - '0');
    if (i == start) return 0;
    if (numbers++ == 0) pid = value;
    if (numbers < 3) {
      if (i >= name.size() || name[i] != '-') return 0;
      ++i;
    }
  }
  return i == name.size() && pid > 0 && pid <= INT_MAX ? pid : 0;
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

// Flushes the folder's entry list, so that a rename in it is on disk. File systems that cannot
// flush a folder are not counted as failures.
bool SyncFolder(const std::string& folder, int& err) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    err = errno;
    return false;
  }
  bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS;
  err = errno;
  ::close(fd);
  return ok;
}

} // namespace

bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error) {
  namespace fs = std::filesystem;
  if (path.empty()) {
    SetError(error, "нет имени файла", EINVAL);
    return false;
  }
  std::string target;
  if (!ResolveLinks(path, target)) {
    SetError(error, "не удалось найти файл ссылки " + path, errno);
    return false;
  }
  std::error_code ec;
  const std::string folder = fs::path(target).parent_path().string();
  if (!folder.empty() && !fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec) {
      if (error) *error = "не удалось создать папку " + folder + ": " + ec.message();
      return false;
    }
  }

  // The file being replaced keeps its permission bits, group and owner, and its permissions
  // are honoured: the rename would otherwise replace a file its owner made read-only.
  struct stat old {};
  const bool hadFile = ::stat(target.c_str(), &old) == 0;
  const uid_t me = ::geteuid();
  if (hadFile) {
    if (S_ISDIR(old.st_mode)) {
      SetError(error, "не удалось заменить " + target, EISDIR);
      return false;
    }
    if (!S_ISREG(old.st_mode)) {
      SetError(error, "файл " + target + " не является обычным файлом");
      return false;
    }
    if (old.st_uid != me && me != 0) {
      SetError(error, "файл " + target + " принадлежит другому пользователю");
      return false;
    }
    // The superuser passes every permission check, so the bits are read directly for it.
    const bool writable =
        me == 0 ? (old.st_mode & (old.st_uid == 0 ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH))) != 0
                : ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
    if (!writable) {
      SetError(error, "файл " + target + " доступен только для чтения");
      return false;
    }
  }

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TempName(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    SetError(error, "не удалось создать временный файл рядом с " + target, errno);
    return false;
  }

  auto fail = [&](int err, const std::string& what) {
    ::close(fd);
    ::unlink(temp.c_str());
    SetError(error, what, err);
    return false;
  };
  if (hadFile) {
    if (old.st_uid != me) {
      if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        int err = errno;
        return fail(err, "не удалось сохранить владельца файла " + target);
      }
    } else if (old.st_gid != ::getegid()) {
      // Only a member of the group can keep it; otherwise the file takes the writer's group.
      [[maybe_unused]] int kept = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
      int err = errno;
      return fail(err, "не удалось установить права файла " + temp);
    }
  }
  if (!WriteAll(fd, bytes)) {
    int err = errno;
    return fail(err, "не удалось записать " + temp);
  }
  if (::fsync(fd) != 0) {
    int err = errno;
    return fail(err, "не удалось сбросить на диск " + temp);
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, "не удалось закрыть " + temp, err);
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, "не удалось заменить " + target, err);
    return false;
  }
  int err = 0;
  if (!SyncFolder(folder, err)) {
    SetError(error, "файл записан, но папку " + folder + " не удалось сбросить на диск", err);
    return false;
  }
  return true;
}

TReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            std::string* error) {
  bytes.clear();
  // Without blocking: opening a named pipe for reading would otherwise wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) return TReadResult::Missing;
    SetError(error, "не удалось прочитать " + path, err);
    return TReadResult::Failed;
  }
  auto fail = [&](const std::string& what) {
    ::close(fd);
    bytes.clear();
    SetError(error, what);
    return TReadResult::Failed;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    SetError(error, "не удалось прочитать " + path, err);
    return TReadResult::Failed;
  }
  if (S_ISDIR(st.st_mode)) return fail("на месте файла " + path + " находится папка");
  if (!S_ISREG(st.st_mode)) return fail("файл " + path + " не является обычным файлом");
  const std::string tooLarge =
      "файл " + path + " больше " + std::to_string(limit >> 20) + " МБ и не читается";
  if (static_cast<unsigned long long>(st.st_size) > limit) return fail(tooLarge);
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      bytes.clear();
      SetError(error, "не удалось прочитать " + path, err);
      return TReadResult::Failed;
    }
    if (n == 0) break;
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(n) > limit) return fail(tooLarge);
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return TReadResult::Read;
}

int removeStaleTempFiles(const std::string& path) {
  namespace fs = std::filesystem;
  std::string target;
  if (path.empty() || !ResolveLinks(path, target)) return 0;
  const fs::path file(target);
  const std::string base = file.filename().string();
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  int removed = 0;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const long pid = TempFileWriter(name, base);
    if (pid == 0) continue;
    // A temporary file of this process is stale too: its writes finish before they return.
    const bool gone =
        pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
    struct stat st {};
    if (gone && ::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::unlink(it->path().c_str()) == 0)
      ++removed;
  }
  return removed;
}

} // namespace TABLESTRUCT
