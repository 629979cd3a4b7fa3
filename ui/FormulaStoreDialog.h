// The formula store dialog: lists the formulas kept in "IniSaves/PolForms.ini" and saves,
// loads or deletes one. The calculation window chooses the mode just before showing it.
#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QString>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace TABLESTRUCT {
class TFormulaStore;
}

class TForm8 : public QDialog {
  Q_OBJECT
public:
  explicit TForm8(QWidget* parent = nullptr);
  ~TForm8() override;

  // Save mode: the formula to store is shown, the description is typed.
  void PrepareSaveMode(const QString& formula);
  // Load mode: a row is chosen and loaded into the calculation window, or deleted.
  void PrepareLoadMode();

public slots:
  void FormCreate();
  void FormShow();
  void SGSavTabSelectCell(int row, int column);
  void BBtnSaveClick();
  void BBtnLoadClick();
  void BBtnDelClick();

signals:
  // Load: the chosen formula goes into the calculation window's formula field.
  void FormulaChosen(const QString& formula);

protected:
  void showEvent(QShowEvent* event) override;

private:
  // Controls, by their names in the dialog's design.
  QLabel* ImSavLod = nullptr;
  QTableWidget* SGSavTab = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EdFormul = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EdDiscript = nullptr;
  QPushButton* BBtnSave = nullptr;
  QPushButton* BBtnLoad = nullptr;
  QPushButton* BBtnDel = nullptr;
  // Tells why the last save or delete did not reach the file; empty otherwise.
  QLabel* LabelWriteError = nullptr;
  // Picture 0 for save mode, picture 1 for load mode.
  QList<QPixmap> ImageList1;

  // The grid row chosen in load mode, counted from 1 below the header; 0 for none.
  int SelRow = 0;

  // The store and its file rules, open while the dialog lives.
  std::unique_ptr<TABLESTRUCT::TFormulaStore> Store;

  void BuildStoreGrid();
  void BuildFields();
  void BuildButtons();
  // Pictures, buttons and the description field of the save or the load mode.
  void ShowMode(bool saving);
  // Shows text in the error line, with the store's reason as its hint.
  void ReportWriteError(const QString& text);
};
