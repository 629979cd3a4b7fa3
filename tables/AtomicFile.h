#pragma once
// Whole-file replacement that never leaves a half-written file behind: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and the temporary file is then
// renamed over the target. A failed write leaves the previous file untouched.

#include <string>
#include <string_view>

namespace TABLESTRUCT {

// Writes bytes as the whole content of path. A missing parent folder is created first. The
// file keeps the permission bits of the file it replaces (a new file gets 0666 less the
// umask). Returns true on success; on failure returns false, removes the temporary file and,
// when error is given, stores a short description of what failed there.
bool atomicWriteFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

} // namespace TABLESTRUCT
