#include "surface/TSurfaceMesh.h"

#include <cctype>
#include <cmath>

#include "core/TPolFunc.h"
#include "surface/TPolEvaluator.h"

namespace TRANSSTRUCT {

namespace {

// Where the two grid coordinates and the value go among the three drawing axes.
struct TAxes {
  int Dependent; // 0, 1, 2 for x, y, z
  int U, V;      // the axes of the first and second grid coordinate
};

TAxes AxesFor(char dependent) {
  switch (std::tolower(static_cast<unsigned char>(dependent))) {
  case 'x':
    return {0, 1, 2};
  case 'y':
    return {1, 0, 2};
  default:
    return {2, 0, 1};
  }
}

// The sampled rectangle: the half-sizes and centres of the two independent variables, and
// the size the values are divided by.
struct TGrid {
  float Su, U0, Sv, V0, Sz;
};

TGrid GridFor(const TAxes& axes, const TViewRegion& region) {
  const bool depX = axes.Dependent == 0;
  const bool depY = axes.Dependent == 1;
  return {float(depX ? region.Sy : region.Sx), depX ? region.Y0 : region.X0,
          float(depX || depY ? region.Sz : region.Sy), depX || depY ? region.Z0 : region.Y0,
          float(region.Sz)};
}

// Makes the drawn corner of a sample: its grid coordinates (a, b) and value on their axes, and
// the unit normal of grad F at the sample's point (u, v, value x Sz), turned to the front side.
class TCornerMaker {
public:
  TCornerMaker(const TAxes& axes, const TGrid& grid, const LISTSTRUCT::TPolinom& pol)
      : Axes(axes), Sz(grid.Sz), Gradient(pol) {
    // A drawing-space normal is grad F with each component times the half-size of its axis
    // (drawing coordinate = world coordinate / size); the dependent axis is drawn / Sz.
    Scale[axes.U] = grid.Su;
    Scale[axes.V] = grid.Sv;
    Scale[axes.Dependent] = grid.Sz;
  }

  TMeshVertex operator()(float a, float b, float u, float v, float value, float frontSign) const {
    TMeshVertex vertex;
    vertex.Position[Axes.U] = a;
    vertex.Position[Axes.V] = b;
    vertex.Position[Axes.Dependent] = value;
    double world[3];
    world[Axes.U] = u;
    world[Axes.V] = v;
    world[Axes.Dependent] = double(value) * Sz;
    double n[3];
    if (Gradient.DrawingNormal(world, Scale, n)) {
      const double sign = n[Axes.Dependent] * frontSign < 0.0 ? -1.0 : 1.0;
      for (double& component : n)
        component *= sign;
    } else {
      n[0] = n[1] = n[2] = 0.0;
      n[Axes.Dependent] = frontSign;
    }
    for (int k = 0; k < 3; ++k)
      vertex.Normal[k] = float(n[k]);
    return vertex;
  }

private:
  TAxes Axes;
  float Sz;
  double Scale[3];
  TPolGradient Gradient;
};

// The samples of one cell: u and v at its four corners in the order r, s, t, q.
struct TCellSamples {
  float U[4];
  float V[4];
};

TCellSamples SamplesOf(const TGrid& grid, int i, int j) {
  const float ui = 2.0f * grid.Su * (float(i) * 0.05f - 0.5f) + grid.U0;
  const float ui1 = 2.0f * grid.Su * (float(i + 1) * 0.05f - 0.5f) + grid.U0;
  const float vj = 2.0f * grid.Sv * (float(j) * 0.05f - 0.5f) + grid.V0;
  const float vj1 = 2.0f * grid.Sv * (float(j + 1) * 0.05f - 0.5f) + grid.V0;
  return {{ui, ui1, ui1, ui}, {vj, vj, vj1, vj1}};
}

} // namespace

void TSurfaceMesh::Clear() {
  Cells.clear();
  Quads.clear();
}

void TSurfaceMesh::Build(TPolFunc& func, char dependent, const TViewRegion& region) {
  Clear();
  const TAxes axes = AxesFor(dependent);
  const TGrid grid = GridFor(axes, region);
  const TCornerMaker corner(axes, grid, func.GetPolinom());
  // The front side of the quadrilateral along the dependent axis: x cross z points to -y,
  // the other orders to +x and +z; the mirror of a dependent z is in reverse order.
  const float front = axes.Dependent == 1 ? -1.0f : 1.0f;
  const bool mirror = !func.IsPowerOdd();
  const bool reverse = axes.Dependent == 2;

  Cells.reserve(GridCells * GridCells);
  for (int i = 0; i < GridCells; ++i)
    for (int j = 0; j < GridCells; ++j) {
      const TCellSamples samples = SamplesOf(grid, i, j);
      TCell cell;
      cell.I = i;
      cell.J = j;
      for (int k = 0; k < 4; ++k) {
        cell.Value[k] = func.GetValue(samples.U[k], samples.V[k]) / grid.Sz;
        cell.Defined[k] = func.GetRetCode() >= 0;
        cell.Drawn = cell.Drawn || cell.Defined[k];
      }
      Cells.push_back(cell);
      if (!cell.Drawn) continue;
      const float as[4] = {GridLine(i), GridLine(i + 1), GridLine(i + 1), GridLine(i)};
      const float bs[4] = {GridLine(j), GridLine(j), GridLine(j + 1), GridLine(j + 1)};
      TQuad quad;
      for (int k = 0; k < 4; ++k)
        quad.Corner[k] = corner(as[k], bs[k], samples.U[k], samples.V[k], cell.Value[k], front);
      Quads.push_back(quad);
      if (!mirror) continue;
      TQuad image;
      image.Mirror = true;
      // A dependent z takes the corners in reverse order, which turns its front downwards.
      for (int k = 0; k < 4; ++k) {
        const int c = reverse ? 3 - k : k;
        image.Corner[k] = corner(as[c], bs[c], samples.U[c], samples.V[c], -cell.Value[c],
                                 reverse ? -front : front);
      }
      Quads.push_back(image);
    }
}

} // namespace TRANSSTRUCT
