// The turn the surface page opens with looks along none of the coordinate planes; the view
// direction agrees with the paint's chain of turns taken as matrices.

#include <gtest/gtest.h>

#include <cmath>

#include "surface/TViewTurn.h"

using namespace TRANSSTRUCT;

namespace {

// The rotation matrix of a turn by degrees about a coordinate axis, as the paint applies it.
void Turn(int axis, double degrees, double m[3][3]) {
  const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
  const int u = (axis + 1) % 3, v = (axis + 2) % 3;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      m[i][j] = i == j ? 1.0 : 0.0;
  m[u][u] = c, m[u][v] = -s, m[v][u] = s, m[v][v] = c;
}

// Drawing coordinates to eye coordinates: turn about y, then x, then -90 about x.
void EyeDirectionOf(const float d[3], float turnX, float turnY, double out[3]) {
  double a[3][3], b[3][3], c[3][3];
  Turn(1, turnY, a), Turn(0, turnX, b), Turn(0, -90, c);
  double p[3] = {d[0], d[1], d[2]}, q[3];
  for (const auto* m : {&c, &b, &a}) {
    for (int i = 0; i < 3; ++i)
      q[i] = (*m)[i][0] * p[0] + (*m)[i][1] * p[1] + (*m)[i][2] * p[2];
    for (int i = 0; i < 3; ++i)
      p[i] = q[i];
  }
  for (int i = 0; i < 3; ++i)
    out[i] = p[i];
}

TEST(ViewTurn, TheOpeningTurnLooksAlongNoCoordinatePlane) {
  for (const auto& [x, y] :
       {std::pair{0.0f, 0.0f}, {OpeningTurnX, OpeningTurnY}, {-70.0f, 200.0f}}) {
    float d[3];
    ViewDirection(x, y, d);
    double eye[3];
    EyeDirectionOf(d, x, y, eye);
    EXPECT_NEAR(eye[0], 0.0, 1e-6);
    EXPECT_NEAR(eye[1], 0.0, 1e-6);
    EXPECT_NEAR(eye[2], -1.0, 1e-6);
  }
  float unturned[3], opening[3];
  ViewDirection(0, 0, unturned);
  EXPECT_NEAR(unturned[0], 0.0f, 1e-6f); // edge-on to x = 0 ...
  EXPECT_NEAR(unturned[2], 0.0f, 1e-6f); // ... and to z = 0
  ViewDirection(OpeningTurnX, OpeningTurnY, opening);
  for (float component : opening)
    EXPECT_GT(std::fabs(component), 0.3f); // at least 17 degrees off every coordinate plane
  EXPECT_LT(opening[2], 0.0f);             // from above
}

} // namespace
