#include "tables/AtomicFile.h"

#include <cerrno>
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

// A name for the temporary file next to the target that no other writer uses at the same time.
std::string TempName(const std::string& path) {
  static std::mt19937_64 gen{std::random_device{}()};
  static unsigned long counter = 0;
  return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
         std::to_string(gen() % 1000000007ULL);
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

} // namespace

bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error) {
  namespace fs = std::filesystem;
  if (path.empty()) {
    SetError(error, "no file name", EINVAL);
    return false;
  }
  std::error_code ec;
  fs::path target(path);
  fs::path folder = target.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec) {
      if (error) *error = "cannot create folder " + folder.string() + ": " + ec.message();
      return false;
    }
  }

  // Keep the permission bits of the file being replaced.
  struct stat old {};
  bool hadFile = ::stat(path.c_str(), &old) == 0;
  if (hadFile && S_ISDIR(old.st_mode)) {
    SetError(error, "cannot replace " + path, EISDIR);
    return false;
  }

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TempName(path);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    SetError(error, "cannot create a temporary file beside " + path, errno);
    return false;
  }

  auto fail = [&](int err, const std::string& what) {
    ::close(fd);
    ::unlink(temp.c_str());
    SetError(error, what, err);
    return false;
  };
  if (hadFile && ::fchmod(fd, old.st_mode & 07777) != 0) {
    int err = errno;
    return fail(err, "cannot set permissions of " + temp);
  }
  if (!WriteAll(fd, bytes)) {
    int err = errno;
    return fail(err, "cannot write " + temp);
  }
  if (::fsync(fd) != 0) {
    int err = errno;
    return fail(err, "cannot flush " + temp);
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, "cannot close " + temp, err);
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    SetError(error, "cannot replace " + path, err);
    return false;
  }
  return true;
}

} // namespace TABLESTRUCT
