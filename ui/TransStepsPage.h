#pragma once
// The page «Пошаговая работа транслятора» of the overview window: a formula's way through the
// translator shown step by step — its lexemes, the infix sequence turned into the postfix one
// with the operator stack, and the evaluation with the stack of values. The formula is typed
// or taken from the calculation window; its table polynomials come from a copy of the table,
// taken when the steps are recorded, so the user's table never changes. The recording runs on
// a working thread and can be stopped.

#include <QWidget>

#include <functional>
#include <memory>

#include "teach/TTransSteps.h"

class QLineEdit;
class QPushButton;
class TStepShow;

namespace TABLESTRUCT {
class TBasePTab;
}
namespace TRANSSTRUCT {
class TTransStepPicture;
}

class TTransStepsPage : public QWidget {
  Q_OBJECT
public:
  explicit TTransStepsPage(QWidget* parent = nullptr);
  ~TTransStepsPage() override;

  // Where the table polynomials are found (the table window's CurTab).
  void SetTableSource(std::function<TABLESTRUCT::TBasePTab*()> source);
  // Where «Из окна вычислений» takes the formula (the calculation window's formula).
  void SetFormulaSource(std::function<QString()> source);

  // The recording shown (complete once IsRecording is false).
  const TRANSSTRUCT::TTransRecording& GetRecording() const { return Recording; }
  bool IsRecording() const { return Job != nullptr; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  struct TJob;

  QLineEdit* EdTransFormula;
  QPushButton* BBtnTransTake;
  QPushButton* BBtnTransRun;
  TStepShow* StepShow;

  std::function<TABLESTRUCT::TBasePTab*()> TableSource;
  std::function<QString()> FormulaSource;
  std::shared_ptr<TJob> Job; // the recording under way, or null
  TRANSSTRUCT::TTransRecording Recording;
  std::unique_ptr<TRANSSTRUCT::TTransStepPicture> Picture;

  void BuildControls();
  void LayOutControls();
  // Records the steps of the formula on a working thread (stops one under way first).
  void Record();
  // Records, or stops the recording under way.
  void BBtnTransRunClick();
  void BBtnTransTakeClick();
  // Stops the recording under way and waits for its thread.
  void StopJob();
  void JobDone(const std::shared_ptr<TJob>& job);
  void ShowStep(int step);
};
