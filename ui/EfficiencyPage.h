#pragma once
// The efficiency page of the overview window (its sheet TShEffic): the comparison of the
// scan, sorted and hash tables on 3000 searches, insertions or deletions, drawn as two line
// charts (time and operation count) and three gauges of generalised efficiency.

#include <QWidget>
#include <array>

#include "tables/TEfficiencyTest.h"

class QChart;
class QChartView;
class QGroupBox;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QSlider;
class QValueAxis;
class TEfficiencyChartView;

class TEfficiencyPage : public QWidget {
  Q_OBJECT
public:
  explicit TEfficiencyPage(QWidget* parent = nullptr);
  ~TEfficiencyPage() override;

  // The generator the keys are drawn from; the standard one (seeded by the overview window)
  // unless a test hands in its own.
  void SetRandomSource(TABLESTRUCT::TEfficiencyTest::RandomSource source);

  QGroupBox* GBOperation;
  QRadioButton* RBESearch;
  QRadioButton* RBEInsert;
  QRadioButton* RBEDelete;
  QPushButton* SBtnTest;

  QGroupBox* GBEfficiency;
  QProgressBar* CGgEffScan;
  QProgressBar* CGgEffSort;
  QProgressBar* CGgEffHash;

  TEfficiencyChartView* ChEffOper;
  TEfficiencyChartView* ChEffTime;

  QLabel* LHashTSize;
  QLabel* LHashTSizeValue;
  QSlider* TrBHashTSize;

  // The chosen operation: 1 search, 2 insertion, 3 deletion.
  int TestOper() const;
  // Buckets of the test's hash table: the track bar's position x 30.
  int HashSize() const;

public slots:
  void SBtnTestClick();
  void TrBHashTSizeChange();
  void FormResize();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  TABLESTRUCT::TEfficiencyTest::RandomSource Random;
  std::array<QLabel*, 3> GaugeLabels{};
  std::array<QLabel*, 3> GaugeKeys{};
  std::array<QLabel*, 3> GaugeValues{};

  std::array<QProgressBar*, 3> Gauges() const { return {CGgEffScan, CGgEffSort, CGgEffHash}; }
  // Widths and heights of the layout's parts, from the font.
  int OperationWidth() const;
  int GaugeLabelWidth() const;
  int GaugeValueWidth() const;
  int EfficiencyWidth() const;
  int TrackBarHeight() const;
  QSize MinimumPageSize() const;
  void ShowResult(const TABLESTRUCT::TEfficiencyResult& result);
};
