// The implicit mesh of F(x, y, z) = c: vertices on the surface, gradient normals, a closed and
// consistently turned mesh, the region and resolution, and the empty cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <utility>

#include "PolTestUtil.h"
#include "core/TPolinom.h"
#include "surface/TImplicitMesh.h"
#include "surface/TMeshFile.h"
#include "surface/TPolEvaluator.h"
#include "surface/TSeparableGrid.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TImplicitMesh;
using TRANSSTRUCT::TMeshVertex;
using TRANSSTRUCT::TPolEvaluator;
using TRANSSTRUCT::TPolGradient;
using TRANSSTRUCT::TSeparableGrid;
using TRANSSTRUCT::TViewRegion;

namespace {

TPolinom Monom(float coeff, int px, int py, int pz) {
  TPolinom p;
  TPolinom::AddMonom(p, TMonom(coeff, TMonom::MakeIndex(px, py, pz)));
  return p;
}

// (x - a)^2 + (y - b)^2 + (z - e)^2
TPolinom Sphere(float a = 0, float b = 0, float e = 0) {
  TPolinom p = Monom(1, 2, 0, 0) + Monom(-2 * a, 1, 0, 0) + Monom(1, 0, 2, 0) +
               Monom(-2 * b, 0, 1, 0) + Monom(1, 0, 0, 2) + Monom(-2 * e, 0, 0, 1);
  return p + Monom(a * a + b * b + e * e, 0, 0, 0);
}

// (x^2 + y^2 + z^2 + 0.6)^2 - 2.4 (x^2 + y^2): zero only on the circle of radius sqrt(0.6)
// in z = 0 and positive elsewhere, so F = c > 0 is a tube around that circle.
TPolinom Quartic() {
  TPolinom s = Monom(1, 2, 0, 0) + Monom(1, 0, 2, 0) + Monom(1, 0, 0, 2) + Monom(0.6f, 0, 0, 0);
  return s * s - (Monom(2.4f, 2, 0, 0) + Monom(2.4f, 0, 2, 0));
}

struct TShape {
  bool EveryEdgeTwice = true; // every edge in exactly two triangles
  bool Consistent = true;     // ... once in each direction
  int Euler = 0;              // V - E + F
  double Volume = 0;          // enclosed, in drawing coordinates; > 0 when turned outwards
};

TShape ShapeOf(const TImplicitMesh& mesh) {
  std::map<std::pair<uint32_t, uint32_t>, int> directed;
  const auto& ix = mesh.GetIndices();
  const auto& v = mesh.GetVertices();
  TShape shape;
  for (size_t t = 0; t < ix.size(); t += 3) {
    for (int e = 0; e < 3; ++e)
      ++directed[{ix[t + e], ix[t + (e + 1) % 3]}];
    const float* a = v[ix[t]].Position;
    const float* b = v[ix[t + 1]].Position;
    const float* c = v[ix[t + 2]].Position;
    shape.Volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                     a[2] * (b[0] * c[1] - b[1] * c[0])) /
                    6.0;
  }
  size_t edges = 0;
  for (const auto& [edge, count] : directed) {
    const auto back = directed.find({edge.second, edge.first});
    const int reverse = back == directed.end() ? 0 : back->second;
    shape.Consistent = shape.Consistent && count == 1 && reverse == 1;
    shape.EveryEdgeTwice = shape.EveryEdgeTwice && count + reverse == 2;
    if (edge.first < edge.second || reverse == 0) ++edges;
  }
  shape.Euler = int(v.size()) - int(edges) + int(mesh.GetTriangleCount());
  return shape;
}

void ExpectOnSurfaceWithGradientNormals(const TImplicitMesh& mesh, const TPolinom& pol, float c,
                                        const TViewRegion& region, double tolerance) {
  const TPolEvaluator f(pol);
  const TPolGradient gradient(pol);
  const double centre[3] = {region.X0, region.Y0, region.Z0};
  const double size[3] = {double(region.Sx), double(region.Sy), double(region.Sz)};
  double worst = 0, worstNormal = 0;
  for (const TMeshVertex& v : mesh.GetVertices()) {
    double w[3], n[3], length = 0;
    for (int a = 0; a < 3; ++a) {
      ASSERT_LE(std::fabs(v.Position[a]), 1.0f);
      w[a] = centre[a] + size[a] * v.Position[a];
    }
    worst = std::max(worst, std::fabs(f.Value(w[0], w[1], w[2]) - c));
    gradient.At(w[0], w[1], w[2], n);
    for (int a = 0; a < 3; ++a) {
      n[a] *= size[a];
      length += n[a] * n[a];
    }
    length = std::sqrt(length);
    for (int a = 0; a < 3; ++a)
      worstNormal = std::max(worstNormal, std::fabs(v.Normal[a] - n[a] / length));
  }
  EXPECT_LT(worst, tolerance);
  EXPECT_LT(worstNormal, 1e-5);
}

} // namespace

// The unit sphere in +-1.2 at the default resolution, and a sphere of radius 0.8 off the
// origin in a stretched region: vertices on the sphere within the error of a linear
// interpolation, radial normals, a closed mesh of one piece turned outwards.
TEST(ImplicitMesh, SphereLiesOnTheSurfaceAndIsClosed) {
  struct Case {
    TPolinom Pol;
    float Level;
    TViewRegion Region;
    double Radius;
  };
  const Case cases[] = {
      {Sphere(), 1.0f, {0, 0, 0, 1.2f, 1.2f, 1.2f}, 1.0},
      {Sphere(0.5f, -0.5f, 0.25f), 0.64f, {0.5f, -0.5f, 0.25f, 1, 2, 1.5f}, 0.8},
  };
  for (const Case& test : cases) {
    const TViewRegion& region = test.Region;
    TImplicitMesh mesh;
    ASSERT_TRUE(mesh.Build(test.Pol, test.Level, region, TImplicitMesh::DefaultCells));
    EXPECT_EQ(mesh.GetCells(), 48);
    // Along a cube edge of length h, F (whose second derivative is 2 along any unit
    // direction) departs from its chord by at most h^2 / 4.
    const double h = 2.0 * std::max({region.Sx, region.Sy, region.Sz}) / 48.0;
    ExpectOnSurfaceWithGradientNormals(mesh, test.Pol, test.Level, region, h * h / 4.0 + 1e-6);
    const TShape shape = ShapeOf(mesh);
    EXPECT_TRUE(shape.EveryEdgeTwice);
    EXPECT_TRUE(shape.Consistent);
    EXPECT_EQ(shape.Euler, 2);
    // The enclosed volume in drawing coordinates: the ellipsoid with semi-axes r / S.
    const double r = test.Radius;
    const double expected = 4.0 / 3.0 * M_PI * r * r * r / (region.Sx * region.Sy * region.Sz);
    EXPECT_NEAR(shape.Volume, expected, 0.01 * expected);
  }
}

// The quartic tube (genus one) in +-1.6: closed, turned outwards, and F = c on it.
TEST(ImplicitMesh, QuarticTubeIsClosedWithOneHole) {
  const TPolinom quartic = Quartic();
  const TViewRegion region{0, 0, 0, 1.6f, 1.6f, 1.6f};
  TImplicitMesh mesh;
  ASSERT_TRUE(mesh.Build(quartic, 0.3f, region, 48));
  ASSERT_GT(mesh.GetTriangleCount(), 1000u);
  const TShape shape = ShapeOf(mesh);
  EXPECT_TRUE(shape.EveryEdgeTwice);
  EXPECT_TRUE(shape.Consistent);
  EXPECT_EQ(shape.Euler, 0);
  EXPECT_GT(shape.Volume, 0.0);
  const double h = 3.2 / 48.0;
  // |second derivative| of the quartic stays below 40 in this region.
  ExpectOnSurfaceWithGradientNormals(mesh, quartic, 0.3f, region, 40.0 * h * h / 8.0);
  // At c = 0 the quartic vanishes only on a circle and is positive at every sample.
  ASSERT_TRUE(mesh.Build(quartic, 0.0f, region, 48));
  EXPECT_TRUE(mesh.IsEmpty());
}

// Faces whose inside and outside corners alternate are cut alike from both cubes: the saddle
// x y = 0 has such a face in every cube along the z axis (the grid is shifted by half a
// cell), and random polynomials have many. Every edge inside the region is shared by two
// triangles running it in opposite directions; only edges on the region's sides are single.
TEST(ImplicitMesh, AmbiguousFacesLeaveNoCracks) {
  std::mt19937 rng(23);
  std::vector<std::pair<TPolinom, TViewRegion>> cases = {
      {Monom(1, 1, 1, 0), TViewRegion{0.0625f, 0.0625f, 0, 1, 1, 1}}};
  for (int n = 0; n < 20; ++n)
    cases.emplace_back(poltest::RandomPol(rng, 10, 3, poltest::SmallInt), TViewRegion{});
  for (auto& [pol, region] : cases) {
    TImplicitMesh mesh;
    ASSERT_TRUE(mesh.Build(pol, 0.0f, region, 16));
    const auto& v = mesh.GetVertices();
    auto onSide = [&](uint32_t a, uint32_t b) {
      for (int axis = 0; axis < 3; ++axis)
        if (std::fabs(v[a].Position[axis]) == 1.0f && v[b].Position[axis] == v[a].Position[axis])
          return true;
      return false;
    };
    std::map<std::pair<uint32_t, uint32_t>, int> directed;
    const auto& ix = mesh.GetIndices();
    for (size_t t = 0; t < ix.size(); t += 3)
      for (int e = 0; e < 3; ++e)
        ++directed[{ix[t + e], ix[t + (e + 1) % 3]}];
    for (const auto& [edge, count] : directed) {
      ASSERT_EQ(count, 1) << pol.GetText();
      if (!onSide(edge.first, edge.second)) {
        ASSERT_TRUE(directed.count({edge.second, edge.first})) << pol.GetText();
      }
    }
  }
}

// Resolution: clamped to 16 .. 128; the triangle count grows as its square. A cancelled
// build leaves no mesh.
TEST(ImplicitMesh, ResolutionAndCancel) {
  const TViewRegion region{0, 0, 0, 1.2f, 1.2f, 1.2f};
  TImplicitMesh mesh;
  size_t last = 0;
  for (int cells : {16, 32, 64, 128}) {
    int layers = 0;
    ASSERT_TRUE(mesh.Build(Sphere(), 1.0f, region, cells, [&](int done, int total) {
      EXPECT_EQ(total, cells);
      layers = done;
      return true;
    }));
    EXPECT_EQ(layers, cells);
    if (last) {
      const double ratio = double(mesh.GetTriangleCount()) / double(last);
      EXPECT_GT(ratio, 3.5);
      EXPECT_LT(ratio, 4.5);
    }
    last = mesh.GetTriangleCount();
  }
  mesh.Build(Sphere(), 1.0f, region, 3);
  EXPECT_EQ(mesh.GetCells(), 16);
  mesh.Build(Sphere(), 1.0f, region, 1000);
  EXPECT_EQ(mesh.GetCells(), 128);
  EXPECT_FALSE(mesh.Build(Sphere(), 1.0f, region, 48, [](int done, int) { return done < 10; }));
  EXPECT_TRUE(mesh.IsEmpty());
  EXPECT_TRUE(mesh.GetVertices().empty());
}

// A plane is flat with one normal; F - c without a sign change in the region gives nothing.
TEST(ImplicitMesh, PlaneIsFlatAndMissedRegionsAreEmpty) {
  const TPolinom plane = Monom(1, 1, 0, 0) + Monom(1, 0, 1, 0) + Monom(1, 0, 0, 1);
  const TViewRegion stretched{0.5f, 0, 0, 1, 2, 3};
  TImplicitMesh mesh;
  for (const TViewRegion& region : {TViewRegion{}, stretched}) {
    ASSERT_TRUE(mesh.Build(plane, 0.0f, region, 20));
    ASSERT_FALSE(mesh.IsEmpty());
    const double n[3] = {region.Sx, region.Sy, region.Sz};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    ExpectOnSurfaceWithGradientNormals(mesh, plane, 0.0f, region, 1e-5);
    for (const TMeshVertex& v : mesh.GetVertices())
      for (int a = 0; a < 3; ++a)
        ASSERT_NEAR(v.Normal[a], n[a] / length, 1e-6);
    // Every triangle runs counter-clockwise seen from the side the normal points to.
    const auto& ix = mesh.GetIndices();
    for (size_t t = 0; t < ix.size(); t += 3) {
      const float* a = mesh.GetVertices()[ix[t]].Position;
      const float* b = mesh.GetVertices()[ix[t + 1]].Position;
      const float* c = mesh.GetVertices()[ix[t + 2]].Position;
      const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
      const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
      const double cross = (u[1] * w[2] - u[2] * w[1]) * n[0] + (u[2] * w[0] - u[0] * w[2]) * n[1] +
                           (u[0] * w[1] - u[1] * w[0]) * n[2];
      ASSERT_GE(cross, -1e-9);
    }
  }
  const TPolinom positive = Sphere() + Monom(1, 0, 0, 0);
  ASSERT_TRUE(mesh.Build(positive, 0.0f, TViewRegion{}, 32));
  EXPECT_TRUE(mesh.IsEmpty());
  ASSERT_TRUE(mesh.Build(Sphere(), 1.0f, TViewRegion{5, 0, 0, 1, 1, 1}, 32)); // far off
  EXPECT_TRUE(mesh.IsEmpty());
  EXPECT_EQ(mesh.GetTriangleCount(), 0u);
}

// Both file forms hold the mesh in world coordinates: STL facets with their outward normals
// and counter-clockwise corners, OBJ shared vertices and faces counted from 1.
TEST(ImplicitMesh, StlAndObjHoldTheWorldMesh) {
  const TViewRegion region{0.5f, -0.5f, 0.25f, 1, 2, 1.5f};
  const TPolinom sphere = Sphere(0.5f, -0.5f, 0.25f);
  TImplicitMesh mesh;
  ASSERT_TRUE(mesh.Build(sphere, 0.64f, region, 16));
  const size_t triangles = mesh.GetTriangleCount();
  ASSERT_GT(triangles, 100u);

  const std::string stl = TRANSSTRUCT::MeshStlBytes(mesh, region, "Sphere");
  ASSERT_EQ(stl.size(), 84 + 50 * triangles);
  EXPECT_EQ(stl.substr(0, 7), "Sphere ");
  uint32_t count = 0;
  std::memcpy(&count, stl.data() + 80, 4);
  EXPECT_EQ(count, triangles);
  const TPolEvaluator f(sphere);
  for (size_t t = 0; t < triangles; ++t) {
    float facet[12];
    std::memcpy(facet, stl.data() + 84 + 50 * t, sizeof facet);
    const float* n = facet;
    const float* p[3] = {facet + 3, facet + 6, facet + 9};
    for (const float* corner : p)
      ASSERT_NEAR(f.Value(corner[0], corner[1], corner[2]), 0.64, 0.05);
    const float centre[3] = {0.5f, -0.5f, 0.25f};
    double outward = 0, winding = 0;
    for (int a = 0; a < 3; ++a) {
      const int b = (a + 1) % 3, c = (a + 2) % 3;
      outward += n[a] * (p[0][a] - centre[a]);
      winding += n[a] * ((p[1][b] - p[0][b]) * (p[2][c] - p[0][c]) -
                         (p[1][c] - p[0][c]) * (p[2][b] - p[0][b]));
    }
    ASSERT_GT(outward, 0.0);
    ASSERT_GE(winding, -1e-9);
  }

  const std::string obj = TRANSSTRUCT::MeshObjText(mesh, region, "Sphere\nx");
  std::istringstream lines(obj);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "# Sphere x");
  size_t v = 0, vn = 0, faces = 0;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "v") {
      double w[3];
      fields >> w[0] >> w[1] >> w[2];
      const float* d = mesh.GetVertices()[v].Position;
      EXPECT_NEAR(w[0], 0.5 + 1.0 * d[0], 1e-6);
      EXPECT_NEAR(w[1], -0.5 + 2.0 * d[1], 1e-6);
      EXPECT_NEAR(w[2], 0.25 + 1.5 * d[2], 1e-6);
      ++v;
    } else if (kind == "vn") {
      ++vn;
    } else if (kind == "f") {
      for (int k = 0; k < 3; ++k) {
        std::string corner;
        fields >> corner;
        const size_t index = std::stoul(corner.substr(0, corner.find('/')));
        EXPECT_EQ(index, mesh.GetIndices()[3 * faces + size_t(k)] + 1);
        EXPECT_EQ(corner, std::to_string(index) + "//" + std::to_string(index));
      }
      ++faces;
    }
  }
  EXPECT_EQ(v, mesh.GetVertices().size());
  EXPECT_EQ(vn, v);
  EXPECT_EQ(faces, triangles);
}

// F and its gradient at a point summed term by term in double, with the sums of the terms'
// magnitudes: the scale of the rounding in any order of summation.
struct TTermSums {
  double Value = 0, Scale = 0;
  double Gradient[3] = {0, 0, 0}, GradientScale[3] = {0, 0, 0};
};

TTermSums TermByTerm(const TPolinom& pol, const double point[3]) {
  TPolinom p(pol);
  TTermSums sums;
  for (p.ResetList(); !p.IsListEnded(); p.GoNextLink()) {
    const int index = p.GetMonom()->GetIndex();
    const int power[3] = {TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)};
    double factor[3], slope[3];
    for (int a = 0; a < 3; ++a) {
      factor[a] = std::pow(point[a], power[a]);
      slope[a] = power[a] > 0 ? power[a] * std::pow(point[a], power[a] - 1) : 0.0;
    }
    const double c = p.GetMonom()->GetCoeff();
    const double term = c * factor[0] * factor[1] * factor[2];
    sums.Value += term;
    sums.Scale += std::fabs(term);
    for (int a = 0; a < 3; ++a) {
      const double g = c * (a == 0 ? slope[0] : factor[0]) * (a == 1 ? slope[1] : factor[1]) *
                       (a == 2 ? slope[2] : factor[2]);
      sums.Gradient[a] += g;
      sums.GradientScale[a] += std::fabs(g);
    }
  }
  return sums;
}

// The separable sums agree with the term-by-term sums within 1e-12 of the terms' magnitude: F
// at every node of random grids and the gradient at random points on their lines, for low,
// middle and the highest powers. A mesh made with either evaluation has the same triangles,
// and its positions and normals agree to float rounding.
TEST(ImplicitMesh, SeparableSumsAgreeWithTermByTermSums) {
  std::mt19937 rng(28);
  std::uniform_real_distribution<double> coordinate(-1.3, 1.3);
  const auto real = [](std::mt19937& g) { return std::uniform_real_distribution<float>(-2, 2)(g); };
  // Few terms for their powers are summed term by term at each point, many on the lines.
  const int terms[9] = {1, 40, 60, 120, 300, 900, 64, 600, 1500};
  for (int round = 0; round < 9; ++round) {
    const int maxPower = round % 3 == 0 ? 3 : round % 3 == 1 ? 20 : 99;
    const TPolinom pol = poltest::RandomPol(rng, terms[round], maxPower, real);
    std::vector<double> axes[3];
    for (auto& axis : axes)
      for (int n = 4 + int(rng() % 5); n > 0; --n)
        axis.push_back(coordinate(rng));
    const TSeparableGrid grid(pol, axes[0], axes[1], axes[2]);
    std::vector<double> values(axes[0].size() * axes[1].size());
    for (size_t k = 0; k < axes[2].size(); ++k) {
      grid.PlaneValues(grid.Plane(int(k)), values.data());
      for (size_t j = 0; j < axes[1].size(); ++j)
        for (size_t i = 0; i < axes[0].size(); ++i) {
          const double point[3] = {axes[0][i], axes[1][j], axes[2][k]};
          const TTermSums sums = TermByTerm(pol, point);
          ASSERT_NEAR(values[j * axes[0].size() + i], sums.Value, 1e-12 * sums.Scale);
        }
    }
    std::vector<TSeparableGrid::TLinePoint> points(200);
    for (auto& point : points) {
      point.Axis = int(rng() % 3);
      for (int a = 0; a < 3; ++a)
        point.Node[a] = int(rng() % axes[a].size());
      point.Along = coordinate(rng);
    }
    std::vector<int> done(points.size());
    grid.Gradients(points, [&](int index, const double gradient[3]) {
      const auto& point = points[size_t(index)];
      ++done[size_t(index)];
      double at[3];
      for (int a = 0; a < 3; ++a)
        at[a] = a == point.Axis ? point.Along : axes[a][size_t(point.Node[a])];
      const TTermSums sums = TermByTerm(pol, at);
      for (int a = 0; a < 3; ++a)
        ASSERT_NEAR(gradient[a], sums.Gradient[a], 1e-12 * sums.GradientScale[a]);
    });
    ASSERT_EQ(done, std::vector<int>(points.size(), 1));
  }
  for (const TPolinom& pol : {Quartic(), poltest::RandomPol(rng, 30, 4, real)}) {
    TImplicitMesh separable, termByTerm;
    termByTerm.SetEvaluation(TImplicitMesh::TEvaluation::TermByTerm);
    const TViewRegion region{0.1f, 0, 0, 1.6f, 1.5f, 1.4f};
    ASSERT_TRUE(separable.Build(pol, 0.3f, region, 32));
    ASSERT_TRUE(termByTerm.Build(pol, 0.3f, region, 32));
    ASSERT_GT(separable.GetTriangleCount(), 100u);
    ASSERT_EQ(separable.GetIndices(), termByTerm.GetIndices());
    for (size_t v = 0; v < separable.GetVertices().size(); ++v)
      for (int a = 0; a < 3; ++a) {
        ASSERT_NEAR(separable.GetVertices()[v].Position[a], termByTerm.GetVertices()[v].Position[a],
                    1e-6);
        ASSERT_NEAR(separable.GetVertices()[v].Normal[a], termByTerm.GetVertices()[v].Normal[a],
                    1e-5);
      }
  }
}
