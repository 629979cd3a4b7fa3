#pragma once
// A formula's way through the translator turned into a list of steps: stage 1 finds the
// operators and makes the operands into lexemes (numbers, variables, table polynomials found
// with FindRecord), stage 2 turns the infix sequence into the postfix one with the operator
// stack and the priorities, stage 3 evaluates the postfix sequence with a stack of values.
// The translator reports each of these to an observer, and each report becomes a step with
// its explanation line, the algorithm line it carries out and the state its picture shows. A
// formula with an error ends at the step where the translator finds it, with its message.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/TTransObserver.h"
#include "core/TPolinom.h"
#include "core/TText.h"

namespace DSTRUCT {
class TWorkControl;
}
namespace TABLESTRUCT {
class TBasePTab;
}

namespace TRANSSTRUCT {

// The longest formula whose steps are shown.
inline constexpr int MaxStepFormula = 300;

enum class TTransStage { Lexemes = 1, Postfix = 2, Evaluation = 3 };

enum class TTransStepKind {
  Start,       // the formula as given
  Cleaned,     // spaces removed, characters allowed
  Brackets,    // the brackets match
  Operator,    // an operator found in the working copy
  Operand,     // the operand before it made into a lexeme (or found to be none)
  Appended,    // the operator's code appended to the infix sequence
  LexemesDone, // the infix sequence is complete
  Output,      // an operand, or an operation taken from the stack, goes to the output
  Push,        // an operation or an opening bracket goes on the stack
  Drop,        // a closing bracket drops the opening one from the stack
  PostfixDone, // the postfix sequence is complete
  Value,       // an operand's polynomial goes on the value stack
  Result,      // an operation replaces its operands on the value stack by its result
  Finish,      // the value of the formula
  Error,       // the translator's error, with its message
  Refused,     // nothing recorded: the reason is the text
};

struct TTransStep {
  TTransStage Stage = TTransStage::Lexemes;
  TTransStepKind Kind = TTransStepKind::Start;
  DSTRUCT::TText Text; // the explanation line
  int Line = 0;        // the line of the algorithm this step carries out
  // Stage 1: the working copy as it stands, the characters the step is about (from 1), the
  // lexemes and infix codes made so far.
  std::string Work;
  int MarkFrom = 0;
  int MarkLength = 0;
  int LexemeCount = 0;
  int InfixLength = 0;
  // Stage 2: the infix code read, the operator stack (bottom first), the postfix codes so far.
  int InfixCursor = -1;
  std::vector<std::int32_t> Stack;
  int PostfixLength = 0;
  // Stage 3: the postfix code read and the value stack as short texts (bottom first).
  int PostfixCursor = -1;
  std::vector<std::string> Values;
};

// A lexeme as stage 1 made it.
struct TLexemeRow {
  std::string Name;
  TOperandKind Kind = TOperandKind::Number;
  int Found = 0;     // a table polynomial: what FindRecord returned
  std::string Value; // its polynomial as a short text
};

struct TTransRecording {
  std::string Formula;
  std::vector<TLexemeRow> Lexemes;
  std::vector<std::int32_t> Infix;    // as the translator built it (up to an error)
  std::vector<std::int32_t> Postfix;  // as the recorded steps built it
  std::vector<std::string> OperTexts; // the priority table: operation texts by index
  std::vector<int> Prefs;             // and their priorities
  std::vector<const char*> Lines;     // the algorithm, one marked text per line
  std::vector<TTransStep> Steps;      // Start first; Finish, Error or Refused last
  int Code = 0;                       // the translator's code: 0, or the error's
  DSTRUCT::TText Message;             // the translator's outcome text
  int ErrPos = 0;
  LISTSTRUCT::TPolinom Result; // the last value the evaluation put on its stack

  // A code of the sequences as the formula writes it: a lexeme's name or an operation's text.
  std::string CodeText(std::int32_t code) const;
  // The postfix sequence in words: "X Y Z * +".
  std::string PostfixText() const;
};

// The steps of formula over table (may be null) through a translator of its own; the
// evaluation is watched by control (may be null), which may stop it. A formula longer than
// MaxStepFormula characters is refused with the reason.
TTransRecording RecordFormula(TABLESTRUCT::TBasePTab* table, const std::string& formula,
                              DSTRUCT::TWorkControl* control = nullptr);

// A polynomial as a short text for the value stack: at most about 30 characters, "0" for the
// zero polynomial.
std::string ShortPolText(const LISTSTRUCT::TPolinom& p);

} // namespace TRANSSTRUCT
