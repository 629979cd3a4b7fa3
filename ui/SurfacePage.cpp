#include "ui/SurfacePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QWheelEvent>

#include "core/TFieldNumber.h"
#include "gl/TOpenGLPanel.h"
#include "gl/TSurfaceRenderer.h"
#include "ui/DecimalSpinBox.h"
#include "ui/Language.h"
#include "ui/MeshBuilder.h"
#include "ui/RegionFitter.h"

using LISTSTRUCT::TPolinom;

namespace {

// The number fields' text, read by the program's one rule for number fields.
bool ParseNumber(const QString& text, float& value) {
  return LISTSTRUCT::ParseFieldNumber(text.toStdString(), value);
}

const char* const NoPolinomChosen = QT_TRANSLATE_NOOP("TSurfacePage", "Полином не выбран!");
const char* const SurfaceHint = "Surface: ";

} // namespace

TSurfacePage::TSurfacePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TSurfacePage");
  MeshBuilder = new TMeshBuilder(this);
  connect(MeshBuilder, &TMeshBuilder::Progress, this, &TSurfacePage::MeshBuildProgress);
  connect(MeshBuilder, &TMeshBuilder::Finished, this, &TSurfacePage::MeshBuildFinished);
  RegionFitter = new TRegionFitter(this);
  connect(RegionFitter, &TRegionFitter::Finished, this, &TSurfacePage::RegionFitFinished);
  BuildControls();
  ReadControls();
  connect(qApp, &QApplication::focusChanged, this, &TSurfacePage::FocusChanged);
}

TSurfacePage::~TSurfacePage() {
  // The panel's events and the focus changes call back into this page; none may come while
  // it is half gone.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  delete MeshBuilder; // stops a build still running
  MeshBuilder = nullptr;
  delete RegionFitter; // and a search of the region
  RegionFitter = nullptr;
  if (PanGLSurface) {
    PanGLSurface->removeEventFilter(this);
    PanGLSurface->OnPreInit = nullptr;
    PanGLSurface->OnInit = nullptr;
    PanGLSurface->OnResize = nullptr;
    PanGLSurface->OnPaint = nullptr;
  }
}

void TSurfacePage::ReadControls() {
  Lighting = CBLighting->isChecked();
  Axis = CBAxis->isChecked();
  ParseNumber(EdFuncVal->text(), FuncVal);
  ParseNumber(EdX0->text(), X0);
  ParseNumber(EdY0->text(), Y0);
  ParseNumber(EdZ0->text(), Z0);
  Sx = float(CESizeX->value());
  Sy = float(CESizeY->value());
  Sz = float(CESizeZ->value());
}

// ---- the choice and the dependence ---------------------------------------------------------

void TSurfacePage::SetChoice(int selIndex, const QString& name) {
  SelIndex = selIndex;
  ChosenName = name;
  // Only a choice names the surface; an emptied choice leaves the hint as it was.
  if (selIndex < 0) return;
  const QString hint = QString::fromLatin1(SurfaceHint) + name;
  Caption = hint;
  if (PanGLSurface) {
    PanGLSurface->setToolTip(hint);
    PanGLSurface->setAccessibleName(hint);
    RepaintPanel(); // the caption shows the name
  }
  if (LbNoOpenGL) LbNoOpenGL->setToolTip(hint);
}

void TSurfacePage::TShSurfEnter() {
  if (SelIndex < 0) {
    MeshBuilder->Cancel(); // a mesh still being built is of no use now
    EdErrors->setText(tr(NoPolinomChosen));
    SurfReady = false;
  } else if (IsImplicitMode()) {
    // Any polynomial will do: its mesh is drawn once it is built.
    MeshPolinom = TPolinom();
    if (PolinomLookup) PolinomLookup(ChosenName.toStdString(), MeshPolinom);
    StartMeshBuild();
  } else {
    TPolinom pol;
    if (PolinomLookup) PolinomLookup(ChosenName.toStdString(), pol);
    SurfFunc.SetDependence(pol, FuncVal, DependentLetter());
    SurfReady = SurfFunc.GetRetCode() >= 0;
    EdErrors->setText(ShowText(SurfFunc.GetMessageText()));
  }
  SurfaceMeshDirty = true;
  RepaintPanel();
}

char TSurfacePage::DependentLetter() const {
  return RBVarX->isChecked() ? 'X' : RBVarY->isChecked() ? 'Y' : 'Z';
}

void TSurfacePage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  TShSurfEnter();
}

void TSurfacePage::FocusChanged(QWidget* old, QWidget* now) {
  const bool wasInside = old && isAncestorOf(old);
  const bool isInside = now && isAncestorOf(now);
  if (isInside && !wasInside) TShSurfEnter();
}

// ---- edit fields ---------------------------------------------------------------------------

void TSurfacePage::EdFuncValChange() {
  // A text that is no number (yet) leaves c as it is; the field gets the last good value
  // back when the editing is finished.
  if (!ParseNumber(EdFuncVal->text(), FuncVal)) return;
  TShSurfEnter();
}

void TSurfacePage::CentreChange(QLineEdit* edit, float& value) {
  if (!ParseNumber(edit->text(), value)) return;
  RegionChanged();
}

void TSurfacePage::EdX0Change() {
  CentreChange(EdX0, X0);
}
void TSurfacePage::EdY0Change() {
  CentreChange(EdY0, Y0);
}
void TSurfacePage::EdZ0Change() {
  CentreChange(EdZ0, Z0);
}

void TSurfacePage::RestoreField(QLineEdit* edit, float value) {
  float parsed = 0.0f;
  if (!ParseNumber(edit->text(), parsed))
    edit->setText(QString::fromStdString(LISTSTRUCT::FieldFallbackText(value)));
}

void TSurfacePage::EdFuncValExit() {
  RestoreField(EdFuncVal, FuncVal);
}
void TSurfacePage::EdX0Exit() {
  RestoreField(EdX0, X0);
}
void TSurfacePage::EdY0Exit() {
  RestoreField(EdY0, Y0);
}
void TSurfacePage::EdZ0Exit() {
  RestoreField(EdZ0, Z0);
}

void TSurfacePage::CESizeXChange() {
  Sx = float(CESizeX->value());
  RegionChanged();
}

void TSurfacePage::CESizeYChange() {
  Sy = float(CESizeY->value());
  RegionChanged();
}

void TSurfacePage::CESizeZChange() {
  Sz = float(CESizeZ->value());
  RegionChanged();
}

// ---- switches ------------------------------------------------------------------------------

void TSurfacePage::RBVarXClick() {
  TShSurfEnter();
}
void TSurfacePage::RBVarYClick() {
  TShSurfEnter();
}
void TSurfacePage::RBVarZClick() {
  TShSurfEnter();
}

void TSurfacePage::CBLightingClick() {
  Lighting = CBLighting->isChecked();
  if (Renderer) Renderer->SetLighting(Lighting);
  RepaintPanel();
}

void TSurfacePage::CBAxisClick() {
  Axis = CBAxis->isChecked();
  RepaintPanel();
}

void TSurfacePage::RBWireframeClick() {
  if (!RBWireframe->isChecked()) return;
  if (Renderer) Renderer->SetWireframe(true);
  RepaintPanel();
}

void TSurfacePage::RBSolidClick() {
  if (!RBSolid->isChecked()) return;
  if (Renderer) Renderer->SetWireframe(false);
  RepaintPanel();
}

void TSurfacePage::CBAnimateClick() {
  if (CBAnimate->isChecked())
    Timer1->start();
  else
    Timer1->stop();
}

void TSurfacePage::Timer1Timer() {
  View.Tick();
  RepaintPanel();
}

void TSurfacePage::RegionChanged() {
  SurfaceMeshDirty = true;
  if (IsImplicitMode() && SelIndex >= 0) StartMeshBuild();
  RepaintPanel();
}

void TSurfacePage::RepaintPanel() {
  if (PanGLSurface) PanGLSurface->update();
}

// ---- mouse ---------------------------------------------------------------------------------

void TSurfacePage::PanGLSurfaceMouseDown(Qt::MouseButton button, int x, int y) {
  View.Press(button == Qt::LeftButton, x, y);
}

void TSurfacePage::PanGLSurfaceMouseUp(Qt::MouseButton button, int, int) {
  View.Release(button == Qt::LeftButton);
}

void TSurfacePage::PanGLSurfaceMouseMove(int x, int y) {
  if (View.Move(x, y)) RepaintPanel();
}

void TSurfacePage::PanGLSurfaceWheel(int angleDelta) {
  if (View.Wheel(angleDelta)) RepaintPanel();
}

bool TSurfacePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PanGLSurface) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* m = static_cast<QMouseEvent*>(event);
      const QPoint p = m->position().toPoint();
      PanGLSurfaceMouseDown(m->button(), p.x(), p.y());
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* m = static_cast<QMouseEvent*>(event);
      const QPoint p = m->position().toPoint();
      PanGLSurfaceMouseUp(m->button(), p.x(), p.y());
      break;
    }
    case QEvent::MouseMove: {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      PanGLSurfaceMouseMove(p.x(), p.y());
      break;
    }
    case QEvent::Wheel:
      PanGLSurfaceWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
      return true;
    default:
      break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- drawing -------------------------------------------------------------------------------

void TSurfacePage::PanGLSurfacePreInit(TOpenGLPanel&) {}

void TSurfacePage::PanGLSurfaceInit(TOpenGLPanel&) {
  Renderer->Init(RBWireframe->isChecked(), CBLighting->isChecked());
}

void TSurfacePage::PanGLSurfaceResize(TOpenGLPanel&) {
  Renderer->Resize();
}

void TSurfacePage::PanGLSurfacePaint(TOpenGLPanel&) {
  TSurfaceScene scene;
  scene.AngleY = View.GetAngleY();
  scene.AngleX = View.GetAngleX();
  scene.Zoom = View.GetZoom();
  if (SurfReady && IsImplicitMode()) {
    scene.Mesh = &MeshBuilder->GetMesh();
  } else if (SurfReady) {
    if (SurfaceMeshDirty) SurfaceMesh.Build(SurfFunc, DependentLetter(), GetRegion());
    SurfaceMeshDirty = false;
    scene.Quads = &SurfaceMesh;
  }
  scene.Lighting = Lighting;
  scene.Axes = CBAxis->isChecked(); // the paint reads the check box itself
  scene.Wireframe = RBWireframe->isChecked();
  scene.Caption = Caption;
  Renderer->Paint(scene);
}
