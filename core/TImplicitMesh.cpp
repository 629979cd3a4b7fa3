#include "core/TImplicitMesh.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/TPolEvaluator.h"
#include "core/TPolinom.h"

namespace TRANSSTRUCT {

namespace {

// A cube's corners are numbered by their offsets: bit 0 for x, bit 1 for y, bit 2 for z.
// The six tetrahedra run from corner 0 along one axis, then a second, then the third to
// corner 7; the sign is that of det(v1 - v0, v2 - v0, v3 - v0), the parity of the axis order.
struct TTetrahedron {
  int Corner[4];
  int Sign;
};
constexpr TTetrahedron Tetrahedra[6] = {
    {{0, 1, 3, 7}, +1}, {{0, 1, 5, 7}, -1}, {{0, 2, 3, 7}, -1},
    {{0, 2, 6, 7}, +1}, {{0, 4, 5, 7}, +1}, {{0, 4, 6, 7}, -1},
};

// Parity of the permutation (a, b, c, d) of (0, 1, 2, 3).
int Parity(const int (&p)[4]) {
  int inversions = 0;
  for (int m = 0; m < 4; ++m)
    for (int n = m + 1; n < 4; ++n)
      inversions += p[m] > p[n];
  return inversions % 2 == 0 ? 1 : -1;
}

// The sampled grid and the vertices made on its edges, one layer of cubes at a time.
class TLayerMesher {
public:
  TLayerMesher(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region, int cells,
               std::vector<TMeshVertex>& vertices, std::vector<uint32_t>& indices)
      : Function(pol), Gradient(pol), Level(c), Cells(cells), Points(cells + 1), Vertices(vertices),
        Indices(indices) {
    const double centre[3] = {region.X0, region.Y0, region.Z0};
    const double size[3] = {double(region.Sx), double(region.Sy), double(region.Sz)};
    for (int axis = 0; axis < 3; ++axis) {
      Centre[axis] = centre[axis];
      Size[axis] = size[axis];
      World[axis].resize(Points);
      for (int i = 0; i < Points; ++i)
        World[axis][i] = centre[axis] + size[axis] * Drawing(i);
    }
    const size_t plane = size_t(Points) * size_t(Points);
    for (int n = 0; n < 2; ++n) {
      Values[n].resize(plane);
      PlaneEdges[n].assign(plane * 3, -1);
    }
    CrossEdges.assign(plane * 4, -1);
    SamplePlane(0, Values[1]); // the upper plane of the layer before the first
  }

  // The cubes between grid planes k and k + 1.
  void Layer(int k) {
    // The upper plane of the last layer becomes the lower plane, vertices and all.
    std::swap(Values[0], Values[1]);
    std::swap(PlaneEdges[0], PlaneEdges[1]);
    SamplePlane(k + 1, Values[1]);
    std::fill(PlaneEdges[1].begin(), PlaneEdges[1].end(), -1);
    std::fill(CrossEdges.begin(), CrossEdges.end(), -1);
    LowerPlane = k;
    for (int j = 0; j < Cells; ++j)
      for (int i = 0; i < Cells; ++i)
        Cube(i, j);
  }

private:
  double Drawing(int i) const { return -1.0 + 2.0 * double(i) / double(Cells); }

  void SamplePlane(int k, std::vector<double>& out) const {
    for (int j = 0; j < Points; ++j) {
      double* row = out.data() + size_t(j) * size_t(Points);
      Function.ValuesAlongX(World[1][j], World[2][k], World[0].data(), Points, row);
      for (int i = 0; i < Points; ++i)
        row[i] -= double(Level);
    }
  }

  double Value(int i, int j, int dz) const {
    return Values[dz][size_t(j) * size_t(Points) + size_t(i)];
  }

  void Cube(int i, int j) {
    double f[8];
    int inside = 0;
    for (int corner = 0; corner < 8; ++corner) {
      f[corner] = Value(i + (corner & 1), j + ((corner >> 1) & 1), (corner >> 2) & 1);
      inside += f[corner] < 0.0;
    }
    if (inside == 0 || inside == 8) return;
    for (const TTetrahedron& tet : Tetrahedra) {
      int in[4], out[4], nIn = 0, nOut = 0;
      for (int m = 0; m < 4; ++m)
        (f[tet.Corner[m]] < 0.0 ? in[nIn++] : out[nOut++]) = m;
      if (nIn == 0 || nOut == 0) continue;
      auto edge = [&](int m, int n) { return EdgeVertex(i, j, tet.Corner[m], tet.Corner[n], f); };
      if (nIn == 1 || nOut == 1) {
        // One corner apart: a triangle around it, its normal pointing away from the corner
        // when the tetrahedron (apart, then the others in order) is positively oriented.
        const int apart = nIn == 1 ? in[0] : out[0];
        int order[4] = {apart, 0, 0, 0}, n = 1;
        for (int m = 0; m < 4; ++m)
          if (m != apart) order[n++] = m;
        bool away = tet.Sign * Parity(order) > 0;
        if (nOut == 1) away = !away; // the outside corner is the one to point to
        const uint32_t a = edge(apart, order[1]), b = edge(apart, order[2]),
                       c = edge(apart, order[3]);
        Triangle(a, away ? b : c, away ? c : b);
      } else {
        // Two and two: the quadrilateral on the four crossing edges, as two triangles.
        const int order[4] = {in[0], in[1], out[0], out[1]};
        const uint32_t ac = edge(in[0], out[0]), ad = edge(in[0], out[1]), bd = edge(in[1], out[1]),
                       bc = edge(in[1], out[0]);
        if (tet.Sign * Parity(order) > 0) {
          Triangle(ac, ad, bd);
          Triangle(ac, bd, bc);
        } else {
          Triangle(ac, bd, ad);
          Triangle(ac, bc, bd);
        }
      }
    }
  }

  void Triangle(uint32_t a, uint32_t b, uint32_t c) {
    Indices.push_back(a);
    Indices.push_back(b);
    Indices.push_back(c);
  }

  // The vertex on the edge between cube corners p and q (q above p on every axis where they
  // differ), made once and looked up by its lower end and direction.
  uint32_t EdgeVertex(int i, int j, int p, int q, const double* f) {
    const int lower = p & q, direction = p ^ q;
    const int gi = i + (lower & 1), gj = j + ((lower >> 1) & 1);
    const size_t point = size_t(gj) * size_t(Points) + size_t(gi);
    int32_t* slot;
    if (lower & 4)
      slot = &PlaneEdges[1][point * 3 + size_t(direction - 1)];
    else if (direction & 4)
      slot = &CrossEdges[point * 4 + size_t(direction - 4)];
    else
      slot = &PlaneEdges[0][point * 3 + size_t(direction - 1)];
    if (*slot >= 0) return uint32_t(*slot);

    const double f0 = f[lower], f1 = f[lower | direction];
    double t = f0 / (f0 - f1);
    if (!std::isfinite(t)) t = 0.5;
    t = std::clamp(t, 0.0, 1.0);
    const int start[3] = {gi, gj, LowerPlane + ((lower >> 2) & 1)};
    TMeshVertex vertex;
    double world[3];
    for (int axis = 0; axis < 3; ++axis) {
      const double step = (direction >> axis) & 1;
      const double d = -1.0 + 2.0 * (double(start[axis]) + t * step) / double(Cells);
      vertex.Position[axis] = float(d);
      world[axis] = Centre[axis] + Size[axis] * d;
    }
    double g[3];
    Gradient.At(world[0], world[1], world[2], g);
    double n[3], length2 = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
      n[axis] = g[axis] * Size[axis];
      length2 += n[axis] * n[axis];
    }
    double length = std::sqrt(length2);
    if (!(length > 0.0) || !std::isfinite(length)) {
      // No gradient here: the edge from its inside to its outside end stands in for it.
      const double towards = f0 < 0.0 ? 1.0 : -1.0;
      for (int axis = 0; axis < 3; ++axis)
        n[axis] = towards * double((direction >> axis) & 1);
      length = std::sqrt(double(std::popcount(unsigned(direction))));
    }
    for (int axis = 0; axis < 3; ++axis)
      vertex.Normal[axis] = float(n[axis] / length);
    *slot = int32_t(Vertices.size());
    Vertices.push_back(vertex);
    return uint32_t(*slot);
  }

  TPolEvaluator Function;
  TPolGradient Gradient;
  float Level;
  int Cells, Points;
  int LowerPlane = 0;
  double Centre[3], Size[3];
  std::vector<double> World[3];
  std::vector<double> Values[2];      // F - c on the lower and the upper plane of the layer
  std::vector<int32_t> PlaneEdges[2]; // vertices on the edges within each plane (x, y, xy)
  std::vector<int32_t> CrossEdges;    // vertices on the edges between them (z, xz, yz, xyz)
  std::vector<TMeshVertex>& Vertices;
  std::vector<uint32_t>& Indices;
};

} // namespace

void TImplicitMesh::Clear() {
  Vertices.clear();
  Indices.clear();
}

bool TImplicitMesh::Build(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region,
                          int cells, const TProgress& progress) {
  Clear();
  Cells = std::clamp(cells, MinCells, MaxCells);
  TLayerMesher mesher(pol, c, region, Cells, Vertices, Indices);
  for (int k = 0; k < Cells; ++k) {
    mesher.Layer(k);
    if (progress && !progress(k + 1, Cells)) {
      Clear();
      return false;
    }
  }
  return true;
}

} // namespace TRANSSTRUCT
