#include "ui/TableStepsPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

#include "tables/TBasePTab.h"
#include "tables/TRecordName.h"
#include "teach/TTableStepPicture.h"
#include "ui/QtCanvas.h"
#include "ui/TableKindLook.h"
#include "ui/WidgetHelpers.h"

using TABLESTRUCT::TBasePTab;
using TABLESTRUCT::TestOperation;
using TABLESTRUCT::TStepRecording;
using TABLESTRUCT::TTableKind;

namespace {

const char* const OperationCaptions[] = {"Поиск", "Вставка", "Удаление"};

const char* const KeyHint = "Ключ операции: латинские буквы и цифры";
const char* const PictureHint = "Рисунок таблицы: шаг операции выделен";

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  buddy->setAccessibleName(QString(text).remove('&').remove(':'));
  return label;
}

QPushButton* StepButton(const QString& text, const char* name, const QString& hint,
                        QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAccessibleDescription(hint);
  button->setAutoDefault(false);
  return button;
}

} // namespace

TTableStepsPage::TTableStepsPage(QWidget* parent)
    : QWidget(parent), Random([] { return static_cast<unsigned>(std::rand()); }) {
  setObjectName("TTableStepsPage");

  BuildChoiceControls();
  BuildPicture();
  BuildPlayer();
  LayOutControls();
  ConnectControls();

  CEStepBuckets->setEnabled(ChosenKind().HasBuckets);
  TrBStepSpeedChange();
  SBStepPicture->setMinimumHeight(160);
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
  CEStepBuckets->setToolTip("Количество корзин таблицы с вычисляемыми адресами");
  CBStepOper = new QComboBox(this);
  CBStepOper->setObjectName("CBStepOper");
  for (const char* caption : OperationCaptions)
    CBStepOper->addItem(QString::fromUtf8(caption));
  EdStepKey = new QLineEdit(this);
  EdStepKey->setObjectName("EdStepKey");
  EdStepKey->setToolTip(KeyHint);

  RBStepCopy = new QRadioButton("Копия таблицы полиномов", this);
  RBStepCopy->setObjectName("RBStepCopy");
  RBStepCopy->setChecked(true);
  RBStepRandom = new QRadioButton("Случайные ключи", this);
  RBStepRandom->setObjectName("RBStepRandom");
  auto* sources = new QButtonGroup(this);
  sources->addButton(RBStepCopy);
  sources->addButton(RBStepRandom);
  CEStepCount = new QSpinBox(this);
  CEStepCount->setObjectName("CEStepCount");
  CEStepCount->setRange(10, 200);
  CEStepCount->setValue(20);
  CEStepCount->setToolTip("Количество случайных ключей");
  CEStepCount->setAccessibleName("Количество случайных ключей");
  BBtnStepRefresh =
      StepButton("Обновить", "BBtnStepRefresh",
                 "Взять таблицу заново: копию таблицы полиномов или новые ключи", this);
}

// The picture of the step and its explanation line.
void TTableStepsPage::BuildPicture() {
  SBStepPicture = new QScrollArea(this);
  SBStepPicture->setObjectName("SBStepPicture");
  SBStepPicture->setWidgetResizable(false);
  SBStepPicture->setBackgroundRole(QPalette::Base);
  SBStepPicture->setToolTip(PictureHint);
  SBStepPicture->setAccessibleName(PictureHint);
  ImgStep = new QLabel;
  ImgStep->setObjectName("ImgStep");
  ImgStep->setAccessibleName(PictureHint);
  ImgStep->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SBStepPicture->setWidget(ImgStep);
  SBStepPicture->viewport()->installEventFilter(this);
  EdStepText = new QLineEdit(this);
  EdStepText->setObjectName("EdStepText");
  EdStepText->setReadOnly(true);
  EdStepText->setAccessibleName("Пояснение шага");
}

// The buttons that walk the steps, the speed of the show and the step number.
void TTableStepsPage::BuildPlayer() {
  BBtnStepFirst = StepButton("В начало", "BBtnStepFirst", "К таблице до операции", this);
  BBtnStepBack = StepButton("Шаг назад", "BBtnStepBack", "Предыдущий шаг (стрелка влево)", this);
  BBtnStepNext = StepButton("Шаг", "BBtnStepNext", "Следующий шаг (стрелка вправо)", this);
  BBtnStepPlay =
      StepButton("Пуск/Пауза", "BBtnStepPlay", "Показывать шаги один за другим (пробел)", this);
  BBtnStepLast = StepButton("В конец", "BBtnStepLast", "К итогу операции", this);
  TrBStepSpeed = new QSlider(Qt::Horizontal, this);
  TrBStepSpeed->setObjectName("TrBStepSpeed");
  TrBStepSpeed->setRange(1, 10);
  TrBStepSpeed->setValue(2);
  TrBStepSpeed->setTickPosition(QSlider::TicksBelow);
  TrBStepSpeed->setToolTip("Скорость показа: шагов в секунду");
  TrBStepSpeed->setMinimumWidth(80);
  LStepSpeedValue = new QLabel(this);
  LStepSpeedValue->setMinimumWidth(fontMetrics().horizontalAdvance("10") + 4);
  LStepNumber = new QLabel(this);
  LStepNumber->setObjectName("LStepNumber");
  LStepNumber->setMinimumWidth(fontMetrics().horizontalAdvance("Шаг 000 из 000") + 8);

  PlayTimer = new QTimer(this);
  PlayTimer->setObjectName("PlayTimer");
}

void TTableStepsPage::LayOutControls() {
  auto* top = new QHBoxLayout;
  top->addWidget(BuddyLabel("&Организация:", CBStepKind, this));
  top->addWidget(CBStepKind);
  top->addWidget(BuddyLabel("&Корзин:", CEStepBuckets, this));
  top->addWidget(CEStepBuckets);
  top->addWidget(BuddyLabel("Оп&ерация:", CBStepOper, this));
  top->addWidget(CBStepOper);
  top->addWidget(BuddyLabel("&Ключ:", EdStepKey, this));
  top->addWidget(EdStepKey, 1);
  auto* source = new QHBoxLayout;
  source->addWidget(RBStepCopy);
  source->addWidget(RBStepRandom);
  source->addWidget(CEStepCount);
  source->addWidget(BBtnStepRefresh);
  source->addStretch(1);
  auto* buttons = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{BBtnStepFirst, BBtnStepBack, BBtnStepNext,
                                                    BBtnStepPlay, BBtnStepLast})
    buttons->addWidget(w);
  buttons->addWidget(BuddyLabel("&Скорость:", TrBStepSpeed, this));
  buttons->addWidget(TrBStepSpeed, 1);
  buttons->addWidget(LStepSpeedValue);
  buttons->addWidget(LStepNumber);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(3);
  page->addLayout(top);
  page->addLayout(source);
  page->addWidget(SBStepPicture, 1);
  page->addWidget(EdStepText);
  page->addLayout(buttons);
}

void TTableStepsPage::ConnectControls() {
  // The keys step the picture unless a control that uses them has the focus (the key field,
  // the choices and the speed slider keep theirs).
  for (const auto& [key, handler] : {std::pair{Qt::Key_Space, &TTableStepsPage::BBtnStepPlayClick},
                                     std::pair{Qt::Key_Left, &TTableStepsPage::BBtnStepBackClick},
                                     std::pair{Qt::Key_Right, &TTableStepsPage::BBtnStepNextClick}})
    new QShortcut(QKeySequence(key), this, this, handler, Qt::WidgetWithChildrenShortcut);

  for (QWidget* control :
       std::initializer_list<QWidget*>{CBStepKind, CEStepBuckets, CBStepOper, RBStepCopy,
                                       RBStepRandom, CEStepCount, TrBStepSpeed})
    control->installEventFilter(this);

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
  connect(BBtnStepFirst, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepFirstClick);
  connect(BBtnStepBack, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepBackClick);
  connect(BBtnStepNext, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepNextClick);
  connect(BBtnStepPlay, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepPlayClick);
  connect(BBtnStepLast, &QPushButton::clicked, this, &TTableStepsPage::BBtnStepLastClick);
  connect(TrBStepSpeed, &QSlider::valueChanged, this, &TTableStepsPage::TrBStepSpeedChange);
  connect(PlayTimer, &QTimer::timeout, this, &TTableStepsPage::PlayTick);
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

bool TTableStepsPage::eventFilter(QObject* watched, QEvent* event) {
  // The choice controls keep their own arrow and space keys.
  if (event->type() == QEvent::ShortcutOverride && watched != SBStepPicture->viewport()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Space) event->accept();
    return false;
  }
  // The rows of the picture wrap to the width of the scroll box's view.
  if (watched == SBStepPicture->viewport() && event->type() == QEvent::Resize &&
      SBStepPicture->viewport()->width() != PictureWidth)
    Relayout();
  return QWidget::eventFilter(watched, event);
}

void TTableStepsPage::BBtnStepRefreshClick() {
  StopPlaying();
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
  why = QString::fromStdString(verdict.GetMessage());
  return verdict.IsUsable() ? key : QString();
}

const TABLESTRUCT::TTableKindInfo& TTableStepsPage::ChosenKind() const {
  return TABLESTRUCT::TableKindInfo(
      static_cast<TTableKind>(std::max(0, CBStepKind->currentIndex())));
}

void TTableStepsPage::Rebuild() {
  StopPlaying();
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
  EdStepKey->setToolTip(why.isEmpty() ? QString(KeyHint) : why);
  EdStepKey->setAccessibleDescription(why);
  Step = 0;
  Relayout();
  if (!why.isEmpty()) ShowMessage(EdStepText, why, true);
}

void TTableStepsPage::Relayout() {
  PictureWidth = SBStepPicture->viewport()->width();
  QPixmap probe(1, 1);
  TQtCanvas measure(probe, font());
  Picture = std::make_unique<TABLESTRUCT::TTableStepPicture>(Recording, measure,
                                                             std::max(200, PictureWidth - 2));
  ShowStep(Step);
}

void TTableStepsPage::ShowStep(int step) {
  Step = std::clamp(step, 0, std::max(0, StepCount() - 1));
  StepBitmap = QPixmap(Picture->GetWidth(), Picture->GetHeight());
  TQtCanvas canvas(StepBitmap, font());
  const TABLESTRUCT::TCanvasBox focus = Picture->Draw(Step, canvas);
  ImgStep->setPixmap(StepBitmap);
  ImgStep->resize(StepBitmap.size());
  SBStepPicture->ensureVisible((focus.X1 + focus.X2) / 2, (focus.Y1 + focus.Y2) / 2,
                               (focus.X2 - focus.X1) / 2 + 20, (focus.Y2 - focus.Y1) / 2 + 20);
  ShowMessage(EdStepText,
              StepCount() ? QString::fromStdString(Recording.Steps[Step].Text) : QString(), false);
  LStepNumber->setText(QString("Шаг %1 из %2").arg(Step).arg(std::max(0, StepCount() - 1)));
  BBtnStepFirst->setEnabled(Step > 0);
  BBtnStepBack->setEnabled(Step > 0);
  BBtnStepNext->setEnabled(Step + 1 < StepCount());
  BBtnStepLast->setEnabled(Step + 1 < StepCount());
  BBtnStepPlay->setEnabled(StepCount() > 1);
}

void TTableStepsPage::BBtnStepFirstClick() {
  StopPlaying();
  ShowStep(0);
}

void TTableStepsPage::BBtnStepBackClick() {
  StopPlaying();
  ShowStep(Step - 1);
}

void TTableStepsPage::BBtnStepNextClick() {
  StopPlaying();
  ShowStep(Step + 1);
}

void TTableStepsPage::BBtnStepLastClick() {
  StopPlaying();
  ShowStep(StepCount() - 1);
}

void TTableStepsPage::BBtnStepPlayClick() {
  if (PlayTimer->isActive()) {
    StopPlaying();
    return;
  }
  if (StepCount() < 2) return;
  if (Step + 1 >= StepCount()) ShowStep(0); // from the start again
  PlayTimer->start();
}

void TTableStepsPage::TrBStepSpeedChange() {
  LStepSpeedValue->setText(QString::number(TrBStepSpeed->value()));
  PlayTimer->setInterval(1000 / TrBStepSpeed->value());
}

void TTableStepsPage::PlayTick() {
  ShowStep(Step + 1);
  if (Step + 1 >= StepCount()) StopPlaying();
}

void TTableStepsPage::StopPlaying() {
  PlayTimer->stop();
}
