#pragma once
// TPolFunc: a polynomial F(x, y, z) of the form A + V^n * B (A and B free of the variable V,
// n >= 1 the same in every monomial that holds V) turned into the explicit function
// V = ((c - A) / B)^(1/n) of the two other variables, for a level c.
//
// Codes (read with GetRetCode after SetDependence and after every GetValue):
//   0     success;
//   -101  V cannot be expressed (two different powers of V, or V absent);
//   -102  the radicand is negative and n is even (no real value here);
//   -103  GetValue without an established dependence.

#include <memory>
#include <string>

#include "core/TDataCom.h"
#include "core/TPolinom.h"
#include "core/TText.h"

namespace TRANSSTRUCT {

inline constexpr int FuncNoDependence = -101;
inline constexpr int FuncUndefined = -102;
inline constexpr int FuncNotReady = -103;

class TPolFunc : public DSTRUCT::TDataCom {
protected:
  std::unique_ptr<LISTSTRUCT::TPolinom> pPol; // copy of the polynomial last given
  std::unique_ptr<LISTSTRUCT::TPolinom> pNum; // c - A
  std::unique_ptr<LISTSTRUCT::TPolinom> pDen; // B
  char Var = 'z';                             // the variable expressed, as the caller gave it
  int Power = -1;                             // n
  bool Ready = false;
  DSTRUCT::TText ErrText;

public:
  TPolFunc();
  ~TPolFunc() override;
  TPolFunc(const TPolFunc&) = delete;
  TPolFunc& operator=(const TPolFunc&) = delete;

  // Expresses var ('x', 'y', 'z' in either case) from pol = c. True and code 0 when the
  // dependence is established; false and code -101 otherwise (the previous dependence is
  // gone either way).
  bool SetDependence(LISTSTRUCT::TPolinom pol, float c, char var);
  // The value of V at the two other variables in the order x, y, z without V:
  // for V = x (y, z), for V = y (x, z), for V = z (x, y).
  float GetValue(float u, float v);
  // True when n is odd; for an even n the surface has the mirrored sheet -V as well.
  bool IsPowerOdd() const { return Power % 2 != 0; }
  // The outcome of the last SetDependence or GetValue, in Russian; GetMessageText gives it as a
  // marked pattern with its arguments for a window to translate.
  std::string GetMessage() const;
  DSTRUCT::TText GetMessageText() const;

  int GetPower() const { return Power; }
  // The polynomial last given to SetDependence.
  const LISTSTRUCT::TPolinom& GetPolinom() const { return *pPol; }
  bool IsReady() const { return Ready; }
};

} // namespace TRANSSTRUCT
