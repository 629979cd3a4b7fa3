// One evaluation of the formula translator on a working thread, and the dialog that shows its
// progress and lets the user stop it.
#pragma once

#include <QDialog>
#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/TPolinom.h"
#include "core/TText.h"
#include "core/TWorkControl.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace TRANSSTRUCT {
class TFPolTrans;
}

// Runs Calculate and the result's text on a thread of its own. The translator must not be
// used otherwise until the run has ended; the destructor stops the run and waits for it.
class TCalcRun : public QObject {
  Q_OBJECT
public:
  explicit TCalcRun(TRANSSTRUCT::TFPolTrans& trans, QObject* parent = nullptr);
  ~TCalcRun() override;

  // Starts the working thread; Finished is emitted from it at the end.
  void Start();
  // Waits up to milliseconds for the end; true when the run has ended.
  bool WaitFor(int milliseconds);
  // Any time: asks the work to stop. A run asked to stop counts as stopped even if its work
  // ended first.
  void Cancel() { Control.Cancel(); }
  bool CancelRequested() const { return Control.IsCancelled(); }
  // The steps (products) done, with a fraction for the current one, of those planned.
  double DoneSteps() const { return Control.Done.load(std::memory_order_relaxed); }
  std::int64_t TotalSteps() const { return Control.Total.load(std::memory_order_relaxed); }

  // The outcome, to be read once the run has ended.
  LISTSTRUCT::TPolinom Result;
  std::string ResultText;
  int Code = 0;
  DSTRUCT::TText Message;

signals:
  void Finished();

private:
  class TWatch : public DSTRUCT::TWorkControl {
  public:
    std::atomic<double> Done{0.0};
    std::atomic<std::int64_t> Total{0};

  protected:
    void Progress(double doneSteps, std::int64_t totalSteps) override {
      Done.store(doneSteps, std::memory_order_relaxed);
      Total.store(totalSteps, std::memory_order_relaxed);
    }
  };
  void Work();

  TRANSSTRUCT::TFPolTrans& Trans;
  TWatch Control;
  std::thread Worker;
  std::mutex EndMutex;
  std::condition_variable EndSignal;
  bool Ended = false;
};

// «Вычисление…» over the calculation window: the products done of those needed and «Отмена».
// Closing it (its close box, Escape) stops the calculation too.
class TCalcProgressDialog : public QDialog {
  Q_OBJECT
public:
  TCalcProgressDialog(TCalcRun& run, QWidget* window);

  QLabel* Caption = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* CancelButton = nullptr;

  void reject() override;

private:
  void ShowProgress();

  TCalcRun& Run;
  QTimer* PollTimer = nullptr;
};
