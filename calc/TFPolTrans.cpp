#include "calc/TFPolTrans.h"

#include "calc/TSumChain.h"
#include "calc/TTransObserver.h"
#include "tables/TBasePTab.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <optional>
#include <system_error>
#include <utility>

namespace TRANSSTRUCT {

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

const char* const Context = "TFPolTrans";
const char* const MsgNoFormula = TERMIX_TEXT("TFPolTrans", "Выражение не введено ! [0]");
const char* const MsgNoTable = TERMIX_TEXT("TFPolTrans", "Нет доступа к таблице полиномов !");
const char* const MsgCorrect = TERMIX_TEXT("TFPolTrans", "Выражение введено правильно.");
const char* const MsgBadChar =
    TERMIX_TEXT("TFPolTrans", "Выражение содержит недопустимые символы ! [%1]");
const char* const MsgBrackets = TERMIX_TEXT("TFPolTrans", "Неправильно расставлены скобки ! [%1]");
const char* const MsgArith =
    TERMIX_TEXT("TFPolTrans", "Ошибки в расстановке арифметических операций ! [%1]");
const char* const MsgPower =
    TERMIX_TEXT("TFPolTrans", "Ошибка в использовании операции возведения в степень ! [%1]");
const char* const MsgDeriv =
    TERMIX_TEXT("TFPolTrans", "Ошибки в расстановке операций дифференцирования ! [%1]");
const char* const MsgIntegr =
    TERMIX_TEXT("TFPolTrans", "Ошибки в расстановке операций интегрирования ! [%1]");
const char* const MsgLeksLetter =
    TERMIX_TEXT("TFPolTrans", "Лексема должна начинаться с символа ! [%1]");
const char* const MsgNotFound =
    TERMIX_TEXT("TFPolTrans", "Полином с именем '%1' в таблице не найден ! [%2]");
const char* const MsgBadSplit =
    TERMIX_TEXT("TFPolTrans", "Выражение ошибочно разобрано на лексемы ! [?]");
const char* const MsgNotation = TERMIX_TEXT("TFPolTrans", "Ошибки в записи выражения ! [?]");
const char* const MsgRange = TransRangeText;
const char* const MsgTooLarge = TransTooLargeText;
const char* const MsgCancelled = TransCancelledText;

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsVarLetter(char c) {
  return c == 'x' || c == 'y' || c == 'z';
}

// The index of the variable named N (X, Y, Z in either case), 0 for any other name.
int VariableIndex(const std::string& N) {
  if (N.size() != 1) return 0;
  switch (N[0]) {
  case 'X':
  case 'x':
    return 10000;
  case 'Y':
  case 'y':
    return 100;
  case 'Z':
  case 'z':
    return 1;
  default:
    return 0;
  }
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

DSTRUCT::TText Text(const char* pattern) {
  return DSTRUCT::TText{Context, pattern, {}};
}
DSTRUCT::TText WithPos(const char* pattern, int pos) {
  return DSTRUCT::TText{Context, pattern, {std::to_string(pos)}};
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

// An exponent read from a float coefficient: its exact value truncated toward zero. Floats from
// 2^63 up (and infinity) are even integers beyond any loop; they become the largest even 64-bit
// integer, which keeps their parity.
std::int64_t ToExponent(float v) {
  constexpr float twoTo63 = 9223372036854775808.0f;
  if (std::isnan(v)) return 0;
  if (v >= twoTo63) return std::numeric_limits<std::int64_t>::max() - 1;
  if (v < -twoTo63) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
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

// A float as mantissa * 2^(Scale - 150): Scale is the exponent field, 1 for the subnormals,
// which share the spacing 2^-149 with the lowest binade of normal floats.
struct FloatParts {
  std::int64_t Mantissa;
  int Scale;
};

FloatParts SplitFloat(float a) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(a);
  const int field = static_cast<int>(bits >> 23 & 0xFF);
  const std::int64_t fraction = bits & 0x7FFFFF;
  return field == 0 ? FloatParts{fraction, 1} : FloatParts{fraction | 0x800000, field};
}

float JoinFloat(std::int64_t mantissa, int scale) {
  constexpr std::int64_t hidden = std::int64_t{1} << 23;
  const std::uint32_t bits = mantissa >= hidden ? static_cast<std::uint32_t>(scale) << 23 |
                                                      static_cast<std::uint32_t>(mantissa - hidden)
                                                : static_cast<std::uint32_t>(mantissa);
  return std::bit_cast<float>(bits);
}

// |c|^N as the N repeated float products 1 * |c| * |c| * ... (each one rounded), stopping at 0,
// at an infinity or where one more product changes nothing. A base within a few units of 1
// needs up to 2^23 products per binade, so runs of products that add (or take) the same number
// d of units of the last place are made at once: for a product in units of a's last place,
// m * C = m + m * K / 2^23 (C in (1, 2)) rounds to m + d exactly while
// (2d - 1) 2^22 < m K < (2d + 1) 2^22 and the result stays in a's binade; likewise
// m - m * K / 2^24 for C in [0.5, 1). Ties and binade changes take single products.
float RepeatedProductMagnitude(float c, std::int64_t N) {
  constexpr std::int64_t half = std::int64_t{1} << 23, full = std::int64_t{1} << 24;
  const float C = std::fabs(c);
  const bool growing = C > 1.0f && C < 2.0f, shrinking = C >= 0.5f && C < 1.0f;
  const std::int64_t K = growing     ? static_cast<std::int64_t>(C * 8388608.0f) - half
                         : shrinking ? full - static_cast<std::int64_t>(C * 16777216.0f)
                                     : 0;
  float a = 1.0f;
  for (std::int64_t k = 0; k < N;) {
    if (K > 0) {
      const FloatParts parts = SplitFloat(a);
      const std::int64_t m = parts.Mantissa, r = m * K;
      if (growing && (r & (half - 1)) != half / 2) {
        const std::int64_t d = (r + half / 2) >> 23;
        if (d == 0) return a;
        const std::int64_t last = std::min((((2 * d + 1) << 22) - 1) / K, full - 1 - d);
        if (m < last) {
          const std::int64_t steps = std::min((last - m) / d + 1, N - k);
          a = JoinFloat(m + steps * d, parts.Scale);
          k += steps;
          continue;
        }
      } else if (shrinking && (r & (full - 1)) != half) {
        const std::int64_t d = (r + half) >> 24;
        if (d == 0) return a;
        // The exact product must stay half a unit above the binade's floor to round in it.
        const std::int64_t floor = parts.Scale > 1 ? half + 1 : 1;
        const std::int64_t last = std::max(((2 * d - 1) << 23) / K + 1, floor + d);
        if (m > last) {
          const std::int64_t steps = std::min((m - last) / d + 1, N - k);
          a = JoinFloat(m - steps * d, parts.Scale);
          k += steps;
          continue;
        }
      }
    }
    const float b = a * C;
    ++k;
    if (b == 0.0f || !std::isfinite(b) || b == a) return b;
    a = b;
  }
  return a;
}

// Bit for bit the same monomials; with negate, q holds p's monomials with negated coefficients.
bool SameMonoms(TPolinom& p, TPolinom& q, bool negate) {
  if (p.GetListLength() != q.GetListLength()) return false;
  for (p.ResetList(), q.ResetList(); !p.IsListEnded(); p.GoNextLink(), q.GoNextLink()) {
    const TMonom* a = p.GetMonom();
    const TMonom* b = q.GetMonom();
    const float c = negate ? -b->GetCoeff() : b->GetCoeff();
    if (a->GetIndex() != b->GetIndex() ||
        std::bit_cast<std::uint32_t>(a->GetCoeff()) != std::bit_cast<std::uint32_t>(c))
      return false;
  }
  return true;
}

// True when the product of p and q would clamp a power at the limit: the sum of the largest
// powers of some variable passes it.
bool ProductPassesLimit(TPolinom& p, TPolinom& q) {
  const TPolinom::TPowers a = p.MaxPowers(), b = q.MaxPowers();
  return a.X + b.X > LISTSTRUCT::MaxPower || a.Y + b.Y > LISTSTRUCT::MaxPower ||
         a.Z + b.Z > LISTSTRUCT::MaxPower;
}

float FirstCoeff(TPolinom& p) {
  if (p.IsEmpty()) return 0.0f;
  p.ResetList();
  return p.GetMonom()->GetCoeff();
}

bool IsBinary(std::int32_t code) {
  return code >= CodePower && code <= CodeAdd;
}

// A postfix sequence that reduces to exactly one value: no operation lacks an operand and no
// operand is left over ("()", "A*()", "2d/dx(A)", "d/dx(A)d/dy(B)" do not).
bool IsSingleExpression(const std::vector<std::int32_t>& postfix) {
  std::size_t values = 0;
  for (const std::int32_t Q : postfix) {
    if (Q >= 0) {
      ++values;
    } else if (IsBinary(Q)) {
      if (values < 2) return false;
      --values;
    } else if (values < 1) {
      return false;
    }
  }
  return values == 1;
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
  Message = Text(MsgNoFormula);
  if (table != nullptr) {
    pTable = table;
  } else {
    SetRetCode(TransNoTable);
    Message = Text(MsgNoTable);
  }
  // Number text is read with std::from_chars, which always takes "." as the decimal separator,
  // whatever the process locale says.
  ErrPos = 0;
  IsError = true;
  IsReady = false;
}

TFPolTrans::~TFPolTrans() = default;

std::int64_t TFPolTrans::PowerExponent(float value) {
  return ToExponent(value);
}

void TFPolTrans::SetError(int code, int pos, DSTRUCT::TText message) {
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
    Message = Text(MsgNoFormula);
  }
  if (pTable == nullptr) {
    SetRetCode(TransNoTable);
    IsError = true;
    Message = Text(MsgNoTable);
  }
  ErrPos = 0;
  ParseFormula();
  if (IsError) return;
  MakePostfix();
  if (!IsError) IsReady = true;
}

std::string TFPolTrans::GetMessage() const {
  return GetMessageText().Text();
}

DSTRUCT::TText TFPolTrans::GetMessageText() const {
  return IsError ? Message : Text(MsgCorrect);
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

  std::string S;
  if (!RemoveSpaces(S) || !CheckBrackets(S)) return;
  Infix.clear();
  Leks.clear();
  LeksIndex.clear();
  Infix.reserve(S.size() + 2);
  Infix.push_back(CodeOpenBracket);
  if (!ScanOperators(S)) return;
  Infix.push_back(CodeCloseBracket);
  Message = Text(MsgCorrect);
  IsError = false;
}

// Character check and space removal in one pass: w counts the characters kept so far.
bool TFPolTrans::RemoveSpaces(std::string& S) {
  S.assign(Formula.size(), '\0');
  std::size_t w = 0;
  for (char c : Formula) {
    if (!IsAllowed(c)) {
      const int pos = static_cast<int>(w) + 1;
      SetError(TransBadChar, pos, WithPos(MsgBadChar, pos));
      return false;
    }
    if (c != ' ') S[w++] = c;
  }
  S.resize(w);
  if (S.empty()) {
    SetError(TransNoFormula, 0, Text(MsgNoFormula));
    return false;
  }
  if (Observer != nullptr) Observer->Notice(TransEvent(TTransEventKind::Cleaned, 0, 0, S));
  return true;
}

// Only "(" is ever pushed on the bracket stack, so the stack is its depth.
bool TFPolTrans::CheckBrackets(const std::string& S) {
  int depth = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '(') {
      ++depth;
    } else if (S[i] == ')') {
      if (depth == 0) {
        const int pos = static_cast<int>(i) + 1;
        SetError(TransBrackets, pos, WithPos(MsgBrackets, pos));
        return false;
      }
      --depth;
    }
  }
  if (depth != 0) {
    const int pos = static_cast<int>(S.size()) + 1;
    SetError(TransBrackets, pos, WithPos(MsgBrackets, pos));
    return false;
  }
  return true;
}

// No operator begins at or before Prev: every earlier one has become '#', so the next
// operator of the text is the first one found after Prev. The operand text before an operator
// is handled after the operator has passed its check, and before its code is appended.
bool TFPolTrans::ScanOperators(std::string& S) {
  int Prev = 0;
  for (;;) {
    int P = 0;
    for (std::size_t i = static_cast<std::size_t>(Prev); i < S.size(); ++i) {
      if (OperatorAt(S, i)) {
        P = static_cast<int>(i) + 1;
        break;
      }
    }
    std::int32_t operCode = 0;
    if (P > 0 && !ReadOperator(S, P, operCode)) return false;

    const int tEnd = P == 0 ? static_cast<int>(S.size()) : P - 1; // last character, 1-based
    if (tEnd > Prev) {
      const std::string T =
          S.substr(static_cast<std::size_t>(Prev), static_cast<std::size_t>(tEnd - Prev));
      if (!ParseOperand(T, Prev)) return false;
    }
    if (P == 0) return true;
    Infix.push_back(operCode);
    S[static_cast<std::size_t>(P - 1)] = '#';
    if (Observer != nullptr) {
      TTransEvent event = TransEvent(TTransEventKind::Appended, 0, operCode);
      event.Count = static_cast<int>(Infix.size());
      Observer->Notice(event);
    }
    Prev = P;
  }
}

bool TFPolTrans::ReadOperator(std::string& S, int P, std::int32_t& code) {
  const int Length = static_cast<int>(S.size());
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
      return false;
    }
    code = op == '+' ? CodeAdd : op == '-' ? CodeSub : op == '*' ? CodeMul : CodePower;
    if (Observer != nullptr) Observer->Notice(TransEvent(TTransEventKind::Operator, P, code, S));
    return true;
  }
  // A derivative form "d/dv" (4 characters) or an integral form "int~dv" (6 characters); one
  // character after the form is accepted without the bracket ("d/dxa").
  const bool deriv = op == 'd';
  const int formLen = deriv ? 4 : 6;
  if ((Length - formLen > P && S[P - 1 + formLen] != '(') || P + formLen - 1 == Length) {
    SetError(TransOperPlace, P, WithPos(deriv ? MsgDeriv : MsgIntegr, P));
    return false;
  }
  const char V = S[P - 1 + formLen - 1];
  const int var = V == 'x' ? 0 : V == 'y' ? 1 : 2;
  code = (deriv ? CodeDerivX : CodeIntegrX) - var;
  if (Observer != nullptr) Observer->Notice(TransEvent(TTransEventKind::Operator, P, code, S));
  // The form shrinks to the one character that marks a handled operator.
  S[static_cast<std::size_t>(P - 1)] = '#';
  S.erase(static_cast<std::size_t>(P), static_cast<std::size_t>(formLen - 1));
  return true;
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

  TOperandKind kind = TOperandKind::Reused;
  int found = 0;
  std::int32_t index = -1;
  if (auto known = LeksIndex.find(N); known != LeksIndex.end()) {
    index = known->second;
  } else {
    index = NewLeks(N, namePos, kind, found);
    if (index < 0) return false;
  }
  Infix.push_back(index);
  for (int k = 0; k < K; ++k)
    Infix.push_back(CodeCloseBracket);
  TellOperand(N, namePos, index, kind, found);
  return true;
}

std::int32_t TFPolTrans::NewLeks(const std::string& N, int namePos, TOperandKind& kind,
                                 int& found) {
  double R = 0.0;
  if (TextToNumber(N, R)) {
    // A number that is 0 as a float is the zero polynomial: a polynomial never holds a
    // monomial with the coefficient 0, which would print as " - 0" and leak into results.
    const float coeff = ToCoeff(R);
    kind = TOperandKind::Number;
    Leks.push_back(TPolLeks{N, coeff == 0.0f ? TPolinom() : MonomPol(coeff, 0), true});
  } else if (!IsLetter(N[0])) {
    SetError(TransBadLeks, namePos, WithPos(MsgLeksLetter, namePos));
    return -1;
  } else if (const int variable = VariableIndex(N); variable > 0) {
    kind = TOperandKind::Variable;
    Leks.push_back(TPolLeks{N, MonomPol(1.0f, variable), false});
  } else {
    // A table polynomial: read straight into the new lexeme, dropped again if not found.
    kind = TOperandKind::Table;
    Leks.push_back(TPolLeks{N, TPolinom(), false});
    found = pTable->FindRecord(N, Leks.back().Pol);
    if (found < 0) {
      Leks.pop_back();
      TellOperand(N, namePos, -1, kind, found);
      SetError(TransBadLeks, namePos,
               DSTRUCT::TText{Context, MsgNotFound, {N, std::to_string(namePos)}});
      return -1;
    }
  }
  const auto index = static_cast<std::int32_t>(Leks.size()) - 1;
  LeksIndex.emplace(N, index);
  return index;
}

void TFPolTrans::TellOperand(const std::string& N, int namePos, std::int32_t index,
                             TOperandKind kind, int found) {
  if (Observer == nullptr) return;
  TTransEvent event = TransEvent(TTransEventKind::Operand, namePos, index, N);
  event.Count = static_cast<int>(Infix.size());
  event.Operand = kind;
  event.Found = found;
  Observer->Notice(event);
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
  const auto tell = [this](TTransEventKind kind, std::int32_t code, int position = 0) {
    if (Observer != nullptr) Observer->Notice(TransEvent(kind, position, code));
  };
  const auto output = [&](std::int32_t code) {
    Postfix.push_back(code);
    tell(TTransEventKind::Output, code);
  };
  for (std::size_t i = 0; i < Infix.size(); ++i) {
    const std::int32_t Q = Infix[i];
    tell(TTransEventKind::Read, Q, static_cast<int>(i));
    if (Q >= 0 && Q < GetLeksCount()) {
      output(Q);
    } else if (Q >= CodeIntegrZ && Q <= CodeOpenBracket) {
      const std::int32_t p = pref(Q);
      if (p != 0) {
        while (!stack.empty() && pref(stack.back()) >= p) {
          output(stack.back());
          stack.pop_back();
        }
      }
      stack.push_back(Q);
      tell(TTransEventKind::Push, Q);
    } else if (Q == CodeCloseBracket) {
      while (!stack.empty()) {
        const std::int32_t top = stack.back();
        stack.pop_back();
        if (top == CodeOpenBracket) {
          tell(TTransEventKind::Drop, top);
          break;
        }
        output(top);
      }
    } else {
      SetError(TransPostfix, -1, Text(MsgBadSplit));
      return;
    }
  }
  if (!stack.empty() || !IsSingleExpression(Postfix)) {
    SetError(TransPostfix, -1, Text(MsgNotation));
    return;
  }
  IsError = false;
}

TPolinom TFPolTrans::Calculate() {
  return Calculate(nullptr);
}

TPolinom TFPolTrans::Calculate(DSTRUCT::TWorkControl* control) {
  if (!IsReady) return TPolinom();
  Control = control;
  int I = static_cast<int>(Postfix.size()) - 1;
  bool Err = false;
  bool tooLarge = false;
  TPolinom R;
  try {
    PlanSteps();
    R = CalcPostfix(I, Err);
    // A coefficient that overflowed the float range is as much out of range as a power past 99.
    if (!Err && !AllCoeffsFinite(R)) Err = true;
  } catch (const std::bad_alloc&) {
    Err = tooLarge = true;
  }
  const bool cancelled = Control != nullptr && Control->IsCancelled() && !tooLarge;
  Control = nullptr;
  if (cancelled) {
    SetError(TransCancelled, -1, Text(MsgCancelled));
    return TPolinom();
  }
  if (Err) {
    SetError(TransRange, -1, Text(tooLarge ? MsgTooLarge : MsgRange));
    return TPolinom();
  }
  IsError = false;
  SetRetCode(0);
  return R;
}

bool TFPolTrans::IsCancelled() const {
  return Control != nullptr && Control->IsCancelled();
}

void TFPolTrans::StepsDone(std::int64_t steps) {
  if (Control != nullptr) Control->SetDoneSteps(Control->GetDoneSteps() + steps);
}

// The products the evaluation will make, for the progress report: one per product and, for a
// power, as many as it can make before its base's powers pass the limit (one for a constant
// base, which takes no time). Bounds on the largest powers of every subexpression come from
// its operands; they may lie above the truth, never below.
void TFPolTrans::PlanSteps() {
  PlannedSteps.assign(Postfix.size(), 0);
  if (Control == nullptr) return;
  struct Bound {
    std::int64_t X, Y, Z;
    std::int64_t Max() const { return std::max({X, Y, Z}); }
  };
  static constexpr std::int64_t cap = LISTSTRUCT::MaxPower + 1;
  const auto capped = [](std::int64_t v) { return std::min(v, cap); };
  std::vector<Bound> bounds;
  std::int64_t total = 0;
  for (std::size_t j = 0; j < Postfix.size(); ++j) {
    const std::int32_t Q = Postfix[j];
    if (Q >= 0) {
      const TPolinom::TPowers powers = Leks[static_cast<std::size_t>(Q)].Pol.MaxPowers();
      bounds.push_back({powers.X, powers.Y, powers.Z});
      continue;
    }
    if (bounds.empty()) return;
    const Bound right = bounds.back();
    if (IsBinary(Q)) {
      bounds.pop_back();
      if (bounds.empty()) return;
      Bound& left = bounds.back();
      if (Q == CodeAdd || Q == CodeSub) {
        left = {std::max(left.X, right.X), std::max(left.Y, right.Y), std::max(left.Z, right.Z)};
      } else if (Q == CodeMul) {
        PlannedSteps[j] = 1;
        left = {capped(left.X + right.X), capped(left.Y + right.Y), capped(left.Z + right.Z)};
      } else {
        const std::int32_t exponentCode = Postfix[j - 1];
        const std::int64_t N =
            exponentCode >= 0
                ? ToExponent(FirstCoeff(Leks[static_cast<std::size_t>(exponentCode)].Pol))
                : 1;
        const std::int64_t degree = left.Max();
        PlannedSteps[j] = N <= 0 ? 0 : degree <= 0 ? 1 : std::min(N, cap / degree + 1);
        const std::int64_t k = std::max<std::int64_t>(PlannedSteps[j], 0);
        left = {capped(left.X * k), capped(left.Y * k), capped(left.Z * k)};
      }
    } else if (Q <= CodeIntegrX) {
      Bound& b = bounds.back();
      std::int64_t& v = Q == CodeIntegrX ? b.X : Q == CodeIntegrY ? b.Y : b.Z;
      v = capped(v + 1);
    }
    total += PlannedSteps[j];
  }
  Control->SetTotalSteps(total);
}

namespace {

// True when base has exactly one monomial with a non-zero coefficient, which goes to term (the
// others contribute nothing to a product).
bool IsOneTermBase(TPolinom& base, TMonom& term) {
  int nonZero = 0;
  for (base.ResetList(); !base.IsListEnded(); base.GoNextLink()) {
    const TMonom* m = base.GetMonom();
    if (m->GetCoeff() == 0.0f) continue;
    ++nonZero;
    term = *m;
  }
  return nonZero == 1;
}

// The N-th power (N > 0) of a constant: each product is the one float product of two
// constants, and the sign of the N products alternates with a negative base.
TPolinom ConstantPower(float constant, std::int64_t N, bool& Err) {
  const float magnitude = RepeatedProductMagnitude(constant, N);
  if (magnitude == 0.0f) return TPolinom();
  if (!std::isfinite(magnitude)) {
    Err = true;
    return TPolinom();
  }
  return MonomPol(constant < 0.0f && N % 2 != 0 ? -magnitude : magnitude, 0);
}

// The N-th power (N > 0) of one monomial holding a variable: the N products from the constant 1
// multiply the coefficients one float product at a time and add the powers. A power past the
// limit comes within 100 products, unless the coefficient has died away to 0 before.
TPolinom MonomialPower(const TMonom& base, std::int64_t N, bool& Err) {
  const int index = base.GetIndex();
  const int largest = std::max({TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)});
  float coeff = 1.0f;
  for (std::int64_t k = 1; k <= N; ++k) {
    if (k * largest > LISTSTRUCT::MaxPower) {
      Err = true;
      return TPolinom();
    }
    coeff = coeff * base.GetCoeff();
    if (coeff == 0.0f) return TPolinom();
    if (!std::isfinite(coeff)) {
      Err = true;
      return TPolinom();
    }
  }
  return MonomPol(coeff, static_cast<int>(N) * index);
}

} // namespace

TPolinom TFPolTrans::Power(TPolinom& Base, std::int64_t N, std::int64_t planned, bool& Err) {
  std::int64_t counted = 0;
  TPolinom result;
  TMonom term;
  if (N <= 0)
    result = MonomPol(1.0f, 0);
  else if (!IsOneTermBase(Base, term))
    result = RepeatedProducts(Base, N, planned, counted, Err);
  else if (term.GetIndex() == 0)
    result = ConstantPower(term.GetCoeff(), N, Err);
  else
    result = MonomialPower(term, N, Err);
  if (Err) return TPolinom();
  StepsDone(planned - counted);
  return result;
}

// The loop below forms result * Base exactly N times, but stops as soon as one more product can
// change nothing: the product is a function of its operands, so a result that comes back
// unchanged stays so, one that comes back negated alternates (a negated operand gives the
// negated product, bit for bit), and zero stays zero. A non-finite coefficient never becomes
// finite again, and a power past the limit stays past it, so both end the loop as errors.
// counted: the products reported done, at most planned.
TPolinom TFPolTrans::RepeatedProducts(TPolinom& Base, std::int64_t N, std::int64_t planned,
                                      std::int64_t& counted, bool& Err) {
  TPolinom result = MonomPol(1.0f, 0);
  for (std::int64_t k = 1; k <= N; ++k) {
    if (ProductPassesLimit(result, Base)) {
      Err = true;
      return TPolinom();
    }
    TPolinom next = result.Product(Base, Control);
    if (IsCancelled() || !AllCoeffsFinite(next)) {
      Err = true;
      return TPolinom();
    }
    if (counted < planned) {
      ++counted;
      StepsDone(1);
    }
    if (next.IsEmpty() || SameMonoms(next, result, false)) return next;
    if (SameMonoms(next, result, true))
      return (N - k) % 2 == 0 ? std::move(next) : std::move(result);
    result = std::move(next);
  }
  return result;
}

namespace {

// One value of the evaluation stack: a lexeme's polynomial, read in place until a value of its
// own is needed, a polynomial, or a chain of sums still being gathered.
struct TStackValue {
  TPolinom* Lexeme = nullptr;
  std::optional<TPolinom> Pol;
  std::optional<TSumChain> Chain;
  bool FromSum = false; // Pol is the result of a sum or a difference

  explicit TStackValue(TPolinom* lexeme) : Lexeme(lexeme) {}
  explicit TStackValue(TPolinom&& pol) : Pol(std::move(pol)) {}

  // The value as a polynomial of its own, for an operation that marks its operand.
  TPolinom& Own() {
    if (Lexeme != nullptr) {
      Pol.emplace(*Lexeme);
      Lexeme = nullptr;
    } else if (Chain) {
      Pol.emplace(Chain->Take());
      Chain.reset();
    }
    return *Pol;
  }
  // The value for an operation that only walks its operand: a lexeme is not copied.
  TPolinom& Read() { return Lexeme != nullptr ? *Lexeme : Own(); }
};

// Left := Left + Right (Left - Right with negate). A chain of two or more sums gathers its
// operands term by term, so that a long chain of small operands costs their total length
// instead of one copy of the growing result per operand; both ways form the same float sums.
void AddToLeft(TStackValue& Left, TStackValue& Right, bool negate) {
  TPolinom& right = Right.Read();
  if (!Left.Chain && Left.FromSum) {
    Left.Chain.emplace(*Left.Pol);
    Left.Pol.reset();
  }
  if (Left.Chain) {
    Left.Chain->Add(right, negate);
    return;
  }
  TPolinom& left = Left.Read();
  Left.Pol.emplace(negate ? left - right : left + right);
  Left.Lexeme = nullptr;
  Left.FromSum = true;
}

// Left := Left + Right (Left - Right with negate) formed at once, as one merge of two lists.
void AddAtOnce(TStackValue& Left, TStackValue& Right, bool negate) {
  TPolinom& left = Left.Read();
  TPolinom sum = negate ? left - Right.Read() : left + Right.Read();
  Left = TStackValue(std::move(sum));
}

} // namespace

// The index of the first code of the subexpression whose last code stands at index last of
// Postfix, found by counting operands backwards; -1 when there is none.
int TFPolTrans::SubexpressionStart(int last) const {
  if (last < 0 || last >= static_cast<int>(Postfix.size())) return -1;
  int need = 1;
  for (int first = last; first >= 0; --first) {
    const std::int32_t Q = Postfix[static_cast<std::size_t>(first)];
    need += Q >= 0 ? -1 : IsBinary(Q) ? 1 : 0;
    if (need == 0) return first;
  }
  return -1;
}

// The operation Q at index j of Postfix other than a sum or a difference, on its operands.
TPolinom TFPolTrans::Operation(std::int32_t Q, int j, TPolinom* Left, TPolinom& Right, bool& Err) {
  switch (Q) {
  case CodeMul: {
    // A product that would clamp is refused before any of its terms is formed.
    if (ProductPassesLimit(*Left, Right)) {
      Err = true;
      return TPolinom();
    }
    TPolinom result = Left->Product(Right, Control);
    if (!IsCancelled()) StepsDone(1);
    return result;
  }
  case CodePower:
    return Power(*Left, ToExponent(FirstCoeff(Right)),
                 PlannedSteps.empty() ? 0 : PlannedSteps[static_cast<std::size_t>(j)], Err);
  case CodeDerivX:
  case CodeDerivY:
  case CodeDerivZ:
    return Right.Derivative("xyz"[CodeDerivX - Q]);
  default: {
    TPolinom result = Right.Integral("xyz"[CodeIntegrX - Q]);
    if (Right.GetOverflow()) Err = true;
    return result;
  }
  }
}

// Phase 3. The subexpression ending at I is evaluated forwards with a stack of values, so deep
// formulas need no deep recursion. Each operation's operands are complete before it runs,
// exactly as in a right-before-left recursive descent, and the results are the same.
TPolinom TFPolTrans::CalcPostfix(int& I, bool& Err) {
  const int first = Err ? -1 : SubexpressionStart(I);
  if (first < 0) {
    Err = true;
    return TPolinom();
  }
  std::vector<TStackValue> values;
  for (int j = first; j <= I; ++j) {
    const std::int32_t Q = Postfix[static_cast<std::size_t>(j)];
    if (Q >= 0) {
      values.emplace_back(&Leks[static_cast<std::size_t>(Q)].Pol);
      if (Observer != nullptr) TellValue(TTransEventKind::Value, j, Q, values.back().Read(), false);
      continue;
    }
    if (values.empty() || (IsBinary(Q) && values.size() < 2)) {
      Err = true;
      return TPolinom();
    }
    TStackValue Right = std::move(values.back());
    values.pop_back();
    if (Q == CodeAdd || Q == CodeSub) {
      if (Observer == nullptr) {
        AddToLeft(values.back(), Right, Q == CodeSub);
        continue;
      }
      // Watched, each sum is formed at once, so that its value can be shown.
      AddAtOnce(values.back(), Right, Q == CodeSub);
      TellValue(TTransEventKind::Result, j, Q, values.back().Read(), false);
      continue;
    }
    std::optional<TStackValue> Left;
    if (IsBinary(Q)) {
      Left.emplace(std::move(values.back()));
      values.pop_back();
    }
    // An integral marks its operand when a power passes the limit; the others only walk theirs.
    TPolinom result = Operation(Q, j, Left ? &Left->Read() : nullptr,
                                Q <= CodeIntegrX ? Right.Own() : Right.Read(), Err);
    if (IsCancelled()) Err = true;
    if (Observer != nullptr) TellValue(TTransEventKind::Result, j, Q, result, Err);
    if (Err) return TPolinom();
    values.emplace_back(std::move(result));
  }
  I = first;
  return std::move(values.back().Own());
}

void TFPolTrans::TellValue(TTransEventKind kind, int position, std::int32_t code,
                           const TPolinom& value, bool failed) {
  TTransEvent event = TransEvent(kind, position, code);
  event.Value = &value;
  event.Failed = failed;
  Observer->Notice(event);
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
