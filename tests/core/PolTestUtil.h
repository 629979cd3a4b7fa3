#pragma once
// Helpers shared by the polynomial tests: contents as (index, coefficient)
// pairs, random polynomials.

#include <bit>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/TPolinom.h"

namespace poltest {

using Terms = std::vector<std::pair<int, float>>; // (index, coefficient) in list order

inline Terms TermsOf(LISTSTRUCT::TPolinom& p) {
  Terms t;
  for (p.ResetList(); !p.IsListEnded(); p.GoNextLink())
    t.emplace_back(p.GetMonom()->GetIndex(), p.GetMonom()->GetCoeff());
  return t;
}

inline Terms TermsOf(LISTSTRUCT::TPolinom&& p) {
  return TermsOf(p);
}

// Exact comparison, NaNs and signed zeros included.
inline bool SameBits(const Terms& a, const Terms& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].first != b[i].first ||
        std::bit_cast<uint32_t>(a[i].second) != std::bit_cast<uint32_t>(b[i].second))
      return false;
  return true;
}

// Builds a polynomial with AddMonom from random monomials whose powers are at
// most maxPower and whose coefficients come from coeff(rng).
template <class Coeff>
LISTSTRUCT::TPolinom RandomPol(std::mt19937& rng, int terms, int maxPower, Coeff coeff) {
  std::uniform_int_distribution<int> pw(0, maxPower);
  LISTSTRUCT::TPolinom p;
  for (int i = 0; i < terms; ++i) {
    float c = coeff(rng);
    if (c != 0.0f)
      LISTSTRUCT::TPolinom::AddMonom(
          p, LISTSTRUCT::TMonom(c, LISTSTRUCT::TMonom::MakeIndex(pw(rng), pw(rng), pw(rng))));
  }
  return p;
}

// Small integer coefficients, so that like terms cancel often.
inline float SmallInt(std::mt19937& rng) {
  return static_cast<float>(std::uniform_int_distribution<int>(-3, 3)(rng));
}

// Any finite float: random bit patterns, subnormals included.
inline float AnyFinite(std::mt19937& rng) {
  for (;;) {
    float f = std::bit_cast<float>(static_cast<uint32_t>(rng()));
    if (std::isfinite(f) && f != 0.0f) return f;
  }
}

} // namespace poltest
