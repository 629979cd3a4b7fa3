#pragma once
// The profile (INI) file of the tables and the formula store: sections in square brackets,
// one "key=value" line per entry. A layer over SimpleIni that reads like the profile calls of
// the algorithms: integer and text with a default, integer and text writes, section erase.
//
// The file is held in memory. Reload() reads it again from disk (so that what another object
// wrote becomes visible); the Read* calls see the writes made since. Writes stay in memory
// until UpdateFile(), which replaces the whole file atomically. Section and key names match
// without regard to ASCII case. Values are trimmed of surrounding blanks on reading. A line
// ends at a line feed or a carriage return; a zero byte reads as a blank.
//
// A section header or key that occurs twice means its first occurrence, as for the Windows
// profile reader; the later copies are written back as comment lines, so that every reader
// sees the same values in a saved file and nothing typed by hand is lost. Like any comment
// line they stay before the entry that follows them, and go with it when its section is
// erased. Lines that are neither entry nor comment are kept as comment lines too.
//
// Encoding: the whole file is one encoding. A file that is valid UTF-8 is UTF-8; any other
// file is Windows-1251 and every value of it is decoded from that code page. Texts are UTF-8
// in memory and the file is written back in the encoding it was read in (a text that
// Windows-1251 cannot hold turns the file into UTF-8).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/TText.h"

namespace TABLESTRUCT {

// The value as UTF-8: valid UTF-8 is returned as it is, anything else is decoded as
// Windows-1251 (the one undefined byte of that code page becomes U+FFFD).
std::string DecodeProfileText(std::string_view text);
// n when section is prefix followed by n (decimal, no leading zeros, below limit), the names
// matched without regard to ASCII case ("Polinom7", "polinom7"); -1 otherwise. prefix is
// given in lower case.
int NumberedSectionIndex(std::string_view section, std::string_view prefix, int limit);
// True when text is well-formed UTF-8 (no overlong forms, surrogates or codes above U+10FFFF).
bool IsValidUtf8(std::string_view text);

class TIniFile {
public:
  // fileName is the full path of the file; nothing is read until Reload().
  explicit TIniFile(std::string fileName);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& GetFileName() const { return FileName; }

  // Drops the in-memory content and reads the file again. A missing file reads as empty and
  // counts as success; a file that exists but cannot be read, is no regular file (a pipe, a
  // device, a folder) or is larger than any real profile file leaves the content empty and
  // returns false (GetLastError tells why), so that nothing is written over it unseen. The
  // first call also removes the temporary files that killed writers left in the file's folder.
  bool Reload();
  // Parses text as the file content (used by Reload; open for tests).
  void LoadText(std::string_view text);

  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Line breaks and zero bytes in the value are written as blanks, so a value stays on its line.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void EraseSection(const std::string& section);
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Names of all sections, in file order.
  std::vector<std::string> GetSectionNames() const;

  // True when a write or erase changed the content since the last Reload/UpdateFile.
  bool IsModified() const { return Modified; }
  // True when the file was read as (and is written back in) Windows-1251.
  bool IsWindows1251() const { return Windows1251; }
  // The content in file form, encoded as it will be written.
  std::string GetText() const;
  // Writes the whole content to the file atomically when it was modified (atomicWriteFile: the
  // folder must exist). Returns false when the file could not be written (the old file then
  // stays as it was and the content stays modified, so a later call tries again).
  bool UpdateFile();
  // Why the last Reload or UpdateFile failed; empty after a success. GetLastError is its
  // Russian text.
  const DSTRUCT::TText& GetLastReason() const { return LastError; }
  std::string GetLastError() const { return LastError.Text(); }

private:
  struct TDocument; // the SimpleIni object, kept out of this header
  // Parses text (already UTF-8) into the document.
  void Parse(std::string_view text);
  // The text in UTF-8, and in the file's encoding (windows1251 tells which one it became).
  std::string Utf8Text() const;
  std::string EncodedText(bool& windows1251) const;

  std::string FileName;
  std::unique_ptr<TDocument> Doc;
  std::string TrailingComment; // comment lines after the last entry, which SimpleIni drops
  bool Bom = false;            // the file began with a UTF-8 signature; it is written back
  bool Windows1251 = false;
  bool Modified = false; // content differs from the file
  bool StaleSwept = false;
  DSTRUCT::TText LastError;
  // The file's bytes as last read or written by this object, while the content in memory is
  // exactly their parse (or what produced them).
  std::string KnownText;
  bool Known = false;
  int WritesSinceParse = 0; // each write leaves a string copy in the document until a parse
};

} // namespace TABLESTRUCT
