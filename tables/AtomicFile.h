#pragma once
// File access that never loses what is on disk.
//
// Writing replaces the whole file: the bytes go to a temporary file beside the target, are
// flushed to disk, the temporary file is renamed over the target and the folder is flushed
// too, so that the new file survives a power cut. A failed write leaves the previous file
// untouched. Reading opens regular files only, without blocking and up to a size limit, so a
// pipe or a device in the file's place cannot hang the program.

#include <cstddef>
#include <string>
#include <string_view>

namespace TABLESTRUCT {

// No profile file the program writes comes near this size; a larger one is not read.
inline constexpr std::size_t MaxProfileFileSize = 256u << 20;

// Writes bytes as the whole content of path. A missing parent folder is created first. When
// path is a symbolic link, the file it points to is replaced (beside itself) and the link
// stays. The file keeps its permission bits (a new file gets 0666 less the umask), its group
// where the writer may keep it, and its owner. A file that its permission bits make read-only
// for the writer, or one that belongs to another user (which only the superuser can keep),
// is refused. Returns true on success; on failure returns false, removes the temporary file
// and, when error is given, stores a short description of what failed there.
bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

enum class TReadResult { Read, Missing, Failed };
// Reads the whole regular file path (through symbolic links) into bytes. Missing: there is no
// such file. Failed: it cannot be read, is no regular file, or holds more than limit bytes;
// error then tells why.
TReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            std::string* error = nullptr);

// Removes the temporary files that atomicWriteFile made beside path and whose writer is no
// longer running (a writer killed during a save leaves one). Returns how many were removed.
int removeStaleTempFiles(const std::string& path);

} // namespace TABLESTRUCT
