// The efficiency page: runs of the three operations fill the charts and the gauges.

#include <QCategoryAxis>
#include <QChartView>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>
#include <random>

#include "ui/EfficiencyPage.h"

class TestEfficiencyPage : public QObject {
  Q_OBJECT

  // The series of a chart by its object name.
  static QList<QLineSeries*> SeriesOf(TEfficiencyPage& page, const char* chartName) {
    auto* view = page.findChild<QChartView*>(chartName);
    QList<QLineSeries*> list;
    if (!view) return list;
    for (QAbstractSeries* s : view->chart()->series())
      list.append(qobject_cast<QLineSeries*>(s));
    return list;
  }

  // The gauges of the scan, sorted and hash tables.
  static std::array<QProgressBar*, 3> Gauges(TEfficiencyPage& page) {
    return {page.findChild<QProgressBar*>("CGgEffScan"),
            page.findChild<QProgressBar*>("CGgEffSort"),
            page.findChild<QProgressBar*>("CGgEffHash")};
  }

  static void Seed(TEfficiencyPage& page, unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    page.SetRandomSource([engine] { return static_cast<unsigned>((*engine)()); });
  }

private slots:
  void startsEmptyWithSearchAndFifteenHundredBuckets() {
    TEfficiencyPage page;
    QVERIFY(page.RBESearch->isChecked());
    QCOMPARE(page.TestOper(), 1);
    QCOMPARE(page.TrBHashTSize->minimum(), 1);
    QCOMPARE(page.TrBHashTSize->maximum(), 100);
    QCOMPARE(page.HashSize(), 1500);
    page.TrBHashTSize->setValue(1);
    QCOMPARE(page.HashSize(), 30);
    page.TrBHashTSize->setValue(100);
    QCOMPARE(page.HashSize(), 3000);
    for (auto* gauge : Gauges(page)) {
      QVERIFY(gauge);
      QCOMPARE(gauge->value(), 0);
      QCOMPARE(gauge->minimum(), 0);
      QCOMPARE(gauge->maximum(), 100);
    }
    for (const char* chart : {"ChEffTime", "ChEffOper"}) {
      const auto series = SeriesOf(page, chart);
      QCOMPARE(series.size(), 3);
      for (auto* s : series)
        QCOMPARE(s->count(), 0);
    }
    QCOMPARE(SeriesOf(page, "ChEffOper")[0]->pen().color(), QColor(Qt::red));
    QCOMPARE(SeriesOf(page, "ChEffOper")[1]->pen().color(), QColor(Qt::blue));
    QCOMPARE(SeriesOf(page, "ChEffOper")[2]->pen().color(), QColor(0, 255, 0));
    QCOMPARE(SeriesOf(page, "ChEffTime")[2]->pen().width(), 2);
  }

  void eachOperationFillsSixSeriesAndThreeGauges_data() {
    QTest::addColumn<int>("operation");
    QTest::newRow("search") << 1;
    QTest::newRow("insertion") << 2;
    QTest::newRow("deletion") << 3;
  }

  void eachOperationFillsSixSeriesAndThreeGauges() {
    QFETCH(int, operation);
    TEfficiencyPage page;
    Seed(page, 5);
    page.resize(900, 300);
    page.show();
    QRadioButton* buttons[] = {page.RBESearch, page.RBEInsert, page.RBEDelete};
    buttons[operation - 1]->setChecked(true);
    QCOMPARE(page.TestOper(), operation);
    QTest::mouseClick(page.SBtnTest, Qt::LeftButton);

    for (auto* s : SeriesOf(page, "ChEffTime")) {
      QCOMPARE(s->count(), 15);
      QCOMPARE(s->at(0), QPointF(0, 0));
      QCOMPARE(s->at(14).x(), 2700.0);
    }
    const auto oper = SeriesOf(page, "ChEffOper");
    for (auto* s : oper) {
      QCOMPARE(s->count(), 3000);
      QCOMPARE(s->at(2999).x(), 2999.0);
    }
    int best = 0;
    const auto gauges = Gauges(page);
    for (auto* gauge : gauges) {
      // A scan over 3000 records can score below one percent in a search.
      QVERIFY(gauge->value() >= 0);
      QVERIFY(gauge->value() <= 100);
      best = std::max(best, gauge->value());
    }
    QVERIFY(best >= 50); // the best table is best in at least one of the two terms
    if (operation == 1) {
      // Binary search beats a linear scan on the count by far.
      QVERIFY(oper[1]->at(2999).y() * 10 < oper[0]->at(2999).y());
      QVERIFY(gauges[0]->value() < gauges[1]->value());
    }
    // `make screenshots` collects the page after a run.
    const QString shots = qEnvironmentVariable("TERMIX_SCREENSHOTS");
    if (!shots.isEmpty()) {
      QTest::qWait(100); // let the charts lay out their new axes
      const char* names[] = {"search", "insertion", "deletion"};
      page.grab().save(shots + QString("/efficiency-%1.png").arg(names[operation - 1]));
    }
    // A second run clears the first one's points instead of adding to them.
    QTest::mouseClick(page.SBtnTest, Qt::LeftButton);
    QCOMPARE(SeriesOf(page, "ChEffTime")[0]->count(), 15);
    QCOMPARE(SeriesOf(page, "ChEffOper")[0]->count(), 3000);
  }

  void axisNumbersHaveNoTrailingZerosAndNoExponent() {
    TEfficiencyPage page;
    Seed(page, 9);
    page.resize(900, 300);
    page.show();
    QTest::mouseClick(page.SBtnTest, Qt::LeftButton);
    auto* time = page.findChild<QChartView*>("ChEffTime");
    QVERIFY(time);
    QCategoryAxis* axis = nullptr;
    for (QAbstractAxis* a : time->chart()->axes(Qt::Vertical))
      axis = qobject_cast<QCategoryAxis*>(a);
    QVERIFY(axis);
    const QStringList labels = axis->categoriesLabels();
    QVERIFY(labels.size() >= 2);
    for (const QString& label : labels) {
      QVERIFY2(!label.contains('e') && !label.contains('E'), qPrintable(label));
      if (label.contains('.')) QVERIFY2(!label.endsWith('0'), qPrintable(label));
      const int dot = label.indexOf('.');
      if (dot >= 0) QVERIFY2(label.size() - dot - 1 <= 9, qPrintable(label));
    }
  }
};

QTEST_MAIN(TestEfficiencyPage)
#include "test_efficiencypage.moc"
