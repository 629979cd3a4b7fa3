#pragma once
// What the formula translator tells an observer while it works: in the lexical phase the
// working copy without spaces, each operator found, each operand made into a lexeme and each
// operation code put into the infix sequence; in the postfix phase each infix code read and
// each code sent to the output, pushed on the operator stack or, an opening bracket, dropped
// from it; in the evaluation each operand put on the value stack and each operation's result.
// A translator has no observer unless one is set; then it only tests a pointer.

#include <cstdint>
#include <string_view>

namespace LISTSTRUCT {
class TPolinom;
}

namespace TRANSSTRUCT {

enum class TTransEventKind {
  Cleaned,  // the working copy without spaces is Text
  Operator, // an operator with Code stands at Position of the working copy Text
  Operand,  // the operand Text at Position is lexeme Code (-1 when it is none); see TOperandKind
  Appended, // the operation Code is appended to the infix sequence, now Count codes long
  Read,     // the infix code Code at Position is read
  Output,   // Code is appended to the postfix sequence
  Push,     // Code is pushed on the operator stack
  Drop,     // the opening bracket on top of the operator stack is dropped
  Value,    // the postfix operand Code at Position puts the polynomial Value on the value stack
  Result,   // the postfix operation Code at Position gives Value; Failed when out of range
};

// How an operand became a lexeme.
enum class TOperandKind {
  Reused,   // a lexeme of the same name was made before
  Number,   // a new number lexeme
  Variable, // a new lexeme of X, Y or Z
  Table,    // a table polynomial looked up with FindRecord; Found is what it returned
};

struct TTransEvent {
  TTransEventKind Kind = TTransEventKind::Cleaned;
  int Position = 0;
  std::int32_t Code = 0;
  int Count = 0; // Operand, Appended: the length of the infix sequence afterwards
  TOperandKind Operand = TOperandKind::Reused;
  int Found = 0;
  std::string_view Text;
  const LISTSTRUCT::TPolinom* Value = nullptr;
  bool Failed = false;
};

// An event of the kind at position about code (and text); the other fields at their start.
inline TTransEvent TransEvent(TTransEventKind kind, int position, std::int32_t code,
                              std::string_view text = {}) {
  TTransEvent event;
  event.Kind = kind;
  event.Position = position;
  event.Code = code;
  event.Text = text;
  return event;
}

class TTransObserver {
public:
  virtual ~TTransObserver() = default;
  virtual void Notice(const TTransEvent& event) = 0;
};

} // namespace TRANSSTRUCT
