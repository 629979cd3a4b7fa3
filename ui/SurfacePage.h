#pragma once
// TSurfacePage: the surface page of the overview window (its sheet TShSurf). It draws the
// chosen polynomial P as the implicit surface P(x, y, z) = c in the OpenGL panel
// PanGLSurface: one variable is expressed from the two others by SurfFunc and sampled on a
// 20 x 20 grid over the region viewed (TSurfaceMesh); TSurfaceRenderer draws it, the turn of
// the picture follows TSurfaceView.
//
// How the overview window drives the page:
//   - SetPolinomLookup(lookup), once: how a polynomial is fetched by its name from the table
//     in use at that moment (e.g. Form2->CurTab->FindRecord).
//   - SetChoice(selIndex, name), after every choice of a polynomial (and with -1 after every
//     refill of its lists): remembers the choice; a choice (selIndex >= 0) sets the panel's
//     hint and caption to "Surface: " + name. The surface itself is not rebuilt by a choice.
//   - TShSurfEnter(): sets up the dependence for the chosen polynomial and repaints. The page
//     runs it by itself whenever it is shown (the overview window turning to it, the main
//     window's surface button) and when the focus enters it, so the window need not call it.
//
// Beside that explicit drawing (the method at the start) the page can draw any polynomial as
// the implicit mesh of F(x, y, z) = c over the region (TImplicitMesh, built off the
// user-interface thread by TMeshBuilder and kept in a display list until the polynomial, c,
// the region or the number of cells change). The panel's context menu saves the picture as
// PNG and the mesh as STL or OBJ.
//
// The wheel zooms the picture; it opens turned so that it looks along no coordinate plane.
// BtnFitRegion («Вписать») sets the centre and the sizes of the region to frame the surface
// (TRegionFit, searched off the user-interface thread); the sizes are decimal numbers.
//
// The page owns the implicit-function object SurfFunc. When the machine has no usable
// OpenGL the page shows "Open GL Context Create Failed" once and keeps its controls working
// without a drawing panel (LbNoOpenGL stands in for it).
//
// Every control carries its name as objectName.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "core/TPolFunc.h"
#include "core/TPolinom.h"
#include "surface/TRegionFit.h"
#include "surface/TSurfaceMesh.h"
#include "surface/TSurfaceView.h"
#include "surface/TViewRegion.h"

class QAction;
class QCheckBox;
class QEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QProgressDialog;
class QRadioButton;
class QPushButton;
class QSpinBox;
class QTimer;
class TDecimalSpinBox;
class TMeshBuilder;
class TOpenGLPanel;
class TRegionFitter;
class TSurfaceRenderer;

class TSurfacePage : public QWidget {
  Q_OBJECT
public:
  // Copies the polynomial stored under key into out; false when there is none.
  using TPolinomLookup = std::function<bool(const std::string& key, LISTSTRUCT::TPolinom& out)>;

  explicit TSurfacePage(QWidget* parent = nullptr);
  ~TSurfacePage() override;

  void SetPolinomLookup(TPolinomLookup lookup) { PolinomLookup = std::move(lookup); }
  void SetChoice(int selIndex, const QString& name);
  void TShSurfEnter();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  QLineEdit* EdErrors;
  // The plain notices of the page under the message line: the mesh being built, its triangles,
  // a build cancelled, a file saved. Failures go to EdErrors.
  QLineEdit* EdSurfStatus;
  QLabel* LbFuncVal;
  QLineEdit* EdFuncVal;
  QLabel* LbCentre;
  QLabel* LbX0;
  QLineEdit* EdX0;
  QLabel* LbY0;
  QLineEdit* EdY0;
  QLabel* LbZ0;
  QLineEdit* EdZ0;
  QLabel* LbSizes;
  QLabel* LbSizeX;
  TDecimalSpinBox* CESizeX;
  QLabel* LbSizeY;
  TDecimalSpinBox* CESizeY;
  QLabel* LbSizeZ;
  TDecimalSpinBox* CESizeZ;
  QPushButton* BtnFitRegion; // «Вписать»: the region framed to the surface
  QLabel* LbVar;
  QRadioButton* RBVarZ;
  QRadioButton* RBVarY;
  QRadioButton* RBVarX;
  QGroupBox* GBOptions;
  QCheckBox* CBLighting;
  QCheckBox* CBAxis;
  QRadioButton* RBWireframe;
  QRadioButton* RBSolid;
  QCheckBox* CBAnimate;
  QTimer* Timer1;
  // The method of drawing: the explicit function of two variables (the 20 x 20 drawing) or
  // the implicit mesh of F(x, y, z) = c with CEMeshCells cells per axis.
  QLabel* LbMethod;
  QRadioButton* RBExplicitFunction;
  QRadioButton* RBImplicitSurface;
  QLabel* LbMeshCells;
  QSpinBox* CEMeshCells;
  QMenu* PanelMenu = nullptr; // the drawing panel's context menu
  QAction* ActSaveImage = nullptr;
  QAction* ActSaveMesh = nullptr;
  QFrame* BvlOptions;
  QFrame* BvlSurface;
  TOpenGLPanel* PanGLSurface = nullptr; // null without usable OpenGL
  QLabel* LbNoOpenGL = nullptr;         // stands in for the panel then

  // Handlers.
  void EdFuncValChange();
  void EdX0Change();
  void EdY0Change();
  void EdZ0Change();
  void EdFuncValExit();
  void EdX0Exit();
  void EdY0Exit();
  void EdZ0Exit();
  void CESizeXChange();
  void CESizeYChange();
  void CESizeZChange();
  void RBVarXClick();
  void RBVarYClick();
  void RBVarZClick();
  void CBLightingClick();
  void CBAxisClick();
  void RBWireframeClick();
  void RBSolidClick();
  void CBAnimateClick();
  void RBExplicitFunctionClick();
  void RBImplicitSurfaceClick();
  void CEMeshCellsChange();
  void BtnFitRegionClick();
  void RegionFitFinished(const TRANSSTRUCT::TRegionFit& fit);
  void SaveImageClick();
  void SaveMeshClick();
  void Timer1Timer();
  void PanGLSurfacePreInit(TOpenGLPanel& sender);
  void PanGLSurfaceInit(TOpenGLPanel& sender);
  void PanGLSurfaceResize(TOpenGLPanel& sender);
  void PanGLSurfacePaint(TOpenGLPanel& sender);
  void PanGLSurfaceMouseDown(Qt::MouseButton button, int x, int y);
  void PanGLSurfaceMouseUp(Qt::MouseButton button, int x, int y);
  void PanGLSurfaceMouseMove(int x, int y);
  void PanGLSurfaceWheel(int angleDelta);

  // Building the page (SurfacePageControls.cpp).
  void BuildControls();
  void BuildMessageLines();
  void BuildRegionFields();
  void BuildSwitches();
  void BuildMethodChoice();
  void OrderMethodControls();
  void LayOutOptions();
  QLayout* LayOutSwitches();
  void BuildDrawingPanel();
  void BuildPanelMenu();
  void ConnectControls();
  // The switches and numbers as the controls hold them.
  void ReadControls();

  // The implicit mesh and the files (SurfacePageMesh.cpp).
  bool IsImplicitMode() const;
  TRANSSTRUCT::TViewRegion GetRegion() const;
  void StartMeshBuild();
  void MeshBuildProgress(int done, int total);
  void MeshBuildFinished(bool completed);
  void ShowPanelMenu(const QPoint& position);
  // The panel's picture as PNG, and the implicit mesh as STL (".stl") or OBJ (any other
  // name), each written atomically. False, with the reason in EdErrors, when it fails.
  bool SaveImage(const QString& path);
  bool SaveMesh(const QString& path);

  void RepaintPanel();
  void CentreChange(QLineEdit* edit, float& value);
  void RestoreField(QLineEdit* edit, float value);
  char DependentLetter() const;
  void RegionChanged();
  void FocusChanged(QWidget* old, QWidget* now);

  TRANSSTRUCT::TPolFunc SurfFunc;
  TRANSSTRUCT::TSurfaceMesh SurfaceMesh; // rebuilt at the next paint after a change
  bool SurfaceMeshDirty = true;
  TRANSSTRUCT::TSurfaceView View = TRANSSTRUCT::TSurfaceView::Opening(); // turn and zoom
  std::unique_ptr<TSurfaceRenderer> Renderer;                            // with the panel
  TMeshBuilder* MeshBuilder;
  TRegionFitter* RegionFitter;
  QProgressDialog* MeshProgress = nullptr;
  LISTSTRUCT::TPolinom MeshPolinom; // the polynomial the mesh is built of
  TPolinomLookup PolinomLookup;
  int SelIndex = -1;
  QString ChosenName;
  QString Caption = QStringLiteral("Surface: No"); // the panel's hint and caption
  bool SurfReady = false;
  float FuncVal = 0.0f;
  float X0 = 0.0f, Y0 = 0.0f, Z0 = 0.0f;
  float Sx = 1.0f, Sy = 1.0f, Sz = 1.0f;
  bool Lighting = false;
  bool Axis = true;
};
