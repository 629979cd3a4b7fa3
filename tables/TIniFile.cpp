#include "tables/TIniFile.h"

#include <charconv>
#include <filesystem>
#include <new>
#include <unordered_set>
#include <utility>

#include "tables/AtomicFile.h"

// SimpleIni's member definitions stand behind SI_IMPLEMENTATION; they are compiled here, the one
// place that includes it. Text passes through it unconverted: the encodings are handled here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace TABLESTRUCT {

namespace {

// Windows-1251 bytes 0x80..0xFF as Unicode code points.
constexpr char32_t Cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Valid UTF-8 text in Windows-1251; false when a character has no byte there. U+FFFD, which
// the decoder makes of the code page's undefined byte, goes back to that byte.
bool EncodeCp1251(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    if (*p < 0x80) {
      out += static_cast<char>(*p++);
      continue;
    }
    char32_t cp;
    int extra = *p >= 0xF0 ? 3 : *p >= 0xE0 ? 2 : 1;
    cp = *p & (0x3F >> extra);
    if (end - p <= extra) return false;
    for (int i = 1; i <= extra; ++i)
      cp = (cp << 6) | (p[i] & 0x3F);
    p += extra + 1;
    int byte = -1;
    for (int i = 0; i < 128; ++i)
      if (Cp1251High[i] == cp) {
        byte = 0x80 + i;
        break;
      }
    if (byte < 0) return false;
    out += static_cast<char>(byte);
  }
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names without regard to ASCII case, as SimpleIni matches them.
struct FoldedHash {
  size_t operator()(std::string_view s) const {
    size_t h = 14695981039346656037ull;
    for (char c : s)
      h = (h ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
    return h;
  }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
  }
};
using TNameSet = std::unordered_set<std::string_view, FoldedHash, FoldedEqual>;

// SimpleIni's case-blind name order (that of CSimpleIniA), folding the case only where two
// bytes differ: most names share the long beginning "Polinom", and folding every byte of them
// made the name lookups a large part of loading and saving a table file.
struct TNameLess {
  bool operator()(const char* a, const char* b) const {
    for (;; ++a, ++b) {
      if (*a == *b) {
        if (!*a) return false;
      } else if (Lower(*a) != Lower(*b)) {
        return static_cast<unsigned char>(Lower(*a)) < static_cast<unsigned char>(Lower(*b));
      }
    }
  }
};
using TProfileDocument = CSimpleIniTempl<char, TNameLess, SI_ConvertA<char>>;

void Check(SI_Error result) {
  if (result < 0) throw std::bad_alloc(); // SimpleIni fails only for want of memory
}

// The text as SimpleIni is to read it, and the comment lines after its last entry.
//
// SimpleIni merges a repeated section into its first copy and lets a later copy of a key
// replace the first; it drops lines that are neither entry nor comment, comment lines after the
// last entry, and all but the last run of comment lines before an entry. So each line is sorted
// here as SimpleIni reads it (header "[name]", comment ";" or "#", entry "key=value"), and the
// later copies of headers and keys, the entries of a later section copy and the stray lines
// are handed to it as comment lines, without the blank lines between them: it then keeps all of
// them before the entry that follows. The lines after the last entry come back in trailing.
std::string ParserText(std::string_view text, std::string& trailing) {
  std::string out;
  out.reserve(text.size() + 64);
  // SimpleIni takes the comment lines at the very top for a file comment that it writes apart;
  // after a line break they belong to the first entry, as all other comments do.
  out += '\n';
  size_t entriesEnd = out.size();
  TNameSet sections, keys;
  bool inSection = false, laterCopy = false;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = at;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
      ++end;
    const std::string_view t = Trim(text.substr(at, end - at));
    at = end + 1;
    if (t.empty()) continue;
    const bool comment = t.front() == ';' || t.front() == '#';
    bool entry = false;
    if (!comment && t.front() == '[') {
      if (const size_t close = t.find(']'); close != std::string_view::npos) {
        laterCopy = !sections.insert(Trim(t.substr(1, close - 1))).second;
        if (keys.bucket_count() > 64) keys = TNameSet(); // clear() costs every bucket
        keys.clear();
        inSection = true;
        entry = !laterCopy;
      }
    } else if (!comment) {
      if (const size_t equals = t.find('='); equals != std::string_view::npos && equals > 0) {
        if (!inSection) sections.insert(std::string_view()); // the entries before any header
        inSection = true;
        entry = !laterCopy && keys.insert(Trim(t.substr(0, equals))).second;
      }
    }
    if (!entry && !comment) out += ';';
    out += t;
    out += '\n';
    if (entry) entriesEnd = out.size();
  }
  trailing.assign(out, entriesEnd);
  out.resize(entriesEnd);
  return out;
}

// SimpleIni's Save writes two blank lines before a section and one before a key with a
// comment; the file form has one blank line between sections and none elsewhere. Comments
// and values hold no blank lines, so the runs of blank lines tell which is which.
std::string OneBlankLineBetweenSections(std::string_view saved) {
  std::string out;
  out.reserve(saved.size());
  size_t at = saved.find_first_not_of('\n'); // a key comment first of all
  while (at < saved.size()) {
    const size_t end = saved.find('\n', at);
    if (end == std::string_view::npos) {
      out += saved.substr(at);
      break;
    }
    size_t next = saved.find_first_not_of('\n', end);
    if (next == std::string_view::npos) next = saved.size();
    out += saved.substr(at, end + 1 - at);
    if (next - end > 2) out += '\n';
    at = next;
  }
  return out;
}

} // namespace

int NumberedSectionIndex(std::string_view section, std::string_view prefix, int limit) {
  const size_t n = prefix.size();
  if (section.size() <= n || section.size() > n + 9) return -1;
  for (size_t i = 0; i < n; ++i)
    if (Lower(section[i]) != prefix[i]) return -1;
  if (section[n] == '0' && section.size() > n + 1) return -1; // no leading zeros
  long long number = 0;
  for (size_t i = n; i < section.size(); ++i) {
    if (section[i] < '0' || section[i] > '9') return -1;
    number = number * 10 + (section[i] - '0');
  }
  return number < limit ? static_cast<int>(number) : -1;
}

bool IsValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    int extra;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (end - p <= extra) return false;
    for (int i = 1; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    p += extra + 1;
  }
  return true;
}

std::string DecodeProfileText(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80)
      out += ch;
    else
      AppendUtf8(out, Cp1251High[c - 0x80]);
  }
  return out;
}

struct TIniFile::TDocument {
  // One value per key (the later copies reach it as comments), each on one line.
  TProfileDocument Ini{false, false, false};
};

TIniFile::TIniFile(std::string fileName)
    : FileName(std::move(fileName)), Doc(std::make_unique<TDocument>()) {
  Doc->Ini.SetSpaces(false); // "key=value"
}

TIniFile::~TIniFile() = default;

void TIniFile::Parse(std::string_view text) {
  Doc->Ini.Reset();
  WritesSinceParse = 0;
  const std::string parserText = ParserText(text, TrailingComment);
  Check(Doc->Ini.LoadData(parserText.data(), parserText.size()));
}

void TIniFile::LoadText(std::string_view text) {
  Known = false;
  Modified = false;
  Bom = text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF";
  if (Bom) text.remove_prefix(3);
  // One encoding for the whole file: a short Windows-1251 text can look like UTF-8 by chance,
  // the file as a whole hardly ever does.
  Windows1251 = !IsValidUtf8(text);
  std::string decoded;
  if (Windows1251) {
    decoded = DecodeProfileText(text);
    text = decoded;
  }
  // SimpleIni stops at a zero byte; blanks in their place keep the rest of the file.
  if (text.find('\0') != std::string_view::npos) {
    if (decoded.empty()) decoded = std::string(text);
    for (char& c : decoded)
      if (c == '\0') c = ' ';
    text = decoded;
  }
  Parse(text);
}

bool TIniFile::Reload() {
  LastError = {};
  if (!StaleSwept) {
    StaleSwept = true;
    const std::string folder = std::filesystem::path(FileName).parent_path().string();
    removeStaleTempFiles(folder.empty() ? "." : folder);
  }
  std::string data;
  const TReadResult result = readRegularFile(FileName, MaxProfileFileSize, data, &LastError);
  if (result != TReadResult::Read) {
    LoadText({});
    return result == TReadResult::Missing;
  }
  // The file is always read; only when its bytes are exactly those last parsed or written
  // here is the parse skipped, since the content in memory then is the file's. SimpleIni keeps
  // the strings of every write until the next parse (and searches them when it erases one), so
  // after many writes the file is parsed again all the same.
  constexpr int WritesKept = 256;
  if (!Modified && Known && data == KnownText && WritesSinceParse < WritesKept) return true;
  LoadText(data);
  KnownText = std::move(data);
  Known = true;
  return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const char* value = Doc->Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  return value ? std::string(value) : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const char* value = Doc->Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (!value) return def;
  std::string_view s = value;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  int result = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), result);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return def;
  return result;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  std::string clean = value;
  for (char& c : clean)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  const char* old = Doc->Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (old && clean == old) return;
  Check(Doc->Ini.SetValue(section.c_str(), key.c_str(), clean.c_str()));
  ++WritesSinceParse;
  Modified = true;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::EraseSection(const std::string& section) {
  if (Doc->Ini.Delete(section.c_str(), nullptr)) Modified = true;
}

bool TIniFile::SectionExists(const std::string& section) const {
  return Doc->Ini.GetSection(section.c_str()) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return Doc->Ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::vector<std::string> TIniFile::GetSectionNames() const {
  TProfileDocument::TNamesDepend sections;
  Doc->Ini.GetAllSections(sections);
  sections.sort(TProfileDocument::Entry::LoadOrder());
  std::vector<std::string> names;
  names.reserve(sections.size());
  for (const auto& entry : sections)
    names.emplace_back(entry.pItem);
  return names;
}

std::string TIniFile::Utf8Text() const {
  // Sections and keys in the order they were read or created, each with the comment lines that
  // stood before it; the keys before the first header come first.
  std::string saved;
  Doc->Ini.Save(saved, false); // cannot fail: the text passes through unconverted
  std::string text = OneBlankLineBetweenSections(saved);
  text += TrailingComment;
  return text;
}

std::string TIniFile::EncodedText(bool& windows1251) const {
  std::string text = Utf8Text();
  windows1251 = false;
  if (Windows1251) {
    std::string encoded;
    windows1251 = EncodeCp1251(text, encoded);
    if (windows1251) text = std::move(encoded);
  }
  if (Bom) text.insert(0, "\xEF\xBB\xBF");
  return text;
}

std::string TIniFile::GetText() const {
  bool windows1251 = false;
  return EncodedText(windows1251);
}

bool TIniFile::UpdateFile() {
  LastError = {};
  if (!Modified) return true;
  bool windows1251 = false;
  std::string text = EncodedText(windows1251);
  if (!atomicWriteFile(FileName, text, &LastError)) return false;
  Modified = false;
  // A text that the code page could not hold was written as UTF-8: the file is UTF-8 now.
  Windows1251 = windows1251;
  KnownText = std::move(text);
  Known = true;
  return true;
}

} // namespace TABLESTRUCT
