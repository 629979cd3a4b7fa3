#pragma once
// TPolEvaluator: a polynomial unpacked into a flat array of terms, evaluated in double
// precision from per-axis power tables (each power of x, y and z is computed once per
// point, not once per monomial). TPolGradient holds the three partial derivatives of a
// polynomial, each taken once, for evaluating the gradient at many points.
//
// Both are plain values: they copy what they need and keep no link to the polynomial.

#include <array>
#include <vector>

#include "core/TPolinom.h"

namespace TRANSSTRUCT {

// base^0 .. base^maxPower, each power the one before times base.
using TPowers = std::array<double, LISTSTRUCT::MaxPower + 1>;
void FillPowers(double base, int maxPower, TPowers& powers);

class TPolEvaluator {
public:
  TPolEvaluator() = default; // the zero polynomial
  explicit TPolEvaluator(LISTSTRUCT::TPolinom pol);

  double Value(double x, double y, double z) const;
  // Values at (xs[i], y, z) for i = 0 .. count - 1: the monomials are first gathered into
  // the coefficients of one polynomial in x, which is then run through Horner's scheme.
  void ValuesAlongX(double y, double z, const double* xs, int count, double* out) const;

  bool IsZero() const { return Terms.empty(); }

private:
  struct TTerm {
    double Coeff;
    int Px, Py, Pz;
  };
  std::vector<TTerm> Terms;
  int MaxPx = 0, MaxPy = 0, MaxPz = 0;
};

class TPolGradient {
public:
  TPolGradient() = default;
  explicit TPolGradient(LISTSTRUCT::TPolinom pol);

  // (dF/dx, dF/dy, dF/dz) at the point.
  void At(double x, double y, double z, double gradient[3]) const;
  // The unit normal at a world point in drawing space, where drawing coordinate k is world
  // coordinate k divided by scale[k]: grad F with each component times scale[k], made of
  // length 1. False (normal untouched) where that vanishes or is not finite.
  bool DrawingNormal(const double world[3], const double scale[3], double normal[3]) const;
  // The same from a gradient already evaluated.
  static bool UnitDrawingNormal(const double gradient[3], const double scale[3], double normal[3]);

private:
  TPolEvaluator Partial[3];
};

} // namespace TRANSSTRUCT
