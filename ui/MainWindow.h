#pragma once
#include "ui/Forms.h"
#include "ui/ToolButton.h"
#include "ui/ToolPictures.h"

#include <QWidget>

class QFrame;
class QToolBar;
class TTableDocumentAdapter;

// The main window: a strip across the top of the screen holding a cool bar of four tool
// bars. It opens, shows and hides the other windows; closing it ends the program. Its buttons
// are found by their names (TBStore, TBNew, …) and pressed.
class TForm1 : public QWidget {
  Q_OBJECT
public:
  // The save-mode button switches the document's save mode; closing asks about its unsaved
  // changes.
  explicit TForm1(TTableDocumentAdapter* document, QWidget* parent = nullptr);

  // The keyboard shortcuts of the buttons; called once every window exists, since the delete
  // key belongs to the table window.
  void InstallShortcuts();

public slots:
  void TBStoreClick();
  void TBNewClick();
  void TBDeleteClick();
  void TBChangeClick();
  void TBSavLodClick();
  void TBPolsClick();
  void TBCalcClick();
  void TBLoadFClick();
  void TBSaveFClick();
  void TBViewClick();
  void TBFormulaClick();
  void TBStructClick();
  void TBSurfaceClick();
  void TBEfficiencyClick();
  void TBTableStepsClick();
  void TBListStepsClick();
  void TBTransStepsClick();
  void TBHelpClick();
  void TBAboutClick();
  // While a calculation runs, the buttons that would change the table or the formula are off.
  void ShowCalculationRunning(bool running);

  // The mouse-move rule of every button: hot picture and mouse capture while the pointer
  // is strictly inside the button, normal picture and no capture otherwise.
  void ButtonMouseMove(TToolButton* Sender, int X, int Y);

  // The first showing of the main window: the splash, then the three working windows.
  void FormShow();

  // A working window closed with its close box: the same road as its toggle button, while the
  // button says the window is shown.
  void TableWindowClosed();
  void CalcWindowClosed();
  void OverviewWindowClosed();

  // A dialog of the button named buttonName showed: the button's normal picture in its on or
  // off variant.
  void ShowDialogPicture(const QString& buttonName, bool on);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // The buttons' keys come before the editing keys of a focused text field.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct TButtonRow;
  // One row a button, in tool-bar order (see MainWindowButtons.cpp).
  static const TButtonRow Buttons[19];

  void BuildCoolBar();
  void BuildButtons();
  TToolButton* AddButton(QToolBar* bar, const TImageList* images, const char* name,
                         const QString& hint, void (TForm1::*handler)());
  // Whether the window or mode behind a two-state button is on; true for other buttons.
  bool IsOn(const TToolButton* button) const;
  void Toggle(bool& flag, TToolButton* button, QWidget* window);
  // The picture of a button the pointer is not moving over: hot while it has the keyboard
  // focus, normal otherwise, in the variant of its state.
  void ShowRestingPicture(TToolButton* button);
  // The button's normal picture in its on or off variant.
  void ShowNormalPicture(TToolButton* button, bool on);
  void ShowPage(int page);
  // Closing with unsaved changes of the table asks what becomes of them; false keeps the
  // program running.
  bool AskToSaveTable();

  TTableDocumentAdapter* const Document;
  bool ShownOnce = false;

  // Visibility flags of the table, calculation and overview windows.
  bool StoreShown = true;
  bool PolsShown = true;
  bool ViewShown = true;

  QFrame* CoolBar1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QToolBar* ToolBar3 = nullptr;
  QToolBar* ToolBar4 = nullptr;
  TImageList ImageList1, ImageList2, ImageList3, ImageList4;

  TToolButton* TBStore = nullptr;
  TToolButton* TBNew = nullptr;
  TToolButton* TBDelete = nullptr;
  TToolButton* TBChange = nullptr;
  TToolButton* TBSavLod = nullptr;
  TToolButton* TBPols = nullptr;
  TToolButton* TBCalc = nullptr;
  TToolButton* TBLoadF = nullptr;
  TToolButton* TBSaveF = nullptr;
  TToolButton* TBView = nullptr;
  TToolButton* TBFormula = nullptr;
  TToolButton* TBStruct = nullptr;
  TToolButton* TBSurface = nullptr;
  TToolButton* TBEfficiency = nullptr;
  TToolButton* TBTableSteps = nullptr;
  TToolButton* TBListSteps = nullptr;
  TToolButton* TBTransSteps = nullptr;
  TToolButton* TBHelp = nullptr;
  TToolButton* TBAbout = nullptr;
};
