// The SimpleIni header holds its member definitions behind SI_IMPLEMENTATION; they are
// compiled here, once, for the one instantiation in use.
#define SI_IMPLEMENTATION
#include "tables/TIniFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

#include "tables/AtomicFile.h"

template class CSimpleIniTempl<char, TABLESTRUCT::TProfileNameLess, SI_ConvertA<char>>;

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

} // namespace

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

TIniFile::TIniFile(std::string fileName) : FileName(std::move(fileName)) {
  Ini.SetUnicode(false);
  Ini.SetMultiKey(false);
  Ini.SetMultiLine(false);
  Ini.SetSpaces(false);
}

TIniFile::~TIniFile() = default;

void TIniFile::LoadText(std::string_view text) {
  Known = false;
  Ini.Reset();
  Bom = text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF";
  if (Bom) text.remove_prefix(3);
  // The parser stops at a zero byte; blanks in their place keep the rest of the file. The
  // leading line break makes comments at the top belong to the first entry, as all others do.
  std::string data = "\n";
  data += text;
  for (char& c : data)
    if (c == '\0') c = ' ';
  Ini.LoadData(data.data(), data.size());
  Modified = false;
}

bool TIniFile::Reload() {
  LastError.clear();
  std::FILE* f = std::fopen(FileName.c_str(), "rb");
  if (!f) {
    int err = errno;
    LoadText({});
    if (err == ENOENT) return true;
    LastError = "cannot read " + FileName + ": " + std::strerror(err);
    return false;
  }
  std::string data;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
    data.append(buf, n);
  bool failed = std::ferror(f) != 0;
  int err = errno;
  std::fclose(f);
  if (failed) {
    LoadText({});
    LastError = "cannot read " + FileName + ": " + std::strerror(err);
    return false;
  }
  // The file is always read; only when its bytes are exactly those last parsed or written
  // here is the parse skipped, since the content in memory then is the file's.
  if (!Modified && Known && data == KnownText) return true;
  LoadText(data);
  KnownText = std::move(data);
  Known = true;
  return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const char* value = Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (!value) return def;
  return DecodeProfileText(Trim(value));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const char* value = Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (!value) return def;
  std::string_view s = Trim(value);
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
  const char* old = Ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (old && clean == old) return;
  Ini.SetValue(section.c_str(), key.c_str(), clean.c_str());
  Modified = true;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::EraseSection(const std::string& section) {
  if (Ini.Delete(section.c_str(), nullptr)) Modified = true;
}

bool TIniFile::SectionExists(const std::string& section) const {
  return Ini.GetSection(section.c_str()) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return Ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::vector<std::string> TIniFile::GetSectionNames() const {
  TProfileDoc::TNamesDepend sections;
  Ini.GetAllSections(sections);
  sections.sort(TProfileDoc::Entry::LoadOrder());
  std::vector<std::string> names;
  names.reserve(sections.size());
  for (const auto& entry : sections)
    names.emplace_back(entry.pItem);
  return names;
}

std::string TIniFile::GetText() const {
  // Sections and keys in the order they were read or created, each with the comment lines
  // that stood before it; a blank line between sections. Keys before the first section
  // (the section with the empty name) come first.
  TProfileDoc::TNamesDepend sections;
  Ini.GetAllSections(sections);
  sections.sort(TProfileDoc::Entry::LoadOrder());
  std::string text;
  text.reserve(KnownText.size() + 4096);
  if (Bom) text = "\xEF\xBB\xBF";
  auto writeComment = [&text](const char* comment) {
    if (!comment) return;
    text += comment;
    text += '\n';
  };
  std::vector<const TProfileDoc::Entry*> order;
  order.reserve(sections.size());
  for (const auto& entry : sections)
    if (!*entry.pItem) order.push_back(&entry);
  for (const auto& entry : sections)
    if (*entry.pItem) order.push_back(&entry);
  bool first = true;
  std::vector<std::pair<const TProfileDoc::Entry*, const char*>> keys;
  for (const TProfileDoc::Entry* section : order) {
    if (!first) text += '\n';
    first = false;
    writeComment(section->pComment);
    if (*section->pItem) {
      text += '[';
      text += section->pItem;
      text += "]\n";
    }
    const TProfileDoc::TKeyVal* values = Ini.GetSection(section->pItem);
    if (!values) continue;
    keys.clear();
    for (const auto& [key, value] : *values)
      keys.emplace_back(&key, value);
    std::sort(keys.begin(), keys.end(),
              [](const auto& a, const auto& b) { return a.first->nOrder < b.first->nOrder; });
    for (const auto& [key, value] : keys) {
      writeComment(key->pComment);
      text += key->pItem;
      text += '=';
      text += value;
      text += '\n';
    }
  }
  return text;
}

bool TIniFile::UpdateFile() {
  LastError.clear();
  if (!Modified) return true;
  std::string text = GetText();
  if (!atomicWriteFile(FileName, text, &LastError)) return false;
  Modified = false;
  KnownText = std::move(text);
  Known = true;
  return true;
}

} // namespace TABLESTRUCT
