// The formula store dialog: its modes, the rows it lists, save, load and delete through its
// buttons, and what it shows when the store refuses. The file rules are the engine's.
#include "tables/TIniFile.h"
#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/TableWindow.h"

#include "CalcWindowControls.h"
#include "TermixTestSupport.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const char* const StorePath = "IniSaves/PolForms.ini";

// The store file as it is on disk now.
struct StoreFile {
  TABLESTRUCT::TIniFile ini{QDir::current().filePath(StorePath).toStdString()};
  StoreFile() { ini.Reload(); }
  int count() const { return ini.ReadInteger("Global", "ForCount", 0); }
  std::string formula(int number) const {
    return ini.ReadString("Formula" + std::to_string(number), "FormExpr", "!");
  }
  std::string description(int number) const {
    return ini.ReadString("Formula" + std::to_string(number), "FDiscript", "!");
  }
  bool has(int number) const { return ini.SectionExists("Formula" + std::to_string(number)); }
};

// With TERMIX_SCREENSHOTS naming a folder, the window is saved there as a picture, so that
// `make screenshots` can collect it; otherwise nothing happens.
void saveScreenshot(QWidget* window, const char* fileName) {
  const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  window->grab().save(QDir(folder).filePath(fileName));
}

void writeStoreText(const QByteArray& text) {
  QDir().mkpath("IniSaves");
  QFile file(StorePath);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

QString cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row - 1, column);
  return item ? item->text() : QString();
}

// Rows of the grid below the header, as (formula, description).
QList<QPair<QString, QString>> listedRows() {
  QList<QPair<QString, QString>> rows;
  for (int row = 1; row <= TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->rowCount(); ++row)
    rows.append({cell(TermixTest::Find<QTableWidget>(Form8, "SGSavTab"), row, 0),
                 cell(TermixTest::Find<QTableWidget>(Form8, "SGSavTab"), row, 1)});
  return rows;
}

// Runs the dialog modally as the calculation window does, with `interaction` done while it
// is open; returns the dialog's result.
int runDialog(const std::function<void()>& interaction) {
  bool ran = false;
  QTimer::singleShot(0, Form8, [&] {
    ran = true;
    interaction();
    // A dialog left open by the interaction is closed so that the test cannot hang.
    if (Form8->isVisible()) {
      QTimer::singleShot(0, Form8, [] {
        if (Form8->isVisible()) Form8->done(-1);
      });
    }
  });
  const int result = Form8->exec();
  if (!ran) qWarning("dialog interaction did not run");
  return result;
}

void saveFormula(const QString& formula, const QString& description) {
  Form8->PrepareSaveMode(formula);
  const int result = runDialog([&] {
    TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->setText(description);
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnSave"), Qt::LeftButton);
  });
  QCOMPARE(result, int(QDialog::Accepted));
}

void openForLoad() {
  Form8->PrepareLoadMode();
  Form8->FormShow();
}

} // namespace

class TestFormulaStore : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanupTestCase();

  void emptyStoreListsOneEmptyRow();
  void modesSetTheButtonsAndFields();
  void savedFormulasAreListedAndDeletedThroughTheDialog();
  void missingFormulaKeyShowsReadingError();
  void loadPutsChosenFormulaIntoCalculationWindow();
  void loadingFormulaWithMissingPolynomialsReportsFirstName();
  void failedWriteIsReportedAndLosesNothing();
};

void TestFormulaStore::initTestCase() {
  InitTermixResources();
  QDir("IniSaves").removeRecursively();
  CreateForms(); // all windows, wired as at start-up
}

void TestFormulaStore::cleanupTestCase() {
  DestroyForms();
}

void TestFormulaStore::init() {
  QFile::remove(StorePath);
  TermixTest::ClearTable();
  CalcControls::EdFormul()->clear();
}

void TestFormulaStore::emptyStoreListsOneEmptyRow() {
  openForLoad();
  QCOMPARE(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->rowCount(), 1);
  QCOMPARE(listedRows(), (QList<QPair<QString, QString>>{{"", ""}}));
  QCOMPARE(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->horizontalHeaderItem(0)->text(),
           QString("Формула:"));
  QCOMPARE(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->horizontalHeaderItem(1)->text(),
           QString("Описание формулы:"));

  // Delete only closes the dialog, with the cancel result, and makes no file.
  Form8->PrepareLoadMode();
  const int deleted = runDialog([] {
    QTest::mouseClick(
        TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->viewport(), Qt::LeftButton, {},
        TermixTest::Find<QTableWidget>(Form8, "SGSavTab")
            ->visualItemRect(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->item(0, 0))
            .center());
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnDel"), Qt::LeftButton);
  });
  QCOMPARE(deleted, int(QDialog::Rejected));
  QVERIFY(!QFile::exists(StorePath));

  // Load without a row chosen closes the dialog and leaves the formula alone.
  CalcControls::EdFormul()->setText("X");
  Form8->PrepareLoadMode();
  QCOMPARE(runDialog([] {
             QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnLoad"), Qt::LeftButton);
           }),
           int(QDialog::Accepted));
  QCOMPARE(CalcControls::EdFormul()->text(), QString("X"));

  // Load after clicking the empty row empties the calculation window's formula.
  Form8->PrepareLoadMode();
  QCOMPARE(runDialog([] {
             QTest::mouseClick(
                 TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->viewport(), Qt::LeftButton, {},
                 TermixTest::Find<QTableWidget>(Form8, "SGSavTab")
                     ->visualItemRect(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->item(0, 0))
                     .center());
             QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnLoad"), Qt::LeftButton);
           }),
           int(QDialog::Accepted));
  QCOMPARE(CalcControls::EdFormul()->text(), QString());
  QCOMPARE(CalcControls::EdErrors()->text(), QString("Выражение не введено ! [0]"));
}

void TestFormulaStore::modesSetTheButtonsAndFields() {
  Form8->PrepareSaveMode("A+B");
  QVERIFY(TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled());
  QVERIFY(!TermixTest::Find<QPushButton>(Form8, "BBtnLoad")->isEnabled());
  QVERIFY(!TermixTest::Find<QPushButton>(Form8, "BBtnDel")->isEnabled());
  QVERIFY(TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->isEnabled());
  QVERIFY(!TermixTest::Find<QLineEdit>(Form8, "EdFormul")->isEnabled());
  QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString("A+B"));
  QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->text(), QString());
  const QImage savePicture = TermixTest::Find<QLabel>(Form8, "ImSavLod")->pixmap().toImage();
  QVERIFY(!savePicture.isNull());

  // In save mode choosing a row chooses nothing.
  writeStoreText("[Global]\nForCount=1\n[Formula0]\nFDiscript=d\nFormExpr=X\n");
  Form8->FormShow();
  TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->setCurrentCell(0, 0);
  QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString("A+B"));

  Form8->PrepareLoadMode();
  QVERIFY(!TermixTest::Find<QPushButton>(Form8, "BBtnSave")->isEnabled());
  QVERIFY(TermixTest::Find<QPushButton>(Form8, "BBtnLoad")->isEnabled());
  QVERIFY(TermixTest::Find<QPushButton>(Form8, "BBtnDel")->isEnabled());
  QVERIFY(!TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->isEnabled());
  QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString());
  QVERIFY(!TermixTest::Find<QLabel>(Form8, "ImSavLod")->pixmap().isNull());
  QVERIFY(TermixTest::Find<QLabel>(Form8, "ImSavLod")->pixmap().toImage() != savePicture);
}

void TestFormulaStore::savedFormulasAreListedAndDeletedThroughTheDialog() {
  saveFormula("(A+B)^2", "square of the sum");
  saveFormula("d/dx(A)", "");
  QCOMPARE(StoreFile().formula(1), std::string("d/dx(A)"));
  openForLoad();
  QCOMPARE(listedRows(),
           (QList<QPair<QString, QString>>{{"(A+B)^2", "square of the sum"}, {"d/dx(A)", ""}}));
  Form8->PrepareLoadMode();
  QCOMPARE(runDialog([] {
             TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->setCurrentCell(0, 0);
             QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString("(A+B)^2"));
             QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->text(),
                      QString("square of the sum"));
             QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnDel"), Qt::LeftButton);
           }),
           int(QDialog::Rejected));
  openForLoad();
  QCOMPARE(listedRows(), (QList<QPair<QString, QString>>{{"d/dx(A)", ""}}));
  // A count that promises more formulas than the file holds shows empty rows.
  writeStoreText("[Global]\nForCount=3\n[Formula4]\nFDiscript=only\nFormExpr=Z\n");
  openForLoad();
  QCOMPARE(listedRows(), (QList<QPair<QString, QString>>{{"Z", "only"}, {"", ""}, {"", ""}}));
}

void TestFormulaStore::missingFormulaKeyShowsReadingError() {
  writeStoreText("[Global]\nForCount=2\n[Formula3]\nFDiscript=no formula\n"
                 "[Formula7]\nFDiscript=ok\nFormExpr=X+Y\n");
  openForLoad();
  QCOMPARE(listedRows(), (QList<QPair<QString, QString>>{{"Ini-file reading error!", "no formula"},
                                                         {"X+Y", "ok"}}));
  // Loading that row puts the text into the calculation window, whose check rejects it.
  Form8->PrepareLoadMode();
  runDialog([] {
    TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->setCurrentCell(0, 0);
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnLoad"), Qt::LeftButton);
  });
  QCOMPARE(CalcControls::EdFormul()->text(), QString("Ini-file reading error!"));
  QVERIFY(!CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(),
           QString("Выражение содержит недопустимые символы ! [21]"));
}

void TestFormulaStore::loadPutsChosenFormulaIntoCalculationWindow() {
  TermixTest::InsertPolynom("A", "x+1");
  saveFormula("A*X", "times x");
  saveFormula("A+2", "plus two");

  // Through the calculation window's own button, as the user does it.
  QTimer::singleShot(0, Form8, [] {
    QCOMPARE(TermixTest::Find<QPushButton>(Form8, "BBtnLoad")->isEnabled(), true);
    QCOMPARE(TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->rowCount(), 2);
    TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->setCurrentCell(1, 1);
    saveScreenshot(Form8, "formulastore_load.png");
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnLoad"), Qt::LeftButton);
  });
  Form3->SBtnLoadFClick();
  QCOMPARE(CalcControls::EdFormul()->text(), QString("A+2"));
  QVERIFY(CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(), QString("Выражение введено правильно."));
}

void TestFormulaStore::loadingFormulaWithMissingPolynomialsReportsFirstName() {
  writeStoreText("[Global]\nForCount=1\n[Formula0]\nFDiscript=gone\nFormExpr=X+Gone1*Gone2\n");
  Form8->PrepareLoadMode();
  runDialog([] {
    TermixTest::Find<QTableWidget>(Form8, "SGSavTab")->setCurrentCell(0, 0);
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnLoad"), Qt::LeftButton);
  });
  QCOMPARE(CalcControls::EdFormul()->text(), QString("X+Gone1*Gone2"));
  QVERIFY(!CalcControls::FormulaAccepted());
  QCOMPARE(CalcControls::EdErrors()->text(),
           QString("Полином с именем 'Gone1' в таблице не найден ! [3]"));
}

void TestFormulaStore::failedWriteIsReportedAndLosesNothing() {
  saveFormula("KEPT", "stored before");
  const QByteArray before = [] {
    QFile file(StorePath);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();

  // A file-size limit of a few bytes makes every write of the store fail, whoever runs it.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit original{};
  getrlimit(RLIMIT_FSIZE, &original);
  rlimit tiny = original;
  tiny.rlim_cur = 8;
  QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);

  Form8->PrepareSaveMode("NEW+1");
  const int result = runDialog([] {
    TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->setText("typed");
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnSave"), Qt::LeftButton);
    // The dialog stays open, says what happened and keeps what was typed.
    QVERIFY(Form8->isVisible());
    QVERIFY(!TermixTest::Find<QLabel>(Form8, "LabelWriteError")->text().isEmpty());
    QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdFormul")->text(), QString("NEW+1"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->text(), QString("typed"));
    Form8->done(QDialog::Rejected);
  });
  setrlimit(RLIMIT_FSIZE, &original);
  QCOMPARE(result, int(QDialog::Rejected));

  QFile file(StorePath);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), before);

  // A description that would hide the formula is refused in the same way.
  Form8->PrepareSaveMode("NEW+1");
  runDialog([] {
    TermixTest::Find<QLineEdit>(Form8, "EdDiscript")->setText("!");
    QTest::mouseClick(TermixTest::Find<QPushButton>(Form8, "BBtnSave"), Qt::LeftButton);
    QVERIFY(Form8->isVisible());
    QVERIFY(TermixTest::Find<QLabel>(Form8, "LabelWriteError")->text().contains("!"));
    Form8->done(QDialog::Rejected);
  });
  QCOMPARE(StoreFile().count(), 1);
}

QTEST_MAIN(TestFormulaStore)
#include "test_formulastore.moc"
