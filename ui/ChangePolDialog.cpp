#include "ui/ChangePolDialog.h"

#include "ui/PolDialogCommon.h"
#include "ui/PolTableModel.h"
#include "ui/ReadingLine.h"
#include "ui/TableDocumentAdapter.h"

#include "tables/TBasePTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace PolDialogs;

namespace {

// The first letter is the Cyrillic capital Es (U+0421), as the program has always shown it.
const QString CopyCaption = QString(QChar(0x0421)) + "opy Polynom";
const QString ChangeCaption = "Change Polynom";

} // namespace

TForm6::TForm6(TTableDocumentAdapter* document, QWidget* parent)
    : TPolDialog(document, "Form6", tr("CHANGE: Изменение существующего полинома (с копированием)"),
                 parent) {

  Image1 = MakeDialogPicture(this, "change", tr("Изменение полинома"));

  Label1 = MakeLabel(tr("Название полинома:"), "Label1", this);
  CBOldName = MakeRecordList(this, "CBOldName");
  SetListWidthFor(CBOldName, tr("Полином не выбран"), 130);
  Label2 = MakeLabel(tr("Выражение полинома:"), "Label2", this);
  CBOldFormula = MakeRecordList(this, "CBOldFormula");
  FollowExactSwitch(CBOldFormula, *Document->Rows());
  CBOldFormula->setMinimumWidth(280);
  Label3 = MakeLabel(tr("Новое название:"), "Label3", this);
  EdNewName = MakeEdit(this, "EdNewName", true);
  Label4 = MakeLabel(tr("Новое выражение:"), "Label4", this);
  EdNewFormula = MakeEdit(this, "EdNewFormula");
  EdNewFormulaReading = new TReadingLine("EdNewFormulaReading", this);
  Label5 = MakeLabel(tr("Ошибки в выражении:"), "Label5", this);
  EdMist = MakeMessageField(this, "EdMist");
  SetBuddy(Label1, CBOldName);
  SetBuddy(Label2, CBOldFormula);
  SetBuddy(Label3, EdNewName);
  SetBuddy(Label4, EdNewFormula);
  SetBuddy(Label5, EdMist);

  ChBCopy = new QCheckBox("Create Copy", this);
  ChBCopy->setObjectName("ChBCopy");
  MakeDialogButtons(this, ChangeCaption, BitBtn1, BitBtn2);

  LayOutControls();

  SetTabChain({CBOldName, CBOldFormula, EdNewName, EdNewFormula, ChBCopy, BitBtn1, BitBtn2});

  connect(CBOldName, &QComboBox::activated, this, &TForm6::CBOldNameChange);
  connect(CBOldFormula, &QComboBox::activated, this, &TForm6::CBOldFormulaChange);
  connect(EdNewName, &QLineEdit::textChanged, this, &TForm6::EdNewNameChange);
  connect(EdNewFormula, &QLineEdit::textChanged, this, &TForm6::EdNewFormulaChange);
  connect(ChBCopy, &QCheckBox::clicked, this, &TForm6::ChBCopyClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
}

// The old record's lists above the new name and expression, the message below, then the buttons.
void TForm6::LayOutControls() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(CBOldName, 1, 0);
  grid->addWidget(Label2, 0, 1);
  grid->addWidget(CBOldFormula, 1, 1);
  grid->setRowMinimumHeight(2, 6);
  grid->addWidget(Label3, 3, 0);
  grid->addWidget(EdNewName, 4, 0);
  grid->addWidget(Label4, 3, 1);
  grid->addWidget(EdNewFormula, 4, 1);
  grid->addWidget(EdNewFormulaReading, 5, 1);
  grid->setRowMinimumHeight(5, 6);
  grid->addWidget(Label5, 6, 0, 1, 2);
  grid->addWidget(EdMist, 7, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  auto* fields = new QVBoxLayout;
  fields->addLayout(grid);
  fields->addSpacing(8);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ChBCopy);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  fields->addLayout(buttons);
  LayOutDialog(this, Image1, fields);
}

TForm6::~TForm6() = default;

void TForm6::EnableEditing(bool on) {
  for (QWidget* w : {static_cast<QWidget*>(EdMist), static_cast<QWidget*>(EdNewName),
                     static_cast<QWidget*>(EdNewFormula), static_cast<QWidget*>(ChBCopy)})
    w->setEnabled(on);
}

void TForm6::FormShow() {
  emit Shown();
  Selected = false;
  NameErr = true;
  PolErr = true;
  SelIdx = 0;
  NewName.clear();
  OldName.clear();
  Keys.clear();
  {
    const QSignalBlocker b1(CBOldName), b2(CBOldFormula), b3(EdNewName), b4(EdNewFormula),
        b5(ChBCopy);
    EdNewName->clear();
    EdNewFormula->clear();
    EdNewFormulaReading->ShowNothing();
    ChBCopy->setChecked(false);
    BitBtn1->setText(ChangeCaption);
    FillRecordLists(*Document->Rows(), nullptr, CBOldName, CBOldFormula);
    for (const TPolTableRow& row : Document->Rows()->Rows())
      Keys.push_back(row.Key);
    CBOldName->setCurrentIndex(-1);
    CBOldFormula->setCurrentIndex(-1);
    CBOldName->setEditText(tr("Полином не выбран"));
    CBOldFormula->setEditText("???");
  }
  EdMist->setText(Message(MsgNoPolynom));
  EnableEditing(false);
  CBOldName->setFocus();
}

void TForm6::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(Keys.size())) return;
  SelIdx = index;
  {
    const QSignalBlocker b1(CBOldName), b2(CBOldFormula), b3(EdNewName), b4(EdNewFormula);
    CBOldName->setCurrentIndex(SelIdx);
    CBOldFormula->setCurrentIndex(SelIdx);
    OldName = Keys[SelIdx];
    EdNewName->setText(ChBCopy->isChecked() ? OldName + "copy" : OldName);
    EdNewFormula->setText(CBOldFormula->itemText(SelIdx));
  }
  Selected = true;
  EnableEditing(true);
  EdNewNameChange();
  EdNewFormulaChange();
}

void TForm6::CBOldNameChange(int index) {
  Choose(index);
}
void TForm6::CBOldFormulaChange(int index) {
  Choose(index);
}

void TForm6::EdNewNameChange() {
  // Without copying, the chosen record keeps its own name (only its polynomial changes).
  NameErr = EnterName(EdNewName->text(), Document->CurTab(),
                      ChBCopy->isChecked() ? QString() : OldName, PolErr, NewName, EdMist);
}

void TForm6::EdNewFormulaChange() {
  PolErr = EnterPolynom(EdNewFormula->text(), NewPol, NameErr, EdMist, EdNewFormulaReading);
}

void TForm6::ChBCopyClick() {
  const bool copy = ChBCopy->isChecked();
  BitBtn1->setText(copy ? CopyCaption : ChangeCaption);
  const QString own = SelIdx < static_cast<int>(Keys.size()) ? Keys[SelIdx] : QString();
  const QString name = copy ? own + "copy" : own;
  if (EdNewName->text() == name)
    EdNewNameChange(); // the rule changed with the box even when the text did not
  else
    EdNewName->setText(name);
}

void TForm6::BitBtn1Click() {
  if (NameErr || PolErr || !Selected) return;
  if (ChBCopy->isChecked()) {
    if (Document->Copy(OldName.toStdString(), NewName.toStdString(), NewPol) < 0) {
      EdMist->setText(Message(MsgTableFull));
      return;
    }
  } else {
    const int code = Document->Change(OldName.toStdString(), NewName.toStdString(), NewPol);
    if (code != 0) {
      // Nothing changed; the dialog stays open with the reason.
      EdMist->setText(code == TABLESTRUCT::TabKeyUsed ? Message(MsgNameExists).arg(NewName)
                                                      : Message(MsgNoRecord));
      return;
    }
  }
  accept();
}
