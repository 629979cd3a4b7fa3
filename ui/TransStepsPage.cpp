#include "ui/TransStepsPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <thread>
#include <utility>

#include "core/TWorkControl.h"
#include "tables/TBasePTab.h"
#include "tables/TTableKinds.h"
#include "teach/TTransStepPicture.h"
#include "ui/Language.h"
#include "ui/QtCanvas.h"
#include "ui/StepShow.h"

using TRANSSTRUCT::TTransStepKind;

// A recording on its working thread: the formula, a copy of the table it reads and the
// control that stops it.
struct TTransStepsPage::TJob {
  std::string Formula;
  std::unique_ptr<TABLESTRUCT::TBasePTab> Table;
  DSTRUCT::TWorkControl Control;
  TRANSSTRUCT::TTransRecording Recording;
  std::thread Thread;
};

namespace {

// A copy of table of the same organisation and buckets, so that FindRecord gives the same
// positions; null for none.
std::unique_ptr<TABLESTRUCT::TBasePTab> CopyOf(TABLESTRUCT::TBasePTab* table) {
  if (!table) return nullptr;
  auto copy = TABLESTRUCT::MakeTable(TABLESTRUCT::KindOf(*table), TABLESTRUCT::BucketCount(*table));
  for (table->Reset(); !table->IsTabEnded(); table->GoNext())
    copy->InsRecord(table->GetKey(-1), *table->GetPolinom(-1));
  table->GetRetCode();
  copy->GetRetCode();
  return copy;
}

} // namespace

TTransStepsPage::TTransStepsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TTransStepsPage");
  BuildControls();
  StepShow = new TStepShow(this);
  LayOutControls();
  StepShow->KeepKeys({EdTransFormula});
  connect(StepShow, &TStepShow::StepChanged, this, &TTransStepsPage::ShowStep);
  connect(EdTransFormula, &QLineEdit::returnPressed, this, &TTransStepsPage::Record);
  connect(BBtnTransRun, &QPushButton::clicked, this, &TTransStepsPage::BBtnTransRunClick);
  connect(BBtnTransTake, &QPushButton::clicked, this, &TTransStepsPage::BBtnTransTakeClick);
}

TTransStepsPage::~TTransStepsPage() {
  StopJob();
}

void TTransStepsPage::BuildControls() {
  EdTransFormula = new QLineEdit("(X + 2*Y)*(X - Y)^2 - 3*Z", this);
  EdTransFormula->setObjectName("EdTransFormula");
  EdTransFormula->setToolTip(
      tr("Формула над x, y, z, числами и полиномами таблицы; Enter показывает её шаги"));
  EdTransFormula->setMaxLength(TRANSSTRUCT::MaxStepFormula);
  BBtnTransTake = StepButton(tr("Из окна &вычислений"), "BBtnTransTake",
                             tr("Взять формулу из окна вычислений"), this);
  BBtnTransRun = StepButton(tr("&Разобрать"), "BBtnTransRun",
                            tr("Показать шаги формулы (таблица берётся заново)"), this);
}

void TTransStepsPage::LayOutControls() {
  auto* choice = new QHBoxLayout;
  choice->addWidget(StepLabel(tr("&Формула:"), EdTransFormula, this));
  choice->addWidget(EdTransFormula, 1);
  choice->addWidget(BBtnTransRun);
  choice->addWidget(BBtnTransTake);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(3);
  page->addLayout(choice);
  page->addWidget(StepShow, 1);
}

void TTransStepsPage::SetTableSource(std::function<TABLESTRUCT::TBasePTab*()> source) {
  TableSource = std::move(source);
}

void TTransStepsPage::SetFormulaSource(std::function<QString()> source) {
  FormulaSource = std::move(source);
}

void TTransStepsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The first look records the formula the page opens with, over the table then in use.
  if (!Job && Recording.Steps.empty()) Record();
}

void TTransStepsPage::BBtnTransTakeClick() {
  if (!FormulaSource) return;
  EdTransFormula->setText(FormulaSource());
  Record();
}

void TTransStepsPage::BBtnTransRunClick() {
  if (Job) // the button stops the recording under way
    Job->Control.Cancel();
  else
    Record();
}

void TTransStepsPage::Record() {
  StopJob();
  auto job = std::make_shared<TJob>();
  job->Formula = EdTransFormula->text().toStdString();
  job->Table = CopyOf(TableSource ? TableSource() : nullptr);
  Job = job;
  Picture.reset();
  StepShow->SetCount(0);
  StepShow->ShowText(tr("Формула разбирается и вычисляется…"), false);
  BBtnTransRun->setText(tr("&Остановить"));
  QPointer<TTransStepsPage> page(this);
  job->Thread = std::thread([job, page] {
    job->Recording = TRANSSTRUCT::RecordFormula(job->Table.get(), job->Formula, &job->Control);
    QMetaObject::invokeMethod(
        page.data(),
        [page, job] {
          if (page) page->JobDone(job);
        },
        Qt::QueuedConnection);
  });
}

void TTransStepsPage::StopJob() {
  if (!Job) return;
  Job->Control.Cancel();
  if (Job->Thread.joinable()) Job->Thread.join();
  Job.reset();
}

void TTransStepsPage::JobDone(const std::shared_ptr<TJob>& job) {
  if (job != Job) return; // one stopped and replaced meanwhile
  if (job->Thread.joinable()) job->Thread.join();
  Job.reset();
  BBtnTransRun->setText(tr("&Разобрать"));
  Recording = std::move(job->Recording);
  QStringList lines;
  for (const char* line : Recording.Lines)
    lines.append(::ShowText("TTransSteps", line));
  StepShow->SetLines(lines);
  QPixmap probe(1, 1);
  TQtCanvas measure(probe, font());
  Picture = std::make_unique<TRANSSTRUCT::TTransStepPicture>(Recording, measure);
  StepShow->SetCount(static_cast<int>(Recording.Steps.size()));
}

void TTransStepsPage::ShowStep(int step) {
  if (!Picture || Recording.Steps.empty()) return;
  const TRANSSTRUCT::TTransStep& shown = Recording.Steps[static_cast<std::size_t>(step)];
  QPixmap bitmap(Picture->GetWidth(), Picture->GetHeight());
  TQtCanvas canvas(bitmap, font());
  const TABLESTRUCT::TCanvasBox focus = Picture->Draw(step, canvas);
  StepShow->ShowPicture(bitmap, QRect(QPoint(focus.X1, focus.Y1), QPoint(focus.X2, focus.Y2)));
  const bool failure = shown.Kind == TTransStepKind::Error || shown.Kind == TTransStepKind::Refused;
  StepShow->ShowText(::ShowText(shown.Text), failure);
  StepShow->MarkLine(shown.Kind == TTransStepKind::Refused ? -1 : shown.Line);
}
