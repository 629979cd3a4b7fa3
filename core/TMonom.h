#pragma once
// Monomial c * x^px * y^py * z^pz with the powers packed into one index:
// Index = 10000*px + 100*py + pz, each power from 0 to MaxPower. The index -1 is
// kept for the sentinel monomial in a polynomial's head link.

#include <cstdint>

#include "core/TDatList.h"

namespace LISTSTRUCT {

inline constexpr int MaxPower = 99;

class TMonom : public TDatValue {
protected:
  float Coeff;
  int32_t Index;

public:
  explicit TMonom(float coeff = 1.0f, int index = 0) : Coeff(coeff), Index(index) {}

  TDatValue* GetCopy() const override { return new TMonom(Coeff, Index); }

  float GetCoeff() const { return Coeff; }
  void SetCoeff(float coeff) { Coeff = coeff; }
  int GetIndex() const { return Index; }
  void SetIndex(int index) { Index = index; }

  // Order of monomials: by index only, the coefficient plays no part.
  bool operator<(const TMonom& other) const { return Index < other.Index; }

  // Unpacking and packing of the powers.
  static constexpr int PowX(int index) { return index / 10000; }
  static constexpr int PowY(int index) { return index / 100 - 100 * (index / 10000); }
  static constexpr int PowZ(int index) {
    return index - 10000 * (index / 10000) - 100 * (index / 100 - 100 * (index / 10000));
  }
  static constexpr int MakeIndex(int px, int py, int pz) { return 10000 * px + 100 * py + pz; }
};
using PTMonom = TMonom*;

} // namespace LISTSTRUCT
