#pragma once
// TEfficiencyChartView: a line chart of the efficiency page with one series per table
// organisation (in the registry's order and colours), a plain x axis over the 3000 operations
// and a y axis labelled in the format "0.#########", each axis under its title with its unit.
// The operation-count chart can be dragged up and down; no chart zooms.

#include <QChartView>
#include <array>
#include <vector>

#include "teach/TEfficiencyTest.h"

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

class TEfficiencyChartView : public QChartView {
public:
  struct TTexts {
    QString Title, Hint, XTitle, YTitle;
  };
  TEfficiencyChartView(const QString& name, const TTexts& texts, bool verticalPan, QWidget* parent);

  void Clear();
  // Replaces series k by the points, kept in ascending order of x as they come.
  void SetPoints(std::size_t k, const std::vector<TABLESTRUCT::TChartPoint>& points);
  // Fits the y axis to all points of the series.
  void FitY();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  bool VerticalPan;
  bool Dragging = false;
  qreal DragY = 0;
  bool Labelling = false;
  QValueAxis* AxisX;
  QCategoryAxis* AxisY;
  std::array<QLineSeries*, TABLESTRUCT::TableKindCount> Series{};

  void SetYRange(double min, double max);
  // Category labels at round values across the visible range, written as "0.#########".
  void LabelYAxis(double min, double max);
};
