// Text form of a polynomial: reading with numbered error messages and writing.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/TPolTextParts.h"
#include "core/TPolinom.h"
#include "core/TText.h"

namespace LISTSTRUCT {

namespace {

// The kinds of TPolReadError; each message's monomial number and variable are arguments.
enum TErrKind : uint8_t { NotEntered, CoeffOrVarError, VarError, PowerError, RangeError };

constexpr const char* Context = "TPolinom";

DSTRUCT::TText ErrMessage(const TPolReadError& error) {
  const std::string monom = std::to_string(error.Monom);
  const std::string var(1, error.Var);
  switch (error.Kind) {
  case NotEntered:
    return {Context, TERMIX_TEXT("TPolinom", "Полином не введён!"), {}};
  case CoeffOrVarError:
    return {Context,
            TERMIX_TEXT("TPolinom",
                        "Ошибка в коэффициенте или в определении переменной монома! [Mon№%1]"),
            {monom}};
  case VarError:
    return {Context, TERMIX_TEXT("TPolinom", "Ошибка в определении переменной! [Mon№%1]"), {monom}};
  case PowerError:
    return {
        Context, TERMIX_TEXT("TPolinom", "Ошибка в степени переменной %1! [Mon№%2]"), {var, monom}};
  default: // the letter and the text after it are written without a space between them
    return {Context,
            TERMIX_TEXT("TPolinom", "Значение степени переменной %1выходит за область "
                                    "допустимых значений! [Mon№%2]"),
            {var, monom}};
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a coefficient: digits with an optional "." fraction (at least one digit
// in all) and an optional exponent, E or e followed by digits. Nothing else is
// accepted, and a value that does not fit a float (too large, or so small that
// it would round to zero) is a failed conversion.
bool ReadCoeff(std::string_view text, float& value) {
  size_t i = 0, digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    size_t expDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != text.size()) return false;
  float result = 0.0f;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(result)) return false;
  value = result;
  return true;
}

// Reads a power: decimal digits only, and the value must fit an int.
bool ReadPower(std::string_view text, int& value) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  int result = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = result;
  return true;
}

// Writes |c| rounded to 4 significant digits, as briefly as possible: fixed
// notation from 0.0001 up to below 10000, plain decimals below that (so the text
// has no minus sign that would read as a separator), exponent notation above.
std::string CoeffText(float c) {
  const float a = std::fabs(c);
  if (!std::isfinite(a)) return std::isnan(a) ? "nan" : "inf";
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 3);
  const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf)); // d.ddde±xx
  std::string digits;
  digits += sci[0];
  digits += sci.substr(2, 3);
  const size_t ePos = sci.find('e');
  int exp10 = 0;
  std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                  exp10);
  if (exp10 == 38 && digits > "3402") {
    // 3.403E38 lies beyond the largest float and would not read back: the
    // largest floats are written rounded down instead.
    digits = "3402";
  }
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out;
  if (exp10 >= 4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exp10);
  } else if (exp10 >= 0) {
    const size_t intLen = static_cast<size_t>(exp10) + 1;
    if (digits.size() <= intLen) {
      out = digits + std::string(intLen - digits.size(), '0');
    } else {
      out = digits.substr(0, intLen) + "." + digits.substr(intLen);
    }
  } else {
    out = "0." + std::string(static_cast<size_t>(-exp10 - 1), '0') + digits;
  }
  return out;
}

// Writes |c| so that it reads back as exactly the same float: the display form above where
// that already reads back exactly (so ordinary coefficients keep their familiar text),
// otherwise the shortest decimal that reads back. A negative exponent would hold a minus
// sign, which the reader takes for a monomial separator, so such values are written in fixed
// notation; a positive one is written as the reader's "E" with its digits.
std::string ExactCoeffText(float c) {
  std::string shown = CoeffText(c);
  float back = 0.0f;
  const float a = std::fabs(c);
  if (!std::isfinite(a) || (ReadCoeff(shown, back) && back == a)) return shown;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, a);
  std::string_view shortest(buf, static_cast<size_t>(res.ptr - buf));
  const size_t e = shortest.find('e');
  if (e == std::string_view::npos) return std::string(shortest);
  if (shortest[e + 1] == '-') {
    res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    return std::string(buf, res.ptr);
  }
  std::string_view exponent = shortest.substr(e + 2); // after "e+"
  while (exponent.size() > 1 && exponent.front() == '0')
    exponent.remove_prefix(1);
  return std::string(shortest.substr(0, e)) + "E" + std::string(exponent);
}

// The most digits a LaTeX coefficient is written with in fixed notation.
constexpr int LatexFixedDigits = 7;

// Writes |c| for LaTeX: the shortest decimal that reads back as the same float, in fixed
// notation unless that needs more than LatexFixedDigits digits (leading zeros of a fraction
// counted, the zero before its point not), then as mantissa times a power of ten.
std::string LatexCoeffText(float c) {
  const float a = std::fabs(c);
  if (std::isinf(a)) return "\\infty";
  if (std::isnan(a)) return "\\mathrm{NaN}";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
  const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf)); // d.ddde±xx
  const size_t e = sci.find('e');
  int exp10 = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exp10);
  const int mantissaDigits = static_cast<int>(e > 1 ? e - 1 : e);
  const int fixedDigits =
      exp10 >= 0 ? std::max(mantissaDigits, exp10 + 1) : mantissaDigits - exp10 - 1;
  if (fixedDigits <= LatexFixedDigits) {
    res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    return std::string(buf, res.ptr);
  }
  return std::string(sci.substr(0, e)) + "\\cdot 10^{" + std::to_string(exp10) + "}";
}

// A monomial as read, with its number in the text.
struct TTerm {
  float Coeff;
  int Index;
  int N;
};

// Builds pol from the terms exactly as adding them one by one in reading order with AddMonom
// would, in O(n log n) instead of O(n^2): a sort by descending index that keeps the reading
// order of like terms, then one merge in which each sum is formed in that order and a sum of
// 0 is dropped (the next like term starts afresh). Returns the number of the first monomial
// whose sum is no finite number (0 when there is none); pol is then incomplete.
int MergeTerms(std::vector<TTerm>& terms, TPolinom& pol) {
  std::stable_sort(terms.begin(), terms.end(),
                   [](const TTerm& a, const TTerm& b) { return a.Index > b.Index; });
  int overflowAt = 0;
  for (size_t i = 0; i < terms.size();) {
    const int index = terms[i].Index;
    bool present = false;
    float sum = 0.0f;
    for (; i < terms.size() && terms[i].Index == index; ++i) {
      if (!present) {
        sum = terms[i].Coeff;
        present = true;
        continue;
      }
      sum = sum + terms[i].Coeff;
      if (sum == 0.0f) {
        present = false;
      } else if (!std::isfinite(sum) && (overflowAt == 0 || terms[i].N < overflowAt)) {
        overflowAt = terms[i].N;
      }
    }
    if (present) pol.InsLast(new TMonom(sum, index));
  }
  return overflowAt;
}

// Walks pol's monomials in list order and joins the terms that writeTerm gives for each
// (coefficient, index) with their signs: " + " between terms, " - " before a term whose
// coefficient is not above 0, and firstMinus instead when that term is the first.
template <class WriteTerm>
std::string JoinMonoms(TPolinom& pol, const char* firstMinus, WriteTerm writeTerm) {
  std::string out;
  bool first = true;
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink()) {
    const TMonom* m = pol.GetMonom();
    const float c = m->GetCoeff();
    if (c > 0.0f) {
      if (!first) out += " + ";
    } else {
      out += first ? firstMinus : " - ";
    }
    first = false;
    out += writeTerm(c, m->GetIndex());
  }
  return out;
}

} // namespace

// The cuts into monomial texts and factors (core/TPolTextParts.h).
TMonomText TakeMonomText(std::string_view& rest, int n, bool negative) {
  if (n == 1 && !rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    negative = rest[0] == '-';
    rest.remove_prefix(1);
  }
  TMonomText mon;
  mon.Negative = negative;
  const size_t sep = rest.find_first_of("+-");
  mon.Last = sep == std::string_view::npos;
  mon.Text = mon.Last ? rest : rest.substr(0, sep);
  mon.NextNegative = !mon.Last && rest[sep] == '-';
  rest = mon.Last ? std::string_view() : rest.substr(sep + 1);
  return mon;
}

int FactorVariable(std::string_view factor) {
  if (factor.size() != 1 && (factor.size() < 2 || factor[1] != '^')) return -1;
  switch (factor[0]) {
  case 'X':
  case 'x':
    return 0;
  case 'Y':
  case 'y':
    return 1;
  case 'Z':
  case 'z':
    return 2;
  }
  return -1;
}

namespace {

// Reads the factors of monomial n ("x", "y^2", split at '*') into pow. Returns false with the
// rejection in error; omitted tells whether the monomial had no coefficient.
bool ReadFactors(std::string_view mon, bool omitted, int n, int pow[3], TPolReadError& error) {
  auto refuse = [&](TErrKind kind, char letter) {
    error = {kind, letter, n};
    return false;
  };
  for (bool first = true;; first = false) {
    const size_t next = mon.find('*');
    const std::string_view factor = mon.substr(0, next);
    const int v = FactorVariable(factor);
    if (v < 0) return refuse(first && omitted ? CoeffOrVarError : VarError, 0);
    const char letter = "XYZ"[v];
    const std::string_view powerText = factor.size() > 2 ? factor.substr(2) : "";
    if (powerText.empty()) {
      pow[v] = 1; // set, not added: "x^2*x" reads as x
    } else {
      int p = 0;
      if (!ReadPower(powerText, p)) return refuse(PowerError, letter);
      // The power so far is 0..99, so the sum is checked without overflow.
      if (p > MaxPower - pow[v]) return refuse(RangeError, letter);
      pow[v] += p;
    }
    if (pow[v] < 0 || pow[v] > MaxPower) return refuse(RangeError, letter);
    if (next == std::string_view::npos) return true;
    mon = mon.substr(next + 1);
  }
}

// Reads the monomials of work (the input without spaces) into terms, in reading order, up to
// the first that is rejected. Returns false with that rejection in error.
bool ReadTerms(std::string_view work, std::vector<TTerm>& terms, TPolReadError& error) {
  std::string_view rest(work);
  bool negative = false;
  for (int n = 1;; ++n) {
    const TMonomText mon = TakeMonomText(rest, n, negative);
    // Coefficient: the text before the first '*', or the whole monomial text.
    std::string_view factors = mon.Text;
    const size_t star = factors.find('*');
    float coeff = 1.0f;
    const bool omitted = !ReadCoeff(factors.substr(0, star), coeff);
    if (omitted) {
      coeff = 1.0f;
    } else {
      // A coefficient alone, or followed by '*' and nothing else, is a constant.
      factors = star == std::string_view::npos ? std::string_view() : factors.substr(star + 1);
    }
    if (mon.Negative) coeff = -coeff;
    int pow[3] = {0, 0, 0};
    if ((omitted || !factors.empty()) && !ReadFactors(factors, omitted, n, pow, error))
      return false;
    if (coeff != 0.0f) terms.push_back({coeff, TMonom::MakeIndex(pow[0], pow[1], pow[2]), n});
    if (mon.Last) return true;
    negative = mon.NextNegative;
  }
}

// The variables of a monomial in the text form: "X^2*Y*Z", with each factor after a
// coefficient joined by '*'.
std::string TermText(std::string coeff, int index) {
  std::string term = std::move(coeff);
  if (!term.empty() && index != 0) term += '*';
  const int px = TMonom::PowX(index), py = TMonom::PowY(index), pz = TMonom::PowZ(index);
  if (px == 1)
    term += "X*";
  else if (px > 1)
    term += "X^" + std::to_string(px) + "*";
  if (py == 1)
    term += "Y*";
  else if (py > 1)
    term += "Y^" + std::to_string(py) + "*";
  if (pz == 1)
    term += "Z";
  else if (pz > 1)
    term += "Z^" + std::to_string(pz);
  if (!term.empty() && term.back() == '*') term.pop_back();
  return term;
}

// The text form with coefficients written by coeffText; a coefficient of magnitude 1 is left
// out before variables.
template <class CoeffText> std::string PolText(TPolinom& pol, CoeffText coeffText) {
  return JoinMonoms(pol, " - ", [&](float c, int index) {
    return TermText(std::fabs(c) != 1.0f || index == 0 ? coeffText(c) : std::string(), index);
  });
}

} // namespace

std::string TPolinom::GetErrText() const {
  return GetErrMessage().Text();
}

DSTRUCT::TText TPolinom::GetErrMessage() const {
  if (Correct) return {Context, TERMIX_TEXT("TPolinom", "Ошибки не обнаружены."), {}};
  return ErrMessage(ReadError);
}

void TPolinom::SetText(const std::string& text) {
  Correct = false;
  SetRetCode(DataOK);
  auto reject = [this](const TPolReadError& error) {
    ReadError = error;
    SetRetCode(DataErr);
  };
  if (text.empty()) {
    reject({NotEntered, 0, 0});
    return;
  }
  std::string work;
  work.reserve(text.size());
  for (char c : text)
    if (c != ' ') work += c;

  // The monomials in reading order; merged at the end (see MergeTerms).
  std::vector<TTerm> terms;
  terms.reserve(work.size() / 8 + 1);
  TPolReadError syntaxError;
  const bool read = ReadTerms(work, terms, syntaxError);
  TPolinom result;
  // Like terms whose sum leaves the float range give a coefficient that no text can hold:
  // such a text is refused like an unreadable coefficient, at the monomial that made the sum
  // overflow. That monomial comes before any monomial that failed to read.
  const int overflowAt = MergeTerms(terms, result);
  if (overflowAt > 0) {
    reject({CoeffOrVarError, 0, overflowAt});
    return;
  }
  if (!read) {
    reject(syntaxError);
    return;
  }
  *this = std::move(result);
  Correct = true;
  SetRetCode(DataOK);
}

std::string TPolinom::GetText() {
  std::string out = PolText(*this, CoeffText);
  SetRetCode(DataOK);
  return out;
}

std::string TPolinom::GetExactText() {
  std::string out = PolText(*this, ExactCoeffText);
  SetRetCode(DataOK);
  return out;
}

std::string TPolinom::GetLatex() {
  std::string out = JoinMonoms(*this, "-", [](float c, int index) {
    std::string term;
    if (index == 0 || std::fabs(c) != 1.0f) {
      term += LatexCoeffText(c);
      // A letter straight after a command would lengthen its name.
      if (index != 0 && term.back() >= 'a' && term.back() <= 'z') term += ' ';
    }
    const int powers[3] = {TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)};
    for (int v = 0; v < 3; ++v) {
      if (powers[v] == 0) continue;
      term += "xyz"[v];
      if (powers[v] > 1) term += "^{" + std::to_string(powers[v]) + "}";
    }
    return term;
  });
  if (out.empty()) out = "0";
  SetRetCode(DataOK);
  return out;
}

} // namespace LISTSTRUCT
