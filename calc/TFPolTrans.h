// The formula translator: turns a formula over the polynomials of a table into one polynomial.
//
// A formula such as "Pol1*(Pol2+X)^2-d/dx(Pol3)" goes through three phases:
//   1. lexical analysis and syntax check (ParseFormula): the text is checked character by
//      character, its brackets are matched, its operators are found one after another and every
//      operand becomes a lexeme holding a ready polynomial; the result is the infix code sequence;
//   2. conversion of the infix sequence to postfix order by operation priorities (MakePostfix);
//   3. evaluation of the postfix sequence with the polynomial operations (Calculate).
// Every failure is reported through the return code, a message text and an error position.
// The translator reads polynomials from its table by name and never changes the table.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/TDataCom.h"
#include "core/TPolinom.h"
#include "core/TText.h"
#include "core/TWorkControl.h"

namespace TABLESTRUCT {
class TBasePTab;
}

namespace TRANSSTRUCT {

class TTransObserver;
enum class TOperandKind;
enum class TTransEventKind;

// Return codes of the translator (0 is success).
inline constexpr int TransNoFormula = -101; // the formula is empty
inline constexpr int TransNoTable = -102;   // no polynomial table to look names up in
inline constexpr int TransBrackets = -103;  // brackets do not match
inline constexpr int TransBadChar = -104;   // a character outside the allowed set
inline constexpr int TransOperPlace = -105; // an operator in a wrong place
inline constexpr int TransBadLeks = -106;   // an operand that is no number, variable or name
inline constexpr int TransPostfix = -107;   // the postfix sequence is not a single expression
inline constexpr int TransRange = -108;     // the result leaves the permitted range
inline constexpr int TransCancelled = -109; // the user stopped the evaluation

// Messages of the evaluation that the calculation window may have to show on its own.
inline constexpr char TransRangeText[] = TERMIX_TEXT(
    "TFPolTrans", "Параметры вычисляемого полинома выходят за область допустимых значений !");
inline constexpr char TransTooLargeText[] =
    TERMIX_TEXT("TFPolTrans", "Параметры вычисляемого полинома выходят за область допустимых "
                              "значений ! Результат слишком велик.");
inline constexpr char TransCancelledText[] =
    TERMIX_TEXT("TFPolTrans", "Вычисление прервано пользователем");

// Codes of the infix and postfix sequences; operands are non-negative indexes into Leks.
inline constexpr std::int32_t CodeOpenBracket = -1;
inline constexpr std::int32_t CodeAdd = -2;
inline constexpr std::int32_t CodeSub = -3;
inline constexpr std::int32_t CodeMul = -4;
inline constexpr std::int32_t CodePower = -5;
inline constexpr std::int32_t CodeDerivX = -6;
inline constexpr std::int32_t CodeDerivY = -7;
inline constexpr std::int32_t CodeDerivZ = -8;
inline constexpr std::int32_t CodeIntegrX = -9;
inline constexpr std::int32_t CodeIntegrY = -10;
inline constexpr std::int32_t CodeIntegrZ = -11;
inline constexpr std::int32_t CodeCloseBracket = -12;

// One entry of the priority table: the operation's text and its priority (higher binds tighter).
struct TOperPref {
  std::string Oper;
  std::int32_t Pref = 0;
};

// One lexeme: an operand of the formula with its value as a ready polynomial.
struct TPolLeks {
  std::string Name;         // the operand's text as written (spaces removed)
  LISTSTRUCT::TPolinom Pol; // its value
  bool IsConst = false;     // true for a number
};

class TFPolTrans : public DSTRUCT::TDataCom {
public:
  static constexpr int OperCount = 11;

  // The table may be null; then every formula is answered with TransNoTable.
  explicit TFPolTrans(TABLESTRUCT::TBasePTab* table);
  ~TFPolTrans() override;

  TFPolTrans(const TFPolTrans&) = delete;
  TFPolTrans& operator=(const TFPolTrans&) = delete;

  // Stores a formula and runs phases 1 and 2. Afterwards GetRetCode() is 0 exactly when the
  // formula can be evaluated.
  void SetFormula(const std::string& text);
  // The outcome text of the last phase that ran, and the same as a marked pattern with its
  // arguments (positions, names).
  std::string GetMessage() const;
  DSTRUCT::TText GetMessageText() const;
  // Phase 3. Returns an empty polynomial when no formula is ready; on an evaluation error the
  // return code is TransRange and the returned polynomial is empty.
  LISTSTRUCT::TPolinom Calculate();
  // Phase 3 watched by control (may be null), which may run on another thread: the evaluation
  // reports the products done of those it plans and stops when asked, with the code
  // TransCancelled and an empty result. Running out of memory is reported like a result out of
  // range. The translator must not be used otherwise while this runs.
  LISTSTRUCT::TPolinom Calculate(DSTRUCT::TWorkControl* control);

  // The lexemes in the order of their first appearance in the formula.
  int GetLeksCount() const { return static_cast<int>(Leks.size()); }
  TPolLeks GetFirstLeks();
  TPolLeks GetNextLeks();
  bool IsLeksEnd() const;

  // The table in which names are looked up; the calculation window keeps it on the current one.
  // A new table takes effect with the next SetFormula.
  void SetTable(TABLESTRUCT::TBasePTab* table) { pTable = table; }
  TABLESTRUCT::TBasePTab* GetTable() const { return pTable; }

  // The observer of the three phases (not owned); null for none.
  void SetObserver(TTransObserver* observer) { Observer = observer; }
  TTransObserver* GetObserver() const { return Observer; }

  // Read access to the translator's state, for the window and for checks.
  const std::string& GetFormula() const { return Formula; }
  std::int32_t GetErrPos() const { return ErrPos; }
  bool GetIsError() const { return IsError; }
  bool GetIsReady() const { return IsReady; }
  const std::vector<std::int32_t>& GetInfix() const { return Infix; }
  const std::vector<std::int32_t>& GetPostfix() const { return Postfix; }
  const TOperPref& GetOperPref(int index) const { return OperPref[index]; }
  // The exponent a power takes from the number after "^": its float value truncated toward zero.
  static std::int64_t PowerExponent(float value);
  // The lexeme that an operand code of the infix or postfix sequence names.
  const TPolLeks& GetLeks(std::int32_t code) const { return Leks[static_cast<std::size_t>(code)]; }

  // The lexeme returned by the walk when there is none to return.
  static const TPolLeks& EmptyLeks();

protected:
  void ParseFormula();
  void MakePostfix();
  // Evaluates the subexpression whose last code stands at index I of Postfix; on return I holds
  // the index of its first code. Err is set when the result leaves the permitted range.
  LISTSTRUCT::TPolinom CalcPostfix(int& I, bool& Err);

private:
  // The parts of phase 1; each returns false after reporting an error. The working copy S loses
  // its spaces, has its brackets checked, and is then scanned operator by operator.
  bool RemoveSpaces(std::string& S);
  bool CheckBrackets(const std::string& S);
  bool ScanOperators(std::string& S);
  // Checks the operator at position P (from 1) of S against its neighbours and gives its code;
  // a derivative or integral form shrinks to its first character.
  bool ReadOperator(std::string& S, int P, std::int32_t& code);
  // Handles one operand text T of the working copy that starts right after position Prev.
  // Returns false after reporting an error.
  bool ParseOperand(const std::string& T, int Prev);
  // Makes the lexeme of an operand name N met for the first time at namePos and returns its
  // index, or -1 after reporting an error; kind and found tell how it was made.
  std::int32_t NewLeks(const std::string& N, int namePos, TOperandKind& kind, int& found);
  // Tells the observer (which must be set) of a value or result of the evaluation.
  void TellValue(TTransEventKind kind, int position, std::int32_t code,
                 const LISTSTRUCT::TPolinom& value, bool failed);
  void TellOperand(const std::string& N, int namePos, std::int32_t index, TOperandKind kind,
                   int found);
  void SetError(int code, int pos, DSTRUCT::TText message);
  // Raises Base to the power N, the result of N repeated products; Err on a power past the
  // limit or a coefficient past the float range. planned is the number of steps the progress
  // report counts for it.
  LISTSTRUCT::TPolinom Power(LISTSTRUCT::TPolinom& Base, std::int64_t N, std::int64_t planned,
                             bool& Err);
  // Up to N products result * Base from the constant 1, fewer when the rest can be foreseen;
  // counted is raised by the products reported done, at most to planned.
  LISTSTRUCT::TPolinom RepeatedProducts(LISTSTRUCT::TPolinom& Base, std::int64_t N,
                                        std::int64_t planned, std::int64_t& counted, bool& Err);
  int SubexpressionStart(int last) const;
  // A product, power, derivative or integral: code Q at index j of Postfix. Left is null for
  // the one-operand operations.
  LISTSTRUCT::TPolinom Operation(std::int32_t Q, int j, LISTSTRUCT::TPolinom* Left,
                                 LISTSTRUCT::TPolinom& Right, bool& Err);
  void PlanSteps();
  bool IsCancelled() const;
  void StepsDone(std::int64_t steps);

  TOperPref OperPref[OperCount];
  std::string Formula;
  std::vector<std::int32_t> Infix;
  TABLESTRUCT::TBasePTab* pTable = nullptr;
  std::vector<TPolLeks> Leks;
  // Index in Leks of every lexeme name, so that each operand is found in constant time.
  std::unordered_map<std::string, std::int32_t> LeksIndex;
  std::vector<std::int32_t> Postfix;
  DSTRUCT::TText Message;
  std::int32_t ErrPos = 0;
  bool IsError = true;
  bool IsReady = false;
  std::int32_t CurLeks = 0;
  DSTRUCT::TWorkControl* Control = nullptr; // set while Calculate(control) runs
  std::vector<std::int64_t> PlannedSteps;   // progress steps of each postfix operation
  TTransObserver* Observer = nullptr;
};

} // namespace TRANSSTRUCT
