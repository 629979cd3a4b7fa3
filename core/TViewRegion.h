#pragma once
// The region viewed on the surface page: centre (X0, Y0, Z0) and the half-sizes Sx, Sy, Sz,
// so the box [X0 - Sx, X0 + Sx] x [Y0 - Sy, Y0 + Sy] x [Z0 - Sz, Z0 + Sz].

namespace TRANSSTRUCT {

struct TViewRegion {
  float X0 = 0.0f, Y0 = 0.0f, Z0 = 0.0f;
  int Sx = 1, Sy = 1, Sz = 1;
};

// A vertex of a drawn surface in drawing coordinates, with its unit normal.
struct TMeshVertex {
  float Position[3];
  float Normal[3];
};

} // namespace TRANSSTRUCT
