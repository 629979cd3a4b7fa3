#pragma once
#include <QDialog>

// The new-polynomial dialog (stand-in until the dialog is built). It has nothing to show yet,
// so opening it does nothing.
class TForm4 : public QDialog {
  Q_OBJECT
public:
  explicit TForm4(QWidget* parent = nullptr);
  int exec() override { return QDialog::Rejected; }
};
