#include "surface/TPolEvaluator.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace TRANSSTRUCT {

using LISTSTRUCT::MaxPower;
using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

void FillPowers(double base, int maxPower, TPowers& powers) {
  powers[0] = 1.0;
  for (int k = 1; k <= maxPower; ++k)
    powers[size_t(k)] = powers[size_t(k - 1)] * base;
}

TPolEvaluator::TPolEvaluator(TPolinom pol) {
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink()) {
    const TMonom* m = pol.GetMonom();
    const int index = m->GetIndex();
    TTerm term{double(m->GetCoeff()), TMonom::PowX(index), TMonom::PowY(index),
               TMonom::PowZ(index)};
    MaxPx = std::max(MaxPx, term.Px);
    MaxPy = std::max(MaxPy, term.Py);
    MaxPz = std::max(MaxPz, term.Pz);
    Terms.push_back(term);
  }
}

double TPolEvaluator::Value(double x, double y, double z) const {
  TPowers px, py, pz;
  FillPowers(x, MaxPx, px);
  FillPowers(y, MaxPy, py);
  FillPowers(z, MaxPz, pz);
  double sum = 0.0;
  for (const TTerm& t : Terms)
    sum += t.Coeff * px[t.Px] * py[t.Py] * pz[t.Pz];
  return sum;
}

void TPolEvaluator::ValuesAlongX(double y, double z, const double* xs, int count,
                                 double* out) const {
  TPowers py, pz, a;
  FillPowers(y, MaxPy, py);
  FillPowers(z, MaxPz, pz);
  std::fill(a.begin(), a.begin() + MaxPx + 1, 0.0);
  for (const TTerm& t : Terms)
    a[t.Px] += t.Coeff * py[t.Py] * pz[t.Pz];
  for (int i = 0; i < count; ++i) {
    const double x = xs[i];
    double value = a[MaxPx];
    for (int k = MaxPx - 1; k >= 0; --k)
      value = value * x + a[k];
    out[i] = value;
  }
}

TPolGradient::TPolGradient(TPolinom pol)
    : Partial{TPolEvaluator(pol.Derivative('x')), TPolEvaluator(pol.Derivative('y')),
              TPolEvaluator(pol.Derivative('z'))} {}

void TPolGradient::At(double x, double y, double z, double gradient[3]) const {
  for (int k = 0; k < 3; ++k)
    gradient[k] = Partial[k].Value(x, y, z);
}

bool TPolGradient::DrawingNormal(const double world[3], const double scale[3],
                                 double normal[3]) const {
  double g[3];
  At(world[0], world[1], world[2], g);
  return UnitDrawingNormal(g, scale, normal);
}

bool TPolGradient::UnitDrawingNormal(const double gradient[3], const double scale[3],
                                     double normal[3]) {
  double g[3], length2 = 0.0;
  for (int k = 0; k < 3; ++k) {
    g[k] = gradient[k] * scale[k];
    length2 += g[k] * g[k];
  }
  const double length = std::sqrt(length2);
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  for (int k = 0; k < 3; ++k)
    normal[k] = g[k] / length;
  return true;
}

} // namespace TRANSSTRUCT
