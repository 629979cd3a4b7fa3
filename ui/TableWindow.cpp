#include "ui/TableWindow.h"
#include "ui/MainWindow.h"
#include <QCloseEvent>

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
  setObjectName("Form2");
}

void TForm2::closeEvent(QCloseEvent* event) {
  if (Form1 && Form1->StoreShown) Form1->TBStoreClick();
  event->accept();
}
