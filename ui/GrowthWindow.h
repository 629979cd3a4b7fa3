#pragma once
// The growth of the operation cost with the table size, opened from the efficiency page: the
// growth run goes on away from the windows' thread with a progress bar and a cancel button;
// then one chart shows the mean operation count per operation against n for the three
// organisations with the fitted curves dashed beside them (R² in the legend), the other the
// mean time per operation. The axes can be linear or logarithmic; the points can be saved as
// CSV.

#include <QDialog>
#include <atomic>
#include <functional>
#include <vector>

#include "teach/TGrowthRun.h"

class QChartView;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

class TGrowthWindow : public QDialog {
  Q_OBJECT
public:
  explicit TGrowthWindow(QWidget* parent = nullptr);
  ~TGrowthWindow() override;

  // Starts a run of the operation at the table sizes with the hash table at hashPercent % of n
  // buckets, keys drawn from a generator seeded with seed; an earlier run still going is
  // cancelled first.
  void Start(TABLESTRUCT::TestOperation operation, int hashPercent, unsigned seed,
             std::vector<int> sizes = TABLESTRUCT::TGrowthRun::StandardSizes());

signals:
  // A run has ended, finished or cancelled.
  void RunEnded();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QProgressBar* PBGrowth;
  QPushButton* BBtnGrowthCancel;
  QCheckBox* ChBGrowthLog;
  QPushButton* BBtnGrowthSave;
  QLabel* LGrowthStatus;
  QChartView* ChGrowthOper;
  QChartView* ChGrowthTime;

  TABLESTRUCT::TGrowthResult Result;  // written by the worker, read once it has ended
  TABLESTRUCT::TGrowthResult Running; // the worker's result while it runs
  std::atomic<bool> Cancel{false};
  QThread* Worker = nullptr;

  void BBtnGrowthCancelClick();
  void BBtnGrowthSaveClick();
  void ChBGrowthLogClick();
  // Writes the points as CSV; false with the reason shown when the file cannot be written.
  bool SaveData(const QString& path);
  void RunFinished();
  void StopWorker();
  void DrawCharts();
  void SetStatus(const QString& text, bool fault);
};
