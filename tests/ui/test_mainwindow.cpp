// The main window: start-up order, initial pictures, toggles, page buttons, save-mode
// button, hot pictures at the border pixels and the command buttons.
#include "CalcWindowControls.h"
#include "OverviewControls.h"
#include "TermixTestSupport.h"

#include "tables/FileLock.h"
#include "tables/TBasePTab.h"
#include "ui/AboutWindow.h"
#include "ui/CalcRun.h"
#include "ui/CalcWindow.h"
#include "ui/ChangePolDialog.h"
#include "ui/DeletePolDialog.h"
#include "ui/EfficiencyPage.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/GrowthWindow.h"
#include "ui/HelpWindow.h"
#include "ui/NewPolDialog.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/SurfacePage.h"
#include "ui/TableStepsPage.h"
#include "ui/TableWindow.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <optional>

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

// A key pressed while the window is the active one, at the control that has its focus.
bool PressIn(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) return false;
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
  QTest::keyClick(target, Qt::Key(key), modifiers);
  return true;
}

// Whether the key, pressed in the window, opens the dialog (which is then closed again).
bool KeyOpens(QWidget* window, int key, Qt::KeyboardModifiers modifiers, QDialog* dialog) {
  auto opened = WhenModal(
      dialog, [dialog] { dialog->reject(); }, 1000);
  if (!PressIn(window, key, modifiers)) return false;
  QTest::qWait(dialog->isVisible() ? 50 : 0);
  return *opened;
}

// ---- what a screen reader and the Tab key find in a window ---------------------------------

// The name a screen reader announces for the widget.
QString AccessibleName(QWidget* w) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
  return face ? face->text(QAccessible::Name) : QString();
}

// The layouts of `layout` that hold w, outermost first; false when none does.
bool LayoutsHolding(QLayout* layout, QWidget* w, QList<QObject*>& out) {
  if (!layout) return false;
  out << layout;
  if (layout->indexOf(w) >= 0) return true;
  for (int i = 0; i < layout->count(); ++i)
    if (QLayout* inner = layout->itemAt(i)->layout(); inner && LayoutsHolding(inner, w, out))
      return true;
  out.removeLast();
  return false;
}

// Where w sits below root, outermost first: each widget between them and the layouts that hold
// it, down to w itself. A column or a group of the layout is read as a whole.
QList<QObject*> Placement(QWidget* w, QWidget* root) {
  QList<QObject*> path;
  for (QWidget* at = w; at && at != root; at = at->parentWidget()) {
    QList<QObject*> level;
    if (QWidget* parent = at->parentWidget()) LayoutsHolding(parent->layout(), at, level);
    level << at;
    path = level + path;
  }
  return path;
}

QRect AreaIn(QObject* item, QWidget* root) {
  if (auto* w = qobject_cast<QWidget*>(item)) return QRect(w->mapTo(root, QPoint()), w->size());
  auto* layout = static_cast<QLayout*>(item);
  return layout->geometry().translated(layout->parentWidget()->mapTo(root, QPoint()));
}

// Reading order: within one band left to right, the bands top to bottom.
bool ReadsBefore(const QRect& a, const QRect& b) {
  const bool oneBand = a.top() <= b.bottom() && b.top() <= a.bottom();
  return oneBand ? a.left() < b.left() : a.top() < b.top();
}

// The controls under root that Tab reaches, in the order it reaches them (the line of a spin
// box is its box's).
QList<QWidget*> TabChain(QWidget* root) {
  QList<QWidget*> chain;
  for (QWidget* w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain())
    if (root->isAncestorOf(w) && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) &&
        !w->focusProxy() && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
      chain << w;
  return chain;
}

// Every control Tab reaches has a name, a picture-only button its hint, a picture its name; the
// chain runs in reading order, the items of a layout column or a group taken as one; and the
// controls named in reachable are in it. Returns the first fault, or an empty text.
QString AccessibilityFault(QWidget* root, const QStringList& reachable) {
  const QList<QWidget*> chain = TabChain(root);
  QStringList names;
  for (QWidget* w : chain) {
    names << w->objectName();
    const QString id = QString("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
    if (AccessibleName(w).trimmed().isEmpty()) return id + " has no accessible name";
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button && button->text().isEmpty() && AccessibleName(w) != button->toolTip())
      return id + " is named «" + AccessibleName(w) + "», not by its hint";
  }
  for (QLabel* picture : root->findChildren<QLabel*>())
    if (picture->isVisible() && picture->text().isEmpty() && !picture->pixmap().isNull() &&
        AccessibleName(picture).isEmpty())
      return picture->objectName() + ": a picture without a name";
  for (const QString& name : reachable)
    if (!names.contains(name)) return name + " is not reached by Tab: " + names.join(", ");
  for (int i = 0; i < chain.size(); ++i)
    for (int j = i + 1; j < chain.size(); ++j) {
      const QList<QObject*> a = Placement(chain[i], root), b = Placement(chain[j], root);
      int level = 0;
      while (level < a.size() && level < b.size() && a[level] == b[level])
        ++level;
      if (level == a.size() || level == b.size()) continue; // one holds the other
      if (ReadsBefore(AreaIn(b[level], root), AreaIn(a[level], root)))
        return chain[j]->objectName() + " comes after " + chain[i]->objectName() +
               " but stands before it: " + names.join(", ");
    }
  return QString();
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
      beforeFirstClick << Form11->PicturePath();
      for (QWidget* w : std::initializer_list<QWidget*>{Form2, Form3, Form9})
        if (w->isVisible()) beforeFirstClick << w->objectName();
      ClickSplash();
      afterFirstClick << Form11->PicturePath();
      visibleAfterFirstClick = Form11->isVisible() && !Form2->isVisible();
      ClickSplash();
      closedAfterSecondClick = !Form11->isVisible();
    });
    Form1->show();
    QTRY_VERIFY_WITH_TIMEOUT(Form9->isVisible(), 10000);
    QVERIFY(*splash);
    QCOMPARE(beforeFirstClick, QStringList({"Images/logo.bmp"}));
    QCOMPARE(afterFirstClick, QStringList({"Images/tutorial.bmp"}));
    QVERIFY(visibleAfterFirstClick);
    QVERIFY(closedAfterSecondClick);
    QCOMPARE(recorder.Shown, QStringList({"Form2", "Form3", "Form9"}));
    QVERIFY(Form2->isVisible() && Form3->isVisible() && Form9->isVisible());
  }

  void initialPicturesHintsAndGeometry() {
    QVERIFY(StartProgram());
    // Every button rests on its normal picture, the save-mode button on its off variant.
    const QList<TToolButton*> buttons = Form1->findChildren<TToolButton*>();
    QCOMPARE(buttons.size(), 19);
    for (TToolButton* b : buttons) {
      QCOMPARE(b->ImageIndex(), b->objectName() == "TBSavLod" ? b->NormalOff : b->NormalOn);
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
    QCOMPARE(names(Find<QToolBar>(Form1, "ToolBar1")),
             QStringList({"TBStore", "TBNew", "TBDelete", "TBChange", "TBSavLod"}));
    QCOMPARE(names(Find<QToolBar>(Form1, "ToolBar2")),
             QStringList({"TBPols", "TBCalc", "TBLoadF", "TBSaveF"}));
    QCOMPARE(names(Find<QToolBar>(Form1, "ToolBar3")),
             QStringList({"TBView", "TBFormula", "TBStruct", "TBSurface", "TBEfficiency",
                          "TBTableSteps", "TBListSteps", "TBTransSteps"}));
    QCOMPARE(names(Find<QToolBar>(Form1, "ToolBar4")), QStringList({"TBHelp", "TBAbout"}));
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
    // Each tool bar's list, as its first button shows it.
    const QList<QPair<const TImageList*, int>> lists = {{Button("TBStore")->ImageList(), 14},
                                                        {Button("TBPols")->ImageList(), 10},
                                                        {Button("TBView")->ImageList(), 18},
                                                        {Button("TBHelp")->ImageList(), 4}};
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
    QVERIFY(lists[0].first->Get(14).isNull());
    QVERIFY(lists[0].first->Get(-1).isNull());
    // A button's four pictures: hot and normal differ; on and off differ where it has two states.
    for (const TToolButton* b : Form1->findChildren<TToolButton*>()) {
      const TImageList* list = b->ImageList();
      const bool twoStates = b->HotOn != b->HotOff;
      QVERIFY2(twoStates == (b->NormalOn != b->NormalOff), qPrintable(b->objectName()));
      for (int index : {b->HotOn, b->HotOff, b->NormalOn, b->NormalOff})
        QVERIFY2(!list->Get(index).isNull(), qPrintable(b->objectName()));
      QVERIFY(list->Get(b->HotOn).toImage() != list->Get(b->NormalOn).toImage());
      QVERIFY(list->Get(b->HotOff).toImage() != list->Get(b->NormalOff).toImage());
      QCOMPARE(list->Get(b->HotOn).toImage() != list->Get(b->HotOff).toImage(), twoStates);
    }
    // The two-state buttons are the three window toggles and save mode.
    QStringList twoState;
    for (const TToolButton* b : Form1->findChildren<TToolButton*>())
      if (b->HotOn != b->HotOff) twoState << b->objectName();
    twoState.sort();
    QCOMPARE(twoState, QStringList({"TBPols", "TBSavLod", "TBStore", "TBView"}));
  }

  void toggles_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("table window") << "TBStore";
    QTest::newRow("calculation window") << "TBPols";
    QTest::newRow("overview window") << "TBView";
  }

  void toggles() {
    QFETCH(QString, button);
    QVERIFY(StartProgram());
    TToolButton* b = Button(qPrintable(button));
    const int normalOn = b->NormalOn, normalOff = b->NormalOff;
    QWidget* window = b == MainButton("TBStore")  ? static_cast<QWidget*>(Form2)
                      : b == MainButton("TBPols") ? static_cast<QWidget*>(Form3)
                                                  : static_cast<QWidget*>(Form9);
    Click(b);
    QVERIFY(!window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOff);
    Click(b);
    QVERIFY(window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOn);
    // The close box goes the same road as the button; pressing it again shows the window.
    window->close(); // a window may refuse the close and hide itself through the toggle
    QVERIFY(!window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOff);
    Click(b);
    QVERIFY(window->isVisible());
    QCOMPARE(b->ImageIndex(), normalOn);
    // The other two windows were not touched.
    QCOMPARE(int(Form2->isVisible()) + int(Form3->isVisible()) + int(Form9->isVisible()), 3);
  }

  // Each command button opens its own window: the dialogs (the formula store for both formula
  // buttons, the formula being correct), and the evaluate button fills the calculation window's
  // result.
  void commandButtonsOpenTheirWindows() {
    QVERIFY(StartProgram());
    Find<QLineEdit>(Form3, "EdFormul")->setText("X+1");
    const QList<QPair<const char*, QDialog*>> dialogs = {
        {"TBNew", Form4},   {"TBDelete", Form5}, {"TBChange", Form6}, {"TBSavLod", Form7},
        {"TBLoadF", Form8}, {"TBSaveF", Form8},  {"TBAbout", Form10}};
    for (const auto& [name, dialog] : dialogs) {
      QStringList opened;
      QTimer watch;
      watch.setInterval(5);
      connect(&watch, &QTimer::timeout, [&opened] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          opened << modal->objectName();
          modal->reject();
        }
      });
      watch.start();
      Click(Button(name));
      watch.stop();
      QCOMPARE(opened, QStringList(dialog->objectName()));
    }
    Click(Button("TBCalc"));
    QCOMPARE(Find<QTableWidget>(Form3, "SGResTable")->item(0, 2)->text(), QString("X + 1"));
  }

  void pageButtonsTurnPagesWithoutShowingTheWindow() {
    QVERIFY(StartProgram());
    QTabWidget* pages = OverviewControls::PCViewTab();
    QCOMPARE(pages->count(), 7);
    const char* buttons[] = {"TBFormula",    "TBStruct",    "TBSurface",   "TBEfficiency",
                             "TBTableSteps", "TBListSteps", "TBTransSteps"};
    for (int page : {3, 5, 1, 6, 2, 4, 0}) {
      Click(Button(buttons[page]));
      QCOMPARE(pages->currentIndex(), page);
    }
    Click(MainButton("TBView"));
    QVERIFY(!Form9->isVisible());
    Click(MainButton("TBSurface"));
    QCOMPARE(pages->currentIndex(), 2);
    QVERIFY(!Form9->isVisible());
    QVERIFY(!Form9->isVisible());
    QCOMPARE(MainButton("TBView")->ImageIndex(), MainButton("TBView")->NormalOff);
    Click(MainButton("TBView"));
    QVERIFY(Form9->isVisible());
    QCOMPARE(pages->currentIndex(), 2);
  }

  void saveModeButtonSwitchesOffAtOnce() {
    QVERIFY(StartProgram());
    TableDocument->SetSaveMode(true);
    auto asked = WhenModal(
        Form7, [] { Form7->reject(); }, 300);
    Click(MainButton("TBSavLod"));
    QVERIFY(!TableDocument->SaveMode());
    QCOMPARE(MainButton("TBSavLod")->ImageIndex(), MainButton("TBSavLod")->HotOff);
    QTest::qWait(350);
    QVERIFY(!*asked);
  }

  void saveModeButtonAsksBeforeSwitchingOn() {
    QVERIFY(StartProgram());
    if (Form7->findChildren<QPushButton*>().isEmpty())
      QSKIP("the save-mode warning window is not built yet");
    QVERIFY(!TableDocument->SaveMode());
    auto asked = WhenModal(Form7, [] { Form7->reject(); });
    Click(MainButton("TBSavLod"));
    QVERIFY(*asked);
    QVERIFY(!TableDocument->SaveMode());
    QCOMPARE(MainButton("TBSavLod")->ImageIndex(), MainButton("TBSavLod")->NormalOff);
  }

  // Closing the main window while the table holds changes its file does not asks once, in a
  // modal question, what becomes of them: «Отмена» keeps the program running, «Не сохранять»
  // ends it with the file as it was, «Сохранить» writes the table and ends it. Nothing changed,
  // a change undone, or only a switch of organisation: no question, the program ends at once.
  void closeAsksAboutUnsavedChanges_data() {
    QTest::addColumn<QString>("work");
    QTest::addColumn<QString>("answer"); // the button pressed; empty: no question expected
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("written");
    QTest::newRow("nothing changed") << ""
                                     << "" << true << false;
    QTest::newRow("change undone") << "insert undo"
                                   << "" << true << false;
    QTest::newRow("switch only") << "switch"
                                 << "" << true << false;
    QTest::newRow("cancel") << "insert"
                            << "CancelButton" << false << false;
    QTest::newRow("do not save") << "insert"
                                 << "DiscardButton" << true << false;
    QTest::newRow("save") << "switch insert"
                          << "SaveButton" << true << true;
  }

  void closeAsksAboutUnsavedChanges() {
    QFETCH(QString, work);
    QFETCH(QString, answer);
    QFETCH(bool, ends);
    QFETCH(bool, written);
    QDir("IniSaves").removeRecursively();
    QVERIFY(QDir().mkpath("IniSaves"));
    const QByteArray original = "[Global]\nPolCount=1\n[Polinom0]\nPolName=P\nPolFormula=x\n";
    {
      QFile file("IniSaves/PolTable.ini");
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(original);
    }
    QVERIFY(StartProgram());
    for (const QString& step : work.split(' ', Qt::SkipEmptyParts)) {
      if (step == "insert") QVERIFY(InsertPolynom("Q", "y + 1") >= 0);
      if (step == "undo") TableDocument->Undo();
      if (step == "switch") Find<QRadioButton>(Form2, "RBSortTab")->click();
    }
    QString question;
    auto asked = std::make_shared<bool>(false);
    QTimer answering;
    answering.setInterval(5);
    connect(&answering, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != "CloseQuestion" || *asked) return;
      *asked = true;
      question = static_cast<QMessageBox*>(modal)->text();
      if (const QString shots = qEnvironmentVariable("TERMIX_SCREENSHOTS"); !shots.isEmpty())
        modal->grab().save(shots + "/close-question.png");
      QStringList buttons;
      for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
        buttons << button->text();
      buttons.sort();
      QCOMPARE(buttons, QStringList({"Не сохранять", "Отмена", "Сохранить"}));
      if (!answer.isEmpty()) Find<QAbstractButton>(modal, qPrintable(answer))->click();
    });
    answering.start();
    const bool closed = Form1->close();
    answering.stop();
    if (closed) {
      // The end of the program told every event loop to stop; a moment of the application's
      // own loop clears that, so that later dialogs of this test program run.
      QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
      QCoreApplication::exec();
    }
    QCOMPARE(closed, ends);
    QCOMPARE(*asked, !answer.isEmpty());
    if (*asked)
      QCOMPARE(
          question,
          QString("Таблица полиномов изменена, но не сохранена. Сохранить изменения в файле?"));
    QCOMPARE(Form1->isVisible(), !ends);
    QFile file("IniSaves/PolTable.ini");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray now = file.readAll();
    QCOMPARE(now == original, !written);
    if (written) QVERIFY(now.contains("PolName=Q") && now.contains("PolName=P"));
  }

  void hotPictureBounds_data() {
    QTest::addColumn<QString>("button");
    for (const char* name :
         {"TBStore", "TBNew", "TBDelete", "TBChange", "TBSavLod", "TBPols", "TBCalc", "TBLoadF",
          "TBSaveF", "TBView", "TBFormula", "TBStruct", "TBSurface", "TBEfficiency", "TBTableSteps",
          "TBListSteps", "TBTransSteps", "TBHelp", "TBAbout"})
      QTest::newRow(name) << name;
  }

  void hotPictureBounds() {
    QFETCH(QString, button);
    QVERIFY(StartProgram());
    TToolButton* b = Button(qPrintable(button));
    // Every window is shown and save mode is off: the save-mode button shows its off variants.
    const bool on = button != "TBSavLod";
    const int hot = on ? b->HotOn : b->HotOff, normal = on ? b->NormalOn : b->NormalOff;
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
    Click(MainButton("TBStore")); // table window off
    Form1->ButtonMouseMove(MainButton("TBStore"), 5, 5);
    QCOMPARE(MainButton("TBStore")->ImageIndex(), MainButton("TBStore")->HotOff);
    Form1->ButtonMouseMove(MainButton("TBStore"), 0, 5);
    QCOMPARE(MainButton("TBStore")->ImageIndex(), MainButton("TBStore")->NormalOff);
    TableDocument->SetSaveMode(true);
    Form1->ButtonMouseMove(MainButton("TBSavLod"), 5, 5);
    QCOMPARE(MainButton("TBSavLod")->ImageIndex(), MainButton("TBSavLod")->HotOn);
    Form1->ButtonMouseMove(MainButton("TBSavLod"), 5, 66);
    QCOMPARE(MainButton("TBSavLod")->ImageIndex(), MainButton("TBSavLod")->NormalOn);
    Click(MainButton("TBPols"));
    Form1->ButtonMouseMove(MainButton("TBPols"), 5, 5);
    QCOMPARE(MainButton("TBPols")->ImageIndex(), MainButton("TBPols")->HotOff);
    Click(MainButton("TBView"));
    Form1->ButtonMouseMove(MainButton("TBView"), 56, 65);
    QCOMPARE(MainButton("TBView")->ImageIndex(), MainButton("TBView")->HotOff);
    Form1->ButtonMouseMove(MainButton("TBView"), 57, 65);
    QCOMPARE(MainButton("TBView")->ImageIndex(), MainButton("TBView")->NormalOff);
  }

  void commandButtonsRestoreTheirNormalPicture() {
    QVERIFY(StartProgram());
    for (TToolButton* b : {MainButton("TBCalc"), MainButton("TBLoadF"), MainButton("TBSaveF")}) {
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
    MoveOver(MainButton("TBAbout"), QPoint(20, 20));
    QCOMPARE(MainButton("TBAbout")->ImageIndex(), MainButton("TBAbout")->HotOn);
    int frames = 0;
    bool running = false, loops = false;
    QSize size;
    // The movie the animated logo plays.
    QMovie* movie = TermixTest::Find<QLabel>(Form10, "Animate1")->movie();
    QVERIFY(movie);
    auto shown = WhenModal(Form10, [&] {
      size = Form10->size();
      running = movie->state() == QMovie::Running;
      frames = movie->frameCount();
      loops = movie->loopCount() == -1;
      QTest::mouseClick(TermixTest::Find<QPushButton>(Form10, "BBtnOK"), Qt::LeftButton);
    });
    Click(MainButton("TBAbout"));
    QVERIFY(*shown);
    QCOMPARE(size, QSize(623, 245));
    QVERIFY(running);
    QVERIFY(frames > 1);
    QVERIFY(loops);
    QVERIFY(!Form10->isVisible());
    QCOMPARE(movie->state(), QMovie::NotRunning);
    QCOMPARE(MainButton("TBAbout")->ImageIndex(), MainButton("TBAbout")->NormalOn);
  }

  void keyboardReachesEveryButton() {
    QVERIFY(StartProgram());
    // Tab walks the buttons in tool-bar order; the focused button shows its hot picture.
    const QList<QToolBar*> bars = {
        Find<QToolBar>(Form1, "ToolBar1"), Find<QToolBar>(Form1, "ToolBar2"),
        Find<QToolBar>(Form1, "ToolBar3"), Find<QToolBar>(Form1, "ToolBar4")};
    QList<TToolButton*> order;
    for (QToolBar* bar : bars)
      order << bar->findChildren<TToolButton*>();
    QCOMPARE(order.size(), 19);
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    order.first()->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < order.size(); ++i) {
      TToolButton* b = order[i];
      QCOMPARE(QApplication::focusWidget(), b);
      // Every window is shown and save mode is off.
      const bool on = b->objectName() != "TBSavLod";
      QCOMPARE(b->ImageIndex(), on ? b->HotOn : b->HotOff);
      if (i + 1 < order.size()) {
        QTest::keyClick(b, Qt::Key_Tab);
        QCOMPARE(b->ImageIndex(), on ? b->NormalOn : b->NormalOff);
      }
    }
    // Enter and Space press the focused button.
    MainButton("TBPols")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(MainButton("TBPols"), Qt::Key_Return);
    QVERIFY(!Form3->isVisible());
    QCOMPARE(MainButton("TBPols")->ImageIndex(), MainButton("TBPols")->HotOff);
    QTest::keyClick(MainButton("TBPols"), Qt::Key_Space);
    QVERIFY(Form3->isVisible());

    // Every shortcut is in its button's description, beside the unchanged hint, and on the
    // help's contents page.
    QFile help(":/help/Polhelp.html");
    QVERIFY(help.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(help.readAll());
    const QList<QPair<const char*, const char*>> keys = {
        {"TBStore", "F2"},        {"TBNew", "Ctrl+N"},          {"TBDelete", "Del"},
        {"TBChange", "Ctrl+E"},   {"TBSavLod", "Ctrl+Shift+S"}, {"TBPols", "F3"},
        {"TBCalc", "F9"},         {"TBLoadF", "Ctrl+O"},        {"TBSaveF", "Ctrl+S"},
        {"TBView", "F4"},         {"TBFormula", "Alt+1"},       {"TBStruct", "Alt+2"},
        {"TBSurface", "Alt+3"},   {"TBEfficiency", "Alt+4"},    {"TBTableSteps", "Alt+5"},
        {"TBListSteps", "Alt+6"}, {"TBTransSteps", "Alt+7"},    {"TBHelp", "F1"},
        {"TBAbout", "Shift+F1"}};
    for (const auto& [name, key] : keys) {
      TToolButton* b = Button(name);
      QVERIFY2(b->accessibleDescription().endsWith(key) ||
                   b->accessibleDescription().contains(QString(key) + " ("),
               name);
      QCOMPARE(b->accessibleName(), b->toolTip());
      QVERIFY2(contents.contains("<td>" + b->toolTip().trimmed() + "</td><td><b>" + key + "</b>"),
               name);
    }
  }

  void shortcutsWorkFromEveryWorkingWindow_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("main window") << 1;
    QTest::newRow("table window") << 2;
    QTest::newRow("calculation window") << 3;
    QTest::newRow("overview window") << 9;
  }

  void shortcutsWorkFromEveryWorkingWindow() {
    QFETCH(int, window);
    QVERIFY(StartProgram());
    QWidget* w = window == 1   ? static_cast<QWidget*>(Form1)
                 : window == 2 ? static_cast<QWidget*>(Form2)
                 : window == 3 ? static_cast<QWidget*>(Form3)
                               : static_cast<QWidget*>(Form9);
    // In the calculation window the keys come while the formula is being typed.
    if (w == Form3) CalcControls::EdFormul()->setFocus();
    // The three toggles, each pressed twice.
    const QList<std::pair<int, QWidget*>> toggles = {
        {Qt::Key_F2, Form2}, {Qt::Key_F3, Form3}, {Qt::Key_F4, Form9}};
    for (const auto& [key, target] : toggles) {
      if (target == w) continue; // a hidden window takes no keys
      QVERIFY(PressIn(w, key, Qt::NoModifier));
      QVERIFY(!target->isVisible());
      QVERIFY(PressIn(w, key, Qt::NoModifier));
      QVERIFY(target->isVisible());
    }
    // The dialogs; the delete key only in the table window.
    QVERIFY(KeyOpens(w, Qt::Key_N, Qt::ControlModifier, Form4));
    QVERIFY(KeyOpens(w, Qt::Key_E, Qt::ControlModifier, Form6));
    QVERIFY(KeyOpens(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, Form7));
    QCOMPARE(KeyOpens(w, Qt::Key_Delete, Qt::NoModifier, Form5), w == Form2);
    QVERIFY(KeyOpens(w, Qt::Key_O, Qt::ControlModifier, Form8));
    QVERIFY(KeyOpens(w, Qt::Key_F1, Qt::ShiftModifier, Form10));
    // The calculation window's commands, on a formula that is correct.
    CalcControls::EdFormul()->setText("X+1");
    QVERIFY(KeyOpens(w, Qt::Key_S, Qt::ControlModifier, Form8));
    QVERIFY(PressIn(w, Qt::Key_F9, Qt::NoModifier));
    QCOMPARE(CalcControls::SGResTable()->item(0, 2)->text(), QString("X + 1"));
    // The overview pages.
    for (int page : {3, 1, 2, 0}) {
      QVERIFY(PressIn(w, Qt::Key_1 + page, Qt::AltModifier));
      QCOMPARE(OverviewControls::PCViewTab()->currentIndex(), page);
    }
    // Under a modal dialog the keys are the text field's own again.
    int cursorAfterKey = -1;
    auto typed = WhenModal(Form4, [&] {
      TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("abc");
      TermixTest::Find<QLineEdit>(Form4, "EdName")->setCursorPosition(0);
      QTest::keyClick(TermixTest::Find<QLineEdit>(Form4, "EdName"), Qt::Key_E, Qt::ControlModifier);
      cursorAfterKey = TermixTest::Find<QLineEdit>(Form4, "EdName")->cursorPosition();
      Form4->reject();
    });
    Form1->TBNewClick();
    QVERIFY(*typed);
    QCOMPARE(cursorAfterKey, 3);
    // Help.
    QVERIFY(PressIn(w, Qt::Key_F1, Qt::NoModifier));
    QVERIFY(ExistingHelpWindow() && ExistingHelpWindow()->isVisible());
    ExistingHelpWindow()->hide();
  }

  // A calculation past its delay goes on by itself under a progress dialog; meanwhile nothing
  // can change the formula or the table, and «Отмена» stops it leaving both as they were.
  void longCalculationIsWatchedAndStopped() {
    QVERIFY(StartProgram());
    const int records = TableDocument->CurTab()->GetDataCount();
    const QString formula = "(0.5*X+0.5*Y+0.5*Z+0.5)^40*(0.5*X+0.5*Y+0.5*Z+0.5)^40";
    CalcControls::EdFormul()->setText(formula);
    QVERIFY(CalcControls::FormulaAccepted());
    Form3->ProgressDelay = 0; // as if the calculation had already taken longer than a moment
    Click(MainButton("TBCalc"));
    auto* progress = Form3->findChild<TCalcProgressDialog*>("CalcProgressDialog");
    QVERIFY(progress);
    QVERIFY(progress->isVisible());
    QVERIFY(Form3->CalculationRuns());
    QCOMPARE(progress->windowTitle(), QString("Вычисление…"));
    QCOMPARE(progress->Caption->text(), QString("Вычисление…"));
    QCOMPARE(progress->CancelButton->text(), QString("Отмена"));
    QVERIFY(Form3->frameGeometry().contains(progress->frameGeometry().center()));
    const QList<QWidget*> locked = {CalcControls::EdFormul(),
                                    CalcControls::BBtnCalc(),
                                    CalcControls::SBtnLoadF(),
                                    CalcControls::SBtnSaveF(),
                                    CalcControls::ImSum(),
                                    MainButton("TBCalc"),
                                    MainButton("TBNew"),
                                    MainButton("TBDelete"),
                                    MainButton("TBChange"),
                                    MainButton("TBSavLod"),
                                    MainButton("TBLoadF"),
                                    MainButton("TBSaveF"),
                                    TermixTest::Find<QRadioButton>(Form2, "RBScanTab"),
                                    TermixTest::Find<QRadioButton>(Form2, "RBSortTab"),
                                    TermixTest::Find<QRadioButton>(Form2, "RBHashTab"),
                                    TermixTest::Find<QSpinBox>(Form2, "CEHashTSize")};
    for (QWidget* w : locked)
      QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QTest::keyClicks(CalcControls::EdFormul(), "+1");
    QCOMPARE(CalcControls::EdFormul()->text(), formula);

    QTest::mouseClick(progress->CancelButton, Qt::LeftButton);
    QTRY_VERIFY(!Form3->CalculationRuns());
    QVERIFY(!Form3->findChild<TCalcProgressDialog*>());
    QCOMPARE(CalcControls::EdErrors()->text(), QString("Вычисление прервано пользователем"));
    QCOMPARE(CalcControls::EdFormul()->text(), formula);
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), records);
    for (QWidget* w : locked)
      QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));

    // The window answers: the next calculation runs to its end and stores its result.
    Form3->ProgressDelay = 300;
    CalcControls::EdFormul()->setText("x+1");
    QCOMPARE(CalcControls::EdErrors()->text(), QString("Выражение введено правильно."));
    Form3->BBtnCalcClick();
    QTRY_VERIFY(!Form3->CalculationRuns());
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), records + 1);
  }

  // The windows' newer parts, each as a person with a screen reader and the keyboard meets it.
  void newerControlsAreNamedAndTabbedInReadingOrder_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<QStringList>("reachable");
    QTest::newRow("step page") << "steps"
                               << QStringList{"CBStepKind",    "EdStepKey",  "CEStepCount",
                                              "SBStepPicture", "EdStepText", "BBtnStepPlay",
                                              "TrBStepSpeed"};
    QTest::newRow("growth window")
        << "growth"
        << QStringList{"BBtnGrowthCancel", "LGrowthStatus", "ChGrowthOper", "ChGrowthTime"};
    QTest::newRow("surface page") << "surface"
                                  << QStringList{"EdErrors", "RBImplicitSurface", "CEMeshCells",
                                                 "EdX0",     "CESizeZ",           "RBVarX",
                                                 "CBAnimate"};
    QTest::newRow("table window notice") << "table" << QStringList{"LbNotice", "SGPolTable"};
    QTest::newRow("calculation progress") << "progress" << QStringList{"CancelButton"};
    QTest::newRow("calculation window") << "calc" << QStringList{"SBtnSaveF", "SBtnLoadF"};
    QTest::newRow("main window") << "main" << QStringList{"TBStore", "TBEfficiency", "TBAbout"};
  }

  void newerControlsAreNamedAndTabbedInReadingOrder() {
    QFETCH(QString, part);
    QFETCH(QStringList, reachable);
    QDir().mkpath("IniSaves");
    // Another running copy holds the data folder: the table window says so.
    std::optional<TABLESTRUCT::TInstanceLock> other;
    if (part == "table") {
      other.emplace("IniSaves/termix.lock");
      QVERIFY(other->GetState() == TABLESTRUCT::TInstanceLock::TState::Held);
    }
    QVERIFY(StartProgram());
    QWidget* root = nullptr;
    if (part == "steps" || part == "surface" || part == "growth") {
      const int tab = part == "steps" ? 4 : part == "surface" ? 2 : 3;
      OverviewControls::PCViewTab()->setCurrentIndex(tab);
      root = part == "steps" ? static_cast<QWidget*>(OverviewControls::StepsPage())
                             : OverviewControls::SurfPage();
      if (part == "surface" && OverviewControls::SurfPage()->findChild<QWidget*>("PanGLSurface"))
        reachable << "PanGLSurface";
    }
    if (part == "growth") {
      OverviewControls::EfficPage()->findChild<QPushButton*>("SBtnGrowth")->click();
      auto* growth = OverviewControls::EfficPage()->findChild<TGrowthWindow*>();
      QVERIFY(growth && QTest::qWaitForWindowExposed(growth));
      auto* cancel = growth->findChild<QPushButton*>("BBtnGrowthCancel");
      cancel->click();
      QTRY_VERIFY(!cancel->isEnabled());
      root = growth;
    } else if (part == "table") {
      QVERIFY(TermixTest::Find<QLabel>(Form2, "LbNotice")->isVisible());
      QCOMPARE(AccessibleName(TermixTest::Find<QLabel>(Form2, "LbNotice")),
               TermixTest::Find<QLabel>(Form2, "LbNotice")->text());
      root = Form2;
    } else if (part == "progress") {
      CalcControls::EdFormul()->setText("(0.5*X+0.5*Y+0.5*Z+0.5)^40*(0.5*X+0.5*Y+0.5*Z+0.5)^40");
      Form3->ProgressDelay = 0;
      Click(MainButton("TBCalc"));
      root = Form3->findChild<TCalcProgressDialog*>("CalcProgressDialog");
      QVERIFY(root && QTest::qWaitForWindowExposed(root));
    } else if (part == "calc") {
      root = Form3;
    } else if (part == "main") {
      root = Form1;
    }
    QCoreApplication::processEvents();
    const QString fault = AccessibilityFault(root, reachable);
    if (part == "progress") {
      Form3->findChild<TCalcProgressDialog*>()->CancelButton->click();
      QTRY_VERIFY(!Form3->CalculationRuns());
    }
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  void helpButtonOpensTheContentsPage() {
    QVERIFY(StartProgram());
    Click(MainButton("TBHelp"));
    THelpWindow* help = ExistingHelpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser->source(), THelpWindow::ContentsUrl());
    QVERIFY(help->Browser->toPlainText().contains("Содержание"));
    QCOMPARE(MainButton("TBHelp")->ImageIndex(), MainButton("TBHelp")->NormalOn);
    // Away from the contents and back: the button opens the contents again.
    help->Browser->setSource(QUrl("qrc:/help/tables.html"));
    Click(MainButton("TBHelp"));
    QCOMPARE(help->Browser->source(), THelpWindow::ContentsUrl());
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
