#pragma once
// File access that never loses what is on disk. Every file the program writes goes through
// atomicWriteFile: the table and formula files, pictures, charts' points, meshes.
//
// Writing replaces the whole file: the bytes go to a temporary file beside the target, are
// flushed to disk, the temporary file is renamed over the target and the folder is flushed
// too, so that the new file survives a power cut. A failed write leaves the previous file
// untouched. Reading opens regular files only, without blocking and up to a size limit, so a
// pipe or a device in the file's place cannot hang the program.
//
// A writer holds an advisory lock on its temporary file from its creation to its rename, and
// names it after the target, its process number and that process's start time
// ("<name>.tmp<pid>-<start>-<random>"). A temporary file is stale when no process holds its
// lock and no running process has that number and start time: its writer was killed.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/TText.h"

namespace TABLESTRUCT {

// No profile file the program writes comes near this size; a larger one is not read.
inline constexpr std::size_t MaxProfileFileSize = 256u << 20;

// Writes bytes as the whole content of path. The folder must exist: no save makes folders.
// When path is a symbolic link, the file it points to is replaced (beside itself) and the link
// stays. Only a regular file is replaced (a pipe, a device or a folder in its place is
// refused). The file keeps its permission bits (a new file gets 0666 less the umask), its
// group where the writer may keep it, and its owner. A file that its permission bits make
// read-only for the writer (the superuser included), or one that belongs to another user, is
// refused. Stale temporary files in the folder are removed first. Returns true on success; on
// failure returns false, removes the temporary file and, when error is given, stores there
// what failed and why: as a text for the windows to show in their language, or its Russian
// form («не удалось записать …: Недостаточно места на диске»).
bool atomicWriteFile(const std::string& path, std::string_view bytes, DSTRUCT::TText* error);
bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

enum class TReadResult { Read, Missing, Failed };
// Reads the whole regular file path (through symbolic links) into bytes. Missing: there is no
// such file. Failed: it cannot be read, is no regular file, or holds more than limit bytes;
// error then tells why.
TReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            DSTRUCT::TText* error = nullptr);

// Removes the stale temporary files of atomicWriteFile in folder (of any target, this user's
// own only). Returns how many were removed.
int removeStaleTempFiles(const std::string& folder);

// Why no file can be saved in folder, or an empty text when one can: the folder is missing
// (and why it could not be made, when its parent refuses new entries), is no folder, or is
// read-only for this user. FolderWriteProblem is its Russian form.
DSTRUCT::TText FolderWriteReason(const std::string& folder);
std::string FolderWriteProblem(const std::string& folder);

// Why an operation on a file or folder failed: «Недостаточно места на диске», «Нет прав
// доступа», «Папка не существует» …; the system's text for an error without a text of its own.
DSTRUCT::TText FileErrorReason(int err);

} // namespace TABLESTRUCT
