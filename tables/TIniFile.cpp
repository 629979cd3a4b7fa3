#include "tables/TIniFile.h"

#include <charconv>
#include <utility>

#include "tables/AtomicFile.h"

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

// Names match without regard to ASCII case.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

} // namespace

int NumberedSectionIndex(std::string_view section, std::string_view prefix, int limit) {
  const size_t n = prefix.size();
  if (section.size() <= n || section.size() > n + 9) return -1;
  for (size_t i = 0; i < n; ++i) {
    char c = section[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return -1;
  }
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

TIniFile::TIniFile(std::string fileName) : FileName(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

void TIniFile::LoadText(std::string_view text) {
  Known = false;
  Modified = false;
  Sections.clear();
  SectionIndex.clear();
  TrailingComment.clear();
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

  std::string pending; // lines waiting for the entry or header they stand before
  Section* current = nullptr;
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view t = Trim(line);
    if (t.empty()) continue;
    const size_t close = t.front() == '[' ? t.find(']') : std::string_view::npos;
    const size_t equals = t.find('=');
    const bool comment = t.front() == ';' || t.front() == '#';
    if (!comment && close != std::string_view::npos) {
      auto section = std::make_unique<Section>();
      section->Comment = std::move(pending);
      pending.clear();
      section->Name = std::string(Trim(t.substr(1, close - 1)));
      auto [it, fresh] = SectionIndex.emplace(Folded(section->Name), section.get());
      section->Shadowed = !fresh;
      current = section.get();
      Sections.push_back(std::move(section));
      continue;
    }
    std::string_view key = comment || equals == std::string_view::npos ? std::string_view()
                                                                       : Trim(t.substr(0, equals));
    if (key.empty()) {
      // Comments and lines that are no entry are kept, before what follows them.
      pending += line;
      pending += '\n';
      continue;
    }
    if (!current) {
      auto section = std::make_unique<Section>();
      SectionIndex.emplace(std::string(), section.get());
      current = section.get();
      Sections.push_back(std::move(section));
    }
    Entry entry;
    entry.Comment = std::move(pending);
    pending.clear();
    entry.Key = std::string(key);
    entry.Value = std::string(Trim(t.substr(equals + 1)));
    auto [it, fresh] = current->Keys.emplace(Folded(key), current->Entries.size());
    entry.Shadowed = current->Shadowed || !fresh;
    current->Entries.push_back(std::move(entry));
  }
  TrailingComment = std::move(pending);
}

bool TIniFile::Reload() {
  LastError.clear();
  if (!StaleSwept) {
    StaleSwept = true;
    removeStaleTempFiles(FileName);
  }
  std::string data;
  const TReadResult result = readRegularFile(FileName, MaxProfileFileSize, data, &LastError);
  if (result != TReadResult::Read) {
    LoadText({});
    return result == TReadResult::Missing;
  }
  // The file is always read; only when its bytes are exactly those last parsed or written
  // here is the parse skipped, since the content in memory then is the file's.
  if (!Modified && Known && data == KnownText) return true;
  LoadText(data);
  KnownText = std::move(data);
  Known = true;
  return true;
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const {
  auto it = SectionIndex.find(Folded(name));
  return it == SectionIndex.end() ? nullptr : it->second;
}

const TIniFile::Entry* TIniFile::FindEntry(const std::string& section,
                                           const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->Keys.find(Folded(key));
  return it == s->Keys.end() ? nullptr : &s->Entries[it->second];
}

TIniFile::Section& TIniFile::SectionForWrite(const std::string& name) {
  std::string folded = Folded(name);
  auto it = SectionIndex.find(folded);
  if (it != SectionIndex.end()) return *it->second;
  auto section = std::make_unique<Section>();
  section->Name = name;
  Section* s = section.get();
  SectionIndex.emplace(std::move(folded), s);
  Sections.push_back(std::move(section));
  return *s;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? entry->Value : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const Entry* entry = FindEntry(section, key);
  if (!entry) return def;
  std::string_view s = entry->Value;
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
    if (c == '\r' || c == '\n') c = ' ';
  Section& s = SectionForWrite(section);
  auto [it, fresh] = s.Keys.emplace(Folded(key), s.Entries.size());
  if (fresh) {
    s.Entries.push_back(Entry{{}, key, std::move(clean)});
  } else {
    Entry& entry = s.Entries[it->second];
    if (entry.Value == clean) return;
    entry.Value = std::move(clean);
  }
  Modified = true;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::EraseSection(const std::string& section) {
  auto it = SectionIndex.find(Folded(section));
  if (it == SectionIndex.end()) return;
  it->second->Erased = true;
  it->second->Entries.clear();
  it->second->Keys.clear();
  SectionIndex.erase(it);
  Modified = true;
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TIniFile::GetSectionNames() const {
  std::vector<std::string> names;
  names.reserve(Sections.size());
  for (const auto& s : Sections)
    if (!s->Erased && !s->Shadowed) names.push_back(s->Name);
  return names;
}

std::string TIniFile::Utf8Text() const {
  // Sections and keys in the order they were read or created, each with the lines that stood
  // before it; a blank line between sections. Keys before the first header come first. Later
  // copies of a header or key become comments.
  size_t size = TrailingComment.size() + 16;
  for (const auto& s : Sections)
    for (const Entry& e : s->Entries)
      size += e.Key.size() + e.Value.size() + e.Comment.size() + 3;
  std::string text;
  text.reserve(size);
  bool first = true;
  auto writeSection = [&](const Section& s) {
    if (!first) text += '\n';
    first = false;
    text += s.Comment;
    if (!s.Name.empty() || s.Shadowed) {
      if (s.Shadowed) text += ';';
      text += '[';
      text += s.Name;
      text += "]\n";
    }
    for (const Entry& e : s.Entries) {
      text += e.Comment;
      if (e.Shadowed) text += ';';
      text += e.Key;
      text += '=';
      text += e.Value;
      text += '\n';
    }
  };
  for (const auto& s : Sections)
    if (!s->Erased && s->Name.empty() && !s->Shadowed) writeSection(*s);
  for (const auto& s : Sections)
    if (!s->Erased && (!s->Name.empty() || s->Shadowed)) writeSection(*s);
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
  LastError.clear();
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
