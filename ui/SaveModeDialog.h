#pragma once
#include <QDialog>

// The save-mode warning dialog (stand-in until the dialog is built). It has nothing to show yet,
// so opening it does nothing.
class TForm7 : public QDialog {
  Q_OBJECT
public:
  explicit TForm7(QWidget* parent = nullptr);
  int exec() override { return QDialog::Rejected; }
};
