#pragma once
// The efficiency page of the overview window (its sheet TShEffic): the comparison of the
// scan, sorted and hash tables on 3000 searches, insertions or deletions, drawn as two line
// charts (time and operation count) and three gauges of generalised efficiency, with a line on
// what their percentage compares. Choosing another operation or hash size clears the charts
// and the gauges, which then no longer show the chosen test.

#include <QWidget>
#include <array>

#include "teach/TEfficiencyTest.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QSlider;
class TEfficiencyChartView;
class TGrowthWindow;

class TEfficiencyPage : public QWidget {
  Q_OBJECT
public:
  explicit TEfficiencyPage(QWidget* parent = nullptr);
  ~TEfficiencyPage() override;

  // The generator the keys are drawn from; the standard one (seeded by the overview window)
  // unless a test hands in its own.
  void SetRandomSource(TABLESTRUCT::TEfficiencyTest::RandomSource source);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  QGroupBox* GBOperation;
  QRadioButton* RBESearch;
  QRadioButton* RBEInsert;
  QRadioButton* RBEDelete;
  QPushButton* SBtnTest;
  QPushButton* SBtnGrowth; // beside SBtnTest: the growth of the cost with the table size

  QGroupBox* GBEfficiency;
  // One row per organisation, in the registry's order: its colour key, its name, its gauge
  // (CGgEffScan, CGgEffSort, CGgEffHash) and the gauge's percentage.
  std::array<QLabel*, TABLESTRUCT::TableKindCount> GaugeKeys{};
  std::array<QLabel*, TABLESTRUCT::TableKindCount> GaugeLabels{};
  std::array<QProgressBar*, TABLESTRUCT::TableKindCount> Gauges{};
  std::array<QLabel*, TABLESTRUCT::TableKindCount> GaugeValues{};
  QLabel* LEffMeaning; // under the gauges: what their percentage compares

  TEfficiencyChartView* ChEffOper;
  TEfficiencyChartView* ChEffTime;

  QLabel* LHashTSize;
  QLabel* LHashTSizeValue;
  QSlider* TrBHashTSize;

  TABLESTRUCT::TEfficiencyTest::RandomSource Random;
  TGrowthWindow* GrowthWindow = nullptr; // made at the first press of SBtnGrowth

  void SBtnTestClick();
  // Opens the growth window and starts its run with the chosen operation and the track bar's
  // percentage of n buckets.
  void SBtnGrowthClick();
  void TrBHashTSizeChange();
  // Empties the charts and sets the gauges to 0.
  void ClearResult();
  void FormResize();

  void BuildOperationGroup();
  void BuildGauges();
  void BuildCharts();
  void BuildHashSize();
  // The chosen operation: 1 search, 2 insertion, 3 deletion.
  int TestOper() const;
  // Buckets of the test's hash table: the track bar's position x 30.
  int HashSize() const;
  // Widths and heights of the layout's parts, from the font.
  int OperationWidth() const;
  int TestButtonWidth() const;
  int GaugeLabelWidth() const;
  int GaugeValueWidth() const;
  int EfficiencyWidth() const;
  int TrackBarHeight() const;
  QSize MinimumPageSize() const;
  void ShowResult(const TABLESTRUCT::TEfficiencyResult& result);
};
