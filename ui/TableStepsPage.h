#pragma once
// The step-by-step page of the overview window: one search, insertion or deletion on a
// private table, shown step by step — the picture of the table with the step highlighted and
// a line that explains it — with buttons to go to the start, back, forward, to the end, and
// to play the steps at a chosen speed. The table is a copy of the user's table, taken when
// the page is entered or refreshed, or a set of random keys; the user's table never changes.

#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/TPolinom.h"
#include "teach/TTableSteps.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TStepShow;

namespace TABLESTRUCT {
class TBasePTab;
class TTableStepPicture;
} // namespace TABLESTRUCT

class TTableStepsPage : public QWidget {
  Q_OBJECT
public:
  explicit TTableStepsPage(QWidget* parent = nullptr);
  ~TTableStepsPage() override;

  // Where the user's table is found when a copy is taken (the table window's CurTab).
  void SetTableSource(std::function<TABLESTRUCT::TBasePTab*()> source);
  // The generator of the random keys (the standard one unless a test hands in its own).
  void SetRandomSource(std::function<unsigned()> source);

protected:
  void showEvent(QShowEvent* event) override;

private:
  QComboBox* CBStepKind;
  QSpinBox* CEStepBuckets;
  QComboBox* CBStepOper;
  QLineEdit* EdStepKey;
  QRadioButton* RBStepCopy;
  QRadioButton* RBStepRandom;
  QSpinBox* CEStepCount;
  QPushButton* BBtnStepRefresh;

  TStepShow* StepShow; // the picture, the algorithm, the explanation and the step controls

  std::function<TABLESTRUCT::TBasePTab*()> TableSource;
  std::function<unsigned()> Random;
  // The records the operations work on, in the order they are inserted.
  std::vector<std::pair<std::string, LISTSTRUCT::TPolinom>> BaseRecords;
  TABLESTRUCT::TStepRecording Recording;
  std::unique_ptr<TABLESTRUCT::TTableStepPicture> Picture;
  int PictureWidth = 0; // the width the picture was laid out for

  // Takes the table afresh: a copy of the user's table or new random keys.
  void BBtnStepRefreshClick();

  void BuildChoiceControls();
  void LayOutControls();
  void ConnectControls();
  const TABLESTRUCT::TTableKindInfo& ChosenKind() const;
  // Records the chosen operation afresh on a new table made from the base records.
  void Rebuild();
  // Lays the picture out for the width of its view and shows the current step.
  void Relayout();
  void ShowStep(int step);
  // The key typed, or an empty text with the reason in why when it breaks the name rule.
  QString CheckedKey(QString& why) const;
};
