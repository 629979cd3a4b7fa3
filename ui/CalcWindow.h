#pragma once
#include <QWidget>

class QCloseEvent;

// The calculation window (stand-in until the window is built): its three commands do
// nothing yet, and it closes through the main window's toggle.
class TForm3 : public QWidget {
  Q_OBJECT
public:
  explicit TForm3(QWidget* parent = nullptr);

public slots:
  void BBtnCalcClick();
  void SBtnLoadFClick();
  void SBtnSaveFClick();

protected:
  void closeEvent(QCloseEvent* event) override;
};
