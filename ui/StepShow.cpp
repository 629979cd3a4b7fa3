#include "ui/StepShow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/WidgetHelpers.h"

QLabel* StepLabel(const QString& text, QWidget* buddy, QWidget* parent) {
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

TStepShow::TStepShow(QWidget* page) : QWidget(page) {
  setObjectName("TStepShow");
  BuildPicture();
  BuildPlayer();
  LayOut();
  Connect(page);
  TrBStepSpeedChange();
  SetCount(0);
}

// The picture of the step beside the algorithm's lines, and the explanation line.
void TStepShow::BuildPicture() {
  const QString pictureHint =
      tr("Рисунок шага: то, что он делает, выделено; Ctrl + колесо мыши меняет масштаб");
  Splitter = new QSplitter(Qt::Horizontal, this);
  Splitter->setChildrenCollapsible(false);
  SBStepPicture = new QScrollArea(Splitter);
  SBStepPicture->setObjectName("SBStepPicture");
  SBStepPicture->setWidgetResizable(false);
  SBStepPicture->setBackgroundRole(QPalette::Base);
  SBStepPicture->setToolTip(pictureHint);
  SBStepPicture->setAccessibleName(pictureHint);
  SBStepPicture->setMinimumSize(160, 120);
  ImgStep = new QLabel;
  ImgStep->setObjectName("ImgStep");
  ImgStep->setAccessibleName(pictureHint);
  ImgStep->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SBStepPicture->setWidget(ImgStep);
  SBStepPicture->viewport()->installEventFilter(this);
  LBStepLines = new QListWidget(Splitter);
  LBStepLines->setObjectName("LBStepLines");
  LBStepLines->setAccessibleName(tr("Алгоритм"));
  LBStepLines->setToolTip(tr("Алгоритм: строка, которую выполняет шаг, выделена"));
  LBStepLines->setSelectionMode(QAbstractItemView::SingleSelection);
  LBStepLines->setFocusPolicy(Qt::NoFocus);
  LBStepLines->setMinimumWidth(120);
  // Long lines wrap to the width the splitter leaves them.
  LBStepLines->setWordWrap(true);
  LBStepLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  LBStepLines->setResizeMode(QListView::Adjust);
  Splitter->addWidget(SBStepPicture);
  Splitter->addWidget(LBStepLines);
  // The picture takes two thirds of the width; the splitter shares any change the same way.
  Splitter->setStretchFactor(0, 2);
  Splitter->setStretchFactor(1, 1);
  Splitter->setSizes({2000, 1000});
  EdStepText = new QLineEdit(this);
  EdStepText->setObjectName("EdStepText");
  EdStepText->setReadOnly(true);
  EdStepText->setAccessibleName(tr("Пояснение шага"));
}

// The buttons that walk the steps, the speed of the show and the step number.
void TStepShow::BuildPlayer() {
  BBtnStepFirst = StepButton(tr("В начало"), "BBtnStepFirst", tr("К первому шагу"), this);
  BBtnStepBack =
      StepButton(tr("Шаг назад"), "BBtnStepBack", tr("Предыдущий шаг (стрелка влево)"), this);
  BBtnStepNext = StepButton(tr("Шаг"), "BBtnStepNext", tr("Следующий шаг (стрелка вправо)"), this);
  BBtnStepPlay = StepButton(tr("Пуск/Пауза"), "BBtnStepPlay",
                            tr("Показывать шаги один за другим (пробел)"), this);
  BBtnStepLast = StepButton(tr("В конец"), "BBtnStepLast", tr("К итогу"), this);
  TrBStepSpeed = new QSlider(Qt::Horizontal, this);
  TrBStepSpeed->setObjectName("TrBStepSpeed");
  TrBStepSpeed->setRange(1, 10);
  TrBStepSpeed->setValue(2);
  TrBStepSpeed->setTickPosition(QSlider::TicksBelow);
  TrBStepSpeed->setToolTip(tr("Скорость показа: шагов в секунду"));
  TrBStepSpeed->setMinimumWidth(60);
  LStepSpeedValue = new QLabel(this);
  LStepSpeedValue->setMinimumWidth(fontMetrics().horizontalAdvance("10") + 4);
  LStepNumber = new QLabel(this);
  LStepNumber->setObjectName("LStepNumber");
  LStepNumber->setMinimumWidth(
      fontMetrics().horizontalAdvance(tr("Шаг %1 из %2").arg(9999).arg(9999)) + 8);
  PlayTimer = new QTimer(this);
  PlayTimer->setObjectName("PlayTimer");
}

void TStepShow::LayOut() {
  auto* buttons = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(BBtnStepFirst), static_cast<QWidget*>(BBtnStepBack),
                     static_cast<QWidget*>(BBtnStepNext), static_cast<QWidget*>(BBtnStepPlay),
                     static_cast<QWidget*>(BBtnStepLast)})
    buttons->addWidget(w);
  buttons->addWidget(StepLabel(tr("&Скорость:"), TrBStepSpeed, this));
  buttons->addWidget(TrBStepSpeed, 1);
  buttons->addWidget(LStepSpeedValue);
  buttons->addWidget(LStepNumber);
  auto* show = new QVBoxLayout(this);
  show->setContentsMargins(0, 0, 0, 0);
  show->setSpacing(3);
  show->addWidget(Splitter, 1);
  show->addWidget(EdStepText);
  show->addLayout(buttons);
}

void TStepShow::Connect(QWidget* page) {
  const auto back = [this] {
    Stop();
    GoTo(Step - 1);
  };
  const auto next = [this] {
    Stop();
    GoTo(Step + 1);
  };
  constexpr auto context = Qt::WidgetWithChildrenShortcut;
  new QShortcut(QKeySequence(Qt::Key_Space), page, this, &TStepShow::BBtnStepPlayClick, context);
  new QShortcut(QKeySequence(Qt::Key_Left), page, this, back, context);
  new QShortcut(QKeySequence(Qt::Key_Right), page, this, next, context);
  KeepKeys({TrBStepSpeed});
  connect(BBtnStepFirst, &QPushButton::clicked, this, [this] {
    Stop();
    GoTo(0);
  });
  connect(BBtnStepBack, &QPushButton::clicked, this, back);
  connect(BBtnStepNext, &QPushButton::clicked, this, next);
  connect(BBtnStepLast, &QPushButton::clicked, this, [this] {
    Stop();
    GoTo(Count - 1);
  });
  connect(BBtnStepPlay, &QPushButton::clicked, this, &TStepShow::BBtnStepPlayClick);
  connect(TrBStepSpeed, &QSlider::valueChanged, this, &TStepShow::TrBStepSpeedChange);
  connect(PlayTimer, &QTimer::timeout, this, &TStepShow::PlayTick);
}

void TStepShow::KeepKeys(std::initializer_list<QWidget*> controls) {
  for (QWidget* control : controls)
    control->installEventFilter(this);
}

// The width a picture may lay itself out for, at the zoom it is shown at.
int TStepShow::PictureWidth() const {
  return qRound(SBStepPicture->viewport()->width() / PictureZoom);
}

bool TStepShow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SBStepPicture->viewport()) {
    if (event->type() == QEvent::Resize) emit PictureWidthChanged(PictureWidth());
    if (event->type() == QEvent::Wheel) {
      const auto* wheel = static_cast<QWheelEvent*>(event);
      if (wheel->modifiers() & Qt::ControlModifier) {
        if (wheel->angleDelta().y() != 0) ZoomPicture(wheel->angleDelta().y() > 0 ? 1.25 : 0.8);
        return true;
      }
    }
    return QWidget::eventFilter(watched, event);
  }
  // A control that uses the arrow keys or the space bar keeps them.
  if (event->type() == QEvent::ShortcutOverride) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Space) event->accept();
  }
  return QWidget::eventFilter(watched, event);
}

void TStepShow::SetCount(int count) {
  Stop();
  Count = std::max(0, count);
  Step = 0;
  GoTo(0);
}

void TStepShow::GoTo(int step) {
  Step = std::clamp(step, 0, std::max(0, Count - 1));
  LStepNumber->setText(tr("Шаг %1 из %2").arg(Step).arg(std::max(0, Count - 1)));
  BBtnStepFirst->setEnabled(Step > 0);
  BBtnStepBack->setEnabled(Step > 0);
  BBtnStepNext->setEnabled(Step + 1 < Count);
  BBtnStepLast->setEnabled(Step + 1 < Count);
  BBtnStepPlay->setEnabled(Count > 1);
  emit StepChanged(Step);
}

void TStepShow::Stop() {
  PlayTimer->stop();
}

void TStepShow::ShowPicture(const QPixmap& picture, const QRect& focus) {
  Picture = picture;
  PictureFocus = focus;
  ShowZoomedPicture();
}

void TStepShow::ZoomPicture(double factor) {
  const double zoom = std::clamp(PictureZoom * factor, 0.5, 2.0);
  if (std::abs(zoom - PictureZoom) < 1e-9) return;
  PictureZoom = zoom;
  ShowZoomedPicture();
  emit PictureWidthChanged(PictureWidth()); // a picture that lays itself out does it again
}

void TStepShow::ShowZoomedPicture() {
  QPixmap shown = Picture;
  if (!Picture.isNull() && PictureZoom != 1.0) {
    shown =
        Picture.scaled(Picture.size() * PictureZoom, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(Picture.devicePixelRatio());
  }
  ImgStep->setPixmap(shown);
  ImgStep->resize(shown.deviceIndependentSize().toSize());
  const QPoint middle = PictureFocus.center() * PictureZoom;
  const int marginX = qRound(PictureFocus.width() * PictureZoom / 2) + 20;
  const int marginY = qRound(PictureFocus.height() * PictureZoom / 2) + 20;
  SBStepPicture->ensureVisible(middle.x(), middle.y(), marginX, marginY);
}

void TStepShow::ShowText(const QString& text, bool failure) {
  ShowMessage(EdStepText, text, failure);
}

void TStepShow::SetLines(const QStringList& lines) {
  LBStepLines->clear();
  LBStepLines->addItems(lines);
}

void TStepShow::MarkLine(int line) {
  if (line < 0 || line >= LBStepLines->count()) {
    LBStepLines->clearSelection();
    return;
  }
  LBStepLines->setCurrentRow(line);
  LBStepLines->scrollToItem(LBStepLines->item(line));
}

void TStepShow::BBtnStepPlayClick() {
  if (PlayTimer->isActive()) {
    Stop();
    return;
  }
  if (Count < 2) return;
  if (Step + 1 >= Count) GoTo(0); // from the start again
  PlayTimer->start();
}

void TStepShow::PlayTick() {
  GoTo(Step + 1);
  if (Step + 1 >= Count) Stop();
}

void TStepShow::TrBStepSpeedChange() {
  LStepSpeedValue->setText(QString::number(TrBStepSpeed->value()));
  PlayTimer->setInterval(1000 / TrBStepSpeed->value());
}
