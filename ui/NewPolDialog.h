#pragma once
// The new-polynomial dialog: checks a name and a polynomial text while they are typed and adds
// the polynomial to the table in use.

#include "core/TPolinom.h"

#include "ui/PolDialogCommon.h"

#include <QString>

class TReadingLine;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm4 : public TPolDialog {
  Q_OBJECT
public:
  // The records are the document's rows; the edits go to the document.
  explicit TForm4(TTableDocumentAdapter* document, QWidget* parent = nullptr);
  ~TForm4() override;

public slots:
  void FormShow() override;
  void EdNameChange();
  void EdPolChange();
  void BitBtn1Click();

private:
  // Dialog state, reset by every opening.
  bool NameErr = true;
  bool PolErr = true;
  QString NewName;
  LISTSTRUCT::TPolinom NewPol;

  // Controls, by their names in the dialog's design.
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EdName = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EdPol = nullptr;
  TReadingLine* EdPolReading = nullptr; // how the polynomial was read
  QLabel* Label3 = nullptr;
  QLineEdit* EdMist = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};
