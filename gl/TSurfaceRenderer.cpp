#include "gl/TSurfaceRenderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl/TOpenGLPanel.h"
#include "surface/TImplicitMesh.h"
#include "surface/TMeshContours.h"
#include "surface/TSurfaceMesh.h"
#include "surface/TSurfaceView.h"

namespace {

// Scene colours, components n/255.
constexpr GLfloat ClearColour[4] = {0 / 255.f, 75 / 255.f, 35 / 255.f, 255 / 255.f};
constexpr GLfloat SurfaceColour[4] = {205 / 255.f, 230 / 255.f, 30 / 255.f, 255 / 255.f};
constexpr GLfloat LightAmbient[4] = {130 / 255.f, 233 / 255.f, 97 / 255.f, 255 / 255.f};
constexpr GLfloat LightDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat LightShine[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat FrontDiffuse[4] = {250 / 255.f, 245 / 255.f, 100 / 255.f, 255 / 255.f};
constexpr GLfloat BackEmission[4] = {200 / 255.f, 75 / 255.f, 15 / 255.f, 255 / 255.f};
constexpr GLfloat AxesColour[3] = {55 / 255.f, 255 / 255.f, 45 / 255.f};
constexpr GLfloat ModelScale = 0.7f;
constexpr GLfloat EyeDistance = -3.5f;

void Switch(GLenum capability, bool on) {
  if (on)
    glEnable(capability);
  else
    glDisable(capability);
}

} // namespace

TSurfaceRenderer::TSurfaceRenderer(TOpenGLPanel& panel) : Panel(panel) {}

void TSurfaceRenderer::Init(bool wireframe, bool lighting) {
  Resize();
  glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glLineWidth(1.0f);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_NORMALIZE);
  glClearDepth(1.0);

  glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, LightShine);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glEnable(GL_LIGHT0);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, FrontDiffuse);
  glMaterialfv(GL_BACK, GL_EMISSION, BackEmission);
  Switch(GL_LIGHTING, lighting);

  glClearColor(ClearColour[0], ClearColour[1], ClearColour[2], ClearColour[3]);
  glColor4fv(SurfaceColour);
}

void TSurfaceRenderer::Resize() {
  const int w = Panel.PixelWidth();
  const int h = Panel.PixelHeight();
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, TRANSSTRUCT::TSurfaceView::Aspect(w, h), 1.0, 20.0);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The panel draws into its own off-screen buffer, which it shows after the paint.
  glEnable(GL_DEPTH_TEST);
}

void TSurfaceRenderer::SetLighting(bool on) {
  if (!Panel.MakeOpenGLPanelCurrent()) return;
  Switch(GL_LIGHTING, on);
  Panel.MakeOpenGLPanelNotCurrent();
}

void TSurfaceRenderer::SetWireframe(bool on) {
  if (!Panel.MakeOpenGLPanelCurrent()) return;
  glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);
  Panel.MakeOpenGLPanelNotCurrent();
}

void TSurfaceRenderer::Paint(const TSurfaceScene& scene) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, EyeDistance);
  glRotatef(scene.AngleY, 0.0f, 1.0f, 0.0f);
  glRotatef(scene.AngleX, 1.0f, 0.0f, 0.0f);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // the third drawing axis points up
  const GLfloat scale = ModelScale * scene.Zoom;
  glScalef(scale, scale, scale);
  glColor4fv(SurfaceColour);
  if (scene.Mesh)
    DrawMesh(*scene.Mesh, scene.Wireframe);
  else if (scene.Quads)
    DrawQuads(*scene.Quads, scene.Lighting);
  if (scene.Axes) DrawAxes(scene.Wireframe);
  glPopMatrix();
  DrawCaption(scene.Caption);
}

void TSurfaceRenderer::DrawQuads(const TRANSSTRUCT::TSurfaceMesh& quads, bool normals) {
  // The normals only matter to the lighting; without it the corners alone are given.
  glBegin(GL_QUADS);
  for (const auto& quad : quads.GetQuads())
    for (const auto& corner : quad.Corner) {
      if (normals) glNormal3fv(corner.Normal);
      glVertex3fv(corner.Position);
    }
  glEnd();
}

void TSurfaceRenderer::MakeMeshLists(const TRANSSTRUCT::TImplicitMesh& mesh) {
  if (MeshList == 0) MeshList = glGenLists(2);
  ContourList = MeshList + 1;
  const std::size_t stride = sizeof(TRANSSTRUCT::TMeshVertex);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  const auto& vertices = mesh.GetVertices();
  glVertexPointer(3, GL_FLOAT, GLsizei(stride), vertices.data()->Position);
  glNormalPointer(GL_FLOAT, GLsizei(stride), vertices.data()->Normal);
  glNewList(MeshList, GL_COMPILE);
  glDrawElements(GL_TRIANGLES, GLsizei(mesh.GetIndices().size()), GL_UNSIGNED_INT,
                 mesh.GetIndices().data());
  glEndList();
  const std::vector<TRANSSTRUCT::TMeshVertex> lines = TRANSSTRUCT::ContourLines(mesh);
  glNewList(ContourList, GL_COMPILE);
  if (!lines.empty()) {
    glVertexPointer(3, GL_FLOAT, GLsizei(stride), lines.data()->Position);
    glNormalPointer(GL_FLOAT, GLsizei(stride), lines.data()->Normal);
    glDrawArrays(GL_LINES, 0, GLsizei(lines.size()));
  }
  glEndList();
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  MeshListDirty = false;
}

void TSurfaceRenderer::DrawMesh(const TRANSSTRUCT::TImplicitMesh& mesh, bool wireframe) {
  // The mesh goes into display lists once per build; turning the picture only calls them.
  if (MeshListDirty || MeshList == 0) MakeMeshLists(mesh);
  if (!wireframe) {
    glCallList(MeshList);
    return;
  }
  // The triangles fill only the depth buffer, a little behind, so that the contour lines
  // behind the surface are hidden and those on it stay whole.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 1.0f);
  glCallList(MeshList);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glCallList(ContourList);
}

void TSurfaceRenderer::DrawAxes(bool wireframe) {
  // Each axis: the negative half dashed, the positive half solid, an arrowhead at its end.
  // Unlit, so that the lighting does not darken them on the dark background.
  const GLboolean lit = glIsEnabled(GL_LIGHTING);
  glDisable(GL_LIGHTING);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3fv(AxesColour);
  glLineWidth(2.0f);
  glEnable(GL_LINE_STIPPLE);
  const GLfloat axis[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (const auto& e : axis) {
    glLineStipple(2, 0x1C47);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(-1.5f * e[0], -1.5f * e[1], -1.5f * e[2]);
    glEnd();
    glLineStipple(2, 0xFFFF);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(1.5f * e[0], 1.5f * e[1], 1.5f * e[2]);
    glEnd();
  }
  glBegin(GL_TRIANGLES);
  glVertex3f(1.43f, -0.07f, 0);
  glVertex3f(1.43f, 0.07f, 0);
  glVertex3f(1.5f, 0, 0);
  glVertex3f(0, 1.43f, -0.07f);
  glVertex3f(0, 1.43f, 0.07f);
  glVertex3f(0, 1.5f, 0);
  glVertex3f(0, -0.07f, 1.43f);
  glVertex3f(0, 0.07f, 1.43f);
  glVertex3f(0, 0, 1.5f);
  glEnd();
  DrawAxisLetters();
  if (wireframe) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(1.0f);
  if (lit) glEnable(GL_LIGHTING);
}

void TSurfaceRenderer::DrawAxisLetters() {
  // Just beyond each arrowhead, over everything drawn.
  glDisable(GL_DEPTH_TEST);
  constexpr GLfloat reach = 1.6f;
  glRasterPos3f(reach, 0, 0);
  Panel.Draw2DText(QStringLiteral("X"));
  glRasterPos3f(0, reach, 0);
  Panel.Draw2DText(QStringLiteral("Y"));
  glRasterPos3f(0, 0, reach);
  Panel.Draw2DText(QStringLiteral("Z"));
  glEnable(GL_DEPTH_TEST);
}

void TSurfaceRenderer::DrawCaption(const QString& caption) {
  // At the top left, in the surface colour, unlit and over everything drawn.
  const GLboolean lit = glIsEnabled(GL_LIGHTING);
  if (lit) glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, Panel.PixelWidth(), Panel.PixelHeight(), 0.0, 1.0, -1.0);
  glMatrixMode(GL_MODELVIEW);
  glColor4fv(SurfaceColour);
  glRasterPos2i(6, 16);
  Panel.Draw2DText(caption);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  if (lit) glEnable(GL_LIGHTING);
}
