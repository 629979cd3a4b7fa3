#pragma once
// TImplicitMesh: the surface F(x, y, z) = c of any polynomial F over the region viewed, as a
// triangle mesh with shared vertices. F - c is sampled on a grid of cells x cells x cells
// cubes over [X0 - Sx, X0 + Sx] x [Y0 - Sy, Y0 + Sy] x [Z0 - Sz, Z0 + Sz]; a corner is inside
// where F - c < 0. Each cube is cut by the marching-cubes rule: on every face the crossing
// points are joined by segments, and a face whose inside and outside corners alternate cuts
// off each inside corner on its own. The rule looks only at the face, so neighbouring cubes
// cut their common face alike and the mesh has no holes or cracks. Each vertex lies on a grid
// edge whose ends are on different sides, placed by linear interpolation of F - c along it,
// and is shared by every triangle that meets that edge.
//
// Output in drawing coordinates, -1 to 1 on each axis ((x - X0) / Sx and so on); each vertex
// has the unit normal of grad F in drawing space (the analytic gradient, each component
// times the half-size of its axis). Triangles run counter-clockwise seen from the side where
// F > c, the side the gradient points to.

#include <cstdint>
#include <functional>
#include <vector>

#include "surface/TViewRegion.h"

namespace LISTSTRUCT {
class TPolinom;
}

namespace TRANSSTRUCT {

class TImplicitMesh {
public:
  // How F and its gradient are evaluated: summed one variable at a time over the grid and its
  // lines (the default), or term by term at every grid row and every vertex, as earlier
  // (kept for comparison). Both give the same mesh up to the last bits.
  enum class TEvaluation { Separable, TermByTerm };

  static constexpr int MinCells = 16;
  static constexpr int MaxCells = 128;
  static constexpr int DefaultCells = 48;

  // Called after each layer of cubes with (layers done, all layers); false cancels.
  using TProgress = std::function<bool(int done, int total)>;

  // Builds the mesh of pol = c; cells is clamped to MinCells .. MaxCells. False (and an
  // empty mesh) when the progress callback cancelled.
  bool Build(const LISTSTRUCT::TPolinom& pol, float c, const TViewRegion& region, int cells,
             const TProgress& progress = {});
  void Clear();

  const std::vector<TMeshVertex>& GetVertices() const { return Vertices; }
  // Three vertex indexes per triangle.
  const std::vector<uint32_t>& GetIndices() const { return Indices; }
  size_t GetTriangleCount() const { return Indices.size() / 3; }
  // True when F - c has no sign change over the grid: the surface misses the region.
  bool IsEmpty() const { return Indices.empty(); }
  int GetCells() const { return Cells; }
  void SetEvaluation(TEvaluation evaluation) { Evaluation = evaluation; }

private:
  std::vector<TMeshVertex> Vertices;
  std::vector<uint32_t> Indices;
  int Cells = 0;
  TEvaluation Evaluation = TEvaluation::Separable;
};

} // namespace TRANSSTRUCT
