#pragma once
// The step-by-step page of the overview window: one search, insertion or deletion on a
// private table, shown step by step — the picture of the table with the step highlighted and
// a line that explains it — with buttons to go to the start, back, forward, to the end, and
// to play the steps at a chosen speed. The table is a copy of the user's table, taken when
// the page is entered or refreshed, or a set of random keys; the user's table never changes.

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/TPolinom.h"
#include "teach/TTableSteps.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTimer;

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
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QComboBox* CBStepKind;
  QSpinBox* CEStepBuckets;
  QComboBox* CBStepOper;
  QLineEdit* EdStepKey;
  QRadioButton* RBStepCopy;
  QRadioButton* RBStepRandom;
  QSpinBox* CEStepCount;
  QPushButton* BBtnStepRefresh;

  QScrollArea* SBStepPicture;
  QLabel* ImgStep; // shows StepBitmap
  QLineEdit* EdStepText;

  QPushButton* BBtnStepFirst;
  QPushButton* BBtnStepBack;
  QPushButton* BBtnStepNext;
  QPushButton* BBtnStepPlay;
  QPushButton* BBtnStepLast;
  QSlider* TrBStepSpeed;
  QLabel* LStepNumber;
  QLabel* LStepSpeedValue;
  QTimer* PlayTimer; // steps the show on

  std::function<TABLESTRUCT::TBasePTab*()> TableSource;
  std::function<unsigned()> Random;
  // The records the operations work on, in the order they are inserted.
  std::vector<std::pair<std::string, LISTSTRUCT::TPolinom>> BaseRecords;
  TABLESTRUCT::TStepRecording Recording;
  std::unique_ptr<TABLESTRUCT::TTableStepPicture> Picture;
  QPixmap StepBitmap;
  int Step = 0;         // the step shown, 0 the table before the operation
  int PictureWidth = 0; // the width the picture was laid out for

  // Takes the table afresh: a copy of the user's table or new random keys.
  void BBtnStepRefreshClick();
  void BBtnStepFirstClick();
  void BBtnStepBackClick();
  void BBtnStepNextClick();
  void BBtnStepPlayClick();
  void BBtnStepLastClick();
  void TrBStepSpeedChange();

  void BuildChoiceControls();
  void BuildPicture();
  void BuildPlayer();
  void LayOutControls();
  void ConnectControls();
  int StepCount() const { return static_cast<int>(Recording.Steps.size()); }
  const TABLESTRUCT::TTableKindInfo& ChosenKind() const;
  // Records the chosen operation afresh on a new table made from the base records.
  void Rebuild();
  // Lays the picture out for the scroll box's width and shows the current step.
  void Relayout();
  void ShowStep(int step);
  void PlayTick();
  void StopPlaying();
  // The key typed, or an empty text with the reason in why when it breaks the name rule.
  QString CheckedKey(QString& why) const;
};
