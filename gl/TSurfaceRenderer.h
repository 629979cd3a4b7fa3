#pragma once
// TSurfaceRenderer: the surface page's OpenGL scene in its drawing panel. It owns the state
// of the panel's context: the light and its two-sided model, the materials, the polygon mode,
// the projection, and the display list of an implicit mesh; it draws the surface it is given
// (the quadrilaterals of the explicit drawing or an implicit mesh), the coordinate axes and
// the caption. An implicit mesh drawn as a wireframe shows its contour lines on evenly spaced
// planes (TMeshContours), the lines behind the surface hidden, so that it reads alike at any
// number of cells. The axes carry their letters X, Y, Z at their positive ends; axes and
// letters are drawn unlit, so they keep their colour with the lighting on.
//
// Scene: clear colour (0, 75, 35); the surface in (205, 230, 30) without lighting; light 0
// with ambient (130, 233, 97), diffuse 0.8 and specular 1; the front material diffuse
// (250, 245, 100), the back material emitting (200, 75, 15); axes in (55, 255, 45); the model
// scaled by 0.7 and seen from 3.5 units away through a 45° perspective from 1 to 20.
//
// Init, Resize and Paint run inside the panel's events (its context current); SetLighting and
// SetWireframe make the context current themselves.

#include <QString>

namespace TRANSSTRUCT {
class TImplicitMesh;
class TSurfaceMesh;
} // namespace TRANSSTRUCT

class TOpenGLPanel;

// What one paint shows.
struct TSurfaceScene {
  float AngleY = 0.0f; // the turn about the vertical axis, degrees
  float AngleX = 0.0f; // the turn about the horizontal axis, degrees
  float Zoom = 1.0f;   // the factor on the model's scale
  // The surface: the explicit drawing's quadrilaterals, or an implicit mesh, or neither.
  const TRANSSTRUCT::TSurfaceMesh* Quads = nullptr;
  const TRANSSTRUCT::TImplicitMesh* Mesh = nullptr;
  bool Lighting = false; // the quadrilaterals carry their normals
  bool Axes = true;
  bool Wireframe = true; // the polygon mode the axes put back
  QString Caption;       // drawn at the top left with the panel's bitmap font
};

class TSurfaceRenderer {
public:
  explicit TSurfaceRenderer(TOpenGLPanel& panel);

  // Once the context exists: the projection for the panel's size, then the drawing state,
  // the light, the materials and the colours.
  void Init(bool wireframe, bool lighting);
  // The viewport and the perspective for the panel's size.
  void Resize();
  void Paint(const TSurfaceScene& scene);

  // Lighting on or off, and lines or filled polygons, at once in the panel's context.
  void SetLighting(bool on);
  void SetWireframe(bool on);
  // The implicit mesh changed: its display list is made again at the next paint.
  void MeshChanged() { MeshListDirty = true; }

private:
  TOpenGLPanel& Panel;
  unsigned MeshList = 0;     // display list of the implicit mesh in the panel's context
  unsigned ContourList = 0;  // display list of its contour lines
  bool MeshListDirty = true; // the mesh changed since the lists were made

  void DrawQuads(const TRANSSTRUCT::TSurfaceMesh& quads, bool normals);
  void MakeMeshLists(const TRANSSTRUCT::TImplicitMesh& mesh);
  void DrawMesh(const TRANSSTRUCT::TImplicitMesh& mesh, bool wireframe);
  void DrawAxes(bool wireframe);
  void DrawAxisLetters();
  void DrawCaption(const QString& caption);
};
