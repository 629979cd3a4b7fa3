#include "ui/ListStepsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "tables/TBasePTab.h"
#include "teach/TListStepPicture.h"
#include "ui/Language.h"
#include "ui/QtCanvas.h"
#include "ui/StepShow.h"

using LISTSTRUCT::TListOperation;
using LISTSTRUCT::TListStepKind;
using LISTSTRUCT::TPolinom;

namespace {

QComboBox* OperandList(const char* name, const QString& text, const QString& hint,
                       QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(12);
  list->setEditText(text);
  list->setToolTip(hint);
  return list;
}

bool IsBinary(TListOperation operation) {
  return operation == TListOperation::Sum || operation == TListOperation::Difference ||
         operation == TListOperation::Product;
}

} // namespace

TListStepsPage::TListStepsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TListStepsPage");
  BuildControls();
  StepShow = new TStepShow(this);
  LayOutControls();
  StepShow->KeepKeys({CBListOper, CBListVar, CBListP, CBListQ});
  connect(StepShow, &TStepShow::StepChanged, this, &TListStepsPage::ShowStep);
  connect(CBListOper, &QComboBox::currentIndexChanged, this, &TListStepsPage::Rebuild);
  connect(CBListVar, &QComboBox::currentIndexChanged, this, &TListStepsPage::Rebuild);
  connect(CBListP, &QComboBox::editTextChanged, this, &TListStepsPage::Rebuild);
  connect(CBListQ, &QComboBox::editTextChanged, this, &TListStepsPage::Rebuild);
  Rebuild();
}

TListStepsPage::~TListStepsPage() = default;

void TListStepsPage::BuildControls() {
  CBListOper = new QComboBox(this);
  CBListOper->setObjectName("CBListOper");
  CBListOper->addItems({tr("Чтение текста p"), tr("Сумма p + q"), tr("Разность p − q"),
                        tr("Произведение p · q"), tr("Производная от p"), tr("Интеграл от p")});
  CBListOper->setCurrentIndex(1);
  CBListOper->setToolTip(tr("Операция, которую показывают шаги"));
  CBListVar = new QComboBox(this);
  CBListVar->setObjectName("CBListVar");
  CBListVar->addItems({"x", "y", "z"});
  CBListVar->setToolTip(tr("Переменная производной и интеграла"));
  const QString hint = tr("Полином: текст или полином таблицы (не больше %1 мономов)")
                           .arg(LISTSTRUCT::MaxStepMonoms);
  CBListP = OperandList("CBListP", "3*x^2*y + 2*x*z - 5", hint, this);
  CBListQ = OperandList("CBListQ", "x^2*y - 2*x*z + 4*z^2", hint, this);
}

void TListStepsPage::LayOutControls() {
  auto* choice = new QGridLayout;
  choice->addWidget(StepLabel(tr("Оп&ерация:"), CBListOper, this), 0, 0);
  choice->addWidget(CBListOper, 0, 1);
  choice->addWidget(StepLabel(tr("Пере&менная:"), CBListVar, this), 0, 2);
  choice->addWidget(CBListVar, 0, 3);
  choice->addWidget(StepLabel(tr("&p:"), CBListP, this), 1, 0);
  choice->addWidget(CBListP, 1, 1, 1, 3);
  choice->addWidget(StepLabel(tr("&q:"), CBListQ, this), 1, 4);
  choice->addWidget(CBListQ, 1, 5);
  choice->setColumnStretch(1, 1);
  choice->setColumnStretch(5, 1);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(3);
  page->addLayout(choice);
  page->addWidget(StepShow, 1);
}

void TListStepsPage::SetTableSource(std::function<TABLESTRUCT::TBasePTab*()> source) {
  TableSource = std::move(source);
}

void TListStepsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FillFromTable();
}

void TListStepsPage::FillFromTable() {
  TABLESTRUCT::TBasePTab* table = TableSource ? TableSource() : nullptr;
  if (!table) return;
  QStringList formulas, keys;
  // Only read: the walk is the table's own iteration.
  for (table->Reset(); !table->IsTabEnded(); table->GoNext()) {
    keys.append(QString::fromStdString(table->GetKey(-1)));
    formulas.append(QString::fromStdString(table->GetPolinom(-1)->GetExactText()));
  }
  table->GetRetCode();
  for (QComboBox* list : {CBListP, CBListQ}) {
    const QString typed = list->currentText();
    const QSignalBlocker blocker(list);
    list->clear();
    for (int i = 0; i < formulas.size(); ++i) {
      list->addItem(formulas[i]);
      list->setItemData(i, keys[i], Qt::ToolTipRole);
    }
    list->setEditText(typed);
  }
}

TListOperation TListStepsPage::ChosenOperation() const {
  return static_cast<TListOperation>(std::max(0, CBListOper->currentIndex()));
}

bool TListStepsPage::ReadOperand(QComboBox* list, const QString& name, TPolinom& pol) {
  pol.SetText(list->currentText().toStdString());
  if (pol.GetCorrect()) return true;
  Recording = LISTSTRUCT::TListRecording();
  Picture.reset();
  StepShow->SetCount(0);
  StepShow->ShowText(tr("Полином %1: %2").arg(name, ::ShowText(pol.GetErrMessage())), true);
  return false;
}

void TListStepsPage::Rebuild() {
  const TListOperation operation = ChosenOperation();
  CBListQ->setEnabled(IsBinary(operation));
  CBListVar->setEnabled(operation == TListOperation::Derivative ||
                        operation == TListOperation::Integral);
  if (operation == TListOperation::Reading) {
    Recording = LISTSTRUCT::RecordReading(CBListP->currentText().toStdString());
  } else {
    TPolinom p, q;
    if (!ReadOperand(CBListP, "p", p)) return;
    if (IsBinary(operation) && !ReadOperand(CBListQ, "q", q)) return;
    const char var = "xyz"[std::clamp(CBListVar->currentIndex(), 0, 2)];
    Recording = LISTSTRUCT::RecordListOperation(operation, p, q, var);
  }
  QStringList lines;
  for (const char* line : Recording.Lines)
    lines.append(::ShowText("TListSteps", line));
  StepShow->SetLines(lines);
  QFont pictureFont = font();
  pictureFont.setBold(true);
  QPixmap probe(1, 1);
  TQtCanvas measure(probe, pictureFont);
  Picture = std::make_unique<LISTSTRUCT::TListStepPicture>(Recording, measure);
  StepShow->SetCount(static_cast<int>(Recording.Steps.size()));
}

void TListStepsPage::ShowStep(int step) {
  if (!Picture || Recording.Steps.empty()) return;
  const LISTSTRUCT::TListStep& shown = Recording.Steps[static_cast<std::size_t>(step)];
  QFont pictureFont = font();
  pictureFont.setBold(true);
  QPixmap bitmap(Picture->GetWidth(), Picture->GetHeight());
  TQtCanvas canvas(bitmap, pictureFont);
  const TABLESTRUCT::TCanvasBox focus = Picture->Draw(step, canvas);
  StepShow->ShowPicture(bitmap, QRect(QPoint(focus.X1, focus.Y1), QPoint(focus.X2, focus.Y2)));
  StepShow->ShowText(::ShowText(shown.Text), shown.Kind == TListStepKind::Refused);
  StepShow->MarkLine(shown.Kind == TListStepKind::Refused ? -1 : shown.Line);
}
