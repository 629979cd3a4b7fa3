#pragma once
// The overview window TForm9: the demonstration window with its pages — the choice of a
// polynomial from the table and its formula, the picture of its list structure, its surface,
// the efficiency test of the table organisations and the step-by-step work of the tables.

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>

class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QResizeEvent;
class QScrollArea;
class QTabWidget;
class TEfficiencyPage;
class TListStepsPage;
class TTableDocumentAdapter;
class TStructureView;
class TSurfacePage;
class TTableStepsPage;
class TTransStepsPage;

namespace LISTSTRUCT {
class TCanvas;
}

class TForm9 : public QWidget {
  Q_OBJECT
public:
  // The choice lists show the document's rows.
  explicit TForm9(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm9() override;

  // Refills the three lists from the table in use and clears the choice (after every change
  // of the table, from the table window's RefreshGrid).
  void FillPolLists();
  // Redraws the structure picture of the chosen polynomial, or the plain background.
  void DrawPolStruct();
  // The formulas again, in the form «Точные коэффициенты» asks for.
  void ShowFormulas();

  // The drawing font's size for an image of the given height.
  static int StructFontSize(int imageHeight);

  // Makes page 0 to 6 the visible page (the main window's page buttons); the window stays
  // hidden or shown as it is.
  void ShowPage(int page);
  // The translator's step page takes its formula from source when asked (the calculation
  // window's formula).
  void SetFormulaSource(std::function<QString()> source);

public slots:
  void CBNumChange();
  void CBNameChange();
  void CBFormulaChange();
  void FormResize();
  void FormClose();
  // A turn to the surface, efficiency or step page grows a smaller window to what it needs
  // and keeps it from being made smaller meanwhile; the other pages give the window back its
  // own least size and leave its size alone.
  void PCViewTabChange(int page);

signals:
  // The window's close box was used.
  void Closed();

protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Position in the choice lists of the chosen polynomial, -1 when none is chosen.
  int SelIndex = -1;

  // Decoration at the right edge.
  QFrame* Bevel1;
  QLabel* Image1;

  // Page control: page 0 choice, 1 structure, 2 surface, 3 efficiency, 4 to 6 step by step.
  QTabWidget* PCViewTab;
  QWidget* TShExpr;
  QWidget* TShStruct;
  QWidget* TShSurf;
  QWidget* TShEffic;
  TSurfacePage* SurfPage;     // content of TShSurf
  TEfficiencyPage* EfficPage; // content of TShEffic
  // The step pages 4, 5 and 6: the tables', the list's and the translator's.
  QWidget* TShSteps;
  TTableStepsPage* StepsPage; // content of TShSteps
  QWidget* TShListSteps;
  TListStepsPage* ListStepsPage; // content of TShListSteps
  QWidget* TShTransSteps;
  TTransStepsPage* TransStepsPage; // content of TShTransSteps

  // Choice page: three pick-only lists kept in step (item i of each is the same record)
  // and the chosen formula.
  QComboBox* CBNum;
  QComboBox* CBName;
  QComboBox* CBFormula;
  QPlainTextEdit* MemExpr;

  // Structure page: the picture in a box that scrolls sideways only.
  TStructureView* SBForImg;
  QLabel* ImgStruct;    // shows StructBitmap; its font is the drawing font
  QPixmap StructBitmap; // the picture's bitmap

  void BuildPageControl();
  void BuildPageContents();
  // The three step pages, each a sheet the page fills (OverviewStepPages.cpp).
  void BuildStepPages();
  void BuildChoicePage();
  void BuildStructurePage();
  TTableDocumentAdapter* const Document;

  void ChoiceChange(QComboBox* source);
  void LayoutChoicePage();
  void LayoutStructPage();
};
