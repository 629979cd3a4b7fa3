#include "ui/SurfacePage.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "gl/TOpenGLPanel.h"
#include "gl/TSurfaceRenderer.h"
#include "surface/TImplicitMesh.h"
#include "ui/DecimalSpinBox.h"
#include "ui/ShownText.h"
#include "ui/WidgetHelpers.h"

// The surface page's controls, their layout and their connections.

namespace {

// The least drawing that still shows a surface and its axes plainly.
constexpr QSize DrawingMinimumSize(320, 280);

// Labels, number fields, size spin edits and radio buttons of the options, each with its name.
QLabel* MakeLabel(QWidget* parent, const QString& text, const char* name, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
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

QRadioButton* MakeRadio(const QString& text, const char* name, QWidget* parent,
                        QButtonGroup* group) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(name);
  group->addButton(button);
  return button;
}

// A half-size of the region: a decimal number from 1 to 1000, 1 at start.
TDecimalSpinBox* MakeSizeSpin(QWidget* parent, const char* name) {
  auto* spin = new TDecimalSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(1, 1000);
  spin->setValue(1);
  spin->setFixedWidth(72);
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

void TSurfacePage::BuildControls() {
  BuildMessageLines();
  BuildRegionFields();
  BuildSwitches();
  BuildMethodChoice();
  OrderMethodControls();
  LayOutOptions();
  BuildDrawingPanel();
  auto* page = new QHBoxLayout(this);
  page->setContentsMargins(2, 2, 2, 2);
  page->setSpacing(5);
  page->addWidget(BvlOptions);
  page->addWidget(BvlSurface, 1);

  ConnectControls();
}

// The options' frame with the message line for failures and the line of plain notices.
void TSurfacePage::BuildMessageLines() {
  BvlOptions = new QFrame(this);
  BvlOptions->setObjectName("BvlOptions");
  BvlOptions->setFrameShape(QFrame::StyledPanel);
  BvlOptions->setFrameShadow(QFrame::Sunken);

  EdErrors = new QLineEdit(tr("Полином не выбран !"), BvlOptions);
  EdErrors->setObjectName("EdErrors");
  EdErrors->setToolTip(tr("Ошибки при установлении зависимости и рисовании поверхности"));
  EdErrors->setAccessibleName(EdErrors->toolTip());
  StyleMessageField(EdErrors);
  EdSurfStatus = new QLineEdit(BvlOptions);
  EdSurfStatus->setObjectName("EdSurfStatus");
  EdSurfStatus->setToolTip(tr("Ход построения сетки и сохранение файлов"));
  EdSurfStatus->setAccessibleName(EdSurfStatus->toolTip());
  // Plain text on the window's colour: a line of notices, not a field to fill in.
  EdSurfStatus->setReadOnly(true);
  EdSurfStatus->setFrame(false);
  QPalette plain = EdSurfStatus->palette();
  plain.setColor(QPalette::Base, plain.color(QPalette::Window));
  plain.setColor(QPalette::Disabled, QPalette::Base, plain.color(QPalette::Window));
  EdSurfStatus->setPalette(plain);
  ShowTextStart(EdSurfStatus);
}

// The fields of the function value, the centre and the sizes of the region viewed.
void TSurfacePage::BuildRegionFields() {
  EdFuncVal = MakeNumberEdit(this, "EdFuncVal", "0");
  LbFuncVal = MakeLabel(this, tr("Знач. неявной ф-и F(x,y,z)="), "LbFuncVal", EdFuncVal);

  LbCentre = MakeLabel(this, tr("Центр области просмотра:"), "LbCentre", nullptr);
  EdX0 = MakeNumberEdit(this, "EdX0", "0");
  LbX0 = MakeLabel(this, "X0:", "LbX0", EdX0);
  EdY0 = MakeNumberEdit(this, "EdY0", "0");
  LbY0 = MakeLabel(this, "Y0:", "LbY0", EdY0);
  EdZ0 = MakeNumberEdit(this, "EdZ0", "0");
  LbZ0 = MakeLabel(this, "Z0:", "LbZ0", EdZ0);

  LbSizes = MakeLabel(this, tr("Размеры области просмотра:"), "LbSizes", nullptr);
  CESizeX = MakeSizeSpin(this, "CESizeX");
  LbSizeX = MakeLabel(this, "Sx:", "LbSizeX", CESizeX);
  CESizeY = MakeSizeSpin(this, "CESizeY");
  LbSizeY = MakeLabel(this, "Sy:", "LbSizeY", CESizeY);
  CESizeZ = MakeSizeSpin(this, "CESizeZ");
  LbSizeZ = MakeLabel(this, "Sz:", "LbSizeZ", CESizeZ);

  BtnFitRegion = new QPushButton(tr("Вписать"), this);
  BtnFitRegion->setObjectName("BtnFitRegion");
  BtnFitRegion->setToolTip(tr("Подобрать центр и размеры области просмотра так, чтобы "
                              "поверхность уместилась в ней целиком"));
  BtnFitRegion->setAccessibleDescription(BtnFitRegion->toolTip());
}

// The dependent variable and the drawing options.
void TSurfacePage::BuildSwitches() {
  LbVar = MakeLabel(this, tr("Выбор зависимой переменной:"), "LbVar", nullptr);
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

  for (QRadioButton* button : {RBVarZ, RBVarY, RBVarX})
    button->setAccessibleDescription(LbVar->text().chopped(1));
}

// The method of drawing with the mesh's cells.
void TSurfacePage::BuildMethodChoice() {
  LbMethod = MakeLabel(this, tr("Способ построения:"), "LbMethod", nullptr);
  auto* methodGroup = new QButtonGroup(this);
  RBExplicitFunction = MakeRadio(tr("Явная функция (V от двух переменных)"), "RBExplicitFunction",
                                 this, methodGroup);
  RBImplicitSurface =
      MakeRadio(tr("Неявная поверхность F(x,y,z)=c"), "RBImplicitSurface", this, methodGroup);
  RBExplicitFunction->setChecked(true);
  CEMeshCells = new QSpinBox(this);
  CEMeshCells->setObjectName("CEMeshCells");
  CEMeshCells->setRange(TRANSSTRUCT::TImplicitMesh::MinCells, TRANSSTRUCT::TImplicitMesh::MaxCells);
  CEMeshCells->setValue(TRANSSTRUCT::TImplicitMesh::DefaultCells);
  CEMeshCells->setFixedWidth(56);
  CEMeshCells->setEnabled(false);
  LbMeshCells = MakeLabel(this, tr("Ячеек сетки:"), "LbMeshCells", CEMeshCells);
  LbMeshCells->setEnabled(false);
  // The radio buttons name themselves; the caption over them tells what they choose.
  for (QRadioButton* button : {RBExplicitFunction, RBImplicitSurface})
    button->setAccessibleDescription(LbMethod->text().chopped(1));
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
  QGridLayout* sizes =
      MakeColumn(LbSizes, {{LbSizeX, CESizeX}, {LbSizeY, CESizeY}, {LbSizeZ, CESizeZ}});
  sizes->addWidget(BtnFitRegion, 4, 0, 1, 3, Qt::AlignLeft);
  regionRow->addLayout(sizes);

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

  auto* options = new QVBoxLayout(BvlOptions);
  options->setContentsMargins(6, 4, 6, 4);
  options->setSpacing(6);
  options->addWidget(EdErrors);
  options->addWidget(EdSurfStatus);
  options->addLayout(methodColumn);
  options->addLayout(valueRow);
  options->addLayout(regionRow);
  options->addLayout(LayOutSwitches());
  options->addStretch(1);
}

// The dependent variable beside the option group.
QLayout* TSurfacePage::LayOutSwitches() {
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
  return switchRow;
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
    Renderer = std::make_unique<TSurfaceRenderer>(*PanGLSurface);
    BuildPanelMenu();
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

// The panel's context menu: save the picture, save the mesh.
void TSurfacePage::BuildPanelMenu() {
  PanGLSurface->setContextMenuPolicy(Qt::CustomContextMenu);
  // Tab reaches the drawing too, so that the menu key opens its menu.
  PanGLSurface->setFocusPolicy(Qt::StrongFocus);
  connect(PanGLSurface, &QWidget::customContextMenuRequested, this, &TSurfacePage::ShowPanelMenu);
  PanelMenu = new QMenu(this);
  PanelMenu->setObjectName("PanelMenu");
  ActSaveImage =
      PanelMenu->addAction(tr("Сохранить изображение…"), this, &TSurfacePage::SaveImageClick);
  ActSaveImage->setObjectName("ActSaveImage");
  ActSaveMesh = PanelMenu->addAction(tr("Сохранить сетку…"), this, &TSurfacePage::SaveMeshClick);
  ActSaveMesh->setObjectName("ActSaveMesh");
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
  connect(CESizeX, &QDoubleSpinBox::valueChanged, this, &TSurfacePage::CESizeXChange);
  connect(CESizeY, &QDoubleSpinBox::valueChanged, this, &TSurfacePage::CESizeYChange);
  connect(CESizeZ, &QDoubleSpinBox::valueChanged, this, &TSurfacePage::CESizeZChange);
  connect(BtnFitRegion, &QPushButton::clicked, this, &TSurfacePage::BtnFitRegionClick);
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
}
