// The step-by-step page and the growth window, alone and in the overview window, driven through
// their controls: stepping a search forward and back shows the engine's steps and the same
// pictures, the key follows the name rule, the copy of the user's table stays private, playing
// runs to the end; a growth run on small sizes fits the scan table's slope of 1/2, draws its
// curves on linear and logarithmic axes and saves the points it plotted.

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <random>

#include "OverviewControls.h"
#include "SaveDialogSupport.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TRecordName.h"
#include "tables/TTableKinds.h"
#include "teach/TTableSteps.h"
#include "ui/Application.h"
#include "ui/EfficiencyPage.h"
#include "ui/Forms.h"
#include "ui/GrowthWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableStepsPage.h"
#include "ui/TableWindow.h"

#include <QDir>
#include <QRadioButton>
#include <QTabWidget>

using TABLESTRUCT::TTableEventKind;

namespace {

template <class T> T* Find(const QObject* parent, const char* name = nullptr) {
  T* found = parent->findChild<T*>(name ? QString(name) : QString());
  if (!found) qFatal("no %s", name ? name : "child");
  return found;
}

// What the step page shows: the picture of the step, its line and "Шаг i из n".
QImage Picture(const QWidget& page) {
  return Find<QLabel>(&page, "ImgStep")->pixmap().toImage();
}
QString Line(const QWidget& page) {
  return Find<QLineEdit>(&page, "EdStepText")->text();
}
QString Number(const QWidget& page) {
  return Find<QLabel>(&page, "LStepNumber")->text();
}
QString NumberOf(int step, int count) {
  return QString("Шаг %1 из %2").arg(step).arg(count - 1);
}
void Click(const QWidget& parent, const char* name) {
  QTest::mouseClick(Find<QPushButton>(&parent, name), Qt::LeftButton);
}
// The line of the operation's last step.
QString LastLine(const QWidget& page) {
  Click(page, "BBtnStepLast");
  return Line(page);
}

QString Shots() {
  return qEnvironmentVariable("TERMIX_SCREENSHOTS");
}

// The series of a chart of the growth window; the first three are the measured points.
QList<QLineSeries*> SeriesOf(const QWidget& window, const char* chart) {
  QList<QLineSeries*> list;
  for (QAbstractSeries* s : Find<QChartView>(&window, chart)->chart()->series())
    list.append(qobject_cast<QLineSeries*>(s));
  return list;
}

} // namespace

class TestTableSteps : public QObject {
  Q_OBJECT

private slots:
  void searchSteppedForwardAndBackShowsTheEnginesSteps() {
    std::mt19937 engine(21);
    const std::vector<std::string> keys =
        TABLESTRUCT::RandomStepKeys(24, [&engine] { return unsigned(engine()); });
    TABLESTRUCT::TPolScanTab user("");
    for (const std::string& key : keys)
      user.InsRecord(key, LISTSTRUCT::TPolinom());
    TTableStepsPage page;
    page.SetTableSource([&user] { return &user; });
    page.resize(900, 560);
    Find<QSpinBox>(&page, "CEStepBuckets")->setValue(6);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    auto* next = Find<QPushButton>(&page, "BBtnStepNext");
    const char* names[] = {"scan", "sorted", "hash"};
    for (int kind = 0; kind < 3; ++kind) {
      Find<QComboBox>(&page, "CBStepKind")->setCurrentIndex(kind);
      Find<QComboBox>(&page, "CBStepOper")->setCurrentIndex(0);
      // The engine's recording of the same search on a table of the same keys.
      const QString key = Find<QLineEdit>(&page, "EdStepKey")->text();
      auto table = TABLESTRUCT::MakeTable(TABLESTRUCT::TTableKind(kind), 6);
      for (const std::string& k : keys)
        table->InsRecord(k, LISTSTRUCT::TPolinom());
      table->ClearEfficiency();
      const TABLESTRUCT::TStepRecording expected = TABLESTRUCT::RecordOperation(
          *table, TABLESTRUCT::TestOperation::Search, key.toStdString());
      QVERIFY(expected.Result >= 0); // a key of the table was chosen, and the search finds it
      const int count = int(expected.Steps.size());
      QVERIFY2(count >= 3, qPrintable(QString::number(count)));
      QCOMPARE(Number(page), NumberOf(0, count));
      QVERIFY(!Find<QPushButton>(&page, "BBtnStepBack")->isEnabled());

      // Forward with the Right key (the focus on a button), back with the Left key.
      next->setFocus();
      std::vector<QImage> forward{Picture(page)};
      for (int step = 1; step < count; ++step) {
        QTest::keyClick(next, Qt::Key_Right);
        QCOMPARE(Number(page), NumberOf(step, count));
        QCOMPARE(Line(page), QString::fromStdString(expected.Steps[step].Text.Text()));
        forward.push_back(Picture(page));
        if (expected.Steps[step].Event.Kind != TTableEventKind::Finish)
          QVERIFY2(forward[step] != forward[step - 1], qPrintable(QString::number(step)));
        if (step == count / 2 && !Shots().isEmpty())
          page.grab().save(Shots() + QString("/step_%1_search.png").arg(names[kind]));
      }
      QVERIFY(!next->isEnabled());
      for (int step = count - 2; step >= 0; --step) {
        QTest::keyClick(next, Qt::Key_Left);
        QCOMPARE(Number(page), NumberOf(step, count));
        QVERIFY2(Picture(page) == forward[step], qPrintable(QString::number(step)));
        QCOMPARE(Line(page), QString::fromStdString(expected.Steps[step].Text.Text()));
      }
      Click(page, "BBtnStepLast");
      QVERIFY(Picture(page) == forward.back());
      Click(page, "BBtnStepFirst");
      QVERIFY(Picture(page) == forward.front());
    }
  }

  void keyFollowsTheNameRuleAndTheUserTableStaysUnchanged() {
    TABLESTRUCT::TPolScanTab user("");
    for (const char* key : {"Pol1", "Pol2", "Q"}) {
      LISTSTRUCT::TPolinom pol;
      pol.SetText("x+1");
      user.InsRecord(key, pol);
    }
    user.ClearEfficiency();
    TTableStepsPage page;
    page.SetTableSource([&user] { return &user; });
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    Click(page, "BBtnStepRefresh");
    // The copy: three records, the middle key searched and found where the table holds it.
    QCOMPARE(Line(page), QString("Поиск ключа Pol2 в просмотровой таблице (записей: 3)"));
    QVERIFY2(LastLine(page).startsWith("Ключ Pol2 найден в позиции 1."), qPrintable(Line(page)));

    auto* key = Find<QLineEdit>(&page, "EdStepKey");
    auto* text = Find<QLineEdit>(&page, "EdStepText");
    key->setText("P 1");
    const auto message = [](TABLESTRUCT::TNameFault fault) {
      return QString::fromStdString(TABLESTRUCT::TNameVerdict{fault, -1}.GetMessage());
    };
    QCOMPARE(text->text(), message(TABLESTRUCT::TNameFault::BadCharacter));
    QCOMPARE(key->toolTip(), message(TABLESTRUCT::TNameFault::BadCharacter));
    const auto red = [](QWidget* w) { return w->palette().color(QPalette::Text) == Qt::red; };
    QVERIFY(red(text) && text->font().bold()); // a fault reads as one
    if (!Shots().isEmpty()) page.grab().save(Shots() + "/step_bad_key.png");
    QCOMPARE(Number(page), NumberOf(0, 1));
    QVERIFY(!Find<QPushButton>(&page, "BBtnStepNext")->isEnabled() &&
            !Find<QPushButton>(&page, "BBtnStepPlay")->isEnabled());
    key->clear();
    QCOMPARE(text->text(), message(TABLESTRUCT::TNameFault::Empty));

    // Insertion, deletion and a sorted or hashed copy work on the page's own table.
    auto* kinds = Find<QComboBox>(&page, "CBStepKind");
    auto* operations = Find<QComboBox>(&page, "CBStepOper");
    for (int kind = 0; kind < 3; ++kind) {
      kinds->setCurrentIndex(kind);
      operations->setCurrentIndex(1);
      key->setText("New1");
      QVERIFY(!red(text) && !text->font().bold());
      QVERIFY2(LastLine(page).startsWith("Запись New1 вставлена"), qPrintable(Line(page)));
      operations->setCurrentIndex(2);
      key->setText("Pol2");
      QVERIFY2(LastLine(page).startsWith("Запись Pol2 удалена"), qPrintable(Line(page)));
    }
    std::vector<std::string> keys;
    for (user.Reset(); !user.IsTabEnded(); user.GoNext())
      keys.push_back(user.GetKey(-1));
    QCOMPARE(keys, (std::vector<std::string>{"Pol1", "Pol2", "Q"}));
    QCOMPARE(user.GetEfficiency(), 0);

    // Random keys instead of the copy, as many as asked for.
    auto* count = Find<QSpinBox>(&page, "CEStepCount");
    QVERIFY(!count->isEnabled());
    kinds->setCurrentIndex(0);
    operations->setCurrentIndex(0);
    Find<QRadioButton>(&page, "RBStepRandom")->setChecked(true);
    QVERIFY(count->isEnabled());
    count->setValue(24);
    Click(page, "BBtnStepFirst");
    QVERIFY2(Line(page).endsWith("(записей: 24)"), qPrintable(Line(page)));

    // Playing at ten steps a second runs to the last step and stops; Space starts it.
    auto* speed = Find<QSlider>(&page, "TrBStepSpeed");
    auto* play = Find<QTimer>(&page, "PlayTimer");
    speed->setValue(10);
    auto* first = Find<QPushButton>(&page, "BBtnStepFirst");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Space);
    QVERIFY(play->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!play->isActive(), 5000);
    const QString last = Number(page);
    QVERIFY(!Find<QPushButton>(&page, "BBtnStepNext")->isEnabled()); // at the last step
    // The speed slider keeps its arrow keys; the key field its space.
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Left);
    QCOMPARE(speed->value(), 9);
    QCOMPARE(Number(page), last);
    const QString typed = key->text();
    key->setFocus();
    QTest::keyClick(key, Qt::Key_Space);
    QVERIFY(!play->isActive());
    QCOMPARE(key->text(), typed + " ");
  }

  void growthRunOnSmallSizesFitsAndSaves() {
    TGrowthWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy ended(&window, &TGrowthWindow::RunEnded);
    window.Start(TABLESTRUCT::TestOperation::Search, 50, 9, {100, 200, 400, 800});
    QVERIFY(ended.count() == 1 || ended.wait(60000));
    auto* progress = Find<QProgressBar>(&window, "PBGrowth");
    QCOMPARE(progress->value(), progress->maximum());
    QVERIFY(Find<QPushButton>(&window, "BBtnGrowthSave")->isEnabled());
    QVERIFY(!Find<QPushButton>(&window, "BBtnGrowthCancel")->isEnabled());

    auto* logarithmic = Find<QCheckBox>(&window, "ChBGrowthLog");
    for (bool log : {true, false}) {
      logarithmic->setChecked(log);
      const auto series = SeriesOf(window, "ChGrowthOper");
      QCOMPARE(series.size(), 6);
      for (int k = 0; k < 3; ++k) {
        QCOMPARE(series[k]->count(), 4);
        QCOMPARE(series[3 + k]->pen().style(), Qt::DashLine);
        QCOMPARE(series[3 + k]->pen().color(), series[k]->pen().color());
        QVERIFY(series[3 + k]->name().contains("R² = "));
      }
      // The scan table's fitted slope, a·n with a near 1/2.
      const double slope = series[3]->name().section(QChar(0xB7), 0, 0).toDouble();
      QVERIFY2(std::abs(slope - 0.5) <= 0.05, qPrintable(series[3]->name()));
      // The hash table's curve follows its points up to the largest size: its m is the
      // number of buckets the keys reach, which the chart's title tells.
      const double measured = series[2]->at(3).y(), fitted = series[5]->points().last().y();
      QVERIFY2(std::abs(fitted / measured - 1) < 0.25,
               qPrintable(QString("%1 %2 %3").arg(measured).arg(fitted).arg(series[5]->name())));
      const QString title = Find<QChartView>(&window, "ChGrowthOper")->chart()->title();
      QVERIFY2(title.contains("m — корзин, занятых ключами (при n = 800: "), qPrintable(title));
      QCOMPARE(SeriesOf(window, "ChGrowthTime").size(), 3);
      const bool logAxis = qobject_cast<QLogValueAxis*>(
          Find<QChartView>(&window, "ChGrowthOper")->chart()->axes(Qt::Vertical).first());
      QCOMPARE(logAxis, log);
    }
    if (!Shots().isEmpty()) {
      window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
      QVERIFY(ended.wait(60000));
      QTest::qWait(100);
      window.grab().save(Shots() + "/growth_search.png");
      window.Start(TABLESTRUCT::TestOperation::Search, 50, 9, {100, 200, 400, 800});
      QVERIFY(ended.wait(60000));
    }

    // The saved points are the plotted ones: n, organisation, mean operations, mean µs.
    QTemporaryDir dir;
    const QString path = dir.filePath("growth.csv");
    auto* status = Find<QLabel>(&window, "LGrowthStatus");
    auto answered = TermixTest::AnswerFileDialog(path);
    Click(window, "BBtnGrowthSave");
    QVERIFY(*answered);
    QVERIFY(status->palette().color(QPalette::WindowText) != Qt::red);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(file.readLine().trimmed(),
             QByteArray("n,organisation,mean_operations,mean_microseconds"));
    const auto operations = SeriesOf(window, "ChGrowthOper");
    const auto times = SeriesOf(window, "ChGrowthTime");
    int lines = 0;
    for (; !file.atEnd(); ++lines) {
      const QList<QByteArray> fields = file.readLine().trimmed().split(',');
      QCOMPARE(fields.size(), 4);
      int k = 0;
      while (k < 3 && TABLESTRUCT::TableKinds()[k].Key != fields[1].toStdString())
        ++k;
      QVERIFY2(k < 3, fields[1].constData());
      const double n = fields[0].toDouble();
      QVERIFY(operations[k]->points().contains(QPointF(n, fields[2].toDouble())));
      QVERIFY(times[k]->points().contains(QPointF(n, fields[3].toDouble())));
    }
    QCOMPARE(lines, 12);
    // A file that cannot be written says so, in the message look.
    answered = TermixTest::AnswerFileDialog(dir.filePath("growth.csv/x.csv"));
    Click(window, "BBtnGrowthSave");
    QVERIFY(*answered);
    QVERIFY(status->text().startsWith("Файл не записан"));
    QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::red));

    // A cancelled run keeps the sizes it finished.
    const int before = ended.count();
    window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
    Click(window, "BBtnGrowthCancel");
    QVERIFY(ended.count() > before || ended.wait(60000));
    QVERIFY2(status->text().startsWith("Расчёт прерван; точек: "), qPrintable(status->text()));
    QVERIFY(status->text().section(' ', -1).toInt() < 21);
  }

  // In the program: the fifth overview page copies the user's table and leaves it alone; the
  // efficiency page's «Рост затрат» runs the chosen operation at the track bar's percentage.
  void stepPageAndGrowthButtonInTheOverviewWindow() {
    QDir().mkpath("IniSaves");
    QFile::remove("IniSaves/PolTable.ini");
    CreateForms();
    Form9->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form9));
    for (const char* key : {"A1", "B2", "C3"})
      TableDocument->Insert(key, LISTSTRUCT::TPolinom());
    QCOMPARE(OverviewControls::PCViewTab()->tabText(4), QString("Пошаговая работа таблиц"));
    OverviewControls::PCViewTab()->setCurrentIndex(4);
    TTableStepsPage* steps = OverviewControls::StepsPage();
    QTRY_COMPARE(Line(*steps), QString("Поиск ключа B2 в просмотровой таблице (записей: 3)"));
    // The window grew to what the page needs.
    QTRY_VERIFY(Find<QScrollArea>(steps, "SBStepPicture")->height() >= 160);
    Find<QComboBox>(steps, "CBStepOper")->setCurrentIndex(1);
    Find<QLineEdit>(steps, "EdStepKey")->setText("D4");
    QVERIFY2(LastLine(*steps).startsWith("Запись D4 вставлена"), qPrintable(Line(*steps)));
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 3);
    if (!Shots().isEmpty()) Form9->grab().save(Shots() + "/overview_steps.png");

    OverviewControls::PCViewTab()->setCurrentIndex(3);
    TEfficiencyPage* page = OverviewControls::EfficPage();
    Find<QRadioButton>(page, "RBEInsert")->setChecked(true);
    Find<QSlider>(page, "TrBHashTSize")->setValue(20);
    auto* growthButton = Find<QPushButton>(page, "SBtnGrowth");
    auto* testButton = Find<QPushButton>(page, "SBtnTest");
    QVERIFY(growthButton->isVisible());
    QCOMPARE(growthButton->y(), testButton->y());
    QVERIFY(growthButton->x() > testButton->geometry().right());
    QTest::mouseClick(growthButton, Qt::LeftButton);
    auto* growth = Find<TGrowthWindow>(page);
    QVERIFY(growth->isVisible());
    QSignalSpy ended(growth, &TGrowthWindow::RunEnded);
    QCOMPARE(Find<QLabel>(growth, "LGrowthStatus")->text(),
             QString("Идёт расчёт (вставка, корзин: 20 % от n)…"));
    QVERIFY(ended.wait(60000));
    for (QLineSeries* measured : SeriesOf(*growth, "ChGrowthOper").mid(0, 3))
      QCOMPARE(measured->count(), 7); // every standard size
    DestroyForms();
  }
};

QTEST_MAIN(TestTableSteps)
#include "test_tablesteps.moc"
