#pragma once
// Advisory locks between running copies of the program. The system releases them when their
// process ends, however it ends, so no lock outlives its holder: a lock file left behind by a
// crash or a power cut (empty, garbled, naming a process long gone) holds nothing.

#include <string>

#include "core/TText.h"

namespace TABLESTRUCT {

// An exclusive lock that a copy holds around reading, merging and writing a data file, so that
// two copies saving at the same moment both land. It is taken on the folder that holds the
// file (through symbolic links), since every write replaces the file itself by a new one.
class TFolderLock {
public:
  // Waits up to waitMilliseconds for the lock on the folder of filePath.
  explicit TFolderLock(const std::string& filePath, int waitMilliseconds = 10000);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  // True when the lock is held, or the folder's file system keeps no locks (then nothing
  // better can be had); false when the folder cannot be opened or another copy kept the lock
  // for the whole wait (GetError tells which).
  bool IsHeld() const { return Held; }
  const DSTRUCT::TText& GetError() const { return Error; }

private:
  int Fd = -1;
  bool Held = false;
  DSTRUCT::TText Error;
};

// The mark of a running copy on its data folder: a lock on a lock file ("IniSaves/termix.lock")
// held for the copy's lifetime. The file is made when missing and never removed; its content
// means nothing.
class TInstanceLock {
public:
  enum class TState {
    Held,        // this copy holds it
    HeldByOther, // another running copy holds it
    Unavailable  // the lock file cannot be made or opened (e.g. a read-only folder)
  };
  explicit TInstanceLock(const std::string& lockFile);
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  TState GetState() const { return State; }

private:
  int Fd = -1;
  TState State = TState::Unavailable;
};

} // namespace TABLESTRUCT
