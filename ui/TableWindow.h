#pragma once
// The table window: shows the table in use in a grid, lets the user choose its organisation and
// the hash table's size, and tells what became of the table file. The table itself is the
// document's.

#include "tables/TTableKinds.h"

#include <QWidget>

#include <array>

class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QResizeEvent;
class QSpinBox;
class QTableView;
class TTableDocumentAdapter;

class TForm2 : public QWidget {
  Q_OBJECT
public:
  // The grid shows the document's rows; the buttons and the spin edit change its organisation
  // and hash size.
  explicit TForm2(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm2() override;

public slots:
  // The window's part of every change of the table (the document's rows are reloaded before
  // and the table saved in save mode): the grid's number column fits its numbers, the buttons
  // and the spin edit show the organisation and hash size in use.
  void RefreshGrid();
  // While a calculation runs the organisation and the hash size cannot be changed.
  void ShowCalculationRunning(bool running);

signals:
  // The window's close box was used.
  void Closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildWindowPicture();
  void BuildOrganisationGroup();
  void BuildSaveWarning();
  void BuildGrid();
  void FormCreate();
  void FormClose();
  void FormResize();
  // A choice button of the organisations (RBScanTab, RBSortTab, RBHashTab, one for each of the
  // registry) became selected.
  void RBTabClick(TABLESTRUCT::TTableKind kind);
  void CEHashTSizeChange();
  void KeepGridPlace();
  void RestoreGridPlace();
  void ShowSaveState();
  void ShowFileProblem(const QString& text, const QString& hint);
  void ShowNotice(const QString& text);
  void ShowOrganisation();

  TTableDocumentAdapter* const Document;

  // Controls, by their names in the window's design (each also its objectName).
  QGroupBox* GroupBox1 = nullptr;
  // The organisations' choice buttons, in the registry's order.
  std::array<QRadioButton*, TABLESTRUCT::TableKindCount> ChoiceButtons{};
  QLabel* Label1 = nullptr;
  QSpinBox* CEHashTSize = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* LbSaveErr = nullptr;
  QLabel* LbNotice = nullptr;
  QTableView* SGPolTable = nullptr;

  // The grid's current record, its selection and scrolled place, kept across a reload.
  struct TGridPlace {
    bool Valid = false;
    int Row = 0;
    int Column = 0;
    QString Key;
    bool Selected = false;
    int Scrolled = 0;
  } GridPlace;
};
