// The overview window against the live table of the table window: the choice lists, the
// formula, the structure picture, the font steps of the picture and the close road.
//
// With TERMIX_SCREENSHOTS set to a folder, the choice page and the structure page (3 and 12
// monomials) are also saved there as PNG files.

#include "calc/TFPolTrans.h"
#include "core/TStructureSheet.h"
#include "tables/TBasePTab.h"
#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/EfficiencyPage.h"
#include "ui/Forms.h"
#include "ui/ListStepsPage.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/QtCanvas.h"
#include "ui/StructureSheetExport.h"
#include "ui/StructureView.h"
#include "ui/SurfacePage.h"
#include "ui/TableStepsPage.h"
#include "ui/TransStepsPage.h"

#include "gl/TOpenGLPanel.h"
#include "ui/TableWindow.h"

#include "OverviewControls.h"
#include "TermixTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>

using namespace OverviewControls;

namespace {

const QColor Background(160, 250, 200);
const QColor HeadCoeff(240, 230, 5);
const QColor MonCoeff(0, 225, 100);

std::string Formula(const char* text) {
  LISTSTRUCT::TPolinom p;
  p.SetText(text);
  return p.GetText();
}

void Insert(const char* key, const char* text) {
  LISTSTRUCT::TPolinom p;
  p.SetText(text);
  QCOMPARE(p.GetRetCode(), 0);
  TableDocument->Insert(key, p);
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i)
    items << box->itemText(i);
  return items;
}

// Picks item index in a list the way the user does, with the keyboard.
void Pick(QComboBox* box, int index) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Home);
  for (int i = 0; i < index; ++i)
    QTest::keyClick(box, Qt::Key_Down);
  QCOMPARE(box->currentIndex(), index);
}

bool AllPixels(const QImage& image, const QColor& color) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != color) return false;
  return true;
}

// What assistive technology hears of a list: its name and its value.
QStringList Heard(QComboBox* box) {
  QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(box);
  return {heard->text(QAccessible::Name), heard->text(QAccessible::Value)};
}

void Settle() {
  for (int i = 0; i < 5; ++i)
    QCoreApplication::processEvents();
}

} // namespace

class TestOverview : public QObject {
  Q_OBJECT

  QString ShotDir = qEnvironmentVariable("TERMIX_SCREENSHOTS");

  // Saves the window at the given width (its height kept), then restores its size.
  void Shot(const char* name, int width = 640) {
    if (ShotDir.isEmpty()) return;
    QDir().mkpath(ShotDir);
    const QSize size = Form9->size();
    Form9->resize(width, size.height());
    Settle();
    QVERIFY(Form9->grab().save(ShotDir + "/" + name));
    Form9->resize(size);
    Settle();
  }

  void ClearTable() {
    TermixTest::Find<QRadioButton>(Form2, "RBScanTab")->click();
    TermixTest::ClearTable();
  }

  void ExpectNoChoice() {
    QCOMPARE(ShownChoice(), -1);
    QCOMPARE(CBName()->currentIndex(), -1);
    QCOMPARE(CBName()->placeholderText(), QString("Полином не выбран"));
    QCOMPARE(CBNum()->placeholderText(), QString("???"));
    QCOMPARE(CBFormula()->placeholderText(), QString("???"));
    // The shown placeholders are the lists' values and hints.
    QCOMPARE(Heard(CBNum()), QStringList({"№", "???"}));
    QCOMPARE(Heard(CBName()), QStringList({"Название", "Полином не выбран"}));
    QCOMPARE(Heard(CBFormula()), QStringList({"Полином", "???"}));
    QCOMPARE(CBName()->toolTip(), QString("Полином не выбран"));
    QCOMPARE(MemExpr()->toPlainText(), QString());
    QCOMPARE(SBForImg()->toolTip(), QString("Полином не выбран"));
    QVERIFY(AllPixels(ImgStruct()->pixmap().toImage(), Background));
    // Nor has the surface page a choice: entering it says so.
    SurfPage()->TShSurfEnter();
    QCOMPARE(SurfPage()->findChild<QLineEdit*>("EdErrors")->text(), QString("Полином не выбран!"));
  }

private slots:
  void initTestCase() {
    QDir().mkpath("IniSaves");
    QFile::remove("IniSaves/PolTable.ini");
    CreateForms();
    Form9->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form9));
  }

  void cleanupTestCase() { DestroyForms(); }

  void init() { ClearTable(); }

  void windowFrame() {
    QCOMPARE(Form9->windowTitle(), QString("OVERVIEW: Демонстрационные возможности"));
    QCOMPARE(PCViewTab()->count(), 7);
    const QStringList captions = {"Выбор полнома",
                                  "Просмотр структуры",
                                  "Построение поверхности",
                                  "Эффективность таблиц",
                                  "Пошаговая работа таблиц",
                                  "Пошаговая работа списка",
                                  "Пошаговая работа транслятора"};
    for (int i = 0; i < 7; ++i)
      QCOMPARE(PCViewTab()->tabText(i), captions[i]);
    QCOMPARE(PCViewTab()->widget(2), TShSurf());
    QCOMPARE(PCViewTab()->widget(3), TShEffic());
    QCOMPARE(PCViewTab()->widget(4), TShSteps());
    QCOMPARE(PCViewTab()->widget(5), TShListSteps());
    QCOMPARE(PCViewTab()->widget(6), TShTransSteps());
    // 648 x 157 with the frame: 8 pixels of borders, 30 of borders and caption bar.
    QCOMPARE(Form9->minimumSize(), QSize(640, 127));
    // The page control ends 7 pixels before the decoration's bevel, which is 10 from the edge.
    QCOMPARE(Bevel1()->geometry().right() + 1, Form9->width() - 10);
    QCOMPARE(PCViewTab()->geometry().right() + 1 + 7, Bevel1()->x());
  }

  // The list and translator step pages take their inputs from the program: the table's
  // polynomials and the calculation window's formula, whose last step is what Calculate gives.
  void stepPagesTakeTheTableAndTheCalculationWindowsFormula() {
    Insert("P1", "x^2 - 3*y*z + 1");
    Form3->SetFormulaText("P1*(X+2)^2 - d/dx(P1)");
    Form1->findChild<QAbstractButton*>("TBListSteps")->click();
    QCOMPARE(PCViewTab()->currentIndex(), 5);
    auto* p = ListStepsPage()->findChild<QComboBox*>("CBListP");
    QVERIFY(p && p->count() == 1);
    Form1->findChild<QAbstractButton*>("TBTransSteps")->click();
    QCOMPARE(PCViewTab()->currentIndex(), 6);
    QTest::mouseClick(TransStepsPage()->findChild<QPushButton*>("BBtnTransTake"), Qt::LeftButton);
    const TRANSSTRUCT::TTransRecording& shown = TransStepsPage()->GetRecording();
    QTRY_VERIFY_WITH_TIMEOUT(!TransStepsPage()->IsRecording() &&
                                 QString::fromStdString(shown.Formula) == Form3->FormulaText(),
                             10000);
    TRANSSTRUCT::TFPolTrans trans(TableDocument->CurTab());
    trans.SetFormula(shown.Formula);
    LISTSTRUCT::TPolinom value = trans.Calculate(), last = shown.Result;
    QCOMPARE(QString::fromStdString(last.GetExactText()),
             QString::fromStdString(value.GetExactText()));
    Form1->findChild<QAbstractButton*>("TBTableSteps")->click();
    QCOMPARE(PCViewTab()->currentIndex(), 4);
  }

  void emptyTableGivesEmptyListsAndNoChoice() {
    QCOMPARE(CBNum()->count(), 0);
    QCOMPARE(CBName()->count(), 0);
    QCOMPARE(CBFormula()->count(), 0);
    ExpectNoChoice();
  }

  void choosingTheThirdNameSetsNumberFormulaMemoAndPicture() {
    Insert("P1", "x^2 + 1");
    Insert("Q2", "3*x^2*y - z");
    Insert("R3", "-0.5*x*y*z + 2");
    Form2->RefreshGrid();
    QCOMPARE(Items(CBNum()), QStringList({"1", "2", "3"}));
    QCOMPARE(Items(CBName()), QStringList({"P1", "Q2", "R3"}));
    QVERIFY(!CBName()->isEditable()); // pick-only: a typed text cannot select nothing

    PCViewTab()->setCurrentIndex(1);
    Settle();
    Pick(CBName(), 2);
    const QString formula = QString::fromStdString(Formula("-0.5*x*y*z + 2"));
    QCOMPARE(ShownChoice(), 2);
    QCOMPARE(CBNum()->currentText(), QString("3"));
    QCOMPARE(CBFormula()->currentText(), formula);
    QCOMPARE(MemExpr()->toPlainText(), formula);
    QCOMPARE(Heard(CBName()), QStringList({"Название", "R3"}));
    QCOMPARE(Heard(CBFormula()), QStringList({"Полином", formula}));
    QCOMPARE(CBFormula()->toolTip(), formula);
    QCOMPARE(SBForImg()->toolTip(), "Полином: " + formula);
    // The surface page follows the choice: its drawing is named after it.
    QWidget* drawing = SurfPage()->findChild<QWidget*>("PanGLSurface");
    if (!drawing) drawing = SurfPage()->findChild<QWidget*>("LbNoOpenGL");
    QCOMPARE(drawing->toolTip(), QString("Surface: R3"));

    // The picture is drawn: head box (yellow coefficient cell) and the first monomial box.
    const QImage image = ImgStruct()->pixmap().toImage();
    QCOMPARE(image.size(), ImgStruct()->size());
    QCOMPARE(image.pixelColor(10 + 20 + 3, 5 + 3), HeadCoeff);
    QCOMPARE(image.pixelColor(3, 3), Background);
    bool monomBox = false;
    for (int x = 60; x < image.width() && !monomBox; ++x)
      monomBox = image.pixelColor(x, 5 + 3) == MonCoeff;
    QVERIFY(monomBox);
    // A change that leaves a list with no item selected keeps the choice in all three.
    CBNum()->setCurrentIndex(-1);
    Form9->CBNumChange();
    QCOMPARE(ShownChoice(), 2);
    QCOMPARE(CBNum()->currentText(), QString("3"));
    QCOMPARE(CBName()->currentText(), QString("R3"));
    QCOMPARE(MemExpr()->toPlainText(), formula);
    // The window keeps the choice itself: a redraw still draws the chosen polynomial.
    Form9->DrawPolStruct();
    QCOMPARE(SBForImg()->toolTip(), "Полином: " + formula);
    QCOMPARE(ImgStruct()->pixmap().toImage().pixelColor(10 + 20 + 3, 5 + 3), HeadCoeff);
    Shot("overview_structure_3.png", 900);
    PCViewTab()->setCurrentIndex(0);
    Shot("overview_choice.png");

    // Each list is a source of the choice; the others follow.
    Pick(CBFormula(), 0);
    QCOMPARE(CBName()->currentText(), QString("P1"));
    QCOMPARE(CBNum()->currentText(), QString("1"));
    Pick(CBNum(), 1);
    QCOMPARE(CBName()->currentText(), QString("Q2"));
    QCOMPARE(MemExpr()->toPlainText(), QString::fromStdString(Formula("3*x^2*y - z")));
    QCOMPARE(ShownChoice(), 1);
  }

  void hashNumbersRepeatForASharedBucket() {
    Insert("A", "x");
    Insert("K", "y + 1");
    Insert("a1", "z");
    TermixTest::Find<QRadioButton>(Form2, "RBHashTab")->click();
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 3);
    // A and K share bucket 6 of 10, a1 is in bucket 7.
    QCOMPARE(Items(CBNum()), QStringList({"6", "6", "7"}));
    QCOMPARE(Items(CBName()), QStringList({"A", "K", "a1"}));
    Pick(CBName(), 1);
    QCOMPARE(CBNum()->currentText(), QString("6"));
    QCOMPARE(MemExpr()->toPlainText(), QString::fromStdString(Formula("y + 1")));
  }

  void anyTableChangeClearsTheChoice() {
    Insert("P1", "x^2 + 1");
    Insert("P2", "x - 1");
    Form2->RefreshGrid();
    PCViewTab()->setCurrentIndex(1);
    Settle();

    Pick(CBName(), 1);
    QCOMPARE(ShownChoice(), 1);
    Insert("P3", "z");
    Form2->RefreshGrid();
    ExpectNoChoice();
    QCOMPARE(CBName()->count(), 3);

    Pick(CBName(), 0);
    TermixTest::Find<QRadioButton>(Form2, "RBSortTab")->click(); // organisation switch
    ExpectNoChoice();

    Pick(CBName(), 2);
    TableDocument->Delete("P3");
    ExpectNoChoice();
    QCOMPARE(Items(CBName()), QStringList({"P1", "P2"}));
    PCViewTab()->setCurrentIndex(0);
  }

  void longPolynomialScrollsSideways() {
    Insert("Long", "x^11 - 2*x^10 + x^9*y + 0.5*x^8 - x^7 + 12346*x^6 + x^5*z - x^4 + 7*x^3 - "
                   "x^2 + x - 1");
    Form2->RefreshGrid();
    PCViewTab()->setCurrentIndex(1);
    Settle();
    Pick(CBName(), 0);
    Settle();
    const int viewWidth = SBForImg()->maximumViewportSize().width();
    QVERIFY(ImgStruct()->width() > viewWidth);
    QCOMPARE(ImgStruct()->height(), SBForImg()->maximumViewportSize().height());
    QVERIFY(SBForImg()->horizontalScrollBar()->isVisible());
    QVERIFY(!SBForImg()->verticalScrollBar()->isVisible());
    Shot("overview_structure_12.png", 1500);
    PCViewTab()->setCurrentIndex(0);
  }

  // A polynomial of 35 terms: the picture zooms with Ctrl+wheel and Ctrl+-, wraps into rows as
  // wide as its box from the context menu, tells a box's index in its tooltip; on paper it is
  // the sheet of several rows under its title, on as many pages as it needs.
  void structurePictureZoomsWrapsAndTellsIndexes() {
    QString text = "x^6*y^3";
    for (int k = 1; k < 35; ++k)
      text += QString(" + %1*x^%2*y^%3*z").arg(k).arg(k % 7).arg(k / 7);
    Insert("Many", qPrintable(text));
    Form2->RefreshGrid();
    PCViewTab()->setCurrentIndex(1);
    Settle();
    Pick(CBName(), 0);
    Settle();
    TStructureView* view = SBForImg();
    const int size = ImgStruct()->font().pointSize();
    QWheelEvent wheel(QPointF(20, 20), view->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(ImgStruct()->font().pointSize(), int(std::lround(size * 1.25)));
    QAction* zoomOut = TermixTest::Find<QAction>(view, "ActZoomOut");
    QCOMPARE(zoomOut->shortcut(), QKeySequence(QKeySequence::ZoomOut));
    zoomOut->trigger();
    QCOMPARE(ImgStruct()->font().pointSize(), size);

    // Over the first monomial's box its index is told.
    LISTSTRUCT::TPolinom pol;
    pol.SetText(text.toStdString());
    QPixmap measureOn(1, 1);
    TQtCanvas measure(measureOn, ImgStruct()->font());
    const LISTSTRUCT::TStructureSheet sheet(pol, measure, 0);
    const auto& boxes = sheet.GetBoxes();
    const auto box =
        std::find_if(boxes.begin(), boxes.end(),
                     [](const LISTSTRUCT::TStructureBox& b) { return b.Index == 60300; });
    QVERIFY(box != boxes.end());
    QCOMPARE(view->BoxTip(QPoint(box->Left + 3, box->Top + 3)), QString("60300 = x⁶y³"));
    QCOMPARE(view->BoxTip(QPoint(2, 2)), QString()); // off the boxes: the box's own tooltip

    QAction* wrap = TermixTest::Find<QAction>(view, "ActWrap");
    wrap->trigger();
    Settle();
    QVERIFY(ImgStruct()->width() <= view->maximumViewportSize().width());
    QVERIFY(ImgStruct()->height() > 3 * view->maximumViewportSize().height() / 2);
    QVERIFY(!view->horizontalScrollBar()->isVisible());
    Shot("overview_structure_wrapped.png", 1500);
    wrap->trigger();
    Settle();
    QCOMPARE(ImgStruct()->height(), view->maximumViewportSize().height());

    // On paper: rows under the title, each as wide as the page allows.
    QFont font = ImgStruct()->font();
    font.setPointSize(10);
    const TStructurePaper paper{pol, StructureTitle("Many", text), font};
    const QByteArray svg = StructureSheetSvg(paper);
    QVERIFY(svg.contains("Many,") && svg.contains("Формула:"));
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
    QVERIFY(PaintStructurePages(paper, writer));
    buffer.close();
    // One page holds the rows of 35 boxes, laid out for its width at the screen's font size.
    QCOMPARE(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page\\b")), 1);
    const int pageWidth = int(180 / 25.4 * QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    QPixmap paperMeasureOn(1, 1);
    TQtCanvas paperMeasure(paperMeasureOn, font);
    QVERIFY(LISTSTRUCT::TStructureSheet(pol, paperMeasure, pageWidth).GetRowCount() >= 3);
    const QString shots = qEnvironmentVariable("TERMIX_SCREENSHOTS");
    if (!shots.isEmpty()) {
      QFile file(shots + "/structure_printed.pdf");
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    }
    PCViewTab()->setCurrentIndex(0);
  }

  void fontSizeFollowsImageHeight() {
    PCViewTab()->setCurrentIndex(1);
    Settle();
    const QSize start = Form9->size();
    auto imageHeightFor = [&](int wanted) {
      // The image height follows the window height one to one; two steps find it.
      for (int step = 0; step < 3 && ImgStruct()->height() != wanted; ++step) {
        Form9->resize(Form9->width(), Form9->height() + wanted - ImgStruct()->height());
        Settle();
      }
      return ImgStruct()->height();
    };
    QCOMPARE(imageHeightFor(120), 120);
    QCOMPARE(ImgStruct()->font().pointSize(), 10);
    QCOMPARE(imageHeightFor(121), 121);
    QCOMPARE(ImgStruct()->font().pointSize(), 18);
    QVERIFY(ImgStruct()->font().bold());
    QCOMPARE(imageHeightFor(150), 150);
    QCOMPARE(ImgStruct()->font().pointSize(), 18);
    QCOMPARE(imageHeightFor(151), 151);
    QCOMPARE(ImgStruct()->font().pointSize(), 26);
    QCOMPARE(imageHeightFor(241), 241);
    QCOMPARE(ImgStruct()->font().pointSize(), 52);
    QCOMPARE(imageHeightFor(200), 200);
    QCOMPARE(ImgStruct()->font().pointSize(), 36);
    Form9->resize(start);
    Settle();
    PCViewTab()->setCurrentIndex(0);
  }

  // Turned to at the opening size, by its tab or by the main window's button (with the window
  // hidden, too), the surface and the efficiency page grow the window to what they need: the
  // drawing, the charts and the track bar get their least sizes, no text is cut, and the window
  // stays on the screen. Turning back to the choice page keeps the size. The step page grows
  // the window as well.
  void surfaceAndEfficiencyPagesGrowASmallWindow() {
    const QSize opening(640, 162);
    const QPoint origin = Form9->pos();
    const QRect area = Form9->screen()->availableGeometry();
    Insert("Bowl", "0.5*x^2 + 0.5*y^2 - z");
    Form2->RefreshGrid();
    Pick(CBName(), 0);
    Form9->resize(opening);
    Settle();
    auto textsFit = [](QWidget* page) {
      for (QLabel* l : page->findChildren<QLabel*>())
        if (l->isVisible() && !l->text().isEmpty() && !l->wordWrap())
          QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
      for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        if (b->isVisible()) QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
    };

    QTabBar* tabs = PCViewTab()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(2).center());
    QCOMPARE(PCViewTab()->currentIndex(), 2);
    Settle();
    if (!ShotDir.isEmpty()) QVERIFY(Form9->grab().save(ShotDir + "/overview_surface_turned.png"));
    TSurfacePage* surface = SurfPage();
    QWidget* drawing = surface->findChild<QWidget*>("PanGLSurface");
    if (!drawing) drawing = surface->findChild<QWidget*>("LbNoOpenGL");
    QVERIFY(drawing->width() >= 320 && drawing->height() >= 280);
    textsFit(surface);
    const QSize grown = Form9->size();
    QVERIFY(grown.width() > opening.width() && grown.height() > opening.height());
    QVERIFY(area.contains(Form9->frameGeometry()));
    // The user cannot squeeze the page meanwhile.
    Form9->resize(opening);
    QCOMPARE(Form9->size(), grown);

    Form1->TBEfficiencyClick();
    Settle();
    if (!ShotDir.isEmpty())
      QVERIFY(Form9->grab().save(ShotDir + "/overview_efficiency_turned.png"));
    TEfficiencyPage* efficiency = EfficPage();
    for (const char* name : {"ChEffOper", "ChEffTime"}) {
      auto* chart = efficiency->findChild<QWidget*>(name);
      QVERIFY2(chart, name);
      QVERIFY(chart->width() >= 240 && chart->height() >= 200);
    }
    QVERIFY(efficiency->findChild<QWidget*>("TrBHashTSize")->width() >= 150);
    textsFit(efficiency);
    QCOMPARE(Form9->size(), grown);

    // Back on the choice page the size stays; the window may be made small again.
    Form1->TBFormulaClick();
    QCOMPARE(Form9->size(), grown);
    Form9->resize(opening);
    QCOMPARE(Form9->size(), opening);

    // Hidden near the screen's corner, the page button grows it inside the screen.
    Form9->hide();
    Form9->move(area.right() - 700, area.bottom() - 200);
    Form1->TBSurfaceClick();
    QVERIFY(!Form9->isVisible());
    QCOMPARE(Form9->size(), grown);
    Form9->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form9));
    QVERIFY(area.contains(Form9->frameGeometry()));

    // The step page grows the window from its opening size to what it needs too.
    Form1->TBFormulaClick();
    Form9->resize(opening);
    PCViewTab()->setCurrentIndex(4);
    Settle();
    QVERIFY(StepsPage()->findChild<QWidget*>("SBStepPicture")->height() >= 160);
    textsFit(StepsPage());
    QVERIFY(area.contains(Form9->frameGeometry()));

    Form1->TBFormulaClick();
    Form9->resize(opening);
    Form9->move(origin);
    Settle();
  }

  void closeGoesThroughTheMainWindowToggle() {
    QVERIFY(Form9->isVisible());
    Form9->close();
    QVERIFY(!Form9->isVisible());
    QVERIFY(!Form9->isVisible());
    QCOMPARE(TermixTest::MainButton("TBView")->ImageIndex(),
             TermixTest::MainButton("TBView")->NormalOff);
    // A page button turns the page of the hidden window and leaves it hidden.
    Form1->TBStructClick();
    QCOMPARE(PCViewTab()->currentIndex(), 1);
    QVERIFY(!Form9->isVisible());
    Form1->TBViewClick();
    QVERIFY(Form9->isVisible());
    QVERIFY(Form9->isVisible());
    Form1->TBFormulaClick();
    QCOMPARE(PCViewTab()->currentIndex(), 0);
  }
};

QTEST_MAIN(TestOverview)
#include "test_overview.moc"
