#pragma once
#include <QDialog>

class QLabel;
class QMovie;
class QPushButton;

// The About window: picture, title, what the program does, production details and an
// animated logo playing in a loop; OK closes it.
class TForm10 : public QDialog {
  Q_OBJECT
public:
  explicit TForm10(QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  QLabel* ImLogo;
  QLabel* LbTitle;
  QLabel* LbFunctions;
  QLabel* LbDetails;
  QLabel* Animate1;
  QMovie* AnimMovie;
  QPushButton* BBtnOK;

  void BuildTexts();
};
