// The working windows at start on a laptop's screen: the program is started on its own X
// server of the size that TERMIX_SCREEN names (1366x768, 1280x720); the table, calculation and
// overview windows stand inside the screen's free area, none over another, «Вычислить» in
// view; the surface and efficiency pages keep the overview window on the screen.

#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QtTest>

#include "OverviewControls.h"
#include "TermixTestSupport.h"

class TestPlacement : public QObject {
  Q_OBJECT
private slots:
  void workingWindowsFitTheScreen() {
    const QString wanted = qEnvironmentVariable("TERMIX_SCREEN");
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    if (!wanted.isEmpty())
      QCOMPARE(QString("%1x%2").arg(screen.width()).arg(screen.height()), wanted);
    QVERIFY(TermixTest::StartProgram());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QList<QWidget*> windows{Form2, Form3, Form9};
    for (QWidget* w : windows)
      QVERIFY2(area.contains(w->frameGeometry()),
               qPrintable(w->objectName() + QString(" at %1,%2 %3x%4")
                                                .arg(w->frameGeometry().x())
                                                .arg(w->frameGeometry().y())
                                                .arg(w->frameGeometry().width())
                                                .arg(w->frameGeometry().height())));
    for (int i = 0; i < windows.size(); ++i)
      for (int j = i + 1; j < windows.size(); ++j)
        QVERIFY2(!windows[i]->frameGeometry().intersects(windows[j]->frameGeometry()),
                 qPrintable(windows[i]->objectName() + " over " + windows[j]->objectName()));
    // «Вычислить» whole in view: inside the calculation window, which nothing covers.
    auto* button = TermixTest::Find<QPushButton>(Form3, "BBtnCalc");
    const QRect calc(button->mapToGlobal(QPoint(0, 0)), button->size());
    QVERIFY(Form3->frameGeometry().contains(calc) &&
            Form3->rect().contains(Form3->mapFromGlobal(calc.bottomRight())));
    const QString shots = qEnvironmentVariable("TERMIX_SCREENSHOTS");
    if (!shots.isEmpty())
      QGuiApplication::primaryScreen()->grabWindow(0).save(
          shots + QString("/start_%1x%2.png").arg(screen.width()).arg(screen.height()));
    // The surface and the efficiency page grow the overview window, but not off the screen.
    for (int page : {2, 3}) {
      OverviewControls::PCViewTab()->setCurrentIndex(page);
      QTRY_VERIFY(area.contains(Form9->frameGeometry()));
    }
  }
};

QTEST_MAIN(TestPlacement)
#include "test_placement.moc"
