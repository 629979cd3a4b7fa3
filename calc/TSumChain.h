#pragma once
// A chain of sums and differences, ((P1 ± P2) ± P3) ± ..., gathered term by term.
//
// The sum operator merges two ordered lists, so a chain of n small operands added one after
// another to a growing result copies that result n times. The chain instead keeps its terms
// in a table addressed by the packed index: adding an operand costs the operand's length,
// and the result is put in order once, at the end. Every coefficient goes through exactly the
// float sums of the step-by-step merges, in the same order: a term the chain does not hold yet
// takes the operand's coefficient as it is, a held one becomes the float sum of the held
// coefficient and the operand's, and a sum of 0 removes the term (a later operand brings it
// back with its own coefficient). The memory is that of the distinct indexes met.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/TPolinom.h"

namespace TRANSSTRUCT {

class TSumChain {
public:
  // The chain starts as first (its monomials as they are); first is walked.
  explicit TSumChain(LISTSTRUCT::TPolinom& first);

  // The chain becomes chain + q, or chain - q with negate; q is walked.
  void Add(LISTSTRUCT::TPolinom& q, bool negate);
  // The terms held, as a polynomial in descending index order. The chain is left empty.
  LISTSTRUCT::TPolinom Take();

private:
  struct TCell {
    std::int32_t Index; // -1 for a free cell
    float Coeff;
    bool Held; // false once the term has summed to 0
  };

  TCell& CellOf(std::int32_t index);
  void Grow();

  std::vector<TCell> Cells; // open addressing, linear probing; a power of two long
  std::size_t Used = 0;     // cells with an index
  std::size_t Held = 0;     // terms held
};

} // namespace TRANSSTRUCT
