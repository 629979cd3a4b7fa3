#pragma once
// A wireframe that stays readable however fine the mesh: instead of every triangle's edges,
// the lines where the surface crosses evenly spaced planes x = const, y = const and
// z = const of drawing space, as many planes whatever the number of cells.

#include <vector>

#include "surface/TViewRegion.h"

namespace TRANSSTRUCT {

class TImplicitMesh;

// The planes across each axis lie at -1 + 2k / linesPerAxis (k = 1 .. linesPerAxis - 1), so
// an even count has one through the middle. Two vertices a line: each crossing segment of a
// triangle, with position and normal interpolated along the triangle's edges.
std::vector<TMeshVertex> ContourLines(const TImplicitMesh& mesh, int linesPerAxis = 12);

} // namespace TRANSSTRUCT
