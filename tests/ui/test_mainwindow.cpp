// The main window: start-up order, initial pictures, toggles, page buttons, save-mode
// button, hot pictures at the border pixels and the command buttons.
#include "TermixTestSupport.h"

#include "ui/AboutWindow.h"
#include "ui/CalcWindow.h"
#include "ui/HelpWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/TableWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>

using namespace TermixTest;

namespace {
// Records the order in which watched windows are shown.
class TShowRecorder : public QObject {
public:
  QStringList Shown;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) Shown << watched->objectName();
    return false;
  }
};

TToolButton* Button(const char* name) {
  return Form1->findChild<TToolButton*>(name);
}

// A pointer move over the widget, delivered as the window system delivers it to the
// widget. The shared virtual screen's real pointer is left alone, so window tests that
// run at the same time cannot move it under this one.
void MoveOver(QWidget* w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}

void Click(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
}
} // namespace

class TestMainWindow : public QObject {
  Q_OBJECT
private slots:
  void cleanup() { DestroyForms(); }

  void startUpShowsSplashBeforeTheWorkingWindows() {
    CreateForms();
    TShowRecorder recorder;
    for (QWidget* w : std::initializer_list<QWidget*>{Form2, Form3, Form9})
      w->installEventFilter(&recorder);
    QStringList beforeFirstClick, afterFirstClick;
    bool visibleAfterFirstClick = false, closedAfterSecondClick = false;
    auto splash = WhenModal(Form11, [&] {
      beforeFirstClick << Form11->PicturePath() << QString::number(Form11->SplashClicks);
      for (QWidget* w : std::initializer_list<QWidget*>{Form2, Form3, Form9})
        if (w->isVisible()) beforeFirstClick << w->objectName();
      ClickSplash();
      afterFirstClick << Form11->PicturePath() << QString::number(Form11->SplashClicks);
      visibleAfterFirstClick = Form11->isVisible() && !Form2->isVisible();
      ClickSplash();
      closedAfterSecondClick = !Form11->isVisible();
    });
    Form1->show();
    QTRY_VERIFY_WITH_TIMEOUT(Form9->isVisible(), 10000);
    QVERIFY(*splash);
    QCOMPARE(beforeFirstClick, QStringList({"Images/logo.bmp", "0"}));
    QCOMPARE(afterFirstClick, QStringList({"Images/tutorial.bmp", "1"}));
    QVERIFY(visibleAfterFirstClick);
    QVERIFY(closedAfterSecondClick);
    QCOMPARE(recorder.Shown, QStringList({"Form2", "Form3", "Form9"}));
    QVERIFY(Form1->StoreShown && Form1->PolsShown && Form1->ViewShown);
  }

  void initialPicturesHintsAndGeometry() {
    QVERIFY(StartProgram());
    const QList<QPair<const char*, int>> pictures = {
        {"TBStore", 7},    {"TBNew", 9},         {"TBDelete", 11}, {"TBChange", 10},
        {"TBSavLod", 13},  {"TBPols", 5},        {"TBCalc", 7},    {"TBLoadF", 8},
        {"TBSaveF", 9},    {"TBView", 2},        {"TBFormula", 8}, {"TBStruct", 9},
        {"TBSurface", 10}, {"TBEfficiency", 11}, {"TBHelp", 2},    {"TBAbout", 3}};
    for (const auto& [name, index] : pictures) {
      TToolButton* b = Button(name);
      QVERIFY2(b, name);
      QCOMPARE(b->ImageIndex(), index);
      QCOMPARE(b->size(), QSize(57, 66));
      QCOMPARE(b->iconSize(), QSize(50, 60));
      QCOMPARE(b->accessibleName(), b->toolTip());
    }
    QCOMPARE(Button("TBChange")->toolTip(), QString("Изменить/Скопировать полином  в таблице"));
    QCOMPARE(Button("TBFormula")->toolTip(),
             QString("Страница выбора и просмотра формулы полинома "));
    QCOMPARE(Button("TBCalc")->toolTip(), QString("Вычисление значения введённого выражения"));
    QCOMPARE(Button("TBAbout")->toolTip(), QString("О программе"));
    // Buttons sit on their own tool bars, in order.
    auto names = [](QToolBar* bar) {
      QStringList list;
      for (auto* b : bar->findChildren<TToolButton*>())
        list << b->objectName();
      return list;
    };
    QCOMPARE(names(Form1->ToolBar1),
             QStringList({"TBStore", "TBNew", "TBDelete", "TBChange", "TBSavLod"}));
    QCOMPARE(names(Form1->ToolBar2), QStringList({"TBPols", "TBCalc", "TBLoadF", "TBSaveF"}));
    QCOMPARE(names(Form1->ToolBar3),
             QStringList({"TBView", "TBFormula", "TBStruct", "TBSurface", "TBEfficiency"}));
    QCOMPARE(names(Form1->ToolBar4), QStringList({"TBHelp", "TBAbout"}));
    // A strip of fixed height across the screen.
    QCOMPARE(Form1->windowTitle(), QString("TERMIX: Работа с полиномами от нескольких переменных"));
    QCOMPARE(Form1->height(), 95);
    QCOMPARE(Form1->minimumHeight(), 95);
    QCOMPARE(Form1->maximumHeight(), 95);
    QCOMPARE(Form1->width(), QGuiApplication::primaryScreen()->availableGeometry().width());
    QVERIFY(Form1->windowState() & Qt::WindowMaximized);
    // Every tool bar fits: no button is pushed out of sight.
    for (auto* b : Form1->findChildren<TToolButton*>())
      QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
  }

  void pictureListsHoldDistinctPictures() {
    CreateForms();
    const QList<QPair<const TImageList*, int>> lists = {{&Form1->ImageList1, 14},
                                                        {&Form1->ImageList2, 10},
                                                        {&Form1->ImageList3, 12},
                                                        {&Form1->ImageList4, 4}};
    for (const auto& [list, count] : lists) {
      QCOMPARE(list->Count(), count);
      QSet<QByteArray> seen;
      for (int i = 0; i < count; ++i) {
        const QImage image = list->Get(i).toImage();
        QCOMPARE(image.deviceIndependentSize().toSize(), QSize(50, 60));
        // A missing symbol would leave a bare tile, the same for every button.
        const QByteArray bits(reinterpret_cast<const char*>(image.constBits()),
                              image.sizeInBytes());
        QVERIFY2(!seen.contains(bits), qPrintable(QString("picture %1 repeats").arg(i)));
        seen.insert(bits);
      }
    }
    QVERIFY(Form1->ImageList1.Get(14).isNull());
    QVERIFY(Form1->ImageList1.Get(-1).isNull());
  }

  void toggles_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("normalOn");
    QTest::addColumn<int>("normalOff");
    QTest::newRow("table window") << "TBStore" << 7 << 8;
    QTest::newRow("calculation window") << "TBPols" << 5 << 6;
    QTest::newRow("overview window") << "TBView" << 2 << 3;
  }

  void toggles() {
    QFETCH(QString, button);
    QFETCH(int, normalOn);
    QFETCH(int, normalOff);
    QVERIFY(StartProgram());
    TToolButton* b = Button(qPrintable(button));
    QWidget* window = b == Form1->TBStore  ? static_cast<QWidget*>(Form2)
                      : b == Form1->TBPols ? static_cast<QWidget*>(Form3)
                                           : static_cast<QWidget*>(Form9);
    bool& flag = b == Form1->TBStore  ? Form1->StoreShown
                 : b == Form1->TBPols ? Form1->PolsShown
                                      : Form1->ViewShown;
    Click(b);
    QVERIFY(!flag);
    QVERIFY(!window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOff);
    Click(b);
    QVERIFY(flag);
    QVERIFY(window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOn);
    // The close box goes the same road as the button; pressing it again shows the window.
    window->close(); // a window may refuse the close and hide itself through the toggle
    QVERIFY(!flag);
    QVERIFY(!window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOff);
    Click(b);
    QVERIFY(flag);
    QVERIFY(window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOn);
    // The other two windows were not touched.
    QCOMPARE(int(Form1->StoreShown) + int(Form1->PolsShown) + int(Form1->ViewShown), 3);
  }

  void pageButtonsTurnPagesWithoutShowingTheWindow() {
    QVERIFY(StartProgram());
    QTabWidget* pages = Form9->PCViewTab;
    QCOMPARE(pages->count(), 4);
    const char* buttons[] = {"TBFormula", "TBStruct", "TBSurface", "TBEfficiency"};
    for (int page : {3, 1, 2, 0}) {
      Click(Button(buttons[page]));
      QCOMPARE(pages->currentIndex(), page);
    }
    Click(Form1->TBView);
    QVERIFY(!Form9->isVisible());
    Click(Form1->TBSurface);
    QCOMPARE(pages->currentIndex(), 2);
    QVERIFY(!Form9->isVisible());
    QVERIFY(!Form1->ViewShown);
    QCOMPARE(Form1->TBView->ImageIndex(), 3);
    Click(Form1->TBView);
    QVERIFY(Form9->isVisible());
    QCOMPARE(pages->currentIndex(), 2);
  }

  void saveModeButtonSwitchesOffAtOnce() {
    QVERIFY(StartProgram());
    Form2->SaveMode = true;
    auto asked = WhenModal(
        Form7, [] { Form7->reject(); }, 300);
    Click(Form1->TBSavLod);
    QVERIFY(!Form2->SaveMode);
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 6);
    QTest::qWait(350);
    QVERIFY(!*asked);
  }

  void saveModeButtonAsksBeforeSwitchingOn() {
    QVERIFY(StartProgram());
    if (Form7->findChildren<QPushButton*>().isEmpty())
      QSKIP("the save-mode warning window is not built yet");
    QVERIFY(!Form2->SaveMode);
    auto asked = WhenModal(Form7, [] { Form7->reject(); });
    Click(Form1->TBSavLod);
    QVERIFY(*asked);
    QVERIFY(!Form2->SaveMode);
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 13);
  }

  void hotPictureBounds_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("hot");
    QTest::addColumn<int>("normal");
    const QList<std::tuple<const char*, int, int>> rows = {
        {"TBStore", 0, 7},    {"TBNew", 2, 9},         {"TBDelete", 4, 11}, {"TBChange", 3, 10},
        {"TBSavLod", 6, 13},  {"TBPols", 0, 5},        {"TBCalc", 2, 7},    {"TBLoadF", 3, 8},
        {"TBSaveF", 4, 9},    {"TBView", 0, 2},        {"TBFormula", 4, 8}, {"TBStruct", 5, 9},
        {"TBSurface", 6, 10}, {"TBEfficiency", 7, 11}, {"TBHelp", 0, 2},    {"TBAbout", 1, 3}};
    for (const auto& [name, hot, normal] : rows)
      QTest::newRow(name) << name << hot << normal;
  }

  void hotPictureBounds() {
    QFETCH(QString, button);
    QFETCH(int, hot);
    QFETCH(int, normal);
    QVERIFY(StartProgram());
    TToolButton* b = Button(qPrintable(button));
    const int w = b->width(), h = b->height();
    // Pointer moves over the button, then out across its border. Moves without a pressed
    // button reach it only with mouse tracking on.
    QVERIFY(b->hasMouseTracking());
    MoveOver(b, QPoint(w / 2, h / 2));
    QCOMPARE(b->ImageIndex(), hot);
    QCOMPARE(QWidget::mouseGrabber(), b);
    MoveOver(b, QPoint(0, h / 2));
    QCOMPARE(b->ImageIndex(), normal);
    QVERIFY(QWidget::mouseGrabber() != b);
    // The rule itself at every border pixel and just inside it.
    const QList<std::tuple<int, int, bool>> points = {
        {1, 1, true},  {w - 1, h - 1, true}, {0, 1, false},      {1, 0, false},       {w, 1, false},
        {1, h, false}, {w - 1, 0, false},    {-5, h / 2, false}, {w / 2, h / 2, true}};
    for (const auto& [x, y, over] : points) {
      Form1->ButtonMouseMove(b, x, y);
      QCOMPARE(b->ImageIndex(), over ? hot : normal);
      QCOMPARE(QWidget::mouseGrabber() == b, over);
    }
    Form1->ButtonMouseMove(b, -1, -1);
  }

  void hotPicturesFollowTheState() {
    QVERIFY(StartProgram());
    Click(Form1->TBStore); // table window off
    Form1->ButtonMouseMove(Form1->TBStore, 5, 5);
    QCOMPARE(Form1->TBStore->ImageIndex(), 1);
    Form1->ButtonMouseMove(Form1->TBStore, 0, 5);
    QCOMPARE(Form1->TBStore->ImageIndex(), 8);
    Form2->SaveMode = true;
    Form1->ButtonMouseMove(Form1->TBSavLod, 5, 5);
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 5);
    Form1->ButtonMouseMove(Form1->TBSavLod, 5, 66);
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 12);
    Click(Form1->TBPols);
    Form1->ButtonMouseMove(Form1->TBPols, 5, 5);
    QCOMPARE(Form1->TBPols->ImageIndex(), 1);
    Click(Form1->TBView);
    Form1->ButtonMouseMove(Form1->TBView, 56, 65);
    QCOMPARE(Form1->TBView->ImageIndex(), 1);
    Form1->ButtonMouseMove(Form1->TBView, 57, 65);
    QCOMPARE(Form1->TBView->ImageIndex(), 3);
  }

  void commandButtonsRestoreTheirNormalPicture() {
    QVERIFY(StartProgram());
    for (TToolButton* b : {Form1->TBCalc, Form1->TBLoadF, Form1->TBSaveF}) {
      MoveOver(b, QPoint(20, 20));
      QCOMPARE(b->ImageIndex(), b->HotOn);
      TModalDismisser dismisser; // loading or storing a formula opens the formula store
      Click(b);
      QCOMPARE(b->ImageIndex(), b->NormalOn);
      // The click freed the mouse, so a window opened by the command gets it.
      QVERIFY(QWidget::mouseGrabber() != b);
    }
  }

  void aboutButtonShowsTheAnimatedAboutWindow() {
    QVERIFY(StartProgram());
    MoveOver(Form1->TBAbout, QPoint(20, 20));
    QCOMPARE(Form1->TBAbout->ImageIndex(), 1);
    int frames = 0;
    bool running = false, loops = false;
    QSize size;
    auto shown = WhenModal(Form10, [&] {
      size = Form10->size();
      running = Form10->AnimMovie->state() == QMovie::Running;
      frames = Form10->AnimMovie->frameCount();
      loops = Form10->AnimMovie->loopCount() == -1;
      QTest::mouseClick(Form10->BBtnOK, Qt::LeftButton);
    });
    Click(Form1->TBAbout);
    QVERIFY(*shown);
    QCOMPARE(size, QSize(623, 245));
    QVERIFY(running);
    QVERIFY(frames > 1);
    QVERIFY(loops);
    QVERIFY(!Form10->isVisible());
    QCOMPARE(Form10->AnimMovie->state(), QMovie::NotRunning);
    QCOMPARE(Form1->TBAbout->ImageIndex(), 3);
  }

  void helpButtonOpensTheContentsPage() {
    QVERIFY(StartProgram());
    Click(Form1->TBHelp);
    THelpWindow* help = ExistingHelpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser->source(), THelpWindow::ContentsUrl());
    QVERIFY(help->Browser->toPlainText().contains("Содержание"));
    QCOMPARE(Form1->TBHelp->ImageIndex(), 2);
    // Away from the contents and back: the button opens the contents again.
    help->Browser->setSource(QUrl("qrc:/help/tables.html"));
    Click(Form1->TBHelp);
    QCOMPARE(help->Browser->source(), THelpWindow::ContentsUrl());
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
