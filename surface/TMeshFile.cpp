#include "surface/TMeshFile.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "surface/TImplicitMesh.h"

namespace TRANSSTRUCT {

namespace {

struct TWorld {
  float Centre[3], Size[3];
  explicit TWorld(const TViewRegion& r) : Centre{r.X0, r.Y0, r.Z0}, Size{r.Sx, r.Sy, r.Sz} {}
  void Point(const float* d, float* w) const {
    for (int a = 0; a < 3; ++a)
      w[a] = Centre[a] + Size[a] * d[a];
  }
  // A drawing-space normal is grad F times the sizes; back in the world it is divided by them.
  void Normal(const float* n, float* w) const {
    double length = 0;
    for (int a = 0; a < 3; ++a) {
      w[a] = n[a] / Size[a];
      length += double(w[a]) * w[a];
    }
    length = std::sqrt(length);
    if (length > 0)
      for (int a = 0; a < 3; ++a)
        w[a] = float(w[a] / length);
  }
};

void AppendLittleEndian(std::string& out, const void* value, size_t size) {
  // The file form is little-endian; so is every machine this program is built for.
  static_assert(std::endian::native == std::endian::little);
  out.append(static_cast<const char*>(value), size);
}

void AppendNumber(std::string& out, float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

} // namespace

std::string MeshStlBytes(const TImplicitMesh& mesh, const TViewRegion& region,
                         const std::string& title) {
  const TWorld world(region);
  std::string out(80, ' ');
  out.replace(0, std::min<size_t>(title.size(), 80), title, 0, 80);
  const uint32_t count = uint32_t(mesh.GetTriangleCount());
  AppendLittleEndian(out, &count, 4);
  const auto& vertices = mesh.GetVertices();
  const auto& indices = mesh.GetIndices();
  out.reserve(out.size() + size_t(count) * 50);
  for (size_t t = 0; t < indices.size(); t += 3) {
    float corner[3][3], facet[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
      const TMeshVertex& v = vertices[indices[t + size_t(k)]];
      world.Point(v.Position, corner[k]);
      float n[3];
      world.Normal(v.Normal, n);
      for (int a = 0; a < 3; ++a)
        facet[a] += n[a] / 3.0f;
    }
    AppendLittleEndian(out, facet, sizeof facet);
    AppendLittleEndian(out, corner, sizeof corner);
    const uint16_t attributes = 0;
    AppendLittleEndian(out, &attributes, 2);
  }
  return out;
}

std::string MeshObjText(const TImplicitMesh& mesh, const TViewRegion& region,
                        const std::string& title) {
  const TWorld world(region);
  std::string comment = title;
  std::replace_if(
      comment.begin(), comment.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  std::string out = "# " + comment + "\n";
  for (const TMeshVertex& v : mesh.GetVertices()) {
    float w[3];
    world.Point(v.Position, w);
    out += 'v';
    for (float c : w) {
      out += ' ';
      AppendNumber(out, c);
    }
    out += "\nvn";
    world.Normal(v.Normal, w);
    for (float c : w) {
      out += ' ';
      AppendNumber(out, c);
    }
    out += '\n';
  }
  const auto& indices = mesh.GetIndices();
  for (size_t t = 0; t < indices.size(); t += 3) {
    out += 'f';
    for (int k = 0; k < 3; ++k) {
      const std::string index = std::to_string(indices[t + size_t(k)] + 1); // OBJ counts from 1
      out += ' ' + index + "//" + index;
    }
    out += '\n';
  }
  return out;
}

} // namespace TRANSSTRUCT
