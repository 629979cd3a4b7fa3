// The calculation window's formula: its input group, the check at every keystroke with the
// operands it finds in the table, and the formula store.

#include "ui/CalcWindow.h"
#include "ui/CalcWindowParts.h"
#include "ui/ExactCoefficients.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/GridCells.h"
#include "ui/Language.h"
#include "ui/ReadingLine.h"
#include "ui/WidgetHelpers.h"

#include "calc/TFPolTrans.h"
#include "calc/TFormulaReading.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <limits>

using LISTSTRUCT::TPolinom;
using namespace calcwindow;

// The formula input group: the operation images with the variable they use, the window's picture,
// the formula and its errors, and the formula store's buttons.
void TForm3::BuildFormulaGroup() {
  GroupBox1 = new QGroupBox(tr("Ввод формулы вычисления"), this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(4, 2, 640, 140);

  Label2 = MakeLabel(GroupBox1, "Label2", tr("Помощь по"), 8, 20);
  Label1 = MakeLabel(GroupBox1, "Label1", tr("Операциям:"), 8, 34);
  BuildOperationImages();

  Bevel4 = MakeBevel(GroupBox1, "Bevel4", QRect(318, 18, 120, 29));
  RBVarX = new QRadioButton("X;", GroupBox1);
  RBVarY = new QRadioButton("Y;", GroupBox1);
  RBVarZ = new QRadioButton("Z;", GroupBox1);
  int variableLeft = 322;
  for (QRadioButton* button : {RBVarX, RBVarY, RBVarZ}) {
    button->setObjectName(QStringLiteral("RBVar") + button->text().left(1));
    button->setGeometry(variableLeft, 22, 36, 21);
    variableLeft += 38;
  }
  RBVarX->setChecked(true);

  Bevel1 = MakeBevel(GroupBox1, "Bevel1", QRect(548, 14, 84, 98));
  Image1 = new QLabel(GroupBox1);
  Image1->setObjectName("Image1");
  Image1->setToolTip(tr("Окно для вычислений над полиномами"));
  Image1->setAccessibleName(Image1->toolTip());
  Image1->setGeometry(0, 20, 72, 86);
  Image1->setPixmap(RenderSvgPicture(":/ops/calc_window.svg", Image1->size()));

  BuildFormulaFields();
  BuildStoreButtons();
}

// The formula and the messages of its check.
void TForm3::BuildFormulaFields() {
  Label3 = MakeLabel(GroupBox1, "Label3", tr("Формула:"), 8, 60);
  EdFormul = new QLineEdit(GroupBox1);
  EdFormul->setObjectName("EdFormul");
  EdFormul->setMaxLength(std::numeric_limits<int>::max()); // a pasted formula is never cut
  EdFormul->setToolTip(tr("Введите формулу вычисления полинома"));
  EdFormul->setGeometry(70, 56, 400, 24);
  Label3->setBuddy(EdFormul);
  EdFormul->setAccessibleName(tr("Формула:"));

  Label4 = MakeLabel(GroupBox1, "Label4", tr("Ошибки:"), 8, 90);
  EdErrors = new QLineEdit(GroupBox1);
  EdErrors->setObjectName("EdErrors");
  EdErrors->setToolTip(tr("Синтаксические ошибки в записи формулы"));
  EdErrors->setGeometry(70, 86, 400, 24);
  StyleMessageField(EdErrors);
  Label4->setBuddy(EdErrors);
  EdErrors->setAccessibleName(tr("Ошибки:"));
  EdFormulReading = new TReadingLine("EdFormulReading", GroupBox1);
  EdFormulReading->setGeometry(70, 112, 400, 22);
}

// The buttons that keep the formula in the formula store and bring one back.
void TForm3::BuildStoreButtons() {
  Bevel3 = MakeBevel(GroupBox1, "Bevel3", QRect(480, 52, 63, 60));
  SBtnSaveF = new QToolButton(GroupBox1);
  SBtnSaveF->setObjectName("SBtnSaveF");
  SBtnSaveF->setToolTip(tr("Сохранить  введённую формулу в файле"));
  SBtnSaveF->setIcon(QIcon(RenderSvgPicture(":/pictures/savef.svg", QSize(22, 25))));
  SBtnLoadF = new QToolButton(GroupBox1);
  SBtnLoadF->setObjectName("SBtnLoadF");
  SBtnLoadF->setToolTip(tr("Загрузить формулу из файла"));
  SBtnLoadF->setIcon(QIcon(RenderSvgPicture(":/pictures/loadf.svg", QSize(22, 25))));
  for (QToolButton* button : {SBtnSaveF, SBtnLoadF}) {
    button->setAutoRaise(true);
    button->setIconSize(QSize(22, 25));
    button->setAccessibleName(button->toolTip());
    button->setGeometry(0, 66, 27, 30);
  }
}

void TForm3::SetFormulaText(const QString& text) {
  EdFormul->setText(text);
}

QString TForm3::FormulaText() const {
  return EdFormul->text();
}

void TForm3::EdFormulChange() {
  if (Run) {
    // The translator is busy on the working thread; the check follows when it has finished.
    FormulaCheckPending = true;
    return;
  }
  TABLESTRUCT::TBasePTab* table = CurrentTable();
  // Names are looked up in the table that is current right now, the same one that the
  // operand grid and the result insertion use.
  Trans->SetTable(table);
  Trans->SetFormula(ToStdString(EdFormul->text()));
  FormulaOK = Trans->GetRetCode() >= 0;
  EdErrors->setText(ShowText(Trans->GetMessageText()));
  EdFormulReading->ShowReading(FormulaOK ? TRANSSTRUCT::ReadFormula(*Trans)
                                         : LISTSTRUCT::TReading{});

  const int lexemeCount = Trans->GetLeksCount();
  if (lexemeCount > 0) {
    SetGridRows(SGOperTable, lexemeCount + 1);
  } else {
    SetGridRows(SGOperTable, 2);
    ClearRow(SGOperTable, 1);
  }

  int row = 1;
  for (TRANSSTRUCT::TPolLeks lexeme = Trans->GetFirstLeks(); !Trans->IsLeksEnd();
       lexeme = Trans->GetNextLeks()) {
    if (lexeme.IsConst) continue;
    TPolinom found;
    const int position = table ? table->FindRecord(lexeme.Name, found) : -1;
    SetGridCell(SGOperTable, row, 0, position >= 0 ? QString::number(position + 1) : "--");
    SetGridCell(SGOperTable, row, 1, ToQString(lexeme.Name));
    SetGridCell(SGOperTable, row, 2, TExactCoefficients::Text(lexeme.Pol));
    ++row;
  }

  SGOperTable->setHorizontalHeaderItem(
      2, new QTableWidgetItem(tr("Полиномы - операнды (кол-во операнд = %1)").arg(row - 1)));

  if (lexemeCount > 0 && row - 1 < lexemeCount) {
    if (row > 1) {
      SetGridRows(SGOperTable, row);
    } else {
      SetGridRows(SGOperTable, 2);
      ClearRow(SGOperTable, 1);
    }
  }
  FitNumberColumn(SGOperTable, NumberColumnLeast);
}

// ---------------------------------------------------------------------------------------------
// The formula store

void TForm3::SBtnSaveFClick() {
  if (!FormulaOK || !FormulaStore) return;
  FormulaStore->PrepareSaveMode(EdFormul->text());
  FormulaStore->exec();
}

void TForm3::SBtnLoadFClick() {
  if (!FormulaStore) return;
  FormulaStore->PrepareLoadMode();
  FormulaStore->exec();
}
