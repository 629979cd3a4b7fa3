#include "surface/TRegionFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/TPolinom.h"
#include "surface/TPolEvaluator.h"

namespace TRANSSTRUCT {

namespace {

constexpr int Cells = 40;     // cubes along each axis of one sampling
constexpr double Spare = 1.1; // room around the surface
constexpr int RefinePasses = 2;

struct TBox {
  double Low[3], High[3];
};

struct TSampling {
  bool Found = false;
  bool TouchesFaces = false; // a cell found lies on a face of the sampled box
  TBox Hull{};               // the cells found
};

// The cubes of box in which F - c changes sign (corners below 0 and not below 0).
TSampling Sample(const TPolEvaluator& f, double c, const TBox& box) {
  constexpr int n = Cells + 1;
  double step[3];
  std::vector<double> at[3];
  for (int a = 0; a < 3; ++a) {
    step[a] = (box.High[a] - box.Low[a]) / Cells;
    for (int i = 0; i < n; ++i)
      at[a].push_back(box.Low[a] + step[a] * i);
  }
  // -1 below c, 1 at or above, 0 where the value is no finite number.
  std::vector<signed char> sign(static_cast<size_t>(n) * n * n);
  double row[n];
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < n; ++j) {
      f.ValuesAlongX(at[1][size_t(j)], at[2][size_t(k)], at[0].data(), n, row);
      for (int i = 0; i < n; ++i)
        sign[(size_t(k) * n + size_t(j)) * n + size_t(i)] =
            std::isfinite(row[i]) ? (row[i] - c < 0.0 ? -1 : 1) : 0;
    }
  int low[3] = {Cells, Cells, Cells}, high[3] = {-1, -1, -1};
  for (int k = 0; k < Cells; ++k)
    for (int j = 0; j < Cells; ++j)
      for (int i = 0; i < Cells; ++i) {
        bool below = false, above = false;
        for (int corner = 0; corner < 8; ++corner) {
          const signed char s =
              sign[(size_t(k + (corner >> 2)) * n + size_t(j + ((corner >> 1) & 1))) * n +
                   size_t(i + (corner & 1))];
          below |= s < 0;
          above |= s > 0;
        }
        if (!(below && above)) continue;
        const int cell[3] = {i, j, k};
        for (int a = 0; a < 3; ++a) {
          low[a] = std::min(low[a], cell[a]);
          high[a] = std::max(high[a], cell[a]);
        }
      }
  TSampling result;
  if (high[0] < 0) return result;
  result.Found = true;
  for (int a = 0; a < 3; ++a) {
    result.TouchesFaces |= low[a] == 0 || high[a] == Cells - 1;
    result.Hull.Low[a] = at[a][size_t(low[a])];
    result.Hull.High[a] = at[a][size_t(high[a] + 1)];
  }
  return result;
}

TBox Cube(const double centre[3], double halfSize) {
  TBox box;
  for (int a = 0; a < 3; ++a) {
    box.Low[a] = centre[a] - halfSize;
    box.High[a] = centre[a] + halfSize;
  }
  return box;
}

// The cube around the hull with room to spare: its centre and half-size rounded to two
// significant digits of the half-size (the half-size upwards, so the hull stays inside).
TViewRegion Framed(const TBox& hull, const TRegionFitLimits& limits) {
  double half = 0.0;
  for (int a = 0; a < 3; ++a)
    half = std::max(half, (hull.High[a] - hull.Low[a]) / 2 * Spare);
  const double unit = std::pow(10.0, std::floor(std::log10(std::max(half, 1e-30))) - 1);
  double centre[3];
  half = 0.0;
  for (int a = 0; a < 3; ++a) {
    centre[a] = std::round((hull.Low[a] + hull.High[a]) / 2 / unit) * unit;
    half = std::max({half, (hull.High[a] - centre[a]) * Spare, (centre[a] - hull.Low[a]) * Spare});
  }
  half = std::ceil(half / unit - 1e-9) * unit;
  const float s = std::clamp(float(half), limits.LeastHalfSize, limits.LargestHalfSize);
  return {float(centre[0]), float(centre[1]), float(centre[2]), s, s, s};
}

} // namespace

TRegionFit FitRegion(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& current,
                     const TRegionFitLimits& limits, const std::function<bool()>& keepGoing) {
  TRegionFit fit;
  fit.Region = current;
  const TPolEvaluator f{LISTSTRUCT::TPolinom(pol)};
  const double centre[3] = {current.X0, current.Y0, current.Z0};
  const auto stopped = [&] { return keepGoing && !keepGoing(); };
  double firstFound = 0.0;
  TSampling s;
  for (double r = limits.LeastHalfSize;; r *= 2) {
    r = std::min<double>(r, limits.LargestHalfSize);
    if (stopped()) return {false, false, current};
    s = Sample(f, c, Cube(centre, r));
    if (s.Found && firstFound == 0.0) firstFound = r;
    if ((s.Found && !s.TouchesFaces) || r >= limits.LargestHalfSize) break;
  }
  if (firstFound == 0.0) return fit;
  fit.Found = true;
  if (s.TouchesFaces) {
    // No end in sight: twice the first size that showed a part of it, around the centre.
    const float half = float(std::min<double>(2 * firstFound, limits.LargestHalfSize));
    fit.Region = {current.X0, current.Y0, current.Z0, half, half, half};
    return fit;
  }
  // Finer samplings of the hull with one coarse cell to spare on every side.
  for (int pass = 0; pass < RefinePasses; ++pass) {
    if (stopped()) return {false, false, current};
    TBox around = s.Hull;
    for (int a = 0; a < 3; ++a) {
      const double cell = (around.High[a] - around.Low[a]) / Cells + 1e-9;
      around.Low[a] -= cell;
      around.High[a] += cell;
    }
    const TSampling finer = Sample(f, c, around);
    if (!finer.Found) break;
    s = finer;
  }
  fit.Bounded = true;
  fit.Region = Framed(s.Hull, limits);
  return fit;
}

} // namespace TRANSSTRUCT
