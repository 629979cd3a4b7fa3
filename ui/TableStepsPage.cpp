#include "ui/TableStepsPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

#include "tables/TBasePTab.h"
#include "tables/TRecordName.h"
#include "teach/TTableStepPicture.h"
#include "ui/Language.h"
#include "ui/QtCanvas.h"
#include "ui/StepShow.h"
#include "ui/TableKindLook.h"
#include "ui/WidgetHelpers.h"

using TABLESTRUCT::TBasePTab;
using TABLESTRUCT::TestOperation;
using TABLESTRUCT::TStepRecording;
using TABLESTRUCT::TTableKind;

namespace {

const char* const OperationCaptions[] = {QT_TRANSLATE_NOOP("TTableStepsPage", "Поиск"),
                                         QT_TRANSLATE_NOOP("TTableStepsPage", "Вставка"),
                                         QT_TRANSLATE_NOOP("TTableStepsPage", "Удаление")};

const char* const KeyHint =
    QT_TRANSLATE_NOOP("TTableStepsPage", "Ключ операции: латинские буквы и цифры");

} // namespace

TTableStepsPage::TTableStepsPage(QWidget* parent)
    : QWidget(parent), Random([] { return static_cast<unsigned>(std::rand()); }) {
  setObjectName("TTableStepsPage");

  BuildChoiceControls();
  StepShow = new TStepShow(this);
  LayOutControls();
  ConnectControls();

  CEStepBuckets->setEnabled(ChosenKind().HasBuckets);
  Rebuild();
}

// The organisation, its buckets, the operation and its key, and where the table comes from.
void TTableStepsPage::BuildChoiceControls() {
  CBStepKind = new QComboBox(this);
  CBStepKind->setObjectName("CBStepKind");
  for (const TABLESTRUCT::TTableKindInfo& info : TABLESTRUCT::TableKinds())
    CBStepKind->addItem(KindText(info.ShortName));
  CEStepBuckets = new QSpinBox(this);
  CEStepBuckets->setObjectName("CEStepBuckets");
  CEStepBuckets->setRange(1, 100);
  CEStepBuckets->setValue(10);
  CEStepBuckets->setToolTip(tr("Количество корзин таблицы с вычисляемыми адресами"));
  CBStepOper = new QComboBox(this);
  CBStepOper->setObjectName("CBStepOper");
  for (const char* caption : OperationCaptions)
    CBStepOper->addItem(tr(caption));
  EdStepKey = new QLineEdit(this);
  EdStepKey->setObjectName("EdStepKey");
  EdStepKey->setToolTip(tr(KeyHint));

  RBStepCopy = new QRadioButton(tr("Копия таблицы полиномов"), this);
  RBStepCopy->setObjectName("RBStepCopy");
  RBStepCopy->setChecked(true);
  RBStepRandom = new QRadioButton(tr("Случайные ключи"), this);
  RBStepRandom->setObjectName("RBStepRandom");
  auto* sources = new QButtonGroup(this);
  sources->addButton(RBStepCopy);
  sources->addButton(RBStepRandom);
  CEStepCount = new QSpinBox(this);
  CEStepCount->setObjectName("CEStepCount");
  CEStepCount->setRange(10, 200);
  CEStepCount->setValue(20);
  CEStepCount->setToolTip(tr("Количество случайных ключей"));
  CEStepCount->setAccessibleName(CEStepCount->toolTip());
  BBtnStepRefresh =
      StepButton(tr("Обновить"), "BBtnStepRefresh",
                 tr("Взять таблицу заново: копию таблицы полиномов или новые ключи"), this);
}

void TTableStepsPage::LayOutControls() {
  auto* top = new QHBoxLayout;
  top->addWidget(StepLabel(tr("&Организация:"), CBStepKind, this));
  top->addWidget(CBStepKind);
  top->addWidget(StepLabel(tr("&Корзин:"), CEStepBuckets, this));
  top->addWidget(CEStepBuckets);
  top->addWidget(StepLabel(tr("Оп&ерация:"), CBStepOper, this));
  top->addWidget(CBStepOper);
  top->addWidget(StepLabel(tr("&Ключ:"), EdStepKey, this));
  top->addWidget(EdStepKey, 1);
  auto* source = new QHBoxLayout;
  source->addWidget(RBStepCopy);
  source->addWidget(RBStepRandom);
  source->addWidget(CEStepCount);
  source->addWidget(BBtnStepRefresh);
  source->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(3);
  page->addLayout(top);
  page->addLayout(source);
  page->addWidget(StepShow, 1);
}

void TTableStepsPage::ConnectControls() {
  // The choices keep their own arrow and space keys; elsewhere the keys walk the steps.
  StepShow->KeepKeys(
      {CBStepKind, CEStepBuckets, CBStepOper, EdStepKey, RBStepCopy, RBStepRandom, CEStepCount});
  connect(StepShow, &TStepShow::StepChanged, this, &TTableStepsPage::ShowStep);
  // The rows of the picture wrap to the width of its view.
  connect(StepShow, &TStepShow::PictureWidthChanged, this, [this](int width) {
    if (width != PictureWidth) Relayout();
  });
  connect(CBStepKind, &QComboBox::currentIndexChanged, this, [this] {
    CEStepBuckets->setEnabled(ChosenKind().HasBuckets);
    Rebuild();
  });
  connect(CEStepBuckets, &QSpinBox::valueChanged, this, &TTableStepsPage::Rebuild);
  connect(CBStepOper, &QComboBox::currentIndexChanged, this, &TTableStepsPage::Rebuild);
  connect(EdStepKey, &QLineEdit::textChanged, this, &TTableStepsPage::Rebuild);
  connect(RBStepCopy, &QRadioButton::toggled, this, &TTableStepsPage::BBtnStepRefreshClick);
  connect(CEStepCount, &QSpinBox::valueChanged, this, [this] {
    if (RBStepRandom->isChecked()) BBtnStepRefreshClick();
  });
  connect(BBtnStepRefresh, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepRefreshClick);
}

TTableStepsPage::~TTableStepsPage() = default;

void TTableStepsPage::SetTableSource(std::function<TBasePTab*()> source) {
  TableSource = std::move(source);
}

void TTableStepsPage::SetRandomSource(std::function<unsigned()> source) {
  Random = std::move(source);
}

void TTableStepsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Entering the page takes a fresh copy of the user's table.
  if (RBStepCopy->isChecked()) BBtnStepRefreshClick();
}

void TTableStepsPage::BBtnStepRefreshClick() {
  StepShow->Stop();
  BaseRecords.clear();
  if (RBStepCopy->isChecked()) {
    // Only read: the walk is the table's own iteration, no record changes.
    if (TBasePTab* table = TableSource ? TableSource() : nullptr) {
      for (table->Reset(); !table->IsTabEnded(); table->GoNext())
        BaseRecords.emplace_back(table->GetKey(-1), *table->GetPolinom(-1));
      table->GetRetCode();
    }
  } else {
    for (const std::string& key : TABLESTRUCT::RandomStepKeys(CEStepCount->value(), Random))
      BaseRecords.emplace_back(key, LISTSTRUCT::TPolinom());
  }
  CEStepCount->setEnabled(RBStepRandom->isChecked());
  std::vector<std::string> keys;
  for (const auto& record : BaseRecords)
    keys.push_back(record.first);
  const QString key =
      QString::fromStdString(TABLESTRUCT::StepKey(keys, EdStepKey->text().toStdString()));
  if (key != EdStepKey->text())
    EdStepKey->setText(key); // rebuilds
  else
    Rebuild();
}

QString TTableStepsPage::CheckedKey(QString& why) const {
  // The name rule of the dialogs; a key the table holds is welcome here.
  const QString key = EdStepKey->text();
  const TABLESTRUCT::TNameVerdict verdict =
      TABLESTRUCT::CheckRecordName(key.toStdString(), nullptr);
  why = ShowText(verdict.GetMessageText());
  return verdict.IsUsable() ? key : QString();
}

const TABLESTRUCT::TTableKindInfo& TTableStepsPage::ChosenKind() const {
  return TABLESTRUCT::TableKindInfo(
      static_cast<TTableKind>(std::max(0, CBStepKind->currentIndex())));
}

void TTableStepsPage::Rebuild() {
  auto table = ChosenKind().Make(CEStepBuckets->value(), std::string());
  for (const auto& [key, pol] : BaseRecords)
    table->InsRecord(key, pol);
  table->GetRetCode();
  table->ClearEfficiency();

  QString why;
  const QString key = CheckedKey(why);
  if (key.isEmpty()) {
    Recording = TABLESTRUCT::RecordLayout(*table);
  } else {
    const auto operation = static_cast<TestOperation>(1 + std::max(0, CBStepOper->currentIndex()));
    Recording = TABLESTRUCT::RecordOperation(*table, operation, key.toStdString());
  }
  // A key that breaks the rule shows in red, with the reason as its hint.
  EdStepKey->setStyleSheet(why.isEmpty() ? QString() : QString("QLineEdit { color: red; }"));
  EdStepKey->setToolTip(why.isEmpty() ? tr(KeyHint) : why);
  EdStepKey->setAccessibleDescription(why);
  QStringList lines;
  for (const char* line : Recording.Lines)
    lines.append(ShowText("TTableSteps", line));
  StepShow->SetLines(lines);
  Relayout();
  StepShow->SetCount(static_cast<int>(Recording.Steps.size()));
  if (!why.isEmpty()) StepShow->ShowText(why, true);
}

void TTableStepsPage::Relayout() {
  PictureWidth = StepShow->PictureWidth();
  QPixmap probe(1, 1);
  TQtCanvas measure(probe, font());
  Picture = std::make_unique<TABLESTRUCT::TTableStepPicture>(Recording, measure,
                                                             std::max(200, PictureWidth - 2));
  ShowStep(StepShow->GetStep());
}

void TTableStepsPage::ShowStep(int step) {
  if (!Picture || Recording.Steps.empty()) return;
  step = std::clamp(step, 0, static_cast<int>(Recording.Steps.size()) - 1);
  QPixmap bitmap(Picture->GetWidth(), Picture->GetHeight());
  TQtCanvas canvas(bitmap, font());
  const TABLESTRUCT::TCanvasBox focus = Picture->Draw(step, canvas);
  StepShow->ShowPicture(bitmap, QRect(QPoint(focus.X1, focus.Y1), QPoint(focus.X2, focus.Y2)));
  const TABLESTRUCT::TTableStep& shown = Recording.Steps[static_cast<std::size_t>(step)];
  StepShow->ShowText(ShowText(shown.Text), false);
  StepShow->MarkLine(shown.Line);
}
