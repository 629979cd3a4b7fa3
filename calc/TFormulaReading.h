#pragma once
// How the translator read a formula, for the line under the formula field: the postfix
// sequence set back into infix with as few brackets as its grouping needs, powers as
// superscripts, "×" for products, "∂/∂x(…)" and "∫(…)dx" for the operators; and notes where
// the reading differs from what the text usually means (a fractional exponent is cut to its
// whole part, a power of a power groups from the left).

#include "core/TPolReading.h"

namespace TRANSSTRUCT {

class TFPolTrans;

// The reading of the translator's last formula; empty when that formula is not ready.
LISTSTRUCT::TReading ReadFormula(const TFPolTrans& trans);

} // namespace TRANSSTRUCT
