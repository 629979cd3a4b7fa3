// Paint time of the surface page: the 20 x 20 sphere with its mirror sheet and the axes,
// solid and wireframe, with lighting on (and off for comparison), and the implicit mesh of
// the same sphere at 48 cells per axis. Each iteration runs the paint handler with the
// panel's context current and waits for the drawing to finish; the picture turns by a
// degree each time, which must not rebuild the mesh.
// Targets under Xvfb with the software rasteriser: 5 ms a frame for the 20 x 20 drawing,
// 10 ms for the mesh.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "surface/TImplicitMesh.h"
#include "core/TMonom.h"
#include "gl/TOpenGLPanel.h"
#include "ui/SurfacePage.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

TSurfacePage* Page = nullptr;

void PaintSurface(benchmark::State& state, bool implicit, bool solid, bool lighting) {
  TOpenGLPanel* panel = Page->PanGLSurface;
  if (implicit != Page->IsImplicitMode()) {
    (implicit ? Page->RBImplicitSurface : Page->RBExplicitFunction)->click();
    while (Page->IsMeshBuilding())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!Page->IsSurfReady()) state.SkipWithError("no surface drawn");
  }
  if (solid)
    Page->RBSolid->click();
  else
    Page->RBWireframe->click();
  if (Page->CBLighting->isChecked() != lighting) Page->CBLighting->click();
  Page->RotAngleY = 30.0f;
  Page->RotAngleX = 20.0f;
  for (auto _ : state) {
    panel->MakeOpenGLPanelCurrent();
    Page->PanGLSurfacePaint(*panel);
    glFinish();
    panel->MakeOpenGLPanelNotCurrent();
    Page->RotAngleY += 1.0f;
  }
  QString label = QString("%1x%2 px").arg(panel->PixelWidth()).arg(panel->PixelHeight());
  if (implicit)
    label += QString(", %1 triangles").arg(qulonglong(Page->GetImplicitMesh().GetTriangleCount()));
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
  TSurfacePage page;
  Page = &page;
  page.SetPolinomLookup([](const std::string&, TPolinom& out) {
    for (int index : {20000, 200, 2})
      TPolinom::AddMonom(out, TMonom(1.0f, index));
    return true;
  });
  page.resize(900, 420);
  page.show();
  QElapsedTimer waited;
  waited.start();
  while (!(page.windowHandle() && page.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  page.EdFuncVal->setText("1");
  page.SetChoice(0, "Sphere");
  page.TShSurfEnter();
  page.PanGLSurface->grabFramebuffer(); // the context and its state exist from here on
  if (!page.IsSurfReady()) return 1;

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
