#include "ui/SurfacePage.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "gl/TOpenGLPanel.h"
#include "gl/TSurfaceRenderer.h"
#include "surface/TImplicitMesh.h"
#include "ui/DecimalSpinBox.h"
#include "ui/ExportHelpers.h"
#include "ui/MeshBuilder.h"
#include "ui/RegionFitter.h"

// The surface page's second method, the implicit mesh built off the user-interface thread, the
// region framed to the surface, and the files the panel's menu saves.

namespace {

const char* const MeshBuilding = QT_TRANSLATE_NOOP("TSurfacePage", "Построение сетки…");
const char* const MeshCancelled = QT_TRANSLATE_NOOP("TSurfacePage", "Построение сетки прервано");
const char* const MeshMissesRegion =
    QT_TRANSLATE_NOOP("TSurfacePage", "Поверхность не пересекает область просмотра");

QString DefaultFileName(const QString& name, const char* extension) {
  const QString base = name.isEmpty() ? QStringLiteral("surface") : name;
  return QDir::current().filePath(base + QLatin1String(extension));
}

// A file written is told as a notice, one not written as a failure (the notice is cleared then).
bool ReportWritten(const QString& path, bool written, const QString& error, QLineEdit* notices,
                   QLineEdit* failures) {
  if (written) {
    notices->setText(TSurfacePage::tr("Сохранено: %1").arg(path));
    return true;
  }
  notices->clear();
  failures->setText(TSurfacePage::tr("Не удалось сохранить %1: %2").arg(path, error));
  return false;
}

} // namespace

bool TSurfacePage::IsImplicitMode() const {
  return RBImplicitSurface->isChecked();
}

TRANSSTRUCT::TViewRegion TSurfacePage::GetRegion() const {
  return {X0, Y0, Z0, Sx, Sy, Sz};
}

// ---- the region framed to the surface ------------------------------------------------------

void TSurfacePage::BtnFitRegionClick() {
  if (RegionFitter->IsSearching()) { // the button reads «Остановить» while the search runs
    RegionFitter->Cancel();
    BtnFitRegion->setText(tr("Вписать"));
    EdSurfStatus->setText(tr("Поиск области прерван"));
    return;
  }
  if (SelIndex < 0) {
    EdErrors->setText(tr("Полином не выбран!"));
    return;
  }
  LISTSTRUCT::TPolinom pol;
  if (PolinomLookup) PolinomLookup(ChosenName.toStdString(), pol);
  TRANSSTRUCT::TRegionFitLimits limits;
  limits.LeastHalfSize = float(CESizeX->minimum());
  limits.LargestHalfSize = float(CESizeX->maximum());
  BtnFitRegion->setText(tr("Остановить"));
  EdSurfStatus->setText(tr("Поиск области, вмещающей поверхность…"));
  RegionFitter->Start(pol, FuncVal, GetRegion(), limits);
}

void TSurfacePage::RegionFitFinished(const TRANSSTRUCT::TRegionFit& fit) {
  BtnFitRegion->setText(tr("Вписать"));
  if (!fit.Found) {
    EdSurfStatus->clear();
    EdErrors->setText(
        tr("Поверхность не найдена в кубе с полуразмером до %1").arg(CESizeX->maximum()));
    return;
  }
  const TRANSSTRUCT::TViewRegion& r = fit.Region;
  // The fields take the region at once; the surface is rebuilt once, after the last of them.
  const auto number = [](float v) { return QString::number(double(v), 'g', 6); };
  for (auto [edit, value] : {std::pair{EdX0, r.X0}, {EdY0, r.Y0}, {EdZ0, r.Z0}}) {
    const QSignalBlocker quiet(edit);
    edit->setText(number(value));
  }
  for (auto [spin, value] : {std::pair{CESizeX, r.Sx}, {CESizeY, r.Sy}, {CESizeZ, r.Sz}}) {
    const QSignalBlocker quiet(spin);
    spin->setValue(double(value));
  }
  X0 = r.X0, Y0 = r.Y0, Z0 = r.Z0;
  Sx = float(CESizeX->value()), Sy = float(CESizeY->value()), Sz = float(CESizeZ->value());
  EdSurfStatus->setText(fit.Bounded ? tr("Область вмещает всю поверхность")
                                    : tr("Поверхность не ограничена: область показывает её часть"));
  RegionChanged();
}

void TSurfacePage::RBExplicitFunctionClick() {
  if (!RBExplicitFunction->isChecked()) return;
  MeshBuilder->Cancel();
  for (QWidget* w : std::initializer_list<QWidget*>{RBVarZ, RBVarY, RBVarX, LbVar})
    w->setEnabled(true);
  LbMeshCells->setEnabled(false);
  OrderMethodControls();
  EdSurfStatus->clear(); // the mesh's notices are of no concern now
  CEMeshCells->setEnabled(false);
  TShSurfEnter();
}

void TSurfacePage::RBImplicitSurfaceClick() {
  if (!RBImplicitSurface->isChecked()) return;
  // The mesh needs no dependent variable.
  for (QWidget* w : std::initializer_list<QWidget*>{RBVarZ, RBVarY, RBVarX, LbVar})
    w->setEnabled(false);
  LbMeshCells->setEnabled(true);
  CEMeshCells->setEnabled(true);
  TShSurfEnter();
}

void TSurfacePage::CEMeshCellsChange() {
  if (IsImplicitMode() && SelIndex >= 0) StartMeshBuild();
}

void TSurfacePage::StartMeshBuild() {
  SurfReady = false;
  EdErrors->clear();
  EdSurfStatus->setText(tr(MeshBuilding));
  // The mesh of the same inputs is drawn again as it stands, without building it twice.
  if (!MeshBuilder->Start(MeshPolinom, FuncVal, GetRegion(), CEMeshCells->value()))
    MeshBuildFinished(true);
}

void TSurfacePage::MeshBuildProgress(int done, int total) {
  // A build that takes long shows its progress and can be cancelled; the dialog appears
  // only when the build lasts beyond its minimum duration.
  if (!MeshProgress) {
    MeshProgress = new QProgressDialog(tr(MeshBuilding), tr("Отмена"), 0, total, this);
    MeshProgress->setObjectName("MeshProgress");
    MeshProgress->setWindowTitle(tr(MeshBuilding));
    auto* bar = new QProgressBar(MeshProgress);
    bar->setAccessibleName(tr("Ход построения сетки"));
    MeshProgress->setBar(bar);
    MeshProgress->setWindowModality(Qt::WindowModal);
    MeshProgress->setMinimumDuration(300);
    MeshProgress->setAutoClose(false);
    MeshProgress->setAutoReset(false);
    connect(MeshProgress, &QProgressDialog::canceled, MeshBuilder, &TMeshBuilder::Cancel);
  }
  MeshProgress->setMaximum(total);
  MeshProgress->setValue(done);
}

void TSurfacePage::MeshBuildFinished(bool completed) {
  if (MeshProgress) {
    MeshProgress->deleteLater();
    MeshProgress = nullptr;
  }
  if (Renderer) Renderer->MeshChanged();
  const auto& mesh = MeshBuilder->GetMesh();
  SurfReady = completed && !mesh.IsEmpty();
  // Nothing to draw in the region is a failure; a cancel is the user's own choice.
  const bool misses = completed && mesh.IsEmpty();
  EdErrors->setText(misses ? tr(MeshMissesRegion) : QString());
  EdSurfStatus->setText(
      !completed ? tr(MeshCancelled)
      : misses   ? QString()
               : tr("Построено треугольников: %1").arg(qulonglong(mesh.GetTriangleCount())));
  RepaintPanel();
}

// ---- the panel's context menu --------------------------------------------------------------

void TSurfacePage::ShowPanelMenu(const QPoint& position) {
  ActSaveMesh->setEnabled(IsImplicitMode() && SurfReady && !MeshBuilder->GetMesh().IsEmpty());
  PanelMenu->popup(PanGLSurface->mapToGlobal(position));
}

void TSurfacePage::SaveImageClick() {
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Сохранить изображение"),
      DefaultFileName(SelIndex >= 0 ? ChosenName : QString(), ".png"), tr("Рисунок PNG (*.png)"));
  if (!path.isEmpty()) SaveImage(path);
}

void TSurfacePage::SaveMeshClick() {
  QString filter;
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Сохранить сетку"), DefaultFileName(ChosenName, ".stl"),
                                   tr("Сетка STL (*.stl);;Сетка OBJ (*.obj)"), &filter);
  if (path.isEmpty()) return;
  QString target = path;
  if (QFileInfo(target).suffix().isEmpty()) target += filter.contains("obj") ? ".obj" : ".stl";
  SaveMesh(target);
}

bool TSurfacePage::SaveImage(const QString& path) {
  if (!PanGLSurface) return false;
  const QImage picture = PanGLSurface->grabFramebuffer();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    EdSurfStatus->clear();
    EdErrors->setText(tr("Не удалось сохранить %1").arg(path));
    return false;
  }
  QString error;
  const bool written = SaveFileAtomically(path, bytes, &error);
  return ReportWritten(path, written, error, EdSurfStatus, EdErrors);
}

bool TSurfacePage::SaveMesh(const QString& path) {
  const auto& mesh = MeshBuilder->GetMesh();
  if (!IsImplicitMode() || mesh.IsEmpty()) return false;
  QString error;
  const bool written = SaveMeshFile(mesh, GetRegion(), ChosenName, path, &error);
  return ReportWritten(path, written, error, EdSurfStatus, EdErrors);
}
