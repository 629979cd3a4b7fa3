// The explicit surface drawing as geometry: the sampled cells, the quadrilaterals with their
// corner order and mirror sheets, and the normals; and the fast evaluator they rest on.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "PolTestUtil.h"
#include "surface/TPolEvaluator.h"
#include "core/TPolFunc.h"
#include "surface/TSurfaceMesh.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TMeshVertex;
using TRANSSTRUCT::TPolEvaluator;
using TRANSSTRUCT::TPolFunc;
using TRANSSTRUCT::TPolGradient;
using TRANSSTRUCT::TSurfaceMesh;
using TRANSSTRUCT::TViewRegion;

namespace {

TPolinom Make(std::initializer_list<std::array<float, 4>> terms) {
  TPolinom p;
  for (const auto& t : terms)
    TPolinom::AddMonom(p, TMonom(t[0], TMonom::MakeIndex(int(t[1]), int(t[2]), int(t[3]))));
  return p;
}

int AxisOf(char dependent) {
  return dependent == 'x' ? 0 : dependent == 'y' ? 1 : 2;
}

// The component along axis of (c2 - c0) x (c3 - c1): the side the corner order makes the
// front (counter-clockwise seen from there).
float FrontAlong(const TSurfaceMesh::TQuad& quad, int axis) {
  float d[2][3];
  for (int k = 0; k < 3; ++k) {
    d[0][k] = quad.Corner[2].Position[k] - quad.Corner[0].Position[k];
    d[1][k] = quad.Corner[3].Position[k] - quad.Corner[1].Position[k];
  }
  const int a = (axis + 1) % 3, b = (axis + 2) % 3;
  return d[0][a] * d[1][b] - d[0][b] * d[1][a];
}

} // namespace

TEST(PolEvaluator, AgreesWithValueOnRandomPolynomials) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<float> point(-1.5f, 1.5f);
  for (int round = 0; round < 40; ++round) {
    TPolinom p = poltest::RandomPol(rng, 12, round % 2 ? 9 : 4, poltest::SmallInt);
    const TPolEvaluator eval(p);
    const float y = point(rng), z = point(rng);
    double xs[7], along[7];
    for (double& x : xs)
      x = point(rng);
    eval.ValuesAlongX(y, z, xs, 7, along);
    for (int i = 0; i < 7; ++i) {
      const double expected = p.Value(float(xs[i]), y, z);
      double magnitude = 1.0; // the sum of the terms' sizes bounds the rounding
      for (const auto& [index, coeff] : poltest::TermsOf(p))
        magnitude += std::fabs(coeff) * std::pow(std::fabs(xs[i]), TMonom::PowX(index)) *
                     std::pow(std::fabs(y), TMonom::PowY(index)) *
                     std::pow(std::fabs(z), TMonom::PowZ(index));
      const double tolerance = 1e-6 * magnitude;
      EXPECT_NEAR(eval.Value(xs[i], y, z), expected, tolerance) << p.GetText();
      EXPECT_NEAR(along[i], eval.Value(xs[i], y, z), 1e-9 * (1.0 + std::fabs(along[i])));
    }
  }
  // The gradient of x^2 y + 3 z^3 - y at (2, -1, 0.5): (2xy, x^2 - 1, 9 z^2).
  const TPolGradient gradient(Make({{1, 2, 1, 0}, {3, 0, 0, 3}, {-1, 0, 1, 0}}));
  double g[3];
  gradient.At(2.0, -1.0, 0.5, g);
  EXPECT_DOUBLE_EQ(g[0], -4.0);
  EXPECT_DOUBLE_EQ(g[1], 3.0);
  EXPECT_DOUBLE_EQ(g[2], 2.25);
  EXPECT_TRUE(TPolEvaluator().IsZero());
  EXPECT_EQ(TPolEvaluator().Value(1, 2, 3), 0.0);
}

// x + y + z = c expressed for each variable over shifted and stretched regions: every
// corner where the plane lies, 400 quadrilaterals without mirrors, one normal throughout.
TEST(SurfaceMesh, PlaneFollowsLevelCentreAndSizes) {
  std::mt19937 rng(4);
  std::uniform_real_distribution<float> centre(-2.0f, 2.0f);
  std::uniform_int_distribution<int> size(1, 5);
  for (char dependent : {'z', 'y', 'x'})
    for (int round = 0; round < 4; ++round) {
      TViewRegion region; // first the page's start, then Sz = 2, then at random
      if (round == 1) region.Sz = 2;
      if (round >= 2)
        region = {centre(rng),      centre(rng),      centre(rng),
                  float(size(rng)), float(size(rng)), float(size(rng))};
      const float c = round == 0 ? 0.0f : centre(rng);
      TPolFunc func;
      ASSERT_TRUE(func.SetDependence(Make({{1, 1, 0, 0}, {1, 0, 1, 0}, {1, 0, 0, 1}}), c,
                                     char(std::toupper(dependent))));
      TSurfaceMesh mesh;
      mesh.Build(func, dependent, region);
      ASSERT_EQ(mesh.GetCells().size(), 400u);
      ASSERT_EQ(mesh.GetQuads().size(), 400u);
      const int dep = AxisOf(dependent);
      const float sizes[3] = {float(region.Sx), float(region.Sy), float(region.Sz)};
      const float centres[3] = {region.X0, region.Y0, region.Z0};
      // The drawing-space gradient (Sx, Sy, Sz), but the dependent axis is drawn / Sz.
      float normal[3] = {sizes[0], sizes[1], sizes[2]};
      normal[dep] = sizes[2];
      const float length = std::hypot(normal[0], normal[1], normal[2]);
      const float front = dependent == 'y' ? -1.0f : 1.0f;
      for (size_t n = 0; n < mesh.GetQuads().size(); ++n) {
        const TSurfaceMesh::TQuad& quad = mesh.GetQuads()[n];
        const TSurfaceMesh::TCell& cell = mesh.GetCells()[n];
        ASSERT_EQ(cell.I, int(n) / 20);
        ASSERT_EQ(cell.J, int(n) % 20);
        EXPECT_FALSE(quad.Mirror);
        const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        for (int k = 0; k < 4; ++k) {
          const TMeshVertex& v = quad.Corner[k];
          // Grid coordinates in the two other places, in ascending order of the axes.
          const int ua = dep == 0 ? 1 : 0, va = dep == 2 ? 1 : 2;
          EXPECT_FLOAT_EQ(v.Position[ua], -1.0f + 0.1f * float(cell.I + di[k]));
          EXPECT_FLOAT_EQ(v.Position[va], -1.0f + 0.1f * float(cell.J + dj[k]));
          const float u = sizes[ua] * v.Position[ua] + centres[ua];
          const float w = sizes[va] * v.Position[va] + centres[va];
          EXPECT_NEAR(v.Position[dep], (c - u - w) / sizes[2], 2e-5f * (1 + std::fabs(u + w)));
          EXPECT_FLOAT_EQ(v.Position[dep], cell.Value[k]);
          EXPECT_TRUE(cell.Defined[k] && cell.Drawn);
          for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(v.Normal[a], front * normal[a] / length, 1e-6f);
        }
      }
      // At the start the plane z = -x - y runs from (-1, -1, 2) to (1, 1, -2).
      if (dependent == 'z' && round == 0) {
        EXPECT_FLOAT_EQ(mesh.GetQuads().front().Corner[0].Position[2], 2.0f);
        EXPECT_FLOAT_EQ(mesh.GetQuads().back().Corner[2].Position[2], -2.0f);
      }
    }
}

// x^2 + y^2 + z^2 = 1 for z: the upper half-sphere and its mirror; cells with four undefined
// corners are left out, the others keep their undefined corners at 0; the normals are the
// radial unit vectors on both sheets.
TEST(SurfaceMesh, SphereMirrorSheetAndUndefinedCorners) {
  TPolFunc func;
  ASSERT_TRUE(func.SetDependence(Make({{1, 2, 0, 0}, {1, 0, 2, 0}, {1, 0, 0, 2}}), 1.0f, 'Z'));
  TSurfaceMesh mesh;
  mesh.Build(func, 'Z', TViewRegion{});
  int drawn = 0;
  for (const TSurfaceMesh::TCell& cell : mesh.GetCells()) {
    const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
    bool any = false;
    for (int k = 0; k < 4; ++k) {
      const double x = -1.0 + 0.1 * (cell.I + di[k]), y = -1.0 + 0.1 * (cell.J + dj[k]);
      const double r2 = x * x + y * y;
      if (std::fabs(r2 - 1.0) > 1e-5) {
        EXPECT_EQ(cell.Defined[k], r2 < 1.0) << x << " " << y;
      }
      if (cell.Defined[k]) {
        EXPECT_NEAR(cell.Value[k], std::sqrt(std::max(0.0, 1.0 - r2)), 2e-3);
      } else {
        EXPECT_EQ(cell.Value[k], 0.0f);
      }
      any = any || cell.Defined[k];
    }
    EXPECT_EQ(cell.Drawn, any);
    drawn += any;
  }
  EXPECT_FALSE(mesh.GetCells()[0].Drawn);           // the corner cell at (-1, -1)
  EXPECT_FALSE(mesh.GetCells()[399].Drawn);         // and at (1, 1)
  EXPECT_TRUE(mesh.GetCells()[19 * 20 + 10].Drawn); // the rim at x = 1
  ASSERT_EQ(mesh.GetQuads().size(), size_t(2 * drawn));
  for (size_t n = 0; n < mesh.GetQuads().size(); n += 2) {
    const TSurfaceMesh::TQuad& quad = mesh.GetQuads()[n];
    const TSurfaceMesh::TQuad& image = mesh.GetQuads()[n + 1];
    ASSERT_FALSE(quad.Mirror);
    ASSERT_TRUE(image.Mirror);
    for (int k = 0; k < 4; ++k) {
      // The mirror takes the corners in reverse order, its values negated.
      const TMeshVertex& a = quad.Corner[k];
      const TMeshVertex& b = image.Corner[3 - k];
      EXPECT_EQ(b.Position[0], a.Position[0]);
      EXPECT_EQ(b.Position[1], a.Position[1]);
      EXPECT_EQ(b.Position[2], -a.Position[2]);
      for (const TMeshVertex* v : {&a, &b}) {
        const float r = std::hypot(v->Position[0], v->Position[1], v->Position[2]);
        if (std::fabs(r - 1.0f) > 1e-3f) continue; // an undefined corner, inside the disc
        for (int axis = 0; axis < 3; ++axis)
          EXPECT_NEAR(v->Normal[axis], v->Position[axis], 1e-3f);
      }
    }
    EXPECT_GT(FrontAlong(quad, 2), 0.0f);
    EXPECT_LT(FrontAlong(image, 2), 0.0f);
  }
}

// The parity of the power decides the mirror; for a dependent x or y the mirror keeps the
// corner order; the normals are turned to the side the corner order makes the front.
TEST(SurfaceMesh, MirrorAndFrontSideFollowThePowerAndTheDependentAxis) {
  struct Case {
    TPolinom Pol;
    float Level;
    char Dependent;
    bool Mirror;
    float Value; // the value drawn on the dependent axis
  };
  const Case cases[] = {
      {Make({{1, 2, 0, 0}}), 0.25f, 'X', true, 0.5f},
      {Make({{1, 3, 0, 0}}), 0.125f, 'X', false, 0.5f},
      {Make({{1, 0, 4, 0}, {-1, 0, 0, 0}}), 15.0f, 'Y', true, 2.0f},
      {Make({{-1, 0, 0, 3}}), -8.0f, 'Z', false, 2.0f},
  };
  for (const Case& test : cases) {
    TPolFunc func;
    ASSERT_TRUE(func.SetDependence(test.Pol, test.Level, test.Dependent));
    TSurfaceMesh mesh;
    TViewRegion region;
    region.Sz = 2; // halves every value drawn, whatever the dependent variable
    mesh.Build(func, test.Dependent, region);
    const int dep = AxisOf(char(std::tolower(test.Dependent)));
    ASSERT_EQ(mesh.GetQuads().size(), test.Mirror ? 800u : 400u);
    for (size_t n = 0; n < mesh.GetQuads().size(); ++n) {
      const TSurfaceMesh::TQuad& quad = mesh.GetQuads()[n];
      EXPECT_EQ(quad.Mirror, test.Mirror && n % 2 == 1);
      const float sign = quad.Mirror ? -1.0f : 1.0f;
      const float front = FrontAlong(quad, dep);
      EXPECT_EQ(front > 0, test.Dependent != 'Y' && !(quad.Mirror && test.Dependent == 'Z'));
      for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(quad.Corner[k].Position[dep], sign * test.Value / 2.0f);
        if (quad.Mirror && test.Dependent != 'Z') {
          EXPECT_EQ(quad.Corner[k].Position[(dep + 1) % 3],
                    mesh.GetQuads()[n - 1].Corner[k].Position[(dep + 1) % 3]);
        }
        // A flat sheet across the dependent axis: the normal is that axis, to the front.
        EXPECT_FLOAT_EQ(quad.Corner[k].Normal[dep], front > 0 ? 1.0f : -1.0f);
      }
    }
  }
}
