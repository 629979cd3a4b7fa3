// «Вписать»: the fitted region holds the whole of a bounded surface (its mesh keeps clear of
// the region's faces) and frames it closely; unbounded and missing surfaces are told apart.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/TPolinom.h"
#include "surface/TImplicitMesh.h"
#include "surface/TRegionFit.h"

using namespace TRANSSTRUCT;
using LISTSTRUCT::TPolinom;

namespace {

TPolinom Pol(const std::string& text) {
  TPolinom p;
  p.SetText(text);
  EXPECT_EQ(p.GetRetCode(), 0) << text;
  return p;
}

// The largest drawing coordinate of the mesh of pol = c over the region (1 is a face).
float MeshReach(const TPolinom& pol, float c, const TViewRegion& region) {
  TImplicitMesh mesh;
  mesh.Build(pol, c, region, 64);
  float reach = 0.0f;
  for (const TMeshVertex& v : mesh.GetVertices())
    for (float p : v.Position)
      reach = std::max(reach, std::fabs(p));
  EXPECT_FALSE(mesh.IsEmpty());
  return reach;
}

TEST(RegionFit, BoundedSurfacesAreFramedWholeAndClosely) {
  struct Case {
    std::string Text;
    float C;
    float X0, Y0, Z0, Half; // the true centre and half-extent
  };
  const Case cases[] = {
      // A torus of radii 2 and 0.5 about the z axis, which the default region cuts into caps.
      {"x^4 + y^4 + z^4 + 2*x^2*y^2 + 2*x^2*z^2 + 2*y^2*z^2 - 8.5*x^2 - 8.5*y^2 + 7.5*z^2",
       -14.0625f, 0, 0, 0, 2.5f},
      // A sphere of radius 1 about (3, 0, 0), outside the region searched first.
      {"x^2 - 6*x + y^2 + z^2", -8.0f, 3, 0, 0, 1.0f},
      // An ellipsoid reaching 20 along y, away from the origin along z.
      {"x^2 + 0.0025*y^2 + z^2 - 10*z", -24.0f, 0, 0, 5, 20.0f},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Text);
    const TPolinom pol = Pol(k.Text);
    const TRegionFit fit = FitRegion(pol, k.C, TViewRegion{});
    ASSERT_TRUE(fit.Found);
    EXPECT_TRUE(fit.Bounded);
    const TViewRegion& r = fit.Region;
    EXPECT_NEAR(r.X0, k.X0, 0.05f * k.Half);
    EXPECT_NEAR(r.Y0, k.Y0, 0.05f * k.Half);
    EXPECT_NEAR(r.Z0, k.Z0, 0.05f * k.Half);
    EXPECT_EQ(r.Sx, r.Sy);
    EXPECT_EQ(r.Sy, r.Sz);
    EXPECT_GE(r.Sx, k.Half * 1.02f);
    EXPECT_LE(r.Sx, k.Half * 1.25f);
    EXPECT_LT(MeshReach(pol, k.C, r), 0.99f);
  }
}

TEST(RegionFit, SmallUnboundedAndMissingSurfaces) {
  // A small sphere gets the least half-size, centred on it.
  TRegionFit fit = FitRegion(Pol("x^2 + y^2 + z^2 - 0.2*z"), 0.0f, TViewRegion{});
  EXPECT_TRUE(fit.Found && fit.Bounded);
  EXPECT_EQ(fit.Region.Sx, 1.0f);
  EXPECT_NEAR(fit.Region.Z0, 0.1f, 0.01f);
  // A plane has no end: twice the first size that shows it, around the current centre.
  const TViewRegion current{0.5f, 0, 0, 3, 3, 3};
  fit = FitRegion(Pol("x + y + z"), 0.0f, current);
  EXPECT_TRUE(fit.Found);
  EXPECT_FALSE(fit.Bounded);
  EXPECT_EQ(fit.Region, (TViewRegion{0.5f, 0, 0, 2, 2, 2}));
  // No real point: the region stays.
  fit = FitRegion(Pol("x^2 + y^2 + z^2"), -1.0f, current);
  EXPECT_FALSE(fit.Found);
  EXPECT_EQ(fit.Region, current);
  // Stopped from outside: nothing is found.
  fit = FitRegion(Pol("x^2 + y^2 + z^2"), 1.0f, current, {}, [] { return false; });
  EXPECT_FALSE(fit.Found);
}

} // namespace
