#include "ui/EfficiencyPage.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSlider>
#include <cstdlib>

#include "ui/EfficiencyChart.h"
#include "ui/ExportHelpers.h"
#include "ui/GrowthWindow.h"
#include "ui/TableKindLook.h"

using TABLESTRUCT::TEfficiencyResult;
using TABLESTRUCT::TEfficiencyTest;
using TABLESTRUCT::TestOperation;

namespace {

// The least chart that shows its title and its axis numbers whole, and the least track bar
// that the pointer can still move along.
constexpr QSize ChartMinimumSize(240, 200);
constexpr int TrackBarMinimumWidth = 150;

} // namespace

TEfficiencyPage::TEfficiencyPage(QWidget* parent)
    : QWidget(parent), Random([] { return static_cast<unsigned>(std::rand()); }) {
  setObjectName("TEfficiencyPage");

  BuildOperationGroup();
  BuildGauges();
  BuildCharts();
  BuildHashSize();

  setTabOrder(RBESearch, RBEInsert);
  setTabOrder(RBEInsert, RBEDelete);
  setTabOrder(RBEDelete, SBtnTest);
  setTabOrder(SBtnTest, SBtnGrowth);
  setTabOrder(SBtnGrowth, TrBHashTSize);

  ChEffOper->setMinimumSize(ChartMinimumSize);
  ChEffTime->setMinimumSize(ChartMinimumSize);
  TrBHashTSize->setMinimumWidth(TrackBarMinimumWidth);
  setMinimumSize(MinimumPageSize());
  FormResize();
}

// The operation to test and the buttons that start the test and the growth run.
void TEfficiencyPage::BuildOperationGroup() {
  GBOperation = new QGroupBox(tr("Операция:"), this);
  GBOperation->setObjectName("GBOperation");
  RBESearch = new QRadioButton(tr("Поиск;"), GBOperation);
  RBESearch->setObjectName("RBESearch");
  RBESearch->setChecked(true);
  RBEInsert = new QRadioButton(tr("Вставка;"), GBOperation);
  RBEInsert->setObjectName("RBEInsert");
  RBEDelete = new QRadioButton(tr("Удаление;"), GBOperation);
  RBEDelete->setObjectName("RBEDelete");
  SBtnTest = new QPushButton(tr("Тест"), GBOperation);
  SBtnTest->setObjectName("SBtnTest");
  SBtnTest->setToolTip(tr("Запуск процесса сравнения эффективности таблиц"));
  SBtnTest->setAccessibleDescription(SBtnTest->toolTip());
  connect(SBtnTest, &QPushButton::clicked, this, &TEfficiencyPage::SBtnTestClick);
  SBtnGrowth = new QPushButton(tr("Рост затрат"), GBOperation);
  SBtnGrowth->setObjectName("SBtnGrowth");
  SBtnGrowth->setToolTip(
      tr("Затраты на операцию в зависимости от объёма таблиц (250 .. 4999 записей)"));
  SBtnGrowth->setAccessibleDescription(SBtnGrowth->toolTip());
  connect(SBtnGrowth, &QPushButton::clicked, this, &TEfficiencyPage::SBtnGrowthClick);
  for (QRadioButton* button : {RBESearch, RBEInsert, RBEDelete})
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ClearResult();
    });
}

// The generalised efficiency of each organisation: a coloured key, its name, the gauge and its
// percentage.
void TEfficiencyPage::BuildGauges() {
  GBEfficiency = new QGroupBox(tr("Обобщённая эффективн-ть"), this);
  GBEfficiency->setObjectName("GBEfficiency");
  for (const TABLESTRUCT::TTableKindInfo& info : TABLESTRUCT::TableKinds()) {
    const auto k = static_cast<std::size_t>(info.Kind);
    auto* key = new QLabel(GBEfficiency);
    key->setFixedSize(10, 10);
    key->setStyleSheet(
        QString("background-color: %1; border: 1px solid black;").arg(KindColour(info).name()));
    GaugeKeys[k] = key;
    auto* label = new QLabel(KindText(info.GaugeCaption), GBEfficiency);
    GaugeLabels[k] = label;
    auto* gauge = new QProgressBar(GBEfficiency);
    gauge->setObjectName(QString("CGgEff") + info.ControlPart);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    // The percentage stands beside the bar, where it reads on any fill.
    gauge->setTextVisible(false);
    gauge->setToolTip(KindText(info.GaugeHint));
    gauge->setAccessibleName(label->text());
    gauge->setAccessibleDescription(gauge->toolTip());
    gauge->setStyleSheet("QProgressBar { background-color: navy; border: 1px solid gray; }"
                         "QProgressBar::chunk { background-color: yellow; }");
    label->setBuddy(gauge);
    Gauges[k] = gauge;
    auto* value = new QLabel("0%", GBEfficiency);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    GaugeValues[k] = value;
    connect(gauge, &QProgressBar::valueChanged, value,
            [value](int percent) { value->setText(QString("%1%").arg(percent)); });
  }
  LEffMeaning = new QLabel(tr("Процент — среднее двух долей: лучшего времени от времени "
                              "таблицы и наименьшего числа операций от числа её операций. "
                              "100 % — таблица, лучшая в этом тесте и по времени, и по "
                              "операциям."),
                           GBEfficiency);
  LEffMeaning->setObjectName("LEffMeaning");
  LEffMeaning->setWordWrap(true);
  LEffMeaning->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

// The charts of the operation counts and of the times.
void TEfficiencyPage::BuildCharts() {
  const QString operations = tr("Номер операции");
  ChEffOper = new TEfficiencyChartView("ChEffOper",
                                       {tr("Эфф-ть по операциям"),
                                        tr("Эффективности таблиц по кол-ву выполненных операций"),
                                        operations, tr("Число операций, всего")},
                                       true, this);
  ChEffTime = new TEfficiencyChartView("ChEffTime",
                                       {tr("Эфф-ть по времени"),
                                        tr("Эффективности таблиц по времени выполнения операций"),
                                        operations, tr("Время одной операции, мс")},
                                       false, this);

  AddPictureMenu(ChEffOper, ChartPictureExport(ChEffOper, "efficiency-operations"));
  AddPictureMenu(ChEffTime, ChartPictureExport(ChEffTime, "efficiency-time"));
}

// The number of buckets of the hash table, as a share of the records.
void TEfficiencyPage::BuildHashSize() {
  LHashTSize = new QLabel(tr("К-во полей таб. с хэш.: "), this);
  LHashTSize->setObjectName("LHashTSize");
  TrBHashTSize = new QSlider(Qt::Horizontal, this);
  TrBHashTSize->setObjectName("TrBHashTSize");
  TrBHashTSize->setRange(1, 100);
  TrBHashTSize->setValue(50);
  TrBHashTSize->setTickPosition(QSlider::TicksBelow);
  TrBHashTSize->setTickInterval(10);
  TrBHashTSize->setToolTip(
      tr("Изменение кол-ва полей в таблице с хэшированием (в % от объёма информации)"));
  TrBHashTSize->setAccessibleName(LHashTSize->text().trimmed());
  TrBHashTSize->setAccessibleDescription(TrBHashTSize->toolTip());
  LHashTSize->setBuddy(TrBHashTSize);
  LHashTSizeValue = new QLabel(this);
  LHashTSizeValue->setObjectName("LHashTSizeValue");
  connect(TrBHashTSize, &QSlider::valueChanged, this, &TEfficiencyPage::TrBHashTSizeChange);
  TrBHashTSizeChange();
}

// The charts and gauges show one run; another operation or hash size makes them no longer its.
void TEfficiencyPage::ClearResult() {
  ChEffTime->Clear();
  ChEffOper->Clear();
  for (QProgressBar* gauge : Gauges)
    gauge->setValue(0);
}

TEfficiencyPage::~TEfficiencyPage() = default;

void TEfficiencyPage::SetRandomSource(TEfficiencyTest::RandomSource source) {
  Random = std::move(source);
}

int TEfficiencyPage::TestOper() const {
  int operation = 1;
  if (RBESearch->isChecked()) operation = 1;
  if (RBEInsert->isChecked()) operation = 2;
  if (RBEDelete->isChecked()) operation = 3;
  return operation;
}

int TEfficiencyPage::HashSize() const {
  return TrBHashTSize->value() * 30;
}

void TEfficiencyPage::TrBHashTSizeChange() {
  LHashTSizeValue->setText(QString::number(HashSize()));
  ClearResult();
}

void TEfficiencyPage::SBtnTestClick() {
  ChEffTime->Clear();
  ChEffOper->Clear();
  // The run is one uninterrupted step; the points reach the charts after the timed runs.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TEfficiencyTest test(Random, TEfficiencyTest::SteadyMicroseconds);
  const TEfficiencyResult result = test.Run(static_cast<TestOperation>(TestOper()), HashSize());
  ShowResult(result);
  QApplication::restoreOverrideCursor();
}

void TEfficiencyPage::SBtnGrowthClick() {
  if (!GrowthWindow) GrowthWindow = new TGrowthWindow(this);
  GrowthWindow->show();
  GrowthWindow->raise();
  GrowthWindow->activateWindow();
  GrowthWindow->Start(static_cast<TestOperation>(TestOper()), TrBHashTSize->value(), Random());
}

void TEfficiencyPage::ShowResult(const TEfficiencyResult& result) {
  for (std::size_t k = 0; k < result.Runs.size(); ++k) {
    ChEffTime->SetPoints(k, result.Runs[k].TimePoints);
    ChEffOper->SetPoints(k, result.Runs[k].OperPoints);
  }
  ChEffTime->FitY();
  ChEffOper->FitY();
  for (std::size_t k = 0; k < Gauges.size(); ++k)
    Gauges[k]->setValue(result.Percent[k]);
}

void TEfficiencyPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

// The two group boxes stand at the left over the whole height; the charts share the rest,
// the operation-count chart taking half of it, above the hash-size track bar.
void TEfficiencyPage::FormResize() {
  const int w = width();
  const int h = height();
  const int lineHeight = fontMetrics().height();

  const int operationWidth = OperationWidth();
  GBOperation->setGeometry(2, 2, operationWidth, h - 4);
  const int top = lineHeight + 6;
  const int row = std::max(lineHeight + 4, (GBOperation->height() - top - 36) / 3);
  RBESearch->setGeometry(8, top, operationWidth - 12, lineHeight + 4);
  RBEInsert->setGeometry(8, top + row, operationWidth - 12, lineHeight + 4);
  RBEDelete->setGeometry(8, top + 2 * row, operationWidth - 12, lineHeight + 4);
  const int buttonHeight = lineHeight + 10;
  // «Тест» and «Рост затрат» side by side, 4 pixels above the group's bottom.
  const int testWidth = TestButtonWidth();
  SBtnTest->setGeometry(8, GBOperation->height() - buttonHeight - 4, testWidth, buttonHeight);
  SBtnGrowth->setGeometry(8 + testWidth + 4, SBtnTest->y(), operationWidth - 20 - testWidth,
                          buttonHeight);

  const int labelWidth = GaugeLabelWidth();
  const int valueWidth = GaugeValueWidth();
  const int efficiencyWidth = EfficiencyWidth();
  GBEfficiency->setGeometry(GBOperation->geometry().right() + 3, 2, efficiencyWidth, h - 4);
  const int rows = static_cast<int>(Gauges.size());
  const int meaningHeight = LEffMeaning->heightForWidth(efficiencyWidth - 16);
  LEffMeaning->setGeometry(8, GBEfficiency->height() - meaningHeight - 6, efficiencyWidth - 16,
                           meaningHeight);
  const int gaugeRow =
      std::max(lineHeight + 6, (GBEfficiency->height() - top - meaningHeight - 10) / rows);
  for (std::size_t k = 0; k < Gauges.size(); ++k) {
    const int y = top + static_cast<int>(k) * gaugeRow;
    const int gaugeHeight = std::min(gaugeRow - 4, lineHeight + 8);
    GaugeKeys[k]->move(8, y + (gaugeHeight - 10) / 2);
    GaugeLabels[k]->setGeometry(22, y, labelWidth, gaugeHeight);
    const int gaugeWidth = efficiencyWidth - labelWidth - valueWidth - 34;
    Gauges[k]->setGeometry(24 + labelWidth, y, gaugeWidth, gaugeHeight);
    GaugeValues[k]->setGeometry(26 + labelWidth + gaugeWidth, y, valueWidth, gaugeHeight);
  }

  const int chartsLeft = GBEfficiency->geometry().right() + 3;
  const int barHeight = TrackBarHeight();
  const int barTop = h - barHeight;
  const int labelW = fontMetrics().horizontalAdvance(LHashTSize->text()) + 2;
  const int valueW = fontMetrics().horizontalAdvance("3000") + 8;
  LHashTSize->setGeometry(chartsLeft, barTop + 7, labelW, lineHeight);
  LHashTSizeValue->setGeometry(chartsLeft + labelW, barTop + 7, valueW, lineHeight);
  TrBHashTSize->setGeometry(chartsLeft + labelW + valueW, barTop,
                            w - 2 - (chartsLeft + labelW + valueW), barHeight);

  const int chartsWidth = w - chartsLeft;
  const int operWidth = chartsWidth / 2;
  ChEffOper->setGeometry(chartsLeft, 0, operWidth, barTop);
  ChEffTime->setGeometry(chartsLeft + operWidth + 2, 0, chartsWidth - operWidth - 2, barTop);
}

int TEfficiencyPage::OperationWidth() const {
  // The two buttons side by side at their full widths, 8 pixels from the sides, 4 apart.
  const int buttons = TestButtonWidth() + 4 + SBtnGrowth->sizeHint().width() + 16;
  return std::max({110, fontMetrics().horizontalAdvance(tr("Удаление;")) + 44, buttons});
}

int TEfficiencyPage::TestButtonWidth() const {
  return SBtnTest->sizeHint().width();
}

int TEfficiencyPage::GaugeLabelWidth() const {
  int widest = 0;
  for (const QLabel* label : GaugeLabels)
    widest = std::max(widest, fontMetrics().horizontalAdvance(label->text()));
  return widest + 4;
}

int TEfficiencyPage::GaugeValueWidth() const {
  return fontMetrics().horizontalAdvance("100%") + 4;
}

int TEfficiencyPage::EfficiencyWidth() const {
  return 10 + 6 + GaugeLabelWidth() + 90 + GaugeValueWidth() + 10;
}

int TEfficiencyPage::TrackBarHeight() const {
  return std::max(26, fontMetrics().height() + 10);
}

// The least page on which both charts show their titles and numbers, the track bar can be
// moved and the group boxes hold their rows.
QSize TEfficiencyPage::MinimumPageSize() const {
  const int lineHeight = fontMetrics().height();
  const int chartsLeft = 2 + OperationWidth() + 3 + EfficiencyWidth() + 3;
  const int barRow = fontMetrics().horizontalAdvance(LHashTSize->text()) + 2 +
                     fontMetrics().horizontalAdvance("3000") + 8 + TrackBarMinimumWidth + 2;
  const int width = chartsLeft + std::max(2 * ChartMinimumSize.width() + 2, barRow);
  const int top = lineHeight + 6;
  const int operationHeight = top + 3 * (lineHeight + 4) + 36 + 4;
  const int efficiencyHeight = top + static_cast<int>(Gauges.size()) * (lineHeight + 6) + 4 + 4 +
                               LEffMeaning->heightForWidth(EfficiencyWidth() - 16) + 6;
  const int height = std::max(
      {ChartMinimumSize.height() + TrackBarHeight(), operationHeight + 4, efficiencyHeight + 4});
  return {width, height};
}
