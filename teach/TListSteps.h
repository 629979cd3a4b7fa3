#pragma once
// An operation on polynomials turned into a list of steps, as the defining algorithms do it
// with AddMonom: reading a text monomial by monomial, the sum and the difference (q's
// monomials added one by one to a copy of p), the product (each monomial of q times each of
// p into an accumulator), the derivative and the integral by a variable. The result polynomial
// reports every link AddMonom's walk reads and every insertion, merge and deletion to an
// observer, and each report becomes a step with its explanation line and the algorithm line
// it carries out. The result ring before the first step is kept, and the ring at any step is
// rebuilt from it, so a step looks the same whether it is reached forwards or backwards.

#include <string>
#include <vector>

#include "core/TListObserver.h"
#include "core/TPolinom.h"
#include "core/TText.h"

namespace LISTSTRUCT {

enum class TListOperation { Reading, Sum, Difference, Product, Derivative, Integral };

// The most monomials an operand (or a text) may have for its steps to be shown.
inline constexpr int MaxStepMonoms = 40;
// The most steps a recording holds; an operation that needs more is refused.
inline constexpr int MaxListSteps = 10000;

enum class TListStepKind {
  Start,   // the rings before the operation
  Factor,  // product: the next monomial of q, which multiplies every monomial of p
  Take,    // the monomial m to be added is made (read, taken from q, formed from p's term)
  Skip,    // the monomial made is not added (a coefficient of 0, a vanishing derivative)
  Visit,   // AddMonom's walk reads the current link of the result
  Insert,  // m goes in before the current link
  Merge,   // m merges into the current link, of the equal index
  Remove,  // the merged coefficient is 0: the current link is deleted
  Finish,  // the outcome
  Refused, // nothing recorded: the reason is the text
};

struct TListStep {
  TListStepKind Kind = TListStepKind::Start;
  DSTRUCT::TText Text;        // the explanation line
  int Line = 0;               // the line of the recording's algorithm this step carries out
  int PCurrent = -1;          // p's current link (its position), -1 for none
  int QCurrent = -1;          // q's current link
  int Current = -1;           // the result's current link; its length for the head, -1 for none
  TMonomPair Monom{0.0f, -1}; // m, the monomial being added (index -1 for none)
  float Sum = 0.0f;           // Merge and Remove: the coefficient sum
  int Visits = 0;             // the links AddMonom's walks have read up to this step
};

struct TListRecording {
  TListOperation Operation = TListOperation::Reading;
  char Variable = 'x';             // the derivative's and the integral's variable
  std::string Text;                // reading: the text as given
  std::vector<TMonomPair> P, Q;    // the operands as they were (reading: none)
  std::vector<TMonomPair> Initial; // the result ring before the first step
  std::vector<const char*> Lines;  // the algorithm, one marked text per line
  std::vector<TListStep> Steps;    // Start first, Finish (or Refused) last
  bool Overflow = false;           // a power was held at its limit

  bool IsRefused() const { return !Steps.empty() && Steps.back().Kind == TListStepKind::Refused; }
  // The result ring as it stands after step (0 .. Steps.size() - 1).
  std::vector<TMonomPair> RingAt(int step) const;
  // The most links the result ring has at any step.
  int MostLinks() const;
  // The link visits of the whole operation.
  int Visits() const { return Steps.empty() ? 0 : Steps.back().Visits; }
};

// Reads text as the polynomial text is read: monomial by monomial, each added with AddMonom.
// A text the polynomial rejects is refused with its message; one of more than MaxStepMonoms
// monomials with the reason.
TListRecording RecordReading(const std::string& text);
// The operation on p (and q for the sum, difference and product; var for the derivative and
// integral). An operand of more than MaxStepMonoms monomials is refused with the reason.
TListRecording RecordListOperation(TListOperation operation, const TPolinom& p,
                                   const TPolinom& q = TPolinom(), char var = 'x');

// The name of an operation in the pictures and lines: «Чтение текста», «Сумма p + q», ...
DSTRUCT::TText ListOperationName(TListOperation operation, char var);

} // namespace LISTSTRUCT
