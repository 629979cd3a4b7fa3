// The table window: loading at creation, grid numbering for every organisation, switching,
// the hash size, save mode with the file on disk, a failed save, layout, and the save warning.

#include "TableTestSupport.h"

#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/TableWindow.h"

#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

#include "core/TPolinom.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QtTest>

using namespace TableTest;

namespace {

LISTSTRUCT::TPolinom Pol(const char* text) {
  LISTSTRUCT::TPolinom pol;
  pol.SetText(text);
  return pol;
}

// Saves a picture of the window when TERMIX_SCREENSHOTS names a folder.
void Snapshot(QWidget* window, const QString& name) {
  const QString dir = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (dir.isEmpty()) return;
  window->grab().save(dir + "/" + name + ".png");
}

// Every text-bearing control shows its whole text.
void VerifyTextsFit(QWidget* window) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (!b->isVisible()) continue;
    QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName()));
  }
  for (QLabel* l : window->findChildren<QLabel*>()) {
    if (!l->isVisible() || l->wordWrap() || l->text().isEmpty()) continue;
    QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
  }
}

} // namespace

class TestTableWindow : public QObject {
  Q_OBJECT

private:
  // All windows are made and wired as at start-up; only the table window is shown.
  void MakeWindow() {
    CreateForms();
    Form2->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form2));
  }
  QTableView* Grid() const { return Form2->SGPolTable; }

private slots:
  void initTestCase() { InitTermixResources(); }

  void init() { ResetIniFolder(); }

  void cleanup() { DestroyForms(); }

  // Creation loads the file into the scan table, in file order, numbered 1, 2, 3; the header,
  // column widths, caption and start geometry are as the window has always had them.
  void LoadsTheFileAtCreation() {
    WriteIni(IniWith({{"P2", "X^2 + 1"}, {"A", "2*Y"}, {"P1", "- Z"}}));
    MakeWindow();
    QCOMPARE(Form2->windowTitle(), QString("STORE: таблица полиномов"));
    QVERIFY(Form2->CurTab == Form2->ScanTab.get());
    QVERIFY(!Form2->SaveMode);
    QVERIFY(Form2->RBScanTab->isChecked());
    QCOMPARE(Form2->CEHashTSize->value(), 10);
    QCOMPARE(Form2->CEHashTSize->minimum(), 1);
    QCOMPARE(Form2->CEHashTSize->maximum(), 100);
    QCOMPARE(Grid()->model()->columnCount(), 3);
    QCOMPARE(HeaderText(Grid(), 0), QString("№"));
    QCOMPARE(HeaderText(Grid(), 1), QString("Название"));
    QCOMPARE(HeaderText(Grid(), 2), QString("Полином"));
    QCOMPARE(Grid()->columnWidth(0), 25);
    QCOMPARE(Grid()->columnWidth(1), 93);
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "2", "3"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"P2", "A", "P1"}));
    QCOMPARE(Column(Grid(), 2), QStringList({"X^2 + 1", "2*Y", " - Z"}));
    QCOMPARE(Form2->size(), QSize(261, 413));
    QCOMPARE(Form2->minimumSize(), QSize(260, 220));
    QVERIFY(!Form2->LbSaveErr->isVisible());
  }

  // What the window refuses or finds is said in the window: a switch to the sorted table that
  // could not hold every record (the buttons keep the organisation in use and nothing is
  // saved), names that cannot be written, another running copy on the data folder.
  void RefusalsAndNoticesAreShownInTheWindow() {
    QList<QPair<QString, QString>> records;
    for (int i = 0; i < 5000; ++i)
      records.append({QString("N%1").arg(i), "X"});
    WriteIni(IniWith(records));
    MakeWindow();
    QVERIFY(!Form2->LbNotice->isVisible());
    Form2->SaveMode = true;
    const QByteArray before = ReadIniBytes();
    Form2->RBSortTab->click();
    QVERIFY(Form2->CurTab == Form2->ScanTab.get());
    QVERIFY(Form2->RBScanTab->isChecked() && !Form2->RBSortTab->isChecked());
    QVERIFY(Form2->LbNotice->isVisible());
    QVERIFY(Form2->LbNotice->text().contains("4999"));
    QCOMPARE(RowCount(Grid()), 5000);
    QCOMPARE(ReadIniBytes(), before);
    Snapshot(Form2, "tablewindow-switch-refused");
    Form2->CurTab->DelRecord("N17");
    Form2->RefreshGrid();
    Form2->RBSortTab->click();
    QVERIFY(Form2->CurTab == Form2->SortTab.get());
    QVERIFY(!Form2->LbNotice->isVisible());
    QCOMPARE(NamesInIni(ReadIni()).size(), 4999);

    Form2->CurTab->DelRecord("N18"); // room in the sorted table
    Form2->CurTab->InsRecord(" Blank", Pol("x"));
    Form2->RefreshGrid();
    QVERIFY(Form2->SaveFailed());
    QVERIFY(Form2->LbSaveErr->isVisible());
    QVERIFY(Form2->LbSaveErr->toolTip().contains("\" Blank\""));
    QVERIFY(!NamesInIni(ReadIni()).contains(" Blank"));
    Form2->CurTab->DelRecord(" Blank");
    Form2->RefreshGrid();
    QVERIFY(!Form2->SaveFailed());
    DestroyForms();

    QLockFile other("IniSaves/termix.lock"); // as another running copy holds it
    QVERIFY(other.tryLock(0));
    MakeWindow();
    QVERIFY(Form2->LbNotice->isVisible());
    QVERIFY(Form2->LbNotice->text().contains("другой запущенной копией"));
    Snapshot(Form2, "tablewindow-second-copy");
  }

  // With 10 buckets A and K share bucket 5 and a1 is in bucket 6: rows 6, 6.1, 7.
  void HashNumberingShowsBucketsAndChains() {
    WriteIni(IniWith({{"A", "X"}, {"K", "Y"}, {"a1", "Z"}}));
    MakeWindow();
    Form2->RBHashTab->click();
    QVERIFY(Form2->CurTab == Form2->HashTab.get());
    QCOMPARE(Column(Grid(), 0), QStringList({"6", "6.1", "7"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "-> K", "a1"}));
    QCOMPARE(Column(Grid(), 2), QStringList({"X", "Y", "Z"}));
  }

  // The sorted table reorders by key; the scan table refilled from it keeps that order.
  void SwitchingReordersAndCopiesEveryRecord() {
    WriteIni(IniWith({{"b", "1"}, {"B", "2"}, {"A1", "3"}, {"a", "4"}}));
    MakeWindow();
    Form2->RBSortTab->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
    QCOMPARE(Column(Grid(), 2), QStringList({"3", "2", "4", "1"}));
    Form2->RBScanTab->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(Form2->CurTab->GetDataCount(), 4);
    // Clicking the button already in use changes nothing.
    Form2->RBScanTab->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
  }

  // The spin edit acts at once only on the hash table in use; otherwise at the next switch.
  void HashSizeTakesEffectOnTheHashTable() {
    WriteIni(IniWith({{"A", "X"}, {"K", "Y"}, {"a1", "Z"}}));
    MakeWindow();
    Form2->CEHashTSize->setValue(1);
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "2", "3"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "K", "a1"}));
    Form2->RBHashTab->click();
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "1.1", "1.2"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "-> K", "-> a1"}));
    Form2->CEHashTSize->setValue(10);
    QCOMPARE(Column(Grid(), 0), QStringList({"6", "6.1", "7"}));
  }

  // Save mode off: changes and switches never touch the file. Save mode on: each refresh brings
  // the file in line with the table, writing only what changed.
  void SaveModeWritesTheFileOnRefresh() {
    const QString original = IniWith({{"P1", "X"}, {"P2", "Y"}});
    WriteIni(original);
    MakeWindow();
    Form2->CurTab->InsRecord("P3", Pol("Z"));
    Form2->RefreshGrid();
    Form2->RBSortTab->click();
    QCOMPARE(QString::fromUtf8(ReadIniBytes()), original);

    Form2->SaveMode = true;
    Form2->RBHashTab->click(); // one refresh, one save
    TIni ini = ReadIni();
    QCOMPARE(ini["Global"]["PolCount"], QString("3"));
    QCOMPARE(NamesInIni(ini), QStringList({"P1", "P2", "P3"}));
    QCOMPARE(ini["Polinom2"]["PolFormula"], QString("Z"));
    const QByteArray afterSwitch = ReadIniBytes();
    Form2->RefreshGrid(); // nothing unstored: nothing to write
    QCOMPARE(ReadIniBytes(), afterSwitch);

    Form2->CurTab->DelRecord("P1");
    Form2->RefreshGrid();
    ini = ReadIni();
    QCOMPARE(ini["Global"]["PolCount"], QString("2"));
    QCOMPARE(NamesInIni(ini), QStringList({"P2", "P3"}));
  }

  // A save that cannot write keeps a warning in the window, loses nothing and is retried by
  // the next refresh; the warning goes when a save succeeds.
  void FailedSaveWarnsUntilASaveSucceeds() {
    WriteIni(IniWith({{"P1", "X"}}));
    MakeWindow();
    const QByteArray original = ReadIniBytes();
    Form2->CurTab->InsRecord("P2", Pol("Y"));
    QFile::remove(IniPath);
    QVERIFY(QDir().mkdir(IniPath)); // a folder where the file should be: every write fails
    Form2->SaveMode = true;
    Form2->RefreshGrid();
    QVERIFY(Form2->SaveFailed());
    QVERIFY(Form2->LbSaveErr->isVisible());
    QVERIFY(Form2->LbSaveErr->text().contains("не сохранена"));
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "P2"}));
    Form2->RefreshGrid();
    QVERIFY(Form2->LbSaveErr->isVisible());
    Snapshot(Form2, "tablewindow-save-failed");

    // The file is writable again: the next refresh writes what was left unstored.
    QVERIFY(QDir().rmdir(IniPath));
    WriteIni(QString::fromUtf8(original));
    Form2->RefreshGrid();
    QVERIFY(!Form2->SaveFailed());
    QVERIFY(!Form2->LbSaveErr->isVisible());
    const TIni ini = ReadIni();
    QCOMPARE(NamesInIni(ini), QStringList({"P1", "P2"}));
    QCOMPARE(ini["Global"]["PolCount"], QString("2"));
    QCOMPARE(ini["Polinom1"]["PolFormula"], QString("Y"));
  }

  // Every section of the file is named: a new record finds no place, and the window says so.
  void FullTableFileWarns() {
    QList<QPair<QString, QString>> records;
    for (int k = 0; k < 5000; ++k)
      records.append({QString("N%1").arg(k), "X"});
    WriteIni(IniWith(records));
    MakeWindow();
    QCOMPARE(Form2->CurTab->GetDataCount(), 5000);
    Form2->CurTab->InsRecord("B", Pol("Y"));
    Form2->SaveMode = true;
    Form2->RefreshGrid();
    QVERIFY(Form2->SaveFailed());
    QVERIFY(Form2->LbSaveErr->isVisible());
    QVERIFY(Form2->LbSaveErr->text().contains("нет свободных"));
    QCOMPARE(Cell(Grid(), 5000, 1), QString("B"));
    QVERIFY(!NamesInIni(ReadIni()).contains("B"));
    // Room again (one record gone): the retry stores B in the freed section.
    Form2->CurTab->DelRecord("N7");
    Form2->RefreshGrid();
    QVERIFY(!Form2->SaveFailed());
    QCOMPARE(ReadIni()["Polinom7"]["PolName"], QString("B"));
  }

  // Deleting the only record leaves one empty row under the header; an empty file the same.
  void EmptyTableShowsOneEmptyRow() {
    WriteIni(IniWith({{"P1", "X"}, {"P2", "Y"}}));
    MakeWindow();
    Form2->CurTab->DelRecord("P1");
    Form2->RefreshGrid();
    QCOMPARE(RowCount(Grid()), 1);
    Form2->CurTab->DelRecord("P2");
    Form2->RefreshGrid();
    QCOMPARE(RowCount(Grid()), 1);
    QCOMPARE(Cell(Grid(), 0, 0), QString());
    QCOMPARE(Cell(Grid(), 0, 1), QString());
    QCOMPARE(Cell(Grid(), 0, 2), QString());
    Form2->RBHashTab->click();
    QCOMPARE(RowCount(Grid()), 1);
    QCOMPARE(Cell(Grid(), 0, 1), QString());
  }

  // Texts fit at the start size; the group and grid follow the window, the picture frame keeps
  // to the group's right edge, and the polynomial column takes the rest of the grid.
  void ResizingKeepsTheLayout() {
    WriteIni(IniWith({{"P1", "3*X^2*Y - Z + 1"}, {"Res0", "X*Y*Z"}, {"A", "X^10 + Y^10 + Z^10"}}));
    MakeWindow();
    VerifyTextsFit(Form2);
    Snapshot(Form2, "tablewindow");
    for (const QSize size : {QSize(520, 600), QSize(260, 220)}) {
      Form2->resize(size);
      QTest::qWait(50);
      QCOMPARE(Form2->GroupBox1->width(), Form2->width());
      QCOMPARE(Form2->SGPolTable->width(), Form2->width());
      QVERIFY(Form2->SGPolTable->geometry().bottom() == Form2->height() - 1);
      const QRect frame = Form2->Bevel1->geometry();
      QVERIFY(Form2->GroupBox1->width() - frame.right() < 16);
      QVERIFY(Form2->CEHashTSize->geometry().right() < frame.left());
      QVERIFY(frame.left() - Form2->CEHashTSize->geometry().right() < 12);
      QHeaderView* header = Grid()->horizontalHeader();
      QCOMPARE(header->sectionSize(0) + header->sectionSize(1) + header->sectionSize(2),
               Grid()->viewport()->width());
    }
    Form2->resize(520, 300);
    QTest::qWait(50);
    Snapshot(Form2, "tablewindow-wide");
  }

  // The polynomial column ends at the viewport's edge at once after start (a long table shows
  // its scroll bar from the first paint), after resizes, after a refresh that takes the scroll
  // bar away and after the user widens the name column. Every number of the hash table, 6.1
  // among them, fits its column; a long polynomial shows its start and its whole text as hint.
  void GridColumnsFitTheViewport() {
    QList<QPair<QString, QString>> records = {{"A", "X"}, {"K", "Y"}, {"a1", "Z"}};
    for (int i = 0; i < 40; ++i)
      records.append(
          {QString("P%1").arg(i), QString("X^%1*Y^%1*Z^%1 + %1*X*Y - 17.5*Z + 1").arg(i)});
    WriteIni(IniWith(records));
    MakeWindow();
    QHeaderView* header = Grid()->horizontalHeader();
    auto columnsEndAtTheEdge = [&] {
      return header->sectionSize(0) + header->sectionSize(1) + header->sectionSize(2) ==
             Grid()->viewport()->width();
    };
    QVERIFY(Grid()->verticalScrollBar()->isVisible());
    QVERIFY(columnsEndAtTheEdge());
    for (const QSize size : {QSize(520, 600), QSize(260, 220), QSize(300, 413)}) {
      Form2->resize(size);
      QTRY_VERIFY(columnsEndAtTheEdge());
    }
    header->resizeSection(1, 120);
    QVERIFY(columnsEndAtTheEdge());
    QCOMPARE(header->sectionSize(1), 120);

    const int margin =
        Grid()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Grid()) + 1;
    Form2->RBHashTab->click();
    QVERIFY(Column(Grid(), 0).contains("6.1"));
    QVERIFY(columnsEndAtTheEdge());
    for (const QString& number : Column(Grid(), 0))
      QVERIFY2(Grid()->fontMetrics().horizontalAdvance(number) + 2 * margin <=
                   header->sectionSize(0),
               qPrintable(number));
    QVERIFY(header->sectionSize(0) > 25);
    const int last = RowCount(Grid()) - 1;
    QCOMPARE(CellToolTip(Grid(), last, 2), Cell(Grid(), last, 2));
    QCOMPARE(Grid()->textElideMode(), Qt::ElideRight);
    // Few rows numbered 1 to 3: the scroll bar goes and the number column narrows back.
    for (int i = 0; i < 40; ++i)
      Form2->CurTab->DelRecord(QString("P%1").arg(i).toStdString());
    Form2->RBScanTab->click();
    QTRY_VERIFY(!Grid()->verticalScrollBar()->isVisible());
    QTRY_VERIFY(columnsEndAtTheEdge());
    QCOMPARE(header->sectionSize(0), 25);
  }

  // A refresh re-runs the calculation window's checks against the changed table and refills
  // the overview window's lists.
  void RefreshReachesTheOtherWindows() {
    MakeWindow();
    QCOMPARE(Form9->CBName->count(), 0);
    Form3->EdFormul->setText("Q7 + 1");
    QVERIFY(!Form3->FormulaOK);
    Form2->CurTab->InsRecord("Q7", Pol("X"));
    Form2->RefreshGrid();
    QVERIFY(Form3->FormulaOK);
    QCOMPARE(Form9->CBName->count(), 1);
    QCOMPARE(Form9->CBName->itemText(0), QString("Q7"));
    Form2->CurTab->DelRecord("Q7");
    Form2->RefreshGrid();
    QVERIFY(!Form3->FormulaOK);
  }

  // A refresh keeps the chosen record chosen: by its key where the record moves (an insertion
  // ahead of it in the sorted table), at its row when it is deleted, at the last row when the
  // table shrinks below it; the scrolled place stays too.
  void RefreshKeepsTheCurrentRecordAndSelection() {
    QList<QPair<QString, QString>> records;
    for (int i = 10; i < 70; ++i)
      records.append({QString("P%1").arg(i), "X"});
    WriteIni(IniWith(records));
    MakeWindow();
    Form2->RBSortTab->click();
    const auto chosenName = [this] {
      const QModelIndexList rows = Grid()->selectionModel()->selectedRows(1);
      return rows.size() == 1 && rows[0] == Grid()->currentIndex().siblingAtColumn(1)
                 ? rows[0].data().toString()
                 : QString("none");
    };
    Grid()->setFocus();
    Grid()->selectRow(40);
    Grid()->verticalScrollBar()->setValue(20);
    QCOMPARE(chosenName(), QString("P50"));
    Form2->CurTab->InsRecord("P0", Pol("Y")); // sorts in ahead of P50
    Form2->RefreshGrid();
    QCOMPARE(chosenName(), QString("P50"));
    QCOMPARE(Grid()->currentIndex().row(), 41);
    QCOMPARE(Grid()->verticalScrollBar()->value(), 20);
    Form2->CurTab->DelRecord("P50");
    Form2->RefreshGrid();
    QCOMPARE(chosenName(), QString("P51"));
    for (int i = 20; i < 70; ++i)
      Form2->CurTab->DelRecord(QString("P%1").arg(i).toStdString());
    Form2->RefreshGrid();
    QCOMPARE(chosenName(), QString("P19"));
    Form2->RBScanTab->click(); // a switch refreshes the same way
    QCOMPARE(chosenName(), QString("P19"));
  }

  // Closing the window goes through the main window's toggle: flag cleared, off picture.
  void CloseGoesThroughTheMainWindowToggle() {
    WriteIni(IniWith({{"P1", "X"}}));
    MakeWindow();
    QVERIFY(Form1->StoreShown);
    QVERIFY(Form2->close());
    QVERIFY(!Form1->StoreShown);
    QVERIFY(!Form2->isVisible());
    QCOMPARE(Form1->TBStore->ImageIndex(), 8);
    Form1->TBStoreClick();
    QVERIFY(Form2->isVisible());
  }

  // The warning: its six lines; Yes switches save mode on and saves at once with the on
  // picture; No changes nothing.
  void SaveWarningSwitchesSaveModeOn() {
    MakeWindow();
    Form2->CurTab->InsRecord("P1", Pol("X + 1"));
    Form2->RefreshGrid();
    TForm7& warning = *Form7;
    QCOMPARE(warning.windowTitle(), QString("SAVE STORE: Предупреждение"));
    QCOMPARE(warning.Label1->text(), QString("ВНИМАНИЕ !"));
    QCOMPARE(warning.Memo1->toPlainText().split('\n'),
             QStringList({"Включение режима сохранения", "таблицы полиномов приведёт к",
                          "сохранению    на    диске    всех", "изменений    производимых    с",
                          "таблицей. ", "Включить  режим   сохранения?"}));
    QVERIFY(warning.Memo1->isReadOnly());

    Form1->TBSavLod->SetImageIndex(6);
    warning.show();
    QVERIFY(QTest::qWaitForWindowExposed(&warning));
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 13);
    VerifyTextsFit(&warning);
    Snapshot(&warning, "savemodedialog");
    warning.BitBtn2->click();
    QVERIFY(!warning.isVisible());
    QVERIFY(!Form2->SaveMode);
    QVERIFY(!QFile::exists(IniPath));

    warning.show();
    warning.BitBtn1->click();
    QVERIFY(!warning.isVisible());
    QVERIFY(Form2->SaveMode);
    QCOMPARE(Form1->TBSavLod->ImageIndex(), 12);
    const TIni ini = ReadIni();
    QCOMPARE(NamesInIni(ini), QStringList({"P1"}));
    QCOMPARE(ini["Polinom0"]["PolFormula"], QString("X + 1"));
  }
};

QTEST_MAIN(TestTableWindow)
#include "test_tablewindow.moc"
