// The step-by-step page and the growth window, alone and in the overview window: stepping a search
// forward and back shows the same pictures, the key follows the name rule, the copy of the user's
// table stays private, playing runs to the end; a growth run on small sizes fits the scan table's
// slope of 1/2, draws its curves on linear and logarithmic axes and saves its points.

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
#include <QtTest>
#include <random>

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TRecordName.h"
#include "ui/Application.h"
#include "ui/EfficiencyPage.h"
#include "ui/Forms.h"
#include "ui/GrowthWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/TableStepsPage.h"
#include "ui/TableWindow.h"

#include <QDir>
#include <QRadioButton>
#include <QTabWidget>

using TABLESTRUCT::TTableEventKind;

class TestTableSteps : public QObject {
  Q_OBJECT

  static void Seed(TTableStepsPage& page, unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    page.SetRandomSource([engine] { return static_cast<unsigned>((*engine)()); });
  }

  static QString Shots() { return qEnvironmentVariable("TERMIX_SCREENSHOTS"); }

private slots:
  void searchSteppedForwardAndBackShowsTheSamePictures() {
    TTableStepsPage page;
    Seed(page, 21);
    page.resize(900, 560);
    page.RBStepRandom->setChecked(true);
    page.CEStepCount->setValue(24);
    page.CEStepBuckets->setValue(6);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    const char* names[] = {"scan", "sorted", "hash"};
    for (int kind = 0; kind < 3; ++kind) {
      page.CBStepKind->setCurrentIndex(kind);
      page.CBStepOper->setCurrentIndex(0);
      QVERIFY(!page.EdStepKey->text().isEmpty()); // a key of the table was chosen
      QVERIFY(page.GetRecording().Result >= 0);   // and the search finds it
      const int count = page.StepCount();
      QVERIFY2(count >= 3, qPrintable(QString::number(count)));
      QCOMPARE(page.CurrentStep(), 0);
      QVERIFY(!page.BBtnStepBack->isEnabled());

      // Forward with the Right key (the focus on a button), back with the Left key.
      page.BBtnStepNext->setFocus();
      std::vector<QImage> forward{page.GetStepBitmap().toImage()};
      std::vector<QString> lines{page.EdStepText->text()};
      for (int step = 1; step < count; ++step) {
        QTest::keyClick(page.BBtnStepNext, Qt::Key_Right);
        QCOMPARE(page.CurrentStep(), step);
        forward.push_back(page.GetStepBitmap().toImage());
        lines.push_back(page.EdStepText->text());
        QCOMPARE(lines.back(), QString::fromStdString(page.GetRecording().Steps[step].Text));
        if (page.GetRecording().Steps[step].Event.Kind != TTableEventKind::Finish)
          QVERIFY2(forward[step] != forward[step - 1], qPrintable(QString::number(step)));
        if (step == count / 2 && !Shots().isEmpty())
          page.grab().save(Shots() + QString("/step_%1_search.png").arg(names[kind]));
      }
      QVERIFY(!page.BBtnStepNext->isEnabled());
      QVERIFY(page.LStepNumber->text().contains(QString::number(count - 1)));
      for (int step = count - 2; step >= 0; --step) {
        QTest::keyClick(page.BBtnStepNext, Qt::Key_Left);
        QCOMPARE(page.CurrentStep(), step);
        QVERIFY2(page.GetStepBitmap().toImage() == forward[step],
                 qPrintable(QString::number(step)));
        QCOMPARE(page.EdStepText->text(), lines[step]);
      }
      QTest::mouseClick(page.BBtnStepLast, Qt::LeftButton);
      QVERIFY(page.GetStepBitmap().toImage() == forward.back());
      QTest::mouseClick(page.BBtnStepFirst, Qt::LeftButton);
      QVERIFY(page.GetStepBitmap().toImage() == forward.front());
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
    page.BBtnStepRefreshClick();
    QCOMPARE(page.GetRecording().Initial, TABLESTRUCT::TTableLayout({{"Pol1", "Pol2", "Q"}}));

    page.EdStepKey->setText("P 1");
    const auto message = [](TABLESTRUCT::TNameFault fault) {
      return QString::fromStdString(TABLESTRUCT::TNameVerdict{fault, -1}.GetMessage());
    };
    QCOMPARE(page.EdStepText->text(), message(TABLESTRUCT::TNameFault::BadCharacter));
    QCOMPARE(page.EdStepKey->toolTip(), message(TABLESTRUCT::TNameFault::BadCharacter));
    const auto red = [](QWidget* w) { return w->palette().color(QPalette::Text) == Qt::red; };
    QVERIFY(red(page.EdStepText) && page.EdStepText->font().bold()); // a fault reads as one
    if (!Shots().isEmpty()) page.grab().save(Shots() + "/step_bad_key.png");
    QCOMPARE(page.StepCount(), 1);
    QVERIFY(!page.BBtnStepNext->isEnabled() && !page.BBtnStepPlay->isEnabled());
    page.EdStepKey->clear();
    QCOMPARE(page.EdStepText->text(), message(TABLESTRUCT::TNameFault::Empty));

    // Insertion, deletion and a sorted or hashed copy work on the page's own table.
    for (int kind = 0; kind < 3; ++kind) {
      page.CBStepKind->setCurrentIndex(kind);
      page.CBStepOper->setCurrentIndex(1);
      page.EdStepKey->setText("New1");
      QVERIFY(page.GetRecording().Result >= 0);
      QVERIFY(!red(page.EdStepText) && !page.EdStepText->font().bold());
      page.CBStepOper->setCurrentIndex(2);
      page.EdStepKey->setText("Pol2");
      QCOMPARE(page.GetRecording().Code, 0);
    }
    std::vector<std::string> keys;
    for (user.Reset(); !user.IsTabEnded(); user.GoNext())
      keys.push_back(user.GetKey(-1));
    QCOMPARE(keys, (std::vector<std::string>{"Pol1", "Pol2", "Q"}));
    QCOMPARE(user.GetEfficiency(), 0);

    // Playing at ten steps a second runs to the last step and stops; Space starts it.
    page.TrBStepSpeed->setValue(10);
    page.CBStepOper->setCurrentIndex(0);
    page.EdStepKey->setText("Q");
    page.BBtnStepFirst->setFocus();
    QTest::keyClick(page.BBtnStepFirst, Qt::Key_Space);
    QVERIFY(page.IsPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(!page.IsPlaying(), 5000);
    QCOMPARE(page.CurrentStep(), page.StepCount() - 1);
    // The speed slider keeps its arrow keys; the key field its space.
    page.TrBStepSpeed->setFocus();
    QTest::keyClick(page.TrBStepSpeed, Qt::Key_Left);
    QCOMPARE(page.TrBStepSpeed->value(), 9);
    QCOMPARE(page.CurrentStep(), page.StepCount() - 1);
    page.EdStepKey->setFocus();
    QTest::keyClick(page.EdStepKey, Qt::Key_Space);
    QVERIFY(!page.IsPlaying());
    QCOMPARE(page.EdStepKey->text(), QString("Q "));
  }

  void growthRunOnSmallSizesFitsAndSaves() {
    TGrowthWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy ended(&window, &TGrowthWindow::RunEnded);
    window.SetSizes({100, 200, 400, 800});
    window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
    QVERIFY(window.IsRunning() || ended.count() == 1);
    QVERIFY(ended.count() == 1 || ended.wait(60000));
    QVERIFY(!window.IsRunning());
    const TABLESTRUCT::TGrowthResult& result = window.GetResult();
    QCOMPARE(result.Points.size(), std::size_t(12));
    QVERIFY(!result.Cancelled);
    QVERIFY2(std::abs(result.Fits[0].Slope - 0.5) <= 0.05,
             qPrintable(QString::number(result.Fits[0].Slope)));
    QCOMPARE(window.PBGrowth->value(), window.PBGrowth->maximum());
    QVERIFY(window.BBtnGrowthSave->isEnabled());

    for (bool logarithmic : {false, true}) {
      window.ChBGrowthLog->setChecked(logarithmic);
      const auto series = window.ChGrowthOper->chart()->series();
      QCOMPARE(series.size(), 6);
      for (int k = 0; k < 3; ++k) {
        auto* measured = qobject_cast<QLineSeries*>(series[k]);
        auto* fitted = qobject_cast<QLineSeries*>(series[3 + k]);
        QCOMPARE(measured->count(), 4);
        QCOMPARE(fitted->pen().style(), Qt::DashLine);
        QCOMPARE(fitted->pen().color(), measured->pen().color());
        QVERIFY(fitted->name().contains("R² = "));
      }
      QCOMPARE(window.ChGrowthTime->chart()->series().size(), 3);
      const bool logAxis =
          qobject_cast<QLogValueAxis*>(window.ChGrowthOper->chart()->axes(Qt::Vertical).first());
      QCOMPARE(logAxis, logarithmic);
    }
    if (!Shots().isEmpty()) {
      window.SetSizes(TABLESTRUCT::TGrowthRun::StandardSizes());
      window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
      QVERIFY(ended.wait(60000));
      window.ChBGrowthLog->setChecked(false);
      QTest::qWait(100);
      window.grab().save(Shots() + "/growth_search.png");
      window.SetSizes({100, 200, 400, 800});
      window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
      QVERIFY(ended.wait(60000));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("growth.csv");
    QVERIFY(window.SaveData(path));
    QVERIFY(window.LGrowthStatus->palette().color(QPalette::WindowText) != Qt::red);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), TABLESTRUCT::GrowthCsv(result));
    QVERIFY(!window.SaveData(dir.path())); // a folder is in the way
    QVERIFY(window.LGrowthStatus->text().startsWith("Файл не записан"));
    QCOMPARE(window.LGrowthStatus->palette().color(QPalette::WindowText), QColor(Qt::red));

    // A cancelled run keeps the sizes it finished.
    window.SetSizes(TABLESTRUCT::TGrowthRun::StandardSizes());
    const int before = ended.count();
    window.Start(TABLESTRUCT::TestOperation::Search, 50, 9);
    QTest::mouseClick(window.BBtnGrowthCancel, Qt::LeftButton);
    QVERIFY(ended.count() > before || ended.wait(60000));
    QVERIFY(window.GetResult().Cancelled);
    QVERIFY(window.GetResult().Points.size() < 21);
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
      Form2->CurTab->InsRecord(key, LISTSTRUCT::TPolinom());
    QCOMPARE(Form9->PCViewTab->tabText(4), QString("Пошаговая работа таблиц"));
    Form9->PCViewTab->setCurrentIndex(4);
    QTRY_COMPARE(Form9->StepsPage->GetRecording().Initial,
                 TABLESTRUCT::TTableLayout({{"A1", "B2", "C3"}}));
    // The window grew to what the page needs.
    QTRY_VERIFY(Form9->StepsPage->SBStepPicture->height() >= 160);
    Form9->StepsPage->CBStepOper->setCurrentIndex(1);
    Form9->StepsPage->EdStepKey->setText("D4");
    QVERIFY(Form9->StepsPage->GetRecording().Result >= 0);
    QCOMPARE(Form2->CurTab->GetDataCount(), 3);
    if (!Shots().isEmpty()) Form9->grab().save(Shots() + "/overview_steps.png");

    Form9->PCViewTab->setCurrentIndex(3);
    TEfficiencyPage* page = Form9->EfficPage;
    page->RBEInsert->setChecked(true);
    page->TrBHashTSize->setValue(20);
    QVERIFY(page->SBtnGrowth->isVisible());
    QCOMPARE(page->SBtnGrowth->y(), page->SBtnTest->y());
    QVERIFY(page->SBtnGrowth->x() > page->SBtnTest->geometry().right());
    QTest::mouseClick(page->SBtnGrowth, Qt::LeftButton);
    TGrowthWindow* growth = page->GetGrowthWindow();
    QVERIFY(growth && growth->isVisible());
    QSignalSpy ended(growth, &TGrowthWindow::RunEnded);
    QVERIFY(ended.wait(60000));
    QCOMPARE(growth->GetResult().Operation, TABLESTRUCT::TestOperation::Insertion);
    QCOMPARE(growth->GetResult().HashPercent, 20);
    QCOMPARE(growth->GetResult().Points.size(), std::size_t(21));
    DestroyForms();
  }
};

QTEST_MAIN(TestTableSteps)
#include "test_tablesteps.moc"
