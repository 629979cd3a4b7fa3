#pragma once
// The profile (INI) file of the tables and the formula store: sections in square brackets,
// one "key=value" line per entry. A thin layer over SimpleIni that reads like the profile
// calls of the algorithms: integer and text with a default, integer and text writes, section
// erase.
//
// The file is held in memory. Reload() reads it again from disk (so that what another object
// wrote becomes visible); the Read* calls see the writes made since. Writes stay in memory
// until UpdateFile(), which replaces the whole file atomically. Section and key names match
// without regard to ASCII case. Values are trimmed of surrounding blanks on reading. The file
// is UTF-8; a value that is not valid UTF-8 is taken as Windows-1251 text and converted, so
// files from older installations keep their text.

#include <string>
#include <string_view>
#include <vector>

// Text passes through unconverted; the decoding of values is done here.
#ifndef SI_NO_CONVERSION
#define SI_NO_CONVERSION
#endif
#include <SimpleIni.h>

namespace TABLESTRUCT {

// Order of section and key names in the file object: names that differ only in ASCII case
// are one name. Shorter names come first and names of equal length are decided by their last
// differing character, so the many "Polinom" section names need no long comparisons.
struct TProfileNameLess {
  bool operator()(const char* a, const char* b) const {
    // One pass: the lengths decide first, then the last differing character.
    unsigned char lastA = 0, lastB = 0;
    for (;; ++a, ++b) {
      unsigned char ca = static_cast<unsigned char>(*a);
      unsigned char cb = static_cast<unsigned char>(*b);
      if (ca == 0 || cb == 0) {
        if (ca != cb) return ca == 0; // a ended first: shorter
        return lastA < lastB;
      }
      if (ca != cb) {
        if (static_cast<unsigned>(ca - 'A') < 26u) ca = static_cast<unsigned char>(ca + 32);
        if (static_cast<unsigned>(cb - 'A') < 26u) cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb) {
          lastA = ca;
          lastB = cb;
        }
      }
    }
  }
};
using TProfileDoc = CSimpleIniTempl<char, TProfileNameLess, SI_ConvertA<char>>;

// The value as UTF-8: valid UTF-8 is returned as it is, anything else is decoded as
// Windows-1251 (the one undefined byte of that code page becomes U+FFFD).
std::string DecodeProfileText(std::string_view text);
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
  // counts as success; a file that exists but cannot be read leaves the content empty and
  // returns false (GetLastError tells why), so that nothing is written over it unseen.
  bool Reload();
  // Parses text as the file content (used by Reload; open for tests).
  void LoadText(std::string_view text);

  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Line breaks in the value are written as blanks, so a value stays on its line.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void EraseSection(const std::string& section);
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Names of all sections, in file order.
  std::vector<std::string> GetSectionNames() const;

  // True when a write or erase changed the content since the last Reload/UpdateFile.
  bool IsModified() const { return Modified; }
  // The content in file form.
  std::string GetText() const;
  // Writes the whole content to the file atomically when it was modified; the folder is made
  // when missing. Returns false when the file could not be written (the old file then stays
  // as it was and the content stays modified, so a later call tries again).
  bool UpdateFile();
  // Description of the last failed Reload or UpdateFile; empty after a success.
  const std::string& GetLastError() const { return LastError; }

private:
  std::string FileName;
  TProfileDoc Ini;
  bool Bom = false;      // the file began with a UTF-8 signature; it is written back
  bool Modified = false; // content differs from the file
  std::string LastError;
  // The file's bytes as last read or written by this object, while the content in memory is
  // exactly their parse (or what produced them).
  std::string KnownText;
  bool Known = false;
};

} // namespace TABLESTRUCT
