// The list and translator step pages driven through their controls: a sum of two polynomials
// and a formula over the table stepped from the start to the end and back show the engine's
// steps, their explanation lines, the marked algorithm lines and the same pictures both ways;
// the formula's last value is the one Calculate gives; an operand too large or a text or
// formula with an error shows its reason.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QWheelEvent>
#include <QtTest>

#include "calc/TFPolTrans.h"
#include "core/TPolinom.h"
#include "tables/TPolScanTab.h"
#include "teach/TListSteps.h"
#include "teach/TTransSteps.h"
#include "ui/ListStepsPage.h"
#include "ui/TransStepsPage.h"

namespace {

template <class T> T* Find(const QObject* parent, const char* name) {
  T* found = parent->findChild<T*>(QString(name));
  if (!found) qFatal("no %s", name);
  return found;
}

QImage Picture(const QWidget& page) {
  return Find<QLabel>(&page, "ImgStep")->pixmap().toImage();
}
QString Line(const QWidget& page) {
  return Find<QLineEdit>(&page, "EdStepText")->text();
}
int MarkedLine(const QWidget& page) {
  return Find<QListWidget>(&page, "LBStepLines")->currentRow();
}
QString Number(const QWidget& page) {
  return Find<QLabel>(&page, "LStepNumber")->text();
}
bool CanStepOn(const QWidget& page) {
  return Find<QPushButton>(&page, "BBtnStepNext")->isEnabled();
}

LISTSTRUCT::TPolinom Pol(const char* text) {
  LISTSTRUCT::TPolinom pol;
  pol.SetText(text);
  return pol;
}

// Steps page from the first step to the last with the Right key and back with the Left key,
// checking each step's line and marked algorithm line against expected (text, line) pairs;
// the pictures going back are those seen going forward. With TERMIX_SCREENSHOTS set the page
// at step shotStep is saved there as shot.
void StepThrough(QWidget& page, const std::vector<std::pair<QString, int>>& expected, int shotStep,
                 const char* shot) {
  const QString shots = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  const int count = static_cast<int>(expected.size());
  QCOMPARE(Number(page), QString("Шаг 0 из %1").arg(count - 1));
  auto* next = Find<QPushButton>(&page, "BBtnStepNext");
  next->setFocus();
  std::vector<QImage> forward{Picture(page)};
  for (int step = 0; step < count; ++step) {
    if (step > 0) QTest::keyClick(next, Qt::Key_Right);
    QCOMPARE(Number(page), QString("Шаг %1 из %2").arg(step).arg(count - 1));
    QCOMPARE(Line(page), expected[step].first);
    QCOMPARE(MarkedLine(page), expected[step].second);
    if (step > 0) forward.push_back(Picture(page));
    if (step == shotStep && !shots.isEmpty()) page.grab().save(shots + "/" + shot);
  }
  QVERIFY(!CanStepOn(page));
  QVERIFY(forward.front() != forward.back());
  for (int step = count - 2; step >= 0; --step) {
    QTest::keyClick(next, Qt::Key_Left);
    QCOMPARE(Line(page), expected[step].first);
    QVERIFY2(Picture(page) == forward[step], qPrintable(QString::number(step)));
  }
}

} // namespace

class TestStepsPages : public QObject {
  Q_OBJECT

private slots:
  void listSumSteppedForwardAndBackAndInputsRefusedWithTheirReason() {
    TABLESTRUCT::TPolScanTab user("");
    user.InsRecord("Q1", Pol("x^2*y - 2*x*z + 4"));
    TListStepsPage page;
    page.SetTableSource([&user] { return &user; });
    page.resize(1000, 560);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    auto* p = Find<QComboBox>(&page, "CBListP");
    auto* q = Find<QComboBox>(&page, "CBListQ");
    Find<QComboBox>(&page, "CBListOper")->setCurrentIndex(1); // the sum
    p->setEditText("3*x^2*y + 2*x*z - 5");
    QCOMPARE(q->count(), 1); // the table's polynomial is offered
    q->setCurrentIndex(0);
    const LISTSTRUCT::TListRecording expected = LISTSTRUCT::RecordListOperation(
        LISTSTRUCT::TListOperation::Sum, Pol("3*x^2*y + 2*x*z - 5"), Pol("x^2*y - 2*x*z + 4"));
    QVERIFY(!expected.IsRefused());
    std::vector<std::pair<QString, int>> steps;
    for (const LISTSTRUCT::TListStep& step : expected.Steps)
      steps.emplace_back(QString::fromStdString(step.Text.Text()), step.Line);
    QVERIFY(steps.size() > 6);
    StepThrough(page, steps, 9, "steps_list_sum.png");
    // Ctrl+wheel zooms the picture down to fit a small screen and back; a plain wheel scrolls.
    auto* picture = Find<QLabel>(&page, "ImgStep");
    QWidget* viewport = Find<QScrollArea>(&page, "SBStepPicture")->viewport();
    const QSize full = picture->size();
    const auto wheel = [viewport](int delta, Qt::KeyboardModifiers modifiers) {
      QWheelEvent event(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), QPoint(),
                        QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
      QApplication::sendEvent(viewport, &event);
    };
    wheel(-120, Qt::ControlModifier);
    QVERIFY2(std::abs(picture->width() - qRound(full.width() * 0.8)) <= 2,
             qPrintable(QString("%1 of %2").arg(picture->width()).arg(full.width())));
    const int zoomed = picture->width();
    wheel(-120, Qt::NoModifier);
    QCOMPARE(picture->width(), zoomed);
    wheel(120, Qt::ControlModifier);
    QCOMPARE(picture->size(), full);
    // The merge of 2xz and -2xz removes the link; the last line gives the result.
    QVERIFY(std::any_of(expected.Steps.begin(), expected.Steps.end(), [](const auto& step) {
      return step.Kind == LISTSTRUCT::TListStepKind::Remove;
    }));

    // More than 40 monomials, or a text that does not read: the reason, and no steps.
    QString big;
    for (int i = 0; i <= LISTSTRUCT::MaxStepMonoms; ++i)
      big += QString("%1*x^%2 + ").arg(i + 1).arg(i + 1);
    p->setEditText(big + "1");
    QVERIFY2(Line(page).contains(QString::number(LISTSTRUCT::MaxStepMonoms)),
             qPrintable(Line(page)));
    QVERIFY(!CanStepOn(page) && Find<QLineEdit>(&page, "EdStepText")->font().bold());
    p->setEditText("3*x^^2");
    QVERIFY2(Line(page).startsWith("Полином p: "), qPrintable(Line(page)));
    QVERIFY(!CanStepOn(page));
  }

  void formulaSteppedForwardAndBackEndsWithCalculatesValue() {
    TABLESTRUCT::TPolScanTab user("");
    user.InsRecord("Pol1", Pol("x^2 - 3*y*z + 1"));
    user.ClearEfficiency();
    TTransStepsPage page;
    page.SetTableSource([&user] { return &user; });
    QString calcFormula = "Pol1*(X+2)^2 - d/dx(Pol1)";
    page.SetFormulaSource([&calcFormula] { return calcFormula; });
    page.resize(1000, 560);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    // Shown, the page records its own formula; the button takes the calculation window's.
    auto recorded = [&page](const QString& formula) {
      return !page.IsRecording() && QString::fromStdString(page.GetRecording().Formula) == formula;
    };
    QTRY_VERIFY_WITH_TIMEOUT(recorded(Find<QLineEdit>(&page, "EdTransFormula")->text()), 10000);
    QTest::mouseClick(Find<QPushButton>(&page, "BBtnTransTake"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(recorded(calcFormula), 10000);
    QCOMPARE(Find<QLineEdit>(&page, "EdTransFormula")->text(), calcFormula);

    const TRANSSTRUCT::TTransRecording& shown = page.GetRecording();
    std::vector<std::pair<QString, int>> steps;
    for (const TRANSSTRUCT::TTransStep& step : shown.Steps)
      steps.emplace_back(QString::fromStdString(step.Text.Text()), step.Line);
    QVERIFY(steps.size() > 20);
    const auto postfixDone = std::find_if(shown.Steps.begin(), shown.Steps.end(), [](auto& s) {
      return s.Kind == TRANSSTRUCT::TTransStepKind::PostfixDone;
    });
    StepThrough(page, steps, int(postfixDone - shown.Steps.begin()) - 1, "steps_translator.png");
    QVERIFY(std::any_of(steps.begin(), steps.end(), [](const auto& step) {
      return step.first == "Постфиксная запись: Pol1 X 2 + 2 ^ * Pol1 d/dx -";
    }));
    // «Вычислить» on the same table gives the value the last step shows.
    TRANSSTRUCT::TFPolTrans trans(&user);
    trans.SetFormula(calcFormula.toStdString());
    LISTSTRUCT::TPolinom value = trans.Calculate();
    QCOMPARE(steps.back().first,
             QString::fromStdString("Значение формулы: " + TRANSSTRUCT::ShortPolText(value)));
    LISTSTRUCT::TPolinom last = shown.Result;
    QCOMPARE(QString::fromStdString(last.GetExactText()),
             QString::fromStdString(value.GetExactText()));

    // A formula with an error ends at the translator's message, shown as a failure.
    auto* formula = Find<QLineEdit>(&page, "EdTransFormula");
    formula->setText("Pol1+*X");
    QTest::keyClick(formula, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(recorded("Pol1+*X"), 10000);
    trans.SetFormula("Pol1+*X");
    QTest::mouseClick(Find<QPushButton>(&page, "BBtnStepLast"), Qt::LeftButton);
    QVERIFY2(Line(page).contains(QString::fromStdString(trans.GetMessage())),
             qPrintable(Line(page)));
    QVERIFY(formula->text() == "Pol1+*X" && Find<QLineEdit>(&page, "EdStepText")->font().bold());
  }
};

QTEST_MAIN(TestStepsPages)
#include "test_stepspages.moc"
