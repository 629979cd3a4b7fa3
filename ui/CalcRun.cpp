#include "ui/CalcRun.h"

#include "calc/TFPolTrans.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <exception>

TCalcRun::TCalcRun(TRANSSTRUCT::TFPolTrans& trans, QObject* parent)
    : QObject(parent), Trans(trans) {}

TCalcRun::~TCalcRun() {
  Control.Cancel();
  if (Worker.joinable()) Worker.join();
}

void TCalcRun::Start() {
  Worker = std::thread([this] { Work(); });
}

void TCalcRun::Work() {
  try {
    Result = Trans.Calculate(&Control);
    Code = Trans.GetRetCode();
    Message = Trans.GetMessageText();
    // The text of a large result takes a while too, and it may not fit into memory either.
    if (Code >= 0 && !Control.IsCancelled()) ResultText = Result.GetText();
  } catch (const std::exception&) {
    // Out of memory (or a container past its largest size) while forming the text.
    Result = LISTSTRUCT::TPolinom();
    ResultText.clear();
    Code = TRANSSTRUCT::TransRange;
    Message = DSTRUCT::TText{"TFPolTrans", TRANSSTRUCT::TransTooLargeText, {}};
  }
  {
    const std::lock_guard<std::mutex> lock(EndMutex);
    Ended = true;
  }
  EndSignal.notify_all();
  emit Finished();
}

bool TCalcRun::WaitFor(int milliseconds) {
  std::unique_lock<std::mutex> lock(EndMutex);
  return EndSignal.wait_for(lock, std::chrono::milliseconds(milliseconds),
                            [this] { return Ended; });
}

TCalcProgressDialog::TCalcProgressDialog(TCalcRun& run, QWidget* window)
    : QDialog(window), Run(run) {
  setObjectName("CalcProgressDialog");
  setWindowTitle(tr("Вычисление…"));
  setModal(false);
  Caption = new QLabel(tr("Вычисление…"), this);
  Caption->setObjectName("Caption");
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setAccessibleName(Caption->text());
  ProgressBar->setMinimumWidth(320);
  Caption->setBuddy(ProgressBar);
  CancelButton = new QPushButton(tr("Отмена"), this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setAccessibleDescription(tr("Прервать вычисление"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Caption);
  layout->addWidget(ProgressBar);
  layout->addWidget(CancelButton, 0, Qt::AlignRight);
  connect(CancelButton, &QPushButton::clicked, this, &TCalcProgressDialog::reject);

  PollTimer = new QTimer(this);
  PollTimer->setInterval(50);
  connect(PollTimer, &QTimer::timeout, this, &TCalcProgressDialog::ShowProgress);
  PollTimer->start();
  ShowProgress();
  adjustSize();
  // Over the middle of the calculation window.
  move(window->frameGeometry().center() - rect().center());
}

void TCalcProgressDialog::reject() {
  // The dialog stays until the work has stopped; the window closes it then.
  Run.Cancel();
  CancelButton->setEnabled(false);
}

void TCalcProgressDialog::ShowProgress() {
  // Millionths of the work, so that the bar moves during a long product too.
  constexpr int scale = 1000000;
  const std::int64_t total = Run.TotalSteps();
  const double done = Run.DoneSteps();
  ProgressBar->setMaximum(scale);
  ProgressBar->setValue(total > 0 ? static_cast<int>(done / static_cast<double>(total) * scale)
                                  : 0);
  ProgressBar->setFormat(tr("%1 из %2 произведений")
                             .arg(static_cast<long long>(done))
                             .arg(static_cast<long long>(total)));
}
