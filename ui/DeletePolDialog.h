#pragma once
// The delete dialog: the user chooses a polynomial by its name, expression or number, and the
// chosen record is removed from the table in use.

#include "ui/PolDialogCommon.h"

#include <QString>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

class TForm5 : public TPolDialog {
  Q_OBJECT
public:
  // The records are the document's rows; the edits go to the document.
  explicit TForm5(TTableDocumentAdapter* document, QWidget* parent = nullptr);

public slots:
  void FormShow() override;
  // One rule for the three lists: the chosen item selects the same record in the other two.
  void CBNameChange(int index);
  void CBFormulaChange(int index);
  void CBNumChange(int index);
  void BitBtn1Click();

private:
  // Dialog state, reset by every opening.
  bool Selected = false;
  int SelIdx = 0;

  // Controls, by their names in the dialog's design.
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* CBName = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* CBFormula = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* CBNum = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

  void Choose(int index);
  // Keys of the listed records, item i of every list belongs to Keys[i]. The record deleted is
  // the chosen item's, whatever text was typed into the editable lists afterwards.
  std::vector<QString> Keys;
};
