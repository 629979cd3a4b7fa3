#include "ui/EfficiencyChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QValueAxis>
#include <cmath>

#include "ui/TableKindLook.h"

using TABLESTRUCT::TChartPoint;
using TABLESTRUCT::TEfficiencyTest;

namespace {

// A number as the format "0.#########" writes it: up to nine decimals, no trailing zeros.
QString AxisNumber(double value) {
  QString text = QLocale::c().toString(value, 'f', 9);
  if (text.contains('.')) {
    while (text.endsWith('0'))
      text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  if (text == "-0") text = "0";
  return text;
}

// A step of 1, 2 or 5 times a power of ten that cuts span into about five parts.
double NiceStep(double span) {
  if (!(span > 0)) return 1;
  const double rough = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0})
    if (factor * power >= rough) return factor * power;
  return 10 * power;
}

} // namespace

TEfficiencyChartView::TEfficiencyChartView(const QString& name, const TTexts& texts,
                                           bool verticalPan, QWidget* parent)
    : QChartView(parent), VerticalPan(verticalPan) {
  setObjectName(name);
  setToolTip(texts.Hint);
  setAccessibleName(texts.Hint);
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::NoRubberBand);

  auto* chart = new QChart;
  chart->setTitle(texts.Title);
  chart->legend()->hide();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setBackgroundRoundness(0);
  chart->setDropShadowEnabled(false);
  chart->setMargins(QMargins(2, 2, 2, 2));
  QFont titleFont = chart->titleFont();
  titleFont.setBold(true);
  chart->setTitleFont(titleFont);

  AxisX = new QValueAxis;
  AxisX->setLabelFormat("%d");
  AxisX->setRange(0, TEfficiencyTest::OperationCount);
  AxisX->setTickCount(4);
  AxisY = new QCategoryAxis;
  AxisY->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  AxisX->setTitleText(texts.XTitle);
  AxisY->setTitleText(texts.YTitle);
  chart->addAxis(AxisX, Qt::AlignBottom);
  chart->addAxis(AxisY, Qt::AlignLeft);
  for (std::size_t k = 0; k < Series.size(); ++k) {
    Series[k] = new QLineSeries;
    QPen pen(KindColour(TABLESTRUCT::TableKinds()[k]));
    pen.setWidth(2);
    Series[k]->setPen(pen);
    Series[k]->setPointsVisible(false);
    chart->addSeries(Series[k]);
    Series[k]->attachAxis(AxisX);
    Series[k]->attachAxis(AxisY);
  }
  setChart(chart);
  SetYRange(0, 1);
  QObject::connect(AxisY, &QValueAxis::rangeChanged, this,
                   [this](qreal min, qreal max) { LabelYAxis(min, max); });
}

void TEfficiencyChartView::Clear() {
  for (auto* series : Series)
    series->clear();
  SetYRange(0, 1);
}

void TEfficiencyChartView::SetPoints(std::size_t k, const std::vector<TChartPoint>& points) {
  QList<QPointF> list;
  list.reserve(static_cast<qsizetype>(points.size()));
  for (const TChartPoint& p : points)
    list.append(QPointF(p.X, p.Y));
  Series[k]->replace(list);
}

void TEfficiencyChartView::FitY() {
  double top = 0;
  for (auto* series : Series)
    for (const QPointF& p : series->points())
      top = std::max(top, p.y());
  SetYRange(0, top > 0 ? top * 1.05 : 1);
}

// Dragging the operation-count chart moves it up and down; nothing zooms.
void TEfficiencyChartView::mousePressEvent(QMouseEvent* event) {
  if (VerticalPan && event->button() == Qt::LeftButton) {
    DragY = event->position().y();
    Dragging = true;
    setCursor(Qt::ClosedHandCursor);
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void TEfficiencyChartView::mouseMoveEvent(QMouseEvent* event) {
  if (Dragging) {
    const qreal y = event->position().y();
    chart()->scroll(0, y - DragY);
    DragY = y;
    event->accept();
    return;
  }
  QChartView::mouseMoveEvent(event);
}

void TEfficiencyChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (Dragging) {
    Dragging = false;
    unsetCursor();
    event->accept();
    return;
  }
  QChartView::mouseReleaseEvent(event);
}

void TEfficiencyChartView::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

void TEfficiencyChartView::SetYRange(double min, double max) {
  AxisY->setRange(min, max);
  LabelYAxis(min, max);
}

void TEfficiencyChartView::LabelYAxis(double min, double max) {
  if (Labelling) return;
  Labelling = true;
  for (const QString& label : AxisY->categoriesLabels())
    AxisY->remove(label);
  const double step = NiceStep(max - min);
  AxisY->setStartValue(min);
  for (double v = std::ceil(min / step) * step; v <= max + step * 1e-9; v += step) {
    const QString label = AxisNumber(std::abs(v) < step * 1e-9 ? 0 : v);
    if (!AxisY->categoriesLabels().contains(label)) AxisY->append(label, v);
  }
  AxisY->setRange(min, max);
  Labelling = false;
}
