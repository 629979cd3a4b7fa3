#pragma once
// How a typed text was read, shown to the user while typing: the polynomial (or formula) set
// the way a textbook would print it — superscript powers, a true minus sign — and a note for
// every place where the reading rule gives something other than what the text usually means
// («x^-1» is x − 1, since a minus sign always separates monomials).

#include <string>
#include <vector>

#include "core/TText.h"

namespace LISTSTRUCT {

class TPolinom;

// A typeset reading and its notes; both empty when the text was not accepted.
struct TReading {
  std::string Typeset;
  std::vector<DSTRUCT::TText> Notes;
};

// The digits of n as superscript characters, with a superscript minus for a negative n.
std::string Superscript(long long n);

// A float as its shortest decimal that reads back to the same float: plain digits up to 1e15
// and down to 1e-4, otherwise a mantissa times a power of ten ("1.5·10²⁰").
std::string TypesetNumber(float value);

// The polynomial as "3X²Y − Z + 1" ("0" for the zero polynomial); after maxTerms terms the
// rest is shown as "…". Walks the polynomial.
std::string TypesetPolinom(TPolinom& pol, int maxTerms = 40);

// What a packed monomial index stands for: "60300 = x⁶y³"; the constant term's 0 and the
// head's -1 are named in words.
DSTRUCT::TText IndexMeaning(int index);

// The reading of text, which pol has just accepted with SetText: pol typeset, and notes on a
// sign directly after "^" or "*", a bare variable that resets its own power, an empty power
// and a coefficient that a float does not hold exactly. At most maxNotes notes.
TReading ReadPolinomText(const std::string& text, TPolinom& pol, int maxNotes = 4);

} // namespace LISTSTRUCT
