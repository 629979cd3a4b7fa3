#include "tables/TRecordName.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <algorithm>

namespace TABLESTRUCT {

namespace {

// Position of the record named name, or a negative code; the table's code is cleared.
int FindPosition(TBasePTab& table, const std::string& name) {
  LISTSTRUCT::TPolinom found;
  const int position = table.FindRecord(name, found);
  table.GetRetCode();
  return position;
}

} // namespace

DSTRUCT::TText TNameVerdict::GetMessageText() const {
  switch (Fault) {
  case TNameFault::None:
    break;
  case TNameFault::Empty:
    return {"TRecordName", TERMIX_TEXT("TRecordName", "Название полинома не введено!"), {}};
  case TNameFault::BadCharacter:
    return {"TRecordName",
            TERMIX_TEXT("TRecordName", "Название полинома содержит недопустимые символы!"),
            {}};
  case TNameFault::Taken:
    return {"TRecordName",
            TERMIX_TEXT("TRecordName", "Полином с таким названием уже существует! [Pol№%1]"),
            {std::to_string(Position + 1)}};
  }
  return {};
}

std::string TNameVerdict::GetMessage() const {
  return GetMessageText().Text();
}

bool IsAdmissibleName(std::string_view name) {
  // Every byte of a character outside ASCII is 0x80 or more, so it falls outside the ranges.
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

TNameVerdict CheckRecordName(std::string_view name, TBasePTab* table, std::string_view ownName) {
  if (name.empty()) return {TNameFault::Empty};
  if (!IsAdmissibleName(name)) return {TNameFault::BadCharacter};
  if (!table) return {};
  const int position = FindPosition(*table, std::string(name));
  if (position >= 0 && (ownName.empty() || name != ownName)) return {TNameFault::Taken, position};
  return {};
}

std::string FreeStandardName(TBasePTab& table) {
  for (int number = 0;; ++number) {
    std::string name = "Res" + std::to_string(number);
    if (FindPosition(table, name) < 0) return name;
  }
}

} // namespace TABLESTRUCT
