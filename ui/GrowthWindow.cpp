#include "ui/GrowthWindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
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

#include "ui/WidgetHelpers.h"

using TABLESTRUCT::TGrowthPoint;
using TABLESTRUCT::TGrowthResult;
using TABLESTRUCT::TGrowthRun;
using TABLESTRUCT::TTableKind;

namespace {

// Scan, sorted, hash.
const std::array<QColor, 3> Colours{QColor(220, 0, 0), QColor(0, 0, 230), QColor(0, 160, 0)};
const std::array<const char*, 3> Names{"Просмотровая", "Упорядоченная", "С выч. адресами"};
const std::array<const char*, 3> Models{"n", "log₂n", "(1 + n/m)"};

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
  x->setTitleText("n, записей");
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

} // namespace

TGrowthWindow::TGrowthWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TGrowthWindow");
  setWindowTitle("Рост затрат с объёмом таблицы");

  LGrowthStatus = new QLabel(this);
  LGrowthStatus->setObjectName("LGrowthStatus");
  LGrowthStatus->setAccessibleDescription("Ход и итог расчёта");
  MakeTextReachable(LGrowthStatus);
  PBGrowth = new QProgressBar(this);
  PBGrowth->setObjectName("PBGrowth");
  PBGrowth->setAccessibleName("Ход расчёта");
  BBtnGrowthCancel = new QPushButton("Отмена", this);
  BBtnGrowthCancel->setObjectName("BBtnGrowthCancel");
  BBtnGrowthCancel->setToolTip("Прервать расчёт");
  BBtnGrowthCancel->setAccessibleDescription(BBtnGrowthCancel->toolTip());
  BBtnGrowthCancel->setAutoDefault(false);
  ChBGrowthLog = new QCheckBox("Логарифмические оси", this);
  ChBGrowthLog->setObjectName("ChBGrowthLog");
  BBtnGrowthSave = new QPushButton("Сохранить данные…", this);
  BBtnGrowthSave->setObjectName("BBtnGrowthSave");
  BBtnGrowthSave->setToolTip("Записать точки в файл CSV: n, организация, операций, мкс");
  BBtnGrowthSave->setAccessibleDescription(BBtnGrowthSave->toolTip());
  BBtnGrowthSave->setAutoDefault(false);
  BBtnGrowthSave->setEnabled(false);

  ChGrowthOper = MakeChartView("ChGrowthOper", "Среднее число операций на одну операцию", this);
  ChGrowthTime = MakeChartView("ChGrowthTime", "Среднее время одной операции, мкс", this);

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

void TGrowthWindow::Start(TABLESTRUCT::TestOperation operation, int hashPercent, unsigned seed) {
  StopWorker();
  Cancel = false;
  PBGrowth->setRange(0, static_cast<int>(Sizes.size()) * 4);
  PBGrowth->setValue(0);
  BBtnGrowthCancel->setEnabled(true);
  BBtnGrowthSave->setEnabled(false);
  static const char* const operations[] = {"", "поиск", "вставка", "удаление"};
  SetStatus(QString("Идёт расчёт (%1, корзин: %2 % от n)…")
                .arg(operations[static_cast<int>(operation)])
                .arg(hashPercent),
            false);

  const std::vector<int> sizes = Sizes;
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
    SetStatus(QString("Расчёт прерван; точек: %1").arg(Result.Points.size()), false);
  else
    SetStatus(QString("Готово: %1 операций на каждый объём таблицы, время по монотонным часам")
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
  const bool logarithmic = ChBGrowthLog->isChecked();
  QChart* oper = ChGrowthOper->chart();
  QChart* time = ChGrowthTime->chart();
  oper->setTitle("Среднее число операций");
  time->setTitle("Среднее время операции, мкс");
  auto [operX, operY] = ResetChart(oper, logarithmic, "операций");
  auto [timeX, timeY] = ResetChart(time, logarithmic, "мкс");

  // A logarithmic axis cannot show 0: such points are left out there.
  auto shown = [logarithmic](double x, double y) { return !logarithmic || (x > 0 && y > 0); };
  double lowN = 1e300, highN = 0, lowOps = 1e300, highOps = 0, lowTime = 1e300, highTime = 0;
  // What a screen reader tells of each chart: every organisation's value at its largest size.
  QStringList operSummary, timeSummary;
  for (int k = 0; k < 3; ++k) {
    auto* measured = new QLineSeries;
    auto* mean = new QLineSeries;
    measured->setName(QString::fromUtf8(Names[k]));
    mean->setName(QString::fromUtf8(Names[k]));
    for (const TGrowthPoint& point : Result.Points) {
      if (static_cast<int>(point.Kind) != k) continue;
      lowN = std::min(lowN, double(point.Size));
      highN = std::max(highN, double(point.Size));
      if (shown(point.Size, point.MeanOperations)) {
        measured->append(point.Size, point.MeanOperations);
        lowOps = std::min(lowOps, point.MeanOperations);
        highOps = std::max(highOps, point.MeanOperations);
      }
      if (shown(point.Size, point.MeanMicroseconds)) {
        mean->append(point.Size, point.MeanMicroseconds);
        lowTime = std::min(lowTime, point.MeanMicroseconds);
        highTime = std::max(highTime, point.MeanMicroseconds);
      }
    }
    const TGrowthPoint* largest = nullptr;
    for (const TGrowthPoint& point : Result.Points)
      if (static_cast<int>(point.Kind) == k && (!largest || point.Size > largest->Size))
        largest = &point;
    if (largest) {
      const QString at =
          QString("%1 при n = %2: ").arg(QString::fromUtf8(Names[k])).arg(largest->Size);
      operSummary << at + Number(largest->MeanOperations, 4) + " операций";
      timeSummary << at + Number(largest->MeanMicroseconds, 4) + " мкс";
    }
    for (QLineSeries* series : {measured, mean}) {
      QPen pen(Colours[k]);
      pen.setWidth(2);
      series->setPen(pen);
      series->setPointsVisible(true);
    }
    oper->addSeries(measured);
    measured->attachAxis(operX);
    measured->attachAxis(operY);
    time->addSeries(mean);
    mean->attachAxis(timeX);
    mean->attachAxis(timeY);
  }
  // The fitted curves, dashed, sampled between the smallest and the largest size.
  for (int k = 0; k < 3 && highN > 0; ++k) {
    const TABLESTRUCT::TGrowthFit& fit = Result.Fits[k];
    auto* fitted = new QLineSeries;
    fitted->setName(
        QString("%1·%2, R² = %3")
            .arg(Number(fit.Slope, 3), QString::fromUtf8(Models[k]), Number(fit.RSquared, 3)));
    operSummary << QString::fromUtf8(Names[k]) + ": " + fitted->name();
    const int samples = 60;
    for (int i = 0; i <= samples; ++i) {
      const double n = lowN * std::pow(highN / lowN, double(i) / samples);
      const int size = static_cast<int>(std::lround(n));
      const double y =
          fit.Slope * TGrowthRun::ModelValue(static_cast<TTableKind>(k), size,
                                             TGrowthRun::BucketsFor(size, Result.HashPercent));
      if (shown(size, y)) {
        fitted->append(size, y);
        lowOps = std::min(lowOps, y);
        highOps = std::max(highOps, y);
      }
    }
    QPen pen(Colours[k]);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    fitted->setPen(pen);
    oper->addSeries(fitted);
    fitted->attachAxis(operX);
    fitted->attachAxis(operY);
  }
  if (highN > 0) {
    SetRange(operX, lowN, highN, logarithmic);
    SetRange(timeX, lowN, highN, logarithmic);
  } else {
    SetRange(operX, 250, 4999, logarithmic);
    SetRange(timeX, 250, 4999, logarithmic);
  }
  SetRange(operY, highOps > 0 ? lowOps : 1, highOps > 0 ? highOps : 10, logarithmic);
  SetRange(timeY, highTime > 0 ? lowTime : 1, highTime > 0 ? highTime : 10, logarithmic);
  const QString none = "Нет данных";
  ChGrowthOper->setAccessibleDescription(operSummary.isEmpty() ? none : operSummary.join("; "));
  ChGrowthTime->setAccessibleDescription(timeSummary.isEmpty() ? none : timeSummary.join("; "));
}

bool TGrowthWindow::SaveData(const QString& path) {
  std::string error;
  if (!TABLESTRUCT::WriteGrowthCsv(path.toStdString(), Result, &error)) {
    SetStatus(QString("Файл не записан: %1").arg(QString::fromStdString(error)), true);
    return false;
  }
  SetStatus(QString("Данные записаны в %1").arg(path), false);
  return true;
}

void TGrowthWindow::BBtnGrowthSaveClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, "Сохранить данные", "growth.csv", "Данные CSV (*.csv)");
  if (!path.isEmpty()) SaveData(path);
}
