// The calculation window: the user writes a formula over the polynomials of the table, sees
// at every keystroke whether it is correct and which operands it uses, evaluates it and keeps
// the result in the table under a standard or a user-given name.
#pragma once

#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

class QCheckBox;
class TCalcProgressDialog;
class TCalcRun;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;
class TForm8;
class TReadingLine;
class TTableDocumentAdapter;

namespace TRANSSTRUCT {
class TFPolTrans;
}
namespace TABLESTRUCT {
class TBasePTab;
}
namespace LISTSTRUCT {
class TPolinom;
}

// A 25 x 25 picture that acts as a button: it reports clicks and every mouse move it sees,
// in its own coordinates, and leaves the highlighting and mouse capture to its window.
class TOperationImage : public QLabel {
  Q_OBJECT
public:
  explicit TOperationImage(QWidget* parent = nullptr);

signals:
  void Clicked();
  void MouseMoved(int x, int y);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  bool PressedInside = false;
};

class TForm3 : public QWidget {
  Q_OBJECT
public:
  // The table in use is the document's; a result goes to the document. Its controls are found
  // by their names in the window's design (EdFormul, SGResTable, …).
  explicit TForm3(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm3() override;

  // The formula store dialog that the store buttons open (made after this window).
  void SetFormulaStore(TForm8* store) { FormulaStore = store; }

  // A calculation that takes longer than this many milliseconds goes on by itself on a working
  // thread and shows its progress; the window stays usable meanwhile.
  int ProgressDelay = 300;
  // True while such a calculation runs.
  bool CalculationRuns() const { return Run != nullptr; }
  // The formula as it is written in the formula field.
  QString FormulaText() const;

signals:
  // A calculation went on by itself (true) or ended (false): while it runs, nothing may change
  // the table or the formula.
  void CalculationRunning(bool running);
  // The window's close box was used.
  void Closed();

public slots:
  // A formula brought in from elsewhere (the formula store) replaces the one being written.
  void SetFormulaText(const QString& text);

  void FormCreate();
  void FormClose();
  void FormResize();
  void EdFormulChange();
  void BBtnCalcClick();
  void EdNameChange();
  void CBPolToTabClick();
  void RBStdNameClick();
  void RBUserNameClick();
  void ImSumClick();
  void ImMinClick();
  void ImMultClick();
  void ImDegClick();
  void ImProClick();
  void ImIntClick();
  void ImBrakClick();
  void ImVarClick();
  void SBtnSaveFClick();
  void SBtnLoadFClick();
  void ImSumMouseMove(int X, int Y);
  void ImMinMouseMove(int X, int Y);
  void ImMultMouseMove(int X, int Y);
  void ImDegMouseMove(int X, int Y);
  void ImProMouseMove(int X, int Y);
  void ImIntMouseMove(int X, int Y);
  void ImBrakMouseMove(int X, int Y);
  void ImVarMouseMove(int X, int Y);

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  struct TOperationImageRow;
  // The eight operation images, one row each (see CalcWindowOperations.cpp).
  static const TOperationImageRow OperationImages[8];
  static const TOperationImageRow& OperationImageRow(TOperationImage* TForm3::*image);

  TTableDocumentAdapter* const Document;
  TForm8* FormulaStore = nullptr;

  void BuildControls();
  void BuildFormulaGroup();
  void BuildFormulaFields();
  void BuildStoreButtons();
  void BuildGrids();
  void BuildNamingPanel();
  void ConnectControls();
  void BuildOperationImages();
  TABLESTRUCT::TBasePTab* CurrentTable() const;
  void AppendToFormula(const QString& text);
  QChar CheckedVariableLetter() const;
  void HighlightOnHover(TOperationImage* TForm3::*image, int x, int y);
  void ShowResultRow(const QString& number, const QString& name, const QString& polynomial);
  void FinishCalculation();
  void ShowCalculationRunning(bool running);
  void ShowAndStoreResult(const LISTSTRUCT::TPolinom& result, const QString& resultText);
  // «Точные коэффициенты» switched: the operands and the result in the form it asks for.
  void ShowExactCoefficients(bool exact);
  QString ResultTexts[2]; // the last result's text, short and exact

  // Controls, by their names in the window's design.
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  TOperationImage* ImSum = nullptr;
  TOperationImage* ImMin = nullptr;
  TOperationImage* ImMult = nullptr;
  TOperationImage* ImDeg = nullptr;
  TOperationImage* ImPro = nullptr;
  TOperationImage* ImInt = nullptr;
  TOperationImage* ImBrak = nullptr;
  TOperationImage* ImVar = nullptr;
  QFrame* Bevel4 = nullptr;
  QRadioButton* RBVarX = nullptr;
  QRadioButton* RBVarY = nullptr;
  QRadioButton* RBVarZ = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* EdFormul = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* EdErrors = nullptr;
  TReadingLine* EdFormulReading = nullptr; // how the formula was read
  QFrame* Bevel3 = nullptr;
  QToolButton* SBtnSaveF = nullptr;
  QToolButton* SBtnLoadF = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QTableWidget* SGOperTable = nullptr;
  QTableWidget* SGResTable = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* BBtnCalc = nullptr;
  QCheckBox* CBPolToTab = nullptr;
  QRadioButton* RBStdName = nullptr;
  QRadioButton* RBUserName = nullptr;
  QLineEdit* EdName = nullptr;
  // Normal and highlighted pictures of the operation images, by their fixed numbers.
  QList<QPixmap> ImageList1;

  // Window state.
  std::unique_ptr<TRANSSTRUCT::TFPolTrans> Trans;
  bool FormulaOK = false;
  bool NameInvalid = false;
  QString UserName;
  bool StdNameMode = true;
  bool BracketOpen = false;

  std::unique_ptr<TCalcRun> Run;
  TCalcProgressDialog* ProgressDialog = nullptr;
  bool FormulaCheckPending = false; // a formula check came while a calculation ran
  bool FormulaHadFocus = false;
};
