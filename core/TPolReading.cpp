#include "core/TPolReading.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "core/TPolTextParts.h"
#include "core/TPolinom.h"

namespace LISTSTRUCT {

namespace {

constexpr const char* Context = "TPolReading";
constexpr const char* Minus = "\u2212"; // the true minus sign, wider than the hyphen

// The monomial texts of a polynomial text as the reader cuts them, each with the sign written
// in front of it ('+', '-', or 0 for a first monomial without a sign).
struct TPiece {
  std::string_view Text;
  char SignBefore = 0;
};

std::vector<TPiece> CutMonomials(std::string_view work) {
  std::vector<TPiece> pieces;
  const bool signed0 = !work.empty() && (work[0] == '+' || work[0] == '-');
  bool negative = false;
  for (int n = 1;; ++n) {
    const TMonomText mon = TakeMonomText(work, n, negative);
    const char sign = mon.Negative ? '-' : (n > 1 || signed0) ? '+' : 0;
    pieces.push_back({mon.Text, sign});
    if (mon.Last) break;
    negative = mon.NextNegative;
  }
  return pieces;
}

// A piece of text read as a polynomial of its own and typeset; empty if it is not accepted.
std::string TypesetText(const std::string& text) {
  TPolinom pol;
  pol.SetText(text);
  if (pol.GetRetCode() != 0) return {};
  return TypesetPolinom(pol);
}

// A note on the factors of one monomial text: a bare variable after the same variable (its
// power is set to 1, not raised), or an empty power "x^" inside the monomial.
bool FactorNote(std::string_view piece, bool endsBeforeSign, DSTRUCT::TText& note) {
  bool seen[3] = {false, false, false};
  for (size_t start = 0; start <= piece.size();) {
    const size_t star = piece.find('*', start);
    const std::string_view factor = piece.substr(start, star - start);
    const bool lastFactor = star == std::string_view::npos;
    const int v = FactorVariable(factor);
    const bool bare = factor.size() == 1 || factor.size() == 2;
    if (v >= 0 && bare && seen[v]) {
      note = {
          Context,
          TERMIX_TEXT("TPolReading",
                      "«%1» прочитано как %2: «%3» без степени задаёт степень 1, а не умножает"),
          {std::string(piece), TypesetText(std::string(piece)), std::string(factor)}};
      return true;
    }
    if (v >= 0 && factor.size() == 2 && !(lastFactor && endsBeforeSign)) {
      note = {Context,
              TERMIX_TEXT("TPolReading", "«%1» прочитано как %2: пустая степень равна 1"),
              {std::string(piece), TypesetText(std::string(piece))}};
      return true;
    }
    if (v >= 0) seen[v] = true;
    if (lastFactor) break;
    start = star + 1;
  }
  return false;
}

// A note on a coefficient that a float does not hold: "16777217" is kept as 16777216.
bool CoefficientNote(std::string_view piece, DSTRUCT::TText& note) {
  const std::string_view first = piece.substr(0, piece.find('*'));
  if (first.empty() || !(std::isdigit(static_cast<unsigned char>(first[0])) || first[0] == '.'))
    return false;
  double typed = 0.0;
  auto [end, ec] = std::from_chars(first.data(), first.data() + first.size(), typed);
  if (ec != std::errc() || end != first.data() + first.size()) return false;
  const float kept = static_cast<float>(typed);
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, kept);
  double shown = 0.0;
  std::from_chars(buf, res.ptr, shown);
  if (shown == typed) return false;
  note = {Context,
          TERMIX_TEXT("TPolReading", "коэффициент %1 хранится как %2"),
          {std::string(first), TypesetNumber(kept)}};
  return true;
}

std::string TermText(float coeff, int index) {
  std::string term;
  const std::string number = TypesetNumber(std::fabs(coeff));
  if (index == 0 || number != "1") {
    term += number;
    if (index != 0 && number.find("·") != std::string::npos) term += "·";
  }
  const int powers[3] = {TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)};
  for (int v = 0; v < 3; ++v) {
    if (powers[v] == 0) continue;
    term += "XYZ"[v];
    if (powers[v] > 1) term += Superscript(powers[v]);
  }
  return term;
}

} // namespace

std::string Superscript(long long n) {
  static const char* const digits[10] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  const std::string plain = std::to_string(n);
  std::string out;
  for (char c : plain)
    out += c == '-' ? "⁻" : digits[c - '0'];
  return out;
}

std::string TypesetNumber(float value) {
  if (std::isnan(value)) return "NaN";
  std::string out = std::signbit(value) && value != 0.0f ? Minus : "";
  const float a = std::fabs(value);
  if (std::isinf(a)) return out + "∞";
  char buf[64];
  if (a == 0.0f || (a >= 1e-4f && a < 1e15f)) {
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    return out + std::string(buf, res.ptr);
  }
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
  const std::string sci(buf, res.ptr); // m.mmme±xx
  const size_t e = sci.find('e');
  out += sci.substr(0, e);
  if (out.size() >= 2 && out.substr(out.size() - 2) == ".0") out.resize(out.size() - 2);
  return out + "·10" + Superscript(std::atoi(sci.c_str() + e + 1));
}

std::string TypesetPolinom(TPolinom& pol, int maxTerms) {
  std::string out;
  int count = 0;
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink(), ++count) {
    const TMonom* m = pol.GetMonom();
    if (count == maxTerms) {
      out += " …";
      break;
    }
    const bool negative = m->GetCoeff() < 0.0f;
    if (count == 0)
      out += negative ? Minus : "";
    else
      out += negative ? std::string(" ") + Minus + " " : std::string(" + ");
    out += TermText(m->GetCoeff(), m->GetIndex());
  }
  return out.empty() ? "0" : out;
}

DSTRUCT::TText IndexMeaning(int index) {
  const std::string number = std::to_string(index);
  if (index == -1)
    return {Context, TERMIX_TEXT("TPolReading", "%1: голова кольца, не моном"), {number}};
  if (index == 0)
    return {Context, TERMIX_TEXT("TPolReading", "%1: свободный член, все степени 0"), {number}};
  std::string powers;
  const int p[3] = {TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)};
  for (int v = 0; v < 3; ++v) {
    if (p[v] == 0) continue;
    powers += "xyz"[v];
    if (p[v] > 1) powers += Superscript(p[v]);
  }
  return {Context, TERMIX_TEXT("TPolReading", "%1 = %2"), {number, powers}};
}

TReading ReadPolinomText(const std::string& text, TPolinom& pol, int maxNotes) {
  TReading reading;
  if (text.empty()) return reading;
  reading.Typeset = TypesetPolinom(pol);
  std::string work;
  for (char c : text)
    if (c != ' ') work += c;
  const std::vector<TPiece> pieces = CutMonomials(work);
  for (size_t k = 0; k < pieces.size() && static_cast<int>(reading.Notes.size()) < maxNotes; ++k) {
    const std::string_view piece = pieces[k].Text;
    const bool beforeSign = k + 1 < pieces.size();
    DSTRUCT::TText note;
    if (beforeSign && !piece.empty() && (piece.back() == '^' || piece.back() == '*')) {
      std::string fragment;
      if (pieces[k].SignBefore != 0) fragment += pieces[k].SignBefore;
      fragment += std::string(piece) + pieces[k + 1].SignBefore + std::string(pieces[k + 1].Text);
      std::string typeset = TypesetText(fragment);
      if (typeset.empty()) continue;
      reading.Notes.push_back(
          {Context,
           TERMIX_TEXT("TPolReading", "«%1» прочитано как %2: «%3» разделяет мономы"),
           {fragment, std::move(typeset), std::string(1, pieces[k + 1].SignBefore)}});
    } else if (FactorNote(piece, beforeSign, note) || CoefficientNote(piece, note)) {
      reading.Notes.push_back(std::move(note));
    }
  }
  return reading;
}

} // namespace LISTSTRUCT
