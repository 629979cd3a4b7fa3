#include "ui/CalcWindow.h"
#include "ui/MainWindow.h"
#include <QCloseEvent>

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
  setObjectName("Form3");
}

// Without a formula field there is nothing to evaluate, load or store yet.
void TForm3::BBtnCalcClick() {}
void TForm3::SBtnLoadFClick() {}
void TForm3::SBtnSaveFClick() {}

void TForm3::closeEvent(QCloseEvent* event) {
  if (Form1 && Form1->PolsShown) Form1->TBPolsClick();
  event->accept();
}
