#pragma once
#include <QWidget>

class QCloseEvent;
class QTabWidget;

// Overview window (stand-in until the overview window is built): its page control
// with the four pages the main window's page buttons turn.
class TForm9 : public QWidget {
  Q_OBJECT
public:
  explicit TForm9(QWidget* parent = nullptr);
  QTabWidget* PCViewTab;
  QWidget* TShExpr;
  QWidget* TShStruct;
  QWidget* TShSurf;
  QWidget* TShEffic;

protected:
  void closeEvent(QCloseEvent* event) override;
};
