#pragma once
// The rule for a record name that the user types: for a new polynomial, a changed or copied
// one, and a calculation result stored under a name of the user's choice. A name is at least one
// character, each an ASCII digit or letter, and no other record of the table may carry it.
// Results stored under a standard name take the first free "Res" followed by 0, 1, 2, ...

#include "core/TText.h"

#include <string>
#include <string_view>

namespace TABLESTRUCT {

class TBasePTab;

// What is wrong with a name, if anything.
enum class TNameFault { None, Empty, BadCharacter, Taken };

struct TNameVerdict {
  TNameFault Fault = TNameFault::None;
  // Where the table holds the name, for Taken (a bucket index in the hash table); -1 otherwise.
  int Position = -1;

  bool IsUsable() const { return Fault == TNameFault::None; }
  // The message the windows show for the fault (UTF-8, Russian); empty for a usable name.
  std::string GetMessage() const;
  // The same message as a marked pattern with its arguments, for a window to translate.
  DSTRUCT::TText GetMessageText() const;
};

// At least one character, every one an ASCII digit 0-9 or letter A-Z, a-z.
bool IsAdmissibleName(std::string_view name);

// The verdict on a typed name. A name the table holds is taken, except when it equals ownName,
// the name of the record being changed (an empty ownName accepts none). A null table holds
// nothing. The table's return code is left clear.
TNameVerdict CheckRecordName(std::string_view name, TBasePTab* table,
                             std::string_view ownName = {});

// The first of "Res0", "Res1", "Res2", ... that the table does not hold.
std::string FreeStandardName(TBasePTab& table);

} // namespace TABLESTRUCT
