// Paint time of the surface drawing: the 20 x 20 sphere with its mirror sheet and the axes,
// solid and wireframe, with lighting on (and off for comparison), and the implicit mesh of
// the same sphere at 48 cells per axis. Each iteration paints the scene with the panel's
// context current and waits for the drawing to finish; the picture turns by a degree each
// time, which must not make the mesh's display list again.
// Targets under Xvfb with the software rasteriser: 5 ms a frame for the 20 x 20 drawing,
// 10 ms for the mesh.
#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "core/TMonom.h"
#include "core/TPolFunc.h"
#include "gl/TOpenGLPanel.h"
#include "gl/TSurfaceRenderer.h"
#include "surface/TImplicitMesh.h"
#include "surface/TSurfaceMesh.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TImplicitMesh;
using TRANSSTRUCT::TPolFunc;
using TRANSSTRUCT::TSurfaceMesh;
using TRANSSTRUCT::TViewRegion;

namespace {

struct TSetting {
  TOpenGLPanel* Panel = nullptr;
  TSurfaceRenderer* Renderer = nullptr;
  const TSurfaceMesh* Quads = nullptr;
  const TImplicitMesh* Mesh = nullptr;
};
TSetting Setting;

void PaintSurface(benchmark::State& state, bool implicit, bool solid, bool lighting) {
  TOpenGLPanel& panel = *Setting.Panel;
  TSurfaceScene scene;
  scene.AngleY = 30.0f;
  scene.AngleX = 20.0f;
  scene.Quads = implicit ? nullptr : Setting.Quads;
  scene.Mesh = implicit ? Setting.Mesh : nullptr;
  scene.Lighting = lighting;
  scene.Wireframe = !solid;
  scene.Caption = "Sphere";
  Setting.Renderer->SetWireframe(!solid);
  Setting.Renderer->SetLighting(lighting);
  for (auto _ : state) {
    panel.MakeOpenGLPanelCurrent();
    Setting.Renderer->Paint(scene);
    glFinish();
    panel.MakeOpenGLPanelNotCurrent();
    scene.AngleY += 1.0f;
  }
  QString label = QString("%1x%2 px").arg(panel.PixelWidth()).arg(panel.PixelHeight());
  if (implicit)
    label += QString(", %1 triangles").arg(qulonglong(Setting.Mesh->GetTriangleCount()));
  state.SetLabel(label.toStdString());
}

} // namespace

int main(int argc, char** argv) {
  // The software rasteriser draws in the calling thread, so the CPU time of a paint holds all
  // of its work, whatever else the machine is busy with (unless the caller chose otherwise).
  if (!qEnvironmentVariableIsSet("LP_NUM_THREADS")) qputenv("LP_NUM_THREADS", "0");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (!TOpenGLPanel::IsOpenGLAvailable()) {
    fprintf(stderr, "no usable OpenGL here\n");
    return 1;
  }
  TPolinom sphere; // x^2 + y^2 + z^2 = 1
  for (int index : {20000, 200, 2})
    TPolinom::AddMonom(sphere, TMonom(1.0f, index));
  TPolFunc func;
  if (!func.SetDependence(sphere, 1.0f, 'Z')) return 1;
  TSurfaceMesh quads;
  quads.Build(func, 'z', TViewRegion{});
  TImplicitMesh mesh;
  if (!mesh.Build(sphere, 1.0f, TViewRegion{}, 48) || mesh.IsEmpty()) return 1;

  TOpenGLPanel panel;
  TSurfaceRenderer renderer(panel);
  panel.Font2D().Enabled = true;
  panel.Font2D().Height = -12;
  panel.OnInit = [&renderer](TOpenGLPanel&) { renderer.Init(true, true); };
  panel.OnResize = [&renderer](TOpenGLPanel&) { renderer.Resize(); };
  panel.resize(640, 400);
  panel.show();
  QElapsedTimer waited;
  waited.start();
  while (!(panel.windowHandle() && panel.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  panel.grabFramebuffer(); // the context and its state exist from here on
  Setting = {&panel, &renderer, &quads, &mesh};

  for (bool implicit : {false, true})
    for (bool solid : {true, false})
      for (bool lighting : {true, false}) {
        const std::string name = std::string("SurfacePaint/") +
                                 (implicit ? "implicit48/" : "explicit20/") +
                                 (solid ? "solid/" : "wireframe/") + (lighting ? "lit" : "unlit");
        benchmark::RegisterBenchmark(name.c_str(), PaintSurface, implicit, solid, lighting)
            ->Unit(benchmark::kMillisecond);
      }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
