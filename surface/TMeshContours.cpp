#include "surface/TMeshContours.h"

#include <algorithm>
#include <cmath>

#include "surface/TImplicitMesh.h"

namespace TRANSSTRUCT {

namespace {

TMeshVertex Between(const TMeshVertex& a, const TMeshVertex& b, float t) {
  TMeshVertex v;
  float length2 = 0.0f;
  for (int k = 0; k < 3; ++k) {
    v.Position[k] = a.Position[k] + t * (b.Position[k] - a.Position[k]);
    v.Normal[k] = a.Normal[k] + t * (b.Normal[k] - a.Normal[k]);
    length2 += v.Normal[k] * v.Normal[k];
  }
  const float length = std::sqrt(length2);
  if (length > 0.0f)
    for (float& n : v.Normal)
      n /= length;
  return v;
}

// The segment where the plane coordinate[axis] = level cuts the triangle, if it does. A corner
// on the plane counts as above it, so a plane through shared vertices cuts each edge once.
void CutTriangle(const TMeshVertex* corner[3], int axis, float level,
                 std::vector<TMeshVertex>& lines) {
  bool above[3];
  for (int k = 0; k < 3; ++k)
    above[k] = corner[k]->Position[axis] >= level;
  if (above[0] == above[1] && above[1] == above[2]) return;
  int found = 0;
  for (int k = 0; k < 3; ++k) {
    const TMeshVertex &a = *corner[k], &b = *corner[(k + 1) % 3];
    if (above[k] == above[(k + 1) % 3]) continue;
    const float t = (level - a.Position[axis]) / (b.Position[axis] - a.Position[axis]);
    TMeshVertex cut = Between(a, b, t);
    cut.Position[axis] = level; // exactly on the plane, whatever the rounding
    lines.push_back(cut);
    ++found;
  }
  if (found != 2) lines.resize(lines.size() - static_cast<size_t>(found));
}

} // namespace

std::vector<TMeshVertex> ContourLines(const TImplicitMesh& mesh, int linesPerAxis) {
  std::vector<TMeshVertex> lines;
  const auto& vertices = mesh.GetVertices();
  const auto& indices = mesh.GetIndices();
  for (size_t t = 0; t + 2 < indices.size(); t += 3) {
    const TMeshVertex* corner[3] = {&vertices[indices[t]], &vertices[indices[t + 1]],
                                    &vertices[indices[t + 2]]};
    for (int axis = 0; axis < 3; ++axis) {
      float low = corner[0]->Position[axis], high = low;
      for (const TMeshVertex* c : corner) {
        low = std::fmin(low, c->Position[axis]);
        high = std::fmax(high, c->Position[axis]);
      }
      // Only the planes between the triangle's lowest and highest corner can cut it.
      const int first = static_cast<int>(std::ceil((low + 1.0f) * linesPerAxis / 2.0f));
      const int last = static_cast<int>(std::floor((high + 1.0f) * linesPerAxis / 2.0f));
      for (int k = std::max(first, 1); k <= last && k < linesPerAxis; ++k)
        CutTriangle(corner, axis, -1.0f + 2.0f * static_cast<float>(k) / linesPerAxis, lines);
    }
  }
  return lines;
}

} // namespace TRANSSTRUCT
