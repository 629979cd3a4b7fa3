#include "ui/DeletePolDialog.h"

#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/PolDialogCommon.h"
#include "ui/TableWindow.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

using namespace PolDialogs;

namespace {

QComboBox* makeList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert); // typed text never becomes an item
  list->setMaxVisibleItems(12);
  return list;
}

} // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle("DELETE: Удаление полинома из таблицы.");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Image1 = MakeDialogPicture(this, "delete", "Удаление полинома");

  Label1 = new QLabel("Название полинома:", this);
  Label1->setObjectName("Label1");
  CBName = makeList(this, "CBName");
  CBName->setMinimumWidth(130);
  Label2 = new QLabel("Выражение полинома:", this);
  Label2->setObjectName("Label2");
  CBFormula = makeList(this, "CBFormula");
  CBFormula->setMinimumWidth(240);
  Label3 = new QLabel("Номер:", this);
  Label3->setObjectName("Label3");
  CBNum = makeList(this, "CBNum");
  CBNum->setMinimumWidth(70);
  SetBuddy(Label1, CBName);
  SetBuddy(Label2, CBFormula);
  SetBuddy(Label3, CBNum);

  BitBtn1 = new QPushButton("Delete Polynom", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  BitBtn2 = new QPushButton("Cancel", this);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(6);
  lists->setVerticalSpacing(2);
  lists->addWidget(Label1, 0, 0);
  lists->addWidget(CBName, 1, 0);
  lists->addWidget(Label2, 0, 1);
  lists->addWidget(CBFormula, 1, 1);
  lists->addWidget(Label3, 0, 2);
  lists->addWidget(CBNum, 1, 2);
  lists->setColumnStretch(1, 1);
  auto* fields = new QVBoxLayout;
  fields->addLayout(lists);
  fields->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  fields->addLayout(buttons);
  LayOutDialog(this, Image1, fields);

  setTabOrder(CBName, CBFormula);
  setTabOrder(CBFormula, CBNum);
  setTabOrder(CBNum, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);

  connect(CBName, &QComboBox::activated, this, &TForm5::CBNameChange);
  connect(CBFormula, &QComboBox::activated, this, &TForm5::CBFormulaChange);
  connect(CBNum, &QComboBox::activated, this, &TForm5::CBNumChange);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm5::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOnScreen(this);
  FormShow();
}

void TForm5::FormShow() {
  if (Form1) Form1->TBDelete->SetImageIndex(DeleteNormal);
  Selected = false;
  SelIdx = 0;
  Keys.clear();
  const QSignalBlocker b1(CBName), b2(CBFormula), b3(CBNum);
  CBName->clear();
  CBFormula->clear();
  CBNum->clear();
  TABLESTRUCT::TBasePTab* table = Form2->CurTab;
  int pos = table->Reset();
  while (!table->IsTabEnded()) {
    Keys.push_back(table->GetKey(-1));
    CBNum->addItem(QString::number(pos + 1));
    CBName->addItem(QString::fromStdString(Keys.back()));
    CBFormula->addItem(QString::fromStdString(table->GetPolinom(-1)->GetText()));
    pos = table->GoNext();
  }
  table->GetRetCode();
  for (QComboBox* list : {CBName, CBFormula, CBNum})
    list->setCurrentIndex(-1);
  CBName->setEditText("Полином не выбран");
  CBFormula->setEditText("???");
  CBNum->setEditText("???");
  CBName->setFocus();
}

void TForm5::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(Keys.size())) return;
  SelIdx = index;
  const QSignalBlocker b1(CBName), b2(CBFormula), b3(CBNum);
  for (QComboBox* list : {CBName, CBFormula, CBNum})
    list->setCurrentIndex(SelIdx);
  Selected = true;
}

void TForm5::CBNameChange(int index) {
  Choose(index);
}
void TForm5::CBFormulaChange(int index) {
  Choose(index);
}
void TForm5::CBNumChange(int index) {
  Choose(index);
}

void TForm5::BitBtn1Click() {
  if (!Selected) return;
  TABLESTRUCT::TBasePTab* table = Form2->CurTab;
  table->GetRetCode();
  table->DelRecord(Keys[SelIdx]);
  table->GetRetCode();
  Form2->RefreshGrid();
  accept();
}
