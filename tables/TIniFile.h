#pragma once
// The profile (INI) file of the tables and the formula store: sections in square brackets,
// one "key=value" line per entry. It reads like the profile calls of the algorithms: integer
// and text with a default, integer and text writes, section erase.
//
// The file is held in memory. Reload() reads it again from disk (so that what another object
// wrote becomes visible); the Read* calls see the writes made since. Writes stay in memory
// until UpdateFile(), which replaces the whole file atomically. Section and key names match
// without regard to ASCII case. Values are trimmed of surrounding blanks on reading.
//
// A section header or key that occurs twice means its first occurrence, as for the Windows
// profile reader; the later copies are written back as comment lines, so that every reader
// sees the same values in a saved file and nothing typed by hand is lost.
//
// Encoding: the whole file is one encoding. A file that is valid UTF-8 is UTF-8; any other
// file is Windows-1251 and every value of it is decoded from that code page. Texts are UTF-8
// in memory and the file is written back in the encoding it was read in (a text that
// Windows-1251 cannot hold turns the file into UTF-8).

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
  // first call also removes temporary files that killed writers left beside the file.
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
  // True when the file was read as (and is written back in) Windows-1251.
  bool IsWindows1251() const { return Windows1251; }
  // The content in file form, encoded as it will be written.
  std::string GetText() const;
  // Writes the whole content to the file atomically when it was modified; the folder is made
  // when missing. Returns false when the file could not be written (the old file then stays
  // as it was and the content stays modified, so a later call tries again).
  bool UpdateFile();
  // Description of the last failed Reload or UpdateFile; empty after a success.
  const std::string& GetLastError() const { return LastError; }

private:
  struct Entry {
    std::string Comment; // the lines before the entry (comments, lines without "=")
    std::string Key;
    std::string Value;
    bool Shadowed = false; // a later copy of a key: kept as a comment
  };
  struct Section {
    std::string Comment; // the lines before the header
    std::string Name;    // empty for the entries before the first header
    std::vector<Entry> Entries;
    std::unordered_map<std::string, size_t> Keys; // folded key -> first entry
    bool Shadowed = false;                        // a later copy of a header
    bool Erased = false;
  };

  const Section* FindSection(const std::string& name) const;
  const Entry* FindEntry(const std::string& section, const std::string& key) const;
  Section& SectionForWrite(const std::string& name);
  // The text in UTF-8, and in the file's encoding (windows1251 tells which one it became).
  std::string Utf8Text() const;
  std::string EncodedText(bool& windows1251) const;

  std::string FileName;
  std::vector<std::unique_ptr<Section>> Sections;         // file order
  std::unordered_map<std::string, Section*> SectionIndex; // folded name -> live section
  std::string TrailingComment;                            // lines after the last entry
  bool Bom = false; // the file began with a UTF-8 signature; it is written back
  bool Windows1251 = false;
  bool Modified = false; // content differs from the file
  bool StaleSwept = false;
  std::string LastError;
  // The file's bytes as last read or written by this object, while the content in memory is
  // exactly their parse (or what produced them).
  std::string KnownText;
  bool Known = false;
};

} // namespace TABLESTRUCT
