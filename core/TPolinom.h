#pragma once
// Polynomial in x, y, z: a ring of monomials in strictly descending index
// order whose head link holds the sentinel monomial (0, -1). The empty ring is
// the zero polynomial. Copies are deep.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "core/TCanvas.h"
#include "core/TDatList.h"
#include "core/TMonom.h"

namespace DSTRUCT {
class TWorkControl;
struct TText;
} // namespace DSTRUCT

namespace LISTSTRUCT {

class TListObserver;

// One (coefficient, index) pair for the array constructor.
struct TMonomPair {
  float Coeff;
  int32_t Index;
};

// What was wrong with a rejected polynomial text: kept this small, the message is made from it
// when asked for (TPolinom::GetErrMessage).
struct TPolReadError {
  uint8_t Kind = 0; // core/TPolText.cpp numbers the kinds
  char Var = 0;     // the variable's capital letter, for a power
  int Monom = 0;    // the monomial's number in the text, counted from 1
};

class TPolinom : public THeadRing {
protected:
  bool Correct = true;     // false while a rejected text is the last text input
  bool Overflow = false;   // a power limit was hit by the last product or integral
  TPolReadError ReadError; // what was wrong with the last rejected text input
  // Told of AddMonom's walk and change; not owned, never copied with the monomials.
  TListObserver* Observer = nullptr;

  // Moves q's links into this empty ring; q becomes empty.
  void TakeMonoms(TPolinom& q);
  TPolinom AddOrSubtract(const TPolinom& q, bool negate);

public:
  // The pairs are appended in the given order without sorting or merging, so
  // the caller gives them in descending index order. Code 0.
  TPolinom(const TMonomPair* monoms = nullptr, int count = 0);
  TPolinom(std::initializer_list<TMonomPair> monoms);
  // Deep copy. The source is walked with its own current position, which ends
  // at the source's end. Correct true, Overflow false, no read error, code 0.
  TPolinom(const TPolinom& q);
  // Takes the monomials of q; q is left as the zero polynomial.
  TPolinom(TPolinom&& q) noexcept;
  ~TPolinom() override;

  // Replaces the monomials by copies of q's; stores 0. Correct, Overflow and
  // the read error are left as they are.
  TPolinom& operator=(TPolinom q);

  // The current monomial (the sentinel when the walk has ended).
  TMonom* GetMonom() const { return static_cast<TMonom*>(GetDatValue(CURRENT)); }
  // Adds a copy of m to pol keeping the order, merging like terms and dropping
  // a monomial whose merged coefficient is 0.
  static void AddMonom(TPolinom& pol, const TMonom& m);
  static void AddMonom(TPolinom& pol, const TMonom* m) { AddMonom(pol, *m); }
  // The observer of AddMonom on this polynomial; null for none.
  void SetObserver(TListObserver* observer) { Observer = observer; }
  TListObserver* GetObserver() const { return Observer; }
  bool GetOverflow() const { return Overflow; }
  bool GetCorrect() const { return Correct; }

  // Text form. SetText replaces the monomials (code 0) or rejects the text
  // (code DataErr, the message set, monomials untouched). GetText writes the display form, each
  // coefficient rounded to 4 significant digits.
  void SetText(const std::string& text);
  std::string GetText();
  // The message of the last text input: why it was rejected («… [Mon№3]»), or that it was not.
  // GetErrText is its Russian text; GetErrMessage the marked pattern with the monomial's
  // number and the variable as arguments, for a window to show in its language.
  std::string GetErrText() const;
  DSTRUCT::TText GetErrMessage() const;
  // The text form in which every coefficient reads back as exactly the same float: the display
  // form's text where that reads back exactly, otherwise the shortest decimal that does (fixed
  // notation where an exponent would need a minus sign, which the reader takes for a
  // separator). What files and the clipboard keep. Stores 0 and walks the polynomial.
  std::string GetExactText();
  // The polynomial as a LaTeX formula, "3x^{2}y - z + 1": exact coefficients (the shortest
  // decimal that reads back as the same float; mantissa \cdot 10^{k} only where fixed
  // notation would need more than 7 digits), 1 left out before variables, lower-case
  // variables, "0" for the zero polynomial. Stores 0 and walks the polynomial.
  std::string GetLatex();

  // Operations. Each returns a new polynomial; the operands' monomials stay
  // unchanged, their current positions and codes are those of the walks.
  TPolinom operator+(const TPolinom& q);
  TPolinom operator-(const TPolinom& q);
  // Powers that would exceed MaxPower are clamped: code DataOverflow on this
  // polynomial and Overflow true.
  TPolinom operator*(const TPolinom& q);
  // The same product, reporting its progress to control (may be null) every few thousand term
  // products; when control asks it to stop it returns the zero polynomial. A large product is
  // shared between threads threads (0: as many as the processor runs at once); the result is
  // the same for any number.
  TPolinom Product(const TPolinom& q, DSTRUCT::TWorkControl* control, int threads = 0);
  // var is 'x', 'y' or 'z' in either case. Another character stores DataErr and
  // gives the zero polynomial.
  TPolinom Derivative(char var);
  TPolinom Integral(char var);
  float Value(float x, float y, float z);

  // The largest power of each variable among the monomials with a non-zero coefficient, -1 for
  // a polynomial without any. A product clamps exactly when the sum of its operands' largest
  // powers passes MaxPower for some variable.
  struct TPowers {
    int X = -1, Y = -1, Z = -1;
  };
  TPowers MaxPowers();

  // Structure diagram: the head box and one box per monomial in a row from left to
  // right, joined by arrows, with a return line from the last link back to the head.
  // Widens the canvas when the boxes pass minWidth. Stores 0 and walks the polynomial.
  void DrawStructure(int x0, int y0, int minWidth, TCanvas& canvas, TCanvasColor headCoeff,
                     TCanvasColor headIndex, TCanvasColor headLink, TCanvasColor monCoeff,
                     TCanvasColor monIndex, TCanvasColor monLink, TCanvasColor background);
  // The coefficient with its sign as a box of the diagram writes it: the number format of the
  // polynomial text.
  static std::string SignedCoeffText(float c);
  // One box (coefficient, index and link cells) with its link dot, arrow and texts.
  static void DrawMonomBox(const TMonom& m, int left, int top, int w, int h, int L, TCanvas& canvas,
                           TCanvasColor coeffColor, TCanvasColor indexColor,
                           TCanvasColor linkColor);
  // The line that closes a ring drawn at (x0, y0) with row height h, from x, the end of the
  // last arrow: down, left under the row, up and right into the head box.
  static void DrawReturnLine(TCanvas& canvas, int x0, int y0, int h, int x);
};
using PTPolinom = TPolinom*;

// The shared empty polynomial, alive for the whole run of the program.
extern TPolinom EmptyPol;

} // namespace LISTSTRUCT
