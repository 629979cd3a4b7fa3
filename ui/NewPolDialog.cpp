#include "ui/NewPolDialog.h"

#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/PolDialogCommon.h"
#include "ui/TableWindow.h"

#include "tables/TBasePTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

using namespace PolDialogs;

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  setObjectName("Form4");
  setWindowTitle("NEW: Добавление в таблицу нового полинома");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Image1 = MakeDialogPicture(this, "new", "Добавление полинома");

  Label1 = new QLabel("Идентификатор полинома (Название):", this);
  Label1->setObjectName("Label1");
  EdName = new QLineEdit(this);
  EdName->setObjectName("EdName");
  QFont bold = EdName->font();
  bold.setBold(true);
  EdName->setFont(bold);
  Label2 = new QLabel("Полином:", this);
  Label2->setObjectName("Label2");
  EdPol = new QLineEdit(this);
  EdPol->setObjectName("EdPol");
  EdPol->setMinimumWidth(400);
  Label3 = new QLabel("Ошибки:", this);
  Label3->setObjectName("Label3");
  EdMist = new QLineEdit(this);
  EdMist->setObjectName("EdMist");
  StyleMessageField(EdMist);
  SetBuddy(Label1, EdName);
  SetBuddy(Label2, EdPol);
  SetBuddy(Label3, EdMist);

  BitBtn1 = new QPushButton("Add New Polynom", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  BitBtn2 = new QPushButton("Cancel", this);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  auto* fields = new QVBoxLayout;
  fields->setSpacing(2);
  fields->addWidget(Label1);
  fields->addWidget(EdName);
  fields->addSpacing(4);
  fields->addWidget(Label2);
  fields->addWidget(EdPol);
  fields->addSpacing(4);
  fields->addWidget(Label3);
  fields->addWidget(EdMist);
  fields->addSpacing(8);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  fields->addLayout(buttons);
  LayOutDialog(this, Image1, fields);

  setTabOrder(EdName, EdPol);
  setTabOrder(EdPol, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);

  connect(EdName, &QLineEdit::textChanged, this, &TForm4::EdNameChange);
  connect(EdPol, &QLineEdit::textChanged, this, &TForm4::EdPolChange);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TForm4::~TForm4() = default;

void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOnScreen(this);
  FormShow();
}

void TForm4::FormShow() {
  if (Form1) Form1->TBNew->SetImageIndex(NewNormal);
  {
    const QSignalBlocker blockName(EdName);
    const QSignalBlocker blockPol(EdPol);
    EdName->clear();
    EdPol->clear();
  }
  NameErr = true;
  PolErr = true;
  NewName.clear();
  EdMist->setText(MsgNoPolynom);
  EdName->setFocus();
}

void TForm4::EdNameChange() {
  NameErr = false;
  const QString name = EdName->text();
  const QString verdict = CheckName(name, Form2->CurTab);
  if (!verdict.isEmpty()) {
    NameErr = true;
    EdMist->setText(verdict);
    return;
  }
  EdMist->setText(PolErr ? MsgNeedPolynom : MsgAllRight);
  NewName = name;
}

void TForm4::EdPolChange() {
  PolErr = false;
  const QString verdict = CheckPolynom(EdPol->text(), NewPol);
  if (!verdict.isEmpty()) {
    PolErr = true;
    EdMist->setText(verdict);
  }
  if (!NameErr && !PolErr)
    EdMist->setText(MsgAllRight);
  else if (NameErr)
    EdMist->setText(MsgNeedName);
}

void TForm4::BitBtn1Click() {
  if (NameErr || PolErr) return;
  TABLESTRUCT::TBasePTab* table = Form2->CurTab;
  table->GetRetCode();
  const int pos = table->InsRecord(NewName.toStdString(), NewPol);
  table->GetRetCode();
  if (pos < 0) {
    // The sorted table is full: nothing was added, the dialog stays open.
    EdMist->setText(MsgTableFull);
    return;
  }
  Form2->RefreshGrid();
  accept();
}
