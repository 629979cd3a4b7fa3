// The table window: loading at creation, grid numbering for every organisation, switching,
// the hash size, save mode with the file on disk, a failed save, layout, and the save warning.

#include "TableTestSupport.h"
#include "TermixTestSupport.h"

#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/TableWindow.h"

#include "tables/FileLock.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolTableDocument.h"

#include "core/TPolinom.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>

using namespace TableTest;
using TABLESTRUCT::TTableKind;
using TermixTest::Find;

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
  QTableView* Grid() const { return Find<QTableView>(Form2, "SGPolTable"); }
  QRadioButton* Button(const char* name) const { return Find<QRadioButton>(Form2, name); }
  QSpinBox* HashSize() const { return Find<QSpinBox>(Form2, "CEHashTSize"); }
  QLabel* Label(const char* name) const { return Find<QLabel>(Form2, name); }

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
    QVERIFY(TableDocument->Organisation() == TTableKind::Scan);
    QVERIFY(!TableDocument->SaveMode());
    QVERIFY(Button("RBScanTab")->isChecked());
    QCOMPARE(HashSize()->value(), 10);
    QCOMPARE(HashSize()->minimum(), 1);
    QCOMPARE(HashSize()->maximum(), 100);
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
    QVERIFY(!Label("LbSaveErr")->isVisible());
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
    QLabel* notice = Label("LbNotice");
    QVERIFY(!notice->isVisible());
    TableDocument->SetSaveMode(true);
    const QByteArray before = ReadIniBytes();
    Button("RBSortTab")->click();
    QVERIFY(TableDocument->Organisation() == TTableKind::Scan);
    QVERIFY(Button("RBScanTab")->isChecked() && !Button("RBSortTab")->isChecked());
    QVERIFY(notice->isVisible());
    QVERIFY(notice->text().contains("4999"));
    QCOMPARE(RowCount(Grid()), 5000);
    QCOMPARE(ReadIniBytes(), before);
    QVERIFY(!TableDocument->UndoStack()->canUndo()); // a refused switch is no edit
    Snapshot(Form2, "tablewindow-switch-refused");
    TableDocument->Delete("N17");
    Button("RBSortTab")->click();
    QVERIFY(TableDocument->Organisation() == TTableKind::Sorted);
    QVERIFY(!notice->isVisible());
    QCOMPARE(NamesInIni(ReadIni()).size(), 4999);

    QLabel* saveError = Label("LbSaveErr");
    TableDocument->Delete("N18"); // room in the sorted table
    TableDocument->Insert(" Blank", Pol("x"));
    QVERIFY(TableDocument->SaveFailed());
    QVERIFY(saveError->isVisible());
    QVERIFY(saveError->toolTip().contains("\" Blank\""));
    QVERIFY(!NamesInIni(ReadIni()).contains(" Blank"));
    TableDocument->Delete(" Blank");
    QVERIFY(!TableDocument->SaveFailed());
    QVERIFY(!saveError->isVisible());
    DestroyForms();

    TABLESTRUCT::TInstanceLock other("IniSaves/termix.lock"); // as another running copy holds it
    QVERIFY(other.GetState() == TABLESTRUCT::TInstanceLock::TState::Held);
    MakeWindow();
    QVERIFY(Label("LbNotice")->isVisible());
    QVERIFY(Label("LbNotice")->text().contains("другой запущенной копией"));
    Snapshot(Form2, "tablewindow-second-copy");
  }

  // What the start and the saves find in the data folder is said in the window: a lock file
  // that a crash or a power cut left (empty, garbled) is no running copy; records that another
  // copy deleted or renamed leave the grid and are named; a folder where nothing can be saved
  // is told at once, with the reason.
  void DataFolderFindingsAreShownInTheWindow() {
    for (const QByteArray& left : {QByteArray(), QByteArray("\x01\xffgarbage\n")}) {
      QFile lock("IniSaves/termix.lock");
      QVERIFY(lock.open(QIODevice::WriteOnly));
      lock.write(left);
      lock.close();
      MakeWindow();
      QVERIFY(!Label("LbNotice")->isVisible());
      QVERIFY(!Label("LbSaveErr")->isVisible());
      DestroyForms();
    }

    WriteIni(IniWith({{"Del", "X"}, {"Ren", "Y"}, {"Keep", "Z"}}));
    MakeWindow();
    TABLESTRUCT::TPolScanTab other(IniPath.toStdString()); // another copy of the program
    other.LoadTab();
    other.DelRecord("Del");
    other.DelRecord("Ren");
    other.InsRecord("Renamed", Pol("Y"));
    other.SaveTab();
    QCOMPARE(other.GetRetCode(), TABLESTRUCT::TabOK);
    TableDocument->Insert("Mine", Pol("x"));
    TableDocument->SetSaveMode(true);
    QVERIFY(Label("LbNotice")->isVisible());
    QCOMPARE(Label("LbNotice")->text(),
             QString("Полиномы Del, Ren удалены или переименованы другой копией программы"));
    QStringList rows = Column(Grid(), 1); // the scan table fills a deleted place with its last
    rows.sort();
    QCOMPARE(rows, QStringList({"Keep", "Mine"}));
    QStringList names = NamesInIni(ReadIni());
    names.sort();
    QCOMPARE(names, QStringList({"Keep", "Mine", "Renamed"}));
    Snapshot(Form2, "tablewindow-merge-notice");
    DestroyForms();

    QVERIFY(QDir("IniSaves").removeRecursively());
    MakeWindow();
    QVERIFY(Label("LbSaveErr")->isVisible());
    QVERIFY2(Label("LbSaveErr")->text().startsWith("Таблицу нельзя будет сохранить: папка ") &&
                 Label("LbSaveErr")->text().contains("IniSaves"),
             qPrintable(Label("LbSaveErr")->text()));
    Snapshot(Form2, "tablewindow-no-data-folder");
  }

  // With 10 buckets A and K share bucket 5 and a1 is in bucket 6: rows 6, 6.1, 7.
  void HashNumberingShowsBucketsAndChains() {
    WriteIni(IniWith({{"A", "X"}, {"K", "Y"}, {"a1", "Z"}}));
    MakeWindow();
    Button("RBHashTab")->click();
    QVERIFY(TableDocument->Organisation() == TTableKind::Hash);
    QCOMPARE(Column(Grid(), 0), QStringList({"6", "6.1", "7"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "-> K", "a1"}));
    QCOMPARE(Column(Grid(), 2), QStringList({"X", "Y", "Z"}));
  }

  // The sorted table reorders by key; the scan table refilled from it keeps that order.
  void SwitchingReordersAndCopiesEveryRecord() {
    WriteIni(IniWith({{"b", "1"}, {"B", "2"}, {"A1", "3"}, {"a", "4"}}));
    MakeWindow();
    Button("RBSortTab")->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
    QCOMPARE(Column(Grid(), 2), QStringList({"3", "2", "4", "1"}));
    Button("RBScanTab")->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 4);
    // Clicking the button already in use changes nothing.
    Button("RBScanTab")->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "a", "b"}));
  }

  // The spin edit acts at once only on the hash table in use; otherwise at the next switch.
  void HashSizeTakesEffectOnTheHashTable() {
    WriteIni(IniWith({{"A", "X"}, {"K", "Y"}, {"a1", "Z"}}));
    MakeWindow();
    HashSize()->setValue(1);
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "2", "3"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "K", "a1"}));
    Button("RBHashTab")->click();
    QCOMPARE(Column(Grid(), 0), QStringList({"1", "1.1", "1.2"}));
    QCOMPARE(Column(Grid(), 1), QStringList({"A", "-> K", "-> a1"}));
    HashSize()->setValue(10);
    QCOMPARE(Column(Grid(), 0), QStringList({"6", "6.1", "7"}));
  }

  // Save mode off: changes and switches never touch the file. Switched on, the table is written
  // at once; from then on every change brings the file in line, writing only what changed.
  void SaveModeWritesTheFileOnEveryChange() {
    const QString original = IniWith({{"P1", "X"}, {"P2", "Y"}});
    WriteIni(original);
    MakeWindow();
    TableDocument->Insert("P3", Pol("Z"));
    Button("RBSortTab")->click();
    QCOMPARE(QString::fromUtf8(ReadIniBytes()), original);

    TableDocument->SetSaveMode(true);
    TIni ini = ReadIni();
    QCOMPARE(ini["Global"]["PolCount"], QString("3"));
    QCOMPARE(NamesInIni(ini), QStringList({"P1", "P2", "P3"}));
    QCOMPARE(ini["Polinom2"]["PolFormula"], QString("Z"));
    Button("RBHashTab")->click(); // one change, one save
    QCOMPARE(ReadIni(), ini);

    TableDocument->Change("P2", "P2", Pol("Y + 1")); // only its formula is written again
    ini["Polinom1"]["PolFormula"] = "Y + 1";
    QCOMPARE(ReadIni(), ini);
    TableDocument->Delete("P1");
    ini = ReadIni();
    QCOMPARE(ini["Global"]["PolCount"], QString("2"));
    QCOMPARE(NamesInIni(ini), QStringList({"P2", "P3"}));
  }

  // A save that cannot write keeps a warning in the window, loses nothing and is retried by
  // the next change; the warning goes when a save succeeds.
  void FailedSaveWarnsUntilASaveSucceeds() {
    WriteIni(IniWith({{"P1", "X"}}));
    MakeWindow();
    const QByteArray original = ReadIniBytes();
    TableDocument->Insert("P2", Pol("Y"));
    QFile::remove(IniPath);
    QVERIFY(QDir().mkdir(IniPath)); // a folder where the file should be: every write fails
    TableDocument->SetSaveMode(true);
    QLabel* saveError = Label("LbSaveErr");
    QVERIFY(TableDocument->SaveFailed());
    QVERIFY(saveError->isVisible());
    QVERIFY(saveError->text().contains("не сохранена"));
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "P2"}));
    HashSize()->setValue(11); // a change that writes nothing new
    QVERIFY(saveError->isVisible());
    Snapshot(Form2, "tablewindow-save-failed");

    // The file is writable again: the next change writes what was left unstored.
    QVERIFY(QDir().rmdir(IniPath));
    WriteIni(QString::fromUtf8(original));
    HashSize()->setValue(12);
    QVERIFY(!TableDocument->SaveFailed());
    QVERIFY(!saveError->isVisible());
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
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 5000);
    TableDocument->Insert("B", Pol("Y"));
    TableDocument->SetSaveMode(true);
    QVERIFY(TableDocument->SaveFailed());
    QVERIFY(Label("LbSaveErr")->isVisible());
    QVERIFY(Label("LbSaveErr")->text().contains("нет свободных"));
    QCOMPARE(Cell(Grid(), 5000, 1), QString("B"));
    QVERIFY(!NamesInIni(ReadIni()).contains("B"));
    // Room again (one record gone): the retry stores B in the freed section.
    TableDocument->Delete("N7");
    QVERIFY(!TableDocument->SaveFailed());
    QCOMPARE(ReadIni()["Polinom7"]["PolName"], QString("B"));
  }

  // Deleting the only record leaves one empty row under the header; an empty file the same.
  void EmptyTableShowsOneEmptyRow() {
    WriteIni(IniWith({{"P1", "X"}, {"P2", "Y"}}));
    MakeWindow();
    TableDocument->Delete("P1");
    QCOMPARE(RowCount(Grid()), 1);
    TableDocument->Delete("P2");
    QCOMPARE(RowCount(Grid()), 1);
    QCOMPARE(Cell(Grid(), 0, 0), QString());
    QCOMPARE(Cell(Grid(), 0, 1), QString());
    QCOMPARE(Cell(Grid(), 0, 2), QString());
    Button("RBHashTab")->click();
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
    QWidget* group = Find(Form2, "GroupBox1");
    for (const QSize size : {QSize(520, 600), QSize(260, 220)}) {
      Form2->resize(size);
      QTest::qWait(50);
      QCOMPARE(group->width(), Form2->width());
      QCOMPARE(Grid()->width(), Form2->width());
      QVERIFY(Grid()->geometry().bottom() == Form2->height() - 1);
      const QRect frame = Find(Form2, "Bevel1")->geometry();
      QVERIFY(group->width() - frame.right() < 16);
      QVERIFY(HashSize()->geometry().right() < frame.left());
      QVERIFY(frame.left() - HashSize()->geometry().right() < 12);
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
    Button("RBHashTab")->click();
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
      TableDocument->Delete(QString("P%1").arg(i).toStdString());
    Button("RBScanTab")->click();
    QTRY_VERIFY(!Grid()->verticalScrollBar()->isVisible());
    QTRY_VERIFY(columnsEndAtTheEdge());
    QCOMPARE(header->sectionSize(0), 25);
  }

  // A change re-runs the calculation window's checks against the changed table and refills
  // the overview window's lists.
  void ChangesReachTheOtherWindows() {
    MakeWindow();
    auto* names = Find<QComboBox>(Form9, "CBName");
    auto* formula = Find<QLineEdit>(Form3, "EdFormul");
    auto* verdict = Find<QLineEdit>(Form3, "EdErrors");
    const QString correct = "Выражение введено правильно.";
    QCOMPARE(names->count(), 0);
    formula->setText("Q7 + 1");
    QVERIFY(verdict->text() != correct);
    TableDocument->Insert("Q7", Pol("X"));
    QCOMPARE(verdict->text(), correct);
    QCOMPARE(names->count(), 1);
    QCOMPARE(names->itemText(0), QString("Q7"));
    TableDocument->Delete("Q7");
    QVERIFY(verdict->text() != correct);
  }

  // A change keeps the chosen record chosen: by its key where the record moves (an insertion
  // ahead of it in the sorted table), at its row when it is deleted, at the last row when the
  // table shrinks below it; the scrolled place stays too.
  void ChangesKeepTheCurrentRecordAndSelection() {
    QList<QPair<QString, QString>> records;
    for (int i = 10; i < 70; ++i)
      records.append({QString("P%1").arg(i), "X"});
    WriteIni(IniWith(records));
    MakeWindow();
    Button("RBSortTab")->click();
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
    TableDocument->Insert("P0", Pol("Y")); // sorts in ahead of P50
    QCOMPARE(chosenName(), QString("P50"));
    QCOMPARE(Grid()->currentIndex().row(), 41);
    QCOMPARE(Grid()->verticalScrollBar()->value(), 20);
    TableDocument->Delete("P50");
    QCOMPARE(chosenName(), QString("P51"));
    for (int i = 20; i < 70; ++i)
      TableDocument->Delete(QString("P%1").arg(i).toStdString());
    QCOMPARE(chosenName(), QString("P19"));
    Button("RBScanTab")->click(); // a switch keeps it the same way
    QCOMPARE(chosenName(), QString("P19"));
  }

  // Every change can be taken back and made again from the table window: Ctrl+Z, Ctrl+Shift+Z
  // and Ctrl+Y with the grid in focus, and the grid's menu, which names the edit. The buttons
  // and the spin edit follow an undone switch or resize, the rows come back in their order, and
  // in save mode the file follows.
  void UndoAndRedoFromTheGridAndItsMenu() {
    WriteIni(IniWith({{"b", "1"}, {"B", "2"}, {"A1", "3"}}));
    MakeWindow();
    TableDocument->SetSaveMode(true);
    const TIni loaded = ReadIni();
    Form2->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form2));
    Grid()->setFocus();
    const auto key = [this](QKeyCombination keys) {
      QTest::keyClick(Grid(), keys.key(), keys.keyboardModifiers());
    };
    const auto menuTexts = [this](const QString& picture = QString()) {
      QStringList texts;
      auto read = TermixTest::WhenPopup([&texts, picture](QMenu* menu) {
        for (QAction* action : menu->actions())
          if (!action->isSeparator()) texts << (action->isEnabled() ? "" : "-") + action->text();
        if (!picture.isEmpty()) Snapshot(menu, picture);
        menu->close();
      });
      emit Grid()->customContextMenuRequested(QPoint(5, 5));
      return *read ? texts : QStringList{"no menu"};
    };
    QCOMPARE(menuTexts().mid(0, 2), QStringList({"-Отменить", "-Повторить"}));

    TableDocument->Insert("P1", Pol("X"));
    QCOMPARE(menuTexts("tablewindow-undo-menu").mid(0, 2),
             QStringList({"Отменить добавление P1", "-Повторить"}));
    key(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(Column(Grid(), 1), QStringList({"b", "B", "A1"}));
    QCOMPARE(ReadIni(), loaded);
    QCOMPARE(menuTexts().mid(0, 2), QStringList({"-Отменить", "Повторить добавление P1"}));
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(Column(Grid(), 1), QStringList({"b", "B", "A1", "P1"}));
    QVERIFY(NamesInIni(ReadIni()).contains("P1"));

    Button("RBSortTab")->click();
    HashSize()->setValue(4);
    Button("RBHashTab")->click();
    const QStringList hashed = Column(Grid(), 0);
    QCOMPARE(hashed, QStringList({"2", "3", "3.1", "3.2"}));
    key(Qt::CTRL | Qt::Key_Z);
    QVERIFY(Button("RBSortTab")->isChecked());
    QCOMPARE(Column(Grid(), 1), QStringList({"A1", "B", "P1", "b"}));
    key(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(HashSize()->value(), 10);
    key(Qt::CTRL | Qt::Key_Z);
    QVERIFY(Button("RBScanTab")->isChecked());
    QCOMPARE(Column(Grid(), 1), QStringList({"b", "B", "A1", "P1"}));
    key(Qt::CTRL | Qt::Key_Y);
    key(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(HashSize()->value(), 4);
    QVERIFY(Button("RBSortTab")->isChecked());
    QCOMPARE(menuTexts().mid(0, 2), QStringList({"Отменить число полей хеш-таблицы: 4",
                                                 "Повторить переход к таблице с вычисляемыми "
                                                 "адресами"}));
    key(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(Column(Grid(), 0), hashed);
    QCOMPARE(NamesInIni(ReadIni()), QStringList({"b", "B", "A1", "P1"}));
  }

  // Closing the window goes through the main window's toggle: flag cleared, off picture.
  void CloseGoesThroughTheMainWindowToggle() {
    WriteIni(IniWith({{"P1", "X"}}));
    MakeWindow();
    auto* button = Find<TToolButton>(Form1, "TBStore");
    QVERIFY(Form2->close());
    QVERIFY(!Form2->isVisible());
    QCOMPARE(button->ImageIndex(), button->NormalOff);
    Form1->TBStoreClick();
    QVERIFY(Form2->isVisible());
    QCOMPARE(button->ImageIndex(), button->NormalOn);
  }

  // The warning: its six lines; Yes switches save mode on and saves at once with the on
  // picture; No changes nothing.
  void SaveWarningSwitchesSaveModeOn() {
    MakeWindow();
    TableDocument->Insert("P1", Pol("X + 1"));
    TForm7& warning = *Form7;
    auto* saveButton = Find<TToolButton>(Form1, "TBSavLod");
    QCOMPARE(warning.windowTitle(), QString("SAVE STORE: Предупреждение"));
    QCOMPARE(Find<QLabel>(&warning, "Label1")->text(), QString("ВНИМАНИЕ !"));
    auto* memo = Find<QPlainTextEdit>(&warning, "Memo1");
    QCOMPARE(memo->toPlainText().split('\n'),
             QStringList({"Включение режима сохранения", "таблицы полиномов приведёт к",
                          "сохранению    на    диске    всех", "изменений    производимых    с",
                          "таблицей. ", "Включить  режим   сохранения?"}));
    QVERIFY(memo->isReadOnly());

    saveButton->SetImageIndex(saveButton->HotOff);
    warning.show();
    QVERIFY(QTest::qWaitForWindowExposed(&warning));
    QCOMPARE(saveButton->ImageIndex(), saveButton->NormalOff);
    VerifyTextsFit(&warning);
    Snapshot(&warning, "savemodedialog");
    Find<QPushButton>(&warning, "BitBtn2")->click();
    QVERIFY(!warning.isVisible());
    QVERIFY(!TableDocument->SaveMode());
    QVERIFY(!QFile::exists(IniPath));

    warning.show();
    Find<QPushButton>(&warning, "BitBtn1")->click();
    QVERIFY(!warning.isVisible());
    QVERIFY(TableDocument->SaveMode());
    QCOMPARE(saveButton->ImageIndex(), saveButton->NormalOn);
    const TIni ini = ReadIni();
    QCOMPARE(NamesInIni(ini), QStringList({"P1"}));
    QCOMPARE(ini["Polinom0"]["PolFormula"], QString("X + 1"));
  }
};

QTEST_MAIN(TestTableWindow)
#include "test_tablewindow.moc"
