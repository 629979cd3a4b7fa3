#pragma once
// The region that frames the surface F(x, y, z) = c: a cube around the current centre is
// searched for cells where F - c changes sign, doubling its half-size until the cells found
// keep clear of its faces (the surface is bounded and wholly inside) or the largest size is
// reached. The cells found are then sampled again more finely, and the region becomes the
// box that holds them with a tenth to spare, made a cube (one half-size on all three axes,
// so the surface keeps its proportions) and rounded to two significant digits.

#include <functional>

#include "surface/TViewRegion.h"

namespace LISTSTRUCT {
class TPolinom;
}

namespace TRANSSTRUCT {

struct TRegionFit {
  bool Found = false;   // some region tried holds a part of the surface
  bool Bounded = false; // the whole surface lies inside Region
  TViewRegion Region;   // the fitted region; the current one when nothing was found
};

struct TRegionFitLimits {
  float LeastHalfSize = 1.0f;
  float LargestHalfSize = 1000.0f;
};

// keepGoing, when given, is asked between samplings; false stops the search (nothing found).
TRegionFit FitRegion(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& current,
                     const TRegionFitLimits& limits = {},
                     const std::function<bool()>& keepGoing = {});

} // namespace TRANSSTRUCT
