// The contour wireframe: the same planes cut the surface at every mesh resolution, and their
// lines follow the true sections of the surface.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "core/TPolinom.h"
#include "surface/TImplicitMesh.h"
#include "surface/TMeshContours.h"

using namespace TRANSSTRUCT;

namespace {

TEST(MeshContours, PlanesCutTheSphereInItsCirclesAtEveryResolution) {
  LISTSTRUCT::TPolinom sphere;
  sphere.SetText("x^2 + y^2 + z^2");
  const float radius = 0.8f;
  for (int cells : {48, 128}) {
    SCOPED_TRACE(cells);
    TImplicitMesh mesh;
    mesh.Build(sphere, radius * radius, TViewRegion{}, cells);
    const std::vector<TMeshVertex> lines = ContourLines(mesh, 12);
    ASSERT_EQ(lines.size() % 2, 0u);
    // Length of the lines on each plane, found by the coordinate both ends share with a level.
    std::map<std::pair<int, int>, double> length;
    for (size_t i = 0; i < lines.size(); i += 2) {
      const float* a = lines[i].Position;
      const float* b = lines[i + 1].Position;
      int plane = -1, level = -1;
      for (int axis = 0; axis < 3 && plane < 0; ++axis)
        for (int k = 1; k < 12; ++k)
          if (a[axis] == -1.0f + 2.0f * k / 12 && b[axis] == a[axis]) plane = axis, level = k;
      ASSERT_GE(plane, 0) << "a line off every plane";
      length[{plane, level}] += std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
      EXPECT_NEAR(std::hypot(a[0], a[1], a[2]), radius, 0.01f);
      EXPECT_NEAR(std::hypot(lines[i].Normal[0], lines[i].Normal[1], lines[i].Normal[2]), 1.0f,
                  1e-4f);
    }
    // Levels -4/6 .. 4/6 meet the sphere on each axis; each line is its circle.
    EXPECT_EQ(length.size(), 27u);
    for (const auto& [plane, total] : length) {
      const double level = -1.0 + 2.0 * plane.second / 12;
      const double circle = 2 * M_PI * std::sqrt(radius * radius - level * level);
      EXPECT_NEAR(total, circle, 0.02 * circle) << "axis " << plane.first << " level " << level;
    }
  }
}

} // namespace
