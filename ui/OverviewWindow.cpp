#include "ui/OverviewWindow.h"
#include "ui/MainWindow.h"
#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TForm9::TForm9(QWidget* parent) : QWidget(parent) {
  setObjectName("Form9");
  PCViewTab = new QTabWidget(this);
  PCViewTab->setObjectName("PCViewTab");
  TShExpr = new QWidget;
  TShStruct = new QWidget;
  TShSurf = new QWidget;
  TShEffic = new QWidget;
  PCViewTab->addTab(TShExpr, "Выбор полнома");
  PCViewTab->addTab(TShStruct, "Просмотр структуры");
  PCViewTab->addTab(TShSurf, "Построение поверхности");
  PCViewTab->addTab(TShEffic, "Эффективность таблиц");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PCViewTab);
}

void TForm9::closeEvent(QCloseEvent* event) {
  if (Form1 && Form1->ViewShown) Form1->TBViewClick();
  event->accept();
}
