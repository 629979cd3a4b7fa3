#pragma once
// The file forms of an implicit mesh: binary STL (triangles with their facet normals) and
// Wavefront OBJ text (shared vertices, vertex normals, faces). Both hold world coordinates,
// the drawing coordinates mapped back through the region (x = X0 + Sx * d and so on), and
// world normals. Numbers are written with "." whatever the locale.

#include <string>

#include "surface/TViewRegion.h"

namespace TRANSSTRUCT {

class TImplicitMesh;

// title goes into the 80-byte STL header (cut to fit) and the OBJ comment line.
std::string MeshStlBytes(const TImplicitMesh& mesh, const TViewRegion& region,
                         const std::string& title);
std::string MeshObjText(const TImplicitMesh& mesh, const TViewRegion& region,
                        const std::string& title);

} // namespace TRANSSTRUCT
