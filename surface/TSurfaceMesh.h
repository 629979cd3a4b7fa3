#pragma once
// TSurfaceMesh: the explicit drawing of a surface F(x, y, z) = c, the geometry only. The
// dependent variable V = f(u, v), expressed by a TPolFunc, is sampled on a 20 x 20 grid over
// the two other variables; every cell with at least one defined corner becomes one
// quadrilateral, followed by its mirror (the four values negated) when the power of V is
// even. The corners are in drawing coordinates: the grid lines run from -1 to +1 in steps
// of 0.1 and the value, divided by Sz (for every dependent variable) with no centre
// subtracted, sits on the dependent variable's axis.
//
// Corner order (it decides which side is the front under two-sided lighting):
//   quadrilateral  (i, j), (i+1, j), (i+1, j+1), (i, j+1);
//   mirror         (i, j+1), (i+1, j+1), (i+1, j), (i, j) for a dependent z,
//                  the quadrilateral's order for a dependent x or y.
//
// Every corner also carries the unit normal of grad F at its point, scaled into drawing
// space and turned to the quadrilateral's front side; where the gradient vanishes the
// normal is the front direction of the dependent axis.

#include <vector>

#include "surface/TViewRegion.h"

namespace TRANSSTRUCT {

class TPolFunc;

class TSurfaceMesh {
public:
  static constexpr int GridCells = 20;

  // One grid cell: the four values r, s, t, q at (i, j), (i+1, j), (i+1, j+1), (i, j+1) as
  // drawn (divided by Sz), whether each was defined, and whether the cell is drawn.
  struct TCell {
    int I = 0, J = 0;
    float Value[4] = {};
    bool Defined[4] = {};
    bool Drawn = false;
  };
  struct TQuad {
    TMeshVertex Corner[4];
    bool Mirror = false;
  };

  // Samples func (which must be ready) with the dependent variable 'x', 'y' or 'z' (either
  // case) over the region. The quadrilaterals come in drawing order: outer i, inner j, each
  // cell's mirror right after it.
  void Build(TPolFunc& func, char dependent, const TViewRegion& region);
  void Clear();

  const std::vector<TCell>& GetCells() const { return Cells; }
  const std::vector<TQuad>& GetQuads() const { return Quads; }

  // Drawing coordinate of grid line k.
  static float GridLine(int k) { return (float(k) * 0.05f - 0.5f) * 2.0f; }

private:
  std::vector<TCell> Cells;
  std::vector<TQuad> Quads;
};

} // namespace TRANSSTRUCT
