#pragma once
// The save-mode warning: asks before the table window starts writing every change to disk.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

class TForm7 : public QDialog {
  Q_OBJECT
public:
  explicit TForm7(QWidget* parent = nullptr);

public slots:
  void FormShow();
  void BitBtn1Click();

signals:
  // The warning opens: the save-mode button gets its normal off picture.
  void Shown();
  // Yes: the save-mode button gets its normal on picture, then the table window switches save
  // mode on and saves (connected in this order where the windows are made).
  void SaveModeConfirmed();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void BuildWarningText();

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* BitBtn1 = nullptr; // Yes
  QPushButton* BitBtn2 = nullptr; // No
};
