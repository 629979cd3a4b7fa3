// Polynomial text: any input is either read or refused with a numbered
// message; a polynomial that was read writes a text that reads back rounded,
// and a second round changes nothing.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/TPolinom.h"

using namespace LISTSTRUCT;

static void Check(bool ok) {
  if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TPolinom p{{2, 10101}, {-1, 0}};
  const std::string before = p.GetText();
  p.SetText(text);
  const int code = p.GetRetCode();
  if (code != DataOK) {
    // Refused: the message names a monomial (or the empty input) and the
    // polynomial keeps what it held.
    Check(code == DataErr);
    const std::string err = p.GetErrText();
    Check(text.empty() ? err == "Полином не введён!" : err.back() == ']');
    Check(p.GetText() == before);
    return 0;
  }
  // Accepted: strictly descending indexes in range, finite non-zero coefficients.
  int last = 1000000;
  for (p.ResetList(); !p.IsListEnded(); p.GoNextLink()) {
    const TMonom* m = p.GetMonom();
    Check(m->GetIndex() < last && m->GetIndex() >= 0);
    Check(TMonom::PowX(m->GetIndex()) <= MaxPower && TMonom::PowY(m->GetIndex()) <= MaxPower);
    Check(std::isfinite(m->GetCoeff()) && m->GetCoeff() != 0.0f);
    last = m->GetIndex();
  }
  const std::string written = p.GetText();
  if (written.empty()) {
    // Only the zero polynomial writes the empty text, which is not read back.
    Check(p.IsEmpty());
    return 0;
  }
  TPolinom back;
  back.SetText(written);
  Check(back.GetRetCode() == DataOK);
  Check(back.GetListLength() == p.GetListLength());
  for (p.ResetList(), back.ResetList(); !p.IsListEnded(); p.GoNextLink(), back.GoNextLink()) {
    // Same monomials, the coefficient within the rounding to 4 significant digits.
    const float a = p.GetMonom()->GetCoeff(), b = back.GetMonom()->GetCoeff();
    Check(p.GetMonom()->GetIndex() == back.GetMonom()->GetIndex());
    Check(std::fabs(a - b) <= 5.01e-4f * std::fabs(a) + 1e-44f);
  }
  // Rounded coefficients round to themselves: a second round changes nothing.
  TPolinom again;
  again.SetText(back.GetText());
  Check(again.GetRetCode() == DataOK && again.GetListLength() == back.GetListLength());
  for (back.ResetList(), again.ResetList(); !back.IsListEnded();
       back.GoNextLink(), again.GoNextLink()) {
    Check(back.GetMonom()->GetIndex() == again.GetMonom()->GetIndex());
    Check(back.GetMonom()->GetCoeff() == again.GetMonom()->GetCoeff());
  }
  return 0;
}
