#pragma once
// The region viewed on the surface page: centre (X0, Y0, Z0) and the half-sizes Sx, Sy, Sz,
// so the box [X0 - Sx, X0 + Sx] x [Y0 - Sy, Y0 + Sy] x [Z0 - Sz, Z0 + Sz].

namespace TRANSSTRUCT {

struct TViewRegion {
  float X0 = 0.0f, Y0 = 0.0f, Z0 = 0.0f;
  float Sx = 1.0f, Sy = 1.0f, Sz = 1.0f; // the page's are whole numbers 1 to 1000

  bool operator==(const TViewRegion&) const = default;
};

// A vertex of a drawn surface in drawing coordinates, with its unit normal.
struct TMeshVertex {
  float Position[3];
  float Normal[3];
};

} // namespace TRANSSTRUCT
