#include "surface/TViewTurn.h"

#include <cmath>

namespace TRANSSTRUCT {

// The eye looks along -z of eye space; undoing the turns, the last one first, takes that
// direction back into drawing coordinates: about y by -TurnY, then about x by 90 - TurnX.
void ViewDirection(float turnX, float turnY, float direction[3]) {
  constexpr double degree = 3.14159265358979323846 / 180.0;
  const double a = turnY * degree, phi = (90.0 - turnX) * degree;
  direction[0] = float(std::sin(a));
  direction[1] = float(std::cos(a) * std::sin(phi));
  direction[2] = float(-std::cos(a) * std::cos(phi));
}

} // namespace TRANSSTRUCT
