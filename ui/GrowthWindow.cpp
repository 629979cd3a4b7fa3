#include "ui/GrowthWindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>

#include "ui/Language.h"
#include "ui/TableKindLook.h"
#include "ui/WidgetHelpers.h"

using TABLESTRUCT::TGrowthPoint;
using TABLESTRUCT::TGrowthResult;
using TABLESTRUCT::TGrowthRun;
using TABLESTRUCT::TTableKindInfo;

namespace {

QString Number(double value, int digits) {
  return QLocale::c().toString(value, 'g', digits);
}

QChartView* MakeChartView(const char* name, const QString& hint, QWidget* parent) {
  auto* view = new QChartView(parent);
  view->setObjectName(name);
  view->setToolTip(hint);
  view->setAccessibleName(hint);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(320, 240);
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->legend()->setAlignment(Qt::AlignRight);
  view->setChart(chart);
  return view;
}

// Empties the chart and gives it new axes, logarithmic or linear.
std::pair<QAbstractAxis*, QAbstractAxis*> ResetChart(QChart* chart, bool logarithmic,
                                                     const QString& yTitle) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  QAbstractAxis* x;
  QAbstractAxis* y;
  if (logarithmic) {
    auto* logX = new QLogValueAxis;
    logX->setBase(2);
    logX->setLabelFormat("%d");
    auto* logY = new QLogValueAxis;
    logY->setBase(10);
    logY->setLabelFormat("%g");
    logY->setMinorTickCount(8);
    x = logX;
    y = logY;
  } else {
    auto* linearX = new QValueAxis;
    linearX->setLabelFormat("%d");
    auto* linearY = new QValueAxis;
    linearY->setLabelFormat("%.4g");
    x = linearX;
    y = linearY;
  }
  x->setTitleText(TGrowthWindow::tr("Число записей n"));
  y->setTitleText(yTitle);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  return {x, y};
}

void SetRange(QAbstractAxis* axis, double low, double high, bool logarithmic) {
  if (!(high > low)) high = low + 1;
  if (logarithmic) {
    axis->setRange(low / 1.25, high * 1.25);
  } else if (auto* linear = qobject_cast<QValueAxis*>(axis)) {
    linear->setRange(std::min(0.0, low), high * 1.05);
    linear->applyNiceNumbers();
  }
}

// The least and the largest of the values taken.
struct TSpan {
  double Low = 1e300;
  double High = 0;
  void Take(double value) {
    Low = std::min(Low, value);
    High = std::max(High, value);
  }
  bool IsEmpty() const { return !(High > 0); }
};

using TAxes = std::pair<QAbstractAxis*, QAbstractAxis*>;

// What drawing the two charts gathers: the spans of the values shown and what a screen reader
// tells of each chart.
struct TGrowthDrawing {
  bool Logarithmic = false;
  TAxes OperAxes, TimeAxes;
  TSpan Sizes, Operations, Times;
  QStringList OperSummary, TimeSummary;
  // A logarithmic axis cannot show 0: such points are left out there.
  bool Shown(double x, double y) const { return !Logarithmic || (x > 0 && y > 0); }
};

// A line of the organisation's colour, solid for measured points, dashed for a fitted curve.
QLineSeries* KindSeries(const TTableKindInfo& info, Qt::PenStyle style) {
  auto* series = new QLineSeries;
  series->setName(KindText(info.ShortName));
  QPen pen(KindColour(info));
  pen.setWidth(2);
  pen.setStyle(style);
  series->setPen(pen);
  series->setPointsVisible(style == Qt::SolidLine);
  return series;
}

void AddSeries(QChart* chart, QLineSeries* series, const TAxes& axes) {
  chart->addSeries(series);
  series->attachAxis(axes.first);
  series->attachAxis(axes.second);
}

// The measured mean operations and times of one organisation, and its value at the largest size
// for the screen reader.
void DrawMeasured(const TGrowthResult& result, const TTableKindInfo& info, QChart* oper,
                  QChart* time, TGrowthDrawing& drawing) {
  QLineSeries* measured = KindSeries(info, Qt::SolidLine);
  QLineSeries* mean = KindSeries(info, Qt::SolidLine);
  const TGrowthPoint* largest = nullptr;
  for (const TGrowthPoint& point : result.Points) {
    if (point.Kind != info.Kind) continue;
    drawing.Sizes.Take(point.Size);
    if (drawing.Shown(point.Size, point.MeanOperations)) {
      measured->append(point.Size, point.MeanOperations);
      drawing.Operations.Take(point.MeanOperations);
    }
    if (drawing.Shown(point.Size, point.MeanMicroseconds)) {
      mean->append(point.Size, point.MeanMicroseconds);
      drawing.Times.Take(point.MeanMicroseconds);
    }
    if (!largest || point.Size > largest->Size) largest = &point;
  }
  if (largest) {
    const QString at =
        TGrowthWindow::tr("%1 при n = %2: ").arg(measured->name()).arg(largest->Size);
    drawing.OperSummary
        << at + TGrowthWindow::tr("%1 операций").arg(Number(largest->MeanOperations, 4));
    drawing.TimeSummary << at + TGrowthWindow::tr("%1 мкс").arg(
                                    Number(largest->MeanMicroseconds, 4));
  }
  AddSeries(oper, measured, drawing.OperAxes);
  AddSeries(time, mean, drawing.TimeAxes);
}

// The fitted curve of one organisation, dashed, between the smallest and the largest size.
void DrawFitted(const TGrowthResult& result, const TTableKindInfo& info, QChart* oper,
                TGrowthDrawing& drawing) {
  const TABLESTRUCT::TGrowthFit& fit = result.Fits[static_cast<std::size_t>(info.Kind)];
  QLineSeries* fitted = KindSeries(info, Qt::DashLine);
  fitted->setName(QString("%1·%2, R² = %3")
                      .arg(Number(fit.Slope, 3), QString::fromUtf8(info.CostModelText),
                           Number(fit.RSquared, 3)));
  drawing.OperSummary << KindText(info.ShortName) + ": " + fitted->name();
  for (const TABLESTRUCT::TChartPoint& point : TGrowthRun::FittedCurve(result, info.Kind, 60))
    if (drawing.Shown(point.X, point.Y)) {
      fitted->append(point.X, point.Y);
      drawing.Operations.Take(point.Y);
    }
  AddSeries(oper, fitted, drawing.OperAxes);
}

} // namespace

TGrowthWindow::TGrowthWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TGrowthWindow");
  setWindowTitle(tr("Рост затрат с объёмом таблицы"));

  LGrowthStatus = new QLabel(this);
  LGrowthStatus->setObjectName("LGrowthStatus");
  LGrowthStatus->setAccessibleDescription(tr("Ход и итог расчёта"));
  MakeTextReachable(LGrowthStatus);
  PBGrowth = new QProgressBar(this);
  PBGrowth->setObjectName("PBGrowth");
  PBGrowth->setAccessibleName(tr("Ход расчёта"));
  BBtnGrowthCancel = new QPushButton(tr("Отмена"), this);
  BBtnGrowthCancel->setObjectName("BBtnGrowthCancel");
  BBtnGrowthCancel->setToolTip(tr("Прервать расчёт"));
  BBtnGrowthCancel->setAccessibleDescription(BBtnGrowthCancel->toolTip());
  BBtnGrowthCancel->setAutoDefault(false);
  ChBGrowthLog = new QCheckBox(tr("Логарифмические оси"), this);
  ChBGrowthLog->setObjectName("ChBGrowthLog");
  BBtnGrowthSave = new QPushButton(tr("Сохранить данные…"), this);
  BBtnGrowthSave->setObjectName("BBtnGrowthSave");
  BBtnGrowthSave->setToolTip(tr("Записать точки в файл CSV: n, организация, операций, мкс"));
  BBtnGrowthSave->setAccessibleDescription(BBtnGrowthSave->toolTip());
  BBtnGrowthSave->setAutoDefault(false);
  BBtnGrowthSave->setEnabled(false);

  ChGrowthOper = MakeChartView("ChGrowthOper", tr("Среднее число операций на одну операцию"), this);
  ChGrowthTime = MakeChartView("ChGrowthTime", tr("Среднее время одной операции, мкс"), this);

  auto* top = new QHBoxLayout;
  top->addWidget(PBGrowth, 1);
  top->addWidget(BBtnGrowthCancel);
  top->addWidget(ChBGrowthLog);
  top->addWidget(BBtnGrowthSave);
  auto* charts = new QHBoxLayout;
  charts->addWidget(ChGrowthOper, 3);
  charts->addWidget(ChGrowthTime, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(LGrowthStatus);
  layout->addLayout(charts, 1);

  setTabOrder(BBtnGrowthSave, LGrowthStatus);
  setTabOrder(LGrowthStatus, ChGrowthOper);
  setTabOrder(ChGrowthOper, ChGrowthTime);

  connect(BBtnGrowthCancel, &QPushButton::clicked, this, &TGrowthWindow::BBtnGrowthCancelClick);
  connect(BBtnGrowthSave, &QPushButton::clicked, this, &TGrowthWindow::BBtnGrowthSaveClick);
  connect(ChBGrowthLog, &QCheckBox::toggled, this, &TGrowthWindow::ChBGrowthLogClick);

  resize(1180, 520);
  DrawCharts();
}

TGrowthWindow::~TGrowthWindow() {
  StopWorker();
}

void TGrowthWindow::Start(TABLESTRUCT::TestOperation operation, int hashPercent, unsigned seed,
                          std::vector<int> sizes) {
  StopWorker();
  Cancel = false;
  PBGrowth->setRange(0, static_cast<int>(sizes.size()) * (1 + TABLESTRUCT::TableKindCount));
  PBGrowth->setValue(0);
  BBtnGrowthCancel->setEnabled(true);
  BBtnGrowthSave->setEnabled(false);
  const QString operations[] = {QString(), tr("поиск"), tr("вставка"), tr("удаление")};
  SetStatus(tr("Идёт расчёт (%1, корзин: %2 % от n)…")
                .arg(operations[static_cast<int>(operation)])
                .arg(hashPercent),
            false);

  QProgressBar* bar = PBGrowth;
  Worker = QThread::create([this, operation, hashPercent, seed, sizes, bar] {
    auto engine = std::make_shared<std::mt19937>(seed);
    TGrowthRun run([engine] { return static_cast<unsigned>((*engine)()); },
                   TABLESTRUCT::TEfficiencyTest::SteadyMicroseconds);
    Running = run.Run(
        operation, hashPercent, sizes,
        [bar](int done, int) {
          QMetaObject::invokeMethod(
              bar, [bar, done] { bar->setValue(done); }, Qt::QueuedConnection);
        },
        &Cancel);
  });
  connect(Worker, &QThread::finished, this, &TGrowthWindow::RunFinished);
  Worker->start();
}

void TGrowthWindow::StopWorker() {
  if (!Worker) return;
  Cancel = true;
  Worker->wait();
  delete Worker;
  Worker = nullptr;
}

void TGrowthWindow::RunFinished() {
  if (!Worker) return;
  Worker->wait();
  delete Worker;
  Worker = nullptr;
  Result = Running;
  BBtnGrowthCancel->setEnabled(false);
  BBtnGrowthSave->setEnabled(!Result.Points.empty());
  if (Result.Cancelled)
    SetStatus(tr("Расчёт прерван; точек: %1").arg(Result.Points.size()), false);
  else
    SetStatus(tr("Готово: %1 операций на каждый объём таблицы, время по монотонным часам")
                  .arg(TGrowthRun::OperationsPerSize),
              false);
  DrawCharts();
  emit RunEnded();
}

void TGrowthWindow::BBtnGrowthCancelClick() {
  Cancel = true;
}

void TGrowthWindow::closeEvent(QCloseEvent* event) {
  Cancel = true;
  QDialog::closeEvent(event);
}

void TGrowthWindow::ChBGrowthLogClick() {
  DrawCharts();
}

void TGrowthWindow::SetStatus(const QString& text, bool fault) {
  ShowMessage(LGrowthStatus, text, fault);
}

void TGrowthWindow::DrawCharts() {
  TGrowthDrawing drawing;
  drawing.Logarithmic = ChBGrowthLog->isChecked();
  QChart* oper = ChGrowthOper->chart();
  QChart* time = ChGrowthTime->chart();
  oper->setTitle(tr("Среднее число операций"));
  time->setTitle(tr("Среднее время операции, мкс"));
  drawing.OperAxes = ResetChart(oper, drawing.Logarithmic, tr("Операций на одну операцию"));
  drawing.TimeAxes = ResetChart(time, drawing.Logarithmic, tr("Время одной операции, мкс"));
  for (const TTableKindInfo& info : TABLESTRUCT::TableKinds())
    DrawMeasured(Result, info, oper, time, drawing);
  if (!drawing.Sizes.IsEmpty())
    for (const TTableKindInfo& info : TABLESTRUCT::TableKinds()) {
      DrawFitted(Result, info, oper, drawing);
      // m is not the table's buckets but those its keys reach, which the curve follows.
      if (info.HasBuckets)
        oper->setTitle(oper->title() + "<br>" +
                       tr("%1: m — корзин, занятых ключами (при n = %2: %3)")
                           .arg(KindText(info.ShortName))
                           .arg(drawing.Sizes.High)
                           .arg(std::lround(TGrowthRun::ReachedBucketsAt(Result, info.Kind,
                                                                         drawing.Sizes.High))));
    }

  const bool logarithmic = drawing.Logarithmic;
  const TSpan sizes = drawing.Sizes.IsEmpty() ? TSpan{250, 4999} : drawing.Sizes;
  SetRange(drawing.OperAxes.first, sizes.Low, sizes.High, logarithmic);
  SetRange(drawing.TimeAxes.first, sizes.Low, sizes.High, logarithmic);
  const TSpan operations = drawing.Operations.IsEmpty() ? TSpan{1, 10} : drawing.Operations;
  const TSpan times = drawing.Times.IsEmpty() ? TSpan{1, 10} : drawing.Times;
  SetRange(drawing.OperAxes.second, operations.Low, operations.High, logarithmic);
  SetRange(drawing.TimeAxes.second, times.Low, times.High, logarithmic);
  const QString none = tr("Нет данных");
  ChGrowthOper->setAccessibleDescription(
      drawing.OperSummary.isEmpty() ? none : drawing.OperSummary.join("; "));
  ChGrowthTime->setAccessibleDescription(
      drawing.TimeSummary.isEmpty() ? none : drawing.TimeSummary.join("; "));
}

bool TGrowthWindow::SaveData(const QString& path) {
  DSTRUCT::TText error;
  if (!TABLESTRUCT::WriteGrowthCsv(path.toStdString(), Result, &error)) {
    SetStatus(tr("Файл не записан: %1").arg(ShowText(error)), true);
    return false;
  }
  SetStatus(tr("Данные записаны в %1").arg(path), false);
  return true;
}

void TGrowthWindow::BBtnGrowthSaveClick() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Сохранить данные"), "growth.csv",
                                                    tr("Данные CSV (*.csv)"));
  if (!path.isEmpty()) SaveData(path);
}
