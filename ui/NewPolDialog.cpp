#include "ui/NewPolDialog.h"

#include "ui/PolDialogCommon.h"
#include "ui/PolTableModel.h"
#include "ui/ReadingLine.h"
#include "ui/TableDocumentAdapter.h"

#include "tables/TBasePTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace PolDialogs;

TForm4::TForm4(TTableDocumentAdapter* document, QWidget* parent)
    : TPolDialog(document, "Form4", tr("NEW: Добавление в таблицу нового полинома"), parent) {

  Image1 = MakeDialogPicture(this, "new", tr("Добавление полинома"));

  Label1 = MakeLabel(tr("Идентификатор полинома (Название):"), "Label1", this);
  EdName = MakeEdit(this, "EdName", true);
  Label2 = MakeLabel(tr("Полином:"), "Label2", this);
  EdPol = MakeEdit(this, "EdPol");
  EdPol->setMinimumWidth(400);
  EdPolReading = new TReadingLine("EdPolReading", this);
  Label3 = MakeLabel(tr("Ошибки:"), "Label3", this);
  EdMist = MakeMessageField(this, "EdMist");
  SetBuddy(Label1, EdName);
  SetBuddy(Label2, EdPol);
  SetBuddy(Label3, EdMist);

  MakeDialogButtons(this, "Add New Polynom", BitBtn1, BitBtn2);

  auto* fields = new QVBoxLayout;
  fields->setSpacing(2);
  fields->addWidget(Label1);
  fields->addWidget(EdName);
  fields->addSpacing(4);
  fields->addWidget(Label2);
  fields->addWidget(EdPol);
  fields->addWidget(EdPolReading);
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

  SetTabChain({EdName, EdPol, BitBtn1, BitBtn2});

  connect(EdName, &QLineEdit::textChanged, this, &TForm4::EdNameChange);
  connect(EdPol, &QLineEdit::textChanged, this, &TForm4::EdPolChange);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
}

TForm4::~TForm4() = default;

void TForm4::FormShow() {
  emit Shown();
  {
    const QSignalBlocker blockName(EdName);
    const QSignalBlocker blockPol(EdPol);
    EdName->clear();
    EdPol->clear();
  }
  EdPolReading->ShowNothing();
  NameErr = true;
  PolErr = true;
  NewName.clear();
  EdMist->setText(Message(MsgNoPolynom));
  EdName->setFocus();
}

void TForm4::EdNameChange() {
  NameErr = EnterName(EdName->text(), Document->CurTab(), QString(), PolErr, NewName, EdMist);
}

void TForm4::EdPolChange() {
  PolErr = EnterPolynom(EdPol->text(), NewPol, NameErr, EdMist, EdPolReading);
}

void TForm4::BitBtn1Click() {
  if (NameErr || PolErr) return;
  if (Document->Insert(NewName.toStdString(), NewPol) < 0) {
    // The sorted table is full: nothing was added, the dialog stays open.
    EdMist->setText(Message(MsgTableFull));
    return;
  }
  accept();
}
