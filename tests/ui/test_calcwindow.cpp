// The calculation window: the live formula check and its operand grid, the operation images,
// evaluation with standard and user-given result names, the naming switches, the layout, and
// a formula typed key by key all the way into the table file.
#include "CalcWindowControls.h"
#include "TableTestSupport.h"
#include "TermixTestSupport.h"

#include "calc/TFPolTrans.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "tables/TIniFile.h"
#include "tables/TPolSortTab.h"
#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/ExactCoefficients.h"
#include "ui/Forms.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/MainWindow.h"
#include "ui/PolTableModel.h"
#include "ui/ShownText.h"
#include "ui/TableWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using LISTSTRUCT::TPolinom;

namespace {

QString cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row - 1, column);
  return item ? item->text() : QString();
}

QStringList rowOf(const QTableWidget* grid, int row) {
  return {cell(grid, row, 0), cell(grid, row, 1), cell(grid, row, 2)};
}

// The text form of a polynomial given as text: the independent way to the expected result.
QString polynomialText(const std::string& text) {
  TPolinom polynomial;
  polynomial.SetText(text);
  if (!polynomial.GetCorrect()) qFatal("expected polynomial text does not parse: %s", text.c_str());
  return QString::fromStdString(polynomial.GetText());
}

void addPolynomial(const std::string& name, const std::string& text) {
  TPolinom polynomial;
  polynomial.SetText(text);
  QVERIFY(TableDocument->Insert(name, polynomial) >= 0);
}

bool tableHolds(const std::string& name) {
  TPolinom found;
  return TableDocument->CurTab()->FindRecord(name, found) >= 0;
}

QString storedText(const std::string& name) {
  TPolinom found;
  if (TableDocument->CurTab()->FindRecord(name, found) < 0) return "<absent>";
  return QString::fromStdString(found.GetText());
}

// With TERMIX_SCREENSHOTS naming a folder, the window is saved there as a picture, so that
// `make screenshots` can collect it; otherwise nothing happens.
void saveScreenshot(QWidget* window, const char* fileName) {
  const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  window->grab().save(QDir(folder).filePath(fileName));
}

const QString NotEntered = "Выражение не введено ! [0]";
const QString Correct = "Выражение введено правильно.";

} // namespace

class TestCalcWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanupTestCase();

  void newWindowShowsNotEnteredAndCalcDoesNothing();
  void operandGridListsDistinctOperandsAndSkipsNumbers();
  void operandGridAfterErrors();
  void imagesAppendTheirTexts();
  void imagesHighlightWhilePointerStrictlyInside();
  void standardNamesTakeFirstFreeResNumber();
  void numbersOnlyFormula();
  void outOfRangeResultIsNotStored();
  void userNameIsCheckedWhileTyped();
  void userNameResultIsStoredOnceOnly();
  void namingSwitchesEnableTheirControls();
  void fullSortedTableIsReportedInResultRow();
  void formulaFollowsTheCurrentTable();
  void storeButtonsNeedACorrectFormula();
  void closeBoxHidesAndKeepsTheWindow();
  void mainWindowButtonsDriveTheWindow();
  void layoutKeepsControlsInPlaceAtEverySize();
  void typedFormulaIsEvaluatedStoredAndSaved();
  void longPolynomialCellShowsItsStartOnItsOwnRow();
};

void TestCalcWindow::initTestCase() {
  InitTermixResources();
  QDir("IniSaves").removeRecursively();
  QDir().mkpath("IniSaves"); // as start-up makes it: no save makes folders
  CreateForms(); // all windows, wired as at start-up; only the calculation window is shown
  Form3->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form3));
}

void TestCalcWindow::cleanupTestCase() {
  DestroyForms();
}

// Each case starts from an empty scan table, no formula and the naming as at creation.
void TestCalcWindow::init() {
  TableDocument->SetSaveMode(false);
  TermixTest::Find<QRadioButton>(Form2, "RBScanTab")->setChecked(true);
  TermixTest::ClearTable();
  CalcControls::EdFormul()->setText("x");
  CalcControls::EdFormul()->clear();
  CalcControls::CBPolToTab()->setChecked(true);
  CalcControls::RBStdName()->setChecked(true);
  CalcControls::EdName()->setText("PolResult");
  CalcControls::RBVarX()->setChecked(true);
  Form3->FormCreate(); // no bracket open, names as at creation
  CalcControls::SGResTable()->clearContents();
  if (!Form3->isVisible()) Form1->TBPolsClick(); // a close box in an earlier case went through it
  if (!Form3->isVisible()) Form3->show();
}

void TestCalcWindow::newWindowShowsNotEnteredAndCalcDoesNothing() {
  // A window made now, on the empty table, as at program start.
  TForm3 fresh(TableDocument);
  QCOMPARE(CalcControls::EdErrors(&fresh)->text(), NotEntered);
  QVERIFY(!CalcControls::FormulaAccepted(&fresh));
  QVERIFY(!CalcControls::EdName(&fresh)->isEnabled());
  QCOMPARE(CalcControls::EdName(&fresh)->text(), QString("PolResult"));
  QVERIFY(CalcControls::RBStdName(&fresh)->isChecked());
  QCOMPARE(fresh.windowTitle(), QString("POLINOM: Вычисления полиномов"));
  QCOMPARE(fresh.minimumSize(), QSize(540, 357));
  QCOMPARE(CalcControls::SGOperTable(&fresh)->horizontalHeaderItem(1)->text(), QString("Название"));
  QCOMPARE(CalcControls::SGOperTable(&fresh)->horizontalHeaderItem(2)->text(),
           QString("Полиномы - операнды"));
  QCOMPARE(CalcControls::SGResTable(&fresh)->horizontalHeaderItem(0)->text(), QString("№"));
  QCOMPARE(CalcControls::SGResTable(&fresh)->horizontalHeaderItem(2)->text(),
           QString("Полином - результат"));

  fresh.BBtnCalcClick();
  QCOMPARE(rowOf(CalcControls::SGResTable(&fresh), 1), (QStringList{"", "", ""}));
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 0);
}

void TestCalcWindow::operandGridListsDistinctOperandsAndSkipsNumbers() {
  addPolynomial("B", "y+1");
  addPolynomial("A", "x^2");
  CalcControls::EdFormul()->setText("A*(X+2)^2-B*A+x");
  QVERIFY(CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(), Correct);
  // Lexemes A, X, 2, B, x: the number is not listed, A only once, X and x both.
  QCOMPARE(CalcControls::SGOperTable()->rowCount(), 4);
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 1), (QStringList{"2", "A", polynomialText("x^2")}));
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 2), (QStringList{"--", "X", polynomialText("x")}));
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 3), (QStringList{"1", "B", polynomialText("y+1")}));
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 4), (QStringList{"--", "x", polynomialText("x")}));
  QCOMPARE(CalcControls::SGOperTable()->horizontalHeaderItem(2)->text(),
           QString("Полиномы - операнды (кол-во операнд = 4)"));

  // A shorter formula shrinks the grid again.
  CalcControls::EdFormul()->setText("B");
  QCOMPARE(CalcControls::SGOperTable()->rowCount(), 1);
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 1), (QStringList{"1", "B", polynomialText("y+1")}));

  // Under the formula, how it was read: a fractional exponent is cut; a formula in error has
  // no reading. «Точные коэффициенты» shows an operand's coefficients exactly.
  auto* reading = Form3->findChild<QLineEdit*>("EdFormulReading");
  QVERIFY(reading);
  CalcControls::EdFormul()->setText("B^2.5");
  QVERIFY2(reading->text().contains("усечён до 2"), qPrintable(reading->text()));
  CalcControls::EdFormul()->setText("B+(");
  QCOMPARE(reading->text(), QString("Прочитано как: —"));
  addPolynomial("C", "12345.5*x");
  CalcControls::EdFormul()->setText("C");
  QCOMPARE(cell(CalcControls::SGOperTable(), 1, 2), polynomialText("12345.5*x"));
  TExactCoefficients::Switch().SetOn(true);
  TPolinom exact;
  exact.SetText("12345.5*x");
  QCOMPARE(cell(CalcControls::SGOperTable(), 1, 2), QString::fromStdString(exact.GetExactText()));
  QVERIFY(cell(CalcControls::SGOperTable(), 1, 2).contains("12345.5"));
  // The table's rows write their exact texts when the switch is turned on, and on every reload
  // while it is on.
  const auto shownInTable = [](const QString& key) {
    const TPolTableModel& rows = *TableDocument->Rows();
    const int row = rows.RowOfKey(key);
    return row < 0 ? QString() : rows.index(row, 2).data().toString();
  };
  QCOMPARE(shownInTable("C"), QString::fromStdString(exact.GetExactText()));
  addPolynomial("D", "23456.5*y");
  TPolinom exactD;
  exactD.SetText("23456.5*y");
  QVERIFY(exactD.GetExactText() != exactD.GetText()); // the two forms differ here
  QCOMPARE(shownInTable("D"), QString::fromStdString(exactD.GetExactText()));
  QCOMPARE(shownInTable("C"), QString::fromStdString(exact.GetExactText()));
  // The overview's list of formulas is rewritten when the switch turns, in both directions.
  auto* formulas = Form9->findChild<QComboBox*>("CBFormula");
  QVERIFY(formulas);
  const int rowC = TableDocument->Rows()->RowOfKey("C");
  QCOMPARE(formulas->itemText(rowC), QString::fromStdString(exact.GetExactText()));
  TExactCoefficients::Switch().SetOn(false);
  QCOMPARE(shownInTable("C"), polynomialText("12345.5*x"));
  QCOMPARE(formulas->itemText(rowC), polynomialText("12345.5*x"));
  QCOMPARE(cell(CalcControls::SGOperTable(), 1, 2), polynomialText("12345.5*x"));
}

void TestCalcWindow::operandGridAfterErrors() {
  addPolynomial("A", "x");
  // An error in the operator scan: the operands found before it are listed.
  CalcControls::EdFormul()->setText("A+Missing");
  QVERIFY(!CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(),
           QString("Полином с именем 'Missing' в таблице не найден ! [3]"));
  QCOMPARE(CalcControls::SGOperTable()->rowCount(), 1);
  QCOMPARE(cell(CalcControls::SGOperTable(), 1, 1), QString("A"));

  // An error found before the scan (an open bracket) keeps the previous lexemes.
  CalcControls::EdFormul()->setText("A*Y");
  CalcControls::EdFormul()->setText("A*Y*(");
  QVERIFY(!CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(), QString("Неправильно расставлены скобки ! [6]"));
  QCOMPARE(CalcControls::SGOperTable()->rowCount(), 2);
  QCOMPARE(cell(CalcControls::SGOperTable(), 2, 1), QString("Y"));

  // Only spaces: nothing entered, and evaluation does nothing.
  CalcControls::EdFormul()->setText("   ");
  QCOMPARE(CalcControls::EdErrors()->text(), NotEntered);
  Form3->BBtnCalcClick();
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 2), QString());
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 1);
}

void TestCalcWindow::imagesAppendTheirTexts() {
  CalcControls::RBVarY()->setChecked(true);
  Form3->ImProClick();
  QCOMPARE(CalcControls::EdFormul()->text(), QString(" d/dy("));
  Form3->ImBrakClick();
  QCOMPARE(CalcControls::EdFormul()->text(), QString(" d/dy()"));
  // Every insertion runs the check: an empty derivative is no formula.
  QVERIFY(!CalcControls::FormulaAccepted());

  CalcControls::EdFormul()->clear();
  CalcControls::RBVarZ()->setChecked(true);
  Form3->ImIntClick();
  Form3->ImVarClick();
  Form3->ImBrakClick();
  Form3->ImDegClick();
  Form3->ImSumClick();
  Form3->ImBrakClick();
  CalcControls::RBVarX()->setChecked(true);
  Form3->ImVarClick();
  Form3->ImMinClick();
  Form3->ImVarClick();
  Form3->ImBrakClick();
  Form3->ImMultClick();
  Form3->ImVarClick();
  QCOMPARE(CalcControls::EdFormul()->text(), QString(" int~dz( Z)^2 +( X - X) * X"));
  QVERIFY(CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(), Correct);

  // A real click on a picture does the same as the handler.
  CalcControls::EdFormul()->setText("X");
  QTest::mouseClick(CalcControls::ImSum(), Qt::LeftButton, {}, QPoint(12, 12));
  QCOMPARE(CalcControls::EdFormul()->text(), QString("X +"));
}

void TestCalcWindow::imagesHighlightWhilePointerStrictlyInside() {
  struct Case {
    TOperationImage* image;
    void (TForm3::*move)(int, int);
  };
  const Case cases[] = {{CalcControls::ImSum(), &TForm3::ImSumMouseMove},
                        {CalcControls::ImMin(), &TForm3::ImMinMouseMove},
                        {CalcControls::ImMult(), &TForm3::ImMultMouseMove},
                        {CalcControls::ImPro(), &TForm3::ImProMouseMove},
                        {CalcControls::ImInt(), &TForm3::ImIntMouseMove},
                        {CalcControls::ImBrak(), &TForm3::ImBrakMouseMove},
                        {CalcControls::ImVar(), &TForm3::ImVarMouseMove},
                        {CalcControls::ImDeg(), &TForm3::ImDegMouseMove}};
  QList<QImage> pictures; // every image's normal and highlighted picture
  for (const Case& c : cases) {
    const QImage normal = c.image->pixmap().toImage();
    (Form3->*c.move)(12, 12);
    const QImage hot = c.image->pixmap().toImage();
    QVERIFY(!normal.isNull());
    QCOMPARE(QWidget::mouseGrabber(), c.image);
    (Form3->*c.move)(24, 1);
    QCOMPARE(c.image->pixmap().toImage(), hot);
    // The border pixels count as outside.
    (Form3->*c.move)(0, 12);
    QCOMPARE(c.image->pixmap().toImage(), normal);
    QVERIFY(QWidget::mouseGrabber() != c.image);
    (Form3->*c.move)(12, 12);
    QCOMPARE(c.image->pixmap().toImage(), hot);
    (Form3->*c.move)(12, 25);
    QCOMPARE(c.image->pixmap().toImage(), normal);
    QVERIFY(QWidget::mouseGrabber() == nullptr);
    pictures << normal << hot;
  }
  // Sixteen different pictures: no image shares one with another, nor its two states.
  for (int i = 0; i < pictures.size(); ++i)
    for (int j = i + 1; j < pictures.size(); ++j)
      QVERIFY2(pictures[i] != pictures[j], qPrintable(QString("pictures %1 and %2").arg(i).arg(j)));

  // Real pointer moves arrive at the handler too (ImMult is the third image).
  QTest::mouseMove(CalcControls::ImMult(), QPoint(10, 10));
  QTRY_COMPARE(CalcControls::ImMult()->pixmap().toImage(), pictures[5]);
  QTest::mouseMove(CalcControls::EdFormul(), QPoint(5, 5));
  QTRY_COMPARE(CalcControls::ImMult()->pixmap().toImage(), pictures[4]);
  QTRY_VERIFY(QWidget::mouseGrabber() == nullptr);
}

void TestCalcWindow::standardNamesTakeFirstFreeResNumber() {
  // With an empty table the first result is Res0.
  CalcControls::EdFormul()->setText("X+1");
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Res0"), polynomialText("x+1"));
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1), (QStringList{"1", "Res0", polynomialText("x+1")}));

  // Res0 and Res1 present, Res2 missing: the next result takes Res2, not Res3.
  addPolynomial("Res1", "z");
  addPolynomial("Res3", "z");
  CalcControls::EdFormul()->setText("Res0*Res1");
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Res2"), polynomialText("x*z+z"));
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 1), QString("Res2"));
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 0), QString("4"));
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 4);
  // The table window shows the new record.
  bool shown = false;
  for (int row = 0; row < TableTest::RowCount(TermixTest::Find<QTableView>(Form2, "SGPolTable"));
       ++row)
    shown |= TableTest::Cell(TermixTest::Find<QTableView>(Form2, "SGPolTable"), row, 1) == "Res2";
  QVERIFY(shown);

  // Evaluating again gives the next free name; the check box off stores nothing.
  Form3->BBtnCalcClick();
  QVERIFY(tableHolds("Res4"));
  CalcControls::CBPolToTab()->setChecked(false);
  Form3->BBtnCalcClick();
  QVERIFY(!tableHolds("Res5"));
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1),
           (QStringList{"--", "----------", polynomialText("x*z+z")}));
}

void TestCalcWindow::numbersOnlyFormula() {
  CalcControls::EdFormul()->setText("2*3");
  QVERIFY(CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::SGOperTable()->horizontalHeaderItem(2)->text(),
           QString("Полиномы - операнды (кол-во операнд = 0)"));
  QCOMPARE(CalcControls::SGOperTable()->rowCount(), 1);
  QCOMPARE(rowOf(CalcControls::SGOperTable(), 1), (QStringList{"", "", ""}));
  Form3->BBtnCalcClick();
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 2), polynomialText("6"));
  QCOMPARE(storedText("Res0"), polynomialText("6"));
}

void TestCalcWindow::outOfRangeResultIsNotStored() {
  CalcControls::EdFormul()->setText("x^100");
  QVERIFY(CalcControls::FormulaAccepted());
  Form3->BBtnCalcClick();
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1),
           (QStringList{"--", "----------", "!!!--------Ошибки при вычислении--------!!!"}));
  QCOMPARE(CalcControls::EdErrors()->text(),
           QString("Параметры вычисляемого полинома выходят за область допустимых значений !"));
  // The message, longer than its field, shows its start; the hint comes with the whole text.
  QCOMPARE(CalcControls::EdErrors()->cursorPosition(), 0);
  QCOMPARE(CalcControls::EdErrors()->toolTip(),
           "Синтаксические ошибки в записи формулы\n" + CalcControls::EdErrors()->text());
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 0);

  // The same formula one power lower is fine.
  CalcControls::EdFormul()->setText("x^99");
  Form3->BBtnCalcClick();
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 1), QString("Res0"));
}

void TestCalcWindow::userNameIsCheckedWhileTyped() {
  addPolynomial("Taken", "x");
  addPolynomial("Other", "y");
  CalcControls::RBUserName()->setChecked(true);
  QVERIFY(CalcControls::EdName()->isEnabled());
  const QColor normal = CalcControls::EdName()->palette().color(QPalette::Base);

  struct Case {
    QString text;
    bool invalid;
    QString hint;
  };
  const Case cases[] = {
      {"Pol 1", true, "Название полинома содержит недопустимые символы!"},
      {"", true, "Название полинома не введено!"},
      {"Имя", true, "Название полинома содержит недопустимые символы!"},
      {"a_b", true, "Название полинома содержит недопустимые символы!"},
      {"Other", true, "Полином с таким названием уже существует! [Pol№2]"},
      {"1a", false, "Название полинома введено."},
      {"taken", false, "Название полинома введено."},
  };
  for (const Case& c : cases) {
    CalcControls::EdName()->setText(c.text);
    QCOMPARE(CalcControls::EdName()->toolTip(), c.hint);
    QCOMPARE(CalcControls::EdName()->palette().color(QPalette::Base),
             c.invalid ? QColor(Qt::red) : normal);
  }
  CalcControls::EdName()->setText("Pol 1");

  // A rejected name: the result is shown, nothing is stored.
  CalcControls::EdFormul()->setText("Taken+Other");
  Form3->BBtnCalcClick();
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1),
           (QStringList{"--", "----------", polynomialText("x+y")}));
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 2);
}

void TestCalcWindow::userNameResultIsStoredOnceOnly() {
  addPolynomial("A", "x+y");
  CalcControls::RBUserName()->setChecked(true);
  CalcControls::EdName()->setText("Sum2");
  CalcControls::EdFormul()->setText("A+A");
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Sum2"), polynomialText("2*x+2*y"));
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 1), QString("Sum2"));
  // The refresh re-ran the name check: the name is now taken and the field says so.
  QCOMPARE(CalcControls::EdName()->palette().color(QPalette::Base), QColor(Qt::red));
  QCOMPARE(CalcControls::EdName()->toolTip(),
           QString("Полином с таким названием уже существует! [Pol№2]"));

  // A second evaluation does not replace the stored polynomial.
  CalcControls::EdFormul()->setText("A*A");
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Sum2"), polynomialText("2*x+2*y"));
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 1), QString("----------"));

  // Neither after a result stored under a standard name cleared the flag in between.
  CalcControls::RBStdName()->setChecked(true);
  Form3->BBtnCalcClick();
  QVERIFY(tableHolds("Res0"));
  CalcControls::RBUserName()->setChecked(true);
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Sum2"), polynomialText("2*x+2*y"));
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), 3);

  // A window made while the table already holds its default name "PolResult" has never
  // checked that name; its first user-named result must still not replace the polynomial.
  addPolynomial("PolResult", "z");
  TForm3 fresh(TableDocument);
  CalcControls::RBUserName(&fresh)->setChecked(true);
  CalcControls::EdFormul(&fresh)->setText("A");
  fresh.BBtnCalcClick();
  QCOMPARE(storedText("PolResult"), polynomialText("z"));
  QCOMPARE(CalcControls::EdName(&fresh)->palette().color(QPalette::Base), QColor(Qt::red));
  QCOMPARE(cell(CalcControls::SGResTable(&fresh), 1, 1), QString("----------"));
}

void TestCalcWindow::namingSwitchesEnableTheirControls() {
  QVERIFY(!CalcControls::EdName()->isEnabled());
  CalcControls::RBUserName()->setChecked(true);
  QVERIFY(CalcControls::EdName()->isEnabled());
  CalcControls::CBPolToTab()->setChecked(false);
  QVERIFY(!CalcControls::RBStdName()->isEnabled());
  QVERIFY(!CalcControls::RBUserName()->isEnabled());
  QVERIFY(!CalcControls::EdName()->isEnabled());
  CalcControls::CBPolToTab()->setChecked(true);
  QVERIFY(CalcControls::RBStdName()->isEnabled());
  QVERIFY(CalcControls::EdName()->isEnabled());
  CalcControls::RBStdName()->setChecked(true);
  QVERIFY(!CalcControls::EdName()->isEnabled());
  CalcControls::CBPolToTab()->setChecked(false);
  CalcControls::CBPolToTab()->setChecked(true);
  QVERIFY(!CalcControls::EdName()->isEnabled());
}

void TestCalcWindow::fullSortedTableIsReportedInResultRow() {
  TermixTest::Find<QRadioButton>(Form2, "RBSortTab")->setChecked(true);
  TPolinom one;
  one.SetText("1");
  // All but the last straight into the table, the last through the document, which shows them.
  for (int i = 1; i < TABLESTRUCT::MaxSortRecords; ++i)
    QVERIFY(TableDocument->CurTab()->InsRecord("P" + std::to_string(i), one) >= 0);
  QVERIFY(TableDocument->Insert("P0", one) >= 0);
  CalcControls::EdFormul()->setText("P1+X");
  Form3->BBtnCalcClick();
  // No position is shown, the row says the result was not stored, and the table is unchanged.
  QCOMPARE(cell(CalcControls::SGResTable(), 1, 0), QString("--"));
  QVERIFY(cell(CalcControls::SGResTable(), 1, 2).contains("результат не занесён"));
  QVERIFY(cell(CalcControls::SGResTable(), 1, 2).contains(polynomialText("x+1")));
  QCOMPARE(TableDocument->CurTab()->GetDataCount(), TABLESTRUCT::MaxSortRecords);
  QVERIFY(!tableHolds("Res0"));
}

void TestCalcWindow::formulaFollowsTheCurrentTable() {
  addPolynomial("A", "x");
  CalcControls::EdFormul()->setText("A*2");
  QVERIFY(CalcControls::FormulaAccepted());
  // The switch copies the records; the translator looks them up in the new table.
  TermixTest::Find<QRadioButton>(Form2, "RBHashTab")->setChecked(true);
  QVERIFY(CalcControls::FormulaAccepted());
  Form3->BBtnCalcClick();
  QCOMPARE(storedText("Res0"), polynomialText("2*x"));

  // A record deleted from the table makes the formula wrong at once (the refresh re-checks).
  TableDocument->Delete("A");
  QVERIFY(!CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(),
           QString("Полином с именем 'A' в таблице не найден ! [1]"));
}

void TestCalcWindow::storeButtonsNeedACorrectFormula() {
  int shown = 0;
  auto closeIfShown = [&] {
    QTimer::singleShot(0, Form8, [&] {
      if (Form8->isVisible()) {
        ++shown;
        Form8->done(QDialog::Rejected);
      }
    });
  };
  CalcControls::EdFormul()->setText("A+");
  closeIfShown();
  Form3->SBtnSaveFClick();
  QTest::qWait(20);
  QCOMPARE(shown, 0);

  CalcControls::EdFormul()->setText("X+Y");
  closeIfShown();
  Form3->SBtnSaveFClick();
  QCOMPARE(shown, 1);
  QVERIFY(TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled());
  QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString("X+Y"));

  closeIfShown();
  Form3->SBtnLoadFClick();
  QCOMPARE(shown, 2);
  QVERIFY(TermixTest::Find<QPushButton>(Form8, "BBtnLoad")->isEnabled());
  QVERIFY(!TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled());
}

void TestCalcWindow::closeBoxHidesAndKeepsTheWindow() {
  CalcControls::EdFormul()->setText("X*Y");
  Form3->close();
  QVERIFY(!Form3->isVisible());
  Form3->show();
  QCOMPARE(CalcControls::EdFormul()->text(), QString("X*Y"));
  QVERIFY(CalcControls::FormulaAccepted());
  QCOMPARE(cell(CalcControls::SGOperTable(), 2, 1), QString("Y"));
}

// The main window's toggle and its three calculation buttons, and the close box going through
// the toggle.
void TestCalcWindow::mainWindowButtonsDriveTheWindow() {
  CalcControls::EdFormul()->setText("X*2");
  Form1->TBCalcClick();
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1), (QStringList{"1", "Res0", polynomialText("2*x")}));
  QCOMPARE(TermixTest::MainButton("TBCalc")->ImageIndex(),
           TermixTest::MainButton("TBCalc")->NormalOn);

  QString shownFormula;
  bool saveMode = false;
  QTimer::singleShot(0, Form8, [&] {
    saveMode = TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled();
    shownFormula = TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text();
    Form8->done(QDialog::Rejected);
  });
  Form1->TBSaveFClick();
  QVERIFY(saveMode);
  QCOMPARE(shownFormula, QString("X*2"));

  bool loadMode = false;
  QTimer::singleShot(0, Form8, [&] {
    loadMode = TermixTest::Find<QPushButton>(Form8, "BBtnLoad")->isEnabled() &&
               !TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled();
    Form8->done(QDialog::Rejected);
  });
  Form1->TBLoadFClick();
  QVERIFY(loadMode);
  QCOMPARE(TermixTest::MainButton("TBLoadF")->ImageIndex(),
           TermixTest::MainButton("TBLoadF")->NormalOn);

  // The close box clears the main window's flag and gives the toggle its off picture; the
  // toggle brings the same window back.
  QVERIFY(Form3->isVisible());
  Form3->close();
  QVERIFY(!Form3->isVisible());
  QVERIFY(!Form3->isVisible());
  QCOMPARE(TermixTest::MainButton("TBPols")->ImageIndex(),
           TermixTest::MainButton("TBPols")->NormalOff);
  Form1->TBPolsClick();
  QVERIFY(Form3->isVisible());
  QCOMPARE(CalcControls::EdFormul()->text(), QString("X*2"));
}

void TestCalcWindow::layoutKeepsControlsInPlaceAtEverySize() {
  for (const QSize size : {QSize(540, 357), QSize(700, 480), QSize(1200, 800)}) {
    Form3->resize(size);
    QCoreApplication::processEvents();
    QCOMPARE(Form3->size(), size);
    if (size == Form3->minimumSize()) saveScreenshot(Form3, "calcwindow_minimum.png");
    const QRect client = Form3->rect();
    // The group boxes and the naming panel fill the width and stay inside the window.
    for (QWidget* w : {static_cast<QWidget*>(CalcControls::GroupBox1()),
                       static_cast<QWidget*>(CalcControls::GroupBox2()),
                       static_cast<QWidget*>(CalcControls::Panel1())}) {
      QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
      QVERIFY2(client.right() - w->geometry().right() <= 8, qPrintable(w->objectName()));
    }
    QCOMPARE(CalcControls::Panel1()->geometry().bottom(), client.bottom());
    QVERIFY(CalcControls::GroupBox2()->geometry().bottom() < CalcControls::Panel1()->y());
    QVERIFY(CalcControls::GroupBox1()->geometry().bottom() < CalcControls::GroupBox2()->y());
    // Inside the formula box: picture frame at the right, store buttons just before it,
    // the formula fields up to the store buttons' frame, nothing overlapping.
    const QRect box = CalcControls::GroupBox1()->rect();
    QVERIFY(box.contains(CalcControls::Bevel1()->geometry()));
    QVERIFY(CalcControls::Bevel1()->geometry().contains(CalcControls::Image1()->geometry()));
    QVERIFY(CalcControls::Bevel3()->geometry().right() < CalcControls::Bevel1()->x());
    QVERIFY(CalcControls::Bevel3()->geometry().contains(CalcControls::SBtnSaveF()->geometry()));
    QVERIFY(CalcControls::Bevel3()->geometry().contains(CalcControls::SBtnLoadF()->geometry()));
    QVERIFY(CalcControls::EdFormul()->geometry().right() < CalcControls::Bevel3()->x());
    QCOMPARE(CalcControls::EdErrors()->width(), CalcControls::EdFormul()->width());
    QVERIFY(CalcControls::Bevel4()->geometry().right() < CalcControls::Bevel1()->x());
    QVERIFY(CalcControls::Bevel4()->geometry().contains(CalcControls::RBVarZ()->geometry()));
    // The grids: the result grid at the bottom, the operand grid above it, same width.
    const QRect grids = CalcControls::GroupBox2()->rect();
    QVERIFY(grids.contains(CalcControls::SGOperTable()->geometry()));
    QVERIFY(grids.contains(CalcControls::SGResTable()->geometry()));
    QVERIFY(CalcControls::SGOperTable()->geometry().bottom() < CalcControls::SGResTable()->y());
    QCOMPARE(CalcControls::SGOperTable()->width(), CalcControls::SGResTable()->width());
    QVERIFY(CalcControls::Panel1()->rect().contains(CalcControls::EdName()->geometry()));
    QVERIFY(CalcControls::Panel1()->rect().contains(CalcControls::BBtnCalc()->geometry()));
  }
  Form3->resize(660, 430);
}

// A formula typed key by key, evaluated with the button, stored under a standard name, shown
// in the table window and written to the table file with save mode on; then kept in the
// formula store through the store button.
void TestCalcWindow::typedFormulaIsEvaluatedStoredAndSaved() {
  addPolynomial("A", "x+1");
  TableDocument->SetSaveMode(true);

  Form3->activateWindow();
  CalcControls::EdFormul()->setFocus();
  QStringList messages;
  QObject listening; // the messages are gathered while this case runs, not after
  connect(CalcControls::EdErrors(), &QLineEdit::textChanged, &listening,
          [&](const QString& text) { messages << text; });
  QTest::keyClicks(CalcControls::EdFormul(), "A*(X+2)");
  QCOMPARE(CalcControls::EdFormul()->text(), QString("A*(X+2)"));
  QCOMPARE(CalcControls::EdErrors()->text(), Correct);
  QVERIFY(CalcControls::FormulaAccepted());
  // On the way the check spoke up: «A*» and «A*(» were rejected before the formula was whole.
  QVERIFY(messages.contains("Ошибки в расстановке арифметических операций ! [2]"));
  QVERIFY(messages.contains("Неправильно расставлены скобки ! [4]"));

  QTest::mouseClick(CalcControls::BBtnCalc(), Qt::LeftButton);
  const QString expected = polynomialText("x^2+3*x+2");
  QCOMPARE(rowOf(CalcControls::SGResTable(), 1), (QStringList{"2", "Res0", expected}));

  bool shown = false;
  for (int row = 0; row < TableTest::RowCount(TermixTest::Find<QTableView>(Form2, "SGPolTable"));
       ++row)
    shown |= TableTest::Cell(TermixTest::Find<QTableView>(Form2, "SGPolTable"), row, 1) == "Res0" &&
             TableTest::Cell(TermixTest::Find<QTableView>(Form2, "SGPolTable"), row, 2) == expected;
  QVERIFY(shown);
  saveScreenshot(Form3, "calcwindow.png");

  TABLESTRUCT::TIniFile table(QDir::current().filePath("IniSaves/PolTable.ini").toStdString());
  QVERIFY(table.Reload());
  QCOMPARE(table.ReadInteger("Global", "PolCount", 0), 2);
  bool written = false;
  for (int k = 0; k < 2; ++k) {
    const std::string section = "Polinom" + std::to_string(k);
    if (table.ReadString(section, "PolName", "!") == "Res0")
      written = QString::fromStdString(table.ReadString(section, "PolFormula", "!")) == expected;
  }
  QVERIFY(written);

  // The formula goes into the store with a description typed in the dialog.
  QTimer::singleShot(0, Form8, [] {
    QTest::keyClicks(TermixTest::Find<QLineEdit>(Form8, "EdDiscript"), "times x plus 2");
    saveScreenshot(Form8, "formulastore_save.png");
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnSave"), Qt::LeftButton);
  });
  QTest::mouseClick(CalcControls::SBtnSaveF(), Qt::LeftButton);
  TABLESTRUCT::TIniFile store(QDir::current().filePath("IniSaves/PolForms.ini").toStdString());
  QVERIFY(store.Reload());
  QCOMPARE(store.ReadInteger("Global", "ForCount", 0), 1);
  QCOMPARE(store.ReadString("Formula0", "FormExpr", "!"), std::string("A*(X+2)"));
  QCOMPARE(store.ReadString("Formula0", "FDiscript", "!"), std::string("times x plus 2"));
}

// A polynomial of about 157 000 characters in the operand grid, under a short one: the short
// row paints as it did alone, the long cell paints exactly as a cell holding only the text's
// start (so its start sits at the left edge, elided), the grid keeps the whole text, and the
// tooltip shows the start capped with «…» in a window smaller than the screen.
void TestCalcWindow::longPolynomialCellShowsItsStartOnItsOwnRow() {
  std::string text;
  for (int i = 0; i < 8000; ++i)
    text += (i % 2 ? " - 1.234*x^" : " + 5.678*x^") + std::to_string(i / 100 % 100) + "*y^" +
            std::to_string(i % 100) + "*z";
  const QString bigText = polynomialText(text);
  QVERIFY(bigText.size() > 150000);
  addPolynomial("Small", "2*x-1");
  CalcControls::EdFormul()->setText("Small");
  QTableWidget* grid = CalcControls::SGOperTable();
  QWidget* viewport = grid->viewport();
  const QRect shortRow =
      grid->visualItemRect(grid->item(0, 0)).united(grid->visualItemRect(grid->item(0, 2)));
  const QImage shortAlone = viewport->grab(shortRow).toImage();

  addPolynomial("Big", text);
  CalcControls::EdFormul()->setText("Small+Big");
  QCOMPARE(rowOf(grid, 1), (QStringList{"1", "Small", polynomialText("2*x-1")}));
  QCOMPARE(rowOf(grid, 2), (QStringList{"2", "Big", bigText}));
  saveScreenshot(Form3, "calcwindow_long_operand.png");
  QCOMPARE(viewport->grab(shortRow).toImage(), shortAlone);

  QTableWidgetItem* longItem = grid->item(1, 2);
  const QRect longCell = grid->visualItemRect(longItem);
  const QImage longShown = viewport->grab(longCell).toImage();
  longItem->setText(bigText.left(300));
  QCOMPARE(viewport->grab(longCell).toImage(), longShown);
  longItem->setText(QString());
  QVERIFY(viewport->grab(longCell).toImage() != longShown);
  longItem->setText(bigText);

  // The tooltip: none for a cell whose text fits, the capped start for the long one.
  const auto tooltipAt = [&](const QRect& cellRect) {
    QToolTip::hideText();
    const QPoint at = cellRect.center();
    QTest::mouseMove(viewport, at);
    QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  QCOMPARE(tooltipAt(grid->visualItemRect(grid->item(0, 2))), QString());
  const QString tip = tooltipAt(longCell);
  QCOMPARE(tip.size(), TooltipTextLimit);
  QVERIFY(tip.endsWith(QStringLiteral("…")));
  QVERIFY(bigText.startsWith(tip.chopped(1)));
  QWidget* tipWindow = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->inherits("QTipLabel")) tipWindow = window;
  QVERIFY(tipWindow);
  QVERIFY(tipWindow->screen()->availableGeometry().contains(tipWindow->geometry()));
  QToolTip::hideText();
}

QTEST_MAIN(TestCalcWindow)
#include "test_calcwindow.moc"
