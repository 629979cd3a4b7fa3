// The calculation window's evaluation and its result: the evaluate button, a long calculation
// with its progress, the result row, and the result stored in the table under a standard or a
// user-given name.

#include "ui/CalcRun.h"
#include "ui/CalcWindow.h"
#include "ui/CalcWindowParts.h"
#include "ui/ExactCoefficients.h"
#include "ui/GridCells.h"
#include "ui/Language.h"
#include "ui/TableDocumentAdapter.h"

#include "calc/TFPolTrans.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "tables/TRecordName.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

using LISTSTRUCT::TPolinom;
using namespace calcwindow;

// The evaluate button and the naming of the result.
void TForm3::BuildNamingPanel() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setGeometry(4, 370, 640, 62);
  BBtnCalc = new QPushButton(tr("Вычислить"), Panel1);
  BBtnCalc->setObjectName("BBtnCalc");
  BBtnCalc->setToolTip(tr("Ввычисление полинома по введённой формуле"));
  BBtnCalc->setGeometry(8, 16, 104, 30);
  CBPolToTab = new QCheckBox(tr("Заносить результат в таблицу полиномов;"), Panel1);
  CBPolToTab->setObjectName("CBPolToTab");
  CBPolToTab->setChecked(true);
  CBPolToTab->setGeometry(122, 2, 330, 19);
  RBStdName = new QRadioButton(tr("Назначать стандартное имя полиному (Res№);"), Panel1);
  RBStdName->setObjectName("RBStdName");
  RBStdName->setChecked(true);
  RBStdName->setGeometry(122, 21, 330, 19);
  RBUserName = new QRadioButton(tr("Имя полинома определённое пользователем:"), Panel1);
  RBUserName->setObjectName("RBUserName");
  RBUserName->move(122, 40);
  // Wide enough for its text beside the indicator.
  RBUserName->resize(RBUserName->fontMetrics().horizontalAdvance(RBUserName->text()) + 30, 19);
  EdName = new QLineEdit("PolResult", Panel1);
  EdName->setObjectName("EdName");
  EdName->setToolTip(tr("Название полинома введено."));
  EdName->setAccessibleName(tr("Имя полинома определённое пользователем:"));
  // The name field starts right after its radio button's text and reaches to the panel's end.
  EdName->setGeometry(RBUserName->x() + RBUserName->width() + 4, 37, 200, 22);
}

// ---------------------------------------------------------------------------------------------
// Evaluation and the result's name

void TForm3::ShowResultRow(const QString& number, const QString& name, const QString& polynomial) {
  SetGridCell(SGResTable, 1, 0, number);
  SetGridCell(SGResTable, 1, 1, name);
  SetGridCell(SGResTable, 1, 2, polynomial);
  FitNumberColumn(SGResTable, NumberColumnLeast);
}

void TForm3::BBtnCalcClick() {
  if (!FormulaOK || Run) return;
  Run = std::make_unique<TCalcRun>(*Trans);
  // The run is the context: once it is gone, a late report of its end is dropped with it.
  connect(Run.get(), &TCalcRun::Finished, Run.get(), [this] { FinishCalculation(); });
  Run->Start();
  if (Run->WaitFor(ProgressDelay)) {
    FinishCalculation();
    return;
  }
  ShowCalculationRunning(true);
  ProgressDialog = new TCalcProgressDialog(*Run, this);
  ProgressDialog->show();
}

void TForm3::ShowCalculationRunning(bool running) {
  if (running) FormulaHadFocus = EdFormul->hasFocus();
  QWidget* inputs[] = {EdFormul, BBtnCalc, SBtnSaveF, SBtnLoadF, ImSum,  ImMin,
                       ImMult,   ImDeg,    ImPro,     ImInt,     ImBrak, ImVar};
  for (QWidget* input : inputs)
    input->setEnabled(!running);
  if (!running && FormulaHadFocus) EdFormul->setFocus();
  emit CalculationRunning(running);
}

void TForm3::FinishCalculation() {
  if (!Run) return;
  const std::unique_ptr<TCalcRun> run = std::move(Run);
  if (ProgressDialog) {
    delete ProgressDialog;
    ProgressDialog = nullptr;
    ShowCalculationRunning(false);
  }
  if (FormulaCheckPending) {
    FormulaCheckPending = false;
    EdFormulChange();
  }
  // A stopped calculation stores nothing and shows nothing of its result, even if its work
  // had just ended.
  if (run->CancelRequested()) {
    EdErrors->setText(ShowText("TFPolTrans", TRANSSTRUCT::TransCancelledText));
    return;
  }
  if (run->Code < 0) {
    EdErrors->setText(ShowText(run->Message));
    ShowResultRow("--", "----------", tr("!!!--------Ошибки при вычислении--------!!!"));
    return;
  }
  LISTSTRUCT::TPolinom result(run->Result);
  ResultTexts[0] = ToQString(run->ResultText);
  ResultTexts[1] = QString::fromStdString(result.GetExactText());
  ShowAndStoreResult(run->Result, TExactCoefficients::Choose(ResultTexts[0], ResultTexts[1]));
}

void TForm3::ShowExactCoefficients(bool exact) {
  // The operands from the formula again; in the result's row its text is swapped.
  EdFormulChange();
  if (ResultTexts[0].isEmpty()) return;
  QString row = GridCellText(SGResTable, 1, 2);
  const QString& from = ResultTexts[exact ? 0 : 1];
  if (row.endsWith(from))
    SetGridCell(SGResTable, 1, 2, row.chopped(from.size()) + ResultTexts[exact ? 1 : 0]);
}

void TForm3::ShowAndStoreResult(const TPolinom& result, const QString& resultText) {
  ShowResultRow("--", "----------", resultText);

  TABLESTRUCT::TBasePTab* table = CurrentTable();
  if (!CBPolToTab->isChecked() || !table) return;

  QString name;
  if (StdNameMode) {
    name = ToQString(TABLESTRUCT::FreeStandardName(*table));
    NameInvalid = false;
  } else {
    // The name is checked once more against the table as it is now, so that a result can
    // never replace a polynomial that already carries the name.
    EdNameChange();
    name = UserName;
  }
  if (NameInvalid) return;

  const int position = Document->StoreResult(ToStdString(name), result);
  if (position < 0) {
    // A full sorted table refuses the record: the row says so and the table stays as it was.
    ShowResultRow("--", name,
                  tr("!!!--Таблица заполнена: результат не занесён--!!! %1").arg(resultText));
    return;
  }
  ShowResultRow(QString::number(position + 1), name, resultText);
}

void TForm3::EdNameChange() {
  NameInvalid = false;
  QPalette palette = EdName->palette();
  palette.setColor(QPalette::Base, QApplication::palette(EdName).color(QPalette::Base));
  EdName->setToolTip(tr("Название полинома введено."));

  const QString text = EdName->text();
  const TABLESTRUCT::TNameVerdict verdict =
      TABLESTRUCT::CheckRecordName(ToStdString(text), CurrentTable());
  if (verdict.IsUsable()) {
    UserName = text;
  } else {
    NameInvalid = true;
    EdName->setToolTip(ShowText(verdict.GetMessageText()));
  }
  if (NameInvalid) palette.setColor(QPalette::Base, Qt::red);
  EdName->setPalette(palette);
}

void TForm3::CBPolToTabClick() {
  const bool store = CBPolToTab->isChecked();
  RBStdName->setEnabled(store);
  RBUserName->setEnabled(store);
  EdName->setEnabled(store && !StdNameMode);
}

void TForm3::RBStdNameClick() {
  if (!RBStdName->isChecked()) return;
  EdName->setEnabled(false);
  StdNameMode = true;
}

void TForm3::RBUserNameClick() {
  if (!RBUserName->isChecked()) return;
  EdName->setEnabled(true);
  StdNameMode = false;
}
