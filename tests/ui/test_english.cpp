// The English interface, started as the program starts under LANGUAGE=en: every window, page,
// dialog and context menu a user can reach from the main window is walked, and no text it
// shows (captions, labels, buttons, hints, accessible names, list items, grid headers, page
// titles, chart titles and legends, menu items) holds a Cyrillic letter.
#include "CalcWindowControls.h"
#include "TermixTestSupport.h"

#include "ui/AboutWindow.h"
#include "ui/ChangePolDialog.h"
#include "ui/DeletePolDialog.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/GrowthWindow.h"
#include "ui/HelpWindow.h"
#include "ui/Language.h"
#include "ui/NewPolDialog.h"
#include "ui/SaveModeDialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>

using namespace TermixTest;

namespace {

const QRegularExpression Cyrillic("\\p{Cyrillic}");

// The texts found, each with the object it was found on.
class TTextWalk {
public:
  QStringList Russian;

  void Check(const QObject* where, const QString& what, const QString& text) {
    if (text.contains(Cyrillic))
      Russian << QStringLiteral("%1 %2 [%3]: %4")
                     .arg(where->metaObject()->className(), where->objectName(), what, text);
  }

  void Actions(const QWidget* widget) {
    for (const QAction* action : widget->actions()) {
      Check(action, "action", action->text());
      Check(action, "action tooltip", action->toolTip());
      if (action->menu()) Widget(action->menu());
    }
  }

  void Model(const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    if (!model) return;
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
      const int count = orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
      for (int i = 0; i < count; ++i)
        for (int role : {Qt::DisplayRole, Qt::ToolTipRole})
          Check(view, "header", model->headerData(i, orientation, role).toString());
    }
    for (int row = 0; row < model->rowCount(); ++row)
      for (int column = 0; column < model->columnCount(); ++column)
        for (int role : {Qt::DisplayRole, Qt::ToolTipRole, Qt::AccessibleTextRole})
          Check(view, "cell", model->index(row, column).data(role).toString());
  }

  void Chart(const QChartView* view) {
    const QChart* chart = view->chart();
    Check(view, "chart title", chart->title());
    for (const QAbstractAxis* axis : chart->axes())
      Check(view, "axis", axis->titleText());
    for (const QAbstractSeries* series : chart->series())
      Check(view, "series", series->name());
  }

  void Widget(const QWidget* widget) {
    Check(widget, "title", widget->windowTitle());
    Check(widget, "tooltip", widget->toolTip());
    Check(widget, "status tip", widget->statusTip());
    Check(widget, "what's this", widget->whatsThis());
    Check(widget, "accessible name", widget->accessibleName());
    Check(widget, "accessible description", widget->accessibleDescription());
    Actions(widget);
    if (auto* label = qobject_cast<const QLabel*>(widget)) Check(widget, "text", label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
      Check(widget, "text", button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
      Check(widget, "title", group->title());
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) {
      Check(widget, "text", edit->text());
      Check(widget, "placeholder", edit->placeholderText());
    }
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
      Check(widget, "text", edit->toPlainText());
    if (auto* edit = qobject_cast<const QTextEdit*>(widget))
      Check(widget, "text", edit->toPlainText());
    if (auto* spin = qobject_cast<const QSpinBox*>(widget)) {
      Check(widget, "prefix", spin->prefix());
      Check(widget, "suffix", spin->suffix());
      Check(widget, "special value", spin->specialValueText());
    }
    if (auto* list = qobject_cast<const QComboBox*>(widget)) {
      Check(widget, "placeholder", list->placeholderText());
      for (int i = 0; i < list->count(); ++i)
        Check(widget, "item", list->itemText(i));
    }
    if (auto* tabs = qobject_cast<const QTabWidget*>(widget))
      for (int i = 0; i < tabs->count(); ++i) {
        Check(widget, "tab", tabs->tabText(i));
        Check(widget, "tab tooltip", tabs->tabToolTip(i));
      }
    if (auto* view = qobject_cast<const QAbstractItemView*>(widget)) Model(view);
    if (auto* view = qobject_cast<const QChartView*>(widget)) Chart(view);
  }

  // A window with everything in it, and the context menus its controls open on request.
  void Window(QWidget* window) {
    Widget(window);
    for (const QWidget* child : window->findChildren<QWidget*>())
      Widget(child);
    QList<QWidget*> withMenus;
    if (window->contextMenuPolicy() == Qt::CustomContextMenu) withMenus << window;
    for (QWidget* child : window->findChildren<QWidget*>())
      if (child->contextMenuPolicy() == Qt::CustomContextMenu) withMenus << child;
    for (QWidget* widget : withMenus)
      ContextMenu(widget);
  }

  // Opens the context menu a widget builds on request and reads it.
  void ContextMenu(QWidget* widget) {
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        timer.stop();
        Widget(menu);
        menu->close();
      }
    });
    timer.start();
    const QPoint centre = widget->rect().center();
    emit widget->customContextMenuRequested(centre);
    QTest::qWait(50);
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) menu->close();
  }

  // A widget and everything in it, without opening menus.
  void Tree(const QWidget* widget) {
    Widget(widget);
    for (const QWidget* child : widget->findChildren<QWidget*>())
      Widget(child);
  }

  // A dialog that runs modally: read once it is up (after fill, if given), then closed.
  void Modal(QDialog* dialog, const std::function<void()>& open,
             const std::function<void()>& fill = {}) {
    auto read = WhenModal(dialog, [&] {
      QTest::qWait(50);
      if (fill) fill();
      Window(dialog);
      dialog->reject();
    });
    open();
    if (!*read) Russian << QStringLiteral("%1 did not open").arg(dialog->objectName());
  }
};

// With TERMIX_SCREENSHOTS naming a folder, the window is saved there as a picture.
void SaveScreenshot(QWidget* window, const char* fileName) {
  const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  window->grab().save(QDir(folder).filePath(fileName));
}

void WriteTable() {
  QDir().mkpath("IniSaves");
  QFile file("IniSaves/PolTable.ini");
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[Global]\nPolCount=2\n[Polinom0]\nPolName=Pol1\nPolFormula=3*X^2*Y - Z + 1\n"
             "[Polinom1]\nPolName=Pol2\nPolFormula=X^2 + Y^2 + Z^2\n");
}

// Steps a page a few times, reading what each step shows.
void StepThrough(TTextWalk& walk, QWidget* page) {
  auto* next = page->findChild<QPushButton*>("BBtnStepNext");
  QVERIFY(next);
  walk.Tree(page);
  for (int step = 0; step < 4 && next->isEnabled(); ++step) {
    next->click();
    walk.Tree(page);
  }
}

// The three step pages with every organisation, operation and list operation, and the texts
// they refuse.
void WalkStepPages(TTextWalk& walk, QTabWidget* pages) {
  for (int i = 0; i < pages->count(); ++i) {
    QWidget* page = pages->widget(i);
    if (!page->findChild<QPushButton*>("BBtnStepNext")) continue;
    pages->setCurrentIndex(i);
    QTest::qWait(50);
    const auto lists = [page](const char* name) { return page->findChild<QComboBox*>(name); };
    if (QComboBox* kinds = lists("CBStepKind"); kinds && lists("CBStepOper")) {
      for (int kind = 0; kind < kinds->count(); ++kind)
        for (int oper = 0; oper < lists("CBStepOper")->count(); ++oper) {
          kinds->setCurrentIndex(kind);
          lists("CBStepOper")->setCurrentIndex(oper);
          StepThrough(walk, page);
        }
    }
    if (QComboBox* operations = lists("CBListOper"); operations && lists("CBListP")) {
      for (int oper = 0; oper < operations->count(); ++oper) {
        operations->setCurrentIndex(oper);
        StepThrough(walk, page);
      }
      lists("CBListP")->setEditText("3*x^^2");
      walk.Tree(page);
      lists("CBListP")->setEditText("3*x^2*y + 2*x*z - 5");
    }
    if (auto* formula = page->findChild<QLineEdit*>("EdTransFormula")) {
      formula->setText("Pol1+Pol2*(");
      walk.Tree(page);
      formula->setText("Pol1*Pol2+X");
      StepThrough(walk, page);
    }
  }
}

} // namespace

class TestEnglish : public QObject {
  Q_OBJECT
private slots:
  void cleanup() {
    DestroyForms();
    InstallInterfaceLanguage(TInterfaceLanguage::Russian);
  }

  void everyWindowSpeaksEnglish() {
    WriteTable();
    InstallDesktopInterfaceLanguage();
    QCOMPARE(InterfaceLanguage(), TInterfaceLanguage::English);
    QVERIFY(StartProgram());
    // The translation is in use: the table window has its English caption.
    QCOMPARE(Form2->windowTitle(), QStringLiteral("STORE: polynomial table"));
    TTextWalk walk;

    // The main window, the three working windows and every page of the overview.
    for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2),
                            static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form9)})
      walk.Window(window);
    const auto pages = Form9->findChild<QTabWidget*>("PCViewTab");
    QVERIFY(pages);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QTest::qWait(100);
      walk.Window(Form9);
    }

    WalkStepPages(walk, pages);

    // A formula with an error, then a right one calculated: the messages of both.
    CalcControls::EdFormul()->setText("Pol1*(");
    QCOMPARE(CalcControls::EdErrors()->text(),
             QStringLiteral("The brackets are not placed correctly! [7]"));
    walk.Window(Form3);
    CalcControls::EdFormul()->setText("Pol1*(X+2)^2");
    MainButton("TBCalc")->click();
    QTest::qWait(200);
    walk.Window(Form3);
    SaveScreenshot(Form3, "english_calcwindow.png");

    // The dialogs of the main window's buttons and of the calculation window.
    walk.Modal(Form4, [] { MainButton("TBNew")->click(); });
    walk.Modal(
        Form4, [] { MainButton("TBNew")->click(); },
        [] { Form4->findChild<QLineEdit*>("EdPol")->setText("3*x^^2 + y"); });
    walk.Modal(Form5, [] { MainButton("TBDelete")->click(); });
    walk.Modal(Form6, [] { MainButton("TBChange")->click(); });
    walk.Modal(Form7, [] { MainButton("TBSavLod")->click(); });
    walk.Modal(Form8, [] { MainButton("TBLoadF")->click(); });
    walk.Modal(Form8, [] { MainButton("TBSaveF")->click(); });
    walk.Modal(Form10, [] { MainButton("TBAbout")->click(); });
    MainButton("TBHelp")->click();
    QVERIFY(ExistingHelpWindow());
    walk.Window(ExistingHelpWindow());

    // The growth window of the efficiency page.
    auto* growth = Form9->findChild<QPushButton*>("SBtnGrowth");
    QVERIFY(growth);
    growth->click();
    TGrowthWindow* growthWindow = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<TGrowthWindow*>(window)) growthWindow = found;
    QVERIFY(growthWindow);
    walk.Window(growthWindow);

    for (const QString& found : walk.Russian)
      qWarning().noquote() << found;
    QVERIFY2(walk.Russian.isEmpty(),
             qPrintable(QStringLiteral("%1 Russian texts").arg(walk.Russian.size())));
  }
};

QTEST_MAIN(TestEnglish)
#include "test_english.moc"
