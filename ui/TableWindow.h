#pragma once
#include <QWidget>

class QCloseEvent;

// Table window (stand-in until the table window is built): holds the save-mode flag
// the main window reads and clears, and closes through the main window's toggle.
class TForm2 : public QWidget {
  Q_OBJECT
public:
  explicit TForm2(QWidget* parent = nullptr);
  bool SaveMode = false;

protected:
  void closeEvent(QCloseEvent* event) override;
};
