#pragma once
// The table window: shows the table in use in a grid, lets the user choose its organisation and
// the hash table's size, and tells what became of the table file. The table itself is the
// document's.

#include <QWidget>

class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QResizeEvent;
class QSpinBox;
class QTableView;
class TTableDocumentAdapter;

namespace TABLESTRUCT {
enum class TOrganisation;
}

class TForm2 : public QWidget {
  Q_OBJECT
public:
  // The grid shows the document's rows; the buttons and the spin edit change its organisation
  // and hash size.
  explicit TForm2(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm2() override;

  // Controls (each also carries its name as objectName).
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RBScanTab = nullptr;
  QRadioButton* RBSortTab = nullptr;
  QRadioButton* RBHashTab = nullptr;
  QLabel* Label1 = nullptr;
  QSpinBox* CEHashTSize = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* LbSaveErr = nullptr;
  QLabel* LbNotice = nullptr;
  QTableView* SGPolTable = nullptr;

public slots:
  // The window's part of every change of the table (the document's rows are reloaded before
  // and the table saved in save mode): the grid's number column fits its numbers, the buttons
  // and the spin edit show the organisation and hash size in use.
  void RefreshGrid();
  void RBScanTabClick();
  void RBSortTabClick();
  void RBHashTabClick();
  void CEHashTSizeChange();
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
  void KeepGridPlace();
  void RestoreGridPlace();
  void ShowSaveState();
  void ShowFileProblem(const QString& text, const QString& hint);
  void ShowNotice(const QString& text);
  void SwitchTo(TABLESTRUCT::TOrganisation target);
  void ShowOrganisation();

  TTableDocumentAdapter* const Document;
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
