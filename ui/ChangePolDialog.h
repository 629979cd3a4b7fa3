#pragma once
#include <QDialog>

// The change/copy dialog (stand-in until the dialog is built). It has nothing to show yet,
// so opening it does nothing.
class TForm6 : public QDialog {
  Q_OBJECT
public:
  explicit TForm6(QWidget* parent = nullptr);
  int exec() override { return QDialog::Rejected; }
};
