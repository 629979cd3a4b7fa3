// Taking pictures and data out of the windows: the structure picture as SVG, the grids'
// «Копировать» and «Копировать как LaTeX», and the picture menus' PNG, SVG and CSV files.

#include "CalcWindowControls.h"
#include "OverviewControls.h"
#include "TermixTestSupport.h"
#include "core/TCanvas.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "ui/EfficiencyPage.h"
#include "ui/ExportHelpers.h"
#include "ui/TableWindow.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QFileDialog>
#include <QFont>
#include <QLineEdit>
#include <QLineSeries>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStack>
#include <QTableView>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <QtTest>
#include <random>

using LISTSTRUCT::TCanvasColor;

namespace {

// What an SVG document holds: its rectangles counted by fill colour, and its texts.
struct TSvgContent {
  QMap<QString, int> RectsByFill;
  QStringList Texts;
};

TSvgContent ReadSvg(const QByteArray& svg) {
  TSvgContent content;
  QXmlStreamReader xml(svg);
  QStack<QString> fills; // the fill in force, inherited from enclosing groups
  fills.push(QString());
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto fill = xml.attributes().value("fill");
      fills.push(fill.isEmpty() ? fills.top() : fill.toString().toLower());
      if (xml.name() == u"rect") ++content.RectsByFill[fills.top()];
      if (xml.name() == u"text") content.Texts << xml.readElementText().trimmed();
      if (xml.name() == u"text") fills.pop(); // readElementText consumed the end element
    } else if (xml.isEndElement()) {
      fills.pop();
    }
  }
  if (xml.hasError()) qWarning() << "SVG:" << xml.errorString();
  return content;
}

QString Hex(TCanvasColor c) {
  return QColor(c.R, c.G, c.B).name();
}

// With TERMIX_SCREENSHOTS naming a folder, the screen around window and menu is saved there.
void SaveMenuScreenshot(QWidget* window, QMenu* menu, const char* fileName) {
  const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (folder.isEmpty() || !fileName) return;
  QDir().mkpath(folder);
  if (!QTest::qWaitForWindowExposed(menu)) return;
  QTest::qWait(100); // painted, not only mapped
  const QRect area = window->frameGeometry().united(menu->geometry());
  QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(QDir(folder).filePath(fileName));
}

// Opens the context menu that a right click at `at` on widget brings up (the event goes to the
// widget and on to its parents, as a click's does) and triggers its item with the given text;
// false when the menu or an enabled item of that text did not come.
bool TriggerMenuItem(QWidget* widget, QPoint at, const QString& text,
                     const char* screenshot = nullptr) {
  bool triggered = false;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    SaveMenuScreenshot(widget->window(), menu, screenshot);
    for (QAction* action : menu->actions())
      if (action->text() == text && action->isEnabled()) {
        triggered = true;
        menu->hide();
        action->trigger();
      }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &event);
  return triggered;
}

bool TriggerGridMenuItem(QAbstractItemView* view, int row, int column, const QString& text,
                         const char* screenshot = nullptr) {
  const QPoint at = view->visualRect(view->model()->index(row, column)).center();
  return TriggerMenuItem(view->viewport(), at, text, screenshot);
}

// Chooses the context menu item of widget with the given text and answers the file dialog it
// opens with fileName in the current directory; false when any of them did not come.
bool SaveThroughMenu(QWidget* widget, const QString& text, const QString& fileName,
                     const char* screenshot = nullptr) {
  QFile::remove(fileName);
  bool dialogSeen = false;
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [&, timer] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      dialogSeen = true;
      // Typed as a user types it: the name's own suffix counts, whatever the chosen filter.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (!name) return;
      name->setText(QDir::current().absoluteFilePath(fileName));
      QTest::keyClick(name, Qt::Key_Return);
    }
  });
  timer->start();
  const bool chosen = TriggerMenuItem(widget, widget->rect().center(), text, screenshot);
  if (!dialogSeen) {
    timer->stop();
    timer->deleteLater();
  }
  return chosen && dialogSeen && QFileInfo(fileName).isFile();
}

} // namespace

class TestExport : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void structureSvgHasOneRectanglePerCellAndEveryBoxText();
  void gridCopyPutsTheSelectedRowWholeAndItsLatexOnTheClipboard();
  void pictureMenusSaveTheShownPictureAndThePlottedPoints();
};

void TestExport::initTestCase() {
  QDir("IniSaves").removeRecursively();
  QDir().mkpath("IniSaves");
  CreateForms();
}

void TestExport::cleanupTestCase() {
  DestroyForms();
}

void TestExport::structureSvgHasOneRectanglePerCellAndEveryBoxText() {
  const TCanvasColor headCoeff{240, 230, 5}, headIndex{255, 175, 0}, headLink{245, 120, 240};
  const TCanvasColor monCoeff{0, 225, 100}, monIndex{0, 165, 225}, monLink{255, 135, 85};
  const TCanvasColor background{160, 250, 200};
  LISTSTRUCT::TPolinom pol;
  pol.SetText("3*x^2*y - z + 12346*x^99*y^99*z^99 + 1");
  QCOMPARE(pol.GetRetCode(), 0);
  const int monomials = pol.GetListLength();
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPointSize(10);
  // A narrow picture: the boxes widen it, as they widen the window's image.
  const QByteArray svg = CanvasSvg(QSize(900, 120), font, [&](LISTSTRUCT::TCanvas& canvas) {
    pol.DrawStructure(10, 5, 900, canvas, headCoeff, headIndex, headLink, monCoeff, monIndex,
                      monLink, background);
  });
  QVERIFY(svg.startsWith("<?xml"));
  const TSvgContent content = ReadSvg(svg);
  QCOMPARE(content.RectsByFill.value(Hex(headCoeff)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(headIndex)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(headLink)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(monCoeff)), monomials);
  QCOMPARE(content.RectsByFill.value(Hex(monIndex)), monomials);
  QCOMPARE(content.RectsByFill.value(Hex(monLink)), monomials);
  // The background behind the head and behind each box; no rectangle of any other colour.
  QCOMPARE(content.RectsByFill.value(Hex(background)), monomials + 1);
  QCOMPARE(content.RectsByFill.size(), 7);
  const QStringList expected{"0", "-1", "1.235E4", "999999", "3", "20100", "-1", "1", "1", "0"};
  QCOMPARE(content.Texts, expected);
}

void TestExport::gridCopyPutsTheSelectedRowWholeAndItsLatexOnTheClipboard() {
  // A polynomial whose text is over 100000 characters, and a short one.
  LISTSTRUCT::TPolinom big;
  std::string text;
  for (int i = 0; i < 8000; ++i)
    text += (i % 2 ? " - 1.234*x^" : " + 5.678*x^") + std::to_string(i / 100 % 100) + "*y^" +
            std::to_string(i % 100) + "*z";
  big.SetText(text);
  QCOMPARE(big.GetRetCode(), 0);
  const QString bigText = QString::fromStdString(big.GetText());
  QVERIFY(bigText.size() > 100000);
  TermixTest::ClearTable();
  TableDocument->Insert("Big", big);
  TermixTest::InsertPolynom("Small", "2*x - 1");

  Form3->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form3));
  CalcControls::EdFormul()->setText("Small+Big");
  QTableWidget* grid = CalcControls::SGOperTable();
  QCOMPARE(grid->rowCount(), 2);
  QCOMPARE(grid->item(1, 1)->text(), QString("Big"));
  QApplication::clipboard()->clear();
  grid->setFocus();
  grid->selectRow(1);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QApplication::clipboard()->text();
  QCOMPARE(copied.size(), grid->item(1, 0)->text().size() + 5 + bigText.size());
  QCOMPARE(copied, grid->item(1, 0)->text() + "\tBig\t" + bigText);

  // LaTeX of the row under the pointer, whichever row is selected.
  QVERIFY(TriggerGridMenuItem(grid, 0, 0, "Копировать как LaTeX", "export-menu-grid.png"));
  QCOMPARE(QApplication::clipboard()->text(), QString("2x - 1"));
  QVERIFY(TriggerGridMenuItem(grid, 1, 2, "Копировать как LaTeX"));
  QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(big.GetLatex()));
  QVERIFY(QApplication::clipboard()->text().startsWith(
      "-1.234x^{79}y^{99}z + 5.678x^{79}y^{98}z - 1.234x^{79}y^{97}z"));
  QVERIFY(QApplication::clipboard()->text().endsWith(" - 1.234yz + 5.678z"));
  Form3->hide();

  // The table window's grid, a view of the table model, copies the same way.
  Form2->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form2));
  QTableView* table = TermixTest::Find<QTableView>(Form2, "SGPolTable");
  const QAbstractItemModel* model = table->model();
  int bigRow = -1;
  for (int row = 0; row < model->rowCount(); ++row)
    if (model->index(row, 1).data().toString() == "Big") bigRow = row;
  QVERIFY(bigRow >= 0);
  QApplication::clipboard()->clear();
  table->setFocus();
  table->selectRow(bigRow);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(),
           model->index(bigRow, 0).data().toString() + "\tBig\t" + bigText);
  QVERIFY(TriggerGridMenuItem(table, 1 - bigRow, 1, "Копировать как LaTeX"));
  QCOMPARE(QApplication::clipboard()->text(), QString("2x - 1"));
  Form2->hide();
}

void TestExport::pictureMenusSaveTheShownPictureAndThePlottedPoints() {
  LISTSTRUCT::TPolinom pol;
  pol.SetText("3*x^2*y - z + 12346");
  TermixTest::ClearTable();
  TableDocument->Insert("Pol1", pol);
  Form9->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form9));
  OverviewControls::PCViewTab()->setCurrentIndex(1);
  OverviewControls::CBName()->setCurrentIndex(0);
  Form9->CBNameChange();
  QCOMPARE(OverviewControls::ShownChoice(), 0);

  // The structure picture as a sheet for paper: the PNG 1600 pixels wide, the SVG with the
  // title's lines (name and date, formula) over every box's texts.
  QVERIFY(SaveThroughMenu(OverviewControls::ImgStruct(), "Сохранить изображение…", "structure.png",
                          "export-menu-structure.png"));
  const QImage png("structure.png");
  QCOMPARE(png.width(), 1600);
  QVERIFY(png.height() < 400);
  QVERIFY(
      SaveThroughMenu(OverviewControls::ImgStruct(), "Сохранить изображение…", "structure.svg"));
  QFile svgFile("structure.svg");
  QVERIFY(svgFile.open(QIODevice::ReadOnly));
  const TSvgContent svg = ReadSvg(svgFile.readAll());
  const QStringList boxes{"0", "-1", "3", "20100", "-1", "1", "1.235E4", "0"};
  QVERIFY2(svg.Texts.size() > boxes.size(), qPrintable(svg.Texts.join("|")));
  QCOMPARE(svg.Texts.mid(svg.Texts.size() - boxes.size()), boxes);
  const QString title = svg.Texts.mid(0, svg.Texts.size() - boxes.size()).join(" ");
  QVERIFY2(title.startsWith("Полином Pol1, " + QDate::currentDate().toString(Qt::ISODate)),
           qPrintable(title));
  QVERIFY2(title.contains("Формула: 3*"), qPrintable(title));

  // An efficiency chart: its points as CSV, read back to the plotted series.
  TEfficiencyPage* page = OverviewControls::EfficPage();
  OverviewControls::PCViewTab()->setCurrentIndex(3);
  auto engine = std::make_shared<std::mt19937>(7);
  page->SetRandomSource([engine] { return static_cast<unsigned>((*engine)()); });
  QTest::mouseClick(page->findChild<QPushButton*>("SBtnTest"), Qt::LeftButton);
  auto* chart = page->findChild<QChartView*>("ChEffTime");
  QVERIFY(chart);
  const QList<QAbstractSeries*> series = chart->chart()->series();
  QCOMPARE(series.size(), 3);
  QTRY_VERIFY(qobject_cast<QLineSeries*>(series[2])->count() > 0);
  QVERIFY(SaveThroughMenu(chart->viewport(), "Сохранить точки (CSV)…", "time.csv",
                          "export-menu-chart.png"));
  QFile csv("time.csv");
  QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Text));
  QCOMPARE(csv.readLine().trimmed(), QByteArray("organisation,x,y"));
  QMap<QString, QList<QPointF>> read;
  while (!csv.atEnd()) {
    const QList<QByteArray> fields = csv.readLine().trimmed().split(',');
    QCOMPARE(fields.size(), 3);
    bool xOk = false, yOk = false;
    read[fields[0]].append(QPointF(fields[1].toDouble(&xOk), fields[2].toDouble(&yOk)));
    QVERIFY(xOk && yOk);
  }
  const char* const keys[3] = {"scan", "sorted", "hash"};
  for (int k = 0; k < 3; ++k) {
    const QList<QPointF> plotted = qobject_cast<QLineSeries*>(series[k])->points();
    QVERIFY(plotted.size() > 1);
    QCOMPARE(read.value(keys[k]), plotted);
  }
  QVERIFY(SaveThroughMenu(chart->viewport(), "Сохранить изображение…", "time.svg"));
  QFile chartSvg("time.svg");
  QVERIFY(chartSvg.open(QIODevice::ReadOnly));
  QVERIFY(ReadSvg(chartSvg.readAll()).Texts.contains("Эфф-ть по времени"));
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
