#pragma once
// Decimal numbers in the program's number fields (the surface's function value and centre):
// always with "." whatever the locale, read as 32-bit floats. A field left with a text that is
// no number gets its last good value back in a short fallback form.

#include <string>
#include <string_view>

namespace LISTSTRUCT {

// Reads text (spaces around it allowed, one leading "+" allowed) as a finite float; false, with
// value left alone, for anything else: an empty text, a comma, a letter, inf, nan, a value out
// of the float range.
bool ParseFieldNumber(std::string_view text, float& value);

// The fallback text of a value: four significant digits, shown with one decimal ("1235.0",
// "0.1", "-2.5"); a value of 10000 or more after rounding in scientific notation ("1.235E+04").
std::string FieldFallbackText(float value);

} // namespace LISTSTRUCT
