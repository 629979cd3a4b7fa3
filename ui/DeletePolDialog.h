#pragma once
#include <QDialog>

// The delete dialog (stand-in until the dialog is built). It has nothing to show yet,
// so opening it does nothing.
class TForm5 : public QDialog {
  Q_OBJECT
public:
  explicit TForm5(QWidget* parent = nullptr);
  int exec() override { return QDialog::Rejected; }
};
