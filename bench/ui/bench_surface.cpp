// Paint time of the surface page: the 20 x 20 sphere with its mirror sheet and the axes,
// solid and wireframe, with lighting on (and off for comparison). Each iteration runs the
// paint handler with the panel's context current and waits for the drawing to finish.
// Target: 5 ms a frame under Xvfb with the software rasteriser.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "core/TMonom.h"
#include "gl/TOpenGLPanel.h"
#include "ui/SurfacePage.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

TSurfacePage* Page = nullptr;

void PaintSurface(benchmark::State& state, bool solid, bool lighting) {
  TOpenGLPanel* panel = Page->PanGLSurface;
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
  state.SetLabel(
      QString("%1x%2 px").arg(panel->PixelWidth()).arg(panel->PixelHeight()).toStdString());
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

  benchmark::RegisterBenchmark("SurfacePaint/solid/lit", PaintSurface, true, true)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SurfacePaint/wireframe/lit", PaintSurface, false, true)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SurfacePaint/solid/unlit", PaintSurface, true, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SurfacePaint/wireframe/unlit", PaintSurface, false, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
