#include "surface/TSurfaceMesh.h"

#include <cctype>
#include <cmath>

#include "surface/TPolEvaluator.h"
#include "core/TPolFunc.h"

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

} // namespace

void TSurfaceMesh::Clear() {
  Cells.clear();
  Quads.clear();
}

void TSurfaceMesh::Build(TPolFunc& func, char dependent, const TViewRegion& region) {
  Clear();
  const TAxes axes = AxesFor(dependent);
  const bool depX = axes.Dependent == 0;
  const bool depY = axes.Dependent == 1;
  // The two independent variables, their half-sizes and centres.
  const float su = float(depX ? region.Sy : region.Sx);
  const float u0 = depX ? region.Y0 : region.X0;
  const float sv = float(depX || depY ? region.Sz : region.Sy);
  const float v0 = depX || depY ? region.Z0 : region.Y0;
  const float sz = float(region.Sz);
  const bool mirror = !func.IsPowerOdd();

  // A drawing-space normal is grad F with each component times the half-size of its axis
  // (drawing coordinate = world coordinate / size); the dependent axis is drawn / Sz.
  double scale[3];
  scale[axes.U] = su;
  scale[axes.V] = sv;
  scale[axes.Dependent] = sz;
  // The front side of the quadrilateral along the dependent axis: x cross z points to -y,
  // the other orders to +x and +z; the mirror of a dependent z is in reverse order.
  const float front = depY ? -1.0f : 1.0f;
  const TPolGradient gradient(func.GetPolinom());

  auto corner = [&](float a, float b, float u, float v, float value, float frontSign) {
    TMeshVertex vertex;
    vertex.Position[axes.U] = a;
    vertex.Position[axes.V] = b;
    vertex.Position[axes.Dependent] = value;
    double world[3];
    world[axes.U] = u;
    world[axes.V] = v;
    world[axes.Dependent] = double(value) * sz;
    double n[3];
    if (gradient.DrawingNormal(world, scale, n)) {
      const double sign = n[axes.Dependent] * frontSign < 0.0 ? -1.0 : 1.0;
      for (double& component : n)
        component *= sign;
    } else {
      n[0] = n[1] = n[2] = 0.0;
      n[axes.Dependent] = frontSign;
    }
    for (int k = 0; k < 3; ++k)
      vertex.Normal[k] = float(n[k]);
    return vertex;
  };

  Cells.reserve(GridCells * GridCells);
  for (int i = 0; i < GridCells; ++i) {
    const float ui = 2.0f * su * (float(i) * 0.05f - 0.5f) + u0;
    const float ui1 = 2.0f * su * (float(i + 1) * 0.05f - 0.5f) + u0;
    const float gi = GridLine(i), gi1 = GridLine(i + 1);
    for (int j = 0; j < GridCells; ++j) {
      const float vj = 2.0f * sv * (float(j) * 0.05f - 0.5f) + v0;
      const float vj1 = 2.0f * sv * (float(j + 1) * 0.05f - 0.5f) + v0;
      const float gj = GridLine(j), gj1 = GridLine(j + 1);
      TCell cell;
      cell.I = i;
      cell.J = j;
      const float us[4] = {ui, ui1, ui1, ui};
      const float vs[4] = {vj, vj, vj1, vj1};
      for (int k = 0; k < 4; ++k) {
        cell.Value[k] = func.GetValue(us[k], vs[k]) / sz;
        cell.Defined[k] = func.GetRetCode() >= 0;
        cell.Drawn = cell.Drawn || cell.Defined[k];
      }
      Cells.push_back(cell);
      if (!cell.Drawn) continue;
      const float as[4] = {gi, gi1, gi1, gi};
      const float bs[4] = {gj, gj, gj1, gj1};
      TQuad quad;
      for (int k = 0; k < 4; ++k)
        quad.Corner[k] = corner(as[k], bs[k], us[k], vs[k], cell.Value[k], front);
      Quads.push_back(quad);
      if (!mirror) continue;
      TQuad image;
      image.Mirror = true;
      // A dependent z takes the corners in reverse order, which turns its front downwards.
      const bool reverse = !depX && !depY;
      for (int k = 0; k < 4; ++k) {
        const int c = reverse ? 3 - k : k;
        image.Corner[k] =
            corner(as[c], bs[c], us[c], vs[c], -cell.Value[c], reverse ? -front : front);
      }
      Quads.push_back(image);
    }
  }
}

} // namespace TRANSSTRUCT
