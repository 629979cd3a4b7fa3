#pragma once
#include <QDialog>

// The formula-store dialog (stand-in until the dialog is built). It has nothing to show yet,
// so opening it does nothing.
class TForm8 : public QDialog {
  Q_OBJECT
public:
  explicit TForm8(QWidget* parent = nullptr);
  int exec() override { return QDialog::Rejected; }
};
