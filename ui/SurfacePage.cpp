#include "ui/SurfacePage.h"
#include "ui/WidgetHelpers.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <GL/gl.h>
#include <GL/glu.h>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "core/TFieldNumber.h"
#include "surface/TImplicitMesh.h"
#include "surface/TMeshFile.h"
#include "gl/TOpenGLPanel.h"
#include "tables/AtomicFile.h"
#include "ui/MeshBuilder.h"
#include "ui/ShownText.h"

using LISTSTRUCT::TPolinom;

namespace {

// The number fields' text, read by the program's one rule for number fields.
bool ParseNumber(const QString& text, float& value) {
  return LISTSTRUCT::ParseFieldNumber(text.toStdString(), value);
}

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

// The least drawing that still shows a surface and its axes plainly.
constexpr QSize DrawingMinimumSize(320, 280);

const char* const NoPolinomChosen = "Полином не выбран!";
const char* const SurfaceHint = "Surface: ";
const char* const MeshBuilding = "Построение сетки…";
const char* const MeshCancelled = "Построение сетки прервано";
const char* const MeshMissesRegion = "Поверхность не пересекает область просмотра";
const char* const MeshTriangles = "Построено треугольников: ";

// Labels, number fields, size spin edits and radio buttons of the options, each with its name.
QLabel* MakeLabel(QWidget* parent, const char* text, const char* name, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QLineEdit* MakeNumberEdit(QWidget* parent, const char* name, const QString& text) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setFixedWidth(56);
  return edit;
}

QRadioButton* MakeRadio(const char* text, const char* name, QWidget* parent, QButtonGroup* group) {
  auto* button = new QRadioButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  group->addButton(button);
  return button;
}

QSpinBox* MakeSizeSpin(QWidget* parent, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(1, 1000);
  spin->setValue(1);
  spin->setFixedWidth(56);
  return spin;
}

// A caption over three rows of a label and its field.
QGridLayout* MakeColumn(QLabel* caption, std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
  auto* column = new QGridLayout;
  column->setContentsMargins(0, 0, 0, 0);
  column->setHorizontalSpacing(3);
  column->setVerticalSpacing(2);
  column->addWidget(caption, 0, 0, 1, 3);
  int row = 1;
  for (const auto& [label, field] : rows) {
    column->addWidget(label, row, 0);
    column->addWidget(field, row, 1);
    ++row;
  }
  column->setColumnStretch(2, 1);
  return column;
}

} // namespace

TSurfacePage::TSurfacePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TSurfacePage");
  MeshBuilder = new TMeshBuilder(this);
  connect(MeshBuilder, &TMeshBuilder::Progress, this, &TSurfacePage::MeshBuildProgress);
  connect(MeshBuilder, &TMeshBuilder::Finished, this, &TSurfacePage::MeshBuildFinished);
  BuildControls();
  connect(qApp, &QApplication::focusChanged, this, &TSurfacePage::FocusChanged);
}

TSurfacePage::~TSurfacePage() {
  // The panel's events and the focus changes call back into this page; none may come while
  // it is half gone.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  delete MeshBuilder; // stops a build still running
  MeshBuilder = nullptr;
  if (PanGLSurface) {
    PanGLSurface->removeEventFilter(this);
    PanGLSurface->OnPreInit = nullptr;
    PanGLSurface->OnInit = nullptr;
    PanGLSurface->OnResize = nullptr;
    PanGLSurface->OnPaint = nullptr;
  }
}

void TSurfacePage::BuildControls() {
  BuildRegionFields();
  BuildSwitches();
  LayOutOptions();
  BuildDrawingPanel();
  auto* page = new QHBoxLayout(this);
  page->setContentsMargins(2, 2, 2, 2);
  page->setSpacing(5);
  page->addWidget(BvlOptions);
  page->addWidget(BvlSurface, 1);

  ConnectControls();
}

// The message line and the fields of the function value, the centre and the sizes of the region
// viewed.
void TSurfacePage::BuildRegionFields() {
  BvlOptions = new QFrame(this);
  BvlOptions->setObjectName("BvlOptions");
  BvlOptions->setFrameShape(QFrame::StyledPanel);
  BvlOptions->setFrameShadow(QFrame::Sunken);

  EdErrors = new QLineEdit(QString::fromUtf8("Полином не выбран !"), BvlOptions);
  EdErrors->setObjectName("EdErrors");
  EdErrors->setToolTip(
      QString::fromUtf8("Ошибки при установлении зависимости и рисовании поверхности"));
  EdErrors->setAccessibleName(EdErrors->toolTip());
  StyleMessageField(EdErrors);
  EdSurfStatus = new QLineEdit(BvlOptions);
  EdSurfStatus->setObjectName("EdSurfStatus");
  EdSurfStatus->setToolTip(QString::fromUtf8("Ход построения сетки и сохранение файлов"));
  EdSurfStatus->setAccessibleName(EdSurfStatus->toolTip());
  // Plain text on the window's colour: a line of notices, not a field to fill in.
  EdSurfStatus->setReadOnly(true);
  EdSurfStatus->setFrame(false);
  QPalette plain = EdSurfStatus->palette();
  plain.setColor(QPalette::Base, plain.color(QPalette::Window));
  plain.setColor(QPalette::Disabled, QPalette::Base, plain.color(QPalette::Window));
  EdSurfStatus->setPalette(plain);
  ShowTextStart(EdSurfStatus);

  EdFuncVal = MakeNumberEdit(this, "EdFuncVal", "0");
  LbFuncVal = MakeLabel(this, "Знач. неявной ф-и F(x,y,z)=", "LbFuncVal", EdFuncVal);

  LbCentre = MakeLabel(this, "Центр области просмотра:", "LbCentre", nullptr);
  EdX0 = MakeNumberEdit(this, "EdX0", "0");
  LbX0 = MakeLabel(this, "X0:", "LbX0", EdX0);
  EdY0 = MakeNumberEdit(this, "EdY0", "0");
  LbY0 = MakeLabel(this, "Y0:", "LbY0", EdY0);
  EdZ0 = MakeNumberEdit(this, "EdZ0", "0");
  LbZ0 = MakeLabel(this, "Z0:", "LbZ0", EdZ0);

  LbSizes = MakeLabel(this, "Размеры области просмотра:", "LbSizes", nullptr);
  CESizeX = MakeSizeSpin(this, "CESizeX");
  LbSizeX = MakeLabel(this, "Sx:", "LbSizeX", CESizeX);
  CESizeY = MakeSizeSpin(this, "CESizeY");
  LbSizeY = MakeLabel(this, "Sy:", "LbSizeY", CESizeY);
  CESizeZ = MakeSizeSpin(this, "CESizeZ");
  LbSizeZ = MakeLabel(this, "Sz:", "LbSizeZ", CESizeZ);
}

// The dependent variable, the drawing options and the method of drawing.
void TSurfacePage::BuildSwitches() {
  LbVar = MakeLabel(this, "Выбор зависимой переменной:", "LbVar", nullptr);
  auto* varGroup = new QButtonGroup(this);
  RBVarZ = MakeRadio("Z (x,y);", "RBVarZ", this, varGroup);
  RBVarY = MakeRadio("Y (x,z);", "RBVarY", this, varGroup);
  RBVarX = MakeRadio("X(y,z);", "RBVarX", this, varGroup);
  RBVarZ->setChecked(true);

  GBOptions = new QGroupBox("Surface options", this);
  GBOptions->setObjectName("GBOptions");
  CBLighting = new QCheckBox("Lighting;", GBOptions);
  CBLighting->setObjectName("CBLighting");
  CBAxis = new QCheckBox("Cordinate Axis;", GBOptions);
  CBAxis->setObjectName("CBAxis");
  CBAxis->setChecked(true);
  auto* styleGroup = new QButtonGroup(this);
  RBWireframe = MakeRadio("Wireframe;", "RBWireframe", GBOptions, styleGroup);
  RBSolid = MakeRadio("Solid;", "RBSolid", GBOptions, styleGroup);
  RBWireframe->setChecked(true);
  CBAnimate = new QCheckBox("Animate;", GBOptions);
  CBAnimate->setObjectName("CBAnimate");

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(50);

  LbMethod = MakeLabel(this, "Способ построения:", "LbMethod", nullptr);
  auto* methodGroup = new QButtonGroup(this);
  RBExplicitFunction =
      MakeRadio("Явная функция (V от двух переменных)", "RBExplicitFunction", this, methodGroup);
  RBImplicitSurface =
      MakeRadio("Неявная поверхность F(x,y,z)=c", "RBImplicitSurface", this, methodGroup);
  RBExplicitFunction->setChecked(true);
  CEMeshCells = new QSpinBox(this);
  CEMeshCells->setObjectName("CEMeshCells");
  CEMeshCells->setRange(TRANSSTRUCT::TImplicitMesh::MinCells, TRANSSTRUCT::TImplicitMesh::MaxCells);
  CEMeshCells->setValue(TRANSSTRUCT::TImplicitMesh::DefaultCells);
  CEMeshCells->setFixedWidth(56);
  CEMeshCells->setEnabled(false);
  LbMeshCells = MakeLabel(this, "Ячеек сетки:", "LbMeshCells", CEMeshCells);
  LbMeshCells->setEnabled(false);
  // The radio buttons name themselves; the caption over them tells what they choose.
  for (QRadioButton* button : {RBExplicitFunction, RBImplicitSurface})
    button->setAccessibleDescription(LbMethod->text().chopped(1));
  for (QRadioButton* button : {RBVarZ, RBVarY, RBVarX})
    button->setAccessibleDescription(LbVar->text().chopped(1));
  OrderMethodControls();
}

void TSurfacePage::OrderMethodControls() {
  // The method comes first in the layout, so first in the tab order after the message lines.
  QWidget::setTabOrder(EdErrors, EdSurfStatus);
  QWidget::setTabOrder(EdSurfStatus, RBExplicitFunction);
  QWidget::setTabOrder(RBExplicitFunction, RBImplicitSurface);
  QWidget::setTabOrder(RBImplicitSurface, CEMeshCells);
  QWidget::setTabOrder(CEMeshCells, EdFuncVal);
}

void TSurfacePage::LayOutOptions() {
  // Options, top to bottom: the message line, the method of drawing with the mesh's cells,
  // the value of the function, the centre and the sizes side by side, then the dependent
  // variable beside the option group. No label wraps or is cut: the column is as wide as its
  // widest row.
  auto* valueRow = new QHBoxLayout;
  valueRow->setSpacing(3);
  valueRow->addWidget(LbFuncVal);
  valueRow->addWidget(EdFuncVal);
  valueRow->addStretch(1);

  auto* regionRow = new QHBoxLayout;
  regionRow->setSpacing(10);
  regionRow->addLayout(MakeColumn(LbCentre, {{LbX0, EdX0}, {LbY0, EdY0}, {LbZ0, EdZ0}}));
  regionRow->addLayout(
      MakeColumn(LbSizes, {{LbSizeX, CESizeX}, {LbSizeY, CESizeY}, {LbSizeZ, CESizeZ}}));

  auto* varColumn = new QVBoxLayout;
  varColumn->setSpacing(0);
  varColumn->addWidget(LbVar);
  varColumn->addWidget(RBVarZ);
  varColumn->addWidget(RBVarY);
  varColumn->addWidget(RBVarX);
  varColumn->addStretch(1);

  auto* optionLayout = new QVBoxLayout(GBOptions);
  optionLayout->setContentsMargins(4, 2, 4, 2);
  optionLayout->setSpacing(0);
  optionLayout->addWidget(CBLighting);
  optionLayout->addWidget(CBAxis);
  optionLayout->addWidget(RBWireframe);
  optionLayout->addWidget(RBSolid);
  optionLayout->addWidget(CBAnimate);
  optionLayout->addStretch(1);

  auto* switchRow = new QHBoxLayout;
  switchRow->setSpacing(10);
  switchRow->addLayout(varColumn);
  switchRow->addWidget(GBOptions, 1);

  auto* options = new QVBoxLayout(BvlOptions);
  options->setContentsMargins(6, 4, 6, 4);
  options->setSpacing(6);
  options->addWidget(EdErrors);
  options->addWidget(EdSurfStatus);
  auto* cellsRow = new QHBoxLayout;
  cellsRow->setSpacing(3);
  cellsRow->addWidget(LbMeshCells);
  cellsRow->addWidget(CEMeshCells);
  cellsRow->addStretch(1);
  auto* methodColumn = new QVBoxLayout;
  methodColumn->setSpacing(0);
  methodColumn->addWidget(LbMethod);
  methodColumn->addWidget(RBExplicitFunction);
  methodColumn->addWidget(RBImplicitSurface);
  methodColumn->addLayout(cellsRow);
  options->addLayout(methodColumn);
  options->addLayout(valueRow);
  options->addLayout(regionRow);
  options->addLayout(switchRow);
  options->addStretch(1);
}

void TSurfacePage::BuildDrawingPanel() {
  // The drawing panel sits 1 pixel inside its bevel, 5 pixels after the options.
  BvlSurface = new QFrame(this);
  BvlSurface->setObjectName("BvlSurface");
  BvlSurface->setFrameShape(QFrame::Box);
  BvlSurface->setLineWidth(1);
  auto* surfaceLayout = new QVBoxLayout(BvlSurface);
  surfaceLayout->setContentsMargins(1, 1, 1, 1);
  const QString hint = Caption;
  if (TOpenGLPanel::IsOpenGLAvailable()) {
    PanGLSurface = new TOpenGLPanel(BvlSurface);
    PanGLSurface->setObjectName("PanGLSurface");
    PanGLSurface->setToolTip(hint);
    PanGLSurface->setAccessibleName(hint);
    PanGLSurface->setMinimumSize(DrawingMinimumSize);
    // The caption "Surface: " + name is drawn with the panel's bitmap font.
    PanGLSurface->Font2D().Enabled = true;
    PanGLSurface->Font2D().Height = -12;
    PanGLSurface->OnPreInit = [this](TOpenGLPanel& p) { PanGLSurfacePreInit(p); };
    PanGLSurface->OnInit = [this](TOpenGLPanel& p) { PanGLSurfaceInit(p); };
    PanGLSurface->OnResize = [this](TOpenGLPanel& p) { PanGLSurfaceResize(p); };
    PanGLSurface->OnPaint = [this](TOpenGLPanel& p) { PanGLSurfacePaint(p); };
    PanGLSurface->installEventFilter(this);
    PanGLSurface->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab reaches the drawing too, so that the menu key opens its menu.
    PanGLSurface->setFocusPolicy(Qt::StrongFocus);
    connect(PanGLSurface, &QWidget::customContextMenuRequested, this, &TSurfacePage::ShowPanelMenu);
    PanelMenu = new QMenu(this);
    PanelMenu->setObjectName("PanelMenu");
    ActSaveImage = PanelMenu->addAction(QString::fromUtf8("Сохранить изображение…"), this,
                                        &TSurfacePage::SaveImageClick);
    ActSaveImage->setObjectName("ActSaveImage");
    ActSaveMesh = PanelMenu->addAction(QString::fromUtf8("Сохранить сетку…"), this,
                                       &TSurfacePage::SaveMeshClick);
    ActSaveMesh->setObjectName("ActSaveMesh");
    surfaceLayout->addWidget(PanGLSurface);
  } else {
    TOpenGLPanel::ReportContextCreateFailed();
    LbNoOpenGL = new QLabel("Open GL Context Create Failed", BvlSurface);
    LbNoOpenGL->setObjectName("LbNoOpenGL");
    LbNoOpenGL->setAlignment(Qt::AlignCenter);
    LbNoOpenGL->setWordWrap(true);
    LbNoOpenGL->setToolTip(hint);
    LbNoOpenGL->setMinimumSize(DrawingMinimumSize);
    surfaceLayout->addWidget(LbNoOpenGL);
  }
}

void TSurfacePage::ConnectControls() {
  connect(EdFuncVal, &QLineEdit::textChanged, this, &TSurfacePage::EdFuncValChange);
  connect(EdX0, &QLineEdit::textChanged, this, &TSurfacePage::EdX0Change);
  connect(EdY0, &QLineEdit::textChanged, this, &TSurfacePage::EdY0Change);
  connect(EdZ0, &QLineEdit::textChanged, this, &TSurfacePage::EdZ0Change);
  connect(EdFuncVal, &QLineEdit::editingFinished, this, &TSurfacePage::EdFuncValExit);
  connect(EdX0, &QLineEdit::editingFinished, this, &TSurfacePage::EdX0Exit);
  connect(EdY0, &QLineEdit::editingFinished, this, &TSurfacePage::EdY0Exit);
  connect(EdZ0, &QLineEdit::editingFinished, this, &TSurfacePage::EdZ0Exit);
  connect(CESizeX, &QSpinBox::valueChanged, this, &TSurfacePage::CESizeXChange);
  connect(CESizeY, &QSpinBox::valueChanged, this, &TSurfacePage::CESizeYChange);
  connect(CESizeZ, &QSpinBox::valueChanged, this, &TSurfacePage::CESizeZChange);
  connect(RBVarX, &QRadioButton::clicked, this, &TSurfacePage::RBVarXClick);
  connect(RBVarY, &QRadioButton::clicked, this, &TSurfacePage::RBVarYClick);
  connect(RBVarZ, &QRadioButton::clicked, this, &TSurfacePage::RBVarZClick);
  connect(CBLighting, &QCheckBox::clicked, this, &TSurfacePage::CBLightingClick);
  connect(CBAxis, &QCheckBox::clicked, this, &TSurfacePage::CBAxisClick);
  connect(RBWireframe, &QRadioButton::clicked, this, &TSurfacePage::RBWireframeClick);
  connect(RBSolid, &QRadioButton::clicked, this, &TSurfacePage::RBSolidClick);
  connect(CBAnimate, &QCheckBox::clicked, this, &TSurfacePage::CBAnimateClick);
  connect(Timer1, &QTimer::timeout, this, &TSurfacePage::Timer1Timer);
  connect(RBExplicitFunction, &QRadioButton::clicked, this, &TSurfacePage::RBExplicitFunctionClick);
  connect(RBImplicitSurface, &QRadioButton::clicked, this, &TSurfacePage::RBImplicitSurfaceClick);
  connect(CEMeshCells, &QSpinBox::valueChanged, this, &TSurfacePage::CEMeshCellsChange);

  // The switches and numbers as the controls hold them at the start.
  Lighting = CBLighting->isChecked();
  Axis = CBAxis->isChecked();
  ParseNumber(EdFuncVal->text(), FuncVal);
  ParseNumber(EdX0->text(), X0);
  ParseNumber(EdY0->text(), Y0);
  ParseNumber(EdZ0->text(), Z0);
  Sx = CESizeX->value();
  Sy = CESizeY->value();
  Sz = CESizeZ->value();
}

// ---- numbers -------------------------------------------------------------------------------

double TSurfacePage::ViewAspect(int width, int height) {
  return height == 0 ? double(width) : double(width) / double(height);
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
    EdErrors->setText(QString::fromUtf8(NoPolinomChosen));
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
    EdErrors->setText(QString::fromStdString(SurfFunc.GetMessage()));
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
  Sx = CESizeX->value();
  RegionChanged();
}

void TSurfacePage::CESizeYChange() {
  Sy = CESizeY->value();
  RegionChanged();
}

void TSurfacePage::CESizeZChange() {
  Sz = CESizeZ->value();
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
  if (PanGLSurface && PanGLSurface->MakeOpenGLPanelCurrent()) {
    if (Lighting)
      glEnable(GL_LIGHTING);
    else
      glDisable(GL_LIGHTING);
    PanGLSurface->MakeOpenGLPanelNotCurrent();
  }
  RepaintPanel();
}

void TSurfacePage::CBAxisClick() {
  Axis = CBAxis->isChecked();
  RepaintPanel();
}

void TSurfacePage::RBWireframeClick() {
  if (!RBWireframe->isChecked()) return;
  if (PanGLSurface && PanGLSurface->MakeOpenGLPanelCurrent()) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    PanGLSurface->MakeOpenGLPanelNotCurrent();
  }
  RepaintPanel();
}

void TSurfacePage::RBSolidClick() {
  if (!RBSolid->isChecked()) return;
  if (PanGLSurface && PanGLSurface->MakeOpenGLPanelCurrent()) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    PanGLSurface->MakeOpenGLPanelNotCurrent();
  }
  RepaintPanel();
}

void TSurfacePage::CBAnimateClick() {
  if (CBAnimate->isChecked())
    Timer1->start();
  else
    Timer1->stop();
}

void TSurfacePage::Timer1Timer() {
  RotAngleY += 5.0f;
  RepaintPanel();
}

void TSurfacePage::RegionChanged() {
  SurfaceMeshDirty = true;
  if (IsImplicitMode() && SelIndex >= 0) StartMeshBuild();
  RepaintPanel();
}

// ---- the implicit mesh ---------------------------------------------------------------------

bool TSurfacePage::IsImplicitMode() const {
  return RBImplicitSurface->isChecked();
}

bool TSurfacePage::IsMeshBuilding() const {
  return MeshBuilder->IsBuilding();
}

const TRANSSTRUCT::TImplicitMesh& TSurfacePage::GetImplicitMesh() const {
  return MeshBuilder->GetMesh();
}

TRANSSTRUCT::TViewRegion TSurfacePage::GetRegion() const {
  return {X0, Y0, Z0, float(Sx), float(Sy), float(Sz)};
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
  EdSurfStatus->setText(QString::fromUtf8(MeshBuilding));
  // The mesh of the same inputs is drawn again as it stands, without building it twice.
  if (!MeshBuilder->Start(MeshPolinom, FuncVal, GetRegion(), CEMeshCells->value()))
    MeshBuildFinished(true);
}

void TSurfacePage::MeshBuildProgress(int done, int total) {
  // A build that takes long shows its progress and can be cancelled; the dialog appears
  // only when the build lasts beyond its minimum duration.
  if (!MeshProgress) {
    MeshProgress = new QProgressDialog(QString::fromUtf8(MeshBuilding), QString::fromUtf8("Отмена"),
                                       0, total, this);
    MeshProgress->setObjectName("MeshProgress");
    MeshProgress->setWindowTitle(QString::fromUtf8(MeshBuilding));
    auto* bar = new QProgressBar(MeshProgress);
    bar->setAccessibleName(QString::fromUtf8("Ход построения сетки"));
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
  MeshListDirty = true;
  const auto& mesh = MeshBuilder->GetMesh();
  SurfReady = completed && !mesh.IsEmpty();
  // Nothing to draw in the region is a failure; a cancel is the user's own choice.
  const bool misses = completed && mesh.IsEmpty();
  EdErrors->setText(misses ? QString::fromUtf8(MeshMissesRegion) : QString());
  EdSurfStatus->setText(!completed ? QString::fromUtf8(MeshCancelled)
                        : misses   ? QString()
                                   : QString::fromUtf8(MeshTriangles) +
                                       QString::number(qulonglong(mesh.GetTriangleCount())));
  RepaintPanel();
}

void TSurfacePage::DrawImplicitMesh() {
  const auto& mesh = MeshBuilder->GetMesh();
  // The mesh goes into a display list once per build; turning the picture only calls it.
  if (MeshListDirty || MeshList == 0) {
    if (MeshList == 0) MeshList = glGenLists(1);
    const auto& vertices = mesh.GetVertices();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TRANSSTRUCT::TMeshVertex), vertices.data()->Position);
    glNormalPointer(GL_FLOAT, sizeof(TRANSSTRUCT::TMeshVertex), vertices.data()->Normal);
    glNewList(MeshList, GL_COMPILE);
    glDrawElements(GL_TRIANGLES, GLsizei(mesh.GetIndices().size()), GL_UNSIGNED_INT,
                   mesh.GetIndices().data());
    glEndList();
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    MeshListDirty = false;
  }
  glCallList(MeshList);
}

// ---- the panel's context menu --------------------------------------------------------------

void TSurfacePage::ShowPanelMenu(const QPoint& position) {
  ActSaveMesh->setEnabled(IsImplicitMode() && SurfReady && !GetImplicitMesh().IsEmpty());
  PanelMenu->popup(PanGLSurface->mapToGlobal(position));
}

namespace {

QString DefaultFileName(const QString& name, const char* extension) {
  const QString base = name.isEmpty() ? QStringLiteral("surface") : name;
  return QDir::current().filePath(base + QLatin1String(extension));
}

} // namespace

void TSurfacePage::SaveImageClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, QString::fromUtf8("Сохранить изображение"),
                                   DefaultFileName(SelIndex >= 0 ? ChosenName : QString(), ".png"),
                                   QString::fromUtf8("Рисунок PNG (*.png)"));
  if (!path.isEmpty()) SaveImage(path);
}

void TSurfacePage::SaveMeshClick() {
  QString filter;
  const QString path = QFileDialog::getSaveFileName(
      this, QString::fromUtf8("Сохранить сетку"), DefaultFileName(ChosenName, ".stl"),
      QString::fromUtf8("Сетка STL (*.stl);;Сетка OBJ (*.obj)"), &filter);
  if (path.isEmpty()) return;
  QString target = path;
  if (QFileInfo(target).suffix().isEmpty()) target += filter.contains("obj") ? ".obj" : ".stl";
  SaveMesh(target);
}

namespace {

// A file written is told as a notice, one not written as a failure (the notice is cleared then).
bool WriteFileReporting(const QString& path, std::string_view bytes, QLineEdit* notices,
                        QLineEdit* failures) {
  std::string error;
  if (TABLESTRUCT::atomicWriteFile(QFile::encodeName(path).toStdString(), bytes, &error)) {
    notices->setText(QString::fromUtf8("Сохранено: ") + path);
    return true;
  }
  notices->clear();
  failures->setText(QString::fromUtf8("Не удалось сохранить ") + path + ": " +
                    QString::fromStdString(error));
  return false;
}

} // namespace

bool TSurfacePage::SaveImage(const QString& path) {
  if (!PanGLSurface) return false;
  const QImage picture = PanGLSurface->grabFramebuffer();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    EdSurfStatus->clear();
    EdErrors->setText(QString::fromUtf8("Не удалось сохранить ") + path);
    return false;
  }
  return WriteFileReporting(path, std::string_view(bytes.constData(), size_t(bytes.size())),
                            EdSurfStatus, EdErrors);
}

bool TSurfacePage::SaveMesh(const QString& path) {
  const auto& mesh = GetImplicitMesh();
  if (!IsImplicitMode() || mesh.IsEmpty()) return false;
  const std::string title = ChosenName.toStdString();
  const std::string bytes = QFileInfo(path).suffix().compare("stl", Qt::CaseInsensitive) == 0
                                ? TRANSSTRUCT::MeshStlBytes(mesh, GetRegion(), title)
                                : TRANSSTRUCT::MeshObjText(mesh, GetRegion(), title);
  return WriteFileReporting(path, bytes, EdSurfStatus, EdErrors);
}

void TSurfacePage::RepaintPanel() {
  if (PanGLSurface) PanGLSurface->update();
}

// ---- mouse ---------------------------------------------------------------------------------

void TSurfacePage::PanGLSurfaceMouseDown(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  MouseDragging = true;
  LastX = x;
  LastY = y;
}

void TSurfacePage::PanGLSurfaceMouseUp(Qt::MouseButton button, int, int) {
  if (button == Qt::LeftButton) MouseDragging = false;
}

void TSurfacePage::PanGLSurfaceMouseMove(int x, int y) {
  if (!MouseDragging) return;
  RotAngleY += 0.5f * float(x - LastX);
  RotAngleX += 0.5f * float(y - LastY);
  LastX = x;
  LastY = y;
  RepaintPanel();
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
    default:
      break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- drawing -------------------------------------------------------------------------------

void TSurfacePage::PanGLSurfacePreInit(TOpenGLPanel&) {}

void TSurfacePage::PanGLSurfaceInit(TOpenGLPanel& sender) {
  PanGLSurfaceResize(sender);
  glPolygonMode(GL_FRONT_AND_BACK, RBWireframe->isChecked() ? GL_LINE : GL_FILL);
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
  if (CBLighting->isChecked())
    glEnable(GL_LIGHTING);
  else
    glDisable(GL_LIGHTING);

  glClearColor(ClearColour[0], ClearColour[1], ClearColour[2], ClearColour[3]);
  glColor4fv(SurfaceColour);
}

void TSurfacePage::PanGLSurfaceResize(TOpenGLPanel& sender) {
  const int w = sender.PixelWidth();
  const int h = sender.PixelHeight();
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, ViewAspect(w, h), 1.0, 20.0);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The panel draws into its own off-screen buffer, which it shows after the paint.
  glEnable(GL_DEPTH_TEST);
}

void TSurfacePage::PanGLSurfacePaint(TOpenGLPanel& sender) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, EyeDistance);
  glRotatef(RotAngleY, 0.0f, 1.0f, 0.0f);
  glRotatef(RotAngleX, 1.0f, 0.0f, 0.0f);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // the third drawing axis points up
  glScalef(ModelScale, ModelScale, ModelScale);
  glColor4fv(SurfaceColour);
  if (SurfReady) {
    if (IsImplicitMode())
      DrawImplicitMesh();
    else
      DrawSurface();
  }
  if (CBAxis->isChecked()) DrawAxes();
  glPopMatrix();
  DrawCaption(sender);
}

void TSurfacePage::DrawSurface() {
  if (SurfaceMeshDirty) {
    TRANSSTRUCT::TViewRegion region;
    region.X0 = X0;
    region.Y0 = Y0;
    region.Z0 = Z0;
    region.Sx = Sx;
    region.Sy = Sy;
    region.Sz = Sz;
    SurfaceMesh.Build(SurfFunc, DependentLetter(), region);
    SurfaceMeshDirty = false;
  }
  // The normals only matter to the lighting; without it the corners alone are given.
  glBegin(GL_QUADS);
  for (const auto& quad : SurfaceMesh.GetQuads())
    for (const auto& corner : quad.Corner) {
      if (Lighting) glNormal3fv(corner.Normal);
      glVertex3fv(corner.Position);
    }
  glEnd();
}

void TSurfacePage::DrawAxes() {
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
  if (RBWireframe->isChecked()) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(1.0f);
}

void TSurfacePage::DrawCaption(TOpenGLPanel& panel) {
  // "Surface: " and the chosen name at the top left, in the surface colour, unlit and over
  // everything drawn.
  const GLboolean lit = glIsEnabled(GL_LIGHTING);
  if (lit) glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, panel.PixelWidth(), panel.PixelHeight(), 0.0, 1.0, -1.0);
  glMatrixMode(GL_MODELVIEW);
  glColor4fv(SurfaceColour);
  glRasterPos2i(6, 16);
  panel.Draw2DText(Caption);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  if (lit) glEnable(GL_LIGHTING);
}
