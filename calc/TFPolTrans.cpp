#include "calc/TFPolTrans.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>
#include <utility>

namespace TRANSSTRUCT {

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

const char* const MsgNoFormula = "Выражение не введено ! [0]";
const char* const MsgNoTable = "Нет доступа к таблице полиномов !";
const char* const MsgCorrect = "Выражение введено правильно.";
const char* const MsgBadChar = "Выражение содержит недопустимые символы ! [";
const char* const MsgBrackets = "Неправильно расставлены скобки ! [";
const char* const MsgArith = "Ошибки в расстановке арифметических операций ! [";
const char* const MsgPower = "Ошибка в использовании операции возведения в степень ! [";
const char* const MsgDeriv = "Ошибки в расстановке операций дифференцирования ! [";
const char* const MsgIntegr = "Ошибки в расстановке операций интегрирования ! [";
const char* const MsgLeksLetter = "Лексема должна начинаться с символа ! [";
const char* const MsgBadSplit = "Выражение ошибочно разобрано на лексемы ! [?]";
const char* const MsgNotation = "Ошибки в записи выражения ! [?]";
const char* const MsgRange =
    "Параметры вычисляемого полинома выходят за область допустимых значений !";

// Products made one by one before a power switches to squaring. A base holding a variable
// passes the power limit within this many products unless its coefficients have died away.
constexpr std::int32_t LinearPowerSteps = 100;

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsVarLetter(char c) {
  return c == 'x' || c == 'y' || c == 'z';
}

bool IsAllowed(char c) {
  if (IsLetter(c) || IsDigit(c)) return true;
  switch (c) {
  case '(':
  case ')':
  case '+':
  case '-':
  case '*':
  case '/':
  case '^':
  case '~':
  case '.':
  case ' ':
    return true;
  default:
    return false;
  }
}

std::string WithPos(const char* text, int pos) {
  return text + std::to_string(pos) + "]";
}

// A number with "." as separator: digits, an optional decimal part and an optional exponent,
// as the standard conversion reads it. A value beyond the double range reads as infinity, one
// below it as 0; the result is then reported by the evaluation, not by the lexer.
bool TextToNumber(const std::string& text, double& value) {
  if (text.empty() || !(IsDigit(text[0]) || text[0] == '.')) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  double parsed = 0.0;
  auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (ptr != last) return false;
  if (ec == std::errc()) {
    value = parsed;
    return true;
  }
  if (ec != std::errc::result_out_of_range) return false;
  // Decimal magnitude: digits before the point (after leading zeros) plus the exponent.
  long long magnitude = 0;
  bool seenNonZero = false;
  bool afterPoint = false;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    char c = text[i];
    if (c == '.') {
      afterPoint = true;
    } else if (!seenNonZero) {
      if (c != '0') {
        seenNonZero = true;
        if (!afterPoint) magnitude = 1;
      } else if (afterPoint) {
        --magnitude;
      }
    } else if (!afterPoint) {
      ++magnitude;
    }
  }
  long long exponent = 0;
  for (++i; i < text.size(); ++i) {
    if (exponent < 1000000000LL) exponent = exponent * 10 + (text[i] - '0');
  }
  value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return true;
}

// A double as a float coefficient; beyond the float range it becomes an infinity of its sign.
float ToCoeff(double v) {
  constexpr double maxFloat = std::numeric_limits<float>::max();
  if (v > maxFloat) return std::numeric_limits<float>::infinity();
  if (v < -maxFloat) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

// An exponent read from a float coefficient, truncated toward zero, saturating at the int range.
std::int32_t ToExponent(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

TPolinom MonomPol(float coeff, int index) {
  LISTSTRUCT::TMonomPair pair{coeff, index};
  return TPolinom(&pair, 1);
}

bool AllCoeffsFinite(TPolinom& p) {
  for (p.ResetList(); !p.IsListEnded(); p.GoNextLink()) {
    if (!std::isfinite(p.GetMonom()->GetCoeff())) return false;
  }
  return true;
}

float FirstCoeff(TPolinom& p) {
  if (p.IsEmpty()) return 0.0f;
  p.ResetList();
  return p.GetMonom()->GetCoeff();
}

bool IsBinary(std::int32_t code) {
  return code >= CodePower && code <= CodeAdd;
}

// True when the operator text of one of the ten operators begins at index i of s.
bool OperatorAt(const std::string& s, std::size_t i) {
  char c = s[i];
  if (c == '+' || c == '-' || c == '*' || c == '^') return true;
  if (c == 'd') return i + 3 < s.size() && s.compare(i, 3, "d/d") == 0 && IsVarLetter(s[i + 3]);
  if (c == 'i') return i + 5 < s.size() && s.compare(i, 5, "int~d") == 0 && IsVarLetter(s[i + 5]);
  return false;
}

} // namespace

const TPolLeks& TFPolTrans::EmptyLeks() {
  static const TPolLeks empty{};
  return empty;
}

TFPolTrans::TFPolTrans(TABLESTRUCT::TBasePTab* table) {
  static const char* const texts[OperCount] = {"(",    "+",    "-",      "*",      "^",     "d/dx",
                                               "d/dy", "d/dz", "int~dx", "int~dy", "int~dz"};
  static const std::int32_t prefs[OperCount] = {0, 1, 1, 2, 3, 4, 4, 4, 4, 4, 4};
  for (int i = 0; i < OperCount; ++i)
    OperPref[i] = TOperPref{texts[i], prefs[i]};
  SetRetCode(TransNoFormula);
  Message = MsgNoFormula;
  if (table != nullptr) {
    pTable = table;
  } else {
    SetRetCode(TransNoTable);
    Message = MsgNoTable;
  }
  // Number text is read with std::from_chars, which always takes "." as the decimal separator,
  // whatever the process locale says.
  ErrPos = 0;
  IsError = true;
  IsReady = false;
}

TFPolTrans::~TFPolTrans() = default;

void TFPolTrans::SetError(int code, int pos, std::string message) {
  SetRetCode(code);
  ErrPos = pos;
  Message = std::move(message);
  IsError = true;
}

void TFPolTrans::SetFormula(const std::string& text) {
  Formula = text;
  IsError = false;
  IsReady = false;
  SetRetCode(0);
  if (Formula.empty()) {
    SetRetCode(TransNoFormula);
    IsError = true;
    Message = MsgNoFormula;
  }
  if (pTable == nullptr) {
    SetRetCode(TransNoTable);
    IsError = true;
    Message = MsgNoTable;
  }
  ErrPos = 0;
  ParseFormula();
  if (IsError) return;
  MakePostfix();
  if (!IsError) IsReady = true;
}

std::string TFPolTrans::GetMessage() const {
  return IsError ? Message : std::string(MsgCorrect);
}

// Phase 1. Positions reported to the user count from 1 in the working copy S, in which spaces
// are removed and every operator already handled stands as the one character '#'.
void TFPolTrans::ParseFormula() {
  if (RetCode == TransNoFormula || RetCode == TransNoTable) {
    IsError = true;
    IsReady = false;
    return;
  }
  ErrPos = 0;
  IsError = true;
  SetRetCode(0);

  // Character check and space removal in one pass: w counts the characters kept so far.
  std::string S(Formula.size(), '\0');
  std::size_t w = 0;
  for (char c : Formula) {
    if (!IsAllowed(c)) {
      const int pos = static_cast<int>(w) + 1;
      SetError(TransBadChar, pos, WithPos(MsgBadChar, pos));
      return;
    }
    if (c != ' ') S[w++] = c;
  }
  S.resize(w);
  if (S.empty()) {
    SetError(TransNoFormula, 0, MsgNoFormula);
    return;
  }

  // Brackets: only "(" is ever pushed, so the stack is its depth.
  int depth = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '(') {
      ++depth;
    } else if (S[i] == ')') {
      if (depth == 0) {
        const int pos = static_cast<int>(i) + 1;
        SetError(TransBrackets, pos, WithPos(MsgBrackets, pos));
        return;
      }
      --depth;
    }
  }
  if (depth != 0) {
    const int pos = static_cast<int>(S.size()) + 1;
    SetError(TransBrackets, pos, WithPos(MsgBrackets, pos));
    return;
  }

  Infix.clear();
  Leks.clear();
  Infix.reserve(S.size() + 2);
  Infix.push_back(CodeOpenBracket);
  int Prev = 0;

  // Operator scan. No operator begins at or before Prev: every earlier one has become '#',
  // so the next operator of the text is the first one found after Prev.
  for (;;) {
    int P = 0;
    for (std::size_t i = static_cast<std::size_t>(Prev); i < S.size(); ++i) {
      if (OperatorAt(S, i)) {
        P = static_cast<int>(i) + 1;
        break;
      }
    }
    const int Length = static_cast<int>(S.size());
    std::int32_t operCode = 0;
    if (P > 0) {
      const char op = S[P - 1];
      if (op == '+' || op == '-' || op == '*' || op == '^') {
        bool ok = P >= 2 && P < Length;
        if (ok) {
          const char before = S[P - 2];
          const char after = S[P];
          ok = IsLetter(before) || IsDigit(before) || before == ')';
          if (op == '^')
            ok = ok && IsDigit(after);
          else
            ok = ok && (IsLetter(after) || IsDigit(after) || after == '(');
        }
        if (!ok) {
          SetError(TransOperPlace, P, WithPos(op == '^' ? MsgPower : MsgArith, P));
          return;
        }
        operCode = op == '+' ? CodeAdd : op == '-' ? CodeSub : op == '*' ? CodeMul : CodePower;
      } else {
        // A derivative form "d/dv" (4 characters) or an integral form "int~dv" (6 characters);
        // one character after the form is accepted without the bracket ("d/dxa").
        const bool deriv = op == 'd';
        const int formLen = deriv ? 4 : 6;
        if ((Length - formLen > P && S[P - 1 + formLen] != '(') || P + formLen - 1 == Length) {
          SetError(TransOperPlace, P, WithPos(deriv ? MsgDeriv : MsgIntegr, P));
          return;
        }
        const char V = S[P - 1 + formLen - 1];
        const int var = V == 'x' ? 0 : V == 'y' ? 1 : 2;
        operCode = (deriv ? CodeDerivX : CodeIntegrX) - var;
        // The form shrinks to the one character that marks a handled operator.
        S[static_cast<std::size_t>(P - 1)] = '#';
        S.erase(static_cast<std::size_t>(P), static_cast<std::size_t>(formLen - 1));
      }
    }

    const int tEnd = P == 0 ? static_cast<int>(S.size()) : P - 1; // last character, 1-based
    if (tEnd > Prev) {
      const std::string T =
          S.substr(static_cast<std::size_t>(Prev), static_cast<std::size_t>(tEnd - Prev));
      if (!ParseOperand(T, Prev)) return;
    }
    if (P == 0) break;
    Infix.push_back(operCode);
    S[static_cast<std::size_t>(P - 1)] = '#';
    Prev = P;
  }

  Infix.push_back(CodeCloseBracket);
  Message = MsgCorrect;
  IsError = false;
}

bool TFPolTrans::ParseOperand(const std::string& T, int Prev) {
  std::size_t start = 0;
  while (start < T.size() && (T[start] == '(' || T[start] == ')')) {
    Infix.push_back(T[start] == '(' ? CodeOpenBracket : CodeCloseBracket);
    ++start;
  }
  if (start == T.size()) return true; // only brackets: no operand
  std::size_t end = T.size();
  int K = 0;
  while (end - 1 > start && T[end - 1] == ')') {
    --end;
    ++K;
  }
  const std::string N = T.substr(start, end - start);
  const int namePos = Prev + static_cast<int>(start) + 1;

  std::int32_t index = -1;
  for (std::size_t i = 0; i < Leks.size(); ++i) {
    if (Leks[i].Name == N) {
      index = static_cast<std::int32_t>(i);
      break;
    }
  }
  if (index < 0) {
    double R = 0.0;
    if (TextToNumber(N, R)) {
      // A number that is 0 as a float is the zero polynomial: a polynomial never holds a
      // monomial with the coefficient 0, which would print as " - 0" and leak into results.
      const float coeff = ToCoeff(R);
      Leks.push_back(TPolLeks{N, coeff == 0.0f ? TPolinom() : MonomPol(coeff, 0), true});
    } else if (!IsLetter(N[0])) {
      SetError(TransBadLeks, namePos, WithPos(MsgLeksLetter, namePos));
      return false;
    } else if (N.size() == 1 && (N[0] == 'X' || N[0] == 'x')) {
      Leks.push_back(TPolLeks{N, MonomPol(1.0f, 10000), false});
    } else if (N.size() == 1 && (N[0] == 'Y' || N[0] == 'y')) {
      Leks.push_back(TPolLeks{N, MonomPol(1.0f, 100), false});
    } else if (N.size() == 1 && (N[0] == 'Z' || N[0] == 'z')) {
      Leks.push_back(TPolLeks{N, MonomPol(1.0f, 1), false});
    } else {
      // A table polynomial: read straight into the new lexeme, dropped again if not found.
      Leks.push_back(TPolLeks{N, TPolinom(), false});
      if (pTable->FindRecord(N, Leks.back().Pol) < 0) {
        Leks.pop_back();
        SetError(TransBadLeks, namePos,
                 "Полином с именем '" + N + "' в таблице не найден ! [" + std::to_string(namePos) +
                     "]");
        return false;
      }
    }
    index = static_cast<std::int32_t>(Leks.size()) - 1;
  }
  Infix.push_back(index);
  for (int k = 0; k < K; ++k)
    Infix.push_back(CodeCloseBracket);
  return true;
}

// Phase 2: operands go straight to Postfix, operations wait on a stack until an operation of
// lower priority or a closing bracket sends them out.
void TFPolTrans::MakePostfix() {
  IsError = true;
  Postfix.clear();
  Postfix.reserve(Infix.size());
  std::vector<std::int32_t> stack;
  stack.reserve(Infix.size());
  const auto pref = [this](std::int32_t code) { return OperPref[-code - 1].Pref; };
  for (const std::int32_t Q : Infix) {
    if (Q >= 0 && Q < GetLeksCount()) {
      Postfix.push_back(Q);
    } else if (Q >= CodeIntegrZ && Q <= CodeOpenBracket) {
      const std::int32_t p = pref(Q);
      if (p != 0) {
        while (!stack.empty() && pref(stack.back()) >= p) {
          Postfix.push_back(stack.back());
          stack.pop_back();
        }
      }
      stack.push_back(Q);
    } else if (Q == CodeCloseBracket) {
      while (!stack.empty()) {
        const std::int32_t top = stack.back();
        stack.pop_back();
        if (top == CodeOpenBracket) break;
        Postfix.push_back(top);
      }
    } else {
      SetError(TransPostfix, -1, MsgBadSplit);
      return;
    }
  }
  // The sequence must reduce to exactly one value: no operation may lack an operand and no
  // operand may be left over ("()", "A*()", "2d/dx(A)", "d/dx(A)d/dy(B)" are all rejected).
  bool single = stack.empty();
  std::size_t values = 0;
  for (const std::int32_t Q : Postfix) {
    if (!single) break;
    if (Q >= 0) {
      ++values;
    } else if (IsBinary(Q)) {
      if (values < 2) single = false;
      --values;
    } else if (values < 1) {
      single = false;
    }
  }
  if (!single || values != 1) {
    SetError(TransPostfix, -1, MsgNotation);
    return;
  }
  IsError = false;
}

TPolinom TFPolTrans::Calculate() {
  if (!IsReady) return TPolinom();
  int I = static_cast<int>(Postfix.size()) - 1;
  bool Err = false;
  TPolinom R = CalcPostfix(I, Err);
  // A coefficient that overflowed the float range is as much out of range as a power past 99.
  if (!Err && !AllCoeffsFinite(R)) Err = true;
  if (Err) {
    SetError(TransRange, -1, MsgRange);
    return TPolinom();
  }
  IsError = false;
  SetRetCode(0);
  return R;
}

TPolinom TFPolTrans::Power(TPolinom& Base, std::int32_t N, bool& Err) {
  TPolinom result = MonomPol(1.0f, 0);
  if (N <= 0) return result;
  // Products one at a time, as long as a base with a variable can still be below the limit.
  const std::int32_t linear = N < LinearPowerSteps ? N : LinearPowerSteps;
  for (std::int32_t k = 0; k < linear; ++k) {
    TPolinom next = result * Base;
    if (result.GetOverflow()) {
      Err = true;
      return TPolinom();
    }
    result = std::move(next);
    if (result.IsEmpty()) return result; // zero stays zero
  }
  // The rest by squaring, so that a constant base (or one whose coefficients died away to zero)
  // finishes at once for any exponent.
  std::int32_t rest = N - linear;
  TPolinom square = Base;
  while (rest > 0) {
    if (rest & 1) {
      TPolinom next = result * square;
      if (result.GetOverflow()) {
        Err = true;
        return TPolinom();
      }
      result = std::move(next);
      if (result.IsEmpty()) return result;
    }
    rest >>= 1;
    if (rest > 0) {
      TPolinom next = square * square;
      if (square.GetOverflow()) {
        Err = true;
        return TPolinom();
      }
      square = std::move(next);
    }
  }
  return result;
}

// Phase 3. The subexpression ending at I is found by counting operands backwards and is then
// evaluated forwards with a stack of values, so deep formulas need no deep recursion. Each
// operation's operands are complete before it runs, exactly as in a right-before-left
// recursive descent, and the results are the same.
TPolinom TFPolTrans::CalcPostfix(int& I, bool& Err) {
  if (Err) return TPolinom();
  if (I < 0 || I >= static_cast<int>(Postfix.size())) {
    Err = true;
    return TPolinom();
  }
  int need = 1;
  int first = I;
  for (;; --first) {
    if (first < 0) {
      Err = true;
      return TPolinom();
    }
    const std::int32_t Q = Postfix[static_cast<std::size_t>(first)];
    need += Q >= 0 ? -1 : IsBinary(Q) ? 1 : 0;
    if (need == 0) break;
  }

  std::vector<TPolinom> values;
  for (int j = first; j <= I; ++j) {
    const std::int32_t Q = Postfix[static_cast<std::size_t>(j)];
    if (Q >= 0) {
      values.push_back(Leks[static_cast<std::size_t>(Q)].Pol);
      continue;
    }
    if (values.empty() || (IsBinary(Q) && values.size() < 2)) {
      Err = true;
      return TPolinom();
    }
    TPolinom Right = std::move(values.back());
    values.pop_back();
    TPolinom result;
    if (IsBinary(Q)) {
      TPolinom Left = std::move(values.back());
      values.pop_back();
      switch (Q) {
      case CodeAdd:
        result = Left + Right;
        break;
      case CodeSub:
        result = Left - Right;
        break;
      case CodeMul:
        result = Left * Right;
        if (Left.GetOverflow()) Err = true;
        break;
      default:
        result = Power(Left, ToExponent(FirstCoeff(Right)), Err);
        break;
      }
    } else if (Q >= CodeDerivZ) {
      result = Right.Derivative("xyz"[CodeDerivX - Q]);
    } else {
      result = Right.Integral("xyz"[CodeIntegrX - Q]);
      if (Right.GetOverflow()) Err = true;
    }
    if (Err) return TPolinom();
    values.push_back(std::move(result));
  }
  I = first;
  return std::move(values.back());
}

TPolLeks TFPolTrans::GetFirstLeks() {
  CurLeks = 0;
  if (Leks.empty()) return EmptyLeks();
  return Leks.front();
}

bool TFPolTrans::IsLeksEnd() const {
  return CurLeks >= GetLeksCount();
}

TPolLeks TFPolTrans::GetNextLeks() {
  if (!IsLeksEnd()) ++CurLeks;
  if (Leks.empty() || IsLeksEnd()) return EmptyLeks();
  return Leks[static_cast<std::size_t>(CurLeks)];
}

} // namespace TRANSSTRUCT
