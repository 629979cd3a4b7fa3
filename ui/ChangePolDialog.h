#pragma once
// The change/copy dialog: the user chooses a polynomial, edits its name and expression, and
// either changes the record or adds a copy under the new name.

#include "core/TPolinom.h"

#include "ui/PolDialogCommon.h"

#include <QString>
#include <vector>

class TReadingLine;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm6 : public TPolDialog {
  Q_OBJECT
public:
  // The records are the document's rows; the edits go to the document.
  explicit TForm6(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm6() override;

public slots:
  void FormShow() override;
  // One rule for both lists: the chosen item selects the same record in the other list.
  void CBOldNameChange(int index);
  void CBOldFormulaChange(int index);
  void EdNewNameChange();
  void EdNewFormulaChange();
  void ChBCopyClick();
  void BitBtn1Click();

private:
  // Dialog state, reset by every opening.
  bool NameErr = true;
  bool PolErr = true;
  bool Selected = false;
  int SelIdx = 0;
  QString NewName;
  QString OldName;
  LISTSTRUCT::TPolinom NewPol;

  // Controls, by their names in the dialog's design.
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* CBOldName = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* CBOldFormula = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* EdNewName = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* EdNewFormula = nullptr;
  TReadingLine* EdNewFormulaReading = nullptr; // how the new polynomial was read
  QLabel* Label5 = nullptr;
  QLineEdit* EdMist = nullptr;
  QCheckBox* ChBCopy = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

  void LayOutControls();
  void Choose(int index);
  void EnableEditing(bool on);
  // Keys of the listed records; item i of both lists belongs to Keys[i].
  std::vector<QString> Keys;
};
