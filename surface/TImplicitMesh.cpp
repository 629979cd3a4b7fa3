#include "surface/TImplicitMesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/TPolinom.h"
#include "surface/TPolEvaluator.h"
#include "surface/TSeparableGrid.h"

namespace TRANSSTRUCT {

namespace {

// A cube's corners are numbered by their offsets: bit 0 for x, bit 1 for y, bit 2 for z.
// Edge 4 * a + r runs along axis a from the corner whose two other bits are r (the lower
// of the two bits first) to the corner with bit a set as well.
constexpr int EdgeLower(int edge) {
  const int axis = edge / 4, rest = edge % 4;
  const int low = rest & 1, high = (rest >> 1) & 1;
  // The two other axes in ascending order take the bits of rest.
  switch (axis) {
  case 0:
    return (low << 1) | (high << 2);
  case 1:
    return low | (high << 2);
  default:
    return low | (high << 1);
  }
}

constexpr int EdgeOf(int lower, int axis) {
  const int others[3][2] = {{1, 2}, {0, 2}, {0, 1}};
  return 4 * axis + ((lower >> others[axis][0]) & 1) + 2 * ((lower >> others[axis][1]) & 1);
}

// The triangles of one corner sign pattern, as cube edges, three per triangle.
struct TCubeCase {
  int Count = 0; // edges listed
  std::array<signed char, 36> Edges{};
};

// The table of the 256 sign patterns, made by walking the cube's faces. On each face the
// crossing points are joined by segments; a face whose inside and outside corners alternate
// joins them so that each inside corner is cut off on its own. The rule looks at the face's
// four corners only, so two cubes that share a face join its points alike and the surface
// has no cracks. Each segment runs so that, seen from outside the cube, the inside corners
// lie on its right; the segments then chain into closed loops around the outside region,
// and each loop is cut into a fan of triangles turned towards the outside.
std::array<TCubeCase, 256> MakeCubeCases() {
  std::array<TCubeCase, 256> cases{};
  for (int pattern = 0; pattern < 256; ++pattern) {
    auto inside = [pattern](int corner) { return (pattern >> corner) & 1; };
    int next[12];
    std::fill(std::begin(next), std::end(next), -1);
    for (int axis = 0; axis < 3; ++axis)
      for (int side = 0; side < 2; ++side) {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        // The face's corners counter-clockwise seen from outside: around +axis for the
        // upper side (u then v is right-handed), the other way round for the lower side.
        int ring[4] = {side << axis, (side << axis) | (1 << u),
                       (side << axis) | (1 << u) | (1 << v), (side << axis) | (1 << v)};
        if (side == 0) std::swap(ring[1], ring[3]);
        // Edge m of the ring joins ring[m] and ring[m + 1].
        auto ringEdge = [&](int m) {
          const int a = ring[m], b = ring[(m + 1) % 4];
          const int changed = a ^ b;
          const int edgeAxis = changed == 1 ? 0 : changed == 2 ? 1 : 2;
          return EdgeOf(a & b, edgeAxis);
        };
        // Each run of inside corners along the ring (counter-clockwise) is cut off by one
        // segment from the edge where the ring enters the run to the edge where it leaves;
        // that keeps the run on the segment's right, seen from outside.
        for (int m = 0; m < 4; ++m) {
          if (!inside(ring[m]) || inside(ring[(m + 3) % 4])) continue; // not where a run starts
          int last = m;
          while (inside(ring[(last + 1) % 4]))
            last = (last + 1) % 4;
          next[ringEdge((m + 3) % 4)] = ringEdge(last);
        }
      }
    TCubeCase& cube = cases[size_t(pattern)];
    bool used[12] = {};
    for (int start = 0; start < 12; ++start) {
      if (next[start] < 0 || used[start]) continue;
      int loop[12], length = 0;
      for (int e = start; !used[e]; e = next[e]) {
        used[e] = true;
        loop[length++] = e;
      }
      for (int t = 1; t + 1 < length; ++t) {
        cube.Edges[size_t(cube.Count++)] = static_cast<signed char>(loop[0]);
        cube.Edges[size_t(cube.Count++)] = static_cast<signed char>(loop[t]);
        cube.Edges[size_t(cube.Count++)] = static_cast<signed char>(loop[t + 1]);
      }
    }
  }
  return cases;
}

const std::array<TCubeCase, 256>& CubeCases() {
  static const std::array<TCubeCase, 256> cases = MakeCubeCases();
  return cases;
}

// The sampled grid and the vertices made on its edges, one layer of cubes at a time. The
// normals come at the end, from the gradient at every vertex.
class TLayerMesher {
public:
  TLayerMesher(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region, int cells,
               TImplicitMesh::TEvaluation evaluation, std::vector<TMeshVertex>& vertices,
               std::vector<uint32_t>& indices)
      : Level(c), Cells(cells), Points(cells + 1), Vertices(vertices), Indices(indices) {
    const double centre[3] = {region.X0, region.Y0, region.Z0};
    const double size[3] = {double(region.Sx), double(region.Sy), double(region.Sz)};
    for (int axis = 0; axis < 3; ++axis) {
      Centre[axis] = centre[axis];
      Size[axis] = size[axis];
      World[axis].resize(size_t(Points));
      for (int i = 0; i < Points; ++i)
        World[axis][size_t(i)] = centre[axis] + size[axis] * Drawing(i);
    }
    if (evaluation == TImplicitMesh::TEvaluation::Separable)
      Grid.emplace(pol, World[0], World[1], World[2]);
    else
      TermByTerm.emplace(TTermByTerm{TPolEvaluator(pol), TPolGradient(pol)});
    const size_t plane = size_t(Points) * size_t(Points);
    for (int n = 0; n < 2; ++n) {
      Values[n].resize(plane);
      PlaneEdges[n].assign(plane * 2, -1);
    }
    CrossEdges.assign(plane, -1);
    // Room for a surface that crosses the region a few times, or as large as the mesh before.
    const size_t expected = std::max(vertices.capacity(), 4 * size_t(cells) * size_t(cells));
    Places.reserve(expected);
    InsideLower.reserve(expected);
    SamplePlane(0); // the upper plane of the layer before the first
  }

  // The cubes between grid planes k and k + 1.
  void Layer(int k) {
    // The upper plane of the last layer becomes the lower plane, vertices and all.
    std::swap(Values[0], Values[1]);
    std::swap(PlaneEdges[0], PlaneEdges[1]);
    std::swap(Planes[0], Planes[1]);
    std::swap(OnPlane[0], OnPlane[1]);
    SamplePlane(k + 1);
    std::fill(PlaneEdges[1].begin(), PlaneEdges[1].end(), -1);
    std::fill(CrossEdges.begin(), CrossEdges.end(), -1);
    LowerPlane = k;
    const auto& cases = CubeCases();
    for (int j = 0; j < Cells; ++j)
      for (int i = 0; i < Cells; ++i) {
        double f[8];
        int pattern = 0;
        for (int corner = 0; corner < 8; ++corner) {
          f[corner] = Value(i + (corner & 1), j + ((corner >> 1) & 1), (corner >> 2) & 1);
          pattern |= int(f[corner] < 0.0) << corner;
        }
        const TCubeCase& cube = cases[size_t(pattern)];
        for (int n = 0; n < cube.Count; ++n)
          Indices.push_back(EdgeVertex(i, j, cube.Edges[size_t(n)], f));
      }
    // No later layer makes a vertex on plane k.
    if (Grid) Grid->PlaneGradients(Planes[0], Places, std::move(OnPlane[0]), Sink);
    OnPlane[0].clear();
  }

  // The normals of the vertices not done with their plane.
  void Normals() {
    if (Grid) {
      Grid->PlaneGradients(Planes[1], Places, std::move(OnPlane[1]), Sink);
      Grid->CrossGradients(Places, std::move(Cross), Sink);
      return;
    }
    for (size_t v = 0; v < Places.size(); ++v) {
      const TSeparableGrid::TLinePoint& place = Places[v];
      double world[3], gradient[3];
      for (int a = 0; a < 3; ++a)
        world[a] = a == place.Axis ? place.Along : World[a][size_t(place.Node[a])];
      TermByTerm->Gradient.At(world[0], world[1], world[2], gradient);
      Normal(int(v), gradient);
    }
  }

private:
  struct TTermByTerm {
    TPolEvaluator Function;
    TPolGradient Gradient;
  };

  double Drawing(int i) const { return -1.0 + 2.0 * double(i) / double(Cells); }

  // The unit normal of vertex v: grad F in drawing space, or where that vanishes, the direction
  // of its edge from the inside end to the outside end.
  void Normal(int v, const double gradient[3]) {
    double n[3];
    if (!TPolGradient::UnitDrawingNormal(gradient, Size, n)) {
      n[0] = n[1] = n[2] = 0.0;
      n[Places[size_t(v)].Axis] = InsideLower[size_t(v)] ? 1.0 : -1.0;
    }
    for (int a = 0; a < 3; ++a)
      Vertices[size_t(v)].Normal[a] = float(n[a]);
  }

  // The values of F - c on plane k, as the upper plane of the layer.
  void SamplePlane(int k) {
    std::vector<double>& out = Values[1];
    if (Grid) {
      Planes[1] = Grid->Plane(k);
      Grid->PlaneValues(Planes[1], out.data());
    }
    for (int j = 0; j < Points; ++j) {
      double* row = out.data() + size_t(j) * size_t(Points);
      if (!Grid)
        TermByTerm->Function.ValuesAlongX(World[1][size_t(j)], World[2][size_t(k)], World[0].data(),
                                          Points, row);
      for (int i = 0; i < Points; ++i)
        row[i] -= double(Level);
    }
  }

  double Value(int i, int j, int dz) const {
    return Values[dz][size_t(j) * size_t(Points) + size_t(i)];
  }

  // The vertex on a cube edge, made once and looked up by the edge's lower end and axis.
  uint32_t EdgeVertex(int i, int j, int edge, const double* f) {
    const int axis = edge / 4, lower = EdgeLower(edge), upper = lower | (1 << axis);
    const int gi = i + (lower & 1), gj = j + ((lower >> 1) & 1);
    const size_t point = size_t(gj) * size_t(Points) + size_t(gi);
    int32_t* slot =
        axis == 2 ? &CrossEdges[point] : &PlaneEdges[(lower >> 2) & 1][point * 2 + size_t(axis)];
    if (*slot >= 0) return uint32_t(*slot);

    const double f0 = f[lower], f1 = f[upper];
    double t = f0 / (f0 - f1);
    if (!std::isfinite(t)) t = 0.5;
    t = std::clamp(t, 0.0, 1.0);
    TSeparableGrid::TLinePoint place;
    place.Axis = axis;
    place.Node[0] = gi;
    place.Node[1] = gj;
    place.Node[2] = LowerPlane + ((lower >> 2) & 1);
    TMeshVertex vertex;
    for (int a = 0; a < 3; ++a) {
      const double d = -1.0 + 2.0 * (double(place.Node[a]) + (a == axis ? t : 0.0)) / double(Cells);
      vertex.Position[a] = float(d);
      if (a == axis) place.Along = Centre[a] + Size[a] * d;
    }
    *slot = int32_t(Vertices.size());
    Vertices.push_back(vertex);
    if (axis == 2)
      Cross.push_back(*slot);
    else
      OnPlane[(lower >> 2) & 1].push_back(*slot);
    Places.push_back(place);
    InsideLower.push_back(f0 < 0.0);
    return uint32_t(*slot);
  }

  std::optional<TSeparableGrid> Grid;
  std::optional<TTermByTerm> TermByTerm;
  float Level;
  int Cells, Points;
  int LowerPlane = 0;
  double Centre[3], Size[3];
  std::vector<double> World[3];
  std::vector<double> Values[2];      // F - c on the lower and the upper plane of the layer
  std::vector<int32_t> PlaneEdges[2]; // vertices on the x and y edges of each plane
  std::vector<int32_t> CrossEdges;    // vertices on the z edges between them
  std::vector<TMeshVertex>& Vertices;
  std::vector<uint32_t>& Indices;
  std::vector<TSeparableGrid::TLinePoint> Places; // where each vertex lies, for its gradient
  std::vector<bool> InsideLower;                  // its edge's lower end is inside
  TSeparableGrid::TPlane Planes[2];               // the sums of the lower and the upper plane
  std::vector<int> OnPlane[2]; // vertices on the x and y edges of each plane, for their gradient
  std::vector<int> Cross;      // vertices on the z edges
  const TSeparableGrid::TGradientSink Sink = [this](int v, const double* g) { Normal(v, g); };
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
  TLayerMesher mesher(pol, c, region, Cells, Evaluation, Vertices, Indices);
  for (int k = 0; k < Cells; ++k) {
    mesher.Layer(k);
    if (progress && !progress(k + 1, Cells)) {
      Clear();
      return false;
    }
  }
  mesher.Normals();
  return true;
}

} // namespace TRANSSTRUCT
