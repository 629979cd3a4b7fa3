#pragma once
// How the polynomial reader cuts a text (spaces already removed): into monomial texts at every
// '+' or '-' but a leading sign, and each monomial text into factors at '*'. The reader and the
// notes on what it read use the same cuts.

#include <string_view>

namespace LISTSTRUCT {

// One monomial text taken off the front of what remains of the input.
struct TMonomText {
  std::string_view Text;
  bool Negative = false;     // the sign of this monomial
  bool Last = false;         // nothing follows it
  bool NextNegative = false; // the character that ended it is '-'
};

// Takes the next monomial text (number n, counted from 1) off rest: up to the first '+' or
// '-', the sign of monomial 1 being its own leading sign rather than a separator. negative is
// the sign the separator before it gave.
TMonomText TakeMonomText(std::string_view& rest, int n, bool negative);

// The variable a factor names (0 x, 1 y, 2 z), -1 when it names none.
int FactorVariable(std::string_view factor);

} // namespace LISTSTRUCT
