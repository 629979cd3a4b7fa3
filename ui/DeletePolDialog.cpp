#include "ui/DeletePolDialog.h"

#include "ui/PolDialogCommon.h"
#include "ui/PolTableModel.h"
#include "ui/TableDocumentAdapter.h"

#include "tables/TBasePTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace PolDialogs;

TForm5::TForm5(TTableDocumentAdapter* document, QWidget* parent)
    : TPolDialog(document, "Form5", tr("DELETE: Удаление полинома из таблицы."), parent) {

  Image1 = MakeDialogPicture(this, "delete", tr("Удаление полинома"));

  Label1 = MakeLabel(tr("Название полинома:"), "Label1", this);
  CBName = MakeRecordList(this, "CBName");
  SetListWidthFor(CBName, tr("Полином не выбран"), 130);
  Label2 = MakeLabel(tr("Выражение полинома:"), "Label2", this);
  CBFormula = MakeRecordList(this, "CBFormula");
  FollowExactSwitch(CBFormula, *Document->Rows());
  CBFormula->setMinimumWidth(240);
  Label3 = MakeLabel(tr("Номер:"), "Label3", this);
  CBNum = MakeRecordList(this, "CBNum");
  CBNum->setMinimumWidth(70);
  SetBuddy(Label1, CBName);
  SetBuddy(Label2, CBFormula);
  SetBuddy(Label3, CBNum);

  MakeDialogButtons(this, "Delete Polynom", BitBtn1, BitBtn2);

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

  SetTabChain({CBName, CBFormula, CBNum, BitBtn1, BitBtn2});

  connect(CBName, &QComboBox::activated, this, &TForm5::CBNameChange);
  connect(CBFormula, &QComboBox::activated, this, &TForm5::CBFormulaChange);
  connect(CBNum, &QComboBox::activated, this, &TForm5::CBNumChange);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
}

void TForm5::FormShow() {
  emit Shown();
  Selected = false;
  SelIdx = 0;
  Keys.clear();
  const QSignalBlocker b1(CBName), b2(CBFormula), b3(CBNum);
  FillRecordLists(*Document->Rows(), CBNum, CBName, CBFormula);
  for (const TPolTableRow& row : Document->Rows()->Rows())
    Keys.push_back(row.Key);
  for (QComboBox* list : {CBName, CBFormula, CBNum})
    list->setCurrentIndex(-1);
  CBName->setEditText(tr("Полином не выбран"));
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
  Document->Delete(Keys[SelIdx].toStdString());
  accept();
}
